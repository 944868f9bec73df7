// The "DIS->DIP" page without its window: the checks in their order, the DIS's list of pictures
// and the picture's log.
#include "import/HeaderFixture.h"
#include "import/vBandImport.h"
#include "import/vDisPicture.h"
#include "import/vHeaderVersions.h"
#include "shell/vPictureFiles.h"
#include "support/PngTestReader.h"

#include <filesystem>

namespace {

class DisPictureTest : public HeaderTest {
  protected:
    void SetUp() override {
        HeaderTest::SetUp();
        // The Olinda scene split into olinda.dih, olinda.dis and olinda.B1 .. B6.
        std::filesystem::copy_file(TestData("landsat7-olinda/olinda.bsq"), Dir.File("olinda.bsq"));
        ASSERT_EQ(RawSplitScene(Dir.File("olinda.bsq"), {349, 352, 6, 0}), 0);
        HeaderPages = THeaderPages();
        SelectedBandFiles.fill("");
    }
    void TearDown() override {
        if (ImageBuffersAllocated) FreeImageBuffers();
        DisplayedPicture = Picture();
        SelectedBandFiles.fill("");
        HeaderTest::TearDown();
    }
    TDisPicturePage Chosen(std::vector<int> bands) {
        TDisPicturePage page;
        ChooseDISForPicture(Dir.File("olinda.dis"), page);
        for (size_t b = 0; b < bands.size(); ++b)
            ChooseBandForPicture(static_cast<int>(b),
                                 Dir.File("olinda.B" + std::to_string(bands[b])), page);
        return page;
    }
};

TEST_F(DisPictureTest, ChoosingTheDISFillsThePageAndProposesThePictureName) {
    const TDisPicturePage page = Chosen({});
    EXPECT_EQ(page.BandFileSaveAs, "olinda.png");
    EXPECT_EQ(CurrentImageName, "scene.png");
    EXPECT_EQ((std::vector<std::string>{page.NBEdit4, page.DISLEdit, page.DISREdit, page.DISTEdit,
                                        page.DISBEdit, page.IMWEdit, page.IMHEdit}),
              (std::vector<std::string>{"6", "1", "349", "1", "352", "349", "352"}));
    EXPECT_EQ(SubsetBounds.Width(), 349);
    EXPECT_TRUE(Rec.Messages.empty()) << Rec.Summary();
    // A stored width that disagrees with the bounds is reported and the page goes on.
    P[DISField::DISSubsetWidth] = "4";
    P.DISSaveIt();
    EXPECT_EQ(Chosen({}).IMWEdit, "349");
    EXPECT_TRUE(Rec.Shown(39967));
}

// The page proposes the picture's name itself, so no dialog asked about a file of that name. It
// used to replace an existing picture without a word, write through a link planted under the
// name, and write the picture over a band it was made from. The picture and log the page itself
// made, unchanged since, are its own: made again, nothing is asked (no answer is given).
TEST_F(DisPictureTest, AnExistingFileIsReplacedOnlyWhenTheUserSaysSo) {
    TempDir elsewhere;
    const std::string kept = "kept bytes";
    const struct {
        const char* Name;
        std::function<void()> Plant;
        std::vector<MsgButton> Answers;
        bool Written;
        std::string Refusal; // an error box, or a message number
    } cases[] = {
        {"a picture, kept",
         [&] {
             WriteFileAtomic(Dir.File("olinda.png"), kept,
                             TReplaceLeave::Chosen(Dir.File("olinda.png")));
         },
         {MsgButton::No},
         false,
         ""},
        {"a picture, replaced",
         [&] {
             WriteFileAtomic(Dir.File("olinda.png"), kept,
                             TReplaceLeave::Chosen(Dir.File("olinda.png")));
         },
         {MsgButton::Yes},
         true,
         ""},
        {"a planted link",
         [&] {
             WriteFileAtomic(elsewhere.File("target.png"), kept,
                             TReplaceLeave::Chosen(elsewhere.File("target.png")));
             std::filesystem::create_symlink(elsewhere.File("target.png"), Dir.File("olinda.png"));
         },
         {MsgButton::Yes},
         false,
         "File access denied"},
        {"a band of the picture",
         [&] {
             std::filesystem::copy_file(Dir.File("olinda.B1"), Dir.File("olinda.png"));
             SelectedBandFiles[0] = Dir.File("olinda.png");
         },
         {MsgButton::Yes},
         false,
         "27"},
        {"the page's own picture and log, made again from other bands",
         [&] {
             Rec.MessageAnswers = {MsgButton::Yes};
             ASSERT_TRUE(MakeDISPicture(Chosen({3, 2, 1}))) << Rec.Summary();
             Chosen({1, 2, 3});
         },
         {},
         true,
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        std::filesystem::remove(Dir.File("olinda.png"));
        const TDisPicturePage page = Chosen({1, 2, 3});
        c.Plant();
        const std::vector<uint8_t> before = FileBytes(Dir.File("olinda.png"));
        Rec.Clear();
        Rec.MessageAnswers.assign(c.Answers.begin(), c.Answers.end());
        bool made = false;
        RunGuarded([&] { made = MakeDISPicture(page); });
        EXPECT_EQ(made, c.Written) << Rec.Summary();
        EXPECT_EQ(FileBytes(Dir.File("olinda.png")) != before, c.Written);
        if (FileExists(elsewhere.File("target.png")))
            EXPECT_EQ(FileText(elsewhere.File("target.png")), kept);
        if (c.Refusal == "27") {
            EXPECT_TRUE(Rec.Shown(27)) << Rec.Summary();
        } else if (!c.Refusal.empty()) {
            EXPECT_EQ(Rec.ErrorBoxes, std::vector<std::string>{c.Refusal});
        } else if (c.Answers.empty()) {
            EXPECT_TRUE(Rec.Messages.empty()) << Rec.Summary();
        } else {
            ASSERT_EQ(Rec.Messages.size(), 1u) << Rec.Summary();
            EXPECT_EQ(Rec.Messages[0].Text,
                      Dir.File("olinda.png") + " already exists.\nDo you want to replace it?");
        }
    }
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
    const std::string dis = FileText(Dir.File("olinda.dis"));
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.Name);
        TDisPicturePage page = Chosen({1, 2, 3});
        page.BandFileSaveAs = "made";
        r.Change(page);
        Rec.Clear();
        EXPECT_FALSE(MakeDISPicture(page));
        ASSERT_EQ(Rec.Messages.size(), 1u) << Rec.Summary();
        EXPECT_TRUE(Rec.Shown(r.Message)) << Rec.Summary();
        EXPECT_EQ(CurrentImageName, "scene.png");
        EXPECT_FALSE(FileExists(Dir.File("made.png")) || FileExists(Dir.File("made.dip")));
        EXPECT_EQ(FileText(Dir.File("olinda.dis")), dis);
    }
}

TEST_F(DisPictureTest, RedBandAloneMakesAGreyPictureWithItsLog) {
    TDisPicturePage page = Chosen({4});
    page.BandFileSaveAs = "nir.bmp";
    ASSERT_TRUE(MakeDISPicture(page)) << Rec.Summary();
    EXPECT_EQ(CurrentImageName, "nir.png");
    const std::vector<std::string> dip = FileLines(Dir.File("nir.dip"));
    ASSERT_EQ(dip.size(), 9u);
    EXPECT_EQ(
        std::vector<std::string>(dip.begin(), dip.begin() + 8),
        (std::vector<std::string>{"DIP 1.1", "olinda.dih", "olinda.dis", "nir.dip",
                                  Dir.File("nir.png"), "Red:olinda.B4", "Green: ", "Blue: "}));
    EXPECT_EQ(dip, P.DIPMemo);
    EXPECT_EQ(FileLines(Dir.File("olinda.dis")).back(), "nir.dip");
    std::vector<uint8_t> band4 = FileBytes(TestData("landsat7-olinda/olinda_b4.raw"));
    Picture saved;
    ASSERT_TRUE(ReadPngForTest(Dir.File("nir.png"), saved));
    ASSERT_EQ(saved.Pixels.size(), band4.size());
    size_t grey = 0;
    for (size_t i = 0; i < band4.size(); ++i)
        grey += saved.Pixels[i] == PackPixel(band4[i], band4[i], band4[i]);
    EXPECT_EQ(grey, band4.size());
    EXPECT_TRUE(saved.Pixels == DisplayedPicture.Pixels);
}

// A DIS whose DIH is missing or refused, or a DIS that cannot be read, arms nothing: the page,
// the picture's name and every file of the scene chosen before stay as they were. The page used
// to go on and log and save the picture over the earlier scene's headers.
TEST_F(DisPictureTest, DISWithoutItsSceneArmsNothing) {
    TDisPicturePage good = Chosen({1, 2, 3});
    good.BandFileSaveAs = "made";
    ASSERT_TRUE(DISLoaded);
    std::vector<std::string> dih = FileLines(Dir.File("olinda.dih"));
    dih[0] = "DIH 1.0";
    ASSERT_TRUE(WriteFileAtomic(Dir.File("refused.dih"), JoinLinesCRLF(dih),
                                TReplaceLeave::Chosen(Dir.File("refused.dih"))));
    std::vector<std::string> dis = FileLines(Dir.File("olinda.dis"));
    const struct {
        const char* Name;
        const char* DIH; // named by the chosen DIS
        int Message;
    } cases[] = {
        {"DIH missing", "gone.dih", 39998},
        {"DIH refused", "refused.dih", 39994},
        {"DIS unreadable", nullptr, 39998},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        std::string chosen = Dir.File("missing.dis");
        if (c.DIH) {
            dis[1] = c.DIH;
            chosen = Dir.File("other.dis");
            ASSERT_TRUE(WriteFileAtomic(chosen, JoinLinesCRLF(dis), TReplaceLeave::Chosen(chosen)));
        }
        const std::vector<std::string> before = FileLines(Dir.File("olinda.dis"));
        const std::string beforeDIH = FileText(Dir.File("olinda.dih"));
        Rec.Clear();
        TDisPicturePage page;
        EXPECT_FALSE(ChooseDISForPicture(chosen, page));
        EXPECT_TRUE(Rec.Shown(c.Message)) << Rec.Summary();
        EXPECT_FALSE(DISLoaded);
        EXPECT_TRUE(page.BandHdrEdit.empty());
        EXPECT_EQ(CurrentImageName, "scene.png");
        EXPECT_FALSE(MakeDISPicture(good));
        EXPECT_TRUE(Rec.Shown(39993));
        EXPECT_FALSE(FileExists(Dir.File("made.png")) || FileExists(Dir.File("made.dip")));
        EXPECT_EQ(FileLines(Dir.File("olinda.dis")), before);
        EXPECT_EQ(FileText(Dir.File("olinda.dih")), beforeDIH);
    }
}

// The subset's size is a header's: a subset wider or taller than its band file holds bytes is
// refused before the picture is made.
TEST_F(DisPictureTest, SubsetLargerThanItsBandsIsRefused) {
    TDisPicturePage page = Chosen({1, 2, 3});
    page.BandFileSaveAs = "made";
    const int64_t length = FileSizeOf(Dir.File("olinda.B1"));
    const TSubsetBounds sizes[] = {
        {1, static_cast<int32_t>(length) + 1, 1, 1},
        {1, 1, 1, static_cast<int32_t>(length) + 1},
    };
    for (const TSubsetBounds& b : sizes) {
        SCOPED_TRACE(std::to_string(b.Width()) + " x " + std::to_string(b.Height()));
        SubsetBounds = b;
        Rec.Clear();
        EXPECT_FALSE(MakeDISPicture(page));
        EXPECT_TRUE(Rec.Shown(36)) << Rec.Summary();
        EXPECT_TRUE(DisplayedPicture.Empty());
        EXPECT_FALSE(FileExists(Dir.File("made.png")));
    }
    // A band shorter than the subset's rows but holding one whole row still makes its picture.
    SubsetBounds = {1, 349, 1, 400};
    ASSERT_TRUE(MakeDISPicture(page)) << Rec.Summary();
    EXPECT_EQ(DisplayedPicture.Height, 400);
}

// The displayed picture takes the new picture's name, folder and caption only once that picture
// is made. They used to change when the DIS was chosen, so after a refused or failed build the
// old picture carried the new name and a Save wrote it over the file of that name.
TEST_F(DisPictureTest, AFailedBuildLeavesTheNameAndASaveSparesTheFileOfTheNewName) {
    TempDir shown;
    ImageDirectory = shown.Path();
    SetImageName(shown.Path(), CurrentImageName);
    Picture old;
    old.Resize(3, 2);
    old.Pixels[4] = PackPixel(200, 10, 60);
    DisplayedPicture = old;
    ASSERT_TRUE(WriteFileAtomic(Dir.File("olinda.png"), std::string("not this picture"),
                                TReplaceLeave::Chosen(Dir.File("olinda.png"))));
    std::vector<std::string> captions;
    Hooks.SetMainCaption = [&](const std::string& c) { captions.push_back(c); };
    const struct {
        const char* Name;
        int Message;
        std::function<void()> Change;
    } failures[] = {
        {"refused: red band missing", 29, [] { SelectedBandFiles[0] += "x"; }},
        {"failed: subset wider than its bands", 36,
         [this] {
             SubsetBounds = {1, static_cast<int32_t>(FileSizeOf(Dir.File("olinda.B1"))) + 1, 1, 1};
         }},
    };
    for (const auto& f : failures) {
        SCOPED_TRACE(f.Name);
        const TDisPicturePage page = Chosen({1, 2, 3});
        f.Change();
        // The shown picture's own history, and the scene's list of pictures, stay as they were.
        HeaderPages.DIPMemo = {DIPVersionLine, "scene.dih", "the shown picture's step"};
        const std::vector<std::string> history = HeaderPages.DIPMemo;
        const std::string dis = FileText(Dir.File("olinda.dis"));
        Rec.Clear();
        Rec.MessageAnswers.push_back(MsgButton::Yes);
        EXPECT_FALSE(MakeDISPicture(page));
        EXPECT_TRUE(Rec.Shown(f.Message)) << Rec.Summary();
        EXPECT_EQ(HeaderPages.DIPMemo, history);
        EXPECT_EQ(FileText(Dir.File("olinda.dis")), dis);
        EXPECT_FALSE(FileExists(Dir.File("olinda.dip")));
        EXPECT_EQ(CurrentImageName, "scene.png");
        EXPECT_EQ(ImageDirectory, shown.Path());
        EXPECT_TRUE(captions.empty());
        ASSERT_TRUE(SavePictureFile()) << Rec.Summary();
        EXPECT_EQ(FileText(Dir.File("olinda.png")), "not this picture");
        EXPECT_TRUE(FileExists(shown.File("scene.png")));
    }
    // Made, but its file cannot be written (a folder holds the name): the new picture is on
    // show, so it keeps its own name and log, and a Save cannot reach the old picture's file.
    {
        const TDisPicturePage page = Chosen({1, 2, 3});
        std::filesystem::remove(Dir.File("olinda.png"));
        ASSERT_TRUE(MakeDirectories(Dir.File("olinda.png/")));
        const std::vector<uint8_t> old = FileBytes(shown.File("scene.png"));
        const std::string dis = FileText(Dir.File("olinda.dis"));
        Rec.Clear();
        EXPECT_FALSE(RunGuarded([&] { MakeDISPicture(page); }));
        EXPECT_EQ(Rec.ErrorBoxes, std::vector<std::string>{"File access denied"});
        EXPECT_EQ(DisplayedPicture.Width, 349);
        EXPECT_EQ(CurrentImageName, "olinda.png");
        EXPECT_EQ(ImageDirectory, Dir.Path());
        ASSERT_GE(HeaderPages.DIPMemo.size(), 4u);
        EXPECT_EQ(HeaderPages.DIPMemo[3], "olinda.dip");
        EXPECT_EQ(FileText(Dir.File("olinda.dis")), dis);
        EXPECT_FALSE(RunGuarded([] { SavePictureFile(); }));
        EXPECT_EQ(FileBytes(shown.File("scene.png")), old);
        std::filesystem::remove(Dir.File("olinda.png"));
        captions.clear();
    }
    // A picture that is made takes its name, its folder and the caption.
    const TDisPicturePage page = Chosen({1, 2, 3});
    ASSERT_TRUE(MakeDISPicture(page)) << Rec.Summary();
    EXPECT_EQ(CurrentImageName, "olinda.png");
    EXPECT_EQ(ImageDirectory, Dir.Path());
    Hooks.SetMainCaption = nullptr;
    ASSERT_EQ(captions.size(), 1u);
    EXPECT_NE(captions[0].find("olinda.png"), std::string::npos);
}

} // namespace
