// Line-feature engines on small hand-drawn pictures. Coordinates are the buffers' (row 0 at the
// bottom, north is y + 1); pictures are drawn in them and read back in them.
#include "histogram/vUILinear.h"

#include "support/EngineTestImage.h"
#include "support/PngTestReader.h"
#include "support/TestFiles.h"

#include <chrono>

namespace {

constexpr Rgb Black{0, 0, 0}, White{255, 255, 255};
constexpr Rgb RedMark{239, 0, 0}, GreenMark{0, 239, 0}, BlueMark{0, 0, 239};

class LinearEngines : public EngineTestImage {
  protected:
    struct Grid {
        int W, H;
        std::vector<Rgb> Px; // rows top first, as the picture holds them
        Rgb& At(int x, int y) { return Px[static_cast<size_t>(H - 1 - y) * W + x]; }
    };
    static Grid Uniform(int w, int h, Rgb c) { return {w, h, std::vector<Rgb>(w * h, c)}; }
    void Load(const Grid& g) { EngineTestImage::Load(g.W, g.Px); }
    static Grid ShownGrid(int w, int h) { return {w, h, Shown()}; }
    // Everything within the black border the 3 x 3 operators leave: two bands at the low ends,
    // three at the high ends.
    static bool InBorder(const Grid& g, int x, int y) {
        return x <= 1 || y <= 1 || x >= g.W - 3 || y >= g.H - 3;
    }
};

TEST_F(LinearEngines, AContourTakesRedFirstAndOnlyTheNorthEastNeighbour) {
    Grid g = Uniform(7, 7, {50, 50, 50});
    g.At(2, 2) = {100, 100, 50}; // red and green on their levels: red wins
    g.At(2, 3) = {150, 100, 50}; // green on its level; crosses red for (3, 2), its north-west
    g.At(4, 4) = {50, 50, 150};  // north-east of (3, 3): crosses blue
    Load(g);
    FilterKernelSize = 7;
    AContour(100, 100, 100);
    Grid out = ShownGrid(7, 7);
    EXPECT_EQ(out.At(2, 2), RedMark);
    EXPECT_EQ(out.At(3, 2), White);
    EXPECT_EQ(out.At(2, 3), GreenMark);
    EXPECT_EQ(out.At(3, 3), BlueMark);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 7; ++x)
            if (InBorder(out, x, y)) {
                EXPECT_EQ(out.At(x, y), Black) << x << "," << y;
            }
    EXPECT_EQ(FilterKernelSize, 3);
}

// The engine evaluates the rules through masks; here they are evaluated as written, pixel by
// pixel, on a picture of few values so that every rule and tie occurs.
TEST_F(LinearEngines, DoContourAgreesWithTheRulesAsWritten) {
    Grid g = Uniform(23, 17, {0, 0, 0});
    uint32_t seed = 7;
    for (Rgb& p : g.Px)
        for (int& v : p) {
            seed = seed * 1664525u + 1013904223u;
            v = 98 + static_cast<int>((seed >> 16) % 5);
        }
    Load(g);
    Do_Contour(100, 99, 101);
    Grid out = ShownGrid(23, 17);
    const int levels[3] = {100, 99, 101};
    const Rgb marks[3] = {RedMark, GreenMark, BlueMark};
    for (int y = 1; y < 16; ++y)
        for (int x = 1; x < 22; ++x) {
            Rgb want = White;
            for (int c = 0; c < 3 && want == White; ++c) {
                const int v = g.At(x, y)[c], L = levels[c];
                bool hit = v == L;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int n = g.At(x + dx, y + dy)[c];
                        hit = hit || (v < L && L < n) || (n < L && L < v);
                    }
                if (hit) want = marks[c];
            }
            EXPECT_EQ(out.At(x, y), want) << x << "," << y;
        }
    // The frame keeps the picture.
    for (int x = 0; x < 23; ++x)
        EXPECT_TRUE(out.At(x, 0) == g.At(x, 0) && out.At(x, 16) == g.At(x, 16)) << x;
    for (int y = 0; y < 17; ++y)
        EXPECT_TRUE(out.At(0, y) == g.At(0, y) && out.At(22, y) == g.At(22, y)) << y;
}

TEST_F(LinearEngines, DoEdgeFlowKeepsRedMultiplesAndLeavesTheLastRowAndColumn) {
    // clang-format off
    Grid g{3, 3, {{1, 2, 3},   {100, 5, 6}, {99, 8, 9},
                  {100, 9, 9}, {99, 9, 9},  {0, 9, 9},
                  {200, 1, 1}, {250, 2, 2}, {7, 7, 7}}};
    Load(g);
    Do_EdgeFlow(50);
    // Rows top first: the top row and the right column keep the picture.
    EXPECT_EQ(Shown(), (std::vector<Rgb>{{1, 2, 3},   {100, 5, 6}, {99, 8, 9},
                                         {100, 0, 0}, White,       {0, 9, 9},
                                         {200, 0, 0}, {250, 0, 0}, {7, 7, 7}}));
    // clang-format on
}

TEST_F(LinearEngines, ContourIntervalDrawsTheMultiplesOfTheIntervalOnARamp) {
    Grid g = Uniform(16, 6, {7, 0, 7});
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 16; ++x)
            g.At(x, y) = {7, 3 * x, 7};
    Load(g);
    ContourInterval(10, 1);
    Grid out = ShownGrid(16, 6);
    auto level = [](int v) { return Rgb{0, v, 0}; };
    const std::vector<Rgb> row2{Black,     Black,     White, level(10), level(10), White,
                                level(20), level(20), White, White,     level(30), White,
                                White,     Black,     Black, Black};
    for (int x = 0; x < 16; ++x)
        EXPECT_EQ(out.At(x, 2), row2[x]) << x;
    EXPECT_EQ(FilterKernelSize, 3);
}

TEST_F(LinearEngines, ContourIntervalEdgeValues) {
    struct Case {
        int Interval, Band;
        std::vector<int> Green, Expected; // green of the interior row; -1 white
    };
    const std::vector<Case> cases{
        // The only level is 255 and nothing lies above it: 0 and 255 stay, the rest is white.
        {255, 1, {0, 255, 128, 254, 0, 255}, {0, 255, -1, -1, 0, 255}},
        // An unknown band marks nothing.
        {10, 3, {0, 10, 20, 30, 40, 50}, {-1, -1, -1, -1, -1, -1}},
    };
    for (const auto& c : cases) {
        Grid g = Uniform(10, 5, {9, 9, 9});
        for (int x = 0; x < 6; ++x)
            for (int y = 0; y < 5; ++y)
                g.At(2 + x, y) = {9, c.Green[x], 9};
        // Lone values: neighbours of the same value cross nothing.
        Load(g);
        ContourInterval(c.Interval, c.Band);
        Grid out = ShownGrid(10, 5);
        for (int x = 0; x < 6; ++x) {
            if (InBorder(out, 2 + x, 2)) continue;
            const Rgb want = c.Expected[x] < 0 ? White : Rgb{0, c.Expected[x], 0};
            EXPECT_EQ(out.At(2 + x, 2), want) << c.Interval << " column " << x;
        }
    }
}

TEST_F(LinearEngines, AnIntervalOfZeroDoesNothing) {
    LoadUniform(4, 4, {10, 20, 30});
    const std::vector<Rgb> before = Shown();
    Do_EdgeFlow(0);
    ContourInterval(0, 0);
    EXPECT_EQ(Shown(), before);
    EXPECT_TRUE(Rec.Status1.empty());
    EXPECT_EQ(Rec.PictureChanges, 0);
}

// A vertical run of one green level: every trace climbs to the frame. Traces of length 30 or
// more keep their 255 marks; shorter ones (starting at row 16 and above) are repainted with 1
// and end black on the frame.
TEST_F(LinearEngines, EdgeFollowRepaintsTracesShorterThanThirty) {
    Grid g = Uniform(5, 45, {0, 0, 0});
    for (int y = 0; y < 45; ++y)
        g.At(2, y) = {0, 100, 0};
    Load(g);
    Do_EdgeFollow(100);
    Grid out = ShownGrid(5, 45);
    EXPECT_EQ(out.At(2, 0), (Rgb{0, 100, 0}));
    for (int y = 1; y <= 15; ++y)
        EXPECT_EQ(out.At(2, y), (Rgb{0, 255, 0})) << y;
    for (int y = 16; y <= 43; ++y)
        EXPECT_EQ(out.At(2, y), (Rgb{0, 1, 0})) << y;
    EXPECT_EQ(out.At(2, 44), Black);
}

TEST_F(LinearEngines, EdgeFollowEndsATraceThatComesBackOnItself) {
    // From the left pixel the east rule applies, from the right one the west rule: the walk would
    // go back and forth for ever. Each trace ends where it comes back, short, and its repaint
    // pass (no rule holds with mark 1) blackens its start; the second trace's first pass has
    // marked the left pixel again.
    Grid g = Uniform(6, 3, {0, 0, 0});
    g.At(1, 1) = g.At(4, 1) = {0, 255, 0};
    g.At(2, 1) = g.At(3, 1) = {0, 100, 0};
    Load(g);
    Do_EdgeFollow(100);
    Grid expected = g;
    expected.At(2, 1) = {0, 255, 0};
    expected.At(3, 1) = Black;
    EXPECT_EQ(ShownGrid(6, 3).Px, expected.Px);
}

TEST_F(LinearEngines, EdgeFollowEndsOnTheAerialPhotograph) {
    Picture photo;
    ASSERT_TRUE(ReadPngForTest(TestData("aerial/aero1.png"), photo));
    Show(std::move(photo));
    const auto start = std::chrono::steady_clock::now();
    for (int level : {40, 128, 200})
        Do_EdgeFollow(level);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    EXPECT_EQ(Rec.Status1.back(), "Image processed");
}

} // namespace
