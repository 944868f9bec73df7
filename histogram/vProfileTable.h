// The samples of a line profile and their text table: colours at every pixel step along a line
// of the undo copy, intensity and hue, saturation, value, and smoothed slopes.
#pragma once

#include "shell/vToolModes.h"

#include <cstdint>
#include <string>
#include <vector>

// A point that was never placed.
inline constexpr ImagePoint UnsetPoint{-12, -12};
inline bool PointIsSet(ImagePoint p) {
    return p.X != -12 && p.Y != -12;
}

struct ProfileSample {
    double X = 0.0, Y = 0.0;
    int32_t R = 0, G = 0, B = 0, I = 0, H = 0, S = 0, V = 0;
};

struct LineProfile {
    std::vector<ProfileSample> Samples; // N + 1 of them
    // The data page: the label, a blank line, the header, the rule, one row per sample.
    std::vector<std::string> Lines;
};

// Hue 0..359, saturation and value 0..255 by integer arithmetic.
void RGBToHSVBytes(int32_t& h, int32_t& s, int32_t& v, int32_t r, int32_t g, int32_t b);
double PointDistance(ImagePoint a, ImagePoint b);
// The number of steps N of a line (0 when a point is unset); a profile needs N >= 2.
int32_t ProfileSteps(ImagePoint start, ImagePoint end);
// The bottom axis increment for N steps.
int32_t ProfileAxisIncrement(int32_t steps);
// "Points = (x, y)   (x, y)     Distance = d", empty when a point is unset.
std::string ProfilePointsText(ImagePoint start, ImagePoint end);
// Samples the undo copy along the line. Positions off the picture (the whole line can be dragged
// past its edge) read the nearest edge pixel.
LineProfile BuildLineProfile(ImagePoint start, ImagePoint end, const std::string& label);
