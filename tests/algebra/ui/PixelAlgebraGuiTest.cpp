#include "algebra/ui/vColorContortions.h"
#include "algebra/ui/vPixelAlgebra.h"
#include "shell/vMacroPlayer.h"
#include "support/EngineTestImage.h"

#include <QButtonGroup>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <functional>
#include <memory>

namespace {

using Lines = std::vector<std::string>;
using Form = TPixelAlgebraForm;
const std::vector<Rgb> Scene = {{200, 7, 100}, {90, 50, 30}, {12, 240, 3}, {255, 128, 64}};

class PixelAlgebraWindow : public EngineTestImage {
  protected:
    void SetUp() override {
        EngineTestImage::SetUp();
        ClipOption = true;
        W = std::make_unique<Form>();
        W->show();
        Load(2, Scene);
        MacroRecording = true;
    }
    void TearDown() override {
        W.reset();
        EngineTestImage::TearDown();
    }
    std::unique_ptr<Form> W;
};

// Each command records its lines before it runs; playing the lines back on the picture it
// started from gives the same picture, byte for byte.
TEST_F(PixelAlgebraWindow, EachCommandRecordsWhatPlaysBackToTheSamePicture) {
    const struct {
        const char* Name;
        std::function<void(Form&)> Set;
        QPushButton* Form::*Button;
        Lines Recorded;
    } cases[] = {
        // clang-format off
        {"resource choices: red over blue",
         [](Form&) {},
         &Form::PAPODOBtn,
         {"=0201   Do_PixelAlgebra", "0", "3", "0", "0", "-1", "-1", "-1", "-1", "-1", "-1", "-1",
          "-1", "2", "-1", "-1", "-1", "-1", "-1", "-1", "-1", "-1"}},
        {"three bands over two",
         [](Form& w) {
             w.BA0->button(2)->click();
             w.BA4->button(1)->click();
             w.BA5->button(2)->click();
             w.BA6->button(0)->click();
             w.OpRGA2->button(0)->click();
             w.OpRGA3->button(2)->click();
             w.OpRGMain->button(1)->click();
             w.BB0->button(1)->click();
             w.BB2->button(0)->click();
             w.BB3->button(1)->click();
             w.OpRGB1->button(0)->click();
         },
         &Form::PAPODOBtn,
         {"=0201   Do_PixelAlgebra", "2", "1", "1", "0", "-1", "-1", "1", "2", "0", "-1", "0", "2",
          "2", "0", "1", "-1", "-1", "-1", "0", "-1", "-1"}},
        {"ratio item 4",
         [](Form& w) { w.PixelRatiosRG->button(4)->click(); },
         &Form::PA_RatiosBtn,
         {"=0202  PixelRatios", "4"}},
        {"coefficient product, trimmed edits",
         [](Form& w) {
             w.PAREdits[0]->setText("0.5 ");
             w.PAREdits[8]->setText(" -2");
             w.PARRG->button(0)->click();
         },
         &Form::PARBtn,
         {"=0203  Do_PARBMultiply", "0.5", "0.603", "0.675", "-0.283", "-0.66", "0.577", "-0.899",
          "0.428", "-2", "0"}},
        {"per-channel coefficients",
         [](Form&) {},
         &Form::PMultiplyBtn,
         {"=0204  Do_PMultiply", "-0.8561", "0.36", "1.19", "2"}},
        // clang-format on
    };
    const std::vector<uint32_t> original = DisplayedPicture.Pixels;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        W = std::make_unique<Form>();
        W->show();
        Load(2, Scene);
        c.Set(*W);
        Rec.Clear();
        ((*W).*c.Button)->click();
        EXPECT_EQ(Rec.MacroLines, c.Recorded);
        EXPECT_TRUE(Rec.ErrorBoxes.empty()) << Rec.Summary();
        const std::vector<uint32_t> shown = DisplayedPicture.Pixels;
        EXPECT_NE(shown, original);
        Load(2, Scene);
        ASSERT_TRUE(PlayMacro(c.Recorded));
        EXPECT_EQ(DisplayedPicture.Pixels, shown);
    }
}

TEST_F(PixelAlgebraWindow, NoRatioChosenRecordsMinusOneAndLeavesThePicture) {
    const Lines expected{"=0202  PixelRatios", "-1"};
    W->PA_RatiosBtn->click();
    EXPECT_EQ(Rec.MacroLines, expected);
    EXPECT_EQ(Rec.PictureChanges, 0);
    EXPECT_EQ(Shown(), Scene);
}

// A coefficient that is not a number whole stops the command before anything is recorded or run.
TEST_F(PixelAlgebraWindow, AMalformedCoefficientShowsTheDataErrorAndRunsNothing) {
    const struct {
        QLineEdit* (*Edit)(Form&);
        QPushButton* Form::*Button;
        const char* Text;
        const char* Message;
    } cases[] = {
        {[](Form& w) { return w.PAREdits[0]; }, &Form::PARBtn, "0.5 0",
         "Error in File data Number: \r\n4\r\n0.5 0"},
        {[](Form& w) { return w.PAREdits[5]; }, &Form::PARBtn, "",
         "Error in File data Number: \r\n1\r\n"},
        {[](Form& w) { return w.PMEdits[2]; }, &Form::PMultiplyBtn, "1,19",
         "Error in File data Number: \r\n2\r\n1,19"},
        {[](Form& w) { return w.PMEdits[0]; }, &Form::PMultiplyBtn, "x",
         "Error in File data Number: \r\n1\r\nx"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        W = std::make_unique<Form>();
        c.Edit(*W)->setText(c.Text);
        Rec.Clear();
        ((*W).*c.Button)->click();
        ASSERT_EQ(Rec.Messages.size(), 1u);
        EXPECT_EQ(Rec.Messages[0].Text, c.Message);
        EXPECT_TRUE(Rec.MacroLines.empty());
        EXPECT_EQ(Rec.PictureChanges, 0);
    }
}

// The choice table itself is the options window's; this window shows and sets it.
TEST_F(PixelAlgebraWindow, TheToggleGroupShowsAndSetsTheProcessingRange) {
    ClipOption = false;
    BelowZeroOption = AutoRangeOption = true;
    W = std::make_unique<Form>();
    W->show();
    EXPECT_EQ(W->TogglesRG->checkedId(), 2);
    W->TogglesRG->button(1)->click();
    EXPECT_EQ(
        (std::array<bool, 4>{ClipOption, Scale0To255Option, BelowZeroOption, AutoRangeOption}),
        (std::array<bool, 4>{false, true, false, false}));
}

} // namespace
