#include "histogram/ui/vDistance.h"
#include "histogram/ui/vHistogram.h"
#include "import/ui/vPBands.h"
#include "shell/ui/vInfo.h"
#include "shell/ui/vMacro.h"
#include "shell/ui/vMagniForm.h"
#include "shell/ui/vPrOptions.h"
#include "shell/ui/vREIV.h"
#include "shell/ui/vRotate.h"
#include "shell/ui/vSysInfo.h"
#include "shell/ui/vVorn.h"
#include "shell/vToolForms.h"
#include "support/GuiStartup.h"

#include <QLineEdit>
#include <QSpinBox>
#include <QTimer>
#include <functional>
#include <memory>

namespace {

class ToolWindows : public GuiStartup {
  protected:
    void SetUp() override {
        GuiStartup::SetUp();
        Form->FormCreate({});
        Rec->Clear();
    }

    // Closes a window as its close box does and lets the deferred free run, as a second later.
    void CloseAndLetTheTimerRun(TToolWindow* window) {
        window->close();
        Form->Timer1Timer();
    }
};

} // namespace

TEST_F(ToolWindows, OnDemandWindowsTakeTheirPlaceAndAreFreedAfterTheirClose) {
    const std::pair<int, int> cases[] = {{tfSystemInfo, fpSystemInfo},
                                         {tfInfo, fpInfo},
                                         {tfPrintersize, fpPrintersize},
                                         {tfPixelAlgebra, fpPixelAlgebra},
                                         {tfFEdit, fpFEdit},
                                         {tfClassification, fpClassification},
                                         {tfLabelObjects, fpLabelObjects},
                                         {tfObjectMark, fpObjectMark},
                                         {tfFFT, fpFFT}};
    for (const auto& [code, pair] : cases) {
        SCOPED_TRACE(code);
        FormPositions[pair] = {200 + code, 150};
        QPointer<TToolWindow> window = Form->ToolForm(code);
        ASSERT_TRUE(window);
        EXPECT_TRUE(ToolFormExists[code]);
        EXPECT_EQ(window->pos(), QPoint(200 + code, 150));
        window->show();
        window->move(300 + code, 310);
        window->close();
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(FormToFree, code);
        EXPECT_TRUE(Form->Timer1->isActive());
        LoadOptions();
        EXPECT_EQ(FormPositions[pair].Left, 300 + code);
        Form->Timer1Timer();
        EXPECT_FALSE(window);
        EXPECT_FALSE(ToolFormExists[code]);
    }
    EXPECT_EQ(Form->ToolForm(5), nullptr);
}

TEST_F(ToolWindows, AWindowReopenedWithinTheSecondStaysAlive) {
    QPointer<TToolWindow> window = Form->ShowToolForm(tfPixelAlgebra);
    window->close();
    EXPECT_EQ(Form->ShowToolForm(tfPixelAlgebra), window.data());
    Form->Timer1Timer();
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(ToolFormExists[tfPixelAlgebra]);
    CloseAndLetTheTimerRun(window);
    EXPECT_FALSE(window);
    EXPECT_FALSE(ToolFormExists[tfPixelAlgebra]);
    // After the free the command makes a new window.
    ASSERT_TRUE(Form->ShowToolForm(tfPixelAlgebra));
    EXPECT_TRUE(ToolFormExists[tfPixelAlgebra]);
}

TEST_F(ToolWindows, TwoClosedInQuickSuccessionLeaveTheFirstHiddenAndFlagged) {
    QPointer<TToolWindow> first = Form->ShowToolForm(tfSystemInfo);
    QPointer<TToolWindow> second = Form->ShowToolForm(tfClassification);
    first->close();
    second->close();
    Form->Timer1Timer();
    EXPECT_FALSE(second);
    EXPECT_FALSE(ToolFormExists[tfClassification]);
    ASSERT_TRUE(first);
    EXPECT_FALSE(first->isVisible());
    EXPECT_TRUE(ToolFormExists[tfSystemInfo]);
    EXPECT_EQ(Form->ShowToolForm(tfSystemInfo), first.data());
    EXPECT_TRUE(first->isVisible());
}

// A minimised window comes back, in front, by its own command, a menu's or a tool button's.
TEST_F(ToolWindows, AMinimisedWindowComesBackByItsCommand) {
    REIVForm = new TREIVForm(Form);
    MacroForm = new TMacroForm(Form);
    TVORNForm* form = Form;
    const struct {
        const char* Name;
        void (TVORNForm::*Command)();
        std::function<QWidget*()> Window;
    } rows[] = {
        {"preprocess", &TVORNForm::PreprocessPngs1Click, [] { return REIVForm.data(); }},
        {"macro", &TVORNForm::X_MacroClick, [] { return MacroForm.data(); }},
        {"objects", &TVORNForm::X_ObjectorMMClick, [form] { return form->ToolForm(tfObjectMark); }},
        {"labels", &TVORNForm::X_LabelObjectsClick,
         [form] { return form->ToolForm(tfLabelObjects); }},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Name);
        (form->*r.Command)();
        QWidget* window = r.Window();
        ASSERT_TRUE(window && window->isVisible());
        window->setWindowState(Qt::WindowMinimized);
        ASSERT_TRUE(window->isMinimized());
        (form->*r.Command)();
        EXPECT_FALSE(window->isMinimized());
        EXPECT_TRUE(window->isVisible());
    }
}

TEST_F(ToolWindows, AWindowIsNotFreedWhileItsHandlerRuns) {
    QPointer<TToolWindow> window = Form->ShowToolForm(tfFEdit);
    window->Guarded([&] {
        // A long operation lets the timer in after the user closed its window.
        window->close();
        Form->Timer1Timer();
        EXPECT_TRUE(window);
    });
    ASSERT_TRUE(window);
    EXPECT_TRUE(ToolFormExists[tfFEdit]);
    CloseAndLetTheTimerRun(window);
    EXPECT_FALSE(window);
}

TEST_F(ToolWindows, LongLivedWindowsKeepTheirPlaceAndAreOnlyHidden) {
    const struct {
        std::function<TToolWindow*()> Make;
        int Pair, Code;
        std::function<void(TToolWindow*)> Hide = [](TToolWindow* w) { w->close(); };
    } cases[] = {
        {[&] { return MagniForm = new TMagniForm(Form); }, fpMagni, 0},
        {[&] { return HistogramForm = new THistogramForm(Form); }, fpHistogram, tfHistogram},
        // Hidden by the zoom's end, not closed.
        {[&] { return MagniForm = new TMagniForm(Form); }, fpMagni, 0,
         [&](TToolWindow*) {
             Form->IZ_ZoomWindow->setChecked(true);
             Form->IZ_ZoomWindowClick();
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Pair);
        FormPositions[c.Pair] = {77, 88};
        QPointer<TToolWindow> window = c.Make();
        EXPECT_EQ(window->pos(), QPoint(77, 88));
        window->show();
        window->move(91, 92);
        FormToFree = 0;
        c.Hide(window);
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(FormToFree, c.Code);
        // The program's end writes the options; the next start reads them.
        SaveOptions();
        LoadOptions();
        EXPECT_EQ(FormPositions[c.Pair].Left, 91);
        Form->Timer1Timer();
        EXPECT_TRUE(window);
    }
}

// Restoring a minimised window is no new opening: nothing typed into it is filled in again.
TEST_F(ToolWindows, RestoringFromMinimisedKeepsWhatWasTyped) {
    Picture picture;
    picture.Resize(40, 30);
    const std::pair<const char*, std::function<TToolWindow*()>> windows[] = {
        {"system information", [this] { return new TSystemInfoForm(Form); }},
        {"image information", [this] { return new TFrInfo(Form); }},
        {"options", [this] { return new TOptionsForm(Form); }},
        {"distance", [this] { return new TDistanceForm(Form); }},
        {"rotate", [this, &picture] { return new TRotateForm(picture, Form); }},
        {"import", [this] { return new TPBands(Form); }},
    };
    for (const auto& [name, make] : windows) {
        SCOPED_TRACE(name);
        const std::unique_ptr<TToolWindow> window(make());
        window->show();
        // A spin box writes its own edit from its value on every show: its value is what counts.
        QList<QLineEdit*> edits;
        for (QLineEdit* edit : window->findChildren<QLineEdit*>())
            if (!qobject_cast<QAbstractSpinBox*>(edit->parentWidget())) edits.push_back(edit);
        const QList<QSpinBox*> spins = window->findChildren<QSpinBox*>();
        ASSERT_FALSE(edits.empty() && spins.empty());
        for (qsizetype i = 0; i < edits.size(); ++i)
            edits[i]->setText(QString("typed %1").arg(i));
        for (QSpinBox* spin : spins)
            spin->setValue(spin->minimum() + 1);
        window->setWindowState(Qt::WindowMinimized);
        window->setWindowState(Qt::WindowNoState);
        for (qsizetype i = 0; i < edits.size(); ++i)
            EXPECT_EQ(edits[i]->text(), QString("typed %1").arg(i))
                << edits[i]->objectName().toStdString();
        for (QSpinBox* spin : spins)
            EXPECT_EQ(spin->value(), spin->minimum() + 1) << spin->objectName().toStdString();
    }
}
