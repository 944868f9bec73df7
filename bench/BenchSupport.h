// What every benchmark shares: reproducible noise pictures, the working image made from one,
// and the megapixels-per-second counter.
#pragma once

#include "shell/vGlobal.h"

#include <benchmark/benchmark.h>

#include <cstdint>

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

inline void ReportMegapixels(benchmark::State& state, double pixels) {
    state.counters["MPix/s"] = benchmark::Counter(
        pixels * static_cast<double>(state.iterations()) / 1e6, benchmark::Counter::kIsRate);
}

#if __has_include(<opencv2/core.hpp>)
#include <opencv2/core.hpp>

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
#endif
