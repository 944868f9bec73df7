// Speed of the Stat Boxer's two passes (seeding, then boxing with running means) beside nine
// OpenCV inRange calls, one per class box, over the same three-channel pixels, single-threaded.
// Each iteration starts again from the unpainted copy, restored outside the timing.
#include "classify/vUUnclass.h"
#include "shell/vGlobal.h"

#include "bench/BenchSupport.h"

#include <benchmark/benchmark.h>

#include <cstring>

#if __has_include(<opencv2/core.hpp>)
#include <opencv2/core.hpp>
#define VORN_HAVE_OPENCV 1
#endif

namespace {

const SeedBreakRow Breaks = {0, 28, 56, 84, 112, 140, 168, 196, 224, 255};

void BM_StatBoxer(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    MakeNoiseWorkingImage(side);
    CopyImageForProcessing();
    StatBoxerSetup setup;
    setup.Breaks = {Breaks, Breaks, Breaks};
    setup.Colors = StatBoxerColors();
    setup.Radius = 15;
    setup.Classifier = static_cast<int32_t>(state.range(1));
    const size_t bytes = static_cast<size_t>(ImageBitsSize);
    for (auto _ : state) {
        state.PauseTiming();
        std::memcpy(WorkImageBuffer, UndoImageBuffer, bytes);
        state.ResumeTiming();
        StatBoxerImage(WorkImageBuffer, ImageRowStride, ImageMaxX, ImageMaxY, setup,
                       [](int32_t) {});
        benchmark::DoNotOptimize(WorkImageBuffer);
    }
    ReportRates(state, static_cast<double>(side) * side);
}

#ifdef VORN_HAVE_OPENCV

void BM_StatBoxer_Anchor(benchmark::State& state) {
    cv::setNumThreads(1);
    const int side = static_cast<int>(state.range(0));
    const cv::Mat src = NoiseMat(side);
    cv::Mat mask;
    for (auto _ : state) {
        for (int k = 1; k <= 9; ++k) {
            const double lo = k == 1 ? 0 : Breaks[k - 1] + 1, hi = Breaks[k];
            cv::inRange(src, cv::Scalar(lo, lo, lo), cv::Scalar(hi, hi, hi), mask);
            benchmark::DoNotOptimize(mask.data);
        }
    }
    ReportRates(state, static_cast<double>(side) * side);
}

#endif

} // namespace

BENCHMARK(BM_StatBoxer)
    ->Args({1024, 0})
    ->Args({4096, 0})
    ->Args({4096, 1})
    ->Unit(benchmark::kMillisecond);
#ifdef VORN_HAVE_OPENCV
// The same arguments as the engine's rows it stands beside.
BENCHMARK(BM_StatBoxer_Anchor)->Args({1024, 0})->Args({4096, 0})->Unit(benchmark::kMillisecond);
#endif

BENCHMARK_MAIN();
