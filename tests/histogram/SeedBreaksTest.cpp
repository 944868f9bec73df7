#include "histogram/vSeedBreaks.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using Breaks = std::array<int, 9>; // elements 1..9

Breaks Of(const SeedBreakRow& row) {
    Breaks b;
    for (int k = 1; k <= 9; ++k)
        b[k - 1] = row[k];
    return b;
}

BandHistogram Filled(int (*count)(int)) {
    BandHistogram h;
    for (int i = 0; i < 256; ++i)
        h[i] = count(i);
    return h;
}

const Breaks None = {255, 255, 255, 255, 255, 255, 255, 255, 255};

} // namespace

TEST(SeedBreaks, NaturalBreaksAtTheValleysOfTheSmoothedHistogram) {
    const std::tuple<const char*, int (*)(int), Breaks> cases[] = {
        {"single peak: no valley", [](int i) { return 200 - std::abs(i - 120); }, None},
        // The slope at i compares bins i+2 and i-3, so a V bottoming at 100 turns at 101.
        {"one V",
         [](int i) { return std::abs(i - 100); },
         {101, 255, 255, 255, 255, 255, 255, 255, 255}},
        {"flat floor between the sides", [](int i) { return i < 50 || i >= 100 ? 100 : 0; }, None},
        // Thirteen valleys (11, 31, ..., 251): the first eight are kept.
        {"sawtooth",
         [](int i) { return std::abs(i % 20 - 10); },
         {11, 31, 51, 71, 91, 111, 131, 151, 255}},
    };
    for (const auto& [what, count, expected] : cases) {
        SeedBreakRow row{};
        row[0] = 42;
        NaturalBreakRow(Filled(count), row);
        EXPECT_EQ(Of(row), expected) << what;
        EXPECT_EQ(row[0], 42) << what;
    }
}

TEST(SeedBreaks, StepsFromTheMinimum) {
    SeedBreakRow row{};
    StepsRow(10, 100, row);
    EXPECT_EQ(Of(row), (Breaks{21, 32, 43, 54, 65, 76, 87, 98, 255}));
}

TEST(SeedBreaks, AreaRowsReachEqualCounts) {
    SeedBreakRow row{};
    // 256 pixels, target 28: each class ends where its count reaches 28 and the next class
    // counts that bin again.
    AreaRow(Filled([](int) { return 1; }), 256, row);
    EXPECT_EQ(Of(row), (Breaks{28, 55, 82, 109, 136, 163, 190, 217, 255}));
    // Mostly zero: the pixels above 0 never reach the target and the scan ends at 255.
    BandHistogram dark{};
    dark[0] = 1000;
    dark[5] = 1;
    AreaRow(dark, 1001, row);
    EXPECT_EQ(Of(row), None);
}

TEST(SeedBreaks, DeviationRowsAreClampedAndRoundedHalfEven) {
    // Median (else mean), centre, range, standard deviation, breaks. A wide band has f = 1, a
    // narrow one is compressed by f = 80 / 160; breaks are clamped to 0..255.
    const std::tuple<bool, int32_t, int32_t, double, Breaks> cases[] = {
        {true, 10, 255, 20.0, {0, 0, 0, 0, 10, 30, 50, 70, 255}},
        {true, 100, 80, 20.0, {70, 75, 80, 90, 100, 110, 120, 130, 255}},
        {true, 250, 255, 20.0, {190, 200, 210, 230, 250, 255, 255, 255, 255}},
        {false, 10, 0, 50.0, {0, 0, 0, 0, 10, 25, 40, 50, 255}},
        {false, 100, 0, 5.0, {95, 96, 97, 98, 100, 102, 103, 104, 255}}, // halves to even
    };
    for (const auto& [median, centre, range, sd, expected] : cases) {
        SeedBreakRow row{};
        if (median)
            MedianDeviationRow(centre, range, sd, row);
        else
            MeanDeviationRow(centre, sd, row);
        EXPECT_EQ(Of(row), expected) << centre << " " << sd;
    }
}

TEST(SeedBreaks, ArithmeticIncreaseFromTheMinimum) {
    SeedBreakRow row{};
    row[0] = 7;
    // step 1: element k = k + k * 1 + element k-1 = k (k + 1).
    ArithmeticIncreaseRow(0, 36, row);
    EXPECT_EQ(row[0], 0);
    EXPECT_EQ(Of(row), (Breaks{2, 6, 12, 20, 30, 42, 56, 72, 90}));
    // step 55 / 36; the sums pass 255 from element 7 on.
    ArithmeticIncreaseRow(200, 255, row);
    EXPECT_EQ(Of(row), (Breaks{203, 208, 216, 226, 239, 254, 255, 255, 255}));
}

TEST(SeedBreaks, WholeTableKeepsElementZeroExceptRowSix) {
    SeedBreakTable t{};
    for (SeedBreakRow& row : t)
        row[0] = 9;
    BandStatistics s;
    s.Min = 0;
    s.Max = 255;
    s.Range = s.Count = 256;
    s.Median = 127;
    s.Mean = 128;
    BuildSeedBreakTable(Filled([](int) { return 1; }), s, 74.0, t);
    for (int r = 0; r < 10; ++r)
        EXPECT_EQ(t[r][0], r == 6 ? 0 : 9) << r;
    EXPECT_EQ(t[3][1], 28);
    EXPECT_EQ(t[2][8], 224);
}

TEST(SeedBreaks, FixedRowsWhole) {
    SeedBreakTable t{};
    for (SeedBreakRow& row : t)
        row[0] = 9;
    FixedSeedRows(t);
    const std::pair<int, Breaks> fixed[] = {
        {1, {15, 25, 40, 60, 85, 115, 150, 190, 255}},
        {7, {28, 55, 83, 111, 138, 166, 194, 221, 249}},
        {8, {42, 68, 95, 122, 148, 175, 202, 228, 255}},
        {9, {15, 19, 28, 44, 69, 105, 154, 218, 255}},
    };
    for (const auto& [r, expected] : fixed) {
        EXPECT_EQ(Of(t[r]), expected) << r;
        EXPECT_EQ(t[r][0], 9) << r;
    }
}
