#include "shell/ui/vScreenPlace.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QPlatformSurfaceEvent>
#include <QPointer>
#include <QResizeEvent>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

namespace {

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

// A window's frame and its inside, in screen pixels, and whether the frame is the one it keeps:
// with a window manager running, once it has put its frame around the window (and said how large
// the frame is, where it tells); with none, once the window is mapped. The frame is the one the
// user sees: a manager may draw a wider window around it, with borders that take the pointer but
// show nothing. Read from the X server, or else what the toolkit knows. `Top` is the X window that
// holds the window on the root, none when not read from the server.
struct Framing {
    QRect Frame;
    QRect Inside;
    bool Final;
    bool FromServer;
    uint32_t Top = 0;

    bool operator==(const Framing&) const = default;
};

xcb_connection_t* XConnection() {
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    const Reply<xcb_intern_atom_reply_t> atom(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, std::strlen(name), name), nullptr),
        &std::free);
    return atom ? atom->atom : XCB_ATOM_NONE;
}

// The 32-bit values of a property of `window`, none when it is not set or the window is gone.
std::vector<uint32_t> Cardinals(xcb_connection_t* c, xcb_window_t window, const char* name,
                                uint32_t most = 64) {
    const xcb_atom_t atom = Atom(c, name);
    if (atom == XCB_ATOM_NONE) return {};
    const Reply<xcb_get_property_reply_t> property(
        xcb_get_property_reply(
            c, xcb_get_property(c, 0, window, atom, XCB_GET_PROPERTY_TYPE_ANY, 0, most), nullptr),
        &std::free);
    if (!property || property->format != 32) return {};
    const auto* values = static_cast<const uint32_t*>(xcb_get_property_value(property.get()));
    return {values, values + xcb_get_property_value_length(property.get()) / 4};
}

xcb_window_t Root(xcb_connection_t* c) {
    return xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
}

// What the running window manager does, if one runs: a manager names a window of its own on the
// root window, and that window names itself. One that died leaves the root naming a window that
// is gone.
struct Manager {
    bool Runs = false;
    bool SaysExtents = false; // it tells each window how large its frame is
};

Manager ManagerOf(xcb_connection_t* c, xcb_window_t root) {
    const std::vector<uint32_t> check = Cardinals(c, root, "_NET_SUPPORTING_WM_CHECK");
    if (check.empty() || check[0] == XCB_NONE) return {};
    const std::vector<uint32_t> own = Cardinals(c, check[0], "_NET_SUPPORTING_WM_CHECK");
    if (own.empty() || own[0] != check[0]) return {};
    const xcb_atom_t extents = Atom(c, "_NET_FRAME_EXTENTS");
    const std::vector<uint32_t> supported = Cardinals(c, root, "_NET_SUPPORTED", 1024);
    return {true, std::find(supported.begin(), supported.end(), extents) != supported.end()};
}

// The window's outer rectangle on the root window, in screen pixels.
std::optional<QRect> RootRect(xcb_connection_t* c, xcb_window_t window, xcb_window_t root) {
    const Reply<xcb_get_geometry_reply_t> size(
        xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr), &std::free);
    const Reply<xcb_translate_coordinates_reply_t> at(
        xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, window, root, 0, 0),
                                        nullptr),
        &std::free);
    if (!size || !at) return std::nullopt;
    const int border = size->border_width;
    return QRect(at->dst_x - border, at->dst_y - border, size->width + 2 * border,
                 size->height + 2 * border);
}

// The framing as the X server has it now. The window's ancestor just below the root holds it,
// the window itself when no window manager took it in; the frame is that, or, where the manager
// says how far its frame reaches around the window, exactly that far.
std::optional<Framing> XFraming(const QWidget& window) {
    xcb_connection_t* c = XConnection();
    const auto client = static_cast<xcb_window_t>(window.internalWinId());
    if (!c || !client) return std::nullopt;
    xcb_window_t top = client;
    const xcb_window_t root = Root(c);
    for (;;) {
        const Reply<xcb_query_tree_reply_t> tree(
            xcb_query_tree_reply(c, xcb_query_tree(c, top), nullptr), &std::free);
        if (!tree) return std::nullopt;
        if (tree->parent == root || tree->parent == XCB_NONE) break;
        top = tree->parent;
    }
    std::optional<QRect> frame = RootRect(c, top, root);
    std::optional<QRect> inside = RootRect(c, client, root);
    const Reply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, client), nullptr),
        &std::free);
    if (!frame || !inside || !attributes) return std::nullopt;
    // The window's own border is part of its frame, not of what the toolkit calls its inside.
    if (top == client) inside = frame;
    bool final = attributes->map_state == XCB_MAP_STATE_VIEWABLE;
    if (const Manager manager = ManagerOf(c, root); manager.Runs) {
        const std::vector<uint32_t> extents = Cardinals(c, client, "_NET_FRAME_EXTENTS");
        final = final && top != client;
        if (extents.size() == 4) {
            const QMargins said(static_cast<int>(extents[0]), static_cast<int>(extents[2]),
                                static_cast<int>(extents[1]), static_cast<int>(extents[3]));
            const QRect seen(inside->topLeft() - QPoint(said.left(), said.top()),
                             inside->size().grownBy(said));
            // The manager's window holds what it draws once it has taken the window's size.
            final = final && frame->contains(seen);
            frame = seen;
        } else if (manager.SaysExtents) {
            final = false; // they are on their way
        }
    }
    return Framing{*frame, *inside, final, true, top};
}

// A window the program shows but the X server does not: mapped while a window manager was
// stopped, it waits for that manager to frame it, and once the manager is gone nothing ever will.
// It is mapped again, as it would be with no manager. True when it was.
bool MapWhenManagerGone(const QWidget& window) {
    xcb_connection_t* c = XConnection();
    const auto client = static_cast<xcb_window_t>(window.internalWinId());
    if (!c || !client || !window.isVisible() || window.isMinimized() || ManagerOf(c, Root(c)).Runs)
        return false;
    const Reply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, client), nullptr),
        &std::free);
    if (!attributes || attributes->map_state != XCB_MAP_STATE_UNMAPPED) return false;
    xcb_map_window(c, client);
    xcb_flush(c);
    return true;
}

// The toolkit's units and screen pixels, as the toolkit rounds them.
int ToPixels(int unit, double scale) {
    return static_cast<int>(std::lround(unit * scale));
}

int ToUnits(int pixels, double scale) {
    return static_cast<int>(std::lround(pixels / scale));
}

// How far a size or place in units may be from what the X server shows: at a fractional scale a
// unit rounds either way.
int Slack(double scale) {
    return scale == std::floor(scale) ? 0 : 1;
}

QRect ToUnits(const QRect& pixels, double scale) {
    return QRect(QPoint(ToUnits(pixels.left(), scale), ToUnits(pixels.top(), scale)),
                 QSize(ToUnits(pixels.width(), scale), ToUnits(pixels.height(), scale)));
}

// The framing on X11 as the X server has it; elsewhere as the toolkit knows it, which is all
// there is to know.
Framing FramingOf(const QWidget& window) {
    if (const std::optional<Framing> x = XFraming(window)) return *x;
    const double scale = window.devicePixelRatio();
    const auto pixels = [scale](const QRect& r) {
        return QRect(QPoint(ToPixels(r.left(), scale), ToPixels(r.top(), scale)),
                     QSize(ToPixels(r.width(), scale), ToPixels(r.height(), scale)));
    };
    return {pixels(window.frameGeometry()), pixels(window.geometry()), true, false};
}

// The usable area of the screen that holds `corner`, else of the primary one; empty with none.
QRect UsableArea(QPoint corner) {
    const QScreen* screen = QGuiApplication::screenAt(corner);
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

// The same in screen pixels: the toolkit gives it in units rounded either way, which at a
// fractional scale takes in a pixel past the edge or leaves out the last one. On X11 the
// desktop's own work area says where the edge is.
QRect UsablePixels(QPoint corner, double scale) {
    const QRect units = UsableArea(corner);
    if (units.isEmpty()) return units;
    QRect pixels(QPoint(static_cast<int>(std::floor(units.left() * scale)),
                        static_cast<int>(std::floor(units.top() * scale))),
                 QPoint(static_cast<int>(std::ceil((units.right() + 1) * scale)) - 1,
                        static_cast<int>(std::ceil((units.bottom() + 1) * scale)) - 1));
    xcb_connection_t* c = XConnection();
    if (!c) return pixels;
    const std::vector<uint32_t> work = Cardinals(c, Root(c), "_NET_WORKAREA");
    if (work.size() >= 4)
        return pixels & QRect(static_cast<int>(work[0]), static_cast<int>(work[1]),
                              static_cast<int>(work[2]), static_cast<int>(work[3]));
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    return pixels & QRect(0, 0, screen->width_in_pixels, screen->height_in_pixels);
}

// The unit the toolkit rounds to the pixel nearest `pixel` that lies within [low, high]; none
// when no unit does.
std::optional<int> UnitWithin(int pixel, int low, int high, double scale) {
    const int around = ToUnits(pixel, scale);
    std::optional<int> best;
    for (int u = around - 3; u <= around + 3; ++u) {
        const int at = ToPixels(u, scale);
        if (at < low || at > high) continue;
        if (!best || std::abs(at - pixel) < std::abs(ToPixels(*best, scale) - pixel)) best = u;
    }
    return best;
}

// The first unit the toolkit rounds to `low` or past it.
int AtLeast(int low, double scale) {
    return ToUnits(low, scale) + (ToPixels(ToUnits(low, scale), scale) < low ? 1 : 0);
}

// Along one side of the screen: a frame of `before` pixels, an inside and `after` pixels, to lie
// on `length` pixels from `low`.
struct Span {
    int Before;
    int After;
    int Low;
    int Length;
    double Scale;

    // The unit at which an inside of `inside` pixels puts the frame on the span nearest `want` (a
    // pixel); none when no unit puts it wholly there. The toolkit places the inside in units, and a
    // fractional scale (or one of 2 and more) leaves pixels no unit rounds to: a frame exactly as
    // long as the span lies on it only when its inside's first pixel is one of the others.
    std::optional<int> Corner(int want, int inside) const {
        const int room = Length - Before - inside - After;
        if (room < 0) return std::nullopt;
        const int high = Low + room;
        return UnitWithin(std::clamp(want, Low, high) + Before, Low + Before, high + Before, Scale);
    }

    // The most units, up to `units` and down to `least`, an inside can take for its frame to lie
    // on the span at some unit; `least` when not even that does.
    int Fitting(int units, int least) const {
        for (int u = std::min(units, ToUnits(Length - Before - After, Scale) + 1); u > least; --u)
            if (Corner(Low, ToPixels(u, Scale))) return u;
        return least;
    }
};

} // namespace

QPoint PlaceOnScreen(QPoint corner, QSize size) {
    const QRect area = UsableArea(corner);
    if (area.isEmpty()) return corner;
    const int right = area.x() + area.width() - size.width();
    const int bottom = area.y() + area.height() - size.height();
    return {std::max(area.x(), std::min(corner.x(), right)),
            std::max(area.y(), std::min(corner.y(), bottom))};
}

QRect ScreenFrame(const QWidget& window) {
    return FramingOf(window).Frame;
}

QRect UsableScreenPixels(const QWidget& window) {
    return UsablePixels(window.geometry().topLeft(), window.devicePixelRatio());
}

QRect FrameGeometry(const QWidget& window) {
    if (const std::optional<Framing> x = XFraming(window))
        return ToUnits(x->Frame, window.devicePixelRatio());
    return window.frameGeometry();
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
// around the window. The frame is placed only once the X server shows it as it will stay: the
// window manager's frame around it, as large as the manager says, and the window at the size the
// toolkit last gave it (a size still on its way leaves the frame at the old one). The events that
// tell of the frame come in whatever order the window manager sends them: each one about the
// window, its frame or its frame's extents has the place looked at again once the toolkit has
// taken it in. A manager that never frames the window as it says, or ignores where it is asked to
// put it, leaves it where it is after a while without news: placing always ends. A program too
// busy to hear the news (a loaded machine) must not take that for silence: before placing ends,
// the X server is asked whether anything changed since the place was last looked at, and a window
// not yet framed is waited for as long as placing may take.
class FramePlacer : public QObject {
  public:
    static constexpr const char* Name = "FramePlacer";
    // Placing ends after this long without news of a framed window, and this long in all.
    static constexpr int QuietMs = 3000;
    static constexpr int MostMs = 15000;

    FramePlacer(QWidget& window, bool shrink, std::function<QSize(QSize)> room)
        : QObject(&window), Window(window), Shrink(shrink), Room(std::move(room)) {
        setObjectName(Name);
        window.installEventFilter(this);
        GiveUp.setSingleShot(true);
        connect(&GiveUp, &QTimer::timeout, this, [this] { Quiet(); });
    }
    ~FramePlacer() override { Stop(); }

    bool Placing() const { return Active; }

    void Start() {
        Wanted = Placed = Window.pos();
        Given = Window.size();
        Kept.reset();
        Asked.reset();
        Seen.reset();
        Since.start();
        if (!Active) Placers().push_back(this);
        Active = true;
        GiveUp.start(QuietMs);
        WatchEvents();
        Place();
    }

    // News of X window `window`: when it is this window or its frame, the place is looked at
    // again.
    void Heard(uint32_t window) {
        if (!Active || (window != Window.internalWinId() && window != WatchedFrame)) return;
        WaitQuiet();
        Again();
    }

    static std::vector<FramePlacer*>& Placers() {
        static std::vector<FramePlacer*> placers;
        return placers;
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (!Active) return false;
        switch (event->type()) {
        case QEvent::Move:
            // The program moved the window elsewhere: the place is the program's now.
            if (!event->spontaneous() && !Moving && Window.pos() != Placed)
                Stop();
            else
                Place();
            break;
        case QEvent::Resize:
            Place();
            break;
        case QEvent::Hide:
            Stop();
            break;
        default:
            break;
        }
        return false;
    }

  private:
    // Silence is reckoned from the last news, or from the last thing asked of the manager: a
    // program that heard nothing while it was busy, and asks on waking, waits for the answer.
    void WaitQuiet() {
        GiveUp.start(static_cast<int>(std::clamp<qint64>(MostMs - Since.elapsed(), 0, QuietMs)));
    }

    void Quiet() {
        // Its mapping brings news: placing goes on from there.
        if (MapWhenManagerGone(Window)) {
            WaitQuiet();
            return;
        }
        // A size asked of a manager slow to answer (a loaded machine) is news still to come.
        const Framing now = FramingOf(Window);
        if (Since.elapsed() < MostMs &&
            (!Seen || !(now == *Seen) || !now.Final || !AtItsSize(now))) {
            // A manager may let a size asked while it was framing the window go by: it is asked
            // again.
            if (Seen && now == *Seen && now.Final && !AtItsSize(now))
                if (QWindow* handle = Window.windowHandle()) handle->resize(Window.size());
            WaitQuiet();
            Place();
        } else {
            Stop();
        }
    }

    // Whether the X server shows the window at the size the toolkit last gave it, to the unit a
    // fractional scale rounds either way.
    bool AtItsSize(const Framing& f) const {
        const double scale = Window.devicePixelRatio();
        const QSize shown = ToUnits(f.Inside, scale).size();
        const int slack = Slack(scale);
        return std::abs(shown.width() - Window.width()) <= slack &&
               std::abs(shown.height() - Window.height()) <= slack;
    }

    void Stop() {
        Active = false;
        GiveUp.stop();
        std::erase(Placers(), this);
    }

    // Looks at the place once the event that called for it has been taken in.
    void Again() {
        if (Pending) return;
        Pending = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                Pending = false;
                if (Active) Place();
            },
            Qt::QueuedConnection);
    }

    // Hears of the window's frame being moved or resized, once the window manager has made one.
    void Watch(uint32_t frame) {
        xcb_connection_t* c = XConnection();
        if (!c || frame == WatchedFrame || frame == Window.internalWinId()) return;
        const uint32_t events = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        xcb_change_window_attributes(c, frame, XCB_CW_EVENT_MASK, &events);
        xcb_flush(c);
        WatchedFrame = frame;
        // What changed before the events were asked for is read again.
        Again();
    }

    static void WatchEvents();

    void Place() {
        Framing f = FramingOf(Window);
        Seen = f;
        if (f.FromServer) Watch(f.Top);
        const double scale = Window.devicePixelRatio();
        const int slack = Slack(scale);
        if (!f.Final || !AtItsSize(f)) return;
        const QRect area = UsablePixels(Wanted, scale);
        if (area.isEmpty()) {
            Stop();
            return;
        }
        // A window larger than the screen shrinks as far as its least size lets it, to whole
        // units that fit, and takes what room it asks for the size it is shrunk to where that
        // fits too.
        const QPoint before = f.Inside.topLeft() - f.Frame.topLeft();
        const QPoint after = f.Frame.bottomRight() - f.Inside.bottomRight();
        const Span across{before.x(), after.x(), area.left(), area.width(), scale};
        const Span down{before.y(), after.y(), area.top(), area.height(), scale};
        const auto fitting = [&](QSize size) {
            return QSize(across.Fitting(size.width(), Window.minimumWidth()),
                         down.Fitting(size.height(), Window.minimumHeight()))
                .boundedTo(Window.maximumSize());
        };
        // The size is reckoned from the one the program gave the window, not from what a
        // manager made of it meanwhile: one that fits a floating window below where it opened
        // would have it open shorter and lower, or not, by the order its events came in. A
        // manager that gives its own size again when asked for the program's keeps it.
        const bool fits = across.Corner(area.left(), ToPixels(Given.width(), scale)) &&
                          down.Corner(area.top(), ToPixels(Given.height(), scale));
        QSize size = Given;
        if (!fits) {
            size = fitting(Given);
            if (Room) size = fitting(Room(size).expandedTo(size));
        }
        if (Shrink && size != Window.size() && Window.size() != Kept) {
            Kept = Window.size();
            Window.resize(size);
            WaitQuiet();
            // The X server shows the new size later, and tells of it.
            if (f.FromServer) return;
            f = FramingOf(Window);
        }
        // The frame's corner on the area, rounded toward its inside; a window that cannot lie
        // wholly on it keeps its title bar there.
        const QPoint wanted(ToPixels(Wanted.x(), scale), ToPixels(Wanted.y(), scale));
        const std::optional<int> x = across.Corner(wanted.x(), f.Inside.width());
        const std::optional<int> y = down.Corner(wanted.y(), f.Inside.height());
        const QPoint inside(x ? *x : AtLeast(area.left() + before.x(), scale),
                            y ? *y : AtLeast(area.top() + before.y(), scale));
        const QPoint frame =
            QPoint(ToPixels(inside.x(), scale), ToPixels(inside.y(), scale)) - before;
        // A frame on the area whose inside is already at that unit is as near as the toolkit
        // can put it (at a fractional scale, or one of 2 and more, a pixel no unit rounds to
        // may hold it): asking for the unit it has would move nothing.
        const bool there = f.Frame.topLeft() == frame ||
                           (area.contains(f.Frame) && ToUnits(f.Inside, scale).topLeft() == inside);
        if (there) {
            // Placed once the toolkit has heard where: what is reckoned from its idea of the
            // window's place (a dialog over it, a point on it) is right from then on.
            const QPoint heard = Window.geometry().topLeft() - ToUnits(f.Inside, scale).topLeft();
            if (std::abs(heard.x()) <= slack && std::abs(heard.y()) <= slack) Stop();
            return;
        }
        // A manager that left the frame where it was when asked before will leave it there
        // again: asking once more would only bring its answer back, and again.
        const std::pair<QPoint, QPoint> ask{inside, f.Frame.topLeft()};
        if (Asked == ask) return;
        Placed = ToUnits(QRect(frame, f.Frame.size()), scale).topLeft();
        Moving = true;
        if (QWindow* handle = Window.windowHandle(); handle && f.FromServer) {
            // The inside is put where the frame around it puts the frame at its place: the
            // toolkit would reckon the frame from what it knows of it, which may be out of date.
            // The toolkit sends nothing when it believes the window is there already (news of
            // where the manager put it not yet taken in): that ask is made again once it knows.
            if (handle->position() != inside) Asked = ask;
            handle->setPosition(inside);
            WaitQuiet();
        } else {
            // With no window system to ask, the window is where the toolkit is told to put it.
            Window.move(Placed);
            Stop();
        }
        Moving = false;
    }

    QWidget& Window;
    const bool Shrink;
    const std::function<QSize(QSize)> Room;
    QTimer GiveUp;
    QElapsedTimer Since;
    QPoint Wanted;
    QPoint Placed;
    QSize Given;
    std::optional<QSize> Kept;
    std::optional<std::pair<QPoint, QPoint>> Asked;
    std::optional<Framing> Seen;
    uint32_t WatchedFrame = 0;
    bool Active = false;
    bool Pending = false;
    bool Moving = false;
};

// Hands the X server's news of windows being framed, moved, resized, mapped or given their frame
// extents to the placers at work.
class PlacerEvents : public QAbstractNativeEventFilter {
  public:
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (FramePlacer::Placers().empty() || type != "xcb_generic_event_t") return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        uint32_t window = XCB_NONE;
        switch (event->response_type & 0x7f) {
        case XCB_CONFIGURE_NOTIFY:
            window = reinterpret_cast<const xcb_configure_notify_event_t*>(event)->window;
            break;
        case XCB_REPARENT_NOTIFY:
            window = reinterpret_cast<const xcb_reparent_notify_event_t*>(event)->window;
            break;
        case XCB_MAP_NOTIFY:
            window = reinterpret_cast<const xcb_map_notify_event_t*>(event)->window;
            break;
        case XCB_PROPERTY_NOTIFY:
            window = reinterpret_cast<const xcb_property_notify_event_t*>(event)->window;
            break;
        default:
            return false;
        }
        for (FramePlacer* placer : std::vector<FramePlacer*>(FramePlacer::Placers()))
            placer->Heard(window);
        return false;
    }
};

void FramePlacer::WatchEvents() {
    static PlacerEvents events;
    static QPointer<QCoreApplication> installedOn;
    if (!qApp || installedOn == qApp) return;
    qApp->installNativeEventFilter(&events);
    installedOn = qApp;
}

FramePlacer* PlacerOf(const QWidget& window) {
    return dynamic_cast<FramePlacer*>(
        window.findChild<QObject*>(FramePlacer::Name, Qt::FindDirectChildrenOnly));
}

// A window's size is the program's to give. A window manager may configure a window at any size
// at all, and one that misreads a window's size hints gives it 65535 x 65535: the toolkit would
// take that size and allocate what it draws into for it, gigabytes, or fail to. A size from the
// window system larger than the screen and than the size the program gave the window is not
// taken, and the window is asked back to the program's size.
class SizeBound : public QObject {
  protected:
    bool eventFilter(QObject* to, QEvent* event) override {
        if (!to->isWindowType()) return false;
        auto* window = static_cast<QWindow*>(to);
        if (event->type() == QEvent::PlatformSurface) {
            // Scaled, the toolkit hints a base size of -1 x -1 to an X11 window manager, which
            // some read as a window of 65535 x 65535: a base of nothing is what the window means.
            if (static_cast<QPlatformSurfaceEvent*>(event)->surfaceEventType() ==
                    QPlatformSurfaceEvent::SurfaceCreated &&
                window->baseSize() != QSize(0, 0) && QGuiApplication::platformName() == "xcb")
                window->setBaseSize(QSize(0, 0));
            return false;
        }
        if (event->type() != QEvent::Resize || !event->spontaneous() || !window->screen())
            return false;
        const QSize asked = static_cast<QResizeEvent*>(event)->size();
        QSize given = window->screen()->virtualSize();
        const QWidget* widget = nullptr;
        for (const QWidget* w : QApplication::topLevelWidgets())
            if (w->windowHandle() == window) widget = w;
        if (widget) given = given.expandedTo(widget->size());
        if (asked.width() <= given.width() && asked.height() <= given.height()) return false;
        window->resize(widget ? widget->size() : asked.boundedTo(given));
        return true;
    }
};

void BoundWindowSizes() {
    static SizeBound bound;
    qApp->installEventFilter(&bound);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(BoundWindowSizes)

bool Placing(const QWidget& window) {
    const FramePlacer* placer = PlacerOf(window);
    return placer && placer->Placing();
}

void BringForward(QWidget& window) {
    window.show();
    if (window.isMinimized()) window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    MapWhenManagerGone(window);
    window.raise();
    window.activateWindow();
}

void KeepOnScreen(QWidget& window, bool shrink, std::function<QSize(QSize)> room) {
    FramePlacer* placer = PlacerOf(window);
    if (!placer) placer = new FramePlacer(window, shrink, std::move(room));
    placer->Start();
}
