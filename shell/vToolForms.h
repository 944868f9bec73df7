// The deferred free of tool windows: a closing window leaves its code in FormToFree and the main
// window's one-shot timer frees that window a second later, so the close handler returns before
// its window object goes. ToolFormExists holds, by code, whether an on-demand window exists.
#pragma once

#include <array>
#include <cstdint>

enum ToolFormCode : int32_t {
    tfNone = 0,
    tfSystemInfo = 2,
    tfInfo = 3,
    tfPrintersize = 4,
    tfHistogram = 5, // long-lived: stored by its close, frees nothing
    tfPixelAlgebra = 7,
    tfFEdit = 8,
    tfClassification = 9,
    tfLabelObjects = 10,
    tfObjectMark = 11,
    tfDisProcess = 13, // long-lived: stored by its close, frees nothing
    tfFFT = 14,
};

constexpr int ToolFormCodeCount = 15;

extern int32_t FormToFree;
extern std::array<bool, ToolFormCodeCount> ToolFormExists;
// The header viewer's own "exists" flag (kept by the import window).
extern bool PBandHdrFormExists;
