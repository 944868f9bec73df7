#include "shell/imaging/vUIEEE754.h"
#include "shell/imaging/vURealColorLibrary.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

struct RGB {
    float R, G, B;
};

TEST(IEEE754, NaNValueHasAllExponentAndMantissaBitsSet) {
    EXPECT_EQ(std::bit_cast<uint64_t>(NaNValue), 0x7FFFFFFFFFFFFFFFu);
    const float narrowed = static_cast<float>(NaNValue);
    EXPECT_TRUE(IsNaN(narrowed));
}

TEST(IEEE754, IsNaNLooksAtExponentAndMantissaOnly) {
    const struct {
        uint64_t Bits;
        bool NaN;
    } cases[] = {
        {0x7FF8000000000000, true},  {0x7FFFFFFFFFFFFFFF, true},  {0xFFF0000000000001, true},
        {0x7FF0000000000000, false}, {0xFFF0000000000000, false}, {0x0000000000000000, false},
        {0x7FEFFFFFFFFFFFFF, false}, {0x000FFFFFFFFFFFFF, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsNaN(std::bit_cast<double>(c.Bits)), c.NaN) << c.Bits;
}

TEST(RealColor, RGBToHLSAndRGBToHSVOfTableColours) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        RGB In;
        float H, L, SL, SV, V;
    } cases[] = {
        {{1, 0, 0}, 0, 0.5f, 1, 1, 1},
        {{0, 1, 0}, 120, 0.5f, 1, 1, 1},
        {{0, 0, 1}, 240, 0.5f, 1, 1, 1},
        // Maxima shared by two channels: red before green, red before blue, green before blue.
        {{1, 1, 0}, 60, 0.5f, 1, 1, 1},
        {{1, 0, 1}, 300, 0.5f, 1, 1, 1},
        {{0, 1, 1}, 180, 0.5f, 1, 1, 1},
        {{1, 0.5f, 0.5f}, 0, 0.75f, 1, 0.5f, 1},
        {{0.5f, 0.25f, 0.25f}, 0, 0.375f, 1.0f / 3.0f, 0.5f, 0.5f},
        {{0.25f, 0.5f, 0.5f}, 180, 0.375f, 1.0f / 3.0f, 0.5f, 0.5f},
        {{0, 0, 0}, nan, 0, 0, 0, 0},
        {{1, 1, 1}, nan, 1, 0, 0, 1},
        {{0.5f, 0.5f, 0.5f}, nan, 0.5f, 0, 0, 0.5f},
    };
    for (const auto& c : cases) {
        float h, l, s, v;
        RGBToHLS(c.In.R, c.In.G, c.In.B, h, l, s);
        if (std::isnan(c.H))
            EXPECT_TRUE(IsNaN(h)) << c.In.R << " " << c.In.G << " " << c.In.B;
        else
            EXPECT_EQ(h, c.H) << c.In.R << " " << c.In.G << " " << c.In.B;
        EXPECT_EQ(l, c.L);
        EXPECT_EQ(s, c.SL);
        RGBToHSV(c.In.R, c.In.G, c.In.B, h, s, v);
        if (std::isnan(c.H))
            EXPECT_TRUE(IsNaN(h));
        else
            EXPECT_EQ(h, c.H);
        EXPECT_EQ(s, c.SV);
        EXPECT_EQ(v, c.V);
    }
}

TEST(RealColor, HLStoRGBOfTableHues) {
    const struct {
        float H, L, S;
        RGB Out;
    } cases[] = {
        {0, 0.5f, 1, {1, 0, 0}},     {120, 0.5f, 1, {0, 1, 0}},
        {240, 0.5f, 1, {0, 0, 1}},   {60, 0.5f, 1, {1, 1, 0}},
        {180, 0.5f, 1, {0, 1, 1}},   {300, 0.5f, 1, {1, 0, 1}},
        {360, 0.5f, 1, {1, 0, 0}},   {0, 0.75f, 1, {1, 0.5f, 0.5f}},
        {30, 0.5f, 1, {1, 0.5f, 0}}, {0, 0.375f, 1.0f / 3.0f, {0.5f, 0.25f, 0.25f}},
    };
    for (const auto& c : cases) {
        float r, g, b;
        HLStoRGB(c.H, c.L, c.S, r, g, b);
        EXPECT_EQ(r, c.Out.R) << c.H << " " << c.L << " " << c.S;
        EXPECT_EQ(g, c.Out.G) << c.H << " " << c.L << " " << c.S;
        EXPECT_EQ(b, c.Out.B) << c.H << " " << c.L << " " << c.S;
    }
}

TEST(RealColor, HSVtoRGBOfEverySectorAndOfHue360) {
    const struct {
        float H, S, V;
        RGB Out;
    } cases[] = {
        {30, 1, 1, {1, 0.5f, 0}},
        {90, 1, 1, {0.5f, 1, 0}},
        {150, 1, 1, {0, 1, 0.5f}},
        {210, 1, 1, {0, 0.5f, 1}},
        {270, 1, 1, {0.5f, 0, 1}},
        {330, 1, 1, {1, 0, 0.5f}},
        {0, 1, 1, {1, 0, 0}},
        {360, 1, 1, {1, 0, 0}},
        {120, 0.5f, 0.5f, {0.25f, 0.5f, 0.25f}},
    };
    for (const auto& c : cases) {
        float r, g, b;
        HSVtoRGB(c.H, c.S, c.V, r, g, b);
        EXPECT_EQ(r, c.Out.R) << c.H;
        EXPECT_EQ(g, c.Out.G) << c.H;
        EXPECT_EQ(b, c.Out.B) << c.H;
    }
}

TEST(RealColor, GreyWithUndefinedHueComesBackAndGreyWithAHueIsRefused) {
    float h, l, s, v, r = -1, g = -1, b = -1;
    RGBToHLS(0.25f, 0.25f, 0.25f, h, l, s);
    HLStoRGB(h, l, s, r, g, b);
    EXPECT_EQ(r, 0.25f);
    EXPECT_EQ(g, 0.25f);
    EXPECT_EQ(b, 0.25f);
    RGBToHSV(0.75f, 0.75f, 0.75f, h, s, v);
    HSVtoRGB(h, s, v, r, g, b);
    EXPECT_EQ(r, 0.75f);
    EXPECT_EQ(b, 0.75f);

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
    EXPECT_EQ(r, -1);
    EXPECT_EQ(g, -1);
    EXPECT_EQ(b, -1);
}

TEST(RealColor, HSVtoRGBGivesBlackForHuesOutsideTheCircle) {
    for (const float hue : {-30.0f, 361.0f, 1e30f, std::numeric_limits<float>::quiet_NaN()}) {
        float r = -1, g = -1, b = -1;
        HSVtoRGB(hue, 1, 1, r, g, b);
        EXPECT_EQ(r, 0) << hue;
        EXPECT_EQ(g, 0) << hue;
        EXPECT_EQ(b, 0) << hue;
    }
}

// Single precision does not give every component back to the last bit; what the callers rely on
// is that 255 times it, rounded, is the byte that went in.
uint8_t ToByte(float x) {
    return static_cast<uint8_t>(std::nearbyint(255.0 * x));
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
                ASSERT_EQ(ToByte(r2), r) << "HLS " << r << " " << g << " " << b;
                ASSERT_EQ(ToByte(g2), g) << "HLS " << r << " " << g << " " << b;
                ASSERT_EQ(ToByte(b2), b) << "HLS " << r << " " << g << " " << b;
                RGBToHSV(R, G, B, h, s, v);
                HSVtoRGB(h, s, v, r2, g2, b2);
                ASSERT_EQ(ToByte(r2), r) << "HSV " << r << " " << g << " " << b;
                ASSERT_EQ(ToByte(g2), g) << "HSV " << r << " " << g << " " << b;
                ASSERT_EQ(ToByte(b2), b) << "HSV " << r << " " << g << " " << b;
                ++checked;
            }
    EXPECT_EQ(checked, 4096);
}

} // namespace
