#include "algebra/vUPixAl.h"
#include "runtime/RtFiles.h"
#include "shell/ui/vMacro.h"
#include "shell/vMacroCodes.h"
#include "support/GuiStartup.h"
#include "support/PngFixtures.h"

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QToolButton>
#include <png.h>

namespace {

using Lines = std::vector<std::string>;
using T = TMacroForm;

class MacroGui : public GuiStartup {
  protected:
    void SetUp() override {
        GuiStartup::SetUp();
        InstallMacroHooks();
        Macro = NewMacroWindow();
        ASSERT_TRUE(
            WriteFileAtomic(Dir.File("scene.png"),
                            WritePngFixture(MakePngFixture(PNG_COLOR_TYPE_RGB, 8, false, 7, 4))));
    }
    void TearDown() override {
        MacroRecording = false;
        ClipOption = false;
        GuiStartup::TearDown();
    }
    TMacroForm* NewMacroWindow() {
        MacroForm = new TMacroForm(Form);
        return MacroForm;
    }
    void Click(int tag, const std::string& answer = "") {
        if (!answer.empty()) Rec->FileAnswers.push_back(answer);
        Macro->Guarded([&] { Macro->SpeedButtonToolClick(tag); });
    }
    std::string Bytes(const std::string& name) { return FileText(Dir.File(name)); }
    TMacroForm* Macro = nullptr;
};

// A session recorded, saved as a macro file, loaded into a fresh window and played on the same
// picture gives the same files and the same picture.
TEST_F(MacroGui, RecordedSessionPlaysBackToTheSameFilesAndPicture) {
    ClipOption = true;
    Click(T::RecordTool);
    Rec->FileAnswers.push_back(Dir.File("scene.png"));
    Form->F_OpenClick();
    RecordPixelRatios(4); // the ratio page's command: its lines, then its engine
    DoPixelRatios(5);
    Rec->FileAnswers.push_back(Dir.File("out.png"));
    Form->F__SaveasClick();
    Form->I_UndoClick();
    Form->SaveNumbered1Click();
    Form->F_SaveClick();
    Click(T::SaveTool, Dir.File("run.eve"));
    ASSERT_TRUE(Rec->ErrorBoxes.empty()) << Rec->Summary();
    const std::string out = Bytes("out.png"), numbered = Bytes("outA001.png");
    ASSERT_FALSE(out.empty());
    ASSERT_FALSE(numbered.empty());
    EXPECT_NE(out, numbered);
    const Picture recorded = DisplayedPicture;

    std::remove(Dir.File("out.png").c_str());
    std::remove(Dir.File("outA001.png").c_str());
    ClipOption = false;
    ImageDirectory = "/";
    CurrentImageName.clear();
    Macro = NewMacroWindow();
    Click(T::LoadTool, Dir.File("run.eve"));
    EXPECT_EQ(Macro->windowTitle(), "Macronizing: run.eve");
    Click(T::PlayTool);
    EXPECT_TRUE(Rec->ErrorBoxes.empty()) << Rec->Summary();
    EXPECT_EQ(Bytes("out.png"), out);
    EXPECT_EQ(Bytes("outA001.png"), numbered);
    EXPECT_EQ(DisplayedPicture.Pixels, recorded.Pixels);
    EXPECT_EQ(CurrentImageName, "outA001.png");
    EXPECT_TRUE(ClipOption);
    EXPECT_FALSE(MacroRecording);
}

TEST_F(MacroGui, RecordAppendsHeaderAndOptionsAndOnlyRecordKeepsRecording) {
    EXPECT_EQ(Macro->Lines(), Lines{"Raster Macro File"});
    EXPECT_FALSE(Macro->SaveBtn->isEnabled());
    ImageDirectory = Dir.Path();
    CurrentImageName = "scene.png";
    Click(T::RecordTool);
    Click(T::RecordTool);
    Lines want = {"Raster Macro File"};
    for (int i = 0; i < 2; ++i) {
        want.insert(want.end(), {"Raster Macro File", "scene.png", Dir.Path()});
        const Lines block = ProcessingOptionsLines();
        want.insert(want.end(), block.begin(), block.end());
    }
    EXPECT_EQ(Macro->Lines(), want);
    EXPECT_TRUE(MacroRecording);
    EXPECT_TRUE(Macro->SaveBtn->isEnabled());

    Click(T::ClearTool);
    EXPECT_EQ(Macro->Lines(), Lines(want.begin() + 1, want.begin() + 20));
    // Paste below must add nothing: other tests leave text on the clipboard.
    QApplication::clipboard()->clear();
    for (int tag : {T::CopyTool, T::ClearTool, T::LoadTool, T::EditTool, T::SaveTool, T::PlayTool,
                    T::PasteTool, T::PauseTool}) {
        MacroRecording = true;
        Click(tag);
        EXPECT_EQ(MacroRecording, tag == T::CopyTool) << tag;
    }
    MacroRecording = true;
    Macro->show();
    Macro->close();
    EXPECT_FALSE(MacroRecording);
    EXPECT_EQ(Macro->Lines().size(), 19u);
}

TEST_F(MacroGui, FileDialogsAndAFailedLoadKeepTheText) {
    ImageDirectory = Dir.Path();
    CurrentImageName = "scene.png";
    Macro->SetLines({"mine"});
    Click(T::LoadTool);
    ASSERT_EQ(Rec->FileRequests.size(), 1u);
    EXPECT_EQ(Rec->FileRequests[0].Filter, "Macro files (eve)|*.eve");
    EXPECT_EQ(Rec->FileRequests[0].FileName, "scene.eve");
    EXPECT_EQ(Rec->FileRequests[0].InitialDir, Dir.Path());
    Click(T::LoadTool, Dir.File("missing.eve"));
    EXPECT_EQ(Rec->ErrorBoxes.size(), 1u);
    EXPECT_EQ(Macro->Lines(), Lines{"mine"});
    EXPECT_EQ(Macro->windowTitle(), "Macro");

    Macro->SetLines({});
    Click(T::SaveTool, Dir.File("empty"));
    EXPECT_TRUE(FileExists(Dir.File("empty")));
    EXPECT_EQ(Macro->MacroMachine->title().toStdString(), Dir.File("empty"));
    Macro->SetLines({"mine"});
    Click(T::LoadTool, Dir.File("empty"));
    EXPECT_TRUE(Macro->Lines().empty());
}

} // namespace
