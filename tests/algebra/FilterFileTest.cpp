#include "algebra/vUFilterFile.h"
#include "runtime/RtErrors.h"
#include "runtime/RtFiles.h"
#include "shell/vGlobal.h"
#include "support/RecordingHooks.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::string Golden(const std::string& name) {
    return TestData("kernels/") + name;
}

TEST(FilterFile, SizeComesFromTheExtensionAlone) {
    const std::pair<const char*, int32_t> cases[] = {
        {"k.RL3", 3}, {"k.RR5", 5}, {"dir/k.rr5", 5}, {"k.R27", 7},  {"k.R89", 9},
        {"k.Rl9", 9}, {"k.XL3", 3}, {"a.b/k.RL7", 7}, {"k.RL35", 3}, {"k.RX5", 0},
        {"k.RL4", 0}, {"k.RL1", 0}, {"k.RL0", 0},     {"k.RLx", 0},  {"k.RL", 0},
        {"k.R", 0},   {"k.", 0},    {"kernel", 0},    {"", 0},       {"a.RL3/kernel", 0},
        {"k.R43", 0},
    };
    for (const auto& [name, size] : cases) {
        RecordingHooks rec;
        EXPECT_EQ(KernelSizeOfName(name), size) << name;
        EXPECT_EQ(rec.Shown(39982), size == 0) << name;
        EXPECT_EQ(rec.Messages.size(), size == 0 ? 1u : 0u) << name;
    }
}

// Kernels written equal the files made by hand from the layout, and each file reads back in file
// order; cells beyond the name's 3 x 3 are not written.
TEST(FilterFile, GoldenFilesReadAndWriteByteForByte) {
    RecordingHooks rec;
    TempDir dir;
    FilterKernels ramp, sobel, laplace;
    ramp.Kind = KernelKind::Real;
    sobel.Kind = KernelKind::Pair;
    laplace.Kind = KernelKind::Integer;
    const double s1[9] = {-1, 0, 1, -2, 0, 2, -1, 0, 1};
    const double s2[9] = {-1, -2, -1, 0, 0, 0, 1, 2, 1};
    const int32_t lap[9] = {0, -1, 0, -1, 4, -1, 0, -1, 0};
    for (int i = 0; i < 9; ++i) {
        ramp.Real[0][i] = i + 1.0;
        sobel.Real[0][i] = s1[i];
        sobel.Real[1][i] = s2[i];
        laplace.Integer[i] = lap[i];
    }
    ramp.Real[0][80] = 99.0;
    const std::pair<const char*, const FilterKernels*> cases[] = {
        {"ramp.RR3", &ramp}, {"sobel.R23", &sobel}, {"laplace.RL3", &laplace}};
    for (const auto& [name, kernels] : cases) {
        ASSERT_TRUE(
            WriteFilterFile(dir.File(name), *kernels, TReplaceLeave::Chosen(dir.File(name))));
        EXPECT_EQ(FileBytes(dir.File(name)), FileBytes(Golden(name))) << name;
        FilterKernels back;
        ASSERT_TRUE(ReadFilterFile(Golden(name), kernels->Kind, back));
        EXPECT_EQ(back.Size, 3);
        EXPECT_EQ(FilterKernelSize, 3);
        if (kernels->Kind == KernelKind::Integer)
            EXPECT_EQ(back.Integer, laplace.Integer);
        else
            for (int s = 0; s < KernelStages(kernels->Kind); ++s)
                for (int i = 0; i < 9; ++i)
                    EXPECT_EQ(back.Real[s][i], kernels->Real[s][i]) << name << " " << i;
    }
    EXPECT_TRUE(rec.Messages.empty()) << rec.Summary();
}

// A file shorter than its kernels is a failed read, told by the run time's error; a name
// without a size is refused with its message. Either way the kernels and size stay.
TEST(FilterFile, RefusedFilesChangeNothing) {
    TempDir dir;
    const std::vector<uint8_t> ramp = FileBytes(Golden("ramp.RR3"));
    const std::vector<uint8_t> shorter(ramp.begin(), ramp.end() - 1);
    const std::tuple<const char*, std::vector<uint8_t>, KernelKind, const char*> cases[] = {
        {"short.RR3", shorter, KernelKind::Real, "Read beyond end of file"},
        {"five.RR5", ramp, KernelKind::Real, "Read beyond end of file"},
        {"pair.R23", ramp, KernelKind::Pair, "Read beyond end of file"}, // one stage of two
        {"empty.RL3", {}, KernelKind::Integer, "Read beyond end of file"},
        {"digit.RR4", ramp, KernelKind::Real, nullptr},
    };
    for (const auto& [name, bytes, kind, error] : cases) {
        ASSERT_TRUE(WriteFileAtomic(dir.File(name), bytes, TReplaceLeave::Chosen(dir.File(name))));
        RecordingHooks rec;
        FilterKernelSize = 5;
        FilterKernels k;
        k.Real[0][0] = 42.0;
        EXPECT_EQ(RunGuarded([&] { EXPECT_FALSE(ReadFilterFile(dir.File(name), kind, k)); }),
                  error == nullptr)
            << name;
        EXPECT_EQ(rec.ErrorBoxes,
                  error ? std::vector<std::string>{error} : std::vector<std::string>{})
            << name;
        EXPECT_EQ(rec.Shown(39982), error == nullptr) << name;
        EXPECT_EQ(rec.Messages.size(), error ? 0u : 1u) << name;
        EXPECT_EQ(k.Real[0][0], 42.0) << name;
        EXPECT_EQ(FilterKernelSize, 5) << name;
    }
    FilterKernelSize = 3;
}

// Whatever follows the kernels is not read: a real kernel with one byte more, the first half of
// a real file read as integers, and a pair followed by a third stage.
TEST(FilterFile, LongerFilesGiveTheirFirstKernels) {
    TempDir dir;
    const std::vector<uint8_t> ramp = FileBytes(Golden("ramp.RR3"));
    const std::vector<uint8_t> sobel = FileBytes(Golden("sobel.R23"));
    std::vector<uint8_t> longer = ramp;
    longer.push_back(0x7F);
    std::vector<uint8_t> pairAndMore = sobel;
    pairAndMore.insert(pairAndMore.end(), ramp.begin(), ramp.end());
    struct Case {
        const char* Name;
        const std::vector<uint8_t>* Bytes;
        KernelKind Kind;
    } cases[] = {{"long.RR3", &longer, KernelKind::Real},
                 {"int.RL3", &ramp, KernelKind::Integer},
                 {"pair.R23", &pairAndMore, KernelKind::Pair}};
    for (const Case& c : cases) {
        ASSERT_TRUE(
            WriteFileAtomic(dir.File(c.Name), *c.Bytes, TReplaceLeave::Chosen(dir.File(c.Name))));
        RecordingHooks rec;
        FilterKernelSize = 5;
        FilterKernels k;
        ASSERT_TRUE(ReadFilterFile(dir.File(c.Name), c.Kind, k)) << c.Name;
        EXPECT_TRUE(rec.Messages.empty()) << c.Name << rec.Summary();
        EXPECT_EQ(FilterKernelSize, 3) << c.Name;
        for (int i = 0; i < 9; ++i) {
            const uint8_t* at = c.Bytes->data();
            if (c.Kind == KernelKind::Integer) {
                const int32_t expected = static_cast<int32_t>(
                    uint32_t{at[4 * i]} | uint32_t{at[4 * i + 1]} << 8 |
                    uint32_t{at[4 * i + 2]} << 16 | uint32_t{at[4 * i + 3]} << 24);
                EXPECT_EQ(k.Integer[i], expected) << c.Name << " " << i;
            } else {
                const double sobelFirst[9] = {-1, 0, 1, -2, 0, 2, -1, 0, 1};
                EXPECT_EQ(k.Real[0][i], c.Kind == KernelKind::Pair ? sobelFirst[i] : i + 1.0)
                    << c.Name << " " << i;
            }
        }
        if (c.Kind == KernelKind::Pair) {
            EXPECT_EQ(k.Real[1][7], 2.0);
        }
    }
    FilterKernelSize = 3;
}

TEST(FilterFile, WriteWithoutSizeLeavesTheOldFile) {
    TempDir dir;
    ASSERT_TRUE(WriteFileAtomic(dir.File("k.RL6"), std::string("old"),
                                TReplaceLeave::Chosen(dir.File("k.RL6"))));
    RecordingHooks rec;
    FilterKernels k;
    EXPECT_FALSE(WriteFilterFile(dir.File("k.RL6"), k, TReplaceLeave::Chosen(dir.File("k.RL6"))));
    EXPECT_TRUE(rec.Shown(39982));
    std::string text = FileText(dir.File("k.RL6"));
    EXPECT_EQ(text, "old");
}

} // namespace
