// Speed of the raw band splitter on a generated band-sequential file of seven bands beside a
// plain file copy (as cp does it) and a memcpy of the same bytes: the splitter reads and writes
// one row at a time, so it should stay within a small factor of the copy.
#include "import/vBandFiles.h"

#include "runtime/RtFiles.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <vector>

namespace {
// Every round replaces what the round before it wrote: the harness lets those files go, as a
// user answering Yes would.
const bool LetGo = (SetReplaceQuestion([](const std::vector<std::string>&) { return true; }), true);

constexpr int64_t Bands = 7;

// The scene file of side x side x Bands bytes in a folder of its own, made once per side.
std::string SceneFile(int64_t side) {
    static int64_t madeSide = 0;
    const std::string dir =
        (std::filesystem::temp_directory_path() / "vorn-band-split-bench").string() + "/";
    const std::string path = dir + "scene.raw";
    if (madeSide != side) {
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        std::vector<uint8_t> bytes(static_cast<size_t>(side * side * Bands));
        uint32_t seed = 12345;
        for (uint8_t& b : bytes) {
            seed = seed * 1664525u + 1013904223u;
            b = static_cast<uint8_t>(seed >> 24);
        }
        WriteFileAtomic(path, bytes, TReplaceLeave::Chosen(path));
        madeSide = side;
    }
    return path;
}

void ReportBytes(benchmark::State& state, int64_t side) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * side * side * Bands);
}

void BM_SplitRawFile(benchmark::State& state) {
    const int64_t side = state.range(0);
    const std::string input = SceneFile(side);
    for (auto _ : state) {
        std::vector<std::string> written;
        SplitRawFile(input, {side, side, Bands, 0}, written);
        benchmark::DoNotOptimize(written.data());
    }
    ReportBytes(state, side);
}

void BM_CopyFile(benchmark::State& state) {
    const int64_t side = state.range(0);
    const std::string input = SceneFile(side);
    for (auto _ : state)
        std::filesystem::copy_file(input, input + ".copy",
                                   std::filesystem::copy_options::overwrite_existing);
    ReportBytes(state, side);
}

void BM_Memcpy(benchmark::State& state) {
    const int64_t side = state.range(0);
    std::vector<uint8_t> from(static_cast<size_t>(side * side * Bands), 1), to(from.size());
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size());
        benchmark::ClobberMemory();
    }
    ReportBytes(state, side);
}

} // namespace

BENCHMARK(BM_SplitRawFile)->Arg(4096)->Arg(7000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyFile)->Arg(4096)->Arg(7000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Memcpy)->Arg(4096)->Arg(7000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
