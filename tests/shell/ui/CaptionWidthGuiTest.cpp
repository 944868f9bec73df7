// Every tool window and every page of the program at the desktop's own font: no caption (label,
// button, radio or check box, group title, tab) is wider than the control that shows it, every
// edit shows its whole text, and each window fits a 1280 x 1024 screen.
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
#include "shell/ui/vXAnnoLO.h"
#include "support/GuiStartup.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTabBar>
#include <QTabWidget>

#include <functional>
#include <limits>
#include <memory>
#include <set>

namespace {

int TextWidth(const QWidget* w, QString text) {
    text.remove('&');
    int widest = 0;
    for (const QString& line : text.split('\n'))
        widest = std::max(widest, w->fontMetrics().horizontalAdvance(line));
    return widest;
}

// An edit scrolls a text wider than its line to the cursor, which setText leaves at the end: the
// text shows whole when it and the cursor's pixel fit the line inside the frame and the edit's
// inner margins.
int EditTextRoom(const QLineEdit* e) {
    QStyleOptionFrame frame;
    frame.initFrom(e);
    frame.rect = e->contentsRect();
    frame.lineWidth = e->hasFrame() ? e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
    frame.state |= QStyle::State_Sunken;
    const QRect line = e->style()->subElementRect(QStyle::SE_LineEditContents, &frame, e);
    constexpr int InnerMargin = 2;
    return line.width() - e->textMargins().left() - e->textMargins().right() - 2 * InnerMargin;
}

// The captions of the window's shown controls that do not fit them, as "name "text" needs n
// has m".
void CutCaptions(const QWidget* window, std::set<std::string>& cut) {
    const auto report = [&](const QWidget* w, const QString& text, int need, int room) {
        if (need <= room) return;
        cut.insert(w->metaObject()->className() + std::string(" ") + w->objectName().toStdString() +
                   " \"" + text.toStdString() + "\" needs " + std::to_string(need) + " has " +
                   std::to_string(room));
    };
    for (const QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisible()) continue;
        if (const auto* l = qobject_cast<const QLabel*>(w)) {
            if (l->wordWrap() || l->text().isEmpty() || Qt::mightBeRichText(l->text())) continue;
            report(l, l->text(), TextWidth(l, l->text()),
                   l->contentsRect().width() - 2 * l->margin());
        } else if (qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w)) {
            const auto* b = static_cast<const QAbstractButton*>(w);
            report(b, b->text(), b->sizeHint().width(), b->width());
        } else if (const auto* b = qobject_cast<const QPushButton*>(w)) {
            if (b->text().isEmpty()) continue;
            const QStyle* s = b->style();
            const int frame = s->pixelMetric(QStyle::PM_ButtonMargin, nullptr, b) +
                              2 * s->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, b);
            const int icon = b->icon().isNull() ? 0 : b->iconSize().width() + 4;
            report(b, b->text(), TextWidth(b, b->text()) + frame + icon, b->width());
        } else if (const auto* g = qobject_cast<const QGroupBox*>(w)) {
            if (g->title().isEmpty()) continue;
            const int check = g->isCheckable() ? 20 : 0;
            report(g, g->title(), TextWidth(g, g->title()) + check + 8, g->width());
        } else if (const auto* e = qobject_cast<const QLineEdit*>(w)) {
            if (e->text().isEmpty() || e->echoMode() != QLineEdit::Normal) continue;
            report(e, e->text(), e->fontMetrics().horizontalAdvance(e->text()) + 1,
                   EditTextRoom(e));
        } else if (const auto* t = qobject_cast<const QTabBar*>(w)) {
            for (int i = 0; i < t->count(); ++i) {
                const QRect r = t->tabRect(i);
                // A tab pushed out of the bar is as cut as an elided one.
                const int room = std::min(r.right(), t->width() - 1) - std::max(r.left(), 0) + 1;
                report(t, t->tabText(i), TextWidth(t, t->tabText(i)), room);
            }
        }
    }
}

// Shows every page of every tab widget of the window, the pages that hold it first.
void VisitPages(QWidget* window, std::set<std::string>& cut) {
    QApplication::processEvents();
    CutCaptions(window, cut);
    for (QTabWidget* tabs : window->findChildren<QTabWidget*>()) {
        for (QWidget* p = tabs; p && p != window; p = p->parentWidget()) {
            QWidget* stack = p->parentWidget();
            auto* outer = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
            if (outer && outer->indexOf(p) >= 0) outer->setCurrentWidget(p);
        }
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            QApplication::processEvents();
            CutCaptions(window, cut);
        }
    }
}

class CaptionWidths : public GuiStartup {};

TEST_F(CaptionWidths, EveryCaptionOfEveryWindowAndPageIsWhole) {
    Picture picture;
    picture.Resize(40, 30);
    const std::vector<std::pair<const char*, std::function<QWidget*()>>> windows = {
        {"main", [this]() -> QWidget* { return Form; }},
        {"magnifier", [this] { return new TMagniForm(Form); }},
        {"cursor screen", [this] { return new TViewCursorScreen(Form); }},
        {"import", [this] { return new TPBands(Form); }},
        {"macro", [this] { return new TMacroForm(Form); }},
        {"projection messages", [this] { return new TkovMemoForm(Form); }},
        {"histogram", [this] { return new THistogramForm(Form); }},
        {"band processing", [this] { return new TDisProcessForm(Form); }},
        {"header viewer", [this] { return new TPBandHdrForm(Form); }},
        {"line profile", [this] { return new TLineProfileForm(Form); }},
        {"linear", [this] { return new TLinearForm(Form); }},
        {"preprocess", [this] { return new TREIVForm(Form); }},
        {"system information", [this] { return new TSystemInfoForm(Form); }},
        {"image information", [this] { return new TFrInfo(Form); }},
        {"print layout", [this] { return new TPrintersizeForm(Form); }},
        {"pixel algebra", [this] { return new TPixelAlgebraForm(Form); }},
        {"spatial filter", [this] { return new TFEditForm(Form); }},
        {"classification",
         [this] {
             auto* window = new TClassificationForm(Form);
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
        {"labels", [this] { return new TLabelObjectsForm(Form); }},
        {"object marks", [this] { return new TObjectMarkForm(Form); }},
        {"fourier", [this] { return new TFFTForm(Form); }},
        {"options", [this] { return new TOptionsForm(Form); }},
        {"about", [this] { return new TAboutVorn(Form); }},
        {"distance", [this] { return new TDistanceForm(Form); }},
        {"resize",
         [this] {
             return new TResizeForm(PictureSize{40, 30}, Form);
         }},
        {"rotate", [this, &picture] { return new TRotateForm(picture, Form); }},
        {"histogram print", [this] { return new TFormPrint(PrintSource{}, Form); }},
        {"histogram corrections", [this] { return new TExtraImageViewForm(Form); }},
    };
    for (const auto& [name, make] : windows) {
        QWidget* window = make();
        window->show();
        std::set<std::string> cut;
        VisitPages(window, cut);
        for (const std::string& c : cut)
            ADD_FAILURE() << name << ": " << c;
        EXPECT_LE(window->frameGeometry().width(), 1280) << name;
        EXPECT_LE(window->frameGeometry().height(), 1024) << name;
        window->hide();
        if (window != Form) delete window;
    }
    TrainingSites = {};
}

} // namespace
