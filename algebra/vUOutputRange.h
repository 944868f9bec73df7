// The output-range rule of the image engines: how one computed real becomes one byte of the
// work buffer (absolute value, set-absolute bounds, range mapping, threshold), the two-pass auto
// range with its per-channel trackers, and the frame of the engines that map every pixel of the
// undo copy to the work buffer. The per-value step is inline and chosen per pass at compile
// time, so the pixel loops carry no call or dispatch per value.
#pragma once

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
// A row is taken in blocks of BlockPixels pixels, and each block first the quick way: its bytes
// are split into planes, all its values computed at once, and each channel's values put through
// the steps in loops that compile to vector instructions. A block that holds anything the rule
// raises for (a value that is not finite, a zero range, a minimum beyond single precision), or
// that its engine could not compute without an error, is run again pixel by pixel from its first
// pixel, with the trackers as they were at its start. That path is the rule itself, so the error
// raised and the pixel that raises it are those of a run that took every pixel that way.

inline constexpr int BlockPixels = 256;

// One block in planes, as bytes and as reals. The lanes past the row's end repeat its last
// pixel, so they change no extreme and bring no value the block does not already have.
struct ValueBlock {
    alignas(64) uint8_t R[BlockPixels];
    alignas(64) uint8_t G[BlockPixels];
    alignas(64) uint8_t B[BlockPixels];
    alignas(64) double Red[BlockPixels];
    alignas(64) double Green[BlockPixels];
    alignas(64) double Blue[BlockPixels];
    alignas(64) double V[3][BlockPixels];
};

namespace detail {

// The pixels of a block as words, blue in the low byte. Four bytes are read a pixel; the row's
// last pixel, whose fourth byte may lie past the buffer, is read byte by byte.
inline void LoadWords(const uint8_t* src, int n, bool rowEnd, uint32_t* words) {
    const int whole = rowEnd ? n - 1 : n;
    for (int i = 0; i < whole; ++i)
        std::memcpy(&words[i], src + 3 * i, 4);
    for (int i = whole; i < n; ++i)
        words[i] = src[3 * i] | (src[3 * i + 1] << 8) | (src[3 * i + 2] << 16);
    for (int i = n; i < BlockPixels; ++i)
        words[i] = words[n - 1];
}

// Words back into the row: four bytes a pixel, each store's fourth byte overwritten by the next
// pixel's, except at the row's end.
inline void StoreWords(const uint32_t* words, int n, bool rowEnd, uint8_t* dst) {
    const int whole = rowEnd ? n - 1 : n;
    for (int i = 0; i < whole; ++i)
        std::memcpy(dst + 3 * i, &words[i], 4);
    for (int i = whole; i < n; ++i) {
        dst[3 * i] = static_cast<uint8_t>(words[i]);
        dst[3 * i + 1] = static_cast<uint8_t>(words[i] >> 8);
        dst[3 * i + 2] = static_cast<uint8_t>(words[i] >> 16);
    }
}

// The value steps over one channel of a block, lane for lane as OutputValue takes them, up to
// the rounded byte (the threshold follows when the bytes are packed). False, with `channel`
// unchanged, where OutputValue would raise, and where the block's minimum is a zero: which zero
// (+0 or -0) a tracker keeps depends on the order of the values. `Bounds`: the absolute or
// set-absolute step is on.
template <class V, RangeStep S, bool Bounds>
[[gnu::always_inline]] inline bool MapBlock(const double* in, const ValueSteps& steps,
                                            ChannelRange& channel, int32_t* rounded) {
    using Ints = rt::IntsOf<V>;
    constexpr int Lanes = rt::LanesOf<V>;
    if constexpr (S == RangeStep::Stretch)
        if (channel.Range == 0.0) return false;
    // A step whose option is off becomes a bound that no finite value passes.
    const double absoluteBelow = steps.Absolute ? 0.0 : -HUGE_VAL;
    const double high = steps.SetAbsolute ? steps.AbsoluteMax : HUGE_VAL;
    const double low = steps.SetAbsolute ? steps.AbsoluteMin : -HUGE_VAL;
    const double minimum = channel.Minimum, range = channel.Range;
    // Sums of v * 0: 0 while every value is finite, NaN once one is not.
    V notFinite{};
    V top = V{} - HUGE_VAL, bottom = V{} + HUGE_VAL;
    for (int i = 0; i < BlockPixels; i += Lanes) {
        V v;
        std::memcpy(&v, in + i, sizeof v);
        notFinite += v * 0.0;
        if constexpr (Bounds) {
            v = v < absoluteBelow ? -v : v;
            v = v > high ? high : v;
            v = v < low ? low : v;
        }
        if constexpr (S == RangeStep::Stretch) {
            v = (v - minimum) / range;
            notFinite += v * 0.0;
        } else if constexpr (S == RangeStep::BelowZero) {
            v = v * 127.0 + 127.0;
            notFinite += v * 0.0;
        } else if constexpr (S == RangeStep::Scale0To255) {
            const V below = v * 127.0 + 1.0;
            const V above = v / 2.0 + 128.0;
            v = v < 1.0 ? below : above;
            notFinite += v * 0.0;
        } else if constexpr (S == RangeStep::Gather) {
            if constexpr (Bounds) notFinite += v * 0.0;
            top = v > top ? v : top;
            bottom = v < bottom ? v : bottom;
        }
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

// The engine's per-pixel computation over a block, for engines with no block computation of
// their own. An error sends the block to the per-pixel path, which raises it in its turn.
template <int N, class Compute> bool ComputeByPixels(const Compute& compute, ValueBlock& block) {
    try {
        for (int i = 0; i < BlockPixels; ++i) {
            double v[N];
            compute(block.R[i], block.G[i], block.B[i], v);
            for (int c = 0; c < N; ++c)
                block.V[c][i] = v[c];
        }
    } catch (...) {
        return false;
    }
    return true;
}

// One block the quick way, from its words to the words of its result (nothing to store for the
// passes that write nothing). False where the block must go pixel by pixel.
template <class V, RangeStep S, int N, class ComputeBlock>
[[gnu::always_inline]] inline bool
QuickBlock(const ComputeBlock& computeBlock, const ValueSteps& steps,
           std::array<ChannelRange, N>& ch, ValueBlock& block, uint32_t* words) {
    for (int i = 0; i < BlockPixels; ++i) {
        const uint32_t w = words[i];
        block.B[i] = static_cast<uint8_t>(w);
        block.G[i] = static_cast<uint8_t>(w >> 8);
        block.R[i] = static_cast<uint8_t>(w >> 16);
        block.Blue[i] = static_cast<double>(w & 255);
        block.Green[i] = static_cast<double>((w >> 8) & 255);
        block.Red[i] = static_cast<double>((w >> 16) & 255);
    }
    if (!computeBlock(block)) return false;
    alignas(64) int32_t rounded[3][BlockPixels];
    const bool bounds = steps.Absolute || steps.SetAbsolute;
    for (int c = 0; c < N; ++c) {
        const bool mapped = bounds ? MapBlock<V, S, true>(block.V[c], steps, ch[c], rounded[c])
                                   : MapBlock<V, S, false>(block.V[c], steps, ch[c], rounded[c]);
        if (!mapped) return false;
    }
    if constexpr (StepWrites<S>) {
        const int byteHigh = steps.Threshold ? steps.ThresholdMax : 255;
        const int byteLow = steps.Threshold ? steps.ThresholdMin : 0;
        const int32_t* red = rounded[0];
        const int32_t* green = rounded[N == 1 ? 0 : 1];
        const int32_t* blue = rounded[N == 1 ? 0 : 2];
        for (int i = 0; i < BlockPixels; ++i) {
            int r = red[i] > byteHigh ? byteHigh : red[i];
            int g = green[i] > byteHigh ? byteHigh : green[i];
            int b = blue[i] > byteHigh ? byteHigh : blue[i];
            // Below the lower bound is 0, not the bound.
            r = r < byteLow ? 0 : r;
            g = g < byteLow ? 0 : g;
            b = b < byteLow ? 0 : b;
            words[i] = static_cast<uint32_t>(b | (g << 8) | (r << 16));
        }
    }
    return true;
}

template <RangeStep S, int N, class ComputeBlock>
RT_WIDE_VECTORS bool QuickBlockWide(const ComputeBlock& computeBlock, const ValueSteps& steps,
                                    std::array<ChannelRange, N>& ch, ValueBlock& block,
                                    uint32_t* words) {
    return QuickBlock<rt::Double4, S, N>(computeBlock, steps, ch, block, words);
}

template <RangeStep S, int N, class ComputeBlock>
bool QuickBlockPlain(const ComputeBlock& computeBlock, const ValueSteps& steps,
                     std::array<ChannelRange, N>& ch, ValueBlock& block, uint32_t* words) {
    return QuickBlock<rt::Double2, S, N>(computeBlock, steps, ch, block, words);
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

template <RangeStep S, int N, class Compute, class ComputeBlock>
void RunValuePass(OutputRange& out, int64_t pass, ProgressReport report, const Compute& compute,
                  const ComputeBlock& computeBlock) {
    // Locals, so that the byte stores of the loop cannot be taken to change them.
    const ValueSteps steps = out.Steps;
    const bool wide = rt::WideVectorsAvailable();
    const int32_t width = ImageMaxX + 1;
    ValueBlock block;
    alignas(64) uint32_t words[BlockPixels];
    for (int32_t y = 0; y <= ImageMaxY; ++y) {
        out.FoldExtremes(N);
        std::array<ChannelRange, N> ch;
        for (int c = 0; c < N; ++c)
            ch[c] = out.Channels[c];
        const uint8_t* src = UndoRow(y);
        uint8_t* dst = WorkRow(y);
        for (int32_t x = 0; x < width; x += BlockPixels) {
            const int n = std::min<int32_t>(BlockPixels, width - x);
            const bool rowEnd = x + n == width;
            LoadWords(src + 3 * x, n, rowEnd, words);
            const std::array<ChannelRange, N> atStart = ch;
            const bool quick = wide ? QuickBlockWide<S, N>(computeBlock, steps, ch, block, words)
                                    : QuickBlockPlain<S, N>(computeBlock, steps, ch, block, words);
            if (!quick) {
                ch = atStart;
                RunPixels<S, N>(compute, src + 3 * x, dst + 3 * x, n, steps, ch);
            } else if constexpr (StepWrites<S>) {
                StoreWords(words, n, rowEnd, dst + 3 * x);
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
// one value for all three channels for N = 1). `computeBlock(block)` fills block.V[0..N-1] for
// all BlockPixels lanes with the values `compute` gives, bit for bit; where `compute` would raise
// it returns false or leaves a value that is not finite, either of which sends the block pixel
// by pixel.
// Construct `out` at the engine's entry, before the copy lets window messages run. A run-time
// error ends the run before anything is shown.
template <int N, class Compute, class ComputeBlock>
void RunValueEngine(OutputRange& out, int64_t passes, ProgressReport report, const Compute& compute,
                    const ComputeBlock& computeBlock) {
    static_assert(N == 1 || N == 3);
    CopyImageForProcessing();
    if (!ImageBuffersLocked) return;
    for (int64_t pass = 0; pass < passes; ++pass) {
        out.BeginPass();
        switch (out.StepOfPass(pass)) {
        case RangeStep::Discard:
            detail::RunValuePass<RangeStep::Discard, N>(out, pass, report, compute, computeBlock);
            break;
        case RangeStep::Gather:
            detail::RunValuePass<RangeStep::Gather, N>(out, pass, report, compute, computeBlock);
            break;
        case RangeStep::Stretch:
            detail::RunValuePass<RangeStep::Stretch, N>(out, pass, report, compute, computeBlock);
            break;
        case RangeStep::BelowZero:
            detail::RunValuePass<RangeStep::BelowZero, N>(out, pass, report, compute, computeBlock);
            break;
        case RangeStep::Scale0To255:
            detail::RunValuePass<RangeStep::Scale0To255, N>(out, pass, report, compute,
                                                            computeBlock);
            break;
        case RangeStep::Clip:
            detail::RunValuePass<RangeStep::Clip, N>(out, pass, report, compute, computeBlock);
            break;
        }
    }
    ShowProcessedImage();
}

// The same for an engine with no block computation of its own.
template <int N, class Compute>
void RunValueEngine(OutputRange& out, int64_t passes, ProgressReport report,
                    const Compute& compute) {
    RunValueEngine<N>(out, passes, report, compute, [&compute](ValueBlock& block) {
        return detail::ComputeByPixels<N>(compute, block);
    });
}
