// One session across the windows: a picture opened in folder A, then choices in folder B in the
// import window, its splitter, crop and DIS->DIP page, the band window and the workbench, then
// Save, the numbered save and the log. No window's choice of folder may move another's files.
#include "bandproc/ui/vDisProFrm.h"
#include "bandproc/ui/vDisSinglePages.h"
#include "bandproc/ui/vFFTFrm.h"
#include "histogram/ui/vLProfile.h"
#include "histogram/vColorCube.h"
#include "import/ui/vBandSplitPages.h"
#include "import/ui/vDisToDipPage.h"
#include "import/ui/vPBands.h"
#include "import/vHeaderPages.h"
#include "runtime/RtFiles.h"
#include "shell/vMacroCodes.h"
#include "shell/vToolForms.h"
#include "support/GuiStartup.h"

#include <QLineEdit>
#include <QPushButton>

#include <filesystem>
#include <set>

namespace {

using Bytes = std::vector<uint8_t>;

class SessionFiles : public GuiStartup {
  protected:
    void TearDown() override {
        LogToDIP = false;
        HeaderPages = THeaderPages();
        SelectedBandFiles.fill("");
        SubsetBounds = TSubsetBounds();
        DISLoaded = false;
        GuiStartup::TearDown();
    }
    void Answer(const std::string& path) { Rec->FileAnswers.push_back(path); }
};

TEST_F(SessionFiles, ChoicesInAnotherFolderNeverMoveThePicturesFiles) {
    TempDir a, b;
    std::filesystem::copy_file(TestData("aerial/aero1.png"), a.File("aero1.png"));
    // B holds another picture of the same name, with a log of its own, and a scene to split.
    std::filesystem::copy_file(TestData("landsat7-olinda/olinda_rgb432.png"), b.File("aero1.png"));
    ASSERT_TRUE(WriteFileAtomic(b.File("aero1.dip"), std::string("B's own log\r\n"),
                                TReplaceLeave::Chosen(b.File("aero1.dip"))));
    ASSERT_TRUE(WriteFileAtomic(b.File("aero1.txt"), std::string("B's own profile\r\n"),
                                TReplaceLeave::Chosen(b.File("aero1.txt"))));
    Bytes raw(24);
    for (size_t i = 0; i < raw.size(); ++i)
        raw[i] = static_cast<uint8_t>(7 * i + 1);
    ASSERT_TRUE(
        WriteFileAtomic(b.File("scene.raw"), raw, TReplaceLeave::Chosen(b.File("scene.raw"))));
    const auto ownOfB = FolderBytes(b.Path());

    InstallHeaderHooks();
    LogToDIP = true;
    ASSERT_TRUE(Form->LoadFromFile(a.File("aero1.png"))) << Rec->Summary();
    DisplayedPicture.Pixels[0] ^= 0x00FFFFFFu;
    const Picture shown = DisplayedPicture;

    TPBands import;
    TBandSplitPages* split = import.SplitPages;
    split->VaguePixelsWideEdit->setText("4");
    split->VaguePixelsHighEdit->setText("3");
    split->VagueBandsEdit->setText("2");
    split->VagueSkipEdit->setText("0");
    Answer(b.File("scene.raw"));
    split->VagueFileBtn->click();
    Answer(b.File("scene.dih"));
    split->BSQDIHtoDISFileBtn->click();
    const std::pair<QLineEdit*, const char*> corners[] = {{split->BSQLCIEdit, "1"},
                                                          {split->BSQRCIEdit, "2"},
                                                          {split->BSQTRIEdit, "1"},
                                                          {split->BSQBRIEdit, "2"},
                                                          {split->BSQBandEdit, "cut"}};
    for (const auto& [edit, text] : corners)
        edit->setText(text);
    split->BSQOKBtn->click();

    TDisProcessForm bands;
    Answer(b.File("cut.dis"));
    bands.SinglePage->SingleDISFileBtn->click();
    Answer(b.File("cut.B10"));
    bands.SinglePage->SingleBandFileBtn->click();
    bands.SinglePage->BCNewFileEdit->setText("math");
    bands.SinglePage->SingleMathBtn->click();

    Answer(b.File("scene.dis"));
    static_cast<TFFTForm*>(Form->ToolForm(tfFFT))->OpenBtn->click();
    Answer(b.File("cut.dis"));
    import.DisToDipPage->PBandHdrBtn->click();
    ASSERT_EQ(ImageDirectory, b.Path());

    Rec->Clear();
    Form->F_SaveClick();
    (new TLineProfileForm(Form))->SaveButton->click();
    EXPECT_EQ(Count3DFileName(), a.File("aero1.rs3"));
    Form->SaveNumbered1Click();

    // B: its own files as they were, and only the products asked for besides.
    const auto inB = FolderBytes(b.Path());
    for (const auto& [name, bytes] : ownOfB) {
        ASSERT_TRUE(inB.count(name)) << name;
        EXPECT_EQ(inB.at(name), bytes) << name;
    }
    const std::set<std::string> products = {"scene.B1",  "scene.B2",  "scene.dih",
                                            "scene.dis", "scene.BMP", "cut.B10",
                                            "cut.B20",   "cut.dis",   "math.psa"};
    for (const auto& [name, bytes] : inB)
        EXPECT_TRUE(ownOfB.count(name) || products.count(name)) << name;
    EXPECT_EQ(FileBytes(b.File("math.psa")).size(), 4u) << Rec->Summary();

    // A: the saved picture, its numbered copy, its log and its profile.
    EXPECT_TRUE(FileExists(a.File("aero1.txt")));
    for (const char* name : {"aero1.png", "aero1A001.png"})
        EXPECT_EQ(ReadPictureFile(a.File(name)).Image.Pixels, shown.Pixels) << name;
    const std::string log = FileText(a.File("aero1.dip"));
    EXPECT_NE(log.find(MacroCommandLine(5) + "\r\n" + a.Path() + "\r\naero1.png\r\n"),
              std::string::npos)
        << log;
}

} // namespace
