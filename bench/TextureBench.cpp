// Speed of the texture operators on the working image beside OpenCV on the same noise picture in
// the same run: the median at 3, 5 and 9 beside medianBlur, the largest and smallest of the
// window beside dilate and erode, the top hat beside morphologyEx, all with the same square
// window. The engines' figures include the frame every image operation pays.
#include "algebra/vUTexture.h"
#include "shell/vGlobal.h"

#include "bench/BenchSupport.h"

#include <benchmark/benchmark.h>

#if __has_include(<opencv2/imgproc.hpp>)
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#define VORN_HAVE_OPENCV 1
#endif

namespace {

// Args: side, Op, window size.
void BM_DoTextureRank(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    MakeNoiseWorkingImage(side);
    for (auto _ : state)
        DoTextureRank(static_cast<uint8_t>(state.range(1)), static_cast<int32_t>(state.range(2)));
    ReportRates(state, static_cast<double>(side) * side, FrameBytes + 6);
}

// Args: side, window size; the top hat with a height of 20.
void BM_DoATexture(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    MakeNoiseWorkingImage(side);
    for (auto _ : state)
        DoATexture(1, static_cast<int32_t>(state.range(1)), 20);
    ReportRates(state, static_cast<double>(side) * side, FrameBytes + 6);
}

#ifdef VORN_HAVE_OPENCV

void BM_DoTextureRank_Anchor(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const int op = static_cast<int>(state.range(1));
    const int n = static_cast<int>(state.range(2));
    const cv::Mat src = NoiseMat(side);
    const cv::Mat square = cv::getStructuringElement(cv::MORPH_RECT, cv::Size(n, n));
    cv::Mat dst;
    for (auto _ : state) {
        if (op == 3)
            cv::medianBlur(src, dst, n);
        else if (op == 1)
            cv::dilate(src, dst, square);
        else
            cv::erode(src, dst, square);
        benchmark::DoNotOptimize(dst.data);
    }
    ReportRates(state, static_cast<double>(side) * side);
}

void BM_DoATexture_Anchor(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const int n = static_cast<int>(state.range(1));
    const cv::Mat src = NoiseMat(side);
    const cv::Mat square = cv::getStructuringElement(cv::MORPH_RECT, cv::Size(n, n));
    cv::Mat dst;
    for (auto _ : state) {
        cv::morphologyEx(src, dst, cv::MORPH_TOPHAT, square);
        benchmark::DoNotOptimize(dst.data);
    }
    ReportRates(state, static_cast<double>(side) * side);
}

#endif

// Op 3 median, 1 the largest (dilate), 2 the smallest (erode).
void RankArgs(benchmark::internal::Benchmark* b) {
    for (int side : {1024, 4096}) {
        for (int n : {3, 5, 9})
            b->Args({side, 3, n});
        for (int op : {1, 2})
            for (int n : {3, 9})
                b->Args({side, op, n});
    }
}

void HatArgs(benchmark::internal::Benchmark* b) {
    for (int side : {1024, 4096})
        for (int n : {3, 9})
            b->Args({side, n});
}

} // namespace

BENCHMARK(BM_DoTextureRank)->Apply(RankArgs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DoATexture)->Apply(HatArgs)->Unit(benchmark::kMillisecond);
#ifdef VORN_HAVE_OPENCV
BENCHMARK(BM_DoTextureRank_Anchor)->Apply(RankArgs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DoATexture_Anchor)->Apply(HatArgs)->Unit(benchmark::kMillisecond);
#endif

BENCHMARK_MAIN();
