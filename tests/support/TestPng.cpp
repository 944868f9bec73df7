#include "support/TestPng.h"

#include <png.h>

#include <cstring>

Picture ReadPngForTest(const std::string& fileName) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    Picture picture;
    if (!png_image_begin_read_from_file(&image, fileName.c_str())) return picture;
    // Bytes blue, green, red, alpha: the picture's own 0xAARRGGBB words in memory.
    image.format = PNG_FORMAT_BGRA;
    picture.Resize(static_cast<int>(image.width), static_cast<int>(image.height));
    if (!png_image_finish_read(&image, nullptr, picture.Pixels.data(), 0, nullptr)) {
        png_image_free(&image);
        return Picture();
    }
    for (uint32_t& pixel : picture.Pixels)
        pixel |= 0xFF000000u;
    return picture;
}
