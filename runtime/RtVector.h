// Fixed-width vectors of the compiler's vector extension, for the pixel loops that must compare
// and choose between reals: the compiler has to assume that a floating-point comparison can trap,
// so it leaves a loop of plain ternaries over doubles or floats scalar, while the same loop over
// these types is vector instructions. And the attribute that builds a loop a second time for
// processors with AVX2, chosen at run time; the arithmetic, and so every result, is the same.
#pragma once

#include <cstdint>

namespace rt {

typedef double Double2 __attribute__((vector_size(16)));
typedef double Double4 __attribute__((vector_size(32)));
typedef int32_t Int2 __attribute__((vector_size(8)));
typedef int32_t Int4 __attribute__((vector_size(16)));
typedef float Float4 __attribute__((vector_size(16)));

// The 32-bit integers with as many lanes as a vector of doubles.
template <class V> struct IntsOfT;
template <> struct IntsOfT<Double2> { using Type = Int2; };
template <> struct IntsOfT<Double4> { using Type = Int4; };
template <class V> using IntsOf = typename IntsOfT<V>::Type;

template <class V> constexpr int LanesOf = static_cast<int>(sizeof(V) / sizeof(V{}[0]));

} // namespace rt

// Wider vectors are used only where this processor has them; elsewhere the plain build runs.
#if defined(__x86_64__) && defined(__GNUC__)
#define RT_WIDE_VECTORS __attribute__((target("avx2")))
namespace rt {
inline bool WideVectorsAvailable() {
    static const bool available = __builtin_cpu_supports("avx2");
    return available;
}
} // namespace rt
#else
#define RT_WIDE_VECTORS
namespace rt {
inline bool WideVectorsAvailable() {
    return false;
}
} // namespace rt
#endif
