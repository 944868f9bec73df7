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
#include "import/vBandImport.h"
#include "import/vHeaderPages.h"
#include "projections/ui/kovMemoFrm.h"
#include "runtime/RtFiles.h"
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
#include "support/TestFiles.h"

#include "shell/ui/vToolWindow.h"
#include "shell/vToolForms.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include <filesystem>
#include <fnmatch.h>
#include <limits>
#include <set>

namespace {

// The patterns of a dialog filter "text|*.a;*.b|text|*.c".
std::vector<std::string> FilterPatterns(const std::string& filter) {
    std::vector<std::string> patterns;
    size_t part = 0, at = 0;
    while (at <= filter.size()) {
        const size_t bar = std::min(filter.find('|', at), filter.size());
        if (part++ % 2 == 1) {
            const std::string list = filter.substr(at, bar - at);
            for (size_t s = 0; s <= list.size();) {
                const size_t semi = std::min(list.find(';', s), list.size());
                patterns.push_back(list.substr(s, semi - s));
                s = semi + 1;
            }
        }
        at = bar + 1;
    }
    return patterns;
}

} // namespace

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
    form->FormCreate({});
    HeaderPages = THeaderPages();
    InstallHeaderHooks();
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

void TriggerAsUser(QAction* action) {
    const QList<QObject*> owners = action->associatedObjects();
    for (QObject* o : owners)
        if (auto* tool = qobject_cast<QToolButton*>(o))
            return QTest::mouseClick(tool, Qt::LeftButton);
    std::vector<std::pair<QWidget*, QAction*>> path;
    for (QAction* line = action; line;) {
        QAction* up = nullptr;
        for (QObject* o : line->associatedObjects()) {
            if (auto* bar = qobject_cast<QMenuBar*>(o)) path.emplace_back(bar, line);
            if (auto* menu = qobject_cast<QMenu*>(o); menu && !up) {
                path.emplace_back(menu, line);
                up = menu->menuAction();
            }
        }
        line = up;
    }
    for (auto step = path.rbegin(); step != path.rend(); ++step) {
        auto [where, line] = *step;
        const QRect place = qobject_cast<QMenuBar*>(where)
                                ? static_cast<QMenuBar*>(where)->actionGeometry(line)
                                : static_cast<QMenu*>(where)->actionGeometry(line);
        // A menu that did not open takes nothing.
        if (where != path.back().first && !where->isVisible()) return;
        QTest::mouseClick(where, Qt::LeftButton, {}, place.center());
    }
}

std::vector<Command> EveryCommand(QWidget* main, const std::vector<QPointer<TToolWindow>>& windows,
                                  Reach reach) {
    std::vector<QWidget*> all{main};
    for (const auto& w : windows)
        all.push_back(w);
    const bool asUser = reach == Reach::User;
    std::vector<Command> commands;
    for (QWidget* w : all) {
        for (QAbstractButton* b : w->findChildren<QAbstractButton*>()) {
            // A tool window's buttons are counted with their own window, not with the main one.
            if (b->window() != w) continue;
            if (!qobject_cast<QPushButton*>(b) && !qobject_cast<QToolButton*>(b)) continue;
            // The user reaches an action's tool button as its action.
            if (auto* tool = qobject_cast<QToolButton*>(b); asUser && tool && tool->defaultAction())
                continue;
            QPointer<QAbstractButton> button(b);
            commands.push_back({w->objectName() + "/" + b->objectName() + " " + b->text(),
                                [button] { return button && button->isEnabled(); },
                                [button, asUser] {
                                    if (button && asUser) QTest::mouseClick(button, Qt::LeftButton);
                                    if (button && !asUser) button->click();
                                }});
        }
        for (QAction* a : w->findChildren<QAction*>()) {
            const auto* owner = qobject_cast<QWidget*>(a->parent());
            // A menu is a window of its own; its commands belong to the window its bar is in.
            while (qobject_cast<const QMenu*>(owner) && owner->parentWidget())
                owner = owner->parentWidget();
            if (a->isSeparator() || a->menu() || a->objectName().isEmpty() ||
                (owner && owner->window() != w))
                continue;
            QPointer<QAction> action(a);
            commands.push_back({w->objectName() + "/" + a->objectName(),
                                [action] { return action && action->isEnabled(); },
                                [action, asUser] {
                                    if (action && asUser) TriggerAsUser(action);
                                    if (action && !asUser) action->trigger();
                                }});
        }
    }
    return commands;
}

std::string AnswerIn(const std::string& folder, FileDialogRequest& r) {
    const std::vector<std::string> patterns = FilterPatterns(r.Filter);
    if (!r.Save) {
        std::set<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(folder))
            names.insert(e.path().filename().string());
        // As the desktop's dialogs match: in any case, a "?" at the end also matching nothing
        // ("*.B??" shows "scene.B1").
        for (std::string p : patterns)
            for (; !p.empty(); p.pop_back()) {
                for (const std::string& name : names)
                    if (fnmatch(p.c_str(), name.c_str(), FNM_CASEFOLD) == 0) {
                        r.Files = {folder + name};
                        return folder + name;
                    }
                if (p.back() != '?') break;
            }
        return {};
    }
    std::string name = ExtractFileName(r.FileName);
    if (name.empty()) {
        const std::string first = patterns.empty() ? std::string() : patterns[0];
        name = "made" + (first.find_first_of("?", 1) == std::string::npos && first.size() > 1
                             ? first.substr(1)
                             : "." + r.DefaultExt);
    }
    if (ExtractFileExt(name).empty() && !r.DefaultExt.empty()) name += "." + r.DefaultExt;
    return folder + name;
}

DialogCloser::DialogCloser() {
    QObject::connect(&Timer, &QTimer::timeout, [] {
        if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<QDialog*>(w); d && d->isVisible() && d->isModal())
                d->done(QDialog::Rejected);
    });
    Timer.start(20);
}

void MakeWorkScenes(const std::string& folder) {
    QImage(QString::fromStdString(TestData("aero1.png")))
        .copy(0, 0, 128, 96)
        .save(QString::fromStdString(folder + "scene.png"));
    std::filesystem::copy_file(TestData("landsat7-olinda/olinda.bsq"), folder + "olinda.bsq");
    RawSplitScene(folder + "olinda.bsq", {349, 352, 6, 0});
}

std::vector<std::string> OpeningSizeFaults(QWidget& window, QSize room) {
    std::vector<std::string> faults;
    const auto text = [](QSize s) {
        return std::to_string(s.width()) + " x " + std::to_string(s.height());
    };
    // What the contents ask now, filled as the window fills them when it opens: its layout asks
    // the whole of what it holds, through the scroll area, and the menu bar above it.
    for (QScrollArea* area : window.findChildren<QScrollArea*>())
        area->updateGeometry();
    QLayout* layout = window.layout();
    const QSize need = layout ? layout->totalSizeHint() : window.sizeHint();
    const QSize size = window.size();
    // Above scale 1 a unit spans more than a pixel and the frame lies on whole screen pixels: a
    // window as large as the screen lets it may come out a unit short of the room in units.
    const int slack = window.devicePixelRatio() > 1 ? 1 : 0;
    if (size.width() < std::min(need.width(), room.width() - slack) ||
        size.height() < std::min(need.height(), room.height() - slack))
        faults.push_back("opens at " + text(size) + " for contents of " + text(need) + " on " +
                         text(room));
    const QSize most = window.maximumSize();
    if (most.width() < need.width() || most.height() < need.height())
        faults.push_back("can grow to " + text(most) + " only, for contents of " + text(need));
    // A window that holds the whole of its contents shows all of them, none under a scroll bar.
    if (size.width() < need.width() || size.height() < need.height()) return faults;
    for (const QScrollArea* area : window.findChildren<QScrollArea*>()) {
        if (area->parentWidget() != &window) continue;
        if (area->horizontalScrollBar()->isVisible() || area->verticalScrollBar()->isVisible())
            faults.push_back("scrolls at " + text(size) + " for contents of " + text(need));
        const QRect view(area->viewport()->mapTo(&window, QPoint(0, 0)), area->viewport()->size());
        for (const QAbstractButton* b : area->findChildren<QAbstractButton*>()) {
            // A button inside a box that scrolls on its own is that box's to show.
            const QWidget* up = b->parentWidget();
            while (up != area && !qobject_cast<const QAbstractScrollArea*>(up))
                up = up->parentWidget();
            if (up == area && b->isVisible() &&
                !view.contains(QRect(b->mapTo(&window, QPoint(0, 0)), b->size())))
                faults.push_back("cuts " + b->objectName().toStdString());
        }
    }
    return faults;
}

std::vector<std::string>
EveryOpeningSizeFault(TVORNForm* form,
                      const std::function<std::optional<QSize>(QWidget&)>& opened) {
    std::vector<std::string> faults;
    Picture picture;
    picture.Resize(40, 30);
    for (const auto& [name, make] : EveryWindow(form, picture)) {
        QPointer<QWidget> window = make();
        window->show();
        const std::optional<QSize> room = opened(*window);
        if (!room) faults.push_back(name + std::string(": never opens"));
        for (const std::string& fault :
             room ? OpeningSizeFaults(*window, *room) : std::vector<std::string>())
            faults.push_back(name + (": " + fault));
        window->hide();
        if (window != form) delete window;
    }
    TrainingSites = {};
    return faults;
}
