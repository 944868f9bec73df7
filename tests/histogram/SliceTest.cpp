// Density slicing: the grade and bucket tables whole, then every routine on pixels that sit on
// its boundaries, as one table.
#include "histogram/vUISOHO.h"

#include "support/EngineTestImage.h"

#include <climits>
#include <functional>

namespace {

// The grade of each value for a threshold, written out from the bounds t div 2, t, 2t .. 5t.
std::vector<int> Runs(std::initializer_list<std::pair<int, int>> runs) {
    std::vector<int> out;
    for (auto [grade, count] : runs)
        out.insert(out.end(), count, grade);
    return out;
}

std::vector<int> AsInts(const std::array<uint8_t, 256>& a) {
    return {a.begin(), a.end()};
}

TEST(SliceGrades, TablesFollowTheBoundsWithoutWrapping) {
    using namespace soho;
    // t = 1: 0 -> 2, 1 -> 3, 2 -> 4, 3 -> 5, 4 -> 6, 5.. -> 7.
    EXPECT_EQ(AsInts(ThresholdGrades(1)), Runs({{2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 251}}));
    // t = 255: 0..126 -> 1, 127..254 -> 2, 255 -> 3.
    EXPECT_EQ(AsInts(ThresholdGrades(255)), Runs({{1, 127}, {2, 128}, {3, 1}}));
    EXPECT_EQ(AsInts(ThresholdGrades(60)),
              Runs({{1, 30}, {2, 30}, {3, 60}, {4, 60}, {5, 60}, {6, 16}}));
    // Buckets stop at 4t: with t = 60 values from 240 are bucket 6; with t = 64 none is.
    EXPECT_EQ(AsInts(ThresholdBuckets(60)),
              Runs({{1, 30}, {2, 30}, {3, 60}, {4, 60}, {5, 60}, {6, 16}}));
    EXPECT_EQ(AsInts(ThresholdBuckets(64)), Runs({{1, 32}, {2, 32}, {3, 64}, {4, 64}, {5, 64}}));
    EXPECT_EQ(AsInts(FixedBuckets()), Runs({{1, 25}, {2, 25}, {3, 50}, {4, 50}, {5, 50}, {6, 56}}));
    // Thresholds from macro lines: 5t of the largest integer must not wrap to a negative bound,
    // and a threshold of 0 or below puts every value in the top grade.
    EXPECT_EQ(AsInts(ThresholdGrades(INT_MAX)), Runs({{1, 256}}));
    EXPECT_EQ(AsInts(ThresholdBuckets(INT_MAX)), Runs({{1, 256}}));
    EXPECT_EQ(AsInts(ThresholdGrades(0)), Runs({{7, 256}}));
    EXPECT_EQ(AsInts(ThresholdGrades(INT_MIN)), Runs({{7, 256}}));
}

struct SliceCase {
    const char* Name;
    std::function<void()> Run;
    std::vector<Rgb> In, Out;
};

class SliceRoutines : public EngineTestImage {};

constexpr Rgb W{255, 255, 255};

TEST_F(SliceRoutines, EveryRoutineOnItsBoundaries) {
    // Ramp entry (group g, entry e) as the colour (g, e, 0x77), red in the low byte.
    for (uint32_t g = 0; g < 9; ++g)
        for (uint32_t e = 0; e < 16; ++e)
            ClassColorRamps[g][e] = g | (e << 8) | (0x77u << 16);
    const std::vector<SliceCase> cases{
        // clang-format off
        {"Europa grades red across every bound of t = 10",
         [] { Do_Europa(10); },
         {{4, 0, 0}, {5, 0, 0}, {9, 0, 0}, {10, 0, 0}, {19, 0, 0}, {20, 0, 0}, {29, 0, 0},
          {30, 0, 0}, {39, 0, 0}, {40, 0, 0}, {49, 0, 0}, {50, 0, 0}},
         {{25, 0, 0}, {50, 0, 0}, {50, 0, 0}, {100, 0, 0}, {100, 0, 0}, {150, 0, 0}, {150, 0, 0},
          {200, 0, 0}, {200, 0, 0}, {225, 0, 0}, {225, 0, 0}, {255, 0, 0}}},
        {"Europa: ties go to red, then green",
         [] { Do_Europa(10); },
         {{7, 7, 7}, {10, 30, 20}, {10, 20, 30}, {0, 30, 30}},
         {{50, 0, 0}, {0, 200, 0}, {0, 0, 200}, {0, 200, 0}}},
        {"DoDo: the largest value graded into the middle channel of each ordering",
         [] { Do_DoDo(10); },
         {{7, 7, 7}, {30, 0, 20}, {30, 20, 0}, {10, 30, 20}, {20, 30, 10}, {20, 0, 30}, {0, 20, 30}},
         {{0, 0, 50}, {0, 0, 200}, {0, 200, 0}, {0, 0, 200}, {200, 0, 0}, {200, 0, 0}, {0, 200, 0}}},
        // clang-format on
        {"DoDoClass is DoDo",
         [] { Do_DoDoClass(10); },
         {{7, 7, 7}, {20, 30, 10}},
         {{0, 0, 50}, {200, 0, 0}}},
        {"Class: the ramp of the dominant channel by grade",
         [] { Do_Class(10); },
         {{4, 0, 0}, {0, 50, 0}, {0, 0, 12}, {30, 30, 30}},
         {{7, 5, 0x77}, {2, 15, 0x77}, {0, 8, 0x77}, {7, 13, 0x77}}},
        {"Tone: one ramp whatever channel dominates, grade 7 from group 8",
         [] { Do_Tone(10); },
         {{30, 0, 0}, {0, 30, 0}, {0, 0, 4}, {0, 0, 50}},
         {{3, 13, 0x77}, {3, 13, 0x77}, {3, 5, 0x77}, {8, 15, 0x77}}},
        {"SetSlice 6: red-dominant values from 200",
         [] { Do_SetSlice(6); },
         {{200, 10, 20}, {199, 10, 20}, {10, 200, 20}},
         {{255, 10, 20}, W, W}},
        {"SetSlice 10: green-dominant values 100..149",
         [] { Do_SetSlice(10); },
         {{10, 100, 10}, {10, 149, 10}, {10, 150, 10}, {10, 99, 10}},
         {{10, 150, 10}, {10, 150, 10}, W, W}},
        {"SetSlice 13: blue-dominant values below 25",
         [] { Do_SetSlice(13); },
         {{0, 0, 24}, {0, 0, 25}},
         {{0, 0, 25}, W}},
        {"SetSlice 19 matches nothing", [] { Do_SetSlice(19); }, {{0, 0, 0}, {255, 0, 0}}, {W, W}},
        {"SetandSlice 6 with t = 60: red from 240",
         [] { Do_SetandSlice(6, 60); },
         {{240, 1, 2}, {239, 1, 2}, {1, 240, 2}},
         {{255, 1, 2}, W, W}},
        {"SetandSlice 6 with t = 64: 4t is past every value",
         [] { Do_SetandSlice(6, 64); },
         {{255, 0, 0}, {255, 255, 255}},
         {W, W}},
        {"SetOSlice 20: ordering 4 (G >= R >= B), fixed bucket 2, into red",
         [] { Do_SetOSlice(20); },
         {{20, 30, 10}, {20, 49, 10}, {20, 50, 10}, {30, 20, 10}},
         {{50, 30, 10}, {50, 49, 10}, W, W}},
        {"SetOSlice 37 matches nothing", [] { Do_SetOSlice(37); }, {{1, 2, 3}}, {W}},
        {"SetOSIlice 6 with t = 10: ordering 1 from 40, into blue",
         [] { Do_SetOSIlice(6, 10); },
         {{40, 1, 2}, {39, 1, 2}, {40, 2, 1}, {40, 40, 40}},
         {{40, 1, 255}, W, W, {40, 40, 255}}},
        {"SetOSIlice 36 with t = 10: ordering 6 (B >= G >= R) into green",
         [] { Do_SetOSIlice(36, 10); },
         {{0, 1, 40}, {1, 0, 40}},
         {{0, 255, 40}, W}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Load(static_cast<int>(c.In.size()), c.In);
        c.Run();
        EXPECT_EQ(Shown(), c.Out);
        EXPECT_EQ(Rec.Gauge.back(), 0);
        EXPECT_EQ(Rec.Status1.back(), "Image processed");
    }
}

} // namespace
