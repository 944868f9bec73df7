#include "shell/vPngChunks.h"

#include "runtime/RtNumbers.h"
#include "runtime/RtRecords.h"

#include <cstring>

std::vector<PngChunk> DisplayedPngChunks;

namespace {

constexpr uint8_t Signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Length, name and check value around the data.
constexpr size_t ChunkFrame = 12;
// The format's own limit on a chunk's length.
constexpr uint32_t MaxChunkLength = 0x7FFFFFFFu;

bool IsLetter(uint8_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

} // namespace

bool WalkPngChunks(const uint8_t* data, size_t size, std::vector<PngChunk>& chunks,
                   std::string& error) {
    chunks.clear();
    if (size < sizeof Signature || std::memcmp(data, Signature, sizeof Signature) != 0) {
        error = "not a PNG file";
        return false;
    }
    size_t pos = sizeof Signature;
    while (true) {
        if (size - pos < ChunkFrame) {
            error =
                "chunk header past the end of the file at " + IntToStr(static_cast<int64_t>(pos));
            return false;
        }
        const uint32_t length = BeU32(data + pos);
        const uint8_t* name = data + pos + 4;
        if (length > MaxChunkLength || length > size - pos - ChunkFrame) {
            error = "chunk length " + IntToStr(length) + " past the end of the file at " +
                    IntToStr(static_cast<int64_t>(pos));
            return false;
        }
        for (int i = 0; i < 4; ++i)
            if (!IsLetter(name[i])) {
                error = "chunk name not of letters at " + IntToStr(static_cast<int64_t>(pos));
                return false;
            }
        chunks.push_back({std::string(reinterpret_cast<const char*>(name), 4), length, pos});
        pos += ChunkFrame + length;
        if (chunks.back().Name == "IEND") return true;
    }
}

std::string PngChunkSizeText(const PngChunk& chunk) {
    return IntToStr(chunk.Size) + " bytes";
}
