#include "import/HeaderFixture.h"
#include "import/vHeaderVersions.h"

#include <functional>

namespace {

using F = DIHField;
using Lines = std::vector<std::string>;

class DIHFile : public HeaderTest {};

TEST_F(DIHFile, GoldenFilesReadAndWriteBackByteForByte) {
    for (const char* golden : {"reset.dih", "points.dih"}) {
        // Read from the working folder, and written back beside it under the name its line 2
        // holds.
        P.RIHOpenRIHHeader(Variant(golden, {}));
        P.RIHSaveIt();
        EXPECT_EQ(FileText(Dir.File(P[F::RIHHeaderFileEdit])), FileText(GoldenHeader(golden)))
            << golden;
    }
    EXPECT_TRUE(Rec.Messages.empty()) << Rec.Summary();
}

// The golden of two points puts a distinct value on every line: named controls and record
// fields must each come from their own line.
TEST_F(DIHFile, PointsGoldenFillsEachControlAndRecordFieldFromItsLine) {
    P.RIHOpenRIHHeader(GoldenHeader("points.dih"));
    const Lines controls = {P[F::RIHNBEdit],
                            P[F::RIHBName6L],
                            P[F::RIHBFName6H],
                            P[F::RIHMax8],
                            P[F::ProjectionEdit],
                            P[F::YUnitsCB],
                            P[F::CatNameEditBox],
                            P[F::UtmZoneCBOut],
                            P[F::CentMerEdit],
                            P[F::CenCoPixYEdit],
                            P[F::RegistrationPointsCountEdit],
                            P[F::StereoCoverageCBox],
                            P[F::MapEdge1Edit],
                            P[F::RIHNECoFileEdit]};
    EXPECT_EQ(controls, (Lines{"3", "ThermalLowGainBand6L_long", "olinda.B6H", "246", "geo", "4",
                               "2", "0", "-33", "240", "2", "false", "N", "northeast.dih"}));

    const TDIHRecord& r = DIHRecord;
    EXPECT_EQ((Lines{r.Version, r.SunElevation, r.BandTexts[5].Name, r.BandFileNames[5],
                     r.BandFileNames[6], r.BandLimits[6].Max, r.CoFileN, r.CoFileNE}),
              (Lines{"DIH 1.1", "52.8", "ThermalLowGainBand6", "olinda.B6H", "olinda.B6L", "248",
                     "north.dih", "northeast.dih"}));
    EXPECT_EQ((std::vector<int32_t>{r.Geographic, r.UnitsCode, r.UTMZone, r.MapCategory,
                                    r.TargetUTMZone, r.TargetDatum, r.StatePlaneZone, r.LRCoY,
                                    r.CenCoPixX, r.RegistrationPointCount}),
              (std::vector<int32_t>{0, 4, 25, 2, 1, 23, 3101, 680, 320, 2}));
    EXPECT_EQ((std::vector<double>{r.XMax, r.XMin, r.MMin, r.Affine[14], r.DLGPP[7],
                                   r.ProjectionParameters[1], r.ProjectionParameters[32],
                                   r.DLGPA[14], r.LRLatitude}),
              (std::vector<double>{2.5, 1.5, 7.5, -7.125, 12, 6378206.4, 44, 9.5, -8.2}));
    EXPECT_EQ((std::vector<bool>{r.IgnoreErrors, r.CoLocated, r.Overlapped, r.Stereo}),
              (std::vector<bool>{true, true, true, false}));
    EXPECT_EQ(std::string(r.MapEdges.begin(), r.MapEdges.end()), "NbbbWbbbEbbS");
    ASSERT_EQ(RegistrationPoints.size(), 2u);
    EXPECT_EQ(RegistrationPoints[0].CoordB, 12.5);
    EXPECT_EQ(RegistrationPoints[0].CoordA, 48.25);
    EXPECT_EQ(RegistrationPoints[0].X, 100);
    EXPECT_EQ(RegistrationPoints[1].Y, -7);
    EXPECT_EQ(P.RegisteredDataRichEdit,
              (std::vector<std::string>{"12.548.25100200", "-3.751E-50-7"}));
    EXPECT_EQ(P.RIHDISMemo, (std::vector<std::string>{"olinda_a.dis", "olinda_b.dis"}));
}

// One line of the reset golden replaced: the control's text and the record's copy by kind.
TEST_F(DIHFile, EachLineKindReadsByItsOwnRule) {
    const struct {
        int line;
        std::string text;
        F field;
        std::string control;
        std::function<bool()> record;
    } cases[] = {
        {2, std::string(300, 'n'), F::RIHHeaderFileEdit, std::string(300, 'n'),
         [] { return DIHRecord.HeaderFileName == std::string(255, 'n'); }},
        {117, "Geo", F::ProjectionEdit, "Geo",
         [] { return DIHRecord.Geographic == 0 && DIHRecord.UnitsCode == 4; }},
        {117, "UTM", F::ProjectionEdit, "UTM",
         [] { return DIHRecord.Geographic == 1 && DIHRecord.UnitsCode == 2; }},
        {118, "-12", F::UTMZoneEdit, "-12", [] { return DIHRecord.UTMZone == -12; }},
        {118, "12abc", F::UTMZoneEdit, "12abc", [] { return DIHRecord.UTMZone == 0; }},
        {118, "99999999999", F::UTMZoneEdit, "99999999999", [] { return DIHRecord.UTMZone == 0; }},
        {123, "5", F::XUnitsCB, "5", [] { return DIHRecord.XUnits == 5; }},
        {123, "6", F::XUnitsCB, "-1", [] { return DIHRecord.XUnits == -1; }},
        {123, "-1", F::XUnitsCB, "-1", [] { return DIHRecord.XUnits == -1; }},
        {123, "two", F::XUnitsCB, "0", [] { return DIHRecord.XUnits == 0; }},
        {155, "40", F::CatNameEditBox, "40", [] { return DIHRecord.MapCategory == 40; }},
        {128, " 1.5E3", F::XMinEdit, " 1.5E3", [] { return DIHRecord.XMin == 1500.0; }},
        {162, "True", F::ProjectionValidCBox, "false", [] { return !DIHRecord.ProjectionValid; }},
        {162, "TRUE", F::ProjectionValidCBox, "false", [] { return !DIHRecord.ProjectionValid; }},
        {162, "true ", F::ProjectionValidCBox, "false", [] { return !DIHRecord.ProjectionValid; }},
        {163, "true", F::NeverProjectedCB, "true", [] { return DIHRecord.NeverProjected; }},
        {194, "59", F::UtmZoneCBOut, "59", [] { return DIHRecord.TargetUTMZone == 60; }},
        {194, "60", F::UtmZoneCBOut, "-1", [] { return DIHRecord.TargetUTMZone == 0; }},
        {202, "1,5", F::SMajorEdit, "1,5", [] { return DIHRecord.ProjectionParameters[1] == 0; }},
        {202, "6378137", F::SMajorEdit, "6378137",
         [] { return DIHRecord.ProjectionParameters[1] == 6378137.0; }},
        {277, "", F::MapEdge1Edit, "", [] { return DIHRecord.MapEdges[0] == '\0'; }},
        {277, "xyz", F::MapEdge1Edit, "xyz", [] { return DIHRecord.MapEdges[0] == 'x'; }},
    };
    for (const auto& c : cases) {
        DIHRecord = TDIHRecord();
        P.RIHOpenRIHHeader(Variant("reset.dih", {{c.line, c.text}}));
        EXPECT_EQ(P[c.field], c.control) << "line " << c.line << " '" << c.text << "'";
        EXPECT_TRUE(c.record()) << "line " << c.line << " '" << c.text << "'";
    }
    EXPECT_TRUE(Rec.Messages.empty() && Rec.ErrorBoxes.empty()) << Rec.Summary();
}

TEST_F(DIHFile, MalformedStrictRealStopsTheReadKeepingTheLinesBeforeIt) {
    P[F::YMaxEdit] = "old";
    P[F::A1Edit] = "old";
    const std::string file = Variant("points.dih", {{130, "1,5"}});
    EXPECT_FALSE(RunGuarded([&] { P.RIHOpenRIHHeader(file); }));
    EXPECT_EQ(Rec.ErrorBoxes,
              std::vector<std::string>{"'1,5' is not a valid floating point value"});
    EXPECT_EQ(P[F::ZUnitsEdit], "m");
    EXPECT_EQ(DIHRecord.XMax, 2.5);
    EXPECT_EQ(P[F::YMinEdit], "1,5");
    EXPECT_EQ(P[F::YMaxEdit], "old");
    EXPECT_EQ(P[F::A1Edit], "old");
    EXPECT_TRUE(RegistrationPoints.empty());
}

TEST_F(DIHFile, TruncatedFileReadsItsMissingLinesAsEmpty) {
    P.RIHOpenRIHHeader(GoldenHeader("points.dih"));
    P.RIHOpenRIHHeader(Variant("points.dih", {}, 200));
    EXPECT_EQ(P[F::UTMZoneNorthCBOut], "false"); // line 200, the last one read
    for (F f : {F::ModeEdit, F::ULCoXEdit, F::RegistrationPointsCountEdit, F::MapEdge1Edit,
                F::RIHNCoFileEdit})
        EXPECT_EQ(P[f], "") << DIHFields[static_cast<size_t>(f)].Name;
    EXPECT_EQ(P[F::CoordinatesValidCBox], "false");
    EXPECT_EQ(DIHRecord.ProjectionParameters[1], 0.0);
    EXPECT_EQ(DIHRecord.MapEdges[0], '\0');
    EXPECT_TRUE(RegistrationPoints.empty());
    EXPECT_TRUE(P.RegisteredDataRichEdit.empty());
    EXPECT_TRUE(P.RIHDISMemo.empty());
    EXPECT_TRUE(Rec.Messages.empty()) << Rec.Summary();

    // Cut before the strict reals, the first empty one stops the read.
    EXPECT_FALSE(RunGuarded([&] { P.RIHOpenRIHHeader(Variant("points.dih", {}, 100)); }));
    EXPECT_EQ(Rec.ErrorBoxes, std::vector<std::string>{"'' is not a valid floating point value"});
}

TEST_F(DIHFile, FirstLineMustBeTheVersionExactly) {
    P.RIHOpenRIHHeader(GoldenHeader("points.dih"));
    for (const char* first : {"dih 1.1", "DIH 1.1 ", "DIH 1.0", ""}) {
        Rec.Clear();
        P.RIHOpenRIHHeader(Variant("reset.dih", {{1, first}}));
        EXPECT_TRUE(Rec.Shown(39994)) << first;
        EXPECT_EQ(P[F::RIHHeaderFileEdit], "olinda.dih") << first;
        EXPECT_EQ(RegistrationPoints.size(), 2u) << first;
    }
    Rec.Clear();
    P.RIHOpenRIHHeader(Dir.File("missing.dih"));
    EXPECT_TRUE(Rec.Messages.empty());
    EXPECT_EQ(P[F::RIHHeaderFileEdit], "olinda.dih");

    WriteFileAtomic(Dir.File("only.dih"), std::string("DIH 1.1\r\n"),
                    TReplaceLeave::Chosen(Dir.File("only.dih")));
    P[F::RIHIDEdit] = "NA";
    DIHRecord.Version.clear();
    P.RIHOpenRIHHeader(Dir.File("only.dih"));
    EXPECT_EQ(P[F::RIHIDEdit], "DIH 1.1");
    EXPECT_EQ(DIHRecord.Version, "DIH 1.1");
    EXPECT_EQ(P[F::RIHHeaderFileEdit], "olinda.dih");
}

// A count that is negative or claims more blocks than the file holds reads no blocks: the
// fixed lines after it stay where they are.
TEST_F(DIHFile, PointCountIsCheckedAgainstTheFile) {
    const struct {
        const char* count;
        bool message;
    } cases[] = {
        {"-1", true}, {"2147483647", true}, {"99999999999999999999", false}, {"abc", false}};
    for (const auto& c : cases) {
        Rec.Clear();
        P.RIHOpenRIHHeader(Variant("reset.dih", {{273, c.count}, {274, "true"}, {289, "n.dih"}}));
        EXPECT_EQ(Rec.Shown(39976), c.message) << c.count;
        EXPECT_TRUE(RegistrationPoints.empty()) << c.count;
        EXPECT_EQ(DIHRecord.RegistrationPointCount, 0) << c.count;
        EXPECT_EQ(P[F::CoLocatedDataCBox], "true") << c.count;
        EXPECT_EQ(P[F::RIHNCoFileEdit], "n.dih") << c.count;
        // Saved again, the count line says what follows and the file reads back whole.
        P[F::RIHHeaderFileEdit] = "again.dih";
        P.RIHSaveIt();
        EXPECT_EQ(FileLines(Dir.File("again.dih"))[272], "0") << c.count;
    }
}

TEST_F(DIHFile, ResetEmptiesThePointsSoNoStaleBlockShiftsTheSavedLines) {
    P.RIHOpenRIHHeader(Variant("points.dih", {}));
    P.ClearRIH();
    P[F::RIHHeaderFileEdit] = "scene.dih";
    // A cleared page holds no file: the save asks where to put it.
    Rec.FileAnswers = {Dir.File("scene.dih")};
    P.RIHSaveIt();
    ASSERT_EQ(Rec.FileRequests.size(), 1u);
    EXPECT_EQ(FileText(Dir.File("scene.dih")), FileText(GoldenHeader("reset.dih")));
    EXPECT_EQ(DIHRecord.RegistrationPointCount, 0);
}

TEST_F(DIHFile, SaveWritesOnlyDIHNamesAndOnlyIntoThePagesFolder) {
    MakeDirectories(Dir.File("pictures/"));
    P.DIHFolder = Dir.File("pictures/");
    // A name with a folder part is refused with a message: it used to be cut down to its last
    // part without a word, so the header went where the user had not said. A name that is no
    // DIH's is refused as the DIS page refuses one: the Save used to do nothing and say nothing.
    const struct {
        const char* name;
        const char* written; // nullptr: nothing
        int refusal;
    } cases[] = {{"Scene.DIH", "pictures/Scene.DIH", 0},
                 {"../escape.dih", nullptr, 39953},
                 {"/elsewhere/abs.dih", nullptr, 39953},
                 {"scene.txt", nullptr, 39997},
                 {"", nullptr, 39997}};
    for (const auto& c : cases) {
        Rec.Clear();
        P[F::RIHHeaderFileEdit] = c.name;
        EXPECT_EQ(P.RIHSaveIt(), c.written != nullptr) << c.name;
        if (c.written) {
            EXPECT_EQ(FileLines(Dir.File(c.written)).size(), 296u) << c.name;
        }
        ASSERT_EQ(Rec.Messages.size(), c.refusal ? 1u : 0u) << c.name;
        if (c.refusal == 39953) {
            EXPECT_EQ(Rec.Messages[0].Text,
                      "File name holds a folder: nothing written\r\n" + std::string(c.name));
        } else if (c.refusal) {
            EXPECT_EQ(Rec.Messages[0].Text, "NO HDR FILE NAME!?!") << c.name;
        }
    }
    EXPECT_FALSE(FileExists(Dir.File("escape.dih")));
    EXPECT_FALSE(FileExists(Dir.File("pictures/escape.dih")));
    EXPECT_FALSE(FileExists(Dir.File("pictures/abs.dih")));
    EXPECT_FALSE(FileExists(Dir.File("pictures/scene.txt")));
}

} // namespace
