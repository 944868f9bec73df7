// Speed of the coefficient product and of a ratio formula on the working image, beside the
// same arithmetic in OpenCV (cv::transform with the same 3 x 3 matrix; cv::divide) on the same
// pixels. The engines' figures include the frame every image operation pays (copying the
// picture into the working buffers and showing the result), measured on its own as well.
#include "algebra/vUPixAl.h"
#include "shell/vGlobal.h"

#include "bench/BenchSupport.h"

#include <benchmark/benchmark.h>

#if __has_include(<opencv2/core.hpp>)
#include <opencv2/core.hpp>
#define VORN_HAVE_OPENCV 1
#endif

#include <cstdint>

namespace {

// Red, green and blue rows; in each, the blue, green and red coefficient.
constexpr double K[9] = {0.332, 0.603, 0.675, -0.283, -0.660, 0.577, -0.899, 0.428, 0.076};

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
    ReportMegapixels(state, static_cast<double>(side) * side);
}

void BM_DoPARBMultiply(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    LoadPicture(side);
    for (auto _ : state)
        DoPARBMultiply(poMultiply, K[0], K[1], K[2], K[3], K[4], K[5], K[6], K[7], K[8]);
    ReportMegapixels(state, static_cast<double>(side) * side);
}

void BM_DoPixelRatios6(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    LoadPicture(side);
    for (auto _ : state)
        DoPixelRatios(6);
    ReportMegapixels(state, static_cast<double>(side) * side);
}

#ifdef VORN_HAVE_OPENCV

void BM_OpenCVTransform(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const cv::Mat src = NoiseMat(side);
    // Rows by output channel in the picture's blue, green, red order.
    const cv::Matx33d m(K[6], K[7], K[8], K[3], K[4], K[5], K[0], K[1], K[2]);
    cv::Mat dst;
    for (auto _ : state) {
        cv::transform(src, dst, m);
        benchmark::DoNotOptimize(dst.data);
    }
    ReportMegapixels(state, static_cast<double>(side) * side);
}

// Ratio formula 6: red (R + G + e) / (B + e), green (R + e) / (G + e), blue (R + e) / (B + e).
void BM_OpenCVDivideRatio6(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const cv::Mat src = NoiseMat(side);
    const double e = 0.0001;
    cv::Mat planes[3], b, g, r, rg, out[3], merged, dst;
    for (auto _ : state) {
        cv::split(src, planes);
        planes[0].convertTo(b, CV_64F, 1.0, e);
        planes[1].convertTo(g, CV_64F, 1.0, e);
        planes[2].convertTo(r, CV_64F, 1.0, e);
        cv::add(planes[2], planes[1], rg, cv::noArray(), CV_64F);
        rg += e;
        cv::divide(r, b, out[0]);
        cv::divide(r, g, out[1]);
        cv::divide(rg, b, out[2]);
        cv::merge(out, 3, merged);
        merged.convertTo(dst, CV_8UC3);
        benchmark::DoNotOptimize(dst.data);
    }
    ReportMegapixels(state, static_cast<double>(side) * side);
}

#endif

} // namespace

BENCHMARK(BM_Frame)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DoPARBMultiply)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DoPixelRatios6)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);
#ifdef VORN_HAVE_OPENCV
BENCHMARK(BM_OpenCVTransform)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenCVDivideRatio6)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);
#endif

BENCHMARK_MAIN();
