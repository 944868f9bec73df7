// Speed of the single-channel view and of making the three CMY separation screens, beside the
// same pixel work in OpenCV (a channel mask; split and invert) on the same pixels. The engines'
// figures include the copy of the picture into the working buffers that both pay, and the
// single-channel view also the showing of its result.
#include "shell/vColorScreens.h"
#include "shell/vGlobal.h"
#include "shell/vToolModes.h"

#include "bench/BenchSupport.h"

#include <benchmark/benchmark.h>

#if __has_include(<opencv2/core.hpp>)
#include <opencv2/core.hpp>
#define VORN_HAVE_OPENCV 1
#endif

#include <cstdint>

namespace {

void BM_KeepOneChannel(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    MakeNoiseWorkingImage(side);
    for (auto _ : state)
        KeepOneChannel(1);
    // The frame, and the undo buffer (3) read into the work buffer (3).
    ReportRates(state, static_cast<double>(side) * side, FrameBytes + 6);
}

void BM_LoadRotateImagesCMY(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    MakeNoiseWorkingImage(side);
    CMYScreenMode = true;
    for (auto _ : state) {
        LoadRotateImages();
        benchmark::DoNotOptimize(RotateImages[2].Pixels.data());
    }
    CMYScreenMode = false;
    RotateImages = {};
    // The picture (4) into the undo and work buffers (3 + 3), the undo buffer (3) into three
    // screens (4 each).
    ReportRates(state, static_cast<double>(side) * side, 4 + 6 + 3 + 12);
}

#ifdef VORN_HAVE_OPENCV

void BM_KeepOneChannel_Anchor(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const cv::Mat src = NoiseMat(side);
    cv::Mat dst;
    for (auto _ : state) {
        cv::bitwise_and(src, cv::Scalar(0, 0, 255), dst);
        benchmark::DoNotOptimize(dst.data);
    }
    ReportRates(state, static_cast<double>(side) * side);
}

void BM_LoadRotateImagesCMY_Anchor(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const cv::Mat src = NoiseMat(side);
    cv::Mat inverted, planes[3];
    for (auto _ : state) {
        cv::bitwise_not(src, inverted);
        cv::split(inverted, planes);
        benchmark::DoNotOptimize(planes[2].data);
    }
    ReportRates(state, static_cast<double>(side) * side);
}

#endif

} // namespace

BENCHMARK(BM_KeepOneChannel)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadRotateImagesCMY)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);
#ifdef VORN_HAVE_OPENCV
BENCHMARK(BM_KeepOneChannel_Anchor)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadRotateImagesCMY_Anchor)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);
#endif

BENCHMARK_MAIN();
