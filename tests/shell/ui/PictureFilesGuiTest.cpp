#include "histogram/vUHistoCC.h"
#include "runtime/RtFiles.h"
#include "runtime/RtRecords.h"
#include "shell/ui/vVorn.h"
#include "shell/vGlobal.h"
#include "support/PngFixtures.h"
#include "support/RecordingHooks.h"
#include "support/TestFiles.h"

#include <QScrollArea>
#include <gtest/gtest.h>
#include <png.h>

#include <functional>

namespace {

struct BmpLayout {
    int Bits = 24;
    uint32_t Compression = 0;
    std::vector<uint32_t> Palette; // 0x00RRGGBB
    std::vector<uint32_t> Masks;   // red, green, blue for bit fields
};

constexpr int BmpW = 13, BmpH = 5;

// A bitmap laid out byte by byte. `value` gives the stored value of pixel (x, y), y counted
// from the top: a palette index, a 16-bit word, or 0x00RRGGBB.
std::vector<uint8_t> MakeBmp(const BmpLayout& s, const std::function<uint32_t(int, int)>& value) {
    const int stride = ((BmpW * s.Bits + 31) / 32) * 4;
    const auto off = static_cast<uint32_t>(54 + 4 * (s.Masks.size() + s.Palette.size()));
    std::vector<uint8_t> b(off + static_cast<size_t>(stride) * BmpH, 0);
    b[0] = 'B';
    b[1] = 'M';
    PutLeU32(&b[2], static_cast<uint32_t>(b.size()));
    PutLeU32(&b[10], off);
    PutLeU32(&b[14], 40);
    PutLeI32(&b[18], BmpW);
    PutLeI32(&b[22], BmpH);
    PutLeU16(&b[26], 1);
    PutLeU16(&b[28], static_cast<uint16_t>(s.Bits));
    PutLeU32(&b[30], s.Compression);
    PutLeU32(&b[46], static_cast<uint32_t>(s.Palette.size()));
    size_t p = 54;
    for (const auto* table : {&s.Masks, &s.Palette})
        for (uint32_t v : *table) {
            PutLeU32(&b[p], v);
            p += 4;
        }
    for (int y = 0; y < BmpH; ++y) {
        uint8_t* row = &b[off + static_cast<size_t>(BmpH - 1 - y) * stride];
        for (int x = 0; x < BmpW; ++x) {
            const uint32_t v = value(x, y);
            const int at = x * s.Bits / 8;
            if (s.Bits < 8)
                row[at] |= static_cast<uint8_t>(v << (8 - s.Bits - x * s.Bits % 8));
            else
                for (int i = 0; i < s.Bits / 8; ++i)
                    row[at + i] = static_cast<uint8_t>(v >> (8 * i));
        }
    }
    return b;
}

std::vector<uint32_t> Palette(int n) {
    std::vector<uint32_t> p;
    for (int i = 0; i < n; ++i)
        p.push_back(static_cast<uint32_t>((i * 37 % 256) << 16 | (255 - i) << 8 | (i * 11 % 256)));
    return p;
}

class PictureFilesGui : public ::testing::Test {
  protected:
    ~PictureFilesGui() override {
        FreeImageBuffers();
        DisplayedPicture = Picture();
        CurrentImageName.clear();
        ImageDirectory.clear();
        MacroRecording = false;
        OpenPreviewOption = SavePreviewOption = false;
        ImageOperationBusy = false;
    }
    void LoadFixture(const std::string& name) {
        ASSERT_TRUE(WriteFileAtomic(
            Dir.File(name), WritePngFixture(MakePngFixture(PNG_COLOR_TYPE_RGB, 8, false, 7, 4))));
        ASSERT_TRUE(Form.LoadFromFile(Dir.File(name)));
        Rec.Clear();
    }
    std::vector<uint8_t> FileBytes(const std::string& name) {
        std::vector<uint8_t> b;
        ReadWholeFile(Dir.File(name), b);
        return b;
    }
    TVORNForm Form;
    bool WindowHooks = (InstallGuiHooks(&Form), true);
    RecordingHooks Rec; // after the window's hooks, so dialogs and messages are scripted
    TempDir Dir;
};

TEST_F(PictureFilesGui, BitmapsOfEveryDepthLoadWithTheirConversionMessage) {
    auto index = [](int mod) {
        return [mod](int x, int y) { return static_cast<uint32_t>((x * 3 + y * 5) % mod); };
    };
    auto colour = [](int x, int y) {
        return static_cast<uint32_t>(x * 19 << 16 | y * 50 << 8 | (x * y) % 256);
    };
    auto word555 = [](int x, int y) {
        return static_cast<uint32_t>((x % 32) << 10 | (y * 6) << 5 | (31 - x));
    };
    auto word565 = [](int x, int y) {
        return static_cast<uint32_t>((x % 32) << 11 | (y * 12) << 5 | (31 - x));
    };
    struct Case {
        BmpLayout layout;
        std::function<uint32_t(int, int)> value;
        int message; // 0: none
    };
    const Case cases[] = {
        {{1, 0, Palette(2), {}}, index(2), 0},
        {{4, 0, Palette(16), {}}, index(16), 41},
        {{8, 0, Palette(256), {}}, index(256), 42},
        {{16, 0, {}, {}}, word555, 43},
        {{16, 3, {}, {0xF800, 0x07E0, 0x001F}}, word565, 44},
        {{24, 0, {}, {}}, colour, 0},
        {{32, 0, {}, {}}, colour, 45},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.layout.Bits << " bits, compression "
                                        << c.layout.Compression << Rec.Summary());
        Rec.Clear();
        ASSERT_TRUE(WriteFileAtomic(Dir.File("depth.bmp"), MakeBmp(c.layout, c.value)));
        ASSERT_TRUE(Form.LoadFromFile(Dir.File("depth.bmp")));
        if (c.message) {
            ASSERT_EQ(Rec.Messages.size(), 1u);
            EXPECT_TRUE(Rec.Shown(c.message));
        } else {
            EXPECT_TRUE(Rec.Messages.empty());
        }
        ASSERT_EQ(DisplayedPicture.Width, BmpW);
        ASSERT_EQ(DisplayedPicture.Height, BmpH);
        EXPECT_TRUE(ImageBuffersAllocated);
        for (int y = 0; y < BmpH; ++y)
            for (int x = 0; x < BmpW; ++x) {
                const uint32_t got = DisplayedPicture.At(x, y);
                const uint32_t v = c.value(x, y);
                if (c.layout.Bits <= 8) {
                    ASSERT_EQ(got, 0xFF000000u | c.layout.Palette[v]) << x << "," << y;
                } else if (c.layout.Bits == 16) {
                    // Five- and six-bit fields widen to eight bits, give or take the low bits.
                    const bool six = c.layout.Compression == 3;
                    const int r = static_cast<int>(six ? v >> 11 : v >> 10) & 31;
                    const int g = static_cast<int>(v >> 5) & (six ? 63 : 31);
                    const int b = static_cast<int>(v) & 31;
                    EXPECT_NEAR(PixelRed(got), r * 255 / 31, 8);
                    EXPECT_NEAR(PixelGreen(got), g * 255 / (six ? 63 : 31), 8);
                    EXPECT_NEAR(PixelBlue(got), b * 255 / 31, 8);
                } else {
                    ASSERT_EQ(got, 0xFF000000u | v) << x << "," << y;
                }
            }
    }
}

TEST_F(PictureFilesGui, DamagedBitmapsAreRefusedAndThePreviousPictureStays) {
    LoadFixture("good.png");
    const Picture before = DisplayedPicture;
    std::vector<uint8_t> good = MakeBmp({}, [](int x, int y) { return x * 7u + y; });
    std::vector<uint8_t> wide = good;
    PutLeI32(&wide[18], 100000);
    std::vector<uint8_t> farPixels = good;
    PutLeU32(&farPixels[10], static_cast<uint32_t>(good.size()) + 100);
    const std::pair<const char*, std::vector<uint8_t>> cases[] = {
        {"cut.bmp", {good.begin(), good.end() - 10}},
        {"wide.bmp", wide},
        {"far.bmp", farPixels},
        {"tiny.bmp", {'B', 'M'}},
    };
    for (const auto& [name, bytes] : cases) {
        ASSERT_TRUE(WriteFileAtomic(Dir.File(name), bytes));
        Rec.Clear();
        EXPECT_FALSE(Form.LoadFromFile(Dir.File(name))) << name;
        EXPECT_EQ(Rec.ErrorBoxes.size(), 1u) << name;
        EXPECT_EQ(DisplayedPicture.Pixels, before.Pixels) << name;
        EXPECT_EQ(CurrentImageName, "good.png") << name;
        EXPECT_TRUE(ImageBuffersAllocated) << name;
    }
}

TEST_F(PictureFilesGui, RealPicturesSaveAsBmpAndPngAndLoadBackByteExact) {
    for (const char* rel : {"aerial/aero1.png", "landsat7-olinda/olinda_rgb432.png"}) {
        ASSERT_TRUE(Form.LoadFromFile(SharedData(rel))) << Rec.Summary();
        const Picture original = DisplayedPicture;
        ImageDirectory = Dir.Path();
        for (const char* name : {"copy.bmp", "copy.png"}) {
            CurrentImageName = name;
            ASSERT_TRUE(Form.SaveImage()) << name << Rec.Summary();
            ASSERT_TRUE(Form.LoadFromFile(name)) << name << Rec.Summary();
            EXPECT_EQ(DisplayedPicture.Pixels, original.Pixels) << rel << " " << name;
            EXPECT_TRUE(Rec.Messages.empty()) << Rec.Summary(); // saved at 24 bits
        }
        const std::vector<uint8_t> bmp = FileBytes("copy.bmp");
        const int stride = ((original.Width * 24 + 31) / 32) * 4;
        EXPECT_EQ(LeU16(&bmp[28]), 24);
        EXPECT_EQ(bmp.size(), static_cast<size_t>(LeU32(&bmp[10]) + stride * original.Height));
        // PNG: 8-bit RGB, not interlaced.
        const std::vector<uint8_t> png = FileBytes("copy.png");
        EXPECT_EQ(png[24], 8);
        EXPECT_EQ(png[25], PNG_COLOR_TYPE_RGB);
        EXPECT_EQ(png[28], 0);
    }
}

TEST_F(PictureFilesGui, OpenChoosesLoadsNamesAndRecords) {
    LoadFixture("scene.PNG");
    ImageDirectory = "/start/";
    CurrentImageName = "before.png";
    MacroRecording = true;
    OpenPreviewOption = true;
    Form.F_OpenClick(); // cancelled
    ASSERT_EQ(Rec.FileRequests.size(), 1u);
    const FileDialogRequest& r = Rec.FileRequests[0];
    EXPECT_FALSE(r.Save);
    EXPECT_TRUE(r.Preview);
    EXPECT_EQ(r.InitialDir, "/start/");
    EXPECT_EQ(r.Filter, "All (*.bmp;*.png)|*.bmp;*.png");
    EXPECT_EQ(CurrentImageName, "before.png");
    EXPECT_TRUE(Rec.MacroLines.empty());

    Rec.FileAnswers.push_back(Dir.File("scene.PNG"));
    Form.F_OpenClick();
    EXPECT_EQ(ImageDirectory, Dir.Path());
    EXPECT_EQ(CurrentImageName, "scene.PNG");
    EXPECT_EQ(Form.windowTitle(), "VORN KEEL  Image is: scene.PNG");
    const std::vector<std::string> lines = {"=0003  Open", Dir.Path(), "scene.PNG"};
    EXPECT_EQ(Rec.MacroLines, lines);

    // A failed open records nothing and keeps the name.
    Rec.Clear();
    ASSERT_TRUE(WriteFileAtomic(Dir.File("broken.png"), std::string("xyz")));
    Rec.FileAnswers.push_back(Dir.File("broken.png"));
    Form.F_OpenClick();
    EXPECT_EQ(Rec.ErrorBoxes.size(), 1u);
    EXPECT_EQ(CurrentImageName, "scene.PNG");
    EXPECT_TRUE(Rec.MacroLines.empty());
}

TEST_F(PictureFilesGui, SaveAndSaveAsRecordAndFollowTheirExtensionRules) {
    LoadFixture("scene.png");
    MacroRecording = true;
    Form.F_SaveClick();
    const std::vector<std::string> saveLines = {"=0005   Save", Dir.Path(), "scene.png"};
    EXPECT_EQ(Rec.MacroLines, saveLines);
    EXPECT_EQ(Rec.Gauge.front(), 0);

    Rec.Clear();
    Rec.FileAnswers.push_back(Dir.File("copy.jpg"));
    Form.F__SaveasClick();
    ASSERT_EQ(Rec.FileRequests.size(), 1u);
    const FileDialogRequest& r = Rec.FileRequests[0];
    EXPECT_TRUE(r.Save);
    EXPECT_EQ(r.Filter, "BMP PNG files|*.PNG;*.BMP");
    EXPECT_EQ(r.DefaultExt, "PNG");
    EXPECT_EQ(r.FileName, Dir.File("scene.png"));
    EXPECT_FALSE(FileExists(Dir.File("copy.jpg")));
    EXPECT_EQ(CurrentImageName, "scene.png");

    Rec.Clear();
    SavePreviewOption = true;
    Rec.FileAnswers.push_back(Dir.File("copy.BMP"));
    Form.F__SaveasClick();
    EXPECT_EQ(Rec.FileRequests[0].Filter, "BMP PNG files|*.BMP;*.PNG");
    EXPECT_TRUE(Rec.FileRequests[0].Preview);
    EXPECT_EQ(FileBytes("copy.BMP")[0], 'B');
    EXPECT_EQ(CurrentImageName, "copy.BMP");
    EXPECT_EQ(Form.windowTitle(), "VORN KEEL  Image is: copy.BMP");
    const std::vector<std::string> asLines = {"=0002 Saveas", Dir.Path(), "copy.BMP"};
    EXPECT_EQ(Rec.MacroLines, asLines);

    // Mixed case is not one of the four spellings.
    Rec.Clear();
    CurrentImageName = "scene.Png";
    Form.F__SaveasClick();
    EXPECT_TRUE(Rec.FileRequests.empty());
    ASSERT_EQ(Rec.Messages.size(), 1u);
    EXPECT_EQ(Rec.Messages[0].Text, "File type unk");

    // A Save As that cannot write keeps the old name.
    Rec.Clear();
    CurrentImageName = "scene.png";
    Rec.FileAnswers.push_back(Dir.File("nowhere/x.png"));
    Form.F__SaveasClick();
    EXPECT_EQ(Rec.ErrorBoxes.size(), 1u);
    EXPECT_EQ(CurrentImageName, "scene.png");
    EXPECT_EQ(ImageDirectory, Dir.Path());
    EXPECT_TRUE(Rec.MacroLines.empty());
}

TEST_F(PictureFilesGui, NumberedSaveRecordsTheNameBeforeNumberingAndNeverOverwrites) {
    LoadFixture("field.png");
    ASSERT_TRUE(WriteFileAtomic(Dir.File("fieldA001.png"), std::string("1")));
    ASSERT_TRUE(WriteFileAtomic(Dir.File("fieldA002.png"), std::string("2")));
    MacroRecording = true;
    Form.SaveNumbered1Click();
    EXPECT_EQ(CurrentImageName, "fieldA003.png");
    EXPECT_EQ(FileBytes("fieldA003.png")[1], 'P');
    const std::vector<std::string> lines = {"=0004  SaveNumbered", Dir.Path(), "field.png"};
    EXPECT_EQ(Rec.MacroLines, lines);

    // 999 reached: the last free number is still taken, then nothing is overwritten.
    ImageDirectory = Dir.Path();
    ASSERT_TRUE(WriteFileAtomic(Dir.File("fieldA998.png"), std::string("8")));
    CurrentImageName = "fieldA997.png";
    Rec.Clear();
    EXPECT_TRUE(NextNumberedFileName());
    EXPECT_EQ(CurrentImageName, "fieldA999.png");
    EXPECT_TRUE(Rec.Shown(39983));
    ASSERT_TRUE(WriteFileAtomic(Dir.File("fieldA999.png"), std::string("9")));
    for (const char* start : {"fieldA997.png", "fieldA999.png"}) {
        Rec.Clear();
        CurrentImageName = start;
        Form.SaveNumbered1Click();
        EXPECT_TRUE(Rec.Shown(39983)) << start;
        EXPECT_EQ(FileBytes("fieldA999.png"), std::vector<uint8_t>{'9'}) << start;
        EXPECT_TRUE(Rec.MacroLines.empty()) << start;
    }
}

TEST_F(PictureFilesGui, ExportsWriteACopyAndKeepTheName) {
    LoadFixture("scene.png");
    struct Case {
        std::function<void()> click;
        const char *filter, *defaultExt, *proposed, *answer;
        std::vector<uint8_t> magic;
    };
    const Case cases[] = {
        {[&] { Form.FS_BMPClick(); }, "BMP files|*.bmp", "bmp", "scene.bmp", "out.BMP", {'B', 'M'}},
        {[&] { Form.FS_JPGClick(); },
         "Jpeg files|*.jpg",
         "jpg",
         "scene.jpg",
         "out.jpg",
         {0xFF, 0xD8}},
    };
    for (const auto& c : cases) {
        Rec.Clear();
        Rec.FileAnswers.push_back(Dir.File(c.answer));
        c.click();
        ASSERT_EQ(Rec.FileRequests.size(), 1u);
        EXPECT_EQ(Rec.FileRequests[0].Filter, c.filter);
        EXPECT_EQ(Rec.FileRequests[0].DefaultExt, c.defaultExt);
        EXPECT_EQ(Rec.FileRequests[0].FileName, Dir.File(c.proposed));
        const std::vector<uint8_t> bytes = FileBytes(c.answer);
        ASSERT_GE(bytes.size(), 2u) << c.answer;
        EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 2), c.magic);
        EXPECT_EQ(CurrentImageName, "scene.png");
        EXPECT_EQ(Form.windowTitle(), "VORN KEEL  Image is: scene.png");
        EXPECT_EQ(Rec.Gauge.back(), 0);
        // Another extension writes nothing.
        Rec.FileAnswers.push_back(Dir.File("other.png"));
        c.click();
        EXPECT_FALSE(FileExists(Dir.File("other.png")));
    }
}

TEST_F(PictureFilesGui, CommandsWithoutAPictureOrWhileBusy) {
    Form.F_SaveClick();
    Form.FS_BMPClick();
    Form.SaveNumbered1Click();
    EXPECT_EQ(Rec.Messages.size(), 3u);
    EXPECT_TRUE(Rec.Shown(46));
    EXPECT_TRUE(Rec.FileRequests.empty());
    EXPECT_TRUE(CurrentImageName.empty());

    ImageOperationBusy = true;
    Form.F_OpenClick();
    EXPECT_TRUE(Rec.FileRequests.empty());
}

TEST_F(PictureFilesGui, ProgressAndResize) {
    Form.Progress(150);
    EXPECT_EQ(Rec.Gauge.back(), 100);
    EXPECT_EQ(Rec.Status1.back(), "150");
    Form.resize(800, 600);
    Form.FormResize();
    EXPECT_EQ(Form.ScrollBox1->maximumSize(), QSize(738, 598));
}

// Counting at load copies the picture for processing; the fresh picture must still have nothing
// to undo.
TEST_F(PictureFilesGui, LoadCountsThePictureBesideItAndLeavesNothingToUndo) {
    Hooks.LoadOrMakeHistogramFiles = LoadOrMakeHistogramFiles;
    LoadFixture("scene.png");
    for (const char* companion : {"scene.adc", "scene.ads", "scene.adt"})
        EXPECT_TRUE(FileExists(Dir.File(companion))) << companion;
    EXPECT_FALSE(Rec.UndoEnabled);
}

} // namespace
