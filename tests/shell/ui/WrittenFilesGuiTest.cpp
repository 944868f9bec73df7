// Every command that writes a file writes the file it read or the one the user named, whatever
// folder another window has moved the working folder to since: one table lists every command of
// every window that writes, and a walk of every command checks that none is missing from it.
#include "bandproc/ui/vDisProFrm.h"
#include "bandproc/ui/vDisSinglePages.h"
#include "import/ui/vDisToDipPage.h"
#include "import/ui/vPBands.h"
#include "import/vDisPicture.h"
#include "import/vHeaderPages.h"
#include "runtime/RtFiles.h"
#include "shell/vToolModes.h"
#include "support/GuiStartup.h"
#include "support/GuiWindows.h"

#include <QLineEdit>
#include <QPushButton>

#include <filesystem>
#include <fnmatch.h>
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
        Hooks.ChooseFile = [this](FileDialogRequest& r) { return AnswerIn(A.Path(), r); };
        MakeWorkScenes(A.Path());
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
            ASSERT_TRUE(WriteFileAtomic(B.File(name), "B's own " + name));
        ImageDirectory = B.Path();
    }

    TempDir A, B;
};

// Every command of every window that writes a file, by the name the walk gives it, and the names
// of the files it may write besides the one a dialog named. A new writer joins here.
struct Writer {
    const char* Command;
    std::vector<const char*> Files;
};

// The shown picture's log, and its headers as a load makes them.
#define LOG "*.dip"
#define PICTURE "*.png", "*.bmp"
#define HEADERS "*.dih", "*.dis", LOG
const Writer Writers[] = {
    {"VORNForm/F_Open", {HEADERS}},
    {"VORNForm/ToolButton1", {HEADERS}},
    {"VORNForm/ Open", {HEADERS}},
    {"VORNForm/F_Save", {PICTURE, LOG}},
    {"VORNForm/SaveButton", {PICTURE, LOG}},
    {"VORNForm/ Save", {PICTURE, LOG}},
    {"VORNForm/F__Saveas", {LOG}},
    {"VORNForm/SaveNumbered1", {"*A0??.*"}},
    {"VORNForm/FS_BMP", {}},
    {"VORNForm/FS_JPG", {}},
    {"FrInfo/DeleteChunk Save", {PICTURE}},
    {"REIVForm/F_Save", {PICTURE}},
    {"REIVForm/ Save", {PICTURE}},
    {"REIVForm/FS_PNG", {}},
    {"REIVForm/FS_BMP", {}},
    {"REIVForm/FS_JPG", {}},
    {"REIVForm/SaveButton", {PICTURE}},
    {"MacroForm/ Save", {}},
    {"ViewCursorScreen/VCSSaveBtn Save", {}},
    {"ViewCursorScreen/VCSPrintBtn Print", {}},
    {"kovMemoForm/ProLogMemoSaveBtn Save", {"*.log"}},
    {"ObjectMarkForm/SaveListBtn Save", {"*.rof"}},
    {"LabelObjectsForm/SaveListBtn Save", {"*.raf"}},
    {"LineProfileForm/SaveButton Save", {"*.txt"}},
    {"PBands/RIHOpenBtn Select Header File to Import", {"*.dih"}},
    {"PBands/RIHSaveBtn Save", {"*.dih"}},
    {"PBands/DISFileSave Save", {"*.dis"}},
    {"PBands/DISLabeledFileSave Labeled", {}},
    {"PBands/BSQDIHtoDISFileBtn 1. Select DIH", {"*.bmp"}},
    {"PBands/PBOKBtn 4. Press Button", {PICTURE, HEADERS}},
    {"DisProcessForm/SaveAsBtn Save as", {}},
    {"DisProcessForm/CDPixelOK Divide and auto# name", {"*A0??.*", "*.dis"}},
    {"DisProcessForm/SingleMathBtn Perform Math", {"*.ps?", "*.dis"}},
    {"DisProcessForm/RadarDeRez16OKBtn 4. Derez: 16 to 8 Bits", {"*.pz8", "*.dis"}},
    {"DisProcessForm/PixelSizerBtn Pixel Sizer", {"*.pps"}},
    {"DisProcessForm/MBFAOKBtn 4. Press Me", {"*.pf?", "*.dis"}},
    {"DisProcessForm/VIPOK1 (A-B) / (A+B)", {"*.pv1", "*.dis"}},
    {"DisProcessForm/VIPOK2 (V1*A) - B", {"*.pv2", "*.dis"}},
    {"DisProcessForm/VIPOK3 SQRT(   SQ(V1*A - V2*B)", {"*.pv3", "*.dis"}},
    {"DisProcessForm/VIPOK4 SQRT(   SQ(V1 - V2*A + V3*B)", {"*.pv4", "*.dis"}},
    {"DisProcessForm/VIPOK5 V1*A + V2*B + V3*C + V4*D", {"*.pv5", "*.dis"}},
    {"DisProcessForm/VIPOK6 SQRT(A+ V1)", {"*.pv6", "*.dis"}},
    {"DisProcessForm/SaveTCBtn Save .TC", {}},
    {"DisProcessForm/TCOKBtn 5. Press Me", {"*.pt?", "*.dis"}},
    {"DisProcessForm/PCAOKBtn 3. Press Me", {"*.pc?", "*.dis"}},
    {"HistogramForm/H_HRSaveBtn Save Red", {}},
    {"HistogramForm/H_HGSaveBtn Save Green", {}},
    {"HistogramForm/H_HBSaveBtn Save Blue", {}},
    {"HistogramForm/SCHSaveRedBtn Save Red", {}},
    {"HistogramForm/SCHSaveGreenBtn Save Green", {}},
    {"HistogramForm/SCHSaveBlueBtn Save Blue", {}},
    {"HistogramForm/H_NB_SaveImageBtn Save Image", {}},
    {"HistogramForm/H_NB_RSaveBtn not", {"*.ads"}},
    {"HistogramForm/H_NB_GSaveBtn not", {"*.ads"}},
    {"HistogramForm/H_NB_BSaveBtn not", {"*.ads"}},
    {"HistogramForm/H_H2DBtn3 Save Image", {}},
    {"HistogramForm/SaveH3DBtn Save Image", {}},
    {"HistogramForm/H_H3DSaveBtn Save", {"*.rs3"}},
    {"HistogramForm/Button1 Halley Input", {LOG}},
    {"HistogramForm/Button2 Agricultural Asteroids", {LOG}},
    {"HistogramForm/Button3 Classed Europa", {LOG}},
    {"HistogramForm/Button4 Dodo Class", {LOG}},
    {"HistogramForm/Button5 Classy", {LOG}},
    {"HistogramForm/Button6 Do Dodo", {LOG}},
    {"HistogramForm/Button7 Tone of RGB", {LOG}},
    {"HistogramForm/Button8 Slice (1..18..36..42)", {LOG}},
    {"HistogramForm/Button9 Set Slice", {LOG}},
    {"HistogramForm/Button10 Slice", {LOG}},
    {"HistogramForm/Button11 Set OSI lice (1..36)", {LOG}},
    {"HistogramForm/Button12 Set and Slice(1..18)", {LOG}},
    {"HistogramForm/Button13 I Slice", {LOG}},
    {"HistogramForm/H_SCDisplayBtn Display Selected SC", {LOG}},
    {"HistogramForm/H_SOHOBtn Display SCO", {LOG}},
    {"LinearForm/ContourIntervalBtn Contour Interval", {LOG}},
    {"LinearForm/ContourRGBBtn Wide Contours", {LOG}},
    {"LinearForm/EdgeFlowBtn Edge Flow", {LOG}},
    {"LinearForm/RGBContoursBtn RGB Contours", {LOG}},
    {"LinearForm/RedEdgeFollowerBtn Edge Follower", {LOG}},
    {"ClassificationForm/CCFileSave Save", {}},
    {"ClassificationForm/CUSaveSites Save", {}},
    {"ClassificationForm/PBoxSaveBtn Save", {}},
    {"ClassificationForm/CUProcessBtn OK", {LOG}},
    {"PixelAlgebraForm/PACSaveColorBins ", {}},
    {"PixelAlgebraForm/PAPODOBtn Execute", {LOG}},
    {"PixelAlgebraForm/PARBtn Execute", {LOG}},
    {"PixelAlgebraForm/PA_RatiosBtn Process Ratio", {LOG}},
    {"PixelAlgebraForm/PMultiplyBtn Execute", {LOG}},
    {"FEditForm/SaveBtn Save", {}},
    {"FEditForm/FERE_Close Close", {LOG}},
    {"FEditForm/FERE_IRTopHat IR Top Hat", {LOG}},
    {"FEditForm/FERE_LowRange Low Range", {LOG}},
    {"FEditForm/FERE_Max Max", {LOG}},
    {"FEditForm/FERE_Median Median", {LOG}},
    {"FEditForm/FERE_Min Min", {LOG}},
    {"FEditForm/FERE_Open Open", {LOG}},
    {"FEditForm/FERE_Range Range", {LOG}},
    {"FEditForm/FERE_RollingBall Rolling Ball", {LOG}},
    {"FEditForm/FERE_TopHat Top Hat", {LOG}},
    {"FEditForm/FERE_Variance Variance", {LOG}},
};
#undef HEADERS
#undef PICTURE
#undef LOG

bool Matches(const std::vector<const char*>& patterns, const std::string& name) {
    for (const char* p : patterns)
        if (fnmatch(p, name.c_str(), FNM_CASEFOLD) == 0) return true;
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
    std::map<std::string, const Writer*> table;
    for (const Writer& w : Writers)
        table[w.Command] = &w;
    std::set<std::string> wrote;
    std::vector<std::string> named;
    Hooks.ChooseFile = [&](FileDialogRequest& r) {
        const std::string answer = AnswerIn(A.Path(), r);
        if (r.Save) named.push_back(ExtractFileName(answer));
        return answer;
    };
    const std::vector<Command> commands = EveryCommand(Form, ToolWindowsOf(Form));
    // Twice: what the first round chose (bands, sites, kernels) lets the second one's runs write.
    for (int round = 0; round < 2; ++round)
        for (const Command& c : commands) {
            if (!c.Enabled()) continue;
            const std::string name = c.Name.toStdString();
            const auto row = table.find(name);
            // B holds a file of every name in A, and of every name the command may write.
            for (const auto& [file, stamp] : Stamps(A.Path()))
                if (!FileExists(B.File(file))) WriteFileAtomic(B.File(file), "B's own " + file);
            const Folder b = FolderBytes(B.Path());
            const std::map<std::string, Stamp> a = Stamps(A.Path());
            ImageDirectory = B.Path();
            named.clear();
            c.Run();
            EXPECT_TRUE(FolderBytes(B.Path()) == b) << name << " wrote into the working folder";
            std::set<std::string> written;
            for (const auto& [file, stamp] : Stamps(A.Path()))
                if (!a.count(file) || a.at(file) != stamp) written.insert(file);
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
    for (const Writer& w : Writers)
        EXPECT_TRUE(wrote.count(w.Command)) << w.Command << " wrote nothing";
}

} // namespace
