// Under a window manager a window is placed by its frame: it opens with its whole frame, title
// bar included, on the screen's usable area, and the place written back at close is the one it
// opens at next time. Run on an X11 desktop by scripts/desktop-tests.
#include "classify/vTrainingSites.h"
#include "histogram/ui/vHistogram.h"
#include "support/DesktopSession.h"
#include "support/GuiStartup.h"
#include "support/GuiWindows.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTest>

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

TEST_F(DesktopPlace, AToolWindowOpensWithItsWholeFrameOnTheScreen) {
    SaveOptions();
    const struct {
        QPoint Stored;
        QPoint Frame; // where the frame opens, 280 x 200 inside it
    } cases[] = {{{300, 5}, {300, 5}},   {{299, 0}, {299, 0}},  {{40, 30}, {40, 30}},
                 {{300, -15}, {300, 0}}, {{-900, 30}, {0, 30}}, {{99999, 40}, {-1, 40}},
                 {{40, 99999}, {40, -1}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Stored.x() << "," << c.Stored.y());
        FormPositions[fpHistogram] = {c.Stored.x(), c.Stored.y()};
        TToolWindow window("Tool", "ToolForm", fpHistogram, 0, Form);
        window.setFixedSize(280, 200);
        window.show();
        ASSERT_TRUE(WaitFramed(window));
        const QSize frame = window.frameGeometry().size();
        const QPoint expected(c.Frame.x() < 0 ? Usable().right() + 1 - frame.width() : c.Frame.x(),
                              c.Frame.y() < 0 ? Usable().bottom() + 1 - frame.height()
                                              : c.Frame.y());
        // The place is checked below, whatever the wait gave.
        static_cast<void>(
            QTest::qWaitFor([&] { return window.frameGeometry().topLeft() == expected; }, 2000));
        EXPECT_EQ(window.frameGeometry().topLeft(), expected);
        EXPECT_TRUE(Usable().contains(window.frameGeometry()));
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
        ASSERT_TRUE(WaitFramed(*tool));
        const QRect frame = tool->frameGeometry();
        const QPoint expected(std::min(299, Usable().right() + 1 - frame.width()), 0);
        static_cast<void>(
            QTest::qWaitFor([&] { return tool->frameGeometry().topLeft() == expected; }, 2000));
        EXPECT_EQ(tool->frameGeometry().topLeft(), expected);
        const int pair = tool->PositionPair;
        tool->close();
        EXPECT_EQ(QPoint(FormPositions[pair].Left, FormPositions[pair].Top), expected);
        QApplication::processEvents();
        delete window;
    }
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
        ASSERT_TRUE(WaitFramed(*form));
        static_cast<void>(
            QTest::qWaitFor([&] { return form->frameGeometry().topLeft() == stored; }, 2000));
        EXPECT_EQ(form->frameGeometry().topLeft(), stored);
        form->close();
        LoadOptions();
        EXPECT_EQ(QPoint(FormPositions[fpMain].Left, FormPositions[fpMain].Top), stored);
    }
}

} // namespace
