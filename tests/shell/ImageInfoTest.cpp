#include "runtime/RtErrors.h"
#include "runtime/RtFiles.h"
#include "shell/vImageInfo.h"
#include "support/EngineTestImage.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

class ImageInfo : public EngineTestImage {
  protected:
    void TearDown() override {
        ImageDirectory.clear();
        SetImageName("", "");
        EngineTestImage::TearDown();
    }
    TempDir Dir;
    // The working folder another window moved on to, holding a picture of the same name.
    TempDir Other;
};

} // namespace

TEST_F(ImageInfo, FieldsOfA24BitPictureWithoutTouchingTheUndoCopy) {
    LoadUniform(7, 5, {1, 2, 3});
    ImageDirectory = Other.Path();
    SetImageName(Dir.Path(), "field.png");
    const std::vector<uint8_t> undoBefore(UndoImageBuffer, UndoImageBuffer + ImageBitsSize);
    const std::vector<ImageInfoField> fields = ReadImageInfo();
    std::string shown;
    for (const ImageInfoField& f : fields)
        shown += std::string(f.Label) + "=" + f.Value + "|";
    EXPECT_EQ(shown, "Image Name=field.png|Image Path=" + Dir.Path() +
                         "|Width=7|Height=5|Bits per pixel=24|Planes=1|Colors Used=0|Important=0|"
                         "Compression=0|Image Size=120|Info Size=44|=40|");
    // Looking at a picture is no operation: Undo keeps what it had.
    EXPECT_EQ(std::vector<uint8_t>(UndoImageBuffer, UndoImageBuffer + ImageBitsSize), undoBefore);
    EXPECT_FALSE(Rec.UndoEnabled);
}

TEST_F(ImageInfo, FileSizeOfTheSavedPictureAndTheFileErrorWithoutOne) {
    ImageDirectory = Other.Path();
    ASSERT_TRUE(WriteFileAtomic(Other.File("field.png"), std::string(16725, 'o'),
                                TReplaceLeave::Chosen(Other.File("field.png"))));
    SetImageName(Dir.Path(), "field.png");
    EXPECT_FALSE(RunGuarded([] { ImageFileSizeText(); }));
    EXPECT_EQ(Rec.ErrorBoxes, std::vector<std::string>{"File not found"});
    ASSERT_TRUE(WriteFileAtomic(Dir.File("field.png"), std::string(1234, 'x'),
                                TReplaceLeave::Chosen(Dir.File("field.png"))));
    EXPECT_EQ(ImageFileSizeText(), "1234");
}

TEST(GammaStrip, MulDivRoundsHalvesAwayFromZero) {
    const struct {
        int A, B, C, Result;
    } cases[] = {{255, 99, 100, 252}, {1, 1, 2, 1},    {-1, 1, 2, -1}, {3, 1, 2, 2},
                 {255, 0, 100, 0},    {255, 1, 0, -1}, {7, 3, -2, -11}};
    for (const auto& c : cases)
        EXPECT_EQ(MulDiv(c.A, c.B, c.C), c.Result) << c.A << "*" << c.B << "/" << c.C;
}

TEST(GammaStrip, RampSpansTheStripWhateverItsWidth) {
    const std::array<uint8_t, 256> table = GammaTable(1.0);
    const struct {
        int Width;
        uint8_t Last;
    } cases[] = {
        // The right edge is the table at MulDiv(255, 99, 100) = 252, which gamma 1.0 lifts to
        // 254: the strip shows the corrected grey, not the plain index.
        {100, 254},
        {200, table[254]},
        {1, 0},
    };
    for (const auto& c : cases) {
        const std::vector<uint8_t> ramp = GammaRamp(table, c.Width);
        ASSERT_EQ(ramp.size(), static_cast<size_t>(c.Width));
        EXPECT_EQ(ramp.front(), 0);
        EXPECT_EQ(ramp.back(), c.Last) << c.Width;
    }
    EXPECT_TRUE(GammaRamp(table, 0).empty());
}
