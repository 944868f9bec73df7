// The output-range rule of the image engines: how one computed real becomes one byte of the
// work buffer (absolute value, set-absolute bounds, range mapping, threshold), the two-pass auto
// range with its per-channel trackers, and the frame of the engines that map every pixel of the
// undo copy to the work buffer. The per-value step is inline and chosen per pass at compile
// time, so the pixel loops carry no call or dispatch per value.
#pragma once

#include "algebra/vUValueLanes.h"
#include "runtime/RtErrors.h"
#include "runtime/RtMath.h"
#include "runtime/RtVector.h"
#include "shell/vGlobal.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>

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

// ---- The passes over the picture ----
//
// A row is taken in blocks of BlockPixels pixels, and each block first the quick way: a few
// pixels at a time become vectors of reals, one lane a pixel, the engine computes all their
// values at once, and each value goes through the steps in vector instructions, with no branch
// per value. A block that holds anything the rule raises for (a value that is not finite, a zero
// range, a minimum beyond single precision), or that its engine could not compute without an
// error, is run again pixel by pixel from its first pixel, with the trackers as they were at its
// start. That path is the rule itself, so the error raised and the pixel that raises it are those
// of a run that took every pixel that way.

inline constexpr int BlockPixels = 256;

// The vector width of the quick path: the widest this processor has, unless narrowed.
enum class LaneWidth : uint8_t { Two, Four, Eight };
LaneWidth WidestLanes();
// Every later pass takes at most `width` (the quick path of each width is checked on one
// processor this way); returns the width it replaces.
LaneWidth LimitLanes(LaneWidth width);

namespace detail {

LaneWidth ChosenLanes();

// The steps of one channel over a group of lanes, as OutputValue takes them, up to the value
// that is rounded. `notFinite` gathers v * 0 (0 while every value is finite, NaN once one is
// not); `top` and `bottom` the extremes of a gathering pass. `Bounds`: the absolute or
// set-absolute step is on.
struct LaneSteps {
    double AbsoluteBelow, High, Low; // bounds no finite value passes when their step is off
    double Minimum, Range;
};

template <class V, RangeStep S, bool Bounds>
[[gnu::always_inline]] inline void StepLanes(V& v, const LaneSteps& k, V& notFinite, V& top,
                                             V& bottom) {
    // A mapping keeps a value that is not finite so, and its result is checked anyway.
    constexpr bool Maps =
        S == RangeStep::Stretch || S == RangeStep::BelowZero || S == RangeStep::Scale0To255;
    if constexpr (Bounds || !Maps) notFinite += v * 0.0;
    if constexpr (Bounds) {
        v = v < k.AbsoluteBelow ? -v : v;
        v = v > k.High ? k.High : v;
        v = v < k.Low ? k.Low : v;
    }
    if constexpr (S == RangeStep::Stretch) {
        v = (v - k.Minimum) / k.Range;
    } else if constexpr (S == RangeStep::BelowZero) {
        v = v * 127.0 + 127.0;
    } else if constexpr (S == RangeStep::Scale0To255) {
        const V below = v * 127.0 + 1.0;
        const V above = v / 2.0 + 128.0;
        v = v < 1.0 ? below : above;
    } else if constexpr (S == RangeStep::Gather) {
        top = v > top ? v : top;
        bottom = v < bottom ? v : bottom;
    }
    if constexpr (Maps) notFinite += v * 0.0;
}

// One block the quick way: `groups` groups of lanes from `src`, their bytes to `dst` (nothing
// for the passes that write nothing). False, with the trackers unchanged, where the block must
// go pixel by pixel; also where a gathered minimum is a zero, since which zero (+0 or -0) a
// tracker keeps depends on the order of the values.
template <class V, RangeStep S, bool Bounds, int N, class ComputeLanes>
[[gnu::always_inline]] inline bool
QuickBlock(const ComputeLanes& computeLanes, const ValueSteps& steps,
           std::array<ChannelRange, N>& ch, const uint8_t* src, int groups, uint8_t* dst) {
    using IO = LaneIO<V>;
    LaneSteps k[N];
    for (int c = 0; c < N; ++c) {
        if constexpr (S == RangeStep::Stretch)
            if (ch[c].Range == 0.0) return false;
        k[c] = {steps.Absolute ? 0.0 : -HUGE_VAL, steps.SetAbsolute ? steps.AbsoluteMax : HUGE_VAL,
                steps.SetAbsolute ? steps.AbsoluteMin : -HUGE_VAL, ch[c].Minimum, ch[c].Range};
    }
    // The threshold's upper bound clamps before rounding as after it.
    const double high = steps.Threshold ? steps.ThresholdMax : 255.0;
    const int low = steps.Threshold ? steps.ThresholdMin : 0;
    V notFinite[N] = {}, top[N], bottom[N];
    for (int c = 0; c < N; ++c) {
        top[c] = V{} - HUGE_VAL;
        bottom[c] = V{} + HUGE_VAL;
    }
    for (int i = 0; i < groups; ++i, src += 3 * IO::Lanes, dst += 3 * IO::Lanes) {
        V r, g, b, v[N];
        IO::Load(src, r, g, b);
        computeLanes(r, g, b, v);
        typename IO::Ints bytes[N];
        for (int c = 0; c < N; ++c) {
            StepLanes<V, S, Bounds>(v[c], k[c], notFinite[c], top[c], bottom[c]);
            if constexpr (StepWrites<S>) {
                v[c] = v[c] > high ? high : v[c];
                IO::Round(v[c], bytes[c]);
            }
        }
        if constexpr (StepWrites<S>) {
            if constexpr (N == 1)
                IO::Store(dst, bytes[0], bytes[0], bytes[0], low);
            else
                IO::Store(dst, bytes[0], bytes[1], bytes[2], low);
        }
    }
    for (int c = 0; c < N; ++c) {
        double sum = 0.0;
        for (int l = 0; l < IO::Lanes; ++l)
            sum += notFinite[c][l];
        if (!(sum == 0.0)) return false;
    }
    if constexpr (S == RangeStep::Gather) {
        double newMinimum[N];
        for (int c = 0; c < N; ++c) {
            double smallest = bottom[c][0];
            for (int l = 1; l < IO::Lanes; ++l)
                smallest = bottom[c][l] < smallest ? bottom[c][l] : smallest;
            newMinimum[c] = ch[c].Minimum;
            if (smallest < ch[c].Minimum) {
                if (ch[c].Precision == MinimumPrecision::Double) {
                    newMinimum[c] = smallest;
                } else {
                    if (std::fabs(smallest) > FLT_MAX) return false;
                    newMinimum[c] = static_cast<float>(smallest);
                }
                if (newMinimum[c] == 0.0) return false;
            }
        }
        for (int c = 0; c < N; ++c) {
            for (int l = 0; l < IO::Lanes; ++l)
                if (top[c][l] > ch[c].Maximum) ch[c].Maximum = top[c][l];
            ch[c].Minimum = newMinimum[c];
        }
    }
    return true;
}

// The block in the vectors of one width; an engine's error sends it pixel by pixel.
template <class V, RangeStep S, int N, class ComputeLanes>
[[gnu::always_inline]] inline bool
QuickBlockOfWidth(const ComputeLanes& computeLanes, const ValueSteps& steps,
                  std::array<ChannelRange, N>& ch, const uint8_t* src, int groups, uint8_t* dst) {
    try {
        if (steps.Absolute || steps.SetAbsolute)
            return QuickBlock<V, S, true, N>(computeLanes, steps, ch, src, groups, dst);
        return QuickBlock<V, S, false, N>(computeLanes, steps, ch, src, groups, dst);
    } catch (...) {
        return false;
    }
}

template <RangeStep S, int N, class ComputeLanes>
[[gnu::flatten]] bool QuickBlockTwo(const ComputeLanes& computeLanes, const ValueSteps& steps,
                                    std::array<ChannelRange, N>& ch, const uint8_t* src, int groups,
                                    uint8_t* dst) {
    return QuickBlockOfWidth<rt::Double2, S, N>(computeLanes, steps, ch, src, groups, dst);
}

#ifdef VALUE_LANES_X86
template <RangeStep S, int N, class ComputeLanes>
[[gnu::flatten]] RT_WIDE_VECTORS bool
QuickBlockFour(const ComputeLanes& computeLanes, const ValueSteps& steps,
               std::array<ChannelRange, N>& ch, const uint8_t* src, int groups, uint8_t* dst) {
    return QuickBlockOfWidth<rt::Double4, S, N>(computeLanes, steps, ch, src, groups, dst);
}

template <RangeStep S, int N, class ComputeLanes>
[[gnu::flatten]] RT_WIDEST_VECTORS bool
QuickBlockEight(const ComputeLanes& computeLanes, const ValueSteps& steps,
                std::array<ChannelRange, N>& ch, const uint8_t* src, int groups, uint8_t* dst) {
    return QuickBlockOfWidth<Double8, S, N>(computeLanes, steps, ch, src, groups, dst);
}
#endif

inline int LanesOf(LaneWidth width) {
    return width == LaneWidth::Eight ? 8 : width == LaneWidth::Four ? 4 : 2;
}

template <RangeStep S, int N, class ComputeLanes>
bool QuickBlockIn(LaneWidth width, const ComputeLanes& computeLanes, const ValueSteps& steps,
                  std::array<ChannelRange, N>& ch, const uint8_t* src, int groups, uint8_t* dst) {
#ifdef VALUE_LANES_X86
    if (width == LaneWidth::Eight)
        return QuickBlockEight<S, N>(computeLanes, steps, ch, src, groups, dst);
    if (width == LaneWidth::Four)
        return QuickBlockFour<S, N>(computeLanes, steps, ch, src, groups, dst);
#endif
    return QuickBlockTwo<S, N>(computeLanes, steps, ch, src, groups, dst);
}

// The engine's per-pixel computation lane by lane, for engines with no vector computation of
// their own; its errors send the block pixel by pixel.
template <int N, class Compute> auto LanesByPixels(const Compute& compute) {
    return [&compute](const auto& r, const auto& g, const auto& b, auto* v) {
        constexpr int Lanes = static_cast<int>(sizeof r / sizeof r[0]);
        for (int l = 0; l < Lanes; ++l) {
            double out[N];
            compute(static_cast<int>(r[l]), static_cast<int>(g[l]), static_cast<int>(b[l]), out);
            for (int c = 0; c < N; ++c)
                v[c][l] = out[c];
        }
    };
}

// The rule pixel by pixel, as it stands.
template <RangeStep S, int N, class Compute>
void RunPixels(const Compute& compute, const uint8_t* src, uint8_t* dst, int n,
               const ValueSteps& steps, std::array<ChannelRange, N>& ch) {
    for (int x = 0; x < n; ++x, src += 3, dst += 3) {
        double v[N];
        compute(src[2], src[1], src[0], v);
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
}

template <RangeStep S, int N, class Compute, class ComputeLanes>
void RunValuePass(OutputRange& out, int64_t pass, ProgressReport report, const Compute& compute,
                  const ComputeLanes& computeLanes) {
    // Locals, so that the byte stores of the loop cannot be taken to change them.
    const ValueSteps steps = out.Steps;
    const LaneWidth width = ChosenLanes();
    const int lanes = LanesOf(width);
    const int32_t pixels = ImageMaxX + 1;
    // Blocks too near the row's end for the slack of the loads and stores go through these,
    // the lanes past the row's end repeating its last pixel, so they change no extreme and bring
    // no value the block does not already have.
    constexpr int SlackPixels = (LaneSlackBytes + 2) / 3;
    alignas(64) uint8_t stageIn[3 * BlockPixels + LaneSlackBytes];
    alignas(64) uint8_t stageOut[3 * BlockPixels + LaneSlackBytes];
    for (int32_t y = 0; y <= ImageMaxY; ++y) {
        out.FoldExtremes(N);
        std::array<ChannelRange, N> ch;
        for (int c = 0; c < N; ++c)
            ch[c] = out.Channels[c];
        const uint8_t* src = UndoRow(y);
        uint8_t* dst = WorkRow(y);
        for (int32_t x = 0; x < pixels; x += BlockPixels) {
            const int n = std::min<int32_t>(BlockPixels, pixels - x);
            const int groups = (n + lanes - 1) / lanes;
            const bool direct = x + n + SlackPixels <= pixels;
            const uint8_t* in = src + 3 * x;
            uint8_t* to = dst + 3 * x;
            if (!direct) {
                std::memcpy(stageIn, in, 3 * static_cast<size_t>(n));
                for (int i = n; i < groups * lanes; ++i)
                    std::memcpy(stageIn + 3 * i, in + 3 * (n - 1), 3);
                in = stageIn;
                to = stageOut;
            }
            const std::array<ChannelRange, N> atStart = ch;
            if (!QuickBlockIn<S, N>(width, computeLanes, steps, ch, in, groups, to)) {
                ch = atStart;
                RunPixels<S, N>(compute, src + 3 * x, dst + 3 * x, n, steps, ch);
            } else if (!direct && StepWrites<S>) {
                std::memcpy(dst + 3 * x, stageOut, 3 * static_cast<size_t>(n));
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
// one value for all three channels for N = 1), each operation checked as the run time checks
// it. `computeLanes(r, g, b, v)` does the same for vectors of reals, one lane a pixel, v[c]
// being the vector of channel c, with the values `compute` gives, bit for bit; where `compute`
// would raise it may raise or leave a value that is not finite, either of which sends the block
// pixel by pixel.
// Construct `out` at the engine's entry, before the copy lets window messages run. A run-time
// error ends the run before anything is shown.
template <int N, class Compute, class ComputeLanes>
void RunValueEngine(OutputRange& out, int64_t passes, ProgressReport report, const Compute& compute,
                    const ComputeLanes& computeLanes) {
    static_assert(N == 1 || N == 3);
    CopyImageForProcessing();
    if (!ImageBuffersLocked) return;
    for (int64_t pass = 0; pass < passes; ++pass) {
        out.BeginPass();
        switch (out.StepOfPass(pass)) {
        case RangeStep::Discard:
            detail::RunValuePass<RangeStep::Discard, N>(out, pass, report, compute, computeLanes);
            break;
        case RangeStep::Gather:
            detail::RunValuePass<RangeStep::Gather, N>(out, pass, report, compute, computeLanes);
            break;
        case RangeStep::Stretch:
            detail::RunValuePass<RangeStep::Stretch, N>(out, pass, report, compute, computeLanes);
            break;
        case RangeStep::BelowZero:
            detail::RunValuePass<RangeStep::BelowZero, N>(out, pass, report, compute, computeLanes);
            break;
        case RangeStep::Scale0To255:
            detail::RunValuePass<RangeStep::Scale0To255, N>(out, pass, report, compute,
                                                            computeLanes);
            break;
        case RangeStep::Clip:
            detail::RunValuePass<RangeStep::Clip, N>(out, pass, report, compute, computeLanes);
            break;
        }
    }
    ShowProcessedImage();
}

// The same for an engine with no vector computation of its own.
template <int N, class Compute>
void RunValueEngine(OutputRange& out, int64_t passes, ProgressReport report,
                    const Compute& compute) {
    RunValueEngine<N>(out, passes, report, compute, detail::LanesByPixels<N>(compute));
}
