// The training sites: one description per class (a box and a centre per band, the pixel count
// and band sums of the last run, radius, deviation, variance) shared by the box and cluster
// classifiers, the site file that stores classes 1 to 20, the seeding of the boxes from a
// seed-break row, the page's text validation and the site report.
#pragma once

#include "histogram/vHistogramTypes.h"
#include "runtime/RtFiles.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct SiteRecord {
    uint8_t Rcent = 0, Rmin = 0, Rmax = 0;
    uint8_t Gcent = 0, Gmin = 0, Gmax = 0;
    uint8_t Bcent = 0, Bmin = 0, Bmax = 0;
    int32_t Count = 0;
    // 64 bits in memory: the sums of a large picture pass 2^31. The file keeps the low 32 bits.
    int64_t SumR = 0, SumG = 0, SumB = 0;
    double Radius = 0.0;
    double SDeviation = 0.0;
    double Variance = 0.0;
    // The record's reserved bytes (offsets 9..11 and 28..31), carried from a load to a save.
    std::array<uint8_t, 3> Reserved9{};
    std::array<uint8_t, 4> Reserved28{};
};

// Class 0 collects what no class takes; classes 1 to 20 are classes proper.
constexpr int SiteCount = 21;
using SiteTable = std::array<SiteRecord, SiteCount>;
extern SiteTable TrainingSites;

// The classifier files chosen in the classification window (full paths). Only the site file is
// ever read.
struct ClassifierFileNameSet {
    std::string TrainingSites, KnowledgeBase, Overlay, NeuralNet, TruthImage;
};
extern ClassifierFileNameSet ClassifierFileNames;

// The site file: 20 records of SiteRecordSize bytes, classes 1 to 20 in order.
constexpr size_t SiteRecordSize = 56;
constexpr int StoredSiteCount = 20;
constexpr size_t SiteFileSize = SiteRecordSize * StoredSiteCount;

void PutSiteRecord(const SiteRecord& site, uint8_t* bytes);
SiteRecord GetSiteRecord(const uint8_t* bytes);
// Classes 1 to 20 from the first SiteFileSize bytes of a file image; false (sites untouched)
// when it is shorter.
bool SitesFromFileImage(const std::vector<uint8_t>& image, SiteTable& sites);
std::vector<uint8_t> SiteFileImage(const SiteTable& sites);
// Raise the run time's input/output error when the file cannot be read, is shorter than its 20
// records, or cannot be written whole; a failed load leaves the table as it was. A longer file
// gives its first 20 records.
void LoadTrainingSiteFile(const std::string& path, SiteTable& sites);
void SaveTrainingSiteFile(const std::string& path, const SiteTable& sites,
                          const TReplaceLeave& leave);

// 1..9 clears that class; 10 clears all 21.
void ClearSites(SiteTable& sites, int32_t which);
// Every class cleared, then the boxes of classes 1 to 9 from the seed-break row `seed` of each
// band's table; every centre is its box minimum.
void SeedSitesFromBreaks(SiteTable& sites, const std::array<SeedBreakRow, BandCount>& rows);

// The thirteen texts of one class row of the site page, in column order: R Min, R Max, Red,
// G Min, G Max, Green, B Min, B Max, Blue, Radius, StdDev, Var, Count.
constexpr int SiteColumns = 13;
using SiteRowTexts = std::array<std::string, SiteColumns>;
SiteRowTexts SiteTexts(const SiteRecord& site);
// A failed conversion of one text: the text and the position of its first bad character.
struct SiteTextError {
    std::string Text;
    int Position = 0;
};
// Converts the texts of classes 1 to 9 into the table (box and centre values to their low 8
// bits), box texts of all classes first, then the centroid texts; returns every failure in that
// order. A text that is not a number stores the value read before its first bad character.
std::vector<SiteTextError> ValidateSiteTexts(const std::array<SiteRowTexts, 9>& rows,
                                             SiteTable& sites);
// Three lines per class 0 to 20.
std::vector<std::string> SiteReportLines(const SiteTable& sites);
