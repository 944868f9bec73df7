#include "algebra/vUPixAl.h"
#include "runtime/RtRandom.h"
#include "support/EngineTestImage.h"

#include <cmath>
#include <limits>

namespace {

class PixAl : public EngineTestImage {};

// One band on each side: A = band a, B = band b, main operation op.
PixelAlgebraRecord OneBandEach(int a, int op, int b) {
    return {0, 0, op, a, 9, 9, 9, 9, b, 9, 9, 9, 9};
}

using Action = std::function<void()>;
Action Algebra(PixelAlgebraRecord r) {
    return [r] { DoPixelAlgebra(r); };
}
Action Rows(int op, std::array<double, 9> k) {
    return [=] { DoPARBMultiply(op, k[0], k[1], k[2], k[3], k[4], k[5], k[6], k[7], k[8]); };
}
Action Channels(int op, double c1, double c2, double c3) {
    return [=] { DoPMultiply(op, c1, c2, c3); };
}
Action PowerLog(int mode, double p1, double p2, bool absolute = false) {
    return [=] {
        AbsoluteValuesOption = absolute;
        DoPowerLogTransform(0, mode, p1, p2);
    };
}

Action Under(bool& option, Action run) {
    return [&option, run] {
        ClipOption = false;
        option = true;
        run();
    };
}

const std::string DivideByZero = "Floating point division by zero";
const std::string InvalidOp = "Invalid floating point operation";
const std::string Overflow = "Floating point overflow";

TEST_F(PixAl, EngineValuesUnderClip) {
    struct Case {
        Action run;
        Rgb pixel, expected;
    };
    const Case cases[] = {
        // Band expressions give grey; 0.00001 stands in for 0 in a division.
        {Algebra(OneBandEach(0, poDivide, 2)), {200, 7, 100}, {2, 2, 2}},
        {Algebra(OneBandEach(0, poDivide, 2)), {0, 7, 0}, {1, 1, 1}},
        {Algebra(OneBandEach(1, poSubtract, 0)), {10, 50, 0}, {40, 40, 40}},
        // A = red - red gives 0.00001, not 0, so A / B over a zero blue is 1.
        {Algebra({1, 0, poDivide, 0, 0, 9, poSubtract, 9, 2, 9, 9, 9, 9}), {90, 1, 0}, {1, 1, 1}},
        // A = (R + G) * B, B = green, A - B.
        {Algebra({2, 0, poSubtract, 0, 1, 2, poAdd, poMultiply, 1, 9, 9, 9, 9}),
         {2, 3, 4},
         {17, 17, 17}},
        // B = blue - blue: the group's subtract gives 0.00001.
        {Algebra({0, 1, poAdd, 1, 9, 9, 9, 9, 2, 2, 9, poSubtract, 9}), {5, 6, 7}, {6, 6, 6}},
        // A selects an unknown operation: 0.0.
        {Algebra({1, 0, poAdd, 0, 1, 9, 7, 9, 2, 9, 9, 9, 9}), {5, 6, 7}, {7, 7, 7}},
        // Coefficient rows: every output is R + G + B under add; the first coefficient of a row
        // goes with blue.
        {Rows(poAdd, {}), {10, 20, 30}, {60, 60, 60}},
        {Rows(poMultiply, {1, 0, 0, 0, 1, 0, 0, 0, 1}), {10, 20, 30}, {30, 20, 10}},
        {Rows(poMultiply, {0.5, 0.5, 0, 0, 0, 0, 0, 0, 0.25}), {10, 20, 31}, {26, 0, 2}},
        {Rows(poSubtract, {0, 0, 100, 0, 0, 0, 0, 0, 0}), {150, 20, 30}, {100, 200, 200}},
        {Rows(poDivide, {1, 1, 2, 2, 2, 2, 4, 4, 4}), {11, 20, 30}, {56, 30, 15}},
        {Rows(9, {1, 1, 1, 1, 1, 1, 1, 1, 1}), {10, 20, 30}, {0, 0, 0}},
        // One coefficient a channel; 2.5, 3.5, 4.5 round to even.
        {Channels(poDivide, 2, 2, 2), {5, 7, 9}, {2, 4, 4}},
        {Channels(poAdd, -10, 0, 300), {5, 7, 9}, {0, 7, 255}},
        {Channels(-1, 1, 1, 1), {5, 7, 9}, {0, 0, 0}},
        // 10 * c with a zero byte taken as 1; 10 * sqrt(c); 10 * c - 10 * ln(exp(c)) is 0 up to
        // rounding; 10 * c - 10 * c^2 is negative, positive with absolute values.
        {PowerLog(1, 1, 0), {0, 25, 26}, {10, 250, 255}},
        {PowerLog(1, 2, 0), {0, 100, 255}, {10, 100, 160}},
        {PowerLog(2, 1, 1), {3, 50, 200}, {0, 0, 0}},
        {PowerLog(3, 1, 0.5), {2, 0, 3}, {0, 0, 0}},
        {PowerLog(3, 1, 0.5, true), {2, 0, 3}, {20, 0, 60}},
        {PowerLog(4, 1, 1), {9, 9, 9}, {0, 0, 0}},
    };
    ClipOption = true;
    for (size_t i = 0; i < std::size(cases); ++i) {
        LoadUniform(1, 1, cases[i].pixel);
        cases[i].run();
        EXPECT_EQ(Shown()[0], cases[i].expected) << "case " << i;
    }
}

// The error is that of the first operation that fails: pixels in buffer order, in each the red,
// green and blue values (each left to right), then their steps. Later failures of the same run
// never name it.
TEST_F(PixAl, FirstFailingOperationNamesTheError) {
    // 255 divided by it is finite, the sum of two such quotients is not.
    const double halfMax = 2e-306;
    // 255 to the power 1 / p is exp(708), finite; ten times that is not.
    const double steep = std::log(255.0) / 708.0;
    const struct {
        std::vector<Rgb> pixels; // one row
        Action run;
        const std::string& error;
    } cases[] = {
        // Band expressions: group A, group B, then A op B. A band selecting nothing is 0.
        {{{10, 20, 30}},
         Algebra({1, 1, poAdd, 0, -1, 9, poDivide, 9, -1, -1, 9, poDivide, 9}),
         DivideByZero},
        {{{10, 20, 30}},
         Algebra({1, 1, poAdd, -1, -1, 9, poDivide, 9, 0, -1, 9, poDivide, 9}),
         InvalidOp},
        {{{10, 20, 30}}, Algebra({-1, -1, poDivide, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9}), InvalidOp},
        {{{10, 20, 30}},
         Under(AutoRangeOption, Algebra({0, 0, poDivide, 0, 9, 9, 9, 9, -1, 9, 9, 9, 9})),
         DivideByZero},
        {{{10, 20, 30}}, Under(AutoRangeOption, Algebra(OneBandEach(0, poDivide, 0))), InvalidOp},
        // One coefficient a channel.
        {{{0, 10, 10}}, Channels(poDivide, 0, 0, 1), InvalidOp},
        {{{10, 0, 10}}, Channels(poDivide, 0, 0, 1), DivideByZero},
        {{{255, 0, 10}}, Channels(poDivide, 1e-307, 0, 1), Overflow},
        {{{255, 5, 5}}, Channels(poMultiply, -1e307, 1, 1), Overflow},
        {{{0, 0, 10}, {255, 0, 0}}, Channels(poDivide, 1e-307, 1, 0), DivideByZero},
        {{{255, 0, 0}, {0, 0, 10}}, Channels(poDivide, 1e-307, 1, 0), Overflow},
        // Coefficient rows: products of opposite sign overflow before their sum is taken.
        {{{255, 255, 255}}, Rows(poMultiply, {1e308, -1e308, 0, 0, 0, 0, 0, 0, 0}), Overflow},
        {{{255, 255, 255}}, Rows(poAdd, {1e308, 1e308, 0, 0, 0, 0, 0, 0, 0}), Overflow},
        {{{0, 0, 0}}, Rows(poDivide, {1, 1, 1, 1, 1, 1, 1, 1, 0}), InvalidOp},
        // A minimum below the single range overflows as it is stored.
        {{{10, 20, 30}}, Under(AutoRangeOption, Channels(poMultiply, -1e300, 1, 1)), Overflow},
        // The sum of the first two quotients overflows before the third divides by zero, and
        // before the next row's quotient does.
        {{{255, 255, 255}}, Rows(poDivide, {halfMax, halfMax, 0, 1, 1, 1, 1, 1, 1}), Overflow},
        {{{255, 255, 255}}, Rows(poDivide, {halfMax, halfMax, 1, 0, 1, 1, 1, 1, 1}), Overflow},
        {{{255, 255, 0}}, Rows(poDivide, {1, 1, 1, 0, 1, 1, 1, 0, 1}), InvalidOp},
        {{{255, 255, 0}}, Rows(poDivide, {1, 1, 1, 1, 0, 1, 0, 1, 1}), DivideByZero},
        // Every value comes before its steps: the red value's mapping would overflow.
        {{{255, 255, 0}},
         Under(BelowZeroOption, Rows(poDivide, {1, 1e-305, 1, 0, 1, 1, 1, 1, 1})),
         InvalidOp},
        {{{255, 255, 0}},
         Under(BelowZeroOption, Rows(poDivide, {1, 1e-305, 1, 1, 1, 1, 1, 1, 1})),
         Overflow},
        // Powers and logarithms: ten times a power overflows before the logarithm divides by 0.
        {{{255, 5, 5}}, PowerLog(2, steep, 0), Overflow},
        {{{5, 5, 5}}, PowerLog(2, 1, 0), DivideByZero},
        {{{5, 5, 5}}, PowerLog(3, -1, 0), InvalidOp},
        {{{5, 5, 5}}, PowerLog(2, 1, -1), InvalidOp},
        {{{5, 5, 5}}, PowerLog(1, 0.001, 1), Overflow},
        {{{5, 255, 5}}, PowerLog(3, 1, steep), Overflow},
        {{{1, 5, 5}}, PowerLog(1, 0, 0), InvalidOp},
        {{{5, 1, 1}}, PowerLog(1, 0, 0), DivideByZero},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        ClipOption = true;
        AutoRangeOption = BelowZeroOption = false;
        Load(static_cast<int>(cases[i].pixels.size()), cases[i].pixels);
        ExpectFailedUnchanged(cases[i].run, cases[i].error);
    }
}

TEST_F(PixAl, PowerLogTestsZeroToOneToTwoFiftyFiveBeforeBelowZeroAndOnlyClamps) {
    Scale0To255Option = BelowZeroOption = true;
    LoadUniform(1, 1, {1, 2, 30});
    DoPowerLogTransform(0, 1, 1, 0);
    EXPECT_EQ(Shown()[0], (Rgb{10, 20, 255}));
    // The other engines take below zero first.
    LoadUniform(1, 1, {0, 1, 2});
    DoPMultiply(poMultiply, 0, 0, 0.01);
    EXPECT_EQ(Shown()[0], (Rgb{127, 127, 130}));
}

TEST_F(PixAl, PowerLogPassesComeFromItsArgument) {
    Load(1, {{10, 10, 10}, {20, 20, 20}});
    const auto before = Shown();
    // Auto range with no extra pass only gathers.
    AutoRangeOption = true;
    DoPowerLogTransform(0, 1, 1, 0);
    EXPECT_EQ(Shown(), before);
    EXPECT_EQ(Rec.Status0.back(), "(Part 1 of 2) % Done:  100 Min: 200.00 Max:200.00");
    EXPECT_EQ(Rec.Status1.back(), "Image processed");
    // One extra pass stretches 100..200 onto 0..255.
    // The second pass reports itself as part 2; a third as a pass of its own.
    const auto lastTexts = [this](size_t n) {
        return std::vector<std::string>(Rec.Status0.end() - static_cast<std::ptrdiff_t>(n),
                                        Rec.Status0.end());
    };
    Rec.Clear();
    DoPowerLogTransform(1, 1, 1, 0);
    EXPECT_EQ(Shown(), (std::vector<Rgb>{{0, 0, 0}, {255, 255, 255}}));
    ASSERT_GE(Rec.Status0.size(), 2u);
    EXPECT_EQ(lastTexts(2),
              (std::vector<std::string>{"(Part 2 of 2) % Done:  0 Min: 100.00 Max:200.00",
                                        "(Part 2 of 2) % Done:  100 Min: 100.00 Max:200.00"}));
    Load(1, {{10, 10, 10}, {20, 20, 20}});
    DoPowerLogTransform(2, 1, 1, 0);
    ASSERT_GE(Rec.Status0.size(), 4u);
    EXPECT_EQ(lastTexts(4),
              (std::vector<std::string>{"(Part 2 of 2) % Done:  0 Min: 100.00 Max:200.00",
                                        "(Part 2 of 2) % Done:  100 Min: 100.00 Max:200.00",
                                        "(Part 1 of 1) % Done: 0", "(Part 1 of 1) % Done: 100"}));
    // A negative count runs no pass and shows the picture as it was.
    Load(1, {{10, 10, 10}});
    DoPowerLogTransform(-1, 1, 1, 0);
    EXPECT_EQ(Shown()[0], (Rgb{10, 10, 10}));
    EXPECT_EQ(Rec.Status1.back(), "Image processed");
}

TEST_F(PixAl, BrightnessOffsetClampsWhateverTheOffset) {
    const std::pair<int32_t, Rgb> cases[] = {{10, {10, 138, 255}},
                                             {-10, {0, 118, 245}},
                                             {std::numeric_limits<int32_t>::max(), {255, 255, 255}},
                                             {std::numeric_limits<int32_t>::min(), {0, 0, 0}}};
    BelowZeroOption = true; // no range option applies
    for (const auto& [offset, expected] : cases) {
        LoadUniform(2, 1, {0, 128, 255});
        DoBrightnessOffset(offset);
        EXPECT_EQ(Shown()[1], expected) << offset;
        EXPECT_TRUE(Rec.Status0.empty());
        EXPECT_EQ(Rec.Status1.back(), "Image processed");
    }
}

TEST_F(PixAl, NoiseAddsOneOffsetToAllThreeChannels) {
    const int side = 200;
    LoadUniform(side, side, {128, 128, 128});
    rt::SetRandSeed(7);
    DoRandomNoise();
    const auto first = Shown();
    EXPECT_TRUE(Rec.Status0.empty());
    int unchanged = 0, low = 255, high = 0;
    for (const auto& p : first) {
        ASSERT_TRUE(p[0] == p[1] && p[0] == p[2]);
        unchanged += p[0] == 128;
        low = std::min(low, p[0]);
        high = std::max(high, p[0]);
    }
    // Both draws are equal for (0.505^2 + 99 * 0.005^2) of the pixels, about 0.2575; offsets run
    // to 99 either way.
    EXPECT_NEAR(unchanged / double(side * side), 0.2575, 0.01);
    EXPECT_TRUE(low >= 128 - 99 && low < 128 - 90) << low;
    EXPECT_TRUE(high <= 128 + 99 && high > 128 + 90) << high;
    // The same seed gives the same picture.
    LoadUniform(side, side, {128, 128, 128});
    rt::SetRandSeed(7);
    DoRandomNoise();
    EXPECT_EQ(Shown(), first);
    // Offsets clamp at the ends.
    LoadUniform(64, 64, {255, 0, 255});
    DoRandomNoise();
    for (const auto& p : Shown())
        EXPECT_TRUE(p[1] == 0 || p[0] == 255);
}

} // namespace
