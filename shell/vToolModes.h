// The image tool modes of the main window: the flags that decide what a press, move and release
// on the image do, and the small state that goes with them. All are cleared at every start.
#pragma once

#include <cstdint>

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

// Half the side, in image pixels, of the square the magnifier shows.
extern int32_t MagnifierHalfSize;
// The colour-separation screen shown (1 to 3).
extern int32_t RotateImageIndex;

// Every tool-mode and drag flag above, RegistrationMode excepted.
void ClearToolModes();
