// The pixel mapping of the colour look-up tables and colour-space corrections, and its two runs:
// the preview, which maps a private copy of the displayed picture and leaves the working image
// and its undo copy alone, and the apply, an image operation from the undo copy into the work
// buffer. Both put every value through the range mapping of the processing options (auto range,
// below zero, 0..1..255, clip); absolute values, set absolute and set threshold do not apply.
#pragma once

#include "algebra/vColorLUT.h"
#include "shell/vPicture.h"

#include <array>
#include <cstdint>

// Everything one run maps with, fixed at its start: the function, the plane, the bar positions
// and copies of the three tables.
struct LUTMapping {
    int32_t Function = lfIdentity;
    int32_t Plane = 0; // within the function's planes, from 0; out of range counts as 0
    bool InColor = true;
    std::array<int32_t, 3> Bars{}; // red, green, blue bar positions
    std::array<LUTTable, 3> Tables;
    // The bar positions taken as a colour in the function's space (HSV and HLS).
    float H2 = 0.0f, A2 = 0.0f, B2 = 0.0f;
};

// The mapping of the current state: LUTFunction, ColorPlane, PlaneInColor, the tables, and the
// bar positions passed in.
LUTMapping CurrentLUTMapping(int32_t redBar, int32_t greenBar, int32_t blueBar);

// Which value fixes the colour-space conversions take: the preview wraps before it clamps.
enum class LUTRun : uint8_t { Preview, Apply };

// The three values (red, green, blue) of one pixel before the range mapping.
void MapLUTPixel(const LUTMapping& m, LUTRun run, int R, int G, int B, double X[3]);

// Called after each row with the percentage done (the page's gauge).
using LUTProgress = void (*)(void* context, int32_t percent);

// The preview: maps a copy of the displayed picture into `preview`. False, with `preview`
// untouched, when there is no picture, or with message 39977 when the copy cannot be had. A
// run-time error (a zero auto range) ends it with `preview` untouched.
bool MakeLUTPreview(const LUTMapping& m, Picture& preview, LUTProgress progress = nullptr,
                    void* context = nullptr);
// The apply: copies the picture into the working buffers, maps the undo copy into the work
// buffer and shows it; nothing when the buffers are not ready.
void ApplyLUTImage(const LUTMapping& m, LUTProgress progress = nullptr, void* context = nullptr);
