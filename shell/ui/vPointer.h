// Where the pointer is, to the screen's own pixel. On a scaled screen one picture pixel covers
// more than one screen pixel or less, and a mouse tool must take the picture pixel drawn under
// the pointer. The toolkit gives X11 pointer places rounded to whole scaled units, which lands
// on the neighbouring pixel for half of every screen pixel: there the place is taken again from
// the pointer's own screen position, which the X server reports with each mouse event.
#pragma once

#include <QPoint>

class QSinglePointEvent;
class QWidget;

// From now on, remembers the screen positions the X server reports with mouse events. The
// application's start calls it; PointerPosition calls it too.
void WatchNativePointer();

// The place of a mouse event in `widget`, in the widget's (scaled) units, with the fraction the
// screen's pixel gives: the toolkit's own place where no screen position of that event is known.
QPointF PointerPosition(const QWidget& widget, const QSinglePointEvent& event);

// The pixel of `widget` under the pointer of a mouse event.
QPoint PixelUnder(const QWidget& widget, const QSinglePointEvent& event);
