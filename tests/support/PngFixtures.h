// Test pictures made with libpng itself, so the reader is checked against the library's own
// writer for every colour type, bit depth and interlacing.
#pragma once

#include <cstdint>
#include <vector>

struct PngFixture {
    int Width = 0;
    int Height = 0;
    int ColorType = 0; // PNG_COLOR_TYPE_*
    int BitDepth = 8;
    bool Interlaced = false;
    // Samples per pixel in file order (grey, grey+alpha, index, RGB, RGBA), one value each,
    // Width * channels values a row, Height rows; packed by the writer.
    std::vector<std::vector<uint32_t>> Samples;
    std::vector<uint8_t> Palette; // RGB triples
    std::vector<uint8_t> Transparency;
};

int PngChannels(int colorType);
// Samples that vary with position and channel over the whole range of the depth; palettes get
// 2^depth distinct entries.
PngFixture MakePngFixture(int colorType, int depth, bool interlaced = false, int w = 13, int h = 7);
std::vector<uint8_t> WritePngFixture(const PngFixture& fixture);
