// The Stat Boxer: an untrained classifier that seeds up to twenty class slots from one seed-break
// row with the first pixels falling into its one-band slices, grows each slot as a box that
// follows the running mean of its pixels, and paints the picture in the slots' colours.
#pragma once

#include "histogram/vHistogramTypes.h"

#include <array>
#include <cstdint>
#include <functional>

constexpr int StatBoxerSlots = 20;
// Pixels no box takes under choice 0.
constexpr uint32_t StatBoxerUnclassified = 0xFF00FF;

// The slot colours (colour values, red in the low byte) from the options' colour ramps.
std::array<uint32_t, StatBoxerSlots + 1> StatBoxerColors();

struct StatBoxerSetup {
    std::array<SeedBreakRow, BandCount> Breaks{};      // the seed row of each band's table
    std::array<uint32_t, StatBoxerSlots + 1> Colors{}; // slot 1..20
    int32_t Radius = 0;
    int32_t Classifier = 0; // 1 gives an unboxed pixel to the nearest slot
};

// Both passes over a 24-bit bottom-up buffer (blue, green, red), painted in place; `progress`
// is called with each row's percentage before each row of each pass.
void StatBoxerImage(uint8_t* buffer, int32_t stride, int32_t maxX, int32_t maxY,
                    const StatBoxerSetup& setup, const std::function<void(int32_t)>& progress);

// The classifier on the working image with the classification window's six values; the last
// three do not change the result. Seed must be 0..8. Afterwards the classification window
// shows its class rows again.
void DoStatBoxer(int32_t Seed, int32_t Classifier, int32_t ClusterRadius,
                 int32_t SeparationDistance, int32_t Iterations, int32_t MaxClusters);
