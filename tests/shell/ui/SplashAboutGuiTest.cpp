#include "shell/ui/AllSplash.h"
#include "shell/ui/vSysInfo.h"
#include "shell/vToolForms.h"
#include "support/GuiStartup.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

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
