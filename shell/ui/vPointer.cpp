#include "shell/ui/vPointer.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>
#include <xcb/xinput.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>
#include <vector>

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

namespace {

// The screen pixel, in its window, that the widget's corner lies at.
QPoint DeviceCorner(const QWidget& widget, const QWidget& top, double scale) {
    const QPointF corner = widget.mapTo(&top, QPointF(0, 0)) * scale;
    return {static_cast<int>(std::floor(corner.x() + 0.5)),
            static_cast<int>(std::floor(corner.y() + 0.5))};
}

int Whole(double v) {
    return static_cast<int>(std::clamp<double>(std::floor(v), std::numeric_limits<int>::min(),
                                               std::numeric_limits<int>::max()));
}

} // namespace

int PixelEdge(int pixel, double scale) {
    return Whole(pixel * scale + 0.5);
}

int PixelOfDevice(int device, double scale) {
    // The last pixel that begins at or before the screen pixel; the division only guesses it.
    int pixel = Whole((device + 0.5) / scale);
    while (PixelEdge(pixel, scale) > device)
        --pixel;
    while (PixelEdge(pixel + 1, scale) <= device)
        ++pixel;
    return pixel;
}

void DrawPixels(QPainter& painter, QPoint corner, const QImage& image, QPoint offset) {
    if (image.isNull()) return;
    const double scale = painter.device()->devicePixelRatio();
    if (scale == 1) {
        painter.drawImage(corner + offset, image);
        return;
    }
    // The screen pixels of the image's part, counted from the picture's corner, and the pixel of
    // the image each of them shows.
    auto sources = [scale](int from, int count) {
        std::vector<int> out;
        for (int d = PixelEdge(from, scale); d < PixelEdge(from + count, scale); ++d)
            out.push_back(PixelOfDevice(d, scale) - from);
        return out;
    };
    const std::vector<int> columns = sources(offset.x(), image.width());
    const std::vector<int> rows = sources(offset.y(), image.height());
    if (columns.empty() || rows.empty()) return;
    const QImage from = image.convertToFormat(QImage::Format_RGB32);
    QImage shown(static_cast<int>(columns.size()), static_cast<int>(rows.size()),
                 QImage::Format_RGB32);
    for (size_t y = 0; y < rows.size(); ++y) {
        const auto* src = reinterpret_cast<const uint32_t*>(from.constScanLine(rows[y]));
        auto* dst = reinterpret_cast<uint32_t*>(shown.scanLine(static_cast<int>(y)));
        for (size_t x = 0; x < columns.size(); ++x)
            dst[x] = src[columns[x]];
    }
    // Drawn one to one on the screen's pixels, at the corner the rule puts the part at.
    const QTransform device = painter.deviceTransform();
    const QPointF at = device.map(QPointF(corner));
    const QPointF part(std::floor(at.x() + 0.5) + PixelEdge(offset.x(), scale),
                       std::floor(at.y() + 0.5) + PixelEdge(offset.y(), scale));
    painter.save();
    painter.setWorldTransform(QTransform::fromTranslate(part.x(), part.y()) * device.inverted() *
                              painter.worldTransform());
    painter.drawImage(QPoint(0, 0), shown);
    painter.restore();
}

QRect PixelsToRepaint(const QRect& exposed, const QImage& image) {
    return exposed.adjusted(-1, -1, 1, 1).intersected(image.rect());
}

QImage ImagePart(const QImage& image, const QRect& part) {
    return QImage(image.constBits() + part.y() * image.bytesPerLine() +
                      part.x() * (image.depth() / 8),
                  part.width(), part.height(), image.bytesPerLine(), image.format());
}

QPoint PixelUnder(const QWidget& widget, const QSinglePointEvent& event) {
    WatchNativePointer();
    const QWidget* top = widget.window();
    const QWindow* window = top ? top->windowHandle() : nullptr;
    const double scale = window ? window->devicePixelRatio() : widget.devicePixelRatio();
    QPointF device = widget.mapTo(top ? top : &widget, event.position()) * scale;
    if (Log && window)
        if (const NativePointer* native =
                Log->Find(static_cast<uint32_t>(event.timestamp()),
                          static_cast<uint32_t>(window->winId()), device / scale, scale))
            device = {native->X, native->Y};
    const QPoint corner = DeviceCorner(widget, top ? *top : widget, scale);
    return {PixelOfDevice(Whole(device.x()) - corner.x(), scale),
            PixelOfDevice(Whole(device.y()) - corner.y(), scale)};
}
