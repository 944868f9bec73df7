#include "support/GuiWindows.h"

#include "algebra/ui/vFEditor.h"
#include "algebra/ui/vPixelAlgebra.h"
#include "bandproc/ui/vDisProFrm.h"
#include "bandproc/ui/vFFTFrm.h"
#include "bandproc/ui/vPBandsHisFrm.h"
#include "classify/ui/vClassifier.h"
#include "histogram/ui/vDistance.h"
#include "histogram/ui/vHistogram.h"
#include "histogram/ui/vLProfile.h"
#include "histogram/ui/vLinear.h"
#include "histogram/ui/vUScreenPrint.h"
#include "import/ui/vPBHdr.h"
#include "import/ui/vPBands.h"
#include "projections/ui/kovMemoFrm.h"
#include "shell/ui/vAbout.h"
#include "shell/ui/vInfo.h"
#include "shell/ui/vMacro.h"
#include "shell/ui/vMagniForm.h"
#include "shell/ui/vOMark.h"
#include "shell/ui/vPSize.h"
#include "shell/ui/vPrOptions.h"
#include "shell/ui/vREIV.h"
#include "shell/ui/vResize.h"
#include "shell/ui/vRotate.h"
#include "shell/ui/vSysInfo.h"
#include "shell/ui/vVCScreen.h"
#include "shell/ui/vVorn.h"
#include "shell/ui/vXAnnoLO.h"
#include "shell/vGlobal.h"

#include "shell/ui/vToolWindow.h"
#include "shell/vToolForms.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

#include <limits>

std::vector<NamedWindow> EveryWindow(TVORNForm* form, Picture& picture) {
    return {
        {"main", [form]() -> QWidget* { return form; }},
        {"magnifier", [form] { return new TMagniForm(form); }},
        {"cursor screen", [form] { return new TViewCursorScreen(form); }},
        {"import", [form] { return new TPBands(form); }},
        {"macro", [form] { return new TMacroForm(form); }},
        {"projection messages", [form] { return new TkovMemoForm(form); }},
        {"histogram", [form] { return new THistogramForm(form); }},
        {"band processing", [form] { return new TDisProcessForm(form); }},
        {"header viewer", [form] { return new TPBandHdrForm(form); }},
        {"line profile", [form] { return new TLineProfileForm(form); }},
        {"linear", [form] { return new TLinearForm(form); }},
        {"preprocess", [form] { return new TREIVForm(form); }},
        {"system information", [form] { return new TSystemInfoForm(form); }},
        {"image information", [form] { return new TFrInfo(form); }},
        {"print layout", [form] { return new TPrintersizeForm(form); }},
        {"pixel algebra", [form] { return new TPixelAlgebraForm(form); }},
        {"spatial filter", [form] { return new TFEditForm(form); }},
        {"classification",
         [form] {
             auto* window = new TClassificationForm(form);
             // Values as a classification leaves them, and the longest texts of each column.
             SiteRecord& run = TrainingSites[1];
             run.Rmin = run.Rmax = run.Rcent = 255;
             run.Count = 47606;
             run.Radius = 16.547401108035601;
             for (size_t k = 2; k <= 9; ++k) {
                 SiteRecord& s = TrainingSites[k];
                 s.Gmin = s.Gmax = s.Gcent = s.Bmin = s.Bmax = s.Bcent = 208;
                 s.Count = std::numeric_limits<int32_t>::min();
                 s.Radius = -8.88888888888888e-308;
                 s.SDeviation = 4.94065645841247e-324;
                 s.Variance = -0.000888888888888888;
             }
             window->SetDataIntoForm(10);
             return window;
         }},
        {"labels", [form] { return new TLabelObjectsForm(form); }},
        {"object marks", [form] { return new TObjectMarkForm(form); }},
        {"fourier", [form] { return new TFFTForm(form); }},
        {"options", [form] { return new TOptionsForm(form); }},
        {"about", [form] { return new TAboutVorn(form); }},
        {"distance", [form] { return new TDistanceForm(form); }},
        {"resize",
         [form] {
             return new TResizeForm(PictureSize{40, 30}, form);
         }},
        {"rotate", [form, &picture] { return new TRotateForm(picture, form); }},
        {"histogram print", [form] { return new TFormPrint(PrintSource{}, form); }},
        {"histogram corrections", [form] { return new TExtraImageViewForm(form); }},
    };
}

void MakeEveryToolWindow(TVORNForm* form) {
    MagniForm = new TMagniForm(form);
    ViewCursorScreen = new TViewCursorScreen(form);
    PBands = new TPBands(form);
    MacroForm = new TMacroForm(form);
    kovMemoForm = new TkovMemoForm(form);
    HistogramForm = new THistogramForm(form);
    DisProcessForm = new TDisProcessForm(form);
    PBandHdrForm = new TPBandHdrForm(form);
    LineProfileForm = new TLineProfileForm(form);
    LinearForm = new TLinearForm(form);
    REIVForm = new TREIVForm(form);
    for (int code : {tfSystemInfo, tfInfo, tfPrintersize, tfPixelAlgebra, tfFEdit, tfClassification,
                     tfLabelObjects, tfObjectMark, tfFFT})
        form->ToolForm(code);
}

std::vector<QPointer<TToolWindow>> ToolWindowsOf(TVORNForm* form) {
    std::vector<QPointer<TToolWindow>> windows;
    for (TToolWindow* w : form->findChildren<TToolWindow*>())
        windows.emplace_back(w);
    return windows;
}

std::vector<Command> EveryCommand(QWidget* main,
                                  const std::vector<QPointer<TToolWindow>>& windows) {
    std::vector<QWidget*> all{main};
    for (const auto& w : windows)
        all.push_back(w);
    std::vector<Command> commands;
    for (QWidget* w : all) {
        for (QAbstractButton* b : w->findChildren<QAbstractButton*>()) {
            // A tool window's buttons are counted with their own window, not with the main one.
            if (b->window() != w) continue;
            if (!qobject_cast<QPushButton*>(b) && !qobject_cast<QToolButton*>(b)) continue;
            QPointer<QAbstractButton> button(b);
            const QString name = w->objectName() + "/" + b->objectName() + " " + b->text();
            commands.push_back({name,
                                name.contains("Help") || name.contains("Abort") || b->text() == "?",
                                [button] { return button && button->isEnabled(); },
                                [button] {
                                    if (button) button->click();
                                }});
        }
        for (QAction* a : w->findChildren<QAction*>()) {
            const auto* owner = qobject_cast<QWidget*>(a->parent());
            if (a->isSeparator() || a->menu() || a->objectName().isEmpty() ||
                (owner && owner->window() != w))
                continue;
            QPointer<QAction> action(a);
            const QString name = w->objectName() + "/" + a->objectName();
            commands.push_back({name, name.contains("Help"),
                                [action] { return action && action->isEnabled(); },
                                [action] {
                                    if (action) action->trigger();
                                }});
        }
    }
    return commands;
}
