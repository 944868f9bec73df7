// The value types the band histograms, their statistics and the seed-break tables share, kept
// apart so that the table builder and the count files need not see each other's globals.
#pragma once

#include <array>
#include <cstdint>

// Band indexes of every per-band array, in the order the files store them.
enum BandIndex { BandRed = 0, BandGreen = 1, BandBlue = 2 };
constexpr int BandCount = 3;

// One count per channel value 0..255.
using BandHistogram = std::array<int32_t, 256>;

struct BandStatistics {
    int32_t Min = 0;
    int32_t Max = 0;
    int32_t Mean = 0;
    int32_t Median = 0;
    int32_t Mode = 0;
    // 64 bits: a 16-megapixel band of bright values passes 2^31.
    int64_t Sum = 0;
    int32_t Count = 0;
    int32_t Range = 0;
};

// Element k (1..9) of a row is the largest value of class k; element 0 holds no break.
using SeedBreakRow = std::array<uint8_t, 10>;
// Row r is seed method r.
using SeedBreakTable = std::array<SeedBreakRow, 10>;
constexpr int SeedMethodCount = 10;
