// Histograms and statistics of one colour plane of a 24-bit picture, and the colour each value of
// a plane is drawn in. The plane indices are those of GetImageSpace, with one more: luminance.
#pragma once

#include "histogram/vUStatisticsLibrary.h"
#include "runtime/RtErrors.h"
#include "shell/imaging/vUColorLibrary.h"

#include <array>
#include <cstdint>

class EHistogramError : public ERunError {
  public:
    using ERunError::ERunError;
};

// (77 R + 150 G + 29 B) shr 8: only the histograms count it.
constexpr int PlaneLuminance = 15;

class THistogram {
  public:
    THistogram() { Clear(); }
    std::array<int32_t, 256> Frequency;
    void Clear() { Frequency.fill(0); }
    void Increment(uint8_t index) { ++Frequency[index]; }
};

// The value of a plane for one pixel word: the two hue planes in whole degrees (0..360), every
// other plane 0..255. Planes 0 and 14 give the intensity; unknown planes 0.
int PlaneValue(int plane, uint32_t pixel);
// The histogram bin of a plane value: a hue's degrees scaled to 0..255 (rounded), so a hue plane
// fills the same 256 bins as every other plane.
uint8_t PlaneBin(int plane, int value);
// The hue in degrees a bin of a hue plane stands for.
int HueOfBin(int bin);

// Raises EHistogramError "GetHistogram:  Bitmap must be 24-bit." for another pixel format.
void GetHistogram(const Picture& bitmap, int plane, THistogram& histogram);
// Every pixel's plane value (hues in degrees). Raises EHistogramError
// "GetBitmapStatistics:  Bitmap must be 24-bit color." for another pixel format.
TDescriptiveStatistics GetBitmapStatistics(const Picture& bitmap, int plane);

// The colour value (0x00BBGGRR) of bin `value`'s bar in a plane's histogram.
uint32_t HistogramBarColor(int plane, int value);
