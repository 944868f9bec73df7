#include "bandproc/vFFT87B2.h"

#include <array>
#include <cmath>
#include <numbers>

namespace {

constexpr int32_t MaxHalf = FFTMaxLength / 2;
// The stages use this constant for the eighth-turn factor (1 - i) / sqrt(2).
constexpr double Sqrt05 = 0.707106781186548;

using Block = std::array<double, MaxHalf>;

// Cosines and sines of -2 pi k / m, k = 0 .. m/2 - 1, by recurrence from one cosine.
void Twiddles(int32_t m, Block& c, Block& s) {
    const double c1 = std::cos(2.0 * std::numbers::pi / m);
    const double s1 = -std::sqrt(1.0 - c1 * c1);
    c[0] = 1.0;
    s[0] = 0.0;
    c[1] = c1;
    s[1] = s1;
    for (int32_t k = 2; k < m / 2; ++k) {
        c[k] = c[k - 1] * c1 - s[k - 1] * s1;
        s[k] = c[k - 1] * s1 + s[k - 1] * c1;
    }
}

void BitReverse(int32_t m, double* zr, double* zi) {
    for (int32_t i = 0, j = 0; i < m; ++i) {
        if (j > i) {
            std::swap(zr[i], zr[j]);
            std::swap(zi[i], zi[j]);
        }
        int32_t bit = m >> 1;
        while (bit >= 1 && (j & bit)) {
            j ^= bit;
            bit >>= 1;
        }
        j |= bit;
    }
}

// Every pair (a, a + span) of one stage with the same factor w: (a, b) := (a + w b, a - w b).
// The factors 1 and -i need no multiplication.
enum class Factor { One, MinusI, General };

template <Factor F>
inline void ButterflyColumn(double* zr, double* zi, int32_t m, int32_t first, int32_t span,
                            double wr, double wi) {
    for (int32_t a = first; a < m; a += 2 * span) {
        const int32_t b = a + span;
        double tr, ti;
        if constexpr (F == Factor::One) {
            tr = zr[b];
            ti = zi[b];
        } else if constexpr (F == Factor::MinusI) {
            tr = zi[b];
            ti = -zr[b];
        } else {
            tr = wr * zr[b] - wi * zi[b];
            ti = wr * zi[b] + wi * zr[b];
        }
        zr[b] = zr[a] - tr;
        zi[b] = zi[a] - ti;
        zr[a] += tr;
        zi[a] += ti;
    }
}

void Butterflies(int32_t m, bool inverse, const Block& c, const Block& s, double* zr, double* zi) {
    BitReverse(m, zr, zi);
    if (inverse)
        for (int32_t k = 0; k < m; ++k)
            zi[k] = -zi[k];
    for (int32_t span = 1; span < m; span *= 2) {
        const int32_t stride = m / (2 * span);
        for (int32_t j = 0; j < span; ++j) {
            if (j == 0)
                ButterflyColumn<Factor::One>(zr, zi, m, j, span, 1.0, 0.0);
            else if (2 * j == span)
                ButterflyColumn<Factor::MinusI>(zr, zi, m, j, span, 0.0, -1.0);
            else if (4 * j == span)
                ButterflyColumn<Factor::General>(zr, zi, m, j, span, Sqrt05, -Sqrt05);
            else
                ButterflyColumn<Factor::General>(zr, zi, m, j, span, c[j * stride], s[j * stride]);
        }
    }
    const double scale = 1.0 / std::sqrt(static_cast<double>(m));
    const double imScale = inverse ? -scale : scale;
    for (int32_t k = 0; k < m; ++k) {
        zr[k] *= scale;
        zi[k] *= imScale;
    }
}

// cos(k pi / m) and -sin(k pi / m) for the odd k, at [k / 2]. A caller transforms every line
// of a square at one length, so the last length's values are kept: computing them is most of
// the time of a short transform, and kept values are the same values.
struct OddTwiddles {
    int32_t Length = 0;
    Block C, S;
};

const OddTwiddles& OddTwiddlesOf(int32_t m) {
    thread_local OddTwiddles odd;
    if (odd.Length != m) {
        for (int32_t k = 1; k < m; k += 2) {
            const double angle = k * std::numbers::pi / m;
            odd.C[k / 2] = std::cos(angle);
            odd.S[k / 2] = -std::sin(angle);
        }
        odd.Length = m;
    }
    return odd;
}

// From the m-point transform of the packed values to the n-point spectrum.
void SplitSpectrum(int32_t m, const Block& c, const Block& s, const double* zr, const double* zi,
                   double* re, double* im) {
    const OddTwiddles& odd = OddTwiddlesOf(m);
    const double root2 = std::sqrt(2.0);
    const double half = 0.5 / root2;
    const int32_t n = 2 * m;
    re[0] = (zr[0] + zi[0]) / root2;
    im[0] = 0.0;
    re[m] = (zr[0] - zi[0]) / root2;
    im[m] = 0.0;
    for (int32_t k = 1; k < m; ++k) {
        const bool even = k % 2 == 0;
        const double wc = even ? c[k / 2] : odd.C[k / 2];
        const double ws = even ? s[k / 2] : odd.S[k / 2];
        const double a = zr[k] + zr[m - k], b = zi[k] + zi[m - k];
        const double d = zr[k] - zr[m - k], e = zi[k] - zi[m - k];
        re[k] = (wc * b + a + ws * d) * half;
        im[k] = (ws * b + e - wc * d) * half;
    }
    for (int32_t k = 1; k < m; ++k) {
        re[n - k] = re[k];
        im[n - k] = -im[k];
    }
}

} // namespace

void PowerOfTwoIndex(int32_t m, int32_t& exponent, int32_t& status) {
    if (m < 2) {
        status = fsTooShort;
        return;
    }
    for (int32_t e = 1; e <= 13; ++e)
        if (m == (int32_t{1} << e)) {
            exponent = e;
            status = fsSuccess;
            return;
        }
    status = fsNotPowerOfTwo;
}

void RealFFT(int32_t n, bool inverse, double* re, int32_t& status, double* im) {
    const int32_t m = n / 2;
    int32_t exponent = 0;
    PowerOfTwoIndex(m, exponent, status);
    if (status != fsSuccess) return;
    // The table goes up to 8192, the arrays hold 2048 values: a longer transform would write
    // past them. An odd length would lose its last value and write past the spectrum's end.
    if (m > MaxHalf || n % 2 != 0) {
        status = fsNotPowerOfTwo;
        return;
    }
    Block zr, zi, c, s;
    for (int32_t j = 0; j < m; ++j) {
        zr[j] = re[2 * j];
        zi[j] = re[2 * j + 1];
    }
    Twiddles(m, c, s);
    Butterflies(m, inverse, c, s, zr.data(), zi.data());
    SplitSpectrum(m, c, s, zr.data(), zi.data(), re, im);
}
