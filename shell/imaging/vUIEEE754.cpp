// Bit-level NaN test of IEEE 754 double precision.
#include "shell/imaging/vUIEEE754.h"

namespace {
constexpr uint64_t ExponentMask = 0x7FF0000000000000;
constexpr uint64_t MantissaMask = 0x000FFFFFFFFFFFFF;
} // namespace

bool IsNaN(double value) {
    const uint64_t bits = std::bit_cast<uint64_t>(value);
    return (bits & ExponentMask) == ExponentMask && (bits & MantissaMask) != 0;
}
