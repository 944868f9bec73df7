#include "shell/imaging/vUColorLibrary.h"
#include "support/RecordingHooks.h"

#include <gtest/gtest.h>

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

// What every integer conversion makes of a colour, in this order.
enum { HsvH, HsvS, HsvV, HlsH, HlsL, HlsS, RealHsvH, RealHsvS, C, M, Y, K };

// The last rows sit on rounding halves: the HSV routines round them away from zero, the HLS ones
// to even, and single precision decides which side of the half some of them fall.
const struct ColourRow {
    Colour In;
    std::array<int, 12> Out;
} ColourTable[] = {
    {{0, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 255}},
    {{255, 255, 255}, {0, 0, 255, 0, 255, 0, 0, 0, 0, 0, 0, 0}},
    {{128, 128, 128}, {0, 0, 128, 0, 128, 0, 0, 0, 0, 0, 0, 127}},
    {{255, 0, 0}, {0, 255, 255, 0, 128, 255, 0, 255, 0, 255, 255, 0}},
    {{0, 255, 0}, {120, 255, 255, 120, 128, 255, 120, 255, 255, 0, 255, 0}},
    {{0, 0, 255}, {240, 255, 255, 240, 128, 255, 240, 255, 255, 255, 0, 0}},
    {{255, 255, 0}, {60, 255, 255, 60, 128, 255, 60, 255, 0, 0, 255, 0}},
    {{0, 255, 255}, {180, 255, 255, 180, 128, 255, 180, 255, 255, 0, 0, 0}},
    {{255, 0, 255}, {300, 255, 255, 300, 128, 255, 300, 255, 0, 255, 0, 0}},
    // Hue 60 (-1) / 8 = -7.5: -8 + 240 either way; the real hue 232.5 goes to even 232.
    {{0, 1, 8}, {232, 255, 8, 232, 4, 255, 232, 255, 8, 7, 0, 247}},
    // 22.5 + 120: 143 away from zero; the real 142.5 goes to even 142.
    {{0, 8, 3}, {143, 255, 8, 142, 4, 255, 142, 255, 8, 0, 5, 247}},
    // -22.5 + 360: 337 away from zero (338 when rounded to even or upwards).
    {{10, 2, 5}, {337, 204, 10, 338, 6, 170, 338, 204, 0, 8, 5, 245}},
    // Saturation 255 / 6 = 42.5 gives 43; the real one lands just below the half: 42.
    {{6, 5, 5}, {0, 43, 6, 0, 6, 23, 0, 42, 0, 1, 1, 249}},
    // Lightness 0.5 in exact arithmetic, a little above it in single precision: 1, not 0.
    {{1, 0, 0}, {0, 255, 1, 0, 1, 255, 0, 255, 0, 1, 1, 254}},
    // 255 / 2 = 127.5: 128 both ways; lightness 1.5 gives 2.
    {{2, 1, 1}, {0, 128, 2, 0, 2, 85, 0, 128, 0, 1, 1, 253}},
};

TEST(ColorLibrary, IntegerConversionsOfTheColourTable) {
    for (const ColourRow& row : ColourTable) {
        const RGBTriple t = Triple(row.In);
        const auto [r, g, b] = row.In;
        SCOPED_TRACE(testing::Message() << r << "," << g << "," << b);
        std::array<int, 12> got;
        int realV, c, m, y;
        RGBToHSVInteger(t, got[HsvH], got[HsvS], got[HsvV]);
        ColorToHLS(t, got[HlsH], got[HlsL], got[HlsS]);
        ColorToHSV(SwapColorRedBlue(t), got[RealHsvH], got[RealHsvS], realV);
        RGBToCMYK(t, got[C], got[M], got[Y], got[K]);
        RGBToCMY(t, c, m, y);
        EXPECT_EQ(got, row.Out);
        EXPECT_EQ(realV, row.Out[HsvV]);
        EXPECT_EQ(std::tuple(c, m, y), std::tuple(255 - r, 255 - g, 255 - b));
    }
}

TEST(ColorLibrary, HSVToRGBTripleBySector) {
    const std::tuple<int, int, int, Colour> cases[] = {
        {0, 255, 255, {255, 0, 0}},     {360, 255, 255, {255, 0, 0}},
        {30, 255, 255, {255, 128, 0}},  {59, 255, 255, {255, 251, 0}},
        {60, 255, 255, {255, 255, 0}},  {180, 255, 255, {0, 255, 255}},
        {240, 255, 255, {0, 0, 255}},   {90, 255, 255, {128, 255, 0}},
        {143, 255, 255, {0, 255, 98}},  {200, 100, 200, {122, 174, 200}},
        {300, 255, 128, {128, 0, 128}}, {330, 255, 255, {255, 0, 128}},
        {77, 0, 90, {90, 90, 90}},      {361, 255, 255, {0, 0, 0}},
        {-30, 255, 255, {0, 0, 0}},
    };
    for (const auto& [h, s, v, out] : cases)
        EXPECT_EQ(HSVToRGBTriple(h, s, v), Triple(out)) << h;
}

// A grey (saturation 0) turns grey whatever its hue: an integer hue can never be the undefined one.
TEST(ColorLibrary, HLSToColorRoundsToEvenAndTurnsGreysWithAnyHue) {
    const std::tuple<int, int, int, Colour> cases[] = {
        {0, 128, 255, {255, 1, 1}},       {360, 128, 255, {255, 1, 1}},
        {120, 128, 255, {1, 255, 1}},     {240, 128, 255, {1, 1, 255}},
        {60, 128, 255, {255, 255, 1}},    {30, 128, 255, {255, 128, 1}},
        {240, 64, 255, {0, 0, 128}},      {0, 64, 128, {96, 32, 32}},
        {200, 200, 100, {178, 207, 222}}, {0, 0, 0, {0, 0, 0}},
        {77, 128, 0, {128, 128, 128}},    {300, 255, 0, {255, 255, 255}},
    };
    for (const auto& [h, l, s, out] : cases)
        EXPECT_EQ(HLSToColor(h, l, s), Triple(out)) << h << " " << l << " " << s;
}

TEST(ColorLibrary, PlaneNamesAtTheEdgesOfTheirTable) {
    const std::pair<int, const char*> names[] = {{-1, ""},
                                                 {0, "RGB Composite"},
                                                 {9, "Saturation (HLS)"},
                                                 {10, ""},
                                                 {13, ""},
                                                 {14, "Intensity"},
                                                 {15, ""}};
    for (const auto& [plane, name] : names)
        EXPECT_EQ(GetColorPlaneName(plane), name) << plane;
}

TEST(ColorLibrary, GetImageSpaceOfOtherFormatsEmptyPicturesAndUnknownPlanes) {
    RecordingHooks rec;
    Picture source;
    source.Resize(2, 1);
    for (const int bits : {0, 8, 16, 32}) {
        source.FormatBits = bits;
        EXPECT_FALSE(RunGuarded([&] { GetImageSpace(0, true, false, source); })) << bits;
    }
    ASSERT_EQ(rec.ErrorBoxes.size(), 4u);
    EXPECT_EQ(rec.ErrorBoxes[0], "GetImageSpace:  Bitmap must be 24-bit color.");
    EXPECT_TRUE(GetImageSpace(4, true, false, Picture()).Empty());
    source.FormatBits = 24;
    source.At(0, 0) = PackPixel(1, 2, 3);
    EXPECT_EQ(GetImageSpace(15, true, false, source).At(0, 0), PackPixel(0, 0, 0));
    EXPECT_EQ(GetImageSpace(-1, true, true, source).At(1, 0), PackPixel(255, 255, 255));
}

} // namespace
