#include "runtime/RtFiles.h"
#include "shell/ui/AllSplash.h"
#include "shell/ui/vImageView.h"
#include "shell/ui/vToolWindow.h"
#include "shell/ui/vUEnabler.h"
#include "shell/vToolForms.h"
#include "shell/vToolModes.h"
#include "support/GuiStartup.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QStatusTipEvent>
#include <QTimer>

namespace {

void CopySample(const std::string& to) {
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(ReadWholeFile(SharedData("aerial/aero1.png"), bytes));
    ASSERT_TRUE(WriteFileAtomic(to, bytes));
}

QString Q(const std::string& s) {
    return QString::fromLocal8Bit(s);
}

} // namespace

using Startup = GuiStartup;

TEST_F(Startup, FirstStartShowsMessage2WritesTheDefaultsAndPlacesTheWindow) {
    ASSERT_FALSE(FileExists(Dir.File("Vorn.pof")));
    Form->FormCreate({});
    EXPECT_TRUE(Rec->Shown(2)) << Rec->Summary();
    EXPECT_EQ(FileSizeOf(Dir.File("Vorn.pof")), static_cast<int64_t>(OptionsRecordSize));
    EXPECT_EQ(Form->pos(), QPoint(10, 10));
    EXPECT_EQ(FormPositions[fpSystemInfo].Left, 123);
    EXPECT_TRUE(ClipOption);
    EXPECT_EQ(ImageDirectory, ExecutableDirectory());
    ASSERT_TRUE(Form->SplashScreen);
    EXPECT_TRUE(Form->SplashScreen->isVisible());
    EXPECT_EQ(Form->SplashScreen->CaptionLabel->text(), "VORN KEEL");
    EXPECT_EQ(Form->SplashScreen->Timer->interval(), 2000);
    EXPECT_EQ(Form->HelpFile, ExecutableDirectory() + "Vorn.HLP");
    EXPECT_EQ(Rec->TerminateRequests, 0);
}

TEST_F(Startup, SecondStartShowsNoMessageAndTakesTheSavedPlace) {
    Form->FormCreate({});
    FormPositions[fpMain] = {40, 50};
    SaveOptions();
    FormPositions[fpMain] = {0, 0};
    TVORNForm* second = NewForm();
    second->FormCreate({});
    EXPECT_TRUE(Rec->Messages.empty()) << Rec->Summary();
    EXPECT_EQ(second->pos(), QPoint(40, 50));
}

TEST_F(Startup, DamagedOptionsFileIsReportedAndTheStartGoesOn) {
    ASSERT_TRUE(WriteFileAtomic(Dir.File("Vorn.pof"), std::string(100, 'x')));
    QAction* save = Form->SaveButton;
    save->setEnabled(true);
    CopySample(Dir.File("scene.png"));
    Form->FormCreate({Q(Dir.File("scene.png"))});
    EXPECT_EQ(Rec->ErrorBoxes.size(), 1u) << Rec->Summary();
    EXPECT_EQ(Form->pos(), QPoint(10, 10));
    EXPECT_FALSE(save->isEnabled());
    EXPECT_EQ(CurrentImageName, "scene.png");
    // The damaged file stays until the next save replaces it.
    EXPECT_EQ(FileSizeOf(Dir.File("Vorn.pof")), 100);
}

TEST_F(Startup, OnePngArgumentOpensThePictureOnceTheLoopRuns) {
    const struct {
        const char* FileName;
        int Arguments;
        bool Relative;
        bool Opens;
    } cases[] = {
        {"scene.PNG", 1, false, true},      {"scene.png", 1, false, true},
        {"scene.pNg", 1, false, true},      {"scene.PNG", 1, true, true},
        {"scene.bmp", 1, false, false},     {"scene.PNG", 2, false, false},
        {"scene.PNG.txt", 1, false, false},
    };
    const QString cwd = QDir::currentPath();
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.FileName) + " x" + std::to_string(c.Arguments) +
                     (c.Relative ? " relative" : ""));
        CopySample(Dir.File(c.FileName));
        TVORNForm* form = NewForm();
        DisplayedPicture = Picture();
        ImageDirectory.clear();
        CurrentImageName.clear();
        if (c.Relative) QDir::setCurrent(Q(Dir.Path()));
        const QString arg = c.Relative ? QString(c.FileName) : Q(Dir.File(c.FileName));
        QStringList args;
        for (int i = 0; i < c.Arguments; ++i)
            args << arg;
        form->FormCreate(args);
        QDir::setCurrent(cwd);
        EXPECT_TRUE(DisplayedPicture.Empty());
        QCoreApplication::processEvents();
        if (c.Opens) {
            EXPECT_EQ(ImageDirectory, Dir.Path());
            EXPECT_EQ(CurrentImageName, c.FileName);
            EXPECT_EQ(DisplayedPicture.Width, 640);
            EXPECT_EQ(DisplayedPicture.Height, 480);
        } else {
            EXPECT_NE(ImageDirectory, Dir.Path());
            EXPECT_EQ(CurrentImageName, "");
            EXPECT_TRUE(DisplayedPicture.Empty());
        }
        std::remove(Dir.File(c.FileName).c_str());
    }
}

TEST_F(Startup, DisplayCheckAcceptsOnlyTrueColour) {
    const struct {
        int Depth;
        bool Convert32;
        bool Accepted;
        int Message;
    } cases[] = {
        {24, true, true, 0},   {32, false, true, 0},  {32, true, true, 40},
        {16, true, false, 11}, {8, false, false, 11}, {30, false, false, 11},
    };
    for (const auto& c : cases) {
        Rec->Clear();
        Rec->ScreenDepth = c.Depth;
        DisplayConvert32Option = c.Convert32;
        EXPECT_EQ(Form->CheckTrueColorDisplay(), c.Accepted) << c.Depth;
        if (c.Message) {
            EXPECT_TRUE(Rec->Shown(c.Message)) << c.Depth;
        } else {
            EXPECT_TRUE(Rec->Messages.empty()) << c.Depth;
        }
    }
    DisplayConvert32Option = false;
}

TEST_F(Startup, TerminateDuringStartUpEndsWithoutEnteringTheLoop) {
    Rec->ScreenDepth = 16;
    Hooks.RequestTerminate = [] { TVORNForm::RequestTerminate(); };
    Form->FormCreate({});
    EXPECT_TRUE(Rec->Shown(11));
    EXPECT_FALSE(Form->SplashScreen);
    EXPECT_TRUE(TVORNForm::TerminateRequested);
    // The rest of the start-up still ran.
    EXPECT_TRUE(FileExists(Dir.File("Vorn.pof")));

    QTimer safety;
    safety.setSingleShot(true);
    QObject::connect(&safety, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    safety.start(3000);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(TVORNForm::RunMessageLoop(*Form), 0);
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_FALSE(Form->isVisible());

    // Dialogs still wait for their answer after the request.
    QEventLoop dialogLoop;
    QTimer::singleShot(50, &dialogLoop, &QEventLoop::quit);
    clock.restart();
    dialogLoop.exec();
    EXPECT_GE(clock.elapsed(), 40);
}

TEST_F(Startup, MenuDefaultsClearEveryModeAndResetTheSession) {
    bool* const flags[] = {&ZoomMode,           &PixelValuesMode,  &PixelBoxDragging,
                           &LineProfileMode,    &LineProfileDown,  &ClassMethodCycleMode,
                           &RGBScreenMode,      &CMYScreenMode,    &ObjectMarkArmed,
                           &ObjectMarkDragging, &MeasuredMode,     &MeasureDragging,
                           &TrainingArmed,      &TrainingDragging, &SnakeMode,
                           &LabelPlaceArmed,    &LogToDIP,         &MacroRecording};
    for (bool* f : flags)
        *f = true;
    QAction* log = Form->LogtoDIP;
    log->setChecked(true);
    ProcessMaxValue = 17.0;
    ProcessMinValue = 3.0;
    RotateImageIndex = 3;
    DisplayedPicture.Resize(4, 3);
    AllocImageBuffers();
    CopyImageForProcessing();
    Form->Do_MenuDefaults();
    for (size_t i = 0; i < std::size(flags); ++i)
        EXPECT_FALSE(*flags[i]) << i;
    EXPECT_FALSE(log->isChecked());
    EXPECT_EQ(ProcessMaxValue, 0.0);
    EXPECT_EQ(ProcessMinValue, 255.0);
    EXPECT_EQ(RotateImageIndex, 1);
    EXPECT_FALSE(ImageBuffersAllocated);
    EXPECT_FALSE(ImageBuffersLocked);
}

TEST_F(Startup, StartClearsTheWindowFlagsAndTurnsTheImageCommandsOff) {
    ToolFormExists.fill(true);
    FormToFree = 9;
    PBandHdrFormExists = RegistrationMode = true;
    MagnifierHalfSize = 6;
    QAction* zoom = Form->IZ_ZoomWindow;
    QAction* labels = Form->X_LabelObjects;
    // A control of a tool window with a command's name is not the command.
    TToolWindow* tool = Form->ToolForm(tfPixelAlgebra);
    auto* toolButton = new QPushButton("Linear", tool);
    toolButton->setObjectName("LinearBtn");
    Form->UndoBtn->setEnabled(true);
    Form->FormCreate({});
    for (bool f : ToolFormExists)
        EXPECT_FALSE(f);
    EXPECT_EQ(FormToFree, 0);
    EXPECT_FALSE(PBandHdrFormExists);
    EXPECT_FALSE(RegistrationMode);
    EXPECT_EQ(MagnifierHalfSize, 32);
    EXPECT_FALSE(zoom->isEnabled());
    EXPECT_FALSE(labels->isEnabled());
    EXPECT_TRUE(toolButton->isEnabled());
    EXPECT_FALSE(Form->UndoBtn->isEnabled());
    EXPECT_FALSE(Form->I_Undo->isEnabled());
    EnableImageCommands(true);
    EnableObjectMenus(true);
    EXPECT_TRUE(zoom->isEnabled());
    EXPECT_TRUE(labels->isEnabled());
}

TEST_F(Startup, HintsGoToTheFirstStatusPanel) {
    Form->FormCreate({});
    QStatusTipEvent tip("Open image file");
    QCoreApplication::sendEvent(Form->ScrollBox1, &tip);
    EXPECT_EQ(Form->PanelText(0), "Open image file");
}

TEST_F(Startup, SessionEndLeavesAnAutostartEntryForThisProgram) {
    Form->WMEndSession();
    std::string text;
    ASSERT_TRUE(ReadWholeFile(Dir.Path() + "config/autostart/Vorn.desktop", text));
    char exe[4096];
    const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    ASSERT_GT(n, 0);
    EXPECT_NE(text.find("Exec=\"" + std::string(exe, static_cast<size_t>(n)) + "\""),
              std::string::npos)
        << text;
}

TEST_F(Startup, ClosingTheMainWindowSavesItsPlaceAndFreesTheBuffers) {
    Form->FormCreate({});
    Form->show();
    Form->move(33, 44);
    DisplayedPicture.Resize(8, 8);
    AllocImageBuffers();
    Rec->Clear();
    {
        // An operation whose loop let the close in still works on the buffers.
        OperationScope running;
        Form->F_ExitClick();
        EXPECT_TRUE(Form->isVisible());
        EXPECT_TRUE(ImageBuffersAllocated);
    }
    Form->F_ExitClick();
    EXPECT_FALSE(Form->isVisible());
    EXPECT_FALSE(ImageBuffersAllocated);
    FormPositions[fpMain] = {0, 0};
    LoadOptions();
    EXPECT_EQ(FormPositions[fpMain].Left, 33);
    EXPECT_EQ(FormPositions[fpMain].Top, 44);
    EXPECT_TRUE(Rec->Messages.empty()) << Rec->Summary();
}

TEST_F(Startup, AFailedOptionsSaveDoesNotKeepTheProgramOpen) {
    Form->FormCreate({});
    Form->show();
    SetOptionsFilePathForTests(Dir.Path() + "missing/Vorn.pof");
    Rec->Clear();
    Form->close();
    EXPECT_FALSE(Form->isVisible());
    EXPECT_FALSE(Rec->ErrorBoxes.empty());
}
