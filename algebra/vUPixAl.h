// The per-pixel engines of the Pixel Algebra window and of the macro player: band expressions,
// ratio formulas, coefficient products, power and logarithm transforms, brightness offset and
// noise; and the recorders of the window's commands. Each engine is one image operation on the
// working image, ending with the processed picture on display.
#pragma once

#include <array>
#include <cstdint>

// Fields of the band-expression record. A field the group's shape does not use holds 9.
enum PixelAlgebraField : int {
    paShapeA = 0, // 0 one band, 1 two bands and one operation, 2 three bands and two
    paShapeB = 1,
    paMainOp = 2, // A op B
    paBandA1 = 3, // 0 red, 1 green, 2 blue
    paBandA2 = 4,
    paBandA3 = 5,
    paOpA1 = 6,
    paOpA2 = 7,
    paBandB1 = 8,
    paBandB2 = 9,
    paBandB3 = 10,
    paOpB1 = 11,
    paOpB2 = 12,
};
using PixelAlgebraRecord = std::array<int32_t, 13>;

// Operation codes of the expressions and of the coefficient engines; any other code computes
// nothing (0.0).
enum PixelOperation : int32_t { poAdd = 0, poSubtract = 1, poMultiply = 2, poDivide = 3 };

// One value per pixel from the expression, written to blue, green and red.
void DoPixelAlgebra(const PixelAlgebraRecord& params);
// The expression record of the window's 21 radio groups (order as RecordPixelAlgebra): each
// group's shape picks its bands and operations, 9 marks a field the shape does not use, and a
// shape with no choice leaves its fields 0.
PixelAlgebraRecord PixelAlgebraRecordOf(const std::array<int32_t, 21>& itemIndexes);
// Ratio formula 1..15 per channel; any other number gives 0.0 in all three channels.
void DoPixelRatios(uint8_t formula);
// Each output channel is the sum of the blue, green and red bytes each combined with its
// row's first, second and third coefficient.
void DoPARBMultiply(int32_t operation, double redRow1, double redRow2, double redRow3,
                    double greenRow1, double greenRow2, double greenRow3, double blueRow1,
                    double blueRow2, double blueRow3);
// red op C1, green op C2, blue op C3.
void DoPMultiply(int32_t operation, double c1, double c2, double c3);
// Modes 1 to 3 of powers and logarithms of each byte, in extraPasses + 1 passes.
void DoPowerLogTransform(int32_t extraPasses, int32_t mode, double p1, double p2);
// Adds one random offset in -99..99 to the three bytes of every pixel.
void DoRandomNoise();
// Adds the offset to every byte, clamped to 0..255.
void DoBrightnessOffset(int32_t offset);

// Macro and processing-history lines of the window's commands, written before the engine runs.
// Item indexes are -1 for a group with no choice.
// 21 indexes in the order BA0, OpRGMain, BB0, BA1..BA6, OpRGA1..OpRGA3, BB1..BB6, OpRGB1..OpRGB3.
void RecordPixelAlgebra(const std::array<int32_t, 21>& itemIndexes);
void RecordPixelRatios(int32_t itemIndex);
// The nine coefficients in the engine's order, then the operation's item index.
void RecordPARBMultiply(const std::array<double, 9>& coefficients, int32_t operation);
void RecordPMultiply(double c1, double c2, double c3, int32_t operation);
