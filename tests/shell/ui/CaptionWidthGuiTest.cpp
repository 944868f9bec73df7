// Every tool window and every page of the program at the desktop's own font: no caption (label,
// button, radio or check box, group title, tab) is wider than the control that shows it, every
// edit shows its whole text, and each window fits a 1280 x 1024 screen.
#include "classify/vTrainingSites.h"
#include "support/GuiStartup.h"
#include "support/GuiWindows.h"

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
    // The options window shows the program's folders, which are wherever the project was
    // built: a box the user scrolls is not held to the width of a path it happens to get.
    std::string* const folders[] = {
        &ProgramDirectory, &FilterDirectory,    &WorkingFolderText(ImageDirectory),
        &DEMDirectory,     &VDatabaseDirectory, &StorageDirectory,
        &VectorsDirectory};
    std::vector<std::string> kept;
    for (std::string* folder : folders) {
        kept.push_back(*folder);
        *folder = "/opt/vorn/";
    }
    const std::vector<NamedWindow> windows = EveryWindow(Form, picture);
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
    for (size_t k = 0; k < kept.size(); ++k)
        *folders[k] = kept[k];
}

} // namespace
