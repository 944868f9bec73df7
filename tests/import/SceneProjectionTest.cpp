// The scene's map projection from the DIH pages: the Olinda corners to UTM zone 25 south and
// back, the block slots per projection, failed corners, the DMS texts and the pixel grid.
#include "HeaderFixture.h"
#include "import/vHeaderPages.h"
#include "import/vSceneProjection.h"
#include "projections/ProjOracle.h"
#include "projections/kovGlobal.h"
#include "projections/kovStatePlane.h"
#include "runtime/RtErrors.h"
#include "runtime/RtNumbers.h"
#include "shell/vGlobalHooks.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

using F = DIHField;

// The "Extent" corner edits: longitude and latitude of UL, UR, LL, LR.
const F ExtentCorners[8] = {F::ULLongitudeEdit, F::ULLatitudeEdit,  F::URLongitudeEdit,
                            F::URLatitudeEdit,  F::LLLongitudeEdit, F::LLLatitudeEdit,
                            F::LRLongitudeEdit, F::LRLatitudeEdit};

class SceneProjection : public HeaderTest {
  protected:
    void SetUp() override {
        HeaderTest::SetUp();
        InParm = {};
        OutParm = {};
        TypeOlindaUtm25South(P);
    }
    void TearDown() override {
        StatePlaneFileDirectory.clear();
        HeaderTest::TearDown();
    }
};

TEST_F(SceneProjection, OlindaCornersGoToUtm25SouthAndBack) {
    const ProjectionRun run = DIHTransformCorners(P);
    ASSERT_TRUE(run.AllPointsDone()) << Rec.Summary();
    CornerPoints map;
    for (size_t i = 0; i < 4; ++i) {
        const OlindaCorner& c = OlindaCorners[i];
        EXPECT_NEAR(StrToFloat(P[c.Lon]), c.Easting, 1.0) << i;
        EXPECT_NEAR(StrToFloat(P[c.Lat]), c.Northing, 1.0) << i;
        map[i] = {StrToFloat(P[c.Lon]), StrToFloat(P[c.Lat])};
    }
    EXPECT_TRUE(P.Checked(F::CoordinatesValidCBox));
    EXPECT_TRUE(P.Checked(F::IsProjectedCB));
    EXPECT_TRUE(P.Checked(F::ProjectionValidCBox));

    PrepareSceneToLonLat(P);
    ASSERT_TRUE(RunMapProjection(map, true, false).AllPointsDone());
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_NEAR(map[i].X, OlindaCorners[i].Longitude, 1e-8) << i;
        EXPECT_NEAR(map[i].Y, OlindaCorners[i].Latitude, 1e-8) << i;
    }
    // A second transform keeps the southern zone in the block and the zone in the record.
    P.SetChecked(F::IsProjectedCB, false);
    DIHTransformCorners(P);
    EXPECT_EQ(OutParm[SlotUtmZone], -25);
    EXPECT_EQ(DIHRecord.TargetUTMZone, 25);
}

// State Plane scenes counting in their zone's units (code 6): feet on NAD27, the state's entry of
// the units table on NAD83; degrees to the scene through the Extent corners and the LL crop box,
// and back.
TEST_F(SceneProjection, StatePlaneScenesCountInTheirZoneUnits) {
    StatePlaneFileDirectory = TestData("projections/");
    LastStatePlaneZone = 0;
    LastStatePlaneSelector = -1;
    const struct {
        int Zone, Selector;
        const char* Crs;
        double Lon, Lat;
    } table[] = {
        {4100, 0, "EPSG:2204", -86.25, 35.75}, // Tennessee, US survey feet
        {2500, 8, "EPSG:2256", -109.5, 47.0},  // Montana, international feet
        {1601, 8, "EPSG:2246", -84.5, 38.5},   // Kentucky North, US survey feet
        {3800, 8, "EPSG:32130", -71.5, 41.7},  // Rhode Island, metres
    };
    for (const auto& c : table) {
        SCOPED_TRACE(c.Crs);
        P.SetChecked(F::IsProjectedCB, false);
        P.SetItemIndex(F::ProjectionCBOut, 2);
        P.SetItemIndex(F::UnitCBOut, 6);
        P.SetItemIndex(F::DatumCBOut, c.Selector);
        P.SetItemIndex(F::SpheroidCBOut, c.Selector);
        P[F::StatePlaneZoneEditOut] = IntToStr(c.Zone);
        // A box half a degree wide and a quarter high below and right of the point.
        const double lons[4] = {c.Lon, c.Lon + 0.5, c.Lon, c.Lon + 0.5};
        const double lats[4] = {c.Lat, c.Lat, c.Lat - 0.25, c.Lat - 0.25};
        CornerTexts degrees;
        for (size_t i = 0; i < 4; ++i) {
            degrees[2 * i] = FloatToStr(lons[i]);
            degrees[2 * i + 1] = FloatToStr(lats[i]);
        }
        for (size_t k = 0; k < 8; ++k)
            P[ExtentCorners[k]] = degrees[k];
        ASSERT_TRUE(DIHTransformCorners(P).AllPointsDone()) << Rec.Summary();
        const oracle::ZoneOracle zone(c.Crs);
        CornerPoints map;
        for (size_t i = 0; i < 4; ++i) {
            double x = 0, y = 0;
            zone.ForwardInOwnUnit(lons[i], lats[i], x, y);
            map[i] = {StrToFloat(P[ExtentCorners[2 * i]]), StrToFloat(P[ExtentCorners[2 * i + 1]])};
            EXPECT_NEAR(map[i].X, x, 0.01) << i;
            EXPECT_NEAR(map[i].Y, y, 0.01) << i;
        }
        CornerTexts ddll;
        P.SetChecked(DISField::DISRegistrationValidCB, false);
        PrepareLonLatToScene(P);
        ASSERT_TRUE(SetMapProjection(ProjectLLCropBox, P, &degrees, &ddll).AllPointsDone());
        for (size_t k = 0; k < 8; ++k)
            EXPECT_EQ(ddll[k], P[ExtentCorners[k]]) << k;
        EXPECT_TRUE(P.Checked(DISField::DISRegistrationValidCB));

        PrepareSceneToLonLat(P);
        ASSERT_TRUE(RunMapProjection(map, true, false).AllPointsDone());
        for (size_t i = 0; i < 4; ++i) {
            EXPECT_NEAR(map[i].X, lons[i], 1e-8) << i;
            EXPECT_NEAR(map[i].Y, lats[i], 1e-8) << i;
        }
    }
}

TEST_F(SceneProjection, OtherModesTransformNothing) {
    PrepareLonLatToScene(P);
    CornerTexts box{"1", "2", "3", "4", "5", "6", "7", "8"}, ddll;
    const std::string before = P[F::ULLongitudeEdit];
    for (int mode : {0, 3}) {
        EXPECT_EQ(SetMapProjection(mode, P, &box, &ddll).Status, ProjectionRunStatus::Unchanged);
        EXPECT_EQ(ddll, CornerTexts{});
    }
    EXPECT_EQ(SetMapProjection(ProjectLLCropBox, P).Status, ProjectionRunStatus::Unchanged);
    EXPECT_EQ(P[F::ULLongitudeEdit], before);
}

TEST_F(SceneProjection, EqualBlocksChangeNothing) {
    InParm = OutParm = {};
    InParm[SlotUnits] = OutParm[SlotUnits] = 4;
    CornerPoints points{{{1, 2}, {3, 4}, {5, 6}, {7, 8}}};
    const CornerPoints before = points;
    EXPECT_EQ(RunMapProjection(points, false, false).Status, ProjectionRunStatus::Unchanged);
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(points[i].X, before[i].X);
}

// A transform that fails for one corner changes no corner and takes back "coordinates valid":
// a Mercator corner at the pole, and a second press, with "Is Projected" cleared, on corners
// already in metres. The LL crop box is refused alike.
TEST_F(SceneProjection, FailedCornerRefusesTheWholeTransform) {
    auto corners = [this] {
        CornerTexts t;
        for (size_t k = 0; k < 8; ++k)
            t[k] = P[ExtentCorners[k]];
        return t;
    };
    ASSERT_TRUE(DIHTransformCorners(P).AllPointsDone());
    const CornerTexts metres = corners();
    P.SetChecked(F::IsProjectedCB, false);
    ProjectionRun run = DIHTransformCorners(P);
    EXPECT_EQ(run.PointStatus, (std::array{115, 115, 115, 115}));
    EXPECT_EQ(corners(), metres);
    EXPECT_FALSE(P.Checked(F::CoordinatesValidCBox));
    EXPECT_FALSE(P.Checked(F::IsProjectedCB));
    ASSERT_GE(ProjectionLog.size(), 2u);
    EXPECT_EQ(ProjectionLog.back(), "Input data error");

    TypeOlindaUtm25South(P);
    P.SetItemIndex(F::ProjectionCBOut, 5); // Mercator: no point at a pole
    P.SetItemIndex(F::SpheroidCBOut, 12);
    P[F::ULLatitudeEdit] = "90";
    P.SetChecked(F::CoordinatesValidCBox, true);
    const CornerTexts degrees = corners();
    run = DIHTransformCorners(P);
    EXPECT_EQ(run.PointStatus, (std::array{53, 0, 0, 0}));
    EXPECT_EQ(corners(), degrees);
    EXPECT_FALSE(P.Checked(F::CoordinatesValidCBox));
    EXPECT_EQ(ProjectionLog.back(), "Transformation cannot be computed at the poles");

    // A projection line outside the table leaves the box at -1: refused, not run as UTM 25
    // south, the projection of the transform before.
    TypeOlindaUtm25South(P);
    ASSERT_TRUE(DIHTransformCorners(P).AllPointsDone());
    TypeOlindaUtm25South(P);
    P.SetChecked(F::IsProjectedCB, false);
    P.SetItemIndex(F::ProjectionCBOut, 31);
    ASSERT_EQ(P.ItemIndex(F::ProjectionCBOut), -1);
    const CornerTexts olinda = corners();
    run = DIHTransformCorners(P);
    EXPECT_EQ(run.PointStatus, (std::array{ERROR, ERROR, ERROR, ERROR}));
    EXPECT_EQ(corners(), olinda);
    EXPECT_FALSE(P.Checked(F::IsProjectedCB));
    ASSERT_GE(ProjectionLog.size(), 2u);
    EXPECT_EQ(ProjectionLog.back(), "Unsupported format");

    // A zone line outside the table leaves the zone box at -1: no zone, refused, not one worked
    // out of the longitude and latitude the pages never give UTM.
    TypeOlindaUtm25South(P);
    P.SetItemIndex(F::UtmZoneCBOut, 60);
    ASSERT_EQ(P.ItemIndex(F::UtmZoneCBOut), -1);
    const CornerTexts europe{"10", "50", "10.5", "50", "10", "49.5", "10.5", "49.5"};
    for (size_t k = 0; k < 8; ++k)
        P[ExtentCorners[k]] = europe[k];
    run = DIHTransformCorners(P);
    EXPECT_EQ(run.PointStatus, (std::array{11, 11, 11, 11}));
    EXPECT_EQ(corners(), europe);
    EXPECT_FALSE(P.Checked(F::IsProjectedCB));
    EXPECT_EQ(std::vector<std::string>(ProjectionLog.end() - 2, ProjectionLog.end()),
              (std::vector<std::string>{"utm-forint", "Illegal zone number"}));

    CornerTexts ddll{"a", "b", "c", "d", "e", "f", "g", "h"};
    const CornerTexts before = ddll;
    P.SetChecked(DISField::DISRegistrationValidCB, true);
    PrepareLonLatToScene(P);
    EXPECT_FALSE(SetMapProjection(ProjectLLCropBox, P, &degrees, &ddll).AllPointsDone());
    EXPECT_EQ(ddll, before);
    EXPECT_FALSE(P.Checked(DISField::DISRegistrationValidCB));
}

TEST_F(SceneProjection, BadUnitStopsBeforeAnyPoint) {
    P.SetItemIndex(F::UnitCBOut, 5);
    InParm = {};
    PrepareLonLatToScene(P);
    OutParm[SlotUnits] = 9;
    CornerPoints points{};
    EXPECT_EQ(RunMapProjection(points, true, false).Status, ProjectionRunStatus::UnitError);
    ASSERT_FALSE(Rec.Messages.empty());
    EXPECT_EQ(Rec.Messages.back().Text, "Untfz Meters to outparm");
}

TEST_F(SceneProjection, ParameterTextThatIsNoNumberRaises) {
    P[F::CentMerEdit] = "abc";
    EXPECT_THROW(CheckMapdData(P), EConvertError);
}

// Block slots per code, parameters numbered by their "Proj out" order + 1 (so 0 is "empty").
TEST_F(SceneProjection, AffineSlotsPerCode) {
    for (int i = 0; i < 33; ++i)
        DIHRecord.ProjectionParameters[static_cast<size_t>(i)] = i + 1;
    const struct {
        int Code;
        double Mode; // parameter 1 as the record holds it
        std::array<double, 13> Slots;
    } table[] = {
        {3, 1, {2, 3, 8, 9, 10, 7, 5, 6, 0, 0, 0, 0, 0}},
        {6, 1, {2, 3, 0, 0, 15, 11, 5, 6, 0, 0, 0, 0, 0}},
        {8, 1, {2, 3, 8, 9, 10, 7, 5, 6, 1, 0, 0, 0, 0}},
        {9, 1, {2, 3, 16, 0, 10, 7, 5, 6, 0, 0, 0, 0, 0}},
        {15, 1, {4, 0, 17, 0, 12, 13, 5, 6, 0, 0, 0, 0, 0}},
        // Hotine: first point's longitude and latitude, then the second's.
        {20, 1, {2, 3, 16, 25, 26, 7, 5, 6, 21, 23, 22, 24, 1}},
        {22, 1, {2, 3, 32, 33, 28, 0, 5, 6, 29, 30, 31, 0, 1}},
        // Orbit form of the space oblique Mercator: the inclination in slot 3.
        {22, 0, {2, 3, 32, 27, 28, 0, 5, 6, 29, 30, 31, 0, 0}},
        {24, 1, {4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {30, 1, {4, 0, 18, 19, 12, 13, 5, 6, 20, 0, 0, 0, 0}},
    };
    for (const auto& row : table) {
        DIHRecord.TargetProjection = row.Code;
        DIHRecord.ProjectionParameters[0] = row.Mode;
        InParm.fill(-1);
        SetMapAffine(P);
        for (size_t s = 0; s < row.Slots.size(); ++s)
            EXPECT_EQ(InParm[s], row.Slots[s]) << "code " << row.Code << " slot " << s;
        EXPECT_EQ(InParm[13], 0);
        EXPECT_EQ(InParm[SlotCode], row.Code);
    }
}

TEST(ProjectionHints, TableRowsAsListed) {
    EXPECT_EQ(ProjectionHintLines(0),
              std::vector<std::string>{"Geographic requires no parameters"});
    EXPECT_EQ(ProjectionHintLines(23),
              (std::vector<std::string>{"Requires Sphere", "Requires S Minor",
                                        "Requires X Shift (False Easting)",
                                        "Requires Y Shift (False Northing)"}));
    EXPECT_EQ(ProjectionHintLines(17),
              (std::vector<std::string>{"Requires Sphere", "Requires Central Meridian (Longitude)",
                                        "Requires True Scale", "Requires X Shift (False Easting)",
                                        "Requires Y Shift (False Northing)"}));
    EXPECT_EQ(ProjectionHintLines(20).size(), 25u);
    EXPECT_EQ(ProjectionHintLines(22).size(), 20u);
    EXPECT_TRUE(ProjectionHintLines(31).empty());
}

TEST(DMSText, ConvertsOrRefuses) {
    const struct {
        const char* In;
        DMSResult Result;
        const char* Out;
    } table[] = {
        {"S06 56 30", DMSResult::Changed, "-6.94166666666667"},
        {"w177 25 59", DMSResult::Changed, "-177.433055555556"},
        {"N46 56 30", DMSResult::Changed, "46.9416666666667"},
        {"E007 25 59", DMSResult::Changed, "7.43305555555556"},
        {"X46 56 30", DMSResult::NotDMS, "X46 56 30"},
        {"", DMSResult::NotDMS, ""},
        {"N4x 56 30", DMSResult::BadPart, "N4x 56 30"},
        {"N46", DMSResult::BadPart, "N46"},
        // The letter gives the sign; minutes and seconds stop at 59, the angle at its pole or
        // at the antimeridian.
        {"W-12 -5 -9", DMSResult::BadPart, "W-12 -5 -9"},
        {"N46 70 99", DMSResult::BadPart, "N46 70 99"},
        {"N46 59 60", DMSResult::BadPart, "N46 59 60"},
        {"N90 00 01", DMSResult::BadPart, "N90 00 01"},
        {"W180 00 00", DMSResult::Changed, "-180"},
    };
    for (const auto& row : table) {
        std::string text = row.In;
        int code = 0;
        EXPECT_EQ(DMSTextToDecimal(text, code), row.Result) << row.In;
        EXPECT_EQ(text, row.Out) << row.In;
        EXPECT_EQ(code != 0, row.Result == DMSResult::BadPart) << row.In;
    }
}

TEST_F(SceneProjection, GridTurnsMapBoxesIntoPixelBounds) {
    P[F::ULCoXEdit] = "288776.25";
    P[F::ULCoYEdit] = "9120760.75";
    P[F::LRCoXEdit] = "298722.75";
    P[F::LRCoYEdit] = "9110728.75";
    P[F::RIHLC] = "1";
    P[F::RIHRC] = "349";
    P[F::RIHTR] = "1";
    P[F::RIHBR] = "352";
    P[F::PixelXSizeEdit] = "NA"; // from the corners: 28.5 m
    P[F::PixelYSizeEdit] = "28.5";
    SceneGrid grid;
    ASSERT_TRUE(SceneGrid::FromPages(P, grid));
    EXPECT_DOUBLE_EQ(grid.PixelX, 28.5);
    double col = 0, row = 0, x = 0, y = 0;
    grid.MapToPixel(288776.25 + 28.5 * 10.5, 9120760.75 - 28.5 * 3, col, row);
    EXPECT_DOUBLE_EQ(col, 11.5);
    EXPECT_DOUBLE_EQ(row, 4.0);
    grid.PixelToMap(col, row, x, y);
    EXPECT_DOUBLE_EQ(x, 288776.25 + 28.5 * 10.5);

    const struct {
        CornerPoints Box;
        bool Inside;
        TSubsetBounds Bounds;
    } table[] = {
        {{{{288776.25, 9120760.75},
           {298722.75, 9120760.75},
           {288776.25, 9110728.75},
           {298722.75, 9110728.75}}},
         true,
         {1, 349, 1, 352}},
        {{{{289000, 9120000}, {290000, 9120000}, {289000, 9119000}, {290000, 9119000}}},
         true,
         {8, 43, 27, 62}},
        {{{{280000, 9130000}, {300000, 9130000}, {280000, 9100000}, {300000, 9100000}}},
         true,
         {1, 349, 1, 352}},
        {{{{200000, 9000000}, {200100, 9000000}, {200000, 8999900}, {200100, 8999900}}}, false, {}},
    };
    for (const auto& t : table) {
        TSubsetBounds b;
        ASSERT_EQ(grid.BoxToPixelBounds(t.Box, b), t.Inside);
        if (!t.Inside) continue;
        EXPECT_EQ((std::array{b.SubsetLeft, b.SubsetRight, b.SubsetTop, b.SubsetBottom}),
                  (std::array{t.Bounds.SubsetLeft, t.Bounds.SubsetRight, t.Bounds.SubsetTop,
                              t.Bounds.SubsetBottom}));
    }
}

// While "Is Projected" is set the corners are in the output system: a second press is refused
// with its message and changes nothing, whatever that system is. Cleared, the box lets the
// next press through.
TEST_F(SceneProjection, TransformRefusedWhileIsProjected) {
    const struct {
        const char* name;
        int projection, unit, datum;
        bool ignoreDatum;
    } table[] = {
        {"utm 25 south, metres", 1, 2, 23, true},
        {"geographic, radians", 0, 0, 23, true},
        {"geographic, degrees with a datum shift", 0, 4, 12, false},
    };
    for (const auto& c : table) {
        SCOPED_TRACE(c.name);
        TypeOlindaUtm25South(P);
        P.SetChecked(F::IsProjectedCB, false);
        P.SetItemIndex(F::ProjectionCBOut, c.projection);
        P.SetItemIndex(F::UnitCBOut, c.unit);
        P.SetItemIndex(F::DatumCBOut, c.datum);
        P.SetChecked(F::IgnoreDatumCB, c.ignoreDatum);
        ASSERT_TRUE(DIHTransformCorners(P).AllPointsDone()) << Rec.Summary();
        std::array<std::string, 8> first;
        for (size_t k = 0; k < 8; ++k)
            first[k] = P[ExtentCorners[k]];
        const ProjectionParameterBlock in = InParm, out = OutParm;
        Rec.Messages.clear();
        EXPECT_EQ(DIHTransformCorners(P).Status, ProjectionRunStatus::AlreadyProjected);
        for (size_t k = 0; k < 8; ++k)
            EXPECT_EQ(P[ExtentCorners[k]], first[k]) << k;
        EXPECT_TRUE(in == InParm && out == OutParm);
        EXPECT_TRUE(P.Checked(F::CoordinatesValidCBox));
        ASSERT_EQ(Rec.Messages.size(), 1u);
        EXPECT_EQ(Rec.Messages[0].Text,
                  "The corners are projected already. Clear \"Is Projected\" to transform them "
                  "again.");
        P.SetChecked(F::IsProjectedCB, false);
        EXPECT_EQ(DIHTransformCorners(P).Status, ProjectionRunStatus::Done);
    }
}

// Every corner that fails has its routine and message in the log and shows the message window,
// the ones the library passes over in silence too: a point in a gap of Goode's map, and a
// side whose set-up was refused.
TEST_F(SceneProjection, EveryFailedCornerIsReported) {
    int shown = 0;
    const auto saved = Hooks.ProjectionLogChanged;
    Hooks.ProjectionLogChanged = [&shown](bool show) { shown += show ? 1 : 0; };
    const double R = 6370997.0;
    const struct {
        const char* name;
        ProjectionParameterBlock in;
        std::array<int, 4> status;
        std::vector<std::string> tail;
    } table[] = {
        {"goode, one corner in a southern gap",
         [] {
             ProjectionParameterBlock b{};
             b[SlotCode] = 24;
             b[SlotUnits] = 2;
             return b;
         }(),
         {0, IN_BREAK, 0, 0},
         {"", "Input data error"}},
        {"albers on axes that are no ellipsoid",
         [] {
             ProjectionParameterBlock b{};
             b[SlotCode] = 3;
             b[SlotUnits] = 2;
             b[SlotSpheroid] = -1;
             b[0] = 6378137;
             b[1] = 1;
             b[2] = 29030000;
             b[3] = 45030000;
             return b;
         }(),
         {23, 23, 23, 23},
         {"alber-invinit", "Illegal spheroid # -1"}},
        {"utm with no zone chosen",
         [] {
             ProjectionParameterBlock b{};
             b[SlotCode] = 1;
             b[SlotUnits] = 2;
             return b;
         }(),
         {11, 11, 11, 11},
         {"utm-invint", "Illegal zone number"}},
    };
    for (const auto& c : table) {
        SCOPED_TRACE(c.name);
        InParm = c.in;
        OutParm = {};
        OutParm[SlotUnits] = 4;
        CornerPoints points{{{0, 0}, {-1.745 * R, -0.6 * R}, {0.1 * R, 0.1 * R}, {R, 0.2 * R}}};
        const CornerPoints before = points;
        shown = 0;
        const ProjectionRun run = RunMapProjection(points, true, false);
        EXPECT_EQ(run.PointStatus, c.status);
        int failed = 0;
        for (size_t i = 0; i < 4; ++i) {
            failed += c.status[i] != 0;
            EXPECT_EQ(points[i].X, before[i].X) << i;
        }
        EXPECT_GE(shown, failed);
        const std::vector<std::string> tail(ProjectionLog.end() - 2, ProjectionLog.end());
        EXPECT_EQ(tail, c.tail);
        // The refused set-up's own report comes before the corners'.
        EXPECT_GE(std::count(ProjectionLog.begin(), ProjectionLog.end(), c.tail[1]), failed);
    }
    Hooks.ProjectionLogChanged = saved;
}

} // namespace
