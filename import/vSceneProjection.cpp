#include "import/vSceneProjection.h"

#include "projections/kovDatum.h"
#include "projections/kovGCTP.h"
#include "projections/kovStatePlane.h"
#include "projections/kovTm.h"
#include "runtime/RtErrors.h"
#include "runtime/RtNumbers.h"
#include "shell/vGlobal.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

using F = DIHField;

constexpr int UnitRadians = 0;
constexpr int UnitMeters = 2;
constexpr int UnitDegrees = 4;
constexpr int UnitFeet = 1;
constexpr int UnitsStatePlaneTable = 6;
constexpr int StatePlaneNad27 = 0;
constexpr int StatePlaneNad83 = 8;
constexpr int DatumNad27 = 13;
constexpr int CodeGeographic = 0;
constexpr int CodeUtm = 1;
constexpr int CodeStatePlane = 2;

// The refresh of CheckMapdData, in its order; each line goes into its record field by its kind.
const F MapDataFields[] = {
    F::MapNameEdit,
    F::MapDateEdit,
    F::MapRevisionEdit,
    F::MapScaleEdit,
    F::MapQuadrangleEdit,
    F::ProductTypeEdit,
    F::PreProcessingEdit,
    F::ResamplingTechniqueEdit,
    F::MapEdge1Edit,
    F::MapEdge2Edit,
    F::MapEdge3Edit,
    F::MapEdge4Edit,
    F::MapEdgeW1Edit,
    F::MapEdgeW2Edit,
    F::MapEdgeN1Edit,
    F::MapEdgeN2Edit,
    F::MapEdgeE1Edit,
    F::MapEdgeE2Edit,
    F::MapEdgeS1Edit,
    F::MapEdgeS2Edit,
    F::IsProjectedCB,
    F::NeverProjectedCB,
    F::IgnoreDatumCB,
    F::IgnoreErrorsCB,
    F::UTMZoneNorthCBOut,
    F::ProjectionValidCBox,
    F::CatNameEditBox,
    F::ProjectionCBOut,
    F::UnitCBOut,
    F::UtmZoneCBOut,
    F::DatumCBOut,
    F::SpheroidCBOut,
    F::StatePlaneZoneEditOut,
};

const F TrailingRealRuns[][2] = {
    {F::ModeEdit, F::PathEdit},
    {F::DLGPA1, F::DLGPE3},
    {F::DLGPP1, F::DLGPP4},
    {F::XMinEdit, F::MMaxEdit},
    {F::ULLongitudeEdit, F::ULLatitudeEdit},
    {F::URLongitudeEdit, F::URLatitudeEdit},
    {F::LLLongitudeEdit, F::LLLatitudeEdit},
    {F::LRLongitudeEdit, F::LRLatitudeEdit},
};

int32_t StrictWhole(const std::string& text) {
    const int64_t v = StrToInt(text);
    if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
        throw EConvertError("'" + text + "' is not a valid integer value");
    return static_cast<int32_t>(v);
}

void TakeIntoRecord(const THeaderPages& pages, F f) {
    const DIHFieldRow& row = RowOf(f);
    if (!row.Slot) return;
    const DIHRecordSlot slot = row.Slot(DIHRecord);
    const std::string& text = pages[f];
    switch (row.Kind) {
    case DIHKind::Text:
        *slot.Text = text.substr(0, static_cast<size_t>(row.Size));
        break;
    case DIHKind::Char:
        *slot.Char = text.empty() ? '\0' : text[0];
        break;
    case DIHKind::Flag:
        *slot.Flag = pages.Checked(f);
        break;
    case DIHKind::Index:
        *slot.Int = pages.ItemIndex(f);
        break;
    case DIHKind::ZoneIndex:
        *slot.Int = pages.ItemIndex(f) + 1;
        break;
    case DIHKind::Real:
    case DIHKind::Real0:
        *slot.Real = StrToFloat(text);
        break;
    case DIHKind::Int0:
        *slot.Int = StrictWhole(text);
        break;
    case DIHKind::ProjectionName:
    case DIHKind::PointCount:
        break;
    }
}

// The record's projection parameters by name (their order on the "Proj out" page).
enum Param {
    Mode,
    SMajor,
    SMinor,
    Sphere,
    FE,
    FN,
    OriginLat,
    StdPr1,
    StdPr2,
    CentMer,
    TrueScale,
    CentLon,
    CenterLat,
    StdPar,
    LongPol,
    Factor,
    Height,
    ShapeM,
    ShapeN,
    Angle,
    Long1,
    Long2,
    Lat1,
    Lat2,
    AziAng,
    AzmthPt,
    IncAng,
    AscLong,
    PSRev,
    LRat,
    PFlag,
    Satnum,
    PathNum,
    NoParam = -1,
};

// Block slots 0..14 of one projection code: the parameter each takes, NoParam for none.
struct AffineRow {
    std::array<int8_t, 15> Slots;
};

constexpr AffineRow Row(std::initializer_list<std::pair<int, int>> pairs) {
    AffineRow r{};
    for (int8_t& s : r.Slots)
        s = NoParam;
    for (const auto& [slot, param] : pairs)
        r.Slots[static_cast<size_t>(slot)] = static_cast<int8_t>(param);
    return r;
}

// P: the axes; S: the sphere; FE, FN: the false origin.
#define VORN_P                                                                                     \
    {0, SMajor}, {                                                                                 \
        1, SMinor                                                                                  \
    }
#define VORN_S                                                                                     \
    { 0, Sphere }
#define VORN_FEN                                                                                   \
    {6, FE}, {                                                                                     \
        7, FN                                                                                      \
    }

AffineRow AffineRowOf(int code, bool orbitForm) {
    switch (code) {
    case 3:
    case 4:
        return Row({VORN_P, {2, StdPr1}, {3, StdPr2}, {4, CentMer}, {5, OriginLat}, VORN_FEN});
    case 5:
        return Row({VORN_P, {4, CentMer}, {5, TrueScale}, VORN_FEN});
    case 6:
        return Row({VORN_P, {4, LongPol}, {5, TrueScale}, VORN_FEN});
    case 7:
        return Row({VORN_P, {4, CentMer}, {5, OriginLat}, VORN_FEN});
    case 8:
        return Row(
            {VORN_P, {2, StdPr1}, {3, StdPr2}, {4, CentMer}, {5, OriginLat}, VORN_FEN, {8, Mode}});
    case 9:
        return Row({VORN_P, {2, Factor}, {4, CentMer}, {5, OriginLat}, VORN_FEN});
    case 10:
        return Row({{0, SMajor}, {4, CentLon}, {5, OriginLat}, VORN_FEN});
    case 11:
    case 12:
    case 13:
    case 14:
        return Row({VORN_S, {4, CentLon}, {5, CenterLat}, VORN_FEN});
    case 15:
        return Row({VORN_S, {2, Height}, {4, CentLon}, {5, CenterLat}, VORN_FEN});
    case 16:
    case 18:
    case 25:
    case 27:
    case 28:
    case 29:
        return Row({VORN_S, {4, CentMer}, VORN_FEN});
    case 17:
        return Row({VORN_S, {4, CentMer}, {5, TrueScale}, VORN_FEN});
    case 19:
        return Row({VORN_S, {4, CentMer}, {5, OriginLat}, VORN_FEN});
    case 20:
        // The two points of form A go in as the projection reads them: longitude and latitude
        // of the first, then of the second.
        return Row({VORN_P,
                    {2, Factor},
                    {3, AziAng},
                    {4, AzmthPt},
                    {5, OriginLat},
                    VORN_FEN,
                    {8, Long1},
                    {9, Lat1},
                    {10, Long2},
                    {11, Lat2},
                    {12, Mode}});
    case 21:
        return Row({{0, SMajor}, {4, CentMer}, VORN_FEN});
    case 22:
        // The orbit form reads the inclination where the Landsat form reads the path.
        return Row({VORN_P,
                    {2, Satnum},
                    {3, orbitForm ? IncAng : PathNum},
                    {4, AscLong},
                    VORN_FEN,
                    {8, PSRev},
                    {9, LRat},
                    {10, PFlag},
                    {12, Mode}});
    case 23:
        return Row({{0, SMajor}, VORN_FEN});
    case 24:
    case 26:
        return Row({VORN_S});
    case 30:
        return Row(
            {VORN_S, {2, ShapeM}, {3, ShapeN}, {4, CentLon}, {5, CenterLat}, VORN_FEN, {8, Angle}});
    default:
        return Row({});
    }
}

#undef VORN_P
#undef VORN_S
#undef VORN_FEN

// Hint names; X, Y and CM are the three long lines every table row shares.
const char* const HintX = "Requires X Shift (False Easting)";
const char* const HintY = "Requires Y Shift (False Northing)";
const char* const HintCM = "Requires Central Meridian (Longitude)";
const char* const HintMode = "Requires Mode: A=1 0? or B=2 1?";
const char* const HintModeHead = "ModeEdit Determines Requirements";

std::string Req(const char* name) {
    return std::string("Requires ") + name;
}

std::vector<std::string> Lines(std::initializer_list<std::string> l) {
    return l;
}

constexpr const char* AlreadyProjectedText =
    "The corners are projected already. Clear \"Is Projected\" to transform them again.";

void ShowPlain(const char* text) {
    HookShowMessage(MsgKind::Information, text, MessageX, MessageY);
}

bool SameBlocks() {
    for (int i = 0; i <= 21; ++i)
        if (InParm[static_cast<size_t>(i)] != OutParm[static_cast<size_t>(i)]) return false;
    return true;
}

int RoundedSlot(const ProjectionParameterBlock& b, int slot) {
    return static_cast<int>(Round(b[static_cast<size_t>(slot)]));
}

// The unit a side's coordinates count in: a State Plane side in units code 6 takes feet on
// NAD27 and its state's entry of the units table on NAD83; -1 for a zone outside the table.
int SideUnit(const ProjectionParameterBlock& block) {
    const int code = RoundedSlot(block, SlotCode);
    const int units = RoundedSlot(block, SlotUnits);
    if (code != CodeStatePlane || units != UnitsStatePlaneTable) return units;
    const int datum = RoundedSlot(block, 19);
    if (datum == StatePlaneNad27) return UnitFeet;
    if (datum != StatePlaneNad83) return units;
    const int64_t index = Round(block[SlotStatePlaneZone] / 100.0) - 1;
    return index >= 0 && index < static_cast<int64_t>(StatePlaneUnitTable.size())
               ? StatePlaneUnitTable[static_cast<size_t>(index)]
               : -1;
}

// The "Extent" corners in CornerTexts order.
const F ExtentCorners[8] = {F::ULLongitudeEdit, F::ULLatitudeEdit,  F::URLongitudeEdit,
                            F::URLatitudeEdit,  F::LLLongitudeEdit, F::LLLatitudeEdit,
                            F::LRLongitudeEdit, F::LRLatitudeEdit};

// A geographic source point in radians off the globe's ranges (map coordinates typed or left
// where degrees belong) is refused, as a projection refuses a point it cannot take.
int GeographicInputStatus(double lon, double lat) {
    if (std::fabs(lon) <= PI + EPSLN && std::fabs(lat) <= HALF_PI + EPSLN) return OK;
    ReportProjectionError(UntaggedRoutine, InputDataError);
    return InputDataError;
}

// A UTM side without a zone. The pages hand UTM no longitude or latitude, so the set-up would
// work its zone out of the cleared parameters: zone 31 wherever the scene lies.
bool WithoutZone(const ProjectionParameterBlock& block) {
    return RoundedSlot(block, SlotCode) == CodeUtm && RoundedSlot(block, SlotUtmZone) == 0;
}

// Refuses a run whose source or target is UTM without a zone as the set-up refuses a zone out
// of range, and leaves every point as it was.
bool RefusedWithoutZone(ProjectionRun& run) {
    const bool source = WithoutZone(InParm), target = WithoutZone(OutParm);
    if (!source && !target) return false;
    const int tag = source ? UtmInverseSetupTag : UtmForwardSetupTag;
    ReportProjectionError(tag, IllegalZone);
    ProjectionInitError = IllegalZone;
    run.Status = ProjectionRunStatus::Done;
    for (int& status : run.PointStatus) {
        ReportProjectionError(tag, IllegalZone);
        status = IllegalZone;
    }
    return true;
}

void SetGeographicDegrees(ProjectionParameterBlock& block) {
    block.fill(0.0);
    block[SlotUnits] = UnitDegrees;
    block[SlotDatum] = DatumNad27;
}

} // namespace

bool ProjectionRun::AllPointsDone() const {
    return Status == ProjectionRunStatus::Done &&
           std::all_of(PointStatus.begin(), PointStatus.end(), [](int s) { return s == 0; });
}

void CheckMapdData(const THeaderPages& pages) {
    for (F f : MapDataFields)
        TakeIntoRecord(pages, f);
    for (const auto& run : TrailingRealRuns)
        for (int i = static_cast<int>(run[0]); i <= static_cast<int>(run[1]); ++i)
            TakeIntoRecord(pages, static_cast<F>(i));
    TakeIntoRecord(pages, F::MetadataFileEdit);
}

std::vector<std::string> ProjectionHintLines(int code) {
    const std::string x = HintX, y = HintY, cm = HintCM, sMajor = Req("S Major"),
                      sMinor = Req("S Minor"), sphere = Req("Sphere"),
                      origin = Req("Origin Latitude"), centLon = Req("Central Longitude"),
                      centLat = Req("Central Latitude");
    switch (code) {
    case 0:
        return Lines({"Geographic requires no parameters"});
    case 1:
        return Lines({"Universal Transverse Mercator (UTM)"});
    case 2:
        return Lines({"State Plane Coordinates"});
    case 3:
    case 4:
        return Lines({sMajor, sMinor, Req("STDPR1 Lat"), Req("STDPR2 Lat"), cm, origin, x, y});
    case 5:
        return Lines({sMajor, sMinor, cm, Req("True Scale"), x, y});
    case 6:
        return Lines({sMajor, sMinor, Req("Long Pol"), Req("True Scale"), x, y});
    case 7:
        return Lines({sMajor, sMinor, cm, origin, x, y});
    case 8:
        return Lines({HintModeHead,
                      "ModeEdit 0.0 Requires :",
                      HintMode,
                      sMajor,
                      sMinor,
                      Req("StdPar Lat"),
                      cm,
                      origin,
                      x,
                      y,
                      "ModeEdit 1.0 Requires :",
                      HintMode,
                      sMajor,
                      sMinor,
                      Req("StdPr1 Lat"),
                      Req("StdPr2 Lat"),
                      cm,
                      origin,
                      x,
                      y});
    case 9:
        return Lines({sMajor, sMinor, Req("Factor"), cm, origin, x, y});
    case 10:
        return Lines({sMajor, centLon, origin, x, y});
    case 11:
    case 12:
    case 14:
        return Lines({sphere, centLon, centLat, x, y});
    case 13:
        return Lines({sphere, Req("CentLonEdit"), Req("CenterLatEdit"), x, y});
    case 15:
        return Lines({sphere, Req("Height"), centLon, centLat, x, y});
    case 16:
    case 18:
    case 21:
    case 25:
    case 27:
    case 28:
    case 29:
        return Lines({sphere, cm, x, y});
    case 17:
        return Lines({sphere, cm, Req("True Scale"), x, y});
    case 19:
        return Lines({sphere, cm, origin, x, y});
    case 20: {
        // Form B needs a subset of what form A needs.
        const std::vector<std::string> common = {
            HintMode, sMajor, sMinor, Req("Factor"), Req("Azi Ang"), Req("Azmth Pt"), origin, x, y};
        std::vector<std::string> lines = {HintModeHead, "ModeEdit 0.0 Requires :"};
        lines.insert(lines.end(), common.begin(), common.end());
        for (const char* name : {"Long 1", "Long 2", "Lat 1", "Lat 2"})
            lines.push_back(Req(name));
        lines.push_back("ModeEdit 1.0 Requires :");
        lines.insert(lines.end(), common.begin(), common.end());
        return lines;
    }
    case 22:
        return Lines({HintModeHead,
                      "ModeEdit 0.0 Requires :",
                      HintMode,
                      sMajor,
                      sMinor,
                      Req("Inc Ang"),
                      Req("Asc Long"),
                      Req("PS Rev"),
                      Req("L Rat"),
                      Req("P Flag"),
                      x,
                      y,
                      "ModeEdit 1.0 Requires :",
                      HintMode,
                      sMajor,
                      sMinor,
                      Req("Sat Num"),
                      Req("Path"),
                      x,
                      y});
    case 23:
        return Lines({sphere, sMinor, x, y});
    case 24:
    case 26:
        return Lines({sphere});
    case 30:
        return Lines(
            {sphere, Req("Shape M"), Req("Shape N"), centLon, centLat, Req("Angle"), x, y});
    default:
        return {};
    }
}

void SetMapAffine(THeaderPages& pages) {
    pages.SetChecked(F::ProjectionValidCBox, true);
    DIHRecord.ProjectionValid = true;
    const TDIHRecord& r = DIHRecord;
    for (int i = 0; i < 15; ++i)
        InParm[static_cast<size_t>(i)] = 0.0;
    InParm[15] = r.TargetProjection;
    InParm[16] = r.TargetUnit;
    InParm[17] = r.TargetUTMZone;
    InParm[18] = r.TargetDatum;
    InParm[19] = r.TargetSpheroid;
    InParm[20] = r.StatePlaneZone;
    // The record keeps the zone number; only the block carries the hemisphere.
    if (r.TargetProjection == CodeUtm && !r.UTMZoneNorth) InParm[17] = -r.TargetUTMZone;
    const bool orbitForm = r.ProjectionParameters[Mode] == 0.0;
    const AffineRow row = AffineRowOf(r.TargetProjection, orbitForm);
    for (size_t slot = 0; slot < row.Slots.size(); ++slot)
        if (row.Slots[slot] != NoParam)
            InParm[slot] = r.ProjectionParameters[static_cast<size_t>(row.Slots[slot])];
}

ProjectionRun RunMapProjection(CornerPoints& points, bool ignoreDatum, bool ignoreErrors) {
    ProjectionRun run;
    DatumShiftEnabled = !ignoreDatum;
    ProjectionErrorCheck = !ignoreErrors;
    ClearProjectionLog();
    InitProjectionLog(MessageX, MessageY, ProgramDirectory, CurrentImageName);
    if (SameBlocks()) return run;
    ProjectionInitError = 0;
    if (RefusedWithoutZone(run)) return run;
    const bool geographicSource = RoundedSlot(InParm, SlotCode) == CodeGeographic;
    double sourceFactor = 1.0, targetFactor = 1.0;
    bool scaleSource = true;
    if (geographicSource) {
        if (untfz(RoundedSlot(InParm, SlotUnits), UnitRadians, sourceFactor) != OK) {
            ShowPlain("Untfz geo in 16 to 0");
            run.Status = ProjectionRunStatus::UnitError;
            return run;
        }
    } else {
        InverseInit();
        const int unit = SideUnit(InParm);
        if (untfz(unit, UnitMeters, sourceFactor) != OK) {
            ShowPlain("Untfz inunit to Meters");
            run.Status = ProjectionRunStatus::UnitError;
            return run;
        }
        scaleSource = unit != UnitMeters;
    }
    ForwardInit();
    // A geographic target leaves the forward transformation in radians, not meters.
    const int targetFrom =
        RoundedSlot(OutParm, SlotCode) == CodeGeographic ? UnitRadians : UnitMeters;
    if (untfz(targetFrom, SideUnit(OutParm), targetFactor) != OK) {
        ShowPlain("Untfz Meters to outparm");
        run.Status = ProjectionRunStatus::UnitError;
        return run;
    }
    const bool shift =
        DatumShiftEnabled && RoundedSlot(InParm, SlotDatum) != RoundedSlot(OutParm, SlotDatum);
    run.Status = ProjectionRunStatus::Done;
    CornerPoints results = points;
    for (size_t i = 0; i < points.size(); ++i) {
        const size_t logged = ProjectionLog.size();
        double x = points[i].X, y = points[i].Y;
        if (scaleSource) {
            x *= sourceFactor;
            y *= sourceFactor;
        }
        double lon = x, lat = y;
        int status =
            geographicSource ? GeographicInputStatus(lon, lat) : InverseTransform(x, y, lon, lat);
        if (status == OK && shift) status = ConvertDatum(lon, lat, lon, lat);
        double outX = 0.0, outY = 0.0;
        if (status == OK) status = ForwardTransform(lon, lat, outX, outY);
        outX *= targetFactor;
        outY *= targetFactor;
        if (status == OK && !(std::isfinite(outX) && std::isfinite(outY))) status = InputDataError;
        if (status == OK) results[i] = {outX, outY};
        // A corner left behind is always explained: a point in an interruption of a lobed map
        // fails without a word from the library, a unit factor can carry a point past any
        // number.
        else if (ProjectionLog.size() == logged)
            ReportProjectionError(UntaggedRoutine, InputDataError);
        run.PointStatus[i] = status;
        HookSetGauge(static_cast<int>((i + 1) * 100 / points.size()));
    }
    // The corners are one box: with one of them left behind, the others would sit in another
    // system beside it and the next run would take them for the source's coordinates.
    if (run.AllPointsDone()) points = results;
    return run;
}

void PrepareLonLatToScene(THeaderPages& pages) {
    CheckMapdData(pages);
    SetMapAffine(pages);
    std::copy_n(InParm.begin(), 22, OutParm.begin());
    SetGeographicDegrees(InParm);
}

void PrepareSceneToLonLat(THeaderPages& pages) {
    CheckMapdData(pages);
    SetMapAffine(pages);
    SetGeographicDegrees(OutParm);
}

ProjectionRun SetMapProjection(int mode, THeaderPages& pages, const CornerTexts* box,
                               CornerTexts* ddll) {
    const bool modeExtent = mode == ProjectExtentCorners;
    if (!modeExtent && (mode != ProjectLLCropBox || !box || !ddll)) return {};
    auto text = [&](size_t i) -> const std::string& {
        return modeExtent ? pages[ExtentCorners[i]] : (*box)[i];
    };
    CornerPoints points;
    for (size_t i = 0; i < 4; ++i)
        points[i] = {StrToFloat(text(2 * i)), StrToFloat(text(2 * i + 1))};
    ProjectionRun run =
        RunMapProjection(points, pages.Checked(F::IgnoreDatumCB), pages.Checked(F::IgnoreErrorsCB));
    run.Points = points;
    if (run.Status != ProjectionRunStatus::Done) return run;
    if (!run.AllPointsDone()) {
        if (modeExtent)
            pages.SetChecked(F::CoordinatesValidCBox, false);
        else
            pages.SetChecked(DISField::DISRegistrationValidCB, false);
        return run;
    }
    for (size_t k = 0; k < 8; ++k)
        (modeExtent ? pages[ExtentCorners[k]] : (*ddll)[k]) =
            FloatToStr(k % 2 ? points[k / 2].Y : points[k / 2].X);
    if (modeExtent) {
        pages.SetChecked(F::CoordinatesValidCBox, true);
        pages.SetChecked(F::IsProjectedCB, true);
    } else {
        pages.SetChecked(DISField::DISRegistrationValidCB, true);
    }
    return run;
}

ProjectionRun DIHTransformCorners(THeaderPages& pages) {
    // "Is Projected" says the corners are in the output system already: taken for degrees
    // again, they would be converted a second time.
    if (pages.Checked(F::IsProjectedCB)) {
        ShowPlain(AlreadyProjectedText);
        ProjectionRun run;
        run.Status = ProjectionRunStatus::AlreadyProjected;
        return run;
    }
    PrepareLonLatToScene(pages);
    return SetMapProjection(ProjectExtentCorners, pages);
}

DMSResult DMSTextToDecimal(std::string& text, int& code) {
    const std::string upper = UpperCase(text);
    code = 0;
    if (upper.empty()) return DMSResult::NotDMS;
    const char hemisphere = upper[0];
    const bool latitude = hemisphere == 'N' || hemisphere == 'S';
    if (!latitude && hemisphere != 'E' && hemisphere != 'W') return DMSResult::NotDMS;
    // 1-based first characters and widths of degrees, minutes, seconds.
    const int starts[2][3] = {{2, 5, 8}, {2, 6, 9}};
    const int widths[2][3] = {{2, 2, 2}, {3, 2, 2}};
    const int form = latitude ? 0 : 1;
    int64_t parts[3] = {};
    for (int k = 0; k < 3; ++k) {
        const size_t start = static_cast<size_t>(starts[form][k] - 1);
        const std::string part =
            start < upper.size() ? upper.substr(start, static_cast<size_t>(widths[form][k])) : "";
        parts[k] = ValInt(part, code);
        if (code != 0 || part.empty()) {
            if (code == 0) code = 1;
            return DMSResult::BadPart;
        }
        // The hemisphere letter carries the sign; a signed part would turn it round.
        if (const size_t sign = part.find('-'); sign != std::string::npos) {
            code = static_cast<int>(sign) + 1;
            return DMSResult::BadPart;
        }
        if (k > 0 && parts[k] > 59) {
            code = 1;
            return DMSResult::BadPart;
        }
    }
    double value = static_cast<double>(parts[0]) + static_cast<double>(parts[1]) / 60.0 +
                   static_cast<double>(parts[2]) / 3600.0;
    if (value > (latitude ? 90.0 : 180.0)) {
        code = 1;
        return DMSResult::BadPart;
    }
    if (hemisphere == 'S' || hemisphere == 'W') value = -value;
    text = FloatToStr(value);
    return DMSResult::Changed;
}

bool SceneGrid::FromPages(const THeaderPages& pages, SceneGrid& grid) {
    auto real = [&pages](F f) {
        int code = 0;
        const double v = ValReal(Trim(pages[f]), code);
        return code == 0 && std::isfinite(v) ? v : 0.0;
    };
    auto whole = [&pages](F f) { return static_cast<int>(StrToIntDef(Trim(pages[f]), 0)); };
    SceneGrid g;
    g.ULX = real(F::ULCoXEdit);
    g.ULY = real(F::ULCoYEdit);
    g.LRX = real(F::LRCoXEdit);
    g.LRY = real(F::LRCoYEdit);
    g.Left = whole(F::RIHLC);
    g.Right = whole(F::RIHRC);
    g.Top = whole(F::RIHTR);
    g.Bottom = whole(F::RIHBR);
    if (g.Right < g.Left || g.Bottom < g.Top) return false;
    g.PixelX = real(F::PixelXSizeEdit);
    g.PixelY = real(F::PixelYSizeEdit);
    if (!(g.PixelX > 0.0)) g.PixelX = (g.LRX - g.ULX) / (double(g.Right) - g.Left + 1.0);
    if (!(g.PixelY > 0.0)) g.PixelY = (g.ULY - g.LRY) / (double(g.Bottom) - g.Top + 1.0);
    if (!(g.PixelX > 0.0) || !(g.PixelY > 0.0)) return false;
    grid = g;
    return true;
}

void SceneGrid::MapToPixel(double x, double y, double& column, double& row) const {
    column = Left + (x - ULX) / PixelX;
    row = Top + (ULY - y) / PixelY;
}

void SceneGrid::PixelToMap(double column, double row, double& x, double& y) const {
    x = ULX + (column - Left) * PixelX;
    y = ULY - (row - Top) * PixelY;
}

bool SceneGrid::BoxToPixelBounds(const CornerPoints& box, TSubsetBounds& bounds) const {
    double minX = box[0].X, maxX = box[0].X, minY = box[0].Y, maxY = box[0].Y;
    for (const MapPoint& p : box) {
        minX = std::min(minX, p.X);
        maxX = std::max(maxX, p.X);
        minY = std::min(minY, p.Y);
        maxY = std::max(maxY, p.Y);
    }
    const double left = Left + std::floor((minX - ULX) / PixelX);
    const double top = Top + std::floor((ULY - maxY) / PixelY);
    const double right = Right - std::floor((LRX - maxX) / PixelX);
    const double bottom = Bottom - std::floor((minY - LRY) / PixelY);
    if (!std::isfinite(left + top + right + bottom)) return false;
    if (right < Left || left > Right || bottom < Top || top > Bottom) return false;
    bounds.SubsetLeft = static_cast<int32_t>(std::max<double>(left, Left));
    bounds.SubsetTop = static_cast<int32_t>(std::max<double>(top, Top));
    bounds.SubsetRight = static_cast<int32_t>(std::min<double>(right, Right));
    bounds.SubsetBottom = static_cast<int32_t>(std::min<double>(bottom, Bottom));
    return bounds.SubsetLeft <= bounds.SubsetRight && bounds.SubsetTop <= bounds.SubsetBottom;
}
