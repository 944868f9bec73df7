#include "projections/kovGlobal.h"
#include "projections/ui/kovMemoFrm.h"
#include "runtime/RtFiles.h"
#include "support/GuiStartup.h"

#include <QTextEdit>

namespace {

class ProjectionLogWindow : public GuiStartup {
  protected:
    void SetUp() override {
        GuiStartup::SetUp();
        InitProjectionLog(120, 140, Dir.Path(), "olinda.png");
        kovMemoForm = new TkovMemoForm(Form);
        // The window follows the engine's log through the hook the main window installs.
        Hooks.ProjectionLogChanged = [](bool show) {
            if (kovMemoForm) kovMemoForm->LogChanged(show);
        };
        ClearProjectionLog();
    }
    void TearDown() override {
        ClearProjectionLog();
        delete kovMemoForm.data();
        GuiStartup::TearDown();
    }
};

TEST_F(ProjectionLogWindow, ShowsLinesAsTheyStandAndComesUpOnAnError) {
    EXPECT_EQ(kovMemoForm->pos(), QPoint(120, 140));
    ReportTitle("MERCATOR");
    ReportOrigin(0.0);
    EXPECT_FALSE(kovMemoForm->isVisible());
    ReportProjectionError(0, 0);
    EXPECT_TRUE(kovMemoForm->isVisible());
    EXPECT_EQ(kovMemoForm->ProLogMemo->toPlainText(),
              "PROJECTION PARAMETERS:\nMERCATOR\nLatitude  of Origin: degrees\\0\n"
              "INFORMATIONAL\nInvalid spheroid selection\nReset to 0");
    ClearProjectionLog();
    EXPECT_EQ(kovMemoForm->ProLogMemo->toPlainText(), "");
    AddProjectionMessage("<b>not markup</b>");
    EXPECT_EQ(kovMemoForm->ProLogMemo->toPlainText(), "<b>not markup</b>");
}

TEST_F(ProjectionLogWindow, SaveWritesTheLogAndCloseKeepsThePlace) {
    AddProjectionMessage("one");
    kovMemoForm->ProLogMemoSaveBtnClick();
    std::string text = FileText(Dir.File("olinda.log"));
    EXPECT_EQ(text, "one\r\n");
    kovMemoForm->show();
    kovMemoForm->move(333, 222);
    kovMemoForm->close();
    EXPECT_EQ(ProjectionLogLeft, 333);
    EXPECT_EQ(ProjectionLogTop, 222);
}

TEST_F(ProjectionLogWindow, AFailedSaveIsReportedInTheLog) {
    InitProjectionLog(0, 0, Dir.File("no-such-folder/"), "olinda.png");
    kovMemoForm->ProLogMemoSaveBtnClick();
    EXPECT_EQ(ProjectionLog, (std::vector<std::string>{"File Functions", "Read Write file Error"}));
}

} // namespace
