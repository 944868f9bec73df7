// Foreign headers into the DIH page: the hand-made FST, DDR, IDX and radar fixtures of
// tests/data/headers/foreign, their truncated and malformed variants, and the import dispatch.
#include "HeaderFixture.h"
#include "import/vForeignHeaders.h"

#include <fstream>

namespace {

using F = DIHField;

std::string Foreign(const std::string& name) {
    return GoldenHeader("foreign/" + name);
}

struct Expect {
    F Field;
    const char* Value;
};

class ForeignHeaders : public HeaderTest {
  protected:
    void ExpectFields(std::initializer_list<Expect> table) {
        for (const Expect& e : table)
            EXPECT_EQ(P[e.Field], e.Value) << RowOf(e.Field).Name;
    }
    // The fixture with its text changed, written into the test folder under `name`.
    std::string Changed(const std::string& golden, const std::string& name, const std::string& from,
                        const std::string& to) {
        std::string text = FileText(Foreign(golden));
        const size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        if (at != std::string::npos) text.replace(at, from.size(), to);
        const std::string path = Dir.File(name);
        WriteFileAtomic(path, text);
        return path;
    }
    std::string Cut(const std::string& golden, const std::string& name, size_t bytes) {
        const std::string path = Dir.File(name);
        WriteFileAtomic(path, FileText(Foreign(golden)).substr(0, bytes));
        return path;
    }
};

TEST_F(ForeignHeaders, FSTFillsTheDIHPage) {
    ASSERT_TRUE(RIHOpenFSTHeader(P, Foreign("scene.fst"))) << Rec.Summary();
    ExpectFields({
        {F::RIHIDEdit, "DIH 1.1"},
        {F::RIHProjectData, "P0123456-OLINDA"},
        {F::RIHPath, "214"},
        {F::RIHStartRow, "066"},
        {F::RIHAcquiredEdit, "20000807"},
        {F::RIHImageTypeEdit, "LANDSAT7"},
        {F::RIHSensorType, "ETM+"},
        {F::RIHSensorModeEdit, "NORMAL"},
        {F::RIHLookAngleEdit, "0.00"},
        {F::ProductTypeEdit, "MAP ORIENT"},
        {F::PreProcessingEdit, "SYSTEMATIC"},
        {F::ResamplingTechniqueEdit, "CC"},
        {F::RIHVolumeEdit, "01"},
        {F::RIHinSetEdit, "02"},
        {F::RIHIW, "349"},
        {F::RIHLC, "1"},
        {F::RIHRC, "349"},
        {F::RIHinLine, "349"},
        {F::RIHIH, "352"},
        {F::RIHinColumn, "352"},
        {F::RIHTR, "1"},
        {F::RIHBR, "352"},
        {F::RIHBlockEdit, "1"},
        {F::RIHRecordSizeEdit, "349"},
        {F::PixelXSizeEdit, "28.50"},
        {F::PixelYSizeEdit, "28.50"},
        {F::RIHSwathHeightRezEdit, "28.50"},
        {F::RIHSwathWidthRezEdit, "28.50"},
        {F::RIHCurrentBitsEdit, "8"},
        {F::RIHAcquiredBitsEdit, "8"},
        {F::RIHNBEdit, "6"},
        {F::RIHBFName1, "olinda_b1.raw"},
        {F::RIHBFName5, "olinda_b5.raw"},
        {F::RIHBFName7, "olinda_b6.raw"},
        {F::RIHBFName8, "NA"},
        {F::RevEdit, "NLAPS 2.1.0"},
        {F::RIHGain1, "-6.199999809265137"},
        {F::RIHBias1, "0.775686297697179"},
        {F::RIHGain7, "-0.349999994039536"},
        {F::RIHBias7, "0.043725490196078"},
        {F::RIHGain6L, "0"},
        {F::ProjectionEdit, "UTM"},
        {F::SpheroidEdit, "GRS80"},
        {F::DatumEdit, "WGS84"},
        {F::A1Edit, "6378137.0000000000"},
        {F::A2Edit, "6356752.3141403561"},
        {F::E3Edit, "0.0000000000000000"},
        {F::UTMZoneEdit, "-25"},
        {F::ULLongitudeEdit, "-34.91616667"},
        {F::ULLatitudeEdit, "-7.94982222"},
        {F::ULCoXEdit, "288776.250"},
        {F::ULCoYEdit, "9120760.750"},
        {F::LRCoXEdit, "298722.750"},
        {F::LLLatitudeEdit, "-8.04051667"},
        {F::CenCoYEdit, "9115744.750"},
        {F::CenCoPixXEdit, "175"},
        {F::CenCoPixYEdit, "176"},
        {F::RIHOffsetEdit, "0"},
        {F::RIHOrientationAngleEdit, "0.00"},
        {F::RIHSunElevationAngleEdit, "52.3"},
        {F::RIHSunAzimuthAngleEdit, "61.2"},
    });
}

TEST_F(ForeignHeaders, FSTBandsPresentChooseSlotsAndGains) {
    const struct {
        const char* Bands;
        const char* Count;
        std::vector<Expect> Filled;
        std::vector<F> Untouched;
    } table[] = {
        {"8      ",
         "1",
         {{F::RIHBFName8, "olinda_b1.raw"},
          {F::RIHGain8, "-6.199999809265137"},
          {F::RIHBias8, "0.775686297697179"}},
         {F::RIHBFName1, F::RIHBFName3, F::RIHGain1, F::RIHBFName6L}},
        {"LH     ",
         "2",
         {{F::RIHBFName6L, "olinda_b1.raw"},
          {F::RIHBFName6H, "olinda_b2.raw"},
          {F::RIHGain6L, "-6.199999809265137"},
          {F::RIHBias6H, "0.795686274883794"}},
         {F::RIHBFName1, F::RIHBFName3, F::RIHGain1, F::RIHBFName8}},
    };
    for (const auto& row : table) {
        P = THeaderPages();
        const std::string path = Changed("scene.fst", "bands.fst", "123457 ", row.Bands);
        ASSERT_TRUE(RIHOpenFSTHeader(P, path)) << row.Bands;
        EXPECT_EQ(P[F::RIHNBEdit], row.Count);
        for (const Expect& e : row.Filled)
            EXPECT_EQ(P[e.Field], e.Value) << row.Bands << " " << RowOf(e.Field).Name;
        for (F f : row.Untouched)
            EXPECT_EQ(P[f], RowOf(f).Reset) << row.Bands << " " << RowOf(f).Name;
        // The projection after the gains is found whatever the number of pairs.
        EXPECT_EQ(P[F::UTMZoneEdit], "-25");
    }
}

TEST_F(ForeignHeaders, FSTFirstLineShiftsTheBottomRow) {
    const std::string path =
        Changed("scene.fst", "start.fst", "START LINE =      ", "START LINE =10    ");
    ASSERT_TRUE(RIHOpenFSTHeader(P, path));
    EXPECT_EQ(P[F::RIHTR], "10");
    EXPECT_EQ(P[F::RIHBR], "362");
}

TEST_F(ForeignHeaders, DDRFillsTheDIHPage) {
    ASSERT_TRUE(RIHOpenDDRHeader(P, Foreign("scene.ddr"))) << Rec.Summary();
    ExpectFields({
        {F::RIHIDEdit, "DIH 1.1"},
        {F::RIHRIHEdit, "scene.ddr"},
        {F::RIHHeaderFileEdit, "scene.dih"},
        {F::RIHSceneTitle, "Olinda subset"},
        {F::RIHPath, "214"},
        {F::RIHStartRow, "066"},
        {F::RIHAcquiredEdit, "000807"},
        {F::ColumnXEdit, "349"},
        {F::RIHRC, "349"},
        {F::RIHIW, "349"},
        {F::RIHinLine, "349"},
        {F::RIHLC, "1"},
        {F::RowsYEdit, "352"},
        {F::RIHBR, "352"},
        {F::RIHTR, "1"},
        {F::RIHNBEdit, "6"},
        {F::ImageLatLongorUTMEdit, "UTM ZONE 25 SOUTH"},
        {F::ProjectionValidCBox, "true"}, // the second flag decides
        {F::UTMZoneEdit, "25"},
        {F::DatumEdit, "23"},
        {F::A1Edit, "1.1"},
        {F::B2Edit, "2.2"},
        {F::E3Edit, "5.3"},
        {F::CoordinatesValidCBox, "true"},
        {F::ULLongitudeEdit, "-34.916"},
        {F::ULLatitudeEdit, "-7.949"},
        {F::LLLatitudeEdit, "-8.040"},
        {F::LRLongitudeEdit, "-34.826"},
        {F::LeftX1Edit, "-34.916"},
        {F::TopY1Edit, "-7.949"},
        {F::RightX2Edit, "-34.826"},
        {F::BottomY2Edit, "-8.041"},
        {F::PixelXSizeEdit, "28.5"},
        {F::PixelYSizeEdit, "28.5"},
        {F::DDDMSGridUnitEdit, "METERS"},
        {F::RIHDataSource, "INPE"},
        {F::RIHSensorType, "ETM+"},
    });
}

TEST_F(ForeignHeaders, IDXFillsBoundsAndBands) {
    ASSERT_TRUE(RIHOpenIDXHeader(P, Foreign("scene.idx"))) << Rec.Summary();
    ExpectFields({
        {F::RIHRIHEdit, "scene.idx"},
        {F::RIHSceneTitle, "Olinda subset"},
        {F::RIHLC, "00001"},
        {F::RIHRC, "00512"},
        {F::RIHTR, "00001"},
        {F::RIHBR, "00480"},
        {F::RIHIW, "512"},
        {F::RIHinLine, "512"},
        {F::RIHIH, "480"},
        {F::RIHinColumn, "480"},
        {F::RIHNBEdit, "3"},
        {F::RIHBName1, "Blue"},
        {F::RIHBFName3, "olinda_b3.raw"},
        {F::RIHBName4, "NA"},
    });
    EXPECT_EQ(SubsetBounds.SubsetLeft, 1);
    EXPECT_EQ(SubsetBounds.SubsetRight, 512);
    EXPECT_EQ(SubsetBounds.SubsetTop, 1);
    EXPECT_EQ(SubsetBounds.SubsetBottom, 480);
}

TEST_F(ForeignHeaders, RadarRecordFieldsAtTheirOffsets) {
    ASSERT_TRUE(RIHOpenDATHeader(P, Foreign("radar.dat"))) << Rec.Summary();
    ExpectFields({
        {F::RIHIDEdit, "DIH 1.1"},
        {F::RIHImageTypeEdit, "SLAR"},
        {F::RIHSensorType, "SLAR"},
        {F::RIHinLine, "4224"},
        {F::RIHLC, "65"},
        {F::RIHIW, "4096"},
        {F::RIHRC, "4160"},
        {F::RIHinColumn, "481"},
        {F::RIHBR, "481"},
        {F::RIHTR, "2"},
        {F::RIHIH, "480"},
        {F::RIHBlockEdit, "1"},
        {F::RIHDataSource, "AIRBORNE RADAR"},
        {F::RIHProjectRollFrameEdit, "PRJ1ROL2FRM3"},
        {F::RIHVolumeEdit, "ROL2"},
        {F::RIHinSetEdit, "FRM3"},
        {F::RIHProducedEdit, "19990101"},
        {F::RIHAcquiredEdit, "19981231"},
        {F::RIHRangeEdit, "20"},
        {F::RIHDirectionEdit, "E"},
        {F::TopY1Edit, "-7.90"},
        {F::LeftX1Edit, "-34.95"},
        {F::BottomY2Edit, "-8.10"},
        {F::RightX2Edit, "-34.80"},
        {F::RIHBName1, "X-BAND"},
        {F::RIHBSR1, "X-BAND"},
        {F::RIHNBEdit, "1"},
        {F::RIHBFName1, "radar.dat"},
        {F::PolarityEdit, "HH"},
        {F::PixelYSizeEdit, "6"},
        {F::PixelXSizeEdit, "3"},
        {F::RIHCurrentBitsEdit, "8"},
        {F::RIHSwathWidthEdit, "25"},
        {F::RIHOffsetEdit, "1250"},
        {F::SensorAltitudeEdit, "9000"},
        {F::RIHOrientationAngleEdit, "90"},
        {F::SignalEdit, "LIN"},
        {F::RIHFlightlineEdit, "12"},
        {F::RIHWeatherEdit, "CLEAR"},
        {F::MapQuadrangleEdit, "OLINDA"},
        {F::ULLatitudeEdit, "-7.91"},
        {F::ULLongitudeEdit, "-34.94"},
        {F::LRLatitudeEdit, "-8.09"},
        {F::LRLongitudeEdit, "-34.81"},
        {F::URLatitudeEdit, "-7.92"},
        {F::URLongitudeEdit, "-34.82"},
        {F::LLLatitudeEdit, "-8.08"},
        {F::LLLongitudeEdit, "-34.93"},
    });
}

// Every short or malformed header: its message, and the page exactly as it was.
TEST_F(ForeignHeaders, DamagedHeadersChangeNothing) {
    using Reader = bool (*)(THeaderPages&, const std::string&);
    const std::string fst = FileText(Foreign("scene.fst"));
    const std::string ddr = FileText(Foreign("scene.ddr"));
    const struct {
        const char* Name;
        Reader Read;
        std::string Path;
        int Message;
    } table[] = {
        {"fst cut in the band names", RIHOpenFSTHeader,
         Cut("scene.fst", "a.fst", fst.find("olinda_b3")), ForeignHeaderDamagedMessage},
        {"fst cut in the gains", RIHOpenFSTHeader, Cut("scene.fst", "b.fst", fst.find("-5.0")),
         ForeignHeaderDamagedMessage},
        {"fst cut before the sun angles", RIHOpenFSTHeader,
         Cut("scene.fst", "c.fst", fst.find("SUN ELEVATION")), ForeignHeaderDamagedMessage},
        {"fst start line not a number", RIHOpenFSTHeader,
         Changed("scene.fst", "d.fst", "START LINE =      ", "START LINE =ab    "),
         ForeignHeaderDamagedMessage},
        {"empty fst", RIHOpenFSTHeader, Cut("scene.fst", "e.fst", 0), ForeignHeaderDamagedMessage},
        {"ddr without its title mark", RIHOpenDDRHeader, Changed("scene.ddr", "a.ddr", "[", "("),
         ForeignHeaderDamagedMessage},
        {"ddr cut in the corners", RIHOpenDDRHeader, Cut("scene.ddr", "b.ddr", ddr.find("-34.825")),
         ForeignHeaderDamagedMessage},
        {"ddr cut before the sensor", RIHOpenDDRHeader, Cut("scene.ddr", "c.ddr", ddr.find("ETM+")),
         ForeignHeaderDamagedMessage},
        {"idx of two lines", RIHOpenIDXHeader, Cut("scene.idx", "a.idx", 28),
         ForeignHeaderDamagedMessage},
        {"idx missing a band's file", RIHOpenIDXHeader,
         Cut("scene.idx", "b.idx", FileText(Foreign("scene.idx")).find("olinda_b3")),
         ForeignHeaderDamagedMessage},
        {"idx band count", RIHOpenIDXHeader,
         Changed("scene.idx", "c.idx", "\r\n3\r\n", "\r\nx\r\n"), 39970},
        {"idx bound", RIHOpenIDXHeader, Changed("scene.idx", "d.idx", "1 512", "1 5z2"), 39971},
        {"idx bound of six digits", RIHOpenIDXHeader,
         Changed("scene.idx", "e.idx", "1 512", "1 512000"), 39971},
        {"dat cut in the record", RIHOpenDATHeader, Cut("radar.dat", "a.dat", 4000),
         ForeignHeaderDamagedMessage},
        {"dat of another kind", RIHOpenDATHeader, Changed("radar.dat", "b.dat", "SLAR", "SAR "),
         39969},
        {"dat record count not a number", RIHOpenDATHeader,
         Changed("radar.dat", "c.dat", "481   ", "4x1   "), ForeignHeaderDamagedMessage},
    };
    for (const auto& row : table) {
        P = THeaderPages();
        P[F::RIHSceneTitle] = "kept";
        SubsetBounds = {7, 8, 9, 10};
        const std::vector<std::string> before = P.DIHLines();
        Rec.Clear();
        EXPECT_FALSE(row.Read(P, row.Path)) << row.Name;
        EXPECT_TRUE(Rec.Shown(row.Message)) << row.Name << ": " << Rec.Summary();
        EXPECT_EQ(P.DIHLines(), before) << row.Name;
        EXPECT_EQ(SubsetBounds.SubsetLeft, 7) << row.Name;
    }
}

class HeaderImportTest : public ForeignHeaders {
  protected:
    std::string Copy(const std::string& name) {
        const std::string path = Dir.File(name);
        WriteFileAtomic(path, FileText(Foreign(name)));
        return path;
    }
};

TEST_F(HeaderImportTest, ReadsByExtensionAndSavesBeside) {
    const std::string path = Copy("scene.ddr");
    ImageDirectory = "/elsewhere/";
    const HeaderImport result = ImportHeaderFile(P, path);
    EXPECT_TRUE(result.Saved);
    EXPECT_TRUE(result.ShowViewer);
    EXPECT_EQ(ImageDirectory, ExtractFilePath(path));
    const std::vector<std::string> saved = FileLines(Dir.File("scene.dih"));
    ASSERT_FALSE(saved.empty());
    EXPECT_EQ(saved, P.DIHLines());
    EXPECT_EQ(P[F::RIHSceneTitle], "Olinda subset");
}

TEST_F(HeaderImportTest, AnExistingDIHIsOfferedFirst) {
    const std::string ddr = Copy("scene.ddr");
    THeaderPages dih;
    dih[F::RIHSceneTitle] = "from the dih";
    dih[F::RIHHeaderFileEdit] = "scene.dih";
    HeaderPages = dih;
    HeaderPages.RIHSaveIt();
    const std::vector<std::string> dihLines = FileLines(Dir.File("scene.dih"));
    const struct {
        MsgButton Answer;
        const char* Title; // "" when nothing was read
        bool Saved;
    } table[] = {
        {MsgButton::Yes, "from the dih", true},
        {MsgButton::No, "Olinda subset", true},
        {MsgButton::Cancel, "", false},
    };
    for (const auto& row : table) {
        WriteFileAtomic(Dir.File("scene.dih"), JoinLinesCRLF(dihLines));
        P = THeaderPages();
        Rec.Clear();
        Rec.MessageAnswers = {row.Answer};
        const HeaderImport result = ImportHeaderFile(P, ddr);
        ASSERT_EQ(Rec.Messages.size(), 1u);
        EXPECT_EQ(Rec.Messages[0].Kind, MsgKind::Confirmation);
        EXPECT_EQ(Rec.Messages[0].Text, "a DIH Header exists, use+append+overwrite instead?");
        EXPECT_EQ(result.Saved, row.Saved);
        EXPECT_EQ(P[F::RIHSceneTitle], *row.Title ? row.Title : "NA");
        if (!row.Saved) {
            EXPECT_EQ(FileLines(Dir.File("scene.dih")), dihLines);
        }
    }
}

TEST_F(HeaderImportTest, FailedOrUnknownReadSavesNothing) {
    const struct {
        const char* Name;
        const char* Content;
        int Message;
    } table[] = {
        {"scene.xyz", "anything", 39968},
        {"short.fst", "PRODUCT =P1", ForeignHeaderDamagedMessage},
        {"notradar.dat", "SAR radar", 39969},
        {"plain.dih", "not a header", 39994},
    };
    for (const auto& row : table) {
        Rec.Clear();
        P[F::RIHSceneTitle] = "stale";
        const std::string path = Dir.File(row.Name);
        WriteFileAtomic(path, std::string(row.Content));
        EXPECT_FALSE(ImportHeaderFile(P, path).Saved) << row.Name;
        EXPECT_TRUE(Rec.Shown(row.Message)) << row.Name << ": " << Rec.Summary();
        EXPECT_FALSE(FileExists(ChangeFileExt(path, ".dih")) &&
                     std::string(row.Name) != "plain.dih")
            << row.Name;
        EXPECT_EQ(P[F::RIHSceneTitle], "stale") << row.Name;
    }
}

TEST_F(HeaderImportTest, TextHeaderResetsThePageAndShowsIt) {
    P[F::RIHSceneTitle] = "stale";
    const std::string path = Dir.File("notes.TXT");
    WriteFileAtomic(path, std::string("free text\r\n"));
    const HeaderImport result = ImportHeaderFile(P, path);
    EXPECT_TRUE(result.Saved);
    EXPECT_TRUE(result.ShowViewer);
    EXPECT_EQ(P[F::RIHSceneTitle], "NA");
    EXPECT_TRUE(FileExists(Dir.File("notes.dih")));
}

} // namespace
