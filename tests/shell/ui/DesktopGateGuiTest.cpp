// On a real X11 desktop, what a command lets in while it runs: the pointer's click on Abort ends
// a print to a file, the main window is drawn again where a box closed during the command
// covered it, and clicks made while a command that lets nothing in runs do nothing once it has
// ended. Run by scripts/desktop-tests.
#include "runtime/RtFiles.h"
#include "shell/ui/vImageView.h"
#include "shell/ui/vPSize.h"
#include "shell/vToolForms.h"
#include "shell/vToolModes.h"
#include "support/DesktopSession.h"
#include "support/GuiStartup.h"
#include "support/NoisePicture.h"

#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolBar>

#include <QImage>

#include <algorithm>
#include <chrono>

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
// does; meanwhile the pointer clicks Zoom and Pixels. Once the load has ended, neither acts.
TEST_F(DesktopGate, ClicksMadeWhileACommandLetsNothingInDoNothingAfterIt) {
    const Picture large = NoisePicture(5000, 5000, 11);
    const std::string path = Dir.File("large.png");
    ASSERT_TRUE(QImage(reinterpret_cast<const uchar*>(large.Pixels.data()), large.Width,
                       large.Height, QImage::Format_RGB32)
                    .save(QString::fromStdString(path)));
    DisplayedPicture = NoisePicture(400, 300, 7);
    Form->PictureChanged();
    Form->resize(900, 700);
    ASSERT_NO_FATAL_FAILURE(Show(*Form));
    const auto button = [this](QAction* action) { return Form->ToolBar1->widgetForAction(action); };
    const auto at = [](const QWidget* w) {
        const QPoint p = w->mapToGlobal(w->rect().center());
        return QString("mousemove %1 %2 click 1").arg(p.x()).arg(p.y());
    };
    // The clicks, and then a file that says they have all been made.
    const std::string made = Dir.File("clicks-made");
    const QString clicks = QString("xdotool %1 sleep 0.2 %2 %3 && touch '%4'")
                               .arg(at(button(Form->ToolButton1)), at(button(Form->FlyByButton)),
                                    at(button(Form->ViewPixelsBtn)), QString::fromStdString(made));
    using Clock = std::chrono::steady_clock;
    Clock::time_point started, ended;
    bool madeDuringTheLoad = false;
    Rec->FileAnswers = {path};
    Hooks.ChooseFile = [&, choose = Hooks.ChooseFile](FileDialogRequest& r) {
        started = Clock::now();
        return choose(r);
    };
    Hooks.PictureChanged = [&] {
        if (DisplayedPicture.Width != large.Width) return;
        ended = Clock::now();
        madeDuringTheLoad = FileExists(made);
    };
    QProcess xdotool;
    xdotool.start("sh", {"-c", clicks});
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

} // namespace
