#include "shell/ui/vImageView.h"
#include "shell/ui/vVorn.h"
#include "shell/vGlobal.h"
#include "support/RecordingHooks.h"
#include "support/TestFiles.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <gtest/gtest.h>

TEST(MainWindow, OpensAndEndsTheEventLoopWhenClosed) {
    TempDir dir;
    SetOptionsFilePathForTests(dir.File("Vorn.pof"));
    auto* form = new TVORNForm;
    InstallGuiHooks(form);
    RecordingHooks rec;
    form->show();
    EXPECT_TRUE(form->isVisible());
    QTimer::singleShot(50, form, [form] { form->close(); });
    const int rc = QApplication::exec();
    EXPECT_EQ(rc, 0);
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
    Picture p;
    p.Resize(20, 10);
    DisplayedPicture = p;
    AllocImageBuffers();
    EXPECT_EQ(form.PanelText(0), "Image loaded");
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

// The menus hold the commands in the order of the main window's command table, and a menu item
// that shares its command with a tool button shows the same hint.
TEST(MainWindow, MenusInTheirOrderWithTheButtonsHints) {
    TVORNForm form;
    const std::pair<QWidget*, QStringList> menus[] = {
        {form.MainMenu1, {"VornMenu", "InvestigateMenu", "ClassifyMenu", "ExtrapolateMenu"}},
        {form.VornMenu,
         {"F_Open", "PreprocessPngs1", "F_ImageManager", "F_Save", "SaveNumbered1", "F__Saveas",
          "ExportAsMenu", "F_Print", "F_Exit"}},
        {form.InvestigateMenu,
         {"IZ_ZoomWindow", "IV_PixelValues", "ScreensMenu", "PngInfo1", "I_SystemInfo",
          "EO__Options", "I_Undo", "LogtoDIP"}},
        {form.ClassifyMenu,
         {"IH__Histogram", "IL__Linear", "IP__PixelAlgebra", "IS__SpatialMatrix", "IF__FFT",
          "IU__Classification"}},
        {form.ExtrapolateMenu, {"X_Macro", "X_LabelObjects", "X_ObjectorMM"}},
    };
    for (const auto& [menu, names] : menus) {
        QStringList got;
        for (const QAction* a : menu->actions())
            if (!a->isSeparator()) got << a->objectName();
        EXPECT_EQ(got, names) << menu->objectName().toStdString();
    }
    const std::pair<QAction*, QAction*> pairs[] = {
        {form.F_Open, form.ToolButton1},
        {form.F_Save, form.SaveButton},
        {form.F_Print, form.PrintButton},
        {form.F_Exit, form.ExitBtn},
        {form.IZ_ZoomWindow, form.FlyByButton},
        {form.IV_PixelValues, form.ViewPixelsBtn},
        {form.I_Undo, form.UndoBtn},
        {form.IH__Histogram, form.HistogramBtn},
        {form.IL__Linear, form.LinearBtn},
        {form.IP__PixelAlgebra, form.PixelAlgebraButton},
        {form.IS__SpatialMatrix, form.FilterEditorBtn},
        {form.IU__Classification, form.ClassificationBtn},
        {form.X_Macro, form.MacroBtn},
        {form.X_LabelObjects, form.LabelBtn},
        {form.X_ObjectorMM, form.LabelObjectsBtn},
    };
    for (const auto& [item, button] : pairs)
        EXPECT_EQ(item->statusTip(), button->statusTip()) << item->objectName().toStdString();
}
