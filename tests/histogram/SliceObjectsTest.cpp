// The 23 object displays on the aerial photograph, each against its definition computed here
// pixel by pixel.
#include "histogram/SliceRulesReference.h"
#include "histogram/vUISOHO.h"

#include "support/EngineTestImage.h"
#include "support/PngTestReader.h"
#include "support/TestFiles.h"

#include <set>

namespace {

using namespace slice_reference;

constexpr Rgb White{255, 255, 255};
constexpr Rgb Default{1, 2, 3};

// Ramp entry (group g, entry e) shows as (g, e, 0x55); the default colour as (1, 2, 3).
void MarkRamps() {
    for (uint32_t g = 0; g < 9; ++g)
        for (uint32_t e = 0; e < 16; ++e)
            ClassColorRamps[g][e] = g | (e << 8) | (0x55u << 16);
    ColorSettings[1] = 0x030201;
}
Rgb Ramp(int group, int entry) {
    return {group, entry, 0x55};
}

// Class colours 1..42 as group * 100 + entry.
constexpr int ClassColour[43] = {0,   15,  11,  7,   108, 111, 114, 313, 312, 313, 309,
                                 314, 310, 311, 312, 315, 306, 307, 210, 308, 212, 305,
                                 307, 309, 311, 307, 310, 311, 312, 313, 308, 309, 714,
                                 714, 714, 315, 711, 313, 314, 312, 310, 311, 311};
Rgb ClassRgb(int k) {
    return k == 0 ? Default : Ramp(ClassColour[k] / 100, ClassColour[k] % 100);
}

int Level(int v) {
    return v < 25 ? 25 : v < 50 ? 50 : v < 100 ? 100 : v < 150 ? 150 : v < 200 ? 200 : 255;
}
int ShareLevel(double share, std::array<double, 5> bounds) {
    constexpr int levels[6] = {25, 50, 100, 150, 200, 255};
    int k = 0;
    while (k < 5 && share >= bounds[static_cast<size_t>(k)])
        ++k;
    return levels[k];
}

const Form Fixed{false, 0, 0, 0, {150, 255, 300, 350, 450, 550, 650}, 0};

bool InPlanet(int m, int k) {
    const auto in = [k](std::initializer_list<std::pair<int, int>> runs) {
        for (auto [a, b] : runs)
            if (k >= a && k <= b) return true;
        return false;
    };
    switch (m) {
    case 1:
        return in({{1, 6}});
    case 2:
        return in({{7, 14}});
    case 3:
        return in({{18, 18}, {20, 20}});
    case 4:
        return in({{15, 17}, {19, 19}, {21, 31}, {35, 35}, {37, 42}});
    case 5:
        return in({{32, 34}, {36, 36}});
    case 6:
        return in({{1, 6}, {18, 18}, {20, 20}, {32, 34}, {36, 36}});
    case 7:
        return in({{7, 17}, {19, 19}, {21, 31}, {35, 35}, {37, 42}});
    default:
        return in({{1, 42}});
    }
}

Rgb Planet(int m, int r, int g, int b) {
    const int k = Expected(Fixed, r, g, b);
    if (k == 0) return Default;
    if (!InPlanet(m, k)) return Ramp(8, 15);
    return m == 8 && k == 35 ? Ramp(7, 15) : ClassRgb(k);
}

Rgb Dominant(int m, int r, int g, int b) {
    if (m == 4 && g + b < r) {
        const int lv = r > 140             ? 250
                       : r > 105           ? 225
                       : r > 75 && b < 16  ? 125
                       : r <= 75 && b < 16 ? 25
                       : r > 75 && b < 30  ? 175
                       : r <= 75 && b < 30 ? 50
                       : r > 75            ? 105
                                           : 75;
        return {lv, 0, 0};
    }
    if (m == 1 || m == 4) return r >= g && r >= b ? Rgb{Level(r), 0, 0} : White;
    if (m == 2) return g >= r && g >= b ? Rgb{0, Level(g), 0} : White;
    return b >= g && b >= r ? Rgb{0, 0, Level(b)} : White;
}

Rgb OrderPair(int m, int r, int g, int b) {
    if (m == 1) {
        if (r >= b && b >= g) return {0, 0, Level(r)};
        if (r >= g && g >= b) return {0, Level(r), 0};
    } else if (m == 2) {
        if (g >= b && b >= r) return {0, 0, Level(g)};
        if (g >= r && r >= b) return {Level(g), 0, 0};
    } else {
        if (b >= r && r >= g) return {Level(b), 0, 0};
        if (b >= g && g >= r) return {0, Level(b), 0};
    }
    return White;
}

Rgb GreenMoon(int r, int g, int b) {
    const int k = Expected({false, 0, 0, 0, Fixed.Band, 0, true}, r, g, b);
    // Channel * 1000 + level per class: 2 blue, 1 green, 0 red.
    constexpr int cl[43] = {0,    2255, 2250, 2240, 2200, 2180, 2164, 1240, 1220, 1170, 1140,
                            1180, 1150, 1190, 1160, 0,    1091, 1093, 1051, 1103, 1115, 1113,
                            1131, 1141, 1167, 1139, 1151, 1153, 1165, 1167, 1137, 1139, 254,
                            252,  250,  1225, 253,  1141, 1181, 1221, 1141, 0,    1219};
    Rgb out{0, 0, 0};
    out[static_cast<size_t>(cl[k] / 1000)] = cl[k] % 1000;
    return out;
}

Rgb Percent(int m, int r, int g, int b) {
    const double s = r + g + b + 0.1;
    const int v[3] = {r, g, b};
    Rgb out{0, 0, 0};
    if (m == 4) {
        const int d = r >= g && r >= b ? 0 : (g >= r && g >= b ? 1 : 2);
        out[static_cast<size_t>(d)] = ShareLevel(v[d] / s, {0.34, 0.37, 0.4, 0.45, 0.55});
        return out;
    }
    const int c = m - 1;
    if (v[c] < v[(c + 1) % 3] || v[c] < v[(c + 2) % 3]) return White;
    out[static_cast<size_t>(c)] = ShareLevel(v[c] / s, {0.3, 0.35, 0.4, 0.45, 0.6});
    return out;
}

// Item index -> the display's definition.
Rgb ExpectedItem(int item, int r, int g, int b) {
    if (item <= 8) return Planet(item + 1, r, g, b);
    if (item <= 12) return Dominant(item - 8, r, g, b);
    switch (item) {
    case 13:
        return OrderPair(3, r, g, b);
    case 14:
        return ClassRgb(Expected({true, 20, 50, 30, {}, 0.1}, r, g, b));
    case 15:
        return OrderPair(2, r, g, b);
    case 16:
        return GreenMoon(r, g, b);
    case 17:
        return OrderPair(1, r, g, b);
    case 18:
        return White;
    default: {
        constexpr int m[4] = {3, 2, 1, 4}; // Percent Blue, Green, Red, RGB
        return Percent(m[item - 19], r, g, b);
    }
    }
}

class ObjectDisplays : public EngineTestImage {};

TEST_F(ObjectDisplays, EveryItemOnTheAerialPhotograph) {
    MarkRamps();
    Picture photo;
    ASSERT_TRUE(ReadPngForTest(TestData("aerial/aero1.png"), photo));
    const std::vector<Rgb> source = [&] {
        Show(photo);
        return Shown();
    }();
    for (int item = 0; item < soho::ObjectItemCount; ++item) {
        SCOPED_TRACE(soho::ObjectItems[static_cast<size_t>(item)]);
        Show(photo);
        soho::RunObjectDisplay(item);
        ASSERT_EQ(Rec.Status1.back(), "Image processed");
        const std::vector<Rgb> shown = Shown();
        std::set<Rgb> colours;
        int wrong = 0;
        for (size_t i = 0; i < source.size(); ++i) {
            const auto [r, g, b] = source[i];
            const Rgb want = ExpectedItem(item, r, g, b);
            colours.insert(want);
            if (shown[i] != want && ++wrong < 5)
                ADD_FAILURE() << "pixel " << i << " (" << r << ", " << g << ", " << b << ") gives ("
                              << shown[i][0] << ", " << shown[i][1] << ", " << shown[i][2] << ")";
        }
        EXPECT_EQ(wrong, 0);
        // Pluto Classed shows every class: the photograph reaches many of them.
        if (item == 8) EXPECT_GT(colours.size(), 5u);
    }
}

TEST_F(ObjectDisplays, ItemsOutsideTheGroupChangeNothing) {
    for (int item : {-1, 23, 1000}) {
        Load(1, {{7, 8, 9}});
        Rec.Clear();
        soho::RunObjectDisplay(item);
        EXPECT_EQ(Rec.PictureChanges, 0);
        EXPECT_TRUE(Rec.Status1.empty());
    }
}

} // namespace
