// Played saves write only into the folder their directory line names: a save name holding a
// folder is refused, and nothing outside is written or replaced. An open name holding a folder is
// refused too: the picture would take that folder, and the next Save would write there. A refused
// step ends the walk, as a failed load does.
#include "runtime/RtFiles.h"
#include "shell/vMacroPlayer.h"
#include "support/EngineTestImage.h"
#include "support/PngFixtures.h"
#include "support/TestFiles.h"

#include <filesystem>
#include <png.h>

namespace {

class MacroSaveName : public EngineTestImage {
  protected:
    void TearDown() override {
        ClipOption = false;
        PictureMemoryLimit = SavedLimit;
        ImageDirectory.clear();
        SetImageName(CurrentImageFolder, "");
        EngineTestImage::TearDown();
    }
    // Played after the step under test: Clip on shows whether the walk went on.
    static std::vector<std::string> Then(std::vector<std::string> step) {
        for (const char* line : {"=0000", "", "", "", "", "Clip:On"})
            step.emplace_back(line);
        return step;
    }
    const uint64_t SavedLimit = PictureMemoryLimit;
};

TEST_F(MacroSaveName, ASaveNameHoldingAFolderIsRefused) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        // command line, name line, file written in the macro's folder (empty: none)
        {"=0002 Saveas", "../outside/pwn.png", ""},
        {"=0005   Save", "sub/pwn.png", ""},
        {"=0004  SaveNumbered", "../outside/pwn.png", ""},
        {"=0002 Saveas", "/tmp/pwn.png", ""},
        {"=0002 Saveas", "kept.png", "kept.png"},
        {"=0004  SaveNumbered", "kept.png", "keptA001.png"},
    };
    for (const auto& [command, name, written] : cases) {
        const std::string what = std::string(command) + " " + name;
        TempDir dir;
        const std::string macroFolder = dir.File("macros/");
        ASSERT_TRUE(MakeDirectories(macroFolder));
        ASSERT_TRUE(MakeDirectories(dir.File("outside/")));
        ASSERT_TRUE(MakeDirectories(macroFolder + "sub/"));
        ASSERT_TRUE(WriteFileAtomic(dir.File("outside/pwn.png"), std::string("precious"),
                                    TReplaceLeave::Chosen(dir.File("outside/pwn.png"))));
        Load(2, {{10, 20, 30}, {40, 50, 60}});
        ImageDirectory = dir.File("shown/");
        SetImageName(CurrentImageFolder, "shown.png");

        ClipOption = false;
        EXPECT_EQ(PlayMacro(Then({command, macroFolder, name})), *written != 0) << what;
        EXPECT_EQ(ClipOption, *written != 0) << what;
        EXPECT_EQ(FileText(dir.File("outside/pwn.png")), "precious") << what;
        EXPECT_TRUE(std::filesystem::is_empty(macroFolder + "sub/")) << what;
        if (*written) {
            EXPECT_TRUE(Rec.Messages.empty()) << what << Rec.Summary();
            EXPECT_TRUE(FileExists(macroFolder + written)) << what;
        } else {
            ASSERT_EQ(Rec.Messages.size(), 1u) << what;
            EXPECT_EQ(Rec.Messages[0].Text,
                      std::string("Macro file name holds a folder: nothing saved\r\n") + name)
                << what;
            // The refused line names nothing: the picture keeps its own name and folder.
            EXPECT_EQ(CurrentImageName, "shown.png") << what;
            EXPECT_EQ(ImageDirectory, dir.File("shown/")) << what;
        }
    }
}

TEST_F(MacroSaveName, AnOpenNameHoldingAFolderIsRefused) {
    TempDir dir;
    const std::string macroFolder = dir.File("macros/");
    ASSERT_TRUE(MakeDirectories(macroFolder));
    ASSERT_TRUE(MakeDirectories(dir.File("outside/")));
    const auto png = WritePngFixture(MakePngFixture(PNG_COLOR_TYPE_RGB, 8, false, 5, 3));
    for (const char* file : {"outside/p.png", "macros/p.png"})
        ASSERT_TRUE(WriteFileAtomic(dir.File(file), png, TReplaceLeave::Chosen(dir.File(file))));
    Load(2, {{10, 20, 30}, {40, 50, 60}});
    ImageDirectory = dir.File("shown/");
    SetImageName(CurrentImageFolder, "shown.png");

    EXPECT_FALSE(PlayMacro(Then({"=0003  Open", macroFolder, "../outside/p.png"})));
    EXPECT_FALSE(ClipOption);
    ASSERT_EQ(Rec.Messages.size(), 1u) << Rec.Summary();
    EXPECT_EQ(Rec.Messages[0].Text,
              std::string("Macro file name holds a folder: nothing opened\r\n../outside/p.png"));
    EXPECT_EQ(DisplayedPicture.Width, 2);
    EXPECT_EQ(CurrentImageName, "shown.png");
    EXPECT_EQ(ImageDirectory, dir.File("shown/"));

    // A picture too big for the memory is refused by the loader and ends the walk the same way.
    Rec.Clear();
    PictureMemoryLimit = 1;
    EXPECT_FALSE(PlayMacro(Then({"=0003  Open", macroFolder, "p.png"})));
    ASSERT_EQ(Rec.Messages.size(), 1u) << Rec.Summary();
    EXPECT_EQ(Rec.Messages[0].Text.substr(0, 40), "Image too big for memory: nothing loaded");
    EXPECT_FALSE(ClipOption);
    EXPECT_EQ(DisplayedPicture.Width, 2);

    PictureMemoryLimit = SavedLimit;
    EXPECT_TRUE(PlayMacro(Then({"=0003  Open", macroFolder, "p.png"})));
    EXPECT_TRUE(ClipOption);
    EXPECT_EQ(DisplayedPicture.Width, 5);
    EXPECT_EQ(ImageDirectory, macroFolder);
}

// A played save that writes nothing leaves the picture its own name and folder and ends the walk:
// the caption used to name the file that failed, and the next Save wrote there.
TEST_F(MacroSaveName, APlayedSaveThatWritesNothingKeepsThePicturesName) {
    TempDir dir;
    const struct {
        const char* Command;
        const char* Folder;
        const char* Name;
        const char* Error;   // the error box
        const char* Message; // the plain message
    } cases[] = {
        {"=0002 Saveas", "missing/", "played2.png", "Path not found", ""},
        {"=0005   Save", "missing/", "played2.png", "Path not found", ""},
        {"=0002 Saveas", "", "played2.jpg", "", "File type unk"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Command) + " " + c.Folder + c.Name);
        Rec.Clear();
        Load(2, {{10, 20, 30}, {40, 50, 60}});
        ImageDirectory = dir.Path();
        SetImageName(dir.Path(), "aero1.png");
        ClipOption = false;
        EXPECT_FALSE(PlayMacro(Then({c.Command, dir.File(c.Folder), c.Name})));
        EXPECT_FALSE(ClipOption);
        EXPECT_EQ(CurrentImageName, "aero1.png");
        EXPECT_EQ(ImageDirectory, dir.Path());
        EXPECT_EQ(CurrentImageFolder, dir.Path());
        EXPECT_FALSE(NameTaken(dir.File(std::string(c.Folder) + c.Name)));
        EXPECT_EQ(Rec.ErrorBoxes,
                  *c.Error ? std::vector<std::string>{c.Error} : std::vector<std::string>{});
        EXPECT_EQ(Rec.Messages.size(), *c.Message ? 1u : 0u) << Rec.Summary();
        if (*c.Message && !Rec.Messages.empty()) EXPECT_EQ(Rec.Messages[0].Text, c.Message);
    }
}

} // namespace
