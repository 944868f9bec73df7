// The plane is chosen once per call; the pixel loop then runs one inlined conversion over raw
// rows.
#include "histogram/vUHistogramLibrary.h"

#include "runtime/RtNumbers.h"

#include <algorithm>

namespace {

constexpr int HueDegrees = 360;

// Calls f(value) for every pixel's plane value, the plane chosen before the loop.
template <class F> void ForEachPlaneValue(const Picture& bitmap, int plane, F f) {
    auto run = [&](auto valueOf) {
        for (int y = 0; y < bitmap.Height; ++y) {
            const uint32_t* row = bitmap.Row(y);
            for (int x = 0; x < bitmap.Width; ++x)
                f(valueOf(row[x]));
        }
    };
    switch (plane) {
    case PlaneRed:
        run([](uint32_t p) { return int{PixelRed(p)}; });
        break;
    case PlaneGreen:
        run([](uint32_t p) { return int{PixelGreen(p)}; });
        break;
    case PlaneBlue:
        run([](uint32_t p) { return int{PixelBlue(p)}; });
        break;
    case PlaneRGBComposite:
    case PlaneIntensity:
        run([](uint32_t p) { return ColorIntensity(PixelToRGBTriple(p)); });
        break;
    case PlaneLightness:
        run([](uint32_t p) { return ColorLightness(PixelToRGBTriple(p)); });
        break;
    case PlaneLuminance:
        run([](uint32_t p) { return ColorLuminance(PixelToRGBTriple(p)); });
        break;
    default:
        run([plane](uint32_t p) { return PlaneValue(plane, p); });
        break;
    }
}

void RequireTrueColor(const Picture& bitmap, const char* text) {
    if (bitmap.FormatBits != 24) throw EHistogramError(text);
}

const std::array<uint8_t, HueDegrees + 1>& HueBins() {
    static const std::array<uint8_t, HueDegrees + 1> bins = [] {
        std::array<uint8_t, HueDegrees + 1> b{};
        for (int h = 0; h <= HueDegrees; ++h)
            b[static_cast<size_t>(h)] = static_cast<uint8_t>(Round(h * 255.0 / HueDegrees));
        return b;
    }();
    return bins;
}

} // namespace

int PlaneValue(int plane, uint32_t pixel) {
    const RGBTriple c = PixelToRGBTriple(pixel);
    int a = 0, b = 0, d = 0;
    switch (plane) {
    case PlaneRGBComposite:
    case PlaneIntensity:
        return ColorIntensity(c);
    case PlaneRed:
        return c.Red;
    case PlaneGreen:
        return c.Green;
    case PlaneBlue:
        return c.Blue;
    case PlaneHueHSV:
    case PlaneSaturationHSV:
    case PlaneValueHSV:
        RGBToHSVInteger(c, a, b, d);
        return plane == PlaneHueHSV ? a : (plane == PlaneSaturationHSV ? b : d);
    case PlaneHueHLS:
    case PlaneSaturationHLS:
        ColorToHLS(c, a, b, d);
        return plane == PlaneHueHLS ? a : d;
    case PlaneLightness:
        return ColorLightness(c);
    case PlaneCyan:
    case PlaneMagenta:
    case PlaneYellow:
    case PlaneBlack: {
        int cmyk[4];
        RGBToCMYK(c, cmyk[0], cmyk[1], cmyk[2], cmyk[3]);
        return cmyk[plane - PlaneCyan];
    }
    case PlaneLuminance:
        return ColorLuminance(c);
    default:
        return 0;
    }
}

uint8_t PlaneBin(int plane, int value) {
    if (plane == PlaneHueHSV || plane == PlaneHueHLS)
        return HueBins()[static_cast<size_t>(std::clamp(value, 0, HueDegrees))];
    return static_cast<uint8_t>(std::clamp(value, 0, 255));
}

int HueOfBin(int bin) {
    return static_cast<int>(Round(bin * double{HueDegrees} / 255.0));
}

void GetHistogram(const Picture& bitmap, int plane, THistogram& histogram) {
    RequireTrueColor(bitmap, "GetHistogram:  Bitmap must be 24-bit.");
    histogram.Clear();
    if (plane == PlaneHueHSV || plane == PlaneHueHLS) {
        const auto& bins = HueBins();
        ForEachPlaneValue(bitmap, plane, [&](int v) {
            histogram.Increment(bins[static_cast<size_t>(std::clamp(v, 0, HueDegrees))]);
        });
        return;
    }
    ForEachPlaneValue(bitmap, plane, [&](int v) { histogram.Increment(static_cast<uint8_t>(v)); });
}

TDescriptiveStatistics GetBitmapStatistics(const Picture& bitmap, int plane) {
    RequireTrueColor(bitmap, "GetBitmapStatistics:  Bitmap must be 24-bit color.");
    TDescriptiveStatistics statistics;
    ForEachPlaneValue(bitmap, plane, [&](int v) { statistics.NextValue(v); });
    return statistics;
}

uint32_t HistogramBarColor(int plane, int value) {
    const auto v = static_cast<uint32_t>(std::clamp(value, 0, 255));
    switch (plane) {
    case PlaneRed:
        return v;
    case PlaneGreen:
        return v << 8;
    case PlaneBlue:
        return v << 16;
    case PlaneHueHSV:
        return SwapColorRedBlue(HSVToRGBTriple(HueOfBin(value), 255, 255));
    case PlaneHueHLS:
        return SwapColorRedBlue(HLSToColor(HueOfBin(value), 128, 255));
    case PlaneSaturationHSV:
    case PlaneSaturationHLS:
        return 0;
    case PlaneBlack:
        return (255 - v) * 0x010101u;
    default:
        return v * 0x010101u;
    }
}
