// A picture from someone else's archive may come with links beside it under the names of the
// files the program makes on its own (headers, the processing log, a cached preview). Opening
// and working on the picture never writes through such a link.
#include "histogram/vUHistoCC.h"
#include "import/vBandImport.h"
#include "import/vHeaderPages.h"
#include "import/vHeaderVersions.h"
#include "runtime/RtErrors.h"
#include "runtime/RtFiles.h"
#include "shell/vGlobal.h"
#include "shell/vPictureCodecs.h"
#include "support/PngFixtures.h"
#include "support/RecordingHooks.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <png.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

const std::string VictimLog = std::string(DIPVersionLine) + "\r\nsomeone's history\r\n";

TEST(PlantedLinks, OpeningAndLoggingNeverWriteThroughALinkBesideThePicture) {
    const struct {
        const char* Link;
        const char* Victim; // nullptr: the link names nothing
    } cases[] = {
        {"scene.dih", nullptr},
        {"scene.dis", nullptr},
        {"scene.dip", nullptr},
        // A log the reader takes: the commands logged after the open are refused.
        {"scene.dip", VictimLog.c_str()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Link) + (c.Victim ? " to a file" : " to nothing"));
        RecordingHooks rec;
        InstallHeaderHooks();
        Hooks.LoadOrMakeHistogramFiles = LoadOrMakeHistogramFiles;
        TempDir dir;
        ASSERT_TRUE(MakeDirectories(dir.File("pictures")));
        ASSERT_TRUE(MakeDirectories(dir.File("outside")));
        const std::string folder = dir.File("pictures/");
        const std::string victim = dir.File("outside/rc");
        ASSERT_TRUE(
            WriteFileAtomic(folder + "scene.png",
                            WritePngFixture(MakePngFixture(PNG_COLOR_TYPE_RGB, 8, false, 6, 4)),
                            TReplaceLeave::Chosen(folder + "scene.png")));
        if (c.Victim)
            ASSERT_TRUE(
                WriteFileAtomic(victim, std::string(c.Victim), TReplaceLeave::Chosen(victim)));
        fs::create_symlink("../outside/rc", folder + c.Link);

        EXPECT_TRUE(RunGuarded([&] { LoadPictureFile(folder, "scene.png"); }));
        LogToDIP = true;
        RecordCommand("=0001  Undo", {});
        LogToDIP = false;

        EXPECT_TRUE(fs::is_symlink(folder + c.Link));
        if (c.Victim)
            EXPECT_EQ(FileText(victim), c.Victim);
        else
            EXPECT_FALSE(fs::exists(fs::symlink_status(victim)));
        // Each refused write names the file and why; it used to say "Disk full" or "NO HDR FILE
        // NAME".
        EXPECT_FALSE(rec.ErrorBoxes.empty());
        for (const std::string& box : rec.ErrorBoxes)
            EXPECT_EQ(box, "File access denied\r\n" + folder + c.Link);
        EXPECT_TRUE(rec.Messages.empty()) << rec.Summary();
        // The companions without a link are made as usual.
        EXPECT_TRUE(PlainFileExists(folder + "scene.adc"));

        FreeImageBuffers();
        DisplayedPicture = Picture();
        SetImageName(CurrentImageFolder, "");
        ImageDirectory.clear();
    }
}

TEST(PlantedLinks, ACropPreviewIsNotCachedThroughALink) {
    RecordingHooks rec;
    TempDir dir;
    ASSERT_TRUE(MakeDirectories(dir.File("outside")));
    ASSERT_TRUE(WriteFileAtomic(dir.File("scene.B1"), std::vector<uint8_t>(6400, 200),
                                TReplaceLeave::Chosen(dir.File("scene.B1"))));
    fs::create_symlink(dir.File("outside/rc"), dir.File("scene.BMP"));
    ImageDirectory = dir.Path();
    HeaderPages[DIHField::RIHBFName1] = "scene.B1";
    TCropScene scene;
    scene.DIHPath = dir.File("scene.dih");
    scene.Right = 64;
    scene.Bottom = 100;
    scene.Bands = 1;
    // The toolkit's bitmap writer stands outside the engine; any bytes will do here.
    SetBmpCodec(nullptr, [](const Picture&, std::vector<uint8_t>& out, std::string&) {
        out.assign({'B', 'M'});
        return true;
    });
    int64_t step = 0;
    EXPECT_THROW(CropPreviewPicture(scene, step), EInOutError);
    SetBmpCodec(nullptr, nullptr);
    EXPECT_FALSE(fs::exists(fs::symlink_status(dir.File("outside/rc"))));
    EXPECT_TRUE(fs::is_symlink(dir.File("scene.BMP")));
    HeaderPages[DIHField::RIHBFName1].clear();
    ImageDirectory.clear();
}

} // namespace
