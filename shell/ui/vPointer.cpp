#include "shell/ui/vPointer.h"

#include "shell/ui/vImageView.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>
#include <xcb/xinput.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <memory>

namespace {

// One mouse event as the X server sent it: its time, the window it went to and the pointer's
// place in that window in screen pixels.
struct NativePointer {
    uint32_t Time = 0;
    uint32_t Window = 0;
    double X = 0;
    double Y = 0;
};

// The last mouse events the X server sent. The toolkit queues the events it reads in one batch
// before it hands them on, so the event at hand is looked up by its time and window, not taken
// as the last one.
class NativePointerLog : public QAbstractNativeEventFilter {
  public:
    explicit NativePointerLog(xcb_connection_t* connection) {
        const char name[] = "XInputExtension";
        xcb_query_extension_reply_t* reply = xcb_query_extension_reply(
            connection, xcb_query_extension(connection, sizeof name - 1, name), nullptr);
        if (reply && reply->present) InputOpcode = reply->major_opcode;
        std::free(reply);
    }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t") return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        const uint8_t kind = event->response_type & 0x7F;
        if (kind == XCB_BUTTON_PRESS || kind == XCB_BUTTON_RELEASE || kind == XCB_MOTION_NOTIFY) {
            // Press, release and motion events share their layout.
            const auto* e = static_cast<const xcb_button_press_event_t*>(message);
            Note({e->time, e->event, double(e->event_x), double(e->event_y)});
        } else if (kind == XCB_GE_GENERIC && InputOpcode >= 0) {
            const auto* ge = static_cast<const xcb_ge_generic_event_t*>(message);
            if (ge->extension != InputOpcode) return false;
            if (ge->event_type != XCB_INPUT_BUTTON_PRESS &&
                ge->event_type != XCB_INPUT_BUTTON_RELEASE && ge->event_type != XCB_INPUT_MOTION)
                return false;
            const auto* e = static_cast<const xcb_input_button_press_event_t*>(message);
            Note({e->time, e->event, e->event_x / 65536.0, e->event_y / 65536.0});
        }
        return false;
    }

    // The newest event of that time and window that the toolkit's rounded place `rounded`, in
    // scaled units, stands for: null when there is none.
    const NativePointer* Find(uint32_t time, uint32_t window, QPointF rounded, double scale) const {
        for (size_t k = 0; k < Events.size(); ++k) {
            const NativePointer& e = Events[(Next + Events.size() - 1 - k) % Events.size()];
            if (e.Time == time && e.Window == window && std::abs(e.X / scale - rounded.x()) < 1 &&
                std::abs(e.Y / scale - rounded.y()) < 1)
                return &e;
        }
        return nullptr;
    }

  private:
    void Note(const NativePointer& e) {
        Events[Next] = e;
        Next = (Next + 1) % Events.size();
    }

    int InputOpcode = -1;
    std::array<NativePointer, 64> Events{};
    size_t Next = 0;
};

std::unique_ptr<NativePointerLog> Log;

} // namespace

void WatchNativePointer() {
    if (Log || !qApp) return;
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection()) return;
    Log = std::make_unique<NativePointerLog>(x11->connection());
    qApp->installNativeEventFilter(Log.get());
}

QPointF PointerPosition(const QWidget& widget, const QSinglePointEvent& event) {
    WatchNativePointer();
    const QWidget* top = widget.window();
    const QWindow* window = top ? top->windowHandle() : nullptr;
    if (!Log || !window) return event.position();
    const double scale = window->devicePixelRatio();
    const QPointF inWindow = widget.mapTo(top, event.position());
    const NativePointer* native =
        Log->Find(static_cast<uint32_t>(event.timestamp()), static_cast<uint32_t>(window->winId()),
                  inWindow, scale);
    if (!native) return event.position();
    return widget.mapFrom(top, QPointF(native->X / scale, native->Y / scale));
}

QPoint PixelUnder(const QWidget& widget, const QSinglePointEvent& event) {
    return PixelUnder(PointerPosition(widget, event));
}
