#include "platform/PlSystemInfo.h"
#include "runtime/RtFiles.h"
#include "shell/ui/AllSplash.h"
#include "shell/ui/vAbout.h"
#include "shell/ui/vSysInfo.h"
#include "shell/vToolForms.h"
#include "support/GuiStartup.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

namespace {

bool Matches(const QString& text, const char* pattern) {
    return QRegularExpression(QRegularExpression::anchoredPattern(pattern)).match(text).hasMatch();
}

} // namespace

using SplashAbout = GuiStartup;

TEST_F(SplashAbout, TheSplashClosesOnAClickOrWhenItsTimerRunsOut) {
    QPointer<TSplashScreen> clicked = new TSplashScreen;
    clicked->SplashSet(10, 2000);
    clicked->show();
    EXPECT_EQ(clicked->CaptionLabel->text(), "VORN KEEL");
    EXPECT_TRUE(clicked->Timer->isActive());
    QTest::mouseClick(clicked->Panel, Qt::LeftButton);
    EXPECT_FALSE(clicked->isVisible());
    EXPECT_FALSE(clicked->Timer->isActive());

    QPointer<TSplashScreen> timed = new TSplashScreen;
    timed->SplashSet(3, 20);
    EXPECT_EQ(timed->CaptionLabel->text(), "");
    timed->show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !timed || !timed->isVisible(); }, 2000));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(clicked);
    EXPECT_FALSE(timed);
}

TEST_F(SplashAbout, AboutBoxShowsMemoryVersionAndBuild) {
    FormPositions[fpAbout] = {61, 62};
    auto* box = new TAboutVorn(Form);
    EXPECT_EQ(box->windowTitle(), " About VORN KEEL");
    EXPECT_EQ(box->pos(), QPoint(61, 62));
    EXPECT_EQ(box->BuildInfo->text(), QString::fromLatin1(GetBuildInfoString(ProgramVersion)));
    EXPECT_TRUE(Matches(box->PhysMem->text(), "[1-9][0-9]{0,2}(,[0-9]{3})* KB"))
        << box->PhysMem->text().toStdString();
    EXPECT_TRUE(Matches(box->FreeRes->text(), "[0-9]{1,3} %"))
        << box->FreeRes->text().toStdString();
    EXPECT_TRUE(Matches(box->WindowsVersion->text(), "[0-9]+\\.[0-9]+"));
    box->show();
    box->move(70, 71);
    FormToFree = 0;
    QTest::mouseClick(box->OKButton, Qt::LeftButton);
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(FormPositions[fpAbout].Left, 70);
    EXPECT_TRUE(FileExists(Dir.File("Vorn.pof")));
    EXPECT_EQ(FormToFree, 0);
    delete box;
}

TEST_F(SplashAbout, AMissingDriveShowsItsKindAndTheWindowGoesOn) {
    Form->FormCreate({});
    Form->ShowToolForm(tfSystemInfo);
    TSystemInfoForm& w = *SystemInfoForm;
    w.SIDDCBox->setEditText("/nonexistent/drive");
    QTest::mouseClick(w.SIDDReloadBtn, Qt::LeftButton);
    EXPECT_EQ(w.Edit(31)->text(), "Root does not exist");
    EXPECT_EQ(w.Edit(27)->text(), "-1");
    EXPECT_EQ(w.Edit(28)->text(), "-1");
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(Rec->ErrorBoxes.empty());
    w.SIDDCBox->setEditText("/");
    QTest::mouseClick(w.SIReLoadBtn, Qt::LeftButton);
    EXPECT_GT(w.Edit(27)->text().toLongLong(), 0);
}
