// Integer point arithmetic and the hit tests that let the mouse grab a line's end points or the
// whole line.
#pragma once

#include "shell/vToolModes.h"

#include <cstdint>

void AddPoints(ImagePoint a, ImagePoint b, ImagePoint& c);
void SubtractPoints(ImagePoint a, ImagePoint b, ImagePoint& c);
// Orientation 0: the points coincide (slope and intercept 0); 1: mostly horizontal,
// y = slope * x + intercept; 2: mostly vertical, x = slope * y + intercept.
void LineThroughPoints(ImagePoint p1, ImagePoint p2, double& slope, uint8_t& orientation,
                       double& intercept);
// P lies within the segment's span and at most 4 pixels across from the line through A and B.
bool PointCloseToLine(ImagePoint p, ImagePoint a, ImagePoint b);
// Both coordinates of Q within delta of P, inclusive.
bool PointCloseToPoint(ImagePoint p, int32_t delta, ImagePoint q);
