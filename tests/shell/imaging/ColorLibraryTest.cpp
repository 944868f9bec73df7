#include "shell/imaging/vUColorLibrary.h"
#include "support/RecordingHooks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

namespace {

struct Colour {
    int R, G, B;
};

RGBTriple Triple(Colour c) {
    return MakeRGBTriple(static_cast<uint8_t>(c.R), static_cast<uint8_t>(c.G),
                         static_cast<uint8_t>(c.B));
}

// One row per colour: what every integer conversion makes of it. The last rows sit on rounding
// halves: the HSV routines round them away from zero, the HLS ones to even, and single precision
// decides which side of the half some of them fall.
const struct ColourRow {
    Colour In;
    int HsvH, HsvS, HsvV;
    int HlsH, HlsL, HlsS;
    int RealHsvH, RealHsvS;
    int C, M, Y, K;
} ColourTable[] = {
    {{0, 0, 0}, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 255},
    {{255, 255, 255}, 0, 0, 255, 0, 255, 0, 0, 0, 0, 0, 0, 0},
    {{128, 128, 128}, 0, 0, 128, 0, 128, 0, 0, 0, 0, 0, 0, 127},
    {{255, 0, 0}, 0, 255, 255, 0, 128, 255, 0, 255, 0, 255, 255, 0},
    {{0, 255, 0}, 120, 255, 255, 120, 128, 255, 120, 255, 255, 0, 255, 0},
    {{0, 0, 255}, 240, 255, 255, 240, 128, 255, 240, 255, 255, 255, 0, 0},
    {{255, 255, 0}, 60, 255, 255, 60, 128, 255, 60, 255, 0, 0, 255, 0},
    {{0, 255, 255}, 180, 255, 255, 180, 128, 255, 180, 255, 255, 0, 0, 0},
    {{255, 0, 255}, 300, 255, 255, 300, 128, 255, 300, 255, 0, 255, 0, 0},
    // Hue 60 (-1) / 8 = -7.5: -8 + 240 either way; the real hue 232.5 goes to even 232.
    {{0, 1, 8}, 232, 255, 8, 232, 4, 255, 232, 255, 8, 7, 0, 247},
    // 22.5 + 120: 143 away from zero; the real 142.5 goes to even 142.
    {{0, 8, 3}, 143, 255, 8, 142, 4, 255, 142, 255, 8, 0, 5, 247},
    // -22.5 + 360: 337 away from zero (338 when rounded to even or upwards).
    {{10, 2, 5}, 337, 204, 10, 338, 6, 170, 338, 204, 0, 8, 5, 245},
    // Saturation 255 / 6 = 42.5 gives 43; the real one lands just below the half: 42.
    {{6, 5, 5}, 0, 43, 6, 0, 6, 23, 0, 42, 0, 1, 1, 249},
    // Lightness 0.5 in exact arithmetic, a little above it in single precision: 1, not 0.
    {{1, 0, 0}, 0, 255, 1, 0, 1, 255, 0, 255, 0, 1, 1, 254},
    // 255 / 2 = 127.5: 128 both ways; lightness 1.5 gives 2.
    {{2, 1, 1}, 0, 128, 2, 0, 2, 85, 0, 128, 0, 1, 1, 253},
};

TEST(ColorLibrary, IntegerConversionsOfTheColourTable) {
    for (const ColourRow& row : ColourTable) {
        const RGBTriple t = Triple(row.In);
        const std::string at = std::to_string(row.In.R) + "," + std::to_string(row.In.G) + "," +
                               std::to_string(row.In.B);
        int a, b, c, d;
        RGBToHSVInteger(t, a, b, c);
        EXPECT_EQ(a, row.HsvH) << at;
        EXPECT_EQ(b, row.HsvS) << at;
        EXPECT_EQ(c, row.HsvV) << at;
        ColorToHLS(t, a, b, c);
        EXPECT_EQ(a, row.HlsH) << at;
        EXPECT_EQ(b, row.HlsL) << at;
        EXPECT_EQ(c, row.HlsS) << at;
        ColorToHSV(SwapColorRedBlue(t), a, b, c);
        EXPECT_EQ(a, row.RealHsvH) << at;
        EXPECT_EQ(b, row.RealHsvS) << at;
        EXPECT_EQ(c, row.HsvV) << at;
        RGBToCMYK(t, a, b, c, d);
        EXPECT_EQ(a, row.C) << at;
        EXPECT_EQ(b, row.M) << at;
        EXPECT_EQ(c, row.Y) << at;
        EXPECT_EQ(d, row.K) << at;
        RGBToCMY(t, a, b, c);
        EXPECT_EQ(a, 255 - row.In.R) << at;
        EXPECT_EQ(b, 255 - row.In.G) << at;
        EXPECT_EQ(c, 255 - row.In.B) << at;
    }
}

// The independent reference: a * b / c rounded half away from zero (std::llround) in double,
// which is exact for these small integers.
int MulDivReference(int a, int b, int c) {
    return static_cast<int>(std::llround(static_cast<double>(a) * b / c));
}

TEST(ColorLibrary, RGBToHSVIntegerOfEveryColourMatchesTheDefinition) {
    for (int r = 0; r < 256; ++r)
        for (int g = 0; g < 256; ++g)
            for (int b = 0; b < 256; ++b) {
                const int v = std::max({r, g, b});
                const int d = v - std::min({r, g, b});
                const int s = v != 0 ? MulDivReference(d, 255, v) : 0;
                int h = 0;
                if (s != 0) {
                    if (r == v)
                        h = MulDivReference(g - b, 60, d);
                    else if (g == v)
                        h = MulDivReference(b - r, 60, d) + 120;
                    else
                        h = MulDivReference(r - g, 60, d) + 240;
                    if (h < 0) h += 360;
                }
                int H, S, V;
                RGBToHSVInteger(MakeRGBTriple(r, g, b), H, S, V);
                if (H != h || S != s || V != v) {
                    ADD_FAILURE() << r << "," << g << "," << b << ": " << H << " " << S << " " << V
                                  << " instead of " << h << " " << s << " " << v;
                    return;
                }
            }
}

TEST(ColorLibrary, HSVToRGBTripleBySector) {
    const struct {
        int H, S, V;
        Colour Out;
    } cases[] = {
        {0, 255, 255, {255, 0, 0}},       {360, 255, 255, {255, 0, 0}},
        {30, 255, 255, {255, 128, 0}},    {59, 255, 255, {255, 251, 0}},
        {60, 255, 255, {255, 255, 0}},    {90, 255, 255, {128, 255, 0}},
        {143, 255, 255, {0, 255, 98}},    {180, 255, 255, {0, 255, 255}},
        {200, 100, 200, {122, 174, 200}}, {240, 255, 255, {0, 0, 255}},
        {300, 255, 128, {128, 0, 128}},   {330, 255, 255, {255, 0, 128}},
        {77, 0, 90, {90, 90, 90}},        {361, 255, 255, {0, 0, 0}},
        {-30, 255, 255, {0, 0, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HSVToRGBTriple(c.H, c.S, c.V), Triple(c.Out)) << c.H;
}

TEST(ColorLibrary, HLSToColorRoundsToEvenAndTurnsGreysWithAnyHue) {
    const struct {
        int H, L, S;
        Colour Out;
    } cases[] = {
        {0, 128, 255, {255, 1, 1}},       {360, 128, 255, {255, 1, 1}},
        {120, 128, 255, {1, 255, 1}},     {240, 128, 255, {1, 1, 255}},
        {60, 128, 255, {255, 255, 1}},    {30, 128, 255, {255, 128, 1}},
        {240, 64, 255, {0, 0, 128}},      {0, 64, 128, {96, 32, 32}},
        {200, 200, 100, {178, 207, 222}}, {0, 0, 0, {0, 0, 0}},
        {77, 128, 0, {128, 128, 128}},    {300, 255, 0, {255, 255, 255}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HLSToColor(c.H, c.L, c.S), Triple(c.Out)) << c.H << " " << c.L << " " << c.S;
}

TEST(ColorLibrary, PlaneNamesOutsideTheTableAreEmpty) {
    EXPECT_EQ(GetColorPlaneName(8), "Lightness");
    EXPECT_EQ(GetColorPlaneName(12), "");
    EXPECT_EQ(GetColorPlaneName(15), "");
    EXPECT_EQ(GetColorPlaneName(-1), "");
}

// A picture of the colour table, two rows so that rows and columns both matter.
Picture TablePicture() {
    const int n = static_cast<int>(std::size(ColourTable));
    Picture p;
    p.Resize(n, 2);
    for (int x = 0; x < n; ++x) {
        const Colour c = ColourTable[x].In;
        p.At(x, 0) = PackPixel(c.R, c.G, c.B);
        p.At(n - 1 - x, 1) = PackPixel(c.R, c.G, c.B);
    }
    return p;
}

uint32_t Grey(int v) {
    return PackPixel(v, v, v);
}

// What the plane table makes of a colour of the colour table, before inverting.
uint32_t ExpectedPlanePixel(int plane, bool colour, const ColourRow& row) {
    const auto [r, g, b] = row.In;
    if (plane == PlaneHueHSV || plane == PlaneHueHLS) {
        const RGBTriple hue = plane == PlaneHueHSV ? HSVToRGBTriple(row.HsvH, 255, 255)
                                                   : HLSToColor(row.HlsH, 128, 255);
        return colour ? RGBTripleToPixel(hue) : Grey(ColorIntensity(hue));
    }
    if (colour && plane <= PlaneBlue) {
        const Colour kept[] = {{r, g, b}, {r, 0, 0}, {0, g, 0}, {0, 0, b}};
        return PackPixel(kept[plane].R, kept[plane].G, kept[plane].B);
    }
    const int intensity = (r + g + b) / 3;
    const int greys[] = {intensity, r,        g,     b,     0,     row.HsvS, row.HsvV, 0,
                         row.HlsL,  row.HlsS, row.C, row.M, row.Y, row.K,    intensity};
    return Grey(greys[plane]);
}

TEST(ColorLibrary, GetImageSpacePlanesAgainstTheColourTable) {
    const Picture source = TablePicture();
    for (int plane = 0; plane <= 14; ++plane)
        for (const bool colour : {true, false})
            for (const bool invert : {false, true}) {
                const Picture out = GetImageSpace(plane, colour, invert, source);
                ASSERT_EQ(out.Width, source.Width);
                ASSERT_EQ(out.Height, source.Height);
                EXPECT_EQ(out.FormatBits, 24);
                for (int y = 0; y < source.Height; ++y)
                    for (int x = 0; x < source.Width; ++x) {
                        const ColourRow& row = ColourTable[y == 0 ? x : source.Width - 1 - x];
                        uint32_t want = ExpectedPlanePixel(plane, colour, row);
                        if (invert)
                            want = RGBTripleToPixel(InvertRGBTriple(PixelToRGBTriple(want)));
                        ASSERT_EQ(out.At(x, y), want)
                            << "plane " << plane << " colour " << colour << " invert " << invert
                            << " at " << x << "," << y;
                    }
            }
}

TEST(ColorLibrary, GetImageSpaceHuePlanesPinned) {
    Picture source;
    source.Resize(3, 1);
    source.At(0, 0) = PackPixel(0, 8, 3);
    source.At(1, 0) = PackPixel(90, 90, 90);
    source.At(2, 0) = PackPixel(255, 0, 0);
    const Picture hsv = GetImageSpace(PlaneHueHSV, true, false, source);
    EXPECT_EQ(hsv.At(0, 0), PackPixel(0, 255, 98));
    // A grey has hue 0: red.
    EXPECT_EQ(hsv.At(1, 0), PackPixel(255, 0, 0));
    const Picture hls = GetImageSpace(PlaneHueHLS, true, false, source);
    EXPECT_EQ(hls.At(2, 0), PackPixel(255, 1, 1));
    const Picture hlsGrey = GetImageSpace(PlaneHueHLS, false, true, source);
    EXPECT_EQ(hlsGrey.At(2, 0), Grey(255 - 85));
}

TEST(ColorLibrary, GetImageSpaceRefusesOtherFormatsThroughTheErrorGuard) {
    RecordingHooks rec;
    Picture source;
    source.Resize(2, 2);
    for (const int bits : {0, 8, 16, 32}) {
        source.FormatBits = bits;
        EXPECT_FALSE(RunGuarded([&] { GetImageSpace(0, true, false, source); })) << bits;
    }
    ASSERT_EQ(rec.ErrorBoxes.size(), 4u);
    EXPECT_EQ(rec.ErrorBoxes[0], "GetImageSpace:  Bitmap must be 24-bit color.");
}

TEST(ColorLibrary, GetImageSpaceOfAnEmptyOrUnknownPlane) {
    Picture empty;
    const Picture out = GetImageSpace(4, true, false, empty);
    EXPECT_TRUE(out.Empty());
    Picture source;
    source.Resize(2, 1);
    source.At(0, 0) = PackPixel(1, 2, 3);
    EXPECT_EQ(GetImageSpace(15, true, false, source).At(0, 0), PackPixel(0, 0, 0));
    EXPECT_EQ(GetImageSpace(-1, true, true, source).At(1, 0), PackPixel(255, 255, 255));
}

} // namespace
