#include "shell/vColorScreens.h"
#include "shell/vToolModes.h"
#include "support/EngineTestImage.h"

namespace {

using ColorScreens = EngineTestImage;

// The pixel with only channel `c` (0 red, 1 green, 2 blue) left, taken from 255 when inverted.
Rgb Only(Rgb p, size_t c, bool inverted) {
    Rgb out{0, 0, 0};
    out[c] = inverted ? 255 - p[c] : p[c];
    return out;
}

std::vector<Rgb> PixelsOf(const Picture& p) {
    std::vector<Rgb> out;
    for (uint32_t v : p.Pixels)
        out.push_back({PixelRed(v), PixelGreen(v), PixelBlue(v)});
    return out;
}

TEST_F(ColorScreens, EveryChannelKeptAndEveryScreenMadeWhole) {
    const std::vector<Rgb> picture = {{10, 20, 30}, {200, 100, 50}, {0, 255, 7}, {255, 1, 128}};
    Load(2, picture);
    const auto expected = [&](size_t c, bool inverted) {
        std::vector<Rgb> out;
        for (const Rgb& p : picture)
            out.push_back(Only(p, c, inverted));
        return out;
    };
    // Red, green and blue in turn: the command's channel number, and the screen showing it.
    const struct {
        int32_t Command;
        size_t Screen;
    } channels[] = {{1, 0}, {2, 1}, {3, 2}};
    for (size_t c = 0; c < std::size(channels); ++c) {
        SCOPED_TRACE(c);
        KeepOneChannel(channels[c].Command);
        EXPECT_EQ(Shown(), expected(c, false));
        UndoImage();
        EXPECT_EQ(Shown(), picture);
        for (bool cmy : {false, true}) {
            CMYScreenMode = cmy;
            LoadRotateImages();
            ASSERT_TRUE(RotateImagesReady);
            EXPECT_EQ(PixelsOf(RotateImages[channels[c].Screen]), expected(c, cmy)) << cmy;
            FreeRotateImages();
            EXPECT_EQ(Shown(), picture);
        }
    }
    CMYScreenMode = false;
}

} // namespace
