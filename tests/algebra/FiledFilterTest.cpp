#include "algebra/vUFilterFile.h"
#include "algebra/vUIPFilter.h"
#include "support/EngineTestImage.h"
#include "support/TestFiles.h"

#include <cmath>
#include <functional>
#include <random>

namespace {

enum class Engine {
    Integer,
    Real,
    Sobel,
    SoDog,
    Rotate8SQRT,
    Rotate8Max,
    RatioAdd,
    RatioMax,
    Slope
};
enum class Mode { None, Clip, Scale, BelowZero, Auto, Steps };
// The order in which an engine tests the range options, and what it does when none applies.
enum class Order { AutoBelowScaleClip, AutoScaleBelowClip, AutoBelowElseClamp };

struct EngineCase {
    const char* Name;
    Engine Id;
    KernelKind Kind;
    const char* Ext;
    Order RangeOrder;
    bool AbsoluteOnValue;    // the absolute step on the value (else not read, or per stage)
    bool SetAbsoluteOnValue; // likewise the set-absolute step
    int32_t Directions = 8;
    int32_t Ceiling = 255;
};

const EngineCase Engines[] = {
    {"DoIntegerFile", Engine::Integer, KernelKind::Integer, "RL", Order::AutoBelowScaleClip, true,
     true},
    {"DoRealFile", Engine::Real, KernelKind::Real, "RR", Order::AutoScaleBelowClip, true, true},
    {"DoSobelFile", Engine::Sobel, KernelKind::Pair, "R2", Order::AutoBelowElseClamp, true, true},
    {"DoSoDogFile", Engine::SoDog, KernelKind::Pair, "R2", Order::AutoBelowScaleClip, true, true},
    {"DoRotate8SQRTFile", Engine::Rotate8SQRT, KernelKind::Eight, "R8", Order::AutoBelowElseClamp,
     false, true},
    {"DoRotate8SQRTFile ceiling 200", Engine::Rotate8SQRT, KernelKind::Eight, "R8",
     Order::AutoBelowElseClamp, false, true, 8, 200},
    {"DoRotate8MaxFile", Engine::Rotate8Max, KernelKind::Eight, "R8", Order::AutoBelowScaleClip,
     false, false},
    {"DoRatioAddFile", Engine::RatioAdd, KernelKind::Real, "RR", Order::AutoBelowScaleClip, true,
     true},
    {"DoRatioMaxFile", Engine::RatioMax, KernelKind::Real, "RR", Order::AutoScaleBelowClip, false,
     false},
    {"DoSlopeFile 8", Engine::Slope, KernelKind::Pair, "R2", Order::AutoBelowScaleClip, false, true,
     8},
    {"DoSlopeFile 6", Engine::Slope, KernelKind::Pair, "R2", Order::AutoBelowScaleClip, false, true,
     6},
    {"DoSlopeFile 2", Engine::Slope, KernelKind::Pair, "R2", Order::AutoBelowScaleClip, false, true,
     2},
};

void RunEngine(const EngineCase& e, const std::string& file, int32_t flag) {
    switch (e.Id) {
    case Engine::Integer:
        return DoIntegerFile(file, flag);
    case Engine::Real:
        return DoRealFile(file, flag);
    case Engine::Sobel:
        return DoSobelFile(file, flag);
    case Engine::SoDog:
        return DoSoDogFile(file, flag);
    case Engine::Rotate8SQRT:
        return DoRotate8SQRTFile(file, flag, 255, e.Ceiling);
    case Engine::Rotate8Max:
        return DoRotate8MaxFile(file, flag);
    case Engine::RatioAdd:
        return DoRatioAddFile(file, flag);
    case Engine::RatioMax:
        return DoRatioMaxFile(file, flag);
    case Engine::Slope:
        return DoSlopeFile(file, flag, e.Directions);
    }
}

// ---- The filters written out from their formulas, pixel by pixel ----

struct Model {
    int W, H, N;
    std::vector<Rgb> In; // rows top first
    FilterKernels K;

    // Channel ch (0 blue, 1 green, 2 red) at column x of buffer row y (0 = bottom).
    double Byte(int x, int y, int ch) const { return In[(H - 1 - y) * W + x][2 - ch]; }

    // Weighted sum of stage s over the window of (x, y), records in file order.
    double Response(int s, int x, int y, int ch) const {
        const int h = N / 2;
        double sum = 0.0;
        for (int k = 0; k < N * N; ++k)
            sum += K.Real[s][k] * Byte(x + k % N - h, y + k / N - h, ch);
        return sum;
    }
};

struct Value {
    double V = 0.0, L = 0.0;
};

struct ModelOptions {
    Mode M;
    bool Absolute = false, SetAbsolute = false, Threshold = false;
    double AbsMin = 10.0, AbsMax = 200.0;
    int TMin = 20, TMax = 230;
};

double AbsoluteSteps(double v, bool abs, bool setAbs, const ModelOptions& o) {
    if (abs && o.Absolute && v < 0) v = -v;
    if (setAbs && o.SetAbsolute) {
        if (v > o.AbsMax) v = o.AbsMax;
        if (v < o.AbsMin) v = o.AbsMin;
    }
    return v;
}

Value ValueAt(const EngineCase& e, const Model& m, const ModelOptions& o, int x, int y, int ch) {
    const int n = m.N, h = n / 2;
    Value out;
    switch (e.Id) {
    case Engine::Integer: {
        int64_t sum = 0;
        for (int k = 0; k < n * n; ++k)
            sum += int64_t{m.K.Integer[k]} *
                   static_cast<int64_t>(m.Byte(x + k % n - h, y + k / n - h, ch));
        out.V = static_cast<double>(sum);
        break;
    }
    case Engine::Real: {
        // Weights summing above 1 are divided by their sum once, as read.
        Model averaged = m;
        double sum = 0.0;
        for (int k = 0; k < n * n; ++k)
            sum += m.K.Real[0][k];
        for (int k = 0; k < n * n && sum > 1.0; ++k)
            averaged.K.Real[0][k] /= sum;
        out.V = averaged.Response(0, x, y, ch);
        break;
    }
    case Engine::Sobel: {
        const double r1 = m.Response(0, x, y, ch), r2 = m.Response(1, x, y, ch);
        out.V = std::sqrt(r1 * r1 + r2 * r2);
        break;
    }
    case Engine::SoDog: {
        const double r1 = m.Response(0, x, y, ch), r2 = m.Response(1, x, y, ch);
        out.V = std::atan(std::fabs(r1 / (r2 == 0.0 ? 0.001 : r2)));
        break;
    }
    case Engine::Rotate8SQRT: {
        double sum = 0.0;
        for (int s = 0; s < 8; ++s) {
            const double r = m.Response(s, x, y, ch);
            sum += r * r;
        }
        out.V = std::sqrt(sum);
        break;
    }
    case Engine::Rotate8Max:
    case Engine::RatioMax: {
        double mx = 0.0, low = 255.0;
        const auto add = [&](double t) {
            t = AbsoluteSteps(t, true, true, o);
            if (t > mx) mx = t;
            if (mx < low) low = mx;
        };
        if (e.Id == Engine::Rotate8Max) {
            for (int s = 0; s < 8; ++s)
                add(m.Response(s, x, y, ch));
        } else {
            const double c = m.Byte(x, y, ch);
            const double q = (c == 0 ? 0.1 : c) * m.K.Real[0][h * n + h];
            for (int r = 0; r < n; ++r)
                for (int cc = 0; cc < n; ++cc)
                    if (r != h && cc != h)
                        add(m.Byte(x + cc - h, y + r - h, ch) * m.K.Real[0][r * n + cc] / q);
        }
        out.V = mx;
        out.L = low;
        break;
    }
    case Engine::RatioAdd: {
        const double c = m.Byte(x, y, ch);
        const double q = c == 0 ? 1.0 : c * m.K.Real[0][h * n + h];
        for (int r = 0; r < n; ++r)
            for (int cc = 0; cc < n; ++cc)
                if (r != h && cc != h)
                    out.V += m.Byte(x + cc - h, y + r - h, ch) * m.K.Real[0][r * n + cc] / q;
        break;
    }
    case Engine::Slope: {
        double a[2] = {0, 0}, q[2];
        for (int s = 0; s < 2; ++s) {
            for (int k = 0; k < n * n; ++k)
                a[s] += std::fabs(m.K.Real[s][k]);
            if (a[s] == 0) a[s] = 1;
            const double t = m.Response(s, x, y, ch) / a[s];
            q[s] = t * t;
        }
        out.V = e.Directions == 8   ? std::sqrt(q[0] + q[1])
                : e.Directions == 6 ? std::atan(q[0] + q[1])
                                    : q[1];
        break;
    }
    }
    return out;
}

int RoundByte(double v) {
    v = std::clamp(v, 0.0, 255.0);
    return static_cast<int>(std::nearbyint(v));
}

// The byte of value v, or -1 when nothing is written. `lo`, `hi`: the auto-range trackers.
int OutputByte(const EngineCase& e, const ModelOptions& o, double v, double lo, double hi,
               int64_t weightSum) {
    const bool integer = e.Id == Engine::Integer;
    if (integer && o.SetAbsolute) {
        ModelOptions rounded = o;
        rounded.AbsMin = std::nearbyint(o.AbsMin);
        rounded.AbsMax = std::nearbyint(o.AbsMax);
        v = AbsoluteSteps(v, e.AbsoluteOnValue, e.SetAbsoluteOnValue, rounded);
    } else {
        v = AbsoluteSteps(v, e.AbsoluteOnValue, e.SetAbsoluteOnValue, o);
    }
    const auto iv = static_cast<int64_t>(v);
    const auto divided = [&] { return weightSum > 1 ? iv / weightSum : iv; };
    const auto clampInt = [](int64_t b) {
        return static_cast<int>(std::clamp<int64_t>(b, 0, 255));
    };
    const auto ceiling = [&](double u) { return RoundByte(u > 255 ? e.Ceiling : u); };
    Mode m = o.M == Mode::Steps ? Mode::Clip : o.M;
    if (e.RangeOrder == Order::AutoBelowElseClamp && m != Mode::Auto && m != Mode::BelowZero)
        m = Mode::Clip;
    int b = -1;
    switch (m) {
    case Mode::None:
    case Mode::Steps:
        return -1;
    case Mode::Auto:
        if (integer) {
            const int64_t range = static_cast<int64_t>(hi) - static_cast<int64_t>(lo);
            b = range / 255 != 0 ? clampInt((iv - static_cast<int64_t>(lo)) / (range / 255))
                                 : RoundByte((v - lo) / (range / 255.0));
        } else if (e.Id == Engine::Rotate8SQRT) {
            b = ceiling((v - lo) / ((hi - lo) / 255.0));
        } else {
            b = RoundByte((v - lo) / ((hi - lo) / 255.0));
        }
        break;
    case Mode::BelowZero:
        b = integer ? clampInt(iv * 127 + 127) : RoundByte(v * 127 + 127);
        break;
    case Mode::Scale:
        if (integer) {
            const int64_t q = divided();
            b = clampInt(q < 1 ? q * 127 + 1 : q / 2 + 128);
        } else {
            b = RoundByte(v < 1 ? v * 127 + 1 : v / 2 + 128);
        }
        break;
    case Mode::Clip:
        b = integer ? clampInt(divided()) : e.Id == Engine::Rotate8SQRT ? ceiling(v) : RoundByte(v);
        break;
    }
    if (o.Threshold) {
        if (b > o.TMax) b = o.TMax;
        if (b < o.TMin) b = 0;
    }
    return b;
}

std::vector<Rgb> Expected(const EngineCase& e, const Model& m, const ModelOptions& o) {
    const int h = m.N / 2;
    std::vector<Rgb> out = m.In;
    int64_t weightSum = 0;
    for (int k = 0; k < m.N * m.N; ++k)
        weightSum += m.K.Integer[k];
    double lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
    const bool maxima = e.Id == Engine::Rotate8Max || e.Id == Engine::RatioMax;
    if (o.M == Mode::Auto)
        for (int y = h; y < m.H - h; ++y)
            for (int x = h; x < m.W - h; ++x)
                for (int ch = 0; ch < 3; ++ch) {
                    const Value val = ValueAt(e, m, o, x, y, ch);
                    const double v =
                        maxima ? val.V
                               : AbsoluteSteps(val.V, e.AbsoluteOnValue, e.SetAbsoluteOnValue, o);
                    hi[ch] = std::max(hi[ch], v);
                    lo[ch] = std::min(lo[ch], maxima ? val.L : v);
                }
    for (int y = h; y < m.H - h; ++y)
        for (int x = h; x < m.W - h; ++x)
            for (int ch = 0; ch < 3; ++ch) {
                const int b =
                    OutputByte(e, o, ValueAt(e, m, o, x, y, ch).V, lo[ch], hi[ch], weightSum);
                if (b >= 0) out[(m.H - 1 - y) * m.W + x][2 - ch] = b;
            }
    // The border: the low bands h + 1 wide, the high ones h + 2 (rows by buffer order).
    for (int y = 0; y < m.H; ++y)
        for (int x = 0; x < m.W; ++x)
            if (x <= h || x >= m.W - 1 - h - 1 || y <= h || y >= m.H - 1 - h - 1)
                out[(m.H - 1 - y) * m.W + x] = {0, 0, 0};
    return out;
}

// ---- The runs ----

class FiledFilter : public EngineTestImage {
  protected:
    void ApplyOptions(const ModelOptions& o) {
        ClipOption = o.M == Mode::Clip || o.M == Mode::Steps;
        Scale0To255Option = o.M == Mode::Scale;
        BelowZeroOption = o.M == Mode::BelowZero;
        AutoRangeOption = o.M == Mode::Auto;
        AbsoluteValuesOption = o.Absolute;
        SetAbsoluteOption = o.SetAbsolute;
        SetThresholdOption = o.Threshold;
        RealATMin = o.AbsMin;
        RealATMax = o.AbsMax;
        IntATMin = static_cast<uint8_t>(o.TMin);
        IntATMax = static_cast<uint8_t>(o.TMax);
    }

    std::string WriteKernels(const EngineCase& e, int n, const FilterKernels& k) {
        const std::string name = Dir.File("k." + std::string(e.Ext) + std::to_string(n));
        EXPECT_TRUE(WriteFilterFile(name, k));
        return name;
    }

    TempDir Dir;
};

FilterKernels RandomKernels(KernelKind kind, int n, std::mt19937& gen) {
    FilterKernels k;
    k.Kind = kind;
    k.Size = n;
    std::uniform_int_distribution<int> small(-3, 6);
    for (int i = 0; i < n * n; ++i) {
        k.Integer[i] = small(gen);
        for (int s = 0; s < 8; ++s)
            k.Real[s][i] = small(gen) * 0.375 - 0.5;
    }
    return k;
}

std::vector<Rgb> RandomPicture(int w, int h, std::mt19937& gen) {
    std::uniform_int_distribution<int> byte(0, 255);
    std::vector<Rgb> p(w * h);
    for (Rgb& c : p)
        c = {byte(gen), byte(gen), byte(gen)};
    // A black pixel in every channel, for the ratio filters' zero centres.
    p[w * (h / 2) + w / 2] = {0, 0, 0};
    return p;
}

TEST_F(FiledFilter, EveryEngineSizeAndModeMatchesItsFormulas) {
    const ModelOptions modes[] = {
        {Mode::None},      {Mode::Clip}, {Mode::Scale},
        {Mode::BelowZero}, {Mode::Auto}, {Mode::Steps, true, true, true},
    };
    std::mt19937 gen(37);
    for (const EngineCase& e : Engines)
        for (int n : {3, 5, 7, 9}) {
            Model m{12, 11, n, RandomPicture(12, 11, gen), RandomKernels(e.Kind, n, gen)};
            const std::string file = WriteKernels(e, n, m.K);
            for (const ModelOptions& o : modes) {
                ApplyOptions(o);
                Load(m.W, m.In);
                RunEngine(e, file, o.M == Mode::Auto ? 1 : 0);
                ASSERT_EQ(Rec.ErrorBoxes, std::vector<std::string>{}) << e.Name << " " << n;
                EXPECT_EQ(Shown(), Expected(e, m, o))
                    << e.Name << " " << n << "x" << n << " mode " << static_cast<int>(o.M);
                EXPECT_EQ(FilterKernelSize, n);
            }
        }
}

TEST_F(FiledFilter, KernelTopRowReadsTheBufferRowBelow) {
    // A single 1 in the kernel's top row, centre: buffer row y - 1, the picture row under it.
    FilterKernels k;
    k.Kind = KernelKind::Integer;
    k.Integer[1] = 1;
    const std::string file = WriteKernels(Engines[0], 3, k);
    ClipOption = true;
    std::vector<Rgb> p(7 * 7, Rgb{0, 0, 0});
    for (int x = 0; x < 7; ++x)
        p[4 * 7 + x] = {10 * x, 1, 2}; // view row 4
    Load(7, p);
    DoIntegerFile(file, 0);
    // View row 3 takes row 4.
    EXPECT_EQ(Shown()[3 * 7 + 3], (Rgb{30, 1, 2}));
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
    k.Kind = KernelKind::Integer;
    k.Integer[4] = 1;
    k.Kind = KernelKind::Real;
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
        ExpectFailedUnchanged([&] { RunEngine(*e, file, 1); }, text);
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
        RunEngine(e, named5, 0);
        EXPECT_TRUE(Rec.Shown(39982)) << e.Name;
        EXPECT_TRUE(Rec.Status1.empty()) << e.Name;
        EXPECT_EQ(Shown(), std::vector<Rgb>(36, Rgb{7, 8, 9})) << e.Name;
        ExpectFailedUnchanged([&] { RunEngine(e, Dir.File("none.RR3"), 0); }, "File not found");
    }
}

TEST_F(FiledFilter, EachMacroCodeRunsItsEngineWithItsFixedArguments) {
    const std::tuple<int32_t, const char*, const EngineCase*> codes[] = {
        {301, "=0301  Do_IntegerFile", &Engines[0]},
        {302, "=0302  Do_RealFile", &Engines[1]},
        {303, "=0303  Do_SobelFile", &Engines[2]},
        {304, "=0304  Do_SoDogFile", &Engines[3]},
        {305, "=0305  Do_Rotate8SQRTFile", &Engines[4]},
        {306, "=0306  Do_Rotate8MaxFile", &Engines[6]},
        {307, "=0307  Ratboy", &Engines[7]},
        {308, "=0308  Batgirl", &Engines[8]},
        {309, "=0309  Do_SlopeFile8", &Engines[9]},
        {310, "=0310  Do_SlopeFile6", &Engines[10]},
        {311, "=0311  Do_SlopeFile r2 8", &Engines[9]},
    };
    ASSERT_EQ(FiledFilterCodes.size(), std::size(codes));
    EXPECT_EQ(FindFiledFilterCode(300), nullptr);
    EXPECT_EQ(FindFiledFilterCode(312), nullptr);
    std::mt19937 gen(301);
    const std::vector<Rgb> picture = RandomPicture(9, 8, gen);
    Scale0To255Option = true;
    for (const auto& [code, line, e] : codes) {
        const FiledFilterCode* c = FindFiledFilterCode(code);
        ASSERT_NE(c, nullptr) << code;
        EXPECT_STREQ(c->CommandLine, line);
        const std::string file = WriteKernels(*e, 5, RandomKernels(e->Kind, 5, gen));
        Load(9, picture);
        RunEngine(*e, file, 0);
        const std::vector<Rgb> direct = Shown();
        Load(9, picture);
        c->Run(file, 0);
        EXPECT_EQ(Shown(), direct) << code;
    }
}

} // namespace
