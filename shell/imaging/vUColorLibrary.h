// Integer colour conversions (HSV, HLS, CMY and CMYK on bytes), the names of the colour planes
// and the cutting of a 24-bit picture into one plane. H is in whole degrees; S, V, L, C, M, Y and
// K run from 0 to 255. The HSV routines round halves away from zero, the HLS ones to even.
#pragma once

#include "shell/imaging/vUImageProcessingPrimitives.h"
#include "shell/imaging/vURealColorLibrary.h"
#include "shell/vPicture.h"

#include <cstdint>
#include <string>

// Plane indices of GetImageSpace and GetColorPlaneName.
enum ColorPlane : int {
    PlaneRGBComposite = 0,
    PlaneRed = 1,
    PlaneGreen = 2,
    PlaneBlue = 3,
    PlaneHueHSV = 4,
    PlaneSaturationHSV = 5,
    PlaneValueHSV = 6,
    PlaneHueHLS = 7,
    PlaneLightness = 8,
    PlaneSaturationHLS = 9,
    PlaneCyan = 10,
    PlaneMagenta = 11,
    PlaneYellow = 12,
    PlaneBlack = 13,
    PlaneIntensity = 14,
};

// The plane's name; the four CMYK planes and unknown indices have the empty text.
std::string GetColorPlaneName(int plane);

// A new picture of the source's size and format holding one plane: in colour when colorFlag is
// set (for the RGB planes and the two hue planes), else as grey; inverted when invertFlag is set.
// Other plane indices give black. Raises EColorError
// "GetImageSpace:  Bitmap must be 24-bit color." for a source of another pixel format.
Picture GetImageSpace(int plane, bool colorFlag, bool invertFlag, const Picture& source);

// An undefined hue (grey) is passed on as NaNValue, so every grey converts.
RGBTriple HLSToColor(int H, int L, int S);
// H is 0 for a grey, else 0..360 after rounding.
void ColorToHLS(RGBTriple triple, int& H, int& L, int& S);
// H of 360 counts as 0; a hue outside 0..360 gives black.
RGBTriple HSVToRGBTriple(int H, int S, int V);
// H 0..359 (0 for a grey).
void RGBToHSVInteger(RGBTriple triple, int& H, int& S, int& V);
// A colour value (0x00BBGGRR) through the real conversion: H is 0 for a grey, else rounded.
void ColorToHSV(uint32_t color, int& H, int& S, int& V);
void RGBToCMY(RGBTriple triple, int& C, int& M, int& Y);
void RGBToCMYK(RGBTriple triple, int& C, int& M, int& Y, int& K);
