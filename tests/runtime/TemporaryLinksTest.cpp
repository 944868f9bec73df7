// Every writer makes its temporaries exclusively under names nobody can guess: a link planted
// under any name a temporary could take, the old predictable ones included, is skipped and the
// file it names is never written.
#include "bandproc/vRadarDeRez.h"
#include "import/vBandFiles.h"
#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "support/RecordingHooks.h"
#include "support/TestFiles.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

using Bytes = std::vector<uint8_t>;
namespace fs = std::filesystem;

// The names handed to the writers: "t0", "t1", ... Links are planted under the even ones.
int NamesHandedOut = 0;
std::string CountedName() {
    return "t" + std::to_string(NamesHandedOut++);
}
constexpr int PlantedNames = 40;

struct WriterCase {
    const char* Name;
    // Inputs made, the targets the command writes.
    std::function<std::vector<std::string>(const TempDir&)> Prepare;
    // Runs the command and checks its own result.
    std::function<void(const TempDir&)> Run;
};

Bytes Ramp(size_t n, int step) {
    Bytes b(n);
    for (size_t k = 0; k < n; ++k)
        b[k] = static_cast<uint8_t>(k * step % 251);
    return b;
}

Bytes Slice(const Bytes& b, size_t from, size_t n) {
    return Bytes(b.begin() + static_cast<long>(from), b.begin() + static_cast<long>(from + n));
}

const Bytes RawInput = Ramp(3 * 2 * 4, 7); // 3 x 2 samples, four bands
const Bytes NalcInput = Ramp(static_cast<size_t>(NalcFileBytes), 3);

const WriterCase WriterCases[] = {
    {"WriteFileAtomic",
     [](const TempDir& d) { return std::vector<std::string>{d.File("save.png")}; },
     [](const TempDir& d) {
         ASSERT_TRUE(WriteFileAtomic(d.File("save.png"), std::string("picture"),
                                     TReplaceLeave::Chosen(d.File("save.png"))));
         EXPECT_EQ(FileText(d.File("save.png")), "picture");
     }},
    {"WriteMadeFileAtomic",
     [](const TempDir& d) { return std::vector<std::string>{d.File("aero1.dip")}; },
     [](const TempDir& d) {
         ASSERT_TRUE(WriteMadeFileAtomic(d.File("aero1.dip"), std::string("log"),
                                         TReplaceLeave::Chosen(d.File("aero1.dip"))));
         EXPECT_EQ(FileText(d.File("aero1.dip")), "log");
     }},
    {"SplitRawFile",
     [](const TempDir& d) {
         EXPECT_TRUE(WriteFileAtomic(d.File("olinda.raw"), RawInput,
                                     TReplaceLeave::Chosen(d.File("olinda.raw"))));
         std::vector<std::string> t;
         for (int b = 1; b <= 4; ++b)
             t.push_back(d.File("olinda" + RawBandExtension(b)));
         return t;
     },
     [](const TempDir& d) {
         std::vector<std::string> written;
         ASSERT_EQ(SplitRawFile(d.File("olinda.raw"), {3, 2, 4, 0}, written), 0);
         for (int b = 1; b <= 4; ++b)
             EXPECT_EQ(FileBytes(d.File("olinda" + RawBandExtension(b))),
                       Slice(RawInput, static_cast<size_t>(b - 1) * 6, 6));
     }},
    {"SplitNalcFile",
     [](const TempDir& d) {
         EXPECT_TRUE(WriteFileAtomic(d.File("nalc.dat"), NalcInput,
                                     TReplaceLeave::Chosen(d.File("nalc.dat"))));
         std::vector<std::string> t;
         for (const char* ext : NalcExtensions)
             t.push_back(d.File(std::string("nalc") + ext));
         return t;
     },
     [](const TempDir& d) {
         std::vector<std::string> written;
         ASSERT_EQ(SplitNalcFile(d.File("nalc.dat"), written), 0);
         const size_t band = size_t{NalcSide} * NalcSide;
         for (size_t b = 0; b < NalcExtensions.size(); ++b)
             EXPECT_EQ(FileBytes(d.File(std::string("nalc") + NalcExtensions[b])),
                       Slice(NalcInput, b * band, band));
     }},
    {"CropBandFiles",
     [](const TempDir& d) {
         EXPECT_TRUE(WriteFileAtomic(d.File("scene.B1"), RawInput,
                                     TReplaceLeave::Chosen(d.File("scene.B1"))));
         return std::vector<std::string>{d.File("cut.B1")};
     },
     [](const TempDir& d) {
         // Columns 2..3 of rows 1..2 of a band of rows 4 long.
         ASSERT_EQ(CropBandFiles({{d.File("scene.B1"), 0, d.File("cut.B1")}}, 4, {2, 3, 1, 2}), 0);
         EXPECT_EQ(FileBytes(d.File("cut.B1")),
                   (Bytes{RawInput[1], RawInput[2], RawInput[5], RawInput[6]}));
     }},
    {"TProductWriter",
     [](const TempDir& d) {
         // Two rows of two 16-bit samples: 0, 100, 200, 300.
         EXPECT_TRUE(WriteFileAtomic(d.File("radar.B1"), Bytes{0, 0, 100, 0, 200, 0, 44, 1},
                                     TReplaceLeave::Chosen(d.File("radar.B1"))));
         return std::vector<std::string>{d.File("radar.pz8")};
     },
     [](const TempDir& d) {
         std::vector<std::string> list;
         ASSERT_TRUE(RadarDeRez16(d.File("radar.B1"), d.File("radar.pz8"), 2, 2, list));
         EXPECT_EQ(FileBytes(d.File("radar.pz8")), (Bytes{0, 85, 170, 255}));
     }},
};

// Links under every name a temporary of `target` could take: the predictable names writers used
// to make (by process number, numbered per band) and the first names the source hands out.
std::vector<std::string> PlantLinks(const std::string& target, const std::string& victim) {
    std::vector<std::string> links;
    const std::string pid = IntToStr(getpid());
    links.push_back(target + ".tmp~" + pid);
    for (int n = 0; n < 10; ++n)
        links.push_back(target + ".tmp~" + pid + "-" + IntToStr(n));
    for (int n = 0; n < PlantedNames; n += 2)
        links.push_back(ExtractFilePath(target) + ".vorn~t" + IntToStr(n));
    for (const std::string& link : links)
        if (!fs::is_symlink(link)) fs::create_symlink(victim, link);
    return links;
}

class TemporaryLinks : public ::testing::Test {
  protected:
    void SetUp() override {
        NamesHandedOut = 0;
        SetTemporaryNameSource(CountedName);
    }
    void TearDown() override { SetTemporaryNameSource(nullptr); }
    RecordingHooks Rec;
};

} // namespace

TEST_F(TemporaryLinks, NoWriterWritesThroughALinkUnderATemporaryName) {
    for (const WriterCase& c : WriterCases) {
        SCOPED_TRACE(c.Name);
        TempDir dir, elsewhere;
        const std::string victim = elsewhere.File("victim");
        ASSERT_TRUE(WriteFileAtomic(victim, std::string("victim"), TReplaceLeave::Chosen(victim)));
        std::vector<std::string> links;
        for (const std::string& target : c.Prepare(dir))
            for (const std::string& link : PlantLinks(target, victim))
                links.push_back(link);
        NamesHandedOut = 0;
        c.Run(dir);
        EXPECT_GT(NamesHandedOut, 0) << "the temporaries take their names from the source";
        EXPECT_LT(NamesHandedOut, PlantedNames) << "names beyond the planted ones were free";
        EXPECT_EQ(FileText(victim), "victim");
        for (const std::string& link : links)
            EXPECT_TRUE(fs::is_symlink(link)) << link;
        // No temporary is left behind.
        for (const auto& e : fs::directory_iterator(dir.Path()))
            EXPECT_TRUE(e.is_symlink() || e.path().filename().string().rfind(".vorn~", 0) != 0)
                << e.path();
    }
}
