// The 42-class rule lists against the same lists written out here as plain branches, on pixels
// at every bound of each run (each channel bound and each sum band, one below, on and above),
// then the four classifiers' colours and their parameters from macro lines.
#include "histogram/SliceRulesReference.h"
#include "histogram/vSohoRules.h"
#include "histogram/vUISOHO.h"

#include "runtime/RtErrors.h"
#include "support/EngineTestImage.h"

#include <cfloat>
#include <cmath>
#include <set>

namespace {

using soho::RuleClassifier;
using namespace slice_reference;

// Values one below, on and one above each bound of a run that lies within 0..255.
std::vector<int> ValuesAround(std::initializer_list<double> bounds) {
    std::set<int> out{0, 255};
    for (double x : bounds)
        for (int v = static_cast<int>(std::floor(x)) - 1; v <= static_cast<int>(std::ceil(x)) + 1;
             ++v)
            if (v >= 0 && v <= 255) out.insert(v);
    return {out.begin(), out.end()};
}

struct FormCase {
    const char* Name;
    Form F;
    RuleClassifier Classifier;
};

class RuleLists : public ::testing::Test {};

TEST_F(RuleLists, EveryClassifierAgreesWithTheListsAtEveryBound) {
    constexpr std::array<double, 7> fixed{150, 255, 300, 350, 450, 550, 650};
    const auto bandsOf = [](double p) {
        return std::array<double, 7>{3 * p, 5 * p, 6 * p, 7 * p, 9 * p, 11 * p, 13 * p};
    };
    const std::vector<FormCase> cases{
        {"Halley, page defaults",
         {true, 123, 66, 36, {}, 0.01},
         RuleClassifier::Real(123, 66, 36, 0.01)},
        {"I Slice, page defaults", {true, 17, 27, 37, {}, 0}, RuleClassifier::Real(17, 27, 37, 0)},
        {"Blue bIO", {true, 20, 50, 30, {}, 0.1}, RuleClassifier::Real(20, 50, 30, 0.1)},
        {"Slice, fixed bands", {false, 0, 0, 0, fixed, 0}, RuleClassifier::Fixed()},
        {"Asteroids 21", {false, 0, 0, 0, bandsOf(21), 0.1}, RuleClassifier::Banded(21, 0.1)},
        {"Asteroids 50", {false, 0, 0, 0, bandsOf(50), 0.1}, RuleClassifier::Banded(50, 0.1)},
        {"Green gMoon", {false, 0, 0, 0, fixed, 0, true}, RuleClassifier::GreenMoon()},
    };
    for (const FormCase& fc : cases) {
        SCOPED_TRACE(fc.Name);
        const Form& f = fc.F;
        const double c = f.Real ? f.C : 30, k = f.Real ? f.C + std::trunc(f.C / 3) : 40;
        const std::vector<int> values =
            f.Real ? ValuesAround({c, k, 2 * c, 2 * k, f.A, 1.5 * f.A, 3.3 * f.A, 5 * f.A, 7 * f.A,
                                   3 * f.B, 220, 250})
                   : ValuesAround({30, 40, 60, 80, 16, 75, 105, 140, f.Band[0], 220, 250});
        std::vector<double> sums{766};
        for (int i = 1; i < 7; ++i)
            sums.push_back(f.Real ? std::array{3, 5, 6, 7, 9, 11, 13}[i] * f.B : f.Band[i]);
        std::set<int> seen;
        int wrong = 0;
        const auto check = [&](int r, int g, int b) {
            const int want = Expected(f, r, g, b);
            seen.insert(want);
            if (fc.Classifier.Classify(r, g, b) != want && ++wrong < 10)
                ADD_FAILURE() << "(" << r << ", " << g << ", " << b << ") is class " << want;
        };
        for (int r : values)
            for (int g : values)
                for (int b : values)
                    check(r, g, b);
        // Blue set so that the sum sits one below, on and one above each band.
        for (double band : sums)
            for (int r : values)
                for (int g : values)
                    for (int d = -1; d <= 1; ++d) {
                        const int b = static_cast<int>(std::ceil(band - f.Offset)) - r - g + d;
                        if (b >= 0 && b <= 255) check(r, g, b);
                    }
        EXPECT_EQ(wrong, 0);
        // The bound pixels reach nearly every class, so no rule went untested.
        EXPECT_GE(seen.size(), 30u);
    }
}

TEST_F(RuleLists, ParametersBeyondEveryBoundClassLikeTheLargestSensibleOne) {
    // From a macro line any real arrives; past every pixel value and sum the classes no longer
    // change, and nothing is computed from an unbounded value.
    const RuleClassifier huge = RuleClassifier::Real(1e300, DBL_MAX, 1e300, 0);
    const RuleClassifier large = RuleClassifier::Real(1e4, 1e4, 1e4, 0);
    const RuleClassifier tiny = RuleClassifier::Real(-1e300, -DBL_MAX, -1e300, 0);
    const RuleClassifier small = RuleClassifier::Real(-1e4, -1e4, -1e4, 0);
    for (int v : {0, 17, 100, 200, 255})
        for (Rgb px :
             {Rgb{v, 0, 0}, Rgb{0, v, 0}, Rgb{0, 0, v}, Rgb{v, v, v}, Rgb{v, 255 - v, 9}}) {
            EXPECT_EQ(huge.Classify(px[0], px[1], px[2]), large.Classify(px[0], px[1], px[2]));
            EXPECT_EQ(tiny.Classify(px[0], px[1], px[2]), small.Classify(px[0], px[1], px[2]));
        }
    EXPECT_EQ(RuleClassifier::Banded(-1e300, 0.1).Classify(90, 100, 200),
              RuleClassifier::Banded(-1e4, 0.1).Classify(90, 100, 200));
    EXPECT_THROW(RuleClassifier::Real(1, NAN, 1, 0), EInvalidOp);
}

class RuleRoutines : public EngineTestImage {};

// Ramp entry (group g, entry e) as the colour (g, e, 0x55), red in the low byte; the default
// colour (1, 2, 3).
void MarkRamps() {
    for (uint32_t g = 0; g < 9; ++g)
        for (uint32_t e = 0; e < 16; ++e)
            ClassColorRamps[g][e] = g | (e << 8) | (0x55u << 16);
    ColorSettings[1] = 0x030201;
}

TEST_F(RuleRoutines, ColoursFollowTheClassTableAndTheDefault) {
    MarkRamps();
    constexpr Rgb Default{1, 2, 3};
    // Classes 1, 7 (10 in the real form), 15, 18 and 33 in the integer form.
    const std::vector<Rgb> in{
        {0, 0, 0}, {200, 20, 20}, {255, 255, 255}, {100, 90, 50}, {250, 251, 252}};
    const struct {
        const char* Name;
        std::function<void()> Run;
        std::vector<Rgb> Out;
    } cases[] = {
        {"Slice 7 paints class 7 only",
         [] { Do_Slice(7); },
         {Default, {3, 13, 0x55}, Default, Default, Default}},
        {"Slice 43 from a macro paints the default",
         [] { Do_Slice(43); },
         {Default, Default, Default, Default, Default}},
        {"Asteroids 50 paints every class",
         [] { Do_Asteroids(50); },
         {{0, 15, 0x55}, {3, 13, 0x55}, {3, 15, 0x55}, {2, 10, 0x55}, {7, 14, 0x55}}},
        {"Halley paints every class",
         [] { Do_Halley(123, 66, 36); },
         {{0, 15, 0x55}, {3, 9, 0x55}, {3, 15, 0x55}, {2, 10, 0x55}, {7, 14, 0x55}}},
        // b = 85: white is not above 3b and its sum not below 9b, so it reaches class 32.
        {"I Slice 32 paints white only",
         [] { Do_ISlice(32, 17, 85, 37); },
         {Default, Default, {7, 14, 0x55}, Default, Default}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Load(1, in);
        c.Run();
        EXPECT_EQ(Shown(), c.Out);
        EXPECT_EQ(Rec.Status1.back(), "Image processed");
    }
}

TEST_F(RuleRoutines, NothingHappensWithoutAWorkingImage) {
    for (const auto& run : std::vector<std::function<void()>>{
             [] { Do_Halley(1, 1, 1); }, [] { Do_ISlice(1, 1, 1, 1); }, [] { Do_Slice(1); },
             [] { Do_Asteroids(1); }, [] { soho::RunObjectDisplay(0); }, [] { Do_Europa(1); },
             [] { Do_Tone(1); }, [] { Do_SetSlice(1); }, [] { Do_SetOSIlice(1, 1); }}) {
        Rec.Clear();
        run();
        EXPECT_TRUE(Rec.Shown(39977));
        EXPECT_EQ(Rec.PictureChanges, 0);
        EXPECT_TRUE(Rec.Status0.empty());
    }
}

} // namespace
