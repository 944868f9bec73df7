#include "shell/ui/vApplication.h"

#include "shell/vGlobalHooks.h"
#include "shell/vToolModes.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace {

constexpr const char* HeardMidRunProperty = "HeardMidRun";
constexpr const char* CloseHeardMidRunProperty = "CloseHeardMidRun";

bool IsHelpKey(const QEvent& event) {
    switch (event.type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
        return static_cast<const QKeyEvent&>(event).key() == Qt::Key_F1;
    default:
        return false;
    }
}

bool HeardNow(const QObject* receiver, const QEvent& event) {
    // F1 only opens the guide at the control's topic, as the Help buttons do.
    return IsHelpKey(event) || IsHeardMidRun(receiver) ||
           (event.type() == QEvent::Close && receiver->property(CloseHeardMidRunProperty).toBool());
}

// A dialog a control heard mid-run opens (a message that the guide is missing) is the only
// window that takes input while it is up: it is heard too, or nobody could close it.
void MarkDialogOpenedMidRun(QObject* receiver, const QEvent& event) {
    if (!receiver->isWidgetType()) return;
    auto* w = static_cast<QWidget*>(receiver);
    if (!w->isWindow()) return;
    if (event.type() == QEvent::Show && w->isModal() && ArrivesDuringOperation())
        w->setProperty(HeardMidRunProperty, true);
    else if (event.type() == QEvent::Hide && w->property(HeardMidRunProperty).toBool() &&
             w->isModal())
        w->setProperty(HeardMidRunProperty, QVariant());
}

// An event that the user makes (a press, a key, a drop, a close request): the kind the gate
// holds back while a command runs.
bool IsUserInput(const QEvent& event) {
    switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::NonClientAreaMouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::InputMethod:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::DragLeave:
    case QEvent::Drop:
    case QEvent::ContextMenu:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::NativeGesture:
    case QEvent::Gesture:
        return true;
    // A close the window system asks for is the user's; one the program makes is its own.
    case QEvent::Close:
        return event.spontaneous();
    default:
        return false;
    }
}

// The standard controls, which hold a press until its release: a slider or scroll bar and a spin
// box's arrows step again and again while pressed, a button stays down. A release outside them
// ends the press without a click or a step.
bool HoldsAPress(const QObject* receiver) {
    return qobject_cast<const QAbstractSlider*>(receiver) ||
           qobject_cast<const QAbstractSpinBox*>(receiver) ||
           qobject_cast<const QAbstractButton*>(receiver);
}

// The control whose release the gate refused, and the button let go. A control pressed as a
// command starts, or whose own change starts one at the press, would otherwise stay pressed for
// good: a slider that steps before it starts repeating would page on by itself.
struct OwedRelease {
    QPointer<QWidget> Control;
    Qt::MouseButton Button = Qt::NoButton;
};
OwedRelease Owed;

// The receivers of the events being handled, innermost last.
std::vector<const QObject*> Handling;

struct Handled {
    explicit Handled(const QObject* receiver) { Handling.push_back(receiver); }
    ~Handled() { Handling.pop_back(); }
    Handled(const Handled&) = delete;
    Handled& operator=(const Handled&) = delete;
};

// The release, outside the control so that it acts on nothing, once no command runs and the
// control has finished with the event that pressed or stepped it (a slider starts repeating
// only after its change has run).
void EndOwedPress() {
    if (!Owed.Control || ImageOperationBusy ||
        std::find(Handling.begin(), Handling.end(), Owed.Control.data()) != Handling.end())
        return;
    QWidget* control = Owed.Control;
    const QPointF outside(-1, -1);
    QMouseEvent release(QEvent::MouseButtonRelease, outside, control->mapToGlobal(outside),
                        Owed.Button, Qt::NoButton, Qt::NoModifier);
    Owed = {};
    QCoreApplication::sendEvent(control, &release);
}

} // namespace

void HeardMidRun(QWidget* control) {
    control->setProperty(HeardMidRunProperty, true);
}

void HearCloseMidRun(QWidget* window) {
    window->setProperty(CloseHeardMidRunProperty, true);
}

bool IsHeardMidRun(const QObject* receiver) {
    if (!receiver || !receiver->isWidgetType()) return false;
    for (auto* w = static_cast<const QWidget*>(receiver); w; w = w->parentWidget())
        if (w->property(HeardMidRunProperty).toBool()) return true;
    return false;
}

bool VornApplication::notify(QObject* receiver, QEvent* event) {
    if (receiver && event) {
        MarkDialogOpenedMidRun(receiver, *event);
        // The window system's window hands its input on to the control under the pointer or
        // with the focus, which is where the gate decides.
        if (ArrivesDuringOperation() && IsUserInput(*event) && !receiver->isWindowType() &&
            !HeardNow(receiver, *event)) {
            // The button let go now would end a drag on the picture with the running command's
            // picture and state under it, or a later press would end it there.
            if (event->type() == QEvent::MouseButtonRelease) {
                EndOpenDrags();
                if (HoldsAPress(receiver))
                    Owed = {static_cast<QWidget*>(receiver),
                            static_cast<QMouseEvent*>(event)->button()};
            }
            event->ignore();
            return true;
        }
    }
    bool handled = false;
    {
        const Handled frame(receiver);
        // The handlers take the operation frame themselves; what the gate lets through (a
        // repaint, the gauge's timer, Abort) is not refused here as another command would be.
        RunGuardedMidRun([&] { handled = QApplication::notify(receiver, event); });
    }
    EndOwedPress();
    return handled;
}
