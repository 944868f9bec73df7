// The typed copy of the open DIH (DIHRecord) with its registration points, and the few values
// the band-processing runs share with the import window: the chosen subset and its band files.
// Nothing here is ever stored as a record on disk; the header files are text (vHeaderPages).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Name, spectral range, gain and bias of one band slot; texts cut to 19 characters.
struct DIHBandTexts {
    std::string Name;
    std::string SpectralRange;
    std::string Gain;
    std::string Bias;
};

struct DIHBandLimits {
    std::string Min;
    std::string Max;
};

// Short strings hold at most their declared width; the reader cuts longer texts.
struct TDIHRecord {
    std::string Version; // 7
    // 255 each
    std::string HeaderFileName, RasterImageHeader, SceneTitle, LeftColumn, RightColumn, ImageWidth,
        LineSize, TopRow, BottomRow, ImageHeight, ColumnSize, SensorType, SensorID, RecordSize,
        Path, StartRow, EndRow, Block, Acquired, Produced, ProductSize, ProjectRollFrame, Volume,
        InSet, ImageType, SensorMode, DataSource, ProjectData, LookAngle, Direction, SourceScale,
        Offset, Range, ScannedRez, SensorAltitude, OrientationAngle, AcquiredBits, CurrentBits,
        SwathWidth, SwathWidthRez, SwathHeight, SwathHeightRez, Flightline, Weather, PercentClouds,
        SunAzimuth, SunElevation;
    std::string NumberOfBands, Rev, Signal, Polarity; // 7 each
    // Slots 1, 2, 3, 4, 5, 6H, 6L, 7, 8: the file names put 6H before 6L, the other two arrays
    // do not.
    std::array<std::string, 9> BandFileNames;
    // Slots 1, 2, 3, 4, 5, 6L, 6H, 7, 8.
    std::array<DIHBandTexts, 9> BandTexts;
    std::array<DIHBandLimits, 9> BandLimits;
    std::string LatLongOrUTM; // 40
    int32_t Geographic = 0;   // 0 when the projection name is GEO
    int32_t UnitsCode = 0;    // 4 when geographic, else 2
    int32_t UTMZone = 0, Datum = 0, Spheroid = 0, XShift = 0, YShift = 0;
    int32_t XUnits = 0, YUnits = 0, ZUnits = 0, MUnits = 0;
    double XMax = 0, XMin = 0, YMax = 0, YMin = 0, ZMax = 0, ZMin = 0, MMax = 0, MMin = 0;
    // 40 each
    std::string ProjectionGridOrigin, GridOriginX, GridOriginY, GridUnit, PixelXSize, PixelYSize,
        Columns, Rows, ImageCellOrigin, CellOriginX, CellOriginY, LeftX1, TopY1, RightX2, BottomY2,
        MapName, MapQuadrangle;
    std::string MapDate;     // 10
    std::string MapRevision; // 1
    int32_t MapCategory = 0;
    std::string MapScale;                                        // 8
    std::string SubQuad;                                         // 2
    std::string ProductType, PreProcessing, ResamplingTechnique; // 40 each
    std::string MetadataFile;                                    // 255
    bool ProjectionValid = false, NeverProjected = false, IsProjected = false;
    std::array<double, 15> Affine{}; // A1, A2, A3, B1 ... E3
    std::array<double, 4> DLGP{};
    std::array<double, 8> DLGPP{};
    int32_t TargetProjection = 0, TargetUnit = 0;
    int32_t TargetUTMZone = 0; // the zone number: the box's item index plus one
    int32_t TargetDatum = 0, TargetSpheroid = 0, StatePlaneZone = 0;
    bool IgnoreDatum = false, IgnoreErrors = false, UTMZoneNorth = false;
    std::array<double, 33> ProjectionParameters{};
    std::array<double, 15> DLGPA{}; // PA1, PA2, PA3, PB1 ... PE3
    bool CoordinatesValid = false;
    double ULLongitude = 0, ULLatitude = 0, URLongitude = 0, URLatitude = 0, LLLongitude = 0,
           LLLatitude = 0, LRLongitude = 0, LRLatitude = 0, CenLongitude = 0, CenLatitude = 0;
    int32_t ULCoX = 0, ULCoY = 0, URCoX = 0, URCoY = 0, LLCoX = 0, LLCoY = 0, LRCoX = 0, LRCoY = 0,
            CenCoX = 0, CenCoY = 0, CenCoPixX = 0, CenCoPixY = 0;
    bool RegistrationValid = false;
    int32_t RegistrationPointCount = 0; // always the length of RegistrationPoints
    bool CoLocated = false, Overlapped = false, Stereo = false;
    // Map edges 1, 2, 3, 4, W1, W2, N1, N2, E1, E2, S1, S2: the first character of each box, 0
    // for an empty box.
    std::array<char, 12> MapEdges{};
    // 255 each
    std::string CoFileNE, CoFileN, CoFileNW, CoFileE, CoFileW, CoFileSE, CoFileS, CoFileSW;
};

struct RegistrationPoint {
    int32_t X = 0; // image column
    int32_t Y = 0; // image row
    double CoordA = 0.0;
    double CoordB = 0.0;
};

extern TDIHRecord DIHRecord;
extern std::vector<RegistrationPoint> RegistrationPoints;

// Inclusive pixel bounds of the scene or DIS subset last chosen.
struct TSubsetBounds {
    int32_t SubsetLeft = 0;
    int32_t SubsetRight = 0;
    int32_t SubsetTop = 0;
    int32_t SubsetBottom = 0;
    int64_t Width() const { return int64_t{SubsetRight} - SubsetLeft + 1; }
    int64_t Height() const { return int64_t{SubsetBottom} - SubsetTop + 1; }
};
extern TSubsetBounds SubsetBounds;
// A DIH or DIS has been chosen on the current page of the import window.
extern bool DISLoaded;

// Full paths of the band files of the current band-processing run, by slot.
constexpr int BandSlotCount = 9;
extern const std::array<const char*, BandSlotCount> BandSlotLabels; // "1" ... "6L", "6H" ... "8"
extern std::array<std::string, BandSlotCount> SelectedBandFiles;
// The folder of the current band-processing run: the folder of the DIS it works on, or of the
// band last chosen from another one. Its products, tiles and joins are written there.
extern std::string SceneFolder;
