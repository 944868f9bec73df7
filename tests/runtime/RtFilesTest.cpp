#include "runtime/RtFiles.h"
#include "runtime/RtRecords.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

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
