#include "platform/PlAutostart.h"
#include "runtime/RtFiles.h"
#include "support/TestFiles.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

// Points the configuration folder at a temporary one for the length of a test.
class ConfigHome {
  public:
    explicit ConfigHome(const std::string& dir) {
        if (const char* old = std::getenv("XDG_CONFIG_HOME")) Saved = old, HadOld = true;
        setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
    }
    ~ConfigHome() {
        if (HadOld)
            setenv("XDG_CONFIG_HOME", Saved.c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
    }

  private:
    std::string Saved;
    bool HadOld = false;
};

} // namespace

TEST(Autostart, ExecArgumentIsQuotedAndEscapedForDesktopEntries) {
    const struct {
        const char* Path;
        const char* Value;
    } cases[] = {
        {"/usr/bin/vorn", "\"/usr/bin/vorn\""},
        {"/opt/my tools/vorn", "\"/opt/my tools/vorn\""},
        {"/a\"b", "\"/a\\\\\"b\""},
        {"/a$b`c", "\"/a\\\\$b\\\\`c\""},
        {"/a\\b", "\"/a\\\\\\\\b\""},
        {"/100%/vorn", "\"/100%%/vorn\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DesktopExecArgument(c.Path), c.Value) << c.Path;
}

TEST(Autostart, EntryIsWrittenAtSessionEndAndRemovedAtTheNextStart) {
    TempDir dir;
    ConfigHome home(dir.Path() + "config");
    const std::string entry = dir.Path() + "config/autostart/Vorn.desktop";
    EXPECT_EQ(AutostartEntryPath(), entry);

    ASSERT_TRUE(WriteAutostartEntry("/opt/vorn/vorn"));
    std::string text;
    ASSERT_TRUE(ReadWholeFile(entry, text));
    EXPECT_EQ(text, "[Desktop Entry]\nType=Application\nName=Vorn\nExec=\"/opt/vorn/vorn\"\n"
                    "X-GNOME-Autostart-enabled=true\n");

    RemoveAutostartEntry();
    EXPECT_FALSE(FileExists(entry));
    RemoveAutostartEntry();
}

TEST(Autostart, NothingIsWrittenWhenTheFolderCannotBeMade) {
    TempDir dir;
    ASSERT_TRUE(WriteFileAtomic(dir.File("plain"), std::string("not a folder")));
    ConfigHome home(dir.File("plain"));
    EXPECT_FALSE(WriteAutostartEntry("/opt/vorn/vorn"));
    std::string text;
    ASSERT_TRUE(ReadWholeFile(dir.File("plain"), text));
    EXPECT_EQ(text, "not a folder");
}
