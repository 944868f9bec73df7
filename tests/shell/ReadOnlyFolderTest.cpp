// A picture opened from a folder the account cannot write (a shared drive, a mounted disc) is
// counted and shown; its headers, counts and log stay in memory, and the status bar says so once.
#include "histogram/vUHistoCC.h"
#include "import/vHeaderPages.h"
#include "import/vHeaderVersions.h"
#include "runtime/RtFiles.h"
#include "shell/vGlobal.h"
#include "support/PngFixtures.h"
#include "support/RecordingHooks.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <filesystem>
#include <numeric>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::vector<std::string> FolderNames(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(ReadOnlyFolder, APictureOpensWithItsCompanionDataKeptInMemory) {
    const std::tuple<const char*, mode_t, std::vector<std::string>> cases[] = {
        // folder, its mode, the files in it after the open and one logged command (the open
        // runs as an account that owns neither folder)
        {"disc/", 0555, {"scene.png"}},
        {"own/",
         0777,
         {"scene.adc", "scene.ads", "scene.adt", "scene.dih", "scene.dip", "scene.dis",
          "scene.png"}},
    };
    for (const auto& [name, mode, files] : cases) {
        RecordingHooks rec;
        InstallHeaderHooks();
        Hooks.LoadOrMakeHistogramFiles = LoadOrMakeHistogramFiles;
        TempDir dir;
        const std::string folder = dir.File(name);
        ASSERT_TRUE(MakeDirectories(folder));
        ASSERT_TRUE(
            WriteFileAtomic(folder + "scene.png",
                            WritePngFixture(MakePngFixture(PNG_COLOR_TYPE_RGB, 8, false, 6, 4)),
                            TReplaceLeave::Chosen(folder + "scene.png")));
        ASSERT_EQ(chmod(dir.Path().c_str(), 0755), 0);
        ASSERT_EQ(chmod(folder.c_str(), mode), 0);
        // The administrator writes anywhere: the open runs as an ordinary account.
        const bool privileged = geteuid() == 0;
        if (privileged) ASSERT_EQ(seteuid(65534), 0);
        const bool loaded = RunGuarded([&] { LoadPictureFile(folder, "scene.png"); });
        LogToDIP = true;
        RecordCommand("=0001  Undo", {});
        LogToDIP = false;
        if (privileged) ASSERT_EQ(seteuid(0), 0);

        EXPECT_TRUE(loaded) << name;
        EXPECT_TRUE(rec.Messages.empty() && rec.ErrorBoxes.empty()) << name << rec.Summary();
        EXPECT_EQ(CurrentImageName, "scene.png") << name;
        EXPECT_EQ(DisplayedPicture.Width, 6) << name;
        EXPECT_TRUE(ImageBuffersAllocated) << name;
        EXPECT_EQ(std::accumulate(RedHistogram.begin(), RedHistogram.end(), 0), 24) << name;
        const std::vector<std::string>& log = HeaderPages.DIPMemo;
        EXPECT_EQ(log.at(0), DIPVersionLine) << name;
        EXPECT_EQ(std::count(log.begin(), log.end(), "Red:Red"), 1) << name;
        EXPECT_EQ(std::count(log.begin(), log.end(), "=0001  Undo"), 1) << name;
        EXPECT_EQ(std::count(rec.Status1.begin(), rec.Status1.end(),
                             std::string(CompanionFilesInMemoryStatus)),
                  mode == 0555 ? 1 : 0)
            << name;
        EXPECT_EQ(FolderNames(folder), files) << name;

        FreeImageBuffers();
        DisplayedPicture = Picture();
        SetImageName(CurrentImageFolder, "");
        ImageDirectory.clear();
    }
}

} // namespace
