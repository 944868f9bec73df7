#include "platform/PlSystemInfo.h"

#include <gtest/gtest.h>

TEST(SystemInfo, CpuTableGivesModelCountAndFloatingPoint) {
    const std::string x86 = "processor\t: 0\nvendor_id\t: GenuineIntel\nmodel name\t: Test CPU @ "
                            "2.00GHz\nfpu\t\t: yes\nflags\t\t: fpu vme sse\n\nprocessor\t: 1\n"
                            "model name\t: Test CPU @ 2.00GHz\nfpu\t\t: yes\n";
    const std::string arm = "processor\t: 0\nBogoMIPS\t: 50.00\nFeatures\t: fp asimd evtstrm\n\n"
                            "processor\t: 1\nFeatures\t: fp asimd\n\nprocessor\t: 2\n";
    const std::string noFpu = "processor : 0\nmodel name : Old\nflags : vme fpuish\n";
    const struct {
        const std::string& Text;
        const char* Type;
        int Count;
        bool Fpu;
    } cases[] = {
        {x86, "Test CPU @ 2.00GHz", 2, true},
        {arm, "", 3, true},
        {noFpu, "Old", 1, false},
    };
    for (const auto& c : cases) {
        const ProcessorInfo p = ParseCpuInfo(c.Text);
        EXPECT_EQ(p.Type, c.Type);
        EXPECT_EQ(p.Count, c.Count);
        EXPECT_EQ(p.HasFloatingPoint, c.Fpu) << c.Type;
    }
}

TEST(SystemInfo, KernelReleaseGivesMajorAndMinor) {
    const struct {
        const char* Release;
        const char* Text;
    } cases[] = {
        {"6.1.0-18-amd64", "6.1"},      {"5.15", "5.15"}, {"4", "4.0"}, {"abc", "0.0"}, {"", "0.0"},
        {"99999999999.3", "1000000.3"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SystemVersionText(ParseKernelRelease(c.Release)), c.Text) << c.Release;
}

TEST(SystemInfo, MountTableGivesTheFirstMountPoints) {
    const std::string mounts = "/dev/sda1 / ext4 rw 0 0\n"
                               "proc /proc proc rw 0 0\n"
                               "garbage\n"
                               "/dev/sdb1 /media/usb\\040stick vfat rw 0 0\n"
                               "tmpfs / tmpfs rw 0 0\n"
                               "server:/x /mnt/net nfs4 rw 0 0\n";
    EXPECT_EQ(ParseMountPoints(mounts, 13),
              (std::vector<std::string>{"/", "/proc", "/media/usb stick", "/mnt/net"}));
    EXPECT_EQ(ParseMountPoints(mounts, 2), (std::vector<std::string>{"/", "/proc"}));
    EXPECT_TRUE(ParseMountPoints("", 13).empty());
}

TEST(SystemInfo, DriveKindsFollowTheFileSystemType) {
    const struct {
        const char* Type;
        const char* Point;
        const char* Text;
    } cases[] = {
        {"ext4", "/", "Hard disk"},         {"vfat", "/media/usb", "Floppy"},
        {"vfat", "/boot/efi", "Hard disk"}, {"nfs4", "/mnt/net", "Network drive"},
        {"iso9660", "/media/cd", "CD-ROM"}, {"tmpfs", "/tmp", "RAM disk"},
        {"proc", "/proc", "Undetermined"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DriveKindText(DriveKindOfMount(c.Type, c.Point)), c.Text) << c.Type;
    EXPECT_EQ(DriveKindText(DriveKind("/nonexistent/root")), "Root does not exist");
    EXPECT_EQ(DriveKindText(7), "Does not exist");
    EXPECT_EQ(DriveKindText(-1), "Does not exist");
}

TEST(SystemInfo, MissingDriveReportsUnknownSizes) {
    EXPECT_EQ(DiskSize("/nonexistent/root"), -1);
    EXPECT_EQ(DiskFree("/nonexistent/root"), -1);
    EXPECT_EQ(DiskSize(""), -1);
    EXPECT_GT(DiskSize("/"), 0);
    EXPECT_GE(DiskFree("/"), 0);
    EXPECT_LE(DiskFree("/"), DiskSize("/"));
}

TEST(SystemInfo, BuildStringSplitsTheTwoVersionWords) {
    EXPECT_EQ(GetBuildInfoString({(1u << 16) | 5u, (0u << 16) | 12u}), "1.5  (Build 0.12)");
    EXPECT_EQ(GetBuildInfoString({0xFFFF0000u, 0x0001FFFFu}), "65535.0  (Build 1.65535)");
}

TEST(SystemInfo, ThousandsAreSeparatedByCommas) {
    const struct {
        uint64_t Value;
        const char* Text;
    } cases[] = {
        {0, "0"}, {999, "999"}, {1000, "1,000"}, {1234567, "1,234,567"}, {100000, "100,000"}};
    for (const auto& c : cases)
        EXPECT_EQ(ThousandsText(c.Value), c.Text);
}

TEST(SystemInfo, MemoryStatusIsConsistent) {
    const MemoryStatus m = ReadMemoryStatus();
    EXPECT_EQ(m.Length, 32u);
    EXPECT_GT(m.TotalPhys, 0u);
    EXPECT_LE(m.AvailPhys, m.TotalPhys);
    EXPECT_LE(m.MemoryLoad, 100u);
    EXPECT_GE(m.TotalPageFile, m.TotalPhys);
    EXPECT_LE(m.AvailVirtual, m.TotalVirtual);
}
