// Header tests: a fresh set of header pages, the record and the points emptied, the picture's
// folder a temporary one; the hand-written golden headers of tests/data/headers.
#pragma once

#include "import/vHeaderPages.h"
#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "shell/vGlobal.h"
#include "support/RecordingHooks.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

inline std::string GoldenHeader(const std::string& name) {
    return TestData("headers/") + name;
}

inline std::vector<std::string> FileLines(const std::string& path) {
    return SplitLines(FileText(path));
}

// The Olinda scene's pixel corners (tests/data/projections/olinda-corners.txt): upper left, upper
// right, lower left, lower right.
struct OlindaCorner {
    DIHField Lon, Lat;
    double Longitude, Latitude, Easting, Northing;
};
inline double SouthWestDms(int d, int m, double s) {
    return -(d + m / 60.0 + s / 3600.0);
}
inline const OlindaCorner OlindaCorners[4] = {
    {DIHField::ULLongitudeEdit, DIHField::ULLatitudeEdit, SouthWestDms(34, 54, 58.20),
     SouthWestDms(7, 56, 59.36), 288776.250, 9120760.750},
    {DIHField::URLongitudeEdit, DIHField::URLatitudeEdit, SouthWestDms(34, 49, 33.48),
     SouthWestDms(7, 57, 0.82), 298722.750, 9120760.750},
    {DIHField::LLLongitudeEdit, DIHField::LLLatitudeEdit, SouthWestDms(34, 54, 59.72),
     SouthWestDms(8, 2, 25.86), 288776.250, 9110728.750},
    {DIHField::LRLongitudeEdit, DIHField::LRLatitudeEdit, SouthWestDms(34, 49, 34.93),
     SouthWestDms(8, 2, 27.34), 298722.750, 9110728.750},
};

// UTM zone 25 south, meters, GRS 1980, the Olinda corners typed in degrees and taken as they
// stand.
inline void TypeOlindaUtm25South(THeaderPages& p) {
    p.SetItemIndex(DIHField::ProjectionCBOut, 1);
    p.SetItemIndex(DIHField::UnitCBOut, 2);
    p.SetItemIndex(DIHField::UtmZoneCBOut, 24);
    p.SetItemIndex(DIHField::SpheroidCBOut, 8);
    p.SetItemIndex(DIHField::DatumCBOut, 23);
    p.SetChecked(DIHField::UTMZoneNorthCBOut, false);
    p.SetChecked(DIHField::IgnoreDatumCB, true);
    for (const OlindaCorner& c : OlindaCorners) {
        p[c.Lon] = FloatToStr(c.Longitude);
        p[c.Lat] = FloatToStr(c.Latitude);
    }
}

// Rows top..bottom, columns left..right (from 1) of a band of `width` bytes per row.
inline std::vector<uint8_t> BandWindow(const std::vector<uint8_t>& band, int64_t width,
                                       int64_t left, int64_t right, int64_t top, int64_t bottom) {
    std::vector<uint8_t> out;
    for (int64_t r = top; r <= bottom; ++r)
        out.insert(out.end(), band.begin() + (r - 1) * width + left - 1,
                   band.begin() + (r - 1) * width + right);
    return out;
}

class HeaderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        HeaderPages = THeaderPages();
        // The pages hold headers of Dir.
        HeaderPages.DIHFolder = HeaderPages.DISFolder = Dir.Path();
        DIHRecord = TDIHRecord();
        RegistrationPoints.clear();
        DISLoaded = false;
        ImageDirectory = Dir.Path();
        SetImageName(Dir.Path(), "scene.png");
    }
    void TearDown() override {
        ImageDirectory.clear();
        SetImageName("", "");
        LogToDIP = false;
    }
    // The golden lines with some replaced (1-based line numbers), written as a file in Dir.
    std::string Variant(const std::string& golden,
                        const std::vector<std::pair<int, std::string>>& at,
                        size_t keepLines = SIZE_MAX) {
        std::vector<std::string> lines = FileLines(GoldenHeader(golden));
        for (const auto& [line, text] : at)
            lines[static_cast<size_t>(line - 1)] = text;
        if (keepLines < lines.size()) lines.resize(keepLines);
        const std::string path = Dir.File("variant");
        WriteFileAtomic(path, JoinLinesCRLF(lines), TReplaceLeave::Chosen(path));
        return path;
    }

    TempDir Dir;
    RecordingHooks Rec;
    THeaderPages& P = HeaderPages;
};
