// The object displays of density slicing: chosen groups of the rule classes, graded dominant
// channels and orderings, and graded shares of the pixel's sum; and the object group's items.
#include "histogram/vSohoRules.h"
#include "histogram/vUISOHO.h"

namespace soho {

const std::array<const char*, ObjectItemCount> ObjectItems{
    "Mercury Water", "Mars IR",     "Earth Forest", "Venus Soil",
    "Jupiter Urban", "Saturn WFU",  "Uranus Soils", "Neptune Combine",
    "Pluto Classed", "Red Sun",     "Green Moon",   "Blue I O",
    "Red Krypton",   "Blue >Green", "Blue bIO",     "Blue dot",
    "Green gMoon",   "Red",         "Red rSun",     "Percent Blue",
    "Percent Green", "Percent Red", "Percent RGB"};

namespace {

constexpr uint64_t Classes(std::initializer_list<std::pair<int, int>> runs) {
    uint64_t mask = 0;
    for (auto [first, last] : runs)
        for (int k = first; k <= last; ++k)
            mask |= uint64_t{1} << k;
    return mask;
}

// The classes each planet object shows, objects 1..9.
constexpr std::array<uint64_t, 9> PlanetClasses{
    Classes({{1, 6}}),
    Classes({{7, 14}}),
    Classes({{18, 18}, {20, 20}}),
    Classes({{15, 17}, {19, 19}, {21, 31}, {35, 35}, {37, 42}}),
    Classes({{32, 34}, {36, 36}}),
    Classes({{1, 6}, {18, 18}, {20, 20}, {32, 34}, {36, 36}}),
    Classes({{7, 17}, {19, 19}, {21, 31}, {35, 35}, {37, 42}}),
    Classes({{1, 42}}),
    Classes({{1, 42}}),
};

void White(uint8_t* out) {
    out[0] = out[1] = out[2] = 255;
}

// Channel (0 red, 1 green, 2 blue) and level of each class of the Green gMoon object.
struct ChannelLevel {
    uint8_t Channel, Level;
};
constexpr std::array<ChannelLevel, RuleClassCount + 1> GreenMoonLevels{{
    {0, 0},   {2, 255}, {2, 250}, {2, 240}, {2, 200}, {2, 180}, {2, 164}, {1, 240}, {1, 220},
    {1, 170}, {1, 140}, {1, 180}, {1, 150}, {1, 190}, {1, 160}, {0, 0},   {1, 91},  {1, 93},
    {1, 51},  {1, 103}, {1, 115}, {1, 113}, {1, 131}, {1, 141}, {1, 167}, {1, 139}, {1, 151},
    {1, 153}, {1, 165}, {1, 167}, {1, 137}, {1, 139}, {0, 254}, {0, 252}, {0, 250}, {1, 225},
    {0, 253}, {1, 141}, {1, 181}, {1, 221}, {1, 141}, {0, 0},   {1, 219},
}};

// The level of a share of the sum against five ascending bounds.
uint8_t ShareLevel(double share, const std::array<double, 5>& bounds) {
    size_t k = 0;
    while (k < bounds.size() && !(share < bounds[k]))
        ++k;
    return BucketLevels[k];
}

// The Red Krypton grading of R when G + B < R: the first rule that holds.
uint8_t KryptonLevel(int r, int b) {
    if (r > 140) return 250;
    if (r > 105) return 225;
    if (r > 75 && b < 16) return 125;
    if (r <= 75 && b < 16) return 25;
    if (r > 75 && b < 30) return 175;
    if (r <= 75 && b < 30) return 50;
    if (r > 75) return 105;
    return 75;
}

// Whether channel `c` is at least each of the other two.
bool IsMax(const int* rgb, int c) {
    return rgb[c] >= rgb[(c + 1) % 3] && rgb[c] >= rgb[(c + 2) % 3];
}

struct ObjectRow {
    void (*Run)(uint8_t m);
    uint8_t M;
};
const std::array<ObjectRow, ObjectItemCount> ObjectRows{{
    {Do_SCPlanet, 1},
    {Do_SCPlanet, 2},
    {Do_SCPlanet, 3},
    {Do_SCPlanet, 4},
    {Do_SCPlanet, 5},
    {Do_SCPlanet, 6},
    {Do_SCPlanet, 7},
    {Do_SCPlanet, 8},
    {Do_SCPlanet, 9},
    {Do_SCDominant, 1},
    {Do_SCDominant, 2},
    {Do_SCDominant, 3},
    {Do_SCDominant, 4},
    {Do_SCOrderPair, 3},
    {[](uint8_t) { Do_SCBlueBIO(); }, 0},
    {Do_SCOrderPair, 2},
    {[](uint8_t) { Do_SCGreenGMoon(); }, 0},
    {Do_SCOrderPair, 1},
    {[](uint8_t) { Do_SCRedRSun(); }, 0},
    {Do_SCPercent, 3},
    {Do_SCPercent, 2},
    {Do_SCPercent, 1},
    {Do_SCPercent, 4},
}};

} // namespace

void RunObjectDisplay(int32_t index) {
    if (index < 0 || index >= ObjectItemCount) return;
    const ObjectRow& row = ObjectRows[static_cast<size_t>(index)];
    row.Run(row.M);
}

} // namespace soho

using namespace soho;

void Do_SCPlanet(uint8_t m) {
    if (m < 1 || m > PlanetClasses.size()) return;
    const uint64_t shown = PlanetClasses[m - 1u];
    auto colours = ClassColours();
    if (m == 8) colours[35] = ClassColorRamps[7][15];
    const uint32_t nearWhite = ClassColorRamps[8][15];
    const RuleClassifier rc = RuleClassifier::Fixed();
    SliceFrame([&](uint8_t* out, int r, int g, int b) {
        const int k = rc.Classify(r, g, b);
        const bool inObject = k != 0 && (shown >> k & 1u) != 0;
        ColourBytes(k == 0 || inObject ? colours[static_cast<size_t>(k)] : nearWhite, out);
    });
}

void Do_SCDominant(uint8_t m) {
    if (m < 1 || m > 4) return;
    const auto bucket = FixedBuckets();
    const int channel = m == 4 ? 0 : m - 1;
    SliceFrame([&](uint8_t* out, int r, int g, int b) {
        const int rgb[3] = {r, g, b};
        out[0] = out[1] = out[2] = 0;
        if (m == 4 && g + b < r) {
            out[0] = KryptonLevel(r, b);
            return;
        }
        if (!IsMax(rgb, channel)) return White(out);
        out[channel] = BucketLevels[bucket[rgb[channel]] - 1u];
    });
}

void Do_SCOrderPair(uint8_t m) {
    // Per object: largest channel, then the middle channel of its first and second ordering.
    static constexpr std::array<std::array<int, 3>, 3> pairs{{{0, 2, 1}, {1, 2, 0}, {2, 0, 1}}};
    if (m < 1 || m > pairs.size()) return;
    // Named copies, not a structured binding: the lambda below captures them.
    const int largest = pairs[m - 1u][0], first = pairs[m - 1u][1], second = pairs[m - 1u][2];
    const auto bucket = FixedBuckets();
    SliceFrame([&](uint8_t* out, int r, int g, int b) {
        const int rgb[3] = {r, g, b};
        out[0] = out[1] = out[2] = 0;
        const int v = rgb[largest];
        // The first ordering puts `first` in the middle, the second puts `second` there.
        if (v >= rgb[first] && rgb[first] >= rgb[second])
            out[first] = BucketLevels[bucket[v] - 1u];
        else if (v >= rgb[second] && rgb[second] >= rgb[first])
            out[second] = BucketLevels[bucket[v] - 1u];
        else
            White(out);
    });
}

void Do_SCBlueBIO() {
    const auto colours = ClassColours();
    const RuleClassifier rc = RuleClassifier::Real(20, 50, 30, 0.1);
    SliceFrame([&](uint8_t* out, int r, int g, int b) {
        ColourBytes(colours[static_cast<size_t>(rc.Classify(r, g, b))], out);
    });
}

void Do_SCGreenGMoon() {
    const RuleClassifier rc = RuleClassifier::GreenMoon();
    SliceFrame([&](uint8_t* out, int r, int g, int b) {
        const ChannelLevel cl = GreenMoonLevels[static_cast<size_t>(rc.Classify(r, g, b))];
        out[0] = out[1] = out[2] = 0;
        out[cl.Channel] = cl.Level;
    });
}

void Do_SCRedRSun() {
    SliceFrame([](uint8_t* out, int, int, int) { White(out); });
}

void Do_SCPercent(uint8_t m) {
    static constexpr std::array<double, 5> single{0.3, 0.35, 0.4, 0.45, 0.6};
    static constexpr std::array<double, 5> dominant{0.34, 0.37, 0.4, 0.45, 0.55};
    if (m < 1 || m > 4) return;
    SliceFrame([m](uint8_t* out, int r, int g, int b) {
        const int rgb[3] = {r, g, b};
        const double s = r + g + b + 0.1;
        out[0] = out[1] = out[2] = 0;
        if (m == 4) {
            const int d = IsMax(rgb, 0) ? 0 : (IsMax(rgb, 1) ? 1 : 2);
            out[d] = ShareLevel(rgb[d] / s, dominant);
            return;
        }
        const int c = m - 1;
        if (!IsMax(rgb, c)) return White(out);
        out[c] = ShareLevel(rgb[c] / s, single);
    });
}
