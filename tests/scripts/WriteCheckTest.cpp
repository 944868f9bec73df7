// The continuous check that only runtime/ opens files for writing reads what the built objects
// call: each way of making, truncating, renaming, removing or opening a file to write it, compiled
// into an object of the program, fails the check however it is spelled; in runtime/, a read, or a
// write to memory does not. Starting another program fails it outside platform/, reading the
// working folder's text outside the options record and the windows that show it, naming the shown
// picture outside its open, save and builds. The program as it is built passes.
#include "runtime/RtFiles.h"
#include "support/TestFiles.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace {

int ExitStatus(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int CheckWriters(const std::string& build) {
    return ExitStatus("\"" VORN_SOURCE_DIR "/scripts/check-writers\" \"" + build +
                      "\" >/dev/null 2>&1");
}

} // namespace

TEST(WriteCheck, EverySpellingOfAWriteOutsideRuntimeFailsIt) {
    const struct {
        const char* Object; // under the build folder
        const char* Code;
        int Status;
    } cases[] = {
        {"vorn_engine.dir/shell/vA.cpp.o",
         "#include <cstdio>\nstd::FILE* f(const char* p) { return std::fopen(p, \"wb\"); }", 1},
        {"vorn_engine.dir/import/vA.cpp.o",
         "#include <cstdio>\nstd::FILE* f(const char* p) { return std::fopen(\n  p, \"a+\"); }", 1},
        {"vorn_engine.dir/import/vB.cpp.o",
         "#include <cstdio>\nstd::FILE* f(const char* p) { return fopen(p, \"r+b\"); }", 1},
        {"vorn_engine.dir/import/vC.cpp.o",
         "#include <cstdio>\nstd::FILE* f(const char* p) { return fopen(p, \"rb+\"); }", 1},
        {"vorn_engine.dir/bandproc/vA.cpp.o",
         "#include <fcntl.h>\nint f(const char* p) { return ::open(p,\n  O_WRONLY | O_CREAT, "
         "0644); }",
         1},
        {"vorn_engine.dir/histogram/vA.cpp.o",
         "#include <fstream>\nvoid f(const char* p) { std::ofstream out(p); }", 1},
        {"vorn_engine.dir/histogram/vB.cpp.o",
         "#include <fstream>\nvoid f(const char* p) { std::basic_ofstream<char> out(p); }", 1},
        {"vorn_engine.dir/classify/vA.cpp.o",
         "#include <filesystem>\nvoid f(const char* a, const char* b) { "
         "std::filesystem::rename(a, b); }",
         1},
        {"vorn_engine.dir/classify/vB.cpp.o",
         "#include <filesystem>\nvoid f(const char* a, const char* b) { "
         "std::filesystem::copy_file(a, b); }",
         1},
        {"vorn_gui.dir/shell/ui/vA.cpp.o",
         "#include <QtCore/QFile>\nvoid f(const QString& p) { QFile f(p); const auto mode = "
         "QFile::WriteOnly; f.open(mode); }",
         1},
        {"vorn_gui.dir/algebra/ui/vA.cpp.o",
         "#include <QtGui/QImage>\nbool f(const QImage* img, const QString& p) { return "
         "img->save(p); }",
         1},
        {"vorn_gui.dir/shell/ui/vB.cpp.o",
         "#include <QtGui/QPdfWriter>\nvoid f(const QString& p) { QPdfWriter w(p); }", 1},
        {"vorn_gui.dir/shell/ui/vC.cpp.o",
         "#include <QtPrintSupport/QPrinter>\nvoid f(QPrinter& printer, const QString& p) { "
         "printer.setOutputFileName(p); }",
         1},
        {"vorn_engine.dir/shell/vC.cpp.o",
         "#include <cstdio>\nint f(const char* a, const char* b) { return std::rename(a, b); }", 1},
        {"vorn_engine.dir/import/vD.cpp.o",
         "#include <unistd.h>\nint f(const char* a, const char* b) { return link(a, b); }", 1},
        {"vorn_engine.dir/platform/PlA.cpp.o",
         "#include <cstdio>\nint f(const char* p) { return std::remove(p); }", 1},
        {"vorn_engine.dir/shell/vF.cpp.o",
         "#include <unistd.h>\nint f(const char* p) { return unlink(p); }", 1},
        {"vorn_engine.dir/shell/vG.cpp.o",
         "#include <filesystem>\nbool f(const char* p) { std::error_code e; return "
         "std::filesystem::remove(p, e); }",
         1},
        {"vorn_gui.dir/shell/ui/vF.cpp.o",
         "#include <QtCore/QFile>\nbool f(const QString& p) { return QFile::remove(p); }", 1},
        {"vorn_engine.dir/import/vE.cpp.o",
         "#include <unistd.h>\nint f(const char* p) { return truncate(p, 0); }", 1},
        {"vorn_engine.dir/shell/vD.cpp.o",
         "#include <cstdlib>\nint f(const char* c) { return std::system(c); }", 1},
        {"vorn_engine.dir/shell/vE.cpp.o",
         "#include <cstdio>\nstd::FILE* f(const char* c) { return popen(c, \"r\"); }", 1},
        {"vorn_engine.dir/bandproc/vB.cpp.o",
         "#include <spawn.h>\nint f(pid_t* p, const char* c, char* const* a) { return "
         "posix_spawn(p, c, nullptr, nullptr, a, nullptr); }",
         1},
        {"vorn_engine.dir/bandproc/vC.cpp.o",
         "#include <unistd.h>\nint f(const char* c, char* const* a) { return execvp(c, a); }", 1},
        {"vorn_gui.dir/shell/ui/vE.cpp.o",
         "#include <QtCore/QProcess>\nbool f(const QString& p) { return "
         "QProcess::startDetached(p, {}); }",
         1},
        {"vorn_gui.dir/platform/ui/PlA.cpp.o",
         "#include <QtCore/QProcess>\nbool f(const QString& p) { return "
         "QProcess::startDetached(p, {}); }",
         0},
        {"vorn_engine.dir/bandproc/vD.cpp.o",
         "#include <string>\nclass TWorkingFolder;\nstd::string& "
         "WorkingFolderText(TWorkingFolder&);\n"
         "std::string f(TWorkingFolder& w) { return WorkingFolderText(w) + \"x\"; }",
         1},
        {"vorn_engine.dir/shell/vGlobalOptions.cpp.o",
         "#include <string>\nclass TWorkingFolder;\nstd::string& "
         "WorkingFolderText(TWorkingFolder&);\n"
         "std::string* f(TWorkingFolder& w) { return &WorkingFolderText(w); }",
         0},
        {"vorn_engine.dir/bandproc/vE.cpp.o",
         "#include <string>\nvoid SetImageName(std::string, std::string);\n"
         "void f(const std::string& tile) { SetImageName(\"\", tile); }",
         1},
        {"vorn_engine.dir/shell/vPictureFiles.cpp.o",
         "#include <string>\nvoid SetImageName(std::string, std::string);\n"
         "void f(const std::string& saved) { SetImageName(\"\", saved); }",
         0},
        {"vorn_engine.dir/runtime/RtA.cpp.o",
         "#include <cstdio>\nstd::FILE* f(const char* p) { return std::fopen(p, \"wb\"); }", 0},
        {"vorn_engine.dir/shell/vB.cpp.o",
         "#include <fstream>\nbool f(const char* p) { std::ifstream in(p); return in.good(); }", 0},
        {"vorn_gui.dir/shell/ui/vD.cpp.o",
         "#include <QtCore/QBuffer>\n#include <QtGui/QImage>\nbool f(const QImage& image) { "
         "QBuffer b; b.open(QIODevice::WriteOnly); return image.save(&b, \"BMP\"); }",
         0},
    };
    // Compiled side by side: the headers of the windows take a while each.
    TempDir build;
    std::string compile;
    for (const auto& c : cases) {
        const std::string object = build.File(std::string("CMakeFiles/") + c.Object);
        ASSERT_TRUE(MakeDirectories(ExtractFilePath(object)));
        ASSERT_TRUE(WriteFileAtomic(object + ".cpp", std::string(c.Code) + "\n",
                                    TReplaceLeave::Chosen(object + ".cpp")));
        compile += "\"" VORN_CXX "\" -std=c++20 -fPIC " VORN_QT_INCLUDES " -c \"" + object +
                   ".cpp\" -o \"" + object + "\" & ";
    }
    ASSERT_EQ(ExitStatus("{ " + compile + "wait; }"), 0);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Object) + ": " + c.Code);
        TempDir one;
        const std::string object = one.File(std::string("CMakeFiles/") + c.Object);
        ASSERT_TRUE(MakeDirectories(ExtractFilePath(object)));
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(ReadWholeFile(build.File(std::string("CMakeFiles/") + c.Object), bytes));
        ASSERT_TRUE(WriteFileAtomic(object, bytes, TReplaceLeave::Chosen(object)));
        EXPECT_EQ(CheckWriters(one.Path()), c.Status);
    }
    TempDir empty;
    EXPECT_EQ(CheckWriters(empty.Path()), 2) << "a folder with nothing built is no pass";
    EXPECT_EQ(CheckWriters(VORN_BINARY_DIR), 0) << "the program writes only through runtime/";
}
