#include "classify/vClassifiers.h"

#include "classify/SiteTraining.h"
#include "classify/vClassDispatch.h"
#include "support/EngineTestImage.h"
#include "support/PngTestReader.h"
#include "support/TestFiles.h"

#include <cmath>
#include <string>

namespace {

// Class k paints red 10k, green 10k + 1, blue 10k + 2; class 0 paints (250, 251, 252).
ClassColorTable TestColors() {
    ClassColorTable c{};
    for (uint32_t k = 1; k < SiteCount; ++k)
        c[k] = 10 * k | (10 * k + 1) << 8 | (10 * k + 2) << 16;
    c[0] = 0xFCFBFA;
    return c;
}
Rgb PaintOf(int k) {
    return k == 0 ? Rgb{250, 251, 252} : Rgb{10 * k, 10 * k + 1, 10 * k + 2};
}

// One row of pixels in a buffer whose stride is longer than the row.
struct RowImage {
    explicit RowImage(const std::vector<Rgb>& px) : Bytes(px.size() * 3 + 5, 0xEE) {
        for (size_t i = 0; i < px.size(); ++i) {
            Bytes[3 * i] = static_cast<uint8_t>(px[i][2]);
            Bytes[3 * i + 1] = static_cast<uint8_t>(px[i][1]);
            Bytes[3 * i + 2] = static_cast<uint8_t>(px[i][0]);
        }
        Image = {Bytes.data(), static_cast<int32_t>(Bytes.size()),
                 static_cast<int32_t>(px.size()) - 1, 0};
    }
    Rgb At(size_t i) const { return {Bytes[3 * i + 2], Bytes[3 * i + 1], Bytes[3 * i]}; }
    std::vector<uint8_t> Bytes;
    ClassImage Image;
};

SiteRecord Box(int lo, int hi, int cent) {
    SiteRecord s;
    s.Rmin = s.Gmin = s.Bmin = static_cast<uint8_t>(lo);
    s.Rmax = s.Gmax = s.Bmax = static_cast<uint8_t>(hi);
    s.Rcent = s.Gcent = s.Bcent = static_cast<uint8_t>(cent);
    return s;
}
SiteRecord At(int r, int g, int b, double radius = 0.0) {
    SiteRecord s;
    s.Rcent = static_cast<uint8_t>(r), s.Gcent = static_cast<uint8_t>(g);
    s.Bcent = static_cast<uint8_t>(b);
    s.Radius = radius;
    return s;
}

class Classifiers : public EngineTestImage {
  protected:
    ClassRun Run(SiteTable& sites, bool pipeds = false, bool radius = false) {
        ClassRun run;
        run.Sites = &sites;
        run.Colors = TestColors();
        run.Refits = {pipeds, radius};
        return run;
    }
    int Found() const {
        int n = 0;
        for (const auto& m : Rec.Messages)
            n += m.Text == "I found one";
        return n;
    }
};

TEST_F(Classifiers, BoxClassifierTakesExactlyOneBoxElseTheNearestCentreWithinThreeRadii) {
    SiteTable sites{};
    sites[1] = Box(10, 50, 30);
    sites[2] = Box(40, 90, 60);
    sites[4] = Box(100, 120, 0); // no centre: it takes its box minimum
    sites[4].Gmin = 130, sites[4].Gmax = 140, sites[4].Bmin = 150, sites[4].Bmax = 170;
    sites[4].Gcent = 7, sites[4].Bcent = 7;
    sites[5] = At(9, 0, 0); // a red centre keeps green and blue at 0
    const struct {
        Rgb Pixel;
        int Boxed, Nearest; // item 2, item 3 with radius 20 (reach 60)
    } cases[] = {
        {{20, 20, 20}, 1, 1},    {{45, 45, 45}, 0, 1},    {{48, 48, 48}, 0, 2},
        {{60, 60, 120}, 0, 0},   {{60, 60, 119}, 0, 2},   {{0, 0, 0}, 0, 3},
        {{5, 5, 5}, 0, 5},       {{200, 200, 200}, 0, 0}, {{105, 135, 160}, 4, 4},
        {{100, 130, 171}, 0, 4},
    };
    std::vector<Rgb> px;
    for (const auto& c : cases)
        px.push_back(c.Pixel);
    for (int item : {2, 3}) {
        SiteTable run = sites;
        RowImage row(px);
        ClassRun r = Run(run);
        ParallelBoxImage(row.Image, r, item, 20);
        std::array<int32_t, SiteCount> counts{};
        for (size_t i = 0; i < std::size(cases); ++i) {
            const int want = item == 2 ? cases[i].Boxed : cases[i].Nearest;
            ++counts[static_cast<size_t>(want)];
            EXPECT_EQ(row.At(i), PaintOf(want)) << "item " << item << " pixel " << i;
        }
        for (size_t k = 0; k < 10; ++k)
            EXPECT_EQ(run[k].Count, counts[k]) << "item " << item << " class " << k;
        EXPECT_EQ(row.Bytes.back(), 0xEE);
        EXPECT_EQ(run[4].Rcent, 100);
        EXPECT_EQ(run[4].Gcent, 130);
        EXPECT_EQ(run[4].Bcent, 150);
        EXPECT_EQ(run[5].Rcent, 9);
        EXPECT_EQ(run[5].Gcent, 0);
    }
}

TEST_F(Classifiers, UnclassifiedPixelsSeedTheSpareClasses) {
    // With every box cleared no pixel is classified; pixel n (from 1) is (n mod 256, n / 256, 7).
    std::vector<Rgb> px;
    for (int n = 1; n <= 1000; ++n)
        px.push_back({n % 256, n / 256, 7});
    const struct {
        size_t Spare;
        int Pixel; // the last seed that overwrote it
    } cases[] = {{10, 10}, {11, 100}, {12, 200}, {15, 500}, {16, 600}, {19, 900}, {20, 1000}};
    SiteTable sites{};
    RowImage row(px);
    ClassRun r = Run(sites);
    ParallelBoxImage(row.Image, r, 2, 5);
    EXPECT_EQ(sites[0].Count, 1000);
    for (const auto& c : cases) {
        const SiteRecord& s = sites[c.Spare];
        const int red = c.Pixel % 256, green = c.Pixel / 256;
        EXPECT_EQ(s.Count, 1) << c.Spare;
        EXPECT_EQ(s.SumR, 0) << c.Spare;
        EXPECT_EQ((std::array<int, 9>{s.Rcent, s.Rmin, s.Rmax, s.Gcent, s.Gmin, s.Gmax, s.Bcent,
                                      s.Bmin, s.Bmax}),
                  (std::array<int, 9>{red, red, red, green, green, green, 7, 7, 7}))
            << c.Spare;
    }
    // The cluster-as-trained seed opens a box of the cluster radius around the pixel, wrapping.
    px.assign(10, {9, 9, 9});
    px[9] = {5, 100, 250};
    SiteTable cat{};
    for (auto& s : cat)
        s = At(200, 200, 200);
    RowImage catRow(px);
    ClassRun rc = Run(cat);
    ClusterAsTrainedImage(catRow.Image, rc, 15, 9, false);
    const SiteRecord& s = cat[10];
    EXPECT_EQ((std::array<int, 6>{s.Rmin, s.Rmax, s.Gmin, s.Gmax, s.Bmin, s.Bmax}),
              (std::array<int, 6>{246, 20, 85, 115, 235, 9}));
    EXPECT_EQ((std::array<int64_t, 4>{s.Count, s.SumR, s.SumG, s.SumB}),
              (std::array<int64_t, 4>{1, 5, 100, 250}));
}

TEST_F(Classifiers, RadiusRefitsMeasureTheMeanAndSkipEmptyClasses) {
    SiteTable sites{};
    sites[1] = Box(40, 60, 50);
    sites[2] = Box(100, 110, 100);
    sites[2].Radius = 7.0;
    const std::vector<Rgb> px = {{50, 50, 50}, {60, 60, 60}, {45, 40, 41}};
    RowImage box(px);
    ClassRun r = Run(sites, false, true);
    ParallelBoxImage(box.Image, r, 2, 0);
    EXPECT_DOUBLE_EQ(sites[1].Radius, 5.0 / 3.0 + 0.0 + 1.0 / 3.0); // mean (51.67, 50, 50.33)
    EXPECT_DOUBLE_EQ(sites[2].Radius, 7.0);

    sites = {};
    sites[1] = At(50, 50, 50, 1.0);
    sites[2] = At(100, 100, 100, 7.0);
    RowImage near(std::vector<Rgb>{{50, 50, 50}, {60, 60, 60}});
    ClassRun rn = Run(sites);
    ClusterRadiusImage(near.Image, rn, 10, 2);
    EXPECT_DOUBLE_EQ(sites[1].Radius, std::sqrt(75.0));
    EXPECT_DOUBLE_EQ(sites[2].Radius, 7.0);
}

TEST_F(Classifiers, ClusterAsTrainedTakesTheLargestRadiusMargin) {
    SiteTable sites{};
    sites[1] = At(50, 50, 50, 30.0);
    sites[2] = At(100, 100, 100, 120.0);
    // Scores tie at (60, 60, 60): 30 - 30 and 120 - 120.
    const struct {
        Rgb Pixel;
        int Class;
    } cases[] = {
        {{50, 50, 50}, 1}, {{70, 70, 70}, 2}, {{60, 60, 60}, 1}, {{0, 0, 0}, 3},
        {{1, 0, 0}, 0},    {{75, 75, 75}, 2}, {{61, 61, 61}, 2},
    };
    std::vector<Rgb> px;
    for (const auto& c : cases)
        px.push_back(c.Pixel);
    RowImage row(px);
    ClassRun r = Run(sites);
    ClusterAsTrainedImage(row.Image, r, 10, 2, false);
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(row.At(i), PaintOf(cases[i].Class)) << i;
}

TEST_F(Classifiers, NearestCentreClassifiesWithinThreeRadiiOfTheFirstClasses) {
    SiteTable sites{};
    sites[1] = At(50, 50, 50);
    sites[2] = At(100, 100, 100);
    const struct {
        int32_t Radius, MaxClusters;
        Rgb Pixel;
        int Class;
    } cases[] = {
        {10, 2, {50, 50, 50}, 1}, {10, 2, {60, 60, 60}, 1}, {10, 2, {75, 75, 75}, 0},
        {20, 2, {75, 75, 75}, 1}, {10, 2, {50, 50, 80}, 0}, {10, 2, {50, 50, 79}, 1},
        {10, 2, {0, 0, 0}, 0},    {10, 3, {0, 0, 0}, 3},    {10, 25, {0, 0, 0}, 3},
        {10, 0, {50, 50, 50}, 0}, {0, 2, {50, 50, 50}, 0},  {-4, 2, {50, 50, 50}, 0},
    };
    for (const auto& c : cases) {
        SiteTable run = sites;
        RowImage row({c.Pixel});
        ClassRun r = Run(run);
        ClusterRadiusImage(row.Image, r, c.Radius, c.MaxClusters);
        EXPECT_EQ(row.At(0), PaintOf(c.Class))
            << c.Radius << " " << c.MaxClusters << " " << c.Pixel[0];
    }
}

TEST_F(Classifiers, AHugeClusterRadiusReachesEveryColour) {
    // Twelve pixels far from the one class at black, white the farthest colour of all. The
    // class radius 0 leaves them all unclassified by the radius rule, so item 5 first seeds a
    // spare class around the tenth, (1, 2, 3), with the cluster radius.
    std::vector<Rgb> px(12, Rgb{255, 255, 255});
    px[9] = {1, 2, 3};
    const struct {
        int32_t Radius;
        int SpareMin, SpareMax; // the spare class's red box: 1 -+ the radius, modulo 256
    } cases[] = {
        {1'000'000'000, 1, 1}, {1'100'000'000, 1, 1}, {2'000'000'000, 1, 1}, {2'147'483'647, 2, 0}};
    ClassPaintColors = TestColors();
    ClassifierRefits = {};
    for (const auto& c : cases)
        for (int item : {5, 6, 7}) {
            TrainingSites = {};
            TrainingSites[1] = At(0, 0, 0);
            Load(12, px);
            DispatchClassifier(9, item, c.Radius, 0, 0, 1);
            EXPECT_EQ(Shown(), std::vector<Rgb>(px.size(), PaintOf(1)))
                << "item " << item << " radius " << c.Radius;
            EXPECT_EQ(TrainingSites[1].Count, 12) << "item " << item << " radius " << c.Radius;
            if (item != 5) continue;
            EXPECT_EQ((std::array<int, 2>{TrainingSites[10].Rmin, TrainingSites[10].Rmax}),
                      (std::array<int, 2>{c.SpareMin, c.SpareMax}))
                << c.Radius;
        }
    TrainingSites = {};
}

TEST_F(Classifiers, BoxRefitWidensOnlyTowardsThePixelsTaken) {
    SiteTable sites{};
    sites[1] = Box(50, 50, 50);
    RowImage row(std::vector<Rgb>{{45, 50, 52}, {60, 40, 50}, {200, 0, 0}});
    ClassRun r = Run(sites, true, false);
    ClusterRadiusImage(row.Image, r, 10, 1);
    const SiteRecord& s = sites[1];
    EXPECT_EQ((std::array<int, 6>{s.Rmin, s.Rmax, s.Gmin, s.Gmax, s.Bmin, s.Bmax}),
              (std::array<int, 6>{45, 60, 40, 50, 50, 52}));
    EXPECT_EQ(sites[0].Rmin, 0);
    EXPECT_EQ(sites[0].Rmax, 0);
}

TEST_F(Classifiers, IterationsPushCloseCentresApartOncePerPass) {
    const struct {
        int32_t Iterations;
        Rgb Second;       // class 2's centre; class 1 is at (80, 80, 80)
        int Found;        // times message 14 was shown
        Rgb First, Moved; // class 1's and class 2's centres afterwards
        size_t Passes;
    } cases[] = {
        {0, {90, 80, 80}, 1, {1, 2, 3}, {100, 80, 80}, 1},
        {2, {80, 80, 80}, 1, {1, 2, 3}, {80, 80, 80}, 3},
        {0, {80, 80, 120}, 0, {80, 80, 80}, {80, 80, 120}, 1},
        {-1, {90, 80, 80}, 0, {80, 80, 80}, {90, 80, 80}, 0},
    };
    for (const auto& c : cases) {
        SiteTable sites{};
        sites[0] = At(1, 2, 3);
        sites[1] = At(80, 80, 80);
        sites[2] = At(c.Second[0], c.Second[1], c.Second[2]);
        RowImage row(std::vector<Rgb>{{80, 80, 80}});
        ClassRun r = Run(sites);
        Rec.Clear();
        std::vector<std::string> captions;
        IterateClustersImage(row.Image, r, 10, 30, c.Iterations, 2,
                             [&](int32_t p) { captions.push_back(std::to_string(p)); });
        EXPECT_EQ(Found(), c.Found) << c.Iterations;
        EXPECT_EQ(captions.size(), c.Passes) << c.Iterations;
        EXPECT_EQ((Rgb{sites[1].Rcent, sites[1].Gcent, sites[1].Bcent}), c.First);
        EXPECT_EQ((Rgb{sites[2].Rcent, sites[2].Gcent, sites[2].Bcent}), c.Moved);
    }
}

TEST_F(Classifiers, EveryEngineRecoversClustersOfTheWorkingImage) {
    // Three clusters, ten columns each, with a spread of up to 6 per band around their centres.
    const Rgb centres[3] = {{40, 60, 200}, {200, 40, 60}, {90, 180, 90}};
    std::vector<Rgb> px;
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 30; ++x) {
            const Rgb& c = centres[x / 10];
            const int d = (x * 7 + y * 3) % 13 - 6;
            px.push_back({c[0] + d, c[1] - d, c[2] + d / 2});
        }
    SiteTable trained{};
    for (size_t k = 1; k <= 3; ++k) {
        const Rgb& c = centres[k - 1];
        trained[k] = At(c[0], c[1], c[2], 20.0);
        trained[k].Rmin = static_cast<uint8_t>(c[0] - 6), trained[k].Rmax = uint8_t(c[0] + 6);
        trained[k].Gmin = static_cast<uint8_t>(c[1] - 6), trained[k].Gmax = uint8_t(c[1] + 6);
        trained[k].Bmin = static_cast<uint8_t>(c[2] - 3), trained[k].Bmax = uint8_t(c[2] + 3);
    }
    for (size_t k = 4; k <= 9; ++k)
        trained[k] = At(1, 1, 1); // a cleared box matches nothing of the picture
    ClassPaintColors = TestColors();
    ClassifierRefits = {};
    for (int item : {2, 3, 4, 5, 6, 7}) {
        TrainingSites = trained;
        Load(30, px);
        DispatchClassifier(9, item, 10, 5, 1, 3);
        const std::vector<Rgb> shown = Shown();
        for (size_t i = 0; i < shown.size(); ++i)
            ASSERT_EQ(shown[i], PaintOf(static_cast<int>(i % 30 / 10 + 1)))
                << "item " << item << " pixel " << i;
        for (size_t k = 1; k <= 3; ++k)
            EXPECT_EQ(TrainingSites[k].Count, 60) << "item " << item;
    }
    TrainingSites = {};
}

TEST_F(Classifiers, BoxesTrainedOnTheFalseColourPictureClassifyByTheBoxRule) {
    Picture olinda;
    ASSERT_TRUE(ReadPngForTest(TestData("olinda_rgb432.png"), olinda));
    Show(olinda);
    // Water off the coast, the red of dense vegetation, the grey-green of the town.
    TrainThreeClasses({{{300, 309, 300, 309}, {100, 109, 110, 119}, {120, 129, 230, 239}}});
    for (size_t k = 4; k <= 9; ++k)
        TrainingSites[k] = Box(255, 255, 255);
    const SiteTable boxes = TrainingSites;
    ClassPaintColors = TestColors();
    ClassifierRefits = {};
    DispatchClassifier(9, 2, 10, 0, 0, 9);
    std::array<int, 4> seen{};
    for (int y = 0; y < olinda.Height; ++y)
        for (int x = 0; x < olinda.Width; ++x) {
            const uint32_t p = olinda.Pixels[static_cast<size_t>(y * olinda.Width + x)];
            const int r = PixelRed(p), g = PixelGreen(p), b = PixelBlue(p);
            int matches = 0, last = 0;
            for (int k = 1; k <= 3; ++k) {
                const SiteRecord& s = boxes[static_cast<size_t>(k)];
                if (r >= s.Rmin && r <= s.Rmax && g >= s.Gmin && g <= s.Gmax && b >= s.Bmin &&
                    b <= s.Bmax)
                    ++matches, last = k;
            }
            const int want = matches == 1 ? last : 0;
            ++seen[static_cast<size_t>(want)];
            const uint32_t q = DisplayedPicture.Pixels[static_cast<size_t>(y * olinda.Width + x)];
            ASSERT_EQ((Rgb{PixelRed(q), PixelGreen(q), PixelBlue(q)}), PaintOf(want))
                << x << "," << y;
        }
    for (int k = 1; k <= 3; ++k)
        EXPECT_GT(seen[static_cast<size_t>(k)], 100) << k;
    TrainingSites = {};
}

TEST_F(Classifiers, ClassColoursComeFromTheirOptionsAndSwapsNeedTwoClassesAndASiteFile) {
    const auto savedSettings = ColorSettings;
    const auto savedClasses = ClassColors;
    const auto savedRamps = ClassColorRamps;
    for (uint32_t i = 0; i < 8; ++i)
        ColorSettings[i] = 0x100 + i;
    for (uint32_t i = 0; i < 9; ++i) {
        ClassColors[i] = 0x200 + i;
        for (uint32_t e = 0; e < 16; ++e)
            ClassColorRamps[i][e] = 0x1000 * (i + 1) + e;
    }
    ClassPaintColorsFromOptions();
    const ClassColorTable expected = {0x103,  0x200,  0x201,  0x202,  0x203,  0x204,  0x205,
                                      0x206,  0x207,  0x208,  0x104,  0x100F, 0x200F, 0x300F,
                                      0x400F, 0x500F, 0x600F, 0x700F, 0x800F, 0x900F, 0x106};
    EXPECT_EQ(ClassPaintColors, expected);
    ColorSettings = savedSettings;
    ClassColors = savedClasses;
    ClassColorRamps = savedRamps;

    const struct {
        int32_t I, J;
        bool File, Swapped;
    } cases[] = {{2, 5, true, true},   {2, 15, true, true}, {3, 3, true, false},
                 {2, 5, false, false}, {0, 5, true, false}, {2, 21, true, false}};
    for (const auto& c : cases) {
        SiteTable sites{};
        sites[static_cast<size_t>(std::clamp(c.I, 0, 20))] = At(1, 2, 3, 4.0);
        Rec.Clear();
        EXPECT_EQ(SwapSiteClasses(sites, c.I, c.J, c.File), c.Swapped);
        EXPECT_EQ(Rec.Shown(13), !c.Swapped);
        if (c.Swapped)
            EXPECT_EQ(sites[static_cast<size_t>(c.J)].Radius, 4.0);
        else
            EXPECT_EQ(sites[static_cast<size_t>(std::clamp(c.I, 0, 20))].Radius, 4.0);
    }
}

} // namespace
