// What the filed filters share: the rows of the kernel window as planes of reals, the
// correlation of one kernel over a row, a row of values through the output-range rule, and the
// pass loop over the computed area. Only the filter units include this.
#pragma once

#include "algebra/vUFilterFile.h"
#include "algebra/vUOutputRange.h"
#include "shell/vGlobal.h"

#include <array>
#include <cstdint>
#include <vector>

// The columns of one computed row: ImageMaxX + 1 - 2h.
inline int32_t AreaWidth(int32_t n) {
    return ImageMaxX + 1 - 2 * (n / 2);
}

// Blue, green and red planes of the window's rows, each row converted once per pass however
// many output rows read it; of reals, or of single-precision reals for the integer kernels whose
// sums are exact in them.
template <class T> class WindowPlanesOf {
  public:
    WindowPlanesOf(int32_t n, int32_t width)
        : N(n), Width(width), Data(static_cast<size_t>(n) * 3 * width), Held(n, -1) {}
    // Makes buffer rows y - h .. y + h available as rows 0 .. n - 1.
    void Load(int32_t y);
    // Channel `ch` (0 blue, 1 green, 2 red) of window row r; element i is column i.
    const T* Row(int32_t r, int ch) const {
        return Data.data() + (static_cast<size_t>(SlotOf(Top + r)) * 3 + ch) * Width;
    }

  private:
    int32_t SlotOf(int32_t y) const { return y % N; }
    int32_t N, Width, Top = 0;
    std::vector<T> Data;
    std::vector<int32_t> Held;
};

template <class T> void WindowPlanesOf<T>::Load(int32_t y) {
    Top = y - N / 2;
    for (int32_t r = 0; r < N; ++r) {
        const int32_t row = Top + r;
        const int32_t slot = SlotOf(row);
        if (Held[slot] == row) continue;
        const uint8_t* src = UndoRow(row);
        T* blue = Data.data() + static_cast<size_t>(slot) * 3 * Width;
        T* green = blue + Width;
        T* red = green + Width;
        for (int32_t x = 0; x < Width; ++x) {
            blue[x] = src[3 * x];
            green[x] = src[3 * x + 1];
            red[x] = src[3 * x + 2];
        }
        Held[slot] = row;
    }
}

using WindowPlanes = WindowPlanesOf<double>;
using SinglePlanes = WindowPlanesOf<float>;

// One stage's weights in file order (row k div N from the top, column k mod N).
struct StageKernel {
    int32_t N = 3;
    std::array<double, MaxKernelCells> W{};
};

// The stages of a real kernel file, in file order.
std::vector<StageKernel> RealStages(const FilterKernels& kernels);

// acc[i] := the sum over the window, in file order, of weight x channel value at column
// h + i + c - h of row r, for i < count: the response at column h + i.
void Correlate(const StageKernel& kernel, const WindowPlanes& planes, int ch, int32_t count,
               double* acc);
// The same in single precision, for a kernel of whole weights whose every partial sum of
// products with bytes stays below 2^24 (SumsExactInSingle): then each is exact, and so equal to
// the sum in reals.
bool SumsExactInSingle(const StageKernel& kernel);
void Correlate(const StageKernel& kernel, const SinglePlanes& planes, int ch, int32_t count,
               double* acc);

// `count` values of one channel through the value steps and the range mapping of `step`, the
// written bytes (threshold included) at dst[0], dst[3], ...
void MapRow(RangeStep step, const double* values, int32_t count, const ValueSteps& steps,
            ChannelRange& channel, uint8_t* dst);

// v[i] := sqrt(v[i]), correctly rounded like std::sqrt, in vector instructions.
void SqrtRow(double* v, int32_t count);

// A real kernel whose weights sum above 1 averages.
void NormaliseAboveOne(StageKernel& kernel);

// The frame's passes: copy the picture (nothing more when the buffers are not ready), then
// AutoRangeFlag + 1 passes over buffer rows and columns h .. last - h, each pass starting with
// `beginPass(pass)` and each row with `foldRow()`, `row(pass, y, planes, dst)` (dst: the work
// row at column h) and the progress report; an area too small for the window computes and
// reports nothing. Then the border is cleared and the work buffer shown. A run-time error ends
// the run before anything is shown.
template <class Planes = WindowPlanes, class BeginPass, class FoldRow, class Row>
void RunFilterPasses(int32_t n, int32_t autoRangeFlag, const OutputRange& out,
                     ProgressReport report, BeginPass&& beginPass, FoldRow&& foldRow, Row&& row) {
    CopyImageForProcessing();
    if (!ImageBuffersLocked) return;
    const int32_t h = n / 2;
    if (ImageMaxX >= 2 * h && ImageMaxY >= 2 * h) {
        Planes planes(n, ImageMaxX + 1);
        for (int64_t pass = 0; pass <= autoRangeFlag; ++pass) {
            beginPass(pass);
            for (int32_t y = h; y <= ImageMaxY - h; ++y) {
                foldRow();
                planes.Load(y);
                row(pass, y, planes, WorkRow(y) + 3 * h);
                out.ReportRow(report, pass, y);
            }
        }
    }
    ClearFilterBorder();
    ShowProcessedImage();
}

// The usual start of a pass and of a row.
inline auto DefaultBeginPass(OutputRange& out) {
    return [&out](int64_t) { out.BeginPass(); };
}
inline auto DefaultFold(const OutputRange& out) {
    return [&out] { out.FoldExtremes(3); };
}

// The responses of every stage of a kernel file over one row of one channel: [s][i] is stage
// s at column i of the computed row.
class StageResponses {
  public:
    explicit StageResponses(const FilterKernels& file)
        : Stages(RealStages(file)), Rows(Stages.size()) {}
    void Compute(const WindowPlanes& planes, int ch, int32_t count) {
        for (size_t s = 0; s < Stages.size(); ++s) {
            Rows[s].resize(count);
            Correlate(Stages[s], planes, ch, count, Rows[s].data());
        }
    }
    size_t Count() const { return Stages.size(); }
    const double* operator[](size_t s) const { return Rows[s].data(); }

  private:
    std::vector<StageKernel> Stages;
    std::vector<std::vector<double>> Rows;
};

// v[i] := sqrt(r_1^2 + r_2^2 + ...), the squares added in stage order.
void MagnitudeRow(const StageResponses& r, int32_t count, double* v);

// The engines whose value is computed from the stage responses of one column at a time:
// `combine(responses, count, values)`, then the output-range rule.
template <class Combine>
void RunStages(const FilterKernels& file, int32_t autoRangeFlag, OutputRange& out,
               Combine&& combine) {
    StageResponses responses(file);
    std::vector<double> values;
    RunFilterPasses(file.Size, autoRangeFlag, out, ProgressReport::ByOption, DefaultBeginPass(out),
                    DefaultFold(out),
                    [&](int64_t pass, int32_t, const WindowPlanes& planes, uint8_t* dst) {
                        const int32_t count = AreaWidth(file.Size);
                        values.resize(count);
                        for (int ch = 0; ch < 3; ++ch) {
                            responses.Compute(planes, ch, count);
                            combine(responses, count, values.data());
                            MapRow(out.StepOfPass(pass), values.data(), count, out.Steps,
                                   out.Channels[ch], dst + ch);
                        }
                    });
}

// The gradient and compass magnitudes map by auto range or below zero, and otherwise clamp
// whatever else is set.
inline void ClampUnlessAutoOrBelowZero(OutputRange& out) {
    if (out.Mapping != RangeMapping::AutoRange && out.Mapping != RangeMapping::BelowZero)
        out.Mapping = RangeMapping::Clip;
}
