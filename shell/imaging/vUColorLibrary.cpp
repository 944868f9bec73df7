// Integer colour conversions and colour planes. GetImageSpace chooses the plane once and runs a
// loop specialised for it over raw rows; the per-pixel conversions are inlined into that loop.
#include "shell/imaging/vUColorLibrary.h"

#include "runtime/RtMath.h"
#include "runtime/RtNumbers.h"
#include "runtime/RtVector.h"
#include "shell/imaging/vUIEEE754.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <vector>

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

// MulDiv(a, factor, b) for 0 <= a <= b <= 255 (factor 60 or 255) as one single-precision
// division, which vectorises: the rounded quotient is (2 a factor + b) div 2b, both operands are
// exact in single precision, and a quotient that is not whole lies at least 1/510 below the next
// whole number, far more than the division's error, so truncation gives the integer quotient.
// A zero b gives 0. The check below proves it for every pair at compile time.
constexpr int RoundedRatio(int a, int factor, int b) {
    return static_cast<int>(static_cast<float>(2 * a * factor + b) /
                            static_cast<float>(2 * b + (b == 0)));
}

constexpr bool RoundedRatioIsMulDiv(int factor) {
    for (int b = 1; b < 256; ++b)
        for (int a = 0; a <= b; ++a)
            if (RoundedRatio(a, factor, b) != MulDiv(a, factor, b)) return false;
    return RoundedRatio(0, factor, 0) == 0;
}
static_assert(RoundedRatioIsMulDiv(255) && RoundedRatioIsMulDiv(60));

struct HSVInteger {
    int H, S, V;
};

// The integer HSV conversion written without branches, so that loops over pixels vectorise:
// which channel is the largest is unpredictable from pixel to pixel.
[[gnu::always_inline]] inline HSVInteger HSVOf(int r, int g, int b) {
    const int v = std::max(std::max(r, g), b);
    const int delta = v - std::min(std::min(r, g), b);
    // All-ones masks for the channel whose formula applies: red, else green, else blue.
    const int redMax = -static_cast<int>(r == v);
    const int greenMax = -static_cast<int>(g == v) & ~redMax;
    const int blueMax = ~(redMax | greenMax);
    const int n = ((g - b) & redMax) | ((b - r) & greenMax) | ((r - g) & blueMax);
    const int offset = (120 & greenMax) | (240 & blueMax);
    const int step = RoundedRatio(std::abs(n), 60, delta);
    int h = (n < 0 ? -step : step) + offset;
    h += h < 0 ? 360 : 0;
    const int s = RoundedRatio(delta, 255, v);
    return {s == 0 ? 0 : h, s, v};
}

[[gnu::always_inline]] inline HSVInteger HSVOfPixel(uint32_t p) {
    return HSVOf(PixelRed(p), PixelGreen(p), PixelBlue(p));
}

[[gnu::always_inline]] inline void HLSOf(RGBTriple triple, int& H, int& L, int& S) {
    float h, l, s;
    RGBToHLS(triple.Red / 255.0f, triple.Green / 255.0f, triple.Blue / 255.0f, h, l, s);
    H = IsNaN(h) ? 0 : static_cast<int>(Round(h));
    // 255 times a float is exact in double, so halves are seen as halves.
    L = static_cast<int>(Round(255.0 * l));
    S = static_cast<int>(Round(255.0 * s));
}

// Four pixels at a time (runtime/RtVector.h says why).
using Floats = rt::Float4;
using Int32s = rt::Int4;
constexpr int FloatsLanes = rt::LanesOf<Floats>;

// The HLS hue of four pixel words, rounded, 0 for a grey: step for step what RGBToHLS and
// ColorToHLS compute for one pixel, so every lane gives the same integer.
inline Int32s HLSHueOf(Int32s pixels) {
    const Floats r = __builtin_convertvector((pixels >> 16) & 255, Floats) / 255.0f;
    const Floats g = __builtin_convertvector((pixels >> 8) & 255, Floats) / 255.0f;
    const Floats b = __builtin_convertvector(pixels & 255, Floats) / 255.0f;
    const Floats redGreenHigh = r > g ? r : g;
    const Floats high = redGreenHigh > b ? redGreenHigh : b;
    const Floats redGreenLow = r < g ? r : g;
    const Floats low = redGreenLow < b ? redGreenLow : b;
    const Floats delta = high - low;
    // Tested red, green, blue in that order, as HueOfRGB does.
    const Int32s redMax = r == high;
    const Int32s greenMax = (g == high) & ~redMax;
    const Floats difference = redMax ? g - b : (greenMax ? b - r : r - g);
    Floats h = 60.0f * difference / delta;
    h = redMax ? h : (greenMax ? h + 120.0f : h + 240.0f);
    h = h < 0.0f ? h + 360.0f : h;
    // A grey's hue (0 / 0 here) is undefined and counts as 0.
    h = high == low ? 0.0f : h;
    // Halves to even: the whole number nearest to a float below 2^22.
    constexpr float Shift = 0x1.8p23f;
    return __builtin_convertvector((h + Shift) - Shift, Int32s);
}

inline uint32_t GreyPixel(int value) {
    return 0xFF000000u | (static_cast<uint32_t>(value) * 0x010101u);
}

inline uint32_t IntensityPixel(RGBTriple triple) {
    return GreyPixel(ColorIntensity(triple));
}

// Every pixel of source through toPixel into result; inverting flips the three colour bytes.
template <class ToPixel>
[[gnu::always_inline]] inline void MapPlane(const Picture& source, Picture& result, bool invertFlag,
                                            ToPixel toPixel) {
    const uint32_t flip = invertFlag ? 0x00FFFFFFu : 0u;
    const int width = source.Width;
    for (int y = 0; y < source.Height; ++y) {
        const uint32_t* in = source.Row(y);
        uint32_t* out = result.Row(y);
        for (int x = 0; x < width; ++x)
            out[x] = toPixel(in[x]) ^ flip;
    }
}

// The planes whose pixel is looked up in a table: indexOf(in, index, width) fills a row of
// indexes first, in a loop of its own that vectorises, then the lookups follow.
template <class IndexOf, class Table>
[[gnu::always_inline]] inline void MapPlaneByTable(const Picture& source, Picture& result,
                                                   bool invertFlag, IndexOf indexOf,
                                                   const Table& table) {
    const uint32_t flip = invertFlag ? 0x00FFFFFFu : 0u;
    const int width = source.Width;
    // Room for the whole group of lanes that the HLS hue writes at the row's end.
    std::vector<int32_t> index(static_cast<size_t>(width + FloatsLanes));
    for (int y = 0; y < source.Height; ++y) {
        indexOf(source.Row(y), index.data(), width);
        uint32_t* out = result.Row(y);
        for (int x = 0; x < width; ++x)
            out[x] = table[static_cast<size_t>(index[static_cast<size_t>(x)])] ^ flip;
    }
}

// Lightness and HLS saturation depend on the largest and smallest byte alone: all pairs are
// converted once, by the routine that converts single colours, and a pixel looks its pair up.
struct HLSByExtremes {
    std::array<uint32_t, 65536> LightnessPixel;
    std::array<uint32_t, 65536> SaturationPixel;
};

const HLSByExtremes& HLSTables() {
    static HLSByExtremes tables;
    static const bool filled = [] {
        for (int high = 0; high < 256; ++high)
            for (int low = 0; low <= high; ++low) {
                int h, l, s;
                HLSOf(MakeRGBTriple(static_cast<uint8_t>(high), static_cast<uint8_t>(low),
                                    static_cast<uint8_t>(low)),
                      h, l, s);
                const auto pair = static_cast<size_t>(high * 256 + low);
                tables.LightnessPixel[pair] = GreyPixel(l);
                tables.SaturationPixel[pair] = GreyPixel(s);
            }
        return true;
    }();
    (void)filled;
    return tables;
}

// Inlined into a plain and a wide build (runtime/RtVector.h), so that the pixel loops of every
// plane are compiled for both.
[[gnu::always_inline]] inline void FillPlane(int plane, bool colorFlag, bool invertFlag,
                                             const Picture& source, Picture& result) {
    auto map = [&](auto toPixel) { MapPlane(source, result, invertFlag, toPixel); };
    auto intensity = [](uint32_t p) { return IntensityPixel(PixelToRGBTriple(p)); };
    auto extremes = [](const uint32_t* in, int32_t* index, int width) {
        for (int x = 0; x < width; ++x) {
            const int r = PixelRed(in[x]), g = PixelGreen(in[x]), b = PixelBlue(in[x]);
            index[x] = std::max(std::max(r, g), b) * 256 + std::min(std::min(r, g), b);
        }
    };
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
        MapPlaneByTable(
            source, result, invertFlag,
            [](const uint32_t* in, int32_t* index, int width) {
                for (int x = 0; x < width; ++x)
                    index[x] = HSVOfPixel(in[x]).H;
            },
            hueColor);
        break;
    }
    case PlaneSaturationHSV:
        map([](uint32_t p) { return GreyPixel(HSVOfPixel(p).S); });
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
        MapPlaneByTable(
            source, result, invertFlag,
            [](const uint32_t* in, int32_t* index, int width) {
                int x = 0;
                for (; x + FloatsLanes <= width; x += FloatsLanes) {
                    Int32s pixels;
                    std::memcpy(&pixels, in + x, sizeof pixels);
                    const Int32s hue = HLSHueOf(pixels);
                    std::memcpy(index + x, &hue, sizeof hue);
                }
                if (x < width) {
                    // The row's last pixels, and black in the lanes past its end.
                    Int32s pixels{};
                    std::memcpy(&pixels, in + x, sizeof(uint32_t) * static_cast<size_t>(width - x));
                    const Int32s hue = HLSHueOf(pixels);
                    std::memcpy(index + x, &hue, sizeof hue);
                }
            },
            hueColor);
        break;
    }
    case PlaneLightness:
        MapPlaneByTable(source, result, invertFlag, extremes, HLSTables().LightnessPixel);
        break;
    case PlaneSaturationHLS:
        MapPlaneByTable(source, result, invertFlag, extremes, HLSTables().SaturationPixel);
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

RT_WIDE_VECTORS void FillPlaneWide(int plane, bool colorFlag, bool invertFlag,
                                   const Picture& source, Picture& result) {
    FillPlane(plane, colorFlag, invertFlag, source, result);
}

void FillPlanePlain(int plane, bool colorFlag, bool invertFlag, const Picture& source,
                    Picture& result) {
    FillPlane(plane, colorFlag, invertFlag, source, result);
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
    if (rt::WideVectorsAvailable())
        FillPlaneWide(plane, colorFlag, invertFlag, source, result);
    else
        FillPlanePlain(plane, colorFlag, invertFlag, source, result);
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
    const HSVInteger hsv = HSVOf(triple.Red, triple.Green, triple.Blue);
    H = hsv.H;
    S = hsv.S;
    V = hsv.V;
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
