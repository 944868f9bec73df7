// Conversions of single colours between RGB and the HLS and HSV models on single-precision
// reals. R, G, B, L, S and V run from 0 to 1; H is in degrees, 0 <= H < 360, and a grey's hue is
// undefined: NaNValue (vUIEEE754.h). Callers that build a grey pass NaNValue as the hue.
#pragma once

#include "runtime/RtErrors.h"

// The colour libraries' error; its text is shown by the error guard as it stands.
class EColorError : public ERunError {
  public:
    using ERunError::ERunError;
};

// Raises EColorError "HLStoRGB:  S = 0 and H has a value" for a grey with a hue; R, G and B are
// then left as they were.
void HLStoRGB(float H, float L, float S, float& R, float& G, float& B);
void RGBToHLS(float R, float G, float B, float& H, float& L, float& S);
// Raises EColorError "HSVtoRGB:  S = 0 and H has a value" for a grey with a hue. A hue of 360
// counts as 0; any other hue outside 0..360 gives black.
void HSVtoRGB(float H, float S, float V, float& R, float& G, float& B);
void RGBToHSV(float R, float G, float B, float& H, float& S, float& V);
