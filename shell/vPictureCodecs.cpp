#include "shell/vPictureCodecs.h"

#include "runtime/RtRecords.h"
#include "shell/vGlobalImage.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <jpeglib.h>
#include <new>
#include <png.h>

namespace {

// Deflate never inflates one byte into more than 1032; a PNG that claims more pixel data than
// its file could hold is refused before anything is allocated for it.
constexpr uint64_t MaxInflateRatio = 1032;

const char* const TooBigForMemory = "the picture is too big for memory";

// libpng and libjpeg report a fault by long jump. Each routine that sets the jump point keeps
// its state in a record owned by its caller, so nothing it reads after the jump lives in the
// jumping frame.
struct PngState {
    png_structp Png = nullptr;
    png_infop Info = nullptr;
    char Message[200] = {};
    const uint8_t* Data = nullptr;
    size_t Size = 0;
    size_t Pos = 0;
    std::vector<uint8_t>* Out = nullptr;
    std::vector<png_bytep> Rows;
};

void PngFault(png_structp png, png_const_charp message) {
    auto* state = static_cast<PngState*>(png_get_error_ptr(png));
    std::snprintf(state->Message, sizeof state->Message, "%s", message ? message : "");
    png_longjmp(png, 1);
}

void PngQuiet(png_structp, png_const_charp) {}

void PngRead(png_structp png, png_bytep out, size_t count) {
    auto* state = static_cast<PngState*>(png_get_io_ptr(png));
    if (count > state->Size - state->Pos) png_error(png, "the file ends before the picture does");
    std::memcpy(out, state->Data + state->Pos, count);
    state->Pos += count;
}

void PngWrite(png_structp png, png_bytep data, size_t count) {
    auto* state = static_cast<PngState*>(png_get_io_ptr(png));
    bool ok = true;
    try {
        state->Out->insert(state->Out->end(), data, data + count);
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    if (!ok) png_error(png, "out of memory");
}

void PngFlush(png_structp) {}

// The bitmap format a PNG's pixels take: palette and grey pictures keep their depth (2 bits
// become 4, 16 become 8), every other colour type is 24 bits.
int PngSourceBits(int colorType, int depth) {
    if (colorType != PNG_COLOR_TYPE_PALETTE && colorType != PNG_COLOR_TYPE_GRAY) return 24;
    if (depth == 1) return 1;
    return depth <= 4 ? 4 : 8;
}

bool ReadPng(PngState& s, DecodedPicture& out) {
    if (setjmp(png_jmpbuf(s.Png))) return false;
    png_set_read_fn(s.Png, &s, PngRead);
    // The library's own limit (a million pixels a side) would refuse a picture the memory rule
    // lets in; the rule below decides for every picture file alike.
    png_set_user_limits(s.Png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
    png_read_info(s.Png, s.Info);
    png_uint_32 width = 0, height = 0;
    int depth = 0, colorType = 0, interlace = 0;
    png_get_IHDR(s.Png, s.Info, &width, &height, &depth, &colorType, &interlace, nullptr, nullptr);
    const uint64_t rawRow = (static_cast<uint64_t>(width) * png_get_channels(s.Png, s.Info) *
                                 static_cast<uint64_t>(depth) +
                             7) /
                                8 +
                            1;
    if (rawRow > (MaxInflateRatio * s.Size + 1024) / height)
        png_error(s.Png, "the picture's size does not fit the file");
    if (!PictureMemoryFits(width, height)) {
        out.RefusedWidth = width;
        out.RefusedHeight = height;
        png_error(s.Png, TooBigForMemory);
    }

    if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(s.Png);
    if (colorType == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(s.Png);
    if (depth == 16) png_set_scale_16(s.Png);
    // Expanding a palette turns its transparency table into alpha, which goes as well.
    if ((colorType & PNG_COLOR_MASK_ALPHA) || png_get_valid(s.Png, s.Info, PNG_INFO_tRNS))
        png_set_strip_alpha(s.Png);
    if (!(colorType & PNG_COLOR_MASK_COLOR)) png_set_gray_to_rgb(s.Png);
    png_set_bgr(s.Png);
    png_set_filler(s.Png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(s.Png);
    png_read_update_info(s.Png, s.Info);
    if (png_get_rowbytes(s.Png, s.Info) != static_cast<size_t>(width) * 4)
        png_error(s.Png, "unexpected row layout");

    bool allocated = true;
    try {
        out.Image.Resize(static_cast<int>(width), static_cast<int>(height));
        s.Rows.resize(height);
    } catch (const std::bad_alloc&) {
        allocated = false;
    }
    if (!allocated) png_error(s.Png, "out of memory");
    for (png_uint_32 y = 0; y < height; ++y)
        s.Rows[y] = reinterpret_cast<png_bytep>(out.Image.Row(static_cast<int>(y)));
    png_read_image(s.Png, s.Rows.data());
    png_read_end(s.Png, nullptr);
    out.Image.FormatBits = 24;
    out.SourceBits = PngSourceBits(colorType, depth);
    return true;
}

bool WritePng(PngState& s, const Picture& picture) {
    if (setjmp(png_jmpbuf(s.Png))) return false;
    png_set_write_fn(s.Png, &s, PngWrite, PngFlush);
    png_set_IHDR(s.Png, s.Info, static_cast<png_uint_32>(picture.Width),
                 static_cast<png_uint_32>(picture.Height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(s.Png, s.Info);
    // The picture's words are blue, green, red, 255 in memory: the library drops the fourth.
    png_set_bgr(s.Png);
    png_set_filler(s.Png, 0, PNG_FILLER_AFTER);
    png_write_image(s.Png, s.Rows.data());
    png_write_end(s.Png, nullptr);
    return true;
}

struct JpegState {
    jpeg_compress_struct Info{};
    jpeg_error_mgr Errors{};
    std::jmp_buf Jump{};
    char Message[JMSG_LENGTH_MAX] = {};
    unsigned char* Memory = nullptr;
    unsigned long MemorySize = 0;
};

void JpegFault(j_common_ptr info) {
    auto* state = reinterpret_cast<JpegState*>(reinterpret_cast<char*>(info->err) -
                                               offsetof(JpegState, Errors));
    (*info->err->format_message)(info, state->Message);
    std::longjmp(state->Jump, 1);
}

void JpegQuiet(j_common_ptr) {}

bool WriteJpeg(JpegState& s, const Picture& picture, int quality) {
    if (setjmp(s.Jump)) return false;
    jpeg_create_compress(&s.Info);
    jpeg_mem_dest(&s.Info, &s.Memory, &s.MemorySize);
    s.Info.image_width = static_cast<JDIMENSION>(picture.Width);
    s.Info.image_height = static_cast<JDIMENSION>(picture.Height);
    s.Info.input_components = 4;
    s.Info.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&s.Info);
    jpeg_set_quality(&s.Info, quality, TRUE);
    jpeg_start_compress(&s.Info, TRUE);
    while (s.Info.next_scanline < s.Info.image_height) {
        JSAMPROW row = reinterpret_cast<JSAMPROW>(
            const_cast<uint32_t*>(picture.Row(static_cast<int>(s.Info.next_scanline))));
        jpeg_write_scanlines(&s.Info, &row, 1);
    }
    jpeg_finish_compress(&s.Info);
    return true;
}

BmpDecodeFn BmpDecoder = nullptr;
BmpEncodeFn BmpEncoder = nullptr;

} // namespace

bool DecodePng(const uint8_t* data, size_t size, DecodedPicture& out, std::string& error) {
    if (size < 8 || png_sig_cmp(data, 0, 8) != 0) {
        error = "not a PNG file";
        return false;
    }
    PngState s;
    s.Data = data;
    s.Size = size;
    s.Png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &s, PngFault, PngQuiet);
    if (s.Png) s.Info = png_create_info_struct(s.Png);
    if (!s.Png || !s.Info) {
        png_destroy_read_struct(&s.Png, nullptr, nullptr);
        error = "out of memory";
        return false;
    }
    const bool ok = ReadPng(s, out);
    png_destroy_read_struct(&s.Png, &s.Info, nullptr);
    if (!ok) {
        out.Image = Picture();
        error = s.Message;
    }
    return ok;
}

bool EncodePng(const Picture& picture, std::vector<uint8_t>& out, std::string& error) {
    out.clear();
    if (picture.Empty()) {
        error = "no picture";
        return false;
    }
    PngState s;
    s.Out = &out;
    s.Rows.resize(static_cast<size_t>(picture.Height));
    for (int y = 0; y < picture.Height; ++y)
        s.Rows[y] = reinterpret_cast<png_bytep>(const_cast<uint32_t*>(picture.Row(y)));
    s.Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &s, PngFault, PngQuiet);
    if (s.Png) s.Info = png_create_info_struct(s.Png);
    if (!s.Png || !s.Info) {
        png_destroy_write_struct(&s.Png, nullptr);
        error = "out of memory";
        return false;
    }
    const bool ok = WritePng(s, picture);
    png_destroy_write_struct(&s.Png, &s.Info);
    if (!ok) {
        out.clear();
        error = s.Message;
    }
    return ok;
}

bool EncodeJpeg(const Picture& picture, int quality, std::vector<uint8_t>& out,
                std::string& error) {
    out.clear();
    if (picture.Empty()) {
        error = "no picture";
        return false;
    }
    JpegState s;
    s.Info.err = jpeg_std_error(&s.Errors);
    s.Errors.error_exit = JpegFault;
    s.Errors.output_message = JpegQuiet;
    const bool ok = WriteJpeg(s, picture, quality);
    if (ok)
        out.assign(s.Memory, s.Memory + s.MemorySize);
    else
        error = s.Message;
    jpeg_destroy_compress(&s.Info);
    std::free(s.Memory);
    return ok;
}

namespace {

bool IsBmp(const uint8_t* d, size_t size) {
    return size >= 26 && d[0] == 'B' && d[1] == 'M';
}

bool KnownBmpHeader(uint32_t headerSize) {
    return headerSize == 12 || headerSize == 40 || headerSize == 52 || headerSize == 56 ||
           headerSize == 108 || headerSize == 124;
}

// Width and rows as the header gives them; the rows negative for a top-down bitmap.
void BmpSides(const uint8_t* d, uint32_t headerSize, int64_t& width, int64_t& height) {
    if (headerSize == 12) {
        width = LeU16(d + 18);
        height = LeU16(d + 20);
    } else {
        width = LeI32(d + 18);
        height = LeI32(d + 22);
    }
}

} // namespace

bool BmpHeaderSides(const uint8_t* d, size_t size, int64_t& width, int64_t& height) {
    if (!IsBmp(d, size) || !KnownBmpHeader(LeU32(d + 14))) return false;
    BmpSides(d, LeU32(d + 14), width, height);
    height = height < 0 ? -height : height;
    return width > 0 && height > 0;
}

bool PngHeaderSides(const uint8_t* d, size_t size, int64_t& width, int64_t& height) {
    if (size < 24 || png_sig_cmp(d, 0, 8) != 0 || std::memcmp(d + 12, "IHDR", 4) != 0) return false;
    width = BeU32(d + 16);
    height = BeU32(d + 20);
    return width > 0 && height > 0;
}

bool InspectBmp(const uint8_t* d, size_t size, BmpFacts& facts, std::string& error) {
    if (!IsBmp(d, size)) {
        error = "not a BMP file";
        return false;
    }
    const uint64_t offBits = LeU32(d + 10);
    const uint32_t headerSize = LeU32(d + 14);
    if (!KnownBmpHeader(headerSize)) {
        error = "unknown bitmap header";
        return false;
    }
    if (14 + static_cast<uint64_t>(headerSize) > size) {
        error = "the bitmap header runs past the end of the file";
        return false;
    }
    int64_t width, height;
    BmpSides(d, headerSize, width, height);
    // Planes and bits follow the sides: 16-bit sides in the oldest header, 32-bit in the others.
    const uint8_t* planesAt = d + (headerSize == 12 ? 22 : 26);
    const int planes = LeU16(planesAt), bits = LeU16(planesAt + 2);
    uint32_t compression = 0, colorsUsed = 0;
    if (headerSize != 12) {
        compression = LeU32(d + 30);
        colorsUsed = LeU32(d + 46);
    }
    const bool topDown = height < 0;
    if (topDown) height = -height;
    const bool knownBits =
        bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    const bool knownCompression = compression == 0 || (compression == 1 && bits == 8) ||
                                  (compression == 2 && bits == 4) ||
                                  (compression == 3 && (bits == 16 || bits == 32));
    if (planes != 1 || !knownBits || !knownCompression ||
        (topDown && (compression == 1 || compression == 2))) {
        error = "unsupported bitmap format";
        return false;
    }
    // A size past the memory's is no fault of the file: the decoder refuses it by its size.
    if (width <= 0 || height <= 0) {
        error = "bitmap size out of range";
        return false;
    }
    uint64_t tables = 14 + static_cast<uint64_t>(headerSize);
    if (compression == 3 && headerSize == 40) tables += 12;
    if (bits <= 8) {
        const uint64_t colors = colorsUsed ? colorsUsed : (1u << bits);
        if (colors > 256) {
            error = "bitmap colour table too large";
            return false;
        }
        tables += colors * (headerSize == 12 ? 3 : 4);
    }
    if (tables > size || offBits < 14 + static_cast<uint64_t>(headerSize) || offBits >= size) {
        error = "the bitmap's tables run past the end of the file";
        return false;
    }
    if (compression == 0 || compression == 3) {
        const uint64_t stride = ((static_cast<uint64_t>(width) * bits + 31) / 32) * 4;
        if (stride > (size - offBits) / static_cast<uint64_t>(height)) {
            error = "the file ends before the bitmap's pixels do";
            return false;
        }
    }
    facts.Width = width;
    facts.Height = height;
    facts.BitCount = bits;
    facts.Compression = compression;
    facts.SourceBits = bits;
    // Plain 16-bit pixels are 5-5-5; only a 6-bit green mask makes them 16-bit.
    if (bits == 16) facts.SourceBits = compression == 3 && LeU32(d + 58) == 0x07E0 ? 16 : 15;
    return true;
}

void SetBmpCodec(BmpDecodeFn decode, BmpEncodeFn encode) {
    BmpDecoder = decode;
    BmpEncoder = encode;
}

bool DecodeBmp(const uint8_t* data, size_t size, DecodedPicture& out, std::string& error) {
    BmpFacts facts;
    if (!InspectBmp(data, size, facts, error)) return false;
    // A run-length file's pixels are not bounded by its length: a few bytes may claim any size.
    if (!PictureMemoryFits(facts.Width, facts.Height)) {
        out.RefusedWidth = facts.Width;
        out.RefusedHeight = facts.Height;
        error = TooBigForMemory;
        return false;
    }
    if (!BmpDecoder) {
        error = "no bitmap reader";
        return false;
    }
    if (!BmpDecoder(data, size, out.Image, error)) {
        out.Image = Picture();
        return false;
    }
    if (out.Image.Width != facts.Width || out.Image.Height != facts.Height) {
        out.Image = Picture();
        error = "the bitmap's pixels do not match its header";
        return false;
    }
    out.Image.FormatBits = 24;
    out.SourceBits = facts.SourceBits;
    return true;
}

bool EncodeBmp(const Picture& picture, std::vector<uint8_t>& out, std::string& error) {
    out.clear();
    if (picture.Empty()) {
        error = "no picture";
        return false;
    }
    if (!BmpEncoder) {
        error = "no bitmap writer";
        return false;
    }
    return BmpEncoder(picture, out, error);
}
