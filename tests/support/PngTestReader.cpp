#include "support/PngTestReader.h"

#include <png.h>

#include <utility>
#include <vector>

bool ReadPngForTest(const std::string& path, Picture& out) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) {
        png_image_free(&image);
        return false;
    }
    Picture p;
    p.Resize(static_cast<int>(image.width), static_cast<int>(image.height));
    const png_byte* src = rgb.data();
    for (int y = 0; y < p.Height; ++y)
        for (int x = 0; x < p.Width; ++x, src += 3)
            p.At(x, y) = PackPixel(src[0], src[1], src[2]);
    out = std::move(p);
    return true;
}
