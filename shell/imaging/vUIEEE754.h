// The one NaN the colour libraries use for an undefined hue (a grey has no hue), and the bit-level
// test for it. Hues are stored in single precision; this NaN stays a NaN when narrowed.
#pragma once

#include <bit>
#include <cstdint>

// Sign clear, exponent all ones, mantissa all ones.
inline constexpr double NaNValue = std::bit_cast<double>(uint64_t{0x7FFFFFFFFFFFFFFF});

// True when the eleven exponent bits are all ones and any mantissa bit is set; infinities are
// not NaNs.
bool IsNaN(double value);
