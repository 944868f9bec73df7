// The 16-to-8-bit radar reduction on a generated band, against the mapping worked out here.
#include "bandproc/vRadarDeRez.h"

#include "BandFixture.h"

#include <cmath>

namespace {

using RadarTest = BandTest;

TEST_F(RadarTest, GeneratedBandMapsItsRangeOntoBytes) {
    constexpr int W = 61, H = 37;
    const struct {
        int Offset; // samples run from Offset to Offset + 2999
        int Min;
        int Max;
    } cases[] = {{-500, -500, 2499}, {-4000, -4000, 0}, {300, 300, 3299}};
    for (const auto& c : cases) {
        std::vector<int> samples;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                samples.push_back((x * 97 + y * 31) % 3000 + c.Offset);
        // One sample at each end of the range, so both are known.
        samples.front() = c.Offset;
        samples.back() = c.Offset + 2999;
        Bytes raw;
        for (int s : samples)
            raw.insert(raw.end(), {static_cast<uint8_t>(s & 0xFF), static_cast<uint8_t>(s >> 8)});
        const std::string in = Band("radar.B1", raw);
        std::vector<std::string> list;
        Rec.Clear();
        ASSERT_TRUE(RadarDeRez16(in, Dir.File("radar.pz8"), H, W, list));
        EXPECT_EQ(list, std::vector<std::string>{Dir.File("radar.pz8")});
        EXPECT_EQ(Rec.BandGauge, (std::vector<int>{5, 50, 0}));
        const Bytes out = Product("radar.pz8");
        ASSERT_EQ(out.size(), samples.size());
        const double step = (c.Max - c.Min) / 255.0;
        for (size_t i = 0; i < out.size(); ++i)
            ASSERT_EQ(out[i], std::nearbyint((samples[i] - c.Min) / step)) << c.Offset << " " << i;
    }
}

TEST_F(RadarTest, ShortOrOversizedBandWritesNothing) {
    const std::string in = Band("radar.B1", Bytes(11));
    std::vector<std::string> list;
    EXPECT_THROW(RadarDeRez16(in, Dir.File("radar.pz8"), 2, 3, list), std::exception);
    EXPECT_FALSE(RadarDeRez16(in, Dir.File("radar.pz8"), int64_t{1} << 21, 1, list));
    EXPECT_TRUE(Rec.Shown(36));
    EXPECT_TRUE(list.empty());
    EXPECT_FALSE(Exists("radar.pz8"));
    EXPECT_EQ(Rec.BandGauge.back(), 0);
}

} // namespace
