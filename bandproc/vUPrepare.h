// The band-product engine: derived band files made row by row from the band files of the open
// DIS subset (SubsetBounds, SelectedBandFiles, SceneFolder). The band-processing window reads
// its controls and hands their values in; a run holds one row per file whatever the height.
// Every run returns false when it refused to start (its message shown, nothing written) and
// raises the file layer's error when a file fails; its products appear only when it succeeds.
#pragma once

#include "bandproc/vBandFiles.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

// Status texts of the band window's hint panel.
extern const char* const HintBand1;      // "Processing Band 1"
extern const char* const HintBand;       // "Processing Band"
extern const char* const HintMBFA;       // "Processing MBFA"
extern const char* const HintVIP;        // "Processing VIP"
extern const char* const HintTassledCap; // "Processing Tassled Cap"
extern const char* const HintRGBHSV;     // "Processing RGB - HSV - RGB"
extern const char* const HintPixelBand;  // "Processing pixel Band"
extern const char* const HintCombine4;   // "Combining 4 Bands"

// A real result as a product byte: clamped to 0..255, then rounded halves to even; a result
// that is not a finite number (0 / 0, the root of a negative) becomes 0.
uint8_t ProductByte(double v);

// The two-pass autorange: the running minimum starts at 255 and the maximum at 0, and the
// second pass maps minimum..maximum onto 0..255. A result that is not a finite number counts
// as 0 in both passes. A run whose results are all one value has no range; it writes 0
// everywhere.
struct TAutoRange {
    double Minimum = 255.0;
    double Maximum = 0.0;
    void Take(double v) {
        if (!std::isfinite(v)) v = 0.0;
        if (v > Maximum) Maximum = v;
        if (v < Minimum) Minimum = v;
    }
    uint8_t Map(double v) const;
};

// Single-band products of the band SceneFolder + bandFileEdit, named from newFileEdit.
// operation 2 add, 3 subtract, 4 multiply, 5 divide by `value` (".psa" ".pss" ".psm" ".psd").
// Every single-band run refuses an empty name (39993); a divisor or interval of 0 raises the
// division-by-zero error before anything is written.
bool SingleBandMath(int32_t operation, int32_t value, const std::string& bandFileEdit,
                    const std::string& newFileEdit);
// Every Nth line from the rows around it (".psf" the mean of its neighbours, ".psv" the mean of
// the three); a negative interval acts as its absolute value.
bool FillEveryLine(int32_t interval, const std::string& bandFileEdit,
                   const std::string& newFileEdit);
bool AverageEveryLine(int32_t interval, const std::string& bandFileEdit,
                      const std::string& newFileEdit);
// Mode 0 keeps one sample of each 2 x 2 block, 1 of each 3 x 3 block; 2 and 3 enlarge each
// sample to 2 x 2 or 3 x 3 (".pps").
bool PixelSizer(int32_t mode, const std::string& bandFileEdit, const std::string& newFileEdit);

// Band A op band B (slots 0..8 of SelectedBandFiles); operation 0 + (".pfa"), 1 - (".pfs"),
// 2 * (".pfm"), 3 div (".pfd"); a zero divisor gives 0.
bool MultiBandFileAlgebra(int32_t operation, bool autoRange, int slotA, int slotB,
                          const std::string& fileEdit);

struct TVegetationParams {
    std::array<double, 6> V{}; // V1 .. V6
    bool AutoRange = false;
    std::string FileEdit;
};
// Formulas 1..4 over bands 1 (A) and 2 (B): ".pv1" .. ".pv4".
bool VegetationIndexAB(int32_t formula, const TVegetationParams& p);
// V1 A + V2 B + V3 C + V4 D over bands 1..4: ".pv5".
bool VegetationIndexABCD(const TVegetationParams& p);
// The root of A + V1 over band 1: ".pv6".
bool VegetationIndexRoot(const TVegetationParams& p);

// The band set the Tasselled Cap page chose: bands 2..5, or bands 1..5 and 7.
enum class TasselledCapSet { FourBands = 4, SixBands = 7 };
// 24 coefficients: the SBI row for bands 1, 2, 3, 4, 5, 7, then GVI, YVI and NSI; products
// ".pts" ".ptg" ".pty" ".ptn". The four-band set uses the columns of bands 2..5 only.
bool TasselledCapBands(TasselledCapSet set, const std::array<double, 24>& coefficients,
                       const std::string& fileEdit);

// Reals 0..255, hue in degrees; a grey has hue 0 and saturation 0.
void BandRGBtoHSV(double R, double G, double B, double& H, double& S, double& V);
void BandHSVtoRGB(double H, double S, double V, double& R, double& G, double& B);
// Bands 1..3 as red, green, blue with their value replaced by band 4: ".prr" ".prg" ".prb".
bool RGBHSVExchange(const std::string& fileEdit);

// Dividing band 1 into tiles named by NextNumberedFileName in reading order; each tile's
// name, width and height are appended to `dividedList`. `layout` is the window's item 0..6:
// 1 x 2, 2 x 1, 2 x 2, 4 x 2, 4 x 4, 8 x 4, 8 x 8 tiles across x down.
struct TDivideLayout {
    int Across;
    int Down;
};
extern const std::array<TDivideLayout, 7> DivideLayouts;
bool QuadDivide(int32_t layout, std::vector<std::string>& dividedList);

// Joins tiles of bands 1 and 2 (or 1..4) with the sizes the divided-files list gives them into
// one file named by NextNumberedFileName from combinedFileEdit, which then holds that name; the
// name is appended to processList.
bool CombineTwoVertical(const std::vector<std::string>& dividedList,
                        std::vector<std::string>& processList, std::string& combinedFileEdit);
bool CombineTwoHorizontal(const std::vector<std::string>& dividedList,
                          std::vector<std::string>& processList, std::string& combinedFileEdit);
bool CombineFour(const std::vector<std::string>& dividedList, std::vector<std::string>& processList,
                 std::string& combinedFileEdit);
// Width and height the list gives a file name without folder (its last entry); 0 and 0 when
// it is not listed or its numbers are not whole numbers.
void DividedSize(const std::vector<std::string>& dividedList, const std::string& name, int64_t& w,
                 int64_t& h);
