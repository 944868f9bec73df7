#include "classify/vTrainSite.h"

#include "classify/vClassDispatch.h"
#include "classify/vClassifiers.h"
#include "support/EngineTestImage.h"

namespace {

class TrainSite : public EngineTestImage {
  protected:
    // 3 x 3, top row first: red 10..90 by position, green 100 + red, blue 200 - red.
    void LoadRamp() {
        std::vector<Rgb> px;
        for (int i = 1; i <= 9; ++i)
            px.push_back({10 * i, 100 + 10 * i, 200 - 10 * i});
        Load(3, px);
    }
};

struct Trained {
    int Rmin, Rmax, Gmin, Gmax, Bmin, Bmax, Rcent;
    int32_t Count;
    int64_t SumR;
    double Radius;
    bool operator==(const Trained&) const = default;
};

Trained Of(const SiteRecord& s) {
    return {s.Rmin, s.Rmax, s.Gmin, s.Gmax, s.Bmin, s.Bmax, s.Rcent, s.Count, s.SumR, s.Radius};
}

TEST_F(TrainSite, TheDraggedPixelsWidenTheBoxAndSetSumsCountAndRadius) {
    SiteRecord seeded;
    seeded.Rmin = 21, seeded.Rmax = 40, seeded.Rcent = 21;
    seeded.Gmin = seeded.Gmax = seeded.Gcent = 150;
    seeded.Bmin = seeded.Bmax = seeded.Bcent = 150;
    seeded.Count = 9;
    const struct {
        const char* Name;
        SiteRecord Before;
        SelectionRect Box; // left, right, top, bottom
        Trained After;
    } cases[] = {
        // The top-left pixel (10, 110, 190) alone, on a cleared class.
        {"one pixel, cleared class", {}, {0, 0, 0, 0}, {0, 10, 0, 110, 0, 190, 0, 1, 10, 0.0}},
        // The bottom row: red 70, 80, 90; the farthest is 60 from the first.
        {"bottom row", {}, {0, 2, 2, 2}, {0, 90, 0, 190, 0, 130, 0, 3, 240, 60.0}},
        // Red 10..50 over the seeded box 21..40; the farthest from the old centre (21, 150, 150)
        // is the first pixel.
        {"seeded class",
         seeded,
         {0, 1, 0, 1},
         {10, 50, 110, 150, 150, 190, 10, 13, 120, 11.0 + 40 + 40}},
        {"a box past the picture is cut to it",
         {},
         {1, 900, 2, 700},
         {0, 90, 0, 190, 0, 120, 0, 2, 170, 30.0}},
    };
    for (const auto& c : cases) {
        LoadRamp();
        SiteTable sites{};
        sites[4] = c.Before;
        TrainSiteFromRect(sites, 4, c.Box);
        EXPECT_TRUE(Of(sites[4]) == c.After) << c.Name;
        EXPECT_EQ(sites[4].Gcent, sites[4].Gmin) << c.Name;
        EXPECT_EQ(sites[3].Count, 0) << c.Name;
    }
}

TEST_F(TrainSite, RetrainingAddsToTheCountButReplacesTheSums) {
    LoadRamp();
    SiteTable sites{};
    TrainSiteFromRect(sites, 2, {0, 2, 0, 2});
    TrainSiteFromRect(sites, 2, {1, 2, 1, 2});
    EXPECT_EQ(sites[2].Count, 13);
    EXPECT_EQ(sites[2].SumR, 50 + 60 + 80 + 90);
    EXPECT_EQ(Shown()[0], (Rgb{10, 110, 190})); // the picture is not changed
}

TEST_F(TrainSite, TrainingReadsTheShownPictureAndLeavesUndoAsItWas) {
    LoadRamp();
    const std::vector<Rgb> ramp = Shown();
    SiteTable sites{};
    TrainSiteFromRect(sites, 1, {0, 2, 0, 2});
    EXPECT_FALSE(Rec.UndoEnabled) << "training alone gives nothing to undo";
    UndoImage();
    EXPECT_EQ(Shown(), ramp);

    // Cleared boxes leave every pixel unclassified: the picture turns (1, 2, 3).
    TrainingSites = {};
    ClassPaintColors = {};
    ClassPaintColors[0] = 0x030201;
    DispatchClassifier(9, 2, 0, 0, 0, 9);
    TrainSiteFromRect(sites, 4, {0, 2, 0, 2});
    EXPECT_EQ((std::array<int64_t, 4>{sites[4].Count, sites[4].SumR, sites[4].SumG, sites[4].SumB}),
              (std::array<int64_t, 4>{9, 9, 18, 27}));
    EXPECT_TRUE(Rec.UndoEnabled);
    UndoImage();
    EXPECT_EQ(Shown(), ramp);
    TrainingSites = {};
}

TEST_F(TrainSite, NothingHappensWithoutBuffersOrForAClassOffThePage) {
    LoadRamp();
    SiteTable sites{};
    for (int cls : {0, 10, -1})
        TrainSiteFromRect(sites, cls, {0, 2, 0, 2});
    FreeImageBuffers();
    TrainSiteFromRect(sites, 1, {0, 2, 0, 2});
    for (const SiteRecord& s : sites)
        EXPECT_EQ(s.Count, 0);
}

} // namespace
