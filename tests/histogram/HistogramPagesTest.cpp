// The histogram window's pages without the window: bars drawn into pictures, the natural-break
// edits read as breaks, the proposed picture names and the statistics text.
#include "histogram/vHistogramPages.h"

#include "histogram/ClassDisplaySupport.h"
#include "histogram/HistogramFixture.h"
#include "histogram/vSeedBreaks.h"

namespace {

using HistogramPages = HistogramFixture;

constexpr uint32_t White = 0xFFFFFFFFu;
constexpr uint32_t Red = 0xFFFF0000u;

TEST(HistogramPlot, BarsScaleToTheModeAndStandAtTheirColumns) {
    BandHistogram h{};
    h[0] = 100; // the mode
    h[1] = 50;
    h[2] = 1;
    h[3] = 150; // more than the mode's count: statistics of another picture
    Picture p;
    p.Resize(300, 120);
    PlotHistogramBars(h, 0, UniformBars(0x0000FF), BandHistogramLayout, p);
    struct Case {
        int Column;
        std::pair<int, int> Rows;
    };
    // 120 - round(50 * 1.2) = 60; 120 - round(1.2) = 119; empty bins leave white.
    for (const Case& c : {Case{25, {0, 119}},
                          {26, {60, 119}},
                          {27, {119, 119}},
                          {28, {0, 119}},
                          {29, {-1, -1}},
                          {24, {-1, -1}},
                          {280, {-1, -1}}})
        EXPECT_EQ(RowsOf(p, c.Column, Red), c.Rows) << c.Column;
    EXPECT_EQ(p.At(26, 59), White);

    PlotColumn(BandHistogramEndMarks[1], 0x008000, p);
    EXPECT_EQ(RowsOf(p, 281, 0xFF008000u), (std::pair{0, 119}));
}

TEST(HistogramPlot, ABandWithoutACountAtItsModeDrawsNoBars) {
    BandHistogram h{};
    h[9] = 5;
    Picture p;
    p.Resize(512, 50);
    for (int mode : {0, 300}) {
        std::fill(p.Pixels.begin(), p.Pixels.end(), 0xFF000000u);
        PlotHistogramBars(h, mode, UniformBars(BlackColor), NaturalBreakLayout, p);
        PlotHistogramBar(h, mode, 9, 0x0000FF, NaturalBreakLayout, p);
        EXPECT_TRUE(std::all_of(p.Pixels.begin(), p.Pixels.end(), [](uint32_t px) {
            return px == White;
        })) << mode;
    }
}

TEST(HistogramPlot, BreakEditsAreWholeNumbersClampedToAByte) {
    const std::pair<const char*, int> cases[] = {
        {"44", 44}, {" 7 ", 7},   {"300", 255}, {"-3", 0}, {"", 0},
        {"abc", 0}, {"12abc", 0}, {"255", 255}, {"0", 0},  {"1e2", 0},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(BreakFromText(text), value) << text;
}

TEST(HistogramPlot, SavedPicturesAreProposedUnderThePicturesNameLessFourCharacters) {
    const std::array<std::array<const char*, 4>, 4> cases{{
        {"/data/", "field.png", "HR.bmp", "/data/fieldHR.bmp"},
        {"/data/", "olinda_rgb432.bmp", "HNB.bmp", "/data/olinda_rgb432HNB.bmp"},
        {"", "a.tiff", "SCB.bmp", "a.SCB.bmp"},
        {"/d/", "abc", "HG.bmp", "/d/HG.bmp"},
    }};
    for (const auto& c : cases)
        EXPECT_EQ(HistogramPictureName(c[0], c[1], c[2]), c[3]) << c[1];
}

TEST_F(HistogramPages, StatisticsTextListsSizePairsBandsAndEveryTableRow) {
    ShowSixPixels();
    BandPairStats = {{{12.5, 0.25}, {-3.0, -0.125}, {1234.5678, 1.0}}};
    BandHistogramStats[BandRed] = {10, 40, 23, 20, 20, 140, 6, 31};
    BandSpread[BandRed] = {9.8319208, 96.666667};
    BandHistogramStats[BandBlue].Mean = 95;
    BandSpread[BandBlue] = {0.0, 0.0};
    SeedBreakTables[BandGreen][0] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 255};
    SeedBreakTables[BandBlue][9] = {9, 15, 19, 28, 44, 69, 105, 154, 218, 255};
    const std::vector<std::string> lines = ClassifierStatisticsText();
    ASSERT_EQ(lines.size(), 3u + 6u + 3u * 7u + 10u * 4u);
    const std::vector<std::string> head(lines.begin(), lines.begin() + 16);
    EXPECT_EQ(head, (std::vector<std::string>{"Image Size: 6", "Image Width: 3", "Image Height: 2",
                                              "B12CoVariance  12.500", "B12R   0.250",
                                              "B13CoVariance  -3.000", "B13R  -0.125",
                                              "B23CoVariance1234.568", "B23R   1.000", "RedMin10",
                                              "RedMode20", "RedMedian20", "RedMax40", "RedMean23",
                                              "RedVariance   96.67", "RedSD    9.83"}));
    EXPECT_EQ(lines[16], "GreenMin0");
    EXPECT_EQ(lines[27], "BlueMean95");
    EXPECT_EQ(lines[29], "BlueSD    0.00");
    EXPECT_EQ(lines[30], "0");
    EXPECT_EQ(lines[31],
              "Red:    [0]: 0 [1]: 0 [2]: 0 [3]: 0 [4]: 0 [5]: 0 [6]: 0 [7]: 0 [8]: 0 [9]: 0");
    EXPECT_EQ(lines[32], "Green:  [0]: 0 [1]: 1 [2]: 2 [3]: 3 [4]: 4 [5]: 5 [6]: 6 [7]: 7 [8]: 8 "
                         "[9]: 255");
    EXPECT_EQ(lines[66], "9");
    EXPECT_EQ(lines[69], "Blue:    [0]: 9 [1]: 15 [2]: 19 [3]: 28 [4]: 44 [5]: 69 [6]: 105 "
                         "[7]: 154 [8]: 218 [9]: 255");
}

TEST(SeedMethodItems, TheNineItemTextsInRowOrder) {
    const std::vector<std::string> items(SeedMethodItems, SeedMethodItems + SeedMethodItemCount);
    EXPECT_EQ(items, (std::vector<std::string>{"Natural Break Class", "Best Fit Class",
                                               "Steps Class", "Area Class", "Median Standard D",
                                               "Mean S Deviation", "Arithmatic Increasing",
                                               "Geometric Increasing", "Reciprocal (Decreasing)"}));
}

} // namespace
