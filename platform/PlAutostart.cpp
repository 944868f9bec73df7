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

const std::string EntryTail = "\nX-GNOME-Autostart-enabled=true\n";

// Whether the file under the entry's name is one this program wrote, whichever executable it
// starts: anything else there is the user's own.
bool OwnEntry(const std::string& path) {
    std::string text;
    if (!ReadWholeFile(path, text)) return false;
    const std::string exec = EntryHead + "Exec=";
    return text.size() > exec.size() + EntryTail.size() && text.starts_with(exec) &&
           text.ends_with(EntryTail) &&
           text.find('\n', exec.size()) == text.size() - EntryTail.size();
}
} // namespace

std::string AutostartEntryText(const std::string& executable) {
    return EntryHead + "Exec=" + DesktopExecArgument(executable) + EntryTail;
}

bool WriteAutostartEntry(const std::string& executable) {
    const std::string path = AutostartEntryPath();
    if (path.empty() || executable.empty() || !MakeDirectories(ExtractFilePath(path))) return false;
    // Only this program's own entry is replaced without asking: another file under its name is
    // the user's.
    return WriteFileAtomic(path, AutostartEntryText(executable),
                           OwnEntry(path) ? TReplaceLeave::Own(StampFile(path))
                                          : TReplaceLeave::None());
}

void RemoveAutostartEntry() {
    const std::string path = AutostartEntryPath();
    // The user's own entry under that name stays, unasked: the start has nobody to ask yet.
    if (!path.empty() && OwnEntry(path)) RemoveFile(path, TReplaceLeave::Own(StampFile(path)));
}
