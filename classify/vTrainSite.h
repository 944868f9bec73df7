// Training one class from a rectangle dragged over the picture: its box widens to the
// rectangle's colours, its sums become theirs, its count grows by their number and its radius
// to the largest colour distance from its centre.
#pragma once

#include "classify/vTrainingSites.h"
#include "shell/vToolModes.h"

// The class the next drag trains (1..9), set by the Train button.
extern int32_t TrainingClass;

// `box` in picture rows and columns (top row 0), as the main window's drag leaves it, read from
// the shown picture; the working buffers and Undo are left as they were. Nothing happens without
// working buffers or for a class outside 1..9.
void TrainSiteFromRect(SiteTable& sites, int32_t trainingClass, const SelectionRect& box);
