#include "shell/ui/vScreenPlace.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <optional>

namespace {

// A window's frame and its inside, in the toolkit's units.
struct Framing {
    QRect Frame;
    QRect Inside;
};

QRect ToUnits(const QRect& device, double scale) {
    if (scale == 1) return device;
    const auto unit = [scale](int v) { return static_cast<int>(std::lround(v / scale)); };
    return QRect(QPoint(unit(device.left()), unit(device.top())),
                 QSize(unit(device.width()), unit(device.height())));
}

// The window's outer rectangle on the root window, in screen pixels.
std::optional<QRect> RootRect(xcb_connection_t* c, xcb_window_t window, xcb_window_t root) {
    std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> size(
        xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr), &std::free);
    std::unique_ptr<xcb_translate_coordinates_reply_t, decltype(&std::free)> at(
        xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, window, root, 0, 0),
                                        nullptr),
        &std::free);
    if (!size || !at) return std::nullopt;
    const int border = size->border_width;
    return QRect(at->dst_x - border, at->dst_y - border, size->width + 2 * border,
                 size->height + 2 * border);
}

// The framing as the X server has it now: the frame is the window's ancestor just below the root,
// the window itself when no window manager took it in.
std::optional<Framing> XFraming(const QWidget& window) {
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    const auto client = static_cast<xcb_window_t>(window.internalWinId());
    if (!x11 || !x11->connection() || !client) return std::nullopt;
    xcb_connection_t* c = x11->connection();
    xcb_window_t top = client;
    xcb_window_t root = XCB_NONE;
    for (;;) {
        std::unique_ptr<xcb_query_tree_reply_t, decltype(&std::free)> tree(
            xcb_query_tree_reply(c, xcb_query_tree(c, top), nullptr), &std::free);
        if (!tree) return std::nullopt;
        root = tree->root;
        if (tree->parent == root || tree->parent == XCB_NONE) break;
        top = tree->parent;
    }
    const std::optional<QRect> frame = RootRect(c, top, root);
    std::optional<QRect> inside = RootRect(c, client, root);
    if (!frame || !inside) return std::nullopt;
    // The window's own border is part of its frame, not of what the toolkit calls its inside.
    if (top == client) inside = frame;
    const double scale = window.devicePixelRatio();
    return Framing{ToUnits(*frame, scale), ToUnits(*inside, scale)};
}

Framing FramingOf(const QWidget& window) {
    if (const std::optional<Framing> x = XFraming(window)) return *x;
    return {window.frameGeometry(), window.geometry()};
}

// The usable area of the screen that holds `corner`, else of the primary one; empty with none.
QRect UsableArea(QPoint corner) {
    const QScreen* screen = QGuiApplication::screenAt(corner);
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

} // namespace

QPoint PlaceOnScreen(QPoint corner, QSize size) {
    const QRect area = UsableArea(corner);
    if (area.isEmpty()) return corner;
    const int right = area.x() + area.width() - size.width();
    const int bottom = area.y() + area.height() - size.height();
    return {std::max(area.x(), std::min(corner.x(), right)),
            std::max(area.y(), std::min(corner.y(), bottom))};
}

QRect FrameGeometry(const QWidget& window) {
    return FramingOf(window).Frame;
}

FormPosition StoredPlace(const QWidget& window) {
    const QPoint corner = FrameGeometry(window).topLeft();
    return {corner.x(), corner.y()};
}

void MoveToStoredPlace(QWidget& window, int32_t left, int32_t top) {
    window.move(PlaceOnScreen({left, top}, {0, 0}));
}

namespace {

// Holds a window's wanted frame corner while it is being framed. Whether a move before the
// window is shown places its frame or its inside depends on the platform and on whether the
// window was made before, and the frame's size is known only once the window manager has put it
// around the window. The events that tell of the frame come in whatever order the window
// manager sends them, and what the toolkit knows of the frame may change with none of them: the
// frame is looked at again on a short tick too, until it has stayed at its place a while.
class FramePlacer : public QObject {
  public:
    static constexpr const char* Name = "FramePlacer";
    static constexpr int TickMs = 20;
    // How long the frame stays at its place before placing ends: a framed window is done soon;
    // one with no frame yet may still get one.
    static constexpr int FramedSettleMs = 300;
    static constexpr int UnframedSettleMs = 1500;
    static constexpr int LateReportMs = 100;

    FramePlacer(QWidget& window, bool shrink) : QObject(&window), Window(window), Shrink(shrink) {
        setObjectName(Name);
        window.installEventFilter(this);
        Ticker.setInterval(TickMs);
        connect(&Ticker, &QTimer::timeout, this, [this] { Place(); });
    }

    bool Placing() const { return Ticker.isActive(); }

    void Start() {
        Wanted = Placed = Window.pos();
        Seen = {};
        Settled.invalidate();
        Ticker.start();
        Place();
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (!Ticker.isActive()) return false;
        switch (event->type()) {
        case QEvent::Move:
            // The program moved the window elsewhere: the place is the program's now.
            if (!event->spontaneous() && !Moving && Window.pos() != Placed)
                Ticker.stop();
            else
                Place();
            break;
        case QEvent::Resize:
            Place();
            break;
        case QEvent::Hide:
            Ticker.stop();
            break;
        default:
            break;
        }
        return false;
    }

  private:
    void Place() {
        const std::optional<Framing> x = XFraming(Window);
        const auto [frame, inside] = x ? *x : Framing{Window.frameGeometry(), Window.geometry()};
        const QPoint margins = inside.topLeft() - frame.topLeft();
        // The frame left the place it had kept a while, with the same frame around the same
        // window: a move the program did not make, the user's, which is theirs to keep. Before
        // that while, it is a late report of an earlier place.
        if (Settled.isValid() && Settled.elapsed() >= LateReportMs && Seen.Margins == margins &&
            Seen.Frame.size() == frame.size() && !Near(frame.topLeft(), Placed)) {
            Ticker.stop();
            return;
        }
        Seen = {frame, margins};
        // A window larger than the screen shrinks as far as its least size lets it.
        const QRect area = UsableArea(Wanted);
        const QSize over(std::max(0, frame.width() - area.width()),
                         std::max(0, frame.height() - area.height()));
        const QSize fitting = (Window.size() - over).expandedTo(Window.minimumSize());
        if (Shrink && !area.isEmpty() && fitting != Window.size()) {
            Settled.invalidate();
            Window.resize(fitting);
        }
        const QPoint place = PlaceOnScreen(Wanted, frame.size());
        if (!Near(frame.topLeft(), place)) {
            Settled.invalidate();
            Placed = place;
            Moving = true;
            // On X11 the inside is put where the frame around it puts the frame at its place:
            // the toolkit would reckon the frame from what it knows of it, which may be out of
            // date.
            if (QWindow* handle = Window.windowHandle(); x && handle)
                handle->setPosition(place + margins);
            else
                Window.move(place);
            Moving = false;
            return;
        }
        if (!Settled.isValid()) Settled.start();
        const bool framed = frame != inside;
        if (Settled.elapsed() >= (framed ? FramedSettleMs : UnframedSettleMs)) Ticker.stop();
    }

    // On a screen of a fractional scale a place in units lies between screen pixels: the frame
    // is at a place a unit off it.
    bool Near(QPoint at, QPoint place) const {
        const double scale = Window.devicePixelRatio();
        const int slack = scale == std::floor(scale) ? 0 : 1;
        return std::abs(at.x() - place.x()) <= slack && std::abs(at.y() - place.y()) <= slack;
    }

    struct Sight {
        QRect Frame;
        QPoint Margins;
    };

    QWidget& Window;
    const bool Shrink;
    QTimer Ticker;
    QElapsedTimer Settled;
    QPoint Wanted;
    QPoint Placed;
    Sight Seen;
    bool Moving = false;
};

FramePlacer* PlacerOf(const QWidget& window) {
    return dynamic_cast<FramePlacer*>(
        window.findChild<QObject*>(FramePlacer::Name, Qt::FindDirectChildrenOnly));
}

} // namespace

bool Placing(const QWidget& window) {
    const FramePlacer* placer = PlacerOf(window);
    return placer && placer->Placing();
}

void KeepOnScreen(QWidget& window, bool shrink) {
    FramePlacer* placer = PlacerOf(window);
    if (!placer) placer = new FramePlacer(window, shrink);
    placer->Start();
}
