#include "algebra/vUOutputRange.h"

void RaiseFloatError(double v) {
    if (std::isnan(v)) throw EInvalidOp();
    throw EOverflow();
}

namespace {

LaneWidth& Chosen() {
    static LaneWidth width = WidestLanes();
    return width;
}

} // namespace

LaneWidth WidestLanes() {
    static const LaneWidth widest = [] {
#ifdef VALUE_LANES_X86
        if (__builtin_cpu_supports("avx512vbmi") && __builtin_cpu_supports("avx512vl") &&
            __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512dq"))
            return LaneWidth::Eight;
        if (rt::WideVectorsAvailable()) return LaneWidth::Four;
#endif
        return LaneWidth::Two;
    }();
    return widest;
}

LaneWidth LimitLanes(LaneWidth width) {
    const LaneWidth before = Chosen();
    Chosen() = std::min(width, WidestLanes());
    return before;
}

LaneWidth detail::ChosenLanes() {
    return Chosen();
}

RangeMapping ChooseRangeMapping(RangeOrder order) {
    if (AutoRangeOption) return RangeMapping::AutoRange;
    if (order == RangeOrder::AutoBelowScaleClip) {
        if (BelowZeroOption) return RangeMapping::BelowZero;
        if (Scale0To255Option) return RangeMapping::Scale0To255;
    } else {
        if (Scale0To255Option) return RangeMapping::Scale0To255;
        if (BelowZeroOption) return RangeMapping::BelowZero;
    }
    if (ClipOption) return RangeMapping::Clip;
    return RangeMapping::None;
}

OutputRange::OutputRange(const HonouredOptions& honoured, MinimumPrecision precision)
    : Mapping(ChooseRangeMapping(honoured.Order)) {
    Steps.Absolute = honoured.Absolute && AbsoluteValuesOption;
    Steps.SetAbsolute = honoured.SetAbsolute && SetAbsoluteOption;
    Steps.Threshold = honoured.Threshold && SetThresholdOption;
    Steps.AbsoluteMin = RealATMin;
    Steps.AbsoluteMax = RealATMax;
    Steps.ThresholdMin = IntATMin;
    Steps.ThresholdMax = IntATMax;
    for (auto& c : Channels)
        c.Precision = precision;
}

RangeStep OutputRange::StepOfPass(int64_t pass) const {
    switch (Mapping) {
    case RangeMapping::AutoRange:
        return pass == 0 ? RangeStep::Gather : RangeStep::Stretch;
    case RangeMapping::BelowZero:
        return RangeStep::BelowZero;
    case RangeMapping::Scale0To255:
        return RangeStep::Scale0To255;
    case RangeMapping::Clip:
        return RangeStep::Clip;
    case RangeMapping::None:
        break;
    }
    return RangeStep::Discard;
}

void OutputRange::BeginPass() {
    for (auto& c : Channels)
        c.Range = (c.Maximum - c.Minimum) / 255.0;
}

void OutputRange::FoldExtremes(int channels) const {
    for (int c = 0; c < channels; ++c) {
        if (Channels[c].Maximum > ProcessMaxValue) ProcessMaxValue = Channels[c].Maximum;
        if (Channels[c].Minimum < ProcessMinValue) ProcessMinValue = Channels[c].Minimum;
    }
}

void OutputRange::ReportRow(ProgressReport report, int64_t pass, int32_t y) const {
    // A one-row picture is done at once rather than dividing 0 by ImageMaxY = 0.
    const int32_t percent = RowPercent(y, ImageMaxY);
    const bool twoParts =
        report == ProgressReport::ByPass ? pass < 2 : Mapping == RangeMapping::AutoRange;
    if (twoParts)
        ShowPartProgress(static_cast<int32_t>(pass + 1), percent, ProcessMinValue, ProcessMaxValue);
    else
        ShowProgress(percent);
}
