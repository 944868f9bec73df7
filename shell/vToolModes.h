// The image tool modes of the main window: the flags that decide what a press, move and release
// on the image do, the geometry the drags leave for the tools, and the rules that place the
// pixel box, the magnifier and the measured line. All flags are cleared at every start.
#pragma once

#include "histogram/vHistogramTypes.h"

#include <array>
#include <cstdint>
#include <functional>

extern bool ZoomMode;
extern bool PixelValuesMode;
extern bool PixelBoxDragging;
extern bool LineProfileMode;
extern bool LineProfileDown;
extern bool ClassMethodCycleMode;
extern bool RGBScreenMode;
extern bool CMYScreenMode;
extern bool ObjectMarkArmed;
extern bool ObjectMarkDragging;
extern bool MeasuredMode;
extern bool MeasureDragging;
extern bool TrainingArmed;
extern bool TrainingDragging;
extern bool SnakeMode;
extern bool LabelPlaceArmed;
// The import window's projection page is placing registration points.
extern bool RegistrationMode;
// The preprocess viewer's crop box is being dragged, of free size or of a fixed side.
extern bool FreeCropDragging;
extern bool FixedCropDragging;

// Half the side, in image pixels, of the square the magnifier shows.
extern int32_t MagnifierHalfSize;
// The colour-separation screen shown (1 to 3).
extern int32_t RotateImageIndex;

struct ImagePoint {
    int32_t X = 0;
    int32_t Y = 0;
};
// The two corners of the drag under way (image pixels); in zoom mode RubberStart is the
// magnifier's corner.
extern ImagePoint RubberStart;
extern ImagePoint RubberEnd;

// Left <= Right and Top <= Bottom, image pixels.
struct SelectionRect {
    uint16_t Left = 0;
    uint16_t Right = 0;
    uint16_t Top = 0;
    uint16_t Bottom = 0;
};
// The block of the pixel-values box for the cursor pixel screen, or the training rectangle.
extern SelectionRect SelectionBox;

// The class method shown by the class-method cycle (0 to 9) and its breaks, red, green, blue.
extern int32_t ClassMethodIndex;
extern std::array<SeedBreakRow, BandCount> CurrentClassBreaks;
extern const char* const ClassMethodNames[SeedMethodCount];

// The length of the last measured drag.
extern int32_t MeasuredPixelDistance;

// The look of the mark dragged in object-mark mode: the object-mark window's current mark.
// Kind 0 point, 1 line, 2 circle, 3 box; colours are colour values (red in the low byte).
struct RubberMarkLook {
    int32_t Kind = 0;
    bool Filled = true;
    uint32_t LineColor = 0;
    uint32_t FillColor = 0;
};
extern RubberMarkLook CurrentMarkLook;

// Set by a mode once the picture on screen is made from the undo copy (the colour screens, the
// class-method cycle): the mode must end, and its picture come back, before anything replaces
// that copy. A mode sets it after its own copy for processing.
extern bool UndoCopyHeld;
// Ends the mode that holds the undo copy, if any (through Hooks.EndUndoHoldingMode). Called
// before the working buffers are copied into or freed.
void ReleaseUndoCopy();

// Arms `mode` as the one mouse mode on the picture: a press, move and release go to one tool. The
// mode armed before ends first, through the `end` it was armed with (its flag cleared when none
// was given), unless it has ended by itself since. Arming the mode armed now again only replaces
// its end. Every command and window that arms a mode comes through here.
void ArmToolMode(bool& mode, std::function<void()> end = {});
// The owner of `mode` has ended it (its window closed): the end kept for it goes, with whatever
// it refers to.
void ForgetToolMode(const bool& mode);

// Every tool-mode and drag flag above, and the hold on the undo copy; RegistrationMode excepted.
void ClearToolModes();
// Ends the drag on the picture, the preprocess viewer's or the look-up graph's under way, if any,
// without taking effect (the modes stay armed): a command started, or its release came while one
// ran, and the picture or the state the drag began on may be gone.
void EndOpenDrags();

// The side of the pixel-values box less one.
constexpr int32_t PixelBoxSpan = 25;

// (x, y) moved into 0..lastX, 0..lastY: a drag released outside the picture ends on its edge.
ImagePoint ClampToPicture(int32_t x, int32_t y, int32_t lastX, int32_t lastY);
// The pixel box for a press at (x, y): each start coordinate is kept when 0 < v < last - 25 and
// is 0 otherwise; the end is 25 beyond it, or the last index when the picture is smaller.
void PlacePixelBox(int32_t x, int32_t y, int32_t lastX, int32_t lastY);
// The magnifier's corner on one axis: the pointer less the half size, kept so that the square
// lies inside 0..last (at 0 when the picture is narrower than the square).
int32_t MagnifierCorner(int32_t pointer, int32_t last, int32_t halfSize);
// The measured length: the rounded straight length when the rows differ by 10 or more, else
// the column difference.
int32_t MeasuredDistance(ImagePoint start, ImagePoint end);
// The rectangle of two corners inside the picture.
SelectionRect SelectionFromCorners(ImagePoint a, ImagePoint b);
// The next class method of the cycle (after 9 back to 0): its breaks into CurrentClassBreaks;
// returns its name.
const char* SelectNextClassMethod();
