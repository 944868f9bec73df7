// The displayed picture: 32 bits a pixel, rows top first, bytes blue, green, red, 255, no row
// padding. The main window paints this memory directly (wrapped, not copied).
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

// The pixel words below are these bytes only on a little-endian machine; the row conversions
// move whole words on that footing.
static_assert(std::endian::native == std::endian::little);

struct Picture {
    int Width = 0;
    int Height = 0;
    // Bits per pixel of the picture's own format; the workstation works on 24.
    int FormatBits = 24;
    std::vector<uint32_t> Pixels;

    bool Empty() const { return Width <= 0 || Height <= 0 || Pixels.empty(); }
    void Resize(int width, int height) {
        Width = width;
        Height = height;
        Pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0xFF000000u);
    }
    // The size without clearing when the picture has it already: for callers that write every
    // pixel.
    void Fit(int width, int height) {
        if (Width != width || Height != height ||
            Pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height))
            Resize(width, height);
    }
    uint32_t* Row(int y) { return Pixels.data() + static_cast<size_t>(y) * Width; }
    const uint32_t* Row(int y) const { return Pixels.data() + static_cast<size_t>(y) * Width; }
    uint32_t& At(int x, int y) { return Row(y)[x]; }
    uint32_t At(int x, int y) const { return Row(y)[x]; }
};

// 0xFFRRGGBB, the pixel word of the picture.
inline uint32_t PackPixel(uint8_t r, uint8_t g, uint8_t b) {
    return 0xFF000000u | (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) | b;
}
inline uint8_t PixelRed(uint32_t p) {
    return static_cast<uint8_t>(p >> 16);
}
inline uint8_t PixelGreen(uint32_t p) {
    return static_cast<uint8_t>(p >> 8);
}
inline uint8_t PixelBlue(uint32_t p) {
    return static_cast<uint8_t>(p);
}
// A colour value (0x00BBGGRR) from a pixel word, and back.
inline uint32_t PixelToColor(uint32_t p) {
    return static_cast<uint32_t>(PixelRed(p)) | (static_cast<uint32_t>(PixelGreen(p)) << 8) |
           (static_cast<uint32_t>(PixelBlue(p)) << 16);
}
inline uint32_t ColorToPixel(uint32_t c) {
    return PackPixel(static_cast<uint8_t>(c), static_cast<uint8_t>(c >> 8),
                     static_cast<uint8_t>(c >> 16));
}
