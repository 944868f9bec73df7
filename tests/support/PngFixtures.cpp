#include "support/PngFixtures.h"

#include <png.h>

#include <csetjmp>
#include <stdexcept>

namespace {

void Append(png_structp png, png_bytep data, size_t n) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + n);
}

void NoFlush(png_structp) {}

// Packs samples as the file holds them: small depths high bits first, 16 bits big-endian.
std::vector<uint8_t> PackRow(const std::vector<uint32_t>& samples, int depth) {
    std::vector<uint8_t> row((samples.size() * depth + 7) / 8, 0);
    for (size_t i = 0; i < samples.size(); ++i) {
        const size_t bit = i * depth;
        if (depth == 16) {
            row[2 * i] = static_cast<uint8_t>(samples[i] >> 8);
            row[2 * i + 1] = static_cast<uint8_t>(samples[i]);
        } else {
            row[bit / 8] |= static_cast<uint8_t>(samples[i] << (8 - depth - bit % 8));
        }
    }
    return row;
}

bool Write(png_structp png, png_infop info, const PngFixture& f, std::vector<uint8_t>& out,
           std::vector<png_bytep>& rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_write_fn(png, &out, Append, NoFlush);
    png_set_IHDR(png, info, f.Width, f.Height, f.BitDepth, f.ColorType,
                 f.Interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!f.Palette.empty())
        png_set_PLTE(png, info, reinterpret_cast<png_const_colorp>(f.Palette.data()),
                     static_cast<int>(f.Palette.size() / 3));
    if (!f.Transparency.empty())
        png_set_tRNS(png, info, f.Transparency.data(), static_cast<int>(f.Transparency.size()),
                     nullptr);
    png_write_info(png, info);
    png_set_interlace_handling(png);
    png_write_image(png, rows.data());
    png_write_end(png, info);
    return true;
}

} // namespace

int PngChannels(int colorType) {
    switch (colorType) {
    case PNG_COLOR_TYPE_GRAY_ALPHA:
        return 2;
    case PNG_COLOR_TYPE_RGB:
        return 3;
    case PNG_COLOR_TYPE_RGB_ALPHA:
        return 4;
    default:
        return 1;
    }
}

PngFixture MakePngFixture(int colorType, int depth, bool interlaced, int w, int h) {
    PngFixture f{w, h, colorType, depth, interlaced, {}, {}, {}};
    const uint32_t range = 1u << depth;
    for (int y = 0; y < h; ++y) {
        std::vector<uint32_t> row;
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < PngChannels(colorType); ++c)
                row.push_back((x * 4099u + y * 7919u + c * 3001u + x * y * 13u) % range);
        f.Samples.push_back(row);
    }
    if (colorType == PNG_COLOR_TYPE_PALETTE)
        for (uint32_t i = 0; i < range; ++i)
            f.Palette.insert(f.Palette.end(),
                             {static_cast<uint8_t>(i * 7), static_cast<uint8_t>(255 - i),
                              static_cast<uint8_t>(i * 13 + 5)});
    return f;
}

std::vector<uint8_t> WritePngFixture(const PngFixture& f) {
    std::vector<std::vector<uint8_t>> packed;
    std::vector<png_bytep> rows;
    for (const auto& r : f.Samples)
        rows.push_back(packed.emplace_back(PackRow(r, f.BitDepth)).data());
    if (static_cast<int>(rows.size()) != f.Height ||
        (f.Height > 0 &&
         f.Samples[0].size() != static_cast<size_t>(f.Width * PngChannels(f.ColorType))))
        throw std::logic_error("fixture samples do not match its size");
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    const bool ok = Write(png, info, f, out, rows);
    png_destroy_write_struct(&png, &info);
    if (!ok) throw std::runtime_error("libpng could not write the fixture");
    return out;
}
