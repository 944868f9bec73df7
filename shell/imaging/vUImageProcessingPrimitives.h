// Small stateless routines on pictures and single pixels: a one-line description of a picture,
// conversions between the RGB triple and the colour value, the three grey measures of a pixel and
// a count of the distinct colours of a 24-bit picture. The colour libraries and the histogram
// tools build on them. Drawing a picture onto a printer lives in ui/vUPrintBitmapStretched.h.
#pragma once

#include "shell/vPicture.h"

#include <algorithm>
#include <cstdint>
#include <string>

// Three bytes in memory order blue, green, red: the pixel of a 24-bit bitmap row.
struct RGBTriple {
    uint8_t Blue = 0;
    uint8_t Green = 0;
    uint8_t Red = 0;
    friend bool operator==(const RGBTriple&, const RGBTriple&) = default;
};

// The FormatBits of a device-dependent picture.
inline constexpr int DeviceFormatBits = 0;

// "640 by 480 pixels by 24 bit color"; a device-dependent picture gets "(DDB)" right after it.
std::string GetBitmapDimensionsString(const Picture& bitmap);
// "Device", "1 bit", "4 bit", "8 bit", "15 bit", "16 bit", "24 bit", "32 bit", else "Unknown".
std::string GetPixelFormatString(int formatBits);

// A colour value is 0x00BBGGRR: red in the low byte.
inline RGBTriple ColorToRGBTriple(uint32_t color) {
    return {static_cast<uint8_t>(color >> 16), static_cast<uint8_t>(color >> 8),
            static_cast<uint8_t>(color)};
}
inline RGBTriple MakeRGBTriple(uint8_t red, uint8_t green, uint8_t blue) {
    return {blue, green, red};
}
// The triple's bytes read as a number hold blue in the low byte; the colour value wants red
// there.
inline uint32_t SwapColorRedBlue(RGBTriple triple) {
    return static_cast<uint32_t>(triple.Red) | (static_cast<uint32_t>(triple.Green) << 8) |
           (static_cast<uint32_t>(triple.Blue) << 16);
}
inline RGBTriple InvertRGBTriple(RGBTriple triple) {
    return {static_cast<uint8_t>(255 - triple.Blue), static_cast<uint8_t>(255 - triple.Green),
            static_cast<uint8_t>(255 - triple.Red)};
}

inline int ColorIntensity(RGBTriple triple) {
    return (triple.Red + triple.Green + triple.Blue) / 3;
}
inline int ColorLightness(RGBTriple triple) {
    const int high = std::max({triple.Red, triple.Green, triple.Blue});
    const int low = std::min({triple.Red, triple.Green, triple.Blue});
    return (high + low) / 2;
}
inline int ColorLuminance(RGBTriple triple) {
    return (77 * triple.Red + 150 * triple.Green + 29 * triple.Blue) >> 8;
}

// The triple of a picture's pixel word (0xFFRRGGBB) and back.
inline RGBTriple PixelToRGBTriple(uint32_t pixel) {
    return {PixelBlue(pixel), PixelGreen(pixel), PixelRed(pixel)};
}
inline uint32_t RGBTripleToPixel(RGBTriple triple) {
    return PackPixel(triple.Red, triple.Green, triple.Blue);
}

// Number of distinct colours among the picture's pixels.
int64_t CountUniqueColors(const Picture& bitmap);
