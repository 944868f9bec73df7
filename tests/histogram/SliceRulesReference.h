// The 42 rule classes as the lists give them, written out as plain branches: what the rule
// tables of the slicing engines are checked against.
#pragma once

#include <array>
#include <cmath>

namespace slice_reference {

inline bool BMax(double r, double g, double b) {
    return b >= r && b >= g;
}
inline bool RMax(double r, double g, double b) {
    return r >= g && r >= b;
}
inline bool GMax(double r, double g, double b) {
    return g >= r && g >= b;
}

// The classes as the lists give them. Integer form: `band` holds the bands 3, 5, 6, 7, 9, 11
// and 13 (fixed or from p); `moon` drops classes 15 and 41 and asks G < B of 37 and 38.
struct Form {
    bool Real;
    double A, B, C; // real form
    std::array<double, 7> Band;
    double Offset;
    bool Moon = false;
};

inline int Expected(const Form& f, double r, double g, double b) {
    const double s = r + g + b + f.Offset;
    const double c = f.Real ? f.C : 30, k = f.Real ? f.C + std::trunc(f.C / 3) : 40;
    const auto band = [&](int i) {
        static constexpr int factor[7] = {3, 5, 6, 7, 9, 11, 13};
        return f.Real ? factor[i] * f.B : f.Band[static_cast<size_t>(i)];
    };
    if (b < k && r < k && g < k) {
        if (r < c && b < c && g < c && b >= r && b >= g) return 1;
        if (r <= c && b <= c && g <= c && r >= b) return 2;
        if (BMax(r, g, b)) return 3;
        if (RMax(r, g, b)) return 4;
        if (GMax(r, g, b)) return 5;
        return 0;
    }
    if (b < 2 * k && g < 2 * c && r < c && b > g && g > r) return 6;
    if (b + g < r) {
        if (f.Real) {
            const double a = f.A;
            if (r > 7 * a) return 7;
            if (r > 5 * a) return 8;
            if (r > 3.3 * a && b <= a) return 9;
            if (r <= 3.3 * a && b <= a) return 10;
            if (r > 3.3 * a && b <= 1.5 * a) return 11;
            if (r <= 3.3 * a && b <= 1.5 * a) return 12;
            if (r > 3.3 * a && b > 1.5 * a) return 13;
            if (r <= 3.3 * a && b > 1.5 * a) return 14;
            return 0;
        }
        if (r > 140) return 7;
        if (r > 105) return 8;
        if (r > 75 && b < 16) return 9;
        if (r <= 75 && b < 16) return 10;
        if (r > 75 && b < 30) return 11;
        if (r <= 75 && b < 30) return 12;
        return r > 75 ? 13 : 14;
    }
    if (!f.Moon && g > band(0) && g >= b && b >= r) return 15;
    if (s < band(1)) {
        if (b >= g && g >= r) return 16;
        if (BMax(r, g, b)) return 17;
        if (r >= g && g >= b) return 18;
        if (RMax(r, g, b)) return 19;
        if (g >= r && r >= b) return 20;
        if (g >= b && b >= r) return 21;
        return 0;
    }
    if (s < band(2) && b >= g && g >= r) return 22;
    if (s < band(3)) return BMax(r, g, b) ? 23 : (RMax(r, g, b) ? 24 : (GMax(r, g, b) ? 25 : 0));
    if (s < band(4)) {
        if (b >= g && g >= r) return 26;
        if (BMax(r, g, b)) return 27;
        if (r >= g && g >= b) return 28;
        if (RMax(r, g, b)) return 29;
        if (g >= b && b >= r) return 30;
        return GMax(r, g, b) ? 31 : 0;
    }
    if (s >= 766) return 0;
    if (r == 255 && g == 255 && b == 255) return 32;
    if (r >= 250 && g >= 250 && b >= 250) return 33;
    if (r >= 220 && g >= 220 && b >= 220) return 34;
    if (r >= b && b >= g) return 35;
    if (RMax(r, g, b)) return 36;
    const bool blueOverGreen = f.Real || f.Moon ? b > g : b >= g;
    if (s < band(5) && blueOverGreen && g >= r) return 37;
    if (s < band(6) && blueOverGreen && g >= r) return 38;
    if ((f.Real ? b > g : b >= g) && b >= r) return 39;
    if (s < band(5) && GMax(r, g, b)) return 40;
    if (!f.Moon && s < band(6) && GMax(r, g, b)) return 41;
    return GMax(r, g, b) ? 42 : 0;
}

} // namespace slice_reference
