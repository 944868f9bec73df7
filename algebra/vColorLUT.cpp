#include "algebra/vColorLUT.h"

#include "histogram/vUHistoCC.h"
#include "runtime/RtMath.h"

#include <cmath>

LUTTable RedLUT = IdentityLUT();
LUTTable GreenLUT = IdentityLUT();
LUTTable BlueLUT = IdentityLUT();
int32_t LUTFunction = lfIdentity;
int32_t ColorPlane = NoColorPlane;
bool PlaneInColor = true;

namespace {

constexpr LUTSlider Balance(const char* hint, const char* label) {
    return {hint, -255, 255, 0, label};
}
constexpr LUTSlider Power(const char* hint, const char* label) {
    return {hint, 1, 500, 200, label};
}

// The colour-space corrections move their bars together and choose a plane.
constexpr uint8_t SpaceShows = lsTogether | lsPlanes;

} // namespace

// clang-format off
const std::array<LUTFunctionRow, 15> LUTFunctions{{
    {lfMinMax, "HCMinMax", "Min Max", {}, {}, lsNone},
    {lfHistogramEQ, "HCHistogramEQ", "Histogram EQ",
     {LUTSlider{"Number of Histogram Classes", 1, 255, 128, "Cls"}}, {128, 0, 0}, lsNone},
    {lfNegative, "HCNegative", "Negative", {}, {}, lsNone},
    {lfGray, "HCGreyScale", "Gray", {}, {}, lsNone},
    {lfStretchLinear, "HCStretchLinear", "Stretch Linear ",
     {LUTSlider{"Stretch Linear Minimum", 0, 255, 0, "Min"},
      LUTSlider{"Stretch Linear Maximum", 0, 255, 255, "Max"}},
     {0, 255, 0}, lsNone},
    {lfSineWave, "HCSineWave", "Sine Wave",
     {Balance("Red Sine", "Red"), Balance("Green Sine", "Grn"), Balance("Blue Sine", "Blue")},
     {0, 0, 0}, lsTogether | lsUp},
    {lfHyperContrast, "HCContrast", "Hyper Contrast",
     {Balance("Red Contrast", "Red"), Balance("Green Contrast", "Grn"),
      Balance("Blue Contrast", "Blue")},
     {0, 0, 0}, lsTogether | lsUp},
    {lfExponent, "HCExponent", "Exponent",
     {Power("Red Exponent", "Red"), Power("Green Exponent", "Grn"), Power("Blue Exponent", "Blue")},
     {200, 200, 200}, lsTogether | lsAdded},
    {lfLog, "HCLog", "Log",
     {Power("Red Log", "Red"), Power("Green Log", "Grn"), Power("Blue Log", "Blue")},
     {200, 200, 200}, lsTogether | lsAdded},
    {lfGamma, "HCGamma", "Gamma",
     {Power("Red Gamma", "Red"), Power("Green Gamma", "Grn"), Power("Blue Gamma", "Blue")},
     {200, 200, 200}, lsTogether | lsAdded},
    {lfRGB, "HCRGB", "RGB",
     {Balance("Red Balance", "Red"), Balance("Green Balance", "Grn"),
      Balance("Blue Balance", "Blue")},
     {10, 0, 0}, SpaceShows},
    {lfHSV, "HCHSV", "HSV",
     {LUTSlider{"Hue", -359, 359, 0, "H"}, Balance("Saturation", "S"), Balance("Value", "V")},
     {10, 0, 0}, SpaceShows},
    {lfHLS, "HCHLS", "HLS",
     {LUTSlider{"Hue Balance", -359, 359, 0, "Hue"}, Balance("Lightness Balance", "Lit"),
      Balance("Saturation Balance", "Sat")},
     {10, 0, 0}, SpaceShows},
    {lfCMYK, "HCCMYK", "CMYK",
     {Balance("Cyan", "Cy"), Balance("Magenta", "Mg"), Balance("Yellow", "Y")}, {10, 0, 0},
     SpaceShows},
    {lfYIQ, "HCYIQ", "YIQ", {Balance("Y", "Y"), Balance("I", "I"), Balance("Q", "Q")}, {10, 0, 0},
     lsTogether},
}};
// clang-format on

const LUTFunctionRow* LUTFunctionOf(int32_t code) {
    for (const LUTFunctionRow& row : LUTFunctions)
        if (row.Code == code) return &row;
    return nullptr;
}

bool LUTFunctionHasSliders(int32_t code) {
    const LUTFunctionRow* row = LUTFunctionOf(code);
    return row && row->Sliders[0].Hint;
}

LUTTable IdentityLUT() {
    LUTTable t;
    for (int i = 0; i < 256; ++i)
        t[i] = i;
    return t;
}

void HistogramEqualise(int32_t classes, const std::array<int32_t, 256>& histogram, int64_t sum,
                       LUTTable& table) {
    const int64_t step = rt::idiv(sum, classes);
    const int32_t last = classes < 256 ? classes : 256;
    for (int32_t k = 0; k < last; ++k) {
        const int64_t target = step * k;
        // 64 bits: a count times its value passes 2^31 on a large picture.
        int64_t acc = 0;
        int32_t j = 1;
        do {
            acc += static_cast<int64_t>(histogram[j]) * j;
            ++j;
        } while (acc < target && j < 256);
        table[k] = j;
    }
    for (int32_t k = last < 0 ? 0 : last; k < 256; ++k)
        table[k] = 255;
}

namespace {

using Tables = std::array<LUTTable*, 3>;

Tables AllTables() {
    return {&RedLUT, &GreenLUT, &BlueLUT};
}

void MinMax() {
    const Tables t = AllTables();
    for (int band = 0; band < 3; ++band) {
        const BandStatistics& s = BandHistogramStats[band];
        for (int i = 0; i < 256; ++i)
            (*t[band])[i] = rt::fdiv(i - s.Min, s.Range) * 256.0;
    }
}

void Equalise(int32_t classes) {
    const Tables t = AllTables();
    for (int band = 0; band < 3; ++band)
        HistogramEqualise(classes, HistogramOf(band), BandHistogramStats[band].Sum, *t[band]);
}

void Negative() {
    for (LUTTable* t : AllTables())
        for (int i = 0; i < 256; ++i)
            (*t)[i] = 255 - i;
}

void Gray() {
    for (int i = 0; i < 256; ++i) {
        RedLUT[i] = 30.0 * i;
        GreenLUT[i] = 59.0 * i;
        BlueLUT[i] = 11.0 * i;
    }
}

// One formula per band with that band's bar position.
template <class F> void PerBand(const LUTControls& c, F formula) {
    const Tables t = AllTables();
    const int32_t p[3] = {c.Red, c.Green, c.Blue};
    for (int band = 0; band < 3; ++band)
        for (int i = 0; i < 256; ++i)
            (*t[band])[i] =
                rt::fcheck(formula(static_cast<double>(i), static_cast<double>(p[band])));
}

void StretchLinear(const LUTControls& c) {
    int32_t d = c.Green - c.Red;
    if (d == 0) d = 1;
    for (int i = 0; i < 256; ++i) {
        const double v = (i - c.Red + 0.01) / d * 256.0;
        RedLUT[i] = GreenLUT[i] = BlueLUT[i] = v;
    }
}

} // namespace

void DoLUT(const LUTControls& c) {
    const double s = c.Up ? 1.0 : -1.0;
    const double added = c.Added ? 1.0 : 0.0;
    switch (LUTFunction) {
    case lfMinMax:
        return MinMax();
    case lfHistogramEQ:
        return Equalise(c.Red);
    case lfNegative:
        return Negative();
    case lfGray:
        return Gray();
    case lfStretchLinear:
        return StretchLinear(c);
    case lfSineWave:
        return PerBand(c,
                       [s](double i, double p) { return std::sin(0.0245 * i - 3.14) * p + s * i; });
    case lfHyperContrast:
        return PerBand(
            c, [s](double i, double p) { return std::sin(0.0245 * i - 3.14) * (s * i) + p; });
    case lfExponent:
        return PerBand(c, [added](double i, double p) {
            // At 0 the power is p^1000, beyond double range for p >= 2, while the product with
            // 0 is 0: evaluating it would make 0 x infinity, NaN.
            if (i == 0.0) return 0.0;
            return i * rt::fexp(rt::fln(p) * 10.0 / (i + 0.01)) + added * i;
        });
    case lfLog:
        return PerBand(c, [added](double i, double p) {
            if (i == 0.0) return (p + 0.01) / 10.0;
            return rt::fpow(i, 100.0 / (i + 0.1)) * p / 10.0 + added * i;
        });
    case lfGamma:
        return PerBand(c, [added](double i, double p) {
            if (i == 0.0) return added != 0.0 ? 1.0 : 10.0;
            const double power = rt::fpow(i, 100.0 / (p + 0.1));
            return added != 0.0 ? power + i : 10.0 * power;
        });
    case lfRGB:
        return PerBand(c, [](double i, double p) { return i + p; });
    case lfHSV:
    case lfHLS:
    case lfCMYK:
    case lfYIQ:
    case lfHandDrawn:
        return;
    default:
        RedLUT = GreenLUT = BlueLUT = IdentityLUT();
    }
}

void DoLUTGraph(int32_t shape) {
    LUTTable t;
    switch (shape) {
    case lfMinMax:
        return MinMax();
    case lfHistogramEQ:
        return Equalise(255);
    case lfNegative:
        return Negative();
    case lfGray:
        return Gray();
    case lfStretchLinear:
        for (int i = 0; i < 256; ++i)
            t[i] = (i + 0.01) / 255.0 * 256.0;
        break;
    case lfSineWave:
        for (int i = 0; i < 256; ++i)
            t[i] = std::sin(0.0245 * i - 3.14) * i + i;
        break;
    case lfHyperContrast:
        for (int i = 0; i < 256; ++i)
            t[i] = std::cos(0.0245 * i - 3.14) * i + i;
        break;
    case lfExponent:
        for (int i = 0; i < 256; ++i)
            t[i] = i + (255 - i) / 10.0;
        break;
    case lfLog:
        t[0] = 0.0;
        for (int i = 1; i < 256; ++i)
            t[i] = i - t[i - 1] / 10.0;
        break;
    case lfGamma:
        t[0] = 0.0;
        for (int i = 1; i < 256; ++i)
            t[i] = 3.0 * std::pow(static_cast<double>(i), 1.0 / (3.0 - i / 100.0));
        break;
    default:
        t = IdentityLUT();
    }
    RedLUT = GreenLUT = BlueLUT = t;
}
