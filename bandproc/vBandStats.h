// One band of the DIS subset held whole for the band window's histogram page: its counts and
// statistics, the ten contrast corrections as 256-entry tables, the corrected band and its save.
// The principal-components page counts its bands with the same loader and statistics.
#pragma once

#include "bandproc/vBandFiles.h"
#include "histogram/vHistogramTypes.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Per-band statistics; the principal-components page adds the band's covariance row and the
// eigenvalue of the same index.
struct StatsRecord {
    double SD = 0.0;
    double Variance = 0.0;
    int32_t Min = 0;
    int32_t Max = 0;
    int32_t Mean = 0;
    int32_t Median = 0;
    int32_t Mode = 0;
    // 64 bits: a large bright band passes 2^31.
    int64_t Sum = 0;
    int32_t Num = 0;
    int32_t Range = 0;
    std::vector<double> CoVariance;
    double Eigenvalue = 0.0;
};

// The minimum and range the min-max stretch works from: the first statistics computed after the
// window was created replace them once, and later bands leave them alone.
struct TStatsReference {
    int32_t Minimum = 255;
    int32_t Range = 0;
};

// The reference of the band window's statistics (its histogram and principal-components pages
// share it); the window's creation puts it back to 255 and 0.
extern TStatsReference BandStatsReference;

// The statistics of `counts`; message 39981 when they do not count `pixels` samples (the figures
// are still made). Updates `reference` as above.
StatsRecord DoAllStats(const BandHistogram& counts, int64_t pixels, TStatsReference& reference);

// The correction chosen on the page: its number 0..9, the two slider positions and the curve
// sign of the sine and contrast corrections.
struct TCorrection {
    int32_t Number = 0;
    int32_t P = 0;   // the minimum slider (the level count of the equalisation)
    int32_t Q = 255; // the maximum slider
    bool Positive = true;
};
using CorrectionTable = std::array<uint8_t, 256>;
// The equalisation's level count when no slider correction has set the minimum slider: every
// grey value is a level of its own.
constexpr int32_t EqualiseAllLevels = 256;

// The table of a correction. Results outside 0..255 are clamped and a result that is not a
// number becomes 0. The equalisation reads `bandCounts`, the counts of the band as loaded.
CorrectionTable DoLUT(const TCorrection& c, const TStatsReference& reference,
                      const BandHistogram& bandCounts);

// Called once per row with the share of rows done, 0..100 (the gauge, pending messages).
using RowProgress = std::function<void(int percent)>;

// A band held whole, rows of W samples top first.
struct TBandBlock {
    int64_t W = 0;
    int64_t H = 0;
    std::vector<uint8_t> Samples;
};

// Loads `path` as w x h samples and counts them into `counts`. False (message 36 shown, nothing
// changed) when the size cannot be held or counted in 32 bits, or the file holds more than w x h
// samples; raises the read error when it holds fewer. `block` and `counts` change only when the
// whole band was read.
bool LoadBandBlock(const std::string& path, int64_t w, int64_t h, TBandBlock& block,
                   BandHistogram& counts, const RowProgress& progress);
// `in` mapped through `lut` into `out` (same size), counted into `counts`.
void CorrectBandBlock(const TBandBlock& in, const CorrectionTable& lut, TBandBlock& out,
                      BandHistogram& counts, const RowProgress& progress);
// Writes the block as a band file (rows of W bytes, no header), whole or not at all, when the
// writer's rule lets it replace `path` with `leave`; false when the user kept the file.
bool SaveBandBlock(const std::string& path, const TBandBlock& block, const TReplaceLeave& leave);
