// Only a command that ran is recorded: every image command of the tool windows, refused because
// there is no picture to work on, leaves the macro and the picture's history as they were.
#include "algebra/ui/vFEditor.h"
#include "algebra/ui/vPixelAlgebra.h"
#include "histogram/ui/vHistogram.h"
#include "histogram/ui/vLinear.h"
#include "shell/vToolForms.h"
#include "support/GuiStartup.h"

#include <QAbstractButton>
#include <QButtonGroup>

#include <functional>

TEST_F(GuiStartup, EveryImageCommandRefusedWithoutAPictureRecordsNothing) {
    auto* linear = new TLinearForm(Form);
    auto* algebra = static_cast<TPixelAlgebraForm*>(Form->ToolForm(tfPixelAlgebra));
    auto* editor = static_cast<TFEditForm*>(Form->ToolForm(tfFEdit));
    auto* histogram = new THistogramForm(Form);
    algebra->PixelRatiosRG->button(0)->setChecked(true);
    const std::pair<const char*, std::function<void()>> commands[] = {
        {"contours", [&] { linear->RGBContoursBtnClick(); }},
        {"contour", [&] { linear->ContourRGBBtnClick(); }},
        {"edge follow", [&] { linear->EdgeFollowBtnClick(); }},
        {"edge flow", [&] { linear->EdgeFlowBtnClick(); }},
        {"contour interval", [&] { linear->ContourIntervalBtnClick(); }},
        {"pixel algebra", [&] { algebra->DOPAPODO(); }},
        {"pixel ratios", [&] { algebra->PA_RatiosBtnClick(); }},
        {"band multiply", [&] { algebra->PARBtnClick(); }},
        {"multiply", [&] { algebra->PMultiplyBtnClick(); }},
        {"ranked minimum", [&] { editor->FERE_MinBtnClick(); }},
        {"filed filter",
         [&] {
             Rec->FileAnswers.push_back(TestData("kernels/laplace.RL3"));
             editor->FiledFiltersRG->button(0)->setChecked(true);
             editor->SpeedButton1Click();
         }},
        {"objects", [&] { histogram->H_SOHOBtnClick(); }},
        {"class display", [&] { histogram->H_SCDisplayBtnClick(); }},
    };
    ASSERT_FALSE(ImageBuffersAllocated);
    for (const auto& [name, command] : commands) {
        SCOPED_TRACE(name);
        Rec->Clear();
        MacroRecording = LogToDIP = true;
        EXPECT_TRUE(RunGuarded(command));
        MacroRecording = LogToDIP = false;
        EXPECT_TRUE(Rec->MacroLines.empty());
        EXPECT_TRUE(Rec->HistoryLines.empty());
        EXPECT_EQ(Rec->HistorySaves, 0);
    }
}
