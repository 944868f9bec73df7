// The texture operators: each replaces every pixel of the working image by a measure of its
// window, channel by channel (rank values, the top-hat and rolling-ball tests, the local
// variance, the direction of the lowest neighbour), then blackens the border the window cannot
// reach and shows the result. Buffer row y + 1 is the row displayed above row y.
#pragma once

#include <array>
#include <cstdint>

// Op 1 Min, 2 Max, 3 Median, 4 Range, 5 LowRange; any other Op writes black. N odd, 3 to 9.
void DoTextureRank(uint8_t Op, int32_t N);
// Op 1 TopHat, 2 RollingBall, 3 IRTopHat, 4 IRRollingBall; any other Op writes black.
void DoATexture(uint8_t Op, int32_t N, int32_t Height);
// Passes 0 .. LastPass (1 gathers the auto range first, then stretches to it).
void DoTextureVariance(int32_t LastPass, int32_t N);
// The code of the cell holding the smallest value of each channel's 3 x 3 window.
void DoSlopeDir();

// The window sizes and heights the Ranked Edge page allows: a size is made odd (an even one
// goes up by one) and kept to 3 .. 9, a height kept to 3 .. 45.
int32_t TextureSizeOf(int32_t value);
int32_t TextureHeightOf(int32_t value);

// The commands of the Ranked Edge page, by macro code, and what their two values mean.
enum class TextureArgs : uint8_t {
    Size,       // one rank call with the size
    TwoSizes,   // two rank calls: Op with the first size, then SecondOp with the second
    SizeHeight, // DoATexture with the size and the height
    Variance    // DoTextureVariance with the size and the last pass
};
struct TextureCommand {
    int32_t Code;
    TextureArgs Args;
    uint8_t Op;
    uint8_t SecondOp;
};
extern const std::array<TextureCommand, 12> TextureCommands;
const TextureCommand* FindTextureCommand(int32_t code);
// Runs `command` with its two values (the second unused by a one-size command); sizes and
// heights are first kept to the page's ranges, the last pass to at most 1.
void RunTextureCommand(const TextureCommand& command, int32_t first, int32_t second);
