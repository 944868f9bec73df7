// Several range options set at once, as a macro's options block can leave them: each per-pixel
// engine and the look-up-table apply map by the first of them in their own order, so the run
// equals the run with that option alone.
#include "algebra/vColorLUT.h"
#include "algebra/vColorLUTMap.h"
#include "algebra/vUPixAl.h"
#include "support/EngineTestImage.h"
#include "support/NoisePicture.h"

namespace {

enum Option { Clip, Scale, Below, Auto };

bool* Switch(Option o) {
    bool* const switches[] = {&ClipOption, &Scale0To255Option, &BelowZeroOption, &AutoRangeOption};
    return switches[o];
}

class RangeOrder : public EngineTestImage {
  protected:
    void TearDown() override {
        LUTFunction = lfIdentity;
        ColorPlane = NoColorPlane;
        EngineTestImage::TearDown();
    }
    // The picture `run` shows with exactly `set` on.
    std::vector<Rgb> RunWith(const std::vector<Option>& set, const std::function<void()>& run) {
        Show(NoisePicture(9, 7, 11));
        ClipOption = Scale0To255Option = BelowZeroOption = AutoRangeOption = false;
        for (Option o : set)
            *Switch(o) = true;
        run();
        EXPECT_EQ(Rec.ErrorBoxes, std::vector<std::string>{});
        return Shown();
    }
};

TEST_F(RangeOrder, EachEngineTakesTheFirstSetOptionInItsOrder) {
    const std::vector<Option> standard{Auto, Below, Scale, Clip};
    const std::vector<Option> scaleFirst{Auto, Scale, Below, Clip};
    const struct {
        const char* Name;
        std::vector<Option> Order;
        std::function<void()> Run;
    } engines[] = {
        // Red minus blue: negative as well as positive.
        {"DoPixelAlgebra", standard,
         [] {
             DoPixelAlgebra({0, 0, 1, 0, 9, 9, 9, 9, 2, 9, 9, 9, 9});
         }},
        {"DoPixelRatios", standard, [] { DoPixelRatios(3); }},
        {"DoPARBMultiply", standard,
         [] { DoPARBMultiply(2, 1.5, -0.5, 0.2, 0.01, 0.0, 0.004, -1.0, 2.0, 0.0); }},
        {"DoPMultiply", standard, [] { DoPMultiply(2, -0.02, 0.006, 3.0); }},
        // One extra pass, so that the stretch has its second.
        {"DoPowerLogTransform", scaleFirst, [] { DoPowerLogTransform(1, 1, 0.05, 0); }},
        {"colour look-up apply (YIQ)", standard,
         [] {
             LUTFunction = lfYIQ;
             ColorPlane = NoColorPlane;
             ApplyLUTImage(CurrentLUTMapping(-40, 30, 0));
         }},
    };
    const std::vector<std::vector<Option>> sets{{Scale, Below},
                                                {Clip, Scale},
                                                {Clip, Below},
                                                {Clip, Scale, Below},
                                                {Clip, Scale, Below, Auto}};
    for (const auto& e : engines)
        for (const std::vector<Option>& set : sets) {
            SCOPED_TRACE(std::string(e.Name) + " options " + std::to_string(set.size()) + " " +
                         std::to_string(set[0]));
            Option first = e.Order.back();
            for (Option o : e.Order)
                if (std::find(set.begin(), set.end(), o) != set.end()) {
                    first = o;
                    break;
                }
            const std::vector<Rgb> all = RunWith(set, e.Run);
            EXPECT_EQ(all, RunWith({first}, e.Run));
            // The case tells the options apart: each other option alone gives another picture.
            for (Option o : set)
                if (o != first && !(e.Order == scaleFirst && o == Clip && first == Scale)) {
                    EXPECT_NE(all, RunWith({o}, e.Run)) << o;
                }
        }
}

} // namespace
