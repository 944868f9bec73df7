#include "shell/ui/vScreenPlace.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

QPoint PlaceOnScreen(QPoint corner, QSize size) {
    const QScreen* screen = QGuiApplication::screenAt(corner);
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return corner;
    const QRect area = screen->availableGeometry();
    const int right = area.x() + area.width() - size.width();
    const int bottom = area.y() + area.height() - size.height();
    return {std::max(area.x(), std::min(corner.x(), right)),
            std::max(area.y(), std::min(corner.y(), bottom))};
}

void MoveToStoredPlace(QWidget& window, int32_t left, int32_t top) {
    window.move(PlaceOnScreen({left, top}, {0, 0}));
}

namespace {

// Holds a window's wanted frame corner while it is being framed. Whether a move before the
// window is shown places its frame or its inside depends on the platform and on whether the
// window was made before, and the frame's size is known only once the window manager has put it
// around the window: the frame is placed anew at each move, resize and paint the desktop
// reports until then.
class FramePlacer : public QObject {
  public:
    static constexpr const char* Name = "FramePlacer";

    explicit FramePlacer(QWidget& window) : QObject(&window), Window(window) {
        setObjectName(Name);
        window.installEventFilter(this);
    }

    void Start() {
        Wanted = Placed = Window.pos();
        Pending = true;
        Place();
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (!Pending) return false;
        switch (event->type()) {
        case QEvent::Move:
            // The program moved the window elsewhere: the place is the program's now.
            if (!event->spontaneous() && Window.pos() != Placed)
                Pending = false;
            else
                Place();
            break;
        case QEvent::Resize:
        case QEvent::Paint:
        case QEvent::WindowActivate:
            Place();
            break;
        case QEvent::Hide:
            Pending = false;
            break;
        default:
            break;
        }
        return false;
    }

  private:
    void Place() {
        const QRect frame = Window.frameGeometry();
        const QPoint place = PlaceOnScreen(Wanted, frame.size());
        if (frame != Window.geometry()) Pending = false;
        if (frame.topLeft() == place) return;
        Placed = place;
        Window.move(place);
    }

    QWidget& Window;
    QPoint Wanted;
    QPoint Placed;
    bool Pending = false;
};

} // namespace

void KeepOnScreen(QWidget& window) {
    auto* placer = dynamic_cast<FramePlacer*>(
        window.findChild<QObject*>(FramePlacer::Name, Qt::FindDirectChildrenOnly));
    if (!placer) placer = new FramePlacer(window);
    placer->Start();
}
