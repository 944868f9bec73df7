// Stretched output of a picture onto a drawing surface (a printer page or any other paint
// device); the one routine of the image primitives that needs the windowing toolkit.
#pragma once

#include "shell/vPicture.h"

class QPainter;

// Draws the whole picture stretched into the rectangle from (left, top) to (right, bottom), right
// and bottom exclusive, as plain copied RGB pixels.
void PrintBitmapStretched(QPainter& canvas, int left, int top, int right, int bottom,
                          const Picture& bitmap);
