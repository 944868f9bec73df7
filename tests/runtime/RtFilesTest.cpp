#include "runtime/RtFiles.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(RtFiles, AFailedReplaceReportsItAndLeavesNoPartialFile) {
    TempDir dir;
    // A folder where the file should go: the final rename cannot replace it.
    std::filesystem::create_directory(dir.File("Vorn.pof"));
    EXPECT_FALSE(WriteFileAtomic(dir.File("Vorn.pof"), std::string(3584, 'x')));
    EXPECT_TRUE(DirectoryExists(dir.File("Vorn.pof")));
    size_t entries = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.Path())) {
        (void)e;
        ++entries;
    }
    EXPECT_EQ(entries, 1u) << "a temporary was left behind";
    EXPECT_FALSE(WriteFileAtomic(dir.File("missing/x.txt"), std::string("x")));

    ASSERT_TRUE(WriteFileAtomic(dir.File("a.txt"), std::string("old")));
    ASSERT_TRUE(WriteFileAtomic(dir.File("a.txt"), std::string("new")));
    std::string text;
    ASSERT_TRUE(ReadWholeFile(dir.File("a.txt"), text));
    EXPECT_EQ(text, "new");
}

TEST(RtFiles, NameParts) {
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        // path, folder, name, extension
        {"a/b/c.png", "a/b/", "c.png", ".png"},
        {"/a.b/c", "/a.b/", "c", ""},
        {"/a.b/c.d.BMP", "/a.b/", "c.d.BMP", ".BMP"},
        {"c", "", "c", ""},
    };
    for (const auto& [path, folder, name, ext] : cases) {
        EXPECT_EQ(ExtractFilePath(path), folder) << path;
        EXPECT_EQ(ExtractFileName(path), name) << path;
        EXPECT_EQ(ExtractFileExt(path), ext) << path;
    }
    EXPECT_EQ(ChangeFileExt("/a.b/c", ".DIP"), "/a.b/c.DIP");
}
