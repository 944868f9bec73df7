// Any bytes as a PNG's chunk list: every chunk the walk reports lies wholly inside the bytes,
// follows the one before it, and the walk only succeeds on an IEND.
// Seeds: **/*.png
#include "shell/vPngChunks.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<PngChunk> chunks;
    std::string error;
    const bool ok = WalkPngChunks(data, size, chunks, error);
    size_t next = 8;
    for (const PngChunk& chunk : chunks) {
        if (chunk.Offset != next || chunk.Offset + 12 + size_t{chunk.Size} > size ||
            chunk.Name.size() != 4)
            std::abort();
        next = chunk.Offset + 12 + chunk.Size;
    }
    if (ok && (chunks.empty() || chunks.back().Name != "IEND")) std::abort();
    return 0;
}
