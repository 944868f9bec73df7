// Where the pointer is, to the screen's own pixel, and which picture pixel is drawn there. On a
// scaled screen one picture pixel covers more than one screen pixel or less, and a mouse tool
// must take the picture pixel drawn under the pointer: the pictures are drawn and the pointer is
// read by one rule. The toolkit gives X11 pointer places rounded to whole scaled units, which
// lands on the neighbouring pixel for half of every screen pixel: there the place is taken again
// from the pointer's own screen position, which the X server reports with each mouse event.
#pragma once

#include <QPoint>
#include <QRect>

class QImage;
class QPainter;
class QSinglePointEvent;
class QWidget;

// The rule, on either axis of a screen of `scale` screen pixels to a unit: a widget's pixel p
// begins at the screen pixel p × scale from the widget's corner rounded half up, and the corner
// itself lies at the screen pixel its place rounds to. It is the rule the toolkit draws an image
// by when the image's size times the scale is whole.
int PixelEdge(int pixel, double scale);
// The pixel of a widget that covers its screen pixel `device`, counted from the widget's corner.
int PixelOfDevice(int device, double scale);
// Draws `image`, which holds a picture's pixels from `offset` on, for a picture whose corner lies
// at `corner` in the painter's units: each pixel on the screen pixels the rule gives it.
void DrawPixels(QPainter& painter, QPoint corner, const QImage& image, QPoint offset = {});
// The pixels of `image` a repaint of its `exposed` part draws: a pixel more on each side, since
// on a scaled screen the screen pixels to repaint reach into the pixels either side of it.
QRect PixelsToRepaint(const QRect& exposed, const QImage& image);
// The pixels of `image` in `part`, without a copy.
QImage ImagePart(const QImage& image, const QRect& part);

// From now on, remembers the screen positions the X server reports with mouse events. The
// application's start calls it; PointerPosition calls it too.
void WatchNativePointer();

// The pixel of `widget` under the pointer of a mouse event.
QPoint PixelUnder(const QWidget& widget, const QSinglePointEvent& event);
