// The picture's memory is wrapped, not copied: printing a large plane should not double it.
#include "shell/imaging/ui/vUPrintBitmapStretched.h"

#include <QImage>
#include <QPainter>

void PrintBitmapStretched(QPainter& canvas, int left, int top, int right, int bottom,
                          const Picture& bitmap) {
    if (bitmap.Empty()) return;
    const QImage image(reinterpret_cast<const uchar*>(bitmap.Pixels.data()), bitmap.Width,
                       bitmap.Height, bitmap.Width * 4, QImage::Format_RGB32);
    canvas.save();
    // Scale without smoothing, so every printed pixel is one of the picture's colours, and copy
    // whatever drawing mode the caller's canvas was left in (an inverting pen's, say).
    canvas.setRenderHint(QPainter::SmoothPixmapTransform, false);
    // A PDF, which is what a printer gets here, would otherwise hold the picture as a JPEG.
    canvas.setRenderHint(QPainter::LosslessImageRendering);
    canvas.setCompositionMode(QPainter::CompositionMode_Source);
    canvas.drawImage(QRect(left, top, right - left, bottom - top), image, image.rect());
    canvas.restore();
}
