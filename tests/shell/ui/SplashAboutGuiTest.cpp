#include "classify/vTrainingSites.h"
#include "shell/ui/AllSplash.h"
#include "shell/ui/vSysInfo.h"
#include "shell/vToolForms.h"
#include "support/GuiStartup.h"
#include "support/GuiWindows.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

using SplashAbout = GuiStartup;

TEST_F(SplashAbout, TheSplashClosesOnAClickOrWhenItsTimerRunsOut) {
    QPointer<TSplashScreen> clicked = new TSplashScreen;
    clicked->SplashSet(10, 2000);
    clicked->show();
    QTest::mouseClick(clicked->Panel, Qt::LeftButton);
    EXPECT_FALSE(clicked->isVisible());
    QPointer<TSplashScreen> timed = new TSplashScreen;
    timed->SplashSet(3, 20);
    timed->show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !timed || !timed->isVisible(); }, 2000));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(clicked);
    EXPECT_FALSE(timed);
}

// A window manager may configure a window at any size, 65535 x 65535 from one that misreads its
// size hints: the splash and every other window stay at the size the program gave them, and are
// drawn into at that size, while a size within the screen is taken as the manager gives it.
TEST_F(SplashAbout, EveryWindowKeepsItsSizeWhateverTheManagerConfigures) {
    Form->FormCreate({});
    Picture picture;
    picture.Resize(40, 30);
    std::vector<NamedWindow> windows = EveryWindow(Form, picture);
    windows.insert(windows.begin(), {"splash", [] { return new TSplashScreen; }});
    for (const auto& [name, make] : windows) {
        SCOPED_TRACE(name);
        QPointer<QWidget> window = make();
        window->show();
        QApplication::processEvents();
        QWindow* handle = window->windowHandle();
        ASSERT_TRUE(handle);
        const QSize given = window->size();
        const struct {
            QSize Asked;
            bool Taken;
        } rows[] = {{{65535, 65535}, false},
                    {{given.width() + 10, 65535}, false},
                    {{65535, given.height() - 10}, false},
                    {given - QSize(30, 20), true}};
        for (const auto& r : rows) {
            SCOPED_TRACE(testing::Message() << r.Asked.width() << " x " << r.Asked.height());
            QWindowSystemInterface::handleGeometryChange<
                QWindowSystemInterface::SynchronousDelivery>(handle,
                                                             QRect(handle->position(), r.Asked));
            const QSize drawn = window->size();
            // Nothing is painted at a size that would take gigabytes.
            window->resize(given);
            EXPECT_EQ(drawn, r.Taken ? r.Asked : given);
            QApplication::processEvents();
            EXPECT_EQ(handle->size(), given);
        }
        window->hide();
        if (window != Form) delete window;
    }
    TrainingSites = {};
}

TEST_F(SplashAbout, AMissingDriveShowsItsKindAndTheWindowGoesOn) {
    Form->FormCreate({});
    Form->ShowToolForm(tfSystemInfo);
    TSystemInfoForm& w = *SystemInfoForm;
    w.SIDDCBox->setEditText("/nonexistent/drive");
    QTest::mouseClick(w.SIDDReloadBtn, Qt::LeftButton);
    EXPECT_EQ(w.Edit(31)->text(), "Root does not exist");
    EXPECT_EQ(w.Edit(27)->text(), "-1");
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(Rec->ErrorBoxes.empty());
}

TEST_F(SplashAbout, TheSystemInformationWindowOpensWhollyOnA1280By1024Screen) {
    Form->FormCreate({});
    ASSERT_EQ(FormPositions[fpSystemInfo].Left, 123);
    Form->I_SystemInfo->trigger();
    ASSERT_TRUE(SystemInfoForm);
    TSystemInfoForm& w = *SystemInfoForm;
    const QRect screen(0, 0, 1280, 1024);
    EXPECT_TRUE(screen.contains(w.frameGeometry()))
        << w.frameGeometry().width() << "x" << w.frameGeometry().height();
    for (const QWidget* control : w.findChildren<QWidget*>()) {
        if (!control->isVisible()) continue;
        const QRect onScreen(control->mapToGlobal(QPoint(0, 0)), control->size());
        EXPECT_TRUE(screen.contains(onScreen)) << control->objectName().toStdString();
    }
    // The list opens on the root file system, with its size, not on a kernel table.
    EXPECT_EQ(w.SIDDCBox->itemText(0), "/");
    EXPECT_NE(w.Edit(27)->text(), "0");
}
