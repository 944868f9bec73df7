// The real six-band scene (tests/data/landsat7-olinda, 349 x 352, ETM+ bands 1-5 and 7 in the
// files b1 .. b6): products checked against their formulas worked out here.
#include "bandproc/vUPrepare.h"
#include "shell/vGlobal.h"

#include "BandFixture.h"

#include <cmath>

namespace {

constexpr int W = 349, H = 352;

class OlindaTest : public BandTest {
  protected:
    void SetUp() override {
        BandTest::SetUp();
        Subset(0, 0, W, H);
        for (int b = 0; b < 6; ++b)
            Scene[b] =
                FileBytes(BandData("landsat7-olinda/olinda_b" + std::to_string(b + 1) + ".raw"));
    }
    std::string Path(int band) const {
        return BandData("landsat7-olinda/olinda_b" + std::to_string(band + 1) + ".raw");
    }
    Bytes Scene[6];
};

TEST_F(OlindaTest, NormalisedDifferenceAndRatioOfBandsFourAndThree) {
    const Bytes &nir = Scene[3], &red = Scene[2];
    ASSERT_EQ(nir.size(), static_cast<size_t>(W * H));
    SelectedBandFiles[0] = SelectedBandFiles[3] = Path(3);
    SelectedBandFiles[1] = SelectedBandFiles[2] = Path(2);
    TVegetationParams p;
    p.FileEdit = "olinda";
    p.AutoRange = true;
    ASSERT_TRUE(VegetationIndexAB(1, p));
    ASSERT_TRUE(MultiBandFileAlgebra(3, false, 3, 2, "olinda"));
    std::vector<double> v(nir.size());
    double lo = 255.0, hi = 0.0;
    for (size_t i = 0; i < v.size(); ++i) {
        const double s = nir[i] + red[i];
        v[i] = s == 0 ? 0.0 : (nir[i] - static_cast<double>(red[i])) / s;
        lo = std::min(lo, v[i]);
        hi = std::max(hi, v[i]);
    }
    ASSERT_LT(lo, 0.0);
    ASSERT_GT(hi, 0.0);
    const Bytes ndvi = Product("olinda.pv1"), ratio = Product("olinda.pfd");
    ASSERT_EQ(ndvi.size(), nir.size());
    ASSERT_EQ(ratio.size(), nir.size());
    for (size_t i = 0; i < v.size(); ++i) {
        const double mapped = std::nearbyint((v[i] - lo) / ((hi - lo) / 255.0));
        ASSERT_EQ(ndvi[i], static_cast<uint8_t>(mapped)) << i;
        const int q = red[i] == 0 ? 0 : nir[i] / red[i];
        ASSERT_EQ(ratio[i], std::min(q, 255)) << i;
    }
}

TEST_F(OlindaTest, SixBandTasselledCapAtRandomPixels) {
    // Published at-satellite reflectance coefficients for ETM+, bands 1, 2, 3, 4, 5, 7:
    // brightness, greenness, wetness and the fourth component.
    const std::array<double, 24> c = {0.3561,  0.3972,  0.3904,  0.6966,  0.2286,  0.1596,
                                      -0.3344, -0.3544, -0.4556, 0.6966,  -0.0242, -0.2630,
                                      0.2626,  0.2141,  0.0926,  0.0656,  -0.7629, -0.5388,
                                      0.0805,  -0.0498, 0.1950,  -0.1327, 0.4346,  -0.8085};
    const int slots[] = {0, 1, 2, 3, 4, 7};
    for (int b = 0; b < 6; ++b)
        SelectedBandFiles[slots[b]] = Path(b);
    ASSERT_TRUE(TasselledCapBands(TasselledCapSet::SixBands, c, "olinda.kt"));
    const Bytes out[4] = {Product("olinda.pts"), Product("olinda.ptg"), Product("olinda.pty"),
                          Product("olinda.ptn")};
    uint32_t seed = 2024;
    int nonZero[4] = {};
    for (int n = 0; n < 100; ++n) {
        seed = seed * 1664525u + 1013904223u;
        const size_t i = (seed >> 8) % (W * H);
        for (int p = 0; p < 4; ++p) {
            double s = 0;
            for (int b = 0; b < 6; ++b)
                s += c[p * 6 + b] * Scene[b][i];
            const int expected = static_cast<int>(std::nearbyint(std::clamp(s, 0.0, 255.0)));
            ASSERT_EQ(out[p][i], expected) << "product " << p << " pixel " << i;
            nonZero[p] += expected != 0;
        }
    }
    EXPECT_GT(nonZero[0], 90);
    EXPECT_GT(nonZero[1] + nonZero[2] + nonZero[3], 0);
}

TEST_F(OlindaTest, EightTilesJoinBackIntoTheBand) {
    Band("olinda.b4", Scene[3], 0);
    std::vector<std::string> list, processed;
    ASSERT_TRUE(QuadDivide(3, list));
    ASSERT_EQ(list.size(), 24u);
    auto tile = [&](int t) { return Dir.File(list[3 * (t - 1)]); };
    std::string halves[2];
    for (int h = 0; h < 2; ++h) {
        const int first = 1 + 2 * h;
        SelectedBandFiles = {tile(first), tile(first + 1), tile(first + 4), tile(first + 5)};
        halves[h] = "half.b4";
        ASSERT_TRUE(CombineFour(list, processed, halves[h]));
    }
    list.insert(list.end(), {halves[0], "174", "352", halves[1], "175", "352"});
    SelectedBandFiles = {Dir.File(halves[0]), Dir.File(halves[1])};
    std::string whole = "whole.b4";
    ASSERT_TRUE(CombineTwoHorizontal(list, processed, whole));
    EXPECT_EQ(Product(whole), Scene[3]);
    EXPECT_EQ(processed, (std::vector<std::string>{halves[0], halves[1], whole}));
}

} // namespace
