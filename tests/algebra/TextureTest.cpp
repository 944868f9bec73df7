#include "algebra/vUTexture.h"
#include "shell/vGlobal.h"
#include "shell/vMacroCodes.h"
#include "shell/vMacroPlayer.h"
#include "support/EngineTestImage.h"
#include "support/NoisePicture.h"
#include "support/PngTestReader.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace {

// Written out as the operators are defined: every window listed in visiting order and sorted,
// nothing shared with the engines.

using Bgr = std::array<int, 3>;
// Window cell (r, c) of channel ch (0 blue, 1 green, 2 red), rows counted up the buffer.
using Cell = std::function<int(int r, int c, int ch)>;
using Rule = std::function<Bgr(const Cell& cell, int n)>;

std::vector<int> Sorted(const Cell& cell, int n, int ch) {
    std::vector<int> list;
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c)
            list.push_back(cell(r, c, ch));
    std::sort(list.begin(), list.end());
    return list;
}

int Byte(double v) {
    return static_cast<int>(std::nearbyint(std::clamp(v, 0.0, 255.0)));
}

Rule RankRule(int op) {
    return [op](const Cell& cell, int n) {
        Bgr out{};
        for (int ch = 0; ch < 3; ++ch) {
            const std::vector<int> l = Sorted(cell, n, ch);
            const int v[] = {0,
                             l.back(),
                             l.front(),
                             l[l.size() / 2],
                             l.back() - l.front(),
                             l.back() - l.front()};
            out[ch] = op >= 1 && op <= 5 ? v[op] : 0;
        }
        return out;
    };
}

Rule HatRule(int op, int height) {
    return [op, height](const Cell& cell, int n) {
        const int h = n / 2;
        const bool redder = cell(h, h, 0) + cell(h, h, 1) < cell(h, h, 2);
        const int t = (op == 3 || op == 4) && redder ? height / 4 : height;
        Bgr out{};
        for (int ch = 0; ch < 3; ++ch) {
            std::vector<int> corner, core;
            for (int r = 0; r < n; ++r)
                for (int c = 0; c < n; ++c)
                    (std::abs(c - h) > h - 1 && std::abs(r - h) > h - 1 ? corner : core)
                        .push_back(cell(r, c, ch));
            std::sort(corner.begin(), corner.end());
            std::sort(core.begin(), core.end());
            const bool cleared = op == 1 || op == 3 ? corner.front() + t > core.front()
                                                    : corner.back() > core.back() - t;
            out[ch] = cleared ? 0 : cell(h, h, ch);
        }
        return out;
    };
}

Bgr SlopeDirRule(const Cell& cell, int) {
    const struct {
        int R, C, Code;
    } order[] = {{0, 0, 160},  {1, 1, 250},  {1, 0, 170},  {1, -1, 120}, {0, 1, 240},
                 {0, -1, 110}, {-1, 1, 230}, {-1, 0, 150}, {-1, -1, 100}};
    Bgr out{};
    for (int ch = 0; ch < 3; ++ch) {
        const int m = Sorted(cell, 3, ch).front();
        out[ch] = 100;
        for (const auto& o : order)
            if (cell(1 + o.R, 1 + o.C, ch) == m) {
                out[ch] = o.Code;
                break;
            }
    }
    return out;
}

double VarianceSum(const Cell& cell, int n, int ch) {
    const int h = n / 2;
    double sum = 0;
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) {
            const int d = std::abs(cell(h, h, ch) - cell(r, c, ch));
            if (r != h && c != h && d > 1) sum += d * d;
        }
    return sum;
}

// The sample pictures: a corner of the aerial photograph, noise at widths that take each vector
// width and the byte path, and a flat picture.
std::vector<std::pair<std::string, Picture>> Samples() {
    Picture photo;
    EXPECT_TRUE(ReadPngForTest(TestData("aerial/aero1.png"), photo));
    Picture corner;
    corner.Resize(64, 40);
    for (int y = 0; y < corner.Height; ++y)
        for (int x = 0; x < corner.Width; ++x)
            corner.At(x, y) = photo.At(x + 300, y + 200);
    Picture flat;
    flat.Resize(16, 12);
    std::fill(flat.Pixels.begin(), flat.Pixels.end(), PackPixel(90, 90, 90));
    return {{"aerial", corner},
            {"noise 41x13", NoisePicture(41, 13, 7)},
            {"noise 19x11", NoisePicture(19, 11, 23)},
            {"noise 12x10", NoisePicture(12, 10, 99)},
            {"flat", flat}};
}

// Calls `fn(x, y, cell)` for every pixel of the area an n x n window processes.
void ForProcessed(const Picture& source, int n,
                  const std::function<void(int x, int y, const Cell& cell)>& fn) {
    const int hgt = source.Height, h = n / 2;
    for (int y = h; y < hgt - h; ++y)
        for (int x = h; x < source.Width - h; ++x)
            fn(x, y, [&](int r, int c, int ch) {
                const uint32_t p = source.At(x + c - h, hgt - 1 - (y + r - h));
                return ch == 0 ? PixelBlue(p) : ch == 1 ? PixelGreen(p) : PixelRed(p);
            });
}

class Texture : public EngineTestImage {
  protected:
    // The picture `rule` makes of `source` with an n x n window: the rule in the processed
    // area, then black in the border the frame clears.
    static Picture Expected(const Picture& source, int n, const Rule& rule) {
        Picture out = source;
        const int w = source.Width, hgt = source.Height, h = n / 2;
        ForProcessed(source, n, [&](int x, int y, const Cell& cell) {
            const Bgr v = rule(cell, n);
            out.At(x, hgt - 1 - y) = PackPixel(
                static_cast<uint8_t>(v[2]), static_cast<uint8_t>(v[1]), static_cast<uint8_t>(v[0]));
        });
        for (int y = 0; y < hgt; ++y)
            for (int x = 0; x < w; ++x)
                if (x <= h || y <= h || x >= w - h - 2 || y >= hgt - h - 2)
                    out.At(x, hgt - 1 - y) = PackPixel(0, 0, 0);
        return out;
    }
    void ExpectRun(const Picture& source, const std::function<void()>& run, const Picture& want) {
        Show(source);
        ASSERT_TRUE(RunGuarded(run)) << Rec.Summary();
        ASSERT_EQ(DisplayedPicture.Pixels.size(), want.Pixels.size());
        const auto diff = std::mismatch(DisplayedPicture.Pixels.begin(),
                                        DisplayedPicture.Pixels.end(), want.Pixels.begin());
        EXPECT_TRUE(diff.first == DisplayedPicture.Pixels.end())
            << "first difference at pixel " << (diff.first - DisplayedPicture.Pixels.begin());
    }
};

// Every rank, top-hat, rolling-ball and slope-direction operator equals its rule written out
// with a sort of each window, for every size, on the photograph, noise and a flat picture.
// The median is the middle value and Range the spread; Op 0 and 6 are black.
TEST_F(Texture, EveryOperatorEqualsTheSortOfEachWindow) {
    for (const auto& [name, picture] : Samples()) {
        for (int n = 3; n <= 9; n += 2) {
            for (int op = 0; op <= 6; ++op) {
                SCOPED_TRACE(name + " rank op " + std::to_string(op) + " n " + std::to_string(n));
                ExpectRun(
                    picture, [&] { DoTextureRank(static_cast<uint8_t>(op), n); },
                    Expected(picture, n, RankRule(op)));
            }
            for (int op = 0; op <= 5; ++op)
                for (int height : {5, 40}) {
                    SCOPED_TRACE(name + " hat op " + std::to_string(op) + " n " +
                                 std::to_string(n) + " height " + std::to_string(height));
                    ExpectRun(
                        picture, [&] { DoATexture(static_cast<uint8_t>(op), n, height); },
                        Expected(picture, n,
                                 op >= 1 && op <= 4 ? HatRule(op, height) : RankRule(0)));
                }
        }
        SCOPED_TRACE(name + " slope direction");
        ExpectRun(picture, DoSlopeDir, Expected(picture, 3, SlopeDirRule));
    }
}

// The variance under each output option, one pass or the auto range's two. A flat channel under
// the auto range has no spread to stretch and writes 0 rather than failing on a division by
// zero; with no option the area keeps its source.
TEST_F(Texture, VarianceFollowsTheOutputOptionsWithItsOwnRange) {
    enum Option { None, Clip, Scale, Below, Auto, AutoGatherOnly };
    for (const auto& [name, picture] : Samples()) {
        for (int n = 3; n <= 9; n += 2) {
            for (Option option : {None, Clip, Scale, Below, Auto, AutoGatherOnly}) {
                SCOPED_TRACE(name + " option " + std::to_string(option) + " n " +
                             std::to_string(n));
                ClipOption = option == Clip;
                Scale0To255Option = option == Scale;
                BelowZeroOption = option == Below;
                AutoRangeOption = option == Auto || option == AutoGatherOnly;
                std::array<double, 3> top{0, 0, 0}, bottom{255, 255, 255};
                ForProcessed(picture, n, [&](int, int, const Cell& cell) {
                    for (int ch = 0; ch < 3; ++ch) {
                        top[ch] = std::max(top[ch], VarianceSum(cell, n, ch));
                        bottom[ch] = std::min(bottom[ch], VarianceSum(cell, n, ch));
                    }
                });
                const Rule rule = [&](const Cell& cell, int m) {
                    Bgr out{};
                    for (int ch = 0; ch < 3; ++ch) {
                        const double sum = VarianceSum(cell, m, ch);
                        const double s = std::sqrt(std::max(sum, 1.0));
                        const double scale = (top[ch] - bottom[ch]) / 255;
                        const int h = m / 2;
                        out[ch] = option == Clip    ? Byte(s)
                                  : option == Scale ? Byte(s / 2 + 128)
                                  : option == Below ? Byte(s * 127 + 127)
                                  : option == Auto
                                      ? (scale == 0 ? 0 : Byte((sum - bottom[ch]) / scale))
                                      : cell(h, h, ch);
                    }
                    return out;
                };
                ExpectRun(
                    picture, [&] { DoTextureVariance(option == Auto ? 1 : 0, n); },
                    Expected(picture, n, rule));
            }
        }
    }
}

TEST(TextureRanges, SizesAreOddFromThreeToNineAndHeightsThreeToFortyFive) {
    const std::pair<int32_t, int32_t> sizes[] = {{4, 5}, {10, 9}, {1, 3},         {0, 3},
                                                 {8, 9}, {-2, 3}, {3, 3},         {9, 9},
                                                 {7, 7}, {81, 9}, {INT32_MAX, 9}, {INT32_MIN, 3}};
    for (const auto& [in, out] : sizes)
        EXPECT_EQ(TextureSizeOf(in), out) << in;
    const std::pair<int32_t, int32_t> heights[] = {{2, 3}, {46, 45}, {20, 20}, {-5, 3}, {4, 4}};
    for (const auto& [in, out] : heights)
        EXPECT_EQ(TextureHeightOf(in), out) << in;
}

// Each Ranked Edge code plays the engine with its recorded values kept to the page's ranges:
// sizes beyond 9 (which would overrun the 81-value windows) run at 9, heights beyond 45 at 45.
TEST_F(Texture, PlayedCodesKeepSizesAndHeightsToThePageRanges) {
    const Picture source = Samples()[1].second;
    AutoRangeOption = true;
    const struct {
        std::vector<std::string> Params;
        std::function<void()> Direct;
    } cases[] = {
        {{"12"}, [] { DoTextureRank(1, 9); }},
        {{"4"}, [] { DoTextureRank(2, 5); }},
        {{"10", "2"}, [] { DoTextureRank(2, 9), DoTextureRank(1, 3); }},
        {{"3", "8"}, [] { DoTextureRank(1, 3), DoTextureRank(2, 9); }},
        {{"99"}, [] { DoTextureRank(3, 9); }},
        {{"x"}, [] { DoTextureRank(4, 3); }},
        {{"6"}, [] { DoTextureRank(5, 7); }},
        {{"11", "1"}, [] { DoTextureVariance(1, 9); }},
        {{"3", "50"}, [] { DoATexture(1, 3, 45); }},
        {{"5", "2"}, [] { DoATexture(2, 5, 3); }},
        {{"20", "9"}, [] { DoATexture(3, 9, 9); }},
        {{"3", "9"}, [] { DoATexture(4, 3, 9); }},
    };
    int code = 351;
    for (const auto& c : cases) {
        SCOPED_TRACE(code);
        Show(source);
        ASSERT_TRUE(RunGuarded(c.Direct));
        const std::vector<uint32_t> direct = DisplayedPicture.Pixels;
        std::vector<std::string> lines = {MacroCommandLine(code)};
        lines.insert(lines.end(), c.Params.begin(), c.Params.end());
        Show(source);
        ASSERT_TRUE(PlayMacro(lines)) << Rec.Summary();
        EXPECT_EQ(DisplayedPicture.Pixels, direct) << Rec.Summary() << lines[0];
        ++code;
    }
}

// A picture smaller than the window is copied and its border cleared; the run reports and shows
// like any other.
TEST_F(Texture, PictureSmallerThanTheWindowIsOnlyBordered) {
    const Picture small = NoisePicture(6, 5, 3);
    ExpectRun(
        small, [] { DoTextureRank(3, 9); }, Expected(small, 9, RankRule(0)));
    EXPECT_EQ(FilterKernelSize, 9);
    EXPECT_EQ(Rec.Status1.back(), "Image processed");
}

} // namespace

namespace {

// One command, one undo step: Undo after any texture command, the two-pass Open and Close too,
// gives back the picture the command began from, not the one its last pass started from.
TEST_F(Texture, UndoAfterEachCommandGivesThePictureBeforeIt) {
    const Picture source = Samples()[1].second;
    for (const TextureCommand& command : TextureCommands) {
        SCOPED_TRACE(command.Code);
        Show(source);
        ASSERT_TRUE(RunGuarded([&] { RunTextureCommand(command, 5, 3); })) << Rec.Summary();
        EXPECT_NE(DisplayedPicture.Pixels, source.Pixels);
        UndoImage();
        EXPECT_EQ(DisplayedPicture.Pixels, source.Pixels);
    }
}

} // namespace
