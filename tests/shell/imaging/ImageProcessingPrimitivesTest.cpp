#include "shell/imaging/vUImageProcessingPrimitives.h"
#include "support/PngTestReader.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <unordered_set>

namespace {

TEST(ImagePrimitives, GreyMeasures) {
    // Red, green, blue; intensity, lightness, luminance.
    const std::array<int, 6> cases[] = {
        {255, 0, 0, 85, 127, 76},       {0, 255, 0, 85, 127, 149},  {0, 0, 255, 85, 127, 28},
        {255, 255, 255, 255, 255, 255}, {0, 0, 0, 0, 0, 0},         {255, 255, 254, 254, 254, 254},
        {128, 128, 128, 128, 128, 128}, {10, 200, 31, 80, 105, 123}};
    for (const auto& [r, g, b, intensity, lightness, luminance] : cases) {
        const RGBTriple t = MakeRGBTriple(r, g, b);
        EXPECT_EQ(ColorIntensity(t), intensity) << r << " " << g << " " << b;
        EXPECT_EQ(ColorLightness(t), lightness) << r << " " << g << " " << b;
        EXPECT_EQ(ColorLuminance(t), luminance) << r << " " << g << " " << b;
    }
}

TEST(ImagePrimitives, CountUniqueColorsOfTheAerialPhotographMatchesAnIndependentCount) {
    Picture photo;
    ASSERT_TRUE(ReadPngForTest(TestData("aerial/aero1.png"), photo));
    ASSERT_EQ(photo.Width, 640);
    ASSERT_EQ(photo.Height, 480);
    std::unordered_set<uint32_t> colours;
    for (const uint32_t px : photo.Pixels)
        colours.insert(px & 0x00FFFFFFu);
    EXPECT_GT(colours.size(), 1000u);
    EXPECT_EQ(CountUniqueColors(photo), static_cast<int64_t>(colours.size()));
    EXPECT_EQ(CountUniqueColors(Picture()), 0);
}

} // namespace
