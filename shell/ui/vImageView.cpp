#include "shell/ui/vImageView.h"

#include "shell/ui/vPointer.h"
#include "shell/vGlobal.h"

#include <QMouseEvent>
#include <QPainter>

TImageView::TImageView(QWidget* parent) : QWidget(parent) {
    setObjectName("Image1");
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage WrapPicture(const Picture& picture) {
    if (picture.Empty()) return QImage();
    return QImage(reinterpret_cast<const uchar*>(picture.Pixels.data()), picture.Width,
                  picture.Height, static_cast<qsizetype>(picture.Width) * 4, QImage::Format_RGB32);
}

Picture PictureFromImage(const QImage& image) {
    Picture out;
    if (image.isNull()) return out;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    out.Resize(rgb.width(), rgb.height());
    for (int y = 0; y < out.Height; ++y) {
        const auto* src = reinterpret_cast<const uint32_t*>(rgb.constScanLine(y));
        uint32_t* dst = out.Row(y);
        for (int x = 0; x < out.Width; ++x)
            dst[x] = src[x] | 0xFF000000u;
    }
    return out;
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

void TImageView::AddMarkPainter(QObject* owner, MarkPainter painter) {
    MarkLayers.push_back({owner, std::move(painter)});
    connect(owner, &QObject::destroyed, this, [this](QObject* gone) {
        std::erase_if(MarkLayers, [gone](const MarkLayer& l) { return l.Owner == gone; });
        update();
    });
}

QImage TImageView::MarkedPart(const QRect& area) const {
    // A copy of the part, never the picture's own memory: inverting ink drawn there would
    // become part of the picture.
    QImage part = PictureImage().copy(area);
    QPainter painter(&part);
    painter.translate(-area.topLeft());
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    for (const MarkLayer& layer : MarkLayers) {
        painter.save();
        painter.setPen(QPen(Qt::black, 0));
        painter.setBrush(Qt::NoBrush);
        layer.Paint(painter);
        painter.restore();
    }
    return part;
}

QImage TImageView::ShownImage() const {
    if (DisplayedPicture.Empty()) return QImage();
    return MarkedPart(QRect(0, 0, DisplayedPicture.Width, DisplayedPicture.Height));
}

void TImageView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QImage image = PictureImage();
    if (image.isNull()) {
        painter.fillRect(rect(), palette().window());
        return;
    }
    const QRect area = PixelsToRepaint(event->rect(), image);
    if (area.isEmpty()) return;
    DrawPixels(painter, QPoint(0, 0),
               MarkLayers.empty() ? ImagePart(image, area) : MarkedPart(area), area.topLeft());
}

void TImageView::mousePressEvent(QMouseEvent* event) {
    const QPoint p = PixelUnder(*this, *event);
    emit MouseDown(p.x(), p.y(), event->button(), event->modifiers());
}

void TImageView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = PixelUnder(*this, *event);
    emit MouseMove(p.x(), p.y(), event->buttons(), event->modifiers());
}

void TImageView::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = PixelUnder(*this, *event);
    emit MouseUp(p.x(), p.y(), event->button(), event->modifiers());
}
