// Counting the three band histograms of a picture, beside OpenCV's calcHist over the same 24-bit
// buffer.
#include "histogram/vUHistoCC.h"
#include "shell/vGlobal.h"

#include "bench/BenchSupport.h"

#include <benchmark/benchmark.h>

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

double Pixels() {
    return static_cast<double>(ImageMaxX + 1) * (ImageMaxY + 1);
}

// The whole entry: a fresh copy of the displayed picture into both buffers, then the count.
void BM_CountHistograms(benchmark::State& state) {
    MakeWorkingImage(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(CountHistograms());
    // The picture (4) into the undo and work buffers (3 + 3), the undo buffer (3) counted.
    ReportRates(state, Pixels(), 13);
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
    ReportRates(state, Pixels(), 3);
}

#ifdef VORN_HAVE_OPENCV
void BM_CountPixelRows_Anchor(benchmark::State& state) {
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
    ReportRates(state, Pixels());
}
BENCHMARK(BM_CountPixelRows_Anchor)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond);
#endif

} // namespace

BENCHMARK(BM_CountHistograms)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CountPixelRows)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
