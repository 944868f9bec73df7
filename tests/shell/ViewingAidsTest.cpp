#include "shell/vViewingAids.h"

#include <gtest/gtest.h>

namespace {

// Red the column, green the row, blue their sum (mod 256).
Picture Coordinates(int w, int h) {
    Picture p;
    p.Resize(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            p.At(x, y) = PackPixel(static_cast<uint8_t>(x), static_cast<uint8_t>(y),
                                   static_cast<uint8_t>(x + y));
    return p;
}

} // namespace

TEST(CursorGrid, ReportHas625LinesRowByRowWithColumnsInside) {
    Picture p = Coordinates(60, 50);
    // A pure blue pixel four columns right of and three rows below the box's corner.
    p.At(5 + 4, 7 + 3) = PackPixel(0, 0, 255);
    const SelectionRect box{5, 30, 7, 32};
    const std::vector<std::string> lines = CursorReportLines(ReadCursorGrid(p, box));
    ASSERT_EQ(lines.size(), 625u);
    const struct {
        size_t Index;
        const char* Line;
    } cases[] = {
        {0, " Row 0 Col 0 : 5,7,12"},           {1, " Row 0 Col 1 : 6,7,13"},
        {24, " Row 0 Col 24 : 29,7,36"},        {25, " Row 1 Col 0 : 5,8,13"},
        {3 * 25 + 4, " Row 3 Col 4 : 0,0,255"}, {624, " Row 24 Col 24 : 29,31,60"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(lines[c.Index], c.Line);
    // The last grid column and row are shown but not reported.
    const CursorGrid grid = ReadCursorGrid(p, box);
    EXPECT_EQ(grid.Cells[0][25], "30,7,37");
    EXPECT_EQ(grid.Cells[25][0], "5,32,37");
}

TEST(CursorGrid, CellsBeyondASmallPictureStayEmpty) {
    const CursorGrid grid = ReadCursorGrid(Coordinates(10, 4), {0, 9, 0, 3});
    EXPECT_EQ(grid.Cells[3][9], "9,3,12");
    EXPECT_EQ(grid.Cells[3][10], "");
    EXPECT_EQ(grid.Cells[4][0], "");
    const std::vector<std::string> lines = CursorReportLines(grid);
    ASSERT_EQ(lines.size(), 625u);
    EXPECT_EQ(lines[4 * 25], " Row 4 Col 0 : ");
    // A box lying past the picture's edges, or with its bottom above its top, reads nothing.
    EXPECT_EQ(ReadCursorGrid(Coordinates(10, 4), {20, 45, 10, 35}).Cells[0][0], "");
    for (const auto& column : ReadCursorGrid(Coordinates(60, 50), {5, 30, 20, 10}).Cells)
        for (const auto& cell : column)
            EXPECT_EQ(cell, "");
}

TEST(Magnifier, ViewRepeatsEachPixelAndCrossesTheCentre) {
    const Picture p = Coordinates(200, 150);
    const uint32_t black = 0xFF000000u;
    const struct {
        int Magnification;
        bool Cross;
    } cases[] = {{2, true}, {2, false}, {4, true}, {10, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Magnification);
        const int half = MagnifierHalfSizeFor(c.Magnification), side = 2 * half;
        Picture view;
        MagnifyInto(p, 20, 30, half, c.Cross, view);
        ASSERT_EQ(view.Width, MagnifierViewSide);
        ASSERT_EQ(view.Height, MagnifierViewSide);
        for (int vy = 0; vy < 128; ++vy)
            for (int vx = 0; vx < 128; ++vx) {
                const bool onCross = c.Cross && (vx == 63 || vx == 64 || vy == 63 || vy == 64);
                const uint32_t want =
                    onCross ? black : p.At(20 + vx * side / 128, 30 + vy * side / 128);
                ASSERT_EQ(view.At(vx, vy), want) << vx << "," << vy;
            }
        // The square shown is exactly 2 x half-size pixels wide.
        EXPECT_EQ(view.At(127, 0), p.At(20 + side - 1, 30));
    }
}

TEST(Magnifier, PixelsBeyondASmallPictureAreBlack) {
    const Picture p = Coordinates(20, 10);
    Picture view;
    MagnifyInto(p, 0, 0, 32, false, view);
    EXPECT_EQ(view.At(0, 0), p.At(0, 0));
    EXPECT_EQ(view.At(39, 19), p.At(19, 9));
    EXPECT_EQ(view.At(40, 0), 0xFF000000u);
    EXPECT_EQ(view.At(0, 20), 0xFF000000u);
}
