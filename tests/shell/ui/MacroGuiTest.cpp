#include "algebra/ui/vFEditor.h"
#include "algebra/ui/vPixelAlgebra.h"
#include "algebra/vUPixAl.h"
#include "classify/ui/vClassifier.h"
#include "histogram/vUHistoCC.h"
#include "runtime/RtFiles.h"
#include "shell/ui/vMacro.h"
#include "shell/vMacroCodes.h"
#include "shell/vToolForms.h"
#include "support/GuiStartup.h"
#include "support/PngFixtures.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QGroupBox>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QToolButton>
#include <filesystem>
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
                            WritePngFixture(MakePngFixture(PNG_COLOR_TYPE_RGB, 8, false, 7, 4)),
                            TReplaceLeave::Chosen(Dir.File("scene.png"))));
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
    SetImageName(CurrentImageFolder, "");
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
    SetImageName(Dir.Path(), "scene.png");
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
    SetImageName(Dir.Path(), "scene.png");
    Macro->SetLines({"mine"});
    Click(T::LoadTool);
    ASSERT_EQ(Rec->FileRequests.size(), 1u);
    EXPECT_EQ(Rec->FileRequests[0].Filter, "Macro files (eve)|*.eve");
    EXPECT_EQ(Rec->FileRequests[0].FileName, Dir.File("scene.eve"));
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

// Commands recorded through the pixel-algebra, filter-editor and classification windows, saved,
// loaded into a new macro window and played with those windows closed: the same picture.
TEST_F(MacroGui, MacroRecordedInSeveralWindowsPlaysWithThemClosed) {
    Hooks.LoadOrMakeHistogramFiles = LoadOrMakeHistogramFiles;
    std::filesystem::copy_file(TestData("olinda_rgb432.png"), Dir.File("olinda.png"));
    ClipOption = true;
    Click(T::RecordTool);
    Rec->FileAnswers.push_back(Dir.File("olinda.png"));
    Form->F_OpenClick();
    const Picture original = DisplayedPicture;

    auto* algebra = static_cast<TPixelAlgebraForm*>(Form->ShowToolForm(tfPixelAlgebra));
    algebra->BA0->button(1)->click();
    algebra->BA2->button(1)->click();
    algebra->BA3->button(2)->click();
    algebra->OpRGA1->button(0)->click();
    algebra->OpRGMain->button(2)->click();
    algebra->PAPODOBtn->click();

    auto* filters = static_cast<TFEditForm*>(Form->ShowToolForm(tfFEdit));
    filters->FiledFiltersRG->button(0)->click();
    filters->FiledFRG->button(1)->click();
    Rec->FileAnswers.push_back(TestData("kernels/laplace.RL3"));
    filters->SpeedButton1->click();

    auto* classes = static_cast<TClassificationForm*>(Form->ShowToolForm(tfClassification));
    classes->CUSeedRG->button(2)->click();
    classes->CUUCRG->button(1)->click();
    classes->CUCREdit->setText("12");
    classes->CUProcessBtn->click();
    Click(T::SaveTool, Dir.File("windows.eve"));
    ASSERT_TRUE(Rec->ErrorBoxes.empty()) << Rec->Summary();
    const Picture recorded = DisplayedPicture;
    ASSERT_NE(recorded.Pixels, original.Pixels);
    const Lines lines = Macro->Lines();
    for (const char* code : {"=0201", "=0301", "=0400"})
        EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                                [code](const std::string& l) { return l.rfind(code, 0) == 0; }),
                  1)
            << code;

    for (int code : {tfPixelAlgebra, tfFEdit, tfClassification}) {
        Form->ToolForm(code)->close();
        Form->Timer1Timer();
    }
    ASSERT_FALSE(PixelAlgebraForm || FEditForm || ClassificationForm);
    ClipOption = false;
    FilterDirectory.clear();
    ASSERT_TRUE(Form->LoadFromFile(Dir.File("scene.png")));
    Macro = NewMacroWindow();
    Click(T::LoadTool, Dir.File("windows.eve"));
    Click(T::PlayTool);
    EXPECT_TRUE(Rec->ErrorBoxes.empty()) << Rec->Summary();
    EXPECT_EQ(DisplayedPicture.Pixels, recorded.Pixels);
    // The classification command opens its window to show the played choices.
    if (ClassificationForm) {
        ClassificationForm->close();
        Form->Timer1Timer();
    }
}

// With the pixel-algebra window open, a played 0201 shows its 21 values in the window's groups
// before the run; the picture is the one played without the window.
TEST_F(MacroGui, PlayedPixelAlgebraSetsTheOpenWindowsGroups) {
    const Lines played = {"=0201   Do_PixelAlgebra",
                          "2",
                          "1",
                          "1",
                          "0",
                          "-1",
                          "-1",
                          "1",
                          "2",
                          "0",
                          "-1",
                          "0",
                          "2",
                          "2",
                          "0",
                          "1",
                          "-1",
                          "-1",
                          "-1",
                          "0",
                          "-1",
                          "-1"};
    ClipOption = true;
    ASSERT_TRUE(Form->LoadFromFile(Dir.File("scene.png")));
    Macro->SetLines(played);
    Click(T::PlayTool);
    const Picture without = DisplayedPicture;
    ASSERT_TRUE(Form->LoadFromFile(Dir.File("scene.png")));
    ASSERT_NE(without.Pixels, DisplayedPicture.Pixels);

    auto* algebra = static_cast<TPixelAlgebraForm*>(Form->ShowToolForm(tfPixelAlgebra));
    Click(T::PlayTool);
    EXPECT_TRUE(Rec->ErrorBoxes.empty()) << Rec->Summary();
    EXPECT_EQ(DisplayedPicture.Pixels, without.Pixels);
    const auto groups = algebra->ExpressionGroups();
    for (size_t k = 0; k < groups.size(); ++k)
        EXPECT_EQ(std::to_string(groups[k]->checkedId()), played[k + 1]) << k;
    algebra->close();
    Form->Timer1Timer();
}

// A played Open of a file that cannot be read keeps the picture's name, folder and caption: the
// next Save writes the picture's own file, not the one that failed.
TEST_F(MacroGui, FailedPlayedOpenKeepsTheCaptionAndSaveSparesTheFile) {
    ASSERT_TRUE(Form->LoadFromFile(Dir.File("scene.png")));
    const QString caption = Form->windowTitle();
    ASSERT_EQ(caption, "VORN KEEL  Image is: scene.png");
    TempDir other;
    ASSERT_TRUE(WriteFileAtomic(other.File("notes.png"), std::string("my notes"),
                                TReplaceLeave::Chosen(other.File("notes.png"))));
    Macro->SetLines({"=0003  Open", other.Path(), "notes.png", "=0001  UndoImage"});
    Click(T::PlayTool);
    EXPECT_EQ(Rec->ErrorBoxes.size(), 1u);
    EXPECT_EQ(Form->windowTitle(), caption);
    EXPECT_EQ(ImageDirectory, Dir.Path());
    EXPECT_EQ(CurrentImageName, "scene.png");
    Form->F_SaveClick();
    EXPECT_EQ(FileText(other.File("notes.png")), "my notes");
    EXPECT_EQ(Rec->ErrorBoxes.size(), 1u) << Rec->Summary();
}

// Print goes to the printer chosen in the program's print dialog, titled with the window's
// caption; a printer that cannot print is reported and stays usable.
TEST_F(MacroGui, PrintGoesThroughTheProgramsPrinterAndReportsAFailure) {
    QPrinter& printer = Form->PrinterDevice();
    printer.setOutputFormat(QPrinter::PdfFormat);
    Macro->SetLines({"Raster Macro File", "=0001  UndoImage"});
    Click(T::SaveTool, Dir.File("run.eve"));
    const std::string missing = Dir.File("no/such/folder/run.pdf");
    const struct {
        std::string File;
        std::string Said; // empty: nothing
    } cases[] = {
        {"", "No printer is available."},
        {missing, "Path not found\r\n" + missing},
        {Dir.File("run.pdf"), ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.File);
        Rec->Clear();
        printer.setOutputFileName(QString::fromLocal8Bit(c.File.c_str()));
        Click(T::PrintTool);
        std::vector<std::string> said = Rec->ErrorBoxes;
        for (const ShownMessage& m : Rec->Messages)
            said.push_back(m.Text);
        EXPECT_EQ(said,
                  c.Said.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.Said});
        EXPECT_EQ(FileExists(c.File), c.Said.empty());
        EXPECT_NE(printer.printerState(), QPrinter::Active);
    }
    const std::string pdf = FileText(Dir.File("run.pdf"));
    EXPECT_EQ(pdf.rfind("%PDF", 0), 0u);
    // The document's title, as the file stores text: UTF-16 after a byte-order mark.
    std::string title = "\xFE\xFF";
    for (char ch : std::string("Macronizing: run.eve"))
        title += std::string(1, '\0') + ch;
    EXPECT_NE(pdf.find(title), std::string::npos);
}

TEST_F(MacroGui, ClosingTheWindowSavesItsPosition) {
    FormPositions[fpMacro] = {40, 50};
    Macro = NewMacroWindow();
    EXPECT_EQ(Macro->pos(), QPoint(40, 50));
    Macro->show();
    Macro->move(123, 77);
    Macro->close();
    EXPECT_FALSE(Macro->isVisible());
    FormPositions[fpMacro] = {0, 0};
    LoadOptions();
    EXPECT_EQ(FormPositions[fpMacro].Left, 123);
    EXPECT_EQ(FormPositions[fpMacro].Top, 77);
}

} // namespace

namespace {

// An option changed between two recorded commands is recorded before the second one: played
// back from the options the recording began with, each command runs as it did.
TEST_F(MacroGui, OptionsChangedWhileRecordingPlayBackBeforeTheNextCommand) {
    const Lines saved = ProcessingOptionsLines();
    auto begin = [] {
        AbsoluteValuesOption = SetAbsoluteOption = BelowZeroOption = AutoRangeOption = false;
        Scale0To255Option = SetThresholdOption = ToggleRGB = ToggleRed = ToggleGreen = false;
        ClipOption = ToggleBlue = true;
        IntATMin = 0;
        IntATMax = 255;
        RealATMin = 0.0;
        RealATMax = 255.0;
    };
    const struct {
        const char* Group;
        void (*Change)();
    } groups[] = {
        {"0..1..255", [] { ClipOption = false, Scale0To255Option = true; }},
        {"-1..0..1", [] { ClipOption = false, BelowZeroOption = true; }},
        {"auto range", [] { AutoRangeOption = true; }},
        {"absolute", [] { AbsoluteValuesOption = SetAbsoluteOption = true, RealATMin = 20.5; }},
        {"threshold", [] { SetThresholdOption = true, IntATMin = 30, IntATMax = 220; }},
        {"one channel", [] { ToggleBlue = false, ToggleRed = true; }},
        {"all channels", [] { ToggleRGB = true; }},
    };
    // The new window's first line, the header and the first block, the Open command's three.
    constexpr size_t AfterOpen = 1 + 3 + 16 + 3;
    for (const auto& g : groups) {
        SCOPED_TRACE(g.Group);
        begin();
        Macro = NewMacroWindow();
        Click(T::RecordTool);
        Rec->FileAnswers.push_back(Dir.File("scene.png"));
        Form->F_OpenClick();
        g.Change();
        const Lines changed = ProcessingOptionsLines();
        RecordPixelRatios(4);
        DoPixelRatios(5);
        const Picture recorded = DisplayedPicture;
        const Lines text = Macro->Lines();
        ASSERT_GT(text.size(), AfterOpen + changed.size());
        EXPECT_EQ(text[AfterOpen - 3], MacroCommandLine(3));
        EXPECT_EQ(Lines(text.begin() + AfterOpen, text.begin() + AfterOpen + changed.size()),
                  changed);

        begin();
        Click(T::PlayTool);
        EXPECT_TRUE(Rec->ErrorBoxes.empty()) << Rec->Summary();
        EXPECT_EQ(ProcessingOptionsLines(), changed);
        EXPECT_EQ(DisplayedPicture.Pixels, recorded.Pixels);
    }
    ReadProcessingOptions([&saved](int line) { return saved[static_cast<size_t>(line)]; });
}

} // namespace
