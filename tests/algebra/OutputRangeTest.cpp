#include "algebra/vUOutputRange.h"
#include "algebra/vUPixAl.h"
#include "support/EngineTestImage.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <functional>
#include <limits>

namespace {

// The step of a pass, chosen at run time from a table of cases.
using StepFunction = int (*)(double, const ValueSteps&, ChannelRange&);
constexpr StepFunction StepFunctions[] = {
    OutputValue<RangeStep::Discard>,     OutputValue<RangeStep::Gather>,
    OutputValue<RangeStep::Stretch>,     OutputValue<RangeStep::BelowZero>,
    OutputValue<RangeStep::Scale0To255>, OutputValue<RangeStep::Clip>};

int OutputValue(RangeStep step, double v, const ValueSteps& steps, ChannelRange& channel) {
    return StepFunctions[static_cast<int>(step)](v, steps, channel);
}

int Out(RangeStep step, double v, const ValueSteps& steps = {}) {
    ChannelRange ch;
    return OutputValue(step, v, steps, ch);
}

TEST(OutputRangeRule, RangeModesClampThenRoundHalvesToEven) {
    using S = RangeStep;
    const std::tuple<RangeStep, double, int> cases[] = {
        {S::Clip, -3.2, 0},       {S::Clip, 254.5, 254},      {S::Clip, 255.5, 255},
        {S::Clip, 3.5, 4},        {S::Clip, 128.5, 128},      {S::Clip, 1e300, 255},
        {S::Clip, -0.5, 0},       {S::Clip, 0.5, 0},          {S::Clip, 254.49, 254},
        {S::BelowZero, -1, 0},    {S::BelowZero, 0, 127},     {S::BelowZero, 1, 254},
        {S::BelowZero, 2, 255},   {S::Scale0To255, 0, 1},     {S::Scale0To255, 0.5, 64},
        {S::Scale0To255, 1, 128}, {S::Scale0To255, 254, 255}, {S::Scale0To255, -2, 0},
        {S::Scale0To255, 3, 130}, {S::Discard, 100, NoByte},  {S::Gather, 100, NoByte}};
    for (const auto& [step, v, expected] : cases)
        EXPECT_EQ(Out(step, v), expected) << int(step) << " " << v;
}

TEST(OutputRangeRule, AbsoluteSetAbsoluteAndThreshold) {
    const ValueSteps absolute{.Absolute = true};
    const ValueSteps bounds{.SetAbsolute = true, .AbsoluteMin = 10, .AbsoluteMax = 100};
    // The minimum above the maximum wins.
    const ValueSteps crossed{.SetAbsolute = true, .AbsoluteMin = 100, .AbsoluteMax = 10};
    const ValueSteps both{
        .Absolute = true, .SetAbsolute = true, .AbsoluteMin = 10, .AbsoluteMax = 100};
    const ValueSteps threshold{.Threshold = true, .ThresholdMin = 50, .ThresholdMax = 200};
    using S = RangeStep;
    const std::tuple<const ValueSteps&, RangeStep, double, int> cases[] = {
        // clang-format off
        {absolute, S::Clip, -3.2, 3}, {absolute, S::Clip, -0.5, 0},
        {absolute, S::BelowZero, -1, 254},
        {bounds, S::Clip, 150, 100}, {bounds, S::Clip, -40, 10}, {bounds, S::Clip, 50.5, 50},
        {crossed, S::Clip, 50, 100}, {crossed, S::Clip, 5, 100},
        {both, S::Clip, -150, 100}, // absolute comes first
        {both, S::Clip, -5, 10},
        {threshold, S::Clip, 30, 0}, {threshold, S::Clip, 50, 50}, {threshold, S::Clip, 220, 200},
        {threshold, S::Clip, 49.5, 50}, // rounded before the threshold
        {threshold, S::Clip, 48.5, 0}, {threshold, S::BelowZero, 1, 200},
        {threshold, S::Discard, 30, NoByte},
        // clang-format on
    };
    for (const auto& [steps, step, v, expected] : cases)
        EXPECT_EQ(Out(step, v, steps), expected) << v;
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
    using M = RangeMapping;
    // Auto range, below zero, 0 to 1 to 255, clip; then the two orders' choices.
    const std::tuple<bool, bool, bool, bool, M, M> cases[] = {
        {false, false, false, false, M::None, M::None},
        {false, false, false, true, M::Clip, M::Clip},
        {false, true, true, true, M::BelowZero, M::Scale0To255},
        {false, false, true, true, M::Scale0To255, M::Scale0To255},
        {true, true, true, true, M::AutoRange, M::AutoRange},
    };
    for (const auto& [autoRange, below, scale, clip, standard, scaleFirst] : cases) {
        std::tie(AutoRangeOption, BelowZeroOption, Scale0To255Option, ClipOption) =
            std::tie(autoRange, below, scale, clip);
        EXPECT_EQ(ChooseRangeMapping(RangeOrder::AutoBelowScaleClip), standard);
        EXPECT_EQ(ChooseRangeMapping(RangeOrder::AutoScaleBelowClip), scaleFirst);
    }
    AutoRangeOption = BelowZeroOption = Scale0To255Option = ClipOption = false;
}

// The frame, run through the plainest engine.
using ValueFrame = EngineTestImage;

TEST_F(ValueFrame, OneRowPictureReportsDoneInsteadOfDividingByZero) {
    Load(3, {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}});
    ClipOption = true;
    DoPMultiply(poMultiply, 1, 1, 1);
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

// Rows of 300 pixels are a whole block and a short one; every byte is still the rule's, worked
// here pixel by pixel: a value a channel, or one for all three, each mode, auto range from the
// starting extremes, in vectors of every width this processor has.
TEST_F(ValueFrame, WideRowsMapEveryPixelByTheRule) {
    std::vector<Rgb> pixels;
    uint32_t s = 1;
    for (int i = 0; i < 300 * 3; ++i) {
        s = s * 1664525u + 1013904223u;
        pixels.push_back({int(s >> 24), int(s >> 16 & 255), int(s >> 8 & 255)});
    }
    const double k[3] = {1.7, -0.9, 0.37};
    const struct {
        std::function<void()> run;
        std::function<double(const Rgb&, int)> value;
    } engines[] = {
        {[&k] { DoPMultiply(poMultiply, k[0], k[1], k[2]); },
         [&k](const Rgb& p, int c) { return p[c] * k[c]; }},
        {[] {
             DoPixelAlgebra({0, 0, poDivide, 1, 9, 9, 9, 9, 2, 9, 9, 9, 9});
         },
         [](const Rgb& p, int) { return (p[1] + 0.00001) / (p[2] + 0.00001); }},
    };
    const LaneWidth widest = WidestLanes();
    for (LaneWidth width : {LaneWidth::Two, LaneWidth::Four, LaneWidth::Eight}) {
        if (width > widest) continue;
        LimitLanes(width);
        for (const auto& engine : engines) {
            for (bool* option :
                 {&ClipOption, &BelowZeroOption, &Scale0To255Option, &AutoRangeOption}) {
                SCOPED_TRACE(int(width));
                ClipOption = BelowZeroOption = Scale0To255Option = AutoRangeOption = false;
                *option = true;
                Load(300, pixels);
                engine.run();
                std::vector<Rgb> expected(pixels.size());
                for (int c = 0; c < 3; ++c) {
                    double maximum = 0.0;
                    float minimum = 255.0f;
                    for (const Rgb& p : pixels) {
                        maximum = std::max(maximum, engine.value(p, c));
                        if (engine.value(p, c) < minimum)
                            minimum = static_cast<float>(engine.value(p, c));
                    }
                    for (size_t i = 0; i < pixels.size(); ++i) {
                        double v = engine.value(pixels[i], c);
                        if (AutoRangeOption) v = (v - minimum) / ((maximum - minimum) / 255.0);
                        if (BelowZeroOption) v = v * 127.0 + 127.0;
                        if (Scale0To255Option) v = v < 1.0 ? v * 127.0 + 1.0 : v / 2.0 + 128.0;
                        expected[i][c] =
                            static_cast<int>(std::nearbyint(std::clamp(v, 0.0, 255.0)));
                    }
                }
                EXPECT_EQ(Shown(), expected);
            }
        }
    }
    LimitLanes(widest);
}

} // namespace
