// An opaque picture of pseudo-random colours, the same for the same seed: every kind of pixel,
// greys, pure colours and mixtures, without a file.
#pragma once

#include "shell/vGlobal.h"

inline Picture NoisePicture(int width, int height, uint32_t seed) {
    Picture p;
    p.Resize(width, height);
    for (uint32_t& px : p.Pixels) {
        seed = seed * 1664525u + 1013904223u;
        px = 0xFF000000u | (seed >> 8);
    }
    return p;
}
