// The filed filters against a reference written out here from their formulas, pixel by pixel:
// the kernel addressed in buffer rows (bottom up), each engine's value, its own output stage
// (which options it reads, the order it tests the range options in, what it writes when none
// applies), the two-pass stretch and the black border. Several range options set at once, as a
// macro's options block can leave them, show the order each engine tests them in.
#include "algebra/vUFilterFile.h"
#include "algebra/vUIPFilter.h"
#include "support/EngineTestImage.h"
#include "support/TestFiles.h"

#include <cmath>
#include <optional>
#include <random>

namespace {

enum class Map { Auto, Below, Scale, Clip };
enum class Unset { Nothing, Clamp }; // what an engine writes when no range option applies

// What one engine reads of the options, as its description gives it.
struct Profile {
    std::vector<Map> Order;
    bool Absolute = true; // the absolute-value step
    bool PerTerm = false; // absolute and set absolute on each stage or ratio, then a maximum
    Unset None = Unset::Nothing;
    bool Integer = false;   // whole sums, divided by the weight sum for clip and 0..1..255
    double Ceiling = 255.0; // what a value above 255 becomes when clamped (compass SQRT)
};

const Profile AutoBelowScaleClip{{Map::Auto, Map::Below, Map::Scale, Map::Clip}};
const Profile AutoScaleBelowClip{{Map::Auto, Map::Scale, Map::Below, Map::Clip}};
const Profile Gradient{{Map::Auto, Map::Below}, true, false, Unset::Clamp};

struct Options {
    bool Clip = false, Scale = false, Below = false, Auto = false;
    int32_t Flag = 0;
    bool Absolute = false, SetAbsolute = false, Threshold = false;
    double AtMin = 0.0, AtMax = 255.0;
    int ThresholdMin = 0, ThresholdMax = 255;
};

// clang-format off
const Options Modes[] = {
    {},                                                    // nothing set: nothing written
    {.Clip = true},
    {.Scale = true},
    {.Below = true},
    {.Auto = true, .Flag = 1},
    {.Clip = true, .Absolute = true, .SetAbsolute = true, .Threshold = true,
     .AtMin = 10.0, .AtMax = 200.0, .ThresholdMin = 20, .ThresholdMax = 230},
    // Three at once and two passes without the stretch: the same picture twice.
    {.Clip = true, .Scale = true, .Below = true, .Flag = 1},
    {.Clip = true, .Scale = true, .Below = true, .Auto = true, .Flag = 1},
    {.Auto = true},                                        // one pass: it only gathers
    // Bounds that round half to even in the integer engine (-20, 300).
    {.Scale = true, .Below = true, .Absolute = true, .SetAbsolute = true,
     .AtMin = -20.5, .AtMax = 300.5},
    // A threshold whose two bounds meet: only 50 itself stays.
    {.Clip = true, .Scale = true, .Threshold = true, .ThresholdMin = 50, .ThresholdMax = 50},
};
// clang-format on

void SetOptions(const Options& o) {
    ClipOption = o.Clip;
    Scale0To255Option = o.Scale;
    BelowZeroOption = o.Below;
    AutoRangeOption = o.Auto;
    AbsoluteValuesOption = o.Absolute;
    SetAbsoluteOption = o.SetAbsolute;
    SetThresholdOption = o.Threshold;
    RealATMin = o.AtMin;
    RealATMax = o.AtMax;
    IntATMin = static_cast<uint8_t>(o.ThresholdMin);
    IntATMax = static_cast<uint8_t>(o.ThresholdMax);
}

int ClampRoundByte(double v, double ceiling = 255.0) {
    if (v > 255.0) v = ceiling;
    if (v < 0.0) v = 0.0;
    return static_cast<int>(std::nearbyint(v));
}

// A picture in buffer order: [y][x][channel], y = 0 the bottom row, channel 0 blue.
struct Buffer {
    int W = 0, H = 0;
    std::vector<int> Bytes;
    int At(int x, int y, int ch) const { return Bytes[(static_cast<size_t>(y) * W + x) * 3 + ch]; }
};

Buffer ToBuffer(int w, const std::vector<Rgb>& rowsTopFirst) {
    Buffer b;
    b.W = w;
    b.H = static_cast<int>(rowsTopFirst.size()) / w;
    b.Bytes.resize(rowsTopFirst.size() * 3);
    for (int y = 0; y < b.H; ++y)
        for (int x = 0; x < w; ++x)
            for (int ch = 0; ch < 3; ++ch)
                b.Bytes[(static_cast<size_t>(y) * w + x) * 3 + ch] =
                    rowsTopFirst[static_cast<size_t>(b.H - 1 - y) * w + x][2 - ch];
    return b;
}

// One engine: its kernel kind, its profile, and the value (or, for the maxima, the running
// maximum M and lower tracker L) of a pixel's channel.
struct Reference {
    const char* Name;
    KernelKind Kind;
    const char* Ext;
    Profile P;
    std::function<void(const std::string&, int32_t)> Run;
    // Value of channel ch at buffer (x, y); `terms` get each stage response or ratio first when
    // the profile takes them one by one.
    std::function<double(const Buffer&, const FilterKernels&, int, int, int)> Value;
    std::function<std::vector<double>(const Buffer&, const FilterKernels&, int, int, int)> Terms =
        nullptr;
};

// The response of stage s at (x, y): record k of the stage weighs the pixel at column
// x + (k mod N - h) and buffer row y + (k div N - h), the records taken in file order.
double Response(const Buffer& b, const FilterKernels& k, int s, int x, int y, int ch) {
    const int n = k.Size, h = n / 2;
    double sum = 0.0;
    for (int i = 0; i < n * n; ++i) {
        const double w = k.Kind == KernelKind::Integer ? k.Integer[i] : k.Real[s][i];
        sum += w * b.At(x + i % n - h, y + i / n - h, ch);
    }
    return sum;
}

// The real kernel divided by its sum when that is above 1.
FilterKernels Averaged(FilterKernels k) {
    double sum = 0.0;
    for (int i = 0; i < k.Size * k.Size; ++i)
        sum += k.Real[0][i];
    if (sum > 1.0)
        for (int i = 0; i < k.Size * k.Size; ++i)
            k.Real[0][i] /= sum;
    return k;
}

// The ratios of the positions off the centre row and column, rows then columns in order.
std::vector<double> Ratios(const Buffer& b, const FilterKernels& k, int x, int y, int ch,
                           bool maximum) {
    const int n = k.Size, h = n / 2;
    const int c = b.At(x, y, ch);
    const double w0 = k.Real[0][h * n + h];
    const double q = maximum ? (c == 0 ? 0.1 : c) * w0 : (c == 0 ? 1.0 : c * w0);
    std::vector<double> t;
    for (int r = 0; r < n; ++r)
        for (int col = 0; col < n; ++col)
            if (r != h && col != h)
                t.push_back(b.At(x + col - h, y + r - h, ch) * k.Real[0][r * n + col] / q);
    return t;
}

double SlopeValue(const Buffer& b, const FilterKernels& k, int x, int y, int ch, int directions) {
    double q[2];
    for (int s = 0; s < 2; ++s) {
        double a = 0.0;
        for (int i = 0; i < k.Size * k.Size; ++i)
            a += std::fabs(k.Real[s][i]);
        const double r = Response(b, k, s, x, y, ch) / (a == 0.0 ? 1.0 : a);
        q[s] = r * r;
    }
    if (directions == 8) return std::sqrt(q[0] + q[1]);
    if (directions == 6) return std::atan(q[0] + q[1]);
    return q[1];
}

std::vector<Reference> References() {
    Profile integer = AutoBelowScaleClip;
    integer.Integer = true;
    Profile sqrt200 = Gradient;
    sqrt200.Absolute = false;
    sqrt200.Ceiling = 200.0;
    Profile sqrt255 = sqrt200;
    sqrt255.Ceiling = 255.0;
    Profile rotateMax = AutoBelowScaleClip;
    rotateMax.PerTerm = true;
    Profile ratioMax = AutoScaleBelowClip;
    ratioMax.PerTerm = true;
    Profile slope = AutoBelowScaleClip;
    slope.Absolute = false;
    const auto magnitude = [](int stages) {
        return [stages](const Buffer& b, const FilterKernels& k, int x, int y, int ch) {
            double sum = 0.0;
            for (int s = 0; s < stages; ++s) {
                const double r = Response(b, k, s, x, y, ch);
                sum += r * r;
            }
            return std::sqrt(sum);
        };
    };
    const auto slopeOf = [](int directions) {
        return [directions](const Buffer& b, const FilterKernels& k, int x, int y, int ch) {
            return SlopeValue(b, k, x, y, ch, directions);
        };
    };
    const auto stages = [](const Buffer& b, const FilterKernels& k, int x, int y, int ch) {
        std::vector<double> t;
        for (int s = 0; s < 8; ++s)
            t.push_back(Response(b, k, s, x, y, ch));
        return t;
    };
    return {
        {"DoIntegerFile", KernelKind::Integer, "RL", integer, DoIntegerFile,
         [](const Buffer& b, const FilterKernels& k, int x, int y, int ch) {
             return Response(b, k, 0, x, y, ch);
         }},
        {"DoRealFile", KernelKind::Real, "RR", AutoScaleBelowClip, DoRealFile,
         [](const Buffer& b, const FilterKernels& k, int x, int y, int ch) {
             return Response(b, Averaged(k), 0, x, y, ch);
         }},
        {"DoSobelFile", KernelKind::Pair, "R2", Gradient, DoSobelFile, magnitude(2)},
        {"DoSoDogFile", KernelKind::Pair, "R2", AutoBelowScaleClip, DoSoDogFile,
         [](const Buffer& b, const FilterKernels& k, int x, int y, int ch) {
             const double r2 = Response(b, k, 1, x, y, ch);
             return std::atan(std::fabs(Response(b, k, 0, x, y, ch) / (r2 == 0.0 ? 0.001 : r2)));
         }},
        {"DoRotate8SQRTFile", KernelKind::Eight, "R8", sqrt255,
         [](const std::string& f, int32_t a) { DoRotate8SQRTFile(f, a, 255, 255); }, magnitude(8)},
        {"DoRotate8SQRTFile ceiling 200", KernelKind::Eight, "R8", sqrt200,
         [](const std::string& f, int32_t a) { DoRotate8SQRTFile(f, a, 255, 200); }, magnitude(8)},
        {"DoRotate8MaxFile", KernelKind::Eight, "R8", rotateMax, DoRotate8MaxFile, nullptr, stages},
        {"DoRatioAddFile", KernelKind::Real, "RR", AutoBelowScaleClip, DoRatioAddFile,
         [](const Buffer& b, const FilterKernels& k, int x, int y, int ch) {
             double sum = 0.0;
             for (double t : Ratios(b, k, x, y, ch, false))
                 sum += t;
             return sum;
         }},
        {"DoRatioMaxFile", KernelKind::Real, "RR", ratioMax, DoRatioMaxFile, nullptr,
         [](const Buffer& b, const FilterKernels& k, int x, int y, int ch) {
             return Ratios(b, k, x, y, ch, true);
         }},
        {"DoSlopeFile 8", KernelKind::Pair, "R2", slope,
         [](const std::string& f, int32_t a) { DoSlopeFile(f, a, 8); }, slopeOf(8)},
        {"DoSlopeFile 6", KernelKind::Pair, "R2", slope,
         [](const std::string& f, int32_t a) { DoSlopeFile(f, a, 6); }, slopeOf(6)},
        {"DoSlopeFile 2", KernelKind::Pair, "R2", slope,
         [](const std::string& f, int32_t a) { DoSlopeFile(f, a, 2); }, slopeOf(2)},
    };
}

// The value and absolute steps of one pixel's channel: v, and the lower tracker L (the value
// itself except for the maxima).
struct Stepped {
    double V, L;
};

Stepped ValueSteps(const Reference& e, const Options& o, const Buffer& b, const FilterKernels& k,
                   int x, int y, int ch) {
    const Profile& p = e.P;
    double low = o.AtMin, high = o.AtMax;
    if (p.Integer) {
        low = std::nearbyint(low);
        high = std::nearbyint(high);
    }
    const auto steps = [&](double v) {
        if (p.Absolute && o.Absolute && v < 0) v = -v;
        if (o.SetAbsolute) {
            if (v > high) v = high;
            if (v < low) v = low;
        }
        return v;
    };
    if (!p.PerTerm) {
        const double v = steps(e.Value(b, k, x, y, ch));
        return {v, v};
    }
    double m = 0.0, l = 255.0;
    for (double t : e.Terms(b, k, x, y, ch)) {
        t = steps(t);
        if (t > m) m = t;
        if (m < l) l = m;
    }
    return {m, l};
}

// The byte an engine writes for value v, or nothing.
std::optional<int> OutputStage(const Profile& p, const Options& o, double v, double weightSum,
                               double minimum, double maximum) {
    std::optional<Map> map;
    for (Map m : p.Order)
        if ((m == Map::Auto && o.Auto) || (m == Map::Below && o.Below) ||
            (m == Map::Scale && o.Scale) || (m == Map::Clip && o.Clip)) {
            map = m;
            break;
        }
    int b;
    if (!map) {
        if (p.None == Unset::Nothing) return std::nullopt;
        b = ClampRoundByte(v, p.Ceiling);
    } else if (p.Integer) {
        const int64_t i = static_cast<int64_t>(v);
        const int64_t w = static_cast<int64_t>(weightSum);
        const auto byte = [](int64_t q) {
            return static_cast<int>(std::clamp<int64_t>(q, 0, 255));
        };
        const int64_t divided = w > 1 ? i / w : i;
        switch (*map) {
        case Map::Auto: {
            const int64_t min = static_cast<int64_t>(minimum), max = static_cast<int64_t>(maximum);
            const int64_t d = (max - min) / 255;
            // A range below 255 stretches by the real divisor rather than dividing by 0.
            b = d != 0 ? byte((i - min) / d)
                       : ClampRoundByte(static_cast<double>(i - min) / ((max - min) / 255.0));
            break;
        }
        case Map::Below:
            b = byte(i * 127 + 127);
            break;
        case Map::Scale:
            b = byte(divided < 1 ? divided * 127 + 1 : divided / 2 + 128);
            break;
        case Map::Clip:
            b = byte(divided);
            break;
        }
    } else {
        switch (*map) {
        case Map::Auto:
            b = ClampRoundByte((v - minimum) / ((maximum - minimum) / 255.0), p.Ceiling);
            break;
        case Map::Below:
            b = ClampRoundByte(v * 127 + 127);
            break;
        case Map::Scale:
            b = ClampRoundByte(v < 1 ? v * 127 + 1 : v / 2 + 128);
            break;
        case Map::Clip:
            b = ClampRoundByte(v, p.Ceiling);
            break;
        }
    }
    if (o.Threshold) {
        if (b > o.ThresholdMax) b = o.ThresholdMax;
        if (b < o.ThresholdMin) b = 0;
    }
    return b;
}

// The picture the engine should show, rows top first.
std::vector<Rgb> Expected(const Reference& e, const Options& o, int w,
                          const std::vector<Rgb>& picture, const FilterKernels& k) {
    const Buffer b = ToBuffer(w, picture);
    const int h = k.Size / 2;
    std::vector<Rgb> out = picture;
    double weightSum = 0.0;
    for (int i = 0; i < k.Size * k.Size; ++i)
        weightSum += k.Integer[i];
    // The stretch's extremes, gathered over the whole area first (from 0 and 255).
    std::array<double, 3> maximum{0, 0, 0}, minimum{255, 255, 255};
    for (int y = h; y < b.H - h; ++y)
        for (int x = h; x < b.W - h; ++x)
            for (int ch = 0; ch < 3; ++ch) {
                const Stepped s = ValueSteps(e, o, b, k, x, y, ch);
                maximum[ch] = std::max(maximum[ch], s.V);
                minimum[ch] = std::min(minimum[ch], s.L);
            }
    const bool gatherOnly = o.Auto && o.Flag == 0;
    for (int y = h; y < b.H - h; ++y)
        for (int x = h; x < b.W - h; ++x)
            for (int ch = 0; ch < 3; ++ch) {
                if (gatherOnly) continue;
                const double v = ValueSteps(e, o, b, k, x, y, ch).V;
                const std::optional<int> byte =
                    OutputStage(e.P, o, v, weightSum, minimum[ch], maximum[ch]);
                if (byte) out[static_cast<size_t>(b.H - 1 - y) * w + x][2 - ch] = *byte;
            }
    // The border: h + 1 rows and columns at the low ends, h + 2 at the high ends.
    for (int y = 0; y < b.H; ++y)
        for (int x = 0; x < w; ++x)
            if (y <= h || y >= b.H - h - 2 || x <= h || x >= w - h - 2)
                out[static_cast<size_t>(b.H - 1 - y) * w + x] = {0, 0, 0};
    return out;
}

FilterKernels KernelsFor(KernelKind kind, int n, std::mt19937& gen) {
    FilterKernels k;
    k.Kind = kind;
    k.Size = n;
    for (int i = 0; i < n * n; ++i) {
        k.Integer[i] = static_cast<int>(gen() % 9) - 3;
        for (int s = 0; s < 8; ++s)
            k.Real[s][i] = (static_cast<int>(gen() % 13) - 4) * 0.125;
    }
    // The ratio filters divide by the centre weight.
    k.Real[0][(n / 2) * n + n / 2] = 0.75;
    return k;
}

// Three pictures whose channels differ: noise with a black pixel, a ramp across with its
// channels running different ways, and bands of black, white and one saturated channel.
std::vector<std::vector<Rgb>> Pictures(int w, int h, std::mt19937& gen) {
    std::vector<Rgb> noise(static_cast<size_t>(w) * h), ramp(noise.size()), bands(noise.size());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const size_t i = static_cast<size_t>(y) * w + x;
            noise[i] = {static_cast<int>(gen() % 256), static_cast<int>(gen() % 256),
                        static_cast<int>(gen() % 256)};
            ramp[i] = {x * 255 / (w - 1), 255 - y * 255 / (h - 1), (x * 37 + y * 11) % 256};
            bands[i] =
                x % 4 == 0 ? Rgb{0, 0, 0} : (y % 3 == 0 ? Rgb{255, 255, 255} : Rgb{255, 3 * x, 0});
        }
    noise[static_cast<size_t>(h / 2) * w + w / 2] = {0, 0, 0};
    return {noise, ramp, bands};
}

class FiledFilterReference : public EngineTestImage {
  protected:
    TempDir Dir;
};

TEST_F(FiledFilterReference, EveryEngineMatchesItsFormulasInEveryMode) {
    std::mt19937 gen(2026);
    constexpr int W = 13, H = 11;
    for (const Reference& e : References())
        for (int n : {3, 5, 9}) {
            const FilterKernels k = KernelsFor(e.Kind, n, gen);
            const std::string file = Dir.File("k." + std::string(e.Ext) + std::to_string(n));
            ASSERT_TRUE(WriteFilterFile(file, k, TReplaceLeave::Chosen(file)));
            const std::vector<std::vector<Rgb>> pictures = Pictures(W, H, gen);
            for (size_t pic = 0; pic < pictures.size(); ++pic)
                for (size_t mode = 0; mode < std::size(Modes); ++mode) {
                    SCOPED_TRACE(std::string(e.Name) + " n=" + std::to_string(n) + " picture " +
                                 std::to_string(pic) + " mode " + std::to_string(mode));
                    const Options& o = Modes[mode];
                    SetOptions(o);
                    Load(W, pictures[pic]);
                    e.Run(file, o.Flag);
                    ASSERT_EQ(Rec.ErrorBoxes, std::vector<std::string>{});
                    EXPECT_EQ(Shown(), Expected(e, o, W, pictures[pic], k));
                }
        }
}

} // namespace
