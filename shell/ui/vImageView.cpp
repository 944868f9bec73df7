#include "shell/ui/vImageView.h"

#include "shell/vGlobal.h"

#include <QMouseEvent>
#include <QPainter>

TImageView::TImageView(QWidget* parent) : QWidget(parent) {
    setObjectName("Image1");
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage TImageView::PictureImage() {
    Picture& p = DisplayedPicture;
    if (p.Empty()) return QImage();
    return QImage(reinterpret_cast<uchar*>(p.Pixels.data()), p.Width, p.Height, p.Width * 4,
                  QImage::Format_RGB32);
}

void TImageView::PictureChanged() {
    const QSize s = DisplayedPicture.Empty()
                        ? QSize(0, 0)
                        : QSize(DisplayedPicture.Width, DisplayedPicture.Height);
    if (size() != s) resize(s);
    setFixedSize(s);
    update();
}

QSize TImageView::sizeHint() const {
    return DisplayedPicture.Empty() ? QSize(0, 0)
                                    : QSize(DisplayedPicture.Width, DisplayedPicture.Height);
}

void TImageView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QImage image = PictureImage();
    if (image.isNull()) {
        painter.fillRect(rect(), palette().window());
        return;
    }
    painter.drawImage(QPoint(0, 0), image);
}

void TImageView::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    emit MouseDown(p.x(), p.y(), event->button(), event->modifiers());
}

void TImageView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    emit MouseMove(p.x(), p.y(), event->buttons(), event->modifiers());
}

void TImageView::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    emit MouseUp(p.x(), p.y(), event->button(), event->modifiers());
}
