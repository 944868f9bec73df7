// The DIH and DIS header files line by line. Each list below is the one place a header line is
// named: the field enums, the readers, the writers, the resets and the listings walk it.
//
// DIH rows: X(control, kind, size, reset, record field). Size is the record's text width for a
// text line and the number of items for a combo-box line (0: a list with no fixed length).
// The record field is R(member) or NONE.
#pragma once

#include "import/vHeaderState.h"

#include <array>
#include <cstdint>
#include <string>

// One band slot, seven lines: suffix S, index t in the band-text arrays, index f in the file
// names (whose order puts 6H before 6L).
#define VORN_DIH_BAND(X, S, t, f)                                                                  \
    X(RIHBName##S, Text, 19, "NA", R(BandTexts[t].Name))                                           \
    X(RIHBSR##S, Text, 19, "0", R(BandTexts[t].SpectralRange))                                     \
    X(RIHBFName##S, Text, 255, "NA", R(BandFileNames[f]))                                          \
    X(RIHGain##S, Text, 19, "0", R(BandTexts[t].Gain))                                             \
    X(RIHBias##S, Text, 19, "0", R(BandTexts[t].Bias))                                             \
    X(RIHMin##S, Text, 19, "0", R(BandLimits[t].Min))                                              \
    X(RIHMax##S, Text, 19, "0", R(BandLimits[t].Max))

// A corner: longitude, latitude, X, Y.
#define VORN_DIH_CORNER(X, C)                                                                      \
    X(C##LongitudeEdit, Real0, 0, "0", R(C##Longitude))                                            \
    X(C##LatitudeEdit, Real0, 0, "0", R(C##Latitude))                                              \
    X(C##CoXEdit, Int0, 0, "0", R(C##CoX))                                                         \
    X(C##CoYEdit, Int0, 0, "0", R(C##CoY))

// Lines 1 to 273.
#define VORN_DIH_HEAD_FIELDS(X)                                                                    \
    X(RIHIDEdit, Text, 7, "NA", R(Version))                                                        \
    X(RIHHeaderFileEdit, Text, 255, "NA", R(HeaderFileName))                                       \
    X(RIHRIHEdit, Text, 255, "NA", R(RasterImageHeader))                                           \
    X(RIHSceneTitle, Text, 255, "NA", R(SceneTitle))                                               \
    X(RIHLC, Text, 255, "0", R(LeftColumn))                                                        \
    X(RIHRC, Text, 255, "0", R(RightColumn))                                                       \
    X(RIHIW, Text, 255, "0", R(ImageWidth))                                                        \
    X(RIHinLine, Text, 255, "0", R(LineSize))                                                      \
    X(RIHTR, Text, 255, "0", R(TopRow))                                                            \
    X(RIHBR, Text, 255, "0", R(BottomRow))                                                         \
    X(RIHIH, Text, 255, "0", R(ImageHeight))                                                       \
    X(RIHinColumn, Text, 255, "0", R(ColumnSize))                                                  \
    X(RIHSensorType, Text, 255, "NA", R(SensorType))                                               \
    X(RIHSensorID, Text, 255, "NA", R(SensorID))                                                   \
    X(RIHRecordSizeEdit, Text, 255, "0", R(RecordSize))                                            \
    X(RIHPath, Text, 255, "0", R(Path))                                                            \
    X(RIHStartRow, Text, 255, "0", R(StartRow))                                                    \
    X(RIHEndRow, Text, 255, "0", R(EndRow))                                                        \
    X(RIHBlockEdit, Text, 255, "0", R(Block))                                                      \
    X(RIHAcquiredEdit, Text, 255, "NA", R(Acquired))                                               \
    X(RIHProducedEdit, Text, 255, "NA", R(Produced))                                               \
    X(RIHProductSizeEdit, Text, 255, "0", R(ProductSize))                                          \
    X(RIHProjectRollFrameEdit, Text, 255, "0", R(ProjectRollFrame))                                \
    X(RIHVolumeEdit, Text, 255, "0", R(Volume))                                                    \
    X(RIHinSetEdit, Text, 255, "0", R(InSet))                                                      \
    X(RIHImageTypeEdit, Text, 255, "NA", R(ImageType))                                             \
    X(RIHSensorModeEdit, Text, 255, "NA", R(SensorMode))                                           \
    X(RIHDataSource, Text, 255, "NA", R(DataSource))                                               \
    X(RIHProjectData, Text, 255, "NA", R(ProjectData))                                             \
    X(RIHLookAngleEdit, Text, 255, "0", R(LookAngle))                                              \
    X(RIHDirectionEdit, Text, 255, "0", R(Direction))                                              \
    X(RIHSourceScale, Text, 255, "0", R(SourceScale))                                              \
    X(RIHOffsetEdit, Text, 255, "0", R(Offset))                                                    \
    X(RIHRangeEdit, Text, 255, "0", R(Range))                                                      \
    X(RIHScannedRez, Text, 255, "0", R(ScannedRez))                                                \
    X(SensorAltitudeEdit, Text, 255, "0", R(SensorAltitude))                                       \
    X(RIHOrientationAngleEdit, Text, 255, "0", R(OrientationAngle))                                \
    X(RIHAcquiredBitsEdit, Text, 255, "0", R(AcquiredBits))                                        \
    X(RIHCurrentBitsEdit, Text, 255, "0", R(CurrentBits))                                          \
    X(RIHSwathWidthEdit, Text, 255, "0", R(SwathWidth))                                            \
    X(RIHSwathWidthRezEdit, Text, 255, "0", R(SwathWidthRez))                                      \
    X(RIHSwathHeightEdit, Text, 255, "0", R(SwathHeight))                                          \
    X(RIHSwathHeightRezEdit, Text, 255, "0", R(SwathHeightRez))                                    \
    X(RIHFlightlineEdit, Text, 255, "0", R(Flightline))                                            \
    X(RIHWeatherEdit, Text, 255, "NA", R(Weather))                                                 \
    X(PercentCloudsEdit, Text, 255, "NA", R(PercentClouds))                                        \
    X(RIHSunAzimuthAngleEdit, Text, 255, "0", R(SunAzimuth))                                       \
    X(RIHSunElevationAngleEdit, Text, 255, "0", R(SunElevation))                                   \
    X(RIHNBEdit, Text, 7, "0", R(NumberOfBands))                                                   \
    X(RevEdit, Text, 7, "0", R(Rev))                                                               \
    X(SignalEdit, Text, 7, "0", R(Signal))                                                         \
    X(PolarityEdit, Text, 7, "0", R(Polarity))                                                     \
    VORN_DIH_BAND(X, 1, 0, 0)                                                                      \
    VORN_DIH_BAND(X, 2, 1, 1)                                                                      \
    VORN_DIH_BAND(X, 3, 2, 2)                                                                      \
    VORN_DIH_BAND(X, 4, 3, 3)                                                                      \
    VORN_DIH_BAND(X, 5, 4, 4)                                                                      \
    VORN_DIH_BAND(X, 6L, 5, 6)                                                                     \
    VORN_DIH_BAND(X, 6H, 6, 5)                                                                     \
    VORN_DIH_BAND(X, 7, 7, 7)                                                                      \
    VORN_DIH_BAND(X, 8, 8, 8)                                                                      \
    X(ImageLatLongorUTMEdit, Text, 40, "NA", R(LatLongOrUTM))                                      \
    X(ProjectionEdit, ProjectionName, 0, "0", NONE)                                                \
    X(UTMZoneEdit, Int0, 0, "0", R(UTMZone))                                                       \
    X(DatumEdit, Int0, 0, "0", R(Datum))                                                           \
    X(SpheroidEdit, Int0, 0, "0", R(Spheroid))                                                     \
    X(XShiftEdit, Int0, 0, "0", R(XShift))                                                         \
    X(YShiftEdit, Int0, 0, "0", R(YShift))                                                         \
    X(XUnitsCB, Index, 6, "1", R(XUnits))                                                          \
    X(YUnitsCB, Index, 6, "1", R(YUnits))                                                          \
    X(ZUnitsCB, Index, 6, "1", R(ZUnits))                                                          \
    X(MUnitsCB, Index, 6, "1", R(MUnits))                                                          \
    X(ZUnitsEdit, Text, 0, "0", NONE)                                                              \
    X(XMinEdit, Real, 0, "0", R(XMin))                                                             \
    X(XMaxEdit, Real, 0, "0", R(XMax))                                                             \
    X(YMinEdit, Real, 0, "0", R(YMin))                                                             \
    X(YMaxEdit, Real, 0, "0", R(YMax))                                                             \
    X(ZMinEdit, Real, 0, "0", R(ZMin))                                                             \
    X(ZMaxEdit, Real, 0, "0", R(ZMax))                                                             \
    X(MMinEdit, Real, 0, "0", R(MMin))                                                             \
    X(MMaxEdit, Real, 0, "0", R(MMax))                                                             \
    X(ProjectionGridOriginEdit, Text, 40, "0", R(ProjectionGridOrigin))                            \
    X(GridOriginXEdit, Text, 40, "0", R(GridOriginX))                                              \
    X(GridOriginYEdit, Text, 40, "0", R(GridOriginY))                                              \
    X(DDDMSGridUnitEdit, Text, 40, "0", R(GridUnit))                                               \
    X(PixelXSizeEdit, Text, 40, "0", R(PixelXSize))                                                \
    X(PixelYSizeEdit, Text, 40, "0", R(PixelYSize))                                                \
    X(ColumnXEdit, Text, 40, "0", R(Columns))                                                      \
    X(RowsYEdit, Text, 40, "0", R(Rows))                                                           \
    X(ImageCellOriginEdit, Text, 40, "0", R(ImageCellOrigin))                                      \
    X(CellOriginXEdit, Text, 40, "0", R(CellOriginX))                                              \
    X(CellOriginYEdit, Text, 40, "0", R(CellOriginY))                                              \
    X(LeftX1Edit, Text, 40, "0", R(LeftX1))                                                        \
    X(TopY1Edit, Text, 40, "0", R(TopY1))                                                          \
    X(RightX2Edit, Text, 40, "0", R(RightX2))                                                      \
    X(BottomY2Edit, Text, 40, "0", R(BottomY2))                                                    \
    X(MapNameEdit, Text, 40, "NA", R(MapName))                                                     \
    X(MapQuadrangleEdit, Text, 40, "NA", R(MapQuadrangle))                                         \
    X(MapDateEdit, Text, 10, "NA", R(MapDate))                                                     \
    X(MapRevisionEdit, Text, 1, "NA", R(MapRevision))                                              \
    X(CatNameEditBox, Index, 0, "0", R(MapCategory))                                               \
    X(MapScaleEdit, Text, 8, "0", R(MapScale))                                                     \
    X(SubQuadEdit, Text, 2, "NA", R(SubQuad))                                                      \
    X(ProductTypeEdit, Text, 40, "NA", R(ProductType))                                             \
    X(PreProcessingEdit, Text, 40, "NA", R(PreProcessing))                                         \
    X(ResamplingTechniqueEdit, Text, 40, "NA", R(ResamplingTechnique))                             \
    X(MetadataFileEdit, Text, 255, "NA", R(MetadataFile))                                          \
    X(ProjectionValidCBox, Flag, 0, "false", R(ProjectionValid))                                   \
    X(NeverProjectedCB, Flag, 0, "false", R(NeverProjected))                                       \
    X(IsProjectedCB, Flag, 0, "false", R(IsProjected))                                             \
    X(A1Edit, Real, 0, "0", R(Affine[0]))                                                          \
    X(A2Edit, Real, 0, "0", R(Affine[1]))                                                          \
    X(A3Edit, Real, 0, "0", R(Affine[2]))                                                          \
    X(B1Edit, Real, 0, "0", R(Affine[3]))                                                          \
    X(B2Edit, Real, 0, "0", R(Affine[4]))                                                          \
    X(B3Edit, Real, 0, "0", R(Affine[5]))                                                          \
    X(C1Edit, Real, 0, "0", R(Affine[6]))                                                          \
    X(C2Edit, Real, 0, "0", R(Affine[7]))                                                          \
    X(C3Edit, Real, 0, "0", R(Affine[8]))                                                          \
    X(D1Edit, Real, 0, "0", R(Affine[9]))                                                          \
    X(D2Edit, Real, 0, "0", R(Affine[10]))                                                         \
    X(D3Edit, Real, 0, "0", R(Affine[11]))                                                         \
    X(E1Edit, Real, 0, "0", R(Affine[12]))                                                         \
    X(E2Edit, Real, 0, "0", R(Affine[13]))                                                         \
    X(E3Edit, Real, 0, "0", R(Affine[14]))                                                         \
    X(DLGPP1, Real, 0, "0", R(DLGP[0]))                                                            \
    X(DLGPP2, Real, 0, "0", R(DLGP[1]))                                                            \
    X(DLGPP3, Real, 0, "0", R(DLGP[2]))                                                            \
    X(DLGPP4, Real, 0, "0", R(DLGP[3]))                                                            \
    X(DLGPPP1, Real, 0, "0", R(DLGPP[0]))                                                          \
    X(DLGPPP2, Real, 0, "0", R(DLGPP[1]))                                                          \
    X(DLGPPP3, Real, 0, "0", R(DLGPP[2]))                                                          \
    X(DLGPPP4, Real, 0, "0", R(DLGPP[3]))                                                          \
    X(DLGPPP5, Real, 0, "0", R(DLGPP[4]))                                                          \
    X(DLGPPP6, Real, 0, "0", R(DLGPP[5]))                                                          \
    X(DLGPPP7, Real, 0, "0", R(DLGPP[6]))                                                          \
    X(DLGPPP8, Real, 0, "0", R(DLGPP[7]))                                                          \
    X(ProjectionCBOut, Index, 31, "0", R(TargetProjection))                                        \
    X(UnitCBOut, Index, 7, "0", R(TargetUnit))                                                     \
    X(UtmZoneCBOut, ZoneIndex, 60, "0", R(TargetUTMZone))                                          \
    X(DatumCBOut, Index, 24, "0", R(TargetDatum))                                                  \
    X(SpheroidCBOut, Index, 20, "0", R(TargetSpheroid))                                            \
    X(StatePlaneZoneEditOut, Int0, 0, "0", R(StatePlaneZone))                                      \
    X(IgnoreDatumCB, Flag, 0, "false", R(IgnoreDatum))                                             \
    X(IgnoreErrorsCB, Flag, 0, "false", R(IgnoreErrors))                                           \
    X(UTMZoneNorthCBOut, Flag, 0, "false", R(UTMZoneNorth))                                        \
    X(ModeEdit, Real0, 0, "0", R(ProjectionParameters[0]))                                         \
    X(SMajorEdit, Real0, 0, "0", R(ProjectionParameters[1]))                                       \
    X(SMinorEdit, Real0, 0, "0", R(ProjectionParameters[2]))                                       \
    X(SphereEdit, Real0, 0, "0", R(ProjectionParameters[3]))                                       \
    X(FEEdit, Real0, 0, "0", R(ProjectionParameters[4]))                                           \
    X(FNEdit, Real0, 0, "0", R(ProjectionParameters[5]))                                           \
    X(OriginLatEdit, Real0, 0, "0", R(ProjectionParameters[6]))                                    \
    X(STDPR1Edit, Real0, 0, "0", R(ProjectionParameters[7]))                                       \
    X(StdPr2Edit, Real0, 0, "0", R(ProjectionParameters[8]))                                       \
    X(CentMerEdit, Real0, 0, "0", R(ProjectionParameters[9]))                                      \
    X(TrueScaleEdit, Real0, 0, "0", R(ProjectionParameters[10]))                                   \
    X(CentLonEdit, Real0, 0, "0", R(ProjectionParameters[11]))                                     \
    X(CenterLatEdit, Real0, 0, "0", R(ProjectionParameters[12]))                                   \
    X(STDPAREdit, Real0, 0, "0", R(ProjectionParameters[13]))                                      \
    X(LongPolEdit, Real0, 0, "0", R(ProjectionParameters[14]))                                     \
    X(FactorEdit, Real0, 0, "0", R(ProjectionParameters[15]))                                      \
    X(HeightEdit, Real0, 0, "0", R(ProjectionParameters[16]))                                      \
    X(ShapeMEdit, Real0, 0, "0", R(ProjectionParameters[17]))                                      \
    X(ShapeNEdit, Real0, 0, "0", R(ProjectionParameters[18]))                                      \
    X(AngleEdit, Real0, 0, "0", R(ProjectionParameters[19]))                                       \
    X(Long1Edit, Real0, 0, "0", R(ProjectionParameters[20]))                                       \
    X(Long2Edit, Real0, 0, "0", R(ProjectionParameters[21]))                                       \
    X(Lat1Edit, Real0, 0, "0", R(ProjectionParameters[22]))                                        \
    X(Lat2Edit, Real0, 0, "0", R(ProjectionParameters[23]))                                        \
    X(AziAngEdit, Real0, 0, "0", R(ProjectionParameters[24]))                                      \
    X(AzmthPtEdit, Real0, 0, "0", R(ProjectionParameters[25]))                                     \
    X(IncAngEdit, Real0, 0, "0", R(ProjectionParameters[26]))                                      \
    X(AscLongEdit, Real0, 0, "0", R(ProjectionParameters[27]))                                     \
    X(PSRevEdit, Real0, 0, "0", R(ProjectionParameters[28]))                                       \
    X(LRatEdit, Real0, 0, "0", R(ProjectionParameters[29]))                                        \
    X(PFlagEdit, Real0, 0, "0", R(ProjectionParameters[30]))                                       \
    X(SatnumEdit, Real0, 0, "0", R(ProjectionParameters[31]))                                      \
    X(PathEdit, Real0, 0, "0", R(ProjectionParameters[32]))                                        \
    X(DLGPA1, Real0, 0, "0", R(DLGPA[0]))                                                          \
    X(DLGPA2, Real0, 0, "0", R(DLGPA[1]))                                                          \
    X(DLGPA3, Real0, 0, "0", R(DLGPA[2]))                                                          \
    X(DLGPB1, Real0, 0, "0", R(DLGPA[3]))                                                          \
    X(DLGPB2, Real0, 0, "0", R(DLGPA[4]))                                                          \
    X(DLGPB3, Real0, 0, "0", R(DLGPA[5]))                                                          \
    X(DLGPC1, Real0, 0, "0", R(DLGPA[6]))                                                          \
    X(DLGPC2, Real0, 0, "0", R(DLGPA[7]))                                                          \
    X(DLGPC3, Real0, 0, "0", R(DLGPA[8]))                                                          \
    X(DLGPD1, Real0, 0, "0", R(DLGPA[9]))                                                          \
    X(DLGPD2, Real0, 0, "0", R(DLGPA[10]))                                                         \
    X(DLGPD3, Real0, 0, "0", R(DLGPA[11]))                                                         \
    X(DLGPE1, Real0, 0, "0", R(DLGPA[12]))                                                         \
    X(DLGPE2, Real0, 0, "0", R(DLGPA[13]))                                                         \
    X(DLGPE3, Real0, 0, "0", R(DLGPA[14]))                                                         \
    X(CoordinatesValidCBox, Flag, 0, "false", R(CoordinatesValid))                                 \
    VORN_DIH_CORNER(X, UL)                                                                         \
    VORN_DIH_CORNER(X, UR)                                                                         \
    VORN_DIH_CORNER(X, LL)                                                                         \
    VORN_DIH_CORNER(X, LR)                                                                         \
    VORN_DIH_CORNER(X, Cen)                                                                        \
    X(CenCoPixXEdit, Int0, 0, "0", R(CenCoPixX))                                                   \
    X(CenCoPixYEdit, Int0, 0, "0", R(CenCoPixY))                                                   \
    X(RegistrationValidCBox, Flag, 0, "false", R(RegistrationValid))                               \
    X(RegistrationPointsCountEdit, PointCount, 0, "0", NONE)

// The 23 lines after the registration points.
#define VORN_DIH_TAIL_FIELDS(X)                                                                    \
    X(CoLocatedDataCBox, Flag, 0, "false", R(CoLocated))                                           \
    X(StereoCoverageCBox, Flag, 0, "false", R(Stereo))                                             \
    X(OverlappedCoverageCBox, Flag, 0, "false", R(Overlapped))                                     \
    X(MapEdge1Edit, Char, 0, "b", R(MapEdges[0]))                                                  \
    X(MapEdge2Edit, Char, 0, "b", R(MapEdges[1]))                                                  \
    X(MapEdge3Edit, Char, 0, "b", R(MapEdges[2]))                                                  \
    X(MapEdge4Edit, Char, 0, "b", R(MapEdges[3]))                                                  \
    X(MapEdgeW1Edit, Char, 0, "b", R(MapEdges[4]))                                                 \
    X(MapEdgeW2Edit, Char, 0, "b", R(MapEdges[5]))                                                 \
    X(MapEdgeN1Edit, Char, 0, "b", R(MapEdges[6]))                                                 \
    X(MapEdgeN2Edit, Char, 0, "b", R(MapEdges[7]))                                                 \
    X(MapEdgeE1Edit, Char, 0, "b", R(MapEdges[8]))                                                 \
    X(MapEdgeE2Edit, Char, 0, "b", R(MapEdges[9]))                                                 \
    X(MapEdgeS1Edit, Char, 0, "b", R(MapEdges[10]))                                                \
    X(MapEdgeS2Edit, Char, 0, "b", R(MapEdges[11]))                                                \
    X(RIHNCoFileEdit, Text, 255, "NA", R(CoFileN))                                                 \
    X(RIHNECoFileEdit, Text, 255, "NA", R(CoFileNE))                                               \
    X(RIHECoFileEdit, Text, 255, "NA", R(CoFileE))                                                 \
    X(RIHSECoFileEdit, Text, 255, "NA", R(CoFileSE))                                               \
    X(RIHSCoFileEdit, Text, 255, "NA", R(CoFileS))                                                 \
    X(RIHSWCoFileEdit, Text, 255, "NA", R(CoFileSW))                                               \
    X(RIHWCoFileEdit, Text, 255, "NA", R(CoFileW))                                                 \
    X(RIHNWCoFileEdit, Text, 255, "NA", R(CoFileNW))

#define VORN_HEADER_FIELD_NAME(name, ...) name,

enum class DIHField : int {
    VORN_DIH_HEAD_FIELDS(VORN_HEADER_FIELD_NAME) VORN_DIH_TAIL_FIELDS(VORN_HEADER_FIELD_NAME)
};

// How a DIH line is written and read back.
enum class DIHKind : uint8_t {
    Text,           // the text; the record keeps its first Size characters
    ProjectionName, // text; sets the record's geographic flag and units code
    Index,          // a combo box's item index, -1 for none
    ZoneIndex,      // as Index; the record keeps the zone number, index + 1
    Flag,           // "true" or "false"
    Real,           // text; the record's number, a bad one stops the read
    Real0,          // text; the record's number, 0 when not a number
    Int0,           // text; the record's whole number, 0 when not a number
    Char,           // text; the record keeps its first character
    PointCount,     // text; the number of registration-point blocks that follow
};

// Where a line's typed copy goes in DIHRecord: one of the pointers, or none.
struct DIHRecordSlot {
    std::string* Text = nullptr;
    double* Real = nullptr;
    int32_t* Int = nullptr;
    bool* Flag = nullptr;
    char* Char = nullptr;
};

struct DIHFieldRow {
    const char* Name;
    DIHKind Kind;
    int Size;
    const char* Reset;
    DIHRecordSlot (*Slot)(TDIHRecord& record); // null when the record has no copy
};

constexpr int DIHHeadLineCount = 273;
constexpr int DIHTailLineCount = 23;
constexpr int DIHFieldCount = DIHHeadLineCount + DIHTailLineCount;
constexpr int DIHFixedLineCount = DIHFieldCount; // with no registration points
constexpr int DIHLinesPerPoint = 4;

extern const std::array<DIHFieldRow, DIHFieldCount> DIHFields;

inline const DIHFieldRow& RowOf(DIHField f) {
    return DIHFields[static_cast<size_t>(f)];
}
// The co-file boxes in the order N, NE, E, SE, S, SW, W, NW.
extern const std::array<DIHField, 8> DIHCoFileFields;

// DIS rows: X(control, kind, reset); a null reset keeps the control's text on a reset.
#define VORN_DIS_CORNER(X, C)                                                                      \
    X(DIS##C##RegX, Text, "")                                                                      \
    X(DIS##C##RegY, Text, "") X(DIS##C##Longitude, Text, "") X(DIS##C##Latitude, Text, "")

// Lines 1 to 37; then the three lists, each after its keyword line.
#define VORN_DIS_FIELDS(X)                                                                         \
    X(DISSubsetID, Text, nullptr)                                                                  \
    X(DISSubsetDIH, Text, "")                                                                      \
    X(DISSubsetDIS, Text, "")                                                                      \
    X(DISSubsetLeft, Text, "")                                                                     \
    X(DISSubsetRight, Text, "")                                                                    \
    X(DISSubsetWidth, Text, "")                                                                    \
    X(DISSubsetTop, Text, "")                                                                      \
    X(DISSubsetBottom, Text, "")                                                                   \
    X(DISSubsetHeight, Text, "")                                                                   \
    X(DISRegistrationValidCB, Flag, "false")                                                       \
    VORN_DIS_CORNER(X, UL)                                                                         \
    VORN_DIS_CORNER(X, UR)                                                                         \
    VORN_DIS_CORNER(X, LL)                                                                         \
    VORN_DIS_CORNER(X, LR)                                                                         \
    X(DISCoLocoCB, Flag, "false")                                                                  \
    X(DISStereoCB, Flag, "false")                                                                  \
    X(DISOverlappedCB, Flag, "false")                                                              \
    X(DISNCoFile, Text, "")                                                                        \
    X(DISNECoFile, Text, "")                                                                       \
    X(DISECoFile, Text, "")                                                                        \
    X(DISSECoFile, Text, "")                                                                       \
    X(DISSCoFile, Text, "")                                                                        \
    X(DISSWCoFile, Text, "")                                                                       \
    X(DISWCoFile, Text, "")                                                                        \
    X(DISNWCoFile, Text, "")

enum class DISField : int { VORN_DIS_FIELDS(VORN_HEADER_FIELD_NAME) };

enum class DISKind : uint8_t { Text, Flag };

struct DISFieldRow {
    const char* Name;
    DISKind Kind;
    const char* Reset;
};

constexpr int DISFieldCount = 37;
extern const std::array<DISFieldRow, DISFieldCount> DISFields;
extern const std::array<DISField, 8> DISCoFileFields; // N, NE, E, SE, S, SW, W, NW

inline const DISFieldRow& RowOf(DISField f) {
    return DISFields[static_cast<size_t>(f)];
}

// The keyword lines before the three DIS lists.
inline constexpr const char* DISDividedKeyword = "Divided";
inline constexpr const char* DISProcessKeyword = "Process";
inline constexpr const char* DISDIPKeyword = "DIP";
