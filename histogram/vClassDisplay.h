// The class display: one seed-method row per band cuts every band into nine classes, and the
// working image is recoloured by the class of each pixel in the class colours of the options.
// Also the display toggles that choose which bands decide, and the class colour mapping every
// class display of this subsystem paints with.
#pragma once

#include "histogram/vHistogramTypes.h"

#include <array>
#include <cstdint>

constexpr int ClassCount = 9;

// The colour value (0x00BBGGRR) of class k: classes 7 and 8 swap their colours; a class past 9
// takes class 9's.
uint32_t ClassColorOf(int k);
// The colour of a pixel that fits no class in "BGR" mode.
uint32_t DefaultClassColor();

// The class of value v under the breaks of a row (elements 1..8): the first of "v <= T1",
// "T(k-1) < v <= Tk" for k = 2..8 and "v > T8" that holds.
int ClassOfValue(const SeedBreakRow& row, int v);
// The class of each value 0..255 as a histogram is coloured: the class starts at 1 and moves on
// by one at each value above the current class's break (past class 9 it stays at 10).
std::array<uint8_t, 256> SteppedClasses(const SeedBreakRow& row);

// Items of the display-toggle group.
enum ClassToggleItem {
    ToggleItemBlue = 0,
    ToggleItemGreen = 1,
    ToggleItemRed = 2,
    ToggleItemBGR = 3
};
constexpr int ClassToggleItemCount = 4;
// Clears the four toggles and sets the one of the item; an item outside 0..3 sets none.
void SelectClassToggle(int item);
// The item of the toggle that is set (BGR first, then red, green, blue); `current` when none.
int ClassToggleItemOf(int current);

// Row `method` of each band's seed-break table into CurrentClassBreaks.
void SelectClassBreaks(int method);

// Recolours every pixel of the undo copy by its class under CurrentClassBreaks into the work
// buffer (the caller has copied the picture for processing); the toggles decide red, green,
// blue or all three bands, in that order. No toggle set: message 39 and nothing else. In the
// class-method cycle it also shows the result. `method` is the row shown, for the caller only.
void ShowClassesDisplay(int32_t method);
