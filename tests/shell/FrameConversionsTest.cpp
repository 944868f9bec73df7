// The frame's conversions and the views built on them, pixel by pixel against the layout itself,
// for every width up to two blocks of pixels plus each possible remainder.
#include "shell/vColorScreens.h"
#include "shell/vGlobal.h"
#include "shell/vToolModes.h"
#include "support/RecordingHooks.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int Height = 3;
constexpr uint32_t AllChannels = 0x00FFFFFFu;

// Every channel of every pixel different, with 0 and 255 among them.
Picture Varied(int width) {
    Picture p;
    p.Resize(width, Height);
    uint32_t seed = 7u + static_cast<uint32_t>(width);
    for (uint32_t& px : p.Pixels) {
        seed = seed * 1664525u + 1013904223u;
        // The alpha byte varies too: the buffers drop it and showing makes it 255.
        px = seed;
    }
    p.At(0, 0) = 0x00000000u;
    p.At(width - 1, Height - 1) = 0xFFFFFFFFu;
    return p;
}

// Buffer byte c (0 blue, 1 green, 2 red) of picture pixel (x, y), by the layout's definition.
uint8_t LayoutByte(const uint8_t* buffer, int x, int y, int c) {
    return buffer[3 * x + (Height - 1 - y) * ImageRowStride + c];
}

class FrameConversions : public ::testing::TestWithParam<int> {
  protected:
    void SetUp() override {
        DoneNotificationOption = false;
        FreeImageBuffers();
        DisplayedPicture = Varied(GetParam());
        Original = DisplayedPicture;
        AllocImageBuffers();
        ASSERT_TRUE(ImageBuffersAllocated);
        // Padding that a conversion wrongly writes or reads shows up as these bytes.
        for (uint8_t* buffer : {WorkImageBuffer, UndoImageBuffer})
            for (int y = 0; y < Height; ++y)
                for (int i = 3 * GetParam(); i < ImageRowStride; ++i)
                    buffer[y * ImageRowStride + i] = 0xA5;
    }
    void TearDown() override {
        FreeRotateImages();
        CMYScreenMode = false;
        FreeImageBuffers();
        DisplayedPicture = Picture();
    }
    // The original's pixels with `flip` applied, the channels outside `kept` 0, alpha 255.
    std::vector<uint32_t> Expected(uint32_t kept, uint32_t flip = 0) const {
        std::vector<uint32_t> pixels = Original.Pixels;
        for (uint32_t& px : pixels)
            px = 0xFF000000u | ((px ^ flip) & kept);
        return pixels;
    }
    RecordingHooks Rec;
    Picture Original;
};

TEST_P(FrameConversions, CopyPutsEveryChannelAtItsLayoutPlaceInBothBuffersAndLeavesThePadding) {
    CopyImageForProcessing();
    ASSERT_TRUE(ImageBuffersLocked);
    const int width = GetParam();
    for (const uint8_t* buffer : {UndoImageBuffer, WorkImageBuffer}) {
        for (int y = 0; y < Height; ++y) {
            for (int x = 0; x < width; ++x) {
                const uint32_t p = Original.At(x, y);
                EXPECT_EQ(LayoutByte(buffer, x, y, 0), PixelBlue(p)) << x << "," << y;
                EXPECT_EQ(LayoutByte(buffer, x, y, 1), PixelGreen(p)) << x << "," << y;
                EXPECT_EQ(LayoutByte(buffer, x, y, 2), PixelRed(p)) << x << "," << y;
            }
            for (int i = 3 * width; i < ImageRowStride; ++i)
                EXPECT_EQ(buffer[y * ImageRowStride + i], 0xA5) << "padding " << i;
        }
    }
}

TEST_P(FrameConversions, KeepOneChannelKeepsExactlyThatChannelAndUndoTakesItBack) {
    const struct {
        int Channel;
        uint32_t Mask;
    } cases[] = {{1, 0xFF0000u}, {2, 0xFF00u}, {3, 0xFFu}};
    for (const auto& c : cases) {
        DisplayedPicture = Original;
        KeepOneChannel(c.Channel);
        EXPECT_EQ(DisplayedPicture.Pixels, Expected(c.Mask)) << "channel " << c.Channel;
        UndoImage();
        EXPECT_EQ(DisplayedPicture.Pixels, Expected(AllChannels));
    }
}

TEST_P(FrameConversions, ScreensHoldOneChannelEachPlainOrInverted) {
    for (const bool cmy : {false, true}) {
        CMYScreenMode = cmy;
        DisplayedPicture = Original;
        LoadRotateImages();
        ASSERT_TRUE(RotateImagesReady);
        const uint32_t flip = cmy ? 0x00FFFFFFu : 0;
        const uint32_t masks[3] = {0xFF0000u, 0xFF00u, 0xFFu};
        for (int s = 0; s < 3; ++s)
            EXPECT_EQ(RotateImages[s].Pixels, Expected(masks[s], flip))
                << (cmy ? "CMY" : "BGR") << " screen " << s + 1;
        FreeRotateImages();
    }
}

INSTANTIATE_TEST_SUITE_P(Widths, FrameConversions, ::testing::Range(1, 18));

} // namespace
