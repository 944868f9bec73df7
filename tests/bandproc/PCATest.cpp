// Principal components: the report of a small case written out by hand, the component products'
// two-pass stretch, and the six Olinda bands checked against a covariance worked out here.
#include "bandproc/vPCA.h"

#include "BandFixture.h"

#include <cmath>
#include <limits>

namespace {

class PCATest : public BandTest {
  protected:
    void TearDown() override {
        PCAStats.clear();
        PCAEigenvectors = {};
        PCAEigenvalues = {};
        BandTest::TearDown();
    }
    TStatsReference Ref;
};

TEST_F(PCATest, ReportOfTwoCorrelatedBands) {
    Subset(0, 0, 3, 1);
    const std::vector<std::string> files = {Band("a.B1", {0, 1, 2}), Band("b.B2", {1, 0, 2})};
    std::vector<std::string> report;
    ASSERT_TRUE(PCABandStatistics(files, {3, 1, 0, 0}, Ref, report, nullptr));
    ASSERT_EQ(DoPCA(2, 200, 200.0, report), jrSuccess);
    const std::vector<std::string> want = {
        "Processing: a.B1",
        "SD 1 Variance 1 Min 0 Max 2 Mean 1 Median 1 Mode 0 Sum 3 Num 3 Range 3",
        "Processing: b.B2",
        "SD 1 Variance 1 Min 0 Max 2 Mean 1 Median 1 Mode 0 Sum 3 Num 3 Range 3",
        "CoVariance ",
        "1 0.5 ",
        "0.5 1 ",
        "Eigenvectors 1: 1 , 1 , ",
        "Eigenvectors 2: 1 , -1 , ",
        "Eigenvalues 1: 1.5",
        "Eigenvalues 2: 0.5",
    };
    EXPECT_EQ(report, want);
    EXPECT_EQ(SelectedBandFiles[0], files[1]);
    EXPECT_EQ(Rec.BandHints, (std::vector<std::string>{"Processing: a.B1", "Processing: b.B2"}));

    // .pcn weighs a by 1.5 and b by 0.5: 0.5, 1.5, 4 stretched over 0.5..4; the components are
    // a + b (1, 1, 4) and a - b (-1, 1, 0, whose middle lands on 127.5 and goes to even).
    ASSERT_TRUE(PCABands(2, files));
    EXPECT_EQ(Product("a.pcn"), (Bytes{0, 73, 255}));
    EXPECT_EQ(Product("a.pc1"), (Bytes{0, 0, 255}));
    EXPECT_EQ(Product("b.pc2"), (Bytes{0, 255, 128}));
    EXPECT_EQ(Rec.BandHints.back(), "Processing PCA");
}

TEST_F(PCATest, SingleBandProductsAndTheirStretch) {
    Subset(0, 0, 3, 1);
    struct Case {
        const char* name;
        Bytes band;
        double weight, eigenvalue;
        Bytes pc1, pcn;
    };
    // A negative weight makes every value negative: the maximum stays just above 0, so the
    // brightest pixel is (-10 + 30) x 255 / 30 = 170. One value everywhere has no range: 0.
    const Case cases[] = {
        {"positive", {10, 20, 30}, 0.5, 2.0, {0, 128, 255}, {0, 128, 255}},
        {"negative", {10, 20, 30}, -1.0, 2.0, {170, 85, 0}, {0, 128, 255}},
        {"constant", {7, 7, 7}, 1.0, 0.0, {0, 0, 0}, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = Band("x.B1", c.band);
        PCAStats.assign(1, StatsRecord());
        PCAStats[0].Eigenvalue = c.eigenvalue;
        PCAEigenvectors[0][0] = c.weight;
        ASSERT_TRUE(PCABands(1, {path}));
        EXPECT_EQ(Product("x.pc1"), c.pc1);
        EXPECT_EQ(Product("x.pcn"), c.pcn);
    }
    EXPECT_FALSE(PCABands(0, {}));
    EXPECT_FALSE(PCABands(2, {Dir.File("x.B1")}));
}

TEST_F(PCATest, CovarianceOfOnePixelIsZero) {
    const std::vector<std::string> files = {Band("a.B1", {9}), Band("b.B2", {4})};
    std::vector<std::vector<double>> cov;
    BandCovariance(files, {1, 1, 0, 0}, cov, nullptr);
    EXPECT_EQ(cov, (std::vector<std::vector<double>>{{0, 0}, {0, 0}}));
}

constexpr int W = 349, H = 352, N = W * H;

TEST_F(PCATest, OlindaSixBandPrincipalComponents) {
    Subset(0, 0, W, H);
    std::vector<std::string> files;
    Bytes scene[6];
    for (int b = 0; b < 6; ++b) {
        scene[b] = FileBytes(BandData("landsat7-olinda/olinda_b" + std::to_string(b + 1) + ".raw"));
        ASSERT_EQ(scene[b].size(), static_cast<size_t>(N));
        files.push_back(Band("olinda.B" + std::to_string(b + 1), scene[b]));
    }
    std::vector<std::string> report;
    ASSERT_TRUE(PCABandStatistics(files, {W, H, 0, 0}, Ref, report, nullptr));
    ASSERT_EQ(DoPCA(6, 200, 200.0, report), jrSuccess) << Rec.Summary();
    ASSERT_EQ(report.size(), 12u + 7u + 12u);
    EXPECT_EQ(report[12], "CoVariance ");
    EXPECT_EQ(report[19].rfind("Eigenvectors 1: ", 0), 0u);
    EXPECT_EQ(report[25].rfind("Eigenvalues 1: ", 0), 0u);

    // The covariance from the means, in long double.
    long double mean[6] = {};
    for (int b = 0; b < 6; ++b) {
        for (uint8_t v : scene[b])
            mean[b] += v;
        mean[b] /= N;
    }
    double cov[6][6];
    for (int i = 0; i < 6; ++i)
        for (int j = 0; j < 6; ++j) {
            long double s = 0;
            for (int k = 0; k < N; ++k)
                s += (scene[i][k] - mean[i]) * (scene[j][k] - mean[j]);
            cov[i][j] = static_cast<double>(s / (N - 1));
            EXPECT_NEAR(PCAStats[i].CoVariance[j], cov[i][j], 1e-12 * (1.0 + std::fabs(cov[i][j])));
        }
    double trace = 0;
    for (int i = 0; i < 6; ++i) {
        trace += cov[i][i];
        // The per-band variance is taken about the rounded mean; the covariance's diagonal about
        // the exact one, so they differ by at most 0.25 x N / (N - 1).
        EXPECT_NEAR(PCAStats[i].Variance, cov[i][i], 0.2501);
    }
    double sum = 0;
    for (int k = 0; k < 6; ++k) {
        const double lambda = PCAEigenvalues[k];
        sum += lambda;
        EXPECT_DOUBLE_EQ(PCAStats[k].Eigenvalue, lambda);
        if (k > 0) {
            EXPECT_GE(PCAEigenvalues[k - 1], lambda);
        }
        double norm = 0;
        for (int i = 0; i < 6; ++i)
            norm += PCAEigenvectors[k][i] * PCAEigenvectors[k][i];
        for (int i = 0; i < 6; ++i) {
            double av = 0;
            for (int j = 0; j < 6; ++j)
                av += cov[i][j] * PCAEigenvectors[k][j];
            EXPECT_NEAR(av, lambda * PCAEigenvectors[k][i], 1e-7 * trace * std::sqrt(norm))
                << "component " << k + 1 << " row " << i;
        }
    }
    EXPECT_NEAR(sum, trace, 1e-9 * trace);
    EXPECT_GT(PCAEigenvalues[0], 0.5 * trace);

    ASSERT_TRUE(PCABands(6, files));
    const char* names[7] = {"olinda.pcn", "olinda.pc1", "olinda.pc2", "olinda.pc3",
                            "olinda.pc4", "olinda.pc5", "olinda.pc6"};
    for (int p = 0; p < 7; ++p) {
        SCOPED_TRACE(names[p]);
        double w[6];
        for (int i = 0; i < 6; ++i)
            w[i] = p == 0 ? PCAEigenvalues[i] : PCAEigenvectors[p - 1][i];
        std::vector<double> v(N);
        double lo = 1.7E308, hi = std::numeric_limits<double>::denorm_min();
        for (int k = 0; k < N; ++k) {
            double s = 0;
            for (int i = 0; i < 6; ++i)
                s += scene[i][k] * w[i];
            v[k] = s;
            lo = std::min(lo, s);
            hi = std::max(hi, s);
        }
        const Bytes out = Product(names[p]);
        ASSERT_EQ(out.size(), static_cast<size_t>(N));
        int darkest = 255, brightest = 0;
        for (int k = 0; k < N; ++k) {
            const double mapped = std::nearbyint((v[k] - lo) * 255.0 / (hi - lo));
            ASSERT_EQ(out[k], static_cast<uint8_t>(std::clamp(mapped, 0.0, 255.0))) << k;
            darkest = std::min<int>(darkest, out[k]);
            brightest = std::max<int>(brightest, out[k]);
        }
        EXPECT_EQ(darkest, 0);
        // A product with positive values reaches white; one of negative values only stays below.
        if (hi > 1.0) {
            EXPECT_EQ(brightest, 255);
        }
    }
}

} // namespace
