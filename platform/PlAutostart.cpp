#include "platform/PlAutostart.h"

#include "runtime/RtFiles.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* const EntryName = "Vorn.desktop";

} // namespace

std::string AutostartEntryPath() {
    const std::string base = UserConfigHome();
    return base.empty() ? std::string() : base + "autostart/" + EntryName;
}

std::string DesktopExecArgument(const std::string& path) {
    std::string quoted;
    for (char c : path) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
        quoted += c;
    }
    // The value is a string before it is a command line: its backslashes and control characters
    // are escaped once more, and a literal per cent sign is doubled for the field codes.
    std::string value = "\"";
    for (char c : quoted) {
        switch (c) {
        case '\\':
            value += "\\\\";
            break;
        case '\n':
            value += "\\n";
            break;
        case '\t':
            value += "\\t";
            break;
        case '\r':
            value += "\\r";
            break;
        case '%':
            value += "%%";
            break;
        default:
            value += c;
        }
    }
    return value + "\"";
}

namespace {
// How every entry this program writes begins, whichever executable it starts.
const std::string EntryHead = "[Desktop Entry]\nType=Application\nName=Vorn\n";
} // namespace

std::string AutostartEntryText(const std::string& executable) {
    return EntryHead + "Exec=" + DesktopExecArgument(executable) +
           "\nX-GNOME-Autostart-enabled=true\n";
}

bool WriteAutostartEntry(const std::string& executable) {
    const std::string path = AutostartEntryPath();
    if (path.empty() || executable.empty() || !MakeDirectories(ExtractFilePath(path))) return false;
    // Only this program's own entry is replaced without asking: another file under its name is
    // the user's.
    std::string existing;
    const bool ours = ReadWholeFile(path, existing) && existing.starts_with(EntryHead);
    return WriteFileAtomic(path, AutostartEntryText(executable),
                           ours ? TReplaceLeave::Own(StampFile(path)) : TReplaceLeave::None());
}

void RemoveAutostartEntry() {
    const std::string path = AutostartEntryPath();
    if (!path.empty()) std::remove(path.c_str());
}
