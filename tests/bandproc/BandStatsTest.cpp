// The histogram page's engine: statistics from the counts, the ten correction tables applied to a
// synthetic band, and the band loader's guards.
#include "bandproc/vBandStats.h"
#include "runtime/RtErrors.h"

#include "BandFixture.h"

#include <array>
#include <cmath>
#include <limits>

namespace {

BandHistogram CountsOf(const Bytes& band) {
    BandHistogram h{};
    for (uint8_t v : band)
        ++h[v];
    return h;
}

TEST(BandStats, FiguresFromCounts) {
    struct Case {
        const char* name;
        BandHistogram counts;
        int64_t pixels;
        int32_t min, max, mean, median, mode, num, range;
        int64_t sum;
        double variance;
        bool mismatch;
    };
    BandHistogram sevens{}, tie{}, single{}, bright{}, short_{};
    sevens[7] = 12;
    tie[10] = 3, tie[20] = 3, tie[30] = 1;
    single[200] = 1;
    // 3 x 10^7 samples of 255 and 10^7 of 1: the sum passes 2^31.
    bright[255] = 30000000, bright[1] = 10000000;
    short_[5] = 3;
    const Case cases[] = {
        {"all sevens", sevens, 12, 7, 7, 7, 7, 7, 12, 1, 84, 0.0, false},
        {"tied modes", tie, 7, 10, 30, 17, 20, 10, 7, 21, 120, 343.0 / 6.0, false},
        {"one sample", single, 1, 200, 200, 200, 200, 200, 1, 1, 200, 0.0, false},
        {"bright", bright, 40000000, 1, 255, 192, 255, 255, 40000000, 255, 7660000000, 0, false},
        {"short count", short_, 4, 5, 5, 5, 5, 5, 3, 1, 15, 0.0, true},
    };
    for (const Case& c : cases) {
        RecordingHooks rec;
        TStatsReference ref;
        const StatsRecord s = DoAllStats(c.counts, c.pixels, ref);
        SCOPED_TRACE(c.name);
        EXPECT_EQ(
            (std::array<int64_t, 8>{s.Min, s.Max, s.Mean, s.Median, s.Mode, s.Num, s.Range, s.Sum}),
            (std::array<int64_t, 8>{c.min, c.max, c.mean, c.median, c.mode, c.num, c.range,
                                    c.sum}));
        if (c.counts == bright) {
            // Deviations about the rounded mean 192: (63^2 x 3e7 + 191^2 x 1e7) / (4e7 - 1).
            EXPECT_DOUBLE_EQ(s.Variance, (3969.0 * 3e7 + 36481.0 * 1e7) / (4e7 - 1));
        } else {
            EXPECT_DOUBLE_EQ(s.Variance, c.variance);
        }
        EXPECT_DOUBLE_EQ(s.SD, std::sqrt(s.Variance));
        EXPECT_EQ(rec.Shown(39981), c.mismatch) << rec.Summary();
    }
}

TEST(BandStats, ReferenceIsTakenFromTheFirstStatisticsOnly) {
    RecordingHooks rec;
    BandHistogram first{}, second{};
    first[40] = 1, first[100] = 1;
    second[0] = 1, second[250] = 1;
    TStatsReference ref;
    DoAllStats(first, 2, ref);
    EXPECT_EQ(ref.Minimum, 40);
    EXPECT_EQ(ref.Range, 61);
    DoAllStats(second, 2, ref);
    EXPECT_EQ(ref.Minimum, 40);
    EXPECT_EQ(ref.Range, 61);
}

// The value a correction formula gives as a table byte: clamped to 0..255, halves to even, and
// 0 for a result that is not a number.
uint8_t Byte(double r) {
    if (std::isnan(r)) return 0;
    return static_cast<uint8_t>(std::nearbyint(std::clamp(r, 0.0, 255.0)));
}

TEST(BandStats, EveryCorrectionMapsTheBandThroughItsTable) {
    // A band that holds every grey value, most of them several times.
    Bytes band;
    for (int i = 0; i < 1000; ++i)
        band.push_back(static_cast<uint8_t>((i * 37 + i / 7) % 256));
    const BandHistogram counts = CountsOf(band);
    TStatsReference ref{30, 150};
    // The equalisation by hand: each value at the middle of its own samples in the cumulative
    // count of the 1000, on one of `levels` levels 256 / levels grey values apart.
    auto equalised = [&](int levels) {
        std::array<uint8_t, 256> t{};
        int64_t below = 0;
        for (int v = 0; v < 256; ++v) {
            const int64_t middle2 = 2 * below + counts[v];
            t[v] = static_cast<uint8_t>(std::min<int64_t>(levels - 1, levels * middle2 / 2000) *
                                        256 / levels);
            below += counts[v];
        }
        return t;
    };
    struct Case {
        TCorrection c;
        std::function<double(double)> formula; // empty: `table` holds the expected bytes
    };
    const double pi = 3.14;
    const Case cases[] = {
        {{0, 0, 255, true}, [](double v) { return v; }},
        {{1, 0, 255, true}, [](double v) { return (v - 30) / 150 * 256; }},
        {{2, 50, 200, true}, [](double v) { return (v - 50) / 150.0 * 256; }},
        {{2, 90, 90, true}, [](double v) { return (v - 90) * 256; }},
        {{3, 16, 255, true}, nullptr},
        {{3, 0, 255, true}, nullptr},
        {{3, EqualiseAllLevels, 255, true}, nullptr},
        {{4, 0, 255, true}, [](double v) { return 255 - v; }},
        {{5, 40, 255, true}, [&](double v) { return std::sin(v * 0.0245 - pi) * 40 + v; }},
        {{5, 40, 255, false}, [&](double v) { return std::sin(v * 0.0245 - pi) * 40 - v; }},
        {{6, -20, 255, true}, [&](double v) { return std::sin(v * 0.0245 - pi) * v - 20; }},
        {{6, 64, 255, false}, [&](double v) { return std::sin(v * 0.0245 - pi) * -v + 64; }},
        {{7, 0, 255, true}, [](double v) { return v * std::pow(0.01, 10 / (v + 0.01)); }},
        {{7, 5, 255, true}, [](double v) { return v * std::pow(5.01, 10 / (v + 0.01)); }},
        {{8, 3, 255, true},
         [](double v) { return v == 0 ? 3.01 / 10 : 0.3 * std::pow(v, 100 / (v + 0.1)); }},
        {{9, 150, 255, true}, [](double v) { return v == 0 ? 10 : 10 * std::pow(v, 100 / 150.1); }},
        {{9, 0, 255, true}, [](double v) { return v == 0 ? 10 : 10 * std::pow(v, 1000.0); }},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << "correction " << k.c.Number << " P " << k.c.P);
        std::array<uint8_t, 256> expected{};
        if (k.formula)
            for (int v = 0; v < 256; ++v)
                expected[v] = Byte(k.formula(v));
        else
            expected = equalised(std::max(k.c.P, 1));
        const CorrectionTable lut = DoLUT(k.c, ref, counts);
        TBandBlock in{1000, 1, band}, out;
        BandHistogram corrected{};
        CorrectBandBlock(in, lut, out, corrected, nullptr);
        BandHistogram want{};
        for (size_t i = 0; i < band.size(); ++i) {
            ASSERT_EQ(out.Samples[i], expected[band[i]]) << "sample " << int(band[i]);
            ++want[expected[band[i]]];
        }
        EXPECT_EQ(corrected, want);
    }
}

TEST(BandStats, CorrectionsClampWhereTheyOverflow) {
    const BandHistogram none{};
    const TStatsReference ref{0, 0};
    struct Case {
        TCorrection c;
        int v;
        uint8_t want;
    };
    // Overflowing results stay at the ends instead of wrapping through the low 8 bits; an
    // infinite power times 0, or 0 / 0, is not a number and gives black.
    const Case cases[] = {
        {{4, 0, 255, true}, 0, 255},   {{4, 0, 255, true}, 255, 0},   {{2, 0, 255, true}, 255, 255},
        {{5, 99, 255, false}, 200, 0}, {{7, 0, 255, true}, 0, 0},     {{7, 5, 255, true}, 0, 0},
        {{9, 0, 255, true}, 2, 255},   {{1, 0, 255, true}, 100, 255}, {{1, 0, 255, true}, 0, 0},
    };
    for (const Case& k : cases)
        EXPECT_EQ(DoLUT(k.c, ref, none)[k.v], k.want)
            << "correction " << k.c.Number << " at " << k.v;
}

class BandBlockTest : public BandTest {};

TEST_F(BandBlockTest, LoadsCountsAndSavesTheBand) {
    const Bytes bytes = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 255};
    const std::string path = Band("b.B1", bytes);
    TBandBlock block;
    BandHistogram counts{};
    std::vector<int> gauge;
    ASSERT_TRUE(LoadBandBlock(path, 4, 3, block, counts, [&](int p) { gauge.push_back(p); }));
    EXPECT_EQ(block.Samples, bytes);
    EXPECT_EQ(counts, CountsOf(bytes));
    EXPECT_EQ(gauge, (std::vector<int>{33, 66, 100, 0}));
    SaveBandBlock(Dir.File("c.B1"), block, {});
    EXPECT_EQ(Product("c.B1"), bytes);
}

TEST_F(BandBlockTest, RefusesShortFilesAndSizesItCannotCount) {
    const std::string path = Band("b.B1", Bytes(11, 1));
    TBandBlock block{1, 1, {9}};
    BandHistogram counts{};
    counts[9] = 1;
    EXPECT_THROW(LoadBandBlock(path, 4, 3, block, counts, nullptr), EInOutError);
    EXPECT_FALSE(LoadBandBlock(path, 65536, 65536, block, counts, nullptr));
    EXPECT_TRUE(Rec.Shown(36));
    EXPECT_EQ(block.Samples, Bytes{9});
    EXPECT_EQ(counts[9], 1);
}

} // namespace
