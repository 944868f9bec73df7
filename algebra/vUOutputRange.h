// The output-range rule of the image engines: how one computed real becomes one byte of the
// work buffer (absolute value, set-absolute bounds, range mapping, threshold), the two-pass auto
// range with its per-channel trackers, and the frame of the engines that map every pixel of the
// undo copy to the work buffer. The per-value step is inline and chosen per pass at compile
// time, so the pixel loops carry no call or dispatch per value.
#pragma once

#include "runtime/RtErrors.h"
#include "runtime/RtMath.h"
#include "shell/vGlobal.h"

#include <array>
#include <cfloat>
#include <cmath>
#include <cstdint>

// The four exclusive range options as one run sees them.
enum class RangeMapping : uint8_t { None, AutoRange, BelowZero, Scale0To255, Clip };

// The order in which an engine tests the range options; it matters only when several are set,
// as a macro's options block can leave them.
enum class RangeOrder : uint8_t { AutoBelowScaleClip, AutoScaleBelowClip };

// What one pass does with every value: compute it and drop it (no range option), gather the
// auto-range extremes, or map it to a byte.
enum class RangeStep : uint8_t { Discard, Gather, Stretch, BelowZero, Scale0To255, Clip };

// Which of the options outside the range mapping an engine honours, and its test order.
struct HonouredOptions {
    bool Absolute = false;
    bool SetAbsolute = false;
    bool Threshold = false;
    RangeOrder Order = RangeOrder::AutoBelowScaleClip;
};

// The options outside the range mapping, fixed for one run.
struct ValueSteps {
    bool Absolute = false;
    bool SetAbsolute = false;
    bool Threshold = false;
    uint8_t ThresholdMin = 0;
    uint8_t ThresholdMax = 255;
    double AbsoluteMin = 0.0;
    double AbsoluteMax = 255.0;
};

// Most engines keep their running minimum as a 4-byte real, so a stored minimum is rounded to
// single precision; a few keep 8 bytes.
enum class MinimumPrecision : uint8_t { Single, Double };

[[noreturn]] void RaiseFloatError(double v);

// Infinity raises "Floating point overflow" and NaN "Invalid floating point operation", as the
// run time does for the operation that made them; neither may reach a byte.
inline void CheckFinite(double v) {
    if (!(std::fabs(v) <= DBL_MAX)) [[unlikely]]
        RaiseFloatError(v);
}

// The auto-range tracker of one output channel. The maximum starts at 0 and the minimum at 255,
// so the stretch always spans at least the interval between them.
struct ChannelRange {
    double Maximum = 0.0;
    double Minimum = 255.0;
    double Range = 0.0;
    MinimumPrecision Precision = MinimumPrecision::Single;

    void Track(double v) {
        if (v > Maximum) Maximum = v;
        if (v < Minimum) {
            if (Precision == MinimumPrecision::Double) {
                Minimum = v;
            } else {
                if (std::fabs(v) > FLT_MAX) throw EOverflow();
                Minimum = static_cast<float>(v);
            }
        }
    }
};

constexpr int NoByte = -1;

// Clamp to 0..255, then round halves to even, for a value known to be finite. Rounding first and
// clamping the integer gives the same byte, and lets the clamp compile without branches: the sign
// of computed values follows the picture, so branches there would mispredict. Adding and taking
// away 1.5 * 2^52 rounds any value below 2^51 in magnitude to an integer, halves to even, as the
// default rounding mode does; the bounds of 2^31 before it are met only by rare huge values.
inline int ClampRound(double v) {
    constexpr double Limit = 2147483647.0;
    constexpr double Shift = 0x1.8p52;
    v = v > Limit ? Limit : v;
    v = v < -Limit ? -Limit : v;
    int b = static_cast<int>((v + Shift) - Shift);
    b = b < 0 ? 0 : b;
    return b > 255 ? 255 : b;
}

template <RangeStep S>
inline constexpr bool StepWrites = (S != RangeStep::Discard) && (S != RangeStep::Gather);

// One value through the steps: absolute, set absolute, range mapping (clamp, then round halves
// to even), threshold. Returns the byte, or NoByte when the pass writes nothing.
template <RangeStep S>
[[gnu::always_inline]] inline int OutputValue(double v, const ValueSteps& steps,
                                              ChannelRange& channel) {
    CheckFinite(v);
    if (steps.Absolute && v < 0.0) v = -v;
    if (steps.SetAbsolute) {
        if (v > steps.AbsoluteMax) v = steps.AbsoluteMax;
        if (v < steps.AbsoluteMin) v = steps.AbsoluteMin;
    }
    if constexpr (S == RangeStep::Discard) {
        return NoByte;
    } else if constexpr (S == RangeStep::Gather) {
        channel.Track(v);
        return NoByte;
    } else {
        if constexpr (S == RangeStep::Stretch) {
            // A zero range is not guarded: it ends the run with the run time's error.
            v = rt::fdiv(v - channel.Minimum, channel.Range);
        } else if constexpr (S == RangeStep::BelowZero) {
            v = v * 127.0 + 127.0;
            CheckFinite(v);
        } else if constexpr (S == RangeStep::Scale0To255) {
            v = v < 1.0 ? v * 127.0 + 1.0 : v / 2.0 + 128.0;
            CheckFinite(v);
        }
        int b = ClampRound(v);
        if (steps.Threshold) {
            if (b > steps.ThresholdMax) b = steps.ThresholdMax;
            // Below the lower bound is 0, not the bound.
            if (b < steps.ThresholdMin) b = 0;
        }
        return b;
    }
}

// How a pass reports its rows: by the auto-range option (the two-part report while it is set),
// or by the pass number alone (part 1, part 2, then the one-part report).
enum class ProgressReport : uint8_t { ByOption, ByPass };

// The rule's state for one run of an engine: the options as read at the engine's entry and the
// trackers of up to three channels (red, green, blue).
class OutputRange {
  public:
    explicit OutputRange(const HonouredOptions& honoured,
                         MinimumPrecision precision = MinimumPrecision::Single);

    RangeMapping Mapping;
    ValueSteps Steps;
    std::array<ChannelRange, 3> Channels;

    // The passes of the engines whose count follows the auto-range option.
    int64_t OptionPasses() const { return Mapping == RangeMapping::AutoRange ? 2 : 1; }
    // What pass `pass` (from 0) does with its values.
    RangeStep StepOfPass(int64_t pass) const;
    // At the start of a pass: each channel's range from its extremes.
    void BeginPass();
    // At the start of every row: the trackers of the first `channels` channels raise
    // ProcessMaxValue and lower ProcessMinValue.
    void FoldExtremes(int channels) const;
    void ReportRow(ProgressReport report, int64_t pass, int32_t y) const;
};

// The first range option set, in the engine's order.
RangeMapping ChooseRangeMapping(RangeOrder order);

namespace detail {

template <RangeStep S, int N, class Compute>
void RunValuePass(OutputRange& out, int64_t pass, ProgressReport report, const Compute& compute) {
    // Locals, so that the byte stores of the loop cannot be taken to change them.
    const ValueSteps steps = out.Steps;
    Compute f = compute;
    const int32_t width = ImageMaxX + 1;
    for (int32_t y = 0; y <= ImageMaxY; ++y) {
        out.FoldExtremes(N);
        std::array<ChannelRange, N> ch;
        for (int c = 0; c < N; ++c)
            ch[c] = out.Channels[c];
        const uint8_t* src = UndoRow(y);
        uint8_t* dst = WorkRow(y);
        for (int32_t x = 0; x < width; ++x, src += 3, dst += 3) {
            double v[N];
            f(src[2], src[1], src[0], v);
            if constexpr (N == 1) {
                const int b = OutputValue<S>(v[0], steps, ch[0]);
                if constexpr (StepWrites<S>) dst[0] = dst[1] = dst[2] = static_cast<uint8_t>(b);
            } else {
                const int red = OutputValue<S>(v[0], steps, ch[0]);
                const int green = OutputValue<S>(v[1], steps, ch[1]);
                const int blue = OutputValue<S>(v[2], steps, ch[2]);
                if constexpr (StepWrites<S>) {
                    dst[0] = static_cast<uint8_t>(blue);
                    dst[1] = static_cast<uint8_t>(green);
                    dst[2] = static_cast<uint8_t>(red);
                }
            }
        }
        for (int c = 0; c < N; ++c)
            out.Channels[c] = ch[c];
        out.ReportRow(report, pass, y);
    }
}

} // namespace detail

// The frame of the value engines: copy the picture into the working buffers (nothing more when
// they are not ready), run `passes` passes over every pixel of the undo copy, then show the work
// buffer. `compute(R, G, B, v)` puts the N values of a pixel into v (red, green, blue for N = 3;
// one value for all three channels for N = 1). Construct `out` at the engine's entry, before
// the copy lets window messages run. A run-time error ends the run before anything is shown.
template <int N, class Compute>
void RunValueEngine(OutputRange& out, int64_t passes, ProgressReport report,
                    const Compute& compute) {
    static_assert(N == 1 || N == 3);
    CopyImageForProcessing();
    if (!ImageBuffersLocked) return;
    for (int64_t pass = 0; pass < passes; ++pass) {
        out.BeginPass();
        switch (out.StepOfPass(pass)) {
        case RangeStep::Discard:
            detail::RunValuePass<RangeStep::Discard, N>(out, pass, report, compute);
            break;
        case RangeStep::Gather:
            detail::RunValuePass<RangeStep::Gather, N>(out, pass, report, compute);
            break;
        case RangeStep::Stretch:
            detail::RunValuePass<RangeStep::Stretch, N>(out, pass, report, compute);
            break;
        case RangeStep::BelowZero:
            detail::RunValuePass<RangeStep::BelowZero, N>(out, pass, report, compute);
            break;
        case RangeStep::Scale0To255:
            detail::RunValuePass<RangeStep::Scale0To255, N>(out, pass, report, compute);
            break;
        case RangeStep::Clip:
            detail::RunValuePass<RangeStep::Clip, N>(out, pass, report, compute);
            break;
        }
    }
    ShowProcessedImage();
}
