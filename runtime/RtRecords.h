// Little-endian fixed records: every field is put at its stated offset (never a struct copy),
// strings are one length byte and 255 character bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

class RecordBytes {
  public:
    RecordBytes() = default;
    explicit RecordBytes(size_t size) : Bytes(size, 0) {}

    size_t Size() const { return Bytes.size(); }
    uint8_t* Data() { return Bytes.data(); }
    const uint8_t* Data() const { return Bytes.data(); }

    uint8_t GetU8(size_t off) const { return Bytes.at(off); }
    bool GetBool(size_t off) const { return Bytes.at(off) != 0; }
    uint16_t GetU16(size_t off) const { return static_cast<uint16_t>(Get(off, 2)); }
    int16_t GetI16(size_t off) const { return static_cast<int16_t>(Get(off, 2)); }
    uint32_t GetU32(size_t off) const { return static_cast<uint32_t>(Get(off, 4)); }
    int32_t GetI32(size_t off) const { return static_cast<int32_t>(Get(off, 4)); }
    double GetF64(size_t off) const;
    float GetF32(size_t off) const;
    // Length-prefixed string of `capacity` characters (255 for the usual short string).
    std::string GetShortString(size_t off, size_t capacity = 255) const;

    void PutU8(size_t off, uint8_t v) { Bytes.at(off) = v; }
    void PutBool(size_t off, bool v) { Bytes.at(off) = v ? 1 : 0; }
    void PutU16(size_t off, uint16_t v) { Put(off, v, 2); }
    void PutI16(size_t off, int16_t v) { Put(off, static_cast<uint16_t>(v), 2); }
    void PutU32(size_t off, uint32_t v) { Put(off, v, 4); }
    void PutI32(size_t off, int32_t v) { Put(off, static_cast<uint32_t>(v), 4); }
    void PutF64(size_t off, double v);
    void PutF32(size_t off, float v);
    // Writes the length byte and the characters, cut to `capacity`; bytes past the text keep
    // whatever the record held.
    void PutShortString(size_t off, const std::string& s, size_t capacity = 255);

    std::vector<uint8_t> Bytes;

  private:
    uint64_t Get(size_t off, size_t n) const;
    void Put(size_t off, uint64_t v, size_t n);
};

// The same little-endian helpers on a raw byte pointer, for readers that walk a file image.
inline uint16_t LeU16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
inline uint32_t LeU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
inline int32_t LeI32(const uint8_t* p) {
    return static_cast<int32_t>(LeU32(p));
}
// Big-endian, as PNG stores its numbers.
inline uint32_t BeU32(const uint8_t* p) {
    return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
           (static_cast<uint32_t>(p[2]) << 8) | p[3];
}
inline void PutLeU16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
inline void PutLeU32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}
inline void PutLeI32(uint8_t* p, int32_t v) {
    PutLeU32(p, static_cast<uint32_t>(v));
}
