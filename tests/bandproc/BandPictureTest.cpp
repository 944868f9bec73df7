// Pictures made from band files: the working buffers they get (rows bottom-up, padded to four
// bytes), the colour order, short bands, and where the picture is saved under which name.
#include "bandproc/vBandPicture.h"
#include "runtime/RtErrors.h"
#include "support/PngTestReader.h"

#include "BandFixture.h"

#include <filesystem>

namespace {

class BandPictureTest : public BandTest {
  protected:
    void SetUp() override {
        BandTest::SetUp();
        // The folder the DIS->picture page gives the picture it makes.
        SetImageName(Dir.Path(), CurrentImageName);
        // A picture of another size is loaded and has been worked on: its buffers and its undo
        // copy must not outlive it.
        DisplayedPicture.Resize(5, 4);
        AllocImageBuffers();
        CopyImageForProcessing();
        ASSERT_EQ(ImageRowStride, 16);
    }
    void TearDown() override {
        if (ImageBuffersAllocated) FreeImageBuffers();
        DisplayedPicture = Picture();
        SetImageName("", CurrentImageName);
        BandTest::TearDown();
    }
    Bytes WorkingCopy() {
        CopyImageForProcessing();
        return Bytes(WorkImageBuffer, WorkImageBuffer + ImageBitsSize);
    }
};

struct PictureCase {
    const char* Name;
    std::vector<Bytes> Bands; // one band: grey
    Bytes Buffer;             // the working buffer of the 3 x 2 picture, bottom row first
};

TEST_F(BandPictureTest, ThreeByTwoSubsetsFillPaddedBottomUpBuffers) {
    const PictureCase cases[] = {
        {"grey", {{1, 2, 3, 4, 5, 6}}, {4, 4, 4, 5, 5, 5, 6, 6, 6, 0, 0, 0,
                                        1, 1, 1, 2, 2, 2, 3, 3, 3, 0, 0, 0}},
        {"pure red",
         {Bytes(6, 255), Bytes(6, 0), Bytes(6, 0)},
         {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0}},
        {"band 3 blue, band 2 green, band 1 red",
         {{10, 11, 12, 13, 14, 15}, {20, 21, 22, 23, 24, 25}, {30, 31, 32, 33, 34, 35}},
         {33, 23, 13, 34, 24, 14, 35, 25, 15, 0, 0, 0,
          30, 20, 10, 31, 21, 11, 32, 22, 12, 0, 0, 0}},
        {"short band repeats its last row", {{7, 8, 9, 1}}, {7, 7, 7, 8, 8, 8, 9, 9, 9, 0, 0, 0,
                                                             7, 7, 7, 8, 8, 8, 9, 9, 9, 0, 0, 0}},
    };
    for (const PictureCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Subset(4, 7, 3, 2);
        for (size_t b = 0; b < c.Bands.size(); ++b)
            Band("band" + std::to_string(b), c.Bands[b], static_cast<int>(b));
        // Each case makes the picture anew: the last one's is not this build's to replace.
        std::filesystem::remove(Dir.File("made.png"));
        SetImageName(CurrentImageFolder, "made.png");
        ASSERT_TRUE(c.Bands.size() == 1 ? SaveGreyBandImage() : SaveRGBBandsImage())
            << Rec.Summary();
        EXPECT_EQ(ImageRowStride, 12);
        EXPECT_EQ(ImageMaxX, 2);
        EXPECT_FALSE(Rec.UndoEnabled);
        EXPECT_EQ(WorkingCopy(), c.Buffer);
        Picture saved;
        ASSERT_TRUE(ReadPngForTest(Dir.File("made.png"), saved));
        EXPECT_EQ(saved.Pixels, DisplayedPicture.Pixels);
        UndoImage();
        EXPECT_EQ(WorkingCopy(), c.Buffer);
        SelectedBandFiles.fill("");
    }
}

struct NameCase {
    const char* Name;
    bool Grey;
    std::string CurrentName; // "@" stands for the other folder
    std::string SavedAs;     // "" nothing saved
    std::string FolderAfter;
};

TEST_F(BandPictureTest, NamesDecideWhereThePictureIsSaved) {
    TempDir other;
    const NameCase cases[] = {
        {"colour .bmp shows without saving", false, "view.bmp", "", "."},
        {"colour .PNG saves", false, "view.PNG", "view.PNG", "."},
        {"grey moves to the name's folder", true, "@grey.bmp", "grey.png", "@"},
    };
    Subset(0, 0, 3, 2);
    for (int b = 0; b < 3; ++b)
        Band("band" + std::to_string(b), Bytes(6, static_cast<uint8_t>(40 * b)), b);
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.Name);
        ImageDirectory = Dir.Path();
        auto place = [&](const std::string& s) {
            if (s.empty() || s[0] != '@') return s;
            return other.Path() + s.substr(1);
        };
        const std::string folder = c.FolderAfter == "." ? Dir.Path() : other.Path();
        SetImageName(Dir.Path(), place(c.CurrentName));
        DisplayedPicture.Resize(5, 4);
        ASSERT_TRUE(c.Grey ? SaveGreyBandImage() : SaveRGBBandsImage());
        EXPECT_EQ(DisplayedPicture.Width, 3);
        EXPECT_EQ(ImageDirectory, folder);
        EXPECT_EQ(CurrentImageFolder, folder);
        const std::string shown = c.SavedAs.empty() ? ExtractFileName(CurrentImageName) : c.SavedAs;
        EXPECT_EQ(CurrentImageName, shown);
        EXPECT_EQ(FileExists(folder + shown), !c.SavedAs.empty());
    }
}

TEST_F(BandPictureTest, RefusedPicturesLeaveTheDisplayedOne) {
    const Picture before = DisplayedPicture;
    Subset(0, 0, 3, 2);
    Band("red", Bytes(6, 1), 0);
    Band("green", Bytes(6, 2), 1);
    SelectedBandFiles[2] = Dir.File("missing");
    SetImageName(CurrentImageFolder, "made.png");
    EXPECT_THROW(SaveRGBBandsImage(), EInOutError);
    // Too large for the working image's 32-bit buffers.
    Subset(0, 0, 1 << 20, 1 << 12);
    EXPECT_FALSE(SaveGreyBandImage());
    EXPECT_TRUE(Rec.Shown(39977));
    // A band that cannot hold one row or as many rows as the subset's: the size is a damaged
    // header's, and the picture no band fills is never made. An empty band used to give a black
    // picture, and 23000 x 23000 over a 20 KB band one of 5 GB.
    const std::pair<TSubsetBounds, size_t> tooLarge[] = {
        {{0, 2, 0, 1}, 0}, {{0, 2, 0, 1}, 2}, {{1, 23000, 1, 23000}, 20000}, {{1, 1, 1, 7}, 6}};
    for (const auto& [bounds, length] : tooLarge) {
        SCOPED_TRACE(length);
        SubsetBounds = bounds;
        Band("red", Bytes(length, 1), 0);
        Rec.Clear();
        EXPECT_FALSE(SaveGreyBandImage());
        EXPECT_TRUE(Rec.Shown(36));
    }
    EXPECT_EQ(DisplayedPicture.Pixels, before.Pixels);
    EXPECT_EQ(DisplayedPicture.Width, 5);
    EXPECT_FALSE(Exists("made.png"));
}

} // namespace
