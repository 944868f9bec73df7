#include "platform/PlSystemInfo.h"

#include <gtest/gtest.h>

TEST(SystemInfo, CpuTableGivesModelCountAndFloatingPoint) {
    const std::string x86 = "processor\t: 0\nvendor_id\t: GenuineIntel\nmodel name\t: Test CPU @ "
                            "2.00GHz\nfpu\t\t: yes\nflags\t\t: fpu vme sse\n\nprocessor\t: 1\n"
                            "model name\t: Test CPU @ 2.00GHz\nfpu\t\t: yes\n";
    const std::string arm = "processor\t: 0\nBogoMIPS\t: 50.00\nFeatures\t: fp asimd evtstrm\n\n"
                            "processor\t: 1\nFeatures\t: fp asimd\n\nprocessor\t: 2\n";
    const std::string noFpu = "processor : 0\nmodel name : Old\nflags : vme fpuish\n";
    const std::tuple<const std::string&, const char*, int, bool> cases[] = {
        {x86, "Test CPU @ 2.00GHz", 2, true}, {arm, "", 3, true}, {noFpu, "Old", 1, false}};
    for (const auto& [text, type, count, fpu] : cases) {
        const ProcessorInfo p = ParseCpuInfo(text);
        EXPECT_EQ(p.Type, type);
        EXPECT_EQ(p.Count, count) << type;
        EXPECT_EQ(p.HasFloatingPoint, fpu) << type;
    }
}

TEST(SystemInfo, VersionAndNumberTexts) {
    const std::pair<const char*, const char*> releases[] = {{"6.1.0-18-amd64", "6.1"},
                                                            {"4", "4.0"},
                                                            {"abc", "0.0"},
                                                            {"", "0.0"},
                                                            {"99999999999.3", "1000000.3"}};
    for (const auto& [release, text] : releases)
        EXPECT_EQ(SystemVersionText(ParseKernelRelease(release)), text) << release;
    EXPECT_EQ(GetBuildInfoString({(1u << 16) | 5u, (0u << 16) | 12u}), "1.5  (Build 0.12)");
    EXPECT_EQ(GetBuildInfoString({0xFFFF0000u, 0x0001FFFFu}), "65535.0  (Build 1.65535)");
    const std::pair<uint64_t, const char*> thousands[] = {
        {0, "0"}, {999, "999"}, {1000, "1,000"}, {1234567, "1,234,567"}, {100000, "100,000"}};
    for (const auto& [value, text] : thousands)
        EXPECT_EQ(ThousandsText(value), text);
}

TEST(SystemInfo, MountTableListsRealFileSystemsRootAndPictureFolderFirst) {
    // A desktop's table as the kernel writes it: its own file systems first.
    const std::string mounts = "sysfs /sys sysfs rw,nosuid,nodev,noexec 0 0\n"
                               "proc /proc proc rw,nosuid,nodev,noexec 0 0\n"
                               "udev /dev devtmpfs rw,nosuid,size=8123456k 0 0\n"
                               "devpts /dev/pts devpts rw,gid=5,mode=620 0 0\n"
                               "tmpfs /run tmpfs rw,nosuid,nodev,mode=755 0 0\n"
                               "/dev/nvme0n1p2 / ext4 rw,relatime 0 0\n"
                               "securityfs /sys/kernel/security securityfs rw 0 0\n"
                               "tmpfs /dev/shm tmpfs rw,nosuid,nodev 0 0\n"
                               "cgroup2 /sys/fs/cgroup cgroup2 rw 0 0\n"
                               "systemd-1 /proc/sys/fs/binfmt_misc autofs rw 0 0\n"
                               "mqueue /dev/mqueue mqueue rw 0 0\n"
                               "garbage\n"
                               "/dev/nvme0n1p1 /boot/efi vfat rw 0 0\n"
                               "tmpfs /tmp tmpfs rw 0 0\n"
                               "/dev/sda1 /home ext4 rw 0 0\n"
                               "/dev/sdb1 /media/usb\\040stick vfat rw 0 0\n"
                               "tmpfs /run/user/1000 tmpfs rw 0 0\n"
                               "gvfsd-fuse /run/user/1000/gvfs fuse.gvfsd-fuse rw 0 0\n"
                               "server:/x /mnt/net nfs4 rw 0 0\n";
    using List = std::vector<std::string>;
    const std::tuple<const char*, size_t, List> cases[] = {
        {"/home/ann/pictures/",
         13,
         {"/", "/home", "/boot/efi", "/tmp", "/media/usb stick", "/mnt/net"}},
        {"/media/usb stick/",
         13,
         {"/", "/media/usb stick", "/boot/efi", "/tmp", "/home", "/mnt/net"}},
        // "/homework" is not on "/home".
        {"/homework/", 13, {"/", "/boot/efi", "/tmp", "/home", "/media/usb stick", "/mnt/net"}},
        {"", 13, {"/", "/boot/efi", "/tmp", "/home", "/media/usb stick", "/mnt/net"}},
        {"/home/ann/", 2, {"/", "/home"}},
    };
    for (const auto& [folder, limit, expected] : cases)
        EXPECT_EQ(ParseMountPoints(mounts, folder, limit), expected) << folder;
    // A later mount over a point decides its type.
    EXPECT_EQ(ParseMountPoints("/dev/sda1 / ext4 rw 0 0\ntmpfs /run tmpfs rw 0 0\n"
                               "/dev/sdb1 /run ext4 rw 0 0\n",
                               "", 13),
              (List{"/", "/run"}));
    EXPECT_TRUE(ParseMountPoints("", "/", 13).empty());
}

TEST(SystemInfo, DriveKindsFollowTheFileSystemType) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"ext4", "/", "Hard disk"},         {"vfat", "/media/usb", "Floppy"},
        {"vfat", "/boot/efi", "Hard disk"}, {"nfs4", "/mnt/net", "Network drive"},
        {"iso9660", "/media/cd", "CD-ROM"}, {"tmpfs", "/tmp", "RAM disk"},
        {"proc", "/proc", "Undetermined"}};
    for (const auto& [type, point, text] : cases)
        EXPECT_EQ(DriveKindText(DriveKindOfMount(type, point)), text) << type;
    EXPECT_EQ(DriveKindText(7), "Does not exist");
    EXPECT_EQ(DriveKindText(-1), "Does not exist");
}

// The page cache is memory the kernel gives back on demand: a machine whose memory is nearly all
// cache has little in use.
TEST(SystemInfo, MemoryInUseLeavesOutWhatTheKernelCanGiveBack) {
    const std::string cached = "MemTotal:       16000000 kB\nMemFree:          500000 kB\n"
                               "MemAvailable:   15360000 kB\nBuffers:          100000 kB\n"
                               "Cached:         12000000 kB\nSwapCached:            0 kB\n"
                               "SwapTotal:       2000000 kB\nSwapFree:        1500000 kB\n";
    const std::string oldKernel = "MemTotal: 1000 kB\nMemFree: 100 kB\nBuffers: 50 kB\n"
                                  "Cached: 250 kB\nSwapTotal: 0 kB\nSwapFree: 0 kB\n";
    const std::string overstated = "MemTotal: 1000 kB\nMemAvailable: 1200 kB\n";
    const struct {
        const std::string& Text;
        uint32_t Load;
        uint64_t TotalPhys, AvailPhys, TotalPageFile, AvailPageFile;
    } cases[] = {
        {cached, 4, 16000000 * 1024ull, 15360000 * 1024ull, 18000000 * 1024ull, 16860000 * 1024ull},
        {oldKernel, 60, 1024000, 409600, 1024000, 409600},
        {overstated, 0, 1024000, 1024000, 1024000, 1024000},
        {"", 0, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        const MemoryStatus m = MemoryStatusFromMeminfo(c.Text);
        EXPECT_EQ(m.MemoryLoad, c.Load);
        EXPECT_EQ(m.TotalPhys, c.TotalPhys);
        EXPECT_EQ(m.AvailPhys, c.AvailPhys);
        EXPECT_EQ(m.TotalPageFile, c.TotalPageFile);
        EXPECT_EQ(m.AvailPageFile, c.AvailPageFile);
    }
}
