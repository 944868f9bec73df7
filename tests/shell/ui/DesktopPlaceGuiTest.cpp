// Under a window manager a window is placed by its frame: it opens with its whole frame, title
// bar included, on the screen's usable area, and the place written back at close is the one it
// opens at next time. Run on an X11 desktop by scripts/desktop-tests.
#include "algebra/ui/vFEditor.h"
#include "classify/vTrainingSites.h"
#include "histogram/ui/vHistogram.h"
#include "histogram/ui/vLProfile.h"
#include "histogram/ui/vLinear.h"
#include "shell/ui/AllSplash.h"
#include "shell/ui/vImageView.h"
#include "support/DesktopSession.h"
#include "support/GuiStartup.h"
#include "support/GuiWindows.h"
#include "support/TestFiles.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include <signal.h>

namespace {

class DesktopPlace : public GuiStartup {
  protected:
    void SetUp() override {
        if (!OnDesktop()) GTEST_SKIP() << DesktopOnly;
        GuiStartup::SetUp();
    }
};

QRect Usable() {
    return QGuiApplication::primaryScreen()->availableGeometry();
}

std::string Text(const QRect& r) {
    return std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) +
           " x " + std::to_string(r.height());
}

// Whether the window's frame lies on the screen's usable area, pixel for pixel.
testing::AssertionResult FrameOnScreen(const QWidget& window) {
    const QRect frame = ScreenFrame(window);
    const QRect area = UsableScreenPixels(window);
    if (area.contains(frame)) return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "the frame " << Text(frame) << " overhangs the usable area " << Text(area);
}

TEST_F(DesktopPlace, AToolWindowOpensWithItsWholeFrameOnTheScreen) {
    SaveOptions();
    const struct {
        QPoint Stored;
        QPoint Frame;      // where the frame opens, 280 x 200 inside it
        bool Busy = false; // the program hears nothing for longer than placing waits for news
    } cases[] = {{{300, 5}, {300, 5}},    {{299, 0}, {299, 0}},         {{40, 30}, {40, 30}},
                 {{300, -15}, {300, 0}},  {{-900, 30}, {0, 30}},        {{99999, 40}, {-1, 40}},
                 {{40, 99999}, {40, -1}}, {{99999, 40}, {-1, 40}, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.Stored.x() << "," << c.Stored.y() << (c.Busy ? " busy" : ""));
        FormPositions[fpHistogram] = {c.Stored.x(), c.Stored.y()};
        TToolWindow window("Tool", "ToolForm", fpHistogram, 0, Form);
        window.setFixedSize(280, 200);
        window.show();
        if (c.Busy) std::this_thread::sleep_for(std::chrono::milliseconds(3500));
        ASSERT_TRUE(WaitPlaced(window));
        const QSize frame = FrameGeometry(window).size();
        const QPoint expected(c.Frame.x() < 0 ? Usable().right() + 1 - frame.width() : c.Frame.x(),
                              c.Frame.y() < 0 ? Usable().bottom() + 1 - frame.height()
                                              : c.Frame.y());
        EXPECT_EQ(FrameGeometry(window).topLeft(), expected);
        EXPECT_TRUE(Usable().contains(FrameGeometry(window)));
        window.close();
        EXPECT_EQ(QPoint(FormPositions[fpHistogram].Left, FormPositions[fpHistogram].Top),
                  expected);
    }
}

// Every tool window stored at the screen's top edge opens with its title bar on the screen and
// is written back where it opened.
TEST_F(DesktopPlace, EveryToolWindowOpensWithItsTitleBarOnTheScreen) {
    Form->FormCreate({});
    SaveOptions();
    Picture picture;
    picture.Resize(40, 30);
    for (const auto& [name, make] : EveryWindow(Form, picture)) {
        SCOPED_TRACE(name);
        for (FormPosition& p : FormPositions)
            p = {299, 0};
        QPointer<QWidget> window = make();
        auto* tool = qobject_cast<TToolWindow*>(window.data());
        if (!tool || tool->PositionPair == TToolWindow::NoPosition) {
            if (window != Form) delete window;
            continue;
        }
        tool->show();
        ASSERT_TRUE(WaitPlaced(*tool));
        const QRect frame = FrameGeometry(*tool);
        const QPoint expected(std::min(299, Usable().right() + 1 - frame.width()), 0);
        EXPECT_EQ(FrameGeometry(*tool).topLeft(), expected);
        const int pair = tool->PositionPair;
        tool->close();
        EXPECT_EQ(QPoint(FormPositions[pair].Left, FormPositions[pair].Top), expected);
        QApplication::processEvents();
        delete window;
    }
    TrainingSites = {};
}

// Every window opens framed at the size its contents ask, or as large as the screen holds with
// the rest scrolling, and can be made as large as they ask. scripts/desktop-tests runs it at the
// scales 1, 1.5 and 2.
TEST_F(DesktopPlace, EveryWindowOpensAtTheSizeItsContentsAsk) {
    Form->FormCreate({});
    // The splash is drawn at the size the program gives it, however the manager sizes it (one
    // misreading its hints gave it 65535 x 65535), to the unit a fractional scale rounds either
    // way in the manager's pixels.
    if (const QPointer<TSplashScreen> splash = Form->SplashScreen) {
        const QSize given = splash->size();
        QTest::qWait(1000);
        if (splash) {
            const QSize off = splash->size() - given;
            EXPECT_LE(std::max(std::abs(off.width()), std::abs(off.height())), 1)
                << splash->width() << " x " << splash->height();
            splash->close();
        }
    }
    for (const std::string& fault :
         EveryOpeningSizeFault(Form, [](QWidget& window) -> std::optional<QSize> {
             if (!WaitPlaced(window)) return std::nullopt;
             return Usable().size() - (FrameGeometry(window).size() - window.size());
         }))
        ADD_FAILURE() << fault;
}

// Tool windows opened one after another in a mixed order, the main window brought forward
// between them, each from a stored place at an edge, a corner or off the screen: every one opens
// with its whole frame on the screen, where its stored place puts it, and leaves the place it
// opened at stored. The window manager's events come in an order that differs from opening to
// opening: the place must not depend on it.
TEST_F(DesktopPlace, EveryOpeningPutsTheWholeFrameOnTheScreen) {
    Form->FormCreate({});
    Form->resize(400, 300);
    Form->show();
    ASSERT_TRUE(WaitPlaced(*Form));
    SaveOptions();
    Picture picture;
    picture.Resize(40, 30);
    std::vector<std::pair<NamedWindow, int>> tools; // with its pair of the window positions
    for (NamedWindow& w : EveryWindow(Form, picture)) {
        QPointer<QWidget> window = w.Make();
        auto* tool = qobject_cast<TToolWindow*>(window.data());
        if (tool && tool->PositionPair != TToolWindow::NoPosition)
            tools.emplace_back(w, tool->PositionPair);
        if (window != Form) delete window;
    }
    ASSERT_GE(tools.size(), 20u);
    // x then y: a place at an edge (negative: that far from the right or bottom edge, as far as
    // the frame lets) or off the screen.
    const QPoint stored[] = {{-1, 979},  {0, 1000},      {1270, 5},  {614, 5},    {0, 0},
                             {-1, -1},   {5, -1},        {-900, 30}, {99999, 40}, {40, 99999},
                             {-50, -50}, {99999, 99999}, {-1, 0},    {0, -1}};
    std::map<std::string, QSize> frames;
    constexpr int Openings = 100;
    for (int k = 0; k < Openings; ++k) {
        const auto& [w, pair] = tools[(k * 7) % tools.size()];
        QPoint corner = stored[k % std::size(stored)];
        // A place at the right or bottom edge exactly, once the frame's size is known.
        const auto known = frames.find(w.Name);
        if (known != frames.end()) {
            if (corner.x() == -1) corner.setX(Usable().right() + 1 - known->second.width());
            if (corner.y() == -1) corner.setY(Usable().bottom() + 1 - known->second.height());
        }
        SCOPED_TRACE(testing::Message()
                     << k << " " << w.Name << " at " << corner.x() << "," << corner.y());
        Form->raise();
        Form->activateWindow();
        FormPositions[pair] = {corner.x(), corner.y()};
        QPointer<QWidget> window = w.Make();
        auto* tool = qobject_cast<TToolWindow*>(window.data());
        tool->show();
        tool->raise();
        tool->activateWindow();
        ASSERT_TRUE(WaitPlaced(*tool));
        const QRect frame = FrameGeometry(*tool);
        frames[w.Name] = frame.size();
        EXPECT_EQ(frame.topLeft(),
                  QPoint(std::clamp(corner.x(), 0, Usable().right() + 1 - frame.width()),
                         std::clamp(corner.y(), 0, Usable().bottom() + 1 - frame.height())));
        EXPECT_TRUE(Usable().contains(frame));
        tool->close();
        EXPECT_EQ(QPoint(FormPositions[pair].Left, FormPositions[pair].Top), frame.topLeft());
        if (Usable().contains(QRect(corner, frame.size())))
            EXPECT_EQ(frame.topLeft(), corner) << "a place on the screen is kept as it was stored";
        QApplication::processEvents();
        delete window;
    }
    TrainingSites = {};
}

bool Xdotool(const QStringList& arguments) {
    return QProcess::execute("xdotool", arguments) == 0;
}

QString Number(int v) {
    return QString::number(v);
}

// A property of the desktop's root window as xprop prints it.
QString RootProperty(const char* name) {
    QProcess xprop;
    xprop.start("xprop", {"-root", name});
    xprop.waitForFinished();
    return QString::fromLatin1(xprop.readAllStandardOutput());
}

// A window the user moves once it has opened stays where it was moved, and that place is stored:
// dragged by its title bar, and, with no frame drawn around it, moved by a tool on the desktop.
// scripts/desktop-tests runs it with a window manager and before one runs.
TEST_F(DesktopPlace, AWindowMovedByTheUserStaysThere) {
    SaveOptions();
    const bool managed = RootProperty("_NET_SUPPORTING_WM_CHECK").contains("window id");
    const struct {
        bool Framed;
        QPoint Stored;
        QPoint By;
        bool Hidden = false; // hidden by its command rather than closed, then the program ends
    } cases[] = {{true, {300, 200}, {83, 61}},
                 {false, {300, 200}, {-97, 45}},
                 {true, {260, 170}, {71, -52}, true}};
    for (const auto& c : cases) {
        if (c.Framed && !managed) continue;
        SCOPED_TRACE(c.Framed ? "framed" : "with no frame");
        SCOPED_TRACE(c.Hidden ? "hidden" : "closed");
        FormPositions[fpHistogram] = {c.Stored.x(), c.Stored.y()};
        TToolWindow window("Tool", "ToolForm", fpHistogram, 0, Form);
        if (!c.Framed) window.setWindowFlag(Qt::FramelessWindowHint);
        window.setFixedSize(280, 200);
        window.show();
        if (c.Framed) ASSERT_TRUE(WaitPlaced(window));
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return FrameGeometry(window).topLeft() == c.Stored; }, 2000));
        QTest::qWait(300);
        const QPoint moved = c.Stored + c.By;
        if (c.Framed) {
            // Held by the middle of its title bar.
            const QRect frame = FrameGeometry(window);
            const QPoint grip(frame.center().x(), (frame.top() + window.geometry().top()) / 2);
            ASSERT_TRUE(Xdotool({"mousemove", Number(grip.x()), Number(grip.y())}));
            ASSERT_TRUE(Xdotool({"mousedown", "1"}));
            for (int step = 1; step <= 4; ++step) {
                const QPoint at = grip + c.By * step / 4;
                ASSERT_TRUE(Xdotool({"mousemove", Number(at.x()), Number(at.y())}));
                QTest::qWait(50);
            }
            ASSERT_TRUE(Xdotool({"mouseup", "1"}));
        } else {
            ASSERT_TRUE(Xdotool({"windowmove", Number(static_cast<int>(window.winId())),
                                 Number(moved.x()), Number(moved.y())}));
        }
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return FrameGeometry(window).topLeft() == moved; }, 2000));
        QTest::qWait(1000);
        EXPECT_EQ(FrameGeometry(window).topLeft(), moved);
        if (!c.Hidden) {
            window.close();
            EXPECT_EQ(QPoint(FormPositions[fpHistogram].Left, FormPositions[fpHistogram].Top),
                      moved);
            continue;
        }
        window.hide();
        // The program's end writes the options; the next start opens the window from them.
        SaveOptions();
        LoadOptions();
        EXPECT_EQ(QPoint(FormPositions[fpHistogram].Left, FormPositions[fpHistogram].Top), moved);
        TToolWindow next("Tool", "ToolForm", fpHistogram, 0, Form);
        next.setFixedSize(280, 200);
        next.show();
        ASSERT_TRUE(WaitPlaced(next));
        EXPECT_EQ(FrameGeometry(next).topLeft(), moved);
    }
}

// The windows of the desktop from the bottom of the stack to its top.
std::vector<WId> Stacking() {
    const QString listed = RootProperty("_NET_CLIENT_LIST_STACKING");
    std::vector<WId> out;
    for (const QString& id : listed.mid(listed.indexOf('#') + 1).split(',', Qt::SkipEmptyParts))
        out.push_back(id.trimmed().toULongLong(nullptr, 16));
    return out;
}

// An error box raised by a tool window's command right after a file dialog closed belongs to
// that tool window, whichever window the desktop made active meanwhile, and the tool window is
// in front of the main window once the box is gone.
TEST_F(DesktopPlace, AnErrorBoxBelongsToTheWindowWhoseCommandRaisedIt) {
    Form->FormCreate({});
    if (Form->SplashScreen) Form->SplashScreen->close();
    OpenCopy("aero1.png", "aero1.png");
    Form->show();
    ASSERT_TRUE(WaitPlaced(*Form));
    // The program's own dialogs, answered below as the user answers them.
    Rec.reset();
    InstallGuiHooks(Form);
    TFEditForm editor(Form);
    editor.show();
    ASSERT_TRUE(WaitPlaced(editor));
    const QString cut = QString::fromStdString(TestData("kernels/short.RL3"));
    QWindow* owner = nullptr;
    int shownFor = 0;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            dialog->selectFile(cut);
            static_cast<QDialog*>(dialog)->accept();
            // As the desktop may do when the dialog goes: the main window is made active.
            QApplication::setActiveWindow(Form);
        } else if (auto* box = qobject_cast<QMessageBox*>(modal); box && ++shownFor == 10) {
            owner = box->windowHandle()->transientParent();
            box->accept();
        }
    });
    user.start(50);
    // Spatial Integer, Load and Process: the file is refused as it is read.
    editor.SpeedButton1->click();
    user.stop();
    ASSERT_GE(shownFor, 10) << "no box was shown";
    EXPECT_EQ(owner, editor.windowHandle());
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &editor; }, 2000));
    const std::vector<WId> stack = Stacking();
    const auto at = [&stack](WId id) { return std::find(stack.begin(), stack.end(), id); };
    ASSERT_NE(at(editor.winId()), stack.end());
    EXPECT_GT(at(editor.winId()), at(Form->winId())) << "the tool window stays in front";
}

// The drag that draws a line profile on the main window brings the profile in front of it and
// makes it the active window, with the real pointer as the user drags.
TEST_F(DesktopPlace, TheDrawnProfileComesInFrontOfTheMainWindow) {
    Form->FormCreate({});
    if (Form->SplashScreen) Form->SplashScreen->close();
    OpenCopy("aero1.png", "aero1.png");
    Form->PictureChanged();
    Form->resize(600, 450);
    Form->show();
    ASSERT_TRUE(WaitPlaced(*Form));
    // A manager that keeps no stacking order (twm) has no front to bring a window to.
    if (!RootProperty("_NET_CLIENT_LIST_STACKING").contains('#'))
        GTEST_SKIP() << "the window manager keeps no stacking order";
    LineProfileForm = new TLineProfileForm(Form);
    TLinearForm linear(Form);
    linear.ProfileBtn->click();
    const QSize opened = LineProfileForm->size();
    ASSERT_TRUE(WaitPlaced(*LineProfileForm));
    // The button leaves the main window in front to draw on, and with the keyboard.
    QTest::qWait(300);
    EXPECT_EQ(QApplication::activeWindow(), Form);
    {
        const std::vector<WId> stack = Stacking();
        const auto at = [&stack](WId id) { return std::find(stack.begin(), stack.end(), id); };
        EXPECT_GT(at(Form->winId()), at(LineProfileForm->winId()));
    }
    // A manager that tiles the screen gives the window the size of its tile.
    const bool ownSize = LineProfileForm->size() == opened;
    const auto pointAt = [](QWidget* w, QPoint p) {
        const QPoint at = w->mapToGlobal(p);
        const double scale = w->devicePixelRatio();
        return QStringList{Number(static_cast<int>(at.x() * scale)),
                           Number(static_cast<int>(at.y() * scale))};
    };
    // Pressed on the picture, which brings the main window in front, dragged in steps and
    // released there.
    const auto device = [&](QPoint image) { return pointAt(Form->Image1, image); };
    ASSERT_TRUE(Xdotool(QStringList{"mousemove"} + device({20, 30})));
    QTest::qWait(100);
    ASSERT_TRUE(Xdotool({"mousedown", "1"}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == Form; }, 2000));
    for (int step = 1; step <= 4; ++step) {
        ASSERT_TRUE(Xdotool(QStringList{"mousemove"} + device({20 + 40 * step, 30 + 20 * step})));
        QTest::qWait(50);
    }
    ASSERT_TRUE(Xdotool({"mouseup", "1"}));
    EXPECT_TRUE(QTest::qWaitFor([] { return LineProfileForm->PageControlProfile->isVisible(); }));
    const QSize frame = FrameGeometry(*LineProfileForm).size() - LineProfileForm->size();
    for (const std::string& fault : OpeningSizeFaults(*LineProfileForm, Usable().size() - frame))
        if (ownSize) ADD_FAILURE() << fault;
    EXPECT_TRUE(
        QTest::qWaitFor([] { return QApplication::activeWindow() == LineProfileForm; }, 2000));
    QTest::qWait(300);
    const std::vector<WId> stack = Stacking();
    const auto at = [&stack](WId id) { return std::find(stack.begin(), stack.end(), id); };
    ASSERT_NE(at(LineProfileForm->winId()), stack.end());
    EXPECT_GT(at(LineProfileForm->winId()), at(Form->winId()));
    LineProfileForm->close();
    delete LineProfileForm;
}

// Whether the X server shows the window.
bool Viewable(const QWidget& window) {
    QProcess xwininfo;
    xwininfo.start("xwininfo", {"-id", Number(static_cast<int>(window.winId()))});
    xwininfo.waitForFinished();
    return xwininfo.readAllStandardOutput().contains("IsViewable");
}

// Whether a window manager runs: one that was killed leaves the root naming a window that is gone.
bool ManagerRuns() {
    const QString named = RootProperty("_NET_SUPPORTING_WM_CHECK");
    const qsizetype at = named.indexOf("window id # ");
    if (at < 0) return false;
    QProcess xprop;
    xprop.start("xprop", {"-id", named.mid(at + 12).trimmed(), "_NET_SUPPORTING_WM_CHECK"});
    xprop.waitForFinished();
    return xprop.exitCode() == 0 && xprop.readAllStandardOutput().contains("window id");
}

// Starts a window manager of the test's own, on a screen without one, and waits until it manages
// the screen.
testing::AssertionResult StartManager(QProcess& manager) {
    manager.start("openbox", {});
    if (!manager.waitForStarted()) return testing::AssertionFailure() << "openbox did not start";
    if (!QTest::qWaitFor(ManagerRuns, 10000))
        return testing::AssertionFailure() << "openbox does not manage the screen";
    QTest::qWait(300);
    return testing::AssertionSuccess();
}

void Signal(QProcess& process, int signal) {
    ::kill(static_cast<pid_t>(process.processId()), signal);
}

// A window opened while the window manager is stopped waits for the manager to frame it. Once the
// manager is gone, the window is shown where it opens without one, and its command brings it back
// after it was closed, whether the manager went while the window was being placed or after
// placing gave up. The test runs its own manager: scripts/desktop-tests runs it on a screen
// without one.
TEST_F(DesktopPlace, AWindowThatWaitedForAManagerThatWentIsShown) {
    if (ManagerRuns()) GTEST_SKIP() << "needs a screen without a window manager";
    Form->FormCreate({});
    if (Form->SplashScreen) Form->SplashScreen->close();
    const struct {
        const char* Name;
        bool AfterPlacing; // the manager goes once placing has given up waiting for it
    } cases[] = {{"while placing", false}, {"after placing", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        QProcess manager;
        ASSERT_TRUE(StartManager(manager));
        FormPositions[fpHistogram] = {230, 140};
        HistogramForm = new THistogramForm(Form);
        Signal(manager, SIGSTOP);
        Form->IH__HistogramClick();
        if (c.AfterPlacing)
            ASSERT_TRUE(QTest::qWaitFor([] { return !Placing(*HistogramForm); }, 30000));
        else
            QTest::qWait(1000);
        EXPECT_FALSE(Viewable(*HistogramForm));
        Signal(manager, SIGKILL);
        manager.waitForFinished();
        if (c.AfterPlacing) Form->IH__HistogramClick();
        EXPECT_TRUE(QTest::qWaitFor([] { return Viewable(*HistogramForm); }, 10000));
        EXPECT_TRUE(QTest::qWaitFor([] { return !Placing(*HistogramForm); }, 30000));
        EXPECT_EQ(FrameGeometry(*HistogramForm).topLeft(), QPoint(230, 140));
        HistogramForm->close();
        EXPECT_TRUE(QTest::qWaitFor([] { return !Viewable(*HistogramForm); }, 5000));
        Form->IH__HistogramClick();
        EXPECT_TRUE(QTest::qWaitFor([] { return Viewable(*HistogramForm); }, 5000));
        HistogramForm->close();
        QTest::qWait(300);
        delete HistogramForm;
    }
}

// The controls of `window` that a page of it does not show are out of reach anyway: the shown
// ones must lie wholly in view once scrolled to (a control larger than the view at least its
// corner), and not under a scroll bar, and their corner on the screen.
void ExpectEveryShownControlReachable(QWidget& window) {
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if (!control->isVisible() ||
            !(qobject_cast<QAbstractButton*>(control) || qobject_cast<QLineEdit*>(control) ||
              qobject_cast<QComboBox*>(control) || qobject_cast<QAbstractSpinBox*>(control) ||
              qobject_cast<QAbstractSlider*>(control)))
            continue;
        SCOPED_TRACE(control->metaObject()->className() +
                     (" " + control->objectName().toStdString()));
        std::vector<QScrollArea*> areas; // the innermost first
        for (QWidget* up = control->parentWidget(); up && up != &window; up = up->parentWidget())
            if (auto* area = qobject_cast<QScrollArea*>(up);
                area && area->widget() && area->widget()->isAncestorOf(control))
                areas.push_back(area);
        // Scrolled to the control's far corner, then to its corner: the scroll area's own call
        // brings a control wider than its view to the middle, which leaves the corner out of
        // sight.
        for (QScrollArea* area : areas) {
            const QPoint at = control->mapTo(area->widget(), QPoint(0, 0));
            area->ensureVisible(at.x() + control->width(), at.y() + control->height(), 0, 0);
            area->ensureVisible(at.x() + 3, at.y() + 3, 3, 3);
        }
        const QRect whole(control->mapTo(&window, QPoint(0, 0)), control->size());
        const QRect corner(whole.topLeft(), QSize(6, 6));
        for (const QScrollArea* area : areas) {
            const QWidget* view = area->viewport();
            const QRect seen(view->mapTo(&window, QPoint(0, 0)), view->size());
            EXPECT_TRUE(seen.contains(corner));
            if (whole.width() <= seen.width() && whole.height() <= seen.height())
                EXPECT_TRUE(seen.contains(whole)) << Text(whole) << " shows in " << Text(seen);
        }
        EXPECT_TRUE(window.rect().contains(corner));
        EXPECT_TRUE(Usable().contains(corner.translated(window.geometry().topLeft())));
    }
}

// A window's menu bar stays at its top, out of what scrolls, where nothing covers its menus.
void ExpectMenusWithinReach(QWidget& window) {
    for (QMenuBar* bar : window.findChildren<QMenuBar*>()) {
        if (!bar->isVisible()) continue;
        for (QWidget* up = bar->parentWidget(); up && up != &window; up = up->parentWidget())
            EXPECT_FALSE(qobject_cast<QScrollArea*>(up)) << "the menu bar scrolls";
        for (QAction* menu : bar->actions()) {
            const QPoint at = bar->mapTo(&window, bar->actionGeometry(menu).center());
            EXPECT_EQ(window.childAt(at), bar) << menu->text().toStdString();
        }
    }
}

// A window scrolls sideways only when the screen is too narrow for it: one shrunk in height alone
// takes the vertical scroll bar's room in width.
testing::AssertionResult ScrollsSidewaysOnlyWhenNarrow(const QWidget& window) {
    const auto* scroll =
        window.findChild<QScrollArea*>(window.objectName() + "Scroll", Qt::FindDirectChildrenOnly);
    if (!scroll || !scroll->horizontalScrollBar()->isVisible()) return testing::AssertionSuccess();
    // As wide or as high as a frame can be, to the pixel a unit of the window's size rounds to.
    const int unit = static_cast<int>(std::ceil(window.devicePixelRatio()));
    const QRect frame = ScreenFrame(window);
    const QRect area = UsableScreenPixels(window);
    if (frame.width() + 2 * unit > area.width() || frame.height() + 2 * unit <= area.height())
        return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "the frame " << Text(frame) << " scrolls sideways on " << Text(area);
}

// Every window opens wholly on the screen from a stored place at either corner, and every
// control on each of its pages can be reached: scripts/desktop-tests runs it on screens smaller
// than the larger windows, 1366 x 768 at 125 % and 1024 x 768. On a screen as wide as the main
// window's whole tool bar, every tool button shows; on a narrower one the rest fold into its
// overflow.
TEST_F(DesktopPlace, LargeWindowsKeepEveryControlReachableOnASmallScreen) {
    Picture picture;
    for (const auto& [name, make] : EveryWindow(Form, picture)) {
        SCOPED_TRACE(name);
        for (const QPoint corner : {QPoint(99999, 99999), QPoint(-99999, -99999)}) {
            SCOPED_TRACE(testing::Message() << corner.x() << "," << corner.y());
            for (FormPosition& p : FormPositions)
                p = {corner.x(), corner.y()};
            SaveOptions();
            QPointer<QWidget> window = make();
            if (window == Form) {
                TVORNForm* main = NewForm();
                main->FormCreate({});
                window = main;
            }
            window->show();
            ASSERT_TRUE(WaitPlaced(*window));
            EXPECT_TRUE(FrameOnScreen(*window));
            EXPECT_TRUE(ScrollsSidewaysOnlyWhenNarrow(*window));
            for (QTabWidget* pages : window->findChildren<QTabWidget*>())
                for (int page = 0; page < pages->count(); ++page) {
                    SCOPED_TRACE(pages->tabText(page).toStdString());
                    pages->setCurrentIndex(page);
                    QApplication::processEvents();
                    ExpectEveryShownControlReachable(*window);
                }
            ExpectEveryShownControlReachable(*window);
            ExpectMenusWithinReach(*window);
            if (auto* main = qobject_cast<TVORNForm*>(window.data());
                main && Usable().width() >= 1280)
                for (QAction* button : main->ToolBar1->actions())
                    EXPECT_TRUE(main->ToolBar1->widgetForAction(button)->isVisible())
                        << button->objectName().toStdString();
            window->hide();
            if (!qobject_cast<TVORNForm*>(window.data())) delete window;
        }
    }
    TrainingSites = {};
}

// Counts the timer events the program takes while it lives.
class TimerCount : public QObject {
  public:
    TimerCount() { qApp->installEventFilter(this); }
    ~TimerCount() override { qApp->removeEventFilter(this); }
    std::map<std::string, int> Ticks; // by the class of what takes them
    int Total() const {
        int total = 0;
        for (const auto& [name, n] : Ticks)
            total += n;
        return total;
    }

  protected:
    bool eventFilter(QObject* to, QEvent* event) override {
        if (event->type() == QEvent::Timer) ++Ticks[to->metaObject()->className()];
        return false;
    }
};

// However the window manager frames windows (around them and the borders it draws beyond them,
// without saying how large the frame is) and after it is gone, placing ends: every window opens
// wholly on the screen, and then the program waits for the user with no timer ticking.
// scripts/desktop-tests runs it under each window manager and with one that was ended.
TEST_F(DesktopPlace, PlacingEndsAndTheProgramIsIdleAfterwards) {
    Form->FormCreate({});
    if (Form->SplashScreen) Form->SplashScreen->close();
    for (FormPosition& p : FormPositions)
        p = {99999, 99999};
    SaveOptions();
    Picture picture;
    picture.Resize(40, 30);
    std::vector<std::pair<const char*, QPointer<QWidget>>> windows;
    for (const auto& [name, make] : EveryWindow(Form, picture)) {
        windows.emplace_back(name, make());
        windows.back().second->show();
    }
    for (const auto& [name, window] : windows) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !Placing(*window); }, 30000));
        EXPECT_TRUE(FrameOnScreen(*window));
    }
    QTest::qWait(500);
    const TimerCount count;
    QTest::qWait(2000);
    // A caret blinking in a line edit ticks twice a second.
    EXPECT_LE(count.Total(), 10) << testing::PrintToString(count.Ticks);
    for (const auto& [name, window] : windows)
        if (window != Form) delete window;
    TrainingSites = {};
}

// Each start opens the main window where the last one closed it: ten starts leave it there.
TEST_F(DesktopPlace, TheMainWindowStaysWhereItWasClosed) {
    SetDefaultOptions();
    const QPoint stored(200, 404);
    FormPositions[fpMain] = {stored.x(), stored.y()};
    SaveOptions();
    for (int start = 0; start < 10; ++start) {
        SCOPED_TRACE(start);
        TVORNForm* form = NewForm();
        form->FormCreate({});
        form->resize(500, 400);
        form->show();
        ASSERT_TRUE(WaitPlaced(*form));
        EXPECT_EQ(FrameGeometry(*form).topLeft(), stored);
        form->close();
        LoadOptions();
        EXPECT_EQ(QPoint(FormPositions[fpMain].Left, FormPositions[fpMain].Top), stored);
    }
}

// Each start opens a tool window taller than a small screen where the last one closed it, at the
// size it opened at before: eight starts leave it there.
TEST_F(DesktopPlace, AToolWindowStaysWhereItWasClosedOnASmallScreen) {
    Form->FormCreate({});
    if (Form->SplashScreen) Form->SplashScreen->close();
    FormPositions[fpHistogram] = {150, 30};
    SaveOptions();
    std::optional<QRect> first;
    for (int start = 0; start < 8; ++start) {
        SCOPED_TRACE(start);
        LoadOptions();
        HistogramForm = new THistogramForm(Form);
        HistogramForm->show();
        ASSERT_TRUE(WaitPlaced(*HistogramForm));
        const QRect frame = FrameGeometry(*HistogramForm);
        if (!first) first = frame;
        EXPECT_EQ(Text(frame), Text(*first));
        HistogramForm->close();
        EXPECT_EQ(QPoint(FormPositions[fpHistogram].Left, FormPositions[fpHistogram].Top),
                  frame.topLeft());
        delete HistogramForm;
        QApplication::processEvents();
    }
}

// Stops a process the moment the window is first resized by the program, before the request has
// reached the X server.
class StopOnResize : public QObject {
  public:
    StopOnResize(QWidget& window, QProcess& process) : Process(process) {
        window.installEventFilter(this);
    }
    bool Stopped = false;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Resize && !event->spontaneous() && !Stopped) {
            Signal(Process, SIGSTOP);
            Stopped = true;
        }
        return false;
    }

  private:
    QProcess& Process;
};

// A window larger than the screen shrinks as it opens: a manager that answers the new size only
// after placing would have taken its silence for the end (a loaded machine) still has the window
// opened wholly on the screen. The test runs its own manager: scripts/desktop-tests runs it on a
// screen without one.
TEST_F(DesktopPlace, AWindowShrunkWhileTheManagerIsSlowOpensOnTheScreen) {
    if (ManagerRuns()) GTEST_SKIP() << "needs a screen without a window manager";
    QProcess manager;
    ASSERT_TRUE(StartManager(manager));
    FormPositions[fpHistogram] = {99999, 99999};
    TToolWindow window("Tool", "ToolForm", fpHistogram, 0, Form);
    auto* layout = new QVBoxLayout(&window);
    auto* contents = new QWidget;
    contents->setFixedSize(Usable().size() + QSize(210, 140));
    layout->addWidget(contents);
    window.show();
    const StopOnResize stop(window, manager);
    EXPECT_TRUE(QTest::qWaitFor([&] { return stop.Stopped; }, 15000));
    QTest::qWait(4000);
    Signal(manager, SIGCONT);
    ASSERT_TRUE(WaitPlaced(window));
    EXPECT_TRUE(FrameOnScreen(window));
    // Where the stored place puts it: in the far corner.
    EXPECT_EQ(ScreenFrame(window).bottomRight(), UsableScreenPixels(window).bottomRight());
    window.hide();
    Signal(manager, SIGKILL);
    manager.waitForFinished();
}

} // namespace
