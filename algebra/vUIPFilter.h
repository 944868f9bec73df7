// The filed spatial filters: each reads its kernel file, applies the kernel or group of kernels
// over the working image, puts every value through the output-range rule, blackens the border
// the window cannot reach and shows the result. Kernel row r (from the top as the editor shows
// it) meets buffer row y + r - h of the bottom-up buffers: the kernel is applied as stored,
// neither mirrored nor turned.
#pragma once

#include <array>
#include <cstdint>
#include <string>

// One integer kernel (RL?); integer sums, divided by the kernel's sum in clip and 0..1..255.
void DoIntegerFile(const std::string& FileName, int32_t AutoRangeFlag);
// One real kernel (RR?); a kernel whose weights sum above 1 is divided by that sum first.
void DoRealFile(const std::string& FileName, int32_t AutoRangeFlag);
// Gradient magnitude sqrt(r1^2 + r2^2) of a kernel pair (R2?).
void DoSobelFile(const std::string& FileName, int32_t AutoRangeFlag);
// Gradient direction ArcTan(|r1 / r2|) of a kernel pair, r2 = 0 taken as 0.001.
void DoSoDogFile(const std::string& FileName, int32_t AutoRangeFlag);
// Compass magnitude sqrt(r1^2 + ... + r8^2) of eight kernels (R8?).
void DoRotate8SQRTFile(const std::string& FileName, int32_t AutoRangeFlag, int32_t RangeDivisor,
                       int32_t ClipCeiling);
// Compass maximum of the eight responses, each through the absolute steps first.
void DoRotate8MaxFile(const std::string& FileName, int32_t AutoRangeFlag);
// Sum of the weighted off-axis neighbours over the weighted centre (RR?).
void DoRatioAddFile(const std::string& FileName, int32_t AutoRangeFlag);
// Largest of the same ratios.
void DoRatioMaxFile(const std::string& FileName, int32_t AutoRangeFlag);
// Normalised gradient of a kernel pair: 8 directions the magnitude, 6 the angle, any other
// count the second stage's square alone.
void DoSlopeFile(const std::string& FileName, int32_t AutoRangeFlag, int32_t Directions);

// The macro codes of the filed filters, as the player runs them: each with the recorded filter
// file and auto-range flag (lines 2 and 4 of its block), and the further arguments its code fixes.
struct FiledFilterCode {
    int32_t Code;
    const char* CommandLine;
    void (*Run)(const std::string& fileName, int32_t autoRangeFlag);
};
extern const std::array<FiledFilterCode, 11> FiledFilterCodes;
// The entry of `code`, or nullptr when it is not a filed filter's.
const FiledFilterCode* FindFiledFilterCode(int32_t code);
