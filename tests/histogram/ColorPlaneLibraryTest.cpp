// The plane histograms and statistics, the running statistics, the colour-plane page's choices
// and read-outs, and where the print window puts its pictures.
#include "histogram/vColorPlanePage.h"
#include "histogram/vUHistogramLibrary.h"
#include "shell/vGlobal.h"
#include "support/NoisePicture.h"
#include "support/RecordingHooks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

Picture OnePixel(uint8_t r, uint8_t g, uint8_t b) {
    Picture p;
    p.Resize(1, 1);
    p.Pixels[0] = PackPixel(r, g, b);
    return p;
}

int OnlyBin(const THistogram& h) {
    for (int i = 0; i < 256; ++i)
        if (h.Frequency[static_cast<size_t>(i)] != 0) return i;
    return -1;
}

TEST(ColorPlaneLibrary, EveryPlaneCountsItsValueAndHuesAreScaledWithoutAMessage) {
    RecordingHooks rec;
    const struct {
        int Plane;
        uint8_t R, G, B;
        int Bin;
    } cases[] = {
        // clang-format off
        {PlaneRGBComposite, 255, 255, 254, 254}, {PlaneRed, 7, 8, 9, 7},
        {PlaneGreen, 7, 8, 9, 8},                {PlaneBlue, 7, 8, 9, 9},
        {PlaneHueHSV, 0, 0, 255, 170},           {PlaneHueHSV, 255, 0, 128, 234},
        {PlaneSaturationHSV, 255, 0, 0, 255},    {PlaneValueHSV, 10, 200, 30, 200},
        {PlaneHueHLS, 0, 0, 255, 170},           {PlaneHueHLS, 0, 255, 0, 85},
        {PlaneLightness, 255, 0, 0, 127},        {PlaneSaturationHLS, 128, 128, 128, 0},
        {PlaneCyan, 10, 20, 30, 20},             {PlaneMagenta, 10, 20, 30, 10},
        {PlaneYellow, 10, 20, 30, 0},            {PlaneBlack, 10, 20, 30, 225},
        {PlaneIntensity, 255, 255, 254, 254},    {PlaneLuminance, 0, 255, 0, 149},
        // clang-format on
    };
    for (const auto& c : cases) {
        THistogram h;
        h.Frequency.fill(9);
        GetHistogram(OnePixel(c.R, c.G, c.B), c.Plane, h);
        EXPECT_EQ(OnlyBin(h), c.Bin) << c.Plane << " " << int{c.R} << " " << int{c.G};
        EXPECT_EQ(h.Frequency[static_cast<size_t>(c.Bin)], 1) << c.Plane;
    }
    EXPECT_TRUE(rec.Messages.empty()) << rec.Summary();
}

TEST(ColorPlaneLibrary, PicturesOfAnotherDepthAreRefusedWithTheLibrarysTexts) {
    Picture p = OnePixel(1, 2, 3);
    p.FormatBits = 32;
    THistogram h;
    const struct {
        std::function<void()> Run;
        const char* Text;
    } cases[] = {{[&] { GetHistogram(p, PlaneRed, h); }, "GetHistogram:  Bitmap must be 24-bit."},
                 {[&] { GetBitmapStatistics(p, PlaneRed); },
                  "GetBitmapStatistics:  Bitmap must be 24-bit color."}};
    for (const auto& c : cases) {
        try {
            c.Run();
            ADD_FAILURE() << c.Text;
        } catch (const EHistogramError& e) {
            EXPECT_STREQ(e.what(), c.Text);
        }
    }
}

TEST(ColorPlaneLibrary, StatisticsOfEveryPlaneMatchAPlainTwoPassComputation) {
    // A picture of every kind of pixel: greys, pure colours and mixtures.
    Picture p = NoisePicture(37, 29, 99);
    p.Pixels[0] = PackPixel(40, 40, 40);
    for (int plane = 0; plane <= PlaneLuminance; ++plane) {
        std::vector<double> values;
        for (uint32_t px : p.Pixels)
            values.push_back(PlaneValue(plane, px));
        long double sum = 0;
        for (double v : values)
            sum += v;
        const long double mean = sum / values.size();
        long double squares = 0;
        for (double v : values)
            squares += (v - mean) * (v - mean);
        const TDescriptiveStatistics s = GetBitmapStatistics(p, plane);
        EXPECT_EQ(s.Count, static_cast<int32_t>(values.size()));
        EXPECT_EQ(s.Min, *std::min_element(values.begin(), values.end())) << plane;
        EXPECT_EQ(s.Max, *std::max_element(values.begin(), values.end())) << plane;
        EXPECT_NEAR(s.Mean(), static_cast<double>(mean), 1e-9) << plane;
        EXPECT_NEAR(s.StandardDeviation(),
                    static_cast<double>(std::sqrt(squares / (values.size() - 1))), 1e-9)
            << plane;
    }
}

TEST(ColorPlaneLibrary, RunningStatisticsFromNothingToAlikeValues) {
    const struct {
        std::vector<double> Values;
        double Mean, Deviation, Min, Max;
    } cases[] = {
        {{}, 8.5E307, 8.5E307, 1.7E308, -1.7E308},
        {{5.0}, 5.0, 8.5E307, 5.0, 5.0},
        {{1, 2, 3, 4}, 2.5, std::sqrt(5.0 / 3.0), 1, 4},
        // Their sum of squares falls a rounding below the square of their sum.
        {{0.1, 0.1, 0.1}, 0.1, 0.0, 0.1, 0.1},
        {{1e8 + 0.1, 1e8 + 0.1, 1e8 + 0.1, 1e8 + 0.1, 1e8 + 0.1, 1e8 + 0.1, 1e8 + 0.1},
         1e8 + 0.1,
         0.0,
         1e8 + 0.1,
         1e8 + 0.1},
    };
    for (const auto& c : cases) {
        TDescriptiveStatistics s;
        for (double v : c.Values)
            s.NextValue(v);
        EXPECT_NEAR(s.Mean(), c.Mean, std::abs(c.Mean) * 1e-12) << c.Values.size();
        EXPECT_EQ(s.StandardDeviation(), c.Deviation) << c.Values.size();
        EXPECT_EQ(s.Min, c.Min);
        EXPECT_EQ(s.Max, c.Max);
    }
}

TEST(ColorPlaneLibrary, BarsAreDrawnInTheColourOfTheirValue) {
    const struct {
        int Plane, Value;
        uint32_t Color;
    } cases[] = {{PlaneRGBComposite, 200, 0xC8C8C8}, {PlaneRed, 200, 0x0000C8},
                 {PlaneGreen, 200, 0x00C800},        {PlaneBlue, 200, 0xC80000},
                 {PlaneHueHSV, 0, 0x0000FF},         {PlaneHueHSV, 170, 0xFF0000},
                 {PlaneHueHLS, 85, 0x01FF01},        {PlaneSaturationHSV, 200, 0},
                 {PlaneSaturationHLS, 200, 0},       {PlaneBlack, 200, 0x373737},
                 {PlaneLuminance, 9, 0x090909}};
    for (const auto& c : cases)
        EXPECT_EQ(HistogramBarColor(c.Plane, c.Value), c.Color) << c.Plane << " " << c.Value;
}

TEST(ColorPlanePage, SpacesAndItemsGiveEveryPlaneOnce) {
    const int expected[4][4] = {{0, 1, 2, 3}, {4, 5, 6, -1}, {7, 8, 9, -1}, {10, 11, 12, 13}};
    for (int space = 0; space < 4; ++space)
        for (int item = 0; item < static_cast<int>(ColorPlaneItems(space).size()); ++item)
            EXPECT_EQ(ColorPlaneIndexOf(space, item), expected[space][item]) << space << item;
    EXPECT_EQ(ColorPlaneItems(SpaceHLS)[1], std::string("Lightness"));
    EXPECT_EQ(ColorPlaneItems(SpaceCMYK)[3], std::string("blacK"));
    std::string shown;
    for (int plane = 0; plane <= 15; ++plane)
        shown += MonochromeBoxApplies(plane) ? 'M' : '.';
    EXPECT_EQ(shown, "MMMMM..M........");
}

TEST(ColorPlanePage, ReadoutsOfARedAndAGreyPixel) {
    const ColorReadouts red = ReadoutsOf(3, 4, MakeRGBTriple(255, 0, 0));
    EXPECT_EQ(red.Location, "[I, J] = [3, 4]");
    EXPECT_EQ(red.RGB, "[R, G, B] = [255, 0, 0] = [1.000,  0.000,  0.000]");
    EXPECT_EQ(red.HSV, "[H, S, V] = [0, 255, 255] = [ 0.0,  1.000,  1.000]");
    EXPECT_EQ(red.HLS, "[H, L, S] = [0, 128, 255] = [ 0.0,  0.500,  1.000]");
    EXPECT_EQ(red.CMYK, "[C, M, Y, K] = [0, 255, 255, 0]");
    EXPECT_EQ(red.Intensity, "Intensity = 85 = 0.333");
    EXPECT_EQ(red.Lightness, "Lightness = 127 = 0.498");
    EXPECT_EQ(red.YIQ, "[Y, I, Q] = [0.299,  0.596,  0.212]");
    // A grey has no hue: the run time writes the undefined value as it is.
    const ColorReadouts grey = ReadoutsOf(0, 0, MakeRGBTriple(51, 51, 51));
    EXPECT_EQ(grey.HSV, "[H, S, V] = [NAN, 0, 51] = [ NAN,  0.000,  0.200]");
}

TEST(ScreenPrintLayout, PicturesKeepTheirProportionsAndFitThePage) {
    const struct {
        const char* Name;
        int PageWidth, PageHeight, PictureWidth, PictureHeight;
        PageRect Big;
    } cases[] = {
        {"wide picture fits", 1000, 800, 400, 200, {120, 100, 920, 500}},
        // 800 high would pass the page less ten lines: 600 high, 300 wide, centred.
        {"tall picture limited", 1000, 800, 200, 400, {350, 100, 650, 700}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BigPictureRect(c.PageWidth, c.PageHeight, 20, c.PictureWidth, c.PictureHeight),
                  c.Big)
            << c.Name;
    EXPECT_EQ(SmallPictureRect(1000, 20, 400, 300), (PageRect{300, 100, 700, 400}));
    const std::array<PageRect, 9> panels = SheetPanels(1000, 20);
    // Three a row, a quarter of the page wide, evenly spread: gaps of 62 around 250.
    EXPECT_EQ(panels[0], (PageRect{62, 80, 312, 267}));
    EXPECT_EQ(panels[2], (PageRect{686, 80, 936, 267}));
    EXPECT_EQ(panels[8], (PageRect{686, 474, 936, 661}));
    EXPECT_EQ(PanelStatisticsText(3, 250, 100.25, 20.35), "Min=3  Max=250  Mean=100.2  S.D.=20.4");
}

} // namespace
