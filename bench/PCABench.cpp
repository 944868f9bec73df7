// Speed of the principal-component products on six generated noise bands (1 and 16 megapixels):
// both passes of PCABands writing six components and ".pcn", beside OpenCV doing the same weighted
// sums as one matrix product of the pixels by the weight rows (cv::gemm in doubles), each column
// stretched from its own extremes (cv::minMaxLoc, convertTo) and written.
#include "BenchSupport.h"

#include "bandproc/vPCA.h"
#include "runtime/RtFiles.h"

#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {
// Every round replaces what the round before it wrote: the harness lets those files go, as a
// user answering Yes would.
const bool LetGo = (SetReplaceQuestion([](const std::vector<std::string>&) { return true; }), true);

const std::string Dir = "/tmp/vorn-bench-pca-" + std::to_string(getpid()) + "/";

std::string BandPath(int side, int band) {
    return Dir + "s" + std::to_string(side) + ".B" + std::to_string(band + 1);
}

// Six noise bands of side x side (made once per size) as the subset and the inputs, with weight
// rows of mixed signs and positive eigenvalues.
std::vector<std::string> UseBands(int side) {
    MakeDirectories(Dir);
    std::vector<std::string> paths;
    for (int b = 0; b < 6; ++b) {
        paths.push_back(BandPath(side, b));
        if (FileExists(paths.back())) continue;
        std::vector<uint8_t> band(static_cast<size_t>(side) * side);
        uint32_t seed = 777u + static_cast<uint32_t>(b);
        for (auto& v : band)
            v = static_cast<uint8_t>(NextNoise(seed) >> 16);
        WriteFileAtomic(paths.back(), band, TReplaceLeave::Chosen(paths.back()));
    }
    SubsetBounds = {0, side - 1, 0, side - 1};
    PCAStats.assign(6, StatsRecord());
    for (int k = 0; k < 6; ++k) {
        PCAStats[k].Eigenvalue = 100.0 / (k + 1);
        for (int i = 0; i < 6; ++i)
            PCAEigenvectors[k][i] = (i == k) ? 1.0 : ((i + k) % 2 ? -0.25 : 0.5);
    }
    return paths;
}

// Read twice and seven products written: 19 bytes a pixel.
constexpr double PCABytes = 19;

void BM_PCABands(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const std::vector<std::string> paths = UseBands(side);
    for (auto _ : state)
        PCABands(6, paths);
    ReportRates(state, static_cast<double>(side) * side, PCABytes);
}

#if __has_include(<opencv2/core.hpp>)

void BM_PCABands_Anchor(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const std::vector<std::string> paths = UseBands(side);
    cv::Mat weights(7, 6, CV_64F);
    for (int i = 0; i < 6; ++i) {
        weights.at<double>(0, i) = PCAStats[i].Eigenvalue;
        for (int k = 0; k < 6; ++k)
            weights.at<double>(k + 1, i) = PCAEigenvectors[k][i];
    }
    for (auto _ : state) {
        std::vector<cv::Mat> planes;
        for (const auto& p : paths) {
            std::vector<uint8_t> bytes;
            ReadWholeFile(p, bytes);
            planes.push_back(cv::Mat(side, side, CV_8U, bytes.data()).clone());
        }
        cv::Mat merged, pixels, sums;
        cv::merge(planes, merged);
        merged.reshape(1, side * side).convertTo(pixels, CV_64F);
        cv::gemm(pixels, weights, 1.0, cv::Mat(), 0.0, sums, cv::GEMM_2_T);
        for (int p = 0; p < 7; ++p) {
            double lo = 0, hi = 0;
            cv::minMaxLoc(sums.col(p), &lo, &hi);
            cv::Mat out;
            sums.col(p).convertTo(out, CV_8U, 255.0 / (hi - lo), -lo * 255.0 / (hi - lo));
            WriteFileAtomic(Dir + "anchor.pc" + std::to_string(p), out.data, out.total(),
                            TReplaceLeave::Chosen(Dir + "anchor.pc" + std::to_string(p)));
        }
    }
    ReportRates(state, static_cast<double>(side) * side);
}

#endif

} // namespace

BENCHMARK(BM_PCABands)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);
#if __has_include(<opencv2/core.hpp>)
BENCHMARK(BM_PCABands_Anchor)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);
#endif

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(Dir);
    return 0;
}
