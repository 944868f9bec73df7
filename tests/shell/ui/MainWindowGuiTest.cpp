#include "shell/ui/vImageView.h"
#include "shell/ui/vVorn.h"
#include "shell/vGlobal.h"
#include "support/RecordingHooks.h"
#include "support/TestFiles.h"

#include <QApplication>
#include <QTimer>
#include <gtest/gtest.h>

TEST(MainWindow, OpensAndEndsTheEventLoopWhenClosed) {
    TempDir dir;
    SetOptionsFilePathForTests(dir.File("Vorn.pof"));
    auto* form = new TVORNForm;
    InstallGuiHooks(form);
    RecordingHooks rec;
    form->show();
    QTimer::singleShot(50, form, [form] { form->close(); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(form->isVisible());
    delete form;
    SetOptionsFilePathForTests("");
}

TEST(MainWindow, HooksReachTheStatusBarGaugeAndUndo) {
    TVORNForm form;
    InstallGuiHooks(&form);
    ShowProgress(37);
    EXPECT_EQ(form.Gauge1->value(), 37);
    EXPECT_EQ(form.PanelText(0), "(Part 1 of 1) % Done: 37");
    DisplayedPicture.Resize(20, 10);
    AllocImageBuffers();
    CopyImageForProcessing();
    EXPECT_TRUE(form.UndoBtn->isEnabled());
    EXPECT_TRUE(form.I_Undo->isEnabled());
    ShowProcessedImage();
    EXPECT_EQ(form.Image1->size(), QSize(20, 10));
    UndoImage();
    EXPECT_FALSE(form.UndoBtn->isEnabled());
    FreeImageBuffers();
    DisplayedPicture = Picture();
    ResetHooksToDefaults();
}
