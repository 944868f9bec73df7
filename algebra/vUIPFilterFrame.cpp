#include "algebra/vUIPFilterFrame.h"

#include "runtime/RtVector.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

std::vector<StageKernel> RealStages(const FilterKernels& kernels) {
    std::vector<StageKernel> stages(KernelStages(kernels.Kind));
    for (size_t s = 0; s < stages.size(); ++s) {
        stages[s].N = kernels.Size;
        stages[s].W = kernels.Real[s];
    }
    return stages;
}

void NormaliseAboveOne(StageKernel& kernel) {
    double sum = 0.0, largest = 0.0;
    const int32_t cells = kernel.N * kernel.N;
    for (int32_t k = 0; k < cells; ++k) {
        sum += kernel.W[k];
        largest = std::max(largest, std::fabs(kernel.W[k]));
    }
    // Finite weights whose sum overflows (nine of 1e308) would all become 0 divided by it: they
    // are divided by the largest of them first, which keeps their sum in range and their ratios
    // as they are, so equal weights average however large.
    if (std::isinf(sum) && largest <= DBL_MAX) {
        double scaled = 0.0;
        for (int32_t k = 0; k < cells; ++k)
            scaled += kernel.W[k] / largest;
        if (scaled > 0.0)
            for (int32_t k = 0; k < cells; ++k)
                kernel.W[k] = kernel.W[k] / largest / scaled;
        return;
    }
    if (sum > 1.0)
        for (int32_t k = 0; k < cells; ++k)
            kernel.W[k] /= sum;
}

namespace {

// One weight and where its values start for column 0 of the computed row.
template <class T> struct Tap {
    const T* P;
    T W;
};

// Each column's sum is taken tap after tap from +0, in file order, as one running sum would be;
// four vectors of columns at a time stay in registers across all the taps.
template <class V, class T>
[[gnu::always_inline]] inline void CorrelateBody(const StageKernel& kernel,
                                                 const WindowPlanesOf<T>& planes, int ch,
                                                 int32_t count, double* acc) {
    constexpr int L = rt::LanesOf<V>;
    Tap<T> taps[MaxKernelCells];
    int nt = 0;
    const int32_t n = kernel.N;
    for (int32_t r = 0; r < n; ++r)
        for (int32_t c = 0; c < n; ++c) {
            const double w = kernel.W[r * n + c];
            // A zero weight adds +0 or -0 to a sum that is never -0: nothing.
            if (w != 0.0) taps[nt++] = {planes.Row(r, ch) + c, static_cast<T>(w)};
        }
    int32_t x = 0;
    for (; x + 4 * L <= count; x += 4 * L) {
        V a0{}, a1{}, a2{}, a3{};
        for (int t = 0; t < nt; ++t) {
            const T* p = taps[t].P + x;
            const T w = taps[t].W;
            V v0, v1, v2, v3;
            std::memcpy(&v0, p, sizeof v0);
            std::memcpy(&v1, p + L, sizeof v1);
            std::memcpy(&v2, p + 2 * L, sizeof v2);
            std::memcpy(&v3, p + 3 * L, sizeof v3);
            a0 += w * v0;
            a1 += w * v1;
            a2 += w * v2;
            a3 += w * v3;
        }
        for (int l = 0; l < L; ++l) {
            acc[x + l] = a0[l];
            acc[x + L + l] = a1[l];
            acc[x + 2 * L + l] = a2[l];
            acc[x + 3 * L + l] = a3[l];
        }
    }
    for (; x < count; ++x) {
        T a = 0;
        for (int t = 0; t < nt; ++t)
            a += taps[t].W * taps[t].P[x];
        acc[x] = a;
    }
}

typedef float Float8 __attribute__((vector_size(32)));

RT_WIDE_VECTORS void CorrelateWide(const StageKernel& kernel, const WindowPlanes& planes, int ch,
                                   int32_t count, double* acc) {
    CorrelateBody<rt::Double4>(kernel, planes, ch, count, acc);
}

void CorrelatePlain(const StageKernel& kernel, const WindowPlanes& planes, int ch, int32_t count,
                    double* acc) {
    CorrelateBody<rt::Double2>(kernel, planes, ch, count, acc);
}

RT_WIDE_VECTORS void CorrelateWide(const StageKernel& kernel, const SinglePlanes& planes, int ch,
                                   int32_t count, double* acc) {
    CorrelateBody<Float8>(kernel, planes, ch, count, acc);
}

void CorrelatePlain(const StageKernel& kernel, const SinglePlanes& planes, int ch, int32_t count,
                    double* acc) {
    CorrelateBody<rt::Float4>(kernel, planes, ch, count, acc);
}

inline int Threshold(int b, const ValueSteps& steps) {
    if (!steps.Threshold) return b;
    if (b > steps.ThresholdMax) b = steps.ThresholdMax;
    // Below the lower bound is 0, not the bound.
    return b < steps.ThresholdMin ? 0 : b;
}

// One channel's block of BlockPixels values through the range steps to rounded bytes, the quick
// way. False, with the tracker unchanged, where the block must go value by value: a value that
// is not finite, or a gathered minimum that is a zero (which zero a tracker keeps depends on the
// order of the values).
template <class V, RangeStep S, bool Bounds>
[[gnu::always_inline]] inline bool MapBlock(const double* in, const ValueSteps& steps,
                                            ChannelRange& channel, int32_t* rounded) {
    using Ints = rt::IntsOf<V>;
    constexpr int Lanes = rt::LanesOf<V>;
    if constexpr (S == RangeStep::Stretch)
        if (channel.Range == 0.0) return false;
    const detail::LaneSteps k{
        steps.Absolute ? 0.0 : -HUGE_VAL, steps.SetAbsolute ? steps.AbsoluteMax : HUGE_VAL,
        steps.SetAbsolute ? steps.AbsoluteMin : -HUGE_VAL, channel.Minimum, channel.Range};
    V notFinite{}, top = V{} - HUGE_VAL, bottom = V{} + HUGE_VAL;
    for (int i = 0; i < BlockPixels; i += Lanes) {
        V v;
        std::memcpy(&v, in + i, sizeof v);
        detail::StepLanes<V, S, Bounds>(v, k, notFinite, top, bottom);
        if constexpr (StepWrites<S>) {
            // Clamp, then round halves to even, as ClampRound does.
            constexpr double Shift = 0x1.8p52;
            v = v > 255.0 ? 255.0 : v;
            v = v < 0.0 ? 0.0 : v;
            v = (v + Shift) - Shift;
            const Ints b = __builtin_convertvector(v, Ints);
            std::memcpy(rounded + i, &b, sizeof b);
        }
    }
    double sum = 0.0;
    for (int l = 0; l < Lanes; ++l)
        sum += notFinite[l];
    if (!(sum == 0.0)) return false;
    if constexpr (S == RangeStep::Gather) {
        double largest = top[0], smallest = bottom[0];
        for (int l = 1; l < Lanes; ++l) {
            largest = top[l] > largest ? top[l] : largest;
            smallest = bottom[l] < smallest ? bottom[l] : smallest;
        }
        double newMinimum = channel.Minimum;
        if (smallest < channel.Minimum) {
            if (channel.Precision == MinimumPrecision::Double) {
                newMinimum = smallest;
            } else {
                if (std::fabs(smallest) > FLT_MAX) return false;
                newMinimum = static_cast<float>(smallest);
            }
            if (newMinimum == 0.0) return false;
        }
        if (largest > channel.Maximum) channel.Maximum = largest;
        channel.Minimum = newMinimum;
    }
    return true;
}

// Blocks of BlockPixels values the quick way; a block the rule would raise for, or whose
// minimum is a zero, goes value by value from its start, which is the rule itself.
template <class V, RangeStep S>
[[gnu::always_inline]] inline void MapRowBody(const double* values, int32_t count,
                                              const ValueSteps& steps, ChannelRange& channel,
                                              uint8_t* dst) {
    alignas(64) double block[BlockPixels];
    alignas(64) int32_t rounded[BlockPixels];
    const bool bounds = steps.Absolute || steps.SetAbsolute;
    for (int32_t x = 0; x < count; x += BlockPixels) {
        const int n = std::min<int32_t>(BlockPixels, count - x);
        std::copy(values + x, values + x + n, block);
        // Lanes past the row's end repeat its last value: no new extreme, no new error.
        std::fill(block + n, block + BlockPixels, values[x + n - 1]);
        const ChannelRange atStart = channel;
        const bool quick = bounds ? MapBlock<V, S, true>(block, steps, channel, rounded)
                                  : MapBlock<V, S, false>(block, steps, channel, rounded);
        if (!quick) {
            channel = atStart;
            for (int i = 0; i < n; ++i) {
                const int b = OutputValue<S>(values[x + i], steps, channel);
                if constexpr (StepWrites<S>) dst[3 * (x + i)] = static_cast<uint8_t>(b);
            }
        } else if constexpr (StepWrites<S>) {
            for (int i = 0; i < n; ++i)
                dst[3 * (x + i)] = static_cast<uint8_t>(Threshold(rounded[i], steps));
        }
    }
}

template <RangeStep S>
RT_WIDE_VECTORS void MapRowWide(const double* values, int32_t count, const ValueSteps& steps,
                                ChannelRange& channel, uint8_t* dst) {
    MapRowBody<rt::Double4, S>(values, count, steps, channel, dst);
}

template <RangeStep S>
void MapRowPlain(const double* values, int32_t count, const ValueSteps& steps,
                 ChannelRange& channel, uint8_t* dst) {
    MapRowBody<rt::Double2, S>(values, count, steps, channel, dst);
}

template <RangeStep S>
void MapRowOf(const double* values, int32_t count, const ValueSteps& steps, ChannelRange& channel,
              uint8_t* dst) {
    if (rt::WideVectorsAvailable())
        MapRowWide<S>(values, count, steps, channel, dst);
    else
        MapRowPlain<S>(values, count, steps, channel, dst);
}

} // namespace

void Correlate(const StageKernel& kernel, const WindowPlanes& planes, int ch, int32_t count,
               double* acc) {
    if (rt::WideVectorsAvailable())
        CorrelateWide(kernel, planes, ch, count, acc);
    else
        CorrelatePlain(kernel, planes, ch, count, acc);
}

bool SumsExactInSingle(const StageKernel& kernel) {
    double bound = 0.0;
    for (int32_t k = 0; k < kernel.N * kernel.N; ++k) {
        if (kernel.W[k] != std::trunc(kernel.W[k])) return false;
        bound += std::fabs(kernel.W[k]) * 255.0;
    }
    return bound < 0x1p24;
}

void Correlate(const StageKernel& kernel, const SinglePlanes& planes, int ch, int32_t count,
               double* acc) {
    if (rt::WideVectorsAvailable())
        CorrelateWide(kernel, planes, ch, count, acc);
    else
        CorrelatePlain(kernel, planes, ch, count, acc);
}

#if defined(__x86_64__)

namespace {

// std::sqrt sets errno for negative input, which keeps a loop of it scalar; the instructions
// give the same correctly rounded roots (and NaN below zero) without it.
RT_WIDE_VECTORS void SqrtRowWide(double* v, int32_t count) {
    int32_t i = 0;
    for (; i + 4 <= count; i += 4)
        _mm256_storeu_pd(v + i, _mm256_sqrt_pd(_mm256_loadu_pd(v + i)));
    for (; i < count; ++i)
        _mm_store_sd(v + i, _mm_sqrt_sd(_mm_setzero_pd(), _mm_load_sd(v + i)));
}

void SqrtRowPlain(double* v, int32_t count) {
    int32_t i = 0;
    for (; i + 2 <= count; i += 2)
        _mm_storeu_pd(v + i, _mm_sqrt_pd(_mm_loadu_pd(v + i)));
    for (; i < count; ++i)
        _mm_store_sd(v + i, _mm_sqrt_sd(_mm_setzero_pd(), _mm_load_sd(v + i)));
}

} // namespace

void SqrtRow(double* v, int32_t count) {
    if (rt::WideVectorsAvailable())
        SqrtRowWide(v, count);
    else
        SqrtRowPlain(v, count);
}

#else

void SqrtRow(double* v, int32_t count) {
    for (int32_t i = 0; i < count; ++i)
        v[i] = std::sqrt(v[i]);
}

#endif

void MagnitudeRow(const StageResponses& r, int32_t count, double* v) {
    std::fill(v, v + count, 0.0);
    for (size_t s = 0; s < r.Count(); ++s) {
        const double* rs = r[s];
        for (int32_t i = 0; i < count; ++i)
            v[i] += rs[i] * rs[i];
    }
    SqrtRow(v, count);
}

void MapRow(RangeStep step, const double* values, int32_t count, const ValueSteps& steps,
            ChannelRange& channel, uint8_t* dst) {
    switch (step) {
    case RangeStep::Discard:
        MapRowOf<RangeStep::Discard>(values, count, steps, channel, dst);
        break;
    case RangeStep::Gather:
        MapRowOf<RangeStep::Gather>(values, count, steps, channel, dst);
        break;
    case RangeStep::Stretch:
        MapRowOf<RangeStep::Stretch>(values, count, steps, channel, dst);
        break;
    case RangeStep::BelowZero:
        MapRowOf<RangeStep::BelowZero>(values, count, steps, channel, dst);
        break;
    case RangeStep::Scale0To255:
        MapRowOf<RangeStep::Scale0To255>(values, count, steps, channel, dst);
        break;
    case RangeStep::Clip:
        MapRowOf<RangeStep::Clip>(values, count, steps, channel, dst);
        break;
    }
}
