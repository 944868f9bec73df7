// The false-colour Olinda picture (red = band 4, green = band 3, blue = band 2) against counts made
// here from its PNG and against the raw bands it was made from.
#include "histogram/HistogramFixture.h"

#include "runtime/RtFiles.h"
#include "support/PngTestReader.h"

#include <cmath>

namespace {

class OlindaHistogram : public HistogramFixture {};

constexpr int Width = 349, Height = 352;

} // namespace

TEST_F(OlindaHistogram, CountsAndMeansMatchThePictureAndItsBands) {
    Picture picture;
    ASSERT_TRUE(ReadPngForTest(TestData("landsat7-olinda/olinda_rgb432.png"), picture));
    ASSERT_EQ(picture.Width, Width);
    ASSERT_EQ(picture.Height, Height);
    std::array<BandHistogram, 3> expected{};
    for (uint32_t p : picture.Pixels) {
        ++expected[BandRed][PixelRed(p)];
        ++expected[BandGreen][PixelGreen(p)];
        ++expected[BandBlue][PixelBlue(p)];
    }
    SetImageName(CurrentImageFolder, "olinda_rgb432.png");
    Show(std::move(picture));
    LoadOrMakeHistogramFiles();
    EXPECT_TRUE(Rec.Messages.empty()) << Rec.Summary();
    for (int band = 0; band < 3; ++band)
        EXPECT_EQ(HistogramOf(band), expected[band]) << band;

    std::string text = FileText(Dir.File("olinda_rgb432.adt"));
    const std::vector<std::string> lines = SplitLines(text);
    ASSERT_EQ(lines.size(), 36u);
    const char* const rawBands[3] = {"olinda_b4.raw", "olinda_b3.raw", "olinda_b2.raw"};
    for (int band = 0; band < 3; ++band) {
        std::vector<uint8_t> raw =
            FileBytes(TestData(std::string("landsat7-olinda/") + rawBands[band]));
        ASSERT_EQ(raw.size(), size_t{Width} * Height);
        int64_t sum = 0;
        for (uint8_t v : raw)
            sum += v;
        const double mean = static_cast<double>(sum) / raw.size();
        EXPECT_EQ(lines[3 * band], std::to_string(std::lrint(mean))) << rawBands[band];
        EXPECT_EQ(lines[9 + 7 * band + 4], std::to_string(sum)) << rawBands[band];
    }
    // The three files whole, as first written for this scene: a change of any layout, figure or
    // number format shows here.
    for (const char* name : {"olinda_rgb432.adc", "olinda_rgb432.ads", "olinda_rgb432.adt"}) {
        std::vector<uint8_t> written, pinned;
        ASSERT_TRUE(ReadWholeFile(Dir.File(name), written)) << name;
        ASSERT_TRUE(ReadWholeFile(TestData(std::string("companions/") + name), pinned)) << name;
        EXPECT_TRUE(written == pinned) << name;
    }
}
