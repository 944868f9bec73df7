// Pixels in and out of the quick path of the value engines: a group of pixels of a 24-bit row
// (blue, green, red) as three vectors of reals, one lane a pixel, and three vectors of rounded
// values back into the row. A load reads, and a store writes, up to LaneSlackBytes bytes past
// the group; the caller keeps that much of the row beyond the block, and a store's extra bytes
// are written again by the group or block after it.
#pragma once

#include "runtime/RtVector.h"

#include <cstdint>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define VALUE_LANES_X86 1
// The widest vectors, for processors that can permute single bytes in them.
#define RT_WIDEST_VECTORS                                                                          \
    __attribute__((target("avx2,avx512f,avx512vl,avx512bw,avx512dq,avx512vbmi")))
#endif

namespace detail {

typedef double Double8 __attribute__((vector_size(64)));
typedef int32_t Int8 __attribute__((vector_size(32)));

inline constexpr int LaneSlackBytes = 8;

template <class V> struct LaneIO;

// Rounded values below `low` are 0.
template <class Ints>
[[gnu::always_inline]] inline void ZeroBelow(int low, Ints& r, Ints& g, Ints& b) {
    if (low > 0) {
        r = r < low ? 0 : r;
        g = g < low ? 0 : g;
        b = b < low ? 0 : b;
    }
}

// Two pixels at a time with the base instruction set alone.
template <> struct LaneIO<rt::Double2> {
    using V = rt::Double2;
    using Ints = rt::Int2;
    static constexpr int Lanes = 2;

    [[gnu::always_inline]] static void Load(const uint8_t* p, V& r, V& g, V& b) {
        b = V{static_cast<double>(p[0]), static_cast<double>(p[3])};
        g = V{static_cast<double>(p[1]), static_cast<double>(p[4])};
        r = V{static_cast<double>(p[2]), static_cast<double>(p[5])};
    }
    // For values at most 255: below 0 is 0, then halves round to even (adding and taking away
    // 1.5 * 2^52, as ClampRound does).
    [[gnu::always_inline]] static void Round(const V& v, Ints& out) {
        constexpr double Shift = 0x1.8p52;
        V x = v < 0.0 ? 0.0 : v;
        x = (x + Shift) - Shift;
        out = __builtin_convertvector(x, Ints);
    }
    [[gnu::always_inline]] static void Store(uint8_t* p, Ints& r, Ints& g, Ints& b, int low) {
        ZeroBelow(low, r, g, b);
        for (int l = 0; l < Lanes; ++l) {
            p[3 * l] = static_cast<uint8_t>(b[l]);
            p[3 * l + 1] = static_cast<uint8_t>(g[l]);
            p[3 * l + 2] = static_cast<uint8_t>(r[l]);
        }
    }
};

#ifdef VALUE_LANES_X86

// The conversions below round by the processor's rounding mode, halves to even, as the
// shifting of the plain path and of ClampRound does; negative values, however large, saturate
// to 0 when the bytes are packed.

// Four pixels: 12 bytes read as 16.
template <> struct LaneIO<rt::Double4> {
    using V = rt::Double4;
    using Ints = rt::Int4;
    static constexpr int Lanes = 4;

    RT_WIDE_VECTORS static V Channel(__m128i x, char c) {
        const __m128i spread = _mm_setr_epi8(c, -1, -1, -1, char(c + 3), -1, -1, -1, char(c + 6),
                                             -1, -1, -1, char(c + 9), -1, -1, -1);
        return reinterpret_cast<V>(_mm256_cvtepi32_pd(_mm_shuffle_epi8(x, spread)));
    }
    RT_WIDE_VECTORS static void Load(const uint8_t* p, V& r, V& g, V& b) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        b = Channel(x, 0);
        g = Channel(x, 1);
        r = Channel(x, 2);
    }
    RT_WIDE_VECTORS static void Round(const V& v, Ints& out) {
        out = reinterpret_cast<Ints>(_mm256_cvtpd_epi32(reinterpret_cast<__m256d>(v)));
    }
    RT_WIDE_VECTORS static void Store(uint8_t* p, Ints& r, Ints& g, Ints& b, int low) {
        ZeroBelow(low, r, g, b);
        const __m128i bg =
            _mm_packus_epi32(reinterpret_cast<__m128i>(b), reinterpret_cast<__m128i>(g));
        const __m128i rr =
            _mm_packus_epi32(reinterpret_cast<__m128i>(r), reinterpret_cast<__m128i>(r));
        // Blue 0..3, green 0..3, red 0..3 (twice), interleaved pixel by pixel.
        const __m128i bytes = _mm_packus_epi16(bg, rr);
        const __m128i order = _mm_setr_epi8(0, 4, 8, 1, 5, 9, 2, 6, 10, 3, 7, 11, 12, 13, 14, 15);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p), _mm_shuffle_epi8(bytes, order));
    }
};

// Eight pixels: 24 bytes read as 32.
template <> struct LaneIO<Double8> {
    using V = Double8;
    using Ints = Int8;
    static constexpr int Lanes = 8;

    RT_WIDEST_VECTORS static V Channel(__m256i x, char c) {
        const __m256i spread =
            _mm256_setr_epi8(c, 0, 0, 0, char(c + 3), 0, 0, 0, char(c + 6), 0, 0, 0, char(c + 9), 0,
                             0, 0, char(c + 12), 0, 0, 0, char(c + 15), 0, 0, 0, char(c + 18), 0, 0,
                             0, char(c + 21), 0, 0, 0);
        // Every fourth byte kept, the rest zero: one 32-bit lane a pixel.
        return reinterpret_cast<V>(
            _mm512_maskz_cvtepi32_pd(0xFF, _mm256_maskz_permutexvar_epi8(0x11111111u, spread, x)));
    }
    RT_WIDEST_VECTORS static void Load(const uint8_t* p, V& r, V& g, V& b) {
        const __m256i x = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
        b = Channel(x, 0);
        g = Channel(x, 1);
        r = Channel(x, 2);
    }
    RT_WIDEST_VECTORS static void Round(const V& v, Ints& out) {
        out = reinterpret_cast<Ints>(_mm512_maskz_cvtpd_epi32(0xFF, reinterpret_cast<__m512d>(v)));
    }
    RT_WIDEST_VECTORS static void Store(uint8_t* p, Ints& r, Ints& g, Ints& b, int low) {
        ZeroBelow(low, r, g, b);
        const __m256i bg =
            _mm256_packus_epi32(reinterpret_cast<__m256i>(b), reinterpret_cast<__m256i>(g));
        const __m256i rr =
            _mm256_packus_epi32(reinterpret_cast<__m256i>(r), reinterpret_cast<__m256i>(r));
        // In each half: blue, green, red (twice) of four pixels; then pixel by pixel.
        const __m256i bytes = _mm256_packus_epi16(bg, rr);
        const __m256i order =
            _mm256_setr_epi8(0, 4, 8, 1, 5, 9, 2, 6, 10, 3, 7, 11, 16, 20, 24, 17, 21, 25, 18, 22,
                             26, 19, 23, 27, 12, 13, 14, 15, 28, 29, 30, 31);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(p),
                            _mm256_maskz_permutexvar_epi8(~0u, order, bytes));
    }
};

#endif

} // namespace detail
