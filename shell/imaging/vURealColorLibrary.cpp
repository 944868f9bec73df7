// The real conversions work in float throughout: every intermediate is rounded to single
// precision, so the integer routines built on them round the same way on every build.
#include "shell/imaging/vURealColorLibrary.h"

#include "shell/imaging/vUIEEE754.h"

#include <algorithm>

namespace {

// The hue of a colour that is not grey, tested red, green, blue in that order so that a maximum
// shared by two channels takes the first one's formula.
float HueOf(float R, float G, float B, float high, float delta) {
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

float HueToValue(float m1, float m2, float h) {
    if (h > 360.0f)
        h -= 360.0f;
    else if (h < 0.0f)
        h += 360.0f;
    if (h < 60.0f) return m1 + (m2 - m1) * h / 60.0f;
    if (h < 180.0f) return m2;
    if (h < 240.0f) return m1 + (m2 - m1) * (240.0f - h) / 60.0f;
    return m1;
}

} // namespace

void RGBToHLS(float R, float G, float B, float& H, float& L, float& S) {
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
    H = HueOf(R, G, B, high, delta);
}

void RGBToHSV(float R, float G, float B, float& H, float& S, float& V) {
    V = std::max({R, G, B});
    const float delta = V - std::min({R, G, B});
    S = V != 0.0f ? delta / V : 0.0f;
    if (S == 0.0f)
        H = static_cast<float>(NaNValue);
    else
        H = HueOf(R, G, B, V, delta);
}

void HLStoRGB(float H, float L, float S, float& R, float& G, float& B) {
    if (S == 0.0f) {
        if (!IsNaN(H)) throw EColorError("HLStoRGB:  S = 0 and H has a value");
        R = G = B = L;
        return;
    }
    const float m2 = L <= 0.5f ? L * (1.0f + S) : L + S - L * S;
    const float m1 = 2.0f * L - m2;
    R = HueToValue(m1, m2, H + 120.0f);
    G = HueToValue(m1, m2, H);
    B = HueToValue(m1, m2, H - 120.0f);
}

void HSVtoRGB(float H, float S, float V, float& R, float& G, float& B) {
    if (S == 0.0f) {
        if (!IsNaN(H)) throw EColorError("HSVtoRGB:  S = 0 and H has a value");
        R = G = B = V;
        return;
    }
    float h = H == 360.0f ? 0.0f : H;
    h = h / 60.0f;
    // Also false for a NaN hue, which would otherwise reach the integer conversion.
    if (!(h >= 0.0f && h < 6.0f)) {
        R = G = B = 0.0f;
        return;
    }
    const int i = static_cast<int>(h);
    const float f = h - static_cast<float>(i);
    const float p = V * (1.0f - S);
    const float q = V * (1.0f - S * f);
    const float t = V * (1.0f - S * (1.0f - f));
    switch (i) {
    case 0:
        R = V, G = t, B = p;
        break;
    case 1:
        R = q, G = V, B = p;
        break;
    case 2:
        R = p, G = V, B = t;
        break;
    case 3:
        R = p, G = q, B = V;
        break;
    case 4:
        R = t, G = p, B = V;
        break;
    default:
        R = V, G = p, B = q;
        break;
    }
}
