// The discrete Fourier transform of n real values (n a power of two, 4 to 2048): the values are
// packed into n/2 complex ones, transformed by an in-place radix-2 FFT and split into the n-point
// spectrum. Each direction is scaled by 1 / sqrt(n), so the forward transform is unitary.
#pragma once

#include <cstdint>

enum FFTStatus : int32_t {
    fsSuccess = 0,
    fsTooShort = 1,     // half length below 2
    fsNotPowerOfTwo = 2 // half length not a power of two up to the work arrays' 1024
};

// The work arrays hold this many values.
constexpr int32_t FFTMaxLength = 2048;

// `m` among 2, 4, ..., 8192: status 0 and its exponent (1 to 13); status 1 below 2, else 2.
void PowerOfTwoIndex(int32_t m, int32_t& exponent, int32_t& status);

// Reads re[0 .. n-1] and writes the spectrum X[k] = re[k] + i im[k], k = 0 .. n-1; what `im`
// held is ignored. `inverse` conjugates only the complex step; the packing and the split are
// those of the forward transform, so an inverse call on the real parts of a spectrum is not
// the exact inverse. A refused length (status 1 or 2) leaves both arrays as they were.
void RealFFT(int32_t n, bool inverse, double* re, int32_t& status, double* im);
