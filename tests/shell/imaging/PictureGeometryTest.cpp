#include "shell/imaging/vPictureGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

// Every pixel a different colour: red the column, green the row, blue 7.
Picture Numbered(int w, int h) {
    Picture p;
    p.Resize(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            p.At(x, y) = PackPixel(static_cast<uint8_t>(x), static_cast<uint8_t>(y), 7);
    return p;
}

// The turn written out from its definition, independently of the engine's loop.
uint32_t TurnedPixel(const Picture& src, int i, int j, int ci, int cj, double alphaDegrees) {
    const double theta = -alphaDegrees * std::numbers::pi / 180.0;
    const float s = static_cast<float>(std::sin(theta)), c = static_cast<float>(std::cos(theta));
    const double ii = (i - ci) + 0.5, jj = (j - cj) + 0.5;
    const long sx = std::lrint(std::nearbyint(ii * c - jj * s - 0.5)) + ci;
    const long sy = std::lrint(std::nearbyint(ii * s + jj * c - 0.5)) + cj;
    if (sx < 0 || sy < 0 || sx >= src.Width || sy >= src.Height) return 0xFF0000FFu;
    return src.At(static_cast<int>(sx), static_cast<int>(sy));
}

} // namespace

TEST(PictureGeometry, RotationAboutTheCentreFollowsTheTurnFormula) {
    const Picture src = Numbered(9, 7);
    const struct {
        int Degrees, Hundredths;
        double Alpha;
    } cases[] = {{90, 0, 90.0}, {45, 0, 45.0}, {30, 0, 30.0}, {12, 35, 12.35}, {0, 0, 0.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Alpha);
        const Picture out = RotatePicture(src, 4, 3, RotationTheta(c.Degrees, c.Hundredths));
        ASSERT_EQ(out.Width, 9);
        ASSERT_EQ(out.Height, 7);
        int blue = 0;
        for (int j = 0; j < 7; ++j)
            for (int i = 0; i < 9; ++i) {
                EXPECT_EQ(out.At(i, j), TurnedPixel(src, i, j, 4, 3, c.Alpha)) << i << "," << j;
                blue += out.At(i, j) == RotationOutsidePixel;
            }
        // Only a turn by nothing keeps every pixel of a picture that is not square.
        EXPECT_EQ(blue == 0, c.Alpha == 0.0);
    }
    EXPECT_EQ(RotatePicture(src, 1, 5, 0.0).Pixels, src.Pixels);
}

TEST(PictureGeometry, QuarterTurnOfAnEvenSquareIsClockwiseAndLosesNoPixel) {
    for (int n : {2, 8, 64, 720}) {
        SCOPED_TRACE(n);
        Picture src;
        src.Resize(n, n);
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x)
                src.At(x, y) = 0xFF000000u | static_cast<uint32_t>(y * n + x + 1);
        const Picture out = RotatePicture(src, n / 2, n / 2, RotationTheta(90, 0));
        bool clockwise = true;
        for (int j = 0; j < n; ++j)
            for (int i = 0; i < n; ++i)
                clockwise = clockwise && out.At(i, j) == src.At(j, n - 1 - i);
        EXPECT_TRUE(clockwise);
    }
}

TEST(PictureGeometry, ResizeKeepsTheAspectOfTheLongerSide) {
    const struct {
        PictureSize From;
        int Width, Height;
        PictureSize To;
    } cases[] = {
        {{640, 480}, 100, 480, {100, 75}},   {{1000, 500}, 500, 500, {500, 250}},
        {{500, 1000}, 500, 500, {250, 500}}, {{300, 300}, 1, 150, {150, 150}},
        {{1000, 3}, 10, 3, {10, 1}},         {{3, 1000}, 3, 10, {1, 10}},
        {{640, 480}, 1280, 1, {1280, 960}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ResizedSize(c.From, c.Width, c.Height), c.To)
            << c.From.Width << "x" << c.From.Height << " to " << c.Width << "," << c.Height;
}

TEST(PictureGeometry, ResizeDropsAndRepeatsWholePixels) {
    const Picture src = Numbered(4, 2);
    const Picture half = ResizePicture(src, {2, 1});
    EXPECT_EQ(half.Pixels, (std::vector<uint32_t>{src.At(0, 0), src.At(2, 0)}));
    const Picture twice = ResizePicture(src, {8, 4});
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(twice.At(x, y), src.At(x / 2, y / 2));
}

TEST(PictureGeometry, CropTakesThePartBetweenTheCorners) {
    const Picture src = Numbered(50, 40);
    const struct {
        PicturePoint A, B;
        PictureSize Size;
        PicturePoint Origin;
    } cases[] = {
        {{5, 6}, {25, 16}, {20, 10}, {5, 6}}, {{25, 16}, {5, 6}, {20, 10}, {5, 6}},
        {{0, 0}, {50, 40}, {50, 40}, {0, 0}}, {{40, 30}, {60, 70}, {10, 10}, {40, 30}},
        {{7, 7}, {7, 20}, {50, 40}, {0, 0}},
    };
    for (const auto& c : cases) {
        const Picture out = CropPicture(src, c.A, c.B);
        ASSERT_EQ((PictureSize{out.Width, out.Height}), c.Size);
        EXPECT_EQ(out.At(0, 0), src.At(c.Origin.X, c.Origin.Y));
        EXPECT_EQ(out.At(out.Width - 1, out.Height - 1),
                  src.At(c.Origin.X + c.Size.Width - 1, c.Origin.Y + c.Size.Height - 1));
    }
}

TEST(PictureGeometry, FreeCropBoxFollowsOnlyBeyondItsStartAndInsideThePicture) {
    const PictureSize size{200, 100};
    EXPECT_EQ(FreeCropStart(10, 20, size), (PicturePoint{10, 20}));
    EXPECT_EQ(FreeCropStart(200, 100, size), (PicturePoint{0, 0}));
    EXPECT_EQ(FreeCropStart(-3, 99, size), (PicturePoint{0, 99}));
    const PicturePoint start{10, 20}, end{50, 60};
    const struct {
        int X, Y;
        PicturePoint End;
    } moves[] = {{80, 90, {80, 90}},  {5, 90, {50, 90}},     {80, 15, {80, 60}},
                 {200, 99, {50, 99}}, {199, 100, {199, 60}}, {10, 20, {50, 60}}};
    for (const auto& m : moves)
        EXPECT_EQ(FreeCropFollow(start, end, m.X, m.Y, size), m.End) << m.X << "," << m.Y;
    const struct {
        PicturePoint End;
        bool Accepted;
    } boxes[] = {{{43, 44}, true}, {{42, 44}, false}, {{43, 43}, false}, {{5, 5}, false}};
    for (const auto& b : boxes)
        EXPECT_EQ(FreeCropAccepted(start, b.End), b.Accepted) << b.End.X << "," << b.End.Y;
}

TEST(PictureGeometry, FixedCropCornerJumpsToTheEdgeWhenTheBoxWouldNotFit) {
    const PictureSize size{600, 300};
    const struct {
        int X, Y;
        PicturePoint Corner;
    } cases[] = {{10, 20, {10, 20}}, {342, 42, {342, 42}}, {343, 42, {0, 42}},
                 {10, 43, {10, 0}},  {0, 0, {0, 0}},       {-5, 500, {0, 0}}};
    for (const auto& c : cases)
        EXPECT_EQ(FixedCropCorner(c.X, c.Y, size, 256), c.Corner) << c.X << "," << c.Y;
}
