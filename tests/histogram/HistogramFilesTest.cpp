#include "histogram/HistogramFixture.h"

#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "runtime/RtRecords.h"

#include <filesystem>
#include <vector>

namespace {

class HistogramFiles : public HistogramFixture {
  protected:
    void ShowSixPixels() {
        ShowPicture(3, {{10, 1, 200},
                        {20, 5, 20},
                        {20, 5, 100}, //
                        {30, 5, 100},
                        {20, 250, 100},
                        {40, 255, 50}});
    }
    std::vector<uint8_t> Bytes(const std::string& name) const {
        std::vector<uint8_t> b;
        EXPECT_TRUE(ReadWholeFile(Dir.File(name), b)) << name;
        return b;
    }
    std::vector<std::string> AdtLines() const {
        std::string text;
        EXPECT_TRUE(ReadWholeFile(Dir.File("scene.adt"), text));
        return SplitLines(text);
    }
    void WriteAdtLines(const std::vector<std::string>& lines) const {
        ASSERT_TRUE(WriteFileAtomic(Dir.File("scene.adt"), JoinLinesCRLF(lines)));
    }
};

const char* const Companions[] = {"scene.adc", "scene.ads", "scene.adt"};

} // namespace

TEST_F(HistogramFiles, ThreeFilesBesideThePictureInTheirLayouts) {
    ShowSixPixels();
    LoadOrMakeHistogramFiles();
    EXPECT_TRUE(Rec.Messages.empty()) << Rec.Summary();
    for (const char* name : Companions) {
        EXPECT_TRUE(FileExists(Dir.File(name))) << name;
        EXPECT_FALSE(FileExists(name)) << name << " written in the current directory";
    }
    const std::vector<uint8_t> adc = Bytes("scene.adc");
    ASSERT_EQ(adc.size(), 3072u);
    EXPECT_EQ(LeI32(&adc[4 * 20]), 3);         // red 20
    EXPECT_EQ(LeI32(&adc[1024 + 4 * 255]), 1); // green 255
    EXPECT_EQ(LeI32(&adc[2048 + 4 * 100]), 3); // blue 100
    const std::vector<uint8_t> ads = Bytes("scene.ads");
    ASSERT_EQ(ads.size(), 300u);
    EXPECT_EQ(ads[200 + 10 * 1 + 1], 15); // blue, row 1, element 1
    EXPECT_EQ(ads[10 * 7 + 9], 249);      // red, row 7, element 9

    std::string text;
    ASSERT_TRUE(ReadWholeFile(Dir.File("scene.adt"), text));
    EXPECT_EQ(text.substr(0, 4), "23\r\n");
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    const std::vector<std::string> lines = SplitLines(text);
    ASSERT_EQ(lines.size(), 36u);
    EXPECT_EQ(lines[1], " 1.03344085462111E+0001"); // red SD = sqrt(106.8)
    EXPECT_EQ(lines[2], " 1.06800000000000E+0002"); // red Variance
    EXPECT_EQ(lines[3], "87");                      // green Mean
    const std::vector<std::string> redSeven = {"10", "40", "19", "20", "140", "6", "31"};
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 9, lines.begin() + 16), redSeven);
    EXPECT_EQ(lines[30], " 9.58333333333333E+0000"); // 12 CoVariance
    for (int n : {1, 2, 4, 5, 7, 8, 30, 31, 32, 33, 34, 35})
        EXPECT_EQ(lines[n].size(), 23u) << n;
}

TEST_F(HistogramFiles, ReadBackAndWrittenAgainByteForByte) {
    ShowSixPixels();
    LoadOrMakeHistogramFiles();
    const int passes = HistogramPixelPasses;
    ClearHistogramState();
    LoadOrMakeHistogramFiles();
    EXPECT_EQ(HistogramPixelPasses, passes);

    TempDir other;
    ImageDirectory = other.Path();
    CheckCountFile();
    CheckSeedFile();
    CheckStatisticsFile();
    EXPECT_FALSE(CountFileExists || SeedFileExists || StatisticsFileExists);
    ASSERT_TRUE(WriteCountFile());
    ASSERT_TRUE(WriteSeedFile());
    ASSERT_TRUE(WriteStatisticsFile());
    for (const char* name : Companions) {
        std::vector<uint8_t> again;
        ASSERT_TRUE(ReadWholeFile(other.File(name), again));
        EXPECT_EQ(again, Bytes(name)) << name;
    }
}

TEST_F(HistogramFiles, SecondLoadTakesEverythingFromTheFiles) {
    ShowSixPixels();
    LoadOrMakeHistogramFiles();
    const int passes = HistogramPixelPasses;
    // Plant values no computation would give, then change the picture itself: the files win.
    std::vector<std::string> lines = AdtLines();
    lines[0] = "77";
    WriteAdtLines(lines);
    std::vector<uint8_t> ads = Bytes("scene.ads");
    ads[0] = 123;
    ASSERT_TRUE(WriteFileAtomic(Dir.File("scene.ads"), ads));
    ShowUniform(3, 2, {9, 9, 9});

    LoadOrMakeHistogramFiles();
    EXPECT_EQ(HistogramPixelPasses, passes);
    EXPECT_TRUE(CountFileExists && SeedFileExists && StatisticsFileExists);
    EXPECT_EQ(RedHistogram[20], 3);
    EXPECT_EQ(RedHistogram[9], 0);
    EXPECT_EQ(BandHistogramStats[BandRed].Mean, 77);
    EXPECT_EQ(SeedBreakTables[BandRed][0][0], 123);
    EXPECT_TRUE(Rec.Messages.empty()) << Rec.Summary();
}

TEST_F(HistogramFiles, OnlyTheStatisticsFileMissingRecomputesTablesInMemoryOnly) {
    ShowSixPixels();
    LoadOrMakeHistogramFiles();
    std::vector<uint8_t> ads = Bytes("scene.ads");
    ads[10 * 1 + 1] = 99; // red best-fit break 1, computed as 15
    ASSERT_TRUE(WriteFileAtomic(Dir.File("scene.ads"), ads));
    std::filesystem::remove(Dir.File("scene.adt"));

    LoadOrMakeHistogramFiles();
    EXPECT_EQ(SeedBreakTables[BandRed][1][1], 15);
    EXPECT_EQ(Bytes("scene.ads"), ads);
    EXPECT_EQ(AdtLines().size(), 36u);
}

TEST_F(HistogramFiles, ZerosAreAnnouncedCountedTwiceAndKept) {
    ShowPicture(2, {{0, 10, 20}, {30, 40, 50}, {60, 70, 80}, {90, 0, 255}});
    const Picture before = DisplayedPicture;
    const int passes = HistogramPixelPasses;
    LoadOrMakeHistogramFiles();
    EXPECT_EQ(HistogramPixelPasses, passes + 3); // count, replace, count
    ASSERT_FALSE(Rec.Status1.empty());
    EXPECT_NE(std::find(Rec.Status1.begin(), Rec.Status1.end(),
                        "Image has Zeros, will take a while longer..."),
              Rec.Status1.end());
    EXPECT_EQ(RedHistogram[0], 1);
    EXPECT_EQ(GreenHistogram[0], 1);
    EXPECT_EQ(BlueHistogram[0], 0);
    EXPECT_EQ(LeI32(&Bytes("scene.adc")[0]), 1);
    EXPECT_EQ(DisplayedPicture.Pixels, before.Pixels);
    EXPECT_EQ(BandHistogramStats[BandRed].Min, 0);
}

TEST_F(HistogramFiles, DamagedFilesCountAsAbsentAndAreMadeAgain) {
    struct Case {
        const char* file;
        const char* what;
        void (*damage)(std::vector<uint8_t>&);
        bool recounts;
    };
    const Case cases[] = {
        {"scene.adc", "one byte short", [](std::vector<uint8_t>& b) { b.pop_back(); }, true},
        {"scene.adc", "one byte long", [](std::vector<uint8_t>& b) { b.push_back(0); }, true},
        {"scene.adc", "negative count", [](std::vector<uint8_t>& b) { PutLeI32(&b[8], -1); }, true},
        {"scene.adc", "bands beyond 32 bits",
         [](std::vector<uint8_t>& b) {
             PutLeI32(&b[0], 0x7fffffff);
             PutLeI32(&b[4], 1);
         },
         true},
        {"scene.ads", "one byte short", [](std::vector<uint8_t>& b) { b.pop_back(); }, false},
        {"scene.ads", "one byte long", [](std::vector<uint8_t>& b) { b.push_back(0); }, false},
        {"scene.adt", "a line short", [](std::vector<uint8_t>& b) { b.resize(b.size() - 25); },
         false},
        {"scene.adt", "a line more",
         [](std::vector<uint8_t>& b) {
             b.insert(b.end(), {'1', '\r', '\n'});
         },
         false},
        {"scene.adt", "a real on an integer line",
         [](std::vector<uint8_t>& b) { b.insert(b.begin(), '.'); }, false},
        {"scene.adt", "a word", [](std::vector<uint8_t>& b) { b[5] = 'x'; }, false},
        {"scene.adt", "empty", [](std::vector<uint8_t>& b) { b.clear(); }, false},
    };
    ShowSixPixels();
    LoadOrMakeHistogramFiles();
    std::vector<std::vector<uint8_t>> good;
    for (const char* name : Companions)
        good.push_back(Bytes(name));
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + ": " + c.what);
        const int index = c.file[8] == 'c' ? 0 : (c.file[8] == 's' ? 1 : 2);
        std::vector<uint8_t> bad = good[index];
        c.damage(bad);
        ASSERT_TRUE(WriteFileAtomic(Dir.File(c.file), bad));
        ClearHistogramState();
        const int passes = HistogramPixelPasses;
        LoadOrMakeHistogramFiles();
        EXPECT_EQ(HistogramPixelPasses, passes + (c.recounts ? 1 : 0));
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(Bytes(Companions[i]), good[i]) << Companions[i];
        EXPECT_EQ(BandHistogramStats[BandGreen].Sum, 521);
    }
}

TEST_F(HistogramFiles, CountFileOfAnotherPictureIsReportedPerBandPerComputation) {
    ShowSixPixels();
    LoadOrMakeHistogramFiles();
    std::filesystem::remove(Dir.File("scene.ads"));
    std::filesystem::remove(Dir.File("scene.adt"));
    ShowUniform(2, 2, {1, 2, 3});
    LoadOrMakeHistogramFiles();
    EXPECT_EQ(Count(39981), 6);
    EXPECT_EQ(BandHistogramStats[BandRed].Count, 6); // still computed and kept
    EXPECT_EQ(AdtLines()[14], "6");

    Rec.Clear();
    std::filesystem::remove(Dir.File("scene.adt"));
    LoadOrMakeHistogramFiles();
    EXPECT_EQ(Count(39981), 3);
}

TEST_F(HistogramFiles, NoBuffersMeansNothingCountedAndNothingWritten) {
    ShowSixPixels();
    ASSERT_TRUE(CountHistograms());
    const BandHistogram red = RedHistogram;
    FreeImageBuffers();
    CurrentImageName = "next.png";
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

TEST_F(HistogramFiles, ExistingFilesAreFoundWhateverTheirCase) {
    ShowSixPixels();
    LoadOrMakeHistogramFiles();
    for (const char* ext : {"adc", "ads", "adt"})
        std::filesystem::rename(Dir.File(std::string("scene.") + ext),
                                Dir.File(std::string("SCENE.") + UpperCase(ext)));
    const int passes = HistogramPixelPasses;
    ClearHistogramState();
    LoadOrMakeHistogramFiles();
    EXPECT_EQ(HistogramPixelPasses, passes);
    EXPECT_EQ(CountFileName, Dir.File("SCENE.ADC"));
    EXPECT_EQ(BandHistogramStats[BandBlue].Sum, 570);
    EXPECT_FALSE(FileExists(Dir.File("scene.adt")));
}
