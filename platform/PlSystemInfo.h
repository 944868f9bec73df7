// What the system-information window and the about box show, read from Linux's own sources:
// /proc/meminfo for memory, /proc/cpuinfo for the processor, uname for the system version, the
// mount table and statvfs for the drives, the password database for the owner, the C library's
// allocator for the heap, and the program's own version record.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct MemoryStatus {
    uint32_t Length = 32;    // the size of the memory-status record the window reports
    uint32_t MemoryLoad = 0; // percent of physical memory in use
    uint64_t TotalPhys = 0;
    uint64_t AvailPhys = 0;
    uint64_t TotalPageFile = 0; // physical memory and swap together, as the commit limit
    uint64_t AvailPageFile = 0;
    uint64_t TotalVirtual = 0; // the process's address space
    uint64_t AvailVirtual = 0;
};
MemoryStatus ReadMemoryStatus();
// The physical and swap figures from the text of /proc/meminfo. Available memory is the
// kernel's own estimate (MemAvailable), which counts the page cache it can drop as free; a
// kernel without it gives free, buffers and cache together.
MemoryStatus MemoryStatusFromMeminfo(const std::string& meminfo);

struct ProcessorInfo {
    std::string Type; // the model name; the machine name when the table has none
    int Count = 0;
    bool HasFloatingPoint = false;
};
ProcessorInfo ParseCpuInfo(const std::string& text);
ProcessorInfo ReadProcessorInfo();

struct SystemVersion {
    int Major = 0;
    int Minor = 0;
};
// "6.1.0-18-amd64" gives 6.1; missing numbers are 0.
SystemVersion ParseKernelRelease(const std::string& release);
SystemVersion ReadSystemVersion();
std::string SystemVersionText(const SystemVersion& v); // "6.1"

// The drives to list from a mount table's text: its real file systems only (the kernel's
// pseudo file systems and the run time's memory ones left out), "/" first, then the one holding
// `folder` when it differs, then the others in the table's order; at most `limit`, with the
// table's octal escapes ("\040" for a blank) undone.
std::vector<std::string> ParseMountPoints(const std::string& mountsText, const std::string& folder,
                                          size_t limit);
std::vector<std::string> FirstMountPoints(const std::string& folder, size_t limit = 13);

enum DriveKindCode : int {
    dkUndetermined = 0,
    dkNoRoot = 1,
    dkRemovable = 2,
    dkFixed = 3,
    dkRemote = 4,
    dkCdRom = 5,
    dkRamDisk = 6,
};
// The kind of a file system type mounted at `mountPoint`.
int DriveKindOfMount(const std::string& fsType, const std::string& mountPoint);
// The kind of a root: dkNoRoot when the path is not a mount point of the mount table.
int DriveKind(const std::string& root);
// The window's text of a kind code: 0 "Undetermined" ... 6 "RAM disk", else "Does not exist".
std::string DriveKindText(int kind);
// Bytes of the file system holding `root`, and bytes free to the user; -1 when unknown.
int64_t DiskSize(const std::string& root);
int64_t DiskFree(const std::string& root);

// The account's full name (the first field of its comment in the password database); false
// when the account has no entry.
bool AccountFullName(std::string& name);

// The allocator's state in the window's ten heap fields.
struct HeapStatus {
    uint64_t TotalAddrSpace = 0;
    uint64_t TotalUncommitted = 0;
    uint64_t TotalCommitted = 0;
    uint64_t TotalAllocated = 0;
    uint64_t TotalFree = 0;
    uint64_t FreeSmall = 0;
    uint64_t FreeBig = 0;
    uint64_t Unused = 0;
    uint64_t Overhead = 0;
    uint32_t HeapErrorCode = 0;
};
HeapStatus ReadHeapStatus();

// The program's version record: two 32-bit words, major and minor in the first, release and
// build in the second, each the high and the low half.
struct VersionRecord {
    uint32_t FileVersionMS = 0;
    uint32_t FileVersionLS = 0;
};
extern const VersionRecord ProgramVersion;

struct BuildInfo {
    uint16_t Major = 0;
    uint16_t Minor = 0;
    uint16_t Release = 0;
    uint16_t Build = 0;
};
BuildInfo GetBuildInfo(const VersionRecord& record);
// "%d.%d  (Build %d.%d)"
std::string GetBuildInfoString(const VersionRecord& record);

// A whole number with "," between thousands: 1234567 gives "1,234,567".
std::string ThousandsText(uint64_t value);
