#include "histogram/ui/vULineCursor.h"

#include <QCursor>
#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace {

class CursorClip : public QObject {
  public:
    QPointer<QWidget> Control;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseMove && Control) {
            const QRect r(Control->mapToGlobal(QPoint(0, 0)), Control->size());
            const QPoint p = QCursor::pos();
            const QPoint inside(qBound(r.left(), p.x(), r.right()),
                                qBound(r.top(), p.y(), r.bottom()));
            if (inside != p) QCursor::setPos(inside);
        }
        return QObject::eventFilter(watched, event);
    }
};

CursorClip& Clip() {
    static CursorClip clip;
    return clip;
}

} // namespace

void ClipCursorToControl(QWidget* control) {
    ReleaseCursorClip();
    if (!control) return;
    Clip().Control = control;
    control->installEventFilter(&Clip());
    control->grabMouse();
}

void ReleaseCursorClip() {
    if (QWidget* control = Clip().Control) {
        control->removeEventFilter(&Clip());
        control->releaseMouse();
    }
    Clip().Control = nullptr;
}
