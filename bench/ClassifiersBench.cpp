// Speed of the trained classifiers beside OpenCV, single-threaded, over the same noise pixels.
// The box classifier stands beside nine inRange calls (one per class box; OpenCV still has to
// combine the masks, so the anchor is the cheaper side). The nearest-centre classifier stands
// beside the same nearest-centre pass written with matrix operations: per centre a float
// difference, its squares summed over the channels, and a compare that keeps the nearer class
// (a k-means call would also move the centres, which these passes never do).
// Each iteration starts again from the unpainted copy, restored outside the timing.
#include "classify/vClassifiers.h"
#include "shell/vGlobal.h"

#include "bench/BenchSupport.h"

#include <benchmark/benchmark.h>

#include <cstring>

#if __has_include(<opencv2/core.hpp>)
#include <opencv2/core.hpp>
#define VORN_HAVE_OPENCV 1
#endif

namespace {

// Nine boxes of side 48 along the grey diagonal, centred at 28, 56, ..., 252 less one step.
SiteTable BenchSites() {
    SiteTable sites{};
    for (int k = 1; k <= 9; ++k) {
        SiteRecord& s = sites[static_cast<size_t>(k)];
        const int c = 28 * k - 14;
        s.Rcent = s.Gcent = s.Bcent = static_cast<uint8_t>(c);
        s.Rmin = s.Gmin = s.Bmin = static_cast<uint8_t>(c - 14 < 0 ? 0 : c - 14);
        s.Rmax = s.Gmax = s.Bmax = static_cast<uint8_t>(c + 34 > 255 ? 255 : c + 34);
        s.Radius = 60.0;
    }
    return sites;
}

template <class Run> void TimeClassifier(benchmark::State& state, Run run) {
    const int side = static_cast<int>(state.range(0));
    MakeNoiseWorkingImage(side);
    CopyImageForProcessing();
    const size_t bytes = static_cast<size_t>(ImageBitsSize);
    for (auto _ : state) {
        state.PauseTiming();
        std::memcpy(WorkImageBuffer, UndoImageBuffer, bytes);
        state.ResumeTiming();
        SiteTable sites = BenchSites();
        ClassRun r;
        r.Sites = &sites;
        run(ClassImage{WorkImageBuffer, ImageRowStride, ImageMaxX, ImageMaxY}, r);
        benchmark::DoNotOptimize(WorkImageBuffer);
    }
    ReportRates(state, static_cast<double>(side) * side);
}

void BM_BoxClassifier(benchmark::State& state) {
    const auto item = static_cast<int32_t>(state.range(1));
    TimeClassifier(state, [item](const ClassImage& image, ClassRun& r) {
        ParallelBoxImage(image, r, item, 20);
    });
}

void BM_NearestCentre(benchmark::State& state) {
    TimeClassifier(
        state, [](const ClassImage& image, ClassRun& r) { ClusterRadiusImage(image, r, 60, 9); });
}

void BM_ClusterAsTrained(benchmark::State& state) {
    TimeClassifier(state, [](const ClassImage& image, ClassRun& r) {
        ClusterAsTrainedImage(image, r, 20, 9, false);
    });
}

#ifdef VORN_HAVE_OPENCV

void BM_BoxClassifier_Anchor(benchmark::State& state) {
    cv::setNumThreads(1);
    const int side = static_cast<int>(state.range(0));
    const cv::Mat src = NoiseMat(side);
    const SiteTable sites = BenchSites();
    cv::Mat mask;
    for (auto _ : state) {
        for (size_t k = 1; k <= 9; ++k) {
            const double lo = sites[k].Rmin, hi = sites[k].Rmax;
            cv::inRange(src, cv::Scalar(lo, lo, lo), cv::Scalar(hi, hi, hi), mask);
            benchmark::DoNotOptimize(mask.data);
        }
    }
    ReportRates(state, static_cast<double>(side) * side);
}

void BM_NearestCentre_Anchor(benchmark::State& state) {
    cv::setNumThreads(1);
    const int side = static_cast<int>(state.range(0));
    const cv::Mat src = NoiseMat(side);
    const SiteTable sites = BenchSites();
    cv::Mat f, d, dist, best, nearer, labels;
    for (auto _ : state) {
        src.convertTo(f, CV_32FC3);
        best = cv::Mat(src.size(), CV_32F, cv::Scalar(180.0f * 180.0f));
        labels = cv::Mat::zeros(src.size(), CV_8U);
        for (size_t k = 1; k <= 9; ++k) {
            const double c = sites[k].Rcent;
            cv::subtract(f, cv::Scalar(c, c, c), d);
            cv::multiply(d, d, d);
            cv::transform(d, dist, cv::Matx13f(1.0f, 1.0f, 1.0f));
            cv::compare(dist, best, nearer, cv::CMP_LT);
            dist.copyTo(best, nearer);
            labels.setTo(static_cast<double>(k), nearer);
        }
        benchmark::DoNotOptimize(labels.data);
    }
    ReportRates(state, static_cast<double>(side) * side);
}

#endif

} // namespace

BENCHMARK(BM_BoxClassifier)->Args({4096, 2})->Args({4096, 3})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NearestCentre)->Arg(4096)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClusterAsTrained)->Arg(4096)->Unit(benchmark::kMillisecond);
#ifdef VORN_HAVE_OPENCV
BENCHMARK(BM_BoxClassifier_Anchor)->Args({4096, 2})->Args({4096, 3})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NearestCentre_Anchor)->Arg(4096)->Unit(benchmark::kMillisecond);
#endif

BENCHMARK_MAIN();
