// Builds the ten seed-method rows of a band. Every break is clamped to 0..255 before it is
// stored: the deviation rows reach below 0 on dark bands and would otherwise keep the low byte
// of a negative value (−30 would become 226 and break the ascending order of the row).
#include "histogram/vSeedBreaks.h"

#include "runtime/RtNumbers.h"

std::array<SeedBreakTable, BandCount> SeedBreakTables{};

const char* const SeedMethodItems[SeedMethodItemCount] = {
    "Natural Break Class",     "Best Fit Class",   "Steps Class",           "Area Class",
    "Median Standard D",       "Mean S Deviation", "Arithmatic Increasing", "Geometric Increasing",
    "Reciprocal (Decreasing)",
};

namespace {

// Seed methods, the row index of each.
enum SeedRow {
    RowNatural = 0,
    RowBestFit = 1,
    RowSteps = 2,
    RowArea = 3,
    RowMedianSD = 4,
    RowMeanSD = 5,
    RowArithmetic = 6,
    RowGeometric = 7,
    RowReciprocal = 8,
    RowSquares = 9,
};

// The constant of the geometric and reciprocal rows; not 80/3, which would shift some breaks.
constexpr double ClassWidth = 26.666;

uint8_t ClampBreak(int64_t v) {
    return static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
}

uint8_t RoundBreak(double v) {
    return ClampBreak(Round(v));
}

void FillBreaks(SeedBreakRow& row, uint8_t value) {
    for (int k = 1; k <= 9; ++k)
        row[k] = value;
}

} // namespace

void NaturalBreakRow(const BandHistogram& h, SeedBreakRow& row) {
    FillBreaks(row, 255);
    double previousSlope = 0.0;
    int valleys = 0;
    for (int i = 3; i <= 253; ++i) {
        const int64_t a = int64_t{h[i - 2]} + h[i - 1] + h[i] + h[i + 1] + h[i + 2] + 1;
        const int64_t b = int64_t{h[i - 3]} + h[i - 2] + h[i - 1] + h[i] + h[i + 1] + 1;
        const double slope = static_cast<double>(a) / 5.0 - static_cast<double>(b) / 5.0;
        if (previousSlope < 0.0 && slope > 0.0) {
            ++valleys;
            if (valleys < 9) row[valleys] = static_cast<uint8_t>(i);
        }
        previousSlope = slope;
    }
}

void StepsRow(int32_t min, int32_t range, SeedBreakRow& row) {
    const int64_t step = range / 9;
    for (int k = 1; k <= 8; ++k)
        row[k] = ClampBreak(min + k * step);
    row[9] = 255;
}

void AreaRow(const BandHistogram& h, int32_t count, SeedBreakRow& row) {
    const int64_t target = count / 9;
    // Bin 0 never counts; a class ends at the bin where its running count reaches the target and
    // the next class counts that bin again. The scan stops at 255 when the target is never
    // reached (a picture that is mostly 0).
    int b = 1;
    for (int k = 1; k <= 8; ++k) {
        int64_t s = 0;
        do {
            s += h[b];
            ++b;
        } while (s < target && b <= 255);
        --b;
        row[k] = static_cast<uint8_t>(b);
    }
    row[9] = 255;
}

void MedianDeviationRow(int32_t median, int32_t range, double sd, SeedBreakRow& row) {
    // A band narrower than eight deviations steps by SD x Range / (8 x SD), which is Range / 8
    // exactly; formed as that product it lands a hair off, and a break on a half (151 - 3 x 24.5)
    // rounds the wrong way.
    const double d = range < 8.0 * sd ? range / 8.0 : sd;
    const double m = median;
    const double breaks[8] = {m - 3 * d, m - 2.5 * d, m - 2 * d, m - d,
                              m,         m + d,       m + 2 * d, m + 3 * d};
    for (int k = 1; k <= 8; ++k)
        row[k] = RoundBreak(breaks[k - 1]);
    row[9] = 255;
}

void MeanDeviationRow(int32_t mean, double sd, SeedBreakRow& row) {
    const double m = mean, s = sd;
    const double breaks[8] = {m - s, m - 0.8 * s, m - 0.6 * s, m - 0.3 * s,
                              m,     m + 0.3 * s, m + 0.6 * s, m + 0.8 * s};
    for (int k = 1; k <= 8; ++k)
        row[k] = RoundBreak(breaks[k - 1]);
    row[9] = 255;
}

void ArithmeticIncreaseRow(int32_t min, int32_t max, SeedBreakRow& row) {
    const double step = (max - min) / 36.0;
    row[0] = 0;
    for (int k = 1; k <= 9; ++k) {
        const double d = k == 1 ? min + step : k * step;
        row[k] = RoundBreak(k + d + row[k - 1]);
    }
}

void FixedSeedRows(SeedBreakTable& table) {
    SeedBreakRow& best = table[RowBestFit];
    SeedBreakRow& squares = table[RowSquares];
    best[1] = squares[1] = 15;
    for (int k = 2; k <= 8; ++k) {
        best[k] = static_cast<uint8_t>(best[k - 1] + 5 * k);
        squares[k] = static_cast<uint8_t>(squares[k - 1] + k * k);
    }
    best[9] = squares[9] = 255;
    for (int k = 1; k <= 9; ++k) {
        table[RowGeometric][k] = static_cast<uint8_t>(Round(k * ClassWidth) + k);
        table[RowReciprocal][k] = static_cast<uint8_t>(255 - Round((9 - k) * ClassWidth));
    }
}

void BuildSeedBreakTable(const BandHistogram& h, const BandStatistics& stats, double sd,
                         SeedBreakTable& table) {
    NaturalBreakRow(h, table[RowNatural]);
    StepsRow(stats.Min, stats.Range, table[RowSteps]);
    AreaRow(h, stats.Count, table[RowArea]);
    MedianDeviationRow(stats.Median, stats.Range, sd, table[RowMedianSD]);
    MeanDeviationRow(stats.Mean, sd, table[RowMeanSD]);
    ArithmeticIncreaseRow(stats.Min, stats.Max, table[RowArithmetic]);
    FixedSeedRows(table);
}
