// Foreign headers into the DIH page: the hand-made FST, DDR, IDX and radar fixtures of
// tests/data/headers/foreign, their truncated and malformed variants, and the import dispatch.
#include "HeaderFixture.h"
#include "import/vBandFiles.h"
#include "import/vForeignHeaders.h"
#include "import/vSceneProjection.h"

#include <algorithm>
#include <array>

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
    // The fixture with its text changed, written into the test folder under `name`.
    std::string Changed(const std::string& golden, const std::string& name, const std::string& from,
                        const std::string& to) {
        std::string text = FileText(Foreign(golden));
        const size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        if (at != std::string::npos) text.replace(at, from.size(), to);
        const std::string path = Dir.File(name);
        WriteFileAtomic(path, text, TReplaceLeave::Chosen(path));
        return path;
    }
    std::string Cut(const std::string& golden, const std::string& name, size_t bytes) {
        const std::string path = Dir.File(name);
        WriteFileAtomic(path, FileText(Foreign(golden)).substr(0, bytes),
                        TReplaceLeave::Chosen(path));
        return path;
    }
};

// Each fixture against its hand-written list of fields (control name, a bar, the value).
TEST_F(ForeignHeaders, EachKindFillsItsFields) {
    using Reader = bool (*)(THeaderPages&, const std::string&);
    const struct {
        const char* Fixture;
        Reader Read;
    } table[] = {{"scene.fst", RIHOpenFSTHeader},
                 {"scene.ddr", RIHOpenDDRHeader},
                 {"scene.idx", RIHOpenIDXHeader},
                 {"radar.dat", RIHOpenDATHeader}};
    for (const auto& row : table) {
        P = THeaderPages();
        ASSERT_TRUE(row.Read(P, Foreign(row.Fixture))) << row.Fixture << Rec.Summary();
        const std::vector<std::string> expected =
            FileLines(Foreign(std::string(row.Fixture) + ".fields"));
        EXPECT_GT(expected.size(), 10u);
        for (const std::string& line : expected) {
            const size_t bar = line.find('|');
            const std::string name = line.substr(0, bar);
            const auto at = std::find_if(DIHFields.begin(), DIHFields.end(),
                                         [&name](const DIHFieldRow& r) { return name == r.Name; });
            ASSERT_NE(at, DIHFields.end()) << name;
            EXPECT_EQ(P[static_cast<F>(at - DIHFields.begin())], line.substr(bar + 1))
                << row.Fixture << " " << name;
        }
    }
    // The IDX bounds are also the chosen subset.
    const TSubsetBounds& b = SubsetBounds;
    EXPECT_EQ((std::array{b.SubsetLeft, b.SubsetRight, b.SubsetTop, b.SubsetBottom}),
              (std::array{1, 512, 1, 480}));
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
        {"idx columns the wrong way round", RIHOpenIDXHeader,
         Changed("scene.idx", "f.idx", "1 512 1 480", "512 1 1 480"), BandSizeMessage},
        {"idx rows the wrong way round", RIHOpenIDXHeader,
         Changed("scene.idx", "g.idx", "1 512 1 480", "1 512 480 1"), BandSizeMessage},
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
        WriteFileAtomic(path, FileText(Foreign(name)), TReplaceLeave::Chosen(path));
        return path;
    }
};

// Every kind of foreign header, reals written with a D exponent among them: the DIH the import
// saves reads back with every value it holds, the D reals as the numbers they stand for. A real
// no reader takes, or a value with a line break in it, refuses the import and saves nothing.
TEST_F(HeaderImportTest, SavedDIHReadsBackWithEveryValue) {
    const struct {
        const char* Name;
        std::string Path;
        double A1; // the first projection parameter as the record reads it
    } saved[] = {
        {"fst", Copy("scene.fst"), 6378137.0},
        {"fst, D exponents",
         Changed("scene.fst", "d.fst", "6378137.0000000000 6356752.3141403561",
                 "1.5000000000D+00   -2.500000000d-03  "),
         1.5},
        {"ddr, D exponent",
         Changed("scene.ddr", "d.ddr", "1.1                    ", "6.378137D+06           "),
         6378137.0},
        {"idx", Copy("scene.idx"), 0.0},
        {"dat", Copy("radar.dat"), 0.0},
    };
    for (const auto& row : saved) {
        SCOPED_TRACE(row.Name);
        P = THeaderPages();
        Rec.Clear();
        std::remove(ChangeFileExt(row.Path, ".dih").c_str()); // an earlier row's, same name
        ASSERT_TRUE(ImportHeaderFile(P, row.Path).Saved) << Rec.Summary();
        THeaderPages back;
        ASSERT_TRUE(back.RIHOpenRIHHeader(ChangeFileExt(row.Path, ".dih")));
        for (size_t i = 0; i < DIHFieldCount; ++i)
            EXPECT_EQ(back[static_cast<F>(i)], P[static_cast<F>(i)]) << DIHFields[i].Name;
        EXPECT_EQ(DIHRecord.Affine[0], row.A1);
        EXPECT_TRUE(Rec.Messages.empty()) << Rec.Summary();
    }
    // A corner in D form, on a line that reads as 0 when it is no number.
    P = THeaderPages();
    const std::string corner =
        Changed("scene.fst", "corner.fst", "UL =-34.91616667  ", "UL =-3.4916167D+01");
    ASSERT_TRUE(ImportHeaderFile(P, corner).Saved) << Rec.Summary();
    EXPECT_EQ(P[F::ULLongitudeEdit], "-3.4916167E+01");
    THeaderPages back;
    ASSERT_TRUE(back.RIHOpenRIHHeader(ChangeFileExt(corner, ".dih")));
    EXPECT_EQ(DIHRecord.ULLongitude, -34.916167);
    // A corner's map X in D form, on a whole-number line: the scene's grid reads its number.
    P = THeaderPages();
    const std::string mapX = Changed("scene.fst", "mapx.fst", "288776.250    ", "2.8877625D+05 ");
    ASSERT_TRUE(ImportHeaderFile(P, mapX).Saved) << Rec.Summary();
    EXPECT_EQ(P[F::ULCoXEdit], "288776.25");
    ASSERT_TRUE(back.RIHOpenRIHHeader(ChangeFileExt(mapX, ".dih")));
    SceneGrid grid;
    ASSERT_TRUE(SceneGrid::FromPages(back, grid));
    EXPECT_EQ(grid.ULX, 288776.25);

    std::string cut = FileText(Foreign("radar.dat"));
    cut[170] = '\n'; // inside the weather field
    WriteFileAtomic(Dir.File("broken.dat"), cut, TReplaceLeave::Chosen(Dir.File("broken.dat")));
    const std::string refused[] = {
        Changed("scene.fst", "x.fst", "6378137.0000000000", "6378137.000000D+0x"),
        Changed("scene.ddr", "x.ddr", "1.1                    ", "1.1D                   "),
        Dir.File("broken.dat"),
    };
    for (const std::string& path : refused) {
        SCOPED_TRACE(path);
        P = THeaderPages();
        P[F::RIHSceneTitle] = "kept";
        Rec.Clear();
        EXPECT_FALSE(ImportHeaderFile(P, path).Saved);
        EXPECT_TRUE(Rec.Shown(ForeignHeaderDamagedMessage)) << Rec.Summary();
        EXPECT_FALSE(FileExists(ChangeFileExt(path, ".dih")));
        EXPECT_EQ(P[F::RIHSceneTitle], "kept");
    }
}

// A known header, or any text, is read by its extension and saved as a DIH beside it.
TEST_F(HeaderImportTest, ReadsByExtensionAndSavesBeside) {
    WriteFileAtomic(Dir.File("notes.TXT"), std::string("free text\r\n"),
                    TReplaceLeave::Chosen(Dir.File("notes.TXT")));
    const struct {
        std::string Path;
        const char* Title;
    } table[] = {{Copy("scene.ddr"), "Olinda subset"}, {Dir.File("notes.TXT"), "NA"}};
    for (const auto& row : table) {
        P[F::RIHSceneTitle] = "stale";
        ImageDirectory = "/elsewhere/";
        const HeaderImport result = ImportHeaderFile(P, row.Path);
        EXPECT_TRUE(result.Saved && result.ShowViewer) << row.Path;
        EXPECT_EQ(ImageDirectory, ExtractFilePath(row.Path));
        EXPECT_EQ(FileLines(ChangeFileExt(row.Path, ".dih")), P.DIHLines());
        EXPECT_EQ(P[F::RIHSceneTitle], row.Title);
    }
}

TEST_F(HeaderImportTest, AnExistingDIHIsOfferedFirst) {
    const std::string ddr = Copy("scene.ddr");
    THeaderPages dih;
    dih[F::RIHSceneTitle] = "from the dih";
    dih[F::RIHHeaderFileEdit] = "scene.dih";
    dih.DIHFolder = Dir.Path();
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
        WriteFileAtomic(Dir.File("scene.dih"), JoinLinesCRLF(dihLines),
                        TReplaceLeave::Chosen(Dir.File("scene.dih")));
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
        WriteFileAtomic(path, std::string(row.Content), TReplaceLeave::Chosen(path));
        EXPECT_FALSE(ImportHeaderFile(P, path).Saved) << row.Name;
        EXPECT_TRUE(Rec.Shown(row.Message)) << row.Name << ": " << Rec.Summary();
        EXPECT_FALSE(FileExists(ChangeFileExt(path, ".dih")) &&
                     std::string(row.Name) != "plain.dih")
            << row.Name;
        EXPECT_EQ(P[F::RIHSceneTitle], "stale") << row.Name;
    }
}

} // namespace
