#include "platform/PlAutostart.h"
#include "runtime/RtFiles.h"
#include "support/TestFiles.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>

namespace {

// Points the configuration folder elsewhere for the length of a test.
struct ConfigHome {
    explicit ConfigHome(const std::string& dir) {
        if (const char* old = std::getenv("XDG_CONFIG_HOME")) Saved = old;
        setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
    }
    ~ConfigHome() {
        if (Saved)
            setenv("XDG_CONFIG_HOME", Saved->c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
    }
    std::optional<std::string> Saved;
};

} // namespace

TEST(Autostart, ExecArgumentIsQuotedAndEscapedForDesktopEntries) {
    const std::pair<const char*, const char*> cases[] = {
        {"/opt/my tools/vorn", "\"/opt/my tools/vorn\""},
        {"/a\"b", "\"/a\\\\\"b\""},
        {"/a$b`c", "\"/a\\\\$b\\\\`c\""},
        {"/a\\b", "\"/a\\\\\\\\b\""},
        {"/100%/vorn", "\"/100%%/vorn\""}};
    for (const auto& [path, value] : cases)
        EXPECT_EQ(DesktopExecArgument(path), value) << path;
}

TEST(Autostart, EntryIsWrittenAtSessionEndAndRemovedAtTheNextStart) {
    TempDir dir;
    {
        ConfigHome home(dir.Path() + "config");
        const std::string entry = dir.Path() + "config/autostart/Vorn.desktop";
        EXPECT_EQ(AutostartEntryPath(), entry);
        ASSERT_TRUE(WriteAutostartEntry("/opt/vorn/vorn"));
        std::string text = FileText(entry);
        EXPECT_EQ(text, "[Desktop Entry]\nType=Application\nName=Vorn\nExec=\"/opt/vorn/vorn\"\n"
                        "X-GNOME-Autostart-enabled=true\n");
        RemoveAutostartEntry();
        EXPECT_FALSE(FileExists(entry));
        // The user's own entries under that name stay at every start, also one that begins as
        // the program's does.
        for (const std::string own :
             {"[Desktop Entry]\nType=Application\nName=My session\nExec=/usr/bin/xterm\n",
              "[Desktop Entry]\nType=Application\nName=Vorn\nExec=\"/opt/vorn/vorn\" --mine\n"
              "Terminal=true\nX-GNOME-Autostart-enabled=true\n"}) {
            ASSERT_TRUE(WriteFileAtomic(entry, own, TReplaceLeave::Chosen(entry)));
            RemoveAutostartEntry();
            EXPECT_EQ(FileText(entry), own);
        }
    }
    // A configuration "folder" that is a file: nothing is written, the file stays.
    ASSERT_TRUE(WriteFileAtomic(dir.File("plain"), std::string("not a folder"),
                                TReplaceLeave::Chosen(dir.File("plain"))));
    ConfigHome home(dir.File("plain"));
    EXPECT_FALSE(WriteAutostartEntry("/opt/vorn/vorn"));
    std::string text = FileText(dir.File("plain"));
    EXPECT_EQ(text, "not a folder");
}
