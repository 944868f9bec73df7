#include "runtime/RtFiles.h"
#include "runtime/RtErrors.h"
#include "shell/vGlobalMessages.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

TEST(RtFiles, AFailedReplaceReportsItAndLeavesNoPartialFile) {
    TempDir dir;
    // A folder where the file should go: the final rename cannot replace it.
    std::filesystem::create_directory(dir.File("Vorn.pof"));
    EXPECT_FALSE(WriteFileAtomic(dir.File("Vorn.pof"), std::string(3584, 'x'),
                                 TReplaceLeave::Chosen(dir.File("Vorn.pof"))));
    EXPECT_TRUE(DirectoryExists(dir.File("Vorn.pof")));
    size_t entries = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.Path())) {
        (void)e;
        ++entries;
    }
    EXPECT_EQ(entries, 1u) << "a temporary was left behind";
    EXPECT_FALSE(WriteFileAtomic(dir.File("missing/x.txt"), std::string("x"),
                                 TReplaceLeave::Chosen(dir.File("missing/x.txt"))));

    ASSERT_TRUE(WriteFileAtomic(dir.File("a.txt"), std::string("old"),
                                TReplaceLeave::Chosen(dir.File("a.txt"))));
    ASSERT_TRUE(WriteFileAtomic(dir.File("a.txt"), std::string("new"),
                                TReplaceLeave::Chosen(dir.File("a.txt"))));
    std::string text;
    ASSERT_TRUE(ReadWholeFile(dir.File("a.txt"), text));
    EXPECT_EQ(text, "new");
}

TEST(RtFiles, NameParts) {
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        // path, folder, name, extension
        {"a/b/c.png", "a/b/", "c.png", ".png"},
        {"/a.b/c", "/a.b/", "c", ""},
        {"/a.b/c.d.BMP", "/a.b/", "c.d.BMP", ".BMP"},
        {"c", "", "c", ""},
    };
    for (const auto& [path, folder, name, ext] : cases) {
        EXPECT_EQ(ExtractFilePath(path), folder) << path;
        EXPECT_EQ(ExtractFileName(path), name) << path;
        EXPECT_EQ(ExtractFileExt(path), ext) << path;
    }
    EXPECT_EQ(ChangeFileExt("/a.b/c", ".DIP"), "/a.b/c.DIP");
}

namespace {

namespace fs = std::filesystem;

size_t EntriesIn(const std::string& dir) {
    size_t n = 0;
    for (const auto& e : fs::directory_iterator(dir)) {
        (void)e;
        ++n;
    }
    return n;
}

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

} // namespace

TEST(RtFiles, ALinkPlantedUnderTheOldTemporaryNameIsNotFollowed) {
    TempDir dir;
    ASSERT_TRUE(WriteFileAtomic(dir.File("victim"), std::string("precious"),
                                TReplaceLeave::Chosen(dir.File("victim"))));
    // The name the writer once gave its temporary: the process id made it predictable.
    fs::create_symlink(dir.File("victim"), dir.File("a.png.tmp~" + std::to_string(getpid())));
    ASSERT_TRUE(WriteFileAtomic(dir.File("a.png"), std::string("picture"),
                                TReplaceLeave::Chosen(dir.File("a.png"))));
    EXPECT_EQ(FileText(dir.File("victim")), "precious");
    EXPECT_EQ(FileText(dir.File("a.png")), "picture");
    EXPECT_FALSE(fs::is_symlink(dir.File("a.png")));
    EXPECT_EQ(EntriesIn(dir.Path()), 3u) << "a temporary was left behind";
}

TEST(RtFiles, ASaveKeepsPermissionBitsAndWritesThroughLinks) {
    const std::tuple<const char*, mode_t, const char*> cases[] = {
        // what, mode of the file saved over, name saved (empty: the file itself)
        {"private picture", 0600, ""},           {"group readable", 0640, ""},
        {"executable bit kept", 0751, ""},       {"relative link", 0600, "inner.png"},
        {"absolute link", 0644, "absolute.png"}, {"link to a link", 0640, "outer.png"},
    };
    for (const auto& [what, mode, link] : cases) {
        TempDir dir;
        fs::create_directory(dir.File("sub"));
        const std::string real = dir.File("sub/real");
        ASSERT_TRUE(WriteFileAtomic(real, std::string("old"), TReplaceLeave::Chosen(real)));
        ASSERT_EQ(chmod(real.c_str(), mode), 0);
        fs::create_symlink("sub/real", dir.File("inner.png"));
        fs::create_symlink(real, dir.File("absolute.png"));
        fs::create_symlink("inner.png", dir.File("outer.png"));
        const std::string saved = *link ? dir.File(link) : real;
        ASSERT_TRUE(WriteFileAtomic(saved, std::string("new"), TReplaceLeave::Chosen(saved)))
            << what;
        EXPECT_EQ(FileText(real), "new") << what;
        EXPECT_EQ(ModeOf(real), mode) << what;
        for (const char* name : {"inner.png", "absolute.png", "outer.png"})
            EXPECT_TRUE(fs::is_symlink(dir.File(name))) << what << ": " << name;
        EXPECT_EQ(EntriesIn(dir.File("sub")), 1u) << what;
    }
}

TEST(RtFiles, ANewFileGetsTheUmasksBitsAndALongNameIsSaved) {
    TempDir dir;
    const mode_t mask = umask(027);
    const std::string name = std::string(246, 'n') + ".png"; // 250 bytes, within the limit
    const bool saved =
        WriteFileAtomic(dir.File(name), std::string("x"), TReplaceLeave::Chosen(dir.File(name)));
    umask(mask);
    ASSERT_TRUE(saved);
    EXPECT_EQ(FileText(dir.File(name)), "x");
    EXPECT_EQ(ModeOf(dir.File(name)), 0640u);
}

TEST(RtFiles, AHardLinkedFileIsReplacedUnderTheSavedNameOnly) {
    TempDir dir;
    ASSERT_TRUE(WriteFileAtomic(dir.File("a.png"), std::string("old"),
                                TReplaceLeave::Chosen(dir.File("a.png"))));
    fs::create_hard_link(dir.File("a.png"), dir.File("b.png"));
    ASSERT_TRUE(WriteFileAtomic(dir.File("a.png"), std::string("new"),
                                TReplaceLeave::Chosen(dir.File("a.png"))));
    EXPECT_EQ(FileText(dir.File("a.png")), "new");
    EXPECT_EQ(FileText(dir.File("b.png")), "old");
}

namespace {
std::vector<std::vector<std::string>> Questions;
bool Answer = false;
bool RecordQuestion(const std::vector<std::string>& files) {
    Questions.push_back(files);
    return Answer;
}
} // namespace

// Every form of the one writer checks the replace rule itself before it makes anything: a file
// that is there is replaced without a question only when it was chosen or is as its window left
// it. Kept, nothing is written and no temporary is made; the bool forms say ECANCELED and the
// raising forms throw the quiet EFileKept, never "Disk full".
TEST(RtFiles, EveryWriteAsksBeforeItReplacesAFileItHasNoLeaveFor) {
    using Write = bool (*)(const std::string&, const TReplaceLeave&);
    const struct {
        const char* Name;
        Write Run;
    } writers[] = {
        {"WriteFileAtomic",
         [](const std::string& p, const TReplaceLeave& l) {
             return WriteFileAtomic(p, std::string("new"), l);
         }},
        {"WriteMadeFileAtomic",
         [](const std::string& p, const TReplaceLeave& l) {
             return WriteMadeFileAtomic(p, std::string("new"), l);
         }},
        {"WriteFileOrRaise",
         [](const std::string& p, const TReplaceLeave& l) {
             WriteFileOrRaise(p, std::string("new"), l);
             return true;
         }},
        {"WriteMadeFileOrRaise",
         [](const std::string& p, const TReplaceLeave& l) {
             WriteMadeFileOrRaise(p, std::string("new"), l);
             return true;
         }},
        {"TReplacingFile",
         [](const std::string& p, const TReplaceLeave& l) {
             TReplacingFile f;
             return f.Open(p, l) && f.Write("new", 3) && f.Commit();
         }},
        // A removal is a write: it loses the file as surely.
        {"RemoveFile",
         [](const std::string& p, const TReplaceLeave& l) { return RemoveFile(p, l); }},
    };
    SetReplaceQuestion(RecordQuestion);
    for (const auto& w : writers) {
        SCOPED_TRACE(w.Name);
        const bool removes = std::string(w.Name) == "RemoveFile";
        TempDir dir;
        const std::string path = dir.File("scene.dis");
        ASSERT_TRUE(WriteFileAtomic(path, std::string("old"), TReplaceLeave::Chosen(path)));
        const TFileStamp read = StampFile(path);
        // Another window adds to the file after this one read it.
        ASSERT_TRUE(WriteFileAtomic(path, std::string("older"), TReplaceLeave::Chosen(path)));
        const struct {
            const char* Name;
            TReplaceLeave Leave;
            bool Answer, Asked, Written;
        } leaves[] = {
            {"none, kept", TReplaceLeave::None(), false, true, false},
            {"stale stamp, kept", TReplaceLeave::Own(read), false, true, false},
            {"other file chosen, kept", TReplaceLeave::Chosen(dir.File("other.dis")), false, true,
             false},
            {"stale stamp, let go", TReplaceLeave::Own(read), true, true, true},
            {"own stamp", TReplaceLeave::Own(StampFile(path)), false, false, true},
            {"chosen", TReplaceLeave::Chosen(path), false, false, true},
            {"chosen with the picture", TReplaceLeave::Chosen({dir.File("scene.png"), path}), false,
             false, true},
        };
        for (const auto& l : leaves) {
            SCOPED_TRACE(l.Name);
            ASSERT_TRUE(WriteFileAtomic(path, std::string("older"), TReplaceLeave::Chosen(path)));
            const TReplaceLeave leave =
                std::string(l.Name) == "own stamp" ? TReplaceLeave::Own(StampFile(path)) : l.Leave;
            Questions.clear();
            Answer = l.Answer;
            errno = 0;
            bool written = false;
            try {
                written = w.Run(path, leave);
            } catch (const EFileKept& e) {
                EXPECT_EQ(e.Path, path);
            }
            EXPECT_EQ(written, l.Written);
            if (!l.Written && std::string(w.Name).find("Raise") == std::string::npos)
                EXPECT_EQ(errno, ECANCELED);
            EXPECT_EQ(Questions, l.Asked ? std::vector<std::vector<std::string>>{{path}}
                                         : std::vector<std::vector<std::string>>{});
            EXPECT_EQ(FileExists(path), !(removes && l.Written));
            if (!removes || !l.Written) EXPECT_EQ(FileText(path), l.Written ? "new" : "older");
            EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}),
                      removes && l.Written ? 0 : 1);
        }
        // A new file asks nobody; a run asks once for all its files and its writes then go.
        Questions.clear();
        EXPECT_TRUE(w.Run(dir.File("new.dis"), TReplaceLeave::None()));
        EXPECT_TRUE(Questions.empty());
        for (const std::string& made : {path, dir.File("new.dis")})
            if (removes)
                ASSERT_TRUE(WriteFileAtomic(made, std::string("old"), TReplaceLeave::Chosen(made)));
        {
            TWriteRun run;
            Answer = true;
            ASSERT_TRUE(run.MayWrite({path, dir.File("new.dis"), dir.File("none.dis")}));
            Answer = false;
            EXPECT_TRUE(w.Run(path, TReplaceLeave::None()));
            EXPECT_TRUE(w.Run(dir.File("new.dis"), TReplaceLeave::None()));
        }
        EXPECT_EQ(Questions, (std::vector<std::vector<std::string>>{{path, dir.File("new.dis")}}));
    }
    SetReplaceQuestion(AskToReplaceFiles);
}
