// On a real X11 desktop, what a command lets in while it runs: the pointer's click on Abort ends
// a print to a file, the main window is drawn again where a box closed during the command
// covered it, and clicks made while a command that lets nothing in runs do nothing once it has
// ended. Run by scripts/desktop-tests.
#include "algebra/ui/vColorContortions.h"
#include "algebra/ui/vPixelAlgebra.h"
#include "algebra/vColorLUT.h"
#include "classify/ui/vClassifier.h"
#include "histogram/ui/vHistogram.h"
#include "runtime/RtFiles.h"
#include "shell/ui/vImageView.h"
#include "shell/ui/vPSize.h"
#include "shell/ui/vREIV.h"
#include "shell/ui/vRotate.h"
#include "shell/vToolForms.h"
#include "shell/vToolModes.h"
#include "support/DesktopSession.h"
#include "support/GuiStartup.h"
#include "support/NoisePicture.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QThread>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <QImage>

#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>

namespace {

class DesktopGate : public GuiStartup {
  protected:
    void SetUp() override {
        if (!OnDesktop()) GTEST_SKIP() << DesktopOnly;
        GuiStartup::SetUp();
        Form->FormCreate({});
    }
    static void Show(QWidget& window) {
        window.show();
        window.raise();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        ASSERT_TRUE(WaitPlaced(window));
        QTest::qWait(300);
    }
};

bool SavePng(const Picture& picture, const std::string& path) {
    return QImage(reinterpret_cast<const uchar*>(picture.Pixels.data()), picture.Width,
                  picture.Height, QImage::Format_RGB32)
        .save(QString::fromStdString(path));
}

// xdotool's words that click the middle of `control`.
QString ClickAt(const QWidget* control) {
    const QPoint p = control->mapToGlobal(control->rect().center());
    return QString("mousemove %1 %2 click 1").arg(p.x()).arg(p.y());
}

// Clicks `first` with the pointer, which starts a command; once that command is held (it says so
// beside `made`), clicks each of `then`, and then says so in `made`. However fast or loaded the
// machine, the clicks are made after the command began and before it ends.
void StartClicks(QProcess& xdotool, const QWidget* first, const std::vector<QString>& then,
                 const std::string& made) {
    QString clicks =
        QString("xdotool %1 && while [ ! -e '%2.held' ]; do sleep 0.02; done && xdotool")
            .arg(ClickAt(first), QString::fromStdString(made));
    for (const QString& click : then)
        clicks += " " + click;
    clicks += QString(" && touch '%1'").arg(QString::fromStdString(made));
    xdotool.start("sh", {"-c", clicks});
}

// Holds the running command, letting no window message in, until the clicks have been made.
void WaitUntilMade(const std::string& made) {
    QFile held(QString::fromStdString(made + ".held"));
    if (!held.open(QIODevice::WriteOnly)) return;
    held.close();
    for (const QDeadlineTimer deadline(20000); !FileExists(made) && !deadline.hasExpired();)
        QThread::msleep(20);
}

bool ClickWithThePointer(const QWidget* control) {
    const QPoint p = control->mapToGlobal(control->rect().center());
    return QProcess::execute("xdotool", {"mousemove", QString::number(p.x()),
                                         QString::number(p.y()), "click", "1"}) == 0;
}

TEST_F(DesktopGate, AbortClickedWithThePointerEndsAPrintToAFile) {
    DisplayedPicture = NoisePicture(2400, 2400, 7);
    Form->PictureChanged();
    QPrinter& printer = Form->PrinterDevice();
    printer.setOutputFormat(QPrinter::PdfFormat);
    const std::string pdf = Dir.File("print.pdf");
    printer.setOutputFileName(QString::fromLocal8Bit(pdf.c_str()));
    // Shown as its command shows it, but without a loop of its own that would hold the test.
    auto* layout = static_cast<TPrintersizeForm*>(Form->ToolForm(tfPrintersize));
    layout->setWindowModality(Qt::ApplicationModal);
    ASSERT_NO_FATAL_FAILURE(Show(*layout));
    ASSERT_TRUE(layout->ImageFits);

    int steps = 0, stepsAtAbort = 0;
    QObject::connect(layout->AbortBtn, &QPushButton::clicked, [&] { stepsAtAbort = steps; });
    // The program's own yield; at the first step of the print the pointer clicks Abort, and the
    // click is waited for, as it comes through the X server.
    Hooks.ProcessMessages = [&] {
        if (++steps == 1 && ClickWithThePointer(layout->AbortBtn))
            static_cast<void>(QTest::qWaitFor([&] { return stepsAtAbort > 0; }, 5000));
        else
            QCoreApplication::processEvents();
    };
    ASSERT_TRUE(ClickWithThePointer(layout->OKBtn));
    ASSERT_TRUE(QTest::qWaitFor([&] { return steps > 0 && !ImageOperationBusy; }, 120000));
    EXPECT_EQ(stepsAtAbort, 1);
    EXPECT_LT(steps, 5);
    ASSERT_FALSE(Rec->Messages.empty());
    EXPECT_EQ(Rec->Messages.back().Text, "Printing aborted");
    EXPECT_FALSE(FileExists(pdf));
}

TEST_F(DesktopGate, TheMainWindowIsDrawnAgainUnderABoxClosedDuringACommand) {
    constexpr QRgb Green = qRgb(20, 200, 40);
    DisplayedPicture.Resize(700, 500);
    std::fill(DisplayedPicture.Pixels.begin(), DisplayedPicture.Pixels.end(), Green);
    Form->PictureChanged();
    Form->resize(900, 700);
    ASSERT_NO_FATAL_FAILURE(Show(*Form));
    // The program's own error box and yield.
    const VornHooks recording = Hooks;
    InstallGuiHooks(Form);
    const auto errorBox = Hooks.ShowErrorBox;
    Hooks = recording;
    Hooks.ProcessMessages = [] { QCoreApplication::processEvents(); };

    QRect covered;
    int ghosts = -1;
    RunGuarded([&] {
        QTimer::singleShot(700, [&] {
            if (QWidget* box = QApplication::activeModalWidget()) {
                covered = box->frameGeometry();
                box->close();
            }
        });
        errorBox("Invalid floating point operation");
        const QRect picture(Form->Image1->mapToGlobal(QPoint(0, 0)), QSize(700, 500));
        const QRect area = covered.intersected(picture);
        ASSERT_FALSE(area.isEmpty());
        // The command goes on, letting window messages in as a long one does.
        for (int step = 0; step < 100 && ghosts != 0; ++step) {
            HookProcessMessages();
            QTest::qSleep(20);
            const QImage shown =
                Form->screen()
                    ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
                    .toImage()
                    .convertToFormat(QImage::Format_RGB32);
            ghosts = 0;
            for (int y = 0; y < shown.height(); ++y)
                for (int x = 0; x < shown.width(); ++x)
                    ghosts += (shown.pixel(x, y) & 0xFFFFFF) != (Green & 0xFFFFFF);
        }
    });
    EXPECT_EQ(ghosts, 0) << "pixels of the closed box left on the picture";
    EXPECT_TRUE(Rec->ErrorBoxes.empty()) << Rec->Summary();
}

// Open, clicked with the pointer, loads a large picture and lets no window message in while it
// does; meanwhile the pointer clicks Zoom and Pixels: the load waits until they have been made,
// however fast the machine. Once the load has ended, neither acts.
TEST_F(DesktopGate, ClicksMadeWhileACommandLetsNothingInDoNothingAfterIt) {
    const Picture large = NoisePicture(5000, 5000, 11);
    const std::string path = Dir.File("large.png");
    ASSERT_TRUE(SavePng(large, path));
    DisplayedPicture = NoisePicture(400, 300, 7);
    Form->PictureChanged();
    Form->resize(900, 700);
    ASSERT_NO_FATAL_FAILURE(Show(*Form));
    const auto button = [this](QAction* action) { return Form->ToolBar1->widgetForAction(action); };
    const std::string made = Dir.File("clicks-made");
    using Clock = std::chrono::steady_clock;
    Clock::time_point started, ended;
    bool madeDuringTheLoad = false;
    Rec->FileAnswers = {path};
    Hooks.ChooseFile = [&, choose = Hooks.ChooseFile](FileDialogRequest& r) {
        started = Clock::now();
        WaitUntilMade(made);
        return choose(r);
    };
    Hooks.PictureChanged = [&] {
        if (DisplayedPicture.Width != large.Width) return;
        ended = Clock::now();
        madeDuringTheLoad = FileExists(made);
    };
    QProcess xdotool;
    StartClicks(xdotool, button(Form->ToolButton1),
                {ClickAt(button(Form->FlyByButton)), ClickAt(button(Form->ViewPixelsBtn))}, made);
    ASSERT_TRUE(xdotool.waitForStarted());
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return xdotool.state() == QProcess::NotRunning && ended != Clock::time_point(); },
        60000));
    QTest::qWait(500);
    EXPECT_EQ(DisplayedPicture.Width, large.Width);
    EXPECT_TRUE(madeDuringTheLoad)
        << "the load took "
        << std::chrono::duration_cast<std::chrono::milliseconds>(ended - started).count()
        << " ms, the clicks came after it";
    EXPECT_FALSE(ZoomMode);
    EXPECT_FALSE(PixelValuesMode);
    EXPECT_TRUE(Rec->ErrorBoxes.empty()) << Rec->Summary();
}

// Asks the program to close `window` as a window manager does, by its protocol's message.
void CloseAsTheManagerDoes(QWidget* window) {
    xcb_connection_t* connection =
        qApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    const auto atom = [connection](const char* name) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr);
        const xcb_atom_t a = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
        std::free(reply);
        return a;
    };
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = static_cast<xcb_window_t>(window->winId());
    message.type = atom("WM_PROTOCOLS");
    message.data.data32[0] = atom("WM_DELETE_WINDOW");
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(connection, 0, message.window, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
}

// Holds the command that runs, at the first event the program handles during it (or the first of
// the kind `At`: a rotation shows nothing but its caption), until the clicks have been made.
class HoldDuring : public QObject {
  public:
    explicit HoldDuring(std::string made, QEvent::Type at = QEvent::None)
        : Made(std::move(made)), At(at) {
        qApp->installEventFilter(this);
    }
    ~HoldDuring() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (ImageOperationBusy && !Held && (At == QEvent::None || event->type() == At)) {
            Held = true;
            if (Meanwhile) Meanwhile();
            WaitUntilMade(Made);
        }
        return false;
    }
    bool Held = false;
    // What the window manager does while the command is held.
    std::function<void()> Meanwhile;

  private:
    std::string Made;
    QEvent::Type At;
};

// In the Rotate dialog, which a command of the preprocess viewer opened and whose loop is its own,
// the pointer clicks Rotate, and while the rotation runs the angle's up arrow and Keep: once it
// has ended, neither acts.
TEST_F(DesktopGate, ClicksMadeDuringARotationInItsDialogDoNothingAfterIt) {
    auto* viewer = new TREIVForm(Form);
    viewer->PreprocessPicture = NoisePicture(600, 400, 5);
    viewer->PictureChanged();
    ASSERT_NO_FATAL_FAILURE(Show(*viewer));
    const std::vector<uint32_t> shown = viewer->PreprocessPicture.Pixels;
    const std::string made = Dir.File("clicks-made");
    bool held = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TRotateForm*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
        ASSERT_TRUE(WaitPlaced(*dialog));
        QTest::qWait(300);
        QSpinBox* angle = dialog->SpinEditThetaDegrees;
        const QPoint up = angle->mapToGlobal(QPoint(angle->width() - 5, 4));
        // The rotation names its time in the caption, the one change it shows: one as fast as the
        // opening's would leave the caption as it was.
        dialog->setWindowTitle(QString());
        HoldDuring hold(made, QEvent::WindowTitleChange);
        QProcess xdotool;
        StartClicks(xdotool, dialog->SpeedButton1,
                    {QString("mousemove %1 %2 click 1").arg(up.x()).arg(up.y()),
                     ClickAt(dialog->ButtonSaveRotated)},
                    made);
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return hold.Held && xdotool.state() == QProcess::NotRunning; }, 30000));
        QTest::qWait(500);
        held = hold.Held;
        EXPECT_EQ(angle->value(), 45);
        EXPECT_TRUE(dialog->isVisible());
        dialog->done(QDialog::Rejected);
    });
    viewer->IZ_Rotate->trigger();
    EXPECT_TRUE(held);
    EXPECT_TRUE(viewer->PreprocessPicture.Pixels == shown) << "Keep went through";
    EXPECT_TRUE(Rec->ErrorBoxes.empty()) << Rec->Summary();
}

// While the colour page of Pixel Algebra previews a Negative, letting no window message in, the
// pointer clicks the classification window's Exit and the window manager asks to close it, both
// heard while the window's own run goes on: once the preview has ended, the window is still open.
TEST_F(DesktopGate, AnotherWindowClosedDuringACommandStaysOpen) {
    DisplayedPicture = NoisePicture(1500, 1500, 9);
    Form->PictureChanged();
    ASSERT_NO_FATAL_FAILURE(Show(*Form));
    auto* classes = static_cast<TClassificationForm*>(Form->ShowToolForm(tfClassification));
    ASSERT_NO_FATAL_FAILURE(Show(*classes));
    auto* algebra = static_cast<TPixelAlgebraForm*>(Form->ShowToolForm(tfPixelAlgebra));
    ASSERT_NO_FATAL_FAILURE(Show(*algebra));
    QWidget* negative = algebra->ColorContortions->FunctionButtons[lfNegative - 1];
    for (QWidget* w = negative; w; w = w->parentWidget())
        if (auto* pages = qobject_cast<QStackedWidget*>(w->parentWidget()))
            pages->setCurrentWidget(w);
    for (QWidget* w = negative; w; w = w->parentWidget())
        if (auto* tabs = qobject_cast<QTabWidget*>(w->parentWidget()))
            if (int i = tabs->indexOf(w); i >= 0) tabs->setCurrentIndex(i);
    // Side by side, each control in sight.
    const QRect screen = Form->screen()->availableGeometry();
    algebra->move(screen.topLeft());
    classes->move(screen.right() - classes->frameGeometry().width(), screen.top());
    classes->raise();
    QTest::qWait(500);
    const auto inSight = [](QWidget* control) {
        return QApplication::widgetAt(control->mapToGlobal(control->rect().center())) == control;
    };
    ASSERT_TRUE(inSight(negative));
    ASSERT_TRUE(inSight(classes->ExitButton));
    const std::string made = Dir.File("clicks-made");
    HoldDuring hold(made);
    hold.Meanwhile = [classes] { CloseAsTheManagerDoes(classes); };
    QProcess xdotool;
    StartClicks(xdotool, negative, {ClickAt(classes->ExitButton)}, made);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return hold.Held && xdotool.state() == QProcess::NotRunning && !ImageOperationBusy; },
        30000));
    QTest::qWait(500);
    EXPECT_TRUE(classes->isVisible());
    EXPECT_TRUE(Rec->ErrorBoxes.empty()) << Rec->Summary();
}

// The Histogram window runs a command when it stops being the active window: the click on the main
// window's Zoom that made it so was made before that command began, and acts.
TEST_F(DesktopGate, TheClickThatMakesTheHistogramWindowInactiveActs) {
    const std::string path = Dir.File("small.png");
    ASSERT_TRUE(SavePng(NoisePicture(400, 300, 7), path));
    ASSERT_TRUE(Form->LoadFromFile(path)) << Rec->Summary();
    Form->resize(900, 700);
    ASSERT_NO_FATAL_FAILURE(Show(*Form));
    auto* histogram = new THistogramForm(Form);
    ASSERT_NO_FATAL_FAILURE(Show(*histogram));
    ASSERT_TRUE(QTest::qWaitForWindowActive(histogram));
    ZoomMode = false;
    ASSERT_TRUE(ClickWithThePointer(Form->ToolBar1->widgetForAction(Form->FlyByButton)));
    EXPECT_TRUE(QTest::qWaitFor([] { return ZoomMode; }, 3000)) << "the first click did nothing";
    EXPECT_TRUE(Rec->ErrorBoxes.empty()) << Rec->Summary();
}

} // namespace
