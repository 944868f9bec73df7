#include "algebra/vUFilterFile.h"
#include "algebra/vUIPFilter.h"
#include "support/EngineTestImage.h"
#include "support/TestFiles.h"

#include <cmath>
#include <functional>
#include <limits>
#include <random>

namespace {

using Runner = void (*)(const std::string& file, int32_t flag);

struct EngineCase {
    const char* Name;
    KernelKind Kind;
    const char* Ext;
    uint64_t Digest; // of every run of EveryEngineSizeAndModeKeepsItsOutput
    Runner Run;
};

// clang-format off
const EngineCase Engines[] = {
    {"DoIntegerFile", KernelKind::Integer, "RL", 0xc64942e14186d4b6ull, DoIntegerFile},
    {"DoRealFile", KernelKind::Real, "RR", 0x16a5bbf0b636394eull, DoRealFile},
    {"DoSobelFile", KernelKind::Pair, "R2", 0xf1e2715412a1e8f0ull, DoSobelFile},
    {"DoSoDogFile", KernelKind::Pair, "R2", 0x090337b0e2e6f4a2ull, DoSoDogFile},
    {"DoRotate8SQRTFile", KernelKind::Eight, "R8", 0xc2ffb57201edd3e5ull,
     [](const std::string& f, int32_t flag) { DoRotate8SQRTFile(f, flag, 255, 255); }},
    {"DoRotate8SQRTFile ceiling 200", KernelKind::Eight, "R8", 0xef8629d1c35ab513ull,
     [](const std::string& f, int32_t flag) { DoRotate8SQRTFile(f, flag, 255, 200); }},
    {"DoRotate8MaxFile", KernelKind::Eight, "R8", 0x8b620d167c2f2e6aull, DoRotate8MaxFile},
    {"DoRatioAddFile", KernelKind::Real, "RR", 0xe93634da49ab990dull, DoRatioAddFile},
    {"DoRatioMaxFile", KernelKind::Real, "RR", 0x531b8d9409fa915eull, DoRatioMaxFile},
    {"DoSlopeFile 8", KernelKind::Pair, "R2", 0x991b6126b488db1bull,
     [](const std::string& f, int32_t flag) { DoSlopeFile(f, flag, 8); }},
    {"DoSlopeFile 6", KernelKind::Pair, "R2", 0x4aa296b1a170994aull,
     [](const std::string& f, int32_t flag) { DoSlopeFile(f, flag, 6); }},
    {"DoSlopeFile 2", KernelKind::Pair, "R2", 0xeaeb56f977374cabull,
     [](const std::string& f, int32_t flag) { DoSlopeFile(f, flag, 2); }},
};
// clang-format on

class FiledFilter : public EngineTestImage {
  protected:
    std::string WriteKernels(const EngineCase& e, int n, const FilterKernels& k) {
        const std::string name = Dir.File("k." + std::string(e.Ext) + std::to_string(n));
        EXPECT_TRUE(WriteFilterFile(name, k, TReplaceLeave::Chosen(name)));
        return name;
    }

    TempDir Dir;
};

FilterKernels RandomKernels(KernelKind kind, int n, std::mt19937& gen) {
    FilterKernels k;
    k.Kind = kind;
    k.Size = n;
    const auto small = [&gen] { return static_cast<int>(gen() % 10) - 3; };
    for (int i = 0; i < n * n; ++i) {
        k.Integer[i] = small();
        for (int s = 0; s < 8; ++s)
            k.Real[s][i] = small() * 0.375 - 0.5;
    }
    return k;
}

std::vector<Rgb> RandomPicture(int w, int h, std::mt19937& gen) {
    const auto byte = [&gen] { return static_cast<int>(gen() % 256); };
    std::vector<Rgb> p(w * h);
    for (Rgb& c : p)
        c = {byte(), byte(), byte()};
    // A black pixel in every channel, for the ratio filters' zero centres.
    p[w * (h / 2) + w / 2] = {0, 0, 0};
    return p;
}

// The digests pin outputs checked, when they were taken, pixel by pixel against each filter's
// formulas, range modes, absolute and threshold steps and cleared border written out on their
// own; any change to a byte of any run changes its engine's digest.
TEST_F(FiledFilter, EveryEngineSizeAndModeKeepsItsOutput) {
    std::mt19937 gen(37);
    for (const EngineCase& e : Engines) {
        uint64_t digest = 14695981039346656037ull;
        for (int n : {3, 5, 7, 9}) {
            const std::vector<Rgb> picture = RandomPicture(12, 11, gen);
            const std::string file = WriteKernels(e, n, RandomKernels(e.Kind, n, gen));
            // Nothing, clip, 0 to 1 to 255, below zero, auto range; then clip with the absolute,
            // set-absolute (10 to 200) and threshold (20 to 230) steps.
            for (int mode = 0; mode < 6; ++mode) {
                ClipOption = mode == 1 || mode == 5;
                Scale0To255Option = mode == 2;
                BelowZeroOption = mode == 3;
                AutoRangeOption = mode == 4;
                AbsoluteValuesOption = SetAbsoluteOption = SetThresholdOption = mode == 5;
                RealATMin = 10.0;
                RealATMax = 200.0;
                IntATMin = 20;
                IntATMax = 230;
                Load(12, picture);
                e.Run(file, mode == 4 ? 1 : 0);
                ASSERT_EQ(Rec.ErrorBoxes, std::vector<std::string>{}) << e.Name << " " << n;
                EXPECT_EQ(FilterKernelSize, n);
                for (const Rgb& c : Shown())
                    for (int v : c)
                        digest = (digest ^ static_cast<uint64_t>(v)) * 1099511628211ull;
            }
        }
        EXPECT_EQ(digest, e.Digest) << e.Name;
    }
}

TEST_F(FiledFilter, LargeIntegerWeightsKeepExactSums) {
    // 77 x 2^20 + 77 is not a single-precision number; the sums must not lose it.
    FilterKernels k;
    k.Kind = KernelKind::Integer;
    k.Integer[0] = 1 << 20;
    k.Integer[4] = 1;
    k.Integer[8] = -(1 << 20);
    const std::string file = WriteKernels(Engines[0], 3, k);
    ClipOption = true;
    LoadUniform(7, 7, {77, 78, 79});
    DoIntegerFile(file, 0);
    EXPECT_EQ(Shown()[3 * 7 + 3], (Rgb{77, 78, 79}));
}

TEST_F(FiledFilter, IntegerStretchOfANarrowRangeUsesTheRealDivisor) {
    // Ranges of 50 and 2: integer divisors of 0; the real ones, 50 / 255 and 2 / 255, stretch.
    FilterKernels k;
    k.Kind = KernelKind::Integer;
    k.Integer[4] = 1;
    const std::string file = WriteKernels(Engines[0], 3, k);
    AutoRangeOption = true;
    std::vector<Rgb> p(7 * 7, Rgb{100, 100, 100});
    p[3 * 7 + 3] = {150, 125, 101};
    p[3 * 7 + 2] = {125, 150, 102};
    Load(7, p);
    DoIntegerFile(file, 1);
    EXPECT_EQ(Rec.ErrorBoxes, std::vector<std::string>{});
    // 127.5 rounds to 128, the even neighbour.
    EXPECT_EQ(Shown()[3 * 7 + 3], (Rgb{255, 128, 128}));
    EXPECT_EQ(Shown()[3 * 7 + 2], (Rgb{128, 255, 255}));
    EXPECT_EQ(Rec.Status1.back(), "Image processed");
}

TEST_F(FiledFilter, StretchOfAnEmptyRangeFailsAndKeepsThePicture) {
    FilterKernels k;
    k.Integer[4] = 1;
    k.Real[0][4] = 1.0;
    AutoRangeOption = true;
    const std::tuple<const EngineCase*, const char*, const char*> cases[] = {
        {&Engines[0], "RL3", "Division by zero"},
        {&Engines[1], "RR3", "Invalid floating point operation"},
    };
    for (const auto& [e, ext, text] : cases) {
        k.Kind = e->Kind;
        const std::string file = WriteKernels(*e, 3, k);
        LoadUniform(5, 5, {100, 100, 100});
        ExpectFailedUnchanged([&] { e->Run(file, 1); }, text);
    }
}

// Weights near the largest real: their sum overflowed, every weight divided by it became 0 and
// the picture black with "Image processed". Equal weights average however large they are; a
// kernel whose responses overflow is refused, as one holding an infinite weight is.
TEST_F(FiledFilter, HugeRealWeightsAverageOrAreRefused) {
    ClipOption = true;
    std::vector<Rgb> p(7 * 7);
    for (int i = 0; i < 49; ++i)
        p[i] = {i * 7 % 256, 3 * i + 1, 250 - 5 * i};
    FilterKernels k;
    k.Kind = KernelKind::Real;
    for (int i = 0; i < 9; ++i)
        k.Real[0][i] = 1e308;
    Load(7, p);
    DoRealFile(WriteKernels(Engines[1], 3, k), 0);
    EXPECT_EQ(Rec.ErrorBoxes, std::vector<std::string>{});
    // Pixel (3, 3): the mean of rows 2..4, columns 2..4, each channel.
    Rgb mean{};
    for (int ch = 0; ch < 3; ++ch) {
        int sum = 0;
        for (int y = 2; y <= 4; ++y)
            for (int x = 2; x <= 4; ++x)
                sum += p[y * 7 + x][ch];
        mean[ch] = static_cast<int>(std::nearbyint(sum / 9.0));
    }
    EXPECT_EQ(Shown()[3 * 7 + 3], mean);
    EXPECT_EQ(Rec.Status1.back(), "Image processed");

    const double inf = std::numeric_limits<double>::infinity();
    const std::tuple<double, double, const char*> refused[] = {
        {-1e308, -1e308, "Floating point overflow"},
        {1e308, inf, "Invalid floating point operation"},
    };
    for (const auto& [weight, centre, text] : refused) {
        for (int i = 0; i < 9; ++i)
            k.Real[0][i] = weight;
        k.Real[0][4] = centre;
        const std::string file = WriteKernels(Engines[1], 3, k);
        Load(7, p);
        ExpectFailedUnchanged([&] { DoRealFile(file, 0); }, text);
    }
}

TEST_F(FiledFilter, ZeroCentreWeightStopsTheRatioFilters) {
    FilterKernels k;
    k.Kind = KernelKind::Real;
    k.Real[0][0] = 2.0;
    const std::string file = WriteKernels(Engines[1], 3, k);
    ClipOption = true;
    const std::tuple<Rgb, const char*> cases[] = {
        {{50, 50, 50}, "Floating point division by zero"},
        {{0, 0, 0}, "Invalid floating point operation"}, // 0 / 0 in the first term
    };
    for (const auto& [pixel, text] : cases) {
        std::vector<Rgb> p(5 * 5, pixel);
        p[2 * 5 + 2] = {9, 9, 9}; // a lit centre: q = 9 x 0
        Load(5, p);
        ExpectFailedUnchanged([&] { DoRatioAddFile(file, 0); }, text);
        ExpectFailedUnchanged([&] { DoRatioMaxFile(file, 0); }, text);
    }
}

TEST_F(FiledFilter, ProgressTextsAndTheEmptyArea) {
    FilterKernels k;
    k.Kind = KernelKind::Real;
    k.Real[0][4] = 1.0;
    const std::string file = WriteKernels(Engines[1], 3, k);
    ClipOption = true;
    const std::tuple<std::function<void()>, int, const char*> cases[] = {
        {[&] { DoRealFile(file, 0); }, 3, "(Part 1 of 1) % Done: 75"},
        {[&] { DoRealFile(file, 1); }, 6, "(Part 1 of 1) % Done: 75"},
        {[&] { DoRatioAddFile(file, 0); }, 3, "(Part 1 of 2) % Done:  75 Min: 255.00 Max: 0.00"},
    };
    for (const auto& [run, reports, last] : cases) {
        LoadUniform(4, 5, {1, 1, 1});
        run();
        EXPECT_EQ(Rec.Status0.size(), static_cast<size_t>(reports)) << last;
        ASSERT_FALSE(Rec.Status0.empty());
        EXPECT_EQ(Rec.Status0.back(), last);
    }
    // Two columns are too few for a 3 x 3 window: nothing is computed or reported, and the
    // border is still cleared and the picture shown.
    LoadUniform(2, 5, {1, 1, 1});
    DoRealFile(file, 0);
    EXPECT_TRUE(Rec.Status0.empty());
    EXPECT_EQ(Shown(), std::vector<Rgb>(10, Rgb{0, 0, 0}));
    EXPECT_EQ(Rec.Status1.back(), "Image processed");
}

TEST_F(FiledFilter, AutoRangeWithOnePassOnlyGathers) {
    FilterKernels k;
    k.Kind = KernelKind::Pair;
    k.Real[0][4] = 3.0;
    const std::string file = WriteKernels(Engines[2], 3, k);
    AutoRangeOption = true;
    LoadUniform(7, 7, {7, 8, 9});
    DoSobelFile(file, 0);
    EXPECT_EQ(Shown()[3 * 7 + 3], (Rgb{7, 8, 9}));
    EXPECT_EQ(Shown()[0], (Rgb{0, 0, 0}));
}

TEST_F(FiledFilter, RefusedOrMissingFilesLeaveThePicture) {
    FilterKernels k;
    k.Kind = KernelKind::Real;
    const std::string wrongLength = WriteKernels(Engines[1], 3, k);
    const std::string named5 = Dir.File("k.RR5");
    ASSERT_TRUE(std::rename(wrongLength.c_str(), named5.c_str()) == 0);
    ClipOption = true;
    for (const EngineCase& e : Engines) {
        LoadUniform(6, 6, {7, 8, 9});
        ExpectFailedUnchanged([&] { e.Run(named5, 0); }, "Read beyond end of file");
        EXPECT_TRUE(Rec.Messages.empty()) << e.Name << Rec.Summary();
        EXPECT_EQ(Shown(), std::vector<Rgb>(36, Rgb{7, 8, 9})) << e.Name;
        ExpectFailedUnchanged([&] { e.Run(Dir.File("none.RR3"), 0); }, "File not found");
    }
}

} // namespace
