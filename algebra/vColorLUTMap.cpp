#include "algebra/vColorLUTMap.h"

#include "algebra/vUOutputRange.h"
#include "shell/imaging/vURealColorLibrary.h"
#include "shell/vGlobal.h"

#include <algorithm>
#include <new>
#include <vector>

namespace {

// The first plane index of each colour-space function and how many it has.
struct PlaneRange {
    int32_t First, Count;
};

PlaneRange PlanesOf(int32_t function) {
    switch (function) {
    case lfRGB:
        return {0, 4};
    case lfHSV:
        return {4, 3};
    case lfHLS:
        return {7, 3};
    case lfCMYK:
        return {10, 4};
    default:
        return {0, 1};
    }
}

// ---- Per pixel ----

enum class PixelKind : uint8_t { Gray, Mean, HSV, HLS, YIQ };

void WrapFraction(double& v) {
    if (v <= 0.0)
        v += 1.0;
    else if (v >= 1.0)
        v -= 1.0;
}

void Clamp(double& v, double low, double lowTo, double high, double highTo) {
    if (v <= low)
        v = lowTo;
    else if (v >= high)
        v = highTo;
}

// The fixes before the conversion back to RGB: hue in degrees, the other two fractions. The
// saturation floors keep every pixel clear of the conversions' refusal of a grey with a hue.
// The preview folds shifted fractions back into 0..1; `fixedFractions` says the two are the hue
// plane's constants, which no bar shifts and which folding would turn from 1 into 0.
template <PixelKind K>
[[gnu::always_inline]] inline void FixSpaceValues(LUTRun run, double X[3], bool fixedFractions) {
    if (run == LUTRun::Preview) {
        if (X[0] <= 0.0)
            X[0] += 1.0;
        else if (X[0] >= 360.0)
            X[0] -= 360.0;
        if (!fixedFractions) {
            WrapFraction(X[1]);
            WrapFraction(X[2]);
        }
    }
    Clamp(X[0], 0.0, 0.0, 360.0, 360.0);
    if constexpr (K == PixelKind::HSV) {
        if (run == LUTRun::Preview)
            Clamp(X[1], 0.004, 0.004, 1.0, 1.0);
        else
            Clamp(X[1], 0.0, 0.0001, 1.0, 1.0);
        Clamp(X[2], 0.0, 0.0, 1.0, 1.0);
    } else {
        Clamp(X[1], 0.0, 0.0, 1.0, 1.0);
        Clamp(X[2], 0.004, 0.004, 1.0, 1.0001);
    }
}

// Byte b as the single-precision fraction b / 255.
const std::array<float, 256> ByteFractions = [] {
    std::array<float, 256> f;
    for (int i = 0; i < 256; ++i)
        f[i] = static_cast<float>(i / 255.0);
    return f;
}();

template <PixelKind K>
[[gnu::always_inline]] inline void ComputePixel(const LUTMapping& m, LUTRun run, int R, int G,
                                                int B, double X[3]) {
    if constexpr (K == PixelKind::Gray) {
        const double v = (0.001 + m.Tables[0][R] + m.Tables[1][G] + m.Tables[2][B]) / 100.0;
        X[0] = X[1] = X[2] = v;
    } else if constexpr (K == PixelKind::Mean) {
        X[0] = X[1] = X[2] = (m.Tables[0][R] + m.Tables[1][G] + m.Tables[2][B]) / 3.0;
    } else if constexpr (K == PixelKind::YIQ) {
        const double pR = m.Bars[0], pG = m.Bars[1], pB = m.Bars[2];
        X[0] = 0.299 * R + 0.587 * G + 0.114 * B + (0.299 * pR + 0.587 * pG + 0.114 * pB);
        X[1] = 0.596 * R - 0.275 * G - 0.321 * B + (0.596 * pR - 0.275 * pG - 0.321 * pB);
        X[2] = 0.212 * R - 0.523 * G + 0.311 * B + (0.212 * pR - 0.523 * pG + 0.311 * pB);
    } else {
        // A zero byte is taken as 1.
        const float r = ByteFractions[R ? R : 1];
        const float g = ByteFractions[G ? G : 1];
        const float b = ByteFractions[B ? B : 1];
        float h, a, c;
        if constexpr (K == PixelKind::HSV)
            MyRGBToHSV(r, g, b, h, a, c);
        else
            MyRGBToHLS(r, g, b, h, a, c);
        bool fixedFractions = false;
        switch (m.Plane) {
        case 1:
            X[0] = X[1] = X[2] = static_cast<double>(a) + m.A2;
            break;
        case 2:
            X[0] = X[1] = X[2] = static_cast<double>(c) + m.B2;
            break;
        default:
            X[0] = static_cast<double>(h) + m.H2;
            if (m.InColor) {
                // Each hue at full saturation and value (HSV), or at half lightness and full
                // saturation (HLS). Lightness as the byte 128 would clamp to 1: all white.
                X[1] = K == PixelKind::HSV ? 1.0 : 128.0 / 255.0;
                X[2] = 1.0;
                fixedFractions = true;
            } else {
                X[1] = K == PixelKind::HSV ? 255.0 : 128.0;
                X[0] = X[1] = X[2] = (X[0] + X[1] + 255.0) / 3.0;
            }
        }
        FixSpaceValues<K>(run, X, fixedFractions);
        constexpr auto toRGB = K == PixelKind::HSV ? HSVtoRGB : HLStoRGB;
        float Rc, Gc, Bc;
        toRGB(static_cast<float>(X[0]), static_cast<float>(X[1]), static_cast<float>(X[2]), Rc, Gc,
              Bc);
        X[0] = 255.0 * Rc;
        X[1] = 255.0 * Gc;
        X[2] = 255.0 * Bc;
    }
}

// ---- Channel by channel ----

// A mapping where each output channel (red, green, blue) is a table of one source channel.
struct Separable {
    std::array<int, 3> Source{0, 1, 2};
    std::array<LUTTable, 3> Values;
};

// False when the mapping needs the whole pixel, with `kind` the way to compute it.
bool SeparableOf(const LUTMapping& m, Separable& s, PixelKind& kind) {
    const LUTTable zero{};
    switch (m.Function) {
    case lfGray:
        kind = PixelKind::Gray;
        return false;
    case lfHSV:
        kind = PixelKind::HSV;
        return false;
    case lfHLS:
        kind = PixelKind::HLS;
        return false;
    case lfYIQ:
        kind = PixelKind::YIQ;
        return false;
    case lfRGB:
        if (m.Plane == 0) {
            if (!m.InColor) {
                kind = PixelKind::Mean;
                return false;
            }
            s.Values = m.Tables;
            return true;
        }
        for (int c = 0; c < 3; ++c) {
            const int band = m.Plane - 1;
            s.Source[c] = band;
            s.Values[c] = (c == band || !m.InColor) ? m.Tables[band] : zero;
        }
        return true;
    case lfCMYK: {
        // Cyan is the top byte of the colour words, always 0; the others shift one channel by
        // its bar position taken as a byte.
        static constexpr int SourceOfPlane[4] = {0, 2, 1, 0};
        const int source = SourceOfPlane[m.Plane];
        const int shift = m.Bars[source] & 255;
        for (int c = 0; c < 3; ++c) {
            s.Source[c] = source;
            for (int i = 0; i < 256; ++i)
                s.Values[c][i] = m.Plane == 0 ? 0.0 : static_cast<double>(i + shift);
        }
        return true;
    }
    default:
        s.Values = m.Tables;
        return true;
    }
}

// ---- The passes ----

// Buffer rows bottom first, each `Step` bytes after the one before, PB bytes a pixel (blue,
// green, red first). Source and target may be the same memory: a pixel is read whole before it
// is written.
struct Rows {
    const uint8_t* Source;
    uint8_t* Target;
    ptrdiff_t Step;
    int32_t Width, Height;
};

struct Progress {
    LUTProgress Call;
    void* Context;
    void Row(int32_t y, int32_t maxY) const {
        if (Call) Call(Context, RowPercent(y, maxY));
    }
};

// Every table value to its byte at once, where no value can fail: a writing pass then runs
// without a test a pixel. False, with nothing changed, where one would raise.
template <RangeStep S>
bool WholeTables(const Separable& s, const OutputRange& out,
                 std::array<std::array<uint8_t, 256>, 3>& bytes) {
    if constexpr (!StepWrites<S>) {
        return false;
    } else {
        try {
            for (int c = 0; c < 3; ++c) {
                ChannelRange channel = out.Channels[c];
                for (int i = 0; i < 256; ++i)
                    bytes[c][i] =
                        static_cast<uint8_t>(OutputValue<S>(s.Values[c][i], out.Steps, channel));
            }
        } catch (const ERunError&) {
            return false;
        }
        return true;
    }
}

template <RangeStep S, int PB>
void TablePass(const std::array<std::array<uint8_t, 256>, 3>& bytes, const Separable& s,
               OutputRange& out, const Rows& rows, const Progress& p) {
    const int r = 2 - s.Source[0], g = 2 - s.Source[1], b = 2 - s.Source[2];
    for (int32_t y = 0; y < rows.Height; ++y) {
        out.FoldExtremes(3);
        const uint8_t* src = rows.Source + y * rows.Step;
        uint8_t* dst = rows.Target + y * rows.Step;
        for (int32_t x = 0; x < rows.Width; ++x, src += PB, dst += PB) {
            const uint8_t red = bytes[0][src[r]], green = bytes[1][src[g]], blue = bytes[2][src[b]];
            dst[2] = red;
            dst[1] = green;
            dst[0] = blue;
        }
        p.Row(y, rows.Height - 1);
    }
}

template <RangeStep S, int PB>
void SeparablePass(const Separable& s, OutputRange& out, const Rows& rows, const Progress& p) {
    std::array<std::array<uint8_t, 256>, 3> whole;
    if (WholeTables<S>(s, out, whole)) return TablePass<S, PB>(whole, s, out, rows, p);
    // The byte of each table value, worked out when first met, so that a value that fails does so
    // at the first pixel holding it; in the gathering pass, whether the value was tracked.
    std::array<std::array<int16_t, 256>, 3> bytes;
    for (auto& b : bytes)
        b.fill(-1);
    const ValueSteps steps = out.Steps;
    for (int32_t y = 0; y < rows.Height; ++y) {
        out.FoldExtremes(3);
        const uint8_t* src = rows.Source + y * rows.Step;
        uint8_t* dst = rows.Target + y * rows.Step;
        for (int32_t x = 0; x < rows.Width; ++x, src += PB, dst += PB) {
            const int v[3] = {src[2], src[1], src[0]};
            int out3[3];
            for (int c = 0; c < 3; ++c) {
                const int in = v[s.Source[c]];
                int b = bytes[c][in];
                if (b < 0) {
                    b = OutputValue<S>(s.Values[c][in], steps, out.Channels[c]);
                    bytes[c][in] = static_cast<int16_t>(b < 0 ? 0 : b);
                }
                out3[c] = b;
            }
            if constexpr (StepWrites<S>) {
                dst[2] = static_cast<uint8_t>(out3[0]);
                dst[1] = static_cast<uint8_t>(out3[1]);
                dst[0] = static_cast<uint8_t>(out3[2]);
            }
        }
        p.Row(y, rows.Height - 1);
    }
}

template <RangeStep S, int PB, PixelKind K>
void PixelPass(const LUTMapping& m, LUTRun run, OutputRange& out, const Rows& rows,
               const Progress& p) {
    const ValueSteps steps = out.Steps;
    for (int32_t y = 0; y < rows.Height; ++y) {
        out.FoldExtremes(3);
        const uint8_t* src = rows.Source + y * rows.Step;
        uint8_t* dst = rows.Target + y * rows.Step;
        for (int32_t x = 0; x < rows.Width; ++x, src += PB, dst += PB) {
            double X[3];
            ComputePixel<K>(m, run, src[2], src[1], src[0], X);
            const int r = OutputValue<S>(X[0], steps, out.Channels[0]);
            const int g = OutputValue<S>(X[1], steps, out.Channels[1]);
            const int b = OutputValue<S>(X[2], steps, out.Channels[2]);
            if constexpr (StepWrites<S>) {
                dst[2] = static_cast<uint8_t>(r);
                dst[1] = static_cast<uint8_t>(g);
                dst[0] = static_cast<uint8_t>(b);
            }
        }
        p.Row(y, rows.Height - 1);
    }
}

// A pixel's three result bytes, kept for the pixels that share its key.
struct CacheSlot {
    uint32_t Tag = ~0u;
    uint32_t Bytes = 0;
};

// Keys of the colour-space corrections. The saturation, value and lightness planes depend on a
// pixel's largest and smallest byte alone (after a zero is taken as 1): one slot per pair. The
// hue planes depend on the whole colour: a slot per colour hashed, so that the repeated colours
// of a photograph are converted once.
struct ExtremesKey {
    static constexpr size_t Slots = 256 * 256;
    uint32_t operator()(int r, int g, int b, uint32_t& tag) const {
        r = r ? r : 1, g = g ? g : 1, b = b ? b : 1;
        tag = static_cast<uint32_t>((std::max({r, g, b}) << 8) | std::min({r, g, b}));
        return tag;
    }
};
struct ColorKey {
    static constexpr size_t Slots = size_t{1} << 16;
    uint32_t operator()(int r, int g, int b, uint32_t& tag) const {
        tag = static_cast<uint32_t>((r << 16) | (g << 8) | b);
        return (tag * 2654435761u) >> 16;
    }
};

// A pixel is mapped, and its values tracked or put through the steps, when its key is not in its
// slot; values met again change no extreme and raise nothing new.
template <RangeStep S, int PB, PixelKind K, class Key>
void CachedPass(const LUTMapping& m, LUTRun run, OutputRange& out, const Rows& rows,
                const Progress& p) {
    std::vector<CacheSlot> cache(Key::Slots);
    const Key key;
    const ValueSteps steps = out.Steps;
    for (int32_t y = 0; y < rows.Height; ++y) {
        out.FoldExtremes(3);
        const uint8_t* src = rows.Source + y * rows.Step;
        uint8_t* dst = rows.Target + y * rows.Step;
        for (int32_t x = 0; x < rows.Width; ++x, src += PB, dst += PB) {
            const int r = src[2], g = src[1], b = src[0];
            uint32_t tag;
            CacheSlot& slot = cache[key(r, g, b, tag)];
            if (slot.Tag != tag) {
                double X[3];
                ComputePixel<K>(m, run, r, g, b, X);
                const int red = OutputValue<S>(X[0], steps, out.Channels[0]);
                const int green = OutputValue<S>(X[1], steps, out.Channels[1]);
                const int blue = OutputValue<S>(X[2], steps, out.Channels[2]);
                slot.Tag = tag;
                slot.Bytes = StepWrites<S> ? (red << 16) | (green << 8) | blue : 0;
            }
            if constexpr (StepWrites<S>) {
                dst[2] = static_cast<uint8_t>(slot.Bytes >> 16);
                dst[1] = static_cast<uint8_t>(slot.Bytes >> 8);
                dst[0] = static_cast<uint8_t>(slot.Bytes);
            }
        }
        p.Row(y, rows.Height - 1);
    }
}

template <RangeStep S, int PB, PixelKind K>
void SpacePass(const LUTMapping& m, LUTRun run, OutputRange& out, const Rows& rows,
               const Progress& p) {
    if (m.Plane != 0) return CachedPass<S, PB, K, ExtremesKey>(m, run, out, rows, p);
    CachedPass<S, PB, K, ColorKey>(m, run, out, rows, p);
}

template <RangeStep S, int PB>
void RunPass(const LUTMapping& m, LUTRun run, OutputRange& out, const Rows& rows,
             const Progress& p) {
    if constexpr (S == RangeStep::Discard) {
        // Nothing is written: only the rows' bookkeeping.
        for (int32_t y = 0; y < rows.Height; ++y) {
            out.FoldExtremes(3);
            p.Row(y, rows.Height - 1);
        }
        return;
    }
    Separable s;
    PixelKind kind = PixelKind::Gray;
    if (SeparableOf(m, s, kind)) return SeparablePass<S, PB>(s, out, rows, p);
    switch (kind) {
    case PixelKind::Gray:
        return PixelPass<S, PB, PixelKind::Gray>(m, run, out, rows, p);
    case PixelKind::Mean:
        return PixelPass<S, PB, PixelKind::Mean>(m, run, out, rows, p);
    case PixelKind::HSV:
        return SpacePass<S, PB, PixelKind::HSV>(m, run, out, rows, p);
    case PixelKind::HLS:
        return SpacePass<S, PB, PixelKind::HLS>(m, run, out, rows, p);
    case PixelKind::YIQ:
        return PixelPass<S, PB, PixelKind::YIQ>(m, run, out, rows, p);
    }
}

template <int PB>
using PassRun = void (*)(const LUTMapping&, LUTRun, OutputRange&, const Rows&, const Progress&);

// The pass of each step, in the order of RangeStep.
template <int PB>
constexpr PassRun<PB> Passes[] = {
    RunPass<RangeStep::Discard, PB>,     RunPass<RangeStep::Gather, PB>,
    RunPass<RangeStep::Stretch, PB>,     RunPass<RangeStep::BelowZero, PB>,
    RunPass<RangeStep::Scale0To255, PB>, RunPass<RangeStep::Clip, PB>,
};

template <int PB>
void RunLUT(const LUTMapping& m, LUTRun run, OutputRange& out, const Rows& rows,
            const Progress& p) {
    for (int64_t pass = 0; pass < out.OptionPasses(); ++pass) {
        out.BeginPass();
        Passes<PB>[static_cast<int>(out.StepOfPass(pass))](m, run, out, rows, p);
    }
}

} // namespace

LUTMapping CurrentLUTMapping(int32_t redBar, int32_t greenBar, int32_t blueBar) {
    LUTMapping m;
    m.Function = LUTFunction;
    const PlaneRange planes = PlanesOf(LUTFunction);
    const int32_t plane = ColorPlane - planes.First;
    m.Plane = plane >= 0 && plane < planes.Count ? plane : 0;
    m.InColor = PlaneInColor;
    m.Bars = {redBar, greenBar, blueBar};
    m.Tables = {RedLUT, GreenLUT, BlueLUT};
    const float r = static_cast<float>((redBar + 0.1) / 359.0);
    const float g = static_cast<float>((greenBar + 0.1) / 255.0);
    const float b = static_cast<float>((blueBar + 0.1) / 255.0);
    if (LUTFunction == lfHSV) MyRGBToHSV(r, g, b, m.H2, m.A2, m.B2);
    if (LUTFunction == lfHLS) MyRGBToHLS(r, g, b, m.H2, m.A2, m.B2);
    return m;
}

void MapLUTPixel(const LUTMapping& m, LUTRun run, int R, int G, int B, double X[3]) {
    Separable s;
    PixelKind kind = PixelKind::Gray;
    if (SeparableOf(m, s, kind)) {
        const int v[3] = {R, G, B};
        for (int c = 0; c < 3; ++c)
            X[c] = s.Values[c][v[s.Source[c]]];
        return;
    }
    switch (kind) {
    case PixelKind::Gray:
        return ComputePixel<PixelKind::Gray>(m, run, R, G, B, X);
    case PixelKind::Mean:
        return ComputePixel<PixelKind::Mean>(m, run, R, G, B, X);
    case PixelKind::HSV:
        return ComputePixel<PixelKind::HSV>(m, run, R, G, B, X);
    case PixelKind::HLS:
        return ComputePixel<PixelKind::HLS>(m, run, R, G, B, X);
    case PixelKind::YIQ:
        return ComputePixel<PixelKind::YIQ>(m, run, R, G, B, X);
    }
}

bool MakeLUTPreview(const LUTMapping& m, Picture& preview, LUTProgress progress, void* context) {
    OutputRange out({});
    if (DisplayedPicture.Empty()) return false;
    // A copy of its own: the working buffers, and with them the user's Undo, stay as they are.
    Picture copy;
    try {
        copy = DisplayedPicture;
    } catch (const std::bad_alloc&) {
        ShowMessageNumber(39977);
        return false;
    }
    const int32_t w = copy.Width, h = copy.Height;
    uint8_t* bottom = reinterpret_cast<uint8_t*>(copy.Row(h - 1));
    const Rows rows{bottom, bottom, -static_cast<ptrdiff_t>(w) * 4, w, h};
    RunLUT<4>(m, LUTRun::Preview, out, rows, {progress, context});
    preview = std::move(copy);
    return true;
}

void ApplyLUTImage(const LUTMapping& m, LUTProgress progress, void* context) {
    OutputRange out({});
    CopyImageForProcessing();
    if (!ImageBuffersLocked) return;
    const Rows rows{UndoImageBuffer, WorkImageBuffer, ImageRowStride, ImageMaxX + 1, ImageMaxY + 1};
    RunLUT<3>(m, LUTRun::Apply, out, rows, {progress, context});
    ShowProcessedImage();
}
