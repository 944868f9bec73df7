// Counting the three band histograms of a picture, beside OpenCV's calcHist over the same 24-bit
// buffer and a plain memcpy of it (the floor any single pass over the pixels sits on).
#include "histogram/vUHistoCC.h"
#include "shell/vGlobal.h"

#include "bench/BenchSupport.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#if __has_include(<opencv2/core.hpp>)
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#define VORN_HAVE_OPENCV 1
#endif

namespace {

// A square picture of `megapixels` with varied, reproducible pixels, made the working image.
void MakeWorkingImage(int megapixels) {
    const int side = megapixels == 16 ? 4096 : 1024;
    if (DisplayedPicture.Width == side && ImageBuffersAllocated) return;
    MakeNoiseWorkingImage(side);
    CopyImageForProcessing();
    UnlockImageBuffers();
}

int64_t Pixels() {
    return int64_t{ImageMaxX + 1} * (ImageMaxY + 1);
}

void Report(benchmark::State& state) {
    state.counters["MP/s"] = benchmark::Counter(static_cast<double>(Pixels()) / 1e6,
                                                benchmark::Counter::kIsIterationInvariantRate);
}

// The whole entry: a fresh copy of the displayed picture into both buffers, then the count.
void BM_CountHistograms(benchmark::State& state) {
    MakeWorkingImage(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(CountHistograms());
    Report(state);
}

// The counting loop alone over the buffer already copied.
void BM_CountPixelRows(benchmark::State& state) {
    MakeWorkingImage(static_cast<int>(state.range(0)));
    const int32_t width = ImageMaxX + 1;
    for (auto _ : state) {
        RedHistogram.fill(0);
        GreenHistogram.fill(0);
        BlueHistogram.fill(0);
        for (int32_t y = 0; y <= ImageMaxY; ++y)
            CountPixelRow(UndoRow(y), width, RedHistogram, GreenHistogram, BlueHistogram);
        benchmark::DoNotOptimize(RedHistogram.data());
    }
    Report(state);
}

void BM_Memcpy(benchmark::State& state) {
    MakeWorkingImage(static_cast<int>(state.range(0)));
    std::vector<uint8_t> target(static_cast<size_t>(ImageBitsSize));
    for (auto _ : state) {
        std::memcpy(target.data(), UndoImageBuffer, target.size());
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    Report(state);
}

#ifdef VORN_HAVE_OPENCV
void BM_OpenCvCalcHist(benchmark::State& state) {
    MakeWorkingImage(static_cast<int>(state.range(0)));
    const cv::Mat image(ImageMaxY + 1, ImageMaxX + 1, CV_8UC3, UndoImageBuffer,
                        static_cast<size_t>(ImageRowStride));
    const int histSize = 256;
    const float range[] = {0, 256};
    const float* ranges = range;
    cv::Mat hist[3];
    for (auto _ : state) {
        for (int c = 0; c < 3; ++c)
            cv::calcHist(&image, 1, &c, cv::Mat(), hist[c], 1, &histSize, &ranges);
        benchmark::DoNotOptimize(hist[2].data);
    }
    Report(state);
}
BENCHMARK(BM_OpenCvCalcHist)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond);
#endif

} // namespace

BENCHMARK(BM_CountHistograms)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CountPixelRows)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Memcpy)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
