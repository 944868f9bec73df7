#include "classify/vTrainingSites.h"

#include "runtime/RtErrors.h"
#include "runtime/RtFiles.h"
#include "runtime/RtRecords.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

std::string SitesData() {
    return TestData("sites.rts");
}

struct SiteFields {
    int Rcent, Rmin, Rmax, Gcent, Gmin, Gmax, Bcent, Bmin, Bmax;
    int64_t Count, SumR, SumG, SumB;
    double Radius, SDeviation, Variance;
    bool operator==(const SiteFields&) const = default;
};

SiteFields Fields(const SiteRecord& s) {
    return {s.Rcent, s.Rmin,  s.Rmax, s.Gcent, s.Gmin, s.Gmax,   s.Bcent,      s.Bmin,
            s.Bmax,  s.Count, s.SumR, s.SumG,  s.SumB, s.Radius, s.SDeviation, s.Variance};
}

TEST(TrainingSiteFile, HandWrittenFileLoadsFieldByFieldAndSavesByteForByte) {
    SiteTable sites{};
    sites[0].Count = 99; // class 0 is never stored: a load leaves it alone
    LoadTrainingSiteFile(SitesData(), sites);
    const struct {
        int Class;
        SiteFields Expected;
    } cases[] = {
        {0, {0, 0, 0, 0, 0, 0, 0, 0, 0, 99, 0, 0, 0, 0.0, 0.0, 0.0}},
        {1, {10, 5, 20, 30, 25, 40, 50, 45, 60, 1234, 0x01020304, -1, 7, 2.5, 1.25, -3.0}},
        {2, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0.0, 0.0, 0.0}},
        {9, {0, 161, 180, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0.0, 0.0, 0.0}},
        {20, {0, 0, 255, 0, 0, 0, 0, 0, 0, 2147483647, 0, 0, 0, 1e300, 0.0, 0.0}},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(Fields(sites[c.Class]) == c.Expected) << "class " << c.Class;

    TempDir dir;
    SaveTrainingSiteFile(dir.File("back.rts"), sites, TReplaceLeave::Chosen(dir.File("back.rts")));
    std::vector<uint8_t> golden, back;
    ASSERT_TRUE(ReadWholeFile(SitesData(), golden));
    ASSERT_TRUE(ReadWholeFile(dir.File("back.rts"), back));
    EXPECT_EQ(back, golden); // the reserved bytes travel with their class
}

TEST(TrainingSiteFile, SumsBeyond32BitsKeepTheirLowBitsInTheFile) {
    SiteTable sites{};
    sites[3].SumR = 5000000000;   // 5e9 mod 2^32 = 705032704
    sites[3].SumG = 0x80000000LL; // reads back as the 32-bit field holds it
    const std::vector<uint8_t> image = SiteFileImage(sites);
    ASSERT_EQ(image.size(), 1120u);
    const uint8_t* r = image.data() + 2 * 56;
    EXPECT_EQ(LeI32(r + 16), 705032704);
    SiteTable back{};
    ASSERT_TRUE(SitesFromFileImage(image, back));
    EXPECT_EQ(back[3].SumG, INT32_MIN);
}

TEST(TrainingSiteFile, ShortFilesAreRefusedAndLongerOnesGiveTheirTwentyRecords) {
    TempDir dir;
    std::vector<uint8_t> golden = FileBytes(SitesData());
    SiteTable whole{};
    LoadTrainingSiteFile(SitesData(), whole);
    const struct {
        size_t Size;
        bool Loads;
    } cases[] = {{0, false}, {56, false}, {1119, false}, {1120, true}, {1121, true}, {2240, true}};
    for (const auto& c : cases) {
        // What follows the twenty records differs from every record, so a read that took it
        // for one would show.
        std::vector<uint8_t> bytes(c.Size, 0x11);
        std::copy_n(golden.begin(), std::min(c.Size, golden.size()), bytes.begin());
        const std::string path = dir.File("cut.rts");
        ASSERT_TRUE(WriteFileAtomic(path, bytes, TReplaceLeave::Chosen(path)));
        SiteTable sites{};
        sites[1].Rmax = 77;
        sites[0].Count = 5;
        try {
            LoadTrainingSiteFile(path, sites);
            EXPECT_TRUE(c.Loads) << c.Size << " bytes loaded";
        } catch (const EInOutError& e) {
            EXPECT_FALSE(c.Loads) << c.Size;
            EXPECT_EQ(e.Code, EInOutError::ReadBeyondEnd) << c.Size;
        }
        EXPECT_EQ(sites[0].Count, 5) << c.Size;
        if (c.Loads) {
            for (size_t k = 1; k < SiteCount; ++k)
                EXPECT_TRUE(Fields(sites[k]) == Fields(whole[k])) << c.Size << " class " << k;
        } else {
            EXPECT_EQ(sites[1].Rmax, 77) << c.Size;
            EXPECT_EQ(sites[1].Count, 0) << c.Size;
        }
    }
    SiteTable sites{};
    EXPECT_THROW(LoadTrainingSiteFile(dir.File("missing.rts"), sites), EInOutError);
    EXPECT_THROW(SaveTrainingSiteFile(dir.File("no/such/dir/x.rts"), sites,
                                      TReplaceLeave::Chosen(dir.File("no/such/dir/x.rts"))),
                 EInOutError);
}

TEST(TrainingSites, SeedingGivesEachClassItsSliceOfTheBreakRow) {
    const SeedBreakRow red = {0, 20, 40, 60, 80, 100, 120, 140, 160, 180};
    const SeedBreakRow green = {9, 10, 255, 30, 31, 32, 33, 34, 35, 36}; // 255 wraps class 3 to 0
    const SeedBreakRow blue = {0, 0, 0, 0, 0, 0, 0, 0, 0, 255};
    SiteTable sites{};
    sites[4].Count = 5;
    sites[4].Radius = 3.0;
    sites[15].Rmax = 9;
    SeedSitesFromBreaks(sites, {red, green, blue});
    const struct {
        int Class;
        int Rmin, Rmax, Gmin, Gmax, Bmin, Bmax;
    } cases[] = {
        {1, 0, 20, 0, 10, 0, 0},   {2, 21, 40, 11, 255, 1, 0},    {3, 41, 60, 0, 30, 1, 0},
        {4, 61, 80, 31, 31, 1, 0}, {9, 161, 180, 36, 36, 1, 255}, {0, 0, 0, 0, 0, 0, 0},
        {10, 0, 0, 0, 0, 0, 0},    {15, 0, 0, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const SiteRecord& s = sites[c.Class];
        EXPECT_EQ((std::array<int, 6>{s.Rmin, s.Rmax, s.Gmin, s.Gmax, s.Bmin, s.Bmax}),
                  (std::array<int, 6>{c.Rmin, c.Rmax, c.Gmin, c.Gmax, c.Bmin, c.Bmax}))
            << "class " << c.Class;
        EXPECT_EQ((std::array<int, 3>{s.Rcent, s.Gcent, s.Bcent}),
                  (std::array<int, 3>{s.Rmin, s.Gmin, s.Bmin}))
            << "class " << c.Class;
        EXPECT_EQ(s.Count, 0);
        EXPECT_EQ(s.Radius, 0.0);
    }
}

TEST(TrainingSites, ValidationStoresEveryTextAndReportsEachBadOneInEditOrder) {
    std::array<SiteRowTexts, 9> rows;
    for (auto& row : rows)
        row.fill("0");
    rows[0] = {"300", "-1", "12a", "7", "8",   "9",         "10",
               "11",  "12", "1.5", "x", "2E1", "4294967297"};
    rows[8][0] = "5b"; // a box edit of class 9 comes before class 1's centroid edits
    SiteTable sites{};
    sites[1].SumR = 42;
    const std::vector<SiteTextError> errors = ValidateSiteTexts(rows, sites);
    std::string reported;
    for (const SiteTextError& e : errors)
        reported += e.Text + "@" + std::to_string(e.Position) + " ";
    EXPECT_EQ(reported, "5b@2 12a@3 x@1 4294967297@10 ");
    const SiteFields expected = {12, 44,        255, 9, 7, 8,   12,  10,
                                 11, 429496729, 42,  0, 0, 1.5, 0.0, 20.0};
    EXPECT_TRUE(Fields(sites[1]) == expected);
    EXPECT_EQ(sites[9].Rmin, 5);
    EXPECT_EQ(SiteTexts(sites[1]), (SiteRowTexts{"44", "255", "12", "7", "8", "9", "10", "11", "12",
                                                 "1.5", "0", "20", "429496729"}));
}

TEST(TrainingSites, ReportHasThreeLinesPerClassWithItsOwnValues) {
    SiteTable sites{};
    sites[0].Count = 17;
    sites[7] = {3, 1, 5, 30, 10, 50, 200, 100, 250, 9, 1, 2, 3, 1.5, 0.25, 1e20};
    const std::vector<std::string> lines = SiteReportLines(sites);
    ASSERT_EQ(lines.size(), 63u);
    EXPECT_EQ(lines[2], "Site 0 SDeviation: 0 Variance: 0 Count: 17");
    EXPECT_EQ(lines[21], "Site 7 Rmin: 1 Rmax: 5 Gmin: 10 Gmax: 50 Bmin: 100 Bmax: 250");
    EXPECT_EQ(lines[22], "Site 7 Rcent: 3 Gcent: 30 Bcent: 200 Radius: 1.5");
    EXPECT_EQ(lines[23], "Site 7 SDeviation: 0.25 Variance: 1E20 Count: 9");
    EXPECT_EQ(lines[60], "Site 20 Rmin: 0 Rmax: 0 Gmin: 0 Gmax: 0 Bmin: 0 Bmax: 0");
}

} // namespace
