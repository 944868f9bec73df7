#include "shell/vToolModes.h"

#include "algebra/vLUTGraph.h"
#include "histogram/vClassDisplay.h"
#include "runtime/RtNumbers.h"
#include "shell/vGlobalHooks.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

bool ZoomMode = false;
bool PixelValuesMode = false;
bool PixelBoxDragging = false;
bool LineProfileMode = false;
bool LineProfileDown = false;
bool ClassMethodCycleMode = false;
bool RGBScreenMode = false;
bool CMYScreenMode = false;
bool ObjectMarkArmed = false;
bool ObjectMarkDragging = false;
bool MeasuredMode = false;
bool MeasureDragging = false;
bool TrainingArmed = false;
bool TrainingDragging = false;
bool SnakeMode = false;
bool LabelPlaceArmed = false;
bool RegistrationMode = false;
bool FreeCropDragging = false;
bool FixedCropDragging = false;

int32_t MagnifierHalfSize = 32;
int32_t RotateImageIndex = 1;

ImagePoint RubberStart;
ImagePoint RubberEnd;
SelectionRect SelectionBox;
int32_t ClassMethodIndex = 0;
std::array<SeedBreakRow, BandCount> CurrentClassBreaks{};
int32_t MeasuredPixelDistance = 0;
RubberMarkLook CurrentMarkLook;
bool UndoCopyHeld = false;

const char* const ClassMethodNames[SeedMethodCount] = {
    "Natural Break Class", "Best Fit Class", "Steps Class", "Area Class",     "Mean SD",
    "Median SD",           "Arithmatic",     "Geometric",   "Geo Decreasing", "ArithID",
};

void ReleaseUndoCopy() {
    if (!UndoCopyHeld) return;
    UndoCopyHeld = false;
    if (Hooks.EndUndoHoldingMode) Hooks.EndUndoHoldingMode();
}

namespace {
bool* ArmedMode = nullptr;
std::function<void()> EndArmedMode;
} // namespace

void ArmToolMode(bool& mode, std::function<void()> end) {
    if (ArmedMode != &mode) {
        // Two modes armed at once split one drag between two tools: the press went to one, the
        // release to the other, and the first one's mark kept following the pointer.
        bool* const previous = std::exchange(ArmedMode, nullptr);
        const std::function<void()> ending = std::exchange(EndArmedMode, {});
        if (previous && *previous) {
            if (ending)
                ending();
            else
                *previous = false;
        }
    }
    ArmedMode = &mode;
    EndArmedMode = std::move(end);
    mode = true;
}

void ForgetToolMode(const bool& mode) {
    if (ArmedMode != &mode) return;
    ArmedMode = nullptr;
    EndArmedMode = {};
}

void ClearToolModes() {
    ArmedMode = nullptr;
    EndArmedMode = {};
    bool* const flags[] = {
        &ZoomMode,        &PixelValuesMode,      &PixelBoxDragging,  &LineProfileMode,
        &LineProfileDown, &ClassMethodCycleMode, &RGBScreenMode,     &CMYScreenMode,
        &ObjectMarkArmed, &ObjectMarkDragging,   &MeasuredMode,      &MeasureDragging,
        &TrainingArmed,   &TrainingDragging,     &SnakeMode,         &LabelPlaceArmed,
        &UndoCopyHeld,    &FreeCropDragging,     &FixedCropDragging,
    };
    for (bool* f : flags)
        *f = false;
}

void EndOpenDrags() {
    bool* const drags[] = {&PixelBoxDragging,  &LineProfileDown,  &ObjectMarkDragging,
                           &MeasureDragging,   &TrainingDragging, &FreeCropDragging,
                           &FixedCropDragging, &GraphDragging};
    bool ended = false;
    for (bool* d : drags) {
        ended = ended || *d;
        *d = false;
    }
    if (ended && Hooks.OpenDragEnded) Hooks.OpenDragEnded();
}

ImagePoint ClampToPicture(int32_t x, int32_t y, int32_t lastX, int32_t lastY) {
    return {std::clamp(x, 0, std::max(lastX, 0)), std::clamp(y, 0, std::max(lastY, 0))};
}

namespace {
int32_t PixelBoxStart(int32_t v, int32_t last) {
    return v > 0 && v < last - PixelBoxSpan ? v : 0;
}
} // namespace

void PlacePixelBox(int32_t x, int32_t y, int32_t lastX, int32_t lastY) {
    RubberStart = {PixelBoxStart(x, lastX), PixelBoxStart(y, lastY)};
    // A picture of fewer than 26 pixels on an axis gets the whole axis, not a box beyond it.
    RubberEnd = {std::min(RubberStart.X + PixelBoxSpan, std::max(lastX, 0)),
                 std::min(RubberStart.Y + PixelBoxSpan, std::max(lastY, 0))};
}

int32_t MagnifierCorner(int32_t pointer, int32_t last, int32_t halfSize) {
    // One formula for the three ranges of the rule; at the two boundary pointers it gives the
    // value both neighbouring ranges agree on.
    const int32_t highest = std::max(last - 2 * halfSize - 1, 0);
    return std::clamp(pointer - halfSize, 0, highest);
}

int32_t MeasuredDistance(ImagePoint start, ImagePoint end) {
    const int64_t dx = int64_t{start.X} - end.X;
    const int64_t dy = int64_t{start.Y} - end.Y;
    if (std::llabs(dy) < 10) return static_cast<int32_t>(std::llabs(dx));
    return static_cast<int32_t>(Round(std::sqrt(static_cast<double>(dx * dx + dy * dy))));
}

SelectionRect SelectionFromCorners(ImagePoint a, ImagePoint b) {
    auto u16 = [](int32_t v) { return static_cast<uint16_t>(std::clamp(v, 0, 0xFFFF)); };
    return {u16(std::min(a.X, b.X)), u16(std::max(a.X, b.X)), u16(std::min(a.Y, b.Y)),
            u16(std::max(a.Y, b.Y))};
}

const char* SelectNextClassMethod() {
    ClassMethodIndex =
        ClassMethodIndex >= SeedMethodCount - 1 || ClassMethodIndex < 0 ? 0 : ClassMethodIndex + 1;
    SelectClassBreaks(ClassMethodIndex);
    return ClassMethodNames[ClassMethodIndex];
}
