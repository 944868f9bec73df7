#include "shell/ui/vApplication.h"

#include "shell/vGlobalHooks.h"
#include "shell/vToolModes.h"

#include <QAbstractButton>
#include <QAbstractNativeEventFilter>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QDeadlineTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QScopedValueRollback>
#include <QTimer>
#include <QWidget>
#include <qpa/qwindowsysteminterface.h>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr const char* HeardMidRunProperty = "HeardMidRun";
constexpr const char* CloseHeardMidRunProperty = "CloseHeardMidRun";

// True while the input the window system queued during a command that has ended is handed in:
// the gate stays shut for it.
bool Draining = false;

bool GateShut() {
    return Draining || ArrivesDuringOperation();
}

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
    if (event.type() == QEvent::Show && w->isModal() && GateShut())
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

// A press the gate delivered to such a control, until the control has its release. One whose
// release the gate refused, or that went elsewhere, is owed it: a control pressed as a command
// starts, or whose own change starts one at the press, would otherwise stay pressed for good (a
// slider that steps before it starts repeating would page on by itself). Every press is kept: a
// second one during the same command does not take the first one's place.
struct HeldPress {
    QPointer<QWidget> Control;
    Qt::MouseButton Button = Qt::NoButton;
    bool Owed = false;
};
std::vector<HeldPress> Held;

void NoteDelivered(QObject* receiver, const QEvent& event) {
    const auto type = event.type();
    if (!receiver->isWidgetType()) return;
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
        type != QEvent::MouseButtonRelease)
        return;
    const Qt::MouseButton button = static_cast<const QMouseEvent&>(event).button();
    if (type == QEvent::MouseButtonRelease) {
        // The program's own release (an owed one) lets go of its control only; the user's lets
        // go of the button wherever it was pressed.
        if (!event.spontaneous()) return;
        std::erase_if(Held, [&](const HeldPress& p) {
            return p.Button == button && (!p.Control || p.Control == receiver);
        });
        for (HeldPress& p : Held)
            p.Owed = p.Owed || p.Button == button;
        return;
    }
    if (!HoldsAPress(receiver)) return;
    auto* control = static_cast<QWidget*>(receiver);
    if (std::none_of(Held.begin(), Held.end(), [&](const HeldPress& p) {
            return p.Control == control && p.Button == button;
        }))
        Held.push_back({control, button});
}

void NoteRefusedRelease(const QEvent& event) {
    const Qt::MouseButton button = static_cast<const QMouseEvent&>(event).button();
    for (HeldPress& p : Held)
        p.Owed = p.Owed || p.Button == button;
}

// The events being handled, innermost last.
struct Handling {
    const QObject* Receiver;
    const QEvent* Event;
};
std::vector<Handling> Handled;

struct HandlingFrame {
    HandlingFrame(const QObject* receiver, const QEvent* event) {
        Handled.push_back({receiver, event});
    }
    ~HandlingFrame() { Handled.pop_back(); }
    HandlingFrame(const HandlingFrame&) = delete;
    HandlingFrame& operator=(const HandlingFrame&) = delete;
};

bool BeingHandled(const QObject* receiver) {
    return std::any_of(Handled.begin(), Handled.end(),
                       [receiver](const Handling& h) { return h.Receiver == receiver; });
}

// A key's auto-repeat while its press is still being handled: the press opened a box, which is
// still up. Held down, the key would open one box more, inside the last, with every repeat.
bool RepeatOfAKeyBeingHandled(const QEvent& event) {
    switch (event.type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
        break;
    default:
        return false;
    }
    const auto& repeat = static_cast<const QKeyEvent&>(event);
    if (!repeat.isAutoRepeat()) return false;
    return std::any_of(Handled.begin(), Handled.end(), [&](const Handling& h) {
        return h.Event != &event && h.Event->type() == QEvent::KeyPress &&
               static_cast<const QKeyEvent*>(h.Event)->key() == repeat.key();
    });
}

// The release, outside the control so that it acts on nothing, once no command runs and the
// control has finished with the event that pressed or stepped it (a slider starts repeating
// only after its change has run).
void EndOwedPresses() {
    if (ImageOperationBusy || Draining) return;
    for (;;) {
        std::erase_if(Held, [](const HeldPress& p) { return !p.Control; });
        const auto owed = std::find_if(Held.begin(), Held.end(), [](const HeldPress& p) {
            return p.Owed && !BeingHandled(p.Control.data());
        });
        if (owed == Held.end()) return;
        QWidget* control = owed->Control;
        const Qt::MouseButton button = owed->Button;
        Held.erase(owed);
        const QPointF outside(-1, -1);
        QMouseEvent release(QEvent::MouseButtonRelease, outside, control->mapToGlobal(outside),
                            button, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(control, &release);
    }
}

// A mark in the X server's stream of events: a change to a property of a window of the program's
// own, whose notice the server queues behind every event it queued before the change. Once the
// notice has come through, all the user did before the mark has been handed to the toolkit.
class ServerMark : public QAbstractNativeEventFilter {
  public:
    // The mark of the X display the program runs on; null on any other window system.
    static ServerMark* OfThisDisplay() {
        static std::unique_ptr<ServerMark> mark;
        static bool looked = false;
        if (!looked && qApp) {
            looked = true;
            auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
            if (x11 && x11->connection()) {
                mark.reset(new ServerMark(x11->connection()));
                // A server that gave no name for the mark's property would never answer it.
                if (mark->Atom == XCB_ATOM_NONE)
                    mark.reset();
                else
                    qApp->installNativeEventFilter(mark.get());
            }
        }
        return mark.get();
    }

    // Sets a mark and hands on the window system's events until its notice has come through
    // (or, should the server never answer, for at most two seconds).
    void WaitPast() {
        const unsigned long mine = ++Sent;
        xcb_change_property(Connection, XCB_PROP_MODE_APPEND, Window, Atom, XCB_ATOM_INTEGER, 32, 0,
                            nullptr);
        xcb_flush(Connection);
        const QDeadlineTimer deadline(2000);
        QTimer wake;
        wake.start(10);
        while (Seen < mine && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t") return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7F) != XCB_PROPERTY_NOTIFY) return false;
        const auto* notice = static_cast<const xcb_property_notify_event_t*>(message);
        if (notice->window != Window || notice->atom != Atom) return false;
        ++Seen;
        return true;
    }

  private:
    explicit ServerMark(xcb_connection_t* connection) : Connection(connection) {
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        Window = xcb_generate_id(connection);
        const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_create_window(connection, XCB_COPY_FROM_PARENT, Window, root, -1, -1, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                          &events);
        const char name[] = "_VORN_INPUT_MARK";
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 0, sizeof name - 1, name), nullptr);
        if (reply) Atom = reply->atom;
        std::free(reply);
    }

    xcb_connection_t* Connection;
    xcb_window_t Window = 0;
    xcb_atom_t Atom = XCB_ATOM_NONE;
    unsigned long Sent = 0;
    unsigned long Seen = 0;
};

// Hands the gate, shut, all the user did while the commands that have just ended ran and the
// window system still holds: X11 queues it in the server and in the toolkit's reader thread until
// the event loop reads it, and every window system in the toolkit's own queue.
void DrainQueuedInput() {
    const QScopedValueRollback<bool> shut(Draining, true);
    if (ServerMark* mark = ServerMark::OfThisDisplay()) mark->WaitPast();
    QWindowSystemInterface::flushWindowSystemEvents();
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
        if (IsUserInput(*event) && !receiver->isWindowType() &&
            ((GateShut() && !HeardNow(receiver, *event)) || RepeatOfAKeyBeingHandled(*event))) {
            // The button let go now would end a drag on the picture with the running command's
            // picture and state under it, or a later press would end it there.
            if (event->type() == QEvent::MouseButtonRelease) {
                EndOpenDrags();
                NoteRefusedRelease(*event);
            }
            event->ignore();
            return true;
        }
        NoteDelivered(receiver, *event);
    }
    // What the user did while a command ran is judged by when it was made, not by when it comes:
    // a command that does not let window messages in leaves it queued, and it is refused once the
    // delivery that ran the command is over, before anything made later.
    const bool outermost = Handled.empty();
    const unsigned long commands = CommandsEnded();
    bool handled = false;
    {
        const HandlingFrame frame(receiver, event);
        // The handlers take the operation frame themselves; what the gate lets through (a
        // repaint, the gauge's timer, Abort) is not refused here as another command would be.
        RunGuardedMidRun([&] { handled = QApplication::notify(receiver, event); });
    }
    if (outermost && CommandsEnded() != commands && !ImageOperationBusy) DrainQueuedInput();
    EndOwedPresses();
    return handled;
}
