#include "algebra/vFilterEditorState.h"

#include <gtest/gtest.h>

namespace {

using Texts = std::vector<std::string>;

Texts WithTopCentre(size_t cells, size_t at, const std::string& text) {
    Texts t(cells, "0");
    t[at] = text;
    return t;
}

TEST(FilterPreset, FilletGrowsFromTheTopCentre) {
    const struct {
        const char* Top;
        bool Done;
        Texts Expected;
    } cases[] = {
        {"4",
         true,
         {"-2.0000", "4.0000", "-2.0000", "4.0000", "-8.0000", "4.0000", "-2.0000", "4.0000",
          "-2.0000"}},
        {" -4 ",
         true,
         {"2.0000", "-4.0000", "2.0000", "-4.0000", "8.0000", "-4.0000", "2.0000", "-4.0000",
          "2.0000"}},
        {"4x", false, WithTopCentre(9, 1, "4x")},
        {"", false, WithTopCentre(9, 1, "")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Top);
        Texts grid = WithTopCentre(9, 1, c.Top);
        EXPECT_EQ(FilletPreset(grid), c.Done);
        EXPECT_EQ(grid, c.Expected);
    }
}

TEST(FilterPreset, FullRKeepsCornersAndCopiesTheCrossEnds) {
    Texts grid = WithTopCentre(25, 2, "9");
    grid[0] = "a";
    grid[24] = "7";
    ASSERT_TRUE(FullRPreset(grid));
    const Texts expected = {"a",      "3.0000",  "9",        "3.0000",  "0",      //
                            "3.0000", "-3.0000", "-9.0000",  "-3.0000", "3.0000", //
                            "9",      "-9.0000", "-18.0000", "-9.0000", "9",      //
                            "3.0000", "-3.0000", "-9.0000",  "-3.0000", "3.0000", //
                            "0",      "3.0000",  "9",        "3.0000",  "7"};
    EXPECT_EQ(grid, expected);
    Texts bad = WithTopCentre(25, 2, "-");
    EXPECT_FALSE(FullRPreset(bad));
}

TEST(FilterPreset, WavesSumToZeroAroundTheCentre) {
    const struct {
        bool Cosine;
        int32_t K;
        std::string Edge, Corner, Centre;
    } cases[] = {
        {false, 1, "0.8415", "0.6985", "-6.1597"},
        {true, 1, "0.5403", "0.1103", "-2.6023"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Cosine);
        Texts grid(9, "0");
        ASSERT_TRUE(WavePreset(grid, 3, c.K, c.Cosine));
        EXPECT_EQ(grid, (Texts{c.Corner, c.Edge, c.Corner, c.Edge, c.Centre, c.Edge, c.Corner,
                               c.Edge, c.Corner}));
    }
    Texts grid(9, "0");
    EXPECT_FALSE(WavePreset(grid, 3, 0, false));
    EXPECT_EQ(grid, Texts(9, "0"));
}

TEST(FilterPreset, ExtensionsAndSizeItemsCoverEveryKindAndSize) {
    const struct {
        KernelKind Kind;
        int32_t N;
        const char* Extension;
        int32_t Item;
    } cases[] = {{KernelKind::Integer, 3, "RL3", 0},
                 {KernelKind::Real, 5, "RR5", 1},
                 {KernelKind::Pair, 7, "R27", 2},
                 {KernelKind::Eight, 9, "R89", 3}};
    for (const auto& c : cases) {
        EXPECT_EQ(FilterExtensionOf(c.Kind, c.N), c.Extension);
        EXPECT_EQ(SizeItemOf(c.N), c.Item);
    }
    for (int32_t n : {0, 1, 2, 4, 11})
        EXPECT_EQ(SizeItemOf(n), -1) << n;
}

} // namespace
