// The Linear window: every engine button records its lines, and playing them back gives the
// same picture; the Measured, Snake and Profile modes through the main image;
// the wand on its preview.
#include "histogram/ui/vDistance.h"
#include "histogram/ui/vLProfile.h"
#include "histogram/ui/vLinear.h"
#include "histogram/vUILinear.h"
#include "shell/vMacroPlayer.h"

#include "runtime/RtFiles.h"
#include "shell/vToolModes.h"
#include "support/GuiStartup.h"
#include "support/NoisePicture.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QToolButton>

namespace {

class LinearWindow : public GuiStartup {
  protected:
    void SetUp() override {
        GuiStartup::SetUp();
        Linear = new TLinearForm(Form);
        LinearForm = Linear;
        Profile = new TLineProfileForm(Form);
        LineProfileForm = Profile;
        Original = NoisePicture(160, 40, 3);
        DisplayedPicture = Original;
        AllocImageBuffers();
        ImageDirectory = Dir.Path();
        SetImageName(CurrentImageFolder, "scene.png");
        MacroRecording = true;
        SaveOptions(); // the dialogs save the options: the file exists from here on
        Rec->Clear();
    }
    void TearDown() override {
        MacroRecording = false;
        MeasuredMode = SnakeMode = LineProfileMode = false;
        WandActive = WandBusy = false;
        GuiStartup::TearDown();
    }
    void Restore() {
        DisplayedPicture = Original;
        Rec->Clear();
    }

    TLinearForm* Linear = nullptr;
    TLineProfileForm* Profile = nullptr;
    Picture Original;
};

TEST_F(LinearWindow, EveryEngineButtonRecordsItsLinesAndRunsWithThem) {
    struct Case {
        QPushButton* TLinearForm::*Button;
        std::vector<std::pair<QLineEdit * TLinearForm::*, const char*>> Edits;
        int Band;
        std::vector<std::string> Lines;
    };
    const std::vector<Case> cases{
        {&TLinearForm::RGBContoursBtn,
         {{&TLinearForm::REdit, "300"}, {&TLinearForm::GEdit, "35"}, {&TLinearForm::BEdit, "x"}},
         0,
         {"=0151  AContour", "255", "35", "1"}},
        {&TLinearForm::ContourRGBBtn,
         {{&TLinearForm::WREdit, "46"},
          {&TLinearForm::WGEdit, "12abc"},
          {&TLinearForm::WBEdit, "24"}},
         0,
         {"=0152  Do_Contour", "46", "12", "24"}},
        {&TLinearForm::RedEdgeFollowerBtn,
         {{&TLinearForm::EdgeFollowEdit, "36"}},
         2,
         {"=0153  Do_EdgeFollow", "36", "2"}},
        {&TLinearForm::EdgeFlowBtn,
         {{&TLinearForm::EdgeFollowEdit, "7"}},
         1,
         {"=0154  Do_EdgeFlow", "7", "1"}},
        {&TLinearForm::ContourIntervalBtn,
         {{&TLinearForm::ContourIntervalEdit, ""}},
         1,
         {"=0155  ContourInterval", "1", "1"}},
        {&TLinearForm::ContourIntervalBtn,
         {{&TLinearForm::ContourIntervalEdit, "20"}},
         2,
         {"=0155  ContourInterval", "20", "2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Lines[0]);
        Restore();
        for (const auto& [edit, text] : c.Edits)
            (Linear->*edit)->setText(text);
        Linear->SetLinearRGIndex(c.Band);
        (Linear->*c.Button)->click();
        EXPECT_EQ(Rec->MacroLines, c.Lines);
        const std::vector<uint32_t> byButton = DisplayedPicture.Pixels;
        EXPECT_NE(byButton, Original.Pixels);
        // Played back on the original picture, with the band group moved away first.
        Restore();
        Linear->SetLinearRGIndex((c.Band + 1) % 3);
        ASSERT_TRUE(PlayMacro(c.Lines));
        EXPECT_EQ(DisplayedPicture.Pixels, byButton);
        if (c.Lines.size() == 3) EXPECT_EQ(Linear->LinearRGIndex(), c.Band);
    }
}

TEST_F(LinearWindow, AMeasuredDragAsksTheDistancesAndRecordsThem) {
    Linear->MeasuredBtn->click();
    EXPECT_TRUE(MeasuredMode);
    std::vector<std::string> shown;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TDistanceForm*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->DistanceEdit->text(), "120");
        dialog->DistanceEdit->clear();
        dialog->OkBtn->click(); // no distance: message 18, still open
        dialog->DistanceEdit->setText("119");
        dialog->OkBtn->click(); // shorter than the drag: no scale, still open
        dialog->DOEdit->setText("12a");
        dialog->OkBtn->click(); // file-data error at 3, still open
        for (const auto& m : Rec->Messages)
            shown.push_back(m.Text);
        dialog->DistanceEdit->setText("240");
        dialog->DOEdit->setText("200");
        dialog->OkBtn->click();
    });
    Form->MultiImage1MouseDown(10, 20, Qt::LeftButton);
    Form->MultiImage1MouseMove(70, 20);
    Form->MultiImage1MouseUp(130, 20, Qt::LeftButton);
    EXPECT_FALSE(MeasuredMode);
    ASSERT_EQ(shown.size(), 3u) << Rec->Summary();
    EXPECT_EQ(shown[0], shown[1]);
    EXPECT_NE(shown[2].find("12a"), std::string::npos);
    EXPECT_EQ(Rec->MacroLines,
              (std::vector<std::string>{"=0159  Do_Measured_Do", "240", "120", "200"}));
    EXPECT_EQ(MeasuredKnownDistance, 240);
    EXPECT_EQ(DisplayedPicture.Pixels, Original.Pixels);
    // The picture is unchanged: Undo stays as the last operation left it.
    EXPECT_FALSE(Rec->UndoEnabled);
    const std::vector<std::string> recorded = Rec->MacroLines;
    Rec->Clear();
    ASSERT_TRUE(PlayMacro(recorded));
    EXPECT_EQ(Rec->Status1.back(), "Image processed");
}

TEST_F(LinearWindow, SnakeTakesTheClickedGreenAndProfileArmsTheLineTool) {
    DisplayedPicture.At(5, 6) = PackPixel(10, 200, 30);
    Linear->SnakeBtn->click();
    Form->MultiImage1MouseDown(5, 6, Qt::LeftButton);
    Form->MultiImage1MouseUp(5, 6, Qt::LeftButton);
    EXPECT_FALSE(SnakeMode);
    EXPECT_EQ(Linear->EdgeFollowEdit->text(), "200");
    Linear->ProfileBtn->click();
    EXPECT_TRUE(LineProfileMode);
    EXPECT_TRUE(ImageBuffersLocked);
    Linear->close();
    EXPECT_FALSE(LineProfileMode);
    EXPECT_FALSE(ImageBuffersLocked);
}

TEST_F(LinearWindow, TheWandOutlinesTheClickedRegionOnThePreviewOnly) {
    Picture p;
    p.Resize(8, 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x)
            p.At(x, y) = x < 4 ? PackPixel(50, 60, 70) : PackPixel(200, 10, 10);
    DisplayedPicture = p;
    Linear->MagicWand2->click();
    EXPECT_TRUE(WandActive);
    Linear->WandTrackBar->setValue(1);
    Linear->PreviewImageMouseUp(20, 20); // off the preview: ignored
    EXPECT_EQ(Linear->Preview.Pixels, p.Pixels);
    Linear->PreviewImageMouseUp(1, 1);
    EXPECT_EQ(Linear->Preview.At(3, 2), PackPixel(205, 195, 185)); // inner edge inverted
    EXPECT_EQ(Linear->Preview.At(2, 2), p.At(2, 2));
    EXPECT_EQ(Linear->Preview.At(4, 2), p.At(4, 2));
    EXPECT_EQ(DisplayedPicture.Pixels, p.Pixels);

    // Proposed beside the picture, whatever folder the dialogs moved to.
    SetImageName(Dir.Path(), CurrentImageName);
    ImageDirectory = "/elsewhere/";
    Rec->FileAnswers = {Dir.File("wand.png"), Dir.File("wand.bmp")};
    Linear->SpeedButton1->click();
    EXPECT_FALSE(FileExists(Dir.File("wand.png")));
    Linear->SpeedButton1->click();
    EXPECT_TRUE(FileExists(Dir.File("wand.bmp")));
    EXPECT_EQ(Rec->FileRequests.back().FileName, Dir.File("scene.bmp"));
}

// The engines let window messages in after each row: an open of another picture arriving then
// waits until the run has ended.
TEST_F(LinearWindow, AnOpenArrivingDuringAnEngineRunWaitsForIt) {
    Picture other;
    other.Resize(300, 90);
    std::fill(other.Pixels.begin(), other.Pixels.end(), PackPixel(9, 9, 9));
    WritePictureFile(Dir.File("other.png"), other, PictureFileKind::Png,
                     TReplaceLeave::Chosen(Dir.File("other.png")));
    Linear->ContourIntervalEdit->setText("20");
    int messages = 0;
    Hooks.ProcessMessages = [&] {
        if (++messages != 3) return;
        Rec->FileAnswers.assign({Dir.File("other.png")});
        Form->F_OpenClick();
    };
    for (QPushButton* button :
         {Linear->RGBContoursBtn, Linear->ContourRGBBtn, Linear->RedEdgeFollowerBtn,
          Linear->EdgeFlowBtn, Linear->ContourIntervalBtn}) {
        SCOPED_TRACE(button->objectName().toStdString());
        Restore();
        messages = 0;
        button->click();
        EXPECT_GT(messages, 3);
        EXPECT_EQ(CurrentImageName, "scene.png");
        EXPECT_EQ(DisplayedPicture.Width, 160);
        EXPECT_TRUE(Rec->ErrorBoxes.empty()) << Rec->Summary();
    }
}

} // namespace
