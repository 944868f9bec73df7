#include "shell/vToolModes.h"

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

int32_t MagnifierHalfSize = 32;
int32_t RotateImageIndex = 1;

void ClearToolModes() {
    bool* const flags[] = {
        &ZoomMode,        &PixelValuesMode,      &PixelBoxDragging, &LineProfileMode,
        &LineProfileDown, &ClassMethodCycleMode, &RGBScreenMode,    &CMYScreenMode,
        &ObjectMarkArmed, &ObjectMarkDragging,   &MeasuredMode,     &MeasureDragging,
        &TrainingArmed,   &TrainingDragging,     &SnakeMode,        &LabelPlaceArmed,
    };
    for (bool* f : flags)
        *f = false;
}
