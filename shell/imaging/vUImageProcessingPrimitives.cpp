// Picture descriptions and the distinct-colour count.
#include "shell/imaging/vUImageProcessingPrimitives.h"

#include "runtime/RtNumbers.h"

#include <bit>
#include <vector>

std::string GetPixelFormatString(int formatBits) {
    switch (formatBits) {
    case DeviceFormatBits:
        return "Device";
    case 1:
    case 4:
    case 8:
    case 15:
    case 16:
    case 24:
    case 32:
        return IntToStr(formatBits) + " bit";
    default:
        return "Unknown";
    }
}

std::string GetBitmapDimensionsString(const Picture& bitmap) {
    std::string text = IntToStr(bitmap.Width) + " by " + IntToStr(bitmap.Height) + " pixels by " +
                       GetPixelFormatString(bitmap.FormatBits) + " color";
    if (bitmap.FormatBits == DeviceFormatBits) text += "(DDB)";
    return text;
}

int64_t CountUniqueColors(const Picture& bitmap) {
    if (bitmap.Empty()) return 0;
    // One bit per possible colour: 2 MiB whatever the picture's size, and no allocation inside
    // the pixel loop.
    std::vector<uint64_t> seen((1u << 24) / 64, 0);
    for (int y = 0; y < bitmap.Height; ++y) {
        const uint32_t* row = bitmap.Row(y);
        for (int x = 0; x < bitmap.Width; ++x) {
            const uint32_t rgb = row[x] & 0x00FFFFFFu;
            seen[rgb >> 6] |= uint64_t{1} << (rgb & 63);
        }
    }
    int64_t count = 0;
    for (const uint64_t word : seen)
        count += std::popcount(word);
    return count;
}
