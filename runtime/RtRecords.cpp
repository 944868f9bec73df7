#include "runtime/RtRecords.h"

#include <stdexcept>

uint64_t RecordBytes::Get(size_t off, size_t n) const {
    if (off + n > Bytes.size()) throw std::out_of_range("record field past its end");
    uint64_t v = 0;
    for (size_t i = 0; i < n; ++i)
        v |= static_cast<uint64_t>(Bytes[off + i]) << (8 * i);
    return v;
}

void RecordBytes::Put(size_t off, uint64_t v, size_t n) {
    if (off + n > Bytes.size()) throw std::out_of_range("record field past its end");
    for (size_t i = 0; i < n; ++i)
        Bytes[off + i] = static_cast<uint8_t>(v >> (8 * i));
}

double RecordBytes::GetF64(size_t off) const {
    uint64_t bits = Get(off, 8);
    double v;
    std::memcpy(&v, &bits, 8);
    return v;
}

float RecordBytes::GetF32(size_t off) const {
    uint32_t bits = static_cast<uint32_t>(Get(off, 4));
    float v;
    std::memcpy(&v, &bits, 4);
    return v;
}

void RecordBytes::PutF64(size_t off, double v) {
    uint64_t bits;
    std::memcpy(&bits, &v, 8);
    Put(off, bits, 8);
}

void RecordBytes::PutF32(size_t off, float v) {
    uint32_t bits;
    std::memcpy(&bits, &v, 4);
    Put(off, bits, 4);
}

std::string RecordBytes::GetShortString(size_t off, size_t capacity) const {
    if (off + 1 + capacity > Bytes.size()) throw std::out_of_range("record field past its end");
    size_t len = Bytes[off];
    if (len > capacity) len = capacity;
    return std::string(reinterpret_cast<const char*>(&Bytes[off + 1]), len);
}

void RecordBytes::PutShortString(size_t off, const std::string& s, size_t capacity) {
    if (off + 1 + capacity > Bytes.size()) throw std::out_of_range("record field past its end");
    size_t len = s.size() < capacity ? s.size() : capacity;
    Bytes[off] = static_cast<uint8_t>(len);
    std::memcpy(&Bytes[off + 1], s.data(), len);
}
