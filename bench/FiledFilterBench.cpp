// Speed of the filed filters on the working image: the integer kernel at 3 x 3 and 9 x 9 (clip
// mode, divided by the kernel's sum) beside OpenCV's filter2D with the same averaging kernel,
// and the gradient magnitude of the Sobel pair beside OpenCV's Sobel and magnitude, on the same
// noise picture in the same run. The engines' figures include the frame every image operation
// pays (copying the picture into the working buffers and showing the result).
#include "algebra/vUFilterFile.h"
#include "algebra/vUIPFilter.h"
#include "shell/vGlobal.h"

#include "bench/BenchSupport.h"

#include <benchmark/benchmark.h>

#if __has_include(<opencv2/imgproc.hpp>)
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#define VORN_HAVE_OPENCV 1
#endif

#include <string>
#include <unistd.h>

namespace {

std::string KernelPath(const std::string& ext) {
    return "/tmp/vorn-bench-" + std::to_string(getpid()) + "." + ext;
}

// A box kernel of n x n ones, and the Sobel pair.
std::string BoxKernelFile(int n) {
    FilterKernels k;
    k.Kind = KernelKind::Integer;
    k.Integer.fill(1);
    const std::string path = KernelPath("RL" + std::to_string(n));
    WriteFilterFile(path, k, TReplaceLeave::Chosen(path));
    return path;
}

std::string SobelKernelFile() {
    FilterKernels k;
    k.Kind = KernelKind::Pair;
    const double gx[9] = {-1, 0, 1, -2, 0, 2, -1, 0, 1};
    const double gy[9] = {-1, -2, -1, 0, 0, 0, 1, 2, 1};
    std::copy(gx, gx + 9, k.Real[0].begin());
    std::copy(gy, gy + 9, k.Real[1].begin());
    const std::string path = KernelPath("R23");
    WriteFilterFile(path, k, TReplaceLeave::Chosen(path));
    return path;
}

void LoadPicture(int side) {
    MakeNoiseWorkingImage(side);
    ClipOption = true;
    Scale0To255Option = BelowZeroOption = AutoRangeOption = false;
    AbsoluteValuesOption = SetAbsoluteOption = SetThresholdOption = false;
}

void BM_DoIntegerFile(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const std::string file = BoxKernelFile(static_cast<int>(state.range(1)));
    LoadPicture(side);
    for (auto _ : state)
        DoIntegerFile(file, 0);
    // The frame, and the undo buffer (3) read into the work buffer (3).
    ReportRates(state, static_cast<double>(side) * side, FrameBytes + 6);
}

void BM_DoSobelFile(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const std::string file = SobelKernelFile();
    LoadPicture(side);
    for (auto _ : state)
        DoSobelFile(file, 0);
    ReportRates(state, static_cast<double>(side) * side, FrameBytes + 6);
}

#ifdef VORN_HAVE_OPENCV

void BM_DoIntegerFile_Anchor(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const int n = static_cast<int>(state.range(1));
    const cv::Mat src = NoiseMat(side);
    const cv::Mat kernel = cv::Mat::ones(n, n, CV_32F) / static_cast<float>(n * n);
    cv::Mat dst;
    for (auto _ : state) {
        cv::filter2D(src, dst, -1, kernel, cv::Point(-1, -1), 0.0, cv::BORDER_CONSTANT);
        benchmark::DoNotOptimize(dst.data);
    }
    ReportRates(state, static_cast<double>(side) * side);
}

void BM_DoSobelFile_Anchor(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const cv::Mat src = NoiseMat(side);
    cv::Mat gx, gy, flatX, flatY, mag, dst;
    for (auto _ : state) {
        cv::Sobel(src, gx, CV_32F, 1, 0, 3, 1.0, 0.0, cv::BORDER_CONSTANT);
        cv::Sobel(src, gy, CV_32F, 0, 1, 3, 1.0, 0.0, cv::BORDER_CONSTANT);
        flatX = gx.reshape(1);
        flatY = gy.reshape(1);
        cv::magnitude(flatX, flatY, mag);
        mag.reshape(3).convertTo(dst, CV_8U);
        benchmark::DoNotOptimize(dst.data);
    }
    ReportRates(state, static_cast<double>(side) * side);
}

#endif

} // namespace

BENCHMARK(BM_DoIntegerFile)
    ->Args({1024, 3})
    ->Args({4096, 3})
    ->Args({1024, 9})
    ->Args({4096, 9})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DoSobelFile)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);
#ifdef VORN_HAVE_OPENCV
BENCHMARK(BM_DoIntegerFile_Anchor)
    ->Args({1024, 3})
    ->Args({4096, 3})
    ->Args({1024, 9})
    ->Args({4096, 9})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DoSobelFile_Anchor)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);
#endif

BENCHMARK_MAIN();
