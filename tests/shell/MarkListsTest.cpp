#include "runtime/RtErrors.h"
#include "runtime/RtFiles.h"
#include "shell/vMarkLists.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

std::string Fixture(const char* name) {
    return TestData("") + name;
}

template <typename Record> MarkList<Record> ListOf(const std::vector<Record>& records) {
    MarkList<Record> list;
    list.Assign(records);
    return list;
}

// A list of marks told apart by their left edge.
MarkList<ObjectMarkRecord> Numbered(int count) {
    std::vector<ObjectMarkRecord> records(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        records[static_cast<size_t>(i)].Left = i;
    return ListOf(records);
}

std::vector<int32_t> Lefts(const MarkList<ObjectMarkRecord>& list) {
    std::vector<int32_t> out;
    for (const auto& r : list.Items)
        out.push_back(r.Left);
    return out;
}

// The first records of `fixture` followed by bytes that make no whole record read as those
// records alone.
template <typename Record>
void ExpectTailIgnored(const char* fixture, size_t recordSize,
                       std::vector<Record> (*read)(const std::string&)) {
    SCOPED_TRACE(fixture);
    TempDir dir;
    const std::vector<uint8_t> whole = FileBytes(Fixture(fixture));
    const std::vector<Record> all = read(Fixture(fixture));
    ASSERT_GE(all.size(), 2u);
    const struct {
        size_t Records, Tail;
    } cases[] = {{all.size(), recordSize - 1}, {1, 1}, {0, recordSize - 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Records << " records, " << c.Tail << " more bytes");
        std::vector<uint8_t> bytes(whole.begin(),
                                   whole.begin() + static_cast<ptrdiff_t>(c.Records * recordSize));
        bytes.insert(bytes.end(), c.Tail, uint8_t{0x5A});
        ASSERT_TRUE(
            WriteFileAtomic(dir.File("tailed"), bytes, TReplaceLeave::Chosen(dir.File("tailed"))));
        EXPECT_EQ(
            read(dir.File("tailed")),
            std::vector<Record>(all.begin(), all.begin() + static_cast<ptrdiff_t>(c.Records)));
    }
}

} // namespace

TEST(MarkFiles, ObjectFileReadsAndWritesTheHandWrittenLayout) {
    const std::vector<ObjectMarkRecord> expected = {
        {true, omBox, 7, 11, 7, 11, 0x0000FF, 0x00FF00},
        {false, omLine, -5, 300, 2, 1000, 0x800080, 0},
        {false, omPoint, 10, 20, 10, 20, 0xFFFFFF, 0xC0C0C0},
    };
    EXPECT_EQ(ReadObjectFile(Fixture("marks.rof")), expected);
    TempDir dir;
    WriteObjectFile(dir.File("out.rof"), ListOf(expected),
                    TReplaceLeave::Chosen(dir.File("out.rof")));
    EXPECT_EQ(FileBytes(dir.File("out.rof")), FileBytes(Fixture("marks.rof")));
}

TEST(MarkFiles, LabelFileReadsAndWritesTheHandWrittenLayout) {
    const std::vector<TextLabelRecord> expected = {
        {"Hello", 90, 30, 40, true, false, 0xFFFF00},
        {"\xE9t\xE9", 0, -3, 0, false, true, 0},
    };
    EXPECT_EQ(ReadLabelFile(Fixture("labels.raf")), expected);
    TempDir dir;
    WriteLabelFile(dir.File("out.raf"), ListOf(expected),
                   TReplaceLeave::Chosen(dir.File("out.raf")));
    EXPECT_EQ(FileBytes(dir.File("out.raf")), FileBytes(Fixture("labels.raf")));
}

TEST(MarkFiles, LabelLengthAboveTheFieldIsCutAndUndefinedBytesAreIgnored) {
    std::vector<uint8_t> record(TextLabelRecordSize, 0xEE);
    record[0] = 255;
    for (size_t i = 1; i <= 250; ++i)
        record[i] = 'a';
    const std::pair<size_t, uint8_t> fields[] = {
        {252, 45}, {253, 0}, {254, 0},    {255, 0},    {256, 1},    {257, 0},
        {258, 0},  {259, 0}, {260, 2},    {261, 0},    {262, 0},    {263, 0},
        {264, 0},  {265, 1}, {268, 0x56}, {269, 0x34}, {270, 0x12}, {271, 0}};
    for (const auto& [offset, value] : fields)
        record[offset] = value;
    const TextLabelRecord r = DecodeTextLabel(record.data());
    EXPECT_EQ(r, (TextLabelRecord{std::string(250, 'a'), 45, 1, 2, false, true, 0x123456}));
    // Written back, a text longer than the field is cut to it too.
    TextLabelRecord longer = r;
    longer.Text = std::string(300, 'b');
    std::vector<uint8_t> out(TextLabelRecordSize);
    EncodeTextLabel(longer, out.data());
    EXPECT_EQ(out[0], 250);
    EXPECT_EQ(out[251], 0);
    EXPECT_EQ(std::vector<uint8_t>(out.begin() + 251, out.begin() + 256),
              (std::vector<uint8_t>{0, 45, 0, 0, 0}));
}

TEST(MarkFiles, ATailShorterThanARecordIsNotRead) {
    ExpectTailIgnored("marks.rof", ObjectMarkRecordSize, ReadObjectFile);
    ExpectTailIgnored("labels.raf", TextLabelRecordSize, ReadLabelFile);
    try {
        ReadObjectFile(TestData("") + "missing.rof");
        ADD_FAILURE() << "read";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.Code, EInOutError::FileNotFound);
    }
}

TEST(MarkFiles, AnEmptyFileGivesAnEmptyListAndAnEmptyListSavesEmpty) {
    TempDir dir;
    ASSERT_TRUE(WriteFileAtomic(dir.File("e.rof"), std::string(),
                                TReplaceLeave::Chosen(dir.File("e.rof"))));
    MarkList<ObjectMarkRecord> list = Numbered(3);
    list.Current = 2;
    list.Assign(ReadObjectFile(dir.File("e.rof")));
    EXPECT_EQ(list.Last, -1);
    EXPECT_EQ(list.Current, 0);
    EXPECT_EQ(list.InUse(), 0u);
    WriteObjectFile(dir.File("again.rof"), list, TReplaceLeave::Chosen(dir.File("again.rof")));
    EXPECT_EQ(FileSizeOf(dir.File("again.rof")), 0);
    // "Add" starts the list again at entry 0.
    ObjectMarkRecord controls;
    controls.Left = 77;
    list.Add(controls);
    EXPECT_EQ(list.Last, 0);
    EXPECT_EQ(list.Current, 0);
    EXPECT_EQ(Lefts(list), std::vector<int32_t>{77});
}

TEST(MarkLists, DeleteAndMoveFollowTheIndexRules) {
    const struct {
        const char* Name;
        int Count;
        int32_t Current;
        bool Deleted;
        int32_t Last, NewCurrent;
        std::vector<int32_t> Left;
    } cases[] = {
        {"only entry stays", 1, 0, false, 0, 0, {0}},
        {"middle makes entry 0 current", 4, 1, true, 2, 0, {0, 2, 3}},
        {"first makes entry 0 current", 3, 0, true, 1, 0, {1, 2}},
        {"last makes the one before current", 3, 2, true, 1, 1, {0, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        MarkList<ObjectMarkRecord> list = Numbered(c.Count);
        list.Current = c.Current;
        EXPECT_EQ(list.Delete(), c.Deleted);
        EXPECT_EQ(list.Last, c.Last);
        EXPECT_EQ(list.Current, c.NewCurrent);
        EXPECT_EQ(Lefts(list), c.Left);
    }
    const MarkList<ObjectMarkRecord> three = Numbered(3);
    for (const auto& [position, allowed] :
         std::vector<std::pair<int, bool>>{{-1, false}, {0, true}, {2, true}, {3, false}})
        EXPECT_EQ(three.CanMoveTo(position), allowed) << position;
    EXPECT_FALSE(ListOf<ObjectMarkRecord>({}).CanMoveTo(0));
}

TEST(MarkLists, PaletteCellsAndTheirColours) {
    const uint32_t cells[16] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                                0x808000, 0x808080, 0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF,
                                0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(MarkPalette[static_cast<size_t>(i)], cells[i]) << i;
        EXPECT_EQ(GetColorGridIndex(cells[i]), i);
    }
    for (uint32_t other : {0x000001u, 0x123456u, 0xFF000000u})
        EXPECT_EQ(GetColorGridIndex(other), 15) << other;
}
