// Speed of the wide isolines and of one density slice beside OpenCV's 3 x 3 filter2D and LUT on
// the same noise pixels. The engines' figures include the copy into the working buffers and the
// showing of the result.
#include "histogram/vUILinear.h"
#include "histogram/vUISOHO.h"

#include "bench/BenchSupport.h"

#include <benchmark/benchmark.h>

#if __has_include(<opencv2/imgproc.hpp>)
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#define VORN_HAVE_OPENCV 1
#endif

namespace {

void BM_DoContour(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    MakeNoiseWorkingImage(side);
    for (auto _ : state)
        Do_Contour(100, 120, 140);
    // The frame, and the undo buffer (3) read into the work buffer (3).
    ReportRates(state, static_cast<double>(side) * side, FrameBytes + 6);
}

void BM_DoSetandSlice(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    MakeNoiseWorkingImage(side);
    for (auto _ : state)
        Do_SetandSlice(6, 60);
    ReportRates(state, static_cast<double>(side) * side, FrameBytes + 6);
}

#ifdef VORN_HAVE_OPENCV

void BM_DoContour_Anchor(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const cv::Mat src = NoiseMat(side);
    const cv::Mat kernel = (cv::Mat_<float>(3, 3) << 1, 1, 1, 1, -8, 1, 1, 1, 1);
    cv::Mat dst(src.size(), src.type());
    for (auto _ : state) {
        cv::filter2D(src, dst, -1, kernel);
        benchmark::DoNotOptimize(dst.data);
    }
    ReportRates(state, static_cast<double>(side) * side);
}

void BM_DoSetandSlice_Anchor(benchmark::State& state) {
    RunWhiteningLutAnchor(state, 240);
}

#endif

} // namespace

BENCHMARK(BM_DoContour)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DoSetandSlice)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);
#ifdef VORN_HAVE_OPENCV
BENCHMARK(BM_DoContour_Anchor)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DoSetandSlice_Anchor)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);
#endif

BENCHMARK_MAIN();
