#include "algebra/ui/vFEditor.h"
#include "algebra/ui/vPixelAlgebra.h"
#include "bandproc/ui/vDisProFrm.h"
#include "bandproc/ui/vFFTFrm.h"
#include "classify/ui/vClassifier.h"
#include "histogram/ui/vHistogram.h"
#include "histogram/ui/vLProfile.h"
#include "histogram/ui/vLinear.h"
#include "import/ui/vPBHdr.h"
#include "import/ui/vPBands.h"
#include "projections/ui/kovMemoFrm.h"
#include "runtime/RtFiles.h"
#include "shell/ui/vInfo.h"
#include "shell/ui/vMacro.h"
#include "shell/ui/vMagniForm.h"
#include "shell/ui/vOMark.h"
#include "shell/ui/vPSize.h"
#include "shell/ui/vREIV.h"
#include "shell/ui/vSysInfo.h"
#include "shell/ui/vVCScreen.h"
#include "shell/ui/vXAnnoLO.h"
#include "shell/vToolForms.h"
#include "support/GuiStartup.h"

#include <QElapsedTimer>
#include <QTimer>
#include <functional>

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
    const struct {
        int Code;
        const char* Caption;
        int Pair;
    } cases[] = {
        {tfSystemInfo, "Program Information", fpSystemInfo},
        {tfInfo, "PNG Information", fpInfo},
        {tfPrintersize, "Image Print Selection", fpPrintersize},
        {tfPixelAlgebra, "Pixel Algebra", fpPixelAlgebra},
        {tfFEdit, "Spatial Matrix", fpFEdit},
        {tfClassification, "Classification", fpClassification},
        {tfLabelObjects, "Label Objects: Text Annotation", fpLabelObjects},
        {tfObjectMark, "Object Marker", fpObjectMark},
        {tfFFT, "Fourier Transformer", fpFFT},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Caption);
        FormPositions[c.Pair] = {200 + c.Code, 150 + c.Code};
        QPointer<TToolWindow> window = Form->ToolForm(c.Code);
        ASSERT_TRUE(window);
        EXPECT_TRUE(ToolFormExists[c.Code]);
        EXPECT_EQ(window->windowTitle(), c.Caption);
        EXPECT_EQ(window->pos(), QPoint(200 + c.Code, 150 + c.Code));
        EXPECT_EQ(Form->ToolForm(c.Code), window.data());
        window->show();
        window->move(300 + c.Code, 310);
        window->close();
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(FormToFree, c.Code);
        EXPECT_TRUE(Form->Timer1->isActive());
        EXPECT_TRUE(Form->Timer1->isSingleShot());
        EXPECT_EQ(Form->Timer1->interval(), 1000);
        EXPECT_EQ(FormPositions[c.Pair].Left, 300 + c.Code);
        LoadOptions();
        EXPECT_EQ(FormPositions[c.Pair].Top, 310);
        Form->Timer1Timer();
        EXPECT_FALSE(Form->Timer1->isActive());
        EXPECT_FALSE(window);
        EXPECT_FALSE(ToolFormExists[c.Code]);
    }
    EXPECT_EQ(Form->ToolForm(5), nullptr);
    EXPECT_EQ(Form->ToolForm(13), nullptr);
}

TEST_F(ToolWindows, ChoosingTheCommandAfterTheFreeMakesANewWindow) {
    Form->ShowToolForm(tfSystemInfo);
    ASSERT_TRUE(SystemInfoForm);
    CloseAndLetTheTimerRun(SystemInfoForm);
    EXPECT_FALSE(SystemInfoForm);
    Form->ShowToolForm(tfSystemInfo);
    ASSERT_TRUE(SystemInfoForm);
    EXPECT_TRUE(SystemInfoForm->isVisible());
    EXPECT_TRUE(ToolFormExists[tfSystemInfo]);
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

TEST_F(ToolWindows, EscapeClosesThroughTheCloseHandler) {
    QPointer<TToolWindow> window = Form->ShowToolForm(tfObjectMark);
    window->reject();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(FormToFree, tfObjectMark);
}

TEST_F(ToolWindows, LongLivedWindowsKeepTheirPlaceAndAreOnlyHidden) {
    const struct {
        std::function<TToolWindow*()> Make;
        const char* Caption;
        int Pair;
        int Code;
    } cases[] = {
        {[&] { return MagniForm = new TMagniForm(Form); }, "Magnifico", fpMagni, 0},
        {[&] { return ViewCursorScreen = new TViewCursorScreen(Form); },
         "View Cursor Screen: Red, Green, Blue Pixel Values", fpViewCursorScreen, 0},
        {[&] { return PBands = new TPBands(Form); }, "Image Import", fpPBands, 0},
        {[&] { return MacroForm = new TMacroForm(Form); }, "Macro", fpMacro, 0},
        {[&] { return kovMemoForm = new TkovMemoForm(Form); }, "Projection Messages", -1, 0},
        {[&] { return HistogramForm = new THistogramForm(Form); }, "Histogram", fpHistogram,
         tfHistogram},
        {[&] { return DisProcessForm = new TDisProcessForm(Form); }, "Dis Process", fpDisProcess,
         tfDisProcess},
        {[&] { return PBandHdrForm = new TPBandHdrForm(Form); }, "Header Import", fpPBandHdr, 0},
        {[&] { return LineProfileForm = new TLineProfileForm(Form); }, "Line Profile",
         fpLineProfile, 0},
        {[&] { return LinearForm = new TLinearForm(Form); }, "Linear", fpLinear, 0},
        {[&] { return REIVForm = new TREIVForm(Form); }, "Preprocess", fpREIV, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Caption);
        if (c.Pair >= 0) FormPositions[c.Pair] = {77, 88};
        QPointer<TToolWindow> window = c.Make();
        EXPECT_EQ(window->windowTitle(), c.Caption);
        if (c.Pair >= 0) {
            EXPECT_EQ(window->pos(), QPoint(77, 88));
        }
        window->show();
        window->move(91, 92);
        FormToFree = 0;
        const std::vector<FormPosition> before(FormPositions.begin(), FormPositions.end());
        window->close();
        EXPECT_FALSE(window->isVisible());
        if (c.Pair >= 0) {
            EXPECT_EQ(FormPositions[c.Pair].Left, 91);
        } else {
            EXPECT_TRUE(
                std::equal(before.begin(), before.end(), FormPositions.begin(),
                           [](auto a, auto b) { return a.Left == b.Left && a.Top == b.Top; }));
        }
        EXPECT_EQ(FormToFree, c.Code);
        Form->Timer1Timer();
        EXPECT_TRUE(window);
    }
}

TEST_F(ToolWindows, AModalWindowReturnsToItsCommandWhenClosed) {
    QPointer<TToolWindow> window = Form->ToolForm(tfInfo);
    QTimer closer;
    closer.setSingleShot(true);
    QObject::connect(&closer, &QTimer::timeout, window, [&] { window->close(); });
    closer.start(10);
    QTimer safety;
    safety.setSingleShot(true);
    QObject::connect(&safety, &QTimer::timeout, window, [&] { window->done(0); });
    safety.start(3000);
    QElapsedTimer clock;
    clock.start();
    Form->ShowToolForm(tfInfo);
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_EQ(FormToFree, tfInfo);
    Form->Timer1Timer();
    EXPECT_FALSE(window);
}
