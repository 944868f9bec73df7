// Speed of the colour look-up tables: one slider step of the preview on a 2-megapixel picture
// (rebuilding the tables and mapping a copy of the picture, which must stay under 100 ms so the
// preview follows the bar), per kind of mapping, on noise (the worst case for the colour-space
// corrections, whose branches it defeats) and on the aerial sample enlarged; and applying a table
// to 16 megapixels beside OpenCV's cv::LUT on the same pixels, one thread each. The apply's figure
// includes the frame every image operation pays (copying the picture into the working buffers and
// showing the result).
#include "algebra/vColorLUT.h"
#include "algebra/vColorLUTMap.h"
#include "runtime/RtFiles.h"
#include "shell/vGlobal.h"

#include "bench/BenchSupport.h"

#include <benchmark/benchmark.h>

#if __has_include(<opencv2/core.hpp>)
#include <opencv2/core.hpp>
#define VORN_HAVE_OPENCV 1
#endif

namespace {

// 1448 x 1448 is 2.1 megapixels; 4096 x 4096 is 16.8.
constexpr int PreviewSide = 1448;
constexpr int ApplySide = 4096;

// The aerial sample enlarged to side x side by repeating pixels; noise when it cannot be read.
Picture AerialPicture(int side) {
    std::vector<uint8_t> bytes;
    DecodedPicture sample;
    std::string error;
    const std::string path = ExecutableDirectory() + "../../samples/aero1.png";
    if (!ReadWholeFile(path, bytes) || !DecodePng(bytes.data(), bytes.size(), sample, error))
        return NoisePicture(side);
    Picture p;
    p.Resize(side, side);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            p.At(x, y) =
                sample.Image.At(x * sample.Image.Width / side, y * sample.Image.Height / side);
    return p;
}

enum class Source { Noise, Aerial };

void Prepare(int side, int32_t function, int32_t plane, Source source = Source::Noise) {
    if (source == Source::Aerial) {
        FreeImageBuffers();
        DisplayedPicture = AerialPicture(side);
        AllocImageBuffers();
    } else {
        MakeNoiseWorkingImage(side);
    }
    ClipOption = true;
    Scale0To255Option = BelowZeroOption = AutoRangeOption = false;
    LUTFunction = function;
    ColorPlane = plane;
    PlaneInColor = true;
}

// One bar move: the tables for the new position, then the preview.
void PreviewStep(benchmark::State& state, int32_t function, int32_t plane, bool autoRange = false,
                 Source source = Source::Noise) {
    Prepare(PreviewSide, function, plane, source);
    ClipOption = !autoRange;
    AutoRangeOption = autoRange;
    int32_t position = 100;
    Picture preview;
    for (auto _ : state) {
        position = position == 100 ? 101 : 100;
        DoLUT({position, 50, 150, true, false});
        MakeLUTPreview(CurrentLUTMapping(position, 50, 150), preview);
        benchmark::DoNotOptimize(preview.Pixels.data());
    }
    ReportRates(state, double(PreviewSide) * PreviewSide);
}

void BM_PreviewGamma(benchmark::State& state) {
    PreviewStep(state, lfGamma, NoColorPlane);
}
void BM_PreviewGray(benchmark::State& state) {
    PreviewStep(state, lfGray, NoColorPlane);
}
void BM_PreviewHSVHue(benchmark::State& state) {
    PreviewStep(state, lfHSV, 4);
}
void BM_PreviewHSVHueAerial(benchmark::State& state) {
    PreviewStep(state, lfHSV, 4, false, Source::Aerial);
}
void BM_PreviewHLSHueAerial(benchmark::State& state) {
    PreviewStep(state, lfHLS, 7, false, Source::Aerial);
}
void BM_PreviewHLSLightness(benchmark::State& state) {
    PreviewStep(state, lfHLS, 8);
}
void BM_PreviewYIQ(benchmark::State& state) {
    PreviewStep(state, lfYIQ, NoColorPlane);
}

void BM_PreviewAutoRangeGamma(benchmark::State& state) {
    PreviewStep(state, lfGamma, NoColorPlane, true);
}

void BM_ApplyTable(benchmark::State& state) {
    Prepare(ApplySide, lfGamma, NoColorPlane);
    DoLUT({150, 200, 250, true, false});
    const LUTMapping m = CurrentLUTMapping(150, 200, 250);
    for (auto _ : state)
        ApplyLUTImage(m);
    ReportRates(state, double(ApplySide) * ApplySide);
}

#ifdef VORN_HAVE_OPENCV

void BM_ApplyTable_Anchor(benchmark::State& state) {
    cv::setNumThreads(1);
    const cv::Mat src = NoiseMat(ApplySide);
    cv::Mat table(1, 256, CV_8UC3);
    for (int i = 0; i < 256; ++i)
        table.at<cv::Vec3b>(0, i) = cv::Vec3b(uint8_t(255 - i), uint8_t(i / 2), uint8_t(i));
    cv::Mat dst;
    for (auto _ : state) {
        cv::LUT(src, table, dst);
        benchmark::DoNotOptimize(dst.data);
    }
    ReportRates(state, double(ApplySide) * ApplySide);
}

#endif

} // namespace

BENCHMARK(BM_PreviewGamma)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewGray)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewHSVHue)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewHSVHueAerial)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewHLSHueAerial)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewHLSLightness)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewYIQ)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewAutoRangeGamma)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ApplyTable)->Unit(benchmark::kMillisecond);
#ifdef VORN_HAVE_OPENCV
BENCHMARK(BM_ApplyTable_Anchor)->Unit(benchmark::kMillisecond);
#endif

BENCHMARK_MAIN();
