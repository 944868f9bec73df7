// The main window's start-up, shut-down and the lifetime of the tool windows: the creation
// sequence, the display check and splash, the per-session reset, the deferred free of on-demand
// windows by the one-shot timer, the end of the desktop session and the main window's close.
#include "algebra/ui/vFEditor.h"
#include "algebra/ui/vPixelAlgebra.h"
#include "bandproc/ui/vFFTFrm.h"
#include "classify/ui/vClassifier.h"
#include "import/vHeaderState.h"
#include "platform/PlAutostart.h"
#include "platform/PlSound.h"
#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "shell/ui/AllSplash.h"
#include "shell/ui/vHelp.h"
#include "shell/ui/vInfo.h"
#include "shell/ui/vOMark.h"
#include "shell/ui/vPSize.h"
#include "shell/ui/vScreenPlace.h"
#include "shell/ui/vSysInfo.h"
#include "shell/ui/vUEnabler.h"
#include "shell/ui/vVorn.h"
#include "shell/ui/vXAnnoLO.h"
#include "shell/vColorScreens.h"
#include "shell/vGlobal.h"
#include "shell/vMarkLists.h"
#include "shell/vToolForms.h"
#include "shell/vToolModes.h"

#include <QAction>
#include <QApplication>
#include <QSessionManager>
#include <QStatusTipEvent>
#include <QTimer>

#include <filesystem>

bool TVORNForm::TerminateRequested = false;

namespace {

// The on-demand windows: how each is found and made. The window object of a code lives in its
// unit's guarded pointer, so a freed window reads as null everywhere at once.
struct ToolFormEntry {
    int Code;
    bool Modal;
    TToolWindow* (*Existing)();
    TToolWindow* (*Create)(QWidget* owner);
};

template <typename T> TToolWindow* Make(QPointer<T>& holder, QWidget* owner) {
    holder = new T(owner);
    return holder;
}

const ToolFormEntry ToolForms[] = {
    {tfSystemInfo, false, []() -> TToolWindow* { return SystemInfoForm; },
     [](QWidget* o) { return Make(SystemInfoForm, o); }},
    {tfInfo, true, []() -> TToolWindow* { return FrInfo; },
     [](QWidget* o) { return Make(FrInfo, o); }},
    {tfPrintersize, true, []() -> TToolWindow* { return PrintersizeForm; },
     [](QWidget* o) { return Make(PrintersizeForm, o); }},
    {tfPixelAlgebra, false, []() -> TToolWindow* { return PixelAlgebraForm; },
     [](QWidget* o) { return Make(PixelAlgebraForm, o); }},
    {tfFEdit, false, []() -> TToolWindow* { return FEditForm; },
     [](QWidget* o) { return Make(FEditForm, o); }},
    {tfClassification, false, []() -> TToolWindow* { return ClassificationForm; },
     [](QWidget* o) { return Make(ClassificationForm, o); }},
    {tfLabelObjects, false, []() -> TToolWindow* { return LabelObjectsForm; },
     [](QWidget* o) { return Make(LabelObjectsForm, o); }},
    {tfObjectMark, false, []() -> TToolWindow* { return ObjectMarkForm; },
     [](QWidget* o) { return Make(ObjectMarkForm, o); }},
    {tfFFT, false, []() -> TToolWindow* { return FFTForm; },
     [](QWidget* o) { return Make(FFTForm, o); }},
};

const ToolFormEntry* FindToolForm(int code) {
    for (const auto& e : ToolForms)
        if (e.Code == code) return &e;
    return nullptr;
}

void PlainMessage(const std::string& text) {
    HookShowMessage(MsgKind::Information, text, MessageX, MessageY);
}

} // namespace

QTimer* TVORNForm::MakeFreeTimer() {
    auto* timer = new QTimer(this);
    timer->setObjectName("Timer1");
    timer->setInterval(1000);
    timer->setSingleShot(true);
    connect(timer, &QTimer::timeout, this, [this] { Guarded([this] { Timer1Timer(); }); });
    return timer;
}

void TVORNForm::FormCreate(const std::vector<std::string>& arguments) {
    bool displayOk = false;
    Guarded([&] { displayOk = CheckTrueColorDisplay(); });
    if (displayOk)
        DisplaySplashScreen();
    else if (Hooks.RequestTerminate)
        Hooks.RequestTerminate();

    // A damaged options file is reported and the start goes on with the first-run values; left
    // half done, the start would skip the flags, the enablers and the command line below.
    const bool optionsRead = RunGuarded([] {
        if (!FileExists(OptionsFilePath())) {
            SetDefaultOptions();
            SaveOptions();
        } else {
            LoadOptions();
        }
    });
    if (!optionsRead) SetDefaultOptions();
    StartFlagOption = false;

    MoveToStoredPlace(*this, FormPositions[fpMain].Left, FormPositions[fpMain].Top);

    if (!BindSoundLibrary()) PlainMessage(NoSoundLibraryMessage);

    HelpFile = ExecutableDirectory() + HelpFileName;
    QCoreApplication::setApplicationName("VORN KEEL");
    qApp->installEventFilter(this);
#if QT_CONFIG(sessionmanager)
    connect(qApp, &QGuiApplication::commitDataRequest, this,
            [this](QSessionManager&) { Guarded([this] { WMEndSession(); }); });
#endif

    MagnifierHalfSize = 32;
    FormToFree = 0;
    ToolFormExists.fill(false);
    PBandHdrFormExists = false;
    RegistrationMode = false;

    Do_MenuDefaults();

    EnableImageCommands(false);
    EnableObjectMenus(false);
    UndoBtn->setEnabled(false);
    I_Undo->setEnabled(false);

    if (arguments.size() == 1 && LowerCase(ExtractFileExt(arguments[0])) == ".png") {
        // An absolute folder: ImageDirectory is saved with the options and must still name the
        // same folder when the program is started from somewhere else. The load sets it, with
        // the name, only once the picture is read: a file that fails leaves both as they were.
        // The path keeps the bytes it was given: one that is not UTF-8 would not survive a trip
        // through text.
        const std::string path =
            std::filesystem::absolute(arguments[0]).lexically_normal().string();
        // The load reaches the histogram and import windows, which the program block creates
        // after this window: it runs once the event loop starts and they all exist.
        QMetaObject::invokeMethod(
            this, [this, path] { OpenStartupPicture(path); }, Qt::QueuedConnection);
    }
}

void TVORNForm::OpenStartupPicture(const std::string& path) {
    // The load runs in the operation frame, as Open's does: it lets window messages in, and a
    // command run then would work on buffers the load is replacing.
    OperationScope scope;
    if (!scope.Acquired()) {
        // Something started before the loop reached the picture; it comes once that has ended.
        QTimer::singleShot(100, this, [this, path] { OpenStartupPicture(path); });
        return;
    }
    LoadFromFile(path);
}

bool TVORNForm::CheckTrueColorDisplay() {
    const int depth = Hooks.ScreenDepth ? Hooks.ScreenDepth() : 24;
    if (depth != 24 && depth != 32) {
        ShowMessageNumber(11);
        return false;
    }
    if (depth == 32 && DisplayConvert32Option) ShowMessageNumber(40);
    return true;
}

void TVORNForm::DisplaySplashScreen() {
    SplashScreen = new TSplashScreen(this);
    SplashScreen->SplashSet(10, 2000);
    SplashScreen->show();
    SplashScreen->repaint();
}

void TVORNForm::Do_MenuDefaults() {
    ProcessMaxValue = 0.0;
    ProcessMinValue = 255.0;
    RotateImageIndex = 1;
    if (ImageBuffersAllocated) FreeImageBuffers();
    ImageBuffersLocked = false;
    LogToDIP = false;
    LogtoDIP->setChecked(false);
    MacroRecording = false;
    ClearToolModes();
}

void TVORNForm::ShowHint(const QString& hint) {
    SetPanelText(0, hint);
}

bool TVORNForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        ShowHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    if (event->type() == QEvent::Close) Guarded([&] { ModeWindowClosing(watched); });
    if (IsHelpKeyOnControl(watched, event)) {
        // Help only opens a page: it is heard while an operation runs.
        RunGuardedMidRun([&] { ShowHelpContext(HelpContextOf(watched)); });
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TVORNForm::FreeForm() {
    Timer1->start();
}

void TVORNForm::Timer1Timer() {
    Timer1->stop();
    const ToolFormEntry* entry = FindToolForm(FormToFree);
    if (!entry) return;
    bool& exists = ToolFormExists[static_cast<size_t>(entry->Code)];
    if (TToolWindow* window = entry->Existing(); exists && window) {
        // One code cell serves every window: a window shown again within the second, or one
        // whose handler is still running (a long operation lets the timer in), is not freed
        // under the user or under its own handler; it stays, flagged, for its command to show.
        if (window->isVisible() || window->InsideHandler()) return;
        delete window;
    }
    exists = false;
}

void TVORNForm::WMEndSession() {
    WriteAutostartEntry(ExecutablePath());
}

bool TVORNForm::FormCloseQuery() {
    // A running operation lets window messages in from its loops and goes on working on the
    // buffers and windows the close would free: the close waits until it has ended.
    if (ArrivesDuringOperation()) return false;
    FormPositions[fpMain] = StoredPlace(*this);
    // A failed save is reported; it does not keep the user from leaving.
    RunGuarded([] { SaveOptions(); });
    return true;
}

// The options were saved by FormCloseQuery, the only way here: a second save would report a
// failure twice.
void TVORNForm::FormClose() {
    ObjectMarks.Clear();
    TextLabels.Clear();
    RegistrationPoints.clear();
    if (ImageBuffersAllocated) FreeImageBuffers();
    if (RotateImagesExist()) FreeRotateImages();
    QCoreApplication::processEvents();
    QCoreApplication::quit();
}

void TVORNForm::F_ExitClick() {
    close();
}

TToolWindow* TVORNForm::ToolForm(int code) {
    const ToolFormEntry* entry = FindToolForm(code);
    if (!entry) return nullptr;
    TToolWindow* window = entry->Existing();
    if (!window) window = entry->Create(this);
    ToolFormExists[static_cast<size_t>(code)] = true;
    return window;
}

TToolWindow* TVORNForm::ShowToolForm(int code) {
    TToolWindow* window = ToolForm(code);
    if (!window) return nullptr;
    if (FindToolForm(code)->Modal) {
        window->exec();
    } else {
        ShowLongLived(window);
    }
    return window;
}

void TVORNForm::ShowHelpContext(int context) {
    OpenDocumentAt(HelpFile, HelpTopicAnchor(context));
}

void TVORNForm::RequestTerminate() {
    TerminateRequested = true;
    QCoreApplication::quit();
}

int TVORNForm::RunMessageLoop(TVORNForm& form) {
    // A quit asked for during start-up, before the loop ran, does nothing: the flag ends the
    // program there.
    if (TerminateRequested) return 0;
    form.show();
    return QApplication::exec();
}
