// Point arithmetic and line hit tests.
#include "histogram/vULineLibrary.h"

#include "runtime/RtNumbers.h"

#include <algorithm>
#include <cstdlib>

void AddPoints(ImagePoint a, ImagePoint b, ImagePoint& c) {
    c = {a.X + b.X, a.Y + b.Y};
}

void SubtractPoints(ImagePoint a, ImagePoint b, ImagePoint& c) {
    c = {a.X - b.X, a.Y - b.Y};
}

void LineThroughPoints(ImagePoint p1, ImagePoint p2, double& slope, uint8_t& orientation,
                       double& intercept) {
    const int64_t dx = static_cast<int64_t>(p2.X) - p1.X, dy = static_cast<int64_t>(p2.Y) - p1.Y;
    if (dx == 0 && dy == 0) {
        orientation = 0;
        slope = intercept = 0.0;
    } else if (std::llabs(dx) < std::llabs(dy)) {
        orientation = 2;
        slope = static_cast<double>(dx) / static_cast<double>(dy);
        intercept = p1.X - slope * p1.Y;
    } else {
        orientation = 1;
        slope = static_cast<double>(dy) / static_cast<double>(dx);
        intercept = p1.Y - slope * p1.X;
    }
}

bool PointCloseToLine(ImagePoint p, ImagePoint a, ImagePoint b) {
    double slope, intercept;
    uint8_t orientation;
    LineThroughPoints(a, b, slope, orientation, intercept);
    int64_t across;
    if (orientation == 1) {
        if (p.X < std::min(a.X, b.X) || p.X > std::max(a.X, b.X)) return false;
        across = Round(p.X * slope + intercept) - p.Y;
    } else if (orientation == 2) {
        if (p.Y < std::min(a.Y, b.Y) || p.Y > std::max(a.Y, b.Y)) return false;
        across = Round(p.Y * slope + intercept) - p.X;
    } else {
        return false;
    }
    return std::llabs(across) < 5;
}

bool PointCloseToPoint(ImagePoint p, int32_t delta, ImagePoint q) {
    return std::llabs(static_cast<int64_t>(q.X) - p.X) <= delta &&
           std::llabs(static_cast<int64_t>(q.Y) - p.Y) <= delta;
}
