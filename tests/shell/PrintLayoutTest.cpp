#include "shell/vPrintLayout.h"

#include <gtest/gtest.h>

namespace {
bool Same(const PrintedSize& a, const PrintedSize& b) {
    return a.Fits == b.Fits && (!a.Fits || (a.Width == b.Width && a.Height == b.Height));
}
} // namespace

TEST(PrintLayout, PrintedSizeForEachEnlargementOnAPage) {
    constexpr int32_t pageW = 1000, pageH = 800;
    const struct {
        const char* Name;
        int32_t Choice, W, H;
        PrintedSize Expected;
    } cases[] = {
        {"original", 0, 200, 100, {true, 200, 100}},
        {"2 times", 1, 200, 100, {true, 400, 200}},
        {"3 times", 2, 200, 100, {true, 600, 300}},
        {"4 times", 3, 200, 100, {true, 800, 400}},
        {"5 times reaches the page edge", 4, 200, 100, {}},
        {"6 times", 5, 200, 100, {}},
        {"6 times of a small one", 5, 100, 100, {true, 600, 600}},
        {"as wide as the page", 0, 1000, 10, {}},
        {"as high as the page", 0, 10, 800, {}},
        {"max: largest whole factor", 6, 200, 100, {true, 1000, 500}},
        {"max: a little smaller than the page", 6, 990, 700, {true, 990, 700}},
        {"max: a third of the page", 6, 333, 266, {true, 999, 798}},
        {"max: wider than the page", 6, 2000, 500, {true, 900, 225}},
        {"max: higher than the page", 6, 500, 2000, {true, 175, 700}},
        // Both whole ratios are 0; the width's ratio would print it 859 high on an 800 page.
        {"max: the smaller ratio governs", 6, 1100, 1050, {true, 733, 700}},
        {"empty picture", 0, 0, 0, {}},
        {"empty picture, max", 6, 0, 100, {}},
        {"unknown choice", 7, 10, 10, {}},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(Same(CheckImageSize(c.Choice, c.W, c.H, pageW, pageH), c.Expected)) << c.Name;
    EXPECT_FALSE(CheckImageSize(psMaxSize, 10, 10, 0, 0).Fits);
    EXPECT_FALSE(CheckImageSize(psMaxSize, 500, 500, 100, 100).Fits);
}

TEST(PrintLayout, LegendFitsAndIsPlacedAboveOrBelow) {
    EXPECT_TRUE(LegendFitsPage(lpNone, 5000, 1000));
    EXPECT_TRUE(LegendFitsPage(lpTop, 999, 1000));
    EXPECT_FALSE(LegendFitsPage(lpTop, 1000, 1000));
    EXPECT_FALSE(LegendFitsPage(lpBottom, 1500, 1000));
    const struct {
        int32_t Place, Title, Author;
        LegendSpots Expected;
    } cases[] = {
        {lpTop, 100, 200, {175, 450, 60}},
        {lpBottom, 100, 200, {175, 450, 740}},
        // Wider than the page: the divisions truncate towards zero.
        {lpTop, 800, 402, {-50, 699, 60}},
    };
    for (const auto& c : cases) {
        const LegendSpots s = PlaceLegend(c.Place, 1000, 800, c.Title, c.Author, 20);
        EXPECT_EQ(s.TitleX, c.Expected.TitleX);
        EXPECT_EQ(s.AuthorX, c.Expected.AuthorX);
        EXPECT_EQ(s.Y, c.Expected.Y);
    }
    const PageRect r = CentredOnPage(1000, 800, {true, 301, 200});
    EXPECT_EQ(r.Left, 349);
    EXPECT_EQ(r.Top, 300);
}

TEST(PrintLayout, PagePictureScaleGrowsOnlyWhereThePageWouldNotFitItsBox) {
    constexpr int32_t boxW = 384, boxH = 484;
    const struct {
        const char* Name;
        int32_t PageW, PageH;
        bool AtBaseScale;
        int32_t PictureW, PictureH;
    } cases[] = {
        // Letter paper at 300 dots an inch.
        {"300 dpi", 2550, 3300, true, 185, 240},
        // 6664 / 13.77 is just under the box; 6665 is just over it.
        {"box height at 13.77", 5000, 6664, true, 363, 484},
        {"just over the box", 5000, 6665, false, 363, 484},
        {"1200 dpi portrait", 9584, 13700, false, 339, 484},
        {"1200 dpi landscape", 13700, 9584, false, 384, 269},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const double scale = PreviewScale(c.PageW, c.PageH, boxW, boxH);
        EXPECT_EQ(scale == 13.77, c.AtBaseScale) << scale;
        EXPECT_GE(scale, 13.77);
        EXPECT_EQ(PreviewPixels(c.PageW, scale), c.PictureW);
        EXPECT_EQ(PreviewPixels(c.PageH, scale), c.PictureH);
    }
    EXPECT_EQ(PreviewPixels(13770, 13.77), 1000);
    EXPECT_EQ(PreviewPixels(9918, 13.77), 720);
}
