// Line-profile samples and their table.
#include "histogram/vProfileTable.h"

#include "runtime/RtNumbers.h"
#include "shell/vGlobalImage.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr const char* Header =
    " #      X     Y      R   slope  G   slope  B   slope  I     H   S   V";
constexpr const char* Rule =
    "---   ----- -----   --- ------ --- ------ --- ------ ---   --- --- ---";

// The smoothed slope at sample i: the mean of the five values from i - 2 less the mean of the
// five from i - 3.
double Slope(const std::vector<ProfileSample>& s, size_t i, int32_t ProfileSample::*c) {
    double ahead = 0.0, behind = 0.0;
    for (size_t k = i - 2; k <= i + 2; ++k)
        ahead += s[k].*c;
    for (size_t k = i - 3; k <= i + 1; ++k)
        behind += s[k].*c;
    return ahead / 5.0 - behind / 5.0;
}

} // namespace

void RGBToHSVBytes(int32_t& h, int32_t& s, int32_t& v, int32_t r, int32_t g, int32_t b) {
    v = std::max(r, std::max(g, b));
    const int32_t delta = v - std::min(r, std::min(g, b));
    s = v == 0 ? 0 : delta * 255 / v;
    if (s == 0) {
        h = 0;
        return;
    }
    if (r == v)
        h = (g - b) * 60 / delta;
    else if (g == v)
        h = (b - r) * 60 / delta + 120;
    else
        h = (r - g) * 60 / delta + 240;
    if (h < 0) h += 360;
}

double PointDistance(ImagePoint a, ImagePoint b) {
    const double dx = static_cast<double>(b.X) - a.X, dy = static_cast<double>(b.Y) - a.Y;
    return std::sqrt(dx * dx + dy * dy);
}

int32_t ProfileSteps(ImagePoint start, ImagePoint end) {
    if (!PointIsSet(start) || !PointIsSet(end)) return 0;
    return static_cast<int32_t>(Trunc(PointDistance(start, end)));
}

int32_t ProfileAxisIncrement(int32_t steps) {
    if (steps <= 10) return 1;
    if (steps <= 50) return 5;
    if (steps <= 125) return 10;
    if (steps <= 250) return 25;
    return 50;
}

std::string ProfilePointsText(ImagePoint start, ImagePoint end) {
    if (!PointIsSet(start) || !PointIsSet(end)) return {};
    return "Points = (" + IntToStr(start.X) + ", " + IntToStr(start.Y) + ")   (" + IntToStr(end.X) +
           ", " + IntToStr(end.Y) +
           ")     Distance = " + FormatFixed(PointDistance(start, end), 0, 1);
}

LineProfile BuildLineProfile(ImagePoint start, ImagePoint end, const std::string& label) {
    LineProfile out;
    const int32_t n = ProfileSteps(start, end);
    if (n <= 1) return out;
    out.Samples.resize(static_cast<size_t>(n) + 1);
    out.Lines.reserve(out.Samples.size() + 4);
    out.Lines = {label, " ", Header, Rule};
    for (int32_t i = 0; i <= n; ++i) {
        ProfileSample& p = out.Samples[i];
        const double f = static_cast<double>(i) / n;
        p.X = (end.X + 0.5) * f + (start.X + 0.5) * (1.0 - f);
        p.Y = (end.Y + 0.5) * f + (start.Y + 0.5) * (1.0 - f);
        const int64_t column = std::clamp<int64_t>(Trunc(p.X), 0, ImageMaxX);
        const int64_t row = std::clamp<int64_t>(Trunc(p.Y), 0, ImageMaxY);
        const uint8_t* px = WorkRow(static_cast<int32_t>(ImageMaxY - row)) + 3 * column;
        p.B = px[0];
        p.G = px[1];
        p.R = px[2];
        p.I = (p.R + p.G + p.B) / 3;
        RGBToHSVBytes(p.H, p.S, p.V, p.R, p.G, p.B);
    }
    // Each row is formatted whole, the slopes in the blanks under the header's "slope" columns,
    // so a wide value shifts its row instead of being overwritten.
    const std::string noSlope(6, ' ');
    for (int32_t i = 0; i <= n; ++i) {
        const ProfileSample& p = out.Samples[i];
        std::array<std::string, 3> slopes{noSlope, noSlope, noSlope};
        if (i >= 3 && i <= n - 3) {
            slopes = {FormatFixed(Slope(out.Samples, i, &ProfileSample::R), 6, 1),
                      FormatFixed(Slope(out.Samples, i, &ProfileSample::G), 6, 1),
                      FormatFixed(Slope(out.Samples, i, &ProfileSample::B), 6, 1)};
        }
        out.Lines.push_back(FormatInt(i, 3) + "   " + FormatFixed(p.X, 5, 1) + " " +
                            FormatFixed(p.Y, 5, 1) + "   " + FormatInt(p.R, 3) + slopes[0] + "  " +
                            FormatInt(p.G, 3) + slopes[1] + "  " + FormatInt(p.B, 3) + slopes[2] +
                            "  " + FormatInt(p.I, 3) + "   " + FormatInt(p.H, 3) + " " +
                            FormatInt(p.S, 3) + " " + FormatInt(p.V, 3));
    }
    return out;
}
