#include "shell/ui/vApplication.h"

#include "shell/vGlobalHooks.h"
#include "shell/vToolModes.h"

#include <QKeyEvent>
#include <QWidget>

namespace {

constexpr const char* HeardMidRunProperty = "HeardMidRun";

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
    return IsHelpKey(event) || IsHeardMidRun(receiver);
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

} // namespace

void HeardMidRun(QWidget* control) {
    control->setProperty(HeardMidRunProperty, true);
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
            if (event->type() == QEvent::MouseButtonRelease) EndOpenDrags();
            event->ignore();
            return true;
        }
    }
    bool handled = false;
    // The handlers take the operation frame themselves; what the gate lets through (a repaint,
    // the gauge's timer, Abort) is not refused here as another command would be.
    RunGuardedMidRun([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}
