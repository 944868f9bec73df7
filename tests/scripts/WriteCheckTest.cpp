// The continuous check that only runtime/ opens files for writing: each way of opening a file to
// write it, placed in the program's folders, fails the check; the same elsewhere, a read, a
// comment or a buffer in memory does not; the program as it stands passes.
#include "runtime/RtFiles.h"
#include "support/TestFiles.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace {

int CheckWriters(const std::string& root) {
    const std::string command =
        "\"" VORN_SOURCE_DIR "/scripts/check-writers\" \"" + root + "\" >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST(WriteCheck, OnlyRuntimeOpensFilesForWriting) {
    const struct {
        const char* File;
        const char* Code;
        int Status;
    } cases[] = {
        {"shell/vA.cpp", "FILE* f = std::fopen(p.c_str(), \"wb\");", 1},
        {"import/vA.cpp", "std::FILE* f = fopen(p, \"a+\");", 1},
        {"bandproc/vA.cpp", "int fd = ::open(t.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);", 1},
        {"histogram/vA.h", "std::ofstream out(path);", 1},
        {"shell/ui/vA.cpp", "QFile f(p);\nf.open(QIODevice::WriteOnly);", 1},
        {"algebra/ui/vA.cpp", "image.save(QString::fromStdString(p));", 1},
        {"runtime/RtA.cpp", "FILE* f = std::fopen(p.c_str(), \"wb\");", 0},
        {"tests/shell/ATest.cpp", "FILE* f = std::fopen(p.c_str(), \"wb\");", 0},
        {"shell/vA.cpp", "FILE* f = std::fopen(p.c_str(), \"rb\");", 0},
        {"shell/vA.cpp", "// std::fopen(p.c_str(), \"wb\") would follow a link", 0},
        {"shell/ui/vA.cpp", "QBuffer buffer;\nbuffer.open(QIODevice::WriteOnly);", 0},
        {"shell/ui/vA.cpp", "painter.save();", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.File) + ": " + c.Code);
        TempDir root;
        ASSERT_TRUE(MakeDirectories(ExtractFilePath(root.File(c.File))));
        ASSERT_TRUE(WriteFileAtomic(root.File(c.File), std::string(c.Code) + "\n"));
        EXPECT_EQ(CheckWriters(root.Path()), c.Status);
    }
    EXPECT_EQ(CheckWriters(VORN_SOURCE_DIR), 0) << "the program writes only through runtime/";
}
