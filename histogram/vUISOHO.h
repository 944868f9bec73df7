// Density slicing of the working image: each pixel is classed by the order of its red, green and
// blue values and by where they fall against a threshold or fixed bounds, and is written back as
// a graded level, a colour of the class-colour ramps, or white. Every routine is one image
// operation that reads the undo copy and writes the work buffer.
#pragma once

#include "shell/vGlobal.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace soho {

// The seven threshold levels, grade 1 first, and the six levels of the slice buckets.
inline constexpr std::array<uint8_t, 7> GradeLevels{25, 50, 100, 150, 200, 225, 255};
inline constexpr std::array<uint8_t, 6> BucketLevels{25, 50, 100, 150, 200, 255};

// Grade 1..7 (or bucket 1..6) of every byte value for one threshold. The bounds are formed in
// 64 bits, so a threshold from a macro line near the 32-bit limits cannot wrap.
std::array<uint8_t, 256> ThresholdGrades(int32_t t);
std::array<uint8_t, 256> ThresholdBuckets(int32_t t);
std::array<uint8_t, 256> FixedBuckets();

// 0 red, 1 green, 2 blue; ties go to red, then green.
inline int Dominant(int r, int g, int b) {
    if (r >= g && r >= b) return 0;
    return g >= b ? 1 : 2;
}

// The first of the six orderings that holds (1..6), with its largest and middle channel.
struct Ordering {
    int Number, Largest, Middle;
};
inline Ordering OrderingOf(int r, int g, int b) {
    if (r >= b && b >= g) return {1, 0, 2};
    if (r >= g && g >= b) return {2, 0, 1};
    if (g >= b && b >= r) return {3, 1, 2};
    if (g >= r && r >= b) return {4, 1, 0};
    if (b >= r && r >= g) return {5, 2, 0};
    return {6, 2, 1};
}

// A colour value (red in the lowest byte, then green, then blue) as out[0..2] red, green, blue.
inline void ColourBytes(uint32_t colour, uint8_t* out) {
    out[0] = static_cast<uint8_t>(colour);
    out[1] = static_cast<uint8_t>(colour >> 8);
    out[2] = static_cast<uint8_t>(colour >> 16);
}

// The frame of every routine of the unit: copy, one pass writing every pixel from its own
// three values alone, progress per row, show. `pixel(out, r, g, b)` fills out[0..2] with red,
// green, blue.
template <class PixelFn> void SliceFrame(const PixelFn& pixel) {
    CopyImageForProcessing();
    if (!ImageBuffersLocked) return;
    for (int32_t y = 0; y <= ImageMaxY; ++y) {
        const uint8_t* src = UndoRow(y);
        uint8_t* dst = WorkRow(y);
        for (int32_t x = 0; x <= ImageMaxX; ++x, src += 3, dst += 3) {
            uint8_t out[3];
            pixel(out, src[2], src[1], src[0]);
            dst[0] = out[2];
            dst[1] = out[1];
            dst[2] = out[0];
        }
        ShowProgress(RowPercent(y, ImageMaxY));
    }
    ShowProcessedImage();
}

} // namespace soho

void Do_Europa(int32_t t);
void Do_DoDoClass(int32_t t);
void Do_Class(int32_t t);
void Do_DoDo(int32_t t);
void Do_Tone(int32_t t);
void Do_SetOSlice(uint8_t n);
void Do_SetSlice(uint8_t n);
void Do_SetOSIlice(uint8_t n, int32_t t);
void Do_SetandSlice(uint8_t n, int32_t t);

// The rule classifiers: every pixel in the colour of its class of 42 (Do_Halley, Do_Asteroids),
// or only the pixels of class n, the rest in the default colour (Do_ISlice, Do_Slice).
void Do_Halley(double a, double b, double c);
void Do_ISlice(int32_t n, double a, double b, double c);
void Do_Slice(int32_t n);
void Do_Asteroids(double p);

// The object displays, by object number m where one routine serves several objects.
void Do_SCPlanet(uint8_t m);
void Do_SCDominant(uint8_t m);
void Do_SCOrderPair(uint8_t m);
void Do_SCBlueBIO();
void Do_SCGreenGMoon();
void Do_SCRedRSun();
void Do_SCPercent(uint8_t m);

namespace soho {
// The 23 items of the object group, in item order.
inline constexpr int ObjectItemCount = 23;
extern const std::array<const char*, ObjectItemCount> ObjectItems;
// Runs the display of item `index`; an index outside the items does nothing.
void RunObjectDisplay(int32_t index);
} // namespace soho
