#include "algebra/vUIPFilter.h"

#include "algebra/vUIPFilterFrame.h"
#include "runtime/RtMath.h"
#include "runtime/RtVector.h"

#include <cmath>
#include <cstring>

namespace {

// ---- The integer kernel ----
//
// Its sums are whole numbers below 2^47 in magnitude (81 weights of 32 bits times 255), so they
// are exact as reals, and so is every step the integer output stage takes on them (products by
// 127, differences). Its truncating divisions are taken as real divisions followed by truncation
// of the quotient clamped to -1 .. 256: a quotient that is not whole lies at least 1 / divisor
// (above 5e-12) from the nearest whole number, far more than the rounding of a quotient below 256
// can move it, and beyond that range the byte is 0 or 255 either way.

struct IntegerSteps {
    bool Absolute = false;
    bool SetAbsolute = false;
    double Low = 0.0, High = 255.0; // the rounded set-absolute bounds
    double WeightSum = 0.0;         // W, the divisor of clip and 0..1..255 when above 1
};

// Trunc(q) for q clamped to -1 .. 256, then clamped to a byte.
inline int TruncByte(double q) {
    q = q < -1.0 ? -1.0 : q;
    q = q > 256.0 ? 256.0 : q;
    const int t = static_cast<int>(q);
    return t < 0 ? 0 : (t > 255 ? 255 : t);
}

// v div W when W > 1, clamped to -1 .. 256 and truncated (the rest clamps the same).
inline int DividedBySum(double v, double w) {
    double q = w > 1.0 ? v / w : v;
    q = q < -1.0 ? -1.0 : q;
    q = q > 256.0 ? 256.0 : q;
    return static_cast<int>(q);
}

// The integer divisor of the stretch, and the real one it falls back to.
struct IntegerStretch {
    int64_t Divisor = 0;
    double RealDivisor = 0.0;
};

template <RangeStep S>
void IntegerRow(const double* sums, int32_t count, const IntegerSteps& st, const ValueSteps& steps,
                ChannelRange& ch, const IntegerStretch& stretch, uint8_t* dst) {
    const double divisor = static_cast<double>(stretch.Divisor);
    for (int32_t i = 0; i < count; ++i) {
        double v = sums[i];
        if (st.Absolute && v < 0.0) v = -v;
        if (st.SetAbsolute) {
            if (v > st.High) v = st.High;
            if (v < st.Low) v = st.Low;
        }
        int b;
        if constexpr (S == RangeStep::Gather) {
            if (v > ch.Maximum) ch.Maximum = v;
            if (v < ch.Minimum) ch.Minimum = v;
            continue;
        } else if constexpr (S == RangeStep::Discard) {
            continue;
        } else if constexpr (S == RangeStep::Stretch) {
            if (stretch.Divisor != 0) {
                b = TruncByte((v - ch.Minimum) / divisor);
            } else {
                // A first-pass range below 255 gives an integer divisor of 0; the real one
                // still stretches it. Only an empty range leaves nothing to divide by.
                if (!(ch.Maximum > ch.Minimum)) throw EDivByZero();
                b = ClampRound((v - ch.Minimum) / stretch.RealDivisor);
            }
        } else if constexpr (S == RangeStep::BelowZero) {
            b = TruncByte(v * 127.0 + 127.0);
        } else if constexpr (S == RangeStep::Scale0To255) {
            const int q = DividedBySum(v, st.WeightSum);
            b = q < 1 ? (q == 0 ? 1 : 0) : std::min(255, q / 2 + 128);
        } else {
            b = std::clamp(DividedBySum(v, st.WeightSum), 0, 255);
        }
        if (steps.Threshold) {
            if (b > steps.ThresholdMax) b = steps.ThresholdMax;
            if (b < steps.ThresholdMin) b = 0;
        }
        dst[3 * i] = static_cast<uint8_t>(b);
    }
}

// The same for the steps that write, a vector of columns at a time, up to the last whole vector;
// the clamp to -1 .. 256 before the conversion keeps every quotient in the integers' range.
template <class V, RangeStep S>
[[gnu::always_inline]] inline int32_t
IntegerVectors(const double* sums, int32_t count, const IntegerSteps& st, const ValueSteps& steps,
               const ChannelRange& ch, const IntegerStretch& stretch, uint8_t* dst) {
    using Ints = rt::IntsOf<V>;
    constexpr int L = rt::LanesOf<V>;
    const double absoluteBelow = st.Absolute ? 0.0 : -HUGE_VAL;
    const double high = st.SetAbsolute ? st.High : HUGE_VAL;
    const double low = st.SetAbsolute ? st.Low : -HUGE_VAL;
    const bool divide = st.WeightSum > 1.0;
    const double divisor = S == RangeStep::Stretch ? static_cast<double>(stretch.Divisor)
                                                   : (divide ? st.WeightSum : 1.0);
    const double offset = S == RangeStep::Stretch ? ch.Minimum : 0.0;
    const int byteHigh = steps.Threshold ? steps.ThresholdMax : 255;
    const int byteLow = steps.Threshold ? steps.ThresholdMin : 0;
    int32_t i = 0;
    for (; i + L <= count; i += L) {
        V v;
        std::memcpy(&v, sums + i, sizeof v);
        v = v < absoluteBelow ? -v : v;
        v = v > high ? high : v;
        v = v < low ? low : v;
        V q;
        if constexpr (S == RangeStep::BelowZero)
            q = v * 127.0 + 127.0;
        else if (S == RangeStep::Stretch || divide)
            q = (v - offset) / divisor;
        else
            q = v;
        q = q < -1.0 ? -1.0 : q;
        q = q > 256.0 ? 256.0 : q;
        Ints t = __builtin_convertvector(q, Ints);
        if constexpr (S == RangeStep::Scale0To255) t = t < 1 ? (t == 0 ? 1 : 0) : t / 2 + 128;
        t = t < 0 ? 0 : t;
        t = t > byteHigh ? byteHigh : t;
        // Below the threshold's lower bound is 0, not the bound.
        t = t < byteLow ? 0 : t;
        for (int l = 0; l < L; ++l)
            dst[3 * (i + l)] = static_cast<uint8_t>(t[l]);
    }
    return i;
}

template <RangeStep S>
RT_WIDE_VECTORS int32_t IntegerVectorsWide(const double* sums, int32_t count,
                                           const IntegerSteps& st, const ValueSteps& steps,
                                           const ChannelRange& ch, const IntegerStretch& stretch,
                                           uint8_t* dst) {
    return IntegerVectors<rt::Double4, S>(sums, count, st, steps, ch, stretch, dst);
}

template <RangeStep S>
int32_t IntegerVectorsPlain(const double* sums, int32_t count, const IntegerSteps& st,
                            const ValueSteps& steps, const ChannelRange& ch,
                            const IntegerStretch& stretch, uint8_t* dst) {
    return IntegerVectors<rt::Double2, S>(sums, count, st, steps, ch, stretch, dst);
}

// The whole vectors the quick way, the rest (and the steps that write nothing, and a stretch
// by the real divisor) value by value.
template <RangeStep S>
void IntegerRowFast(const double* sums, int32_t count, const IntegerSteps& st,
                    const ValueSteps& steps, ChannelRange& ch, const IntegerStretch& stretch,
                    uint8_t* dst) {
    int32_t done = 0;
    if constexpr (StepWrites<S>)
        if (S != RangeStep::Stretch || stretch.Divisor != 0)
            done = rt::WideVectorsAvailable()
                       ? IntegerVectorsWide<S>(sums, count, st, steps, ch, stretch, dst)
                       : IntegerVectorsPlain<S>(sums, count, st, steps, ch, stretch, dst);
    IntegerRow<S>(sums + done, count - done, st, steps, ch, stretch, dst + 3 * done);
}

void IntegerRowOf(RangeStep step, const double* sums, int32_t count, const IntegerSteps& st,
                  const ValueSteps& steps, ChannelRange& ch, const IntegerStretch& stretch,
                  uint8_t* dst) {
    switch (step) {
    case RangeStep::Discard:
        IntegerRowFast<RangeStep::Discard>(sums, count, st, steps, ch, stretch, dst);
        break;
    case RangeStep::Gather:
        IntegerRowFast<RangeStep::Gather>(sums, count, st, steps, ch, stretch, dst);
        break;
    case RangeStep::Stretch:
        IntegerRowFast<RangeStep::Stretch>(sums, count, st, steps, ch, stretch, dst);
        break;
    case RangeStep::BelowZero:
        IntegerRowFast<RangeStep::BelowZero>(sums, count, st, steps, ch, stretch, dst);
        break;
    case RangeStep::Scale0To255:
        IntegerRowFast<RangeStep::Scale0To255>(sums, count, st, steps, ch, stretch, dst);
        break;
    case RangeStep::Clip:
        IntegerRowFast<RangeStep::Clip>(sums, count, st, steps, ch, stretch, dst);
        break;
    }
}

} // namespace

void DoIntegerFile(const std::string& FileName, int32_t AutoRangeFlag) {
    OutputRange out({true, true, true, RangeOrder::AutoBelowScaleClip}, MinimumPrecision::Double);
    IntegerSteps st;
    st.Absolute = out.Steps.Absolute;
    st.SetAbsolute = out.Steps.SetAbsolute;
    st.Low = static_cast<double>(Round(RealATMin));
    st.High = static_cast<double>(Round(RealATMax));
    FilterKernels file;
    if (!ReadFilterFile(FileName, KernelKind::Integer, file)) return;
    StageKernel kernel;
    kernel.N = file.Size;
    int64_t w = 0;
    for (int32_t k = 0; k < kernel.N * kernel.N; ++k) {
        kernel.W[k] = file.Integer[k];
        w += file.Integer[k];
    }
    st.WeightSum = static_cast<double>(w);
    std::array<IntegerStretch, 3> stretch;
    std::vector<double> sums;
    const auto beginPass = [&](int64_t) {
        for (int ch = 0; ch < 3; ++ch) {
            const ChannelRange& c = out.Channels[ch];
            const int64_t range = static_cast<int64_t>(c.Maximum) - static_cast<int64_t>(c.Minimum);
            stretch[ch].Divisor = range / 255;
            stretch[ch].RealDivisor = static_cast<double>(range) / 255.0;
        }
    };
    const auto row = [&](int64_t pass, int32_t, const auto& planes, uint8_t* dst) {
        const int32_t count = AreaWidth(kernel.N);
        sums.resize(count);
        for (int ch = 0; ch < 3; ++ch) {
            Correlate(kernel, planes, ch, count, sums.data());
            IntegerRowOf(out.StepOfPass(pass), sums.data(), count, st, out.Steps, out.Channels[ch],
                         stretch[ch], dst + ch);
        }
    };
    if (SumsExactInSingle(kernel))
        RunFilterPasses<SinglePlanes>(kernel.N, AutoRangeFlag, out, ProgressReport::ByOption,
                                      beginPass, DefaultFold(out), row);
    else
        RunFilterPasses(kernel.N, AutoRangeFlag, out, ProgressReport::ByOption, beginPass,
                        DefaultFold(out), row);
}

void DoRealFile(const std::string& FileName, int32_t AutoRangeFlag) {
    OutputRange out({true, true, true, RangeOrder::AutoScaleBelowClip}, MinimumPrecision::Double);
    FilterKernels file;
    if (!ReadFilterFile(FileName, KernelKind::Real, file)) return;
    StageKernel kernel = RealStages(file)[0];
    NormaliseAboveOne(kernel);
    std::vector<double> values;
    RunFilterPasses(kernel.N, AutoRangeFlag, out, ProgressReport::ByOption, DefaultBeginPass(out),
                    DefaultFold(out),
                    [&](int64_t pass, int32_t, const WindowPlanes& planes, uint8_t* dst) {
                        const int32_t count = AreaWidth(kernel.N);
                        values.resize(count);
                        for (int ch = 0; ch < 3; ++ch) {
                            Correlate(kernel, planes, ch, count, values.data());
                            MapRow(out.StepOfPass(pass), values.data(), count, out.Steps,
                                   out.Channels[ch], dst + ch);
                        }
                    });
}

void DoSobelFile(const std::string& FileName, int32_t AutoRangeFlag) {
    OutputRange out({true, true, true, RangeOrder::AutoBelowScaleClip}, MinimumPrecision::Double);
    ClampUnlessAutoOrBelowZero(out);
    FilterKernels file;
    if (!ReadFilterFile(FileName, KernelKind::Pair, file)) return;
    RunStages(file, AutoRangeFlag, out, MagnitudeRow);
}

void DoSoDogFile(const std::string& FileName, int32_t AutoRangeFlag) {
    OutputRange out({true, true, true, RangeOrder::AutoBelowScaleClip}, MinimumPrecision::Double);
    FilterKernels file;
    if (!ReadFilterFile(FileName, KernelKind::Pair, file)) return;
    RunStages(file, AutoRangeFlag, out, [](const StageResponses& r, int32_t count, double* v) {
        for (int32_t i = 0; i < count; ++i) {
            const double d = r[1][i] == 0.0 ? 0.001 : r[1][i];
            v[i] = std::atan(std::fabs(r[0][i] / d));
        }
    });
}

void DoSlopeFile(const std::string& FileName, int32_t AutoRangeFlag, int32_t Directions) {
    OutputRange out({false, true, true, RangeOrder::AutoBelowScaleClip}, MinimumPrecision::Double);
    FilterKernels file;
    if (!ReadFilterFile(FileName, KernelKind::Pair, file)) return;
    std::array<double, 2> a{};
    for (int s = 0; s < 2; ++s) {
        for (int32_t k = 0; k < file.Size * file.Size; ++k)
            a[s] += std::fabs(file.Real[s][k]);
        if (a[s] == 0.0) a[s] = 1.0;
    }
    RunStages(file, AutoRangeFlag, out,
              [&a, Directions](const StageResponses& r, int32_t count, double* v) {
                  for (int32_t i = 0; i < count; ++i) {
                      const double s1 = r[0][i] / a[0], s2 = r[1][i] / a[1];
                      const double q1 = s1 * s1, q2 = s2 * s2;
                      if (Directions == 8)
                          v[i] = q1 + q2;
                      else if (Directions == 6)
                          v[i] = std::atan(q1 + q2);
                      else
                          v[i] = q2;
                  }
                  if (Directions == 8) SqrtRow(v, count);
              });
}

const std::array<FiledFilterCode, 11> FiledFilterCodes = {{
    {301, "=0301  Do_IntegerFile", DoIntegerFile},
    {302, "=0302  Do_RealFile", DoRealFile},
    {303, "=0303  Do_SobelFile", DoSobelFile},
    {304, "=0304  Do_SoDogFile", DoSoDogFile},
    {305, "=0305  Do_Rotate8SQRTFile",
     [](const std::string& f, int32_t a) { DoRotate8SQRTFile(f, a, 255, 255); }},
    {306, "=0306  Do_Rotate8MaxFile", DoRotate8MaxFile},
    {307, "=0307  Ratboy", DoRatioAddFile},
    {308, "=0308  Batgirl", DoRatioMaxFile},
    {309, "=0309  Do_SlopeFile8", [](const std::string& f, int32_t a) { DoSlopeFile(f, a, 8); }},
    {310, "=0310  Do_SlopeFile6", [](const std::string& f, int32_t a) { DoSlopeFile(f, a, 6); }},
    {311, "=0311  Do_SlopeFile r2 8",
     [](const std::string& f, int32_t a) { DoSlopeFile(f, a, 8); }},
}};

const FiledFilterCode* FindFiledFilterCode(int32_t code) {
    for (const FiledFilterCode& c : FiledFilterCodes)
        if (c.Code == code) return &c;
    return nullptr;
}
