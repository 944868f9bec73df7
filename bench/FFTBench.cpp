// Speed of one real line transform at the workbench's sizes, beside FFTW's real-to-complex and
// real-to-half-complex plans of the same length on the same values in the same run; and of the
// workbench's whole forward-and-inverse run on a square band beside FFTW's 2-D real-to-complex
// and complex-to-real pair of the same size. FFTW is bound at run time from its shared library,
// so the benchmark needs only its header to build; without the library the FFTW rows report an
// error and the others still run.
#include "bandproc/vFFT87B2.h"
#include "bandproc/vFFTWork.h"
#include "bench/BenchSupport.h"

#include <benchmark/benchmark.h>

#if __has_include(<fftw3.h>)
#include <dlfcn.h>
#include <fftw3.h>
#define VORN_HAVE_FFTW 1
#endif

#include <cstdint>
#include <vector>

namespace {

// The same reproducible noise for every engine, in 0..255.
std::vector<double> NoiseLine(int n) {
    std::vector<double> v(FFTMaxLength, 0.0);
    uint32_t seed = 12345;
    for (int i = 0; i < n; ++i) {
        seed = seed * 1664525u + 1013904223u;
        v[i] = static_cast<double>(seed >> 24);
    }
    return v;
}

void ReportTransforms(benchmark::State& state) {
    state.counters["lines/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_RealFFT(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const std::vector<double> line = NoiseLine(n);
    std::vector<double> re(FFTMaxLength), im(FFTMaxLength);
    int32_t status = 0;
    for (auto _ : state) {
        std::copy(line.begin(), line.begin() + n, re.begin());
        RealFFT(n, false, re.data(), status, im.data());
        benchmark::DoNotOptimize(re.data());
        benchmark::DoNotOptimize(im.data());
    }
    if (status != fsSuccess) state.SkipWithError("RealFFT refused the length");
    ReportTransforms(state);
}

// The same reproducible noise as a square band of samples.
std::vector<uint8_t> NoiseBand(int side) {
    std::vector<uint8_t> v(static_cast<size_t>(side) * side);
    uint32_t seed = 12345;
    for (uint8_t& b : v)
        b = static_cast<uint8_t>(NextNoise(seed));
    return v;
}

// Loading the samples, mean removal, both forward passes, the spectrum picture and both inverse
// passes, as "Do" runs them on a band with "None".
void BM_FFTWorkbench(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const std::vector<uint8_t> band = NoiseBand(side);
    Picture grey;
    grey.Resize(side, side);
    for (size_t k = 0; k < band.size(); ++k)
        grey.Pixels[k] = PackPixel(band[k], band[k], band[k]);
    TFFTSpectrum s;
    Picture spectrum;
    const TFFTSettings settings{ffNone, 0, 0, true, false};
    for (auto _ : state) {
        LoadFFTChannel(s, grey, 0);
        if (!ProcessFFTBand(s, settings, spectrum, {})) state.SkipWithError("size refused");
        benchmark::DoNotOptimize(s.Re.data());
    }
    ReportRates(state, static_cast<double>(side) * side);
}

#ifdef VORN_HAVE_FFTW

struct Fftw {
    decltype(&fftw_plan_dft_r2c_1d) PlanR2C = nullptr;
    decltype(&fftw_plan_r2r_1d) PlanR2R = nullptr;
    decltype(&fftw_plan_dft_r2c_2d) PlanR2C2D = nullptr;
    decltype(&fftw_plan_dft_c2r_2d) PlanC2R2D = nullptr;
    decltype(&fftw_execute) Execute = nullptr;
    decltype(&fftw_destroy_plan) DestroyPlan = nullptr;
    decltype(&fftw_malloc) Malloc = nullptr;
    decltype(&fftw_free) Free = nullptr;

    bool Ready() const {
        return PlanR2C && PlanR2R && PlanR2C2D && PlanC2R2D && Execute && DestroyPlan && Malloc &&
               Free;
    }
};

const Fftw& Library() {
    static const Fftw lib = [] {
        Fftw f;
        void* h = dlopen("libfftw3.so.3", RTLD_NOW | RTLD_LOCAL);
        if (!h) return f;
        f.PlanR2C = reinterpret_cast<decltype(f.PlanR2C)>(dlsym(h, "fftw_plan_dft_r2c_1d"));
        f.PlanR2R = reinterpret_cast<decltype(f.PlanR2R)>(dlsym(h, "fftw_plan_r2r_1d"));
        f.PlanR2C2D = reinterpret_cast<decltype(f.PlanR2C2D)>(dlsym(h, "fftw_plan_dft_r2c_2d"));
        f.PlanC2R2D = reinterpret_cast<decltype(f.PlanC2R2D)>(dlsym(h, "fftw_plan_dft_c2r_2d"));
        f.Execute = reinterpret_cast<decltype(f.Execute)>(dlsym(h, "fftw_execute"));
        f.DestroyPlan = reinterpret_cast<decltype(f.DestroyPlan)>(dlsym(h, "fftw_destroy_plan"));
        f.Malloc = reinterpret_cast<decltype(f.Malloc)>(dlsym(h, "fftw_malloc"));
        f.Free = reinterpret_cast<decltype(f.Free)>(dlsym(h, "fftw_free"));
        return f;
    }();
    return lib;
}

// Plans once with FFTW_MEASURE outside the timing, as a caller transforming many lines would;
// the input is copied in on every iteration, as for RealFFT.
template <bool HalfComplex> void RunFftw(benchmark::State& state) {
    const Fftw& f = Library();
    if (!f.Ready()) {
        state.SkipWithError("libfftw3.so.3 not loaded");
        return;
    }
    const int n = static_cast<int>(state.range(0));
    const std::vector<double> line = NoiseLine(n);
    auto* in = static_cast<double*>(f.Malloc(sizeof(double) * n));
    void* out = f.Malloc(sizeof(fftw_complex) * (n / 2 + 1));
    fftw_plan plan = HalfComplex
                         ? f.PlanR2R(n, in, static_cast<double*>(out), FFTW_R2HC, FFTW_MEASURE)
                         : f.PlanR2C(n, in, static_cast<fftw_complex*>(out), FFTW_MEASURE);
    for (auto _ : state) {
        std::copy(line.begin(), line.begin() + n, in);
        f.Execute(plan);
        benchmark::DoNotOptimize(out);
    }
    f.DestroyPlan(plan);
    f.Free(out);
    f.Free(in);
    ReportTransforms(state);
}

// The 2-D real-to-complex transform and its complex-to-real inverse, planned once outside the
// timing; the samples are converted to doubles on every iteration, as the workbench loads them.
void BM_Fftw2D(benchmark::State& state) {
    const Fftw& f = Library();
    if (!f.Ready()) {
        state.SkipWithError("libfftw3.so.3 not loaded");
        return;
    }
    const int side = static_cast<int>(state.range(0));
    const std::vector<uint8_t> band = NoiseBand(side);
    const size_t count = static_cast<size_t>(side) * side;
    auto* in = static_cast<double*>(f.Malloc(sizeof(double) * count));
    auto* out = static_cast<fftw_complex*>(
        f.Malloc(sizeof(fftw_complex) * static_cast<size_t>(side) * (side / 2 + 1)));
    fftw_plan forward = f.PlanR2C2D(side, side, in, out, FFTW_MEASURE);
    fftw_plan inverse = f.PlanC2R2D(side, side, out, in, FFTW_MEASURE);
    for (auto _ : state) {
        for (size_t k = 0; k < count; ++k)
            in[k] = band[k];
        f.Execute(forward);
        f.Execute(inverse);
        benchmark::DoNotOptimize(in);
    }
    f.DestroyPlan(inverse);
    f.DestroyPlan(forward);
    f.Free(out);
    f.Free(in);
    ReportRates(state, static_cast<double>(count));
}

void BM_FftwR2C(benchmark::State& state) {
    RunFftw<false>(state);
}
void BM_FftwR2R(benchmark::State& state) {
    RunFftw<true>(state);
}

#endif

} // namespace

BENCHMARK(BM_RealFFT)->Arg(256)->Arg(1024)->Arg(2048);
BENCHMARK(BM_FFTWorkbench)->Arg(1024)->Arg(2048)->Unit(benchmark::kMillisecond);
#ifdef VORN_HAVE_FFTW
BENCHMARK(BM_FftwR2C)->Name("BM_RealFFT_Anchor")->Arg(256)->Arg(1024)->Arg(2048);
BENCHMARK(BM_FftwR2R)->Arg(256)->Arg(1024)->Arg(2048);
BENCHMARK(BM_Fftw2D)
    ->Name("BM_FFTWorkbench_Anchor")
    ->Arg(1024)
    ->Arg(2048)
    ->Unit(benchmark::kMillisecond);
#endif

BENCHMARK_MAIN();
