// The "DIS->DIP" page without its window: the checks in their order, the DIS's list of pictures
// and the picture's log.
#include "bandproc/vBandPicture.h"
#include "import/HeaderFixture.h"
#include "import/vBandImport.h"
#include "import/vDisPicture.h"

namespace {

class DisPictureTest : public HeaderTest {
  protected:
    void SetUp() override {
        HeaderTest::SetUp();
        // Three bands of 3 x 2 split from one file: scene.dih, scene.dis, scene.B1 .. B3.
        std::vector<uint8_t> raw(18);
        for (size_t i = 0; i < raw.size(); ++i)
            raw[i] = static_cast<uint8_t>(10 * i);
        ASSERT_TRUE(WriteFileAtomic(Dir.File("scene.raw"), raw));
        ASSERT_EQ(RawSplitScene(Dir.File("scene.raw"), {3, 2, 3, 0}), 0);
        HeaderPages = THeaderPages();
        SelectedBandFiles.fill("");
    }
    void TearDown() override {
        if (ImageBuffersAllocated) FreeImageBuffers();
        DisplayedPicture = Picture();
        SelectedBandFiles.fill("");
        HeaderTest::TearDown();
    }
    TDisPicturePage Chosen(int bands) {
        TDisPicturePage page;
        ChooseDISForPicture(Dir.File("scene.dis"), page);
        for (int b = 0; b < bands; ++b)
            ChooseBandForPicture(b, Dir.File("scene.B" + std::to_string(b + 1)), page);
        return page;
    }
};

TEST_F(DisPictureTest, ChoosingTheDISFillsThePageAndNamesThePicture) {
    const TDisPicturePage page = Chosen(0);
    EXPECT_EQ(page.BandFileSaveAs, "scene.png");
    EXPECT_EQ(CurrentImageName, "scene.png");
    EXPECT_EQ((std::vector<std::string>{page.NBEdit4, page.DISLEdit, page.DISREdit, page.DISTEdit,
                                        page.DISBEdit, page.IMWEdit, page.IMHEdit}),
              (std::vector<std::string>{"3", "1", "3", "1", "2", "3", "2"}));
    EXPECT_EQ(SubsetBounds.Width(), 3);
    EXPECT_TRUE(Rec.Messages.empty()) << Rec.Summary();
    // A stored width that disagrees with the bounds is reported and the page goes on.
    P[DISField::DISSubsetWidth] = "4";
    P.DISSaveIt();
    EXPECT_EQ(Chosen(0).IMWEdit, "3");
    EXPECT_TRUE(Rec.Shown(39967));
}

struct Refusal {
    const char* Name;
    int Message;
    std::function<void(TDisPicturePage&)> Change;
};

TEST_F(DisPictureTest, RefusalsInTheirOrderWriteNothing) {
    const Refusal refusals[] = {
        {"page turned", 39993, [](TDisPicturePage&) { DISLoaded = false; }},
        {"colour without header", 30,
         [](TDisPicturePage& p) {
             p.BandHdrEdit.clear();
             p.BandFileSaveAs = PicturePlaceholderName;
         }},
        {"placeholder name, colour", 28,
         [](TDisPicturePage& p) { p.BandFileSaveAs = PicturePlaceholderName; }},
        {"placeholder name, grey", 28,
         [](TDisPicturePage& p) {
             p.BandFileEdit2 = p.BandFileEdit3 = "";
             p.BandFileSaveAs = PicturePlaceholderName;
         }},
        {"empty name", 28, [](TDisPicturePage& p) { p.BandFileSaveAs.clear(); }},
        {"no red name", 31, [](TDisPicturePage& p) { p.BandFileEdit1.clear(); }},
        {"no green name", 32, [](TDisPicturePage& p) { p.BandFileEdit2.clear(); }},
        {"no blue name", 33, [](TDisPicturePage& p) { p.BandFileEdit3.clear(); }},
        {"red missing before names checked", 29,
         [](TDisPicturePage&) { SelectedBandFiles[0] += "x"; }},
        {"green missing", 34, [](TDisPicturePage&) { SelectedBandFiles[1] += "x"; }},
        {"blue missing", 35, [](TDisPicturePage&) { SelectedBandFiles[2] += "x"; }},
    };
    const std::string dis = FileText(Dir.File("scene.dis"));
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.Name);
        TDisPicturePage page = Chosen(3);
        page.BandFileSaveAs = "made";
        r.Change(page);
        Rec.Clear();
        EXPECT_FALSE(MakeDISPicture(page));
        ASSERT_EQ(Rec.Messages.size(), 1u) << Rec.Summary();
        EXPECT_TRUE(Rec.Shown(r.Message)) << Rec.Summary();
        EXPECT_EQ(CurrentImageName, "scene.png");
        EXPECT_FALSE(FileExists(Dir.File("made.png")) || FileExists(Dir.File("made.dip")));
        EXPECT_EQ(FileText(Dir.File("scene.dis")), dis);
    }
}

TEST_F(DisPictureTest, RedBandAloneMakesAGreyPictureWithItsLog) {
    TDisPicturePage page = Chosen(1);
    page.BandFileSaveAs = "grey.bmp";
    ASSERT_TRUE(MakeDISPicture(page)) << Rec.Summary();
    EXPECT_EQ(CurrentImageName, "grey.png");
    const std::vector<std::string> dip = FileLines(Dir.File("grey.dip"));
    ASSERT_EQ(dip.size(), 9u);
    EXPECT_EQ(
        std::vector<std::string>(dip.begin(), dip.begin() + 8),
        (std::vector<std::string>{"DIP 1.1", "scene.dih", "scene.dis", "grey.dip",
                                  Dir.File("grey.png"), "Red:scene.B1", "Green: ", "Blue: "}));
    EXPECT_EQ(dip, P.DIPMemo);
    EXPECT_EQ(P.DISDIPMemo.back(), "grey.dip");
    EXPECT_EQ(FileLines(Dir.File("scene.dis")).back(), "grey.dip");
    ASSERT_EQ(DisplayedPicture.Width, 3);
    EXPECT_EQ(DisplayedPicture.At(2, 1), PackPixel(50, 50, 50));
    EXPECT_TRUE(FileExists(Dir.File("grey.png")));
}

} // namespace
