#include "import/HeaderFixture.h"
#include "platform/PlDateTime.h"

#include <ctime>

namespace {

using Lines = std::vector<std::string>;

class HeaderLoad : public HeaderTest {
  protected:
    // A golden's lines with some replaced (1-based) and some appended.
    static Lines Golden(const std::string& name, const std::vector<std::pair<int, std::string>>& at,
                        const Lines& more = {}) {
        Lines lines = FileLines(GoldenHeader(name));
        for (const auto& [line, text] : at)
            lines[static_cast<size_t>(line - 1)] = text;
        lines.insert(lines.end(), more.begin(), more.end());
        return lines;
    }
    // Whether `text` is the date-time line of a moment between the two.
    static bool DatedBetween(const std::string& text, std::time_t from, std::time_t to) {
        for (std::time_t t = from; t <= to; ++t)
            if (text == LocaleDateTimeText(t)) return true;
        return false;
    }
};

TEST_F(HeaderLoad, MadeHeadersDescribeThePictureInAllThreeFiles) {
    const std::time_t before = std::time(nullptr);
    P.RIHMakeAllHeaders("scene.DIP", 640, 480);
    const std::time_t after = std::time(nullptr);

    EXPECT_EQ(FileLines(Dir.File("scene.dih")), Golden("reset.dih", {{3, "scene.dih"},
                                                                     {4, "scene.dih"},
                                                                     {5, "1"},
                                                                     {6, "640"},
                                                                     {7, "640"},
                                                                     {8, "640"},
                                                                     {9, "1"},
                                                                     {10, "480"},
                                                                     {11, "480"},
                                                                     {12, "480"},
                                                                     {49, "3"}}));
    const Lines made = {"DIP 1.1", "scene.dih", "scene.dis", "scene.dip", Dir.File("scene.png")};
    EXPECT_EQ(FileLines(Dir.File("scene.dis")), Golden("empty.dis", {}, made));
    const Lines log = FileLines(Dir.File("scene.dip"));
    ASSERT_EQ(log.size(), 9u);
    const Lines golden = FileLines(GoldenHeader("default.dip"));
    for (size_t i : {0u, 1u, 2u, 3u, 5u, 6u, 7u})
        EXPECT_EQ(log[i], golden[i]) << i;
    EXPECT_EQ(log[4], Dir.File("scene.png"));
    EXPECT_TRUE(DatedBetween(log[8], before, after)) << log[8];
    EXPECT_EQ(P.DIPMemo, log);
    EXPECT_EQ(P.DISDIPMemo, made);
    EXPECT_TRUE(Rec.Messages.empty()) << Rec.Summary();
}

TEST_F(HeaderLoad, MadeHeadersLeaveExistingDIHAndDISFilesAlone) {
    WriteFileAtomic(Dir.File("scene.DIH"), std::string("scene's own\r\n"),
                    TReplaceLeave::Chosen(Dir.File("scene.DIH")));
    WriteFileAtomic(Dir.File("scene.dis"), std::string("subset's own\r\n"),
                    TReplaceLeave::Chosen(Dir.File("scene.dis")));
    P.RIHMakeAllHeaders("scene.DIP", 640, 480);
    EXPECT_EQ(FileText(Dir.File("scene.DIH")), "scene's own\r\n");
    EXPECT_EQ(FileText(Dir.File("scene.dis")), "subset's own\r\n");
    EXPECT_FALSE(FileExists(Dir.File("scene.dih")));
    EXPECT_EQ(FileLines(Dir.File("scene.dip")).size(), 9u);
    EXPECT_EQ(P[DIHField::RIHIW], "640");
}

// A split describes a scene, not the displayed picture: the picture's log stays whole, and its
// next save writes every line of it (the split used to empty it, and the save wrote a stub over
// the picture's history).
TEST_F(HeaderLoad, SplitterHeadersLeaveThePicturesLogWhole) {
    WriteFileAtomic(Dir.File("band.dih"), std::string("old\r\n"),
                    TReplaceLeave::Chosen(Dir.File("band.dih")));
    const Lines history = {"DIP 1.1", "scene.dih", "scene.dis", "=0102  H SOHO", "12.5"};
    P.DIPMemo = history;
    // The DIH there is replaced only when the user says so.
    Rec.MessageAnswers = {MsgButton::Yes};
    P.RIHMakeDISDISHeaders(Dir.File("band.B1"), 100, 50);
    EXPECT_EQ(FileLines(Dir.File("band.dih")).size(), 296u);
    EXPECT_EQ(
        FileLines(Dir.File("band.dis")),
        Golden("empty.dis",
               {{2, "band.dih"}, {3, "band.dis"}, {5, "100"}, {6, "100"}, {8, "50"}, {9, "50"}}));
    EXPECT_FALSE(FileExists(Dir.File("band.dip")));
    EXPECT_FALSE(FileExists(Dir.File("scene.dip")));
    EXPECT_EQ(P.DIPMemo, history);
    P.DIPMemo.push_back("=0103  V SOHO");
    P.DIPSaveIt();
    Lines saved = history;
    saved.push_back("=0103  V SOHO");
    EXPECT_EQ(FileLines(Dir.File("scene.dip")), saved);
}

TEST_F(HeaderLoad, DIPGoldenReadsAndWritesBackByteForByte) {
    WriteFileAtomic(Dir.File("scene.dip"), FileText(GoldenHeader("default.dip")),
                    TReplaceLeave::Chosen(Dir.File("scene.dip")));
    P.RIHOpenDIPHeader("scene.dip");
    EXPECT_EQ(P.DIPMemo.size(), 9u);
    std::remove(Dir.File("scene.dip").c_str());
    P.DIPSaveIt();
    EXPECT_EQ(FileText(Dir.File("scene.dip")), FileText(GoldenHeader("default.dip")));
    EXPECT_TRUE(Rec.Messages.empty()) << Rec.Summary();
}

// A logged step after a refused log, after an edit that dropped the version line, and after a
// good log: one version line heads the log each time. The refused file itself is never written
// over: it used to be replaced by the next logged step, and the user's history was gone.
TEST_F(HeaderLoad, EverySavedLogHasOneVersionLine) {
    InstallHeaderHooks();
    LogToDIP = true;
    const struct {
        std::string file; // the DIP on disk before the step
        bool refused;
        Lines kept; // log lines before the step's block
    } cases[] = {
        {"DIP 1.0\r\nold\r\n", true, {}},
        {"DIP 1.1\r\nscene.dih\r\n", false, {"scene.dih"}},
    };
    for (const auto& c : cases) {
        Rec.Clear();
        WriteFileAtomic(Dir.File("scene.dip"), c.file,
                        TReplaceLeave::Chosen(Dir.File("scene.dip")));
        P.RIHOpenDIPHeader("scene.dip");
        EXPECT_EQ(Rec.Shown(39996), c.refused);
        RecordCommand("=0202  PixelRatios", {"3"});
        Lines want = {"DIP 1.1"};
        want.insert(want.end(), c.kept.begin(), c.kept.end());
        want.insert(want.end(), {"=0202  PixelRatios", "3"});
        ASSERT_EQ(P.DIPMemo.size(), want.size() + 1) << c.file;
        EXPECT_EQ(Lines(P.DIPMemo.begin(), P.DIPMemo.end() - 1), want) << c.file;
        if (c.refused) {
            EXPECT_EQ(FileText(Dir.File("scene.dip")), c.file);
            continue;
        }
        Lines got = FileLines(Dir.File("scene.dip"));
        ASSERT_EQ(got.size(), want.size() + 1) << c.file;
        EXPECT_EQ(Lines(got.begin(), got.end() - 1), want) << c.file;
    }
    P.DIPMemo.erase(P.DIPMemo.begin()); // the user deleted the version line
    P.DIPSaveIt();
    EXPECT_EQ(FileLines(Dir.File("scene.dip"))[0], "DIP 1.1");
    EXPECT_EQ(FileLines(Dir.File("scene.dip"))[1], "scene.dih");
}

// A refused log stays as the user left it through every later save of the picture, whatever
// its name's letter case; the log goes on in memory, and a log read well is saved again.
TEST_F(HeaderLoad, RefusedLogIsNeverWrittenOver) {
    InstallHeaderHooks();
    LogToDIP = true;
    const struct {
        const char* Name;
        std::string Text;
        int Message;
    } cases[] = {
        {"scene.dip", "DIP 1.0\r\nstep one\r\n", 39996},
        {"scene.DIP", "dip 1.1\r\nstep one\r\n", 39996},
        {"scene.dip", "", 39996},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name + (" " + c.Text));
        for (const char* old : {"scene.dip", "scene.DIP"})
            std::remove(Dir.File(old).c_str());
        ASSERT_TRUE(
            WriteFileAtomic(Dir.File(c.Name), c.Text, TReplaceLeave::Chosen(Dir.File(c.Name))));
        Rec.Clear();
        P.RIHOpenDIPHeader(c.Name);
        EXPECT_TRUE(Rec.Shown(c.Message));
        RecordCommand("=0202  PixelRatios", {"3"});
        RecordCommand("=0202  PixelRatios", {"4"});
        EXPECT_EQ(FileText(Dir.File(c.Name)), c.Text);
        EXPECT_FALSE(
            FileExists(Dir.File(std::string(c.Name) == "scene.dip" ? "scene.DIP" : "scene.dip")));
        ASSERT_GE(P.DIPMemo.size(), 5u);
        EXPECT_EQ(P.DIPMemo[0], "DIP 1.1");
        EXPECT_EQ(P.DIPMemo[2], "3");
    }
    ASSERT_TRUE(WriteFileAtomic(Dir.File("scene.DIP"), FileText(GoldenHeader("default.dip")),
                                TReplaceLeave::Chosen(Dir.File("scene.DIP"))));
    P.RIHOpenDIPHeader("scene.DIP");
    RecordCommand("=0202  PixelRatios", {"5"});
    EXPECT_EQ(FileLines(Dir.File("scene.DIP")).size(), 12u);
}

TEST_F(HeaderLoad, LogIsSavedIntoTheFileTheLoaderOpens) {
    WriteFileAtomic(Dir.File("scene.DIP"), FileText(GoldenHeader("default.dip")),
                    TReplaceLeave::Chosen(Dir.File("scene.DIP")));
    P.RIHOpenDIPHeader("scene.DIP");
    InstallHeaderHooks();
    LogToDIP = true;
    RecordCommand("=0202  PixelRatios", {"3"});
    EXPECT_FALSE(FileExists(Dir.File("scene.dip")));
    EXPECT_EQ(FileLines(Dir.File("scene.DIP")).size(), 12u);
}

TEST_F(HeaderLoad, MissingLogShows39998AndLeavesTheLogEmpty) {
    P.DIPMemo = {"DIP 1.1", "other picture"};
    P.RIHOpenDIPHeader("missing.dip");
    EXPECT_TRUE(Rec.Shown(39998));
    EXPECT_TRUE(P.DIPMemo.empty());
}

} // namespace
