// The edge follower over random pictures against its rule list, the contour interval on every
// band of pictures whose channels differ, and the wand at tolerance 0 and at its limit, each
// against the rules written out here. Coordinates are the buffers' (row 0 at the bottom, north is
// y + 1).
#include "histogram/vAgfxMasks.h"
#include "histogram/vUILinear.h"

#include "support/EngineTestImage.h"

#include <random>
#include <set>

namespace {

constexpr Rgb Black{0, 0, 0}, White{255, 255, 255};

struct Grid {
    int W, H;
    std::vector<Rgb> Px; // rows top first, as the picture holds them
    Rgb& At(int x, int y) { return Px[static_cast<size_t>(H - 1 - y) * W + x]; }
    const Rgb& At(int x, int y) const { return Px[static_cast<size_t>(H - 1 - y) * W + x]; }
};

// ---- Edge follower ----

// The window's cells and the pass's mark value.
enum Cell { C, N, NE, E, SE, S, SW, W, NW, Mark };
constexpr int Dx[9] = {0, 0, 1, 1, 1, 0, -1, -1, -1};
constexpr int Dy[9] = {0, 1, 1, 0, -1, -1, -1, 0, 1};

struct Condition {
    Cell A;
    bool Equal;
    Cell B;
};
struct Rule {
    std::vector<Condition> All;
    double Length;
    Cell To;
};

// clang-format off
const std::vector<Rule> Rules = {
    {{{C, true, N}, {C, false, NE}, {NE, false, Mark}}, 1.0, N},
    {{{C, true, NW}, {C, false, E}, {C, false, NE}, {C, false, N}, {E, false, Mark},
      {NE, false, Mark}, {N, false, Mark}}, 1.5, NW},
    {{{C, true, W}, {S, true, Mark}, {C, false, E}, {E, false, Mark}, {C, false, NE},
      {C, false, N}, {C, false, NW}, {NE, false, Mark}, {N, false, Mark}, {NW, false, Mark}},
     0.5, W},
    {{{C, true, W}, {E, true, Mark}, {C, false, NE}, {C, false, N}, {C, false, NW},
      {NE, false, Mark}, {N, false, Mark}, {NW, false, Mark}}, 0.5, W},
    {{{C, true, NE}, {C, false, E}, {E, false, Mark}}, 1.5, NE},
    {{{C, true, E}, {SW, true, Mark}, {C, false, S}, {SE, false, C}, {S, false, Mark},
      {SE, false, Mark}}, 0.5, E},
    {{{C, true, E}, {S, true, Mark}, {SE, false, C}, {SE, false, Mark}}, 0.5, E},
    {{{C, true, E}, {W, true, Mark}, {SE, false, C}, {C, false, S}, {SE, false, Mark},
      {S, false, Mark}}, 0.5, E},
};
// clang-format on

// One pass of a trace: paints (0, m, 0) at each point it leaves; ends where no rule holds, on
// the outer frame (its neighbours lie outside), or on coming back to a point it has painted.
// Returns the length; (x, y) is left where it ended.
double Trace(const Grid& g, Grid& out, int& x, int& y, int m) {
    double length = 1.0;
    std::set<std::pair<int, int>> painted;
    for (;;) {
        if (x <= 0 || y <= 0 || x >= g.W - 1 || y >= g.H - 1) break;
        int v[10];
        for (int c = 0; c < 9; ++c)
            v[c] = g.At(x + Dx[c], y + Dy[c])[1];
        v[Mark] = m;
        const Rule* hit = nullptr;
        for (const Rule& r : Rules) {
            bool all = true;
            for (const Condition& c : r.All)
                all = all && ((v[c.A] == v[c.B]) == c.Equal);
            if (all) {
                hit = &r;
                break;
            }
        }
        if (!hit) break;
        out.At(x, y) = {0, m, 0};
        painted.insert({x, y});
        length += hit->Length;
        x += Dx[hit->To];
        y += Dy[hit->To];
        if (painted.count({x, y})) break;
    }
    return length;
}

Grid FollowedEdges(const Grid& g, int level) {
    Grid out = g;
    for (int y = 1; y < g.H - 1; ++y)
        for (int x = 1; x < g.W - 1; ++x) {
            if (g.At(x, y)[1] != level) continue;
            int ex = x, ey = y;
            if (Trace(g, out, ex, ey, 255) >= 30.0) continue;
            ex = x;
            ey = y;
            Trace(g, out, ex, ey, 1);
            out.At(ex, ey) = Black;
        }
    return out;
}

class LinearReference : public EngineTestImage {
  protected:
    void Load(const Grid& g) { EngineTestImage::Load(g.W, g.Px); }
};

// Few green values, the two mark values among them, so that every rule and its mark tests
// occur; long runs of the level as well as lone pixels.
TEST_F(LinearReference, EdgeFollowerFollowsItsRulesOnRandomPictures) {
    std::mt19937 gen(48);
    const int level = 100;
    const int greens[] = {level, level, level, 255, 1, 60};
    for (int picture = 0; picture < 40; ++picture) {
        const int w = 6 + static_cast<int>(gen() % 30), h = 5 + static_cast<int>(gen() % 40);
        Grid g{w, h, std::vector<Rgb>(static_cast<size_t>(w) * h)};
        for (Rgb& p : g.Px)
            p = {static_cast<int>(gen() % 256), greens[gen() % 6], static_cast<int>(gen() % 256)};
        // A long vertical run in some pictures, for traces of 30 and more.
        if (picture % 4 == 0)
            for (int y = 0; y < h; ++y)
                g.At(w / 2, y)[1] = level;
        Load(g);
        Do_EdgeFollow(level);
        ASSERT_EQ(Shown(), FollowedEdges(g, level).Px) << "picture " << picture;
    }
}

// ---- Contour interval ----

Grid ContourLines(const Grid& g, int interval, int band) {
    Grid out = g;
    const int channel = band; // Rgb is red, green, blue; band 0 is red
    const int diagonals[4][2] = {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}}; // SW, SE, NW, NE
    for (int y = 1; y < g.H - 1; ++y)
        for (int x = 1; x < g.W - 1; ++x) {
            Rgb& o = out.At(x, y);
            if (band < 0 || band > 2) {
                o = White;
                continue;
            }
            const int v = g.At(x, y)[channel];
            if (v % interval == 0) {
                o = {0, 0, 0};
                o[channel] = v;
                continue;
            }
            bool found = false;
            for (int k = 1; k <= 255 / interval; ++k) {
                const int level = k * interval;
                for (const auto& d : diagonals) {
                    const int n = g.At(x + d[0], y + d[1])[channel];
                    if ((v < level && level < n) || (n < level && level < v)) {
                        o = {0, 0, 0};
                        o[channel] = level;
                        found = true;
                    }
                    if (!found) o = White;
                }
            }
        }
    // The one-pixel operator's border: two bands at the low ends, three at the high ends.
    for (int y = 0; y < g.H; ++y)
        for (int x = 0; x < g.W; ++x)
            if (x <= 1 || y <= 1 || x >= g.W - 3 || y >= g.H - 3) out.At(x, y) = Black;
    return out;
}

TEST_F(LinearReference, ContourIntervalOnEveryBandOfAPictureWhoseChannelsDiffer) {
    std::mt19937 gen(155);
    // Red noise, a green ramp across, blue falling down the picture: each band its own lines.
    const int w = 19, h = 14;
    Grid g{w, h, std::vector<Rgb>(static_cast<size_t>(w) * h)};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            g.At(x, y) = {static_cast<int>(gen() % 256), x * 14, 255 - y * 19};
    g.At(5, 5) = {0, 70, 255}; // values on a level: 0, a multiple of 7 and 10, and 255
    for (int interval : {7, 10, 64, 255})
        for (int band : {0, 1, 2, 3}) {
            Load(g);
            ContourInterval(interval, band);
            EXPECT_EQ(Shown(), ContourLines(g, interval, band).Px)
                << "interval " << interval << " band " << band;
        }
}

// ---- Magic wand ----

// Colours as red, green, blue; the seed (100, 150, 200) at the left.
Picture Row(const std::vector<Rgb>& colours) {
    Picture p;
    p.Resize(static_cast<int>(colours.size()), 1);
    for (size_t i = 0; i < colours.size(); ++i)
        p.Pixels[i] =
            PackPixel(static_cast<uint8_t>(colours[i][0]), static_cast<uint8_t>(colours[i][1]),
                      static_cast<uint8_t>(colours[i][2]));
    return p;
}

TEST(MagicWandLimit, ToleranceZeroTakesOnlyTheSeedColourAndTheLimitItselfJoins) {
    const uint32_t seed = 100 | (150 << 8) | (200 << 16);
    const struct {
        double Tolerance;
        std::vector<Rgb> Colours;
        std::string Region;
    } cases[] = {
        // Limit 0: equal colours only, each channel on its own.
        {0.0, {{100, 150, 200}, {100, 150, 200}, {101, 150, 200}, {100, 150, 200}}, "##.."},
        {0.0, {{100, 150, 200}, {100, 150, 199}, {100, 150, 200}}, "..."},
        {0.0, {{100, 150, 200}, {100, 151, 200}, {100, 150, 200}}, "..."},
        // Limit 75 (0.5 x 150): a channel exactly 75 away joins, 76 away does not.
        {0.5,
         {{100, 150, 200},
          {25, 150, 200},
          {100, 75, 200},
          {100, 150, 125},
          {175, 225, 125},
          {176, 150, 200}},
         "#####."},
        {0.5, {{100, 150, 200}, {100, 150, 124}, {100, 150, 200}}, "..."},
        {0.5, {{100, 150, 200}, {100, 74, 200}, {100, 150, 200}}, "..."},
    };
    for (const auto& c : cases) {
        TBool2dArray mask;
        MagicWandMask(Row(c.Colours), 0, 0, mask, c.Tolerance, seed);
        std::string region;
        for (size_t x = 0; x < c.Colours.size(); ++x)
            region += mask.At(static_cast<int32_t>(x), 0) ? '#' : '.';
        EXPECT_EQ(region, c.Region) << c.Tolerance;
    }
}

} // namespace
