#include "classify/vTrainingSites.h"

#include "runtime/RtErrors.h"
#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "runtime/RtRecords.h"

#include <cstring>

SiteTable TrainingSites{};
ClassifierFileNameSet ClassifierFileNames;

namespace {

// Offsets of the site record.
enum : size_t {
    oRcent = 0,
    oRmin = 1,
    oRmax = 2,
    oGcent = 3,
    oGmin = 4,
    oGmax = 5,
    oBcent = 6,
    oBmin = 7,
    oBmax = 8,
    oReserved9 = 9,
    oCount = 12,
    oSumR = 16,
    oSumG = 20,
    oSumB = 24,
    oReserved28 = 28,
    oRadius = 32,
    oSDeviation = 40,
    oVariance = 48,
};

// The byte fields in the order a record stores them.
constexpr uint8_t SiteRecord::*ByteFields[9] = {
    &SiteRecord::Rcent, &SiteRecord::Rmin, &SiteRecord::Rmax,
    &SiteRecord::Gcent, &SiteRecord::Gmin, &SiteRecord::Gmax,
    &SiteRecord::Bcent, &SiteRecord::Bmin, &SiteRecord::Bmax};

void PutF64(uint8_t* p, double v) {
    uint64_t bits;
    std::memcpy(&bits, &v, 8);
    PutLeU32(p, static_cast<uint32_t>(bits));
    PutLeU32(p + 4, static_cast<uint32_t>(bits >> 32));
}

double GetF64(const uint8_t* p) {
    const uint64_t bits = LeU32(p) | (static_cast<uint64_t>(LeU32(p + 4)) << 32);
    double v;
    std::memcpy(&v, &bits, 8);
    return v;
}

// A column of the site page: which field it edits and whether it is a box edit (converted in
// the first sweep) or a centroid edit (the second).
enum class ColumnKind { Byte, Real, Count };
struct SiteColumn {
    ColumnKind Kind;
    bool Box;
    uint8_t SiteRecord::*Byte;
    double SiteRecord::*Real;
};
constexpr SiteColumn Columns[SiteColumns] = {
    {ColumnKind::Byte, true, &SiteRecord::Rmin, nullptr},
    {ColumnKind::Byte, true, &SiteRecord::Rmax, nullptr},
    {ColumnKind::Byte, false, &SiteRecord::Rcent, nullptr},
    {ColumnKind::Byte, true, &SiteRecord::Gmin, nullptr},
    {ColumnKind::Byte, true, &SiteRecord::Gmax, nullptr},
    {ColumnKind::Byte, false, &SiteRecord::Gcent, nullptr},
    {ColumnKind::Byte, true, &SiteRecord::Bmin, nullptr},
    {ColumnKind::Byte, true, &SiteRecord::Bmax, nullptr},
    {ColumnKind::Byte, false, &SiteRecord::Bcent, nullptr},
    {ColumnKind::Real, false, nullptr, &SiteRecord::Radius},
    {ColumnKind::Real, false, nullptr, &SiteRecord::SDeviation},
    {ColumnKind::Real, false, nullptr, &SiteRecord::Variance},
    {ColumnKind::Count, false, nullptr, nullptr},
};

} // namespace

void PutSiteRecord(const SiteRecord& s, uint8_t* p) {
    for (size_t i = 0; i < 9; ++i)
        p[i] = s.*ByteFields[i];
    std::memcpy(p + oReserved9, s.Reserved9.data(), 3);
    PutLeI32(p + oCount, s.Count);
    // The low 32 bits, as a 32-bit accumulator would have left them.
    PutLeU32(p + oSumR, static_cast<uint32_t>(s.SumR));
    PutLeU32(p + oSumG, static_cast<uint32_t>(s.SumG));
    PutLeU32(p + oSumB, static_cast<uint32_t>(s.SumB));
    std::memcpy(p + oReserved28, s.Reserved28.data(), 4);
    PutF64(p + oRadius, s.Radius);
    PutF64(p + oSDeviation, s.SDeviation);
    PutF64(p + oVariance, s.Variance);
}

SiteRecord GetSiteRecord(const uint8_t* p) {
    SiteRecord s;
    for (size_t i = 0; i < 9; ++i)
        s.*ByteFields[i] = p[i];
    std::memcpy(s.Reserved9.data(), p + oReserved9, 3);
    s.Count = LeI32(p + oCount);
    s.SumR = LeI32(p + oSumR);
    s.SumG = LeI32(p + oSumG);
    s.SumB = LeI32(p + oSumB);
    std::memcpy(s.Reserved28.data(), p + oReserved28, 4);
    s.Radius = GetF64(p + oRadius);
    s.SDeviation = GetF64(p + oSDeviation);
    s.Variance = GetF64(p + oVariance);
    return s;
}

bool SitesFromFileImage(const std::vector<uint8_t>& image, SiteTable& sites) {
    if (image.size() < SiteFileSize) return false;
    for (int k = 0; k < StoredSiteCount; ++k)
        sites[static_cast<size_t>(k) + 1] = GetSiteRecord(image.data() + k * SiteRecordSize);
    return true;
}

std::vector<uint8_t> SiteFileImage(const SiteTable& sites) {
    std::vector<uint8_t> image(SiteFileSize, 0);
    for (int k = 0; k < StoredSiteCount; ++k)
        PutSiteRecord(sites[static_cast<size_t>(k) + 1], image.data() + k * SiteRecordSize);
    return image;
}

void LoadTrainingSiteFile(const std::string& path, SiteTable& sites) {
    if (!FileExists(path)) throw EInOutError(EInOutError::FileNotFound);
    // Only the twenty records are read: whatever follows them is not the table's, and a
    // file shorter than them ends the read before any class changes.
    std::vector<uint8_t> image;
    if (!ReadFileStart(path, SiteFileSize, image)) throw EInOutError(EInOutError::AccessDenied);
    if (!SitesFromFileImage(image, sites)) throw EInOutError(EInOutError::ReadBeyondEnd);
}

void SaveTrainingSiteFile(const std::string& path, const SiteTable& sites,
                          const TReplaceLeave& leave) {
    const std::vector<uint8_t> image = SiteFileImage(sites);
    WriteFileOrRaise(path, image, leave);
}

void ClearSites(SiteTable& sites, int32_t which) {
    // The reserved bytes belong to the file, not to the class values: a clear keeps them.
    const auto clear = [](SiteRecord& s) {
        SiteRecord fresh;
        fresh.Reserved9 = s.Reserved9;
        fresh.Reserved28 = s.Reserved28;
        s = fresh;
    };
    if (which >= 1 && which <= 9) clear(sites[static_cast<size_t>(which)]);
    if (which == 10)
        for (SiteRecord& s : sites)
            clear(s);
}

void SeedSitesFromBreaks(SiteTable& sites, const std::array<SeedBreakRow, BandCount>& rows) {
    ClearSites(sites, 10);
    for (size_t k = 1; k <= 9; ++k) {
        SiteRecord& s = sites[k];
        const auto lower = [&](int band) {
            return k == 1 ? uint8_t{0} : static_cast<uint8_t>(rows[band][k - 1] + 1);
        };
        s.Rmin = lower(BandRed);
        s.Rmax = rows[BandRed][k];
        s.Gmin = lower(BandGreen);
        s.Gmax = rows[BandGreen][k];
        s.Bmin = lower(BandBlue);
        s.Bmax = rows[BandBlue][k];
    }
    for (SiteRecord& s : sites) {
        s.Rcent = s.Rmin;
        s.Gcent = s.Gmin;
        s.Bcent = s.Bmin;
    }
}

SiteRowTexts SiteTexts(const SiteRecord& s) {
    SiteRowTexts t;
    for (size_t c = 0; c < SiteColumns; ++c) {
        const SiteColumn& col = Columns[c];
        if (col.Kind == ColumnKind::Byte) t[c] = IntToStr(s.*col.Byte);
        if (col.Kind == ColumnKind::Real) t[c] = FloatToStr(s.*col.Real);
        if (col.Kind == ColumnKind::Count) t[c] = IntToStr(s.Count);
    }
    return t;
}

std::vector<SiteTextError> ValidateSiteTexts(const std::array<SiteRowTexts, 9>& rows,
                                             SiteTable& sites) {
    std::vector<SiteTextError> errors;
    for (bool boxSweep : {true, false}) {
        for (size_t k = 0; k < rows.size(); ++k) {
            SiteRecord& s = sites[k + 1];
            for (size_t c = 0; c < SiteColumns; ++c) {
                const SiteColumn& col = Columns[c];
                if (col.Box != boxSweep) continue;
                const std::string& text = rows[k][c];
                int position = 0;
                if (col.Kind == ColumnKind::Real) {
                    s.*col.Real = ValReal(text, position);
                } else {
                    // A number beyond 32 bits is refused where it leaves them, as a bad character
                    // is: the count kept only its low 32 bits, with no word.
                    const int32_t v = ValInt32(text, position);
                    if (col.Kind == ColumnKind::Byte)
                        s.*col.Byte = static_cast<uint8_t>(v & 0xFF);
                    else
                        s.Count = v;
                }
                if (position != 0) errors.push_back({text, position});
            }
        }
    }
    return errors;
}

std::vector<std::string> SiteReportLines(const SiteTable& sites) {
    std::vector<std::string> lines;
    for (size_t n = 0; n < sites.size(); ++n) {
        const SiteRecord& s = sites[n];
        const std::string site = "Site " + IntToStr(static_cast<int64_t>(n));
        lines.push_back(site + " Rmin: " + IntToStr(s.Rmin) + " Rmax: " + IntToStr(s.Rmax) +
                        " Gmin: " + IntToStr(s.Gmin) + " Gmax: " + IntToStr(s.Gmax) +
                        " Bmin: " + IntToStr(s.Bmin) + " Bmax: " + IntToStr(s.Bmax));
        lines.push_back(site + " Rcent: " + IntToStr(s.Rcent) + " Gcent: " + IntToStr(s.Gcent) +
                        " Bcent: " + IntToStr(s.Bcent) + " Radius: " + FloatToStr(s.Radius));
        lines.push_back(site + " SDeviation: " + FloatToStr(s.SDeviation) +
                        " Variance: " + FloatToStr(s.Variance) + " Count: " + IntToStr(s.Count));
    }
    return lines;
}
