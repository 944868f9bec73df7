// Speed of one rule classifier (the integer rule list with the fixed bands) beside OpenCV's
// LUT on the same noise pixels. The classifier's figures include the copy into the working
// buffers and the showing of the result.
#include "histogram/vUISOHO.h"

#include "bench/BenchSupport.h"

#include <benchmark/benchmark.h>

#if __has_include(<opencv2/core.hpp>)
#include <opencv2/core.hpp>
#define VORN_HAVE_OPENCV 1
#endif

namespace {

void BM_DoSlice(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    MakeNoiseWorkingImage(side);
    for (auto _ : state)
        Do_Slice(18);
    ReportRates(state, static_cast<double>(side) * side);
}

void BM_DoHalley(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    MakeNoiseWorkingImage(side);
    for (auto _ : state)
        Do_Halley(123, 66, 36);
    ReportRates(state, static_cast<double>(side) * side);
}

#ifdef VORN_HAVE_OPENCV

void BM_OpenCVLUT(benchmark::State& state) {
    RunWhiteningLutAnchor(state, 140);
}

#endif

} // namespace

BENCHMARK(BM_DoSlice)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DoHalley)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);
#ifdef VORN_HAVE_OPENCV
BENCHMARK(BM_OpenCVLUT)
    ->Name("BM_DoSlice_Anchor")
    ->Arg(1024)
    ->Arg(4096)
    ->Unit(benchmark::kMillisecond);
#endif

BENCHMARK_MAIN();
