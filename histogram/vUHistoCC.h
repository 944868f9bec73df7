// The band histograms of the working image, the statistics derived from them and the seed-break
// tables, kept with each picture as three companion files in its folder (".adc" counts,
// ".ads" tables, ".adt" statistics) so that loading the same picture again needs no pixel pass.
// Also the small integer sort of the texture engines.
#pragma once

#include "histogram/vHistogramTypes.h"
#include "histogram/vSeedBreaks.h"
#include "shell/vPictureFiles.h"

#include <string>
#include <string_view>
#include <vector>

extern BandHistogram RedHistogram;
extern BandHistogram GreenHistogram;
extern BandHistogram BlueHistogram;
// The histogram of a band by its index.
BandHistogram& HistogramOf(int band);

extern std::array<BandStatistics, BandCount> BandHistogramStats;

struct BandSpreadRecord {
    double SD = 0.0;
    double Variance = 0.0;
};
extern std::array<BandSpreadRecord, BandCount> BandSpread;

// Band pairs 12 (red, green), 13 (red, blue), 23 (green, blue).
enum BandPairIndex { Pair12 = 0, Pair13 = 1, Pair23 = 2 };
struct BandPairRecord {
    double CoVariance = 0.0;
    double R = 0.0;
};
extern std::array<BandPairRecord, 3> BandPairStats;

// Full paths of the current picture's companion files and whether each was found whole.
extern std::string CountFileName;
extern std::string SeedFileName;
extern std::string StatisticsFileName;
extern bool CountFileExists;
extern bool SeedFileExists;
extern bool StatisticsFileExists;
// Whether each was there but refused: a link, a file of another size, figures that do not read.
// A refused file is left as it is; its writer then writes nothing.
extern bool CountFileRefused;
extern bool SeedFileRefused;
extern bool StatisticsFileRefused;
// The status-bar text for files refused at a load or a save, by their paths.
std::string RefusedCompanionsStatus(const std::vector<std::string>& paths);
// Set by the counting pass when any channel of any pixel is 0.
extern bool ImageHasZeros;

// Exact sizes of the binary companion files.
constexpr int64_t CountRecordSize = 256 * 4;
constexpr int64_t CountFileSize = 3 * CountRecordSize;
constexpr int64_t SeedRecordSize = 100;
constexpr int64_t SeedFileSize = 3 * SeedRecordSize;
constexpr int StatisticsLineCount = 36;

// After every picture load: reads the three companion files of CurrentImageName, or counts the
// working image, computes what is missing and writes it where no file was; the files refused are
// named once in status panel 1.
void LoadOrMakeHistogramFiles();
// Reads the count file or counts the picture (twice when it has zeros) and writes the file.
// False when the picture could not be counted: the histograms are then not this picture's.
bool LoadOrCountHistograms();

// The companion file's name for a picture (HistogramFileName) is the picture files' rule.
// The path a companion file of CurrentImageName is read from: an existing file of that name in
// the picture's own folder (CurrentImageFolder) whatever its case, else the name with the case
// given here.
std::string CompanionPath(std::string_view extension);

// Each sets the file's name, its exists flag (a plain file of the right size and sound figures)
// and its refused flag (something else under that name).
void CheckCountFile();
void CheckSeedFile();
void CheckStatisticsFile();
// Readers take the stored name and change nothing unless the whole file is sound (false then);
// writers replace the file whole or leave it as it was (false then), and never write over a
// file their check refused or through a link.
bool ReadCountFile();
bool WriteCountFile();
bool ReadSeedFile();
bool WriteSeedFile();
// The tables saved at the user's word: a name its check refuses is said in status panel 1, a
// file that cannot be written raises the run time's error naming it, and one the user keeps ends
// the save quietly (EFileKept). Writes made at load say nothing: their counts stay in memory.
void SaveSeedFileOrRaise();
bool ReadStatisticsFile();
bool WriteStatisticsFile();

// Counts the three histograms from a fresh copy of the displayed picture; false when the working
// buffers are missing (the histograms then keep what they held).
bool CountHistograms();
// Adds the pixels of one buffer row (blue, green, red bytes) to the three histograms.
void CountPixelRow(const uint8_t* row, int32_t width, BandHistogram& red, BandHistogram& green,
                   BandHistogram& blue);
// Writes 1 into every zero channel byte of the work buffer (the displayed picture is not
// changed, so a following count sees the zeros again).
void ReplaceZeroChannels();
// Statistics, band pairs and all ten seed-break rows of each band, from the three histograms.
void ComputeHistogramStatistics();
// The figures of one histogram (the band window's bands use them too): extremes of the values
// present, 64-bit sum, count, median, lowest most frequent value, rounded mean and range.
BandStatistics BandFigures(const BandHistogram& h);
// The median of `count` values counted in `h`: the lowest value at which the running count passes
// half of them, always a value present (0 when none is counted).
int32_t MedianOf(const BandHistogram& h, int64_t count);
// Variance and deviation about the rounded mean; 0 for a count of one or none.
BandSpreadRecord Spread(const BandHistogram& h, const BandStatistics& s);

// Values[1..N] sorted in place, ascending for "UP", descending for "DN"; Values[0] and the
// elements after N are untouched. N is limited to 81, the last index.
using SortValueArray = std::array<int32_t, 82>;
void SortValues(std::string_view Direction, int32_t N, SortValueArray& Values);
