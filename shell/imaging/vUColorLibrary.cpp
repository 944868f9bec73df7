// Integer colour conversions and colour planes. GetImageSpace chooses the plane once and runs a
// loop specialised for it over raw rows; the per-pixel conversions are inlined into that loop.
#include "shell/imaging/vUColorLibrary.h"

#include "runtime/RtMath.h"
#include "runtime/RtNumbers.h"
#include "shell/imaging/vUIEEE754.h"

#include <algorithm>
#include <array>

namespace {

const std::array<const char*, 15> PlaneNames = {"RGB Composite",
                                                "Red",
                                                "Green",
                                                "Blue",
                                                "Hue (HSV)",
                                                "Saturation (HSV)",
                                                "Value (HSV)",
                                                "Hue (HLS)",
                                                "Lightness",
                                                "Saturation (HLS)",
                                                "",
                                                "",
                                                "",
                                                "",
                                                "Intensity"};

// a * b / c in 64 bits, rounded to nearest with halves away from zero.
inline int MulDiv(int a, int b, int c) {
    const int64_t n = static_cast<int64_t>(a) * b;
    const int64_t num = n < 0 ? -n : n;
    const int64_t den = c < 0 ? -static_cast<int64_t>(c) : c;
    const int64_t q = (2 * num + den) / (2 * den);
    return static_cast<int>((n < 0) != (c < 0) ? -q : q);
}

inline uint32_t GreyPixel(int value) {
    return 0xFF000000u | (static_cast<uint32_t>(value) * 0x010101u);
}

inline uint32_t IntensityPixel(RGBTriple triple) {
    return GreyPixel(ColorIntensity(triple));
}

// Every pixel of source through toPixel into result; inverting flips the three colour bytes.
template <class ToPixel>
void MapPlane(const Picture& source, Picture& result, bool invertFlag, ToPixel toPixel) {
    const uint32_t flip = invertFlag ? 0x00FFFFFFu : 0u;
    const int width = source.Width;
    for (int y = 0; y < source.Height; ++y) {
        const uint32_t* in = source.Row(y);
        uint32_t* out = result.Row(y);
        for (int x = 0; x < width; ++x)
            out[x] = toPixel(in[x]) ^ flip;
    }
}

void FillPlane(int plane, bool colorFlag, bool invertFlag, const Picture& source, Picture& result) {
    auto map = [&](auto toPixel) { MapPlane(source, result, invertFlag, toPixel); };
    auto intensity = [](uint32_t p) { return IntensityPixel(PixelToRGBTriple(p)); };
    switch (plane) {
    case PlaneRGBComposite:
        if (colorFlag)
            map([](uint32_t p) { return p | 0xFF000000u; });
        else
            map(intensity);
        break;
    case PlaneRed:
        if (colorFlag)
            map([](uint32_t p) { return (p & 0x00FF0000u) | 0xFF000000u; });
        else
            map([](uint32_t p) { return GreyPixel(PixelRed(p)); });
        break;
    case PlaneGreen:
        if (colorFlag)
            map([](uint32_t p) { return (p & 0x0000FF00u) | 0xFF000000u; });
        else
            map([](uint32_t p) { return GreyPixel(PixelGreen(p)); });
        break;
    case PlaneBlue:
        if (colorFlag)
            map([](uint32_t p) { return (p & 0x000000FFu) | 0xFF000000u; });
        else
            map([](uint32_t p) { return GreyPixel(PixelBlue(p)); });
        break;
    case PlaneHueHSV: {
        // The hue colour depends on the hue alone: 360 pixels made once per call.
        std::array<uint32_t, 360> hueColor{};
        for (int h = 0; h < 360; ++h) {
            const RGBTriple c = HSVToRGBTriple(h, 255, 255);
            hueColor[h] = colorFlag ? RGBTripleToPixel(c) : IntensityPixel(c);
        }
        map([&hueColor](uint32_t p) {
            int h, s, v;
            RGBToHSVInteger(PixelToRGBTriple(p), h, s, v);
            return hueColor[h];
        });
        break;
    }
    case PlaneSaturationHSV:
        map([](uint32_t p) {
            int h, s, v;
            RGBToHSVInteger(PixelToRGBTriple(p), h, s, v);
            return GreyPixel(s);
        });
        break;
    case PlaneValueHSV:
        map([](uint32_t p) {
            return GreyPixel(std::max({PixelRed(p), PixelGreen(p), PixelBlue(p)}));
        });
        break;
    case PlaneHueHLS: {
        std::array<uint32_t, 361> hueColor{};
        for (int h = 0; h <= 360; ++h) {
            const RGBTriple c = HLSToColor(h, 128, 255);
            hueColor[h] = colorFlag ? RGBTripleToPixel(c) : IntensityPixel(c);
        }
        map([&hueColor](uint32_t p) {
            int h, l, s;
            ColorToHLS(PixelToRGBTriple(p), h, l, s);
            return hueColor[h];
        });
        break;
    }
    case PlaneLightness:
        map([](uint32_t p) {
            int h, l, s;
            ColorToHLS(PixelToRGBTriple(p), h, l, s);
            return GreyPixel(l);
        });
        break;
    case PlaneSaturationHLS:
        map([](uint32_t p) {
            int h, l, s;
            ColorToHLS(PixelToRGBTriple(p), h, l, s);
            return GreyPixel(s);
        });
        break;
    case PlaneCyan:
    case PlaneMagenta:
    case PlaneYellow:
    case PlaneBlack: {
        const int component = plane - PlaneCyan;
        map([component](uint32_t p) {
            int cmyk[4];
            RGBToCMYK(PixelToRGBTriple(p), cmyk[0], cmyk[1], cmyk[2], cmyk[3]);
            return GreyPixel(cmyk[component]);
        });
        break;
    }
    case PlaneIntensity:
        map(intensity);
        break;
    default:
        map([](uint32_t) { return 0xFF000000u; });
        break;
    }
}

} // namespace

std::string GetColorPlaneName(int plane) {
    if (plane < 0 || plane >= static_cast<int>(PlaneNames.size())) return {};
    return PlaneNames[static_cast<size_t>(plane)];
}

Picture GetImageSpace(int plane, bool colorFlag, bool invertFlag, const Picture& source) {
    if (source.FormatBits != 24) throw EColorError("GetImageSpace:  Bitmap must be 24-bit color.");
    Picture result;
    result.FormatBits = source.FormatBits;
    if (source.Empty()) {
        result.Width = source.Width;
        result.Height = source.Height;
        return result;
    }
    result.Resize(source.Width, source.Height);
    FillPlane(plane, colorFlag, invertFlag, source, result);
    return result;
}

RGBTriple HLSToColor(int H, int L, int S) {
    // An integer hue is never NaN, so a grey must be handed on as undefined explicitly; passing
    // H would make HLStoRGB refuse every grey.
    const float hue = S == 0 ? static_cast<float>(NaNValue) : static_cast<float>(H);
    float r, g, b;
    HLStoRGB(hue, static_cast<float>(L) / 255.0f, static_cast<float>(S) / 255.0f, r, g, b);
    // 255 times a float is exact in double, so halves are seen as halves.
    return MakeRGBTriple(rt::ClampRoundByte(255.0 * r), rt::ClampRoundByte(255.0 * g),
                         rt::ClampRoundByte(255.0 * b));
}

void ColorToHLS(RGBTriple triple, int& H, int& L, int& S) {
    float h, l, s;
    RGBToHLS(triple.Red / 255.0f, triple.Green / 255.0f, triple.Blue / 255.0f, h, l, s);
    H = IsNaN(h) ? 0 : static_cast<int>(Round(h));
    L = static_cast<int>(Round(255.0 * l));
    S = static_cast<int>(Round(255.0 * s));
}

void ColorToHSV(uint32_t color, int& H, int& S, int& V) {
    const RGBTriple triple = ColorToRGBTriple(color);
    float h, s, v;
    RGBToHSV(triple.Red / 255.0f, triple.Green / 255.0f, triple.Blue / 255.0f, h, s, v);
    H = IsNaN(h) ? 0 : static_cast<int>(Round(h));
    S = static_cast<int>(Round(255.0 * s));
    V = static_cast<int>(Round(255.0 * v));
}

RGBTriple HSVToRGBTriple(int H, int S, int V) {
    if (S == 0) {
        const auto v = static_cast<uint8_t>(V);
        return MakeRGBTriple(v, v, v);
    }
    const int h = H == 360 ? 0 : H;
    // A negative hue would give sector 0 with a negative fraction and bytes out of range.
    if (h < 0 || h >= 360) return {};
    const int f = h % 60;
    const auto p = static_cast<uint8_t>(V - (V * S) / 255);
    const auto q = static_cast<uint8_t>(V - (V * S * f) / 15300);
    const auto t = static_cast<uint8_t>(V - (V * S * (60 - f)) / 15300);
    const auto v = static_cast<uint8_t>(V);
    switch (h / 60) {
    case 0:
        return MakeRGBTriple(v, t, p);
    case 1:
        return MakeRGBTriple(q, v, p);
    case 2:
        return MakeRGBTriple(p, v, t);
    case 3:
        return MakeRGBTriple(p, q, v);
    case 4:
        return MakeRGBTriple(t, p, v);
    default:
        return MakeRGBTriple(v, p, q);
    }
}

void RGBToHSVInteger(RGBTriple triple, int& H, int& S, int& V) {
    const int r = triple.Red, g = triple.Green, b = triple.Blue;
    V = std::max({r, g, b});
    const int delta = V - std::min({r, g, b});
    S = V != 0 ? MulDiv(delta, 255, V) : 0;
    if (S == 0) {
        H = 0;
        return;
    }
    if (r == V)
        H = MulDiv(g - b, 60, delta);
    else if (g == V)
        H = MulDiv(b - r, 60, delta) + 120;
    else
        H = MulDiv(r - g, 60, delta) + 240;
    if (H < 0) H += 360;
}

void RGBToCMY(RGBTriple triple, int& C, int& M, int& Y) {
    C = 255 - triple.Red;
    M = 255 - triple.Green;
    Y = 255 - triple.Blue;
}

void RGBToCMYK(RGBTriple triple, int& C, int& M, int& Y, int& K) {
    RGBToCMY(triple, C, M, Y);
    K = std::min({C, M, Y});
    C -= K;
    M -= K;
    Y -= K;
}
