#include "algebra/EngineTestImage.h"
#include "algebra/vUOutputRange.h"
#include "algebra/vUPixAl.h"

#include <cfloat>
#include <limits>

namespace {

// The step of a pass, chosen from a table of cases.
int OutputValue(RangeStep step, double v, const ValueSteps& steps, ChannelRange& channel) {
    switch (step) {
    case RangeStep::Discard:
        return OutputValue<RangeStep::Discard>(v, steps, channel);
    case RangeStep::Gather:
        return OutputValue<RangeStep::Gather>(v, steps, channel);
    case RangeStep::Stretch:
        return OutputValue<RangeStep::Stretch>(v, steps, channel);
    case RangeStep::BelowZero:
        return OutputValue<RangeStep::BelowZero>(v, steps, channel);
    case RangeStep::Scale0To255:
        return OutputValue<RangeStep::Scale0To255>(v, steps, channel);
    case RangeStep::Clip:
        return OutputValue<RangeStep::Clip>(v, steps, channel);
    }
    return NoByte;
}

int Out(RangeStep step, double v, const ValueSteps& steps = {}) {
    ChannelRange ch;
    return OutputValue(step, v, steps, ch);
}

TEST(OutputRangeRule, RangeModesClampThenRoundHalvesToEven) {
    struct Case {
        RangeStep step;
        double v;
        int expected;
    };
    const Case cases[] = {
        {RangeStep::Clip, -3.2, 0},         {RangeStep::Clip, 254.5, 254},
        {RangeStep::Clip, 255.5, 255},      {RangeStep::Clip, 3.5, 4},
        {RangeStep::Clip, 128.5, 128},      {RangeStep::Clip, 1e300, 255},
        {RangeStep::Clip, -1e300, 0},       {RangeStep::Clip, -0.5, 0},
        {RangeStep::Clip, 0.5, 0},          {RangeStep::Clip, 1.5, 2},
        {RangeStep::Clip, 2.5, 2},          {RangeStep::Clip, 254.49, 254},
        {RangeStep::BelowZero, -1, 0},      {RangeStep::BelowZero, 0, 127},
        {RangeStep::BelowZero, 1, 254},     {RangeStep::BelowZero, 2, 255},
        {RangeStep::BelowZero, -2, 0},      {RangeStep::Scale0To255, 0, 1},
        {RangeStep::Scale0To255, 0.5, 64},  {RangeStep::Scale0To255, 1, 128},
        {RangeStep::Scale0To255, 254, 255}, {RangeStep::Scale0To255, -2, 0},
        {RangeStep::Scale0To255, 3, 130},   {RangeStep::Discard, 100, NoByte},
        {RangeStep::Gather, 100, NoByte},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Out(c.step, c.v), c.expected) << int(c.step) << " " << c.v;
}

TEST(OutputRangeRule, AbsoluteSetAbsoluteAndThreshold) {
    ValueSteps absolute;
    absolute.Absolute = true;
    ValueSteps bounds;
    bounds.SetAbsolute = true;
    bounds.AbsoluteMin = 10;
    bounds.AbsoluteMax = 100;
    ValueSteps crossed = bounds; // the minimum above the maximum wins
    crossed.AbsoluteMin = 100;
    crossed.AbsoluteMax = 10;
    ValueSteps both = bounds;
    both.Absolute = true;
    ValueSteps threshold;
    threshold.Threshold = true;
    threshold.ThresholdMin = 50;
    threshold.ThresholdMax = 200;
    struct Case {
        const ValueSteps* steps;
        RangeStep step;
        double v;
        int expected;
    };
    const Case cases[] = {
        {&absolute, RangeStep::Clip, -3.2, 3},
        {&absolute, RangeStep::Clip, -0.5, 0},
        {&absolute, RangeStep::BelowZero, -1, 254},
        {&bounds, RangeStep::Clip, 150, 100},
        {&bounds, RangeStep::Clip, 5, 10},
        {&bounds, RangeStep::Clip, -40, 10},
        {&bounds, RangeStep::Clip, 50.5, 50},
        {&crossed, RangeStep::Clip, 50, 100},
        {&crossed, RangeStep::Clip, 5, 100},
        {&both, RangeStep::Clip, -150, 100}, // absolute comes first
        {&both, RangeStep::Clip, -5, 10},
        {&threshold, RangeStep::Clip, 30, 0},
        {&threshold, RangeStep::Clip, 50, 50},
        {&threshold, RangeStep::Clip, 220, 200},
        {&threshold, RangeStep::Clip, 49.5, 50}, // rounded before the threshold
        {&threshold, RangeStep::Clip, 48.5, 0},
        {&threshold, RangeStep::BelowZero, 1, 200},
        {&threshold, RangeStep::Discard, 30, NoByte},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Out(c.step, c.v, *c.steps), c.expected) << c.v;
}

struct AutoCase {
    std::vector<double> values;
    std::vector<int> expected;
};

std::vector<int> TwoPasses(const std::vector<double>& values,
                           MinimumPrecision precision = MinimumPrecision::Single) {
    AutoRangeOption = true;
    OutputRange out({}, precision);
    AutoRangeOption = false;
    out.BeginPass();
    for (double v : values)
        EXPECT_EQ(OutputValue(out.StepOfPass(0), v, out.Steps, out.Channels[0]), NoByte);
    out.BeginPass();
    std::vector<int> bytes;
    for (double v : values)
        bytes.push_back(OutputValue(out.StepOfPass(1), v, out.Steps, out.Channels[0]));
    return bytes;
}

TEST(OutputRangeRule, AutoRangeStretchesFromTheStartingExtremes) {
    const AutoCase cases[] = {
        {{0, 255, 510}, {0, 128, 255}},
        // The maximum stays at its starting 0.
        {{-510, -10}, {0, 250}},
        // The minimum stays at its starting 255.
        {{300, 555, 810}, {21, 138, 255}},
        {{10, 20}, {0, 255}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TwoPasses(c.values), c.expected);
}

TEST(OutputRangeRule, AutoRangeMinimumIsKeptInSinglePrecision) {
    AutoRangeOption = true;
    OutputRange single({});
    OutputRange full({}, MinimumPrecision::Double);
    AutoRangeOption = false;
    single.Channels[0].Track(0.1);
    full.Channels[0].Track(0.1);
    EXPECT_EQ(single.Channels[0].Minimum, static_cast<double>(0.1f));
    EXPECT_EQ(full.Channels[0].Minimum, 0.1);
    // A minimum beyond the single range overflows as the store into it does.
    EXPECT_THROW(single.Channels[0].Track(-1e300), EOverflow);
    EXPECT_NO_THROW(full.Channels[0].Track(-1e300));
}

TEST(OutputRangeRule, ZeroRangeRaisesTheRunTimesErrors) {
    ChannelRange ch;
    ch.Maximum = ch.Minimum = 255;
    ch.Range = 0;
    EXPECT_THROW(OutputValue(RangeStep::Stretch, 255, {}, ch), EInvalidOp);
    EXPECT_THROW(OutputValue(RangeStep::Stretch, 100, {}, ch), EZeroDivide);
}

TEST(OutputRangeRule, NonFiniteValuesNeverBecomeBytes) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (RangeStep s : {RangeStep::Discard, RangeStep::Gather, RangeStep::Clip}) {
        EXPECT_THROW(Out(s, inf), EOverflow);
        EXPECT_THROW(Out(s, -inf), EOverflow);
        EXPECT_THROW(Out(s, nan), EInvalidOp);
    }
    // Finite, but the mapping overflows.
    EXPECT_THROW(Out(RangeStep::BelowZero, DBL_MAX), EOverflow);
    EXPECT_THROW(Out(RangeStep::Scale0To255, -DBL_MAX), EOverflow);
}

TEST(OutputRangeRule, FirstRangeOptionInTheEnginesOrder) {
    struct Case {
        bool autoRange, below, scale, clip;
        RangeMapping standard, scaleFirst;
    };
    using M = RangeMapping;
    const Case cases[] = {
        {false, false, false, false, M::None, M::None},
        {false, false, false, true, M::Clip, M::Clip},
        {false, true, true, true, M::BelowZero, M::Scale0To255},
        {false, false, true, true, M::Scale0To255, M::Scale0To255},
        {true, true, true, true, M::AutoRange, M::AutoRange},
    };
    for (const auto& c : cases) {
        AutoRangeOption = c.autoRange;
        BelowZeroOption = c.below;
        Scale0To255Option = c.scale;
        ClipOption = c.clip;
        EXPECT_EQ(ChooseRangeMapping(RangeOrder::AutoBelowScaleClip), c.standard);
        EXPECT_EQ(ChooseRangeMapping(RangeOrder::AutoScaleBelowClip), c.scaleFirst);
    }
    AutoRangeOption = BelowZeroOption = Scale0To255Option = ClipOption = false;
}

// The frame, run through the plainest engine: each channel times 1.
class ValueFrame : public EngineTestImage {
  protected:
    static void Identity() { DoPMultiply(poMultiply, 1, 1, 1); }
};

TEST_F(ValueFrame, NoRangeOptionShowsTheUnchangedPicture) {
    Load(2, {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {250, 251, 252}});
    const auto before = Shown();
    DoPMultiply(poMultiply, 2, 2, 2);
    EXPECT_EQ(Shown(), before);
    EXPECT_EQ(Rec.Status1.back(), "Image processed");
}

TEST_F(ValueFrame, OneRowPictureReportsDoneInsteadOfDividingByZero) {
    Load(3, {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}});
    ClipOption = true;
    Identity();
    EXPECT_TRUE(Rec.ErrorBoxes.empty());
    EXPECT_EQ(Rec.Status0, std::vector<std::string>{"(Part 1 of 1) % Done: 100"});
    EXPECT_EQ(Rec.Status1.back(), "Image processed");
}

TEST_F(ValueFrame, AutoRangeReportsTwoPartsAndFoldsTheExtremesAtRowStarts) {
    // Two rows; channel values 300..810 through the coefficient sum.
    Load(1, {{85, 85, 85}, {255, 255, 255}});
    AutoRangeOption = true;
    DoPARBMultiply(poAdd, 15, 15, 15, 15, 15, 15, 15, 15, 15);
    EXPECT_EQ(Shown(), (std::vector<Rgb>{{21, 21, 21}, {255, 255, 255}}));
    // Buffer row 0 is the bottom row (810); its extremes reach the globals at the start of
    // row 1, the first pass's totals at the first row of the second pass.
    const std::vector<std::string> expected = {
        "(Part 1 of 2) % Done:  0 Min: 255.00 Max: 0.00",
        "(Part 1 of 2) % Done:  100 Min: 255.00 Max:810.00",
        "(Part 2 of 2) % Done:  0 Min: 255.00 Max:810.00",
        "(Part 2 of 2) % Done:  100 Min: 255.00 Max:810.00",
    };
    EXPECT_EQ(Rec.Status0, expected);
    EXPECT_EQ(ProcessMaxValue, 810.0);
    EXPECT_EQ(ProcessMinValue, 255.0);
    // They carry over: a later run with smaller values does not lower the maximum, and its
    // own minimum reaches the global at its second pass.
    Load(1, {{1, 1, 1}});
    DoPMultiply(poSubtract, 10, 10, 10);
    EXPECT_EQ(ProcessMaxValue, 810.0);
    EXPECT_EQ(ProcessMinValue, -9.0);
}

TEST_F(ValueFrame, BuffersNotReadyDoNothing) {
    Load(2, {{1, 2, 3}, {4, 5, 6}});
    FreeImageBuffers();
    ClipOption = true;
    Rec.Clear();
    Identity();
    EXPECT_TRUE(Rec.Shown(39977));
    EXPECT_TRUE(Rec.Status0.empty());
    EXPECT_EQ(Rec.PictureChanges, 0);
}

} // namespace
