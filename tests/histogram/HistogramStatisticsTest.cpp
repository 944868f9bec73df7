#include "histogram/HistogramFixture.h"

#include "runtime/RtFiles.h"

#include <algorithm>
#include <cmath>

class HistogramStatistics : public HistogramFixture {};

TEST_F(HistogramStatistics, SixPixelPictureByHand) {
    ShowSixPixels();
    ASSERT_TRUE(CountHistograms());
    EXPECT_FALSE(ImageHasZeros);
    EXPECT_EQ(RedHistogram[20], 3);
    EXPECT_EQ(GreenHistogram[5], 3);
    EXPECT_EQ(BlueHistogram[100], 3);
    // The row padding of a 3-pixel row (3 bytes) is not counted: bin 0 stays empty.
    EXPECT_EQ(RedHistogram[0] + GreenHistogram[0] + BlueHistogram[0], 0);

    ComputeHistogramStatistics();
    EXPECT_TRUE(Rec.Messages.empty()) << Rec.Summary();
    // Min, Max, Mean, Median, Mode, Sum, Count, Range; then the variance.
    // Median: the lowest value whose running count passes 6 div 2 = 3.
    // Variance: sum of (i - rounded mean)^2 h[i], over Count - 1 = 5.
    using Figures =
        std::tuple<int32_t, int32_t, int32_t, int32_t, int32_t, int64_t, int32_t, int32_t>;
    const std::pair<Figures, double> expected[3] = {
        {{10, 40, 23, 20, 20, 140, 6, 31}, (169 + 3 * 9 + 49 + 289) / 5.0},
        {{1, 255, 87, 5, 5, 521, 6, 255}, (7396 + 3 * 6724 + 26569 + 28224) / 5.0},
        {{20, 200, 95, 100, 100, 570, 6, 181}, (5625 + 2025 + 3 * 25 + 11025) / 5.0},
    };
    for (int band = 0; band < 3; ++band) {
        const BandStatistics& s = BandHistogramStats[band];
        const auto& [figures, variance] = expected[band];
        EXPECT_EQ(Figures(s.Min, s.Max, s.Mean, s.Median, s.Mode, s.Sum, s.Count, s.Range), figures)
            << band;
        EXPECT_DOUBLE_EQ(BandSpread[band].Variance, variance) << band;
        EXPECT_DOUBLE_EQ(BandSpread[band].SD, std::sqrt(variance)) << band;
    }
    // CoVariance = (P - (Sum_a - Sum_b) / Count) / Count - 1, P the bin-by-bin count products:
    // only red 20 (3) meets blue 20 (1), so P13 = 3 and P12 = P23 = 0.
    const double cov12 = (0 - (140 - 521) / 6.0) / 6.0 - 1.0;
    const double cov13 = (3 - (140 - 570) / 6.0) / 6.0 - 1.0;
    const double cov23 = (0 - (521 - 570) / 6.0) / 6.0 - 1.0;
    EXPECT_DOUBLE_EQ(BandPairStats[Pair12].CoVariance, cov12);
    EXPECT_DOUBLE_EQ(BandPairStats[Pair13].CoVariance, cov13);
    EXPECT_DOUBLE_EQ(BandPairStats[Pair23].CoVariance, cov23);
    EXPECT_DOUBLE_EQ(BandPairStats[Pair12].R, cov12 / std::sqrt(106.8 * 16472.2));
    EXPECT_DOUBLE_EQ(BandPairStats[Pair13].R, cov13 / std::sqrt(106.8 * 3750.0));
    EXPECT_DOUBLE_EQ(BandPairStats[Pair23].R, cov23 / std::sqrt(16472.2 * 3750.0));
}

TEST_F(HistogramStatistics, MedianAndModeEdges) {
    // What, the bins filled (value, count), the median and the mode. The median is always a value
    // of the data.
    using Bins = std::vector<std::pair<int, int32_t>>;
    const std::tuple<const char*, Bins, int32_t, int32_t> cases[] = {
        {"zero holds more than half", {{0, 6}, {9, 5}}, 0, 0},
        {"zero holds exactly half", {{0, 5}, {9, 5}}, 9, 0},
        {"tie for the mode takes the lower value", {{40, 4}, {30, 4}, {200, 1}}, 40, 30},
        {"one value only", {{128, 7}}, 128, 128},
        {"a picture all of 100", {{100, 12}}, 100, 100},
        {"a single pixel", {{10, 1}}, 10, 10},
        {"three values", {{7, 1}, {3, 1}, {5, 1}}, 5, 3},
        {"gap before the middle", {{2, 5}, {5, 5}}, 5, 2},
    };
    for (const auto& [what, bins, median, mode] : cases) {
        ClearHistogramState();
        for (auto [value, n] : bins)
            RedHistogram[value] = n;
        ComputeHistogramStatistics();
        EXPECT_EQ(BandHistogramStats[BandRed].Median, median) << what;
        EXPECT_EQ(BandHistogramStats[BandRed].Mode, mode) << what;
    }
}

TEST_F(HistogramStatistics, OnePixelHasNoSpreadAndNoCorrelation) {
    Load(1, {{7, 8, 9}});
    ASSERT_TRUE(CountHistograms());
    ComputeHistogramStatistics();
    EXPECT_TRUE(Rec.Messages.empty()) << Rec.Summary();
    for (int band = 0; band < 3; ++band) {
        EXPECT_EQ(BandSpread[band].Variance, 0.0);
        EXPECT_EQ(BandSpread[band].SD, 0.0);
    }
    for (const BandPairRecord& p : BandPairStats)
        EXPECT_EQ(p.R, 0.0);
    // One row: progress is complete at once instead of dividing by ImageMaxY = 0.
    EXPECT_EQ(Rec.Gauge.back(), 100);
}

TEST_F(HistogramStatistics, EmptyHistogramsGiveZerosNotErrors) {
    Load(2, {{1, 1, 1}, {2, 2, 2}});
    ComputeHistogramStatistics();
    EXPECT_EQ(Count(39981), 3);
    for (const BandPairRecord& p : BandPairStats) {
        EXPECT_EQ(p.CoVariance, 0.0);
        EXPECT_EQ(p.R, 0.0);
    }
    EXPECT_EQ(BandHistogramStats[BandGreen].Mean, 0);
    EXPECT_EQ(BandHistogramStats[BandGreen].Median, 0);
}

TEST_F(HistogramStatistics, SixteenMegapixelsOfWhiteSumWithoutWrapping) {
    LoadUniform(4096, 4096, {255, 255, 255});
    LoadOrMakeHistogramFiles();
    EXPECT_TRUE(Rec.Messages.empty()) << Rec.Summary();
    for (int band = 0; band < 3; ++band) {
        const BandStatistics& s = BandHistogramStats[band];
        EXPECT_EQ(s.Sum, 4'278'190'080);
        EXPECT_EQ(s.Count, 16'777'216);
        EXPECT_EQ(s.Mean, 255);
        EXPECT_EQ(BandSpread[band].Variance, 0.0);
    }
    // P = 2^24 * 2^24 = 2^48 needs 64 bits; (P - 0) / 2^24 - 1.
    EXPECT_EQ(BandPairStats[Pair12].CoVariance, 16'777'215.0);
    EXPECT_EQ(BandPairStats[Pair12].R, 0.0);
    std::string text = FileText(StatisticsFileName);
    EXPECT_EQ(SplitLines(text)[13], "4278190080");
}

TEST(SortValues, OrdersOnlyOneToN) {
    // Direction, N, Values[0..] before and after.
    const std::tuple<const char*, int32_t, std::vector<int32_t>, std::vector<int32_t>> cases[] = {
        {"UP", 3, {99, 5, 1, 3, -7}, {99, 1, 3, 5, -7}},
        {"DN", 3, {99, 5, 1, 3, -7}, {99, 5, 3, 1, -7}},
        {"UP", 1, {4, 3, 2, 1}, {4, 3, 2, 1}},
        {"UP", 0, {4, 3, 2, 1}, {4, 3, 2, 1}},
        {"DN",
         5,
         {0, 2147483647, -2147483647 - 1, 0, 2147483647, -1},
         {0, 2147483647, 2147483647, 0, -1, -2147483647 - 1}},
        {"up", 3, {0, 3, 2, 1}, {0, 3, 2, 1}},
    };
    for (const auto& [direction, n, in, out] : cases) {
        SortValueArray v{};
        std::copy(in.begin(), in.end(), v.begin());
        SortValues(direction, n, v);
        EXPECT_TRUE(std::equal(out.begin(), out.end(), v.begin())) << direction << " N=" << n;
    }
}

TEST(SortValues, CountsBeyondTheArrayStopAtItsEnd) {
    SortValueArray v;
    for (int i = 0; i < 82; ++i)
        v[i] = 81 - i;
    SortValues("UP", 500, v);
    EXPECT_EQ(v[0], 81);
    for (int i = 1; i <= 81; ++i)
        EXPECT_EQ(v[i], i - 1);
}
