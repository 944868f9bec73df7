// Object marks and text labels: the two lists drawn over the displayed picture, their fixed
// records as the object (.rof) and label (.raf) files hold them, and the index rules the two
// list windows share. The lists live for the whole run; the print layout draws them too.
#pragma once

#include "runtime/RtFiles.h"
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Kinds of a mark; any other value draws nothing.
enum ObjectMarkKind : int32_t { omPoint = 0, omLine = 1, omCircle = 2, omBox = 3 };

struct ObjectMarkRecord {
    bool Filled = false;
    int32_t Kind = omPoint;
    int32_t Left = 0;
    int32_t Right = 0;
    int32_t Top = 0;
    int32_t Bottom = 0;
    // Colour values: red in bits 0 to 7, green 8 to 15, blue 16 to 23.
    uint32_t LineColor = 0;
    uint32_t FillColor = 0;
    bool operator==(const ObjectMarkRecord&) const = default;
};

constexpr size_t TextLabelMaxLength = 250;

struct TextLabelRecord {
    // Single-byte characters, at most TextLabelMaxLength.
    std::string Text;
    int32_t Angle = 0; // whole degrees, counter-clockwise
    int32_t X = 0;     // the text's top-left corner, picture pixels
    int32_t Y = 0;
    bool Rotated = false;
    bool Transparent = false;
    uint32_t BackColor = 0xFFFFFF;
    bool operator==(const TextLabelRecord&) const = default;
};

constexpr size_t ObjectMarkRecordSize = 32;
constexpr size_t TextLabelRecordSize = 276;

void EncodeObjectMark(const ObjectMarkRecord& r, uint8_t* out);
ObjectMarkRecord DecodeObjectMark(const uint8_t* in);
void EncodeTextLabel(const TextLabelRecord& r, uint8_t* out);
TextLabelRecord DecodeTextLabel(const uint8_t* in);

// A list window's records with its two indices: entries 0 to Last are in use and Current is the
// one shown. Items may hold more than Last + 1 entries after an empty file was loaded: they stay
// until the list grows again, as the window shows entry 0 from them.
template <typename Record> struct MarkList {
    std::vector<Record> Items;
    int32_t Last = -1;
    int32_t Current = 0;

    // The window opens: the list is cut to entry 0 (made when absent).
    void Restart() {
        Items.resize(1);
        Last = 0;
        Current = 0;
    }
    // Entry `index`, made when the list is shorter.
    Record& At(int32_t index) {
        if (Items.size() <= static_cast<size_t>(index))
            Items.resize(static_cast<size_t>(index) + 1);
        return Items[static_cast<size_t>(index)];
    }
    // The record the window's controls go to and come from.
    Record& CurrentItem() { return At(Current); }
    // "Add": a new entry after the last becomes the current one, holding `controls`.
    void Add(const Record& controls) {
        ++Last;
        Current = Last;
        Items.resize(static_cast<size_t>(Last) + 1);
        Items[static_cast<size_t>(Current)] = controls;
    }
    // "Delete": only while more than one entry is in use. Deleting the last entry makes the one
    // before current; deleting any other makes entry 0 current.
    bool Delete() {
        if (Last <= 0) return false;
        if (Current >= Last) {
            --Current;
        } else {
            Items.erase(Items.begin() + Current);
            Current = 0;
        }
        --Last;
        Items.resize(static_cast<size_t>(Last) + 1);
        return true;
    }
    // The list can move to `position` only inside 0 to Last.
    bool CanMoveTo(int32_t position) const { return position >= 0 && position <= Last; }
    // The entries in use, as drawn and saved.
    size_t InUse() const { return static_cast<size_t>(Last + 1); }
    // A loaded file's records replace the list (an empty file leaves Last at -1).
    void Assign(const std::vector<Record>& records) {
        Last = static_cast<int32_t>(records.size()) - 1;
        if (!records.empty()) Items = records;
        Current = 0;
    }
    // Everything goes (at the program's end).
    void Clear() {
        Items.clear();
        Last = -1;
        Current = 0;
    }
};

extern MarkList<ObjectMarkRecord> ObjectMarks;
extern MarkList<TextLabelRecord> TextLabels;
// The object and label files chosen last in this run.
extern std::string ObjectFileName;
extern std::string LabelFileName;

// The files: records 0 to Last back to back, no header and no count. A read gives the file's
// size div the record size records and ignores a shorter tail; a write replaces the file only
// when all of it is written.
std::vector<ObjectMarkRecord> ReadObjectFile(const std::string& path);
void WriteObjectFile(const std::string& path, const MarkList<ObjectMarkRecord>& list,
                     const TReplaceLeave& leave);
std::vector<TextLabelRecord> ReadLabelFile(const std::string& path);
void WriteLabelFile(const std::string& path, const MarkList<TextLabelRecord>& list,
                    const TReplaceLeave& leave);

// The sixteen colours of the windows' colour grids, by cell.
extern const std::array<uint32_t, 16> MarkPalette;
// The cell of a colour value; 15 for a colour not in the grid.
int GetColorGridIndex(uint32_t color);
