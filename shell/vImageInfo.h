// What the image information window shows: the displayed picture's name, folder and size, the
// fields of the working image's bitmap header and the file's size; and the grey ramp of its
// gamma test strips.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct ImageInfoField {
    const char* Label; // the edit's label; empty for the box below "Info Size"
    std::string Value;
};

// Every field but "File Size", in the window's order, read from the shared state without
// copying the picture into the working buffers (that would replace the user's Undo).
std::vector<ImageInfoField> ReadImageInfo();
// Bytes of CurrentImageFolder + CurrentImageName; the run time's file error when it is missing.
std::string ImageFileSizeText();

// The gamma strip: table[v] = round(255 * (v / 255) ^ (1 / (2.2 * gamma))).
std::array<uint8_t, 256> GammaTable(double gamma);
// a * b / c rounded to the nearest, halves away from zero; -1 when c is 0.
int32_t MulDiv(int32_t a, int32_t b, int32_t c);
// The grey of each column of a strip `width` pixels wide: table[MulDiv(255, x, width)].
std::vector<uint8_t> GammaRamp(const std::array<uint8_t, 256>& table, int width);
