// The cluster classifiers on a real picture: whatever the number of passes, and whether the
// cluster-radius engine follows the one by radius, every pixel takes the class its own colour
// gives, and Undo gives back the picture as it was before the run.
#include "classify/SiteTraining.h"
#include "classify/vClassDispatch.h"
#include "classify/vClassifiers.h"
#include "support/EngineTestImage.h"
#include "support/PngTestReader.h"
#include "support/TestFiles.h"

#include <cmath>

namespace {

// Unclassified pixels are painted black, as with the program's own colours: a pass that read
// the paint would take them for a colour of the picture.
constexpr uint32_t Paint[4] = {0x000000, 0x2080F0, 0xF04010, 0x10E0E0};
constexpr int Classes = 3;
constexpr int32_t Radius = 15;

Rgb PaintRgb(int k) {
    const uint32_t c = Paint[k];
    return {static_cast<int>(c & 0xFF), static_cast<int>(c >> 8 & 0xFF),
            static_cast<int>(c >> 16 & 0xFF)};
}

// The nearest of classes 1..3 by Euclidean distance, closer than three cluster radii; ties to
// the lower class.
int NearestClass(const SiteTable& sites, int r, int g, int b) {
    int best = 0;
    double bestD = 3.0 * Radius;
    for (int k = 1; k <= Classes; ++k) {
        const SiteRecord& s = sites[static_cast<size_t>(k)];
        const double d = std::sqrt(std::pow(s.Rcent - r, 2.0) + std::pow(s.Gcent - g, 2.0) +
                                   std::pow(s.Bcent - b, 2.0));
        if (d < bestD) best = k, bestD = d;
    }
    return best;
}

class ClusterPasses : public EngineTestImage {};

TEST_F(ClusterPasses, EveryPassClassifiesThePictureAsItWasBeforeTheRun) {
    Picture aero;
    ASSERT_TRUE(ReadPngForTest(TestData("aero1.png"), aero));
    Show(aero);
    // Forest on the right, the lake at the bottom, the sand pit at the bottom right.
    TrainThreeClasses({{{520, 559, 320, 359}, {190, 229, 445, 464}, {470, 509, 400, 419}}});
    // The centres typed in at the rectangles' means.
    for (size_t k = 1; k <= Classes; ++k) {
        SiteRecord& s = TrainingSites[k];
        s.Rcent = static_cast<uint8_t>(s.SumR / s.Count);
        s.Gcent = static_cast<uint8_t>(s.SumG / s.Count);
        s.Bcent = static_cast<uint8_t>(s.SumB / s.Count);
    }
    const SiteTable trained = TrainingSites;
    ClassPaintColors = {};
    for (size_t k = 0; k <= Classes; ++k)
        ClassPaintColors[k] = Paint[k];
    ClassifierRefits = {};

    const struct { int32_t Classifier, Iterations; } cases[] = {{5, 1}, {7, 0}, {7, 1}, {7, 2}};
    for (const auto& c : cases) {
        TrainingSites = trained;
        Show(aero);
        DispatchClassifier(9, c.Classifier, Radius, 30, c.Iterations, Classes);
        // The last pass ran on the centres the table ends with.
        int64_t count[Classes + 1] = {}, sum[Classes + 1][3] = {};
        for (size_t i = 0; i < aero.Pixels.size(); ++i) {
            const uint32_t p = aero.Pixels[i];
            const int r = PixelRed(p), g = PixelGreen(p), b = PixelBlue(p);
            const int k = NearestClass(TrainingSites, r, g, b);
            ++count[k];
            sum[k][0] += r, sum[k][1] += g, sum[k][2] += b;
            const uint32_t q = DisplayedPicture.Pixels[i];
            ASSERT_EQ((Rgb{PixelRed(q), PixelGreen(q), PixelBlue(q)}), PaintRgb(k))
                << "item " << c.Classifier << " iterations " << c.Iterations << " pixel " << i;
        }
        for (size_t k = 0; k <= Classes; ++k) {
            const SiteRecord& s = TrainingSites[k];
            EXPECT_EQ(s.Count, count[k]) << c.Classifier << "/" << c.Iterations << " class " << k;
            EXPECT_EQ((std::array<int64_t, 3>{s.SumR, s.SumG, s.SumB}),
                      (std::array<int64_t, 3>{sum[k][0], sum[k][1], sum[k][2]}));
            if (count[k] == 0) continue;
            const double n = static_cast<double>(count[k]);
            const double radius = std::sqrt(std::pow(s.Rcent - sum[k][0] / n, 2.0) +
                                            std::pow(s.Gcent - sum[k][1] / n, 2.0) +
                                            std::pow(s.Bcent - sum[k][2] / n, 2.0));
            EXPECT_NEAR(s.Radius, radius, 1e-9) << c.Classifier << " class " << k;
        }
        // Every class takes a real share of the picture, so the check above is no empty one.
        for (size_t k = 1; k <= Classes; ++k)
            EXPECT_GT(count[k], 1000) << c.Classifier << " class " << k;
        UndoImage();
        EXPECT_EQ(DisplayedPicture.Pixels, aero.Pixels) << c.Classifier << "/" << c.Iterations;
    }
    TrainingSites = {};
}

} // namespace
