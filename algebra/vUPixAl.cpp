#include "algebra/vUPixAl.h"

#include "algebra/vUOutputRange.h"
#include "runtime/RtNumbers.h"
#include "runtime/RtRandom.h"
#include "shell/vMacroCodes.h"

#include <string>
#include <vector>

// The engines' helpers over vectors of reals are inlined into the quick paths built for those
// vectors; no call passes a vector between code built for different processors.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace {

// ---- Band expressions ----

// Added to every band value, so that no band is ever zero.
constexpr double BandOffset = 0.00001;

double Band(int32_t code, double r, double g, double b) {
    switch (code) {
    case 0:
        return r;
    case 1:
        return g;
    case 2:
        return b;
    default:
        return 0.0;
    }
}

// Band values lie within 0.00001..255.00001 and at most three operations combine them, so no sum,
// difference or product can overflow: only a division can fail.
double Operate(int32_t op, double a, double b) {
    switch (op) {
    case poAdd:
        return a + b;
    case poSubtract:
        return a - b;
    case poMultiply:
        return a * b;
    case poDivide:
        return rt::fdiv(a, b);
    default:
        return 0.0;
    }
}

// Inside a group a difference of exactly zero becomes the band offset.
double GroupOperate(int32_t op, double a, double b) {
    const double v = Operate(op, a, b);
    return op == poSubtract && v == 0.0 ? BandOffset : v;
}

struct GroupCodes {
    int32_t Shape, Band1, Band2, Band3, Op1, Op2;
};

double Group(const GroupCodes& g, double r, double gr, double b) {
    switch (g.Shape) {
    case 0:
        return Band(g.Band1, r, gr, b);
    case 1:
        return GroupOperate(g.Op1, Band(g.Band1, r, gr, b), Band(g.Band2, r, gr, b));
    case 2: {
        const double first = GroupOperate(g.Op1, Band(g.Band1, r, gr, b), Band(g.Band2, r, gr, b));
        return GroupOperate(g.Op2, first, Band(g.Band3, r, gr, b));
    }
    default:
        return 0.0;
    }
}

// ---- Ratio formulas ----

constexpr double E = 0.0001;

// The bytes come as reals, one pixel (T double) or one a lane (T a vector); their sums and
// differences are exact, as integer sums made real are, and products are formed in reals. Every
// denominator but one is at least 0.0001 and every numerator at most 65025.0001, so no other
// operation can fail. Checked: that one division raises where it meets a zero; unchecked, it
// gives an infinity, which sends the block to the checked path.
template <int F, bool Checked, class T> inline void RatioOutputs(T r, T g, T b, T* v) {
    const T white = T{} + 255.0;
    if constexpr (F == 1) {
        v[0] = v[1] = v[2] = (r - g + E) / (r + g + E);
    } else if constexpr (F == 2) {
        const T all = r + g + b + E;
        v[0] = (r + E) / all;
        v[1] = (g + E) / all;
        v[2] = (b + E) / all;
    } else if constexpr (F == 3) {
        v[0] = (r + E) / (g + b + E);
        v[1] = (r - g + E) / (r + g + E);
        v[2] = (r - b + E) / (r + b + E);
    } else if constexpr (F == 4) {
        // The only formula that can divide by zero: where green or red is 0.
        const auto divide = [](T n, T d) {
            if constexpr (Checked)
                return rt::fdiv(n, d);
            else
                return n / d;
        };
        v[0] = divide(g - b + E, g / (b + E));
        v[1] = divide(r - g + E, r / (g + E));
        v[2] = divide(r - b + E, r / (b + E));
    } else if constexpr (F == 5) {
        v[0] = (r + E) / (g - b + E);
        v[1] = (r + g + E) / (r - g + E);
        v[2] = (r + b + E) / (r - b + E);
    } else if constexpr (F == 6) {
        v[0] = (r + g + E) / (b + E);
        v[1] = (r + E) / (g + E);
        v[2] = (r + E) / (b + E);
    } else if constexpr (F == 7) {
        v[0] = (b + g + E) / (r + E);
        v[1] = (r + b + E) / (g + E);
        v[2] = (r + g + E) / (b + E);
    } else if constexpr (F == 8) {
        const T all = r + g + b + E;
        v[0] = all / (r + E);
        v[1] = all / (g + E);
        v[2] = all / (b + E);
    } else if constexpr (F == 9) {
        v[0] = (r + b + E) / (b + E);
        v[1] = (g + b + E) / (b + E);
        v[2] = (r + g + E) / (b + E);
    } else if constexpr (F == 10 || F == 12) {
        if constexpr (F == 10)
            v[0] = (r + E) / (g * b + E);
        else
            v[0] = (g + b + E) / (g * b + E);
        v[1] = (r + g + E) / (r * g + E);
        v[2] = (r + b + E) / (r * b + E);
    } else if constexpr (F == 11) {
        v[0] = (b * g + E) / (r + 0.1);
        v[1] = (r * b + E) / (g + 0.1);
        v[2] = (r * g + E) / (b + 0.1);
    } else if constexpr (F == 13) {
        v[0] = g + b < r ? r : white;
        v[1] = v[2] = white;
    } else if constexpr (F == 14) {
        v[1] = b + r < g ? g : white;
        v[0] = v[2] = white;
    } else if constexpr (F == 15) {
        v[2] = r + g < b ? b : white;
        v[0] = v[1] = white;
    } else {
        v[0] = v[1] = v[2] = T{};
    }
}

template <int F> void RunRatios(OutputRange& out) {
    RunValueEngine<3>(
        out, out.OptionPasses(), ProgressReport::ByOption,
        [](int R, int G, int B, double* v) { RatioOutputs<F, true, double>(R, G, B, v); },
        [](const auto& r, const auto& g, const auto& b, auto* v) {
            RatioOutputs<F, false>(r, g, b, v);
        });
}

using RatioRun = void (*)(OutputRange&);
// Formula 0 stands for every number outside 1..15.
constexpr RatioRun RatioRuns[16] = {
    RunRatios<0>,  RunRatios<1>,  RunRatios<2>,  RunRatios<3>,  RunRatios<4>,  RunRatios<5>,
    RunRatios<6>,  RunRatios<7>,  RunRatios<8>,  RunRatios<9>,  RunRatios<10>, RunRatios<11>,
    RunRatios<12>, RunRatios<13>, RunRatios<14>, RunRatios<15>,
};

// ---- Coefficient engines ----

// Unchecked: an overflow or a zero divisor gives an infinity or NaN, which the sum keeps and the
// block's check sends to the checked path.
template <int32_t Op, class T> inline T Apply(T c, double k) {
    if constexpr (Op == poAdd)
        return c + k;
    else if constexpr (Op == poSubtract)
        return c - k;
    else if constexpr (Op == poMultiply)
        return c * k;
    else if constexpr (Op == poDivide)
        return c / k;
    else
        return T{};
}

// Checked, as the run time raises at the operation that fails. Bytes and coefficients are finite,
// so a sum, difference or product fails only by overflowing.
template <int32_t Op> inline double Combine(double c, double k) {
    if constexpr (Op == poDivide)
        return rt::fdiv(c, k);
    else
        return rt::fcheck(Apply<Op>(c, k));
}

// Any other code is run as this one: every output stays 0.0.
constexpr int32_t NoOperation = -1;

template <int32_t Op> void RunPARB(OutputRange& out, const std::array<double, 9>& k) {
    RunValueEngine<3>(
        out, out.OptionPasses(), ProgressReport::ByOption,
        [k](int R, int G, int B, double* v) {
            // Left to right, each operation checked as it is made, so that the first failing
            // one is the one reported.
            for (int c = 0; c < 3; ++c) {
                const double blue = Combine<Op>(B, k[3 * c]);
                const double blueGreen = rt::fcheck(blue + Combine<Op>(G, k[3 * c + 1]));
                v[c] = rt::fcheck(blueGreen + Combine<Op>(R, k[3 * c + 2]));
            }
        },
        [k](const auto& r, const auto& g, const auto& b, auto* v) {
            for (int c = 0; c < 3; ++c)
                v[c] = Apply<Op>(b, k[3 * c]) + Apply<Op>(g, k[3 * c + 1]) +
                       Apply<Op>(r, k[3 * c + 2]);
        });
}

template <int32_t Op> void RunPMultiply(OutputRange& out, double c1, double c2, double c3) {
    RunValueEngine<3>(
        out, out.OptionPasses(), ProgressReport::ByOption,
        [c1, c2, c3](int R, int G, int B, double* v) {
            v[0] = Combine<Op>(R, c1);
            v[1] = Combine<Op>(G, c2);
            v[2] = Combine<Op>(B, c3);
        },
        [c1, c2, c3](const auto& r, const auto& g, const auto& b, auto* v) {
            v[0] = Apply<Op>(r, c1);
            v[1] = Apply<Op>(g, c2);
            v[2] = Apply<Op>(b, c3);
        });
}

// ---- Power and logarithm transform ----

// The value of a byte depends on the byte alone, so each is computed once, when first met:
// an error still ends the run at the first pixel that holds the failing byte.
class PowerLogValues {
  public:
    PowerLogValues(int32_t mode, double p1, double p2) : Mode(mode), P1(p1), P2(p2) {}
    double operator()(int byte) {
        if (!Known[byte]) {
            Values[byte] = Compute(byte == 0 ? 1.0 : byte);
            Known[byte] = true;
        }
        return Values[byte];
    }

  private:
    double Compute(double c) const {
        switch (Mode) {
        case 1:
            return Times10(Power(c, P1));
        case 2: {
            const double power = Times10(Power(c, P1));
            return rt::fcheck(power - Times10(LogExp(c, P2)));
        }
        case 3: {
            const double log = Times10(LogExp(c, P1));
            return rt::fcheck(log - Times10(Power(c, P2)));
        }
        default:
            return 0.0;
        }
    }
    // Each operation checked as it is made: a power can overflow when multiplied by 10 before a
    // later division fails.
    static double Times10(double v) { return rt::fcheck(10.0 * v); }
    // exp(ln(c) / p): c to the power 1/p.
    static double Power(double c, double p) { return rt::fexp(rt::fdiv(rt::fln(c), p)); }
    // ln(exp(c) / p).
    static double LogExp(double c, double p) { return rt::fln(rt::fdiv(rt::fexp(c), p)); }

    int32_t Mode;
    double P1, P2;
    std::array<double, 256> Values{};
    std::array<bool, 256> Known{};
};

// ---- In-place engines ----

uint8_t ClampToByte(int64_t v) {
    return static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
}

// A uniform real rounded to 0 or 1, times 100, bounds a uniform integer draw.
int32_t NoiseDraw() {
    const int32_t bound = static_cast<int32_t>(Round(rt::Random())) * 100;
    return rt::Random(bound);
}

} // namespace

void DoPixelAlgebra(const PixelAlgebraRecord& params) {
    const PixelAlgebraRecord p = params;
    OutputRange out({});
    const GroupCodes a{p[paShapeA], p[paBandA1], p[paBandA2], p[paBandA3], p[paOpA1], p[paOpA2]};
    const GroupCodes b{p[paShapeB], p[paBandB1], p[paBandB2], p[paBandB3], p[paOpB1], p[paOpB2]};
    const int32_t main = p[paMainOp];
    RunValueEngine<1>(out, out.OptionPasses(), ProgressReport::ByOption,
                      [a, b, main](int R, int G, int B, double* v) {
                          const double r = R + BandOffset, g = G + BandOffset, bl = B + BandOffset;
                          const double groupA = Group(a, r, g, bl);
                          const double groupB = Group(b, r, g, bl);
                          v[0] = Operate(main, groupA, groupB);
                      });
}

void DoPixelRatios(uint8_t formula) {
    OutputRange out({});
    RatioRuns[formula <= 15 ? formula : 0](out);
}

void DoPARBMultiply(int32_t operation, double redRow1, double redRow2, double redRow3,
                    double greenRow1, double greenRow2, double greenRow3, double blueRow1,
                    double blueRow2, double blueRow3) {
    const std::array<double, 9> k{redRow1,   redRow2,  redRow3,  greenRow1, greenRow2,
                                  greenRow3, blueRow1, blueRow2, blueRow3};
    OutputRange out({});
    switch (operation) {
    case poAdd:
        return RunPARB<poAdd>(out, k);
    case poSubtract:
        return RunPARB<poSubtract>(out, k);
    case poMultiply:
        return RunPARB<poMultiply>(out, k);
    case poDivide:
        return RunPARB<poDivide>(out, k);
    default:
        return RunPARB<NoOperation>(out, k);
    }
}

void DoPMultiply(int32_t operation, double c1, double c2, double c3) {
    OutputRange out({});
    switch (operation) {
    case poAdd:
        return RunPMultiply<poAdd>(out, c1, c2, c3);
    case poSubtract:
        return RunPMultiply<poSubtract>(out, c1, c2, c3);
    case poMultiply:
        return RunPMultiply<poMultiply>(out, c1, c2, c3);
    case poDivide:
        return RunPMultiply<poDivide>(out, c1, c2, c3);
    default:
        return RunPMultiply<NoOperation>(out, c1, c2, c3);
    }
}

void DoPowerLogTransform(int32_t extraPasses, int32_t mode, double p1, double p2) {
    OutputRange out({.Absolute = true, .Order = RangeOrder::AutoScaleBelowClip},
                    MinimumPrecision::Double);
    // Here 0..1..255 only clamps and rounds.
    if (out.Mapping == RangeMapping::Scale0To255) out.Mapping = RangeMapping::Clip;
    PowerLogValues values(mode, p1, p2);
    // In 64 bits: the largest count from a macro line must not wrap.
    const int64_t passes = static_cast<int64_t>(extraPasses) + 1;
    RunValueEngine<3>(out, passes, ProgressReport::ByPass,
                      [&values](int R, int G, int B, double* v) {
                          v[0] = values(R);
                          v[1] = values(G);
                          v[2] = values(B);
                      });
}

void DoRandomNoise() {
    CopyImageForProcessing();
    if (!ImageBuffersLocked) return;
    for (int32_t y = 0; y <= ImageMaxY; ++y) {
        uint8_t* px = WorkRow(y);
        for (int32_t x = 0; x <= ImageMaxX; ++x, px += 3) {
            const int32_t first = NoiseDraw();
            const int32_t offset = first - NoiseDraw();
            for (int c = 0; c < 3; ++c)
                px[c] = ClampToByte(px[c] + offset);
        }
    }
    ShowProcessedImage();
}

void DoBrightnessOffset(int32_t offset) {
    CopyImageForProcessing();
    if (!ImageBuffersLocked) return;
    // The sum is held in 64 bits: an offset near the 32-bit limits from a macro line must clamp,
    // not wrap.
    std::array<uint8_t, 256> table;
    for (int v = 0; v < 256; ++v)
        table[v] = ClampToByte(static_cast<int64_t>(v) + offset);
    const size_t rowBytes = static_cast<size_t>(ImageMaxX + 1) * 3;
    for (int32_t y = 0; y <= ImageMaxY; ++y) {
        uint8_t* px = WorkRow(y);
        for (size_t i = 0; i < rowBytes; ++i)
            px[i] = table[px[i]];
    }
    ShowProcessedImage();
}

PixelAlgebraRecord PixelAlgebraRecordOf(const std::array<int32_t, 21>& items) {
    PixelAlgebraRecord r{};
    r[paMainOp] = items[1];
    // Per group: its shape's item, then the items of the one-, two- and three-band rows.
    const auto group = [&](int shapeItem, int first, int op1, int shapeField, int bandField,
                           int opField) {
        const int32_t shape = items[shapeItem];
        r[shapeField] = shape == 0 || shape == 1 || shape == 2 ? shape : -1;
        const auto set = [&](int32_t b1, int32_t b2, int32_t b3, int32_t o1, int32_t o2) {
            r[bandField] = b1;
            r[bandField + 1] = b2;
            r[bandField + 2] = b3;
            r[opField] = o1;
            r[opField + 1] = o2;
        };
        if (shape == 0) set(items[first], 9, 9, 9, 9);
        if (shape == 1) set(items[first + 1], items[first + 2], 9, items[op1], 9);
        if (shape == 2)
            set(items[first + 3], items[first + 4], items[first + 5], items[op1 + 1],
                items[op1 + 2]);
    };
    group(0, 3, 9, paShapeA, paBandA1, paOpA1);
    group(2, 12, 18, paShapeB, paBandB1, paOpB1);
    return r;
}

void RecordPixelAlgebra(const std::array<int32_t, 21>& itemIndexes) {
    std::vector<std::string> lines;
    for (int32_t i : itemIndexes)
        lines.push_back(IntToStr(i));
    RecordCommand(MacroCommandLine(201), lines);
}

void RecordPixelRatios(int32_t itemIndex) {
    RecordCommand(MacroCommandLine(202), {IntToStr(itemIndex)});
}

void RecordPARBMultiply(const std::array<double, 9>& coefficients, int32_t operation) {
    std::vector<std::string> lines;
    for (double c : coefficients)
        lines.push_back(FloatToStr(c));
    lines.push_back(IntToStr(operation));
    RecordCommand(MacroCommandLine(203), lines);
}

void RecordPMultiply(double c1, double c2, double c3, int32_t operation) {
    RecordCommand(MacroCommandLine(204),
                  {FloatToStr(c1), FloatToStr(c2), FloatToStr(c3), IntToStr(operation)});
}
