#include "shell/vViewingAids.h"

#include "runtime/RtNumbers.h"

#include <algorithm>

CursorGrid ReadCursorGrid(const Picture& picture, SelectionRect box) {
    CursorGrid grid;
    if (box.Bottom < box.Top || box.Right < box.Left) return grid;
    // A picture smaller than the block has no pixel under the cells beyond its edge.
    const int rows =
        std::min({int{box.Bottom} - box.Top + 1, CursorGridSide, picture.Height - int{box.Top}});
    const int columns =
        std::min({int{box.Right} - box.Left + 1, CursorGridSide, picture.Width - int{box.Left}});
    for (int r = 0; r < rows; ++r) {
        const uint32_t* row = picture.Row(box.Top + r) + box.Left;
        for (int c = 0; c < columns; ++c)
            grid.Cells[static_cast<size_t>(r)][static_cast<size_t>(c)] =
                IntToStr(PixelRed(row[c])) + "," + IntToStr(PixelGreen(row[c])) + "," +
                IntToStr(PixelBlue(row[c]));
    }
    return grid;
}

std::vector<std::string> CursorReportLines(const CursorGrid& grid) {
    std::vector<std::string> lines;
    lines.reserve(CursorReportSide * CursorReportSide);
    for (int r = 0; r < CursorReportSide; ++r)
        for (int c = 0; c < CursorReportSide; ++c)
            lines.push_back(" Row " + IntToStr(r) + " Col " + IntToStr(c) + " : " +
                            grid.Cells[static_cast<size_t>(r)][static_cast<size_t>(c)]);
    return lines;
}

std::string CursorPanelCaption(SelectionRect box) {
    return "X: " + IntToStr(box.Left) + ".. " + IntToStr(box.Right) + " Y: " + IntToStr(box.Top) +
           ".. " + IntToStr(box.Bottom) + "   ";
}

int32_t MagnifierHalfSizeFor(int magnification) {
    return 64 / std::clamp(magnification, 2, 10);
}

void MagnifyInto(const Picture& picture, int x, int y, int halfSize, bool cross, Picture& view) {
    if (view.Width != MagnifierViewSide || view.Height != MagnifierViewSide)
        view.Resize(MagnifierViewSide, MagnifierViewSide);
    const int side = 2 * halfSize;
    constexpr uint32_t Black = 0xFF000000u;
    for (int vy = 0; vy < MagnifierViewSide; ++vy) {
        uint32_t* dst = view.Row(vy);
        const int sy = y + vy * side / MagnifierViewSide;
        if (sy < 0 || sy >= picture.Height) {
            std::fill_n(dst, MagnifierViewSide, Black);
            continue;
        }
        const uint32_t* src = picture.Row(sy);
        for (int vx = 0; vx < MagnifierViewSide; ++vx) {
            const int sx = x + vx * side / MagnifierViewSide;
            dst[vx] = sx >= 0 && sx < picture.Width ? src[sx] : Black;
        }
    }
    if (!cross) return;
    constexpr int Middle = MagnifierViewSide / 2;
    for (int i = 0; i < MagnifierViewSide; ++i) {
        view.At(Middle - 1, i) = view.At(Middle, i) = Black;
        view.At(i, Middle - 1) = view.At(i, Middle) = Black;
    }
}
