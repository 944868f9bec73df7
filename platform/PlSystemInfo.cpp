#include "platform/PlSystemInfo.h"

#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"

#include <algorithm>
#include <cstring>
#include <malloc.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/statvfs.h>
#include <sys/utsname.h>
#include <unistd.h>

const VersionRecord ProgramVersion = {0x00010000u, 0x00000001u};

namespace {

std::string Trim(const std::string& s) {
    const size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return {};
    const size_t e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

bool HasWord(const std::string& list, const std::string& word) {
    size_t pos = 0;
    while ((pos = list.find(word, pos)) != std::string::npos) {
        const bool startOk = pos == 0 || list[pos - 1] == ' ' || list[pos - 1] == '\t';
        const size_t end = pos + word.size();
        const bool endOk = end == list.size() || list[end] == ' ' || list[end] == '\t';
        if (startOk && endOk) return true;
        pos = end;
    }
    return false;
}

// Reads the decimal digits of `s` from `pos`, moving `pos` past them; 0 when there are none.
uint64_t LeadingNumber(const std::string& s, size_t& pos) {
    uint64_t v = 0;
    while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9') {
        if (v < UINT64_MAX / 100) v = v * 10 + static_cast<uint64_t>(s[pos] - '0');
        ++pos;
    }
    return v;
}

int SmallNumber(const std::string& s, size_t& pos) {
    const uint64_t v = LeadingNumber(s, pos);
    return v > 1000000 ? 1000000 : static_cast<int>(v);
}

std::string ReadTextFile(const std::string& path) {
    std::string text;
    ReadWholeFile(path, text);
    return text;
}

std::string Unescape(const std::string& field) {
    std::string out;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && field[i + 1] >= '0' &&
            field[i + 1] <= '3' && field[i + 2] >= '0' && field[i + 2] <= '7' &&
            field[i + 3] >= '0' && field[i + 3] <= '7') {
            out += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                                     (field[i + 3] - '0'));
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}

struct MountEntry {
    std::string Point;
    std::string Type;
};

std::vector<MountEntry> ParseMounts(const std::string& text) {
    std::vector<MountEntry> entries;
    for (const std::string& line : SplitLines(text)) {
        std::vector<std::string> fields;
        size_t pos = 0;
        while (fields.size() < 3) {
            const size_t b = line.find_first_not_of(" \t", pos);
            if (b == std::string::npos) break;
            const size_t e = line.find_first_of(" \t", b);
            fields.push_back(line.substr(b, e == std::string::npos ? std::string::npos : e - b));
            if (e == std::string::npos) break;
            pos = e;
        }
        if (fields.size() == 3 && !fields[1].empty() && fields[1][0] == '/')
            entries.push_back({Unescape(fields[1]), fields[2]});
    }
    return entries;
}

std::string NormalizeRoot(std::string root) {
    while (root.size() > 1 && root.back() == '/')
        root.pop_back();
    return root;
}

struct KindOfType {
    const char* Type;
    int Kind;
};

const KindOfType KindsOfTypes[] = {
    {"ext2", dkFixed},    {"ext3", dkFixed},       {"ext4", dkFixed},
    {"xfs", dkFixed},     {"btrfs", dkFixed},      {"f2fs", dkFixed},
    {"jfs", dkFixed},     {"reiserfs", dkFixed},   {"zfs", dkFixed},
    {"overlay", dkFixed}, {"ntfs", dkFixed},       {"ntfs3", dkFixed},
    {"fuseblk", dkFixed}, {"vfat", dkFixed},       {"exfat", dkFixed},
    {"msdos", dkFixed},   {"hfsplus", dkFixed},    {"nfs", dkRemote},
    {"nfs4", dkRemote},   {"cifs", dkRemote},      {"smb3", dkRemote},
    {"smbfs", dkRemote},  {"9p", dkRemote},        {"afs", dkRemote},
    {"ceph", dkRemote},   {"glusterfs", dkRemote}, {"fuse.sshfs", dkRemote},
    {"sshfs", dkRemote},  {"davfs", dkRemote},     {"fuse.davfs2", dkRemote},
    {"iso9660", dkCdRom}, {"udf", dkCdRom},        {"tmpfs", dkRamDisk},
    {"ramfs", dkRamDisk}, {"devtmpfs", dkRamDisk},
};

} // namespace

MemoryStatus MemoryStatusFromMeminfo(const std::string& meminfo) {
    uint64_t total = 0, available = 0, free = 0, buffers = 0, cached = 0, swapTotal = 0,
             swapFree = 0;
    bool hasAvailable = false;
    const struct {
        const char* Key;
        uint64_t* Value;
    } fields[] = {{"MemTotal", &total},   {"MemAvailable", &available}, {"MemFree", &free},
                  {"Buffers", &buffers},  {"Cached", &cached},          {"SwapTotal", &swapTotal},
                  {"SwapFree", &swapFree}};
    for (const std::string& line : SplitLines(meminfo)) {
        const size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        const std::string key = line.substr(0, colon);
        for (const auto& f : fields) {
            if (key != f.Key) continue;
            size_t pos = line.find_first_not_of(" \t", colon + 1);
            if (pos == std::string::npos) break;
            *f.Value = LeadingNumber(line, pos) * 1024; // the table counts in kB
            if (f.Value == &available) hasAvailable = true;
        }
    }
    if (!hasAvailable) available = free + buffers + cached;
    MemoryStatus m;
    m.TotalPhys = total;
    m.AvailPhys = std::min(available, total);
    m.TotalPageFile = total + swapTotal;
    m.AvailPageFile = m.AvailPhys + swapFree;
    if (total > 0) m.MemoryLoad = static_cast<uint32_t>((total - m.AvailPhys) * 100 / total);
    return m;
}

MemoryStatus ReadMemoryStatus() {
    MemoryStatus m = MemoryStatusFromMeminfo(ReadTextFile("/proc/meminfo"));
    struct rlimit limit {};
    if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
        m.TotalVirtual = limit.rlim_cur;
    else
        m.TotalVirtual = sizeof(void*) == 8 ? (uint64_t{1} << 47) : (uint64_t{3} << 30);
    const std::string statm = ReadTextFile("/proc/self/statm");
    size_t pos = 0;
    const uint64_t used = LeadingNumber(statm, pos) * static_cast<uint64_t>(sysconf(_SC_PAGESIZE));
    m.AvailVirtual = used < m.TotalVirtual ? m.TotalVirtual - used : 0;
    return m;
}

ProcessorInfo ParseCpuInfo(const std::string& text) {
    ProcessorInfo info;
    for (const std::string& line : SplitLines(text)) {
        const size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        const std::string key = Trim(line.substr(0, colon));
        const std::string value = Trim(line.substr(colon + 1));
        if (key == "processor")
            ++info.Count;
        else if ((key == "model name" || key == "cpu model" || key == "Processor") &&
                 info.Type.empty())
            info.Type = value;
        else if (key == "fpu")
            info.HasFloatingPoint = info.HasFloatingPoint || value == "yes";
        else if (key == "flags" || key == "Features")
            info.HasFloatingPoint = info.HasFloatingPoint || HasWord(value, "fpu") ||
                                    HasWord(value, "fp") || HasWord(value, "vfp");
    }
    return info;
}

ProcessorInfo ReadProcessorInfo() {
    ProcessorInfo info = ParseCpuInfo(ReadTextFile("/proc/cpuinfo"));
    if (info.Type.empty()) {
        struct utsname u {};
        if (uname(&u) == 0) info.Type = u.machine;
    }
    if (info.Count == 0) info.Count = static_cast<int>(std::max(1L, sysconf(_SC_NPROCESSORS_ONLN)));
    return info;
}

SystemVersion ParseKernelRelease(const std::string& release) {
    SystemVersion v;
    size_t pos = 0;
    v.Major = SmallNumber(release, pos);
    if (pos < release.size() && release[pos] == '.') {
        ++pos;
        v.Minor = SmallNumber(release, pos);
    }
    return v;
}

SystemVersion ReadSystemVersion() {
    struct utsname u {};
    return uname(&u) == 0 ? ParseKernelRelease(u.release) : SystemVersion{};
}

std::string SystemVersionText(const SystemVersion& v) {
    return IntToStr(v.Major) + "." + IntToStr(v.Minor);
}

namespace {

// The kernel's own file systems: they hold no files of the user and report no useful size.
const char* const PseudoFileSystems[] = {
    "proc",       "sysfs",  "devtmpfs",  "devpts",      "cgroup",          "cgroup2",
    "securityfs", "pstore", "bpf",       "debugfs",     "tracefs",         "configfs",
    "fusectl",    "mqueue", "hugetlbfs", "autofs",      "binfmt_misc",     "efivarfs",
    "rpc_pipefs", "nsfs",   "selinuxfs", "fuse.portal", "fuse.gvfsd-fuse",
};

bool Under(const std::string& path, const std::string& point) {
    if (point == "/") return !path.empty() && path[0] == '/';
    return path.compare(0, point.size(), point) == 0 &&
           (path.size() == point.size() || path[point.size()] == '/');
}

bool IsPseudoMount(const MountEntry& e) {
    for (const char* type : PseudoFileSystems)
        if (e.Type == type) return true;
    for (const char* kernelTree : {"/proc", "/sys", "/dev"})
        if (Under(e.Point, kernelTree)) return true;
    // Memory file systems of the system's run time; one on /tmp is the user's RAM disk.
    return (e.Type == "tmpfs" || e.Type == "ramfs") && Under(e.Point, "/run");
}

} // namespace

std::vector<std::string> ParseMountPoints(const std::string& mountsText, const std::string& folder,
                                          size_t limit) {
    // One entry a point, in the order the points first appear; a later mount over a point
    // hides the earlier one, so its type decides.
    std::vector<MountEntry> mounts;
    for (const MountEntry& e : ParseMounts(mountsText)) {
        auto same = std::find_if(mounts.begin(), mounts.end(),
                                 [&](const MountEntry& m) { return m.Point == e.Point; });
        if (same == mounts.end())
            mounts.push_back(e);
        else
            same->Type = e.Type;
    }
    std::erase_if(mounts, IsPseudoMount);
    const MountEntry* holder = nullptr;
    for (const MountEntry& e : mounts)
        if (Under(folder, e.Point) && (!holder || e.Point.size() > holder->Point.size()))
            holder = &e;
    std::vector<std::string> points;
    auto add = [&](const std::string& point) {
        if (points.size() < limit && std::find(points.begin(), points.end(), point) == points.end())
            points.push_back(point);
    };
    for (const MountEntry& e : mounts)
        if (e.Point == "/") add(e.Point);
    if (holder) add(holder->Point);
    for (const MountEntry& e : mounts)
        add(e.Point);
    return points;
}

std::vector<std::string> FirstMountPoints(const std::string& folder, size_t limit) {
    return ParseMountPoints(ReadTextFile("/proc/self/mounts"), folder, limit);
}

int DriveKindOfMount(const std::string& fsType, const std::string& mountPoint) {
    for (const auto& k : KindsOfTypes) {
        if (fsType != k.Type) continue;
        const bool onMedia =
            mountPoint.rfind("/media/", 0) == 0 || mountPoint.rfind("/run/media/", 0) == 0;
        return k.Kind == dkFixed && onMedia ? dkRemovable : k.Kind;
    }
    return dkUndetermined;
}

int DriveKind(const std::string& root) {
    const std::string point = NormalizeRoot(root);
    const std::vector<MountEntry> mounts = ParseMounts(ReadTextFile("/proc/self/mounts"));
    // A later mount over the same point hides the earlier one.
    for (auto it = mounts.rbegin(); it != mounts.rend(); ++it)
        if (it->Point == point) return DriveKindOfMount(it->Type, it->Point);
    return dkNoRoot;
}

std::string DriveKindText(int kind) {
    static const char* const texts[] = {"Undetermined", "Root does not exist", "Floppy",
                                        "Hard disk",    "Network drive",       "CD-ROM",
                                        "RAM disk"};
    return kind >= 0 && kind <= dkRamDisk ? texts[kind] : "Does not exist";
}

int64_t DiskSize(const std::string& root) {
    struct statvfs s {};
    if (root.empty() || statvfs(root.c_str(), &s) != 0) return -1;
    return static_cast<int64_t>(s.f_blocks) * static_cast<int64_t>(s.f_frsize);
}

int64_t DiskFree(const std::string& root) {
    struct statvfs s {};
    if (root.empty() || statvfs(root.c_str(), &s) != 0) return -1;
    return static_cast<int64_t>(s.f_bavail) * static_cast<int64_t>(s.f_frsize);
}

bool AccountFullName(std::string& name) {
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(static_cast<size_t>(size > 0 ? size : 16384));
    struct passwd entry {};
    struct passwd* found = nullptr;
    if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
        return false;
    const std::string gecos = found->pw_gecos ? found->pw_gecos : "";
    name = gecos.substr(0, gecos.find(','));
    return true;
}

HeapStatus ReadHeapStatus() {
    const struct mallinfo2 mi = mallinfo2();
    HeapStatus h;
    h.TotalAddrSpace = mi.arena + mi.hblkhd;
    h.TotalCommitted = h.TotalAddrSpace;
    h.TotalAllocated = mi.uordblks + mi.hblkhd;
    h.TotalFree = mi.fordblks;
    h.FreeSmall = mi.fsmblks;
    h.FreeBig = mi.fordblks > mi.fsmblks ? mi.fordblks - mi.fsmblks : 0;
    h.Unused = mi.keepcost;
    h.Overhead = mi.arena > mi.uordblks + mi.fordblks ? mi.arena - mi.uordblks - mi.fordblks : 0;
    return h;
}

BuildInfo GetBuildInfo(const VersionRecord& record) {
    return {static_cast<uint16_t>(record.FileVersionMS >> 16),
            static_cast<uint16_t>(record.FileVersionMS & 0xFFFF),
            static_cast<uint16_t>(record.FileVersionLS >> 16),
            static_cast<uint16_t>(record.FileVersionLS & 0xFFFF)};
}

std::string GetBuildInfoString(const VersionRecord& record) {
    const BuildInfo b = GetBuildInfo(record);
    return IntToStr(b.Major) + "." + IntToStr(b.Minor) + "  (Build " + IntToStr(b.Release) + "." +
           IntToStr(b.Build) + ")";
}

std::string ThousandsText(uint64_t value) {
    std::string digits = std::to_string(value);
    std::string out;
    const size_t lead = digits.size() % 3 == 0 ? 3 : digits.size() % 3;
    out = digits.substr(0, lead);
    for (size_t i = lead; i < digits.size(); i += 3)
        out += "," + digits.substr(i, 3);
    return out;
}
