#include "algebra/vUPixAl.h"
#include "support/EngineTestImage.h"

namespace {

class PixelRatios : public EngineTestImage {};

// Top row (200, 50, 30), (10, 20, 0); bottom row (100, 40, 59), (5, 9, 200): red dominant,
// green dominant with a zero blue, red just above green plus blue, blue dominant.
const std::vector<Rgb> Quad = {{200, 50, 30}, {10, 20, 0}, {100, 40, 59}, {5, 9, 200}};

TEST_F(PixelRatios, EveryFormulaOnTwoByTwoUnder0To1To255) {
    // Worked by hand: value v below 1 gives v * 127 + 1, else v / 2 + 128, clamped, rounded
    // halves to even (formulas 3 and 5 give exactly 1 at (10, 20, 0): 128.5 -> 128).
    const std::pair<int, std::vector<Rgb>> cases[] = {
        {1, {{77, 77, 77}, {0, 0, 0}, {55, 55, 55}, {0, 0, 0}}},
        {2, {{92, 24, 15}, {43, 86, 1}, {65, 27, 39}, {4, 6, 120}}},
        {3, {{129, 77, 95}, {65, 0, 128}, {129, 55, 34}, {4, 0, 0}}},
        {4, {{134, 147, 141}, {1, 0, 1}, {0, 140, 140}, {0, 0, 0}}},
        {5, {{133, 129, 129}, {65, 0, 128}, {0, 129, 130}, {0, 0, 0}}},
        {6, {{132, 130, 131}, {255, 65, 255}, {129, 129, 129}, {10, 72, 4}}},
        {7, {{52, 130, 132}, {129, 65, 255}, {127, 130, 129}, {149, 139, 10}}},
        {8, {{129, 131, 133}, {129, 129, 255}, {129, 130, 130}, {149, 140, 129}}},
        {9, {{132, 129, 132}, {255, 255, 255}, {129, 129, 129}, {129, 129, 10}}},
        {10, {{18, 4, 6}, {255, 20, 255}, {6, 5, 4}, {1, 41, 27}}},
        {11, {{132, 188, 255}, {1, 1, 255}, {140, 202, 162}, {255, 183, 30}}},
        {12, {{8, 4, 6}, {255, 20, 255}, {6, 5, 4}, {16, 41, 27}}},
        {13, {{228, 255, 255}, {255, 255, 255}, {178, 255, 255}, {255, 255, 255}}},
        {14, {{255, 255, 255}, {255, 138, 255}, {255, 255, 255}, {255, 255, 255}}},
        {15, {{255, 255, 255}, {255, 255, 255}, {255, 255, 255}, {255, 255, 228}}},
    };
    Scale0To255Option = true;
    for (const auto& [formula, expected] : cases) {
        Load(2, Quad);
        DoPixelRatios(static_cast<uint8_t>(formula));
        EXPECT_EQ(Shown(), expected) << "formula " << formula;
    }
}

TEST_F(PixelRatios, WorkedExamplesInTheirModes) {
    const std::tuple<bool*, int, Rgb, Rgb> cases[] = {
        {&BelowZeroOption, 1, {200, 50, 7}, {203, 203, 203}},
        {&ClipOption, 13, {100, 40, 59}, {100, 255, 255}},
        {&ClipOption, 13, {100, 40, 60}, {255, 255, 255}}, // the comparison is strict
        {&ClipOption, 14, {10, 40, 29}, {255, 40, 255}},
        {&ClipOption, 15, {10, 40, 50}, {255, 255, 255}},
        {&Scale0To255Option, 2, {0, 0, 0}, {128, 128, 128}},
        {&ClipOption, 6, {10, 20, 0}, {255, 1, 255}},
        {&ClipOption, 11, {0, 0, 0}, {0, 0, 0}}, // 0.1, not e, below the line
        {&ClipOption, 0, {10, 20, 30}, {0, 0, 0}},
        {&ClipOption, 16, {10, 20, 30}, {0, 0, 0}},
        {&BelowZeroOption, 200, {10, 20, 30}, {127, 127, 127}},
    };
    for (const auto& [option, formula, pixel, expected] : cases) {
        ClipOption = Scale0To255Option = BelowZeroOption = false;
        *option = true;
        LoadUniform(1, 1, pixel);
        DoPixelRatios(static_cast<uint8_t>(formula));
        EXPECT_EQ(Shown()[0], expected) << "formula " << formula;
    }
}

// Only formula 4 can divide by zero, and only the stretch by a zero range is invalid; no
// numerator exceeds 65025.0001 and no other denominator is below 0.0001, so none overflows. The
// first pass's division by zero comes before the second pass's zero range.
TEST_F(PixelRatios, FirstFailingOperationNamesTheError) {
    const std::string DivideByZero = "Floating point division by zero";
    const std::string InvalidOp = "Invalid floating point operation";
    std::vector<Rgb> wide(600, {9, 8, 7});
    wide[580] = {10, 0, 30};
    const std::tuple<bool*, int, std::vector<Rgb>, const std::string&> cases[] = {
        // A zero red byte divides the green output by zero as well.
        {&ClipOption, 4, {{0, 20, 30}}, DivideByZero},
        {&ClipOption, 4, wide, DivideByZero}, // far along a wide row
        {&AutoRangeOption, 4, {{10, 0, 30}, {10, 0, 30}}, DivideByZero},
        // Green and blue are 255 everywhere, whatever red does.
        {&AutoRangeOption, 13, Quad, InvalidOp},
        // Red is 100 everywhere.
        {&AutoRangeOption, 13, {{100, 40, 59}, {100, 40, 59}}, InvalidOp},
        {&AutoRangeOption, 0, {{1, 2, 3}}, InvalidOp},
    };
    for (const auto& [option, formula, pixels, error] : cases) {
        SCOPED_TRACE(formula);
        ClipOption = AutoRangeOption = false;
        *option = true;
        Load(static_cast<int>(pixels.size()), pixels);
        ExpectFailedUnchanged([f = formula] { DoPixelRatios(static_cast<uint8_t>(f)); }, error);
    }
}

TEST_F(PixelRatios, AutoRangeKeepsOneTrackerPerChannel) {
    AutoRangeOption = true;
    // Formula 8, (R + G + B + e) / (c + e): red 3, 1, 2; green 3, 1, 6; blue 3, 1, 3.
    Load(3, {{10, 10, 10}, {0, 0, 0}, {30, 10, 20}});
    DoPixelRatios(8);
    ASSERT_TRUE(Rec.ErrorBoxes.empty()) << Rec.Summary();
    EXPECT_EQ(Shown(), (std::vector<Rgb>{{255, 102, 255}, {0, 0, 0}, {128, 255, 255}}));
}

} // namespace
