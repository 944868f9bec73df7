// Where a window opens: at its stored corner, moved only as far as it takes to lie on a screen's
// usable area. Stored corners are whatever was typed into the options or written by another
// desktop, and a window opened off every screen cannot be reached to be moved back. A corner is
// that of the window's frame, title bar included, as x() and y() give it back at close: a
// window manager frames a window only after it is shown, so the place is made good once the
// frame is there.
#pragma once

#include "shell/vGlobalOptions.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <functional>

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
// it has now, once the window manager has framed it and the window is at its final size, until
// the frame is there or the program moves the window elsewhere; a window manager that does not
// frame it as it says leaves it where it is after a while. With `shrink`, a window larger than
// the screen shrinks as far as its least size lets it; `room`, when given, says what size it
// takes in place of one it is shrunk to (that of a scroll bar the shrinking brings), as far as
// the screen has room for that.
void KeepOnScreen(QWidget& window, bool shrink = false, std::function<QSize(QSize)> room = nullptr);
// Shows the window in front, as its command does: one minimised comes back (some window managers
// leave it iconic when it is only raised), and one that waited for a window manager that went
// away before framing it is shown as it would be without one.
void BringForward(QWidget& window);
// Whether KeepOnScreen is still at work on the window.
bool Placing(const QWidget& window);
// The window's frame, title bar included, where it is now (the frame the user sees, without any
// border a window manager draws around it that shows nothing): on X11 as the X server has it,
// since what the toolkit knows of the frame comes with the window manager's events, late or never.
QRect FrameGeometry(const QWidget& window);
// The same in screen pixels, and the usable area of the screen the window is on: a frame at a
// fractional scale lies on the screen when it lies on that area pixel for pixel.
QRect ScreenFrame(const QWidget& window);
QRect UsableScreenPixels(const QWidget& window);
// The window's place as the options store it: its frame's corner, where the window manager puts
// the frame it shows when asked to put the window there.
FormPosition StoredPlace(const QWidget& window);
