#include "bandproc/vPCA.h"

#include "bandproc/vRowFrame.h"
#include "bandproc/vUPrepare.h"
#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "shell/vGlobalHooks.h"
#include "shell/vGlobalMessages.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numeric>

const char* const HintPCA = "Processing PCA";

std::vector<StatsRecord> PCAStats;

namespace {

constexpr int NoConvergenceMessage = 39962;

// The solver leaves an off-diagonal entry alone while it is at most tolerance x the sum of the
// squared diagonal entries. Taken as it stands, the page's tolerance (never below 1.0) puts that
// bound above every entry of a covariance matrix whose variances pass 1, so nothing would ever
// be rotated and each band would be reported as its own component. The page's value is read in
// these units of the diagonal's norm instead: the default of 200 stops at entries of 2e-8 of it,
// still coarser than the rotation formula can resolve (about 5e-9 of a diagonal difference), so
// the sweeps end.
constexpr double PCAToleranceScale = 1e-10;

} // namespace

std::string PCAStatsLine(const StatsRecord& s) {
    return "SD " + FloatToStr(s.SD) + " Variance " + FloatToStr(s.Variance) + " Min " +
           IntToStr(s.Min) + " Max " + IntToStr(s.Max) + " Mean " + IntToStr(s.Mean) + " Median " +
           IntToStr(s.Median) + " Mode " + IntToStr(s.Mode) + " Sum " + IntToStr(s.Sum) + " Num " +
           IntToStr(s.Num) + " Range " + IntToStr(s.Range);
}

std::string PCACovarianceLine(const std::vector<double>& row) {
    std::string line;
    for (double v : row)
        line += FloatToStr(v) + " ";
    return line;
}

void BandCovariance(const std::vector<std::string>& paths, const TBandGeometry& g,
                    std::vector<std::vector<double>>& covariance, const RowProgress& progress) {
    const size_t n = paths.size();
    std::vector<TBandReader> readers;
    for (const auto& p : paths)
        readers.emplace_back(p, g.W, g.H);
    std::vector<uint8_t> rows(n * static_cast<size_t>(g.W));
    // Sums of samples and of sample products: at most 2^16 per pixel and 2^36 pixels, so 64 bits
    // hold them exactly.
    std::vector<int64_t> sums(n, 0), products(n * n, 0);
    for (int64_t y = 0; y < g.H; ++y) {
        for (size_t i = 0; i < n; ++i)
            readers[i].ReadRow(rows.data() + i * g.W);
        for (size_t i = 0; i < n; ++i) {
            const uint8_t* a = rows.data() + i * g.W;
            int64_t s = 0;
            for (int64_t k = 0; k < g.W; ++k)
                s += a[k];
            sums[i] += s;
            for (size_t j = i; j < n; ++j) {
                const uint8_t* b = rows.data() + j * g.W;
                int64_t p = 0;
                for (int64_t k = 0; k < g.W; ++k)
                    p += int32_t{a[k]} * b[k];
                products[i * n + j] += p;
            }
        }
        if (progress) progress(RowGauge(y + 1, g.H));
    }
    if (progress) progress(0);
    covariance.assign(n, std::vector<double>(n, 0.0));
    const __int128 N = g.W * g.H;
    if (N <= 1) return;
    for (size_t i = 0; i < n; ++i)
        for (size_t j = i; j < n; ++j) {
            // N * sum(ab) - sum(a) * sum(b) is exact in 128 bits; one rounding at the end.
            const __int128 numerator = N * products[i * n + j] - __int128{sums[i]} * sums[j];
            const double c = static_cast<double>(static_cast<long double>(numerator) /
                                                 static_cast<long double>(N * (N - 1)));
            covariance[i][j] = covariance[j][i] = c;
        }
}

bool PCABandStatistics(const std::vector<std::string>& files, const TBandGeometry& g,
                       TStatsReference& reference, std::vector<std::string>& report,
                       const RowProgress& progress, const BandCountedFn& counted) {
    const size_t n = files.size();
    PCAStats.assign(n, StatsRecord());
    for (size_t i = 0; i < n; ++i) {
        SelectedBandFiles[0] = files[i];
        const std::string hint = "Processing: " + ExtractFileName(files[i]);
        HookBandHints(hint);
        TBandBlock block;
        BandHistogram counts{};
        if (!LoadBandBlock(files[i], g.W, g.H, block, counts, progress)) return false;
        if (counted) counted(files[i], block, counts);
        PCAStats[i] = DoAllStats(counts, g.W * g.H, reference);
        report.push_back(hint);
        report.push_back(PCAStatsLine(PCAStats[i]));
    }
    std::vector<std::vector<double>> covariance;
    BandCovariance(files, g, covariance, progress);
    report.push_back("CoVariance ");
    for (size_t i = 0; i < n; ++i) {
        PCAStats[i].CoVariance = covariance[i];
        report.push_back(PCACovarianceLine(covariance[i]));
    }
    return true;
}

uint8_t DoPCA(int32_t n, int32_t maxIterations, double tolerance,
              std::vector<std::string>& report) {
    Matrix9 a{};
    for (int32_t i = 0; i < n && i < static_cast<int32_t>(PCAStats.size()); ++i)
        for (int32_t j = 0; j < n && j < static_cast<int32_t>(PCAStats[i].CoVariance.size()); ++j)
            a[i][j] = PCAStats[i].CoVariance[j];
    maxIterations = std::max(maxIterations, 1);
    double diagonal = 0.0;
    for (int32_t i = 0; i < n && i < 9; ++i)
        diagonal += a[i][i] * a[i][i];
    // Bands of one value each have nothing to rotate; any tolerance the solver accepts will do.
    tolerance =
        diagonal > 0.0 ? std::max(tolerance, 1.0) * PCAToleranceScale / std::sqrt(diagonal) : 1.0;
    uint8_t result = 0;
    int32_t iterations = 0;
    JacobiEigen(n, a, maxIterations, result, iterations, PCAEigenvectors, PCAEigenvalues,
                tolerance);
    if (result == jrTooManySweeps) ShowMessageNumber(NoConvergenceMessage);
    if (result != jrSuccess) return result;
    // The solver leaves the pairs in index order; the strongest component comes first.
    std::array<int, 9> order{};
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.begin() + n,
                     [](int x, int y) { return PCAEigenvalues[x] > PCAEigenvalues[y]; });
    const Matrix9 vectors = PCAEigenvectors;
    const Vector9 values = PCAEigenvalues;
    for (int32_t i = 0; i < n; ++i) {
        PCAEigenvectors[i] = vectors[order[i]];
        PCAEigenvalues[i] = values[order[i]];
    }
    for (int32_t i = 0; i < n; ++i) {
        std::string line = "Eigenvectors " + IntToStr(i + 1) + ": ";
        for (int32_t k = 0; k < n; ++k)
            line += FloatToStr(PCAEigenvectors[i][k]) + " , ";
        report.push_back(line);
    }
    for (int32_t i = 0; i < n; ++i) {
        report.push_back("Eigenvalues " + IntToStr(i + 1) + ": " + FloatToStr(PCAEigenvalues[i]));
        if (i < static_cast<int32_t>(PCAStats.size())) PCAStats[i].Eigenvalue = PCAEigenvalues[i];
    }
    return result;
}

namespace {

// Products: ".pcn" first, then the n components.
struct TComponentWeights {
    std::array<std::array<double, 9>, 10> W{};
};

// The running extremes of one product; the maximum starts at the smallest positive double, so
// a product of negative values only keeps a maximum just above 0.
struct TComponentRange {
    double Minimum = 1.7E308;
    double Maximum = std::numeric_limits<double>::denorm_min();
    void Take(double v) {
        if (v < Minimum) Minimum = v;
        if (v > Maximum) Maximum = v;
    }
    // A product of one value everywhere has no range and is written as 0.
    uint8_t Map(double v) const {
        const double span = Maximum - Minimum;
        return span > 0.0 ? ProductByte((v - Minimum) * 255.0 / span) : uint8_t{0};
    }
};

// The values of one product over a row, summed band by band in band order: each band's pass
// over the row is a plain multiply-add the compiler vectorises.
void ProductRow(int n, int64_t w, const uint8_t* const* in, const double* weights, double* v) {
    std::fill(v, v + w, 0.0);
    for (int i = 0; i < n; ++i) {
        const uint8_t* s = in[i];
        const double weight = weights[i];
        for (int64_t k = 0; k < w; ++k)
            v[k] += s[k] * weight;
    }
}

} // namespace

bool PCABands(int32_t n, const std::vector<std::string>& inputs) {
    static const char* const ext[] = {".pc1", ".pc2", ".pc3", ".pc4", ".pc5",
                                      ".pc6", ".pc7", ".pc8", ".pc9"};
    if (n < 1 || n > PCAMaxBands || static_cast<int32_t>(inputs.size()) < n) return false;
    const std::vector<std::string> bands(inputs.begin(), inputs.begin() + n);
    std::vector<std::string> products = {ChangeFileExt(inputs[0], ".pcn")};
    for (int32_t k = 0; k < n; ++k)
        products.push_back(ChangeFileExt(inputs[k], ext[k]));
    if (RefuseProducts(products, bands)) return false;
    TBandGeometry g;
    if (!SubsetGeometry(SubsetBounds, g)) return false;
    TComponentWeights cw;
    for (int32_t i = 0; i < n; ++i) {
        cw.W[0][i] = i < static_cast<int32_t>(PCAStats.size()) ? PCAStats[i].Eigenvalue : 0.0;
        for (int32_t k = 0; k < n; ++k)
            cw.W[k + 1][i] = PCAEigenvectors[k][i];
    }
    TRowFrame f(g, HintPCA);
    HookProcessMessages();
    const uint8_t* in[PCAMaxBands] = {};
    for (int32_t i = 0; i < n; ++i)
        in[i] = f.AddInput(inputs[i]);
    uint8_t* out[PCAMaxBands + 1] = {};
    for (int32_t p = 0; p <= n; ++p)
        out[p] = f.AddProduct(products[static_cast<size_t>(p)]);
    std::array<TComponentRange, PCAMaxBands + 1> range{};
    std::vector<double> values(static_cast<size_t>(g.W));
    double* v = values.data();
    f.Pass([&](int64_t) {
        for (int p = 0; p <= n; ++p) {
            ProductRow(n, g.W, in, cw.W[p].data(), v);
            for (int64_t k = 0; k < g.W; ++k)
                range[p].Take(v[k]);
        }
    });
    f.Rewind();
    f.Pass([&](int64_t) {
        for (int p = 0; p <= n; ++p) {
            ProductRow(n, g.W, in, cw.W[p].data(), v);
            for (int64_t k = 0; k < g.W; ++k)
                out[p][k] = range[p].Map(v[k]);
            f.Write(static_cast<size_t>(p));
        }
    });
    f.Commit();
    return true;
}
