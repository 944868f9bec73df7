// Counting the colour cube (one saturating byte per colour, 256^3 cells) and plotting the
// two-band scattergram of a picture, beside OpenCV's calcHist on the same 24-bit buffer: a 2-D
// 256 x 256 histogram of red and green, and a 3-D histogram of 32^3 bins (256^3 float bins, 64
// MiB, is more than calcHist is made for, so the anchor counts the cube at a coarser step).
#include "histogram/vColorCube.h"
#include "shell/vGlobal.h"

#include "bench/BenchSupport.h"

#include <benchmark/benchmark.h>

#if __has_include(<opencv2/core.hpp>)
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#define VORN_HAVE_OPENCV 1
#endif

namespace {

void MakeWorkingImage(int megapixels) {
    MakeNoiseWorkingImage(megapixels == 16 ? 4096 : 1024);
    CopyImageForProcessing();
    UnlockImageBuffers();
}

double Pixels() {
    return static_cast<double>(int64_t{ImageMaxX + 1} * (ImageMaxY + 1));
}

// The cube cleared and counted over the buffer already copied, as an activation does.
void BM_CountColorCube(benchmark::State& state) {
    MakeWorkingImage(static_cast<int>(state.range(0)));
    ColorCube cube;
    const int32_t width = ImageMaxX + 1;
    for (auto _ : state) {
        cube.Allocate();
        for (int32_t y = 0; y <= ImageMaxY; ++y)
            CountColorRow(UndoRow(y), width, cube);
        benchmark::DoNotOptimize(cube.Cells.data());
    }
    ReportRates(state, Pixels());
}

// The whole scattergram entry: a fresh copy of the picture, then every pixel plotted.
void BM_PlotScattergram(benchmark::State& state) {
    MakeWorkingImage(static_cast<int>(state.range(0)));
    Picture out;
    for (auto _ : state) {
        benchmark::DoNotOptimize(PlotScattergram(ScatterGreenRed, false, out, nullptr));
        benchmark::DoNotOptimize(out.Pixels.data());
    }
    ReportRates(state, Pixels());
}

#ifdef VORN_HAVE_OPENCV
cv::Mat BufferMat() {
    return cv::Mat(ImageMaxY + 1, ImageMaxX + 1, CV_8UC3, UndoImageBuffer,
                   static_cast<size_t>(ImageRowStride));
}

void BM_PlotScattergram_Anchor(benchmark::State& state) {
    MakeWorkingImage(static_cast<int>(state.range(0)));
    const cv::Mat image = BufferMat();
    const int channels[] = {2, 1};
    const int sizes[] = {256, 256};
    const float range[] = {0, 256};
    const float* ranges[] = {range, range};
    cv::Mat hist;
    for (auto _ : state) {
        cv::calcHist(&image, 1, channels, cv::Mat(), hist, 2, sizes, ranges);
        benchmark::DoNotOptimize(hist.data);
    }
    ReportRates(state, Pixels());
}

void BM_CountColorCube_Anchor(benchmark::State& state) {
    MakeWorkingImage(static_cast<int>(state.range(0)));
    const cv::Mat image = BufferMat();
    const int channels[] = {0, 1, 2};
    const int sizes[] = {32, 32, 32};
    const float range[] = {0, 256};
    const float* ranges[] = {range, range, range};
    cv::Mat hist;
    for (auto _ : state) {
        cv::calcHist(&image, 1, channels, cv::Mat(), hist, 3, sizes, ranges);
        benchmark::DoNotOptimize(hist.data);
    }
    ReportRates(state, Pixels());
}
BENCHMARK(BM_PlotScattergram_Anchor)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CountColorCube_Anchor)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond);
#endif

} // namespace

BENCHMARK(BM_CountColorCube)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlotScattergram)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
