// Speed of the band-product frame on generated band files (4096 x 4096 = 16 megapixels and
// 7000 x 7000): band-file algebra of two bands with and without autorange and the six-band
// Tasselled Cap, in megabytes of input per second, beside the I/O floor (copying the same
// input bytes, as cp does) and OpenCV on the same files (whole planes read, cv::divide on CV_8U,
// written; one thread). Before the runs, the peak resident memory of a two-band algebra run in
// a fresh process is printed for H = 1000 and H = 7000: the frame keeps one row per file, so it
// must not grow with H.
#include "bandproc/vUPrepare.h"
#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "shell/vGlobal.h"

#include <benchmark/benchmark.h>

#if __has_include(<opencv2/core.hpp>)
#include <opencv2/core.hpp>
#define VORN_HAVE_OPENCV 1
#endif

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {
// Every round replaces what the round before it wrote: the harness lets those files go, as a
// user answering Yes would.
const bool LetGo = (SetReplaceQuestion([](const std::vector<std::string>&) { return true; }), true);

const std::string Dir = "/tmp/vorn-bench-bands-" + std::to_string(getpid()) + "/";

std::string BandPath(int side, int64_t height, int band) {
    return Dir + "s" + std::to_string(side) + "x" + std::to_string(height) + "b" +
           std::to_string(band) + ".raw";
}

// Six noise bands of side x height (made once per size).
void MakeBands(int side, int64_t height) {
    MakeDirectories(Dir);
    std::vector<uint8_t> row(static_cast<size_t>(side));
    for (int b = 0; b < 6; ++b) {
        const std::string path = BandPath(side, height, b);
        if (FileExists(path)) continue;
        std::FILE* f = std::fopen(path.c_str(), "wb");
        uint32_t seed = 12345u + static_cast<uint32_t>(b);
        for (int64_t y = 0; y < height; ++y) {
            for (auto& x : row) {
                seed = seed * 1664525u + 1013904223u;
                x = static_cast<uint8_t>(seed >> 24);
            }
            std::fwrite(row.data(), 1, row.size(), f);
        }
        std::fclose(f);
    }
}

void UseBands(int side, int64_t height) {
    MakeBands(side, height);
    SceneFolder = Dir;
    SubsetBounds = {0, side - 1, 0, static_cast<int32_t>(height - 1)};
    const int slots[] = {0, 1, 2, 3, 4, 7};
    for (int b = 0; b < 6; ++b)
        SelectedBandFiles[slots[b]] = BandPath(side, height, b);
}

void ReportBytes(benchmark::State& state, double bytes) {
    state.counters["MB/s"] = benchmark::Counter(
        bytes * static_cast<double>(state.iterations()) / 1e6, benchmark::Counter::kIsRate);
}

void BM_BandAlgebraDivide(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const bool autoRange = state.range(1) != 0;
    UseBands(side, side);
    for (auto _ : state)
        MultiBandFileAlgebra(3, autoRange, 0, 1, "algebra");
    ReportBytes(state, 2.0 * side * side);
}

void BM_TasselledCapSixBands(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    UseBands(side, side);
    const std::array<double, 24> c = {0.3561,  0.3972,  0.3904,  0.6966,  0.2286,  0.1596,
                                      -0.3344, -0.3544, -0.4556, 0.6966,  -0.0242, -0.2630,
                                      0.2626,  0.2141,  0.0926,  0.0656,  -0.7629, -0.5388,
                                      0.0805,  -0.0498, 0.1950,  -0.1327, 0.4346,  -0.8085};
    for (auto _ : state)
        TasselledCapBands(TasselledCapSet::SixBands, c, "cap");
    ReportBytes(state, 6.0 * side * side);
}

// The I/O floor: the input bytes of a two-band run copied as they stand.
void BM_CopyTwoBands(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    UseBands(side, side);
    namespace fs = std::filesystem;
    for (auto _ : state)
        for (int b = 0; b < 2; ++b)
            fs::copy_file(BandPath(side, side, b), Dir + "copy" + std::to_string(b),
                          fs::copy_options::overwrite_existing);
    ReportBytes(state, 2.0 * side * side);
}

#ifdef VORN_HAVE_OPENCV

cv::Mat ReadPlane(const std::string& path, int side) {
    cv::Mat m(side, side, CV_8U);
    std::FILE* f = std::fopen(path.c_str(), "rb");
    const size_t n = std::fread(m.data, 1, m.total(), f);
    std::fclose(f);
    benchmark::DoNotOptimize(n);
    return m;
}

void BM_OpenCVDivide(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    UseBands(side, side);
    cv::setNumThreads(1);
    cv::Mat q;
    for (auto _ : state) {
        const cv::Mat a = ReadPlane(BandPath(side, side, 0), side);
        const cv::Mat b = ReadPlane(BandPath(side, side, 1), side);
        cv::divide(a, b, q);
        WriteFileAtomic(Dir + "opencv.pfd", q.data, q.total(),
                        TReplaceLeave::Chosen(Dir + "opencv.pfd"));
    }
    ReportBytes(state, 2.0 * side * side);
}

#endif

// Peak resident memory of one two-band algebra run of 7000 x height in a fresh process.
long PeakKilobytes(int64_t height) {
    UseBands(7000, height);
    const pid_t child = fork();
    if (child == 0) {
        MultiBandFileAlgebra(3, true, 0, 1, "rss");
        _exit(0);
    }
    int status = 0;
    struct rusage usage {};
    wait4(child, &status, 0, &usage);
    return usage.ru_maxrss;
}

} // namespace

BENCHMARK(BM_BandAlgebraDivide)
    ->Args({4096, 0})
    ->Args({4096, 1})
    ->Args({7000, 0})
    ->Args({7000, 1})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TasselledCapSixBands)->Arg(4096)->Arg(7000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyTwoBands)->Arg(4096)->Arg(7000)->Unit(benchmark::kMillisecond);
#ifdef VORN_HAVE_OPENCV
BENCHMARK(BM_OpenCVDivide)->Arg(4096)->Arg(7000)->Unit(benchmark::kMillisecond);
#endif

int main(int argc, char** argv) {
    for (const int64_t h : {1000, 7000}) {
        const std::string line = "peak RSS, algebra with autorange on 7000 x " + IntToStr(h) +
                                 ": " + IntToStr(PeakKilobytes(h)) + " kB\n";
        std::fputs(line.c_str(), stdout);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(Dir);
    return 0;
}
