// Every colour plane of a small picture against values worked out here, one pixel at a time and
// straight from the conversion formulas: the library's planes run vectorised loops and lookup
// tables that a fault could slip through while single colours still convert right. The colour
// of a hue comes from the single-colour routines, which have tests of their own.
#include "shell/imaging/vUColorLibrary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace {

struct Rgb {
    int R, G, B;
};

// a * b / c rounded to the nearest whole number, halves away from zero.
int MulDiv(int a, int b, int c) {
    return static_cast<int>(std::lround(static_cast<double>(a) * b / c));
}

int Nearest(double v) {
    return static_cast<int>(std::nearbyint(v));
}

Rgb Grey(int v) {
    return {v, v, v};
}

int Intensity(Rgb c) {
    return (c.R + c.G + c.B) / 3;
}

struct Hsv {
    int H, S, V;
};

Hsv HsvOf(Rgb c) {
    const int v = std::max({c.R, c.G, c.B});
    const int d = v - std::min({c.R, c.G, c.B});
    const int s = v != 0 ? MulDiv(d, 255, v) : 0;
    int h = 0;
    if (s != 0) {
        if (c.R == v)
            h = MulDiv(c.G - c.B, 60, d);
        else if (c.G == v)
            h = MulDiv(c.B - c.R, 60, d) + 120;
        else
            h = MulDiv(c.R - c.G, 60, d) + 240;
        if (h < 0) h += 360;
    }
    return {h, s, v};
}

struct Hls {
    int H, L, S;
};

// In single precision, as the real conversions work.
Hls HlsOf(Rgb c) {
    const float r = static_cast<float>(c.R) / 255.0f, g = static_cast<float>(c.G) / 255.0f,
                b = static_cast<float>(c.B) / 255.0f;
    const float high = std::max({r, g, b}), low = std::min({r, g, b});
    const float l = (high + low) / 2.0f;
    if (high == low) return {0, Nearest(255.0 * l), 0};
    const float d = high - low;
    const float s = l <= 0.5f ? d / (high + low) : d / (2.0f - high - low);
    float h;
    if (r == high)
        h = 60.0f * (g - b) / d;
    else if (g == high)
        h = 60.0f * (b - r) / d + 120.0f;
    else
        h = 60.0f * (r - g) / d + 240.0f;
    if (h < 0.0f) h += 360.0f;
    return {Nearest(h), Nearest(255.0 * l), Nearest(255.0 * s)};
}

// The colour of a hue, by the single-colour routine the plane is defined with.
Rgb HueColour(RGBTriple triple) {
    return {triple.Red, triple.Green, triple.Blue};
}

std::array<int, 4> Cmyk(Rgb c) {
    const int C = 255 - c.R, M = 255 - c.G, Y = 255 - c.B;
    const int K = std::min({C, M, Y});
    return {C - K, M - K, Y - K, K};
}

Rgb ExpectedPixel(int plane, bool colour, Rgb c) {
    switch (plane) {
    case 0:
        return colour ? c : Grey(Intensity(c));
    case 1:
        return colour ? Rgb{c.R, 0, 0} : Grey(c.R);
    case 2:
        return colour ? Rgb{0, c.G, 0} : Grey(c.G);
    case 3:
        return colour ? Rgb{0, 0, c.B} : Grey(c.B);
    case 4: {
        const Rgb hue = HueColour(HSVToRGBTriple(HsvOf(c).H, 255, 255));
        return colour ? hue : Grey(Intensity(hue));
    }
    case 5:
        return Grey(HsvOf(c).S);
    case 6:
        return Grey(HsvOf(c).V);
    case 7: {
        const Rgb hue = HueColour(HLSToColor(HlsOf(c).H, 128, 255));
        return colour ? hue : Grey(Intensity(hue));
    }
    case 8:
        return Grey(HlsOf(c).L);
    case 9:
        return Grey(HlsOf(c).S);
    case 10:
    case 11:
    case 12:
    case 13:
        return Grey(Cmyk(c)[static_cast<size_t>(plane - 10)]);
    default:
        return Grey(Intensity(c));
    }
}

// Greys, black and white; a maximum shared by red and green; each channel the largest; hues
// that go negative; lightness on both sides of a half; an HLS hue that rounds up to 360; a hue
// of exactly 60 x (G - B) / d = 0.5. The rest of the picture is scattered colours, 37 pixels a
// row so that rows end inside a group of vector lanes.
const Rgb Crafted[] = {
    {0, 0, 0},     {255, 255, 255}, {128, 128, 128}, {255, 0, 0},     {200, 200, 50},
    {255, 0, 1},   {10, 20, 30},    {30, 200, 100},  {200, 100, 150}, {1, 2, 3},
    {254, 253, 1}, {100, 50, 0},    {250, 200, 180}, {0, 128, 255},   {17, 34, 51},
    {60, 60, 61},  {255, 255, 254}, {90, 180, 45},   {3, 1, 2},       {140, 70, 210},
    {120, 1, 0},   {0, 8, 3},       {10, 2, 5},      {6, 5, 5},       {2, 1, 1},
};

Picture CraftedPicture() {
    constexpr int width = 37, height = 3;
    Picture p;
    p.Resize(width, height);
    uint32_t seed = 12345;
    for (int i = 0; i < width * height; ++i) {
        Rgb c;
        if (i < static_cast<int>(std::size(Crafted))) {
            c = Crafted[i];
        } else {
            seed = seed * 1103515245u + 12345u;
            c = {static_cast<int>((seed >> 8) & 255), static_cast<int>((seed >> 16) & 255),
                 static_cast<int>((seed >> 24) & 255)};
        }
        p.Pixels[static_cast<size_t>(i)] = PackPixel(
            static_cast<uint8_t>(c.R), static_cast<uint8_t>(c.G), static_cast<uint8_t>(c.B));
    }
    return p;
}

} // namespace

TEST(ColorPlanes, EveryPlaneOfACraftedPictureFollowsTheFormulas) {
    const Picture source = CraftedPicture();
    for (int plane = 0; plane <= 14; ++plane)
        for (const bool colour : {true, false})
            for (const bool invert : {false, true}) {
                SCOPED_TRACE(testing::Message()
                             << "plane " << plane << " colour " << colour << " invert " << invert);
                const Picture result = GetImageSpace(plane, colour, invert, source);
                ASSERT_EQ(result.Width, source.Width);
                ASSERT_EQ(result.Height, source.Height);
                EXPECT_EQ(result.FormatBits, 24);
                int faults = 0;
                for (int y = 0; y < source.Height; ++y)
                    for (int x = 0; x < source.Width; ++x) {
                        const uint32_t in = source.At(x, y);
                        Rgb e = ExpectedPixel(plane, colour,
                                              {PixelRed(in), PixelGreen(in), PixelBlue(in)});
                        if (invert) e = {255 - e.R, 255 - e.G, 255 - e.B};
                        const uint32_t want =
                            PackPixel(static_cast<uint8_t>(e.R), static_cast<uint8_t>(e.G),
                                      static_cast<uint8_t>(e.B));
                        if (result.At(x, y) != want && ++faults <= 3)
                            ADD_FAILURE()
                                << "at " << x << "," << y << " of " << std::hex << (in & 0xFFFFFF)
                                << ": " << result.At(x, y) << " instead of " << want;
                    }
                EXPECT_EQ(faults, 0);
            }
}
