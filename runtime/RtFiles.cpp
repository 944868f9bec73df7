#include "runtime/RtFiles.h"

#include "runtime/RtErrors.h"
#include "runtime/RtNumbers.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

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

int64_t FileSizeOf(const std::string& path) {
    struct stat st;
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
    return static_cast<int64_t>(st.st_size);
}

std::string FindFileCaseInsensitive(const std::string& dir, const std::string& name) {
    std::string folder = dir.empty() ? "./" : IncludeTrailingPathDelimiter(dir);
    if (FileExists(folder + name)) return folder + name;
    DIR* d = opendir(folder.c_str());
    if (!d) return "";
    std::string found;
    while (dirent* e = readdir(d)) {
        if (SameText(e->d_name, name) && FileExists(folder + e->d_name)) {
            found = folder + e->d_name;
            break;
        }
    }
    closedir(d);
    return found;
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

bool WriteFileAtomic(const std::string& path, const void* data, size_t size) {
    std::string tmp = path + ".tmp~" + IntToStr(getpid());
    int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    const char* p = static_cast<const char*>(data);
    size_t left = size;
    bool ok = true;
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            ok = false;
            break;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    if (ok && ::fsync(fd) != 0) ok = false;
    if (::close(fd) != 0) ok = false;
    if (ok && std::rename(tmp.c_str(), path.c_str()) != 0) ok = false;
    if (!ok) std::remove(tmp.c_str());
    return ok;
}

void RaiseWriteFailure(const std::string& path) {
    std::string dir = ExtractFilePath(path);
    if (dir.empty()) dir = "./";
    if (!DirectoryExists(dir)) throw EInOutError(EInOutError::PathNotFound);
    // A folder of the file's name cannot be replaced by it; that is no full disk.
    if (!DirectoryWritable(dir) || DirectoryExists(path))
        throw EInOutError(EInOutError::AccessDenied);
    throw EInOutError(EInOutError::DiskFull);
}

void WriteFileOrRaise(const std::string& path, const std::string& text) {
    if (!WriteFileAtomic(path, text)) RaiseWriteFailure(path);
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
