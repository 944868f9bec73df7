// Speed of the class display (each pixel looked up in its band's class table, or in all three
// for "BGR") beside OpenCV's table look-up over the same three-channel pixels. The picture is
// copied for processing once, outside the timed loop; the display writes only the work buffer.
#include "histogram/vClassDisplay.h"
#include "histogram/vSeedBreaks.h"
#include "shell/vGlobal.h"
#include "shell/vToolModes.h"

#include "bench/BenchSupport.h"

#include <benchmark/benchmark.h>

#if __has_include(<opencv2/core.hpp>)
#include <opencv2/core.hpp>
#define VORN_HAVE_OPENCV 1
#endif

namespace {

void PrepareClassDisplay(int side, int toggle) {
    MakeNoiseWorkingImage(side);
    CopyImageForProcessing();
    for (auto& table : SeedBreakTables)
        FixedSeedRows(table);
    SelectClassBreaks(1);
    SelectClassToggle(toggle);
    ClassMethodCycleMode = false;
}

void BM_ClassDisplayRed(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    PrepareClassDisplay(side, ToggleItemRed);
    for (auto _ : state) {
        ShowClassesDisplay(1);
        benchmark::DoNotOptimize(WorkImageBuffer);
    }
    // The undo buffer (3) painted into the work buffer (3).
    ReportRates(state, static_cast<double>(side) * side, 6);
}

void BM_ClassDisplayBGR(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    PrepareClassDisplay(side, ToggleItemBGR);
    for (auto _ : state) {
        ShowClassesDisplay(1);
        benchmark::DoNotOptimize(WorkImageBuffer);
    }
    // The undo buffer (3) painted into the work buffer (3).
    ReportRates(state, static_cast<double>(side) * side, 6);
}

#ifdef VORN_HAVE_OPENCV

void BM_OpenCVLut(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const cv::Mat src = NoiseMat(side);
    cv::Mat lut(1, 256, CV_8UC3), dst;
    for (int i = 0; i < 256; ++i)
        lut.at<cv::Vec3b>(0, i) = cv::Vec3b(static_cast<uint8_t>(i / 29), 0, 0);
    for (auto _ : state) {
        cv::LUT(src, lut, dst);
        benchmark::DoNotOptimize(dst.data);
    }
    ReportRates(state, static_cast<double>(side) * side);
}

#endif

} // namespace

BENCHMARK(BM_ClassDisplayRed)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClassDisplayBGR)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);
#ifdef VORN_HAVE_OPENCV
// The same table lookup anchors both displays.
BENCHMARK(BM_OpenCVLut)
    ->Name("BM_ClassDisplayRed_Anchor")
    ->Arg(1024)
    ->Arg(4096)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenCVLut)
    ->Name("BM_ClassDisplayBGR_Anchor")
    ->Arg(1024)
    ->Arg(4096)
    ->Unit(benchmark::kMillisecond);
#endif

BENCHMARK_MAIN();
