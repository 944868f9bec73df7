// Band-file splitting and cropping: small hand-made files whose expected bands are written out
// below byte by byte, the generated NALC sampler, and the Landsat scene of tests/data/bands.
#include "import/vBandImport.h"

#include "import/HeaderFixture.h"
#include "runtime/RtErrors.h"

#include <filesystem>

namespace {

using Bytes = std::vector<uint8_t>;

void WriteBytes(const std::string& path, const Bytes& b) {
    ASSERT_TRUE(WriteFileAtomic(path, b));
}

std::vector<std::string> FolderNames(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string BandData(const std::string& name) {
    return TestData("bands/") + name;
}

// The Olinda scene and its six raw bands.
std::string Olinda(const std::string& name) {
    return TestData("landsat7-olinda/") + name;
}

class BandFilesTest : public HeaderTest {};

struct RawCase {
    const char* Name;
    TRawSplit Split;
    Bytes Input;
    std::vector<Bytes> Bands;
};

// 2 x 1 pixels, two bands. 16-bit samples little-endian unless swapped: -2 (FE FF), 0, 1000
// (E8 03) and 32767 (FF 7F); the reduction stretches -2..32767 over 0..255.
const RawCase RawCases[] = {
    {"eight bit after a 3-byte header",
     {2, 2, 2, 3},
     {9, 9, 9, 1, 2, 3, 4, 5, 6, 7, 8, 0xEE},
     {{1, 2, 3, 4}, {5, 6, 7, 8}}},
    {"odd header skipped whole in 16 bits",
     {2, 1, 2, 1, true},
     {0xAA, 0xFE, 0xFF, 0x00, 0x00, 0xE8, 0x03, 0xFF, 0x7F},
     {{0xFE, 0xFF, 0x00, 0x00}, {0xE8, 0x03, 0xFF, 0x7F}}},
    {"16 bits swapped",
     {2, 1, 2, 0, true, false, true},
     {0xFE, 0xFF, 0x00, 0x00, 0xE8, 0x03, 0xFF, 0x7F},
     {{0xFF, 0xFE, 0x00, 0x00}, {0x03, 0xE8, 0x7F, 0xFF}}},
    {"16 bits reduced with negatives",
     {2, 1, 2, 0, true, true},
     {0xFE, 0xFF, 0x00, 0x00, 0xE8, 0x03, 0xFF, 0x7F},
     {{0, 0}, {8, 255}}},
    {"16 bits big-endian reduced",
     {2, 1, 2, 0, true, true, true},
     {0xFF, 0xFE, 0x00, 0x00, 0x03, 0xE8, 0x7F, 0xFF},
     {{0, 0}, {8, 255}}},
    {"all samples equal reduce to 0",
     {1, 1, 2, 0, true, true},
     {0x05, 0x00, 0x05, 0x00},
     {{0}, {0}}},
};

TEST_F(BandFilesTest, RawSplitGivesTheHandWrittenBands) {
    for (const RawCase& c : RawCases) {
        SCOPED_TRACE(c.Name);
        TempDir dir;
        const std::string input = dir.File("scene.raw");
        WriteBytes(input, c.Input);
        ASSERT_EQ(RawSplitScene(input, c.Split), 0);
        for (size_t b = 0; b < c.Bands.size(); ++b)
            EXPECT_EQ(FileBytes(dir.File("scene.B" + std::to_string(b + 1))), c.Bands[b]);
        EXPECT_EQ(HeaderPages[DIHField::RIHBFName1], "scene.B1");
        EXPECT_EQ(HeaderPages[DIHField::RIHBFName2], "scene.B2");
        EXPECT_EQ(HeaderPages[DIHField::RIHNBEdit], "2");
        EXPECT_EQ(HeaderPages.DISProcessMemo, (std::vector<std::string>{"scene.B1", "scene.B2"}));
        EXPECT_EQ(FolderNames(dir.Path()),
                  (std::vector<std::string>{"scene.B1", "scene.B2", "scene.dih", "scene.dis",
                                            "scene.raw"}));
    }
}

TEST_F(BandFilesTest, RawSplitRefusesSizesTheFileCannotHold) {
    struct Case {
        const char* Name;
        TRawSplit Split;
    };
    // The file holds 12 bytes.
    const Case cases[] = {
        {"zero width", {0, 2, 2, 0}},
        {"zero height", {2, 0, 2, 0}},
        {"zero bands", {2, 2, 0, 0}},
        {"negative skip", {2, 2, 2, -1}},
        {"width past 32767", {32768, 1, 1, 0}},
        {"one byte short", {2, 2, 3, 1}},
        {"16 bits twice as long", {2, 2, 2, 0, true}},
        {"huge product", {32767, 32767, 32767, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TempDir dir;
        WriteBytes(dir.File("scene.raw"), Bytes(12, 7));
        EXPECT_EQ(RawSplitScene(dir.File("scene.raw"), c.Split), BandSizeMessage);
        EXPECT_EQ(FolderNames(dir.Path()), std::vector<std::string>{"scene.raw"});
    }
}

TEST_F(BandFilesTest, ReduceSampleStretchesAndRoundsHalvesToEven) {
    struct Case {
        int32_t S, Lo, Hi;
        uint8_t Want;
    };
    const Case cases[] = {
        {-100, -100, 100, 0}, {100, -100, 100, 255}, {0, -100, 100, 128}, // 127.5 -> 128
        {1, 0, 2, 128},       {1, 0, 6, 42},         {3, 0, 6, 128},      // 42.5 -> 42, 127.5
        {7, 7, 7, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReduceSample(c.S, c.Lo, c.Hi), c.Want) << c.S << " in " << c.Lo << ".." << c.Hi;
}

TEST_F(BandFilesTest, NalcSplitsFiveBandsIntoTheirSlots) {
    TempDir dir;
    const std::string input = dir.File("nalc.IMG");
    Bytes file(static_cast<size_t>(NalcFileBytes));
    for (size_t i = 0; i < file.size(); ++i)
        file[i] = static_cast<uint8_t>(i / (NalcSide * NalcSide) * 40 + i % 7);
    WriteBytes(input, file);
    ASSERT_EQ(NalcSplitScene(input), 0);
    const char* exts[] = {".BN2", ".BN3", ".BN4", ".BN5", ".BNx"};
    for (size_t b = 0; b < 5; ++b) {
        SCOPED_TRACE(exts[b]);
        const Bytes band = FileBytes(ChangeFileExt(input, exts[b]));
        ASSERT_EQ(band.size(), size_t{NalcSide} * NalcSide);
        EXPECT_EQ(band.front(), b * 40 + (b * NalcSide * NalcSide) % 7);
        EXPECT_EQ(band.back(), b * 40 + ((b + 1) * NalcSide * NalcSide - 1) % 7);
    }
    EXPECT_EQ(HeaderPages[DIHField::RIHBFName1], "NA");
    EXPECT_EQ(HeaderPages[DIHField::RIHBFName2], "nalc.BN2");
    EXPECT_EQ(HeaderPages[DIHField::RIHBFName5], "nalc.BN5");
    EXPECT_EQ(HeaderPages.DISProcessMemo.size(), 5u);
    EXPECT_EQ(HeaderPages[DIHField::RIHRC], "1300");
    EXPECT_EQ(HeaderPages[DIHField::RIHNBEdit], "5");

    TempDir shortDir;
    WriteBytes(shortDir.File("nalc.IMG"), Bytes(static_cast<size_t>(NalcFileBytes - 1)));
    EXPECT_EQ(NalcSplitScene(shortDir.File("nalc.IMG")), BandSizeMessage);
    EXPECT_EQ(FolderNames(shortDir.Path()), std::vector<std::string>{"nalc.IMG"});
}

// A scene of 4 x 3 pixels in separate band files, described by a DIH as a split leaves it.
class CropTest : public BandFilesTest {
  protected:
    void MakeScene(int bands) {
        std::vector<Bytes> content;
        Bytes input;
        for (int b = 0; b < bands; ++b)
            for (int i = 0; i < 12; ++i)
                input.push_back(static_cast<uint8_t>(b * 16 + i));
        WriteBytes(Dir.File("scene.raw"), input);
        ASSERT_EQ(RawSplitScene(Dir.File("scene.raw"), {4, 3, bands, 0}), 0);
        Scene = ChooseCropScene(Dir.File("scene.dih"));
    }
    int Crop(TCropRect r) {
        bool tooMany = false;
        return CropScene(Scene, "cut.dis", r, tooMany);
    }
    TCropScene Scene;
};

TEST_F(CropTest, CutsTheRectangleWithCornersInEitherOrder) {
    MakeScene(2);
    EXPECT_EQ(Scene.Right, 4);
    EXPECT_EQ(Scene.Bottom, 3);
    for (TCropRect r : {TCropRect{2, 3, 2, 3}, TCropRect{3, 2, 3, 2}}) {
        ASSERT_EQ(Crop(r), 0);
        EXPECT_EQ(FileBytes(Dir.File("cut.B10")), (Bytes{5, 6, 9, 10}));
        EXPECT_EQ(FileBytes(Dir.File("cut.B20")), (Bytes{21, 22, 25, 26}));
    }
    EXPECT_EQ(HeaderPages[DISField::DISSubsetLeft], "2");
    EXPECT_EQ(HeaderPages[DISField::DISSubsetWidth], "2");
    EXPECT_EQ(HeaderPages[DISField::DISSubsetDIS], "cut.dis");
    EXPECT_EQ(HeaderPages.DISSubsetNBands, "2");
    EXPECT_TRUE(FileExists(Dir.File("cut.dis")));
    EXPECT_NE(FileText(Dir.File("scene.dih")).find("\r\ncut.dis\r\n"), std::string::npos);
    EXPECT_EQ(HeaderPages.RIHDISMemo.back(), "cut.dis");

    // The whole scene comes back unchanged: no column shifted, no padding on the right.
    ASSERT_EQ(Crop({1, 4, 1, 3}), 0);
    EXPECT_EQ(FileBytes(Dir.File("cut.B10")), FileBytes(Dir.File("scene.B1")));
}

TEST_F(CropTest, RefusesBeforeWritingAnything) {
    MakeScene(2);
    const std::vector<std::string> before = FolderNames(Dir.Path());
    struct Case {
        const char* Name;
        std::string DIS;
        TCropRect Rect;
        int Message;
    };
    const Case cases[] = {
        {"the DIH's own name", "SCENE.DIS", {1, 2, 1, 2}, 27},
        {"the DIH's own name with its own extension", "scene.dih", {1, 2, 1, 2}, 27},
        {"the DIH's own name without extension", "Scene", {1, 2, 1, 2}, 27},
        {"left of the scene", "cut.dis", {0, 2, 1, 2}, BandSizeMessage},
        {"right of the scene", "cut.dis", {1, 5, 1, 2}, BandSizeMessage},
        {"below the scene", "cut.dis", {1, 2, 2, 4}, BandSizeMessage},
    };
    for (const Case& c : cases) {
        bool tooMany = false;
        EXPECT_EQ(CropScene(Scene, c.DIS, c.Rect, tooMany), c.Message) << c.Name;
    }
    // A band file shorter than the scene says.
    WriteBytes(Dir.File("scene.B2"), Bytes(11, 0));
    EXPECT_EQ(Crop({1, 4, 1, 3}), BandSizeMessage);
    DISLoaded = false;
    EXPECT_EQ(Crop({1, 2, 1, 2}), 39993);
    EXPECT_EQ(FolderNames(Dir.Path()), before);
}

TEST_F(CropTest, MissingBandSixFilesFallBackOnBandSeven) {
    MakeScene(7);
    // The split put band 6 into the 6H slot; without 6L and 6H, bands 6 and 7 come from band 7.
    HeaderPages[DIHField::RIHBFName6H] = "NA";
    static std::vector<std::string> hints;
    hints.clear();
    bool tooMany = false;
    ASSERT_EQ(CropScene(Scene, "cut.dis", {1, 1, 1, 1}, tooMany, nullptr,
                        [](const char* text) { hints.emplace_back(text); }),
              0);
    // Each band's own stage text, the whole table as the hint panel shows it.
    EXPECT_EQ(hints, (std::vector<std::string>{"Processing Band 1", "BSQ Processing Band 2",
                                               "BSQ Processing Band 3", "BSQ Processing Band 4",
                                               "BSQ Processing Band 5", "BSQ Processing Band 6",
                                               "BSQ Processing Band 7"}));
    EXPECT_EQ(std::string(CropBandHints[7]) + " | " + CropBandHints[8],
              "BSQ Processing Band 7 or 8 | Processing Band ETM 8");
    EXPECT_EQ(FileBytes(Dir.File("cut.B50")), Bytes{64});
    EXPECT_EQ(FileBytes(Dir.File("cut.B70")), Bytes{96});
    EXPECT_FALSE(FileExists(Dir.File("cut.B60")));
    EXPECT_FALSE(FileExists(Dir.File("cut.B6L")));
}

TEST(CropBandExtensionTest, NamesEveryBandOfEveryLayout) {
    struct Case {
        bool Sequential, Fallback;
        std::array<const char*, 9> Want;
    };
    const Case cases[] = {
        {true, false, {".B10", ".B20", ".B30", ".B40", ".B50", ".B60", ".B70", ".B80", ".B90"}},
        {false, false, {".B10", ".B20", ".B30", ".B40", ".B50", ".B6L", ".B6H", ".B70", ".B80"}},
        {false, true, {".B10", ".B20", ".B30", ".B40", ".B50", ".B70", ".B70", ".B80", ".B80"}},
    };
    for (const Case& c : cases)
        for (int k = 1; k <= 9; ++k)
            EXPECT_EQ(CropBandExtension(k, c.Sequential, c.Fallback), c.Want[k - 1])
                << k << (c.Sequential ? " sequential" : "") << (c.Fallback ? " fallback" : "");
}

TEST(CropPreviewTest, GeometryKeepsAStepAndStaysInsideThePicture) {
    struct Case {
        int64_t Right, Bottom, Step, Cols, Rows;
    };
    const Case cases[] = {
        {349, 352, 1, 310, 310},  {100, 50, 1, 100, 50},    {1, 1, 1, 1, 1},
        {3100, 620, 10, 310, 62}, {620, 3100, 10, 62, 310}, {7000, 7000, 22, 310, 310},
        {0, 0, 1, 0, 0},
    };
    for (const Case& c : cases) {
        const TCropPreview p = CropPreviewGeometry(c.Right, c.Bottom);
        EXPECT_EQ(p.Step, c.Step) << c.Right << " x " << c.Bottom;
        EXPECT_EQ(p.Cols, c.Cols) << c.Right << " x " << c.Bottom;
        EXPECT_EQ(p.Rows, c.Rows) << c.Right << " x " << c.Bottom;
    }
}

TEST(CropPreviewTest, PaintsEveryStepthPixelAndStopsAtTheFilesEnd) {
    TempDir dir;
    // 3 records of 6 bytes, a 2-byte prefix; the scene claims 5 rows of 4 pixels.
    WriteBytes(dir.File("radar.dat"), {0, 0, 1, 2, 3, 4, 0, 0, 5, 6, 7, 8, 0, 0, 9, 10, 11, 12});
    const TCropPreview p = PaintCropPreview(dir.File("radar.dat"), 6, 2, 4, 5);
    EXPECT_EQ(p.Rows, 5);
    const uint8_t* g = p.Grey.data();
    EXPECT_EQ((Bytes{g[PreviewSide + 1], g[PreviewSide + 4], g[3 * PreviewSide + 2]}),
              (Bytes{1, 4, 10}));
    EXPECT_EQ(g[4 * PreviewSide + 1], 0);
    EXPECT_THROW(PaintCropPreview(dir.File("none.dat"), 6, 2, 4, 5), EInOutError);
}

TEST_F(BandFilesTest, LandsatSceneSplitsAndCropsToItsRawBands) {
    const std::string bsq = Dir.File("olinda.bsq");
    std::filesystem::copy_file(Olinda("olinda.bsq"), bsq);
    ASSERT_EQ(RawSplitScene(bsq, {349, 352, 6, 0}), 0);
    std::vector<Bytes> bands;
    for (int b = 1; b <= 6; ++b) {
        bands.push_back(FileBytes(Olinda("olinda_b" + std::to_string(b) + ".raw")));
        EXPECT_EQ(FileBytes(Dir.File("olinda.B" + std::to_string(b))), bands.back()) << b;
    }
    EXPECT_EQ(HeaderPages[DIHField::RIHBFName6H], "olinda.B6");
    EXPECT_EQ(HeaderPages[DISField::DISSubsetHeight], "352");

    // Cropped from the one band-sequential file.
    HeaderPages[DIHField::RIHBFName1] = "olinda.bsq";
    HeaderPages.RIHSaveIt();
    TCropScene scene = ChooseCropScene(Dir.File("olinda.dih"));
    bool tooMany = true;
    ASSERT_EQ(CropScene(scene, "window.dis", {51, 150, 101, 200}, tooMany), 0);
    EXPECT_FALSE(tooMany);
    for (int b = 1; b <= 6; ++b)
        EXPECT_EQ(FileBytes(Dir.File("window.B" + std::to_string(b) + "0")),
                  BandWindow(bands[b - 1], 349, 51, 150, 101, 200))
            << b;
    ASSERT_EQ(CropScene(scene, "whole.dis", {1, 349, 1, 352}, tooMany), 0);
    EXPECT_EQ(FileBytes(Dir.File("whole.B10")), bands[0]);
}

} // namespace
