#include "runtime/RtFiles.h"
#include "shell/ui/AllSplash.h"
#include "support/GuiStartup.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace {

void CopySample(const std::string& to) {
    std::vector<uint8_t> bytes = FileBytes(TestData("aerial/aero1.png"));
    ASSERT_TRUE(WriteFileAtomic(to, bytes, TReplaceLeave::Chosen(to)));
}

QString Q(const std::string& s) {
    return QString::fromLocal8Bit(s);
}

} // namespace

using Startup = GuiStartup;

TEST_F(Startup, FirstStartShowsMessage2AndPlacesTheWindowASecondStartShowsNothing) {
    Form->FormCreate({});
    EXPECT_TRUE(Rec->Shown(2)) << Rec->Summary();
    EXPECT_EQ(FileSizeOf(Dir.File("Vorn.pof")), static_cast<int64_t>(OptionsRecordSize));
    EXPECT_EQ(Form->pos(), QPoint(10, 10));
    ASSERT_TRUE(Form->SplashScreen);
    EXPECT_TRUE(Form->SplashScreen->isVisible());
    FormPositions[fpMain] = {40, 50};
    SaveOptions();
    FormPositions[fpMain] = {0, 0};
    TVORNForm* second = NewForm();
    second->FormCreate({});
    EXPECT_TRUE(Rec->Messages.empty()) << Rec->Summary();
    EXPECT_EQ(second->pos(), QPoint(40, 50));
}

TEST_F(Startup, DamagedOptionsFileIsReportedAndTheStartGoesOn) {
    ASSERT_TRUE(WriteFileAtomic(Dir.File("Vorn.pof"), std::string(100, 'x'),
                                TReplaceLeave::Chosen(Dir.File("Vorn.pof"))));
    CopySample(Dir.File("scene.png"));
    Form->FormCreate({Dir.File("scene.png")});
    EXPECT_EQ(Rec->ErrorBoxes.size(), 1u) << Rec->Summary();
    EXPECT_EQ(Form->pos(), QPoint(10, 10));
    QCoreApplication::processEvents();
    EXPECT_EQ(CurrentImageName, "scene.png");
    // The damaged file stays until the next save, which keeps it aside and says so.
    EXPECT_EQ(FileSizeOf(Dir.File("Vorn.pof")), 100);
    Rec->Clear();
    Form->close();
    EXPECT_EQ(FileSizeOf(Dir.File("Vorn.pof.damaged")), 100);
    EXPECT_EQ(FileSizeOf(Dir.File("Vorn.pof")), static_cast<int64_t>(OptionsRecordSize));
    ASSERT_EQ(Rec->Messages.size(), 1u) << Rec->Summary();
    EXPECT_NE(Rec->Messages[0].Text.find("kept as " + Dir.File("Vorn.pof.damaged")),
              std::string::npos);
}

// The folder and name of a picture that cannot be read are never taken: the options would keep
// that folder, and a later Save As or recording would name the file that failed.
TEST_F(Startup, APngArgumentThatFailsToLoadLeavesFolderAndNameAsTheyWere) {
    ASSERT_TRUE(WriteFileAtomic(Dir.File("notes.png"), std::string("not a picture"),
                                TReplaceLeave::Chosen(Dir.File("notes.png"))));
    Form->FormCreate({Dir.File("notes.png")});
    TWorkingFolder folder = ImageDirectory;
    const std::string name = CurrentImageName;
    EXPECT_FALSE(folder == Dir.Path());
    QCoreApplication::processEvents();
    EXPECT_EQ(Rec->ErrorBoxes.size(), 1u) << Rec->Summary();
    EXPECT_TRUE(ImageDirectory == WorkingFolderText(folder));
    EXPECT_EQ(CurrentImageName, name);
    EXPECT_TRUE(DisplayedPicture.Empty());
    EXPECT_EQ(FileText(Dir.File("notes.png")), "not a picture");
}

TEST_F(Startup, OnePngArgumentOpensThePictureOnceTheLoopRuns) {
    const struct {
        const char* FileName;
        int Arguments;
        bool Relative, Opens;
    } cases[] = {{"scene.PNG", 1, false, true},
                 {"scene.pNg", 1, true, true},
                 {"scene.bmp", 1, false, false},
                 {"scene.PNG", 2, false, false}};
    const QString cwd = QDir::currentPath();
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.FileName) + " x" + std::to_string(c.Arguments));
        CopySample(Dir.File(c.FileName));
        TVORNForm* form = NewForm();
        // The load runs in the operation frame: commands are refused while it lasts.
        bool busyWhileLoading = false;
        Hooks.LoadOrMakeHistogramFiles = [&] { busyWhileLoading = ImageOperationBusy; };
        DisplayedPicture = Picture();
        ImageDirectory.clear();
        SetImageName(CurrentImageFolder, "");
        if (c.Relative) QDir::setCurrent(Q(Dir.Path()));
        const std::string arg = c.Relative ? std::string(c.FileName) : Dir.File(c.FileName);
        form->FormCreate(std::vector<std::string>(c.Arguments, arg));
        QDir::setCurrent(cwd);
        EXPECT_TRUE(DisplayedPicture.Empty());
        QCoreApplication::processEvents();
        EXPECT_EQ(ImageDirectory == Dir.Path(), c.Opens);
        EXPECT_EQ(CurrentImageName, c.Opens ? c.FileName : "");
        EXPECT_EQ(DisplayedPicture.Width, c.Opens ? 640 : 0);
        EXPECT_EQ(busyWhileLoading, c.Opens);
        EXPECT_FALSE(ImageOperationBusy);
        std::remove(Dir.File(c.FileName).c_str());
    }
}

TEST_F(Startup, ANameThatIsNotUtf8OpensAndTheCaptionShowsItAsTheDesktopDoes) {
    const std::pair<const char*, QString> cases[] = {
        {"caf\xE9.png", QString("caf") + QChar(0xFFFD) + ".png"}, // Latin-1
        {"caf\xC3\xA9.png", QString::fromUtf8("caf\xC3\xA9.png")},
    };
    for (const auto& [name, shown] : cases) {
        CopySample(Dir.File(name));
        TVORNForm* form = NewForm();
        TVORNForm::InstallPictureFileHooks();
        form->FormCreate({Dir.File(name)});
        QCoreApplication::processEvents();
        EXPECT_TRUE(Rec->ErrorBoxes.empty()) << Rec->Summary();
        EXPECT_EQ(CurrentImageName, name);
        EXPECT_EQ(DisplayedPicture.Width, 640) << name;
        EXPECT_EQ(form->windowTitle(), "VORN KEEL  Image is: " + shown);
    }
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
    safety.callOnTimeout([] { QCoreApplication::exit(99); });
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

TEST_F(Startup, ClosingTheMainWindowSavesItsPlaceAndFreesTheBuffers) {
    Form->FormCreate({});
    Form->show();
    Form->move(33, 44);
    DisplayedPicture.Resize(8, 8);
    AllocImageBuffers();
    Rec->Clear();
    // An operation whose loop let the close in still works on the buffers.
    ArriveDuringOperation([&] { Form->close(); });
    EXPECT_TRUE(Form->isVisible());
    EXPECT_TRUE(ImageBuffersAllocated);
    Form->F_ExitClick();
    EXPECT_FALSE(Form->isVisible());
    EXPECT_FALSE(ImageBuffersAllocated);
    FormPositions[fpMain] = {0, 0};
    LoadOptions();
    EXPECT_EQ(FormPositions[fpMain].Left, 33);
    EXPECT_EQ(FormPositions[fpMain].Top, 44);
    EXPECT_TRUE(Rec->Messages.empty()) << Rec->Summary();
}

// The failure is reported once: the options used to be saved, and refused, twice on the way out.
TEST_F(Startup, AFailedOptionsSaveDoesNotKeepTheProgramOpen) {
    Form->FormCreate({});
    Form->show();
    SetOptionsFilePathForTests(Dir.Path() + "missing/Vorn.pof");
    Rec->Clear();
    Form->close();
    EXPECT_FALSE(Form->isVisible());
    EXPECT_EQ(Rec->ErrorBoxes, std::vector<std::string>{"File access denied"});
}
