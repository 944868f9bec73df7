// The run time's one random generator: a seed that tests can fix and the macro player sets from
// the clock, uniform reals in [0, 1) and uniform integers below a bound.
#pragma once

#include <cstdint>

namespace rt {

void SetRandSeed(uint64_t seed);
// A new seed from the clock.
void Randomize();
// Uniform in [0, 1).
double Random();
// Uniform in 0 .. range - 1; 0 when range is 0 or less.
int32_t Random(int32_t range);

} // namespace rt
