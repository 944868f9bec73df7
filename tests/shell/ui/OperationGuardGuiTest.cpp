// While a command lets window messages in, whatever the user does meanwhile is refused: every
// command button and menu command of every window, a close of each window, an Open and a Play.
// And a window that armed a mouse mode takes it with it when it closes.
#include "bandproc/ui/vDisProFrm.h"
#include "classify/ui/vClassifier.h"
#include "histogram/ui/vHistogram.h"
#include "histogram/ui/vLProfile.h"
#include "histogram/ui/vLinear.h"
#include "import/HeaderFixture.h"
#include "import/ui/vDisToDipPage.h"
#include "import/ui/vPBHdr.h"
#include "import/ui/vPBands.h"
#include "import/vBandImport.h"
#include "projections/ui/kovMemoFrm.h"
#include "shell/ui/vImageView.h"
#include "shell/ui/vMacro.h"
#include "shell/ui/vMagniForm.h"
#include "shell/ui/vOMark.h"
#include "shell/ui/vREIV.h"
#include "shell/ui/vVCScreen.h"
#include "shell/ui/vXAnnoLO.h"
#include "shell/vToolForms.h"
#include "shell/vToolModes.h"
#include "support/GuiStartup.h"
#include "support/GuiWindows.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <filesystem>

namespace {

class OperationGuard : public GuiStartup {
  protected:
    void SetUp() override {
        GuiStartup::SetUp();
        MakeEveryToolWindow(Form);
        MakeWorkScenes(Dir.Path());
        Open();
        // The import window's page ready to build a picture from the Olinda bands.
        TDisToDipPage* page = PBands->DisToDipPage;
        const std::pair<QPushButton*, const char*> choices[] = {{page->PBandHdrBtn, "olinda.dis"},
                                                                {page->PBandFileBtn1, "olinda.B4"},
                                                                {page->PBandFileBtn2, "olinda.B3"},
                                                                {page->PBandFileBtn3, "olinda.B2"}};
        for (const auto& [button, file] : choices) {
            Rec->FileAnswers.push_back(Dir.File(file));
            button->click();
        }
        PBands->BandFileSaveAs->setText("built");
        Rec->Clear();
    }
    void TearDown() override {
        ClearToolModes();
        ObjectMarks.Clear();
        TextLabels.Clear();
        SelectedBandFiles.fill("");
        DISPictureFolder.clear();
        GuiStartup::TearDown();
    }

    void Open() {
        ClearToolModes();
        ASSERT_TRUE(Form->LoadFromFile(Dir.File("scene.png"))) << Rec->Summary();
        Form->show();
    }
    std::vector<QPointer<TToolWindow>> Windows() const { return ToolWindowsOf(Form); }
};

// What a refused arrival must leave as it was (the pixels are compared once the arrivals of a
// yield are done).
struct Observed {
    int Width, Height;
    std::string Name;
    size_t MacroLines, HistoryLines, Messages, ErrorBoxes;
    std::vector<bool> Shown;
    bool operator==(const Observed&) const = default;
};

TEST_F(OperationGuard, NothingArrivingDuringACommandRunsOrIsRecorded) {
    MacroRecording = LogToDIP = true;
    const DialogCloser closer;

    const auto observe = [this](const std::vector<QPointer<TToolWindow>>& windows) {
        Observed o{DisplayedPicture.Width, DisplayedPicture.Height,  CurrentImageName,
                   Rec->MacroLines.size(), Rec->HistoryLines.size(), Rec->Messages.size(),
                   Rec->ErrorBoxes.size(), {Form->isVisible()}};
        for (const auto& w : windows)
            o.Shown.push_back(w && w->isVisible());
        return o;
    };

    const std::vector<QPointer<TToolWindow>> windows = Windows();
    const std::vector<Command> commands = EveryCommand(Form, windows);
    ASSERT_GT(commands.size(), 200u);
    const QPointer<QAbstractButton> play = MacroForm->PlayBtn;
    const std::vector<std::string> macro{"Raster Macro File", "", "", "=0202  PixelRatios", "4"};

    size_t running = 0;
    int yields = 0;
    bool inCommand = false, delivering = false;
    Hooks.ProcessMessages = [&] {
        if (!inCommand || delivering || HasFailure()) return;
        delivering = true;
        ++yields;
        const std::deque<std::string> answers = Rec->FileAnswers;
        const Observed before = observe(windows);
        const std::vector<uint32_t> pixels = DisplayedPicture.Pixels;
        for (size_t k = 0; k < commands.size(); ++k) {
            if (k == running || commands[k].MidRun || !commands[k].Enabled()) continue;
            // An Open that went through would load this picture.
            Rec->FileAnswers = {Dir.File("olinda_rgb.png")};
            commands[k].Run();
            if (observe(windows) != before) {
                ADD_FAILURE() << commands[k].Name.toStdString() << " ran during "
                              << commands[running].Name.toStdString() << "\n"
                              << Rec->Summary();
                break;
            }
        }
        for (const auto& w : windows)
            if (w) w->close();
        Form->close();
        if (play) play->click();
        EXPECT_TRUE(observe(windows) == before && DisplayedPicture.Pixels == pixels)
            << "a close or Play went through during " << commands[running].Name.toStdString();
        Rec->FileAnswers = answers;
        delivering = false;
    };
    std::filesystem::copy_file(TestData("landsat7-olinda/olinda_rgb432.png"),
                               Dir.File("olinda_rgb.png"));

    for (running = 0; running < commands.size(); ++running) {
        Open();
        for (const auto& w : windows)
            if (w) w->show();
        MacroForm->SetLines(macro);
        MacroRecording = LogToDIP = true;
        Rec->FileAnswers.clear();
        inCommand = true;
        if (commands[running].Enabled()) commands[running].Run();
        inCommand = false;
        if (HasFailure()) break;
    }
    EXPECT_GT(yields, 0);
}

} // namespace

namespace {

struct ModeCase {
    const char* Name;
    bool* Mode;
    // Arms the mode as the user does; returns the window that armed it.
    std::function<TToolWindow*(TVORNForm*)> Arm;
};

TToolWindow* ArmObjectMarker(TVORNForm* form) {
    auto* w = qobject_cast<TObjectMarkForm*>(form->ShowToolForm(tfObjectMark));
    w->MousedLocationCB->setChecked(true);
    w->PlaceItBtn->click();
    return w;
}

TToolWindow* ArmLabelPlacement(TVORNForm* form) {
    auto* w = qobject_cast<TLabelObjectsForm*>(form->ShowToolForm(tfLabelObjects));
    w->MousedLocationCB->setChecked(true);
    w->PlaceBtn->click();
    return w;
}

TToolWindow* ArmTraining(TVORNForm* form) {
    auto* w = qobject_cast<TClassificationForm*>(form->ShowToolForm(tfClassification));
    w->PBoxTrain->click();
    return w;
}

TToolWindow* ClickIn(TToolWindow* w, QAbstractButton* button) {
    w->show();
    button->click();
    return w;
}

} // namespace

TEST_F(OperationGuard, AClosedWindowTakesItsMouseModeWithItAndLeavesTheOthers) {
    const ModeCase cases[] = {
        {"object marker", &ObjectMarkArmed, ArmObjectMarker},
        {"label placement", &LabelPlaceArmed, ArmLabelPlacement},
        {"training", &TrainingArmed, ArmTraining},
        {"measured", &MeasuredMode,
         [](TVORNForm*) { return ClickIn(LinearForm, LinearForm->MeasuredBtn); }},
        {"snake", &SnakeMode, [](TVORNForm*) { return ClickIn(LinearForm, LinearForm->SnakeBtn); }},
        {"line profile", &LineProfileMode,
         [](TVORNForm*) -> TToolWindow* {
             ClickIn(LinearForm, LinearForm->ProfileBtn);
             return LineProfileForm;
         }},
        {"class method cycle", &ClassMethodCycleMode,
         [](TVORNForm*) { return ClickIn(HistogramForm, HistogramForm->H_SCDisplayALLBtn); }},
        {"registration", &RegistrationMode,
         [](TVORNForm*) { return ClickIn(PBands, PBands->StartRegBtn); }},
        {"magnifier", &ZoomMode,
         [](TVORNForm* form) -> TToolWindow* {
             form->IZ_ZoomWindow->trigger();
             return MagniForm;
         }},
    };
    for (const ModeCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Open();
        const std::vector<uint32_t> loaded = DisplayedPicture.Pixels;
        // Another window's mode armed first, which the close must leave armed.
        const bool trainingIsOther = c.Mode != &TrainingArmed;
        bool& other = trainingIsOther ? TrainingArmed : LabelPlaceArmed;
        (trainingIsOther ? ArmTraining : ArmLabelPlacement)(Form);
        QPointer<TToolWindow> window = c.Arm(Form);
        ASSERT_TRUE(window);
        ASSERT_TRUE(*c.Mode);
        window->close();
        EXPECT_FALSE(*c.Mode);
        EXPECT_TRUE(other);
        if (!trainingIsOther) other = false;
        TrainingSites = {};
        QTest::mousePress(Form->Image1, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseMove(Form->Image1, QPoint(30, 20));
        QTest::mouseMove(Form->Image1, QPoint(50, 40));
        QTest::mouseRelease(Form->Image1, Qt::LeftButton, {}, QPoint(50, 40));
        EXPECT_TRUE(DisplayedPicture.Pixels == loaded);
        // The drag went to the mode left armed: the class chosen in the other window is trained.
        if (trainingIsOther) EXPECT_GT(TrainingSites[1].Count, 0);
        EXPECT_TRUE(Rec->ErrorBoxes.empty()) << Rec->Summary();
        ClearToolModes();
    }
}
