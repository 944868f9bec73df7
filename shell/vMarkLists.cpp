#include "shell/vMarkLists.h"

#include "runtime/RtErrors.h"
#include "runtime/RtFiles.h"
#include "runtime/RtRecords.h"

#include <algorithm>
#include <cerrno>

MarkList<ObjectMarkRecord> ObjectMarks;
MarkList<TextLabelRecord> TextLabels;
std::string ObjectFileName;
std::string LabelFileName;

const std::array<uint32_t, 16> MarkPalette = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
    0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
};

int GetColorGridIndex(uint32_t color) {
    const auto it = std::find(MarkPalette.begin(), MarkPalette.end(), color);
    return it == MarkPalette.end() ? 15 : static_cast<int>(it - MarkPalette.begin());
}

namespace {

// Object mark record offsets.
constexpr size_t omFilled = 0, omKind = 4, omLeft = 8, omRight = 12, omTop = 16, omBottom = 20,
                 omLineColor = 24, omFillColor = 28;
// Text label record offsets.
constexpr size_t tlLength = 0, tlText = 1, tlAngle = 252, tlX = 256, tlY = 260, tlRotated = 264,
                 tlTransparent = 265, tlBackColor = 268;

template <typename Record>
std::vector<Record> ReadRecords(const std::string& path, size_t recordSize,
                                Record (*decode)(const uint8_t*)) {
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, bytes))
        throw EInOutError(FileExists(path) ? EInOutError::AccessDenied : EInOutError::FileNotFound);
    // The file holds size div recordSize records; a tail shorter than a record (another
    // program's padding, say) is not read.
    const size_t count = bytes.size() / recordSize;
    std::vector<Record> records;
    records.reserve(count);
    for (size_t i = 0; i < count; ++i)
        records.push_back(decode(bytes.data() + i * recordSize));
    return records;
}

template <typename Record>
void WriteRecords(const std::string& path, const MarkList<Record>& list, size_t recordSize,
                  void (*encode)(const Record&, uint8_t*), const TReplaceLeave& leave) {
    const size_t count = std::min(list.InUse(), list.Items.size());
    std::vector<uint8_t> bytes(count * recordSize, 0);
    for (size_t i = 0; i < count; ++i)
        encode(list.Items[i], bytes.data() + i * recordSize);
    if (!WriteFileAtomic(path, bytes, leave)) {
        RaiseIfKept(path);
        throw EInOutError(EInOutError::AccessDenied);
    }
}

} // namespace

void EncodeObjectMark(const ObjectMarkRecord& r, uint8_t* out) {
    std::fill(out, out + ObjectMarkRecordSize, uint8_t{0});
    out[omFilled] = r.Filled ? 1 : 0;
    PutLeI32(out + omKind, r.Kind);
    PutLeI32(out + omLeft, r.Left);
    PutLeI32(out + omRight, r.Right);
    PutLeI32(out + omTop, r.Top);
    PutLeI32(out + omBottom, r.Bottom);
    PutLeU32(out + omLineColor, r.LineColor);
    PutLeU32(out + omFillColor, r.FillColor);
}

ObjectMarkRecord DecodeObjectMark(const uint8_t* in) {
    ObjectMarkRecord r;
    r.Filled = in[omFilled] != 0;
    r.Kind = LeI32(in + omKind);
    r.Left = LeI32(in + omLeft);
    r.Right = LeI32(in + omRight);
    r.Top = LeI32(in + omTop);
    r.Bottom = LeI32(in + omBottom);
    r.LineColor = LeU32(in + omLineColor);
    r.FillColor = LeU32(in + omFillColor);
    return r;
}

void EncodeTextLabel(const TextLabelRecord& r, uint8_t* out) {
    std::fill(out, out + TextLabelRecordSize, uint8_t{0});
    const size_t length = std::min(r.Text.size(), TextLabelMaxLength);
    out[tlLength] = static_cast<uint8_t>(length);
    std::copy_n(r.Text.begin(), length, out + tlText);
    PutLeI32(out + tlAngle, r.Angle);
    PutLeI32(out + tlX, r.X);
    PutLeI32(out + tlY, r.Y);
    out[tlRotated] = r.Rotated ? 1 : 0;
    out[tlTransparent] = r.Transparent ? 1 : 0;
    PutLeU32(out + tlBackColor, r.BackColor);
}

TextLabelRecord DecodeTextLabel(const uint8_t* in) {
    TextLabelRecord r;
    // The text field holds 250 characters; a larger length would reach into the angle and the
    // position.
    const size_t length = std::min<size_t>(in[tlLength], TextLabelMaxLength);
    r.Text.assign(reinterpret_cast<const char*>(in + tlText), length);
    r.Angle = LeI32(in + tlAngle);
    r.X = LeI32(in + tlX);
    r.Y = LeI32(in + tlY);
    r.Rotated = in[tlRotated] != 0;
    r.Transparent = in[tlTransparent] != 0;
    r.BackColor = LeU32(in + tlBackColor);
    return r;
}

std::vector<ObjectMarkRecord> ReadObjectFile(const std::string& path) {
    return ReadRecords(path, ObjectMarkRecordSize, DecodeObjectMark);
}

void WriteObjectFile(const std::string& path, const MarkList<ObjectMarkRecord>& list,
                     const TReplaceLeave& leave) {
    WriteRecords(path, list, ObjectMarkRecordSize, EncodeObjectMark, leave);
}

std::vector<TextLabelRecord> ReadLabelFile(const std::string& path) {
    return ReadRecords(path, TextLabelRecordSize, DecodeTextLabel);
}

void WriteLabelFile(const std::string& path, const MarkList<TextLabelRecord>& list,
                    const TReplaceLeave& leave) {
    WriteRecords(path, list, TextLabelRecordSize, EncodeTextLabel, leave);
}
