// Magic-wand region growing and outline.
#include "histogram/vAgfxMasks.h"

#include <algorithm>
#include <array>
#include <cmath>

bool WandActive = false;
bool WandBusy = false;

namespace {

// A queue of waiting pixels (their offsets in the picture), read from the front. The waiting
// part is moved to the front once the read part is large, so memory follows the number of
// points waiting at once, not the size of the region, and no point is ever dropped.
class PointQueue {
  public:
    void Push(uint32_t offset) { Items.push_back(offset); }
    bool Pop(uint32_t& offset) {
        if (Next == Items.size()) return false;
        offset = Items[Next++];
        if (Next > 75000 && Next * 2 > Items.size()) {
            Items.erase(Items.begin(), Items.begin() + static_cast<std::ptrdiff_t>(Next));
            Next = 0;
        }
        return true;
    }

  private:
    std::vector<uint32_t> Items;
    size_t Next = 0;
};

} // namespace

void MagicWandMask(const Picture& picture, int32_t x, int32_t y, TBool2dArray& mask,
                   double tolerance, uint32_t seedColor) {
    const int32_t w = picture.Width, h = picture.Height;
    mask.Resize(w + 5, h + 5);
    if (picture.Empty() || x < 0 || y < 0 || x >= w || y >= h) return;
    // A channel value is near the seed's when it lies within the limit: one table per channel,
    // so the test per neighbour is three look-ups.
    const double limit = tolerance * 150.0;
    const int seed[3] = {static_cast<int>(seedColor & 0xFF), static_cast<int>((seedColor >> 8) & 0xFF),
                         static_cast<int>((seedColor >> 16) & 0xFF)};
    std::array<std::array<uint8_t, 256>, 3> near{};
    for (int c = 0; c < 3; ++c)
        for (int v = 0; v < 256; ++v)
            near[c][v] = std::fabs(static_cast<double>(v - seed[c])) <= limit;
    // The region in picture offsets first (a flat, tight mask), copied into the wider mask last.
    std::vector<uint8_t> in(static_cast<size_t>(w) * h, 0);
    const uint32_t* px = picture.Pixels.data();
    auto close = [&](uint32_t o) {
        const uint32_t p = px[o];
        return near[0][PixelRed(p)] & near[1][PixelGreen(p)] & near[2][PixelBlue(p)];
    };
    PointQueue queue;
    auto check = [&](uint32_t o) {
        if (!in[o] && close(o)) {
            in[o] = 1;
            queue.Push(o);
        }
    };
    uint32_t o = static_cast<uint32_t>(y) * static_cast<uint32_t>(w) + static_cast<uint32_t>(x);
    do {
        const int32_t px_ = static_cast<int32_t>(o % static_cast<uint32_t>(w));
        const int32_t py = static_cast<int32_t>(o / static_cast<uint32_t>(w));
        if (px_ + 1 < w) check(o + 1);
        if (px_ > 0) check(o - 1);
        if (py + 1 < h) check(o + static_cast<uint32_t>(w));
        if (py > 0) check(o - static_cast<uint32_t>(w));
    } while (queue.Pop(o));
    for (int32_t row = 0; row < h; ++row)
        std::copy_n(in.data() + static_cast<size_t>(row) * w, w,
                    mask.Cells.data() + static_cast<size_t>(row) * mask.Width);
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
