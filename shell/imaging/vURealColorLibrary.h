// Conversions of single colours between RGB and the HLS and HSV models on single-precision
// reals. R, G, B, L, S and V run from 0 to 1; H is in degrees, 0 <= H < 360, and a grey's hue is
// undefined: NaNValue (vUIEEE754.h). Callers that build a grey pass NaNValue as the hue.
#pragma once

#include "runtime/RtErrors.h"
#include "shell/imaging/vUIEEE754.h"

#include <algorithm>

// The colour libraries' error; its text is shown by the error guard as it stands.
class EColorError : public ERunError {
  public:
    using ERunError::ERunError;
};

// Raises EColorError "HLStoRGB:  S = 0 and H has a value" for a grey with a hue; R, G and B are
// then left as they were.
void HLStoRGB(float H, float L, float S, float& R, float& G, float& B);
// Raises EColorError "HSVtoRGB:  S = 0 and H has a value" for a grey with a hue. A hue of 360
// counts as 0; any other hue outside 0..360 gives black.
void HSVtoRGB(float H, float S, float V, float& R, float& G, float& B);

// The two conversions from RGB are inline: the colour planes run them once a pixel. Every
// intermediate is rounded to single precision, so the integer routines built on them round the
// same way on every build.

// The hue of a colour that is not grey, tested red, green, blue in that order so that a maximum
// shared by two channels takes the first one's formula.
inline float HueOfRGB(float R, float G, float B, float high, float delta) {
    float H;
    if (R == high)
        H = 60.0f * (G - B) / delta;
    else if (G == high)
        H = 60.0f * (B - R) / delta + 120.0f;
    else
        H = 60.0f * (R - G) / delta + 240.0f;
    if (H < 0.0f) H += 360.0f;
    return H;
}

inline void RGBToHLS(float R, float G, float B, float& H, float& L, float& S) {
    const float high = std::max({R, G, B});
    const float low = std::min({R, G, B});
    L = (high + low) / 2.0f;
    if (high == low) {
        S = 0.0f;
        H = static_cast<float>(NaNValue);
        return;
    }
    const float delta = high - low;
    if (L <= 0.5f)
        S = delta / (high + low);
    else
        S = delta / (2.0f - high - low);
    H = HueOfRGB(R, G, B, high, delta);
}

inline void RGBToHSV(float R, float G, float B, float& H, float& S, float& V) {
    V = std::max({R, G, B});
    const float delta = V - std::min({R, G, B});
    S = V != 0.0f ? delta / V : 0.0f;
    if (S == 0.0f)
        H = static_cast<float>(NaNValue);
    else
        H = HueOfRGB(R, G, B, V, delta);
}
