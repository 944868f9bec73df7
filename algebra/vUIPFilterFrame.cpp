#include "algebra/vUIPFilterFrame.h"

#include "runtime/RtVector.h"

#include <algorithm>

WindowPlanes::WindowPlanes(int32_t n, int32_t width)
    : N(n), Width(width), Data(static_cast<size_t>(n) * 3 * width), Held(n, -1) {}

void WindowPlanes::Load(int32_t y) {
    Top = y - N / 2;
    for (int32_t r = 0; r < N; ++r) {
        const int32_t row = Top + r;
        const int32_t slot = SlotOf(row);
        if (Held[slot] == row) continue;
        const uint8_t* src = UndoRow(row);
        double* blue = Data.data() + static_cast<size_t>(slot) * 3 * Width;
        double* green = blue + Width;
        double* red = green + Width;
        for (int32_t x = 0; x < Width; ++x) {
            blue[x] = src[3 * x];
            green[x] = src[3 * x + 1];
            red[x] = src[3 * x + 2];
        }
        Held[slot] = row;
    }
}

std::vector<StageKernel> RealStages(const FilterKernels& kernels) {
    std::vector<StageKernel> stages(KernelStages(kernels.Kind));
    for (size_t s = 0; s < stages.size(); ++s) {
        stages[s].N = kernels.Size;
        stages[s].W = kernels.Real[s];
    }
    return stages;
}

void NormaliseAboveOne(StageKernel& kernel) {
    double sum = 0.0;
    const int32_t cells = kernel.N * kernel.N;
    for (int32_t k = 0; k < cells; ++k)
        sum += kernel.W[k];
    if (sum > 1.0)
        for (int32_t k = 0; k < cells; ++k)
            kernel.W[k] /= sum;
}

namespace {

[[gnu::always_inline]] inline void CorrelateBody(const StageKernel& kernel,
                                                 const WindowPlanes& planes, int ch, int32_t count,
                                                 double* acc) {
    std::fill(acc, acc + count, 0.0);
    const int32_t n = kernel.N;
    for (int32_t r = 0; r < n; ++r) {
        const double* row = planes.Row(r, ch);
        for (int32_t c = 0; c < n; ++c) {
            const double w = kernel.W[r * n + c];
            // A zero weight adds +0 or -0 to a sum that is never -0: nothing.
            if (w == 0.0) continue;
            const double* p = row + c;
            for (int32_t i = 0; i < count; ++i)
                acc[i] += w * p[i];
        }
    }
}

RT_WIDE_VECTORS void CorrelateWide(const StageKernel& kernel, const WindowPlanes& planes, int ch,
                                   int32_t count, double* acc) {
    CorrelateBody(kernel, planes, ch, count, acc);
}

void CorrelatePlain(const StageKernel& kernel, const WindowPlanes& planes, int ch, int32_t count,
                    double* acc) {
    CorrelateBody(kernel, planes, ch, count, acc);
}

inline int Threshold(int b, const ValueSteps& steps) {
    if (!steps.Threshold) return b;
    if (b > steps.ThresholdMax) b = steps.ThresholdMax;
    // Below the lower bound is 0, not the bound.
    return b < steps.ThresholdMin ? 0 : b;
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
        const bool quick = bounds ? detail::MapBlock<V, S, true>(block, steps, channel, rounded)
                                  : detail::MapBlock<V, S, false>(block, steps, channel, rounded);
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
