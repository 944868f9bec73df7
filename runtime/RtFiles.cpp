#include "runtime/RtFiles.h"

#include "runtime/RtErrors.h"
#include "runtime/RtNumbers.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <pwd.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

const char* const CRLF = "\r\n";

std::string ExecutablePath() {
    char buf[4096];
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    return n > 0 ? std::string(buf, static_cast<size_t>(n)) : std::string();
}

std::string ExecutableDirectory() {
    const std::string path = ExecutablePath();
    return path.empty() ? std::string("./") : ExtractFilePath(path);
}

std::string UserConfigHome() {
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        return IncludeTrailingPathDelimiter(xdg);
    std::string home;
    if (const char* env = std::getenv("HOME"); env && *env)
        home = env;
    else if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir)
        home = pw->pw_dir;
    else
        return {};
    return IncludeTrailingPathDelimiter(home) + ".config/";
}

bool MakeDirectories(const std::string& dir) {
    for (size_t p = 1; p <= dir.size(); ++p) {
        if (p != dir.size() && dir[p] != '/') continue;
        const std::string part = dir.substr(0, p);
        if (mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) return false;
    }
    return DirectoryExists(dir);
}

std::string ExtractFilePath(std::string_view path) {
    size_t p = path.rfind('/');
    if (p == std::string_view::npos) return "";
    return std::string(path.substr(0, p + 1));
}

std::string ExtractFileName(std::string_view path) {
    size_t p = path.rfind('/');
    return std::string(p == std::string_view::npos ? path : path.substr(p + 1));
}

std::string ExtractFileExt(std::string_view path) {
    size_t slash = path.rfind('/');
    size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return "";
    return std::string(path.substr(dot));
}

std::string ChangeFileExt(std::string_view path, std::string_view ext) {
    std::string cur = ExtractFileExt(path);
    return std::string(path.substr(0, path.size() - cur.size())) + std::string(ext);
}

std::string IncludeTrailingPathDelimiter(std::string_view dir) {
    std::string d(dir);
    if (d.empty() || d.back() != '/') d += '/';
    return d;
}

bool FileExists(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool DirectoryWritable(const std::string& dir) {
    // By the account the writes run as, which is what decides whether they succeed.
    return DirectoryExists(dir) && faccessat(AT_FDCWD, dir.c_str(), W_OK, AT_EACCESS) == 0;
}

bool NameTaken(const std::string& path) {
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

bool PlainFileExists(const std::string& path) {
    struct stat st;
    return lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

int64_t FileSizeOf(const std::string& path) {
    struct stat st;
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
    return static_cast<int64_t>(st.st_size);
}

namespace {
// The path of the first entry of `dir` named `name` in any letter case (the exact name first)
// that `present` accepts; empty when there is none.
template <typename Present>
std::string FindInAnyCase(const std::string& dir, const std::string& name, Present present) {
    const std::string folder = dir.empty() ? "./" : IncludeTrailingPathDelimiter(dir);
    if (present(folder + name)) return folder + name;
    DIR* d = opendir(folder.c_str());
    if (!d) return "";
    std::string found;
    while (dirent* e = readdir(d)) {
        if (SameText(e->d_name, name) && present(folder + e->d_name)) {
            found = folder + e->d_name;
            break;
        }
    }
    closedir(d);
    return found;
}
} // namespace

std::string FindFileCaseInsensitive(const std::string& dir, const std::string& name) {
    return FindInAnyCase(dir, name, [](const std::string& path) { return FileExists(path); });
}

bool NameTakenInAnyCase(const std::string& dir, const std::string& name) {
    return !FindInAnyCase(dir, name, [](const std::string& path) {
                return NameTaken(path);
            }).empty();
}

namespace {
template <typename Container> bool ReadInto(const std::string& path, Container& out) {
    out.clear();
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    char buf[65536];
    bool ok = true;
    for (;;) {
        size_t n = std::fread(buf, 1, sizeof buf, f);
        out.insert(out.end(), buf, buf + n);
        if (n < sizeof buf) {
            ok = !std::ferror(f);
            break;
        }
    }
    std::fclose(f);
    return ok;
}
} // namespace

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& out) {
    return ReadInto(path, out);
}

bool ReadWholeFile(const std::string& path, std::string& out) {
    return ReadInto(path, out);
}

bool ReadFileStart(const std::string& path, size_t count, std::vector<uint8_t>& out) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(OpenFileToRead(path), std::fclose);
    if (!file) return false;
    out.resize(count);
    out.resize(std::fread(out.data(), 1, count, file.get()));
    return !std::ferror(file.get());
}

std::FILE* OpenFileToRead(const std::string& path) {
    return std::fopen(path.c_str(), "rb");
}

int OpenDescriptorToRead(const std::string& path) {
    return ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
}

bool RenameFile(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

namespace {

// Bytes beyond this are not hashed: a band file that large is told apart by its size, time and
// inode, which every write changes.
constexpr int64_t HashedBytes = int64_t{64} << 20;

uint64_t HashOfFile(const std::string& path, int64_t size) {
    uint64_t h = 14695981039346656037ull;
    if (size > HashedBytes) return h;
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, bytes)) return 0;
    for (uint8_t b : bytes)
        h = (h ^ b) * 1099511628211ull;
    return h;
}

// Two spellings of one path ("a/./b", "a/../a/b", a link to a folder) compare equal.
std::string SamePathKey(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path p = std::filesystem::weakly_canonical(path, ec);
    return ec ? path : p.string();
}

TReplaceQuestion ReplaceQuestion = nullptr;
int WriteRunDepth = 0;
// What the user let go in the run that is open.
std::vector<std::string> RunApproved;

bool RunApproves(const std::string& key) {
    return WriteRunDepth > 0 &&
           std::find(RunApproved.begin(), RunApproved.end(), key) != RunApproved.end();
}

} // namespace

TFileStamp StampFile(const std::string& path) {
    TFileStamp s;
    s.Path = SamePathKey(path);
    struct stat st;
    if (stat(path.c_str(), &st) != 0) return s;
    s.Size = st.st_size;
    s.Modified = int64_t{st.st_mtim.tv_sec} * 1000000000 + st.st_mtim.tv_nsec;
    s.Device = st.st_dev;
    s.Inode = st.st_ino;
    s.Hash = HashOfFile(path, s.Size);
    return s;
}

TReplaceLeave TReplaceLeave::Chosen(const std::string& path) {
    return Chosen(std::vector<std::string>{path});
}

TReplaceLeave TReplaceLeave::Chosen(const std::vector<std::string>& paths) {
    TReplaceLeave l;
    for (const std::string& p : paths)
        l.ChosenPaths.push_back(SamePathKey(p));
    return l;
}

TReplaceLeave TReplaceLeave::Own(const TFileStamp& stamp) {
    return Own(std::vector<TFileStamp>{stamp});
}

TReplaceLeave TReplaceLeave::Own(std::vector<TFileStamp> stamps) {
    TReplaceLeave l;
    l.Stamps = std::move(stamps);
    return l;
}

TReplaceLeave TReplaceLeave::And(const TReplaceLeave& other) const {
    TReplaceLeave l = *this;
    l.ChosenPaths.insert(l.ChosenPaths.end(), other.ChosenPaths.begin(), other.ChosenPaths.end());
    l.Stamps.insert(l.Stamps.end(), other.Stamps.begin(), other.Stamps.end());
    return l;
}

bool TReplaceLeave::Covers(const std::string& path) const {
    const std::string key = SamePathKey(path);
    if (std::find(ChosenPaths.begin(), ChosenPaths.end(), key) != ChosenPaths.end()) return true;
    for (const TFileStamp& s : Stamps)
        if (s.Size >= 0 && key == s.Path) return StampFile(path) == s;
    return false;
}

void SetReplaceQuestion(TReplaceQuestion question) {
    ReplaceQuestion = question;
}

TWriteRun::TWriteRun() {
    ++WriteRunDepth;
}

TWriteRun::~TWriteRun() {
    if (--WriteRunDepth == 0) RunApproved.clear();
}

bool TWriteRun::MayWrite(const std::vector<std::string>& targets, const TReplaceLeave& leave) {
    std::vector<std::string> asked, covered;
    for (const std::string& t : targets) {
        if (!FileExists(t) || RunApproves(SamePathKey(t))) continue;
        if (leave.Covers(t))
            covered.push_back(t);
        else if (std::find(asked.begin(), asked.end(), t) == asked.end())
            asked.push_back(t);
    }
    if (!asked.empty() && (!ReplaceQuestion || !ReplaceQuestion(asked))) return false;
    // A file the run's leave covers is let go for its writes as one the user let go: a write
    // inside the run that names the file afresh (a picture built again under its old name) has
    // no leave of its own and would ask about it after all.
    for (const auto* files : {&asked, &covered})
        for (const std::string& t : *files)
            RunApproved.push_back(SamePathKey(t));
    return true;
}

bool MayWriteFile(const std::string& path, const TReplaceLeave& leave) {
    TWriteRun run;
    return run.MayWrite({path}, leave);
}

namespace {

// Permission bits of a file made new: those an ordinary create gives under the umask.
mode_t NewFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0644 & ~mask;
}

bool WriteAll(int fd, const void* data, size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, p, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

// Twelve letters and digits from the kernel's random source: nobody can guess them ahead.
std::string RandomTemporaryName() {
    static const char alphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device source;
    std::string name;
    for (int k = 0; k < 12; ++k)
        name += alphabet[source() % (sizeof alphabet - 1)];
    return name;
}

TTemporaryNameSource TemporaryNames = nullptr;

// The rule's answer as the bool writes give it: false with ECANCELED when the user keeps the file.
bool MayWriteOrCancel(const std::string& path, const TReplaceLeave& leave) {
    if (MayWriteFile(path, leave)) return true;
    errno = ECANCELED;
    return false;
}

// Replaces `target` itself; a link under its name would be replaced, never followed.
bool ReplaceFileAtomic(const std::string& target, const void* data, size_t size,
                       const TReplaceLeave& leave) {
    TReplacingFile file;
    return file.Open(target, leave) && file.Write(data, size) && file.Commit();
}

} // namespace

void SetTemporaryNameSource(TTemporaryNameSource source) {
    TemporaryNames = source;
}

TReplacingFile::TReplacingFile(TReplacingFile&& o) noexcept
    : Fd(std::exchange(o.Fd, -1)), TargetName(std::move(o.TargetName)),
      Temporary(std::exchange(o.Temporary, std::string())) {}

TReplacingFile& TReplacingFile::operator=(TReplacingFile&& o) noexcept {
    if (this != &o) {
        Discard();
        Fd = std::exchange(o.Fd, -1);
        TargetName = std::move(o.TargetName);
        Temporary = std::exchange(o.Temporary, std::string());
    }
    return *this;
}

TReplacingFile::~TReplacingFile() {
    Discard();
}

void TReplacingFile::Discard() {
    if (Fd >= 0) ::close(Fd);
    Fd = -1;
    if (!Temporary.empty()) ::unlink(Temporary.c_str());
    Temporary.clear();
}

bool TReplacingFile::Open(const std::string& target, const TReplaceLeave& leave) {
    Discard();
    TargetName = target;
    return MayWriteOrCancel(target, leave) && MakeTemporary(target);
}

bool TReplacingFile::MakeTemporary(const std::string& target) {
    TargetName = target;
    struct stat old;
    const bool replacing = stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    // Short, so that a target whose name is near the file system's limit can still be saved.
    const std::string dir = ExtractFilePath(target);
    const std::string prefix = (dir.empty() ? std::string("./") : dir) + ".vorn~";
    for (int attempt = 0; attempt < 100 && Fd < 0; ++attempt) {
        const std::string name =
            prefix + (TemporaryNames ? TemporaryNames() : RandomTemporaryName());
        Fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (Fd >= 0)
            Temporary = name;
        else if (errno != EEXIST)
            return false;
    }
    if (Fd < 0) return false;
    return fchmod(Fd, replacing ? (old.st_mode & 07777) : NewFileMode()) == 0;
}

bool TReplacingFile::Write(const void* data, size_t size) {
    return Fd >= 0 && WriteAll(Fd, data, size);
}

bool TReplacingFile::Close() {
    if (Fd < 0) return !Temporary.empty();
    bool ok = ::fsync(Fd) == 0;
    if (::close(Fd) != 0) ok = false;
    Fd = -1;
    if (!ok) Discard();
    return ok;
}

bool TReplacingFile::Commit() {
    if (!Close() || std::rename(Temporary.c_str(), TargetName.c_str()) != 0) return false;
    Temporary.clear();
    return true;
}

std::string SaveTarget(const std::string& path) {
    std::string target = path;
    for (int hop = 0; hop < 40; ++hop) {
        struct stat st;
        if (lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return target;
        std::string link(static_cast<size_t>(st.st_size > 0 ? st.st_size : 4095) + 1, '\0');
        const ssize_t n = readlink(target.c_str(), link.data(), link.size());
        if (n <= 0 || static_cast<size_t>(n) >= link.size()) return path;
        link.resize(static_cast<size_t>(n));
        target = link.front() == '/' ? link : ExtractFilePath(target) + link;
    }
    return path;
}

bool WriteFileAtomic(const std::string& path, const void* data, size_t size,
                     const TReplaceLeave& leave) {
    return ReplaceFileAtomic(SaveTarget(path), data, size, leave);
}

namespace {
// A link or anything but a plain file under a made file's name; the rename that follows
// replaces a name and never follows it, so a link planted after this test is itself replaced
// rather than written through.
bool RefusedMadeName(const std::string& path) {
    return NameTaken(path) && !PlainFileExists(path);
}
} // namespace

bool WriteMadeFileAtomic(const std::string& path, const void* data, size_t size,
                         const TReplaceLeave& leave) {
    if (RefusedMadeName(path)) return false;
    return ReplaceFileAtomic(path, data, size, leave);
}

namespace {
int WriteFailureCode(const std::string& path) {
    // Where the save went: the folder of the file a link names.
    const std::string target = SaveTarget(path);
    std::string dir = ExtractFilePath(target);
    if (dir.empty()) dir = "./";
    if (!DirectoryExists(dir)) return EInOutError::PathNotFound;
    // A name longer than the folder's file system takes is no full disk either.
    const long nameMax = pathconf(dir.c_str(), _PC_NAME_MAX);
    if (ExtractFileName(target).size() > static_cast<size_t>(nameMax > 0 ? nameMax : NAME_MAX) ||
        target.size() >= PATH_MAX)
        return EInOutError::FileNameTooLong;
    // A folder of the file's name cannot be replaced by it; that is no full disk.
    if (!DirectoryWritable(dir) || DirectoryExists(target)) return EInOutError::AccessDenied;
    return EInOutError::DiskFull;
}
} // namespace

void RaiseIfKept(const std::string& path) {
    if (errno == ECANCELED) throw EFileKept(path);
}

void RaiseWriteFailure(const std::string& path) {
    throw EInOutError(WriteFailureCode(path));
}

void RaiseNamedWriteFailure(const std::string& path) {
    const EInOutError reason(WriteFailureCode(path));
    throw EInOutError(reason.Code, reason.what() + std::string(CRLF) + path);
}

void WriteFileOrRaise(const std::string& path, const std::string& text,
                      const TReplaceLeave& leave) {
    if (WriteFileAtomic(path, text, leave)) return;
    RaiseIfKept(path);
    RaiseWriteFailure(path);
}

void WriteMadeFileOrRaise(const std::string& path, const void* data, size_t size,
                          const TReplaceLeave& leave) {
    if (RefusedMadeName(path)) throw EInOutError(EInOutError::AccessDenied);
    if (WriteMadeFileAtomic(path, data, size, leave)) return;
    RaiseIfKept(path);
    RaiseWriteFailure(path);
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::string cur;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(cur);
            cur.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) lines.push_back(cur);
    return lines;
}

std::string JoinLinesCRLF(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) {
        out += l;
        out += CRLF;
    }
    return out;
}
