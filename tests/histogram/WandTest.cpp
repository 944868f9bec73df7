// The magic wand's region and outline, and the measured pass.
#include "histogram/vAgfxMasks.h"
#include "histogram/vUILinear.h"

#include "support/EngineTestImage.h"

#include <climits>

namespace {

// Rows of characters: each letter a colour.
Picture Drawn(const std::vector<std::string>& rows) {
    Picture p;
    p.Resize(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (int y = 0; y < p.Height; ++y)
        for (int x = 0; x < p.Width; ++x) {
            const char c = rows[y][x];
            p.At(x, y) = c == 'a'   ? PackPixel(100, 100, 100)
                         : c == 'b' ? PackPixel(101, 99, 101)  // within 1 of a
                         : c == 'c' ? PackPixel(102, 100, 100) // 2 from a in red
                         : c == 'i' ? PackPixel(155, 155, 155) // a inverted
                                    : PackPixel(0, 0, 0);
        }
    return p;
}

std::vector<std::string> MaskRows(const TBool2dArray& m, int w, int h) {
    std::vector<std::string> rows;
    for (int y = 0; y < h; ++y) {
        std::string r;
        for (int x = 0; x < w; ++x)
            r += m.At(x, y) ? '#' : '.';
        rows.push_back(r);
    }
    return rows;
}

constexpr uint32_t SeedA = 100 | (100 << 8) | (100 << 16);

TEST(MagicWand, GrowsOnlyTheClickedRegionWithinTheLimit) {
    const Picture p = Drawn({"aab.aaa", "aac.aaa", "aaa.aaa"});
    TBool2dArray mask;
    MagicWandMask(p, 0, 0, mask, 0.01, SeedA); // limit 1.5
    EXPECT_EQ(mask.Width, 12);
    EXPECT_EQ(mask.Height, 8);
    EXPECT_EQ(MaskRows(mask, 7, 3), (std::vector<std::string>{"###....", "##.....", "###...."}));
    // A seed whose neighbours all lie past the limit stays out of its own region.
    MagicWandMask(Drawn({"...", ".a.", "..."}), 1, 1, mask, 0.01, SeedA);
    EXPECT_EQ(MaskRows(mask, 3, 3), (std::vector<std::string>{"...", "...", "..."}));
    // Off the picture nothing grows.
    MagicWandMask(p, 7, 0, mask, 0.01, SeedA);
    EXPECT_EQ(MaskRows(mask, 7, 3), (std::vector<std::string>{".......", ".......", "......."}));
}

// The region is filled span by span; here it is grown point by point as the wand describes it
// (a queue, four neighbours in order, the seed marked only when a neighbour reaches it) on
// pictures of few colours, from many seeds.
TEST(MagicWand, SpansGiveTheRegionOfPointByPointGrowing) {
    uint32_t r = 11;
    auto next = [&r] { return r = r * 1664525u + 1013904223u, r >> 16; };
    for (int round = 0; round < 40; ++round) {
        Picture p;
        p.Resize(17, 13);
        for (uint32_t& px : p.Pixels) {
            const uint8_t v = static_cast<uint8_t>(100 + next() % 3 * 20);
            px = PackPixel(v, v, v);
        }
        const int sx = static_cast<int>(next() % 17), sy = static_cast<int>(next() % 13);
        const uint32_t s = p.At(sx, sy);
        const uint32_t seed = PixelRed(s) | (PixelGreen(s) << 8) | (PixelBlue(s) << 16);
        TBool2dArray mask;
        MagicWandMask(p, sx, sy, mask, 0.1, seed); // limit 15: one grey level
        std::vector<uint8_t> want(17 * 13, 0);
        std::vector<std::pair<int, int>> queue{{sx, sy}};
        for (size_t i = 0; i < queue.size(); ++i) {
            const auto [px, py] = queue[i];
            for (auto [qx, qy] :
                 {std::pair{px + 1, py}, {px - 1, py}, {px, py + 1}, {px, py - 1}}) {
                if (qx < 0 || qy < 0 || qx >= 17 || qy >= 13 || want[qy * 17 + qx]) continue;
                if (std::abs(PixelRed(p.At(qx, qy)) - PixelRed(s)) > 15) continue;
                want[qy * 17 + qx] = 1;
                queue.push_back({qx, qy});
            }
        }
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < 17; ++x)
                ASSERT_EQ(mask.At(x, y), want[y * 17 + x] != 0) << round << ": " << x << "," << y;
    }
}

TEST(MagicWand, OutlineInvertsTheInnerEdgeOnly) {
    Picture p = Drawn({"aaaaaa", "aaaaaa", "aaa...", "aaa...", "aaa..."});
    TBool2dArray mask;
    MagicWandMask(p, 0, 0, mask, 0.01, SeedA);
    DrawMaskOutline(p, mask);
    // Inside pixels touching the black (left, right, above or below) are inverted; the outer rows
    // and columns never are.
    EXPECT_EQ(p.Pixels, Drawn({"aaaaaa", "aaaiia", "aai...", "aai...", "aaa..."}).Pixels);
    // A uniform picture is one region with no inner edge.
    Picture u = Drawn({"aaaa", "aaaa", "aaaa", "aaaa"});
    MagicWandMask(u, 2, 2, mask, 0.3, SeedA);
    const Picture before = u;
    DrawMaskOutline(u, mask);
    EXPECT_EQ(u.Pixels, before.Pixels);
}

TEST(MagicWand, ARegionLargerThanTheOldQueueIsGrownWhole) {
    Picture p;
    p.Resize(1200, 1000);
    std::fill(p.Pixels.begin(), p.Pixels.end(), PackPixel(100, 100, 100));
    TBool2dArray mask;
    MagicWandMask(p, 600, 500, mask, 0.3, SeedA);
    size_t in = 0;
    for (int y = 0; y < 1000; ++y)
        for (int x = 0; x < 1200; ++x)
            in += mask.At(x, y);
    EXPECT_EQ(in, 1200u * 1000u);
}

class MeasuredPass : public EngineTestImage {};

// The pass changes nothing, so it leaves Undo to the last operation that changed the picture.
TEST_F(MeasuredPass, RunsAsAnOperationThatChangesNothingAndRefusesNoScale) {
    LoadUniform(6, 5, {10, 20, 30});
    const auto before = Shown();
    Do_Measured_Do(120, 120, 200);
    EXPECT_EQ(Shown(), before);
    EXPECT_FALSE(Rec.UndoEnabled);
    EXPECT_EQ(Rec.Status1.back(), "Image processed");
    EXPECT_EQ(Rec.Status0.back(), "(Part 1 of 1) % Done: 75");
    for (auto [known, pixels] : std::vector<std::pair<int, int>>{{120, 0}, {119, 120}, {-5, 6}}) {
        Rec.Clear();
        Do_Measured_Do(known, pixels, 200);
        EXPECT_TRUE(Rec.Status1.empty()) << known << " over " << pixels;
    }
    // The smallest integer over -1 has a scale (2^31) and must not trap.
    Rec.Clear();
    Do_Measured_Do(INT_MIN, -1, 200);
    EXPECT_EQ(Rec.Status1.back(), "Image processed");
}

} // namespace
