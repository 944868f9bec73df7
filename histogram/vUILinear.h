// Line features of the working image: colour isolines, the green-level edge follower, red level
// slicing and contour intervals on one band. Every engine is one image operation reading the undo
// copy and writing the work buffer; buffer row y + 1 lies north of row y.
#pragma once

#include <cstdint>

// The one value of the red, green and blue marks.
inline constexpr uint8_t LinearMarkValue = 239;

// Thin isolines: a pixel on or next to a level of red, green or blue (in that order of priority).
void AContour(int32_t redLevel, int32_t greenLevel, int32_t blueLevel);
// Wide isolines: the same levels tested against all eight neighbours.
void Do_Contour(int32_t redLevel, int32_t greenLevel, int32_t blueLevel);
// Follows the runs of green value `level`; traces shorter than 30 are repainted almost black.
void Do_EdgeFollow(int32_t level);
// Keeps the red values that are multiples of `interval`, the rest white. An interval of 0 does
// nothing.
void Do_EdgeFlow(int32_t interval);
// Lines at the multiples of `interval` of one band (0 red, 1 green, 2 blue; any other band marks
// nothing). An interval of 0 does nothing.
void ContourInterval(int32_t interval, int32_t band);
// Kept so that old macro files play; does nothing.
void EmptyLinearOp();
// The Measured tool's run: the scale (known / pixel distance) and the target's size in pixels
// are worked out and the picture is passed over unchanged, as one image operation. A pixel
// distance of 0 or a known distance below it has no scale: nothing is run.
void Do_Measured_Do(int32_t knownDistance, int32_t pixelDistance, int32_t targetDistance);
// True when the two distances give a scale of at least one unit a pixel.
bool MeasuredDistancesUsable(int32_t knownDistance, int32_t pixelDistance);
