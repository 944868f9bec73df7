#include "runtime/RtRandom.h"

#include <chrono>

namespace rt {

namespace {

uint64_t RandState = 0;

// splitmix64: one word of state, every seed usable, good enough for noise and sampling.
uint64_t NextRandom() {
    uint64_t z = (RandState += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

} // namespace

void SetRandSeed(uint64_t seed) {
    RandState = seed;
}

void Randomize() {
    SetRandSeed(static_cast<uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count()));
}

double Random() {
    return static_cast<double>(NextRandom() >> 11) * 0x1.0p-53;
}

int32_t Random(int32_t range) {
    if (range <= 0) return 0;
    return static_cast<int32_t>(((NextRandom() >> 32) * static_cast<uint64_t>(range)) >> 32);
}

} // namespace rt
