#include "runtime/RtErrors.h"
#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "shell/vGlobal.h"
#include "support/PngFixtures.h"
#include "support/RecordingHooks.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <jpeglib.h>
#include <png.h>
#include <zlib.h>

#include <cmath>
#include <cstring>

namespace {

// ---- PNG fixtures ------------------------------------------------------------------------

int ChannelsOf(int colorType) {
    switch (colorType) {
    case PNG_COLOR_TYPE_GRAY_ALPHA:
        return 2;
    case PNG_COLOR_TYPE_RGB:
        return 3;
    case PNG_COLOR_TYPE_RGB_ALPHA:
        return 4;
    default:
        return 1;
    }
}

uint32_t Sample(int x, int y, int c, int depth) {
    const uint32_t range = depth == 16 ? 65536u : (1u << depth);
    return (static_cast<uint32_t>(x) * 4099u + static_cast<uint32_t>(y) * 7919u + c * 3001u +
            static_cast<uint32_t>(x * y) * 13u) %
           range;
}

uint8_t To8(uint32_t v, int depth) {
    if (depth == 16) return static_cast<uint8_t>(std::lround(v / 257.0));
    return static_cast<uint8_t>(v * 255 / ((1u << depth) - 1));
}

PngFixture MakeFixture(int colorType, int depth, bool interlaced, int w = 13, int h = 7) {
    PngFixture f;
    f.Width = w;
    f.Height = h;
    f.ColorType = colorType;
    f.BitDepth = depth;
    f.Interlaced = interlaced;
    const int channels = ChannelsOf(colorType);
    for (int y = 0; y < h; ++y) {
        std::vector<uint32_t> row;
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < channels; ++c)
                row.push_back(Sample(x, y, c, depth));
        f.Samples.push_back(row);
    }
    if (colorType == PNG_COLOR_TYPE_PALETTE)
        for (int i = 0; i < (1 << depth); ++i) {
            f.Palette.push_back(static_cast<uint8_t>(i * 7));
            f.Palette.push_back(static_cast<uint8_t>(255 - i));
            f.Palette.push_back(static_cast<uint8_t>(i * 13 + 5));
        }
    return f;
}

// The 24-bit colour a fixture's pixel must read as.
uint32_t Expected(const PngFixture& f, int x, int y) {
    const int ch = ChannelsOf(f.ColorType);
    const auto& row = f.Samples[y];
    const uint32_t s0 = row[x * ch];
    if (f.ColorType == PNG_COLOR_TYPE_PALETTE)
        return PackPixel(f.Palette[3 * s0], f.Palette[3 * s0 + 1], f.Palette[3 * s0 + 2]);
    if (ch <= 2) {
        const uint8_t g = To8(s0, f.BitDepth);
        return PackPixel(g, g, g);
    }
    return PackPixel(To8(s0, f.BitDepth), To8(row[x * ch + 1], f.BitDepth),
                     To8(row[x * ch + 2], f.BitDepth));
}

void PutBe32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 3; i >= 0; --i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void AppendChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    PutBe32(out, static_cast<uint32_t>(data.size()));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutBe32(out, static_cast<uint32_t>(crc32(0, out.data() + start, out.size() - start)));
}

// A well-formed PNG whose header claims far more pixels than its few bytes could hold.
std::vector<uint8_t> BoastfulPng(uint32_t w, uint32_t h) {
    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> ihdr;
    PutBe32(ihdr, w);
    PutBe32(ihdr, h);
    ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});
    AppendChunk(out, "IHDR", ihdr);
    AppendChunk(out, "IDAT", {0x78, 0x9C, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01});
    AppendChunk(out, "IEND", {});
    return out;
}

class PictureFiles : public ::testing::Test {
  protected:
    void TearDown() override {
        FreeImageBuffers();
        DisplayedPicture = Picture();
        CurrentImageName.clear();
        ImageDirectory.clear();
    }
    std::string Fixture(const std::string& name, const PngFixture& f) {
        WriteBytes(Dir.File(name), WritePngFixture(f));
        return name;
    }
    RecordingHooks Rec;
    TempDir Dir;
};

// ---- Reading -------------------------------------------------------------------------------

TEST_F(PictureFiles, EveryPngColourTypeReadsAsTheRight24BitPixels) {
    struct Case {
        const char* name;
        int colorType, depth;
        bool interlaced;
        int sourceBits;
    };
    const Case cases[] = {
        {"grey 1", PNG_COLOR_TYPE_GRAY, 1, false, 1},
        {"grey 2", PNG_COLOR_TYPE_GRAY, 2, false, 4},
        {"grey 4", PNG_COLOR_TYPE_GRAY, 4, false, 4},
        {"grey 8", PNG_COLOR_TYPE_GRAY, 8, false, 8},
        {"grey 16", PNG_COLOR_TYPE_GRAY, 16, false, 8},
        {"grey+alpha 8", PNG_COLOR_TYPE_GRAY_ALPHA, 8, false, 24},
        {"grey+alpha 16", PNG_COLOR_TYPE_GRAY_ALPHA, 16, false, 24},
        {"palette 1", PNG_COLOR_TYPE_PALETTE, 1, false, 1},
        {"palette 2", PNG_COLOR_TYPE_PALETTE, 2, false, 4},
        {"palette 4", PNG_COLOR_TYPE_PALETTE, 4, false, 4},
        {"palette 8", PNG_COLOR_TYPE_PALETTE, 8, false, 8},
        {"rgb 8", PNG_COLOR_TYPE_RGB, 8, false, 24},
        {"rgb 16", PNG_COLOR_TYPE_RGB, 16, false, 24},
        {"rgba 8", PNG_COLOR_TYPE_RGB_ALPHA, 8, false, 24},
        {"rgba 16", PNG_COLOR_TYPE_RGB_ALPHA, 16, false, 24},
        {"rgb 8 interlaced", PNG_COLOR_TYPE_RGB, 8, true, 24},
        {"palette 4 interlaced", PNG_COLOR_TYPE_PALETTE, 4, true, 4},
    };
    for (const auto& c : cases) {
        PngFixture f = MakeFixture(c.colorType, c.depth, c.interlaced);
        if (c.colorType == PNG_COLOR_TYPE_PALETTE && c.depth == 8) f.Transparency = {0, 128, 255};
        const std::vector<uint8_t> bytes = WritePngFixture(f);
        DecodedPicture d;
        std::string error;
        ASSERT_TRUE(DecodePng(bytes.data(), bytes.size(), d, error)) << c.name << ": " << error;
        ASSERT_EQ(d.Image.Width, f.Width) << c.name;
        ASSERT_EQ(d.Image.Height, f.Height) << c.name;
        EXPECT_EQ(d.Image.FormatBits, 24);
        EXPECT_EQ(d.SourceBits, c.sourceBits) << c.name;
        for (int y = 0; y < f.Height; ++y)
            for (int x = 0; x < f.Width; ++x)
                ASSERT_EQ(d.Image.At(x, y), Expected(f, x, y)) << c.name << " at " << x << "," << y;
    }
}

TEST_F(PictureFiles, RealPicturesLoadAndSaveBackIdenticalPixels) {
    for (const char* rel : {"aerial/aero1.png", "landsat7-olinda/olinda_rgb432.png"}) {
        const std::string path = SharedData(rel);
        LoadPictureFile(ExtractFilePath(path), ExtractFileName(path));
        ASSERT_TRUE(ImageBuffersAllocated) << rel;
        const Picture loaded = DisplayedPicture;
        ImageDirectory = Dir.Path();
        CurrentImageName = "copy.png";
        ASSERT_TRUE(SavePictureFile());
        std::vector<uint8_t> saved;
        ASSERT_TRUE(ReadWholeFile(Dir.File("copy.png"), saved));
        // 8-bit RGB, not interlaced.
        EXPECT_EQ(saved[24], 8);
        EXPECT_EQ(saved[25], PNG_COLOR_TYPE_RGB);
        EXPECT_EQ(saved[28], 0);
        const DecodedPicture back = ReadPictureFile(Dir.File("copy.png"));
        EXPECT_EQ(back.Image.Width, loaded.Width);
        EXPECT_EQ(back.Image.Pixels, loaded.Pixels) << rel;
    }
    // The false-colour picture is bands 4, 3 and 2 of the scene: red, green, blue.
    const Picture& p = DisplayedPicture;
    ASSERT_EQ(p.Width, 349);
    ASSERT_EQ(p.Height, 352);
    std::vector<uint8_t> b4, b3, b2;
    ASSERT_TRUE(ReadWholeFile(SharedData("landsat7-olinda/olinda_b4.raw"), b4));
    ASSERT_TRUE(ReadWholeFile(SharedData("landsat7-olinda/olinda_b3.raw"), b3));
    ASSERT_TRUE(ReadWholeFile(SharedData("landsat7-olinda/olinda_b2.raw"), b2));
    for (size_t i = 0; i < p.Pixels.size(); ++i)
        ASSERT_EQ(p.Pixels[i], PackPixel(b4[i], b3[i], b2[i])) << i;
}

TEST_F(PictureFiles, DamagedFilesAreRefusedAndThePreviousPictureStays) {
    const std::vector<uint8_t> good = WritePngFixture(MakeFixture(PNG_COLOR_TYPE_RGB, 8, false));
    WriteBytes(Dir.File("good.png"), good);
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
        {"no-end.png", {good.begin(), good.end() - 6}},
        {"text.png", {text.begin(), text.end()}},
        {"empty.png", {}},
        {"boastful.png", BoastfulPng(20000, 20000)},
        {"picture.tif", good},
        {"picture.jpg", good},
    };
    for (const auto& [name, bytes] : cases) {
        WriteBytes(Dir.File(name), bytes);
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
    EXPECT_EQ(histogramCalls, 0);
    Rec.Clear();
    ImageDirectory = "/elsewhere/";
    EXPECT_FALSE(RunGuarded([&] { LoadPictureFile(Dir.Path(), "missing.png"); }));
    ASSERT_EQ(Rec.ErrorBoxes.size(), 1u);
    EXPECT_EQ(Rec.ErrorBoxes[0], "File not found");
    EXPECT_EQ(ImageDirectory, "/elsewhere/");
}

TEST_F(PictureFiles, LoadNamesThePictureAndOpensOrMakesItsHeaders) {
    std::vector<std::string> calls;
    Hooks.SetMainCaption = [&](const std::string& c) { calls.push_back(c); };
    Hooks.EnableImageCommands = [&](bool on) { calls.push_back(on ? "commands on" : "off"); };
    Hooks.EnableObjectMenus = [&](bool on) { calls.push_back(on ? "objects on" : "off"); };
    Hooks.HistogramDisableAllNewFile = [&] { calls.push_back("new file"); };
    Hooks.HistogramDisableAll = [&] { calls.push_back("disable all"); };
    Hooks.LoadOrMakeHistogramFiles = [&] { calls.push_back("histogram files"); };
    Hooks.RIHOpenDIPHeader = [&](const std::string& n) { calls.push_back("open " + n); };
    Hooks.RIHMakeAllHeaders = [&](const std::string& n, int w, int h) {
        calls.push_back("make " + n + " " + IntToStr(w) + "x" + IntToStr(h));
    };
    Fixture("scene.PNG", MakeFixture(PNG_COLOR_TYPE_PALETTE, 8, false));
    LoadPictureFile(Dir.Path(), "scene.PNG");
    const std::vector<std::string> first = {"VORN KEEL  Image is: scene.PNG", "commands on",
                                            "objects on", "histogram files", "make scene.DIP 13x7"};
    EXPECT_EQ(calls, first);
    EXPECT_TRUE(Rec.Shown(42)) << Rec.Summary();
    EXPECT_EQ(Rec.Status0.front(), "scene.PNG");
    EXPECT_EQ(Rec.Status1.front(), "0");
    EXPECT_EQ(Rec.Status1.back(), "Loading Image and Stats");
    EXPECT_EQ(ImageMaxX, 12);
    EXPECT_EQ(ImageMaxY, 6);

    // The header found whatever the case of its extension; the histogram window hears of the
    // new file because buffers existed.
    WriteBytes(Dir.File("scene.dip"), {'D', 'I', 'P'});
    calls.clear();
    Rec.Clear();
    LoadPictureFile(Dir.Path(), "scene.PNG");
    const std::vector<std::string> second = {
        "new file",      "disable all", "VORN KEEL  Image is: scene.PNG",
        "commands on",   "objects on",  "histogram files",
        "open scene.dip"};
    EXPECT_EQ(calls, second);
}

TEST_F(PictureFiles, ANewLoadLeavesNothingToUndo) {
    Fixture("a.png", MakeFixture(PNG_COLOR_TYPE_RGB, 8, false));
    LoadPictureFile(Dir.Path(), "a.png");
    CopyImageForProcessing();
    EXPECT_TRUE(Rec.UndoEnabled);
    LoadPictureFile(Dir.Path(), "a.png");
    EXPECT_FALSE(Rec.UndoEnabled);
}

TEST_F(PictureFiles, ANameFollowsThePictureEvenWhenItsBuffersCannotBeMade) {
    Fixture("a.png", MakeFixture(PNG_COLOR_TYPE_RGB, 8, false));
    Fixture("b.png", MakeFixture(PNG_COLOR_TYPE_GRAY, 8, false, 5, 5));
    LoadPictureFile(Dir.Path(), "a.png");
    Rec.ScreenDepth = 16;
    LoadPictureFile(Dir.Path(), "b.png");
    EXPECT_TRUE(Rec.Shown(11));
    EXPECT_FALSE(ImageBuffersAllocated);
    EXPECT_EQ(DisplayedPicture.Width, 5);
    EXPECT_EQ(CurrentImageName, "b.png");
}

// ---- Writing -------------------------------------------------------------------------------

TEST_F(PictureFiles, SaveWritesByTheExtensionOfTheCurrentName) {
    EXPECT_FALSE(SavePictureFile());
    EXPECT_TRUE(Rec.Shown(46));
    Fixture("a.png", MakeFixture(PNG_COLOR_TYPE_RGB_ALPHA, 16, false));
    LoadPictureFile(Dir.Path(), "a.png");
    const std::pair<const char*, bool> cases[] = {
        {"out.png", true}, {"OUT2.PNG", true}, {"out.jpg", false}, {"out", false}};
    for (auto [name, written] : cases) {
        CurrentImageName = name;
        EXPECT_EQ(SavePictureFile(), written) << name;
        EXPECT_EQ(FileExists(Dir.File(name)), written) << name;
        if (written) {
            EXPECT_EQ(ReadPictureFile(Dir.File(name)).Image.Pixels, DisplayedPicture.Pixels);
        }
    }
}

TEST_F(PictureFiles, ASaveThatCannotWriteIsReported) {
    Fixture("a.png", MakeFixture(PNG_COLOR_TYPE_RGB, 8, false));
    LoadPictureFile(Dir.Path(), "a.png");
    ImageDirectory = Dir.File("missing/");
    try {
        SavePictureFile();
        FAIL() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.Code, EInOutError::PathNotFound);
    }
}

TEST_F(PictureFiles, JpegExportIsBaselineQuality90AtThePicturesSize) {
    const DecodedPicture olinda = ReadPictureFile(SharedData("landsat7-olinda/olinda_rgb432.png"));
    const Picture& p = olinda.Image;
    WritePictureFile(Dir.File("x.jpg"), p, PictureFileKind::Jpeg);
    std::vector<uint8_t> jpeg;
    ASSERT_TRUE(ReadWholeFile(Dir.File("x.jpg"), jpeg));

    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, jpeg.data(), jpeg.size());
    ASSERT_EQ(jpeg_read_header(&info, TRUE), JPEG_HEADER_OK);
    EXPECT_EQ(static_cast<int>(info.image_width), p.Width);
    EXPECT_EQ(static_cast<int>(info.image_height), p.Height);
    EXPECT_EQ(info.num_components, 3);
    EXPECT_FALSE(info.progressive_mode);
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
    bool baseline = false;
    for (size_t i = 0; i + 1 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) baseline = true;
    EXPECT_TRUE(baseline);
}

// ---- Names and progress -------------------------------------------------------------------

TEST_F(PictureFiles, NumberedNamesSkipTheNamesPresent) {
    struct Case {
        const char* start;
        std::vector<const char*> present;
        const char* expected;
    };
    const Case cases[] = {
        {"field.png", {"fieldA001.png", "fieldA002.png"}, "fieldA003.png"},
        {"fieldA001.png", {"fieldA002.png"}, "fieldA003.png"},
        {"fieldA099.png", {}, "fieldA100.png"},
        {"fieldA199.png", {"fieldA200.png"}, "fieldA201.png"},
        {"field.bmp", {"fieldA001.png"}, "fieldA001.bmp"},
        {"fieldAxyz.png", {}, "fieldAxyzA001.png"},
        {"field", {}, "fieldA001"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        for (const char* n : c.present)
            WriteBytes(dir.File(n), {1});
        ImageDirectory = dir.Path();
        CurrentImageName = c.start;
        EXPECT_TRUE(NextNumberedFileName()) << c.start;
        EXPECT_EQ(CurrentImageName, c.expected) << c.start;
    }
    EXPECT_TRUE(Rec.Messages.empty()) << Rec.Summary();

    // Two numbered saves in a row from field.png.
    std::vector<std::string> captions;
    Hooks.SetMainCaption = [&](const std::string& c) { captions.push_back(c); };
    Fixture("field.png", MakeFixture(PNG_COLOR_TYPE_RGB, 8, false));
    Fixture("fieldA001.png", MakeFixture(PNG_COLOR_TYPE_RGB, 8, false));
    Fixture("fieldA002.png", MakeFixture(PNG_COLOR_TYPE_RGB, 8, false));
    LoadPictureFile(Dir.Path(), "field.png");
    for (const char* expected : {"fieldA003.png", "fieldA004.png"}) {
        ASSERT_TRUE(NextNumberedFileName());
        ASSERT_TRUE(SavePictureFile());
        EXPECT_EQ(CurrentImageName, expected);
        EXPECT_TRUE(FileExists(Dir.File(expected)));
    }
    EXPECT_EQ(captions.back(), "VORN KEEL  Image is: fieldA004.png");
}

TEST_F(PictureFiles, TheCounterStopsAt999WithoutOverwriting) {
    ImageDirectory = Dir.Path();
    WriteBytes(Dir.File("fieldA998.png"), {1});
    CurrentImageName = "fieldA997.png";
    EXPECT_TRUE(NextNumberedFileName()); // 999 is still free
    EXPECT_EQ(CurrentImageName, "fieldA999.png");
    EXPECT_TRUE(Rec.Shown(39983));

    WriteBytes(Dir.File("fieldA999.png"), {1});
    for (const char* start : {"fieldA997.png", "fieldA999.png"}) {
        Rec.Clear();
        CurrentImageName = start;
        EXPECT_FALSE(NextNumberedFileName()) << start;
        EXPECT_EQ(CurrentImageName, "fieldA999.png");
        EXPECT_TRUE(Rec.Shown(39983));
    }
}

TEST_F(PictureFiles, ProgressShowsTheNumberAndCapsTheGauge) {
    PictureProgress(150);
    EXPECT_EQ(Rec.Gauge.back(), 100);
    EXPECT_EQ(Rec.Status1.back(), "150");
    PictureProgress(42);
    EXPECT_EQ(Rec.Gauge.back(), 42);
    EXPECT_EQ(Rec.Status1.back(), "42");
}

} // namespace
