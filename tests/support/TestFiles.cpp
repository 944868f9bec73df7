#include "support/TestFiles.h"

#include "runtime/RtFiles.h"

#include <cstdlib>
#include <filesystem>

TempDir::TempDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "vorn-test-XXXXXX").string();
    char* made = mkdtemp(tmpl.data());
    Dir = std::string(made ? made : tmpl.c_str()) + "/";
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(Dir, ec);
}

std::string TestData(const std::string& relative) {
    return std::string(VORN_TEST_DATA) + "/" + relative;
}

std::vector<uint8_t> FileBytes(const std::string& path) {
    std::vector<uint8_t> bytes;
    ReadWholeFile(path, bytes);
    return bytes;
}

std::map<std::string, std::vector<uint8_t>> FolderBytes(const std::string& dir) {
    std::map<std::string, std::vector<uint8_t>> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        files[entry.path().filename().string()] = FileBytes(entry.path().string());
    return files;
}

std::string FileText(const std::string& path) {
    std::string text;
    ReadWholeFile(path, text);
    return text;
}
