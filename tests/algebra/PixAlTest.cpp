#include "algebra/EngineTestImage.h"
#include "algebra/vUPixAl.h"
#include "runtime/RtRandom.h"

#include <cstdlib>
#include <limits>

namespace {

class PixAl : public EngineTestImage {};

// One band on each side: A = band a, B = band b, main operation op.
PixelAlgebraRecord OneBandEach(int a, int op, int b) {
    return {0, 0, op, a, 9, 9, 9, 9, b, 9, 9, 9, 9};
}

TEST_F(PixAl, BandExpressions) {
    struct Case {
        PixelAlgebraRecord record;
        Rgb pixel;
        int expected;
    };
    const Case cases[] = {
        {OneBandEach(0, poDivide, 2), {200, 7, 100}, 2},
        {OneBandEach(0, poDivide, 2), {0, 7, 0}, 1}, // 0.00001 / 0.00001
        {OneBandEach(1, poSubtract, 0), {10, 50, 0}, 40},
        {OneBandEach(2, poMultiply, 1), {0, 3, 4}, 12},
        // A = red - red gives 0.00001, not 0, so A / B over a zero blue is 1.
        {{1, 0, poDivide, 0, 0, 9, poSubtract, 9, 2, 9, 9, 9, 9}, {90, 1, 0}, 1},
        // A = (R + G) * B, B = green, A - B.
        {{2, 0, poSubtract, 0, 1, 2, poAdd, poMultiply, 1, 9, 9, 9, 9}, {2, 3, 4}, 17},
        // B = blue - blue: the group's subtract gives 0.00001.
        {{0, 1, poAdd, 1, 9, 9, 9, 9, 2, 2, 9, poSubtract, 9}, {5, 6, 7}, 6},
        // A selects an unknown operation: 0.0.
        {{1, 0, poAdd, 0, 1, 9, 7, 9, 2, 9, 9, 9, 9}, {5, 6, 7}, 7},
    };
    ClipOption = true;
    for (const auto& c : cases) {
        LoadUniform(1, 1, c.pixel);
        DoPixelAlgebra(c.record);
        EXPECT_EQ(Shown()[0], (Rgb{c.expected, c.expected, c.expected})) << c.expected;
    }
}

TEST_F(PixAl, BandExpressionWithNothingChosenForBDividesByZero) {
    ClipOption = true;
    LoadUniform(2, 2, {10, 20, 30});
    PixelAlgebraRecord r = OneBandEach(0, poDivide, 2);
    r[paShapeB] = -1;
    ExpectFailedUnchanged([&] { DoPixelAlgebra(r); }, "Floating point division by zero");
    // Inside a group, dividing by a band that selects nothing fails the same way.
    r = {1, 0, poAdd, 0, -1, 9, poDivide, 9, 2, 9, 9, 9, 9};
    ExpectFailedUnchanged([&] { DoPixelAlgebra(r); }, "Floating point division by zero");
}

TEST_F(PixAl, CoefficientProducts) {
    struct Case {
        int op;
        std::array<double, 9> k;
        Rgb pixel, expected;
    };
    const Case cases[] = {
        // Every output is R + G + B, clamped.
        {poAdd, {}, {10, 20, 30}, {60, 60, 60}},
        {poAdd, {}, {100, 100, 100}, {255, 255, 255}},
        // The first coefficient of a row goes with blue: red and blue change places.
        {poMultiply, {1, 0, 0, 0, 1, 0, 0, 0, 1}, {10, 20, 30}, {30, 20, 10}},
        {poMultiply, {0.5, 0.5, 0, 0, 0, 0, 0, 0, 0.25}, {10, 20, 31}, {26, 0, 2}},
        {poSubtract, {0, 0, 100, 0, 0, 0, 0, 0, 0}, {150, 20, 30}, {100, 200, 200}},
        {poDivide, {1, 1, 2, 2, 2, 2, 4, 4, 4}, {11, 20, 30}, {56, 30, 15}},
        {9, {1, 1, 1, 1, 1, 1, 1, 1, 1}, {10, 20, 30}, {0, 0, 0}},
    };
    ClipOption = true;
    for (const auto& c : cases) {
        LoadUniform(1, 1, c.pixel);
        const auto& k = c.k;
        DoPARBMultiply(c.op, k[0], k[1], k[2], k[3], k[4], k[5], k[6], k[7], k[8]);
        EXPECT_EQ(Shown()[0], c.expected) << c.op;
    }
}

TEST_F(PixAl, PerChannelCoefficients) {
    struct Case {
        int op;
        double c1, c2, c3;
        Rgb pixel, expected;
    };
    const Case cases[] = {
        {poMultiply, 1, 1, 1, {0, 128, 255}, {0, 128, 255}},
        {poDivide, 2, 2, 2, {5, 7, 9}, {2, 4, 4}}, // 2.5, 3.5, 4.5 to even
        {poAdd, -10, 0, 300, {5, 7, 9}, {0, 7, 255}},
        {poSubtract, 1, 2, 3, {5, 7, 9}, {4, 5, 6}},
        {-1, 1, 1, 1, {5, 7, 9}, {0, 0, 0}},
    };
    ClipOption = true;
    for (const auto& c : cases) {
        LoadUniform(1, 1, c.pixel);
        DoPMultiply(c.op, c.c1, c.c2, c.c3);
        EXPECT_EQ(Shown()[0], c.expected) << c.op;
    }
}

TEST_F(PixAl, CoefficientFailuresLeaveThePicture) {
    ClipOption = true;
    Load(2, {{10, 20, 30}, {40, 50, 60}, {0, 0, 0}, {0, 0, 0}});
    // Buffer row 0 (the bottom row) comes first: a black pixel, 0 / 0.
    ExpectFailedUnchanged([] { DoPMultiply(poDivide, 0, 1, 1); },
                          "Invalid floating point operation");
    ExpectFailedUnchanged([] { DoPARBMultiply(poDivide, 1, 1, 1, 1, 1, 1, 1, 1, 0); },
                          "Invalid floating point operation");
    LoadUniform(2, 2, {10, 20, 30});
    ExpectFailedUnchanged([] { DoPMultiply(poDivide, 1, 0, 1); },
                          "Floating point division by zero");
    ExpectFailedUnchanged([] { DoPARBMultiply(poMultiply, 1e308, 0, 0, 0, 0, 0, 0, 0, 0); },
                          "Floating point overflow");
    // A minimum below the single range, stored by the auto range.
    ClipOption = false;
    AutoRangeOption = true;
    ExpectFailedUnchanged([] { DoPMultiply(poMultiply, -1e300, 1, 1); }, "Floating point overflow");
}

TEST_F(PixAl, PowerLogTransform) {
    struct Case {
        int mode;
        double p1, p2;
        bool absolute;
        Rgb pixel, expected;
    };
    const Case cases[] = {
        // 10 * c, a zero byte taken as 1.
        {1, 1, 0, false, {0, 25, 26}, {10, 250, 255}},
        // 10 * sqrt(c).
        {1, 2, 0, false, {0, 100, 255}, {10, 100, 160}},
        // 10 * c^(1/1) - 10 * ln(exp(c) / 1) is 0 up to rounding.
        {2, 1, 1, false, {3, 50, 200}, {0, 0, 0}},
        // 10 * c - 10 * c^2: negative, and positive with absolute values.
        {3, 1, 0.5, false, {2, 0, 3}, {0, 0, 0}},
        {3, 1, 0.5, true, {2, 0, 3}, {20, 0, 60}},
        {4, 1, 1, false, {9, 9, 9}, {0, 0, 0}},
    };
    ClipOption = true;
    for (const auto& c : cases) {
        AbsoluteValuesOption = c.absolute;
        LoadUniform(1, 1, c.pixel);
        DoPowerLogTransform(0, c.mode, c.p1, c.p2);
        EXPECT_EQ(Shown()[0], c.expected) << c.mode << " " << c.p1;
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
    Rec.Clear();
    DoPowerLogTransform(1, 1, 1, 0);
    EXPECT_EQ(Shown(), (std::vector<Rgb>{{0, 0, 0}, {255, 255, 255}}));
    // Without the option, a third pass reports the one-part progress.
    AutoRangeOption = false;
    ClipOption = true;
    Rec.Clear();
    DoPowerLogTransform(2, 1, 1, 0);
    ASSERT_EQ(Rec.Status0.size(), 6u);
    EXPECT_EQ(Rec.Status0[1].substr(0, 14), "(Part 1 of 2) ");
    EXPECT_EQ(Rec.Status0[3].substr(0, 14), "(Part 2 of 2) ");
    EXPECT_EQ(Rec.Status0[5], "(Part 1 of 1) % Done: 100");
    // A negative count runs no pass and shows the picture as it was.
    Load(1, {{10, 10, 10}});
    DoPowerLogTransform(-1, 1, 1, 0);
    EXPECT_EQ(Shown()[0], (Rgb{10, 10, 10}));
    EXPECT_EQ(Rec.Status1.back(), "Image processed");
}

TEST_F(PixAl, PowerLogFailures) {
    ClipOption = true;
    LoadUniform(1, 1, {1, 5, 5});
    // ln(1) / 0.
    ExpectFailedUnchanged([] { DoPowerLogTransform(0, 1, 0, 1); },
                          "Invalid floating point operation");
    LoadUniform(1, 1, {5, 5, 5});
    ExpectFailedUnchanged([] { DoPowerLogTransform(0, 1, 0, 1); },
                          "Floating point division by zero");
    // A negative divisor inside the logarithm.
    ExpectFailedUnchanged([] { DoPowerLogTransform(0, 2, 1, -1); },
                          "Invalid floating point operation");
    // c to the power 1000.
    ExpectFailedUnchanged([] { DoPowerLogTransform(0, 1, 0.001, 1); }, "Floating point overflow");
}

TEST_F(PixAl, BrightnessOffsetClampsWhateverTheOffset) {
    struct Case {
        int32_t offset;
        Rgb expected;
    };
    const Case cases[] = {
        {10, {10, 138, 255}},
        {-10, {0, 118, 245}},
        {-300, {0, 0, 0}},
        {300, {255, 255, 255}},
        {std::numeric_limits<int32_t>::max(), {255, 255, 255}},
        {std::numeric_limits<int32_t>::min(), {0, 0, 0}},
    };
    // No range option applies.
    BelowZeroOption = true;
    for (const auto& c : cases) {
        LoadUniform(2, 1, {0, 128, 255});
        DoBrightnessOffset(c.offset);
        EXPECT_EQ(Shown()[1], c.expected) << c.offset;
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
        ASSERT_EQ(p[0], p[1]);
        ASSERT_EQ(p[0], p[2]);
        unchanged += p[0] == 128;
        low = std::min(low, p[0]);
        high = std::max(high, p[0]);
    }
    // Both draws are equal for (0.505^2 + 99 * 0.005^2) of the pixels, about 0.2575.
    EXPECT_NEAR(unchanged / double(side * side), 0.2575, 0.01);
    EXPECT_GE(low, 128 - 99);
    EXPECT_LE(high, 128 + 99);
    EXPECT_LT(low, 128 - 90);
    EXPECT_GT(high, 128 + 90);
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

TEST_F(PixAl, WindowCommandsRecordTheirLines) {
    MacroRecording = LogToDIP = true;
    std::array<int32_t, 21> groups{};
    groups.fill(-1);
    groups[0] = 0;
    groups[1] = 3;
    groups[2] = 0;
    groups[3] = 0;
    RecordPixelAlgebra(groups);
    RecordPixelRatios(4);
    RecordPARBMultiply({0.332, 0.603, 0.675, -0.283, -0.66, 0.577, -0.899, 0.428, 0.076}, 2);
    RecordPMultiply(-0.8561, 0.36, 255, -1);
    std::vector<std::string> expected = {"=0201   Do_PixelAlgebra", "0", "3", "0", "0"};
    for (int i = 4; i < 21; ++i)
        expected.push_back("-1");
    for (const char* l : {"=0202  PixelRatios", "4", "=0203  Do_PARBMultiply", "0.332", "0.603",
                          "0.675", "-0.283", "-0.66", "0.577", "-0.899", "0.428", "0.076", "2",
                          "=0204  Do_PMultiply", "-0.8561", "0.36", "255", "-1"})
        expected.push_back(l);
    EXPECT_EQ(Rec.MacroLines, expected);
    // The log has the same lines, each command followed by a date line, and is saved each time.
    EXPECT_EQ(Rec.HistoryLines.size(), expected.size() + 4);
    EXPECT_EQ(Rec.HistoryLines[0], "=0201   Do_PixelAlgebra");
    EXPECT_EQ(Rec.HistoryLines[23], "=0202  PixelRatios");
    EXPECT_EQ(Rec.HistorySaves, 4);
}

} // namespace
