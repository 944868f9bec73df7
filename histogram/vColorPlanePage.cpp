#include "histogram/vColorPlanePage.h"

#include "runtime/RtNumbers.h"
#include "shell/imaging/vUColorLibrary.h"
#include "shell/imaging/vURealColorLibrary.h"

#include <algorithm>

namespace {

std::string Fixed(double v, int decimals) {
    return FormatFixed(v, 0, decimals);
}

// The real HSV or HLS of a pixel as "[H, S, V] = [%.0f, %.0f, %.0f] = [ %.1f,  %.3f,  %.3f]".
std::string HueReadout(const char* names, float h, float a, float b) {
    return std::string(names) + " = [" + Fixed(255.0 * h / 360.0, 0) + ", " + Fixed(255.0 * a, 0) +
           ", " + Fixed(255.0 * b, 0) + "] = [ " + Fixed(h, 1) + ",  " + Fixed(a, 3) + ",  " +
           Fixed(b, 3) + "]";
}

int64_t Scaled(int64_t value, int64_t numerator, int64_t denominator) {
    return denominator == 0 ? 0 : value * numerator / denominator;
}

} // namespace

const std::vector<const char*>& ColorPlaneItems(int space) {
    static const std::vector<const char*> items[4] = {
        {"RGB Composite", "Red", "Green", "Blue"},
        {"Hue", "Saturation", "Value"},
        {"Hue", "Lightness", "Saturation"},
        {"Cyan", "Magenta", "Yellow", "blacK"},
    };
    return items[std::clamp(space, 0, 3)];
}

int ColorPlaneIndexOf(int space, int item) {
    static constexpr int first[4] = {PlaneRGBComposite, PlaneHueHSV, PlaneHueHLS, PlaneCyan};
    const int s = std::clamp(space, 0, 3);
    const int last = static_cast<int>(ColorPlaneItems(s).size()) - 1;
    return first[s] + std::clamp(item, 0, last);
}

bool MonochromeBoxApplies(int plane) {
    return (plane >= PlaneRGBComposite && plane <= PlaneHueHSV) || plane == PlaneHueHLS;
}

ColorReadouts ReadoutsOf(int x, int y, RGBTriple pixel) {
    const int r = pixel.Red, g = pixel.Green, b = pixel.Blue;
    const float rf = r / 255.0f, gf = g / 255.0f, bf = b / 255.0f;
    ColorReadouts out;
    out.Location = "[I, J] = [" + IntToStr(x) + ", " + IntToStr(y) + "]";
    out.RGB = "[R, G, B] = [" + IntToStr(r) + ", " + IntToStr(g) + ", " + IntToStr(b) + "] = [" +
              Fixed(rf, 3) + ",  " + Fixed(gf, 3) + ",  " + Fixed(bf, 3) + "]";
    float h, s, v, l;
    RGBToHSV(rf, gf, bf, h, s, v);
    out.HSV = HueReadout("[H, S, V]", h, s, v);
    RGBToHLS(rf, gf, bf, h, l, s);
    out.HLS = HueReadout("[H, L, S]", h, l, s);
    int c, m, ye, k;
    RGBToCMYK(pixel, c, m, ye, k);
    out.CMYK = "[C, M, Y, K] = [" + IntToStr(c) + ", " + IntToStr(m) + ", " + IntToStr(ye) + ", " +
               IntToStr(k) + "]";
    const int intensity = ColorIntensity(pixel), lightness = ColorLightness(pixel);
    out.Intensity = "Intensity = " + IntToStr(intensity) + " = " + Fixed(intensity / 255.0, 3);
    out.Lightness = "Lightness = " + IntToStr(lightness) + " = " + Fixed(lightness / 255.0, 3);
    const double R = r / 255.0, G = g / 255.0, B = b / 255.0;
    out.YIQ = "[Y, I, Q] = [" + Fixed(0.299 * R + 0.587 * G + 0.114 * B, 3) + ",  " +
              Fixed(0.596 * R - 0.275 * G - 0.321 * B, 3) + ",  " +
              Fixed(0.212 * R - 0.523 * G + 0.311 * B, 3) + "]";
    return out;
}

PageRect BigPictureRect(int pageWidth, int pageHeight, int textHeight, int pictureWidth,
                        int pictureHeight) {
    PageRect r;
    r.Left = pageWidth * 12 / 100;
    int width = pageWidth * 80 / 100;
    r.Top = 5 * textHeight;
    int height = static_cast<int>(Scaled(width, pictureHeight, pictureWidth));
    if (pageHeight < 10 * textHeight + height) {
        height = pageHeight - 10 * textHeight;
        width = static_cast<int>(Scaled(height, pictureWidth, pictureHeight));
        r.Left = (pageWidth - width) / 2;
    }
    r.Right = r.Left + width;
    r.Bottom = r.Top + height;
    return r;
}

PageRect SmallPictureRect(int pageWidth, int textHeight, int pictureWidth, int pictureHeight) {
    PageRect r;
    r.Left = pageWidth * 30 / 100;
    r.Top = 5 * textHeight;
    r.Right = r.Left + pageWidth * 40 / 100;
    r.Bottom = r.Top + static_cast<int>(Scaled(r.Right - r.Left, pictureHeight, pictureWidth));
    return r;
}

std::array<PageRect, 9> SheetPanels(int pageWidth, int textHeight) {
    const int width = pageWidth / 4, height = width * 3 / 4;
    const int gap = (pageWidth - 3 * width) / 4;
    std::array<PageRect, 9> panels;
    for (int i = 0; i < 9; ++i) {
        PageRect& p = panels[static_cast<size_t>(i)];
        p.Left = gap + (i % 3) * (width + gap);
        p.Top = 4 * textHeight + (i / 3) * (height + textHeight / 2);
        p.Right = p.Left + width;
        p.Bottom = p.Top + height;
    }
    return panels;
}

std::string PanelStatisticsText(double min, double max, double mean, double deviation) {
    return "Min=" + Fixed(min, 0) + "  Max=" + Fixed(max, 0) + "  Mean=" + Fixed(mean, 1) +
           "  S.D.=" + Fixed(deviation, 1);
}
