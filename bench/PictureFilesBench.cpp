// PNG load and save of a 16-megapixel picture through the workstation's picture files, beside
// the same work done by QImage in the same run (megapixels per second).
#include "shell/vGlobal.h"

#include "bench/BenchSupport.h"

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

constexpr int Side = 4096;
// Coding is not a memory pass: the rows show no memcpy floor.
constexpr double Pixels = Side * static_cast<double>(Side);

// Smooth shapes with grain, compressing about as a photograph does.
const Picture& BenchPicture() {
    static const Picture picture = [] {
        Picture p;
        p.Resize(Side, Side);
        uint32_t seed = 12345;
        for (int y = 0; y < Side; ++y)
            for (int x = 0; x < Side; ++x) {
                seed = seed * 1664525u + 1013904223u;
                const int grain = static_cast<int>(seed >> 29);
                const double v = 96 + 60 * std::sin(x * 0.013) * std::cos(y * 0.009);
                p.At(x, y) = PackPixel(static_cast<uint8_t>(v + grain),
                                       static_cast<uint8_t>(v * 0.8 + (x >> 5) % 32 + grain),
                                       static_cast<uint8_t>(200 - v * 0.5 + grain));
            }
        return p;
    }();
    return picture;
}

QImage BenchImage() {
    const Picture& p = BenchPicture();
    return QImage(reinterpret_cast<const uchar*>(p.Pixels.data()), p.Width, p.Height,
                  static_cast<qsizetype>(p.Width) * 4, QImage::Format_RGB32);
}

std::string BenchPath(const char* name) {
    return "/tmp/vorn-bench-" + std::to_string(getpid()) + "-" + name;
}

void BM_PngEncode(benchmark::State& state) {
    std::vector<uint8_t> bytes;
    std::string error;
    for (auto _ : state) {
        EncodePng(BenchPicture(), bytes, error);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes.size());
    ReportRates(state, Pixels);
}

void BM_PngEncode_Anchor(benchmark::State& state) {
    const QImage image = BenchImage();
    QByteArray bytes;
    for (auto _ : state) {
        bytes.clear();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter(&buffer, "png").write(image);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes.size());
    ReportRates(state, Pixels);
}

// A save as the Save command does it: encode whole, then write and replace the file.
void BM_PngSave(benchmark::State& state) {
    const std::string path = BenchPath("save-vorn.png");
    for (auto _ : state)
        WritePictureFile(path, BenchPicture(), PictureFileKind::Png, TReplaceLeave::Chosen(path));
    std::remove(path.c_str());
    ReportRates(state, Pixels);
}

void BM_PngSave_Anchor(benchmark::State& state) {
    const std::string path = BenchPath("save-qimage.png");
    const QImage image = BenchImage();
    for (auto _ : state)
        image.save(QString::fromStdString(path), "PNG");
    std::remove(path.c_str());
    ReportRates(state, Pixels);
}

// Both read the same file, written once by the workstation.
void BM_PngLoad(benchmark::State& state) {
    const std::string path = BenchPath("load.png");
    WritePictureFile(path, BenchPicture(), PictureFileKind::Png, TReplaceLeave::Chosen(path));
    for (auto _ : state) {
        DecodedPicture d = ReadPictureFile(path);
        benchmark::DoNotOptimize(d.Image.Pixels.data());
    }
    std::remove(path.c_str());
    ReportRates(state, Pixels);
}

void BM_PngLoad_Anchor(benchmark::State& state) {
    const std::string path = BenchPath("load.png");
    WritePictureFile(path, BenchPicture(), PictureFileKind::Png, TReplaceLeave::Chosen(path));
    for (auto _ : state) {
        QImage image(QString::fromStdString(path));
        benchmark::DoNotOptimize(image.constBits());
    }
    std::remove(path.c_str());
    ReportRates(state, Pixels);
}

BENCHMARK(BM_PngEncode)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PngEncode_Anchor)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PngSave)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PngSave_Anchor)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PngLoad)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PngLoad_Anchor)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
