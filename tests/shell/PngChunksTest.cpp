#include "shell/vPngChunks.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

using Bytes = std::vector<uint8_t>;

const Bytes Signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// A chunk as a file holds it: the length big-endian, the name, `dataBytes` of data and a check
// value; `length` is what the length field says, whatever follows.
Bytes Chunk(const char* name, uint32_t length, size_t dataBytes) {
    Bytes b = {static_cast<uint8_t>(length >> 24), static_cast<uint8_t>(length >> 16),
               static_cast<uint8_t>(length >> 8), static_cast<uint8_t>(length)};
    b.insert(b.end(), name, name + 4);
    b.insert(b.end(), dataBytes, 0x5A);
    b.insert(b.end(), 4, 0xC3);
    return b;
}
Bytes Chunk(const char* name, uint32_t length) {
    return Chunk(name, length, length);
}

Bytes File(std::initializer_list<Bytes> parts, const Bytes& head = Signature) {
    Bytes out = head;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

std::vector<std::string> Names(const std::vector<PngChunk>& chunks) {
    std::vector<std::string> names;
    for (const PngChunk& c : chunks)
        names.push_back(c.Name);
    return names;
}

} // namespace

TEST(PngChunks, WalkListsEveryChunkWithItsLengthAndPlace) {
    const Bytes file = File({Chunk("IHDR", 13), Chunk("gAMA", 4), Chunk("IDAT", 300),
                             Chunk("IEND", 0), Bytes{1, 2, 3}});
    std::vector<PngChunk> chunks;
    std::string error;
    ASSERT_TRUE(WalkPngChunks(file.data(), file.size(), chunks, error)) << error;
    const struct {
        const char* Name;
        uint32_t Size;
        size_t Offset;
    } expected[] = {{"IHDR", 13, 8}, {"gAMA", 4, 33}, {"IDAT", 300, 49}, {"IEND", 0, 361}};
    ASSERT_EQ(chunks.size(), std::size(expected));
    for (size_t i = 0; i < chunks.size(); ++i) {
        EXPECT_EQ(chunks[i].Name, expected[i].Name);
        EXPECT_EQ(chunks[i].Size, expected[i].Size);
        EXPECT_EQ(chunks[i].Offset, expected[i].Offset);
    }
    EXPECT_EQ(PngChunkSizeText(chunks[2]), "300 bytes");
}

TEST(PngChunks, DamagedFilesStopTheWalkAtTheFault) {
    const struct {
        const char* Case;
        Bytes File;
        std::vector<std::string> Before;
    } cases[] = {
        {"no signature", File({Chunk("IHDR", 13)}, Bytes{'P', 'N', 'G'}), {}},
        {"empty", Bytes{}, {}},
        {"length past the end", File({Chunk("IHDR", 13), Chunk("IDAT", 400, 10)}), {"IHDR"}},
        {"length past the format's limit",
         File({Chunk("IHDR", 13), Chunk("IDAT", 0x80000000u, 8)}),
         {"IHDR"}},
        {"length that wraps the place", File({Chunk("IHDR", 0xFFFFFFF8u, 0)}), {}},
        {"header cut short", File({Chunk("IHDR", 13), Bytes{0, 0, 0}}), {"IHDR"}},
        {"name not of letters", File({Chunk("IHDR", 13), Chunk("ID4T", 2)}), {"IHDR"}},
        {"no IEND", File({Chunk("IHDR", 13), Chunk("IDAT", 5)}), {"IHDR", "IDAT"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        std::vector<PngChunk> chunks;
        std::string error;
        EXPECT_FALSE(WalkPngChunks(c.File.data(), c.File.size(), chunks, error));
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(Names(chunks), c.Before);
    }
}
