#include "shell/vImageInfo.h"

#include "runtime/RtErrors.h"
#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "runtime/RtRecords.h"
#include "shell/vGlobal.h"

#include <algorithm>
#include <cmath>

namespace {

// Header plus one palette entry, as the window has always shown it.
constexpr int InfoSize = 44;

} // namespace

std::vector<ImageInfoField> ReadImageInfo() {
    const uint8_t* h = WorkBitmapInfo.data();
    return {
        {"Image Name", CurrentImageName},
        {"Image Path", CurrentImageFolder},
        {"Width", IntToStr(DisplayedPicture.Width)},
        {"Height", IntToStr(DisplayedPicture.Height)},
        {"Bits per pixel", IntToStr(LeU16(h + 14))},
        {"Planes", IntToStr(LeU16(h + 12))},
        {"Colors Used", IntToStr(LeU32(h + 32))},
        {"Important", IntToStr(LeU32(h + 36))},
        {"Compression", IntToStr(LeU32(h + 16))},
        {"Image Size", IntToStr(LeU32(h + 20))},
        {"Info Size", IntToStr(InfoSize)},
        {"", IntToStr(LeU32(h + 0))},
    };
}

std::string ImageFileSizeText() {
    const int64_t size = FileSizeOf(CurrentImageFolder + CurrentImageName);
    if (size < 0) throw EInOutError(EInOutError::FileNotFound);
    return IntToStr(size);
}

std::array<uint8_t, 256> GammaTable(double gamma) {
    std::array<uint8_t, 256> table{};
    const double exponent = 1.0 / (2.2 * gamma);
    for (int v = 0; v < 256; ++v)
        table[static_cast<size_t>(v)] =
            static_cast<uint8_t>(Round(255.0 * std::pow(v / 255.0, exponent)));
    return table;
}

int32_t MulDiv(int32_t a, int32_t b, int32_t c) {
    if (c == 0) return -1;
    const int64_t p = int64_t{a} * b;
    const int64_t q =
        (2 * (p < 0 ? -p : p) + (c < 0 ? -int64_t{c} : c)) / (2 * (c < 0 ? -int64_t{c} : c));
    return static_cast<int32_t>((p < 0) != (c < 0) ? -q : q);
}

std::vector<uint8_t> GammaRamp(const std::array<uint8_t, 256>& table, int width) {
    std::vector<uint8_t> greys(static_cast<size_t>(std::max(width, 0)));
    for (int x = 0; x < width; ++x)
        greys[static_cast<size_t>(x)] = table[static_cast<size_t>(MulDiv(255, x, width))];
    return greys;
}
