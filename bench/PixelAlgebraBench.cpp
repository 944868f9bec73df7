// Speed of the coefficient product and of a ratio formula on the working image, beside the
// same arithmetic in OpenCV (cv::transform with the same 3 x 3 matrix; the ratio in doubles) on
// the same pixels. The engines' figures include the frame every image operation pays (copying
// the picture into the working buffers and showing the result), measured on its own as well.
#include "algebra/vUPixAl.h"
#include "shell/vGlobal.h"

#include "bench/BenchSupport.h"

#include <benchmark/benchmark.h>

#if __has_include(<opencv2/core.hpp>)
#include <opencv2/core.hpp>
#define VORN_HAVE_OPENCV 1
#endif

#include <algorithm>
#include <cstdint>

namespace {

// Red, green and blue rows; in each, the blue, green and red coefficient.
constexpr double K[9] = {0.332, 0.603, 0.675, -0.283, -0.660, 0.577, -0.899, 0.428, 0.076};

// The frame, and the undo buffer (3) read into the work buffer (3).
constexpr double ValueEngineBytes = FrameBytes + 6;

void LoadPicture(int side) {
    MakeNoiseWorkingImage(side);
    ClipOption = true;
    Scale0To255Option = BelowZeroOption = AutoRangeOption = false;
}

void BM_Frame(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    LoadPicture(side);
    for (auto _ : state) {
        CopyImageForProcessing();
        ShowProcessedImage();
    }
    ReportRates(state, static_cast<double>(side) * side, FrameBytes);
}

void BM_DoPARBMultiply(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    LoadPicture(side);
    for (auto _ : state)
        DoPARBMultiply(poMultiply, K[0], K[1], K[2], K[3], K[4], K[5], K[6], K[7], K[8]);
    ReportRates(state, static_cast<double>(side) * side, ValueEngineBytes);
}

void BM_DoPixelRatios6(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    LoadPicture(side);
    for (auto _ : state)
        DoPixelRatios(6);
    ReportRates(state, static_cast<double>(side) * side, ValueEngineBytes);
}

#ifdef VORN_HAVE_OPENCV

void BM_DoPARBMultiply_Anchor(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const cv::Mat src = NoiseMat(side);
    // Rows by output channel in the picture's blue, green, red order.
    const cv::Matx33d m(K[6], K[7], K[8], K[3], K[4], K[5], K[0], K[1], K[2]);
    cv::Mat dst;
    for (auto _ : state) {
        cv::transform(src, dst, m);
        benchmark::DoNotOptimize(dst.data);
    }
    ReportRates(state, static_cast<double>(side) * side);
}

// Ratio formula 6 in doubles as the engine has it: red (R + G + e) / (B + e), green
// (R + e) / (G + e), blue (R + e) / (B + e), saturated and rounded to bytes. Strips of rows keep
// the double planes in cache, as the engine's blocks do; nothing is allocated after the first
// strip.
void BM_DoPixelRatios6_Anchor(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const cv::Mat src = NoiseMat(side);
    const double e = 0.0001;
    const int strip = std::max(1, 16384 / side);
    cv::Mat dst(side, side, CV_8UC3);
    cv::Mat planes[3], sum, b, g, r, rg, ratio[3], bytes[3];
    for (auto _ : state) {
        for (int y = 0; y < side; y += strip) {
            const cv::Range rows(y, std::min(side, y + strip));
            cv::split(src.rowRange(rows), planes);
            cv::add(planes[2], planes[1], sum, cv::noArray(), CV_16U);
            planes[0].convertTo(b, CV_64F, 1.0, e);
            planes[1].convertTo(g, CV_64F, 1.0, e);
            planes[2].convertTo(r, CV_64F, 1.0, e);
            sum.convertTo(rg, CV_64F, 1.0, e);
            cv::divide(r, b, ratio[0]);
            cv::divide(r, g, ratio[1]);
            cv::divide(rg, b, ratio[2]);
            for (int c = 0; c < 3; ++c)
                ratio[c].convertTo(bytes[c], CV_8U);
            cv::Mat out = dst.rowRange(rows);
            cv::merge(bytes, 3, out);
        }
        benchmark::DoNotOptimize(dst.data);
    }
    ReportRates(state, static_cast<double>(side) * side);
}

#endif

} // namespace

BENCHMARK(BM_Frame)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DoPARBMultiply)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DoPixelRatios6)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);
#ifdef VORN_HAVE_OPENCV
BENCHMARK(BM_DoPARBMultiply_Anchor)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DoPixelRatios6_Anchor)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);
#endif

BENCHMARK_MAIN();
