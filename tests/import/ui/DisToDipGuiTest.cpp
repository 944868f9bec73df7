// The "DIS->DIP" page on the real scene: the split Olinda bands become the false-colour picture,
// which the main window then shows and works on in place of a picture of another size.
#include "import/HeaderFixture.h"
#include "import/ui/vDisToDipPage.h"
#include "import/ui/vPBands.h"
#include "import/vBandImport.h"
#include "import/vDisPicture.h"
#include "support/GuiStartup.h"
#include "support/PngTestReader.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <filesystem>

namespace {

class DisToDipGui : public GuiStartup {
  protected:
    void SetUp() override {
        GuiStartup::SetUp();
        HeaderPages = THeaderPages();
        InstallHeaderHooks();
        Window = std::make_unique<TPBands>();
        Window->show();
        Page = Window->DisToDipPage;
    }
    void TearDown() override {
        Window.reset();
        SelectedBandFiles.fill("");
        DISPictureFolder.clear();
        GuiStartup::TearDown();
    }
    void Choose(QPushButton* button, const std::string& file) {
        Rec->FileAnswers.push_back(Dir.File(file));
        button->click();
    }
    std::unique_ptr<TPBands> Window;
    TDisToDipPage* Page = nullptr;
};

TEST_F(DisToDipGui, OlindaBandsBecomeTheCurrentImage) {
    std::filesystem::copy_file(TestData("aero1.png"), Dir.File("aero1.png"));
    ASSERT_TRUE(Form->LoadFromFile(Dir.File("aero1.png"))) << Rec->Summary();
    std::filesystem::copy_file(TestData("landsat7-olinda/olinda.bsq"), Dir.File("olinda.bsq"));
    ASSERT_EQ(RawSplitScene(Dir.File("olinda.bsq"), {349, 352, 6, 0}), 0);

    Choose(Page->PBandHdrBtn, "olinda.dis");
    EXPECT_EQ(Window->BandFileSaveAs->text(), "olinda.png");
    EXPECT_EQ(Window->IMWEdit->text() + " " + Window->IMHEdit->text(), "349 352");
    Choose(Page->PBandFileBtn1, "olinda.B4");
    Choose(Page->PBandFileBtn2, "olinda.B3");
    Choose(Page->PBandFileBtn3, "olinda.B2");
    EXPECT_EQ(Window->BandFileEdit1->text(), "olinda.B4");
    Window->BandFileSaveAs->setText("false432");
    Page->PBOKBtn->click();
    ASSERT_FALSE(Rec->Messages.size()) << Rec->Summary();

    Picture expected, saved;
    ASSERT_TRUE(ReadPngForTest(TestData("landsat7-olinda/olinda_rgb432.png"), expected));
    ASSERT_TRUE(ReadPngForTest(Dir.File("false432.png"), saved));
    EXPECT_EQ(saved.Width, 349);
    EXPECT_TRUE(saved.Pixels == expected.Pixels);
    EXPECT_TRUE(DisplayedPicture.Pixels == expected.Pixels);
    EXPECT_EQ(Form->windowTitle().toStdString(), std::string(MainCaptionPrefix) + "false432.png");
    EXPECT_EQ(Window->DIPMemo->toPlainText().split('\n').mid(3, 5).join('|').toStdString(),
              "false432.dip|" + Dir.File("false432.png") +
                  "|Red:olinda.B4|Green: olinda.B3|Blue: olinda.B2");

    // An image operation and its Undo on the new picture's own buffers.
    Form->IV_onlyRed->trigger();
    EXPECT_EQ(DisplayedPicture.At(100, 100), PackPixel(PixelRed(expected.At(100, 100)), 0, 0));
    Form->I_Undo->setEnabled(Rec->UndoEnabled);
    Form->I_Undo->trigger();
    EXPECT_TRUE(DisplayedPicture.Pixels == expected.Pixels);
}

// The DIS dialog opens where the last DIS was chosen, though the picture keeps its own folder
// until the new one is built.
TEST_F(DisToDipGui, TheDisDialogReturnsToTheLastDisFolder) {
    std::filesystem::copy_file(TestData("aero1.png"), Dir.File("aero1.png"));
    ASSERT_TRUE(Form->LoadFromFile(Dir.File("aero1.png"))) << Rec->Summary();
    const std::string scene = Dir.File("scene/");
    std::filesystem::create_directory(scene);
    std::filesystem::copy_file(TestData("landsat7-olinda/olinda.bsq"), scene + "olinda.bsq");
    ASSERT_EQ(RawSplitScene(scene + "olinda.bsq", {349, 352, 6, 0}), 0);
    ImageDirectory = Dir.Path();

    Choose(Page->PBandHdrBtn, "scene/olinda.dis");
    Rec->FileAnswers.push_back("");
    Page->PBandHdrBtn->click();
    ASSERT_EQ(Rec->FileRequests.size(), 2u);
    EXPECT_EQ(Rec->FileRequests[0].InitialDir, Dir.Path());
    EXPECT_EQ(Rec->FileRequests[1].InitialDir, scene);
    EXPECT_EQ(ImageDirectory, Dir.Path());
}

} // namespace
