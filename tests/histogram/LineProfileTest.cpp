// Line hit tests and the line-profile table.
#include "histogram/vProfileTable.h"
#include "histogram/vULineLibrary.h"

#include "support/EngineTestImage.h"

namespace {

TEST(LineGeometry, HitTestsOnTheirBoundaries) {
    struct Case {
        ImagePoint P, A, B;
        bool Near;
    };
    const std::vector<Case> lines{
        {{0, 0}, {0, 0}, {0, 0}, false}, // no line through coinciding points
        {{5, 4}, {0, 0}, {10, 0}, true},
        {{5, -4}, {0, 0}, {10, 0}, true},
        {{5, 5}, {0, 0}, {10, 0}, false},
        {{11, 0}, {0, 0}, {10, 0}, false},
        {{-1, 0}, {10, 0}, {0, 0}, false},
        {{4, 5}, {0, 0}, {2, 10}, true}, // mostly vertical: x on the line at y = 5 is 1
        {{6, 5}, {0, 0}, {2, 10}, false},
        {{1, 11}, {0, 0}, {2, 10}, false},
        // Round half to even: on y = x / 2 at x = 5 the line is at 2.5, which rounds to 2.
        {{5, 6}, {0, 0}, {10, 5}, true},
        {{5, -2}, {0, 0}, {10, 5}, true},
        {{5, -3}, {0, 0}, {10, 5}, false},
    };
    for (const auto& c : lines)
        EXPECT_EQ(PointCloseToLine(c.P, c.A, c.B), c.Near)
            << c.P.X << "," << c.P.Y << " to " << c.A.X << "," << c.A.Y << "-" << c.B.X << ","
            << c.B.Y;
    EXPECT_TRUE(PointCloseToPoint({10, 10}, 4, {14, 6}));
    EXPECT_FALSE(PointCloseToPoint({10, 10}, 4, {15, 10}));
    EXPECT_FALSE(PointCloseToPoint({10, 10}, 4, {10, 5}));

    double slope, intercept;
    uint8_t orientation;
    LineThroughPoints({1, 2}, {5, 4}, slope, orientation, intercept);
    EXPECT_EQ(orientation, 1);
    EXPECT_DOUBLE_EQ(slope, 0.5);
    EXPECT_DOUBLE_EQ(intercept, 1.5);
    LineThroughPoints({1, 2}, {3, 6}, slope, orientation, intercept); // |dx| < |dy|
    EXPECT_EQ(orientation, 2);
    EXPECT_DOUBLE_EQ(slope, 0.5);
    EXPECT_DOUBLE_EQ(intercept, 0.0);
    LineThroughPoints({3, 3}, {-1, -1}, slope, orientation, intercept); // a tie is horizontal
    EXPECT_EQ(orientation, 1);
    ImagePoint c;
    AddPoints({1, -2}, {10, 20}, c);
    EXPECT_EQ(c.X * 1000 + c.Y, 11018);
    SubtractPoints({1, -2}, {10, 20}, c);
    EXPECT_EQ(c.X * 1000 + c.Y, -9022);
}

TEST(LineProfileTable, HsvBytesAxisIncrementsAndPointsText) {
    struct Hsv {
        int R, G, B, H, S, V;
    };
    for (const Hsv& c : std::vector<Hsv>{{255, 255, 0, 60, 255, 255},
                                         {0, 0, 0, 0, 0, 0},
                                         {128, 128, 128, 0, 0, 128},
                                         {255, 0, 5, 359, 255, 255},
                                         {10, 20, 30, 210, 170, 30},
                                         {0, 255, 0, 120, 255, 255}}) {
        int32_t h, s, v;
        RGBToHSVBytes(h, s, v, c.R, c.G, c.B);
        EXPECT_EQ((std::array<int, 3>{h, s, v}), (std::array<int, 3>{c.H, c.S, c.V}))
            << c.R << "," << c.G << "," << c.B;
    }
    const std::vector<std::pair<int, int>> increments{{2, 1},    {10, 1},    {11, 5},   {50, 5},
                                                      {51, 10},  {125, 10},  {126, 25}, {250, 25},
                                                      {251, 50}, {10000, 50}};
    for (auto [n, inc] : increments)
        EXPECT_EQ(ProfileAxisIncrement(n), inc) << n;
    EXPECT_EQ(ProfilePointsText({10, 20}, {13, 24}),
              "Points = (10, 20)   (13, 24)     Distance = 5.0");
    EXPECT_EQ(ProfilePointsText(UnsetPoint, {13, 24}), "");
    EXPECT_EQ(ProfileSteps({0, 0}, {1, 1}), 1);
    EXPECT_EQ(ProfileSteps(UnsetPoint, UnsetPoint), 0);
}

class LineProfileSamples : public EngineTestImage {};

// A step edge from (10, 20, 30) to (200, 100, 50) between columns 9 and 10, profiled from
// column 2 to 17: the table's rows as the data page shows them, written out by hand.
TEST_F(LineProfileSamples, StepEdgeGivesTheTableAndSlopes) {
    std::vector<Rgb> px;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 20; ++x)
            px.push_back(x < 10 ? Rgb{10, 20, 30} : Rgb{200, 100, 50});
    Load(20, px);
    CopyImageForProcessing();
    const LineProfile p = BuildLineProfile({2, 1}, {17, 1}, "step");
    ASSERT_EQ(p.Samples.size(), 16u);
    ASSERT_EQ(p.Lines.size(), 20u);
    EXPECT_EQ(p.Lines[0], "step");
    EXPECT_EQ(p.Lines[1], " ");
    EXPECT_EQ(p.Lines[2], " #      X     Y      R   slope  G   slope  B   slope  I     H   S   V");
    EXPECT_EQ(p.Lines[3], "---   ----- -----   --- ------ --- ------ --- ------ ---   --- --- ---");
    EXPECT_EQ(p.Lines[4], "  0     2.5   1.5    10         20         30         20   210 170  30");
    EXPECT_EQ(p.Lines[4 + 3],
              "  3     5.5   1.5    10   0.0   20   0.0   30   0.0   20   210 170  30");
    EXPECT_EQ(p.Lines[4 + 6],
              "  6     8.5   1.5    10  38.0   20  16.0   30   4.0   20   210 170  30");
    EXPECT_EQ(p.Lines[4 + 10],
              " 10    12.5   1.5   200  38.0  100  16.0   50   4.0  116    20 191 200");
    EXPECT_EQ(p.Lines[4 + 11],
              " 11    13.5   1.5   200   0.0  100   0.0   50   0.0  116    20 191 200");
    EXPECT_EQ(p.Lines[4 + 13],
              " 13    15.5   1.5   200        100         50        116    20 191 200");
}

TEST_F(LineProfileSamples, ShortLinesGiveNothingAndLinesOffThePictureReadItsEdge) {
    LoadUniform(4, 4, {9, 9, 9});
    CopyImageForProcessing();
    EXPECT_TRUE(BuildLineProfile({1, 1}, {2, 2}, "x").Lines.empty());
    EXPECT_TRUE(BuildLineProfile(UnsetPoint, {2, 2}, "x").Lines.empty());
    // A line dragged wholly past the picture's corner samples the corner pixels.
    const LineProfile p = BuildLineProfile({-40, -40}, {60, 70}, "x");
    ASSERT_EQ(p.Samples.size(), 149u);
    for (const auto& s : p.Samples)
        EXPECT_EQ(s.R + s.G + s.B, 27);
    const LineProfile h = BuildLineProfile({10, 20}, {15, 20}, "x");
    ASSERT_EQ(h.Samples.size(), 6u);
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_DOUBLE_EQ(h.Samples[i].X, 10.5 + static_cast<double>(i));
        EXPECT_DOUBLE_EQ(h.Samples[i].Y, 20.5);
    }
}

} // namespace
