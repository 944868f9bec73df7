// The colour cube and the scattergram of the working image: saturating counts, the cube file
// against a layout written by hand, refusals of files of another size, and the slice, overlay
// and scattergram pictures.
#include "classify/vTrainSite.h"
#include "histogram/vColorCube.h"

#include "histogram/vProfileTable.h"
#include "histogram/vSeedBreaks.h"
#include "histogram/vUILinear.h"
#include "runtime/RtErrors.h"
#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "support/EngineTestImage.h"
#include "support/TestFiles.h"

#include <filesystem>
#include <map>

namespace {

constexpr uint32_t White = 0xFFFFFFFFu;

class ColorCubeTest : public EngineTestImage {
  protected:
    void SetUp() override {
        EngineTestImage::SetUp();
        ImageDirectory = Dir.Path();
        SetImageName(Dir.Path(), "six.png");
    }
    void TearDown() override {
        ImageDirectory.clear();
        SetImageName("", "");
        SeedBreakTables = {};
        EngineTestImage::TearDown();
    }
    void LoadSix() {
        Load(3, {{0, 0, 0}, {0, 0, 0}, {1, 2, 3}, {255, 0, 0}, {0, 0, 255}, {10, 20, 30}});
    }
    // The hand-written listing as the whole file.
    static std::vector<uint8_t> GoldenCube() {
        std::string text = FileText(TestData("cube/six-pixels.rs3.txt"));
        std::vector<uint8_t> bytes(static_cast<size_t>(Count3DFileSize), 0);
        for (const std::string& line : SplitLines(text)) {
            if (line.empty() || line[0] == '#') continue;
            const size_t blank = line.find(' ');
            bytes[static_cast<size_t>(StrToInt(line.substr(0, blank)))] =
                static_cast<uint8_t>(StrToInt(line.substr(blank + 1)));
        }
        return bytes;
    }
    TempDir Dir;
};

TEST_F(ColorCubeTest, CountedCubeIsWrittenAsTheHandWrittenLayoutAndReadBack) {
    LoadSix();
    ColorCube cube;
    ASSERT_TRUE(CountColorCube(cube));
    EXPECT_EQ(Count3DFileName(), Dir.File("six.rs3"));
    WriteCount3DFile(Count3DFileName(), cube);
    std::vector<uint8_t> written = FileBytes(Dir.File("six.rs3"));
    EXPECT_TRUE(written == GoldenCube());

    ColorCube back;
    ASSERT_TRUE(ReadCount3DFile(Dir.File("six.rs3"), back));
    const struct {
        int R, G, B, Count;
    } cells[] = {{0, 0, 0, 2},   {1, 2, 3, 1},    {3, 2, 1, 0},   {255, 0, 0, 1},
                 {0, 0, 255, 1}, {10, 20, 30, 1}, {30, 20, 10, 0}};
    for (const auto& c : cells)
        EXPECT_EQ(back.At(c.R, c.G, c.B), c.Count) << c.R << " " << c.G << " " << c.B;
}

TEST_F(ColorCubeTest, CountsStopAt255) {
    LoadUniform(20, 15, {7, 8, 9});
    ColorCube cube;
    ASSERT_TRUE(CountColorCube(cube));
    EXPECT_EQ(cube.At(7, 8, 9), 255);
    // A second pass over the same cube still stops there.
    ASSERT_TRUE(CountColorCube(cube));
    EXPECT_EQ(cube.At(7, 8, 9), 255);
}

TEST_F(ColorCubeTest, FilesOfAnotherSizeAreRefusedAndChangeNothing) {
    ColorCube cube;
    cube.Allocate();
    cube.Cells[5] = 9;
    const struct {
        const char* Name;
        int64_t Size;
    } files[] = {
        {"empty", 0}, {"one short", Count3DFileSize - 1}, {"one long", Count3DFileSize + 1}};
    for (const auto& f : files) {
        const std::string path = Dir.File(f.Name);
        ASSERT_TRUE(WriteFileAtomic(path, std::vector<uint8_t>(static_cast<size_t>(f.Size), 1),
                                    TReplaceLeave::Chosen(path)));
        EXPECT_FALSE(Count3DFileSound(path)) << f.Name;
        EXPECT_FALSE(ReadCount3DFile(path, cube)) << f.Name;
        EXPECT_EQ(cube.Cells[5], 9) << f.Name;
        EXPECT_EQ(cube.Cells[6], 0) << f.Name;
    }
    EXPECT_FALSE(ReadCount3DFile(Dir.File("missing"), cube));
}

// The cube file's name is the program's, not the user's: a link under it, or a file the reader
// refuses, is left as it is, and the status bar says so.
TEST_F(ColorCubeTest, ASaveLeavesALinkOrARefusedFileAlone) {
    ColorCube cube;
    cube.Allocate();
    cube.Cells[5] = 9;
    const std::string path = Count3DFileName();
    ASSERT_TRUE(MakeDirectories(Dir.File("outside")));
    const std::string victim = Dir.File("outside/rc");
    const std::string sound(static_cast<size_t>(Count3DFileSize), '\x01');
    const struct {
        const char* What;
        const char* LinkTo; // nullptr: a plain file
        std::string Content;
    } plants[] = {{"link to a cube file", "outside/rc", sound},
                  {"link to nothing", "outside/rc", ""},
                  {"file of another size", nullptr, "notes"}};
    for (const auto& p : plants) {
        SCOPED_TRACE(p.What);
        std::filesystem::remove(path);
        std::filesystem::remove(victim);
        if (p.LinkTo) {
            if (!p.Content.empty())
                ASSERT_TRUE(WriteFileAtomic(victim, p.Content, TReplaceLeave::Chosen(victim)));
            std::filesystem::create_symlink(p.LinkTo, path);
        } else {
            ASSERT_TRUE(WriteFileAtomic(path, p.Content, TReplaceLeave::Chosen(path)));
        }
        Rec.Clear();
        WriteCount3DFile(path, cube);
        EXPECT_EQ(Rec.Status1, std::vector<std::string>{
                                   "Refused six.rs3: counts kept in memory, nothing written"});
        if (p.LinkTo) {
            EXPECT_TRUE(std::filesystem::is_symlink(path));
            EXPECT_EQ(FileText(victim), p.Content);
        } else {
            EXPECT_EQ(FileText(path), p.Content);
        }
        EXPECT_FALSE(ReadCount3DFile(path, cube));
    }
    std::filesystem::remove(path);
    WriteCount3DFile(path, cube);
    EXPECT_TRUE(FileBytes(path) == cube.Cells);
}

TEST_F(ColorCubeTest, AFailedSaveRaisesAndLeavesNoFile) {
    ColorCube cube;
    cube.Allocate();
    const std::string path = Dir.File("no-such-folder/six.rs3");
    EXPECT_THROW(WriteCount3DFile(path, cube), EInOutError);
    EXPECT_FALSE(FileExists(path));
}

TEST_F(ColorCubeTest, SlicesLayEachViewAsItsCaptionsSay) {
    LoadSix();
    ColorCube cube;
    ASSERT_TRUE(CountColorCube(cube));
    // The colour (10, 20, 30) on each view's slice through it, and where it lands.
    const struct {
        int View, Slice, X, Y;
    } views[] = {{ViewBlueSlice, 30, 10, 255 - 20},
                 {ViewGreenSlice, 20, 30, 255 - 10},
                 {ViewRedSlice, 10, 30, 255 - 20}};
    for (const auto& v : views) {
        Picture out;
        EXPECT_EQ(PaintCubeSlice(cube, v.View, v.Slice, ColorActual, out, nullptr), 1) << v.View;
        EXPECT_EQ(out.At(v.X, v.Y), PackPixel(10, 20, 30)) << v.View;
        EXPECT_EQ(std::count(out.Pixels.begin(), out.Pixels.end(), White), 256 * 256 - 1);
        const CubeCell c = CellOfView(v.View, v.X, 255 - v.Y, v.Slice);
        EXPECT_EQ((std::array{c.Red, c.Green, c.Blue}), (std::array{10, 20, 30})) << v.View;
    }
    Picture out;
    EXPECT_EQ(PaintCubeSlice(cube, ViewBlueSlice, 0, ColorAllBlack, out, nullptr), 2);
    EXPECT_EQ(out.At(0, 255), 0xFF000000u);
    EXPECT_EQ(out.At(255, 255), 0xFF000000u);
}

TEST_F(ColorCubeTest, CodedColorsFollowTheCountBands) {
    const struct {
        int Count;
        uint32_t Pixel;
    } cases[] = {{1, PackPixel(0, 0, 255)},    {3, PackPixel(0, 0, 255)},
                 {4, PackPixel(0, 128, 0)},    {6, PackPixel(0, 128, 0)},
                 {7, PackPixel(255, 0, 0)},    {10, PackPixel(255, 0, 0)},
                 {11, PackPixel(255, 0, 255)}, {255, PackPixel(255, 0, 255)}};
    for (const auto& c : cases)
        EXPECT_EQ(CubeCellPixel(ColorCoded, c.Count, 1, 2, 3), c.Pixel) << c.Count;
}

TEST_F(ColorCubeTest, OverlayAndImageCountsPaintOnlyCountedColors) {
    LoadSix();
    ColorCube cube;
    ASSERT_TRUE(CountColorCube(cube));
    Picture overlay;
    EXPECT_EQ(OverlayCubeSlices(cube, ViewBlueSlice, ColorActual, overlay), 2);
    // (0, 0, 0) and (0, 0, 255) share a point; the later slice is on top.
    EXPECT_EQ(overlay.At(0, 255), PackPixel(0, 0, 255));
    EXPECT_EQ(overlay.At(1, 253), PackPixel(1, 2, 3));
    EXPECT_EQ(std::count(overlay.Pixels.begin(), overlay.Pixels.end(), White), 256 * 256 - 4);

    Picture image;
    ASSERT_TRUE(PaintImageCounts(cube, ViewBlueSlice, ColorCoded, image));
    EXPECT_EQ(image.At(10, 235), PackPixel(0, 0, 255));
    EXPECT_EQ(std::count(image.Pixels.begin(), image.Pixels.end(), White), 256 * 256 - 4);
}

TEST_F(ColorCubeTest, ScattergramPlacesEachItemsBandsAndFramesTheClassBoxes) {
    Load(1, {{10, 20, 30}});
    const struct {
        int Plane, X, Y;
    } items[] = {
        {ScatterGreenRed, 10, 235}, {ScatterBlueRed, 10, 225}, {ScatterGreenBlue, 30, 235}};
    for (const auto& item : items) {
        Picture out;
        ASSERT_TRUE(PlotScattergram(item.Plane, true, out, nullptr));
        EXPECT_EQ(out.At(item.X, item.Y), 0xFF000000u) << item.Plane;
    }
    // Row 2 of red across and green up: red breaks 0, 50, 100, ...; green 0, 40, 80, ...
    for (size_t k = 0; k < 10; ++k) {
        SeedBreakTables[BandRed][2][k] = static_cast<uint8_t>(std::min<size_t>(50 * k, 255));
        SeedBreakTables[BandGreen][2][k] = static_cast<uint8_t>(std::min<size_t>(40 * k, 255));
    }
    Picture out;
    out.Resize(256, 256);
    std::fill(out.Pixels.begin(), out.Pixels.end(), White);
    FrameClassBoxes(ScatterGreenRed, 2, out);
    const uint32_t blue = PackPixel(0, 0, 255);
    // Box 1 spans red 50..100 across and green 40..80 up: rows 175..214, columns 50..99.
    EXPECT_EQ(out.At(50, 175), blue);
    EXPECT_EQ(out.At(99, 214), blue);
    EXPECT_EQ(out.At(75, 195), White);
    // Box 2 begins at red 100 and ends one row above green 80; right and bottom are outside.
    EXPECT_EQ(out.At(100, 174), blue);
    EXPECT_EQ(out.At(100, 175), White);
    EXPECT_EQ(out.At(49, 230), blue);
}

// Every command that does not change the picture (counting, plotting, profiling, measuring,
// training) only looks at it: it sees what is shown, and Undo still goes back to where the last
// operation began. Measuring used to take an undo copy of the shown picture and lose that step.
TEST_F(ColorCubeTest, LookingAtThePictureLeavesUndoToTheLastOperation) {
    const Rgb before = {10, 20, 30}, after = {200, 100, 50};
    const struct {
        const char* Name;
        std::function<void()> Look;
    } looks[] = {
        {"scattergram",
         [] {
             Picture out;
             ASSERT_TRUE(PlotScattergram(ScatterGreenRed, false, out, nullptr));
             EXPECT_EQ(out.At(200, 155), PackPixel(200, 100, 50));
             EXPECT_EQ(out.At(10, 235), White);
         }},
        {"colour cube",
         [] {
             ColorCube cube;
             ASSERT_TRUE(CountColorCube(cube));
             EXPECT_EQ(cube.At(200, 100, 50), 8);
             EXPECT_EQ(cube.At(10, 20, 30), 0);
             Picture out;
             ASSERT_TRUE(PaintImageCounts(cube, ViewBlueSlice, ColorActual, out));
             EXPECT_NE(out.At(200, 155), White);
         }},
        {"profile",
         [] {
             CopyImageForReading();
             ASSERT_TRUE(ImageBuffersLocked);
             const LineProfile p = BuildLineProfile({0, 0}, {3, 1}, "x");
             ASSERT_FALSE(p.Samples.empty());
             EXPECT_EQ(p.Samples[1].R, 200);
             EXPECT_EQ(p.Samples[1].B, 50);
             UnlockImageBuffers();
         }},
        {"measured",
         [this] {
             Do_Measured_Do(120, 120, 200);
             EXPECT_EQ(Rec.Status1.back(), "Image processed");
         }},
        {"training",
         [] {
             SiteTable sites{};
             TrainSiteFromRect(sites, 1, {0, 1, 0, 1});
             EXPECT_GT(sites[1].Count, 0);
         }},
    };
    for (const auto& look : looks) {
        SCOPED_TRACE(look.Name);
        LoadUniform(4, 2, before);
        CopyImageForProcessing();
        for (int32_t y = 0; y <= ImageMaxY; ++y)
            for (int32_t x = 0; x <= ImageMaxX; ++x) {
                WorkRow(y)[3 * x] = static_cast<uint8_t>(after[2]);
                WorkRow(y)[3 * x + 1] = static_cast<uint8_t>(after[1]);
                WorkRow(y)[3 * x + 2] = static_cast<uint8_t>(after[0]);
            }
        ShowProcessedImage();
        ASSERT_EQ(Shown(), std::vector<Rgb>(8, after));
        Rec.Clear();
        look.Look();
        EXPECT_EQ(Shown(), std::vector<Rgb>(8, after));
        UndoImage();
        EXPECT_EQ(Shown(), std::vector<Rgb>(8, before));
    }
}

} // namespace
