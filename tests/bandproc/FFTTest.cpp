#include "bandproc/vFFT87B2.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <random>
#include <vector>

namespace {

using Complex = std::complex<double>;

std::vector<double> RandomValues(int n, uint64_t seed) {
    std::mt19937_64 gen(seed);
    std::vector<double> v(FFTMaxLength, 0.0);
    for (int i = 0; i < n; ++i)
        v[i] = static_cast<double>(gen() >> 11) * 0x1p-53 * 510.0 - 255.0;
    return v;
}

// The unitary DFT of `x`, sign -1 forward and +1 backward, summed term by term.
std::vector<Complex> NaiveDFT(const std::vector<Complex>& x, int sign) {
    const size_t n = x.size();
    std::vector<Complex> out(n);
    for (size_t k = 0; k < n; ++k) {
        Complex sum = 0.0;
        for (size_t j = 0; j < n; ++j)
            sum += x[j] * std::polar(1.0, sign * 2.0 * std::numbers::pi *
                                              static_cast<double>((j * k) % n) / n);
        out[k] = sum / std::sqrt(static_cast<double>(n));
    }
    return out;
}

struct Spectrum {
    std::vector<double> Re, Im;
    int32_t Status = -1;
};

Spectrum Transform(int n, bool inverse, std::vector<double> re) {
    Spectrum s{std::move(re), std::vector<double>(FFTMaxLength, 99.0)};
    RealFFT(n, inverse, s.Re.data(), s.Status, s.Im.data());
    return s;
}

void ExpectSpectrum(const Spectrum& s, const std::vector<Complex>& expected, double scale) {
    ASSERT_EQ(s.Status, fsSuccess);
    const size_t n = expected.size();
    for (size_t k = 0; k < n; ++k) {
        EXPECT_NEAR(s.Re[k], expected[k].real(), 1e-9 * scale) << "n " << n << " k " << k;
        EXPECT_NEAR(s.Im[k], expected[k].imag(), 1e-9 * scale) << "n " << n << " k " << k;
    }
}

TEST(RealFFT, ForwardIsTheUnitaryDFTForEveryLength) {
    for (int n = 4; n <= FFTMaxLength; n *= 2) {
        const std::vector<double> x = RandomValues(n, n);
        const std::vector<Complex> expected =
            NaiveDFT(std::vector<Complex>(x.begin(), x.begin() + n), -1);
        ExpectSpectrum(Transform(n, false, x), expected, std::sqrt(n) * 255.0);
    }
}

// The inverse conjugates only the complex step: pack, the m-point inverse, the forward split.
std::vector<Complex> InverseModel(const std::vector<double>& x, int n) {
    const int m = n / 2;
    std::vector<Complex> z(m);
    for (int j = 0; j < m; ++j)
        z[j] = Complex(x[2 * j], x[2 * j + 1]);
    const std::vector<Complex> zt = NaiveDFT(z, +1);
    std::vector<Complex> out(n);
    out[0] = (zt[0].real() + zt[0].imag()) / std::sqrt(2.0);
    out[m] = (zt[0].real() - zt[0].imag()) / std::sqrt(2.0);
    for (int k = 1; k < m; ++k) {
        const Complex even = (zt[k] + std::conj(zt[m - k])) / 2.0;
        const Complex odd = (zt[k] - std::conj(zt[m - k])) / Complex(0.0, 2.0);
        out[k] = (even + std::polar(1.0, -std::numbers::pi * k / m) * odd) / std::sqrt(2.0);
        out[n - k] = std::conj(out[k]);
    }
    return out;
}

TEST(RealFFT, InverseConjugatesOnlyTheComplexStep) {
    for (int n = 4; n <= FFTMaxLength; n *= 2) {
        const std::vector<double> x = RandomValues(n, 3 * n);
        ExpectSpectrum(Transform(n, true, x), InverseModel(x, n), std::sqrt(n) * 255.0);
    }
}

TEST(RealFFT, RefusedLengthsLeaveTheArraysAlone) {
    const std::pair<int32_t, int32_t> cases[] = {{-4, fsTooShort},        {0, fsTooShort},
                                                 {2, fsTooShort},         {3, fsTooShort},
                                                 {6, fsNotPowerOfTwo},    {9, fsNotPowerOfTwo},
                                                 {100, fsNotPowerOfTwo},  {4096, fsNotPowerOfTwo},
                                                 {8192, fsNotPowerOfTwo}, {16384, fsNotPowerOfTwo}};
    for (const auto& [n, status] : cases) {
        const std::vector<double> x = RandomValues(FFTMaxLength, 7);
        const Spectrum s = Transform(n, false, x);
        EXPECT_EQ(s.Status, status) << n;
        EXPECT_EQ(s.Re, x) << n;
        EXPECT_EQ(s.Im, std::vector<double>(FFTMaxLength, 99.0)) << n;
    }
}

} // namespace
