// Colour planes: GetImageSpace over 1 and 16 megapixels beside OpenCV's conversion to HSV of the
// same picture, in megapixels per second.
#include "shell/imaging/vUColorLibrary.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <map>

#if __has_include(<opencv2/core.hpp>)
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#define VORN_HAVE_OPENCV 1
#endif

namespace {

// A square picture of side x side with every kind of pixel: greys, saturated and mixed colours.
const Picture& TestPicture(int side) {
    static std::map<int, Picture> made;
    Picture& p = made[side];
    if (p.Empty()) {
        p.Resize(side, side);
        uint32_t state = 12345;
        for (uint32_t& px : p.Pixels) {
            state = state * 1664525u + 1013904223u;
            px = 0xFF000000u | (state >> 8);
        }
        for (int x = 0; x < side; x += 7)
            p.At(x, x) = PackPixel(90, 90, 90);
    }
    return p;
}

void SetRate(benchmark::State& state, int side) {
    state.counters["MP/s"] = benchmark::Counter(static_cast<double>(side) * side / 1e6 *
                                                    static_cast<double>(state.iterations()),
                                                benchmark::Counter::kIsRate);
}

// Arguments: side, plane, colour flag.
void BM_GetImageSpace(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const int plane = static_cast<int>(state.range(1));
    const bool colour = state.range(2) != 0;
    const Picture& source = TestPicture(side);
    for (auto _ : state) {
        Picture out = GetImageSpace(plane, colour, false, source);
        benchmark::DoNotOptimize(out.Pixels.data());
    }
    SetRate(state, side);
}
BENCHMARK(BM_GetImageSpace)
    ->ArgNames({"side", "plane", "colour"})
    ->Args({1024, PlaneHueHSV, 1})
    ->Args({1024, PlaneSaturationHSV, 0})
    ->Args({1024, PlaneValueHSV, 0})
    ->Args({4096, PlaneHueHSV, 1})
    ->Args({4096, PlaneSaturationHSV, 0})
    ->Args({4096, PlaneValueHSV, 0})
    ->Args({4096, PlaneHueHLS, 1})
    ->Unit(benchmark::kMillisecond);

#ifdef VORN_HAVE_OPENCV
// The picture's memory is bytes blue, green, red, 255: OpenCV reads it in place as BGRA.
// Arguments: side, threads (0: OpenCV's default pool; GetImageSpace runs on one thread).
void BM_OpenCV_cvtColor_HSV(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const int threads = static_cast<int>(state.range(1));
    const Picture& source = TestPicture(side);
    const cv::Mat in(side, side, CV_8UC4, const_cast<uint32_t*>(source.Pixels.data()));
    cv::Mat out;
    const int savedThreads = cv::getNumThreads();
    if (threads > 0) cv::setNumThreads(threads);
    for (auto _ : state) {
        cv::cvtColor(in, out, cv::COLOR_BGR2HSV);
        benchmark::DoNotOptimize(out.data);
    }
    cv::setNumThreads(savedThreads);
    state.counters["threads"] = threads > 0 ? threads : savedThreads;
    SetRate(state, side);
}
BENCHMARK(BM_OpenCV_cvtColor_HSV)
    ->ArgNames({"side", "threads"})
    ->Args({1024, 1})
    ->Args({1024, 0})
    ->Args({4096, 1})
    ->Args({4096, 0})
    ->Unit(benchmark::kMillisecond);
#endif

} // namespace

BENCHMARK_MAIN();
