// Band files: raw rows of one band, no header. The splitters cut a multi-band file into band
// files and the crop cuts a rectangle out of each band. Every routine checks the sizes it is
// given against the files before writing, streams one row (or one record) at a time, and leaves
// its outputs all-or-nothing: each band is written to a temporary and every temporary is renamed
// over its target only once all bands are on disk.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Called with 0..100 after each row or record; also lets pending window messages run.
using TBandGauge = void (*)(int percent);
// Shows the stage a run has reached (the window's hint panel).
using TBandHint = void (*)(const char* text);

// The message number the splitters and the crop refuse sizes with ("Some size is wrong").
constexpr int BandSizeMessage = 36;
// The largest width, height, band count or skip the splitters take (the edits hold 16-bit
// integers); a header's row length or scene bound beyond it describes no band file they made.
constexpr int64_t MaxSplitValue = 32767;

// The message the splitters and the crop refuse with when an output would replace one of their
// own inputs ("The DIS name MUST be Different from DIH ...").
constexpr int OutputIsInputMessage = 27;
// A run that stopped after saying why itself, or because the user kept the files it would have
// replaced: no further message.
constexpr int NothingWrittenRefusal = -1;
// Whether one of `outputs` is one of `inputs` under any spelling of its path (another folder
// route, a link): such an output would replace the input it is made from.
bool NamesAnInput(const std::vector<std::string>& outputs, const std::vector<std::string>& inputs);

// NALC sampler: five bands of 1300 x 1300 bytes one after the other.
constexpr int NalcSide = 1300;
constexpr int NalcBands = 5;
constexpr int64_t NalcFileBytes = int64_t{NalcSide} * NalcSide * NalcBands;
extern const std::array<const char*, NalcBands> NalcExtensions; // ".BN2" ... ".BNx"

// Splits a NALC file into `input` with the band extensions; 0, or BandSizeMessage when the
// file is shorter than five bands, OutputIsInputMessage when the input bears a band's name
// (nothing written either way). Outputs are the full paths written.
int SplitNalcFile(const std::string& input, std::vector<std::string>& outputs,
                  TBandGauge gauge = nullptr);

struct TRawSplit {
    int64_t Width = 0;  // samples per row
    int64_t Height = 0; // rows per band
    int64_t Bands = 0;
    int64_t Skip = 0;     // header bytes before band 1
    bool Sixteen = false; // two-byte samples, signed
    bool Reduce = false;  // with Sixteen: one byte per sample, stretched over min..max
    bool Swap = false;    // with Sixteen: exchange the two bytes of each sample
};

// ".B" + band number.
std::string RawBandExtension(int64_t band);

// Splits a band-sequential raw file into `input` with ".B1", ".B2" ...; 0, or BandSizeMessage
// when a size is below 1 (the skip below 0) or the file holds less than the sizes say,
// OutputIsInputMessage when the input bears a band's name (nothing written either way).
int SplitRawFile(const std::string& input, const TRawSplit& p, std::vector<std::string>& outputs,
                 TBandGauge gauge = nullptr);

// 16-bit reduction of one sample to a byte: (s - min) * 255 / (max - min), rounded half to
// even; 0 when every sample is the same.
uint8_t ReduceSample(int32_t s, int32_t lo, int32_t hi);

// One band of a crop: rows of RowLength bytes from byte Offset of Source.
struct TCropSource {
    std::string Source;
    int64_t Offset = 0;
    std::string Output;
    const char* Hint = nullptr; // shown while this band is cut
};

// Inclusive rectangle, columns and rows counted from 1.
struct TCropRect {
    int64_t Left = 0, Right = 0, Top = 0, Bottom = 0;
    // Corners given in either order come back in order.
    TCropRect Ordered() const;
    int64_t Width() const { return Right - Left + 1; }
    int64_t Height() const { return Bottom - Top + 1; }
};

// Cuts the rectangle out of each source; 0, or BandSizeMessage when the rectangle starts before
// column or row 1 or ends past the row, the row length or the rectangle's bottom is beyond
// MaxSplitValue, or a source holds fewer rows than the rectangle's bottom, OutputIsInputMessage
// when an output is one of the sources (nothing written either way). A missing source raises the
// file-not-found error before anything is written.
int CropBandFiles(const std::vector<TCropSource>& bands, int64_t rowLength, const TCropRect& rect,
                  TBandGauge gauge = nullptr, TBandHint hint = nullptr);

// The crop preview: a 312 x 312 grey picture, one preview pixel per `Step` scene pixels.
constexpr int PreviewSide = 312;
struct TCropPreview {
    int64_t Step = 1;
    int64_t Cols = 0;
    int64_t Rows = 0;
    std::vector<uint8_t> Grey = std::vector<uint8_t>(PreviewSide * PreviewSide, 0);
};
// Geometry from the scene's right column and bottom row; the step is at least 1 and the
// picture never leaves its 312 x 312 pixels.
TCropPreview CropPreviewGeometry(int64_t right, int64_t bottom);
// Paints from records of `recordSize` bytes, pixel c of a row at byte prefix + c x step - 1;
// reads no record past the file's end (those rows stay black, all of them when one record is
// longer than the file). A missing file raises the file-not-found error.
TCropPreview PaintCropPreview(const std::string& source, int64_t recordSize, int64_t prefix,
                              int64_t right, int64_t bottom, TBandGauge gauge = nullptr);
