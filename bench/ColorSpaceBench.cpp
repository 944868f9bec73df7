// Colour planes: GetImageSpace over 1 and 16 megapixels beside OpenCV's conversion of the same
// picture to HSV (or HLS for the HLS planes), in megapixels per second.
#include "shell/imaging/vUColorLibrary.h"

#include "bench/BenchSupport.h"

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
        p = NoisePicture(side);
        for (int x = 0; x < side; x += 7)
            p.At(x, x) = PackPixel(90, 90, 90);
    }
    return p;
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
    // The picture (4) read, the plane picture (4) written.
    ReportRates(state, static_cast<double>(side) * side, 8);
}

#ifdef VORN_HAVE_OPENCV
// The picture's memory is bytes blue, green, red, 255: OpenCV reads it in place as BGRA.
void BM_GetImageSpace_Anchor(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const int plane = static_cast<int>(state.range(1));
    const int code = plane >= PlaneHueHLS ? cv::COLOR_BGR2HLS : cv::COLOR_BGR2HSV;
    const Picture& source = TestPicture(side);
    const cv::Mat in(side, side, CV_8UC4, const_cast<uint32_t*>(source.Pixels.data()));
    cv::Mat out;
    for (auto _ : state) {
        cv::cvtColor(in, out, code);
        benchmark::DoNotOptimize(out.data);
    }
    ReportRates(state, static_cast<double>(side) * side);
}
#endif

void Planes(benchmark::internal::Benchmark* b) {
    b->ArgNames({"side", "plane", "colour"})
        ->Args({1024, PlaneHueHSV, 1})
        ->Args({1024, PlaneSaturationHSV, 0})
        ->Args({1024, PlaneValueHSV, 0})
        ->Args({4096, PlaneHueHSV, 1})
        ->Args({4096, PlaneSaturationHSV, 0})
        ->Args({4096, PlaneValueHSV, 0})
        ->Args({4096, PlaneHueHLS, 1})
        ->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(BM_GetImageSpace)->Apply(Planes);
#ifdef VORN_HAVE_OPENCV
BENCHMARK(BM_GetImageSpace_Anchor)->Apply(Planes);
#endif

BENCHMARK_MAIN();
