#include "shell/ui/vToolWindow.h"

#include "shell/ui/vHelp.h"
#include "shell/ui/vImageView.h"
#include "shell/ui/vScreenPlace.h"
#include "shell/ui/vVorn.h"
#include "shell/vGlobal.h"
#include "shell/vToolForms.h"
#include "shell/vToolModes.h"

#include <QCloseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

CommandWindow* Innermost = nullptr;

// Asks for its content's whole size and takes less.
class FittingScrollArea : public QScrollArea {
  public:
    using QScrollArea::QScrollArea;
    QSize sizeHint() const override {
        const int frame = 2 * frameWidth();
        return widget() ? widget()->sizeHint() + QSize(frame, frame) : QScrollArea::sizeHint();
    }
    QSize minimumSizeHint() const override { return {MinimumSide, MinimumSide}; }

  private:
    // Room for both scroll bars and a little of what they scroll.
    static constexpr int MinimumSide = 120;
};

} // namespace

CommandWindow::CommandWindow(QWidget* window) : Window(window), Outer(Innermost) {
    Innermost = this;
}

CommandWindow::~CommandWindow() {
    Innermost = Outer;
}

QWidget* CommandWindow::Current() {
    for (const CommandWindow* c = Innermost; c; c = c->Outer)
        if (c->Window && c->Window->isVisible() && !c->Window->isMinimized()) return c->Window;
    return nullptr;
}

TToolWindow::TToolWindow(const QString& caption, const QString& formName, int positionPair,
                         int freeCode, QWidget* parent)
    : QDialog(parent, Qt::Window), PositionPair(positionPair), FreeCode(freeCode) {
    setObjectName(formName);
    setWindowTitle(caption);
    SetHelpContext(this, WindowHelpContext(formName));
    if (PositionPair >= 0 && PositionPair < FormPositionCount)
        MoveToStoredPlace(*this, FormPositions[PositionPair].Left, FormPositions[PositionPair].Top);
}

void TToolWindow::setVisible(bool visible) {
    if (visible && !Scrolling) ScrollWhenSmall();
    // A window its command hides rather than closes (the magnifier with the zoom) keeps the
    // place it was last seen at, which the options take with them at the program's end.
    if (!visible && isVisible() && PositionPair >= 0 && PositionPair < FormPositionCount)
        FormPositions[PositionPair] = StoredPlace(*this);
    QDialog::setVisible(visible);
}

void TToolWindow::ScrollWhenSmall() {
    Scrolling = true;
    QLayout* own = layout();
    if (!own) return;
    // The size it would have opened at: the one it was given, at least its least size, else as
    // large as its layout asks (the toolkit's own choice would stop growing parts at two thirds
    // of the screen).
    own->activate();
    if (!testAttribute(Qt::WA_Resized)) resize(sizeHint());
    const QSize opening = size();
    // A menu bar stays at the top of the window, out of what scrolls.
    QWidget* bar = own->menuBar();
    own->setMenuBar(nullptr);
    auto* content = new QWidget;
    content->setObjectName(objectName() + "Contents");
    content->setLayout(own);
    Scroll = new FittingScrollArea(this);
    Scroll->setObjectName(objectName() + "Scroll");
    Scroll->setWidgetResizable(true);
    Scroll->setFrameShape(QFrame::NoFrame);
    Scroll->setWidget(content);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setMenuBar(bar);
    layout->addWidget(Scroll);
    resize(opening);
}

QSize TToolWindow::RoomForScrollBar(QSize size) const {
    if (!Scroll || !Scroll->widget()) return size;
    // What scrolls asks for its least size, and the scroll area shows it in what the window
    // leaves it (the menu bar takes the rest). A window manager sizes a window in steps of whole
    // pixels, at a fractional scale two and more, and may take off a pixel and with it a unit.
    const QWidget* content = Scroll->widget();
    const QSize least = content->minimumSizeHint().expandedTo(content->minimumSize());
    const QSize around = this->size() - Scroll->size();
    const QSize view = size - around;
    const double scale = devicePixelRatio();
    const int step = scale == std::floor(scale) ? 0 : 1;
    QSize room = size;
    if (view.height() < least.height())
        room.setWidth(std::max(size.width(), least.width() + around.width() + step +
                                                 Scroll->verticalScrollBar()->sizeHint().width()));
    if (view.width() < least.width())
        room.setHeight(
            std::max(size.height(), least.height() + around.height() + step +
                                        Scroll->horizontalScrollBar()->sizeHint().height()));
    return room;
}

void TToolWindow::reject() {
    close();
}

void TToolWindow::FormClose() {
    if (PositionPair >= 0 && PositionPair < FormPositionCount) {
        FormPositions[PositionPair] = StoredPlace(*this);
        SaveOptions();
    }
    if (FreeCode != tfNone) {
        FormToFree = FreeCode;
        if (VORNForm) VORNForm->FreeForm();
    }
}

void TToolWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    KeepOnScreen(*this, true, [this](QSize size) { return RoomForScrollBar(size); });
    Guarded([this] { FormOpen(); });
}

void TToolWindow::ArmMouseMode(bool& mode, std::function<void()> end) {
    ArmToolMode(mode, end);
    for (ArmedMode& armed : ArmedModes)
        if (armed.Mode == &mode) {
            armed.End = std::move(end);
            return;
        }
    ArmedModes.push_back({&mode, std::move(end)});
}

void TToolWindow::DisarmMouseModes() {
    // A mode left armed would hand the next drag on the picture to a window that is gone, or
    // take it from the window that armed its own mode since.
    std::vector<ArmedMode> armed;
    armed.swap(ArmedModes);
    for (ArmedMode& a : armed) {
        ForgetToolMode(*a.Mode);
        if (!*a.Mode) continue;
        if (a.End)
            a.End();
        else
            *a.Mode = false;
    }
    // A rubber band under way goes from the picture with its mode.
    if (!armed.empty() && VORNForm) VORNForm->Image1->update();
}

void TToolWindow::closeEvent(QCloseEvent* event) {
    // The running operation may be this window's own, working on what its close would free.
    if (ArrivesDuringOperation()) {
        event->ignore();
        return;
    }
    Guarded([this] {
        DisarmMouseModes();
        FormClose();
    });
    event->accept();
}
