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
constexpr int MulDiv(int a, int b, int c) {
    const int64_t n = static_cast<int64_t>(a) * b;
    const int64_t num = n < 0 ? -n : n;
    const int64_t den = c < 0 ? -static_cast<int64_t>(c) : c;
    const int64_t q = (2 * num + den) / (2 * den);
    return static_cast<int>((n < 0) != (c < 0) ? -q : q);
}

// MulDiv(a, factor, b) for 0 <= a <= b <= 255 without a division: the rounded quotient
// (2 a factor + b) div 2b taken as a product with a 32-bit reciprocal of 2b. The reciprocals
// table is 1 KB and stays in the first-level cache; the check below proves at compile time that
// every quotient the HSV conversion asks for is MulDiv's.
constexpr std::array<uint64_t, 256> MakeHalfReciprocals() {
    std::array<uint64_t, 256> table{};
    for (uint64_t b = 1; b < 256; ++b)
        table[b] = (uint64_t{1} << 32) / (2 * b) + 1;
    return table;
}
constexpr std::array<uint64_t, 256> HalfReciprocals = MakeHalfReciprocals();

constexpr int RoundedRatio(int a, int factor, int b) {
    const auto x = static_cast<uint64_t>(2 * a * factor + b);
    return static_cast<int>((x * HalfReciprocals[static_cast<size_t>(b)]) >> 32);
}

constexpr bool RoundedRatioIsMulDiv(int factor) {
    for (int b = 1; b < 256; ++b)
        for (int a = 0; a <= b; ++a)
            if (RoundedRatio(a, factor, b) != MulDiv(a, factor, b)) return false;
    return true;
}
static_assert(RoundedRatioIsMulDiv(255) && RoundedRatioIsMulDiv(60));

// The integer HSV conversion written without branches: which channel is the largest is
// unpredictable from pixel to pixel, and a mispredicted branch costs more than the arithmetic.
[[gnu::always_inline]] inline void HSVOf(RGBTriple triple, int& H, int& S, int& V) {
    const int r = triple.Red, g = triple.Green, b = triple.Blue;
    const int v = std::max({r, g, b});
    const int delta = v - std::min({r, g, b});
    // All-ones masks for the channel whose formula applies: red, else green, else blue.
    const int redMax = -static_cast<int>(r == v);
    const int greenMax = -static_cast<int>(g == v) & ~redMax;
    const int blueMax = ~(redMax | greenMax);
    const int n = ((g - b) & redMax) | ((b - r) & greenMax) | ((r - g) & blueMax);
    const int offset = (120 & greenMax) | (240 & blueMax);
    // Reciprocal 0 at index 0 gives a grey's hue step and black's saturation as 0.
    const int step = RoundedRatio(n < 0 ? -n : n, 60, delta);
    int h = (n < 0 ? -step : step) + offset;
    h += h < 0 ? 360 : 0;
    V = v;
    S = RoundedRatio(delta, 255, v);
    H = S == 0 ? 0 : h;
}

[[gnu::always_inline]] inline void HLSOf(RGBTriple triple, int& H, int& L, int& S) {
    float h, l, s;
    RGBToHLS(triple.Red / 255.0f, triple.Green / 255.0f, triple.Blue / 255.0f, h, l, s);
    H = IsNaN(h) ? 0 : static_cast<int>(Round(h));
    // 255 times a float is exact in double, so halves are seen as halves.
    L = static_cast<int>(Round(255.0 * l));
    S = static_cast<int>(Round(255.0 * s));
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
            HSVOf(PixelToRGBTriple(p), h, s, v);
            return hueColor[h];
        });
        break;
    }
    case PlaneSaturationHSV:
        map([](uint32_t p) {
            int h, s, v;
            HSVOf(PixelToRGBTriple(p), h, s, v);
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
            HLSOf(PixelToRGBTriple(p), h, l, s);
            return hueColor[h];
        });
        break;
    }
    case PlaneLightness:
        map([](uint32_t p) {
            int h, l, s;
            HLSOf(PixelToRGBTriple(p), h, l, s);
            return GreyPixel(l);
        });
        break;
    case PlaneSaturationHLS:
        map([](uint32_t p) {
            int h, l, s;
            HLSOf(PixelToRGBTriple(p), h, l, s);
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
    HLSOf(triple, H, L, S);
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
    HSVOf(triple, H, S, V);
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
