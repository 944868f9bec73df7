// The seed-break tables: per band, ten seed methods, each cutting 0..255 into nine classes. They
// are rebuilt from the band histograms and statistics whenever those are computed, stored with
// the picture as its ".ads" file, and read by the class displays and the classifiers.
#pragma once

#include "histogram/vHistogramTypes.h"

// Red, green, blue.
extern std::array<SeedBreakTable, BandCount> SeedBreakTables;

// All ten rows of one band's table. Element 0 is written only in row 6; the other rows keep
// theirs.
void BuildSeedBreakTable(const BandHistogram& h, const BandStatistics& stats, double sd,
                         SeedBreakTable& table);

// The rows one by one, for the natural-break page and the tests.
void NaturalBreakRow(const BandHistogram& h, SeedBreakRow& row);
void StepsRow(int32_t min, int32_t range, SeedBreakRow& row);
void AreaRow(const BandHistogram& h, int32_t count, SeedBreakRow& row);
void MedianDeviationRow(int32_t median, int32_t range, double sd, SeedBreakRow& row);
void MeanDeviationRow(int32_t mean, double sd, SeedBreakRow& row);
void ArithmeticIncreaseRow(int32_t min, int32_t max, SeedBreakRow& row);
// Rows 1, 7, 8 and 9 do not depend on the band.
void FixedSeedRows(SeedBreakTable& table);

// The item texts of the radio groups that choose a seed method, rows 0..8 (row 9 has none).
constexpr int SeedMethodItemCount = 9;
extern const char* const SeedMethodItems[SeedMethodItemCount];
