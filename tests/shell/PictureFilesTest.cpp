#include "import/vHeaderPages.h"
#include "import/vHeaderVersions.h"
#include "runtime/RtErrors.h"
#include "runtime/RtFiles.h"
#include "shell/vGlobal.h"
#include "support/PngFixtures.h"
#include "support/RecordingHooks.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <jpeglib.h>
#include <png.h>
#include <stdexcept>
#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

uint8_t To8(uint32_t v, int depth) {
    if (depth == 16) return static_cast<uint8_t>(std::lround(v / 257.0));
    return static_cast<uint8_t>(v * 255 / ((1u << depth) - 1));
}

// The 24-bit colour a fixture's pixel must read as.
uint32_t Expected(const PngFixture& f, int x, int y) {
    const int ch = PngChannels(f.ColorType);
    const auto& row = f.Samples[y];
    const uint32_t s0 = row[x * ch];
    if (f.ColorType == PNG_COLOR_TYPE_PALETTE)
        return PackPixel(f.Palette[3 * s0], f.Palette[3 * s0 + 1], f.Palette[3 * s0 + 2]);
    if (ch <= 2) return PackPixel(To8(s0, f.BitDepth), To8(s0, f.BitDepth), To8(s0, f.BitDepth));
    return PackPixel(To8(s0, f.BitDepth), To8(row[x * ch + 1], f.BitDepth),
                     To8(row[x * ch + 2], f.BitDepth));
}

// A well-formed PNG whose header claims 20000 x 20000 pixels, far more than its bytes hold.
std::vector<uint8_t> Boastful(std::vector<uint8_t> png) {
    for (int at : {16, 20})
        png[at + 2] = 20000 >> 8, png[at + 3] = 20000 & 0xFF;
    const uint32_t crc = static_cast<uint32_t>(crc32(0, &png[12], 17));
    for (int i = 0; i < 4; ++i)
        png[29 + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
    return png;
}

class PictureFiles : public ::testing::Test {
  protected:
    void TearDown() override {
        FreeImageBuffers();
        DisplayedPicture = Picture();
        SetImageName("", "");
        ImageDirectory.clear();
    }
    void Fixture(const std::string& name, const PngFixture& f) {
        ASSERT_TRUE(WriteFileAtomic(Dir.File(name), WritePngFixture(f),
                                    TReplaceLeave::Chosen(Dir.File(name))));
    }
    RecordingHooks Rec;
    TempDir Dir;
};

TEST_F(PictureFiles, EveryPngColourTypeReadsAsTheRight24BitPixels) {
    struct Case {
        int colorType, depth;
        bool interlaced;
        int sourceBits;
    };
    const Case cases[] = {
        {PNG_COLOR_TYPE_GRAY, 1, false, 1},        {PNG_COLOR_TYPE_GRAY, 2, false, 4},
        {PNG_COLOR_TYPE_GRAY, 8, false, 8},        {PNG_COLOR_TYPE_GRAY, 16, false, 8},
        {PNG_COLOR_TYPE_GRAY_ALPHA, 8, false, 24}, {PNG_COLOR_TYPE_GRAY_ALPHA, 16, false, 24},
        {PNG_COLOR_TYPE_PALETTE, 1, false, 1},     {PNG_COLOR_TYPE_PALETTE, 4, false, 4},
        {PNG_COLOR_TYPE_PALETTE, 8, false, 8},     {PNG_COLOR_TYPE_RGB, 8, false, 24},
        {PNG_COLOR_TYPE_RGB, 16, false, 24},       {PNG_COLOR_TYPE_RGB_ALPHA, 8, false, 24},
        {PNG_COLOR_TYPE_RGB_ALPHA, 16, false, 24}, {PNG_COLOR_TYPE_RGB, 8, true, 24},
        {PNG_COLOR_TYPE_PALETTE, 4, true, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.colorType << " depth " << c.depth
                                        << " interlaced " << c.interlaced);
        PngFixture f = MakePngFixture(c.colorType, c.depth, c.interlaced);
        if (c.colorType == PNG_COLOR_TYPE_PALETTE && c.depth == 8) f.Transparency = {0, 128, 255};
        const std::vector<uint8_t> bytes = WritePngFixture(f);
        DecodedPicture d;
        std::string error;
        ASSERT_TRUE(DecodePng(bytes.data(), bytes.size(), d, error)) << error;
        ASSERT_EQ(d.Image.Width, f.Width);
        ASSERT_EQ(d.Image.Height, f.Height);
        EXPECT_EQ(d.Image.FormatBits, 24);
        EXPECT_EQ(d.SourceBits, c.sourceBits);
        for (int y = 0; y < f.Height; ++y)
            for (int x = 0; x < f.Width; ++x)
                ASSERT_EQ(d.Image.At(x, y), Expected(f, x, y)) << x << "," << y;
    }
}

TEST_F(PictureFiles, DamagedFilesAreRefusedAndThePreviousPictureStays) {
    const std::vector<uint8_t> good = WritePngFixture(MakePngFixture(PNG_COLOR_TYPE_RGB, 8));
    ASSERT_TRUE(
        WriteFileAtomic(Dir.File("good.png"), good, TReplaceLeave::Chosen(Dir.File("good.png"))));
    LoadPictureFile(Dir.Path(), "good.png");
    CopyImageForProcessing();
    const Picture before = DisplayedPicture;
    const uint8_t* work = WorkImageBuffer;
    const int32_t stride = ImageRowStride;
    int histogramCalls = 0;
    Hooks.HistogramDisableAllNewFile = [&] { ++histogramCalls; };
    Hooks.RIHMakeAllHeaders = [&](const std::string&, int, int) { ++histogramCalls; };

    const std::string text = "this is a text file, not a picture";
    const std::pair<const char*, std::vector<uint8_t>> cases[] = {
        {"half.png", {good.begin(), good.begin() + good.size() / 2}},
        {"header-only.png", {good.begin(), good.begin() + 20}},
        {"text.png", {text.begin(), text.end()}},
        {"empty.png", {}},
        {"boastful.png", Boastful(good)},
        {"picture.tif", good},
    };
    // A memory that holds the boastful size, so that its bytes refuse it, on any machine.
    const uint64_t limit = PictureMemoryLimit;
    PictureMemoryLimit = uint64_t{1} << 40;
    for (const auto& [name, bytes] : cases) {
        ASSERT_TRUE(WriteFileAtomic(Dir.File(name), bytes, TReplaceLeave::Chosen(Dir.File(name))));
        Rec.Clear();
        EXPECT_FALSE(RunGuarded([&] { LoadPictureFile(Dir.Path(), name); })) << name;
        EXPECT_EQ(Rec.ErrorBoxes.size(), 1u) << name;
        EXPECT_EQ(DisplayedPicture.Pixels, before.Pixels) << name;
        EXPECT_TRUE(ImageBuffersAllocated) << name;
        EXPECT_EQ(WorkImageBuffer, work) << name;
        EXPECT_EQ(ImageRowStride, stride) << name;
        EXPECT_EQ(CurrentImageName, "good.png") << name;
        EXPECT_EQ(ImageDirectory, Dir.Path()) << name;
    }
    PictureMemoryLimit = limit;
    EXPECT_EQ(histogramCalls, 0);
    Rec.Clear();
    ImageDirectory = "/elsewhere/";
    EXPECT_FALSE(RunGuarded([&] { LoadPictureFile(Dir.Path(), "missing.png"); }));
    EXPECT_EQ(Rec.ErrorBoxes, std::vector<std::string>{"File not found"});
    EXPECT_EQ(ImageDirectory, "/elsewhere/");
}

TEST_F(PictureFiles, LoadNamesThePictureAndOpensOrMakesItsHeaders) {
    std::vector<std::string> calls;
    Hooks.RIHOpenDIPHeader = [&](const std::string& n) { calls.push_back("open " + n); };
    Hooks.RIHMakeAllHeaders = [&](const std::string& n, int w, int h) {
        calls.push_back("make " + n + " " + std::to_string(w) + "x" + std::to_string(h));
    };
    Fixture("scene.PNG", MakePngFixture(PNG_COLOR_TYPE_PALETTE, 8));
    LoadPictureFile(Dir.Path(), "scene.PNG");
    EXPECT_TRUE(Rec.Shown(42)) << Rec.Summary();
    EXPECT_EQ(Rec.Status0.front(), "scene.PNG");
    ASSERT_GE(Rec.Status1.size(), 2u);
    EXPECT_EQ(Rec.Status1[Rec.Status1.size() - 2], "Loading Image and Stats");
    EXPECT_EQ(Rec.Status1.back(), "") << "the load has ended";
    // The header is found whatever the case of its extension.
    ASSERT_TRUE(WriteFileAtomic(Dir.File("scene.dip"), std::string("DIP"),
                                TReplaceLeave::Chosen(Dir.File("scene.dip"))));
    LoadPictureFile(Dir.Path(), "scene.PNG");
    EXPECT_EQ(calls, (std::vector<std::string>{"make scene.DIP 13x7", "open scene.dip"}));
    // A load that fails on the way says no more that it is loading.
    Hooks.RIHOpenDIPHeader = [](const std::string&) {
        throw std::runtime_error("Stream read error");
    };
    EXPECT_FALSE(RunGuarded([&] { LoadPictureFile(Dir.Path(), "scene.PNG"); }));
    EXPECT_EQ(Rec.Status1.back(), "");
}

// Another window moves the working folder to B, which holds a picture and a log of the shown
// picture's name. Save, the numbered save and the log used to write into B, over B's files,
// while the picture's own folder A never got them.
TEST_F(PictureFiles, SaveAndLogStayInThePicturesOwnFolder) {
    TempDir a, b;
    ASSERT_TRUE(WriteFileAtomic(a.File("p.png"),
                                WritePngFixture(MakePngFixture(PNG_COLOR_TYPE_RGB, 8)),
                                TReplaceLeave::Chosen(a.File("p.png"))));
    ASSERT_TRUE(WriteFileAtomic(b.File("p.png"), std::string("B's own picture"),
                                TReplaceLeave::Chosen(b.File("p.png"))));
    ASSERT_TRUE(WriteFileAtomic(b.File("p.dip"), std::string("B's own log"),
                                TReplaceLeave::Chosen(b.File("p.dip"))));
    // The first number is taken in A only: looked up in B, it would be written over A's file.
    ASSERT_TRUE(WriteFileAtomic(a.File("pA001.png"), std::string("A's first numbered picture"),
                                TReplaceLeave::Chosen(a.File("pA001.png"))));
    ASSERT_TRUE(LoadPictureFile(a.Path(), "p.png"));
    const std::vector<uint8_t> original = FileBytes(a.File("p.png"));
    DisplayedPicture.Pixels[0] ^= 0x00FFFFFFu;
    const auto inB = FolderBytes(b.Path());
    const struct {
        const char* Name;
        std::function<bool()> Write;
        const char* Written;
    } writes[] = {
        {"save", [] { return SavePictureFile(); }, "p.png"},
        {"log",
         [] {
             HeaderPages.DIPMemo = {DIPVersionLine, "a step"};
             HeaderPages.DIPSaveIt();
             return true;
         },
         "p.dip"},
        {"numbered save", [] { return SaveNumberedPicture(); }, "pA002.png"},
    };
    for (const auto& w : writes) {
        SCOPED_TRACE(w.Name);
        ImageDirectory = b.Path();
        EXPECT_TRUE(w.Write()) << Rec.Summary();
        EXPECT_TRUE(FileExists(a.File(w.Written)));
        EXPECT_EQ(FolderBytes(b.Path()), inB);
    }
    EXPECT_NE(FileBytes(a.File("p.png")), original);
    EXPECT_EQ(FileText(a.File("p.dip")), "DIP 1.1\r\na step\r\n");
    EXPECT_EQ(FileText(a.File("pA001.png")), "A's first numbered picture");
    HeaderPages = THeaderPages();
}

TEST_F(PictureFiles, SaveWritesByTheExtensionOfTheCurrentName) {
    EXPECT_FALSE(SavePictureFile());
    EXPECT_TRUE(Rec.Shown(46));
    Fixture("a.png", MakePngFixture(PNG_COLOR_TYPE_RGB_ALPHA, 16));
    LoadPictureFile(Dir.Path(), "a.png");
    const std::pair<const char*, bool> cases[] = {
        {"out.png", true}, {"OUT2.PNG", true}, {"out.jpg", false}, {"out", false}};
    for (auto [name, written] : cases) {
        SetImageName(CurrentImageFolder, name);
        EXPECT_EQ(SavePictureFile(), written) << name;
        EXPECT_EQ(FileExists(Dir.File(name)), written) << name;
        if (written) {
            EXPECT_EQ(ReadPictureFile(Dir.File(name)).Image.Pixels, DisplayedPicture.Pixels);
        }
    }
}

TEST_F(PictureFiles, JpegExportIsBaselineQuality90AtThePicturesSize) {
    const DecodedPicture olinda = ReadPictureFile(TestData("landsat7-olinda/olinda_rgb432.png"));
    const Picture& p = olinda.Image;
    WritePictureFile(Dir.File("x.jpg"), p, PictureFileKind::Jpeg,
                     TReplaceLeave::Chosen(Dir.File("x.jpg")));
    std::vector<uint8_t> jpeg = FileBytes(Dir.File("x.jpg"));
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, jpeg.data(), jpeg.size());
    ASSERT_EQ(jpeg_read_header(&info, TRUE), JPEG_HEADER_OK);
    EXPECT_EQ(static_cast<int>(info.image_width), p.Width);
    EXPECT_EQ(static_cast<int>(info.image_height), p.Height);
    EXPECT_EQ(info.num_components, 3);
    // Quality 90 scales the standard luminance table's first entry, 16, to 3.
    ASSERT_NE(info.quant_tbl_ptrs[0], nullptr);
    EXPECT_EQ(info.quant_tbl_ptrs[0]->quantval[0], 3);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    std::vector<uint8_t> row(static_cast<size_t>(p.Width) * 3);
    double error = 0;
    for (int y = 0; y < p.Height; ++y) {
        JSAMPROW r = row.data();
        jpeg_read_scanlines(&info, &r, 1);
        for (int x = 0; x < p.Width; ++x)
            error += std::abs(row[3 * x] - PixelRed(p.At(x, y))) +
                     std::abs(row[3 * x + 2] - PixelBlue(p.At(x, y)));
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    EXPECT_LT(error / (2.0 * p.Width * p.Height), 6.0);
    // Baseline: a start-of-frame 0 marker.
    const uint8_t sof0[] = {0xFF, 0xC0};
    EXPECT_NE(std::search(jpeg.begin(), jpeg.end(), sof0, sof0 + 2), jpeg.end());
}

TEST_F(PictureFiles, NumberedNamesSkipTheNamesPresent) {
    struct Case {
        const char* start;
        std::vector<const char*> present;
        const char* expected;
    };
    const Case cases[] = {
        {"field.png", {"fieldA001.png", "fieldA002.png"}, "fieldA003.png"},
        // Taken in any letter case.
        {"field.png", {"fieldA001.PNG", "FIELDA002.png"}, "fieldA003.png"},
        {"fieldA001.png", {"fieldA002.png"}, "fieldA003.png"},
        {"fieldA099.png", {}, "fieldA100.png"},
        {"field.bmp", {"fieldA001.png"}, "fieldA001.bmp"},
        {"fieldAxyz.png", {}, "fieldAxyzA001.png"},
        {"field", {}, "fieldA001"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        for (const char* n : c.present)
            ASSERT_TRUE(
                WriteFileAtomic(dir.File(n), std::string("x"), TReplaceLeave::Chosen(dir.File(n))));
        EXPECT_EQ(NextNumberedFileName(dir.Path(), c.start), c.expected) << c.start;
    }
    EXPECT_TRUE(Rec.Messages.empty()) << Rec.Summary();
    // A link under the next number takes it, also one that names nothing in any letter case:
    // a save under it would make the file the link names, outside the folder.
    for (const char* link : {"fieldA001.png", "FIELDA001.PNG"}) {
        TempDir dir;
        ASSERT_EQ(symlink("../elsewhere/planted.png", dir.File(link).c_str()), 0);
        EXPECT_EQ(NextNumberedFileName(dir.Path(), "field.png"), "fieldA002.png") << link;
    }
    // The last free number is still taken, with the warning that 999 is reached.
    ASSERT_TRUE(WriteFileAtomic(Dir.File("fieldA998.png"), std::string("x"),
                                TReplaceLeave::Chosen(Dir.File("fieldA998.png"))));
    EXPECT_EQ(NextNumberedFileName(Dir.Path(), "fieldA997.png"), "fieldA999.png");
    EXPECT_TRUE(Rec.Shown(39983));
}

TEST_F(PictureFiles, SaveFailuresNameTheirCause) {
    DisplayedPicture.Resize(3, 2);
    ASSERT_TRUE(MakeDirectories(Dir.File("locked/")));
    ASSERT_EQ(chmod(Dir.Path().c_str(), 0755), 0);
    ASSERT_EQ(chmod(Dir.File("locked/").c_str(), 0555), 0);
    // A folder already holding a folder of the picture's name.
    ASSERT_TRUE(MakeDirectories(Dir.File("taken/x.png/")));
    ASSERT_EQ(chmod(Dir.File("taken/").c_str(), 0777), 0);
    // A link in a folder anyone may write, to a name in the locked one: the save goes there.
    ASSERT_TRUE(MakeDirectories(Dir.File("linked/")));
    ASSERT_EQ(chmod(Dir.File("linked/").c_str(), 0777), 0);
    ASSERT_EQ(symlink("../locked/x.png", Dir.File("linked/x.png").c_str()), 0);
    const std::pair<const char*, const char*> cases[] = {{"missing/", "Path not found"},
                                                         {"locked/", "File access denied"},
                                                         {"taken/", "File access denied"},
                                                         {"linked/", "File access denied"}};
    for (const auto& [folder, text] : cases) {
        SetImageName(Dir.File(folder), "x.png");
        std::string error;
        {
            // The administrator writes anywhere: the save runs as an ordinary account.
            const bool privileged = geteuid() == 0;
            if (privileged) ASSERT_EQ(seteuid(65534), 0);
            try {
                SavePictureFile();
            } catch (const EInOutError& e) {
                error = e.what();
            }
            if (privileged) ASSERT_EQ(seteuid(0), 0);
        }
        EXPECT_EQ(error, text) << folder;
        EXPECT_FALSE(FileExists(CurrentImageFolder + "x.png"));
    }
}

} // namespace
