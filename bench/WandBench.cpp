// Growing one magic-wand region over a whole uniform picture beside OpenCV's floodFill with a
// fixed range and four-neighbour connectivity on the same pixels.
#include "histogram/vAgfxMasks.h"

#include "bench/BenchSupport.h"

#include <benchmark/benchmark.h>

#if __has_include(<opencv2/imgproc.hpp>)
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#define VORN_HAVE_OPENCV 1
#endif

namespace {

void BM_MagicWandMask(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    Picture p;
    p.Resize(side, side);
    std::fill(p.Pixels.begin(), p.Pixels.end(), PackPixel(100, 110, 120));
    TBool2dArray mask;
    for (auto _ : state) {
        MagicWandMask(p, side / 2, side / 2, mask, 0.3, 100 | (110 << 8) | (120 << 16));
        benchmark::DoNotOptimize(mask.Cells.data());
    }
    ReportRates(state, static_cast<double>(side) * side);
}

#ifdef VORN_HAVE_OPENCV

void BM_MagicWandMask_Anchor(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    cv::setNumThreads(1);
    const cv::Mat src(side, side, CV_8UC3, cv::Scalar(120, 110, 100));
    cv::Mat mask(side + 2, side + 2, CV_8UC1);
    const cv::Scalar range(45, 45, 45);
    for (auto _ : state) {
        mask.setTo(0);
        cv::Mat work = src;
        cv::floodFill(work, mask, cv::Point(side / 2, side / 2), cv::Scalar(), nullptr, range,
                      range, 4 | cv::FLOODFILL_FIXED_RANGE | cv::FLOODFILL_MASK_ONLY | (1 << 8));
        benchmark::DoNotOptimize(mask.data);
    }
    ReportRates(state, static_cast<double>(side) * side);
}

#endif

} // namespace

BENCHMARK(BM_MagicWandMask)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);
#ifdef VORN_HAVE_OPENCV
BENCHMARK(BM_MagicWandMask_Anchor)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);
#endif

BENCHMARK_MAIN();
