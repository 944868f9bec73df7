#include "histogram/vUHistoCC.h"
#include "import/HeaderFixture.h"
#include "runtime/RtErrors.h"

namespace {

using D = DISField;
using Lines = std::vector<std::string>;

class DISFile : public HeaderTest {
  protected:
    std::string Write(const Lines& lines) {
        const std::string path = Dir.File("in.dis");
        WriteFileAtomic(path, JoinLinesCRLF(lines), TReplaceLeave::Chosen(path));
        return path;
    }
};

TEST_F(DISFile, GoldenFilesReadAndWriteBackByteForByte) {
    for (const char* golden : {"empty.dis", "lists.dis"}) {
        for (int cycle = 0; cycle < 2; ++cycle) {
            const std::string copy = std::string("copy-") + golden;
            P.OpenDISHeader(cycle == 0 ? GoldenHeader(golden) : Dir.File(copy));
            P.DISFileEdit = copy;
            P.DISSaveIt();
            EXPECT_EQ(FileText(Dir.File(copy)), FileText(GoldenHeader(golden))) << golden;
        }
    }
    EXPECT_EQ(P.DISDividedMemo, (Lines{"olinda_a.B1", "olinda_a.B2"}));
    EXPECT_EQ(P.DISProcessMemo, (Lines{"Image Dis Pre Process:"}));
    EXPECT_EQ(P.DISDIPMemo, (Lines{"DIP 1.1", "olinda.dih", "olinda_a.dis"}));
    EXPECT_EQ(P[D::DISNCoFile], "north.dis");
    EXPECT_EQ(P[D::DISNECoFile], "northeast.dis");
    EXPECT_TRUE(P.Checked(D::DISOverlappedCB));
    EXPECT_FALSE(P.Checked(D::DISStereoCB));
    EXPECT_TRUE(Rec.Messages.empty()) << Rec.Summary();
}

TEST_F(DISFile, ResetPageWritesEmptyNamesAndBounds) {
    P.OpenDISHeader(GoldenHeader("lists.dis"));
    P.DIHRegMemo = {"a registration note"};
    P.ClearDIS();
    P.DISFileEdit = "scene.dis";
    // A cleared page holds no file: the save asks where to put it.
    Rec.FileAnswers = {Dir.File("scene.dis")};
    P.DISSaveIt();
    ASSERT_EQ(Rec.FileRequests.size(), 1u);
    Lines want = FileLines(GoldenHeader("empty.dis"));
    for (size_t i = 1; i < 9; ++i)
        want[i].clear();
    EXPECT_EQ(FileLines(Dir.File("scene.dis")), want);
    EXPECT_TRUE(P.DIHRegMemo.empty());
}

TEST_F(DISFile, EmptySizesAreMadeFromTheirBounds) {
    Lines file = FileLines(GoldenHeader("lists.dis"));
    file[5] = file[8] = "";
    P.OpenDISHeader(Write(file));
    EXPECT_EQ(P[D::DISSubsetWidth], "640");
    EXPECT_EQ(P[D::DISSubsetHeight], "480");

    // Bounds that are no whole numbers stop the read and leave the pages as they were.
    P[D::DISSubsetTop] = "old";
    file[3] = "1.5";
    EXPECT_FALSE(RunGuarded([&] { P.OpenDISHeader(Write(file)); }));
    EXPECT_EQ(Rec.ErrorBoxes, Lines{"'1.5' is not a valid integer value"});
    EXPECT_EQ(P[D::DISSubsetLeft], "1");
    EXPECT_EQ(P[D::DISSubsetTop], "old");

    Rec.Clear();
    EXPECT_FALSE(RunGuarded([&] { P.OpenDISHeader(Write({"DIS 1.1", "a.dih", "a.dis"})); }));
    EXPECT_EQ(Rec.ErrorBoxes, Lines{"'' is not a valid integer value"});
}

TEST_F(DISFile, ListsSplitAtTheirKeywordsOnly) {
    const struct {
        Lines tail; // from line 38 on
        Lines divided, process, dip;
    } cases[] = {
        {{"Divided", "a.B1", "DIP", "b.B1"}, {"a.B1", "DIP", "b.B1"}, {}, {}},
        {{"anything", "a.B1", "Process", "p", "Process", "DIP", "Process", "DIP"},
         {"a.B1"},
         {"p", "Process"},
         {"Process", "DIP"}},
        {{}, {}, {}, {}},
    };
    for (const auto& c : cases) {
        Lines file = FileLines(GoldenHeader("lists.dis"));
        file.resize(37);
        file.insert(file.end(), c.tail.begin(), c.tail.end());
        P.OpenDISHeader(Write(file));
        EXPECT_EQ(P.DISDividedMemo, c.divided);
        EXPECT_EQ(P.DISProcessMemo, c.process);
        EXPECT_EQ(P.DISDIPMemo, c.dip);
    }
}

TEST_F(DISFile, AnyFirstLineIsShownAndTheVersionWritten) {
    Lines file = FileLines(GoldenHeader("lists.dis"));
    file[0] = "DIS 9.9";
    P.OpenDISHeader(Write(file));
    EXPECT_EQ(P[D::DISSubsetID], "DIS 9.9");
    P.DISFileEdit = "out.dis";
    P.DISSaveIt();
    EXPECT_EQ(FileText(Dir.File("out.dis")), FileText(GoldenHeader("lists.dis")));
    EXPECT_TRUE(Rec.Messages.empty()) << Rec.Summary();
}

// The name is a file name in the page's folder: a folder part is refused (39953) and nothing is
// written; the page used to write "../B/olinda.dis" or a full path over another folder's file.
TEST_F(DISFile, NamesResolveAgainstThePagesFolder) {
    MakeDirectories(Dir.File("sub/"));
    const struct {
        std::string name;
        std::string written; // empty: refused with `refusal`
        int refusal;
    } cases[] = {
        {"scene.DIS", Dir.File("scene.DIS"), 0},
        {"sub/part.dis", "", 39953},
        {"../part.dis", "", 39953},
        {Dir.File("sub/full.dis"), "", 39953},
        {"scene.dat", "", 39997},
        {"", "", 39997},
    };
    for (const auto& c : cases) {
        Rec.Clear();
        P.DISFileEdit = c.name;
        EXPECT_EQ(P.DISSaveIt(), !c.written.empty()) << c.name;
        if (c.refusal) {
            ASSERT_EQ(Rec.Messages.size(), 1u) << c.name;
            EXPECT_TRUE(Rec.Messages[0].Text.starts_with(MessageText(c.refusal))) << c.name;
        } else {
            EXPECT_EQ(FileLines(c.written).size(), 40u) << c.name;
        }
    }
    EXPECT_TRUE(FolderBytes(Dir.File("sub/")).empty());
    EXPECT_FALSE(FileExists(Dir.File("../part.dis")));
    EXPECT_FALSE(FileExists("scene.DIS")); // nothing in the process's folder
}

TEST_F(DISFile, UnreadableFileShows39998AndChangesNothing) {
    P.OpenDISHeader(GoldenHeader("lists.dis"));
    P.OpenDISHeader(Dir.File("missing.dis"));
    EXPECT_TRUE(Rec.Shown(39998));
    EXPECT_EQ(P[D::DISSubsetDIH], "olinda.dih");
    EXPECT_EQ(P.DISDividedMemo.size(), 2u);
}

TEST_F(DISFile, ChoosingADISReadsItAndMovesTheImageDirectory) {
    MakeDirectories(Dir.File("scenes/"));
    WriteFileAtomic(Dir.File("scenes/lists.dis"), FileText(GoldenHeader("lists.dis")),
                    TReplaceLeave::Chosen(Dir.File("scenes/lists.dis")));
    Rec.FileAnswers = {Dir.File("scenes/notes.dat"), "", Dir.File("scenes/lists.dis")};
    EXPECT_FALSE(P.DISFileOpenClick());
    EXPECT_FALSE(P.DISFileOpenClick());
    EXPECT_FALSE(DISLoaded);
    EXPECT_EQ(ImageDirectory, Dir.Path());
    EXPECT_TRUE(P.DISFileOpenClick());
    EXPECT_TRUE(DISLoaded);
    EXPECT_EQ(P.DISFileEdit, "lists.dis");
    EXPECT_EQ(ImageDirectory, Dir.File("scenes/"));
    EXPECT_EQ(P[D::DISSubsetDIS], "olinda_a.dis");
    EXPECT_EQ(Rec.FileRequests[0].Filter, "DIS Header file (DIS)|*.DIS");
}

// A DIS that is not read disarms the page, whatever was chosen before: Pre-process would
// otherwise save the pages over the refused file, and a read stopped half-way must not leave a
// mixture of two headers in them.
TEST_F(DISFile, ADISThatIsNotReadLeavesThePagesAndIsNeverSavedOver) {
    Lines bad = FileLines(GoldenHeader("lists.dis"));
    bad[static_cast<size_t>(D::DISSubsetDIH)] = "other.dih";
    bad[static_cast<size_t>(D::DISSubsetRight)] = "12x";
    bad[static_cast<size_t>(D::DISSubsetWidth)] = "";
    const std::string stopped = Write(bad);
    const std::string folder = Dir.File("gone/");
    MakeDirectories(folder);
    for (const std::string& refused : {stopped, folder}) {
        SCOPED_TRACE(refused);
        const std::string before = FileText(stopped);
        Rec.FileAnswers = {GoldenHeader("lists.dis")};
        ASSERT_TRUE(P.DISFileOpenClick());
        const Lines shownDivided = P.DISDividedMemo;
        Rec.FileAnswers = {refused + (refused == folder ? "x.dis" : "")};
        if (refused == stopped)
            EXPECT_THROW(P.DISFileOpenClick(), EConvertError);
        else
            EXPECT_FALSE(P.DISFileOpenClick());
        EXPECT_FALSE(DISLoaded);
        EXPECT_EQ(P[D::DISSubsetDIH], "olinda.dih");
        EXPECT_EQ(P.DISDividedMemo, shownDivided);
        EXPECT_FALSE(P.PreProcessDISBands());
        EXPECT_TRUE(Rec.Shown(39993));
        EXPECT_EQ(FileText(stopped), before);
    }
}

TEST_F(DISFile, PreProcessorLogsTheDISOnlyWhenOneWasChosen) {
    P.OpenDISHeader(GoldenHeader("lists.dis"));
    P.NameDIS(Dir.File("lists.dis"));
    EXPECT_FALSE(P.PreProcessDISBands());
    EXPECT_TRUE(Rec.Shown(39993));
    EXPECT_FALSE(FileExists(Dir.File("lists.dis")));

    DISLoaded = true;
    // The record names the DIS's folder, not the one the dialogs open in.
    ImageDirectory = "/elsewhere/";
    EXPECT_TRUE(P.PreProcessDISBands());
    const Lines saved = FileLines(Dir.File("lists.dis"));
    const Lines tail(saved.end() - 8, saved.end());
    EXPECT_EQ(tail, (Lines{"Image Dis Pre Process:", "Image Dis Pre Process:", "lists.dis",
                           Dir.Path(), "DIP", "DIP 1.1", "olinda.dih", "olinda_a.dis"}));
}

// The eight neighbours clockwise from north, on the DIH page and on the DIS page.
TEST_F(DISFile, CoFileButtonsPutTheChosenPathIntoTheirOwnBox) {
    using F = DIHField;
    const F dih[] = {F::RIHNCoFileEdit, F::RIHNECoFileEdit, F::RIHECoFileEdit, F::RIHSECoFileEdit,
                     F::RIHSCoFileEdit, F::RIHSWCoFileEdit, F::RIHWCoFileEdit, F::RIHNWCoFileEdit};
    const D dis[] = {D::DISNCoFile, D::DISNECoFile, D::DISECoFile, D::DISSECoFile,
                     D::DISSCoFile, D::DISSWCoFile, D::DISWCoFile, D::DISNWCoFile};
    for (int d = 0; d < 8; ++d) {
        const std::string path = "/scenes/co" + std::to_string(d);
        Rec.FileAnswers = {path + ".DIH", path + ".dis"};
        EXPECT_TRUE(P.RIHChooseCoFile(d) && P.DISChooseCoFile(d));
        EXPECT_EQ(P[dih[d]] + " " + P[dis[d]], path + ".DIH " + path + ".dis");
    }
    EXPECT_FALSE(P.RIHChooseCoFile(0) || P.DISChooseCoFile(0)); // cancelled: the boxes keep theirs
    EXPECT_EQ(P[F::RIHNCoFileEdit] + " " + P[D::DISNCoFile], "/scenes/co0.DIH /scenes/co0.dis");
    EXPECT_EQ(Rec.FileRequests[0].Filter, "Adjacent image file|*.BN?;*.DDR;*.IDX;*.DIH");
    EXPECT_EQ(Rec.FileRequests[0].InitialDir, Dir.Path());
    EXPECT_EQ(Rec.FileRequests[1].Filter, "Adjacent image file|*.BN?;*.DAT;*.DIS;*.DIH");
}

// A header, log or table of breaks that cannot be written says so once, naming the file and the
// reason.
TEST_F(DISFile, SaveFailuresNameTheFileAndTheReasonAndLeaveNoFile) {
    const std::string folder = Dir.File("no such folder/");
    HeaderPages.DIHFolder = HeaderPages.DISFolder = folder;
    SetImageName(folder, "x.png");
    const struct {
        void (*save)();
        const char* File;
    } cases[] = {
        {[] {
             HeaderPages[DIHField::RIHHeaderFileEdit] = "x.dih";
             HeaderPages.RIHSaveIt();
         },
         "x.dih"},
        {[] {
             HeaderPages.DISFileEdit = "x.dis";
             HeaderPages.DISSaveIt();
         },
         "x.dis"},
        {[] { HeaderPages.DIPSaveIt(); }, "x.dip"},
        // The natural breaks saved at the user's word: the save used to fail without a word.
        {[] { RunGuarded(SaveSeedFileOrRaise); }, "x.ads"},
    };
    for (const auto& c : cases) {
        Rec.Clear();
        c.save();
        EXPECT_EQ(Rec.ErrorBoxes, std::vector<std::string>{"Path not found\r\n" + folder + c.File})
            << c.File;
        EXPECT_TRUE(Rec.Messages.empty()) << Rec.Summary();
    }
    EXPECT_FALSE(DirectoryExists(folder));
}

} // namespace
