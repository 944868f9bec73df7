#include "classify/vClassDispatch.h"

#include "classify/vTrainingSites.h"
#include "histogram/vSeedBreaks.h"
#include "runtime/RtFiles.h"
#include "shell/vMacroPlayer.h"
#include "support/EngineTestImage.h"
#include "support/TestFiles.h"

namespace {

using Lines = std::vector<std::string>;

class ClassDispatch : public EngineTestImage {
  protected:
    void SetUp() override {
        EngineTestImage::SetUp();
        SavedTables = SeedBreakTables;
        TrainingSites = {};
        ClassifierFileNames = {};
        for (int band = 0; band < BandCount; ++band)
            SeedBreakTables[band][0] = {0, 20, 40, 60, 80, 100, 120, 140, 160, 255};
    }
    void TearDown() override {
        SeedBreakTables = SavedTables;
        TrainingSites = {};
        ClassifierFileNames = {};
        EngineTestImage::TearDown();
    }
    std::string Touch(const std::string& name) {
        const std::string path = Dir.File(name);
        EXPECT_TRUE(WriteFileAtomic(path, std::string("x"), TReplaceLeave::Chosen(path)));
        return path;
    }

    TempDir Dir;
    std::array<SeedBreakTable, BandCount> SavedTables;
};

TEST_F(ClassDispatch, EachClassifierNeedsItsOwnFiles) {
    const std::string sites = Touch("a.rts"), kb = Touch("a.rkb"), overlay = Touch("a.rdo");
    const std::string none = Dir.File("missing");
    // Per item 0..11, whether it runs with (sites, kb, overlay) present as given.
    const struct {
        std::string Sites, KB, Overlay;
        const char* Runs; // one character per item
    } cases[] = {
        {sites, kb, overlay, "111111111111"}, {sites, "", "", "111111110000"},
        {sites, kb, "", "111111111000"},      {sites, "", overlay, "111111110100"},
        {none, kb, overlay, "000000000000"},  {"", kb, overlay, "000000000000"},
    };
    for (const auto& c : cases) {
        ClassifierFileNames = {c.Sites, c.KB, c.Overlay, "", ""};
        std::string runs;
        for (int item = 0; item < ClassifierItemCount; ++item)
            runs += ClassifierFilesPresent(item) ? '1' : '0';
        EXPECT_EQ(runs, c.Runs) << c.Sites << " " << c.KB << " " << c.Overlay;
    }
}

TEST_F(ClassDispatch, PlayedRunsRefuseValuesBeyondTheTables) {
    const struct {
        Lines Block;
        bool Refused;
    } cases[] = {
        {{"10", "0", "15", "30", "1", "20"}, true}, {{"-1", "0", "15", "30", "1", "20"}, true},
        {{"0", "0", "15", "30", "1", "21"}, true},  {{"0", "0", "15", "30", "1", "20"}, false},
        {{"0", "0", "15", "30", "1", "-4"}, false},
    };
    for (const auto& c : cases) {
        LoadUniform(4, 3, {30, 30, 10});
        Lines lines = {"=0400  Do Stats PBox"};
        lines.insert(lines.end(), c.Block.begin(), c.Block.end());
        EXPECT_TRUE(PlayMacro(lines));
        EXPECT_EQ(Rec.Shown(13), c.Refused) << c.Block[0] << " " << c.Block[5];
        EXPECT_EQ(Rec.PictureChanges > 0, !c.Refused) << c.Block[0] << " " << c.Block[5];
    }
}

TEST_F(ClassDispatch, PlayedRunsSeedOrLoadTheSitesAsTheirChoiceSays) {
    SiteTable onFile{};
    onFile[1].Rmax = 99;
    onFile[12].Count = 5;
    const std::string sitesFile = Dir.File("sites.rts");
    SaveTrainingSiteFile(sitesFile, onFile, TReplaceLeave::Chosen(sitesFile));
    const struct {
        const char* Name;
        Lines Macro;
        int Class1Rmax;  // after the run
        bool Classified; // the Stat Boxer ran
        std::string ErrorBox;
    } cases[] = {
        {"Stat Boxer seeds from its row",
         {"=0400  Do Stats PBox", "0", "1", "15", "30", "1", "20"},
         20,
         true,
         ""},
        {"seed 9 keeps the boxes, no Stat Boxer",
         {"=0400  Do Stats PBox", "9", "0", "15", "30", "1", "20"},
         0,
         false,
         ""},
        {"box classifier on the sites of the file",
         {"=0400  Do Parallel PBox", "9", "2", "15", "30", "1", "20", sitesFile},
         99,
         true,
         ""},
        {"box classifier seeded first",
         {"=0400  Do Parallel PBox", "0", "3", "15", "30", "1", "20", sitesFile},
         20,
         true,
         ""},
        {"a missing site file ends the walk",
         {"=0400  Do Clustered", "0", "5", "15", "30", "1", "20", Dir.File("none.rts"),
          "=0400  Do Stats PBox", "0", "0", "15", "30", "1", "20"},
         0,
         false,
         "File not found"},
    };
    for (const auto& c : cases) {
        TrainingSites = {};
        LoadUniform(4, 3, {30, 30, 10});
        const bool ok = PlayMacro(c.Macro);
        EXPECT_EQ(ok, c.ErrorBox.empty()) << c.Name;
        EXPECT_EQ(TrainingSites[1].Rmax, c.Class1Rmax) << c.Name;
        EXPECT_EQ(Rec.PictureChanges > 0, c.Classified) << c.Name;
        EXPECT_EQ(Rec.ErrorBoxes, c.ErrorBox.empty() ? Lines{} : Lines{c.ErrorBox}) << c.Name;
    }
}

} // namespace
