// Magic-wand region growing and outline.
#include "histogram/vAgfxMasks.h"

#include <algorithm>
#include <array>
#include <cmath>

bool WandActive = false;
bool WandBusy = false;

void MagicWandMask(const Picture& picture, int32_t x, int32_t y, TBool2dArray& mask,
                   double tolerance, uint32_t seedColor) {
    const int32_t w = picture.Width, h = picture.Height;
    mask.Resize(w + 5, h + 5);
    if (picture.Empty() || x < 0 || y < 0 || x >= w || y >= h) return;
    // A channel value is near the seed's when it lies within the limit: one table per channel,
    // so the test per pixel is three look-ups.
    const double limit = tolerance * 150.0;
    const int seed[3] = {static_cast<int>(seedColor & 0xFF),
                         static_cast<int>((seedColor >> 8) & 0xFF),
                         static_cast<int>((seedColor >> 16) & 0xFF)};
    std::array<std::array<uint8_t, 256>, 3> near{};
    for (int c = 0; c < 3; ++c)
        for (int v = 0; v < 256; ++v)
            near[c][v] = std::fabs(static_cast<double>(v - seed[c])) <= limit;
    auto close = [&](int32_t cx, int32_t cy) {
        const uint32_t p = picture.At(cx, cy);
        return (near[0][PixelRed(p)] & near[1][PixelGreen(p)] & near[2][PixelBlue(p)]) != 0;
    };
    auto in = [&mask](int32_t cx, int32_t cy) -> uint8_t& {
        return mask.Cells[static_cast<size_t>(cy) * mask.Width + cx];
    };
    // Growing by four-neighbour steps from the seed reaches exactly the near pixels connected to
    // a near neighbour of the seed (the seed itself joins through one of them), so the region is
    // filled span by span from those neighbours. The stack holds row starts still to fill; it
    // grows as needed, so no point is ever dropped.
    std::vector<std::pair<int32_t, int32_t>> stack;
    const std::pair<int32_t, int32_t> around[4] = {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}};
    for (auto [nx, ny] : around)
        if (nx >= 0 && ny >= 0 && nx < w && ny < h && close(nx, ny)) stack.push_back({nx, ny});
    auto seedRow = [&](int32_t from, int32_t to, int32_t row) {
        bool inRun = false;
        for (int32_t cx = from; cx <= to; ++cx) {
            const bool open = !in(cx, row) && close(cx, row);
            if (open && !inRun) stack.push_back({cx, row});
            inRun = open;
        }
    };
    while (!stack.empty()) {
        const auto [sx, sy] = stack.back();
        stack.pop_back();
        if (in(sx, sy)) continue;
        int32_t left = sx, right = sx;
        while (left > 0 && !in(left - 1, sy) && close(left - 1, sy))
            --left;
        while (right + 1 < w && !in(right + 1, sy) && close(right + 1, sy))
            ++right;
        std::fill_n(&in(left, sy), right - left + 1, uint8_t{1});
        if (sy > 0) seedRow(left, right, sy - 1);
        if (sy + 1 < h) seedRow(left, right, sy + 1);
    }
}

void DrawMaskOutline(Picture& picture, const TBool2dArray& mask) {
    for (int32_t y = 1; y + 1 < picture.Height; ++y) {
        for (int32_t x = 1; x + 1 < picture.Width; ++x) {
            if (!mask.At(x, y)) continue;
            if (mask.At(x - 1, y) && mask.At(x + 1, y) && mask.At(x, y - 1) && mask.At(x, y + 1))
                continue;
            uint32_t& p = picture.At(x, y);
            p = (p & 0xFF000000u) | (~p & 0x00FFFFFFu);
        }
    }
}
