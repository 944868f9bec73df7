// Principal components of two to nine band files of the DIS subset: the band statistics, the
// band-by-band covariance, the eigen analysis with its report lines, and the component products
// ".pc1" .. ".pc9" with the eigenvalue-weighted ".pcn", each stretched from its own range.
#pragma once

#include "bandproc/vBandFiles.h"
#include "bandproc/vBandStats.h"
#include "bandproc/vsEigenVal.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

extern const char* const HintPCA; // "Processing PCA"

constexpr int PCAMaxBands = 9;

// One record per band of the last run, in band order.
extern std::vector<StatsRecord> PCAStats;

// The report line of one band's statistics ("SD ... Range ...").
std::string PCAStatsLine(const StatsRecord& s);
// A covariance row: each value followed by one blank.
std::string PCACovarianceLine(const std::vector<double>& row);

// The sample covariance of the bands over every pixel of the subset, in one pass over all of
// them; 0 everywhere for a subset of one pixel. Raises the read error of a short file.
void BandCovariance(const std::vector<std::string>& paths, const TBandGeometry& g,
                    std::vector<std::vector<double>>& covariance, const RowProgress& progress);

// Called with each band as soon as it is loaded and counted, for the histogram page to show it.
using BandCountedFn = std::function<void(const std::string& path, const TBandBlock& block,
                                         const BandHistogram& counts)>;

// The statistics of each of `files` (w x h of `g`) into a fresh PCAStats, with their report
// lines ("Processing: " and the name, then the statistics line), then the covariance rows after
// "CoVariance ". Each band passes through band slot "1", the hint panel and `counted` while it
// is counted. False (message 36 shown) when the subset is too large to count; raises the read
// error of a missing or short file.
bool PCABandStatistics(const std::vector<std::string>& files, const TBandGeometry& g,
                       TStatsReference& reference, std::vector<std::string>& report,
                       const RowProgress& progress, const BandCountedFn& counted = {});

// The eigen analysis of the covariance rows of PCAStats[0 .. n-1] into PCAEigenvectors and
// PCAEigenvalues, strongest component first; its report lines are appended to `report`. The
// iteration limit is at least 1 and the tolerance at least 1.0. Returns the solver's result;
// "did not converge" (39962) is shown for result 5.
uint8_t DoPCA(int32_t n, int32_t maxIterations, double tolerance, std::vector<std::string>& report);

// Components 1..n of the n `inputs` (weights: the rows of PCAEigenvectors) named from input k
// with ".pc1" .. ".pc9", and ".pcn" (weights: the eigenvalues of PCAStats) named from input 1;
// two passes, each product stretched from its own minimum and maximum onto 0..255. False when n
// is not 1..9 or fewer inputs are given.
bool PCABands(int32_t n, const std::vector<std::string>& inputs);
