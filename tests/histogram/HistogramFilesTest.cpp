#include "histogram/HistogramFixture.h"

#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "runtime/RtRecords.h"

#include <filesystem>
#include <vector>

namespace {

class HistogramFiles : public HistogramFixture {
  protected:
    std::vector<uint8_t> Companion(const std::string& name) const {
        return ::FileBytes(Dir.File(name));
    }
    std::vector<std::string> AdtLines() const {
        std::string text = FileText(Dir.File("scene.adt"));
        return SplitLines(text);
    }
};

const char* const Companions[] = {"scene.adc", "scene.ads", "scene.adt"};
using Perms = std::filesystem::perms;

void SetAdtLine(std::vector<uint8_t>& b, size_t n, const std::string& text) {
    std::vector<std::string> lines = SplitLines(std::string(b.begin(), b.end()));
    lines[n] = text;
    const std::string joined = JoinLinesCRLF(lines);
    b.assign(joined.begin(), joined.end());
}

} // namespace

TEST_F(HistogramFiles, ThreeFilesBesideThePictureInTheirLayouts) {
    ShowSixPixels();
    LoadOrMakeHistogramFiles();
    EXPECT_TRUE(Rec.Messages.empty()) << Rec.Summary();
    for (const char* name : Companions) {
        EXPECT_TRUE(FileExists(Dir.File(name))) << name;
        EXPECT_FALSE(FileExists(name)) << name << " written in the current directory";
    }
    const std::vector<uint8_t> adc = Companion("scene.adc");
    ASSERT_EQ(adc.size(), 3072u);
    EXPECT_EQ(LeI32(&adc[4 * 20]), 3);         // red 20
    EXPECT_EQ(LeI32(&adc[1024 + 4 * 255]), 1); // green 255
    EXPECT_EQ(LeI32(&adc[2048 + 4 * 100]), 3); // blue 100
    const std::vector<uint8_t> ads = Companion("scene.ads");
    ASSERT_EQ(ads.size(), 300u);
    EXPECT_EQ(ads[200 + 10 * 1 + 1], 15); // blue, row 1, element 1
    EXPECT_EQ(ads[10 * 7 + 9], 249);      // red, row 7, element 9

    std::string text = FileText(Dir.File("scene.adt"));
    EXPECT_EQ(text.substr(0, 4), "23\r\n");
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    const std::vector<std::string> lines = SplitLines(text);
    ASSERT_EQ(lines.size(), 36u);
    EXPECT_EQ(lines[1], " 1.03344085462111E+0001"); // red SD = sqrt(106.8)
    EXPECT_EQ(lines[2], " 1.06800000000000E+0002"); // red Variance
    EXPECT_EQ(lines[3], "87");                      // green Mean
    const std::vector<std::string> redSeven = {"10", "40", "20", "20", "140", "6", "31"};
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 9, lines.begin() + 16), redSeven);
    EXPECT_EQ(lines[30], " 9.58333333333333E+0000"); // 12 CoVariance
    for (int n : {1, 2, 4, 5, 7, 8, 30, 31, 32, 33, 34, 35})
        EXPECT_EQ(lines[n].size(), 23u) << n;
}

TEST_F(HistogramFiles, SecondLoadTakesEverythingFromTheFiles) {
    ShowSixPixels();
    LoadOrMakeHistogramFiles();
    // Plant values no computation would give, then change the picture itself: the files win. The
    // median is the one figure taken again from the counts: files written before hold the value
    // below it.
    std::vector<std::string> lines = AdtLines();
    lines[0] = "77";
    lines[11] = "19";
    ASSERT_TRUE(WriteFileAtomic(Dir.File("scene.adt"), JoinLinesCRLF(lines),
                                TReplaceLeave::Chosen(Dir.File("scene.adt"))));
    std::vector<uint8_t> ads = Companion("scene.ads");
    ads[0] = 123;
    ASSERT_TRUE(
        WriteFileAtomic(Dir.File("scene.ads"), ads, TReplaceLeave::Chosen(Dir.File("scene.ads"))));
    LoadUniform(3, 2, {9, 9, 9});
    const int passes = PixelPasses();
    LoadOrMakeHistogramFiles();
    EXPECT_EQ(PixelPasses(), passes);
    EXPECT_TRUE(CountFileExists && SeedFileExists && StatisticsFileExists);
    EXPECT_EQ(RedHistogram[20], 3);
    EXPECT_EQ(RedHistogram[9], 0);
    EXPECT_EQ(BandHistogramStats[BandRed].Mean, 77);
    EXPECT_EQ(BandHistogramStats[BandRed].Median, 20);
    EXPECT_EQ(SeedBreakTables[BandRed][0][0], 123);
    EXPECT_TRUE(Rec.Messages.empty()) << Rec.Summary();
}

TEST_F(HistogramFiles, ZerosAreAnnouncedCountedTwiceAndKept) {
    Load(2, {{0, 10, 20}, {30, 40, 50}, {60, 70, 80}, {90, 0, 255}});
    const Picture before = DisplayedPicture;
    const int passes = PixelPasses();
    LoadOrMakeHistogramFiles();
    EXPECT_EQ(PixelPasses(), passes + 3); // count, replace, count
    EXPECT_NE(std::find(Rec.Status1.begin(), Rec.Status1.end(),
                        "Image has Zeros, will take a while longer..."),
              Rec.Status1.end());
    EXPECT_EQ(RedHistogram[0], 1);
    EXPECT_EQ(GreenHistogram[0], 1);
    EXPECT_EQ(BlueHistogram[0], 0);
    EXPECT_EQ(LeI32(&Companion("scene.adc")[0]), 1);
    EXPECT_EQ(DisplayedPicture.Pixels, before.Pixels);
    EXPECT_EQ(BandHistogramStats[BandRed].Min, 0);
}

// A file under a companion's name that the reader refuses may be anything: an Ada source, notes,
// someone's link. It stays as it is, read-only or not; the figures are made in memory for this
// load, the sound ones are still read, and the status bar names what was refused.
TEST_F(HistogramFiles, RefusedFilesAreLeftAloneAndTheirFiguresKeptInMemory) {
    using Bytes = std::vector<uint8_t>;
    enum Plant { Damaged, ReadOnly, LinkOut, LinkToNothing };
    struct Case {
        int file; // index in Companions
        const char* what;
        Plant plant;
        void (*damage)(Bytes&);
        bool recounts;
    };
    const auto none = [](Bytes&) {};
    const Case cases[] = {
        {0, "one byte short", Damaged, [](Bytes& b) { b.pop_back(); }, true},
        {0, "negative count", ReadOnly, [](Bytes& b) { PutLeI32(&b[8], -1); }, true},
        {0, "bands beyond 32 bits", Damaged,
         [](Bytes& b) {
             PutLeI32(&b[0], 0x7fffffff);
             PutLeI32(&b[4], 1);
         },
         true},
        {0, "bands of different totals", Damaged, [](Bytes& b) { PutLeI32(&b[8], 1); }, true},
        {0, "a link to a sound file outside", LinkOut, none, true},
        {1, "one byte long", ReadOnly, [](Bytes& b) { b.push_back(0); }, false},
        {1, "a link to a sound file outside", LinkOut, none, false},
        {1, "a link to nothing", LinkToNothing, none, false},
        {2, "a line short", Damaged, [](Bytes& b) { b.resize(b.size() - 25); }, false},
        {2, "a real on an integer line", Damaged, [](Bytes& b) { b.insert(b.begin(), '.'); },
         false},
        {2, "a word", ReadOnly, [](Bytes& b) { b[5] = 'x'; }, false},
        {2, "a mode past 255", Damaged, [](Bytes& b) { SetAdtLine(b, 12, "256"); }, false},
        {2, "a mean past 255", Damaged, [](Bytes& b) { SetAdtLine(b, 0, "256"); }, false},
        {2, "blanks past any real file", Damaged, [](Bytes& b) { b.insert(b.begin(), 5000, ' '); },
         false},
        {2, "a link to a sound file outside", LinkOut, none, false},
    };
    ShowSixPixels();
    LoadOrMakeHistogramFiles();
    std::vector<Bytes> good;
    for (const char* name : Companions)
        good.push_back(Companion(name));
    TempDir outside;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(Companions[c.file]) + ": " + c.what);
        const std::string planted = Dir.File(Companions[c.file]);
        const std::string victim = outside.File("victim");
        Bytes bad = good[c.file];
        c.damage(bad);
        std::filesystem::remove(planted);
        std::filesystem::remove(victim);
        if (c.plant == LinkOut || c.plant == LinkToNothing) {
            if (c.plant == LinkOut)
                ASSERT_TRUE(WriteFileAtomic(victim, bad, TReplaceLeave::Chosen(victim)));
            std::filesystem::create_symlink(victim, planted);
        } else {
            ASSERT_TRUE(WriteFileAtomic(planted, bad, TReplaceLeave::Chosen(planted)));
            if (c.plant == ReadOnly) std::filesystem::permissions(planted, Perms::owner_read);
        }
        ClearHistogramState();
        Rec.Clear();
        const int passes = PixelPasses();
        LoadOrMakeHistogramFiles();
        EXPECT_EQ(PixelPasses(), passes + (c.recounts ? 1 : 0));
        for (int i = 0; i < 3; ++i)
            if (i != c.file) EXPECT_EQ(Companion(Companions[i]), good[i]) << Companions[i];
        if (c.plant == LinkOut || c.plant == LinkToNothing) {
            EXPECT_TRUE(std::filesystem::is_symlink(planted));
            EXPECT_EQ(std::filesystem::exists(victim), c.plant == LinkOut);
            if (c.plant == LinkOut) EXPECT_EQ(::FileBytes(victim), bad);
        } else {
            EXPECT_EQ(Companion(Companions[c.file]), bad);
        }
        EXPECT_EQ(BandHistogramStats[BandGreen].Sum, 521);
        EXPECT_EQ(SeedBreakTables[BandBlue][1][1], 15);
        const std::string said = "Refused " + std::string(Companions[c.file]) +
                                 ": counts kept in memory, nothing written";
        EXPECT_EQ(std::count(Rec.Status1.begin(), Rec.Status1.end(), said), 1);
        std::filesystem::remove(planted);
        ASSERT_TRUE(WriteFileAtomic(planted, good[c.file], TReplaceLeave::Chosen(planted)));
    }
}

TEST_F(HistogramFiles, NoBuffersMeansNothingCountedAndNothingWritten) {
    ShowSixPixels();
    ASSERT_TRUE(CountHistograms());
    const BandHistogram red = RedHistogram;
    FreeImageBuffers();
    SetImageName(CurrentImageFolder, "next.png");
    LoadOrMakeHistogramFiles();
    EXPECT_TRUE(Rec.Shown(39977));
    EXPECT_EQ(RedHistogram, red);
    for (const char* name : {"next.adc", "next.ads", "next.adt"})
        EXPECT_FALSE(FileExists(Dir.File(name))) << name;
}

TEST_F(HistogramFiles, CompanionNamesFromThePictureName) {
    const std::pair<const char*, const char*> names[] = {
        {"scene.png", "scene.adc"}, {"Scene.BMP", "Scene.adc"}, {"a.b.bmp", "a.b.adc"},
        {"scene", "scene.adc"},     {"scene.", "scene.adc"},    {"s.bm", "s.adc"},
        {"s.jpeg", "s.adcg"},
    };
    for (auto [picture, companion] : names)
        EXPECT_EQ(HistogramFileName(picture, "adc"), companion);
}
