#include "algebra/vUPixAl.h"
#include "import/vHeaderPages.h"
#include "runtime/RtFiles.h"
#include "support/GuiStartup.h"
#include "support/PngFixtures.h"

#include <algorithm>
#include <png.h>

namespace {

using Lines = std::vector<std::string>;

class HeaderLoadGui : public GuiStartup {
  protected:
    void SetUp() override {
        GuiStartup::SetUp();
        HeaderPages = THeaderPages();
        InstallHeaderHooks();
    }
    void TearDown() override {
        LogToDIP = false;
        GuiStartup::TearDown();
    }
    Lines FileLines(const std::string& name) { return SplitLines(FileText(Dir.File(name))); }
};

TEST_F(HeaderLoadGui, FirstLoadMakesTheHeadersTheNextOpensTheLogAndStepsAppendToIt) {
    ASSERT_TRUE(
        WriteFileAtomic(Dir.File("scene.png"),
                        WritePngFixture(MakePngFixture(PNG_COLOR_TYPE_RGB, 8, false, 640, 480)),
                        TReplaceLeave::Chosen(Dir.File("scene.png"))));
    ASSERT_TRUE(Form->LoadFromFile(Dir.File("scene.png"))) << Rec->Summary();
    EXPECT_EQ(FileLines("scene.dih")[5], "640");
    EXPECT_EQ(FileLines("scene.dis")[8], "480");
    const Lines made = FileLines("scene.dip");
    ASSERT_EQ(made.size(), 9u);
    EXPECT_EQ(Lines(made.begin(), made.begin() + 8),
              (Lines{"DIP 1.1", "scene.dih", "scene.dis", "scene.dip", Dir.File("scene.png"),
                     "Red:Red", "Green:Green", "Blue:Blue"}));

    HeaderPages.DIPMemo.clear();
    ASSERT_TRUE(Form->LoadFromFile(Dir.File("scene.png"))) << Rec->Summary();
    EXPECT_EQ(HeaderPages.DIPMemo, made);

    Form->LogtoDIPClick();
    RecordPixelRatios(3);
    const Lines logged = FileLines("scene.dip");
    ASSERT_EQ(logged.size(), 12u);
    EXPECT_EQ(Lines(logged.begin(), logged.begin() + 9), made);
    EXPECT_EQ(Lines(logged.begin() + 9, logged.begin() + 11), (Lines{"=0202  PixelRatios", "3"}));
    EXPECT_EQ(std::count(logged.begin(), logged.end(), "DIP 1.1"), 1);
    EXPECT_TRUE(Rec->Messages.empty()) << Rec->Summary();
}

TEST_F(HeaderLoadGui, BitmapPictureLogsItsNameWithThePngExtension) {
    ASSERT_TRUE(WriteFileAtomic(Dir.File("src.png"),
                                WritePngFixture(MakePngFixture(PNG_COLOR_TYPE_RGB, 8, false, 9, 4)),
                                TReplaceLeave::Chosen(Dir.File("src.png"))));
    ASSERT_TRUE(Form->LoadFromFile(Dir.File("src.png")));
    SetImageName(CurrentImageFolder, "shot.bmp");
    ASSERT_TRUE(Form->SaveImage());
    ASSERT_TRUE(Form->LoadFromFile(Dir.File("shot.bmp"))) << Rec->Summary();
    const Lines log = FileLines("shot.dip");
    ASSERT_EQ(log.size(), 9u);
    EXPECT_EQ(log[4], Dir.File("shot.png"));
}

} // namespace
