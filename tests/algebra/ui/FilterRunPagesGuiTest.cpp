#include "algebra/ui/vFEditor.h"
#include "algebra/vFilterEditorState.h"
#include "algebra/vUFilterFile.h"
#include "runtime/RtFiles.h"
#include "shell/ui/vMacro.h"
#include "shell/vGlobal.h"
#include "shell/vMacroCodes.h"
#include "shell/vMacroPlayer.h"
#include "shell/vOptionChoices.h"
#include "shell/vToolForms.h"
#include "support/EngineTestImage.h"
#include "support/GuiStartup.h"
#include "support/NoisePicture.h"
#include "support/TestFiles.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace {

using Lines = std::vector<std::string>;

class FilterRunPages : public EngineTestImage {
  protected:
    void SetUp() override {
        EngineTestImage::SetUp();
        // The player's window routines, with the recorded lines still kept by the test.
        const auto keep = Hooks.AppendMacroLine;
        InstallMacroHooks();
        Hooks.AppendMacroLine = keep;
        ClipOption = true;
        W = std::make_unique<TFEditForm>();
        FEditForm = W.get();
        W->show();
    }
    void TearDown() override {
        W.reset();
        FilterDirectory.clear();
        EngineTestImage::TearDown();
    }
    void Scene() { Show(NoisePicture(23, 17, 5)); }
    // Runs `click` recording and logging; returns the macro lines, after checking that the log
    // got the same lines (or none when `logged` is false) and a date-time line.
    Lines Record(const std::function<void()>& click, bool logged) {
        // Each click is a recording of its own: the options it changed are no change within it.
        ForgetRecordingOptionsForTests();
        MacroRecording = LogToDIP = true;
        click();
        MacroRecording = LogToDIP = false;
        if (logged) {
            EXPECT_EQ(Rec.HistoryLines.size(), Rec.MacroLines.size() + 1);
            EXPECT_TRUE(
                std::equal(Rec.MacroLines.begin(), Rec.MacroLines.end(), Rec.HistoryLines.begin()));
            EXPECT_EQ(Rec.HistorySaves, 1);
        } else {
            EXPECT_TRUE(Rec.HistoryLines.empty());
        }
        return Rec.MacroLines;
    }
    // The recorded lines played on the scene give the picture the click gave.
    void ExpectPlaysBack(const Lines& lines) {
        const std::vector<uint32_t> clicked = DisplayedPicture.Pixels;
        Scene();
        ASSERT_TRUE(PlayMacro(lines)) << Rec.Summary();
        EXPECT_EQ(DisplayedPicture.Pixels, clicked);
    }

    std::unique_ptr<TFEditForm> W;
    TempDir Tmp;
};

// Each Ranked Edge button reads its edits into the page's ranges, records and logs the code with
// those values, and its lines played back give the same picture. Open and Close run twice.
TEST_F(FilterRunPages, RankedEdgeButtonsRecordTheirRangesAndPlayBack) {
    using F = TFEditForm;
    const struct {
        QPushButton* F::*Button;
        QLineEdit* F::*Edit;
        const char* Text;
        QLineEdit* F::*Edit2;
        const char* Text2;
        bool AutoRange;
        Lines Want;
    } cases[] = {
        // clang-format off
        {&F::FERE_Min, &F::MinEdit, "4", nullptr, nullptr, false, {"=0351  Do_Texture Min", "5"}},
        {&F::FERE_Max, &F::MaxEdit, nullptr, nullptr, nullptr, false, {"=0352  Do_Texture Max", "5"}},
        {&F::FERE_Open, &F::OpenEdit, nullptr, &F::OpenEdit2, nullptr, false,
         {"=0353  Do_Texture Open", "9", "3"}},
        {&F::FERE_Close, &F::CloseEdit, "8", &F::CloseEdit2, "", false,
         {"=0354  Do_Texture Close", "9", "3"}},
        {&F::FERE_Median, &F::MedianEdit, "10", nullptr, nullptr, false,
         {"=0355  Do_Texture Median", "9"}},
        {&F::FERE_Range, &F::RangeEdit, "1", nullptr, nullptr, false,
         {"=0356  Do_Texture Range", "3"}},
        {&F::FERE_LowRange, &F::LowRangeEdit, "-2", nullptr, nullptr, false,
         {"=0357  Do_Texture LowRange", "3"}},
        {&F::FERE_Variance, &F::VarianceEdit, "7x", nullptr, nullptr, true,
         {"=0358  Do_Texture Variance", "7", "1"}},
        {&F::FERE_Variance, &F::VarianceEdit, nullptr, nullptr, nullptr, false,
         {"=0358  Do_Texture Variance", "3", "0"}},
        {&F::FERE_TopHat, &F::TopHatEdit, nullptr, &F::TopHatEdit2, "2", false,
         {"=0359  Do_ATexture TopHat", "3", "3"}},
        {&F::FERE_RollingBall, &F::RollingBallEdit, "5", &F::RollingBallEdit2, "46", false,
         {"=0360  Do_ATexture RollingBall", "5", "45"}},
        {&F::FERE_IRTopHat, &F::IRTopHatEdit, nullptr, &F::IRTopHatEdit2, nullptr, false,
         {"=0361  Do_ATexture IRTopHat", "9", "9"}},
        {&F::FERE_IRRollingBall, &F::IRRollingBallEdit, nullptr, &F::IRRollingBallEdit2, nullptr,
         false, {"=0362  Do_ATexture IRRollingBall", "3", "9"}},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Want[0]);
        W = std::make_unique<TFEditForm>();
        FEditForm = W.get();
        if (c.Text) (W.get()->*c.Edit)->setText(c.Text);
        if (c.Text2) (W.get()->*c.Edit2)->setText(c.Text2);
        SetProcessingChoice(c.AutoRange ? 3 : 0);
        Scene();
        QPushButton* button = W.get()->*c.Button;
        // IR Rollerball stays disabled; its handler is reached by the test alone.
        const Lines lines = Record(
            [&] {
                if (button->isEnabled())
                    button->click();
                else
                    RunGuarded([&] { W->FERE_IRRollingBallBtnClick(); });
            },
            true);
        EXPECT_EQ(button->isEnabled(), c.Button != &F::FERE_IRRollingBall);
        EXPECT_EQ(lines, c.Want);
        EXPECT_EQ(Rec.Status1.back(), "Image processed");
        ExpectPlaysBack(lines);
    }
}

// Load and Process: a file type asks for its file with its own filter in the filter folder,
// records five lines (the integer filter also logs them), and plays back to the same picture
// with the output choice set again; the slope direction asks for nothing and records two lines.
TEST_F(FilterRunPages, LoadAndProcessRecordsEveryTypeAndPlaysBack) {
    const std::string kernels = TestData("kernels/");
    FilterKernels compass;
    compass.Kind = KernelKind::Eight;
    for (size_t s = 0; s < 8; ++s)
        for (size_t k = 0; k < 9; ++k)
            compass.Real[s][k] = static_cast<double>((s + k) % 5) - 2.0;
    ASSERT_TRUE(WriteFilterFile(Tmp.File("compass.R83"), compass,
                                TReplaceLeave::Chosen(Tmp.File("compass.R83"))));
    const std::string files[11] = {
        kernels + "laplace.RL3", kernels + "ramp.RR3",    kernels + "sobel.R23",
        kernels + "sobel.R23",   Tmp.File("compass.R83"), Tmp.File("compass.R83"),
        kernels + "ramp.RR3",    kernels + "ramp.RR3",    kernels + "sobel.R23",
        kernels + "sobel.R23",   kernels + "sobel.R23"};
    // clang-format off
    const char* codes[12] = {
        "=0301  Do_IntegerFile", "=0302  Do_RealFile", "=0303  Do_SobelFile",
        "=0304  Do_SoDogFile", "=0305  Do_Rotate8SQRTFile", "=0306  Do_Rotate8MaxFile",
        "=0307  Ratboy", "=0308  Batgirl", "=0309  Do_SlopeFile8", "=0310  Do_SlopeFile6",
        "=0311  Do_SlopeFile r2 8", "=0312  Do_SlopeDir"};
    // clang-format on
    FilterDirectory = "/nowhere/";
    for (int item = 0; item < 12; ++item) {
        SCOPED_TRACE(codes[item]);
        const bool autoRange = item % 3 == 1;
        SetProcessingChoice(autoRange ? 3 : 0);
        const std::string before = FilterDirectory;
        W->FiledFiltersRG->button(item)->click();
        W->FiledFRG->button(2)->click();
        Scene();
        if (item < 11) Rec.FileAnswers.push_back(files[item]);
        const Lines lines = Record([&] { W->SpeedButton1->click(); }, item == 0);
        const std::string dir = item < 11 ? files[item].substr(0, files[item].rfind('/') + 1) : "";
        const Lines want = item < 11
                               ? Lines{codes[item], dir, files[item], "2", autoRange ? "1" : "0"}
                               : Lines{codes[item], "2"};
        EXPECT_EQ(lines, want);
        EXPECT_TRUE(Rec.ErrorBoxes.empty()) << Rec.Summary();
        if (item < 11) {
            ASSERT_EQ(Rec.FileRequests.size(), 1u);
            EXPECT_EQ(Rec.FileRequests[0].Filter, FiledFilterDialogFilter(item));
            EXPECT_EQ(Rec.FileRequests[0].InitialDir, before);
            EXPECT_EQ(FilterDirectory, dir);
        } else {
            EXPECT_TRUE(Rec.FileRequests.empty());
        }
        W->FiledFRG->button(0)->click();
        ExpectPlaysBack(lines);
        EXPECT_EQ(W->FiledFRG->checkedId(), 2);
    }
}

// A cancelled dialog changes and records nothing. A file the filter cannot read moves the filter
// folder and ends in the error box, the busy cursor comes back, and nothing is recorded or logged:
// only a run that happened is.
TEST_F(FilterRunPages, LoadAndProcessCancelsQuietlyAndRestoresTheCursorOnFailure) {
    Scene();
    std::vector<bool> cursor;
    Hooks.SetBusyCursor = [&cursor](bool busy) { cursor.push_back(busy); };
    const std::vector<uint32_t> before = DisplayedPicture.Pixels;
    FilterDirectory = "/kept/";
    Record([&] { W->SpeedButton1->click(); }, false);
    EXPECT_TRUE(Rec.MacroLines.empty());
    EXPECT_EQ(FilterDirectory, "/kept/");
    EXPECT_EQ(DisplayedPicture.Pixels, before);
    EXPECT_TRUE(cursor.empty());

    ASSERT_TRUE(WriteFileAtomic(Tmp.File("short.RL3"), std::vector<uint8_t>(35, 1),
                                TReplaceLeave::Chosen(Tmp.File("short.RL3"))));
    const struct {
        const char* Name;
        const char* Error;
    } refused[] = {{"missing.RL3", "File not found"}, {"short.RL3", "Read beyond end of file"}};
    for (const auto& r : refused) {
        SCOPED_TRACE(r.Name);
        Rec.Clear();
        cursor.clear();
        Rec.FileAnswers.push_back(Tmp.File(r.Name));
        Record([&] { W->SpeedButton1->click(); }, false);
        EXPECT_TRUE(Rec.MacroLines.empty());
        EXPECT_EQ(Rec.HistorySaves, 0);
        EXPECT_EQ(FilterDirectory, Tmp.Path());
        EXPECT_EQ(Rec.ErrorBoxes, std::vector<std::string>{r.Error});
        EXPECT_EQ(DisplayedPicture.Pixels, before);
        ASSERT_FALSE(cursor.empty());
        EXPECT_TRUE(cursor.front());
        EXPECT_FALSE(cursor.back());
    }
    // A name the filters refuse runs nothing and records nothing either.
    Rec.Clear();
    Rec.FileAnswers.push_back(Tmp.File("k.RX3"));
    Record([&] { W->SpeedButton1->click(); }, false);
    EXPECT_TRUE(Rec.Shown(39982)) << Rec.Summary();
    EXPECT_TRUE(Rec.MacroLines.empty());
    EXPECT_EQ(DisplayedPicture.Pixels, before);
}

TEST_F(FilterRunPages, RankedEdgeEditsStartWithTheirDefaultsAndTexturesPageIsDisabled) {
    const std::pair<QLineEdit*, const char*> edits[] = {
        {W->MinEdit, "3"},         {W->MaxEdit, "5"},           {W->OpenEdit, "9"},
        {W->OpenEdit2, "3"},       {W->CloseEdit, "3"},         {W->CloseEdit2, "9"},
        {W->MedianEdit, "7"},      {W->RangeEdit, "5"},         {W->LowRangeEdit, "3"},
        {W->VarianceEdit, "3"},    {W->TopHatEdit, "3"},        {W->TopHatEdit2, "20"},
        {W->RollingBallEdit, "3"}, {W->RollingBallEdit2, "20"}, {W->IRTopHatEdit, "9"},
        {W->IRTopHatEdit2, "9"},   {W->IRRollingBallEdit, "3"}, {W->IRRollingBallEdit2, "9"}};
    for (const auto& [edit, text] : edits)
        EXPECT_EQ(edit->text().toStdString(), text) << edit->objectName().toStdString();
    EXPECT_FALSE(W->TexturesPage->isEnabled());
    EXPECT_EQ(W->FiledFiltersRG->checkedId(), 0);
}

// Shown, the toggle group ticks the first option set in the order 0..1..255, -1..0..1, Auto, and
// leaves that one alone set (clipping when none is), so what runs is what the group shows, also
// after a macro has set several. A click then sets exactly the chosen option.
TEST_F(FilterRunPages, TogglesShowTheSetOptionAndAClickSetsOnlyItsOwn) {
    using Set = std::array<bool, 4>; // clip, 0..1..255, below zero, auto
    const auto options = [] {
        return Set{ClipOption, Scale0To255Option, BelowZeroOption, AutoRangeOption};
    };
    const struct {
        Set Before;
        int Shown;
    } shows[] = {{{false, false, false, false}, 0}, {{true, false, false, false}, 0},
                 {{false, true, false, false}, 1},  {{false, false, true, false}, 2},
                 {{false, false, false, true}, 3},  {{true, true, true, true}, 1},
                 {{true, false, true, true}, 2},    {{true, false, false, true}, 3}};
    for (const auto& c : shows) {
        W->hide();
        ClipOption = c.Before[0];
        Scale0To255Option = c.Before[1];
        BelowZeroOption = c.Before[2];
        AutoRangeOption = c.Before[3];
        W->show();
        EXPECT_EQ(W->TogglesRG->checkedId(), c.Shown) << c.Shown;
        Set only{};
        only[static_cast<size_t>(c.Shown)] = true;
        EXPECT_EQ(options(), only) << c.Shown;
    }
    for (int item : {3, 1, 0, 2}) {
        ClipOption = Scale0To255Option = BelowZeroOption = AutoRangeOption = true;
        W->TogglesRG->button(item)->click();
        Set only{};
        only[static_cast<size_t>(item)] = true;
        EXPECT_EQ(options(), only) << item;
    }
}

// The "Filed Filters" page has its own Help and Close; Close closes the window.
TEST_F(FilterRunPages, FiledFiltersPageHasHelpAndClose) {
    QWidget* page = W->PageControl1->widget(0);
    ASSERT_NE(W->FFHelpBtn, nullptr);
    EXPECT_TRUE(page->isAncestorOf(W->FFHelpBtn));
    EXPECT_TRUE(page->isAncestorOf(W->FFCloseBtn));
    EXPECT_EQ(W->FFHelpBtn->text(), "Help");
    W->FFHelpBtn->click();
    EXPECT_TRUE(Rec.ErrorBoxes.empty()) << Rec.Summary();
    EXPECT_TRUE(W->isVisible());
    W->FFCloseBtn->click();
    EXPECT_FALSE(W->isVisible());
}

// The "Filed Filters" page's Help opens the guide at that page's topic.
class FiledFiltersHelp : public GuiStartup {};

TEST_F(FiledFiltersHelp, OpensTopic9200) {
    ASSERT_TRUE(WriteFileAtomic(Dir.File("Vorn.html"), std::string("<html></html>"),
                                TReplaceLeave::Chosen(Dir.File("Vorn.html"))));
    Form->HelpFile = Dir.File("Vorn.html");
    auto* editor = static_cast<TFEditForm*>(Form->ToolForm(tfFEdit));
    ASSERT_NE(editor, nullptr);
    editor->FFHelpBtn->click();
    ASSERT_EQ(Rec->OpenedDocuments.size(), 1u) << Rec->Summary();
    const std::string& url = Rec->OpenedDocuments[0];
    EXPECT_EQ(url.substr(url.find('#') + 1), "topic-9200");
}

} // namespace
