// Header tests: a fresh set of header pages, the record and the points emptied, the picture's
// folder a temporary one; the hand-written golden headers of tests/data/headers.
#pragma once

#include "import/vHeaderPages.h"
#include "runtime/RtFiles.h"
#include "shell/vGlobal.h"
#include "support/RecordingHooks.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

inline std::string GoldenHeader(const std::string& name) {
    return TestData("headers/") + name;
}

inline std::vector<std::string> FileLines(const std::string& path) {
    return SplitLines(FileText(path));
}

class HeaderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        HeaderPages = THeaderPages();
        DIHRecord = TDIHRecord();
        RegistrationPoints.clear();
        DISLoaded = false;
        ImageDirectory = Dir.Path();
        CurrentImageName = "scene.png";
    }
    void TearDown() override {
        ImageDirectory.clear();
        CurrentImageName.clear();
        LogToDIP = false;
    }
    // The golden lines with some replaced (1-based line numbers), written as a file in Dir.
    std::string Variant(const std::string& golden,
                        const std::vector<std::pair<int, std::string>>& at,
                        size_t keepLines = SIZE_MAX) {
        std::vector<std::string> lines = FileLines(GoldenHeader(golden));
        for (const auto& [line, text] : at)
            lines[static_cast<size_t>(line - 1)] = text;
        if (keepLines < lines.size()) lines.resize(keepLines);
        const std::string path = Dir.File("variant");
        WriteFileAtomic(path, JoinLinesCRLF(lines));
        return path;
    }

    TempDir Dir;
    RecordingHooks Rec;
    THeaderPages& P = HeaderPages;
};
