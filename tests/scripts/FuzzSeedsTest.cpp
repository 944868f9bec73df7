// The seeds scripts/fuzz starts each target from: every pattern of a "// Seeds:" line is taken
// under the data folder.
#include "runtime/RtFiles.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>

namespace {

// The files the script's helper lists for `source`, under `data`, sorted.
std::vector<std::string> SeedFiles(const std::string& data, const std::string& source) {
    const std::string command = "bash -c '. \"" VORN_SOURCE_DIR "/scripts/lib.sh\" && set -euo "
                                "pipefail && fuzz_seed_files \"" +
                                data + "\" \"" + source + "\"' 2>&1";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string out;
    char buf[4096];
    while (size_t n = fread(buf, 1, sizeof buf, pipe.get()))
        out.append(buf, n);
    std::vector<std::string> files = SplitLines(out);
    std::sort(files.begin(), files.end());
    return files;
}

TEST(FuzzSeeds, EveryPatternOfALineIsTakenUnderTheDataFolder) {
    TempDir dir;
    for (const char* name : {"data/seeds/a.rcm", "data/b.rcm", "data/deep/x/c.dip", "d.rcm"}) {
        std::filesystem::create_directories(std::filesystem::path(dir.File(name)).parent_path());
        ASSERT_TRUE(WriteFileAtomic(dir.File(name), std::string("x"),
                                    TReplaceLeave::Chosen(dir.File(name))));
    }
    // The bare name d.rcm lies beside the data folder, not in it.
    ASSERT_TRUE(WriteFileAtomic(dir.File("Target.cpp"),
                                std::string("// One target.\n// Seeds: seeds/a.rcm b.rcm  **/*.dip "
                                            "d.rcm missing/*.x\nint x;\n"),
                                TReplaceLeave::Chosen(dir.File("Target.cpp"))));
    const std::string data = dir.File("data");
    EXPECT_EQ(
        SeedFiles(data, dir.File("Target.cpp")),
        (std::vector<std::string>{data + "/b.rcm", data + "/deep/x/c.dip", data + "/seeds/a.rcm"}));
}

} // namespace
