// Checked arithmetic: the places where the run time would trap (division by zero, invalid
// operation, overflow) raise the typed errors instead of letting NaN or infinity through.
#pragma once

#include "runtime/RtErrors.h"
#include "runtime/RtNumbers.h"

#include <cmath>
#include <cstdint>

// The C library has its own fdiv and fsqrt, so the checked helpers live in rt::.
namespace rt {

// Raises EOverflow for an infinite result and EInvalidOp for NaN.
inline double fcheck(double r) {
    if (std::isnan(r)) throw EInvalidOp();
    if (std::isinf(r)) throw EOverflow();
    return r;
}

inline double fdiv(double a, double b) {
    if (b == 0.0) {
        if (a == 0.0 || std::isnan(a)) throw EInvalidOp();
        throw EZeroDivide();
    }
    return fcheck(a / b);
}

inline int64_t idiv(int64_t a, int64_t b) {
    if (b == 0) throw EDivByZero();
    return a / b;
}

inline int64_t imod(int64_t a, int64_t b) {
    if (b == 0) throw EDivByZero();
    return a % b;
}

inline double fln(double x) {
    if (x == 0.0) throw EZeroDivide();
    if (x < 0.0 || std::isnan(x)) throw EInvalidOp();
    return std::log(x);
}

inline double flog10(double x) {
    return fln(x) / std::log(10.0);
}

inline double fexp(double x) {
    return fcheck(std::exp(x));
}

inline double fsqrt(double x) {
    if (x < 0.0 || std::isnan(x)) throw EInvalidOp();
    return std::sqrt(x);
}

inline double fpow(double base, double e) {
    return fcheck(std::pow(base, e));
}

// Round to nearest (halves to even) and keep the low byte, as storing into a byte does.
inline uint8_t roundByte(double x) {
    return static_cast<uint8_t>(Round(x) & 0xFF);
}

// Clamp to 0..255, then round halves to even: the rule of every engine that turns reals into
// pixel bytes.
inline uint8_t ClampRoundByte(double x) {
    if (std::isnan(x)) throw EInvalidOp();
    if (x < 0.0) x = 0.0;
    if (x > 255.0) x = 255.0;
    return static_cast<uint8_t>(std::nearbyint(x));
}

} // namespace rt
