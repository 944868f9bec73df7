#include "bandproc/vFFTWork.h"
#include "runtime/RtErrors.h"
#include "runtime/RtFiles.h"
#include "support/RecordingHooks.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <functional>
#include <numbers>
#include <numeric>
#include <random>
#include <set>
#include <utility>
#include <vector>

namespace {

using Grid = std::vector<uint8_t>; // row y, column x at y * n + x

struct Workbench {
    TFFTSpectrum S;
    Picture Spectrum, Output;
    std::vector<std::string> Stages;
    TFFTReport Report{[this](const std::string& t) { Stages.push_back(t); }, nullptr};
};

void Load(TFFTSpectrum& s, const Grid& g, int32_t n) {
    s.Resize(n);
    for (int32_t y = 0; y < n; ++y)
        for (int32_t x = 0; x < n; ++x) {
            s.ReAt(x, y) = g[static_cast<size_t>(y) * n + x];
            s.SampleSum += g[static_cast<size_t>(y) * n + x];
        }
}

// Runs the band path and returns the grey result.
Grid BandRun(Workbench& r, const Grid& g, int32_t n, const TFFTSettings& t) {
    Load(r.S, g, n);
    EXPECT_TRUE(ProcessFFTBand(r.S, t, r.Spectrum, r.Report));
    ShowFFTResult(r.S, r.Output, r.Report);
    Grid out(g.size());
    for (int32_t y = 0; y < n; ++y)
        for (int32_t x = 0; x < n; ++x)
            out[static_cast<size_t>(y) * n + x] = PixelRed(r.Output.At(x, y));
    return out;
}

Grid Noise(int32_t n, uint32_t seed) {
    std::mt19937 gen(seed);
    Grid g(static_cast<size_t>(n) * n);
    for (auto& v : g)
        v = static_cast<uint8_t>(gen() >> 24);
    return g;
}

template <class F> Grid Make(int32_t n, F value) {
    Grid g(static_cast<size_t>(n) * n);
    for (int32_t y = 0; y < n; ++y)
        for (int32_t x = 0; x < n; ++x)
            g[static_cast<size_t>(y) * n + x] = static_cast<uint8_t>(std::nearbyint(value(x, y)));
    return g;
}

// The mean, over columns, of the variance of the values down each column.
double RowToRowVariance(const Grid& g, int32_t n) {
    double total = 0.0;
    for (int32_t x = 0; x < n; ++x) {
        double sum = 0.0, sum2 = 0.0;
        for (int32_t y = 0; y < n; ++y) {
            const double v = g[static_cast<size_t>(y) * n + x];
            sum += v;
            sum2 += v * v;
        }
        total += sum2 / n - (sum / n) * (sum / n);
    }
    return total / n;
}

TEST(FFTWorkbench, SizeMessages) {
    const struct {
        int64_t W, H;
        int Message;
    } cases[] = {{500, 500, 0},       {2048, 2048, 0},   {2049, 2049, 0},     {2050, 2050, 39961},
                 {4096, 4096, 39961}, {256, 128, 39959}, {4096, 2048, 39959}, {0, 0, 36},
                 {1, 1, 36},          {2, 2, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(FFTSizeMessage(c.W, c.H), c.Message) << c.W << " x " << c.H;
}

// "None" then the inverse gives the data back, scaled onto 0..255 by its own range, whichever
// sign the forward passes take.
TEST(FFTWorkbench, NoneAndInverseReturnTheInput) {
    RecordingHooks rec;
    const Grid full = Noise(64, 7);
    Grid narrow = Noise(32, 9);
    for (auto& v : narrow)
        v = static_cast<uint8_t>(40 + v % 100);
    for (const bool inverse : {false, true}) {
        Workbench a, b;
        const TFFTSettings t{ffNone, 53, 123, inverse, false};
        EXPECT_EQ(BandRun(a, full, 64, t), full) << inverse;
        const Grid out = BandRun(b, narrow, 32, t);
        const auto [lo, hi] = std::minmax_element(narrow.begin(), narrow.end());
        for (size_t k = 0; k < narrow.size(); ++k)
            ASSERT_EQ(out[k], std::nearbyint((narrow[k] - *lo) * 255.0 / (*hi - *lo))) << k;
    }
    EXPECT_TRUE(rec.Messages.empty());
}

TEST(FFTWorkbench, LowPassRemovesHorizontalStripes) {
    RecordingHooks rec;
    const int32_t n = 64;
    // Stripes four rows apart (frequency 16 down the columns) over a slow ramp across them.
    const Grid g = Make(n, [](int x, int y) {
        return 128.0 + 60.0 * std::cos(2.0 * std::numbers::pi * x / 64.0) + (y % 4 < 2 ? 50 : -50);
    });
    Workbench r;
    const Grid out = BandRun(r, g, n, {ffLowPass, 8, 123, false, false});
    EXPECT_GT(RowToRowVariance(g, n), 2000.0);
    EXPECT_LT(RowToRowVariance(out, n), 1.0);
    // The ramp across the stripes stays, stretched onto the whole range.
    EXPECT_EQ(out[0], 255);
    EXPECT_EQ(out[32], 0);
}

// A single sinusoid lights exactly its frequency and its mirror; with the centroid on, the
// zero frequency sits at (h - 1, h - 1).
TEST(FFTWorkbench, SinusoidSpectrumPeaksAtItsFrequency) {
    RecordingHooks rec;
    const struct {
        int32_t N, Fx, Fy;
        bool Centroid;
        std::set<std::pair<int, int>> Peaks;
    } cases[] = {
        {128, 5, 3, false, {{5, 3}, {123, 125}}},
        {128, 5, 3, true, {{68, 66}, {58, 60}}},
        {256, 127, 0, true, {{254, 127}, {0, 127}}},
        {256, 127, 0, false, {{127, 0}, {129, 0}}},
    };
    for (const auto& c : cases) {
        const Grid g = Make(c.N, [&](int x, int y) {
            return 127.5 + 127.5 * std::cos(2.0 * std::numbers::pi * (c.Fx * x + c.Fy * y) / c.N);
        });
        Workbench r;
        BandRun(r, g, c.N, {ffNone, 0, 0, true, c.Centroid});
        std::set<std::pair<int, int>> bright;
        int brightest = 0;
        for (int y = 0; y < c.N; ++y)
            for (int x = 0; x < c.N; ++x) {
                const int v = PixelRed(r.Spectrum.At(x, y));
                if (v > 128) bright.insert({x, y});
                if (!c.Peaks.contains({x, y})) brightest = std::max(brightest, v);
            }
        EXPECT_EQ(bright, c.Peaks) << c.N << " " << c.Fx << " " << c.Centroid;
        EXPECT_LE(brightest, 3);
    }
}

// The spectrum picture of noise against the 2-D DFT summed term by term, magnitudes scaled by
// the largest.
TEST(FFTWorkbench, SpectrumIsTheMagnitudeOfThe2DTransform) {
    RecordingHooks rec;
    const int32_t n = 16;
    const Grid g = Noise(n, 11);
    const double mean = std::accumulate(g.begin(), g.end(), 0.0) / (n * n);
    std::vector<double> magnitude(static_cast<size_t>(n) * n);
    for (int a = 0; a < n; ++a)
        for (int b = 0; b < n; ++b) {
            std::complex<double> sum = 0.0;
            for (int y = 0; y < n; ++y)
                for (int x = 0; x < n; ++x)
                    sum += (g[static_cast<size_t>(y) * n + x] - mean) *
                           std::polar(1.0, -2.0 * std::numbers::pi * ((a * x + b * y) % n) / n);
            magnitude[static_cast<size_t>(b) * n + a] = std::abs(sum);
        }
    const double largest = *std::max_element(magnitude.begin(), magnitude.end());
    Workbench r;
    BandRun(r, g, n, {ffNone, 0, 0, false, false});
    for (int b = 0; b < n; ++b)
        for (int a = 0; a < n; ++a)
            ASSERT_EQ(PixelRed(r.Spectrum.At(a, b)),
                      std::nearbyint(magnitude[static_cast<size_t>(b) * n + a] * 255.0 / largest))
                << a << " " << b;
}

// An impulse has a flat spectrum, so the spectrum picture shows each filter's pass region;
// D is the squared distance to the nearest corner.
TEST(FFTWorkbench, FiltersKeepTheirRadialRegions) {
    RecordingHooks rec;
    const int32_t n = 256;
    Grid impulse(static_cast<size_t>(n) * n, 0);
    impulse[static_cast<size_t>(40) * n + 17] = 255;
    const auto within = [](int64_t d, int64_t lo, int64_t hi) { return lo <= d && d <= hi; };
    const struct {
        FFTFilterKind Filter;
        int64_t P1, P2;
        std::function<int(int64_t d)> Expected;
    } cases[] = {
        {ffNone, 53, 123, [](int64_t d) { return d == 0 ? 0 : 255; }},
        {ffLowPass, 53, 123, [](int64_t d) { return d == 0 || d > 53 * 53 ? 0 : 255; }},
        {ffBandPass, 53, 123, [&](int64_t d) { return within(d, 53 * 53, 123 * 123) ? 255 : 0; }},
        {ffHighPass, 53, 123, [](int64_t d) { return d >= 53 * 53 ? 255 : 0; }},
        {ffPowerLaw, 2, 0,
         [](int64_t d) {
             return d == 0 ? 0 : static_cast<int>(std::nearbyint(127.5 * std::pow(2.0, 1.0 / d)));
         }},
    };
    for (const auto& c : cases) {
        Workbench r;
        BandRun(r, impulse, n, {c.Filter, c.P1, c.P2, true, false});
        int wrong = 0;
        for (int b = 0; b < n; ++b)
            for (int a = 0; a < n; ++a) {
                const int64_t da = std::min(a, n - a), db = std::min(b, n - b);
                if (std::abs(PixelRed(r.Spectrum.At(a, b)) - c.Expected(da * da + db * db)) > 1)
                    ++wrong;
            }
        EXPECT_EQ(wrong, 0) << "filter " << c.Filter;
    }
}

// An impulse's spectrum is flat but for the zero frequency, which the mean removal empties: the
// one dark pixel of the spectrum picture is where element [0][0] is painted.
TEST(FFTWorkbench, ZeroFrequencyIsPaintedWhereTheCentroidPutsIt) {
    RecordingHooks rec;
    const struct {
        int32_t N;
        bool Centroid;
        std::pair<int, int> Dark;
    } cases[] = {{256, false, {0, 0}}, {256, true, {127, 127}}, {64, true, {31, 31}}};
    for (const auto& c : cases) {
        Grid impulse(static_cast<size_t>(c.N) * c.N, 0);
        impulse[static_cast<size_t>(9) * c.N + 3] = 255;
        Workbench r;
        BandRun(r, impulse, c.N, {ffNone, 0, 0, false, c.Centroid});
        std::vector<std::pair<int, int>> dark;
        for (int y = 0; y < c.N; ++y)
            for (int x = 0; x < c.N; ++x)
                if (PixelRed(r.Spectrum.At(x, y)) < 250) dark.push_back({x, y});
        const std::vector<std::pair<int, int>> want = {c.Dark};
        EXPECT_EQ(dark, want) << c.N << " " << c.Centroid;
    }
}

// The direction of the passes is the only thing "Inverse" changes: every filter gives the same
// result and the same spectrum picture either way.
TEST(FFTWorkbench, InverseOnAndOffGiveTheSameResult) {
    RecordingHooks rec;
    const Grid g = Noise(64, 21);
    const TFFTSettings filters[] = {{ffNone, 0, 0},
                                    {ffLowPass, 9, 0},
                                    {ffBandPass, 5, 20},
                                    {ffHighPass, 7, 0},
                                    {ffPowerLaw, 3, 0}};
    for (TFFTSettings t : filters) {
        Workbench off, on;
        t.InverseChecked = false;
        const Grid a = BandRun(off, g, 64, t);
        t.InverseChecked = true;
        const Grid b = BandRun(on, g, 64, t);
        EXPECT_EQ(a, b) << "filter " << t.Filter;
        EXPECT_EQ(off.Spectrum.Pixels, on.Spectrum.Pixels) << "filter " << t.Filter;
    }
}

// Each channel is transformed on its own and lands in its own channel.
TEST(FFTWorkbench, PictureChannelsRunApart) {
    RecordingHooks rec;
    const int32_t n = 32;
    const Grid red = Noise(n, 1), green = Noise(n, 2), blue = Noise(n, 3);
    Picture in;
    in.Resize(n, n);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            const size_t k = static_cast<size_t>(y) * n + x;
            in.At(x, y) = PackPixel(red[k], green[k], blue[k]);
        }
    in.At(0, 0) = PackPixel(0, 0, 0);
    in.At(1, 0) = PackPixel(255, 255, 255);
    Workbench r;
    ASSERT_TRUE(
        ProcessFFTPicture(r.S, in, {ffNone, 0, 0, false, false}, r.Spectrum, r.Output, r.Report));
    EXPECT_EQ(r.Output.Pixels, in.Pixels);
}

TEST(FFTWorkbench, SizesTheTransformCannotTakeAreRefused) {
    for (const int32_t n : {500, 2}) {
        RecordingHooks rec;
        Workbench r;
        Load(r.S, Grid(static_cast<size_t>(n) * n, 9), n);
        EXPECT_FALSE(ProcessFFTBand(r.S, {}, r.Spectrum, r.Report));
        EXPECT_TRUE(rec.Shown(39960)) << n;
        EXPECT_EQ(r.S.Re[0], 9.0);
        EXPECT_TRUE(r.Stages.empty());
    }
}

TEST(FFTWorkbench, LoadBandReadsSquareRowsAndTheirRange) {
    TempDir dir;
    Grid g = Noise(8, 5);
    g[3] = 2;
    g[60] = 250;
    const std::string path = dir.File("scene.B01");
    WriteFileAtomic(path, g, TReplaceLeave::Chosen(path));
    Workbench r;
    Picture in;
    uint8_t lo = 0, hi = 0;
    LoadFFTBand(r.S, path, 8, in, lo, hi, r.Report);
    EXPECT_EQ(lo, *std::min_element(g.begin(), g.end()));
    EXPECT_EQ(hi, *std::max_element(g.begin(), g.end()));
    EXPECT_EQ(r.S.ReAt(3, 0), 2.0);
    EXPECT_EQ(r.S.ReAt(4, 7), 250.0);
    EXPECT_EQ(in.At(4, 7), PackPixel(250, 250, 250));
    EXPECT_EQ(r.S.SampleSum, std::accumulate(g.begin(), g.end(), 0.0));

    // A short file raises the read error and leaves the loaded band as it was.
    WriteFileAtomic(path, Grid(63, 1), TReplaceLeave::Chosen(path));
    EXPECT_THROW(LoadFFTBand(r.S, path, 8, in, lo, hi, r.Report), EInOutError);
    EXPECT_EQ(r.S.ReAt(4, 7), 250.0);
}

TEST(FFTWorkbench, ElapsedCaption) {
    EXPECT_EQ(FFTElapsedCaption(3 * 60000 + 7000 + 250), "Hours 0Minutes 3.7.250");
    EXPECT_EQ(FFTElapsedCaption(2 * 3600000 + 5 * 60000 + 9), "Hours 2Minutes 5.0.9");
}

} // namespace
