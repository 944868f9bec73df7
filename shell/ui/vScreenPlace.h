// Where a window opens: at its stored corner, moved only as far as it takes to lie on a screen's
// usable area. Stored corners are whatever was typed into the options or written by another
// desktop, and a window opened off every screen cannot be reached to be moved back. A corner is
// that of the window's frame, title bar included, as x() and y() give it back at close: a
// window manager frames a window only after it is shown, so the place is made good once the
// frame is there.
#pragma once

#include <QPoint>
#include <QSize>

#include <cstdint>

class QWidget;

// The corner of a window of `size` at `corner`, on the usable area of the screen that holds the
// corner (else the primary one): wholly on it when it fits, else with its top-left corner, and so
// its title bar, on it.
QPoint PlaceOnScreen(QPoint corner, QSize size);
// Moves a window to its stored corner brought onto the screen. Its size is not final before
// it is shown: the corner alone is placed now, which also keeps every later sum of its place
// and size within int.
void MoveToStoredPlace(QWidget& window, int32_t left, int32_t top);
// For a window being opened (not restored): puts its frame where PlaceOnScreen puts the corner
// it has now, at the frame's final size, and again as the window manager frames it, until it
// is framed or the program moves it.
void KeepOnScreen(QWidget& window);
