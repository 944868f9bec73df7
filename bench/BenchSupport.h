// What every benchmark shares: reproducible noise pictures, the working image made from one, the
// rate counters and the memcpy floor.
//
// scripts/bench ends with one table built from the names alone, so a new engine adds its row by
// following them:
//   BM_<Engine>/<args>         the engine; ends with ReportRates(state, pixels, bytesPerPixel),
//                              bytesPerPixel being what it must read plus write per pixel (0: the
//                              work is not a memory pass, no floor is shown);
//   BM_<Engine>_Anchor/<args>  its nearest library equivalent on the same input, with the same
//                              <args>, ending with ReportRates(state, pixels). OpenCV runs on one
//                              thread here, as the engines do.
// An engine whose work is not pixels reports its own rate counter ending in "/s" (lines/s).
#pragma once

#include "shell/vGlobal.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <map>
#include <vector>

// The next pixel of the noise sequence (0x00RRGGBB).
inline uint32_t NextNoise(uint32_t& seed) {
    seed = seed * 1664525u + 1013904223u;
    return seed >> 8;
}

inline Picture NoisePicture(int side) {
    Picture p;
    p.Resize(side, side);
    uint32_t seed = 12345;
    for (uint32_t& px : p.Pixels)
        px = 0xFF000000u | NextNoise(seed);
    return p;
}

// A noise picture of side x side as the working image, with its buffers and no completion sound.
inline void MakeNoiseWorkingImage(int side) {
    DoneNotificationOption = false;
    if (DisplayedPicture.Width == side && ImageBuffersAllocated) return;
    FreeImageBuffers();
    DisplayedPicture = NoisePicture(side);
    AllocImageBuffers();
}

// Megapixels a second that memcpy reaches moving the bytes an engine moves for `pixels` pixels
// (half of them read, half written), measured once per size in this process.
inline double MemcpyFloor(double pixels, double bytesPerPixel) {
    static std::map<size_t, double> measured;
    const size_t half = static_cast<size_t>(pixels * bytesPerPixel / 2);
    auto [it, fresh] = measured.try_emplace(half, 0.0);
    if (fresh) {
        std::vector<uint8_t> from(half, 1), to(half, 0);
        std::memcpy(to.data(), from.data(), half);
        using Clock = std::chrono::steady_clock;
        const Clock::time_point start = Clock::now();
        double seconds = 0.0;
        int copies = 0;
        do {
            std::memcpy(to.data(), from.data(), half);
            benchmark::DoNotOptimize(to.data());
            benchmark::ClobberMemory();
            ++copies;
            seconds = std::chrono::duration<double>(Clock::now() - start).count();
        } while (seconds < 0.25);
        it->second = pixels * copies / seconds / 1e6;
    }
    return it->second;
}

inline void ReportRates(benchmark::State& state, double pixels, double bytesPerPixel = 0.0) {
    state.counters["MP/s"] = benchmark::Counter(
        pixels * static_cast<double>(state.iterations()) / 1e6, benchmark::Counter::kIsRate);
    if (bytesPerPixel > 0.0) state.counters["Floor MP/s"] = MemcpyFloor(pixels, bytesPerPixel);
}

// Bytes per pixel of the frame every image operation pays: the picture (4) read into the undo
// and work buffers (3 + 3), the work buffer (3) shown as the picture (4).
constexpr double FrameBytes = 17;

#if __has_include(<opencv2/core.hpp>)
#include <opencv2/core.hpp>

namespace {
[[maybe_unused]] const bool AnchorsOnOneThread = (cv::setNumThreads(1), true);
}

// The same noise as NoisePicture, as an OpenCV blue-green-red matrix.
inline cv::Mat NoiseMat(int side) {
    cv::Mat m(side, side, CV_8UC3);
    uint32_t seed = 12345;
    for (int y = 0; y < side; ++y) {
        uint8_t* row = m.ptr<uint8_t>(y);
        for (int x = 0; x < side; ++x) {
            const uint32_t v = NextNoise(seed);
            row[3 * x] = static_cast<uint8_t>(v);
            row[3 * x + 1] = static_cast<uint8_t>(v >> 8);
            row[3 * x + 2] = static_cast<uint8_t>(v >> 16);
        }
    }
    return m;
}
// cv::LUT over the noise picture with a table that whitens every value below `threshold`: the
// anchor of the slice and rule engines, which are table look-ups at heart.
inline void RunWhiteningLutAnchor(benchmark::State& state, int threshold) {
    const int side = static_cast<int>(state.range(0));
    const cv::Mat src = NoiseMat(side);
    cv::Mat table(1, 256, CV_8UC1);
    for (int v = 0; v < 256; ++v)
        table.at<uint8_t>(v) = static_cast<uint8_t>(v < threshold ? 255 : v);
    cv::Mat dst(src.size(), src.type());
    for (auto _ : state) {
        cv::LUT(src, table, dst);
        benchmark::DoNotOptimize(dst.data);
    }
    ReportRates(state, static_cast<double>(side) * side);
}
#endif
