#include "bandproc/vUPrepare.h"
#include "shell/vGlobal.h"

#include "BandFixture.h"

namespace {

Bytes Noise(size_t n) {
    Bytes b(n);
    uint32_t seed = 7;
    for (auto& x : b) {
        seed = seed * 1664525u + 1013904223u;
        x = static_cast<uint8_t>(seed >> 24);
    }
    return b;
}

using BandTilesTest = BandTest;

TEST_F(BandTilesTest, FourTilesOfARampMatchTheHandWrittenTiles) {
    Band("ramp5x3.raw", FileBytes(BandData("bands/ramp5x3.raw")), 0);
    Subset(0, 0, 5, 3);
    SetImageName(Dir.Path(), "shown.png");
    std::vector<std::string> list{"earlier"};
    ASSERT_TRUE(QuadDivide(2, list));
    EXPECT_EQ(list, (std::vector<std::string>{"earlier", "ramp5x3A001.raw", "2", "1",
                                              "ramp5x3A002.raw", "3", "1", "ramp5x3A003.raw", "2",
                                              "2", "ramp5x3A004.raw", "3", "2"}));
    for (const char* t :
         {"ramp5x3A001.raw", "ramp5x3A002.raw", "ramp5x3A003.raw", "ramp5x3A004.raw"})
        EXPECT_EQ(Product(t), FileBytes(BandData(std::string("bands/") + t))) << t;
    // The shown picture keeps its name: the next Save writes it to its own file, not a tile.
    EXPECT_EQ(CurrentImageName, "shown.png");
    EXPECT_EQ(Rec.BandHints, std::vector<std::string>{"Processing Band"});
}

TEST_F(BandTilesTest, LastColumnAndRowTakeTheRemainders) {
    const struct {
        int layout;
        int64_t w, h;
        std::vector<int64_t> widths, heights;
    } cases[] = {
        {3, 1000, 600, {250, 250, 250, 250}, {300, 300}},
        {3, 1001, 601, {250, 250, 250, 251}, {300, 301}},
        {0, 7, 5, {7}, {2, 3}},
        {1, 7, 5, {3, 4}, {5}},
        {6, 17, 9, {2, 2, 2, 2, 2, 2, 2, 3}, {1, 1, 1, 1, 1, 1, 1, 2}},
    };
    for (const auto& c : cases) {
        Band("scene.raw", Noise(static_cast<size_t>(c.w * c.h)), 0);
        Subset(0, 0, c.w, c.h);
        std::vector<std::string> list;
        ASSERT_TRUE(QuadDivide(c.layout, list));
        const size_t nx = c.widths.size(), ny = c.heights.size();
        ASSERT_EQ(list.size(), 3 * nx * ny) << c.layout;
        for (size_t t = 0; t < nx * ny; ++t) {
            EXPECT_EQ(list[3 * t + 1], std::to_string(c.widths[t % nx])) << c.layout << " " << t;
            EXPECT_EQ(list[3 * t + 2], std::to_string(c.heights[t / nx])) << c.layout << " " << t;
            EXPECT_EQ(Product(list[3 * t]).size(),
                      static_cast<size_t>(c.widths[t % nx] * c.heights[t / nx]));
        }
    }
}

TEST_F(BandTilesTest, DivideStopsWhenTheNumbersRunOutAndLeavesNoTile) {
    Band("bandA998.raw", Bytes(16, 1), 0);
    Subset(0, 0, 4, 4);
    std::vector<std::string> list;
    EXPECT_FALSE(QuadDivide(2, list));
    EXPECT_TRUE(Rec.Shown(39983));
    EXPECT_TRUE(list.empty());
    EXPECT_FALSE(Exists("bandA999.raw"));
    Subset(0, 0, 3, 4);
    EXPECT_FALSE(QuadDivide(6, list));
    EXPECT_TRUE(Rec.Shown(36));
}

TEST_F(BandTilesTest, JoinsRefuseTilesThatDoNotFit) {
    Band("t1.raw", Bytes(500 * 2, 1), 0);
    Band("t2.raw", Bytes(501 * 2, 2), 1);
    Band("t3.raw", Bytes(500 * 3, 3), 2);
    Band("t4.raw", Bytes(501 * 2, 4), 3);
    const std::vector<std::string> list = {"t1.raw", "500", "2", "t2.raw", "501", "2",
                                           "t3.raw", "500", "3", "t4.raw", "501", "2"};
    std::vector<std::string> processed;
    std::string edit = "joined.raw";
    EXPECT_FALSE(CombineTwoVertical(list, processed, edit));
    EXPECT_TRUE(Rec.Shown(39992));
    EXPECT_FALSE(CombineFour(list, processed, edit));
    EXPECT_TRUE(Rec.Shown(39990));
    EXPECT_EQ(Rec.Messages.back().Text, "Horizontal height: 1and2, 3and4 must be same "
                                        "height\r\nVertical width: 1and3, 2and4 must be same "
                                        "width");
    SelectedBandFiles[1] = Dir.File("unlisted.raw");
    EXPECT_FALSE(CombineTwoHorizontal(list, processed, edit));
    EXPECT_TRUE(Rec.Shown(39991));
    // Widths that fit but are beyond any scene: refused before a buffer is sized from them.
    SelectedBandFiles[1] = Dir.File("t1.raw");
    EXPECT_FALSE(CombineTwoVertical({"t1.raw", "99999999", "2"}, processed, edit));
    EXPECT_TRUE(Rec.Shown(36));
    EXPECT_TRUE(processed.empty());
    EXPECT_EQ(edit, "joined.raw");
    EXPECT_FALSE(Exists("joinedA001.raw"));
}

TEST_F(BandTilesTest, ListedSizeIsTheLastEntryOfTheName) {
    const std::vector<std::string> list = {"a.raw", "5",     "6", "b.raw", "7",
                                           "x",     "a.raw", "8", "9",     "c.raw"};
    const struct {
        const char* name;
        int64_t w, h;
    } cases[] = {{"a.raw", 8, 9}, {"b.raw", 7, 0}, {"c.raw", 0, 0}, {"d.raw", 0, 0}};
    for (const auto& c : cases) {
        int64_t w = -1, h = -1;
        DividedSize(list, c.name, w, h);
        EXPECT_EQ(w, c.w) << c.name;
        EXPECT_EQ(h, c.h) << c.name;
    }
}

TEST_F(BandTilesTest, JoiningTheTilesOfADivideGivesTheBandBack) {
    const Bytes scene = Noise(37 * 23);
    Band("scene.raw", scene, 0);
    Subset(0, 0, 37, 23);
    const struct {
        int layout;
        bool (*join)(const std::vector<std::string>&, std::vector<std::string>&, std::string&);
    } cases[] = {{0, CombineTwoVertical}, {1, CombineTwoHorizontal}, {2, CombineFour}};
    for (const auto& c : cases) {
        std::vector<std::string> list, processed;
        SelectedBandFiles[0] = Dir.File("scene.raw");
        ASSERT_TRUE(QuadDivide(c.layout, list));
        for (size_t t = 0; t < list.size() / 3; ++t)
            SelectedBandFiles[t] = Dir.File(list[3 * t]);
        std::string edit = "whole.raw";
        ASSERT_TRUE(c.join(list, processed, edit));
        EXPECT_EQ(processed, std::vector<std::string>{edit});
        EXPECT_EQ(Product(edit), scene) << c.layout;
    }
    EXPECT_EQ(Rec.BandHints.back(), "Combining 4 Bands");
    EXPECT_EQ(Rec.BandGauge.back(), 0);
}

} // namespace
