// The chunk list of a PNG file: name, data length and place of every chunk from the signature
// to IEND. The main window keeps the list of the picture it shows, taken when the picture was
// read, for the image information window.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct PngChunk {
    std::string Name;
    uint32_t Size = 0; // bytes of chunk data, as the file gives it
    size_t Offset = 0; // of the chunk's length field in the file
};

// Walks the chunks of a PNG file image. Every length is checked against the bytes that remain
// before it is trusted. False, with the reason in `error`, for a file without the signature, a
// chunk that runs past the end, a name that is not four letters, or a missing IEND; `chunks`
// then holds the chunks read before the fault.
bool WalkPngChunks(const uint8_t* data, size_t size, std::vector<PngChunk>& chunks,
                   std::string& error);

// The chunks of the displayed picture when it came from a PNG file, else empty.
extern std::vector<PngChunk> DisplayedPngChunks;
// The rows of the information window's chunk list: the name and "<size> bytes".
std::string PngChunkSizeText(const PngChunk& chunk);
