#include "classify/vUUnclass.h"

#include "histogram/vSeedBreaks.h"
#include "support/EngineTestImage.h"
#include "support/PngTestReader.h"
#include "support/TestFiles.h"

#include <set>

namespace {

// Rows of the three bands used as seed row 3.
const SeedBreakRow RedBreaks = {0, 30, 50, 70, 90, 110, 130, 160, 200, 255};
const SeedBreakRow GreenBreaks = {0, 25, 40, 55, 70, 85, 100, 130, 170, 255};
const SeedBreakRow BlueBreaks = {0, 40, 60, 80, 100, 120, 140, 170, 210, 255};
const SeedBreakRow Steps = {0, 20, 40, 60, 80, 100, 120, 140, 160, 255};

constexpr uint32_t Magenta = 0xFF00FF;

uint32_t SlotColor(int slot) {
    if (slot <= 9) return ClassColorRamps[slot - 1][11];
    if (slot == 10) return ClassColorRamps[0][9];
    if (slot <= 19) return ClassColorRamps[slot - 11][14];
    return ClassColorRamps[0][15];
}

class StatBoxer : public EngineTestImage {
  protected:
    void SetUp() override {
        EngineTestImage::SetUp();
        SavedRamps = ClassColorRamps;
        SavedTables = SeedBreakTables;
        // Every ramp entry its own colour.
        for (size_t g = 0; g < 9; ++g)
            for (size_t e = 0; e < 16; ++e)
                ClassColorRamps[g][e] = static_cast<uint32_t>(0x010000 * (g * 16 + e) + 0x40 + e);
        UseBreaks(3, RedBreaks, GreenBreaks, BlueBreaks);
    }
    void TearDown() override {
        ClassColorRamps = SavedRamps;
        SeedBreakTables = SavedTables;
        EngineTestImage::TearDown();
    }
    static void UseBreaks(int seed, const SeedBreakRow& r, const SeedBreakRow& g,
                          const SeedBreakRow& b) {
        SeedBreakTables[BandRed][seed] = r;
        SeedBreakTables[BandGreen][seed] = g;
        SeedBreakTables[BandBlue][seed] = b;
    }
    // Colour values (red low) of the picture shown, top row first.
    static std::vector<uint32_t> Painted() {
        std::vector<uint32_t> out;
        for (uint32_t p : DisplayedPicture.Pixels)
            out.push_back(PixelRed(p) | PixelGreen(p) << 8 | PixelBlue(p) << 16);
        return out;
    }
    std::array<std::array<uint32_t, 16>, 9> SavedRamps;
    std::array<SeedBreakTable, BandCount> SavedTables;
};

// The classifier worked out from its rules on a picture, without the engine's buffers: the scan
// starts at the picture's bottom row, left to right. Bands are indexed red, green, blue here.
std::vector<uint32_t> ExpectedClasses(const Picture& pic, const std::array<SeedBreakRow, 3>& rows,
                                      int radius, int choice) {
    struct Slot {
        int Band, Lower, Upper;
        bool Seeded = false;
        long long Count = 0, Sum[3] = {0, 0, 0};
        int Min[3] = {0, 0, 0}, Max[3] = {0, 0, 0};
    };
    std::array<Slot, 21> slot;
    for (int n = 1; n <= 20; ++n) {
        int band = 0, k = n;
        if (n == 10 || n == 20) band = 2, k = n / 10;
        if (n >= 11 && n <= 19) band = 1, k = n - 10;
        slot[n].Band = band;
        slot[n].Lower = k == 1 ? 0 : (rows[band][k - 1] + 1) % 256;
        slot[n].Upper = rows[band][k];
    }
    const auto box = [radius](Slot& s, const int c[3]) {
        for (int i = 0; i < 3; ++i) {
            s.Min[i] = std::clamp(c[i] - radius, 0, 255);
            s.Max[i] = std::clamp(c[i] + radius, 0, 255);
        }
    };
    const int order[20] = {10, 20, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14, 15, 16, 17, 18, 19};
    const auto rgb = [&](int x, int y) {
        const uint32_t p = pic.At(x, pic.Height - 1 - y);
        return std::array<int, 3>{PixelRed(p), PixelGreen(p), PixelBlue(p)};
    };
    for (int y = 0; y < pic.Height; ++y)
        for (int x = 0; x < pic.Width; ++x) {
            const auto v = rgb(x, y);
            for (int n : order) {
                Slot& s = slot[n];
                if (s.Seeded) continue;
                if (v[s.Band] > s.Lower && v[s.Band] <= s.Upper) {
                    s.Seeded = true;
                    s.Count = 1;
                    for (int i = 0; i < 3; ++i)
                        s.Sum[i] = v[i];
                    box(s, v.data());
                }
                break;
            }
        }
    std::vector<uint32_t> out(pic.Pixels.size());
    for (int y = 0; y < pic.Height; ++y)
        for (int x = 0; x < pic.Width; ++x) {
            const auto v = rgb(x, y);
            int won = 0;
            for (int n = 1; n <= 20 && !won; ++n) {
                Slot& s = slot[n];
                bool inside = s.Count > 0;
                for (int i = 0; i < 3; ++i)
                    inside = inside && v[i] >= s.Min[i] && v[i] <= s.Max[i];
                if (!inside) continue;
                ++s.Count;
                int mean[3];
                for (int i = 0; i < 3; ++i)
                    mean[i] = static_cast<int>((s.Sum[i] += v[i]) / s.Count);
                box(s, mean);
                won = n;
            }
            if (!won && choice == 1) {
                long long best = 0;
                for (int n = 1; n <= 20; ++n) {
                    long long d = 100000;
                    if (slot[n].Count > 0) {
                        d = 0;
                        for (int i = 0; i < 3; ++i)
                            d += std::llabs(v[i] - slot[n].Sum[i] / slot[n].Count);
                    }
                    if (n == 1 || d < best) best = d, won = n;
                }
            }
            const uint32_t colour = won ? SlotColor(won) : Magenta;
            out[static_cast<size_t>(pic.Height - 1 - y) * pic.Width + x] = colour;
        }
    return out;
}

TEST_F(StatBoxer, FalseColourSceneMatchesTheRulesWorkedOutIndependently) {
    Picture olinda;
    ASSERT_TRUE(ReadPngForTest(TestData("olinda_rgb432.png"), olinda));
    for (int choice : {0, 1}) {
        const std::vector<uint32_t> expected =
            ExpectedClasses(olinda, {RedBreaks, GreenBreaks, BlueBreaks}, 15, choice);
        Show(olinda);
        DoStatBoxer(3, choice, 15, 30, 1, 20);
        EXPECT_EQ(Rec.Status1.back(), "Image processed");
        const std::vector<uint32_t> got = Painted();
        EXPECT_TRUE(got == expected) << "choice " << choice;
        EXPECT_GE(std::set<uint32_t>(got.begin(), got.end()).size(), 8u) << choice;
        // The last three values are carried, not used.
        Show(olinda);
        DoStatBoxer(3, choice, 15, -7, 1000, 0);
        EXPECT_TRUE(Painted() == got) << "choice " << choice;
    }
}

TEST_F(StatBoxer, SeedingPaintingAndFallbacks) {
    UseBreaks(0, Steps, Steps, Steps);
    const uint32_t m = Magenta;
    const struct {
        const char* Name;
        int Choice, Radius;
        std::vector<Rgb> Row; // one picture row
        std::vector<uint32_t> Expected;
    } cases[] = {
        {"blue at slot 10's lower limit seeds nothing", 0, 15, {{5, 5, 0}, {5, 5, 0}}, {m, m}},
        {"blue 1 seeds slot 10", 0, 15, {{5, 5, 0}, {5, 5, 1}}, {SlotColor(10), SlotColor(10)}},
        {"nothing seeded: nearest is slot 1", 1, 15, {{5, 5, 0}}, {SlotColor(1)}},
        {"box stops at radius",
         0,
         15,
         {{10, 200, 15}, {26, 200, 15}, {25, 185, 0}},
         {SlotColor(10), m, SlotColor(10)}},
        {"unboxed goes to the only seeded slot",
         1,
         15,
         {{10, 200, 15}, {26, 200, 15}},
         {SlotColor(10), SlotColor(10)}},
        {"radius 0 boxes one value",
         0,
         0,
         {{7, 8, 9}, {7, 8, 10}, {7, 8, 9}},
         {SlotColor(10), m, SlotColor(10)}},
        {"a negative radius boxes nothing", 0, -300, {{100, 100, 5}, {100, 100, 5}}, {m, m}},
        {"a radius above 255 boxes everything",
         0,
         300,
         {{0, 0, 5}, {255, 255, 255}},
         {SlotColor(10), SlotColor(10)}},
    };
    for (const auto& c : cases) {
        Load(static_cast<int>(c.Row.size()), c.Row);
        DoStatBoxer(0, c.Choice, c.Radius, 30, 1, 20);
        EXPECT_EQ(Painted(), c.Expected) << c.Name;
    }
}

TEST_F(StatBoxer, MeansOfMoreThanTwoGigaSumsStayInTheBox) {
    // 8.5 million pixels of red 255: a 32-bit red sum wraps after 8.42 million and would move
    // the box away from the pixels still to come.
    constexpr int32_t width = 2900, height = 2930, stride = 3 * width;
    std::vector<uint8_t> buffer(static_cast<size_t>(stride) * height);
    for (size_t i = 0; i < buffer.size(); i += 3) {
        buffer[i] = 10;
        buffer[i + 1] = buffer[i + 2] = 255;
    }
    StatBoxerSetup setup;
    setup.Breaks = {Steps, Steps, Steps};
    setup.Colors = StatBoxerColors();
    setup.Radius = 15;
    StatBoxerImage(buffer.data(), stride, width - 1, height - 1, setup, [](int32_t) {});
    const uint32_t c = SlotColor(10);
    const uint8_t bgr[3] = {static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8),
                            static_cast<uint8_t>(c)};
    size_t painted = 0;
    for (size_t i = 0; i < buffer.size(); i += 3)
        painted += std::equal(bgr, bgr + 3, buffer.begin() + static_cast<std::ptrdiff_t>(i));
    EXPECT_EQ(painted, buffer.size() / 3);
}

} // namespace
