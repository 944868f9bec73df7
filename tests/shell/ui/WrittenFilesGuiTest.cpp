// Every command that writes a file writes the file it read or the one the user named, whatever
// folder another window has moved the working folder to since: one table lists every command of
// every window that writes, and a walk of every command checks that none is missing from it.
#include "bandproc/ui/vDisAlgebraPages.h"
#include "bandproc/ui/vDisHistPage.h"
#include "bandproc/ui/vDisProFrm.h"
#include "bandproc/ui/vDisSinglePages.h"
#include "histogram/ui/vHistogram.h"
#include "histogram/ui/vLProfile.h"
#include "histogram/vColorCube.h"
#include "histogram/vUHistoCC.h"
#include "import/ui/vBandSplitPages.h"
#include "import/ui/vDisToDipPage.h"
#include "import/ui/vPBands.h"
#include "import/vDisPicture.h"
#include "import/vHeaderPages.h"
#include "runtime/RtFiles.h"
#include "shell/ui/vREIV.h"
#include "shell/vGlobalOptions.h"
#include "shell/vMacroPlayer.h"
#include "shell/vPictureFiles.h"
#include "shell/vToolModes.h"
#include "support/GuiStartup.h"
#include "support/GuiWindows.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include <deque>
#include <filesystem>
#include <fnmatch.h>
#include <fstream>
#include <set>
#include <sys/stat.h>

namespace {

using Folder = std::map<std::string, std::vector<uint8_t>>;

// A file by name in a folder as it stands: a write replaces it under a new inode.
struct Stamp {
    uintmax_t Size;
    ino_t Inode;
    bool operator==(const Stamp&) const = default;
};

std::map<std::string, Stamp> Stamps(const std::string& dir) {
    std::map<std::string, Stamp> stamps;
    for (const auto& e : std::filesystem::directory_iterator(dir)) {
        struct stat st {};
        if (lstat(e.path().c_str(), &st) == 0)
            stamps[e.path().filename().string()] = {static_cast<uintmax_t>(st.st_size), st.st_ino};
    }
    return stamps;
}

class WrittenFiles : public GuiStartup {
  protected:
    void SetUp() override {
        GuiStartup::SetUp();
        MakeEveryToolWindow(Form);
        Hooks.ChooseFile = [this](FileDialogRequest& r) { return AnswerInA(r); };
        MakeWorkScenes(A.Path());
        // A DIH away from the picture and its scene: its page saves it back there.
        std::filesystem::copy_file(A.File("olinda.dih"), H.File("olinda.dih"));
        // The projection log is kept beside the program.
        ProgramDirectory = A.Path();
        ASSERT_TRUE(Form->LoadFromFile(A.File("scene.png"))) << Rec->Summary();
        PBands->DISFileOpenClick();
        DisProcessForm->ALLDISFileBtnClick();
        // The single-band runs' products are named.
        DisProcessForm->SinglePage->BCNewFileEdit->setText("m2");
        TDisToDipPage* page = PBands->DisToDipPage;
        for (QPushButton* b :
             {page->PBandHdrBtn, page->PBandFileBtn1, page->PBandFileBtn2, page->PBandFileBtn3})
            b->click();
        Rec->Clear();
    }
    void TearDown() override {
        ClearToolModes();
        SelectedBandFiles.fill("");
        DISPictureFolder.clear();
        ProgramDirectory.clear();
        GuiStartup::TearDown();
    }
    // The working folder moved to B, which holds a file of every name in A.
    void MoveWorkingFolderToB(const std::vector<std::string>& more = {}) {
        std::set<std::string> names(more.begin(), more.end());
        for (const auto& [name, bytes] : FolderBytes(A.Path()))
            names.insert(name);
        for (const std::string& name : names)
            ASSERT_TRUE(WriteFileAtomic(B.File(name), "B's own " + name,
                                        TReplaceLeave::Chosen(B.File(name))));
        ImageDirectory = B.Path();
    }

    // A file of A as its dialog shows it; a band dialog takes a band of the scene. The first name
    // a band dialog shows is the crop preview or the scene's source ("olinda.BMP", "olinda.bsq" as
    // "*.B??"), which a band run refuses as no band of the scene's size.
    std::string AnswerInA(FileDialogRequest& r) {
        if (r.Save || r.Filter != BandFilter) return AnswerIn(A.Path(), r);
        r.Files = {A.File("olinda.B1")};
        return r.Files[0];
    }

    // Dialogs answered with `answers` in turn, then with a file of A.
    void AnswerFrom(std::deque<std::string>& answers) {
        Hooks.ChooseFile = [this, &answers](FileDialogRequest& r) {
            if (answers.empty()) return AnswerInA(r);
            const std::string answer = answers.front();
            answers.pop_front();
            return answer;
        };
    }

    TempDir A, B, H;
};

// Every command of every window that writes a file, by the name the walk gives it, grouped by the
// names of the files they may write besides the one a dialog named. A new writer joins here.
struct Writers {
    std::vector<const char*> Commands;
    std::vector<const char*> Files;
};

const Writers WriterTable[] = {
    // Only the file their dialog named.
    {{"VORNForm/FS_BMP",
      "VORNForm/FS_JPG",
      "REIVForm/FS_PNG",
      "REIVForm/FS_BMP",
      "REIVForm/FS_JPG",
      "MacroForm/ Save",
      "ViewCursorScreen/VCSSaveBtn Save",
      "ViewCursorScreen/VCSPrintBtn Print",
      "PBands/RIHSaveAsBtn Labeled",
      "PBands/DISLabeledFileSave Labeled",
      "DisProcessForm/SaveAsBtn Save as",
      "DisProcessForm/SaveTCBtn Save .TC",
      "HistogramForm/H_HRSaveBtn Save Red",
      "HistogramForm/H_HGSaveBtn Save Green",
      "HistogramForm/H_HBSaveBtn Save Blue",
      "HistogramForm/SCHSaveRedBtn Save Red",
      "HistogramForm/SCHSaveGreenBtn Save Green",
      "HistogramForm/SCHSaveBlueBtn Save Blue",
      "HistogramForm/H_NB_SaveImageBtn Save Image",
      "HistogramForm/H_H2DBtn3 Save Image",
      "HistogramForm/SaveH3DBtn Save Image",
      "ClassificationForm/CCFileSave Save",
      "ClassificationForm/CUSaveSites Save",
      "ClassificationForm/PBoxSaveBtn Save",
      "PixelAlgebraForm/PACSaveColorBins ",
      "FEditForm/SaveBtn Save"},
     {}},
    // A load: the picture's headers and log.
    {{"VORNForm/F_Open", "VORNForm/ToolButton1", "VORNForm/ Open"}, {"*.dih", "*.dis", "*.dip"}},
    // The shown picture under its own name, with its log.
    {{"VORNForm/F_Save", "VORNForm/SaveButton", "VORNForm/ Save", "VORNForm/F__Saveas",
      "FrInfo/DeleteChunk Save", "REIVForm/F_Save", "REIVForm/ Save", "REIVForm/SaveButton"},
     {"*.png", "*.bmp", "*.dip"}},
    {{"VORNForm/SaveNumbered1"}, {"*A0??.*"}},
    // Files named after the shown picture.
    {{"kovMemoForm/ProLogMemoSaveBtn Save", "ObjectMarkForm/SaveListBtn Save",
      "LabelObjectsForm/SaveListBtn Save", "LineProfileForm/SaveButton Save",
      "HistogramForm/H_NB_RSaveBtn not", "HistogramForm/H_NB_GSaveBtn not",
      "HistogramForm/H_NB_BSaveBtn not", "HistogramForm/H_H3DSaveBtn Save"},
     {"*.log", "*.rof", "*.raf", "*.txt", "*.ads", "*.rs3"}},
    // Headers, and the picture a DIS makes.
    {{"PBands/RIHOpenBtn Select Header File to Import", "PBands/DISFileSave Save",
      "PBands/BSQDIHtoDISFileBtn 1. Select DIH", "PBands/PBOKBtn 4. Press Button"},
     {"*.dih", "*.dis", "*.dip", "*.png", "*.bmp", "h/*.dih"}},
    // The DIH the page read, in its own folder.
    {{"PBands/RIHSaveBtn Save"}, {"h/*.dih"}},
    // A header page that holds no file: only the file its dialog named.
    {{"PBands/RIHSaveBtn Save, no file", "PBands/DISFileSave Save, no file"}, {}},
    // The launch records itself in the DIS the import window shows; the band algebra of the
    // window it launched writes beside that DIS.
    {{"PBands/PreProcessDISBandsBtn Launch, then band algebra"}, {"*.dis", "*.p??"}},
    // Band products and tiles, and the run's record in the DIS.
    {{"DisProcessForm/SingleMathBtn Perform Math",
      "DisProcessForm/RadarDeRez16OKBtn 4. Derez: 16 to 8 Bits",
      "DisProcessForm/PixelSizerBtn Pixel Sizer", "DisProcessForm/CDPixelOK Divide and auto# name",
      "DisProcessForm/MBFAOKBtn 4. Press Me", "DisProcessForm/VIPOK1 (A-B) / (A+B)",
      "DisProcessForm/VIPOK2 (V1*A) - B", "DisProcessForm/VIPOK3 SQRT(   SQ(V1*A - V2*B)",
      "DisProcessForm/VIPOK4 SQRT(   SQ(V1 - V2*A + V3*B)",
      "DisProcessForm/VIPOK5 V1*A + V2*B + V3*C + V4*D", "DisProcessForm/VIPOK6 SQRT(A+ V1)",
      "DisProcessForm/TCOKBtn 5. Press Me", "DisProcessForm/PCAOKBtn 3. Press Me"},
     {"*.p??", "*A0??.*", "*.dis"}},
    // A divide, then the main window's Save: the picture goes to its own file, not to a tile's
    // name.
    {{"DisProcessForm/CDPixelOK Divide, then Save"},
     {"*A0??.B?", "*.dis", "scene.*", "olinda.png", "olinda.bmp", "olinda.dip"}},
    // Image operations that log into the shown picture's DIP.
    {{"HistogramForm/Button1 Halley Input",
      "HistogramForm/Button2 Agricultural Asteroids",
      "HistogramForm/Button3 Classed Europa",
      "HistogramForm/Button4 Dodo Class",
      "HistogramForm/Button5 Classy",
      "HistogramForm/Button6 Do Dodo",
      "HistogramForm/Button7 Tone of RGB",
      "HistogramForm/Button8 Slice (1..18..36..42)",
      "HistogramForm/Button9 Set Slice",
      "HistogramForm/Button10 Slice",
      "HistogramForm/Button11 Set OSI lice (1..36)",
      "HistogramForm/Button12 Set and Slice(1..18)",
      "HistogramForm/Button13 I Slice",
      "HistogramForm/H_SCDisplayBtn Display Selected SC",
      "HistogramForm/H_SOHOBtn Display SCO",
      "LinearForm/ContourIntervalBtn Contour Interval",
      "LinearForm/ContourRGBBtn Wide Contours",
      "LinearForm/EdgeFlowBtn Edge Flow",
      "LinearForm/RGBContoursBtn RGB Contours",
      "LinearForm/RedEdgeFollowerBtn Edge Follower",
      "ClassificationForm/CUProcessBtn OK",
      "PixelAlgebraForm/PAPODOBtn Execute",
      "PixelAlgebraForm/PARBtn Execute",
      "PixelAlgebraForm/PA_RatiosBtn Process Ratio",
      "PixelAlgebraForm/PMultiplyBtn Execute",
      "FEditForm/FERE_Close Close",
      "FEditForm/FERE_IRTopHat IR Top Hat",
      "FEditForm/FERE_LowRange Low Range",
      "FEditForm/FERE_Max Max",
      "FEditForm/FERE_Median Median",
      "FEditForm/FERE_Min Min",
      "FEditForm/FERE_Open Open",
      "FEditForm/FERE_Range Range",
      "FEditForm/FERE_RollingBall Rolling Ball",
      "FEditForm/FERE_TopHat Top Hat",
      "FEditForm/FERE_Variance Variance"},
     {"*.dip"}},
};

// Saves of a new file of their own kind, named by the user alone: a corrected band, a kernel in
// the kernels' folder, a colour table.
const std::set<std::string> MakesItsOwnFile = {"DisProcessForm/SaveAsBtn Save as",
                                               "FEditForm/SaveBtn Save",
                                               "PixelAlgebraForm/PACSaveColorBins "};

bool Matches(const std::vector<const char*>& patterns, const std::string& name) {
    for (const char* p : patterns)
        if (fnmatch(p, name.c_str(), FNM_CASEFOLD | FNM_PATHNAME) == 0) return true;
    return false;
}

std::string Joined(const std::set<std::string>& names) {
    std::string text;
    for (const std::string& n : names)
        text += " " + n;
    return text;
}

TEST_F(WrittenFiles, EveryCommandWritesOnlyTheFilesItReadOrWasGiven) {
    const DialogCloser closer;
    MoveWorkingFolderToB();
    std::map<std::string, const Writers*> table;
    for (const Writers& w : WriterTable)
        for (const char* command : w.Commands)
            table[command] = &w;
    std::set<std::string> wrote;
    std::vector<std::string> named;
    std::string name;
    Hooks.ChooseFile = [&](FileDialogRequest& r) {
        // A save proposes its file in the file's own folder: a bare name would be the working
        // folder's file of that name, and no name leaves the dialog there. Only a page that holds
        // no file, and a save that makes a new file of its own kind, have nothing to propose.
        if (r.Save && !name.ends_with(", no file") && !MakesItsOwnFile.count(name))
            EXPECT_TRUE(!ExtractFilePath(r.FileName).empty() &&
                        ExtractFilePath(r.FileName) != B.Path())
                << name << " proposes " << r.FileName;
        const bool header = r.Filter.rfind("Header file (DDR", 0) == 0;
        const std::string answer = header ? AnswerIn(H.Path(), r) : AnswerInA(r);
        if (r.Save) named.push_back(ExtractFileName(answer));
        return answer;
    };
    // Every file a command asks to replace is let go: the walk checks where each command writes,
    // and a file written only after a question must lie among its files too.
    const auto recorded = Hooks.ShowMessage;
    Hooks.ShowMessage = [&](MsgKind kind, const std::string& text, int x, int y) {
        if (kind == MsgKind::Confirmation &&
            text.find("Do you want to replace") != std::string::npos)
            Rec->MessageAnswers.push_front(MsgButton::Yes);
        return recorded(kind, text, x, y);
    };
    std::vector<Command> commands = EveryCommand(Form, ToolWindowsOf(Form));
    // A header page that never held a file, a name typed in; the band window launched on the DIS
    // the import window chose.
    const auto onPage = [](const std::function<void()>& type, QPushButton* TPBands::*save) {
        return [type, save] {
            const THeaderPages kept = HeaderPages;
            HeaderPages = THeaderPages();
            type();
            PBands->ShowHeaderPages();
            (PBands->*save)->click();
            HeaderPages = kept;
            PBands->ShowHeaderPages();
        };
    };
    const auto always = [] { return true; };
    commands.push_back({"PBands/RIHSaveBtn Save, no file", always,
                        onPage([] { HeaderPages[DIHField::RIHHeaderFileEdit] = "olinda.dih"; },
                               &TPBands::RIHSaveBtn)});
    commands.push_back(
        {"PBands/DISFileSave Save, no file", always,
         onPage([] { HeaderPages.DISFileEdit = "olinda.dis"; }, &TPBands::DISFileSave)});
    commands.push_back({"PBands/PreProcessDISBandsBtn Launch, then band algebra", always, [this] {
                            PBands->DISFileOpen->click();
                            // Another window moves the working folder before the launch.
                            ImageDirectory = B.Path();
                            PBands->PreProcessDISBandsBtn->click();
                            TDisMBFAPage* fa = DisProcessForm->MBFAPage;
                            fa->MBFAFileBtns[3]->click();
                            fa->MBFAFileBtns[2]->click();
                            fa->MBFAFileEdit->setText("alg2");
                            fa->MBFAOKBtn->click();
                        }});
    commands.push_back(
        {"DisProcessForm/CDPixelOK Divide, then Save", always, [this] {
             TDisDividePage* cd = DisProcessForm->DividePage;
             std::vector<std::string> answers = {A.File("olinda.dis"), A.File("olinda.B4")};
             const auto walk =
                 std::exchange(Hooks.ChooseFile, [&](FileDialogRequest&) { return answers[0]; });
             for (QPushButton* b : {cd->CDDISFile, cd->CDivideFile}) {
                 b->click();
                 answers.erase(answers.begin());
             }
             Hooks.ChooseFile = walk;
             cd->FilesRG->button(0)->click();
             const std::string shown = CurrentImageFolder + CurrentImageName;
             cd->CDPixelOK->click();
             std::filesystem::remove(shown);
             Form->F_SaveClick();
             EXPECT_TRUE(FileExists(shown)) << shown << " was not saved";
         }});
    // Twice: what the first round chose (bands, sites, kernels) lets the second one's runs write.
    for (int round = 0; round < 2; ++round)
        for (const Command& c : commands) {
            if (!c.Enabled()) continue;
            name = c.Name.toStdString();
            const auto row = table.find(name);
            // B holds a file of every name in A, and of every name the command may write.
            for (const auto& [file, stamp] : Stamps(A.Path()))
                if (!FileExists(B.File(file)))
                    WriteFileAtomic(B.File(file), "B's own " + file,
                                    TReplaceLeave::Chosen(B.File(file)));
            const Folder b = FolderBytes(B.Path());
            const std::map<std::string, Stamp> a = Stamps(A.Path()), h = Stamps(H.Path());
            ImageDirectory = B.Path();
            named.clear();
            // The import window's commands save the scene's DIS after the band window read it: a
            // band run's one question about it is answered Yes, as by the user who runs it.
            if (name.rfind("DisProcessForm/", 0) == 0) Rec->MessageAnswers = {MsgButton::Yes};
            // The radar reduction reads two bytes a sample, which the scene's source holds; the
            // other runs of the page read a band of the scene's size.
            std::string& band = DisProcessForm->Scene.BandFiles[0];
            const std::string chosen = band;
            const bool radar = name.rfind("DisProcessForm/RadarDeRez16OKBtn", 0) == 0;
            if (radar) band = A.File("olinda.bsq");
            c.Run();
            if (radar) band = chosen;
            Rec->MessageAnswers.clear();
            EXPECT_TRUE(FolderBytes(B.Path()) == b) << name << " wrote into the working folder";
            std::set<std::string> written;
            for (const auto& [file, stamp] : Stamps(A.Path()))
                if (!a.count(file) || a.at(file) != stamp) written.insert(file);
            for (const auto& [file, stamp] : Stamps(H.Path()))
                if (!h.count(file) || h.at(file) != stamp) written.insert("h/" + file);
            if (row == table.end()) {
                EXPECT_TRUE(written.empty())
                    << name << " writes" << Joined(written) << " but is missing from the table";
                continue;
            }
            if (!written.empty()) wrote.insert(name);
            // The file a save dialog was answered with is the one written.
            for (const std::string& file : named)
                EXPECT_TRUE(written.count(file)) << name << " did not write " << file;
            for (const std::string& file : written)
                EXPECT_TRUE(Matches(row->second->Files, file) ||
                            std::find(named.begin(), named.end(), file) != named.end())
                    << name << " wrote " << file;
        }
    for (const auto& [command, row] : table)
        EXPECT_TRUE(wrote.count(command)) << command << " wrote nothing";
}

// A window writes its copy over a file only while the file is as the window read or last wrote
// it; a file another window (or program, or scene) holds under that name is replaced only when
// the user says so, asked once, naming it. Each row: what the window reads, what changes the file
// meanwhile, and the write; the question is answered No and the file stays as the change left it.
TEST_F(WrittenFiles, AFileChangedSinceItWasReadIsReplacedOnlyWhenTheUserSaysSo) {
    TDisMBFAPage* fa = DisProcessForm->MBFAPage;
    TBandSplitPages* split = PBands->SplitPages;
    std::deque<std::string> answers;
    AnswerFrom(answers);
    const auto faRun = [fa](const char* name) {
        fa->MBFAFileBtns[3]->click();
        fa->MBFAFileBtns[2]->click();
        fa->MBFAFileEdit->setText(name);
        fa->MBFAOKBtn->click();
    };
    const auto launch = [] {
        PBands->DISFileOpen->click();
        PBands->PreProcessDISBandsBtn->click();
    };
    const struct {
        const char* Name;
        std::function<void()> Read, Change, Write;
        const char* File;
        // Files the declined write makes none of either.
        std::vector<const char*> NotMade = {};
    } rows[] = {
        {"a crop whose new DIS name is another scene's", [] {},
         [this] {
             WriteFileAtomic(A.File("sqr.dis"), std::string("the sqr scene's DIS\r\n"),
                             TReplaceLeave::Chosen(A.File("sqr.dis")));
         },
         [&] {
             answers = {A.File("olinda.dih")};
             split->BSQDIHtoDISFileBtn->click();
             split->BSQBandEdit->setText("sqr");
             split->BSQOKBtn->click();
         },
         "sqr.dis"},
        {"the DIS page's Save after the band window's run added its record", launch,
         [&] { faRun("alg6"); }, [] { PBands->DISFileSave->click(); }, "olinda.dis"},
        {"the band window's run after the DIS page's Save added a line", launch,
         [] {
             HeaderPages.DISProcessMemo.push_back("a note typed on the DIS page");
             PBands->DISFileSave->click();
         },
         [&] { faRun("alg7"); }, "olinda.dis"},
        {"the DIH page's Save after another program wrote the DIH",
         [&] {
             answers = {A.File("olinda.dih")};
             PBands->RIHOpenBtn->click();
         },
         [this] {
             WriteFileAtomic(A.File("olinda.dih"), std::string("DIH 1.1\r\nnewer\r\n"),
                             TReplaceLeave::Chosen(A.File("olinda.dih")));
         },
         [] { PBands->RIHSaveBtn->click(); }, "olinda.dih"},
        {"the splitter run again over a scene whose DIS holds a run's record", launch,
         [&] { faRun("alg8"); },
         [&] {
             split->VaguePixelsWideEdit->setText("349");
             split->VaguePixelsHighEdit->setText("352");
             split->VagueBandsEdit->setText("6");
             split->VagueSkipEdit->setText("0");
             answers = {A.File("olinda.bsq")};
             split->VagueFileBtn->click();
         },
         "olinda.dis"},
        {"a crop after another program rewrote the scene's DIH",
         [&] {
             // The scene's DIH as it was before the rows above.
             std::filesystem::copy_file(H.File("olinda.dih"), A.File("olinda.dih"),
                                        std::filesystem::copy_options::overwrite_existing);
             answers = {A.File("olinda.dih")};
             split->BSQDIHtoDISFileBtn->click();
         },
         [this] { std::ofstream(A.File("olinda.dih"), std::ios::app) << "\r\n"; },
         [&] {
             split->BSQBandEdit->setText("cut");
             split->BSQOKBtn->click();
         },
         "olinda.dih",
         {"cut.dis", "cut.B10"}},
        {"a band run whose product is new, after the DIS page's Save added a line",
         launch,
         [] {
             HeaderPages.DISProcessMemo.push_back("another note typed on the DIS page");
             PBands->DISFileSave->click();
         },
         [&] { faRun("alg5"); },
         "olinda.dis",
         {"alg5.pfd"}},
        {"the shown picture's log after another program added to it", [] {},
         [this] { std::ofstream(A.File("scene.dip"), std::ios::app) << "another program's\r\n"; },
         [] {
             HeaderPages.DIPMemo.push_back("an operation on the shown picture");
             Hooks.SaveHistoryLog();
         },
         "scene.dip"},
        {"the DIS->DIP page's picture after another program rewrote the DIS",
         [&] {
             TDisToDipPage* page = PBands->DisToDipPage;
             answers = {A.File("olinda.dis"), A.File("olinda.B1"), A.File("olinda.B2"),
                        A.File("olinda.B3")};
             for (QPushButton* b : {page->PBandHdrBtn, page->PBandFileBtn1, page->PBandFileBtn2,
                                    page->PBandFileBtn3})
                 b->click();
         },
         [this] { std::ofstream(A.File("olinda.dis"), std::ios::app) << "another program's\r\n"; },
         [] { PBands->DisToDipPage->PBOKBtn->click(); },
         "olinda.dis",
         {"olinda.png", "olinda.dip"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        row.Read();
        row.Change();
        const Folder changed = FolderBytes(A.Path());
        Rec->Clear();
        Rec->MessageAnswers = {MsgButton::No};
        row.Write();
        std::vector<std::string> questions;
        for (const ShownMessage& m : Rec->Messages)
            if (m.Kind == MsgKind::Confirmation) questions.push_back(m.Text);
        EXPECT_EQ(questions.size(), 1u) << Rec->Summary();
        if (!questions.empty())
            EXPECT_NE(questions[0].find(A.File(row.File)), std::string::npos) << questions[0];
        EXPECT_EQ(FolderBytes(A.Path()).at(row.File), changed.at(row.File));
        for (const char* file : row.NotMade)
            EXPECT_FALSE(FileExists(A.File(file))) << file;
    }
}

// A page acts on the scene it chose, as it is on disk, whatever another window opened or wrote
// between its read and its act. Each row: the page reads, another window changes the shown picture
// or the file, the page acts; then what the files hold, with no question asked and no message
// about a header. The picture's record used to go into the newly opened picture's DIS and the crop
// to refuse it as a crashed header, a relaunch to drop the band run's record, and the products of
// the runs after a Save as to land in that folder while the scene's DIS recorded them.
TEST_F(WrittenFiles, APageActsOnTheSceneItChoseAsItIsNow) {
    TempDir C;
    std::deque<std::string> answers;
    AnswerFrom(answers);
    TDisToDipPage* dip = PBands->DisToDipPage;
    TBandSplitPages* split = PBands->SplitPages;
    TDisMBFAPage* fa = DisProcessForm->MBFAPage;
    auto* his = static_cast<TDisHistogramPage*>(DisProcessForm->TabSheet1);
    // The main window opens a picture of another folder, which has no headers: they are made
    // for it and the import window's pages hold them.
    const auto openAnother = [&](const char* name) {
        return [this, &C, name] {
            std::filesystem::copy_file(A.File("scene.png"), C.File(name));
            ASSERT_TRUE(Form->LoadFromFile(C.File(name))) << Rec->Summary();
        };
    };
    const auto launch = [&] {
        answers = {A.File("olinda.dis")};
        PBands->DISFileOpen->click();
        PBands->PreProcessDISBandsBtn->click();
    };
    const auto faBands = [&] {
        answers = {A.File("olinda.B4"), A.File("olinda.B3")};
        fa->MBFAFileBtns[3]->click();
        fa->MBFAFileBtns[2]->click();
    };
    const auto faRun = [&](const char* name) {
        fa->MBFAFileEdit->setText(name);
        fa->MBFAOKBtn->click();
    };
    const struct {
        const char* Name;
        std::function<void()> Read, Change, Act;
        // Files that hold a text afterwards, and files that must not.
        std::vector<std::pair<std::string, std::string>> Holds, HoldsNot;
    } rows[] = {
        {"the DIS->DIP page's picture after the main window opened another",
         [&] {
             answers = {A.File("olinda.dis"), A.File("olinda.B4"), A.File("olinda.B3"),
                        A.File("olinda.B2")};
             for (QPushButton* b :
                  {dip->PBandHdrBtn, dip->PBandFileBtn1, dip->PBandFileBtn2, dip->PBandFileBtn3})
                 b->click();
         },
         openAnother("fresh.png"),
         [&] {
             PBands->BandFileSaveAs->setText("pic5");
             dip->PBOKBtn->click();
         },
         {{A.File("olinda.dis"), "pic5.dip"}, {A.File("pic5.png"), ""}},
         {{C.File("fresh.dis"), "pic5"}, {A.File("pic5.dip"), "fresh"}}},
        {"the XY crop after the main window opened another",
         [&] {
             answers = {A.File("olinda.dih")};
             split->BSQDIHtoDISFileBtn->click();
         },
         openAnother("fresh2.png"),
         [&] {
             split->BSQBandEdit->setText("xy5");
             split->BSQOKBtn->click();
         },
         {{A.File("xy5.dis"), "olinda.dih"}, {A.File("olinda.dih"), "xy5.dis"}},
         {{C.File("fresh2.dih"), "xy5"}}},
        {"a launch after the band window's run added its record",
         launch,
         [&] {
             faBands();
             faRun("alg3");
         },
         [] { PBands->PreProcessDISBandsBtn->click(); },
         {{A.File("olinda.dis"), "alg3.pfd"}},
         {}},
        {"a band run after the Histogram page saved a band elsewhere",
         [&] {
             launch();
             faBands();
         },
         [&] {
             answers = {A.File("olinda.B4")};
             his->HisBandFileBtn->click();
             answers = {C.File("stretched.B1")};
             his->SaveAsBtn->click();
         },
         [&] { faRun("r2"); },
         {{A.File("r2.pfd"), ""}, {A.File("olinda.dis"), "r2.pfd"}, {C.File("stretched.B1"), ""}},
         {{C.File("r2.pfd"), ""}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        row.Read();
        row.Change();
        Rec->Clear();
        row.Act();
        for (const ShownMessage& m : Rec->Messages)
            EXPECT_TRUE(m.Kind != MsgKind::Confirmation &&
                        m.Text.find("Header") == std::string::npos)
                << m.Text;
        for (const auto& [file, text] : row.Holds)
            EXPECT_TRUE(FileExists(file) && FileText(file).find(text) != std::string::npos)
                << file << " lacks " << text;
        for (const auto& [file, text] : row.HoldsNot)
            EXPECT_FALSE(FileExists(file) && FileText(file).find(text) != std::string::npos)
                << file << " holds " << text;
    }
}

// A name typed for a header, a product or a picture is a file name: with a folder part it is
// refused with a message, and nothing is written in the other folder or the scene's.
TEST_F(WrittenFiles, ANameWithAFolderPartIsRefused) {
    MoveWorkingFolderToB({"olinda.B10", "alg2.pfa", "m2.psa", "aero1.dis"});
    const std::string b = "../" + ExtractFileName(B.Path().substr(0, B.Path().size() - 1)) + "/";
    TBandSplitPages* split = PBands->SplitPages;
    TDisMBFAPage* fa = DisProcessForm->MBFAPage;
    const auto dipName = [](const std::string& name) {
        PBands->BandFileSaveAs->setText(QString::fromStdString(name));
        PBands->DisToDipPage->PBOKBtn->click();
    };
    const struct {
        const char* Name;
        std::string Typed;
        std::function<void(const std::string&)> Write;
    } rows[] = {
        {"DIS page Save", b + "olinda.dis",
         [](const std::string& name) {
             HeaderPages.DISFileEdit = name;
             PBands->DISFileSave->click();
         }},
        {"DIS page Save, full path", B.File("aero1.dis"),
         [](const std::string& name) {
             HeaderPages.DISFileEdit = name;
             PBands->DISFileSave->click();
         }},
        {"DIH page Save", b + "olinda.dih",
         [](const std::string& name) {
             HeaderPages[DIHField::RIHHeaderFileEdit] = name;
             PBands->RIHSaveBtn->click();
         }},
        {"crop's new DIS name", b + "olinda",
         [split](const std::string& name) {
             split->BSQBandEdit->setText(QString::fromStdString(name));
             split->BSQOKBtn->click();
         }},
        {"FA FileName", b + "alg2",
         [fa](const std::string& name) {
             fa->MBFAFileBtns[3]->click();
             fa->MBFAFileBtns[2]->click();
             fa->MBFAFileEdit->setText(QString::fromStdString(name));
             fa->MBFAOKBtn->click();
         }},
        {"Perform Math New File Name", b + "m2",
         [](const std::string& name) {
             DisProcessForm->SinglePage->BCNewFileEdit->setText(QString::fromStdString(name));
             DisProcessForm->SinglePage->SingleMathBtn->click();
         }},
        {"DIS->DIP picture name", b + "newpic", dipName},
        {"DIS->DIP picture name in a subfolder", "sub/pic", dipName},
    };
    // The crop's scene, chosen before: its preview is cached beside it.
    split->BSQDIHtoDISFileBtn->click();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        const Folder a = FolderBytes(A.Path()), inB = FolderBytes(B.Path());
        Rec->Clear();
        row.Write(row.Typed);
        EXPECT_EQ(Rec->Messages.size(), 1u) << Rec->Summary();
        EXPECT_TRUE(Rec->Summary().find(MessageText(39953) + "\r\n" + row.Typed) !=
                    std::string::npos)
            << Rec->Summary();
        EXPECT_TRUE(FolderBytes(B.Path()) == inB);
        for (const auto& [name, bytes] : FolderBytes(A.Path()))
            EXPECT_TRUE(a.count(name) && a.at(name) == bytes) << name;
    }
}

// The shown picture's files, and the files other windows and the options keep, are replaced
// or removed only while they are as the program read or last wrote them: changed meanwhile by
// another window or instance, never written by the window, or another picture's that shares the
// name, they are asked about once, naming the file, before anything is written. Answered No, the
// file stays as the change left it, so do the row's other files, and nothing says the write
// failed; where the row says so, the write is made again and answered Yes, and then it is
// written. A row that asks nothing leaves its file as it was.
TEST_F(WrittenFiles, AShownPictureFileChangedSinceItWasReadIsReplacedOnlyWhenTheUserSaysSo) {
    const bool logged = LogToDIP;
    std::deque<std::string> answers;
    Hooks.ChooseFile = [&](FileDialogRequest& r) {
        if (answers.empty()) return AnswerIn(A.Path(), r);
        const std::string answer = answers.front();
        answers.pop_front();
        return answer;
    };
    // Another copy of a file with one byte changed, as another window or instance would leave it.
    const auto changeByte = [](const std::string& path, size_t at) {
        std::vector<uint8_t> bytes = FileBytes(path);
        ASSERT_GT(bytes.size(), at);
        bytes[at] ^= 0x5A;
        ASSERT_TRUE(WriteFileAtomic(path, bytes, TReplaceLeave::Chosen(path)));
    };
    const auto loadScene = [this] {
        LogToDIP = true;
        ASSERT_TRUE(Form->LoadFromFile(A.File("scene.png"))) << Rec->Summary();
    };
    const auto withCounts = [&] {
        Hooks.LoadOrMakeHistogramFiles = LoadOrMakeHistogramFiles;
        loadScene();
    };
    // Another picture's files beside where a save goes: its log and counts under the same name.
    const auto another = [this](const std::string& picture, const std::string& picturesOwn) {
        const auto put = [](const std::string& path, const std::string& text) {
            ASSERT_TRUE(WriteFileAtomic(path, text, TReplaceLeave::Chosen(path)));
        };
        put(A.File(picture), picturesOwn);
        for (const char* companion : {"dip", "adc", "ads", "adt"})
            put(A.File(HistogramFileName(picture, companion)), picture + "'s own " + companion);
    };
    const auto nudgePixel = [] {
        uint32_t& p = DisplayedPicture.Pixels[0];
        p = 0xFF000000u | ((p + 0x010101u) & 0x00FFFFFFu);
    };
    const struct {
        const char* Name;
        std::function<void()> Read, Change, Write;
        std::string File;
        bool ThenYes = false;
        size_t Questions = 1;
        std::vector<std::string> Kept = {};
    } rows[] = {
        {"the main window's Save after the preprocess viewer saved over its picture", loadScene,
         [&] {
             answers = {A.File("scene.png")};
             REIVForm->F_OpenClick();
             REIVForm->PreprocessPicture.Pixels[0] ^= 0x00FFFFFF;
             REIVForm->F_SaveClick();
         },
         [this] { Form->F_SaveClick(); }, A.File("scene.png"), true},
        {"the picture's log, written with its Save, after another window logged into it",
         loadScene,
         [this] {
             const std::string log = A.File("scene.dip");
             ASSERT_TRUE(WriteFileAtomic(log, FileText(log) + "a step logged elsewhere\r\n",
                                         TReplaceLeave::Chosen(log)));
         },
         [this] { Form->F_SaveClick(); },
         A.File("scene.dip"),
         true,
         1,
         {A.File("scene.png")}},
        {"the picture's table of breaks after another instance saved its own",
         [&] {
             Hooks.LoadOrMakeHistogramFiles = LoadOrMakeHistogramFiles;
             loadScene();
         },
         [&] { changeByte(A.File("scene.ads"), 10); },
         [] { RunGuarded([] { HistogramForm->H_NB_SaveBtnClick(BandRed); }); },
         A.File("scene.ads")},
        {"the options after another instance saved them", [] { LoadOptions(); },
         [&] { changeByte(OptionsFilePath(), 600); }, [this] { Form->FormCloseQuery(); },
         OptionsFilePath(), true},
        {"the line profile's table over a file of that name it did not write",
         [] { LineProfileForm->StartProfile(); },
         [this] {
             ASSERT_TRUE(WriteFileAtomic(A.File("scene.txt"), std::string("the user's notes"),
                                         TReplaceLeave::Chosen(A.File("scene.txt"))));
         },
         [] { LineProfileForm->SaveButton->click(); }, A.File("scene.txt")},
        {"Save As a new BMP beside another picture's PNG, log and counts",
         loadScene,
         [&] { another("other.png", FileText(A.File("scene.png"))); },
         [&] {
             answers = {A.File("other.bmp")};
             Form->F__SaveasClick();
         },
         A.File("other.dip"),
         false,
         1,
         {A.File("other.bmp"), A.File("other.adc"), A.File("other.ads"), A.File("other.adt")}},
        {"the numbered save beside another numbered picture's BMP and counts",
         loadScene,
         [&] { another("sceneA001.bmp", "a BMP of its own"); },
         [this] { Form->SaveNumbered1Click(); },
         A.File("sceneA001.adc"),
         false,
         1,
         {A.File("sceneA001.png"), A.File("sceneA001.ads")}},
        {"the export as BMP under the name it proposes, beside the shown PNG's counts",
         withCounts,
         [] {},
         [this] { Form->FS_BMPClick(); },
         A.File("scene.adc"),
         false,
         1,
         {A.File("scene.bmp"), A.File("scene.ads")}},
        {"the export as JPG beside another picture's counts",
         loadScene,
         [&] { another("other.png", "a PNG of its own"); },
         [&] {
             answers = {A.File("other.jpg")};
             Form->FS_JPGClick();
         },
         A.File("other.adc"),
         false,
         0,
         {A.File("other.ads"), A.File("other.adt")}},
        {"the main window's Save of the same pixels after the user saved natural breaks",
         withCounts,
         [] { HistogramForm->H_NB_SaveBtnClick(BandRed); },
         [this] { Form->F_SaveClick(); },
         A.File("scene.ads"),
         false,
         0,
         {A.File("scene.adc")}},
        {"the main window's Save of new pixels after another instance wrote the colour cube",
         withCounts,
         [this] {
             ASSERT_TRUE(WriteFileAtomic(A.File("scene.rs3"),
                                         std::vector<uint8_t>(size_t(Count3DFileSize), 1),
                                         TReplaceLeave::Chosen(A.File("scene.rs3"))));
         },
         [&] {
             nudgePixel();
             Form->F_SaveClick();
         },
         A.File("scene.rs3"),
         true,
         1,
         {A.File("scene.png"), A.File("scene.adc")}},
        {"Ctrl+S after Save As to a new name, once another instance logged into its log",
         [&] {
             loadScene();
             LogToDIP = false;
             answers = {A.File("twin.png")};
             Form->F__SaveasClick();
         },
         [this] {
             ASSERT_TRUE(WriteFileAtomic(A.File("twin.dip"), std::string("another instance's\r\n"),
                                         TReplaceLeave::Chosen(A.File("twin.dip"))));
         },
         [this] {
             LogToDIP = true;
             Form->F_SaveClick();
         },
         A.File("twin.dip"),
         false,
         1,
         {A.File("twin.png")}},
        {"a macro's Save step over another file of the played name",
         loadScene,
         [&] { another("b.png", "a PNG of its own"); },
         [this] {
             PlayMacro(std::vector<std::string>{"=0002 Saveas", A.Path(), "b.png"});
         },
         A.File("b.png"),
         false,
         1,
         {A.File("b.adc")}},
        {"choosing the scene's DIH on the crop page beside another picture's counts",
         [this] { std::filesystem::remove(A.File("olinda.BMP")); },
         [&] { another("olinda.png", "a PNG of its own"); },
         [&] {
             answers = {A.File("olinda.dih")};
             PBands->SplitPages->BSQDIHtoDISFileBtn->click();
         },
         A.File("olinda.adc"),
         false,
         0,
         {A.File("olinda.ads"), A.File("olinda.adt")}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        row.Read();
        row.Change();
        const std::vector<uint8_t> changed = FileBytes(row.File);
        std::vector<TFileStamp> kept;
        for (const std::string& file : row.Kept)
            kept.push_back(StampFile(file));
        const auto asked = [&] {
            std::vector<std::string> questions;
            for (const ShownMessage& m : Rec->Messages)
                if (m.Kind == MsgKind::Confirmation) questions.push_back(m.Text);
            EXPECT_EQ(questions.size(), row.Questions) << Rec->Summary();
            if (!questions.empty())
                EXPECT_NE(questions[0].find(row.File), std::string::npos) << questions[0];
            // A kept file is no failure: nothing says so.
            EXPECT_TRUE(Rec->ErrorBoxes.empty()) << Rec->ErrorBoxes.front();
        };
        Rec->Clear();
        Rec->MessageAnswers = {MsgButton::No};
        row.Write();
        asked();
        EXPECT_EQ(FileBytes(row.File), changed);
        for (size_t k = 0; k < kept.size(); ++k)
            EXPECT_EQ(StampFile(row.Kept[k]), kept[k]) << row.Kept[k];
        if (!row.ThenYes) continue;
        Rec->Clear();
        Rec->MessageAnswers = {MsgButton::Yes};
        row.Write();
        asked();
        EXPECT_NE(FileBytes(row.File), changed);
    }
    LogToDIP = logged;
}

// Save As over a picture the user chose in the dialog takes the files kept beside it under its
// name along once the user lets them go: the dialog named the picture alone, so the log is asked
// about with it in one question before anything is written, and the log that follows the save
// replaces the old picture's without a second question.
TEST_F(WrittenFiles, APictureSavedOverAChosenOneTakesItsLogAlong) {
    const bool logged = LogToDIP;
    LogToDIP = true;
    std::filesystem::copy_file(A.File("scene.png"), A.File("other.png"));
    ASSERT_TRUE(WriteFileAtomic(A.File("other.dip"), std::string("the other picture's log\r\n"),
                                TReplaceLeave::Chosen(A.File("other.dip"))));
    Hooks.ChooseFile = [this](FileDialogRequest&) { return A.File("other.png"); };
    Rec->Clear();
    Rec->MessageAnswers = {MsgButton::Yes};
    Form->F__SaveasClick();
    std::vector<std::string> questions;
    for (const ShownMessage& m : Rec->Messages)
        if (m.Kind == MsgKind::Confirmation) questions.push_back(m.Text);
    ASSERT_EQ(questions.size(), 1u) << Rec->Summary();
    EXPECT_NE(questions[0].find(A.File("other.dip")), std::string::npos) << questions[0];
    EXPECT_EQ(CurrentImageName, "other.png");
    EXPECT_NE(FileText(A.File("other.dip")).find(CurrentImageName), std::string::npos)
        << FileText(A.File("other.dip"));
    // Saved as its own file again, new pixels and all, the picture's own log goes unasked.
    DisplayedPicture.Pixels[0] ^= 0x00FFFFFFu;
    Rec->Clear();
    Form->F__SaveasClick();
    for (const ShownMessage& m : Rec->Messages)
        EXPECT_NE(m.Kind, MsgKind::Confirmation) << m.Text;
    LogToDIP = logged;
}

// A header page that holds no file (cleared, or never read) asks where to save: the file the
// dialog names is written and no other, and a cancelled dialog writes nothing and keeps the
// page's name. After Clear the page used to write the typed name into the folder of the file it
// had held, over another scene's header.
TEST_F(WrittenFiles, AHeaderPageThatHoldsNoFileWritesOnlyWhereItsDialogSays) {
    WriteFileAtomic(H.File("olinda.dis"), std::string("H's own DIS\r\n"),
                    TReplaceLeave::Chosen(H.File("olinda.dis")));
    std::deque<std::string> answers;
    int dialogs = 0;
    Hooks.ChooseFile = [&](FileDialogRequest& r) {
        ++dialogs;
        const std::string answer = answers.empty() ? std::string() : answers.front();
        if (!answers.empty()) answers.pop_front();
        return answer;
    };
    const struct {
        const char* Name;
        QPushButton* Clear;
        std::string* Typed;
        QPushButton* Save;
        const char* Chosen;
    } rows[] = {
        {"->DIH page", PBands->RIHClearBtn, &HeaderPages[DIHField::RIHHeaderFileEdit],
         PBands->RIHSaveBtn, "chosen.dih"},
        {"DIS page", PBands->DISClear, &HeaderPages.DISFileEdit, PBands->DISFileSave, "chosen.dis"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        const std::string typed = ChangeFileExt("olinda", ExtractFileExt(row.Chosen));
        for (const bool cancel : {true, false}) {
            row.Clear->click();
            *row.Typed = typed;
            const Folder a = FolderBytes(A.Path()), h = FolderBytes(H.Path());
            dialogs = 0;
            answers = {cancel ? std::string() : H.File(row.Chosen)};
            row.Save->click();
            EXPECT_EQ(dialogs, 1);
            EXPECT_TRUE(FolderBytes(A.Path()) == a);
            EXPECT_EQ(FolderBytes(H.Path()).at(typed), h.at(typed));
            EXPECT_EQ(FileExists(H.File(row.Chosen)), !cancel);
            EXPECT_EQ(*row.Typed, cancel ? typed : std::string(row.Chosen));
        }
    }
}

// The band window's runs read only the bands its pages show: launched on the import window's DIS,
// its FA page shows Band 3 empty, and the run is refused as blank. It used to run against the band
// the import window's DIS->DIP page had chosen.
TEST_F(WrittenFiles, TheBandWindowRunsOnlyOnTheBandsItsPagesShow) {
    PBands->DISFileOpen->click();
    PBands->PreProcessDISBandsBtn->click();
    TDisMBFAPage* fa = DisProcessForm->MBFAPage;
    fa->MBFAFileBtns[3]->click();
    fa->MBFAFileEdit->setText("alg9");
    Rec->Clear();
    fa->MBFAOKBtn->click();
    EXPECT_TRUE(Rec->Shown(39993)) << Rec->Summary();
    EXPECT_FALSE(FileExists(A.File("alg9.pfa")));
}

// Combine joins the tiles the band window's own DIS lists, whatever the import window's DIS page
// holds: a launch from a page read before the band window's divide hands nothing over when the
// user keeps the divided DIS (it used to hand over the page's copy without the list, and Combine
// refused the tiles), and a page changed or cleared after a launch reaches nothing.
TEST_F(WrittenFiles, CombineJoinsTheTilesTheBandWindowsDISLists) {
    TDisDividePage* cd = DisProcessForm->DividePage;
    std::deque<std::string> answers;
    AnswerFrom(answers);
    PBands->DISFileOpen->click();
    answers = {A.File("olinda.B1")};
    cd->CDivideFile->click();
    cd->FilesRG->button(0)->click();
    cd->CDPixelOK->click();
    ASSERT_TRUE(FileExists(A.File("olindaA002.B1"))) << Rec->Summary();
    const struct {
        const char* Name;
        std::function<void()> BeforeLaunch, AfterLaunch;
    } rows[] = {
        {"the import page read before the divide, then cleared", [] {},
         [] { PBands->DISClear->click(); }},
        {"the import page read again, its list changed after the launch",
         [] { PBands->DISFileOpen->click(); },
         [] {
             HeaderPages.DISDividedMemo = {"olindaA001.B1", "7", "9", "olindaA002.B1", "7", "9"};
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        row.BeforeLaunch();
        PBands->PreProcessDISBandsBtn->click();
        row.AfterLaunch();
        PBands->ShowHeaderPages();
        answers = {A.File("olindaA001.B1"), A.File("olindaA002.B1")};
        cd->C2V1->click();
        cd->C2V2->click();
        cd->C2V1CB->setChecked(true);
        cd->CDCombineBtn->setEnabled(true);
        cd->CombinedFileEdit->setText("comb.B1");
        Rec->Clear();
        cd->CDCombineBtn->click();
        const std::string joined = A.File(cd->CombinedFileEdit->text().toStdString());
        EXPECT_EQ(FileBytes(joined), FileBytes(A.File("olinda.B1"))) << Rec->Summary();
        std::filesystem::remove(joined);
    }
}

} // namespace
