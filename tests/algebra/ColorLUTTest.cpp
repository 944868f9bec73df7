#include "algebra/vColorLUT.h"
#include "algebra/vColorLUTMap.h"
#include "algebra/vUOutputRange.h"
#include "histogram/vUHistoCC.h"
#include "shell/imaging/vURealColorLibrary.h"
#include "support/EngineTestImage.h"

#include <cmath>
#include <functional>

namespace {

class ColorLUT : public EngineTestImage {
  protected:
    void SetUp() override {
        EngineTestImage::SetUp();
        RedLUT = GreenLUT = BlueLUT = IdentityLUT();
        ColorPlane = NoColorPlane;
        PlaneInColor = true;
    }
    void TearDown() override {
        LUTFunction = lfIdentity;
        EngineTestImage::TearDown();
    }
    static LUTMapping Mapping(int32_t function, int32_t plane = NoColorPlane, bool inColor = true,
                              std::array<int32_t, 3> bars = {0, 0, 0}) {
        LUTFunction = function;
        ColorPlane = plane;
        PlaneInColor = inColor;
        return CurrentLUTMapping(bars[0], bars[1], bars[2]);
    }
};

std::array<LUTTable*, 3> Tables() {
    return {&RedLUT, &GreenLUT, &BlueLUT};
}

// Each function's tables beside the formula worked out here, entry by entry, for every band with
// its own bar position.
TEST_F(ColorLUT, FunctionTablesFollowTheirFormulas) {
    using Formula = std::function<double(double i, double p)>;
    struct Case {
        int32_t code;
        LUTControls controls;
        Formula expected;
    };
    const double pi = 3.14;
    const Case cases[] = {
        {lfNegative, {}, [](double i, double) { return 255 - i; }},
        {lfSineWave,
         {-40, 0, 255, true, false},
         [=](double i, double p) { return std::sin(0.0245 * i - pi) * p + i; }},
        {lfSineWave,
         {-40, 0, 255, false, false},
         [=](double i, double p) { return std::sin(0.0245 * i - pi) * p - i; }},
        {lfHyperContrast,
         {-40, 0, 255, true, false},
         [=](double i, double p) { return std::sin(0.0245 * i - pi) * i + p; }},
        {lfHyperContrast,
         {-40, 0, 255, false, false},
         [=](double i, double p) { return -std::sin(0.0245 * i - pi) * i + p; }},
        // At entry 0 the product of 0 with an enormous power is 0.
        {lfExponent,
         {1, 200, 500, true, false},
         [](double i, double p) { return i == 0 ? 0.0 : i * std::pow(p, 10 / (i + 0.01)); }},
        {lfExponent,
         {1, 200, 500, true, true},
         [](double i, double p) { return i == 0 ? 0.0 : i * std::pow(p, 10 / (i + 0.01)) + i; }},
        {lfLog,
         {1, 200, 500, true, false},
         [](double i, double p) {
             return i == 0 ? (p + 0.01) / 10 : std::pow(i, 100 / (i + 0.1)) * p / 10;
         }},
        {lfLog,
         {1, 200, 500, true, true},
         [](double i, double p) {
             return i == 0 ? (p + 0.01) / 10 : std::pow(i, 100 / (i + 0.1)) * p / 10 + i;
         }},
        {lfGamma,
         {1, 200, 500, true, false},
         [](double i, double p) { return i == 0 ? 10.0 : 10 * std::pow(i, 100 / (p + 0.1)); }},
        {lfGamma,
         {1, 200, 500, true, true},
         [](double i, double p) { return i == 0 ? 1.0 : std::pow(i, 100 / (p + 0.1)) + i; }},
        {lfRGB, {-255, 7, 255}, [](double i, double p) { return i + p; }},
        {lfIdentity, {9, 9, 9}, [](double i, double) { return i; }},
        {17, {9, 9, 9}, [](double i, double) { return i; }},
    };
    for (const Case& c : cases) {
        RedLUT = GreenLUT = BlueLUT = LUTTable{};
        LUTFunction = c.code;
        DoLUT(c.controls);
        const double bars[3] = {double(c.controls.Red), double(c.controls.Green),
                                double(c.controls.Blue)};
        for (int band = 0; band < 3; ++band)
            for (int i = 0; i < 256; ++i) {
                const double want = c.expected(i, bars[band]);
                const double got = (*Tables()[band])[i];
                ASSERT_TRUE(std::isfinite(got)) << c.code << " band " << band << " entry " << i;
                EXPECT_NEAR(got, want, std::fabs(want) * 1e-12 + 1e-12)
                    << c.code << " band " << band << " entry " << i;
            }
    }
}

TEST_F(ColorLUT, StretchGrayAndMinMaxTables) {
    LUTFunction = lfStretchLinear;
    DoLUT({20, 120, 0});
    EXPECT_DOUBLE_EQ(RedLUT[20], 0.01 / 100 * 256);
    EXPECT_DOUBLE_EQ(BlueLUT[120], 100.01 / 100 * 256);
    // Both bars at one position divide by 1.
    DoLUT({50, 50, 0});
    EXPECT_DOUBLE_EQ(GreenLUT[52], 2.01 * 256);

    LUTFunction = lfGray;
    DoLUT({});
    EXPECT_EQ((std::array<double, 3>{RedLUT[2], GreenLUT[2], BlueLUT[2]}),
              (std::array<double, 3>{60, 118, 22}));

    BandHistogramStats[BandRed].Min = 10;
    BandHistogramStats[BandRed].Range = 100;
    BandHistogramStats[BandGreen].Min = 0;
    BandHistogramStats[BandGreen].Range = 255;
    BandHistogramStats[BandBlue].Min = 200;
    BandHistogramStats[BandBlue].Range = 50;
    LUTFunction = lfMinMax;
    DoLUT({});
    EXPECT_DOUBLE_EQ(RedLUT[110], 256.0);
    EXPECT_DOUBLE_EQ(GreenLUT[255], 256.0);
    EXPECT_DOUBLE_EQ(BlueLUT[0], -200.0 / 50 * 256);
}

TEST_F(ColorLUT, MinMaxOfABandWithOneValueFailsWithTheRunTimesError) {
    BandHistogramStats[BandRed].Min = 0;
    BandHistogramStats[BandRed].Range = 0;
    LUTFunction = lfMinMax;
    Rec.Clear();
    EXPECT_FALSE(RunGuarded([] { DoLUT({}); }));
    EXPECT_EQ(Rec.ErrorBoxes, std::vector<std::string>{"Invalid floating point operation"});
}

TEST_F(ColorLUT, HistogramEqualisationStopsAtTheHistogramsEndAndSumsIn64Bits) {
    // A sum the counts never reach: every search but the first runs to the end.
    BandHistogram empty{};
    LUTTable t;
    HistogramEqualise(255, empty, int64_t{1} << 40, t);
    EXPECT_EQ(t[0], 2);
    EXPECT_EQ(t[1], 256);
    EXPECT_EQ(t[254], 256);
    EXPECT_EQ(t[255], 255);
    // Counts whose weighted sum passes 2^31 at once.
    BandHistogram full;
    full.fill(0x7FFFFFFF);
    HistogramEqualise(2, full, int64_t{0x7FFFFFFF} * 32640, t);
    EXPECT_EQ(t[1], 182);
}

TEST_F(ColorLUT, GraphShapes) {
    struct Case {
        int32_t shape;
        int entry;
        double expected;
    };
    const Case cases[] = {
        {lfIdentity, 9, 9},
        {lfNegative, 0, 255},
        {lfStretchLinear, 255, 255.01 / 255 * 256},
        {lfSineWave, 100, std::sin(2.45 - 3.14) * 100 + 100},
        {lfHyperContrast, 100, std::cos(2.45 - 3.14) * 100 + 100},
        {lfExponent, 0, 25.5},
        {lfExponent, 255, 255},
        {lfLog, 0, 0},
        {lfLog, 1, 1},
        {lfLog, 2, 1.9},
        {lfLog, 3, 2.81},
        {lfGamma, 0, 0},
        {lfGamma, 100, 3 * std::pow(100.0, 0.5)},
        {42, 200, 200},
    };
    for (const Case& c : cases) {
        DoLUTGraph(c.shape);
        for (LUTTable* t : Tables())
            EXPECT_NEAR((*t)[c.entry], c.expected, 1e-12) << c.shape << " entry " << c.entry;
    }
    BandHistogramStats = {};
    RedHistogram = GreenHistogram = BlueHistogram = BandHistogram{};
    BandHistogramStats[BandBlue].Sum = 1000;
    DoLUTGraph(lfHistogramEQ);
    EXPECT_EQ(BlueLUT[0], 2);
    EXPECT_EQ(BlueLUT[254], 256);
    EXPECT_EQ(BlueLUT[255], 255);
}

TEST_F(ColorLUT, HSVAndHLSConversionsComeBackAndGiveAGreyHueZero) {
    // Each conversion and its way back, with the saturation's place among the three components.
    struct Space {
        void (*to)(float, float, float, float&, float&, float&);
        void (*back)(float, float, float, float&, float&, float&);
        int saturation;
    };
    const Space spaces[] = {{MyRGBToHSV, HSVtoRGB, 1}, {MyRGBToHLS, HLStoRGB, 2}};
    for (const Space& space : spaces)
        for (int r = 0; r < 256; r += 17)
            for (int g = 0; g < 256; g += 51)
                for (int b = 0; b < 256; b += 85) {
                    const float in[3] = {r / 255.0f, g / 255.0f, b / 255.0f};
                    float c[3], back[3];
                    space.to(in[0], in[1], in[2], c[0], c[1], c[2]);
                    if (c[space.saturation] == 0.0f) {
                        EXPECT_EQ(c[0], 0.0f);
                        continue;
                    }
                    space.back(c[0], c[1], c[2], back[0], back[1], back[2]);
                    for (int k = 0; k < 3; ++k)
                        EXPECT_NEAR(back[k], in[k], 1e-5) << r << " " << g << " " << b;
                }
}

// The values of one pixel (30, 60, 90) before the range mapping, per function and plane.
TEST_F(ColorLUT, PixelValuesByFunctionAndPlane) {
    for (int i = 0; i < 256; ++i) {
        RedLUT[i] = 1000 + i;
        GreenLUT[i] = 2000 + i;
        BlueLUT[i] = 3000 + i;
    }
    struct Case {
        int32_t function, plane;
        bool inColor;
        std::array<int32_t, 3> bars;
        std::array<double, 3> expected;
    };
    const double mean = (1030 + 2060 + 3090) / 3.0;
    const Case cases[] = {
        {lfNegative, NoColorPlane, true, {}, {1030, 2060, 3090}},
        {lfHandDrawn, NoColorPlane, true, {}, {1030, 2060, 3090}},
        {lfGray, NoColorPlane, true, {}, {61.80001, 61.80001, 61.80001}},
        {lfRGB, 0, true, {}, {1030, 2060, 3090}},
        {lfRGB, 0, false, {}, {mean, mean, mean}},
        {lfRGB, 1, true, {}, {1030, 0, 0}},
        {lfRGB, 1, false, {}, {1030, 1030, 1030}},
        {lfRGB, 2, true, {}, {0, 2060, 0}},
        {lfRGB, 3, false, {}, {3090, 3090, 3090}},
        {lfCMYK, 10, true, {5, 6, 7}, {0, 0, 0}},
        {lfCMYK, 11, true, {5, 6, -1}, {90 + 255, 90 + 255, 90 + 255}},
        {lfCMYK, 12, true, {5, 6, 7}, {66, 66, 66}},
        {lfCMYK, 13, true, {261, 6, 7}, {35, 35, 35}},
        // clang-format off
        {lfYIQ, NoColorPlane, true, {10, 20, 30},
         {0.299 * 40 + 0.587 * 80 + 0.114 * 120, 0.596 * 40 - 0.275 * 80 - 0.321 * 120,
          0.212 * 40 - 0.523 * 80 + 0.311 * 120}},
        // clang-format on
    };
    for (const Case& c : cases) {
        const LUTMapping m = Mapping(c.function, c.plane, c.inColor, c.bars);
        double x[3];
        MapLUTPixel(m, LUTRun::Apply, 30, 60, 90, x);
        for (int k = 0; k < 3; ++k)
            EXPECT_NEAR(x[k], c.expected[k], 1e-9)
                << c.function << " plane " << c.plane << " channel " << k;
    }
}

// In colour, each hue plane paints every pixel its shifted hue: HSV at full saturation and
// value, HLS at half lightness (128 of 255) and full saturation, in the preview and when applied.
TEST_F(ColorLUT, HuePlanesInColourAreTheFullColourOfTheShiftedHue) {
    using ToSpace = void (*)(float, float, float, float&, float&, float&);
    const struct {
        int32_t Function, Plane;
        ToSpace Convert;
        double Second, Third; // the result's S and V, or L and S
    } spaces[] = {{lfHSV, 4, MyRGBToHSV, 1.0, 1.0}, {lfHLS, 7, MyRGBToHLS, 128.0 / 255, 1.0}};
    for (const auto& space : spaces)
        for (LUTRun run : {LUTRun::Preview, LUTRun::Apply}) {
            SCOPED_TRACE(space.Function * 10 + static_cast<int>(run));
            const LUTMapping m = Mapping(space.Function, space.Plane, true, {0, 0, 0});
            // Hues that stay below 360 once shifted by the bars' hue.
            for (Rgb px : {Rgb{200, 40, 40}, Rgb{10, 200, 90}, Rgb{250, 200, 10}}) {
                double x[3];
                MapLUTPixel(m, run, px[0], px[1], px[2], x);
                float h, a, b, h2, a2, b2;
                space.Convert(static_cast<float>(ClampRound(x[0]) / 255.0),
                              static_cast<float>(ClampRound(x[1]) / 255.0),
                              static_cast<float>(ClampRound(x[2]) / 255.0), h, a, b);
                space.Convert(px[0] / 255.0f, px[1] / 255.0f, px[2] / 255.0f, h2, a2, b2);
                EXPECT_NEAR(a, space.Second, 0.01) << px[0];
                EXPECT_NEAR(b, space.Third, 0.01) << px[0];
                EXPECT_NEAR(h, h2 + m.H2, 1.0) << px[0];
            }
        }
    // A red turned by the bars' hue of 180 degrees, at half lightness: cyan, not white.
    const LUTMapping m = Mapping(lfHLS, 7, true, {0, 0, 0});
    EXPECT_NEAR(m.H2, 180.0, 1e-3);
    double x[3];
    MapLUTPixel(m, LUTRun::Preview, 200, 40, 40, x);
    EXPECT_EQ((Rgb{ClampRound(x[0]), ClampRound(x[1]), ClampRound(x[2])}), (Rgb{1, 255, 255}));
}

// No option at all leaves the picture as it was and still shows it.
TEST_F(ColorLUT, ApplyUnderEachRangeOption) {
    struct Case {
        bool* option;
        int32_t function;
        Rgb pixel, expected;
    };
    const Case cases[] = {
        {&ClipOption, lfNegative, {0, 100, 255}, {255, 155, 0}},
        {&ClipOption, lfGray, {100, 150, 200}, {141, 141, 141}},
        {&BelowZeroOption, lfIdentity, {0, 1, 2}, {127, 254, 255}},
        {&Scale0To255Option, lfIdentity, {0, 1, 254}, {1, 128, 255}},
        {&ClipOption, lfRGB, {7, 8, 9}, {7, 8, 9}},
        {nullptr, lfNegative, {10, 20, 30}, {10, 20, 30}},
    };
    for (const Case& c : cases) {
        Load(1, {c.pixel});
        LUTFunction = c.function;
        ColorPlane = c.function == lfRGB ? 0 : NoColorPlane;
        DoLUT({});
        ClipOption = false;
        if (c.option) *c.option = true;
        ApplyLUTImage(CurrentLUTMapping(0, 0, 0));
        if (c.option) *c.option = false;
        EXPECT_EQ(Shown()[0], c.expected) << c.function;
        EXPECT_EQ(Rec.Status1.back(), "Image processed");
    }
}

TEST_F(ColorLUT, AutoRangeStretchesEachChannelOverTheRun) {
    Load(2, {{0, 100, 255}, {255, 200, 0}});
    AutoRangeOption = true;
    for (int i = 0; i < 256; ++i)
        RedLUT[i] = GreenLUT[i] = BlueLUT[i] = 2.0 * i;
    ApplyLUTImage(Mapping(lfHandDrawn));
    // Green's values 200 and 400 lie within the tracker's start (0..255) on one side only.
    EXPECT_EQ(Shown(), (std::vector<Rgb>{{0, 0, 255}, {255, 255, 0}}));
    EXPECT_EQ(ProcessMaxValue, 510.0);
    EXPECT_EQ(ProcessMinValue, 0.0);
}

TEST_F(ColorLUT, ZeroAutoRangeEndsTheApplyAndThePreviewWithTheRunTimesError) {
    LoadUniform(3, 2, {100, 100, 100});
    AutoRangeOption = true;
    const LUTMapping m = Mapping(lfIdentity);
    ExpectFailedUnchanged([&] { ApplyLUTImage(m); }, "Invalid floating point operation");
    Picture preview;
    Rec.Clear();
    EXPECT_FALSE(RunGuarded([&] { MakeLUTPreview(m, preview); }));
    EXPECT_EQ(Rec.ErrorBoxes, std::vector<std::string>{"Invalid floating point operation"});
    EXPECT_TRUE(preview.Empty());
}

// The preview maps a copy of its own: the undo copy still holds the picture from before the last
// operation.
TEST_F(ColorLUT, PreviewKeepsTheUsersUndo) {
    Load(2, {{10, 20, 30}, {40, 50, 60}});
    ClipOption = true;
    LUTFunction = lfNegative;
    DoLUT({});
    ApplyLUTImage(CurrentLUTMapping(0, 0, 0));
    const std::vector<Rgb> negative = Shown();
    EXPECT_EQ(negative, (std::vector<Rgb>{{245, 235, 225}, {215, 205, 195}}));

    Picture preview;
    Rec.Clear();
    ASSERT_TRUE(MakeLUTPreview(CurrentLUTMapping(0, 0, 0), preview));
    EXPECT_EQ(preview.Width, 2);
    EXPECT_EQ(PixelRed(preview.Pixels[0]), 10);
    EXPECT_EQ(Shown(), negative);
    EXPECT_EQ(Rec.PictureChanges, 0);
    UndoImage();
    EXPECT_EQ(Shown(), (std::vector<Rgb>{{10, 20, 30}, {40, 50, 60}}));
}

// The colour-space corrections map each colour once and share the result: every pixel must still
// be the one worked out on its own, for every plane, with and without colour, in both runs.
TEST_F(ColorLUT, ColourSpacePassesMatchThePixelMapping) {
    std::vector<Rgb> pixels;
    for (int i = 0; i < 48; ++i)
        pixels.push_back({(i * 53) % 256, (i * 91 + 7) % 256, (i * 17) % 3 == 0 ? 0 : i * 5});
    // Repeated colours, and colours sharing their largest and smallest bytes.
    pixels.insert(pixels.end(), {{10, 50, 200},
                                 {200, 120, 10},
                                 {10, 50, 200},
                                 {0, 0, 0},
                                 {1, 1, 1},
                                 {0, 200, 1},
                                 {255, 255, 255},
                                 {200, 10, 10}});
    ClipOption = true;
    for (int32_t function : {lfHSV, lfHLS})
        for (int32_t plane = 0; plane < 3; ++plane)
            for (bool inColor : {true, false}) {
                SCOPED_TRACE(function * 100 + plane * 10 + inColor);
                Load(8, pixels);
                const LUTMapping m =
                    Mapping(function, (function == lfHSV ? 4 : 7) + plane, inColor, {40, -30, 20});
                std::vector<Rgb> expected[2];
                for (LUTRun run : {LUTRun::Preview, LUTRun::Apply})
                    for (const Rgb& px : pixels) {
                        double x[3];
                        MapLUTPixel(m, run, px[0], px[1], px[2], x);
                        expected[static_cast<int>(run)].push_back(
                            {ClampRound(x[0]), ClampRound(x[1]), ClampRound(x[2])});
                    }
                Picture preview;
                ASSERT_TRUE(MakeLUTPreview(m, preview));
                std::vector<Rgb> previewed;
                for (uint32_t px : preview.Pixels)
                    previewed.push_back({PixelRed(px), PixelGreen(px), PixelBlue(px)});
                EXPECT_EQ(previewed, expected[static_cast<int>(LUTRun::Preview)]);
                ApplyLUTImage(m);
                EXPECT_EQ(Shown(), expected[static_cast<int>(LUTRun::Apply)]);
            }
}

TEST_F(ColorLUT, PreviewWithoutAPictureDoesNothingAndWithOneReportsEachRow) {
    Picture preview;
    EXPECT_FALSE(MakeLUTPreview(Mapping(lfNegative), preview));
    EXPECT_TRUE(preview.Empty());
    EXPECT_TRUE(Rec.Messages.empty());
    LoadUniform(2, 3, {1, 2, 3});
    ClipOption = true;
    std::vector<int32_t> percents;
    MakeLUTPreview(
        Mapping(lfNegative), preview,
        [](void* c, int32_t p) { static_cast<std::vector<int32_t>*>(c)->push_back(p); }, &percents);
    EXPECT_EQ(percents, (std::vector<int32_t>{0, 50, 100}));
}

} // namespace
