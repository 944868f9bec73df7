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
#include <QWidget>
#include <qpa/qwindowsysteminterface.h>
#include <qpa/qwindowsysteminterface_p.h>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

namespace {

constexpr const char* HeardMidRunProperty = "HeardMidRun";
constexpr const char* CloseHeardMidRunProperty = "CloseHeardMidRun";

// True while the window system hands in an event the user made while a command ran, in this
// loop or a dialog's own: the gate is shut for it, whenever it comes.
bool MadeDuringACommand = false;

bool GateShut() {
    return MadeDuringACommand || ArrivesDuringOperation();
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
    // A dialog a command opened takes the user's input in its own loop: the presses owed there
    // are ended there, or a control of it would repeat until the dialog closes.
    if (ArrivesDuringOperation()) return;
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

// The window system's clock compares by difference: it counts 32 bits of milliseconds and wraps.
bool NotBefore(uint32_t time, uint32_t than) {
    return static_cast<int32_t>(time - than) >= 0;
}

// The toolkit's own clock, which stamps the input of a window system that gives none.
uint32_t ToolkitNow() {
    return static_cast<uint32_t>(QWindowSystemInterfacePrivate::eventTime.elapsed());
}

// When each command began and ended, on the clock that stamps the user's input. On X11 that is
// the server's: a mark set in its stream of events when a command begins and when it ends, whose
// time comes with the mark's notice. An input read before a command's begin notice was made
// before it began.
class CommandSpans {
  public:
    struct Span {
        unsigned long BeginMark = 0;
        unsigned long EndMark = 0;
        std::optional<uint32_t> Begin;
        std::optional<uint32_t> End;
        // A server that never answers a mark leaves its span unknown: it is let go.
        QDeadlineTimer Answer;
    };

    void Begins();
    void Ends();
    void Noticed(unsigned long mark, uint32_t time, std::optional<uint32_t> inputBefore) {
        for (auto* spans : {&Running, &Ended})
            for (Span& span : *spans) {
                // An input read before the notice in the same millisecond was made before.
                if (span.BeginMark == mark)
                    span.Begin =
                        inputBefore && NotBefore(*inputBefore, time) ? *inputBefore + 1 : time;
                if (span.EndMark == mark) span.End = time;
            }
        LetGoBefore(time);
    }
    // True for input made at `time` while a command that has ended ran: it may come long after,
    // when the command let no window message in.
    bool MadeDuring(uint32_t time) {
        LetGoBefore(time);
        return std::any_of(Ended.begin(), Ended.end(), [time](const Span& span) {
            return span.Begin && NotBefore(time, *span.Begin) &&
                   (!span.End || NotBefore(*span.End, time));
        });
    }

    // The spans no input still to come can have been made in, the clock being at `time`: a long
    // run of commands with no input between them (a macro's) keeps only the last few seconds'.
    void LetGoBefore(uint32_t time) {
        std::erase_if(Ended, [time](const Span& span) {
            return span.End ? !NotBefore(*span.End + KeptFor, time) : span.Answer.hasExpired();
        });
    }

  private:
    // Input made during a command is in the window system's queues well before the clock has
    // gone this far past the command's end.
    static constexpr uint32_t KeptFor = 5000;
    std::vector<Span> Running;
    std::vector<Span> Ended;
};

CommandSpans Spans;

// A mark in the X server's stream of events: a change to a property of a window of the program's
// own, whose notice the server queues behind every event it queued before the change, stamped
// with the server's time. It also keeps the times the stream tells of the user's input and of a
// close the window manager asks for, which the toolkit hands on without one.
class ServerMark : public QAbstractNativeEventFilter {
  public:
    // The mark of the X display the program runs on; null on any other window system.
    static ServerMark* OfThisDisplay() {
        static std::unique_ptr<ServerMark> mark;
        static bool looked = false;
        if (!looked && qApp) {
            looked = true;
            if (xcb_connection_t* connection = X11Connection()) {
                mark.reset(new ServerMark(connection));
                // A server that gave no name for the mark's property would never answer it.
                if (mark->Atom == XCB_ATOM_NONE)
                    mark.reset();
                else
                    qApp->installNativeEventFilter(mark.get());
            }
        }
        return mark.get();
    }
    static xcb_connection_t* X11Connection() {
        auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
        return x11 ? x11->connection() : nullptr;
    }

    // Sets a mark; its time comes to the spans with its notice.
    unsigned long Place() {
        xcb_change_property(Connection, XCB_PROP_MODE_APPEND, Window, Atom, XCB_ATOM_INTEGER, 32, 0,
                            nullptr);
        xcb_flush(Connection);
        return ++Sent;
    }

    // When the last close the window manager asked for was made.
    std::optional<uint32_t> CloseTime() const { return LastClose; }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t") return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        switch (event->response_type & 0x7F) {
        case XCB_KEY_PRESS:
        case XCB_KEY_RELEASE:
        case XCB_BUTTON_PRESS:
        case XCB_BUTTON_RELEASE:
        case XCB_MOTION_NOTIFY:
            Input(static_cast<const xcb_key_press_event_t*>(message)->time);
            return false;
        case XCB_GE_GENERIC: {
            // The input extension's device events carry the time after their type and device.
            const auto* generic = static_cast<const xcb_ge_generic_event_t*>(message);
            if (InputOpcode != 0 && generic->extension == InputOpcode) {
                uint32_t time = 0;
                std::memcpy(&time, static_cast<const char*>(message) + 12, sizeof time);
                Input(time);
            }
            return false;
        }
        case XCB_CLIENT_MESSAGE: {
            const auto* client = static_cast<const xcb_client_message_event_t*>(message);
            if (client->format == 32 && client->type == Protocols &&
                client->data.data32[0] == DeleteWindow) {
                // A manager that gives no time asks at the latest time the stream has told.
                const uint32_t time = client->data.data32[1];
                LastClose = time != uint32_t{XCB_CURRENT_TIME} ? std::optional(time) : Latest;
            }
            return false;
        }
        case XCB_PROPERTY_NOTIFY: {
            const auto* notice = static_cast<const xcb_property_notify_event_t*>(message);
            Latest = notice->time;
            if (notice->window != Window || notice->atom != Atom) return false;
            Spans.Noticed(++Seen, notice->time, LatestInput);
            return true;
        }
        default:
            return false;
        }
    }

  private:
    explicit ServerMark(xcb_connection_t* connection) : Connection(connection) {
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        Window = xcb_generate_id(connection);
        const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_create_window(connection, XCB_COPY_FROM_PARENT, Window, root, -1, -1, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                          &events);
        Atom = Intern("_VORN_INPUT_MARK");
        Protocols = Intern("WM_PROTOCOLS");
        DeleteWindow = Intern("WM_DELETE_WINDOW");
        const char extension[] = "XInputExtension";
        xcb_query_extension_reply_t* reply = xcb_query_extension_reply(
            connection, xcb_query_extension(connection, sizeof extension - 1, extension), nullptr);
        if (reply && reply->present) InputOpcode = reply->major_opcode;
        std::free(reply);
    }
    xcb_atom_t Intern(const char* name) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
            Connection, xcb_intern_atom(Connection, 0, std::strlen(name), name), nullptr);
        const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
        std::free(reply);
        return atom;
    }
    void Input(uint32_t time) {
        LatestInput = time;
        Latest = time;
    }

    xcb_connection_t* Connection;
    xcb_window_t Window = 0;
    xcb_atom_t Atom = XCB_ATOM_NONE;
    xcb_atom_t Protocols = XCB_ATOM_NONE;
    xcb_atom_t DeleteWindow = XCB_ATOM_NONE;
    uint8_t InputOpcode = 0;
    unsigned long Sent = 0;
    unsigned long Seen = 0;
    std::optional<uint32_t> LatestInput;
    std::optional<uint32_t> Latest;
    std::optional<uint32_t> LastClose;
};

void CommandSpans::Begins() {
    Span span;
    if (ServerMark* mark = ServerMark::OfThisDisplay())
        span.BeginMark = mark->Place();
    else if (!ServerMark::X11Connection())
        span.Begin = ToolkitNow();
    Running.push_back(span);
}

void CommandSpans::Ends() {
    if (Running.empty()) return;
    Span span = Running.back();
    Running.pop_back();
    if (ServerMark* mark = ServerMark::OfThisDisplay())
        span.EndMark = mark->Place();
    else if (!ServerMark::X11Connection())
        span.End = ToolkitNow();
    span.Answer.setRemainingTime(2000);
    Ended.push_back(span);
    if (span.End) LetGoBefore(*span.End);
}

// Judges each event the window system hands in by when the user made it, before the toolkit
// delivers it: the gate refuses what was made while a command ran, and takes what was made before
// one began (the click whose change of the active window started it) as the user's next act.
class InputJudge : public QWindowSystemEventHandler {
  public:
    bool sendEvent(QWindowSystemInterfacePrivate::WindowSystemEvent* event) override {
        using Sys = QWindowSystemInterfacePrivate;
        std::optional<uint32_t> made;
        switch (event->type) {
        case Sys::Mouse:
        case Sys::Wheel:
        case Sys::Key:
        case Sys::Touch:
        case Sys::Tablet:
        case Sys::TabletEnterProximity:
        case Sys::TabletLeaveProximity:
#ifndef QT_NO_GESTURES
        case Sys::Gesture:
#endif
            made = LastMade = static_cast<uint32_t>(static_cast<Sys::UserEvent*>(event)->timestamp);
            break;
        case Sys::Close:
            if (ServerMark* mark = ServerMark::OfThisDisplay()) made = mark->CloseTime();
            if (!made) made = LastMade;
            break;
        case Sys::ContextMenu:
            made = LastMade;
            break;
        default:
            break;
        }
        const QScopedValueRollback<bool> judged(MadeDuringACommand,
                                                made && Spans.MadeDuring(*made));
        return QWindowSystemEventHandler::sendEvent(event);
    }

  private:
    // The time of the last stamped input: what comes without one was made no earlier.
    std::optional<uint32_t> LastMade;
};

InputJudge Judge;

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

VornApplication::VornApplication(int& argc, char** argv) : QApplication(argc, argv) {
    ServerMark::OfThisDisplay();
    QWindowSystemInterfacePrivate::installWindowSystemEventHandler(&Judge);
    WatchCommands({[] { Spans.Begins(); }, [] { Spans.Ends(); }});
}

VornApplication::~VornApplication() {
    WatchCommands({});
    QWindowSystemInterfacePrivate::removeWindowSystemEventhandler(&Judge);
}

bool VornApplication::notify(QObject* receiver, QEvent* event) {
    if (receiver && event) {
        MarkDialogOpenedMidRun(receiver, *event);
        // The window system's window hands its input on to the control under the pointer or
        // with the focus, which is where the gate decides.
        // What is heard mid-run is heard while the command runs: made then and come after it,
        // a close heard so would close a window with the work in it that its run has ended.
        if (IsUserInput(*event) && !receiver->isWindowType() &&
            (MadeDuringACommand || (ArrivesDuringOperation() && !HeardNow(receiver, *event)) ||
             RepeatOfAKeyBeingHandled(*event))) {
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
    bool handled = false;
    {
        const HandlingFrame frame(receiver, event);
        // The handlers take the operation frame themselves; what the gate lets through (a
        // repaint, the gauge's timer, Abort) is not refused here as another command would be.
        RunGuardedMidRun([&] { handled = QApplication::notify(receiver, event); });
    }
    EndOwedPresses();
    return handled;
}
