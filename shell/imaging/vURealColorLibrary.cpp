// The conversions back to RGB; like the inline ones they work in float throughout.
#include "shell/imaging/vURealColorLibrary.h"

namespace {

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
