// The colour look-up tables of the "Color Contortions" page: three tables of reals (entry i is
// the new value of channel value i), the functions that fill them from the three track bars or
// the band statistics, and the plane choice of the colour-space corrections. The tables outlive
// any one function: hand-drawn tables and loaded files are kept in them too.
#pragma once

#include "shell/imaging/vURealColorLibrary.h"

#include <array>
#include <cmath>
#include <cstdint>

using LUTTable = std::array<double, 256>;

extern LUTTable RedLUT;
extern LUTTable GreenLUT;
extern LUTTable BlueLUT;

// The active function, by code (see LUTFunctions).
enum LUTFunctionCode : int32_t {
    lfIdentity = 0,
    lfMinMax = 1,
    lfHistogramEQ = 2,
    lfNegative = 3,
    lfGray = 4,
    lfStretchLinear = 5,
    lfSineWave = 6,
    lfHyperContrast = 7,
    lfExponent = 8,
    lfLog = 9,
    lfGamma = 10,
    lfRGB = 11,
    lfHSV = 12,
    lfHLS = 13,
    lfCMYK = 14,
    lfYIQ = 15,
    lfHandDrawn = 16,
};
extern int32_t LUTFunction;

// The plane of the colour-space corrections: 0 RGB composite, 1..3 red, green, blue (RGB);
// 4..6 hue, saturation, value (HSV); 7..9 hue, lightness, saturation (HLS); 10..13 cyan,
// magenta, yellow, black (CMYK); 14 none.
extern int32_t ColorPlane;
constexpr int32_t NoColorPlane = 14;
// Clear: the RGB planes are shown grey, the hue planes take the mean of their components.
extern bool PlaneInColor;

// One track bar as a function sets it up.
struct LUTSlider {
    const char* Hint = nullptr; // nullptr: the bar is not used
    int32_t Min = 0;
    int32_t Max = 0;
    int32_t Start = 0;
    const char* Label = "";
};

// The parts of the slider row a function shows besides its bars.
enum LUTShows : uint8_t {
    lsNone = 0,
    lsTogether = 1, // "Move All Together"
    lsUp = 2,       // "Up"
    lsAdded = 4,    // "Added"
    lsPlanes = 8,   // the plane group and "Mono"
};

// A row of the function table: the button, the three bars (red, green, blue), the positions the
// function counts as last processed, and what else of the slider row it shows.
struct LUTFunctionRow {
    int32_t Code;
    const char* Button;  // object name of the button
    const char* Caption; // its caption
    std::array<LUTSlider, 3> Sliders;
    std::array<int32_t, 3> LastSliders;
    uint8_t Shows;
    bool Has(LUTShows part) const { return (Shows & part) != 0; }
};

// The functions with a button, in code order (codes 1 to 15).
extern const std::array<LUTFunctionRow, 15> LUTFunctions;
// The row of a code, nullptr for a code without a button (0, 16 and others).
const LUTFunctionRow* LUTFunctionOf(int32_t code);
// Whether a function waits for its bars rather than previewing at once.
bool LUTFunctionHasSliders(int32_t code);

// The controls a table function reads: the three bar positions, "Up" and "Added".
struct LUTControls {
    int32_t Red = 0;
    int32_t Green = 0;
    int32_t Blue = 0;
    bool Up = true;
    bool Added = false;
};

// Fills the three tables for LUTFunction. The colour-space functions and the hand-drawn tables
// (12 to 16) keep them; 0 and codes above 16 make them the identity. "Min Max" divides by the
// band's range, which fails with the run time's error for a picture of one value in a band.
void DoLUT(const LUTControls& controls);
// Fills the three tables with one of the graph editor's function shapes (0..10; others give the
// identity).
void DoLUTGraph(int32_t shape);

// Histogram equalisation of one band into `classes` entries; the entries from `classes` up are
// 255. The search for an entry stops at the histogram's end, so a target beyond the counted sum
// gives 256 rather than reading past it.
void HistogramEqualise(int32_t classes, const std::array<int32_t, 256>& histogram, int64_t sum,
                       LUTTable& table);

// The corrections' own conversions: like the colour library's, but a grey has hue 0. Inline: the
// colour-space corrections run one a pixel.
inline void MyRGBToHSV(float R, float G, float B, float& H, float& S, float& V) {
    RGBToHSV(R, G, B, H, S, V);
    if (std::isnan(H)) H = 0.0f;
}
inline void MyRGBToHLS(float R, float G, float B, float& H, float& L, float& S) {
    RGBToHLS(R, G, B, H, L, S);
    if (std::isnan(H)) H = 0.0f;
}

// The identity table, entry i = i.
LUTTable IdentityLUT();
