// The compass filters on eight kernels and the ratio filters on one: the engines whose value per
// pixel is a running maximum (with its lower tracker) or needs its own mapping.
#include "algebra/vUIPFilter.h"

#include "algebra/vUIPFilterFrame.h"
#include "runtime/RtMath.h"

#include <cmath>

namespace {

// The absolute and set-absolute steps on one stage response or ratio, before the maximum.
inline double AbsoluteSteps(double t, const ValueSteps& steps) {
    if (steps.Absolute && t < 0.0) t = -t;
    if (steps.SetAbsolute) {
        if (t > steps.AbsoluteMax) t = steps.AbsoluteMax;
        if (t < steps.AbsoluteMin) t = steps.AbsoluteMin;
    }
    return t;
}

// A running maximum M from 0 and its lower tracker L from 255, fed in order.
struct RunningMaximum {
    double M = 0.0, L = 255.0;
    void Add(double t) {
        if (t > M) M = t;
        if (M < L) L = M;
    }
};

// The engines of running maxima: rows of M and L per channel; the auto range gathers M into the
// run maximum and L into the run minimum; each row starts by folding the last pixel's M and L
// (not the run's trackers) into the display extremes.
class MaximaRun {
  public:
    explicit MaximaRun(OutputRange& out) : Out(out), Plain(out.Steps) {
        Plain.Absolute = Plain.SetAbsolute = false;
    }

    auto Fold() {
        return [this] {
            for (int ch = 0; ch < 3; ++ch) {
                if (LastM[ch] > ProcessMaxValue) ProcessMaxValue = LastM[ch];
                if (LastL[ch] < ProcessMinValue) ProcessMinValue = LastL[ch];
            }
        };
    }

    // Makes room for a row of `count` columns.
    void Size(int32_t count) {
        M.resize(count);
        L.resize(count);
    }

    // After M[0 .. count-1] and L of channel ch are computed: maps or gathers them.
    void Finish(int64_t pass, int ch, int32_t count, uint8_t* dst) {
        LastM[ch] = M[count - 1];
        LastL[ch] = L[count - 1];
        ChannelRange& c = Out.Channels[ch];
        const RangeStep step = Out.StepOfPass(pass);
        if (step == RangeStep::Gather) {
            for (int32_t i = 0; i < count; ++i) {
                CheckFinite(M[i]);
                if (M[i] > c.Maximum) c.Maximum = M[i];
                if (L[i] < c.Minimum) c.Minimum = L[i];
            }
            return;
        }
        MapRow(step, M.data(), count, Plain, c, dst);
    }

    std::vector<double> M, L;

  private:
    OutputRange& Out;
    ValueSteps Plain; // the value steps for M: the absolute ones were taken per stage
    std::array<double, 3> LastM{0.0, 0.0, 0.0};
    std::array<double, 3> LastL{255.0, 255.0, 255.0};
};

// The compass magnitude's own stage: set absolute, then auto range with the given divisor,
// below zero, or else the clamp whose ceiling is the argument's; the threshold last.
struct CeilingSteps {
    double RangeDivisor = 255.0;
    double Ceiling = 255.0;
    std::array<double, 3> Divisor{};
};

inline int CeilingByte(double v, double ceiling) {
    if (v > 255.0) v = ceiling;
    if (v < 0.0) v = 0.0;
    return ClampRound(v);
}

void CeilingRow(RangeStep step, const double* values, int32_t count, const ValueSteps& steps,
                const CeilingSteps& cs, ChannelRange& ch, double divisor, uint8_t* dst) {
    for (int32_t i = 0; i < count; ++i) {
        double v = values[i];
        CheckFinite(v);
        if (steps.SetAbsolute) {
            if (v > steps.AbsoluteMax) v = steps.AbsoluteMax;
            if (v < steps.AbsoluteMin) v = steps.AbsoluteMin;
        }
        int b;
        if (step == RangeStep::Gather) {
            ch.Track(v);
            continue;
        } else if (step == RangeStep::Stretch) {
            b = CeilingByte(rt::fdiv(v - ch.Minimum, divisor), cs.Ceiling);
        } else if (step == RangeStep::BelowZero) {
            v = v * 127.0 + 127.0;
            CheckFinite(v);
            b = ClampRound(v);
        } else {
            b = CeilingByte(v, cs.Ceiling);
        }
        if (steps.Threshold) {
            if (b > steps.ThresholdMax) b = steps.ThresholdMax;
            if (b < steps.ThresholdMin) b = 0;
        }
        dst[3 * i] = static_cast<uint8_t>(b);
    }
}

// The ratio filters count the window positions off the centre row and column.
template <class Each>
inline void ForCountedPositions(const WindowPlanes& planes, const StageKernel& k, int ch, int32_t i,
                                Each&& each) {
    const int32_t n = k.N, h = n / 2;
    for (int32_t r = 0; r < n; ++r) {
        if (r == h) continue;
        const double* row = planes.Row(r, ch) + i;
        for (int32_t c = 0; c < n; ++c)
            if (c != h) each(row[c] * k.W[r * n + c]);
    }
}

} // namespace

void DoRotate8SQRTFile(const std::string& FileName, int32_t AutoRangeFlag, int32_t RangeDivisor,
                       int32_t ClipCeiling) {
    OutputRange out({false, true, true, RangeOrder::AutoBelowScaleClip}, MinimumPrecision::Double);
    ClampUnlessAutoOrBelowZero(out);
    FilterKernels file;
    if (!ReadFilterFile(FileName, KernelKind::Eight, file)) return;
    CeilingSteps cs;
    cs.RangeDivisor = RangeDivisor;
    cs.Ceiling = ClipCeiling;
    StageResponses r(file);
    std::vector<double> values;
    RunFilterPasses(
        file.Size, AutoRangeFlag, out, ProgressReport::ByOption,
        [&](int64_t) {
            for (int ch = 0; ch < 3; ++ch)
                cs.Divisor[ch] =
                    rt::fdiv(out.Channels[ch].Maximum - out.Channels[ch].Minimum, cs.RangeDivisor);
        },
        DefaultFold(out),
        [&](int64_t pass, int32_t, const WindowPlanes& planes, uint8_t* dst) {
            const int32_t count = AreaWidth(file.Size);
            values.resize(count);
            for (int ch = 0; ch < 3; ++ch) {
                r.Compute(planes, ch, count);
                MagnitudeRow(r, count, values.data());
                CeilingRow(out.StepOfPass(pass), values.data(), count, out.Steps, cs,
                           out.Channels[ch], cs.Divisor[ch], dst + ch);
            }
        });
}

void DoRotate8MaxFile(const std::string& FileName, int32_t AutoRangeFlag) {
    OutputRange out({true, true, true, RangeOrder::AutoBelowScaleClip}, MinimumPrecision::Double);
    FilterKernels file;
    if (!ReadFilterFile(FileName, KernelKind::Eight, file)) return;
    StageResponses r(file);
    MaximaRun run(out);
    RunFilterPasses(file.Size, AutoRangeFlag, out, ProgressReport::ByOption, DefaultBeginPass(out),
                    run.Fold(),
                    [&](int64_t pass, int32_t, const WindowPlanes& planes, uint8_t* dst) {
                        const int32_t count = AreaWidth(file.Size);
                        run.Size(count);
                        for (int ch = 0; ch < 3; ++ch) {
                            r.Compute(planes, ch, count);
                            for (int32_t i = 0; i < count; ++i) {
                                RunningMaximum m;
                                for (size_t s = 0; s < r.Count(); ++s)
                                    m.Add(AbsoluteSteps(r[s][i], out.Steps));
                                run.M[i] = m.M;
                                run.L[i] = m.L;
                            }
                            run.Finish(pass, ch, count, dst + ch);
                        }
                    });
}

void DoRatioAddFile(const std::string& FileName, int32_t AutoRangeFlag) {
    OutputRange out({true, true, true, RangeOrder::AutoBelowScaleClip}, MinimumPrecision::Double);
    FilterKernels file;
    if (!ReadFilterFile(FileName, KernelKind::Real, file)) return;
    const StageKernel k = RealStages(file)[0];
    const int32_t h = k.N / 2;
    const double w0 = k.W[h * k.N + h];
    std::vector<double> values;
    RunFilterPasses(k.N, AutoRangeFlag, out, ProgressReport::ByPass, DefaultBeginPass(out),
                    DefaultFold(out),
                    [&](int64_t pass, int32_t, const WindowPlanes& planes, uint8_t* dst) {
                        const int32_t count = AreaWidth(k.N);
                        values.resize(count);
                        for (int ch = 0; ch < 3; ++ch) {
                            const double* centre = planes.Row(h, ch) + h;
                            for (int32_t i = 0; i < count; ++i) {
                                const double q = centre[i] == 0.0 ? 1.0 : centre[i] * w0;
                                double v = 0.0;
                                ForCountedPositions(planes, k, ch, i,
                                                    [&](double term) { v += rt::fdiv(term, q); });
                                values[i] = v;
                            }
                            MapRow(out.StepOfPass(pass), values.data(), count, out.Steps,
                                   out.Channels[ch], dst + ch);
                        }
                    });
}

void DoRatioMaxFile(const std::string& FileName, int32_t AutoRangeFlag) {
    OutputRange out({true, true, true, RangeOrder::AutoScaleBelowClip}, MinimumPrecision::Double);
    FilterKernels file;
    if (!ReadFilterFile(FileName, KernelKind::Real, file)) return;
    const StageKernel k = RealStages(file)[0];
    const int32_t h = k.N / 2;
    const double w0 = k.W[h * k.N + h];
    MaximaRun run(out);
    RunFilterPasses(k.N, AutoRangeFlag, out, ProgressReport::ByOption, DefaultBeginPass(out),
                    run.Fold(),
                    [&](int64_t pass, int32_t, const WindowPlanes& planes, uint8_t* dst) {
                        const int32_t count = AreaWidth(k.N);
                        run.Size(count);
                        for (int ch = 0; ch < 3; ++ch) {
                            const double* centre = planes.Row(h, ch) + h;
                            for (int32_t i = 0; i < count; ++i) {
                                const double q = (centre[i] == 0.0 ? 0.1 : centre[i]) * w0;
                                RunningMaximum m;
                                ForCountedPositions(planes, k, ch, i, [&](double term) {
                                    m.Add(AbsoluteSteps(rt::fdiv(term, q), out.Steps));
                                });
                                run.M[i] = m.M;
                                run.L[i] = m.L;
                            }
                            run.Finish(pass, ch, count, dst + ch);
                        }
                    });
}
