#include "runtime/RtFiles.h"
#include "runtime/RtRecords.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

TEST(RtFiles, NamePartsKeepTheirSeparators) {
    EXPECT_EQ(ExtractFilePath("/a/b/c.png"), "/a/b/");
    EXPECT_EQ(ExtractFileName("/a/b/c.png"), "c.png");
    EXPECT_EQ(ExtractFileExt("/a/b.d/c"), "");
    EXPECT_EQ(ExtractFileExt("/a/b/c.tar.png"), ".png");
    EXPECT_EQ(ChangeFileExt("/a/b/c.png", ".adc"), "/a/b/c.adc");
    EXPECT_EQ(ChangeFileExt("/a/b/c", ".adc"), "/a/b/c.adc");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/x"), "/x/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/x/"), "/x/");
}

TEST(RtFiles, FindsDerivedFilesIgnoringCase) {
    TempDir dir;
    ASSERT_TRUE(WriteFileAtomic(dir.File("Scene.DIP"), std::string("DIP 1.1\r\n")));
    EXPECT_EQ(FindFileCaseInsensitive(dir.Path(), "scene.dip"), dir.File("Scene.DIP"));
    EXPECT_EQ(FindFileCaseInsensitive(dir.Path(), "Scene.DIP"), dir.File("Scene.DIP"));
    EXPECT_EQ(FindFileCaseInsensitive(dir.Path(), "other.dip"), "");
}

TEST(RtFiles, AtomicWriteLeavesTheOldFileWhenItCannotWrite) {
    TempDir dir;
    const std::string path = dir.File("keep.txt");
    ASSERT_TRUE(WriteFileAtomic(path, std::string("old")));
    chmod(dir.Path().c_str(), 0500);
    const bool wrote = WriteFileAtomic(path, std::string("new"));
    chmod(dir.Path().c_str(), 0700);
    std::string text;
    ASSERT_TRUE(ReadWholeFile(path, text));
    if (!wrote) {
        EXPECT_EQ(text, "old"); // as root the folder stays writable
    }
    ASSERT_TRUE(WriteFileAtomic(path, std::string("new")));
    ASSERT_TRUE(ReadWholeFile(path, text));
    EXPECT_EQ(text, "new");
}

TEST(RtFiles, SplitsEveryLineBreakKind) {
    const std::vector<std::string> expected = {"a", "", "b", "c"};
    EXPECT_EQ(SplitLines("a\r\n\r\nb\nc\r\n"), expected);
    EXPECT_EQ(JoinLinesCRLF({"x", "y"}), "x\r\ny\r\n");
}

TEST(RtRecords, FieldsSitAtTheirOffsetsLittleEndian) {
    RecordBytes r(16);
    r.PutI32(0, -2);
    r.PutF64(4, 1.5);
    r.PutU16(12, 0x1234);
    EXPECT_EQ(r.Bytes[0], 0xFE);
    EXPECT_EQ(r.Bytes[3], 0xFF);
    EXPECT_EQ(r.Bytes[11], 0x3F); // high byte of 1.5
    EXPECT_EQ(r.Bytes[12], 0x34);
    EXPECT_EQ(r.GetI32(0), -2);
    EXPECT_DOUBLE_EQ(r.GetF64(4), 1.5);
    EXPECT_THROW(r.GetI32(14), std::out_of_range);
}

TEST(RtRecords, ShortStringsAreCutAndKeepTheRestOfTheField) {
    RecordBytes r(256);
    r.Bytes[200] = 0xAA;
    r.PutShortString(0, std::string(300, 'x'));
    EXPECT_EQ(r.Bytes[0], 255);
    EXPECT_EQ(r.GetShortString(0).size(), 255u);
    r.PutShortString(0, "abc");
    EXPECT_EQ(r.GetShortString(0), "abc");
    EXPECT_EQ(r.Bytes[4], 'x'); // bytes past the text keep what the record held
}
