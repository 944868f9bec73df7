// The 16-to-8-bit radar reduction on a generated band, against the mapping worked out here.
#include "bandproc/vRadarDeRez.h"

#include "BandFixture.h"

#include <cstdlib>

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
        // Nearest to (s - min) * 255 / (max - min), exact halves to even, checked in integers.
        const int64_t range = c.Max - c.Min;
        for (size_t i = 0; i < out.size(); ++i) {
            const int64_t twiceOff = 2 * (int64_t{out[i]} * range - (samples[i] - c.Min) * 255);
            ASSERT_LE(std::llabs(twiceOff), range) << c.Offset << " " << i;
            if (std::llabs(twiceOff) == range) {
                ASSERT_EQ(out[i] % 2, 0) << c.Offset << " " << i;
            }
        }
    }
}

// Worked out by hand. Each band holds exact halves that a step of (max - min) / 255 taken in
// floating point turns into x.4999...
TEST_F(RadarTest, ExactHalvesRoundToEven) {
    const struct {
        std::vector<int> Samples;
        Bytes Want;
    } cases[] = {
        {{0, 33, 66}, {0, 128, 255}},                         // 127.5
        {{100, 600, 1100}, {0, 128, 255}},                    // 127.5
        {{0, 1, 6}, {0, 42, 255}},                            // 42.5
        {{-1000, -500, -100}, {0, 128, 230}},                 // max stays 0: 127.5, 229.5
        {{-3, 97, 197, 2}, {0, 128, 255, 6}},                 // 127.5, 6.375
        {{0, 1, 2, 3, 4, 5, 6, 7}, {0, 36, 73, 109, 146, 182, 219, 255}},
    };
    for (const auto& c : cases) {
        Bytes raw;
        for (int s : c.Samples)
            raw.insert(raw.end(), {static_cast<uint8_t>(s & 0xFF), static_cast<uint8_t>(s >> 8)});
        std::vector<std::string> list;
        const auto w = static_cast<int64_t>(c.Samples.size());
        ASSERT_TRUE(RadarDeRez16(Band("radar.B1", raw), Dir.File("radar.pz8"), 1, w, list));
        EXPECT_EQ(Product("radar.pz8"), c.Want) << c.Samples[1];
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
