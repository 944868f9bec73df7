// The statistics and seed-break files of the aerial picture against the ones a script in
// tests/data works out from the picture alone (aero1-companions.py): standard deviations,
// band pairs and every seed row, the equal-count, median, mean and arithmetic rows among them.
#include "histogram/HistogramFixture.h"

#include "runtime/RtFiles.h"
#include "support/PngTestReader.h"

namespace {

class AerialCompanions : public HistogramFixture {};

TEST_F(AerialCompanions, StatisticsAndSeedFilesMatchTheIndependentScript) {
    Picture picture;
    ASSERT_TRUE(ReadPngForTest(TestData("aero1.png"), picture));
    SetImageName(CurrentImageFolder, "aero1.png");
    Show(std::move(picture));
    LoadOrMakeHistogramFiles();
    EXPECT_TRUE(Rec.Messages.empty()) << Rec.Summary();
    const std::vector<std::string> written = SplitLines(FileText(Dir.File("aero1.adt")));
    const std::vector<std::string> pinned = SplitLines(FileText(TestData("companions/aero1.adt")));
    ASSERT_EQ(written.size(), 36u);
    ASSERT_EQ(pinned.size(), 36u);
    for (size_t i = 0; i < pinned.size(); ++i)
        EXPECT_EQ(written[i], pinned[i]) << ".adt line " << i + 1;
    const std::vector<uint8_t> seeds = FileBytes(Dir.File("aero1.ads"));
    const std::vector<uint8_t> expected = FileBytes(TestData("companions/aero1.ads"));
    ASSERT_EQ(seeds.size(), 300u);
    ASSERT_EQ(expected.size(), 300u);
    for (size_t band = 0; band < 3; ++band)
        for (size_t row = 0; row < 10; ++row)
            for (size_t k = 0; k < 10; ++k) {
                const size_t at = band * 100 + row * 10 + k;
                EXPECT_EQ(int{seeds[at]}, int{expected[at]})
                    << "band " << band << " row " << row << " element " << k;
            }
}

} // namespace
