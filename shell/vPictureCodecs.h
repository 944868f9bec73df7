// Picture file codecs of the engine layer: PNG read and written with libpng, JPEG written with
// libjpeg, and the checks of a BMP file whose pixels the window layer's toolkit decodes. Every
// decoder checks the file's sizes before it trusts them and gives a 24-bit picture.
#pragma once

#include "shell/vPicture.h"
#include "shell/vPngChunks.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

// A picture file that cannot be read or written; what() names the file and the fault.
class EInvalidGraphic : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct DecodedPicture {
    Picture Image; // always 24 bits (FormatBits 24)
    // Bits per pixel of the file's pixel format as a bitmap holds it: 1, 4, 8, 15, 16, 24, 32.
    int SourceBits = 24;
    // A PNG file's chunks, walked when it was read; empty for other files.
    std::vector<PngChunk> PngChunks;
    // The size the file's header gives when the decoder refused it because a picture that
    // large does not fit the memory (PictureMemoryFits); 0 otherwise.
    int64_t RefusedWidth = 0;
    int64_t RefusedHeight = 0;
};

// PNG of any colour type and bit depth, to 24 bits: palettes expanded, grey repeated in the
// three channels, 16-bit samples scaled to 8 bits with rounding, alpha dropped (the colour
// values are kept as stored), interlacing undone.
bool DecodePng(const uint8_t* data, size_t size, DecodedPicture& out, std::string& error);
// 8 bits a channel RGB, not interlaced, the library's default filtering and compression.
bool EncodePng(const Picture& picture, std::vector<uint8_t>& out, std::string& error);
// Baseline, full colour.
bool EncodeJpeg(const Picture& picture, int quality, std::vector<uint8_t>& out, std::string& error);

// What a BMP file's headers say, checked against the file's length.
struct BmpFacts {
    int64_t Width = 0;
    int64_t Height = 0; // rows, positive for either row order
    int BitCount = 0;
    uint32_t Compression = 0;
    int SourceBits = 0; // 16-bit files with 5-bit green are 15
};
bool InspectBmp(const uint8_t* data, size_t size, BmpFacts& facts, std::string& error);

// The sides a BMP's or a PNG's header gives, from the file's first PictureHeaderBytes alone, so
// that a picture too large is refused before the rest is read; false when they give none.
constexpr size_t PictureHeaderBytes = 26;
bool BmpHeaderSides(const uint8_t* data, size_t size, int64_t& width, int64_t& height);
bool PngHeaderSides(const uint8_t* data, size_t size, int64_t& width, int64_t& height);

// The window layer reads and writes BMP pixels through its toolkit and registers its codec at
// start; the engine checks the file first and the result's size after.
using BmpDecodeFn = bool (*)(const uint8_t* data, size_t size, Picture& out, std::string& error);
using BmpEncodeFn = bool (*)(const Picture& picture, std::vector<uint8_t>& out, std::string& error);
void SetBmpCodec(BmpDecodeFn decode, BmpEncodeFn encode);
bool DecodeBmp(const uint8_t* data, size_t size, DecodedPicture& out, std::string& error);
// A 24-bit BMP.
bool EncodeBmp(const Picture& picture, std::vector<uint8_t>& out, std::string& error);
