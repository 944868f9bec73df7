#include "histogram/ui/vUHistogramDraw.h"

#include "runtime/RtNumbers.h"
#include "shell/ui/vImageView.h"
#include "shell/ui/vPointer.h"

#include <QEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

#include <algorithm>

namespace {

constexpr uint32_t GreyPixel = 0xFF808080u;

QImage Wrapped(Picture& picture) {
    return QImage(reinterpret_cast<uchar*>(picture.Pixels.data()), picture.Width, picture.Height,
                  picture.Width * 4, QImage::Format_RGB32);
}

} // namespace

void DrawHistogram(int plane, const THistogram& histogram, Picture& canvas) {
    if (canvas.Empty() || canvas.Width != 256) return;
    const int32_t largest =
        *std::max_element(histogram.Frequency.begin(), histogram.Frequency.end());
    if (largest < 1) return;
    const int height = canvas.Height;
    for (int i = 0; i < 256; ++i) {
        const auto bars = static_cast<int>(Round(
            static_cast<double>(histogram.Frequency[static_cast<size_t>(i)]) * height / largest));
        const uint32_t pixel = ColorToPixel(HistogramBarColor(plane, i));
        for (int y = height - 1; y >= height - bars && y >= 0; --y)
            canvas.At(i, y) = pixel;
    }
    for (int x = 0; x <= 250; x += 10) {
        const int length = x % 50 == 0 ? 8 : 4;
        for (int y = height - 1; y >= height - length && y >= 0; --y)
            canvas.At(x, y) = GreyPixel;
    }
    for (int k = 1; k <= 4; ++k)
        std::fill_n(canvas.Row(k * height / 5), 256, GreyPixel);
    QImage image = Wrapped(canvas);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    const QFontMetrics metrics = painter.fontMetrics();
    painter.drawText(2, 2 + metrics.ascent(), "Max = " + QString::number(largest));
    const int baseline = height - 1 - metrics.descent();
    painter.drawText(2, baseline, "0");
    painter.drawText(255 - metrics.horizontalAdvance("250"), baseline, "250");
}

void WriteTextAt(Picture& picture, int x, int y, const QString& text) {
    if (picture.Empty()) return;
    QImage image = Wrapped(picture);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    painter.drawText(x, y + painter.fontMetrics().ascent(), text);
}

MouseWatcher::MouseWatcher(QWidget* watched, Callback callback)
    : QObject(watched), OnMouse(std::move(callback)) {
    watched->setMouseTracking(true);
    watched->installEventFilter(this);
}

bool MouseWatcher::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
        OnMouse(event->type(),
                PixelUnder(*static_cast<QWidget*>(watched), *static_cast<QMouseEvent*>(event)));
        break;
    case QEvent::Leave:
        OnMouse(event->type(), {});
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
