// File names and whole-file reads and writes. Folders keep their trailing "/"; derived files are
// found case-insensitively in their folder; a save replaces a file only when the whole new
// content is on disk.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

extern const char* const CRLF;

// Full path of the running executable, and its folder with the trailing "/".
std::string ExecutablePath();
std::string ExecutableDirectory();
// The user's configuration folder with its trailing "/": $XDG_CONFIG_HOME, else ~/.config/ of
// $HOME or, when that is unset, of the account's home in the password database.
std::string UserConfigHome();
// Makes a folder and its parents; true when it exists afterwards.
bool MakeDirectories(const std::string& dir);

std::string ExtractFilePath(std::string_view path); // "a/b/c.png" -> "a/b/"
std::string ExtractFileName(std::string_view path); // "a/b/c.png" -> "c.png"
std::string ExtractFileExt(std::string_view path);  // "a/b/c.png" -> ".png", "" when none
std::string ChangeFileExt(std::string_view path, std::string_view ext); // ext with its "."
std::string IncludeTrailingPathDelimiter(std::string_view dir);

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
bool DirectoryWritable(const std::string& dir);
int64_t FileSizeOf(const std::string& path); // -1 when missing
// Anything by that name: a file, a folder, a link (also one that names nothing).
bool NameTaken(const std::string& path);
// A regular file under that very name, not reached through a symbolic link.
bool PlainFileExists(const std::string& path);

// The existing file in `dir` whose name equals `name` ignoring case (the exact name first);
// empty when there is none.
std::string FindFileCaseInsensitive(const std::string& dir, const std::string& name);
// Whether anything in `dir` has `name` ignoring case, as NameTaken sees it: a link that names
// nothing counts too.
bool NameTakenInAnyCase(const std::string& dir, const std::string& name);

// Whole-file read; false when the file cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& out);
bool ReadWholeFile(const std::string& path, std::string& out);
// The file's first bytes, as many as it has up to `count`, for readers that take only what they
// need: whatever follows costs nothing. False when the file cannot be opened or read.
bool ReadFileStart(const std::string& path, size_t count, std::vector<uint8_t>& out);
// A file opened for reading only, for readers that seek and read in pieces: the calls that open a
// file can as well make or truncate one, so only this unit makes them. Null, or -1, with errno
// set when the file cannot be opened.
std::FILE* OpenFileToRead(const std::string& path);
int OpenDescriptorToRead(const std::string& path);
// Gives a file another name in its folder's file system; false, with errno set, when it cannot.
bool RenameFile(const std::string& from, const std::string& to);

// What a window knows of a file it read or last wrote: enough to tell, at its next write, that
// nobody has changed the file since. Empty (Size -1) for a file that was not there.
struct TFileStamp {
    std::string Path;
    int64_t Size = -1;
    int64_t Modified = 0; // nanoseconds
    uint64_t Device = 0, Inode = 0;
    uint64_t Hash = 0;
    bool operator==(const TFileStamp&) const = default;
};
TFileStamp StampFile(const std::string& path);

// The leave a write has to replace a file that exists: the user chose that very path in a dialog
// for this write, or it is the window's own file, still as the window read or last wrote it.
// Every write is given one; without leave for a file that exists the writer asks the user first
// (see TWriteRun), naming the file.
class TReplaceLeave {
  public:
    // No leave: for a file the program makes new, replaced only when the user says so.
    TReplaceLeave() = default;
    static TReplaceLeave None() { return {}; }
    static TReplaceLeave Chosen(const std::string& path);
    // A picture chosen in a dialog, with the files written with it under names made from it.
    static TReplaceLeave Chosen(const std::vector<std::string>& paths);
    static TReplaceLeave Own(const TFileStamp& stamp);
    // Several files the window wrote, each as it left it.
    static TReplaceLeave Own(std::vector<TFileStamp> stamps);
    // This leave and `other`'s together.
    TReplaceLeave And(const TReplaceLeave& other) const;
    // Whether `path` may be replaced as it stands now.
    bool Covers(const std::string& path) const;

  private:
    std::vector<std::string> ChosenPaths;
    std::vector<TFileStamp> Stamps;
};

// The question the writer asks before it replaces files without leave, all of them named at
// once; true when the user lets them go. Set by the program at start (through the message hook);
// without one nothing is replaced without leave.
using TReplaceQuestion = bool (*)(const std::vector<std::string>& files);
void SetReplaceQuestion(TReplaceQuestion question);

// A run that writes several files asks once for all of them before it writes any: while it lasts,
// the files the user let go may be replaced by its writes without a second question. Runs nest;
// an inner one shares what the outer one was told.
class TWriteRun {
  public:
    TWriteRun();
    ~TWriteRun();
    TWriteRun(const TWriteRun&) = delete;
    TWriteRun& operator=(const TWriteRun&) = delete;
    // Asks once about those of `targets` that exist and that `leave` does not cover; false, with
    // nothing to be written, when the user keeps them. Otherwise every target that exists is let
    // go for the run.
    bool MayWrite(const std::vector<std::string>& targets, const TReplaceLeave& leave = {});
};

// The writer's rule for one file: true when `path` may be written now, asking when it must.
bool MayWriteFile(const std::string& path, const TReplaceLeave& leave);

// Removing a file is a write: `path` goes only under the same rule, asked about when `leave` does
// not cover it. True when nothing is left under that name (also when nothing was there); false
// with errno ECANCELED when the user keeps the file, or with the failure's errno.
bool RemoveFile(const std::string& path, const TReplaceLeave& leave);

// The one way a file is made: a temporary beside the target under a name nobody can guess,
// created exclusively (a link or anything else planted under that name is skipped, never
// followed), written in pieces, flushed by Close and renamed over the target by Commit. One that
// is never committed is removed. A replaced file's permission bits are kept; a new file gets
// those an ordinary create gives under the umask.
class TReplacingFile {
  public:
    TReplacingFile() = default;
    TReplacingFile(TReplacingFile&& o) noexcept;
    TReplacingFile& operator=(TReplacingFile&& o) noexcept;
    TReplacingFile(const TReplacingFile&) = delete;
    TReplacingFile& operator=(const TReplacingFile&) = delete;
    ~TReplacingFile();

    // Makes the temporary of `target` (the name itself is replaced at Commit, never followed)
    // once the replace rule lets `target` go (MayWriteFile); false when it cannot be made, and
    // false with errno ECANCELED, nothing made, when the user keeps the file that is there.
    bool Open(const std::string& target, const TReplaceLeave& leave);
    bool Write(const void* data, size_t size);
    // Flushes and closes the temporary, so that a run may hold more than it can keep open.
    bool Close();
    // Closes if needed and renames the temporary over the target.
    bool Commit();
    const std::string& Target() const { return TargetName; }

  private:
    bool MakeTemporary(const std::string& target);
    void Discard();
    int Fd = -1;
    std::string TargetName;
    std::string Temporary;
};
// Where the temporaries' unguessable names come from; tests hand in names of their own to plant
// links under them. Null restores the random names.
using TTemporaryNameSource = std::string (*)();
void SetTemporaryNameSource(TTemporaryNameSource source);

// The file a save to `path` replaces: a symbolic link is saved through to the file it names, so
// the link stays and what it points at gets the new content. A loop of links leaves the name as
// given (the save then fails at the rename).
std::string SaveTarget(const std::string& path);

// Every write below first asks the replace rule (MayWriteFile) with the leave it is given: when
// the user keeps the file that is there nothing is written, the bool forms return false with
// errno ECANCELED and the raising forms throw EFileKept.

// Writes a temporary beside the target, flushes it and renames it over the target; on any
// failure the target is untouched and false is returned. The new file keeps the old one's
// permission bits. A symbolic link is written through: the file it names is replaced and the
// link stays. A file with further hard links is replaced under this name only: the other names
// keep the old content.
bool WriteFileAtomic(const std::string& path, const void* data, size_t size,
                     const TReplaceLeave& leave);
inline bool WriteFileAtomic(const std::string& path, const std::string& text,
                            const TReplaceLeave& leave) {
    return WriteFileAtomic(path, text.data(), text.size(), leave);
}
inline bool WriteFileAtomic(const std::string& path, const std::vector<uint8_t>& bytes,
                            const TReplaceLeave& leave) {
    return WriteFileAtomic(path, bytes.data(), bytes.size(), leave);
}
// For the files the program makes on its own under names it derives from a picture's (companion
// counts and tables, headers, logs, cached previews): as WriteFileAtomic, but a name that is a
// symbolic link or anything but a plain file is refused (false, nothing written), so a link
// planted beside a picture never sends the write to the file it names.
bool WriteMadeFileAtomic(const std::string& path, const void* data, size_t size,
                         const TReplaceLeave& leave);
inline bool WriteMadeFileAtomic(const std::string& path, const std::string& text,
                                const TReplaceLeave& leave) {
    return WriteMadeFileAtomic(path, text.data(), text.size(), leave);
}
inline bool WriteMadeFileAtomic(const std::string& path, const std::vector<uint8_t>& bytes,
                                const TReplaceLeave& leave) {
    return WriteMadeFileAtomic(path, bytes.data(), bytes.size(), leave);
}
// After a bool write to `path` returned false: throws EFileKept when the user kept the file
// (errno ECANCELED), so a kept file is never reported as a failure; else returns.
void RaiseIfKept(const std::string& path);
// Raises the input/output error that a failed write to `path` stands for: path not found when
// its folder is missing, access denied when the folder cannot be written, else disk full.
[[noreturn]] void RaiseWriteFailure(const std::string& path);
// The same error with the file's path on the line after the reason, for the writes whose message
// would otherwise not say which file failed.
[[noreturn]] void RaiseNamedWriteFailure(const std::string& path);
// WriteFileAtomic, raising that error when the file could not be replaced.
void WriteFileOrRaise(const std::string& path, const std::string& text, const TReplaceLeave& leave);
inline void WriteFileOrRaise(const std::string& path, const std::vector<uint8_t>& bytes,
                             const TReplaceLeave& leave) {
    WriteFileOrRaise(path, std::string(bytes.begin(), bytes.end()), leave);
}
// WriteMadeFileAtomic, raising that error, or access denied for a name it refuses.
void WriteMadeFileOrRaise(const std::string& path, const void* data, size_t size,
                          const TReplaceLeave& leave);
inline void WriteMadeFileOrRaise(const std::string& path, const std::string& text,
                                 const TReplaceLeave& leave) {
    WriteMadeFileOrRaise(path, text.data(), text.size(), leave);
}

// Splits text into lines at CR LF, LF or CR; a final line break adds no empty line.
std::vector<std::string> SplitLines(std::string_view text);
// Joins lines, each followed by CR LF.
std::string JoinLinesCRLF(const std::vector<std::string>& lines);
