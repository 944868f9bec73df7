// The rule lists of density slicing as data, their evaluation, and the four rule classifiers.
#include "histogram/vSohoRules.h"

#include "histogram/vUISOHO.h"
#include "runtime/RtErrors.h"
#include "runtime/RtNumbers.h"

#include <cmath>
#include <initializer_list>
#include <stdexcept>

namespace soho {

namespace {

constexpr RuleOperand R = OpR, G = OpG, B = OpB, S = OpS;

constexpr RuleTerm Lt(RuleOperand l, RuleOperand r) {
    return {l, Cmp::Lt, r};
}
constexpr RuleTerm Le(RuleOperand l, RuleOperand r) {
    return {l, Cmp::Le, r};
}
constexpr RuleTerm Gt(RuleOperand l, RuleOperand r) {
    return {l, Cmp::Gt, r};
}
constexpr RuleTerm Ge(RuleOperand l, RuleOperand r) {
    return {l, Cmp::Ge, r};
}
constexpr RuleTerm Eq(RuleOperand l, RuleOperand r) {
    return {l, Cmp::Eq, r};
}

constexpr ClassRule Rule(uint8_t cls, uint8_t block, std::initializer_list<RuleTerm> terms) {
    ClassRule rule{cls, block, {}};
    size_t i = 0;
    for (const RuleTerm& t : terms)
        rule.Terms[i++] = t;
    return rule;
}

// The guards of the nine blocks; blocks 2, 4 and 6 are one class each, guarded by its rule.
constexpr std::array<RuleTerm, 3> NoGuard{};
constexpr std::array<std::array<RuleTerm, 3>, 9> BlockGuards{{
    {Lt(B, OpK), Lt(R, OpK), Lt(G, OpK)},
    NoGuard,
    {Lt(OpGB, R)},
    NoGuard,
    {Lt(S, OpBand5)},
    NoGuard,
    {Lt(S, OpBand7)},
    {Lt(S, OpBand9)},
    {Lt(S, Op766)},
}};
constexpr std::array<bool, 9> SingleBlocks{false, true,  false, true, false,
                                           true,  false, false, false};

// The real form: c, k = c + Trunc(c / 3), the a multiples and the b multiples of its bounds.
constexpr std::array<ClassRule, RuleClassCount> RealRules{{
    Rule(1, 1, {Lt(R, OpC), Lt(B, OpC), Lt(G, OpC), Ge(B, R), Ge(B, G)}),
    Rule(2, 1, {Le(R, OpC), Le(B, OpC), Le(G, OpC), Ge(R, B)}),
    Rule(3, 1, {Ge(B, R), Ge(B, G)}),
    Rule(4, 1, {Ge(R, G), Ge(R, B)}),
    Rule(5, 1, {Ge(G, R), Ge(G, B)}),
    Rule(6, 2, {Lt(B, OpK2), Lt(G, OpC2), Lt(R, OpC), Gt(B, G), Gt(G, R)}),
    Rule(7, 3, {Gt(R, OpA7)}),
    Rule(8, 3, {Gt(R, OpA5)}),
    Rule(9, 3, {Gt(R, OpA33), Le(B, OpA1)}),
    Rule(10, 3, {Le(R, OpA33), Le(B, OpA1)}),
    Rule(11, 3, {Gt(R, OpA33), Le(B, OpA15)}),
    Rule(12, 3, {Le(R, OpA33), Le(B, OpA15)}),
    Rule(13, 3, {Gt(R, OpA33), Gt(B, OpA15)}),
    Rule(14, 3, {Le(R, OpA33), Gt(B, OpA15)}),
    Rule(15, 4, {Gt(G, OpBand3), Ge(G, B), Ge(B, R)}),
    Rule(16, 5, {Ge(B, G), Ge(G, R)}),
    Rule(17, 5, {Ge(B, R), Ge(B, G)}),
    Rule(18, 5, {Ge(R, G), Ge(G, B)}),
    Rule(19, 5, {Ge(R, G), Ge(R, B)}),
    Rule(20, 5, {Ge(G, R), Ge(R, B)}),
    Rule(21, 5, {Ge(G, B), Ge(B, R)}),
    Rule(22, 6, {Lt(S, OpBand6), Ge(B, G), Ge(G, R)}),
    Rule(23, 7, {Ge(B, R), Ge(B, G)}),
    Rule(24, 7, {Ge(R, G), Ge(R, B)}),
    Rule(25, 7, {Ge(G, R), Ge(G, B)}),
    Rule(26, 8, {Ge(B, G), Ge(G, R)}),
    Rule(27, 8, {Ge(B, R), Ge(B, G)}),
    Rule(28, 8, {Ge(R, G), Ge(G, B)}),
    Rule(29, 8, {Ge(R, G), Ge(R, B)}),
    Rule(30, 8, {Ge(G, B), Ge(B, R)}),
    Rule(31, 8, {Ge(G, R), Ge(G, B)}),
    Rule(32, 9, {Eq(R, Op255), Eq(G, Op255), Eq(B, Op255)}),
    Rule(33, 9, {Ge(R, Op250), Ge(G, Op250), Ge(B, Op250)}),
    Rule(34, 9, {Ge(R, Op220), Ge(G, Op220), Ge(B, Op220)}),
    Rule(35, 9, {Ge(R, B), Ge(B, G)}),
    Rule(36, 9, {Ge(R, G), Ge(R, B)}),
    Rule(37, 9, {Lt(S, OpBand11), Gt(B, G), Ge(G, R)}),
    Rule(38, 9, {Lt(S, OpBand13), Gt(B, G), Ge(G, R)}),
    Rule(39, 9, {Gt(B, G), Ge(B, R)}),
    Rule(40, 9, {Lt(S, OpBand11), Ge(G, R), Ge(G, B)}),
    Rule(41, 9, {Lt(S, OpBand13), Ge(G, R), Ge(G, B)}),
    Rule(42, 9, {Ge(G, R), Ge(G, B)}),
}};

// The integer form: c = 30, k = 40, fixed red and blue bounds, the sum bands fixed or from p.
constexpr std::array<ClassRule, RuleClassCount> IntegerRules{{
    Rule(1, 1, {Lt(R, OpC), Lt(B, OpC), Lt(G, OpC), Ge(B, R), Ge(B, G)}),
    Rule(2, 1, {Le(R, OpC), Le(B, OpC), Le(G, OpC), Ge(R, B)}),
    Rule(3, 1, {Ge(B, R), Ge(B, G)}),
    Rule(4, 1, {Ge(R, G), Ge(R, B)}),
    Rule(5, 1, {Ge(G, R), Ge(G, B)}),
    Rule(6, 2, {Lt(B, OpK2), Lt(G, OpC2), Lt(R, OpC), Gt(B, G), Gt(G, R)}),
    Rule(7, 3, {Gt(R, Op140)}),
    Rule(8, 3, {Gt(R, Op105)}),
    Rule(9, 3, {Gt(R, Op75), Lt(B, Op16)}),
    Rule(10, 3, {Le(R, Op75), Lt(B, Op16)}),
    Rule(11, 3, {Gt(R, Op75), Lt(B, Op30)}),
    Rule(12, 3, {Le(R, Op75), Lt(B, Op30)}),
    Rule(13, 3, {Gt(R, Op75), Ge(B, Op30)}),
    Rule(14, 3, {Le(R, Op75), Ge(B, Op30)}),
    Rule(15, 4, {Gt(G, OpBand3), Ge(G, B), Ge(B, R)}),
    Rule(16, 5, {Ge(B, G), Ge(G, R)}),
    Rule(17, 5, {Ge(B, R), Ge(B, G)}),
    Rule(18, 5, {Ge(R, G), Ge(G, B)}),
    Rule(19, 5, {Ge(R, G), Ge(R, B)}),
    Rule(20, 5, {Ge(G, R), Ge(R, B)}),
    Rule(21, 5, {Ge(G, B), Ge(B, R)}),
    Rule(22, 6, {Lt(S, OpBand6), Ge(B, G), Ge(G, R)}),
    Rule(23, 7, {Ge(B, R), Ge(B, G)}),
    Rule(24, 7, {Ge(R, G), Ge(R, B)}),
    Rule(25, 7, {Ge(G, R), Ge(G, B)}),
    Rule(26, 8, {Ge(B, G), Ge(G, R)}),
    Rule(27, 8, {Ge(B, R), Ge(B, G)}),
    Rule(28, 8, {Ge(R, G), Ge(G, B)}),
    Rule(29, 8, {Ge(R, G), Ge(R, B)}),
    Rule(30, 8, {Ge(G, B), Ge(B, R)}),
    Rule(31, 8, {Ge(G, R), Ge(G, B)}),
    Rule(32, 9, {Eq(R, Op255), Eq(G, Op255), Eq(B, Op255)}),
    Rule(33, 9, {Ge(R, Op250), Ge(G, Op250), Ge(B, Op250)}),
    Rule(34, 9, {Ge(R, Op220), Ge(G, Op220), Ge(B, Op220)}),
    Rule(35, 9, {Ge(R, B), Ge(B, G)}),
    Rule(36, 9, {Ge(R, G), Ge(R, B)}),
    Rule(37, 9, {Lt(S, OpBand11), Ge(B, G), Ge(G, R)}),
    Rule(38, 9, {Lt(S, OpBand13), Ge(B, G), Ge(G, R)}),
    Rule(39, 9, {Ge(B, G), Ge(B, R)}),
    Rule(40, 9, {Lt(S, OpBand11), Ge(G, R), Ge(G, B)}),
    Rule(41, 9, {Lt(S, OpBand13), Ge(G, R), Ge(G, B)}),
    Rule(42, 9, {Ge(G, R), Ge(G, B)}),
}};

// The Green gMoon object's list: the integer list without classes 15 and 41, and classes 37 and
// 38 asking G < B.
constexpr std::array<ClassRule, RuleClassCount - 2> GreenMoonRules = [] {
    std::array<ClassRule, RuleClassCount - 2> out{};
    size_t n = 0;
    for (ClassRule rule : IntegerRules) {
        if (rule.Class == 15 || rule.Class == 41) continue;
        if (rule.Class == 37 || rule.Class == 38) rule.Terms[1] = Lt(G, B);
        out[n++] = rule;
    }
    return out;
}();

constexpr std::array<double, 7> FixedBands{150, 255, 300, 350, 450, 550, 650};
constexpr std::array<double, 7> BandFactors{3, 5, 6, 7, 9, 11, 13};
constexpr std::array<RuleOperand, 7> BandOperands{OpBand3, OpBand5,  OpBand6, OpBand7,
                                                  OpBand9, OpBand11, OpBand13};

// A parameter from a macro line may hold any real. Past a million every bound already lies
// beyond every pixel value and sum, so bounding it there changes no class, and it keeps the
// truncation below and every product finite.
double BoundedParameter(double v) {
    if (std::isnan(v)) throw EInvalidOp();
    constexpr double limit = 1e6;
    return v > limit ? limit : (v < -limit ? -limit : v);
}

std::array<double, RuleOperandCount> LiteralBounds() {
    std::array<double, RuleOperandCount> x{};
    x[Op16] = 16;
    x[Op30] = 30;
    x[Op75] = 75;
    x[Op105] = 105;
    x[Op140] = 140;
    x[Op220] = 220;
    x[Op250] = 250;
    x[Op255] = 255;
    x[Op766] = 766;
    return x;
}

bool Compare(Cmp op, double l, double r) {
    switch (op) {
    case Cmp::Lt:
        return l < r;
    case Cmp::Le:
        return l <= r;
    case Cmp::Gt:
        return l > r;
    case Cmp::Ge:
        return l >= r;
    case Cmp::Eq:
        return l == r;
    case Cmp::None:
        break;
    }
    return true;
}

bool IsPixelOperand(RuleOperand o) {
    return o < PixelOperandCount;
}

// The sign of lhs - rhs for a pair of a pixel's values under an OrderIndex.
int PairSign(RuleOperand lhs, RuleOperand rhs, size_t order) {
    const int signs[4] = {static_cast<int>(order / 27) - 1, static_cast<int>(order / 9 % 3) - 1,
                          static_cast<int>(order / 3 % 3) - 1, static_cast<int>(order % 3) - 1};
    const struct {
        RuleOperand L, R;
        int Sign;
    } pairs[] = {{R, G, 0}, {R, B, 1}, {G, B, 2}, {R, OpGB, 3}};
    for (const auto& p : pairs) {
        if (p.L == lhs && p.R == rhs) return signs[p.Sign];
        if (p.L == rhs && p.R == lhs) return -signs[p.Sign];
    }
    throw std::logic_error("rule term compares an unsupported pair");
}

} // namespace

const std::array<RampEntry, RuleClassCount + 1> ClassRampEntries{{
    {0, 0},  {0, 15}, {0, 11}, {0, 7},  {1, 8},  {1, 11}, {1, 14}, {3, 13}, {3, 12},
    {3, 13}, {3, 9},  {3, 14}, {3, 10}, {3, 11}, {3, 12}, {3, 15}, {3, 6},  {3, 7},
    {2, 10}, {3, 8},  {2, 12}, {3, 5},  {3, 7},  {3, 9},  {3, 11}, {3, 7},  {3, 10},
    {3, 11}, {3, 12}, {3, 13}, {3, 8},  {3, 9},  {7, 14}, {7, 14}, {7, 14}, {3, 15},
    {7, 11}, {3, 13}, {3, 14}, {3, 12}, {3, 10}, {3, 11}, {3, 11},
}};

std::array<uint32_t, RuleClassCount + 1> ClassColours() {
    std::array<uint32_t, RuleClassCount + 1> out{};
    out[0] = ColorSettings[1];
    for (size_t k = 1; k < out.size(); ++k)
        out[k] = ClassColorRamps[ClassRampEntries[k].Group][ClassRampEntries[k].Entry];
    return out;
}

RuleClassifier::RuleClassifier(std::span<const ClassRule> rules, double sumOffset)
    : Rules(rules), Bounds(LiteralBounds()), SumOffset(sumOffset) {}

void RuleClassifier::Compile() {
    std::array<RuleTerm, 64> seen{};
    size_t count = 0;
    const auto bitOf = [&](const RuleTerm& t) -> uint64_t {
        for (size_t i = 0; i < count; ++i)
            if (seen[i].Lhs == t.Lhs && seen[i].Op == t.Op && seen[i].Rhs == t.Rhs)
                return uint64_t{1} << i;
        if (count == seen.size()) throw std::logic_error("rule list has too many terms");
        seen[count] = t;
        const uint64_t bit = uint64_t{1} << count++;
        if (IsPixelOperand(t.Rhs)) {
            for (size_t o = 0; o < ByOrder.size(); ++o)
                if (Compare(t.Op, PairSign(t.Lhs, t.Rhs, o), 0)) ByOrder[o] |= bit;
            return bit;
        }
        const double bound = Bounds[t.Rhs];
        if (t.Lhs == OpS) {
            for (size_t sum = 0; sum < ByS.size(); ++sum)
                if (Compare(t.Op, static_cast<double>(sum) + SumOffset, bound)) ByS[sum] |= bit;
            return bit;
        }
        auto& table = t.Lhs == R ? ByR : (t.Lhs == G ? ByG : ByB);
        if (t.Lhs != R && t.Lhs != G && t.Lhs != B)
            throw std::logic_error("rule term bounds an unsupported value");
        for (size_t v = 0; v < table.size(); ++v)
            if (Compare(t.Op, static_cast<double>(v), bound)) table[v] |= bit;
        return bit;
    };
    const auto bitsOf = [&](const auto& terms) {
        uint64_t need = 0;
        for (const RuleTerm& t : terms)
            if (t.Op != Cmp::None) need |= bitOf(t);
        return need;
    };
    size_t i = 0;
    for (size_t b = 0; b < Blocks.size(); ++b) {
        BlockRange& range = Blocks[b];
        range.Guard = bitsOf(BlockGuards[b]);
        range.Single = SingleBlocks[b];
        range.First = static_cast<uint8_t>(i);
        for (; i < Rules.size() && Rules[i].Block == b + 1; ++i) {
            Need[i] = bitsOf(Rules[i].Terms);
            ClassOf[i] = Rules[i].Class;
        }
        range.Last = static_cast<uint8_t>(i);
    }
}

RuleClassifier RuleClassifier::Real(double a, double b, double c, double sumOffset) {
    a = BoundedParameter(a);
    b = BoundedParameter(b);
    c = BoundedParameter(c);
    RuleClassifier rc(RealRules, sumOffset);
    auto& x = rc.Bounds;
    const double k = c + static_cast<double>(Trunc(c / 3));
    x[OpC] = c;
    x[OpK] = k;
    x[OpK2] = 2 * k;
    x[OpC2] = 2 * c;
    x[OpA1] = a;
    x[OpA15] = 1.5 * a;
    x[OpA33] = 3.3 * a;
    x[OpA5] = 5 * a;
    x[OpA7] = 7 * a;
    for (size_t i = 0; i < BandOperands.size(); ++i)
        x[BandOperands[i]] = BandFactors[i] * b;
    rc.Compile();
    return rc;
}

namespace {

void SetIntegerBounds(std::array<double, RuleOperandCount>& x) {
    x[OpC] = 30;
    x[OpK] = 40;
    x[OpK2] = 80;
    x[OpC2] = 60;
    for (size_t i = 0; i < BandOperands.size(); ++i)
        x[BandOperands[i]] = FixedBands[i];
}

} // namespace

RuleClassifier RuleClassifier::Fixed() {
    RuleClassifier rc(IntegerRules, 0);
    SetIntegerBounds(rc.Bounds);
    rc.Compile();
    return rc;
}

RuleClassifier RuleClassifier::Banded(double p, double sumOffset) {
    p = BoundedParameter(p);
    RuleClassifier rc(IntegerRules, sumOffset);
    SetIntegerBounds(rc.Bounds);
    for (size_t i = 0; i < BandOperands.size(); ++i)
        rc.Bounds[BandOperands[i]] = BandFactors[i] * p;
    rc.Compile();
    return rc;
}

RuleClassifier RuleClassifier::GreenMoon() {
    RuleClassifier rc(GreenMoonRules, 0);
    SetIntegerBounds(rc.Bounds);
    rc.Compile();
    return rc;
}

namespace {

// Every pixel in its class colour, or only class n with the rest in the default colour.
void PaintClasses(const RuleClassifier& rc, int32_t n, bool oneClass) {
    const auto colours = ClassColours();
    SliceFrame([&](uint8_t* out, int r, int g, int b) {
        const int k = rc.Classify(r, g, b);
        ColourBytes(colours[oneClass && k != n ? 0 : static_cast<size_t>(k)], out);
    });
}

} // namespace

} // namespace soho

using namespace soho;

void Do_Halley(double a, double b, double c) {
    PaintClasses(RuleClassifier::Real(a, b, c, 0.01), 0, false);
}

void Do_ISlice(int32_t n, double a, double b, double c) {
    PaintClasses(RuleClassifier::Real(a, b, c, 0), n, true);
}

void Do_Slice(int32_t n) {
    PaintClasses(RuleClassifier::Fixed(), n, true);
}

void Do_Asteroids(double p) {
    PaintClasses(RuleClassifier::Banded(p, 0.1), 0, false);
}
