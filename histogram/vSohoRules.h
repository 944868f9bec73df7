// The 42 rule classes of density slicing: a pixel's class from its red, green and blue values
// and their sum, by the rule list in its real form (three parameters) or its integer form
// (fixed bounds, the sum bands fixed or from one parameter), and the colour of each class.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace soho {

inline constexpr int RuleClassCount = 42;

// The operands a rule compares: the pixel's values, then the bounds of one run.
enum RuleOperand : uint8_t {
    OpR,
    OpG,
    OpB,
    OpS,
    OpGB, // G + B
    PixelOperandCount,
    OpC = PixelOperandCount,
    OpK,
    OpK2,
    OpC2,
    OpA1,
    OpA15,
    OpA33,
    OpA5,
    OpA7,
    OpBand3,
    OpBand5,
    OpBand6,
    OpBand7,
    OpBand9,
    OpBand11,
    OpBand13,
    Op16,
    Op30,
    Op75,
    Op105,
    Op140,
    Op220,
    Op250,
    Op255,
    Op766,
    RuleOperandCount
};
enum class Cmp : uint8_t { None, Lt, Le, Gt, Ge, Eq };
struct RuleTerm {
    RuleOperand Lhs;
    Cmp Op;
    RuleOperand Rhs;
};
// A class holds when all its terms hold.
struct ClassRule {
    uint8_t Class;
    uint8_t Block;
    std::array<RuleTerm, 5> Terms;
};

// The class of every pixel of one run, by one rule list and one set of bounds.
class RuleClassifier {
  public:
    // The real form with parameters a, b, c; the sum is R + G + B + sumOffset.
    static RuleClassifier Real(double a, double b, double c, double sumOffset);
    // The integer form with the fixed sum bands.
    static RuleClassifier Fixed();
    // The integer form with the sum bands 3p .. 13p; the sum is R + G + B + sumOffset.
    static RuleClassifier Banded(double p, double sumOffset);
    // The fixed integer form without classes 15 and 41, classes 37 and 38 needing G < B.
    static RuleClassifier GreenMoon();

    // 1..42, 0 for no class.
    int Classify(int r, int g, int b) const {
        const uint64_t m = ByR[static_cast<size_t>(r)] | ByG[static_cast<size_t>(g)] |
                           ByB[static_cast<size_t>(b)] | ByS[static_cast<size_t>(r + g + b)] |
                           ByOrder[OrderIndex(r, g, b)];
        for (const BlockRange& block : Blocks) {
            if (block.Single) {
                if (block.First != block.Last && (m & Need[block.First]) == Need[block.First])
                    return ClassOf[block.First];
                continue;
            }
            if ((m & block.Guard) != block.Guard) continue;
            for (size_t i = block.First; i < block.Last; ++i)
                if ((m & Need[i]) == Need[i]) return ClassOf[i];
            return 0;
        }
        return 0;
    }

    // The comparisons between a pixel's values as one index: the signs of R - G, R - B, G - B
    // and R - (G + B), each 0, 1 or 2 for below, equal, above.
    static size_t OrderIndex(int r, int g, int b) {
        const auto sign = [](int d) { return static_cast<size_t>((d > 0) - (d < 0) + 1); };
        return ((sign(r - g) * 3 + sign(r - b)) * 3 + sign(g - b)) * 3 + sign(r - g - b);
    }

  private:
    RuleClassifier(std::span<const ClassRule> rules, double sumOffset);
    // Gives every distinct term of the list and its guards one bit, marks in the tables below
    // which values fulfil it, and each rule's and guard's bits; after the bounds are set.
    void Compile();

    struct BlockRange {
        uint64_t Guard;
        bool Single;
        uint8_t First, Last; // rules [First, Last) of the list
    };
    std::span<const ClassRule> Rules;
    std::array<double, RuleOperandCount> Bounds{};
    double SumOffset;
    // Terms a pixel fulfils, by its red, green and blue value, its sum and its OrderIndex.
    std::array<uint64_t, 256> ByR{}, ByG{}, ByB{};
    std::array<uint64_t, 766> ByS{};
    std::array<uint64_t, 81> ByOrder{};
    std::array<BlockRange, 9> Blocks{};
    std::array<uint64_t, RuleClassCount> Need{};
    std::array<uint8_t, RuleClassCount> ClassOf{};
};

// Group and entry of the class-colour ramps for class 1..42 (index 0 unused).
struct RampEntry {
    uint8_t Group, Entry;
};
extern const std::array<RampEntry, RuleClassCount + 1> ClassRampEntries;

// The colour of every class for this run, the default colour (ColorSettings entry 1) at 0.
std::array<uint32_t, RuleClassCount + 1> ClassColours();

} // namespace soho
