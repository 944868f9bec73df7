#include "shell/imaging/vUIEEE754.h"
#include "shell/imaging/vURealColorLibrary.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

using RGB = std::array<float, 3>;

TEST(IEEE754, NaNValueAndIsNaN) {
    EXPECT_EQ(std::bit_cast<uint64_t>(NaNValue), 0x7FFFFFFFFFFFFFFFu);
    EXPECT_TRUE(IsNaN(static_cast<float>(NaNValue)));
    // Exponent and mantissa only: the sign does not matter, infinities are not NaN.
    const std::pair<uint64_t, bool> cases[] = {
        {0x7FF8000000000000, true},  {0xFFF0000000000001, true},  {0x7FF0000000000000, false},
        {0xFFF0000000000000, false}, {0x7FEFFFFFFFFFFFFF, false}, {0x000FFFFFFFFFFFFF, false}};
    for (const auto& [bits, nan] : cases)
        EXPECT_EQ(IsNaN(std::bit_cast<double>(bits)), nan) << bits;
}

TEST(RealColor, RGBToHLSAndRGBToHSVOfTableColours) {
    const float undefined = -1; // stands for the NaN hue of a grey
    // In; hue, lightness, HLS saturation, HSV saturation, value. Maxima shared by two channels:
    // red before green, red before blue, green before blue.
    const std::pair<RGB, std::array<float, 5>> cases[] = {
        {{1, 0, 0}, {0, 0.5f, 1, 1, 1}},
        {{0, 1, 0}, {120, 0.5f, 1, 1, 1}},
        {{0, 0, 1}, {240, 0.5f, 1, 1, 1}},
        {{1, 1, 0}, {60, 0.5f, 1, 1, 1}},
        {{1, 0, 1}, {300, 0.5f, 1, 1, 1}},
        {{0, 1, 1}, {180, 0.5f, 1, 1, 1}},
        {{1, 0.5f, 0.5f}, {0, 0.75f, 1, 0.5f, 1}},
        {{0.5f, 0.25f, 0.25f}, {0, 0.375f, 1.0f / 3.0f, 0.5f, 0.5f}},
        {{0.25f, 0.5f, 0.5f}, {180, 0.375f, 1.0f / 3.0f, 0.5f, 0.5f}},
        {{0, 0, 0}, {undefined, 0, 0, 0, 0}},
        {{1, 1, 1}, {undefined, 1, 0, 0, 1}},
        {{0.5f, 0.5f, 0.5f}, {undefined, 0.5f, 0, 0, 0.5f}},
    };
    const auto hue = [&](float h) { return IsNaN(h) ? undefined : h; };
    for (const auto& [in, out] : cases) {
        float h, l, s, hv, sv, v;
        RGBToHLS(in[0], in[1], in[2], h, l, s);
        RGBToHSV(in[0], in[1], in[2], hv, sv, v);
        EXPECT_EQ((std::array<float, 5>{hue(h), l, s, sv, v}), out)
            << in[0] << " " << in[1] << " " << in[2];
        EXPECT_EQ(hue(hv), out[0]);
    }
}

TEST(RealColor, HLStoRGBAndHSVtoRGBOfTableHues) {
    // Hue, lightness or value, saturation; the colour from HLS and from HSV.
    const std::tuple<float, float, float, RGB> hls[] = {
        {0, 0.5f, 1, {1, 0, 0}},     {120, 0.5f, 1, {0, 1, 0}},
        {240, 0.5f, 1, {0, 0, 1}},   {300, 0.5f, 1, {1, 0, 1}},
        {360, 0.5f, 1, {1, 0, 0}},   {0, 0.75f, 1, {1, 0.5f, 0.5f}},
        {30, 0.5f, 1, {1, 0.5f, 0}}, {0, 0.375f, 1.0f / 3.0f, {0.5f, 0.25f, 0.25f}}};
    const std::tuple<float, float, float, RGB> hsv[] = {
        {30, 1, 1, {1, 0.5f, 0}},  {90, 1, 1, {0.5f, 1, 0}},
        {150, 1, 1, {0, 1, 0.5f}}, {210, 1, 1, {0, 0.5f, 1}},
        {270, 1, 1, {0.5f, 0, 1}}, {330, 1, 1, {1, 0, 0.5f}},
        {360, 1, 1, {1, 0, 0}},    {120, 0.5f, 0.5f, {0.25f, 0.5f, 0.25f}}};
    RGB got;
    for (const auto& [h, l, s, out] : hls) {
        HLStoRGB(h, l, s, got[0], got[1], got[2]);
        EXPECT_EQ(got, out) << "HLS " << h << " " << l << " " << s;
    }
    for (const auto& [h, s, v, out] : hsv) {
        HSVtoRGB(h, s, v, got[0], got[1], got[2]);
        EXPECT_EQ(got, out) << "HSV " << h << " " << s << " " << v;
    }
    // Hues outside the circle give black.
    for (const float hue : {-30.0f, 361.0f, 1e30f, std::numeric_limits<float>::quiet_NaN()}) {
        got = {-1, -1, -1};
        HSVtoRGB(hue, 1, 1, got[0], got[1], got[2]);
        EXPECT_EQ(got, (RGB{0, 0, 0})) << hue;
    }
}

TEST(RealColor, GreyWithUndefinedHueComesBackAndGreyWithAHueIsRefused) {
    float h, l, s, v, r = -1, g = -1, b = -1;
    RGBToHLS(0.25f, 0.25f, 0.25f, h, l, s);
    HLStoRGB(h, l, s, r, g, b);
    EXPECT_EQ((RGB{r, g, b}), (RGB{0.25f, 0.25f, 0.25f}));
    RGBToHSV(0.75f, 0.75f, 0.75f, h, s, v);
    HSVtoRGB(h, s, v, r, g, b);
    EXPECT_EQ((RGB{r, g, b}), (RGB{0.75f, 0.75f, 0.75f}));

    r = g = b = -1;
    try {
        HLStoRGB(0, 0.5f, 0, r, g, b);
        ADD_FAILURE() << "no error";
    } catch (const EColorError& e) {
        EXPECT_STREQ(e.what(), "HLStoRGB:  S = 0 and H has a value");
    }
    try {
        HSVtoRGB(360, 0, 0.5f, r, g, b);
        ADD_FAILURE() << "no error";
    } catch (const ERunError& e) {
        EXPECT_STREQ(e.what(), "HSVtoRGB:  S = 0 and H has a value");
    }
    EXPECT_EQ((RGB{r, g, b}), (RGB{-1, -1, -1}));
}

// Single precision does not give every component back to the last bit; what the callers rely on
// is that 255 times it, rounded, is the byte that went in.
int ToByte(float x) {
    return static_cast<int>(std::nearbyint(255.0 * x));
}

TEST(RealColor, RoundTripsReturnEveryColourOfASixteenStepCube) {
    int checked = 0;
    for (int r = 0; r < 256; r += 17)
        for (int g = 0; g < 256; g += 17)
            for (int b = 0; b < 256; b += 17) {
                const float R = r / 255.0f, G = g / 255.0f, B = b / 255.0f;
                float h, l, s, v, r2, g2, b2;
                RGBToHLS(R, G, B, h, l, s);
                HLStoRGB(h, l, s, r2, g2, b2);
                ASSERT_EQ(std::tuple(ToByte(r2), ToByte(g2), ToByte(b2)), std::tuple(r, g, b))
                    << "HLS";
                RGBToHSV(R, G, B, h, s, v);
                HSVtoRGB(h, s, v, r2, g2, b2);
                ASSERT_EQ(std::tuple(ToByte(r2), ToByte(g2), ToByte(b2)), std::tuple(r, g, b))
                    << "HSV";
                ++checked;
            }
    EXPECT_EQ(checked, 4096);
}

} // namespace
