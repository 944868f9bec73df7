#include "shell/imaging/vUImageProcessingPrimitives.h"
#include "support/TestFiles.h"
#include "support/PngTestReader.h"

#include <gtest/gtest.h>

#include <unordered_set>

namespace {

TEST(ImagePrimitives, DimensionsStringAndFormatNames) {
    Picture p;
    p.Width = 640;
    p.Height = 480;
    EXPECT_EQ(GetBitmapDimensionsString(p), "640 by 480 pixels by 24 bit color");
    p.FormatBits = DeviceFormatBits;
    EXPECT_EQ(GetBitmapDimensionsString(p), "640 by 480 pixels by Device color(DDB)");
    const struct {
        int Bits;
        const char* Name;
    } names[] = {{0, "Device"},  {1, "1 bit"},   {4, "4 bit"},   {8, "8 bit"},   {15, "15 bit"},
                 {16, "16 bit"}, {24, "24 bit"}, {32, "32 bit"}, {2, "Unknown"}, {48, "Unknown"}};
    for (const auto& n : names)
        EXPECT_EQ(GetPixelFormatString(n.Bits), n.Name) << n.Bits;
}

TEST(ImagePrimitives, GreyMeasures) {
    const struct {
        int R, G, B;
        int Intensity, Lightness, Luminance;
    } cases[] = {
        {255, 0, 0, 85, 127, 76},       {0, 255, 0, 85, 127, 149},   {0, 0, 255, 85, 127, 28},
        {255, 255, 255, 255, 255, 255}, {0, 0, 0, 0, 0, 0},          {255, 255, 254, 254, 254, 254},
        {128, 128, 128, 128, 128, 128}, {10, 200, 31, 80, 105, 123},
    };
    for (const auto& c : cases) {
        const RGBTriple t = MakeRGBTriple(c.R, c.G, c.B);
        EXPECT_EQ(ColorIntensity(t), c.Intensity) << c.R << " " << c.G << " " << c.B;
        EXPECT_EQ(ColorLightness(t), c.Lightness) << c.R << " " << c.G << " " << c.B;
        EXPECT_EQ(ColorLuminance(t), c.Luminance) << c.R << " " << c.G << " " << c.B;
    }
}

TEST(ImagePrimitives, TripleAndColourValueLayouts) {
    const RGBTriple t = ColorToRGBTriple(0x00332211);
    EXPECT_EQ(t.Red, 0x11);
    EXPECT_EQ(t.Green, 0x22);
    EXPECT_EQ(t.Blue, 0x33);
    // The triple's memory order is blue, green, red.
    const auto* bytes = reinterpret_cast<const uint8_t*>(&t);
    EXPECT_EQ(bytes[0], 0x33);
    EXPECT_EQ(bytes[2], 0x11);
    EXPECT_EQ(sizeof(RGBTriple), 3u);
    for (const uint32_t c : {0x00000000u, 0x00FFFFFFu, 0x000000FFu, 0x00FF0000u, 0x00123456u})
        EXPECT_EQ(SwapColorRedBlue(ColorToRGBTriple(c)), c);
    EXPECT_EQ(MakeRGBTriple(1, 2, 3), (RGBTriple{3, 2, 1}));
    EXPECT_EQ(InvertRGBTriple(MakeRGBTriple(0, 100, 255)), MakeRGBTriple(255, 155, 0));
}

TEST(ImagePrimitives, CountUniqueColorsOfSmallPictures) {
    Picture p;
    EXPECT_EQ(CountUniqueColors(p), 0);
    p.Resize(3, 2);
    for (uint32_t& px : p.Pixels)
        px = PackPixel(7, 8, 9);
    EXPECT_EQ(CountUniqueColors(p), 1);
    // Same red and green, different blue; and the extremes of the colour cube.
    p.At(0, 0) = PackPixel(7, 8, 10);
    p.At(1, 0) = PackPixel(0, 0, 0);
    p.At(2, 0) = PackPixel(255, 255, 255);
    p.At(0, 1) = PackPixel(255, 255, 255);
    EXPECT_EQ(CountUniqueColors(p), 4);
}

TEST(ImagePrimitives, CountUniqueColorsOfTheAerialPhotographMatchesAnIndependentCount) {
    Picture photo;
    ASSERT_TRUE(ReadPngForTest(SharedData("aerial/aero1.png"), photo));
    ASSERT_EQ(photo.Width, 640);
    ASSERT_EQ(photo.Height, 480);
    std::unordered_set<uint32_t> colours;
    for (const uint32_t px : photo.Pixels)
        colours.insert(px & 0x00FFFFFFu);
    EXPECT_GT(colours.size(), 1000u);
    EXPECT_EQ(CountUniqueColors(photo), static_cast<int64_t>(colours.size()));
}

} // namespace
