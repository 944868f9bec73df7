#include "histogram/vUHistoCC.h"
#include "runtime/RtFiles.h"
#include "runtime/RtRecords.h"
#include "support/GuiStartup.h"
#include "support/PngFixtures.h"

#include <png.h>

#include <functional>
#include <unistd.h>

namespace {

struct BmpLayout {
    int Bits = 24;
    uint32_t Compression = 0;
    std::vector<uint32_t> Palette; // 0x00RRGGBB
    std::vector<uint32_t> Masks;   // red, green, blue for bit fields
    bool TopDown = false;          // a negative height, the top row stored first
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
    PutLeI32(&b[22], s.TopDown ? -BmpH : BmpH);
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
        uint8_t* row = &b[off + static_cast<size_t>(s.TopDown ? y : BmpH - 1 - y) * stride];
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

class PictureFilesGui : public GuiStartup {
  protected:
    void TearDown() override {
        MacroRecording = OpenPreviewOption = SavePreviewOption = false;
        GuiStartup::TearDown();
    }
    void LoadFixture(const std::string& name) {
        ASSERT_TRUE(WriteFileAtomic(
            Dir.File(name), WritePngFixture(MakePngFixture(PNG_COLOR_TYPE_RGB, 8, false, 7, 4)),
            TReplaceLeave::Chosen(Dir.File(name))));
        ASSERT_TRUE(Form->LoadFromFile(Dir.File(name)));
        Rec->Clear();
    }
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
        {{24, 0, {}, {}, true}, colour, 0},
        {{32, 0, {}, {}}, colour, 45},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.layout.Bits << " bits, compression " << c.layout.Compression
                     << (c.layout.TopDown ? " top-down" : "") << Rec->Summary());
        Rec->Clear();
        ASSERT_TRUE(WriteFileAtomic(Dir.File("depth.bmp"), MakeBmp(c.layout, c.value),
                                    TReplaceLeave::Chosen(Dir.File("depth.bmp"))));
        ASSERT_TRUE(Form->LoadFromFile(Dir.File("depth.bmp")));
        EXPECT_EQ(Rec->Messages.size(), c.message ? 1u : 0u);
        EXPECT_TRUE(!c.message || Rec->Shown(c.message));
        ASSERT_EQ(DisplayedPicture.Width, BmpW);
        ASSERT_EQ(DisplayedPicture.Height, BmpH);
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

TEST_F(PictureFilesGui, RealPicturesSaveAsBmpAndPngAndLoadBackByteExact) {
    for (const char* rel : {"aerial/aero1.png", "landsat7-olinda/olinda_rgb432.png"}) {
        ASSERT_TRUE(Form->LoadFromFile(TestData(rel))) << Rec->Summary();
        const Picture original = DisplayedPicture;
        ImageDirectory = Dir.Path();
        SetImageName(Dir.Path(), CurrentImageName);
        for (const char* name : {"copy.bmp", "copy.png"}) {
            // The copy is made anew: the last picture's is not this one's to replace.
            std::filesystem::remove(Dir.File(name));
            SetImageName(CurrentImageFolder, name);
            ASSERT_TRUE(Form->SaveImage()) << name << Rec->Summary();
            ASSERT_TRUE(Form->LoadFromFile(Dir.File(name))) << name << Rec->Summary();
            EXPECT_EQ(DisplayedPicture.Pixels, original.Pixels) << rel << " " << name;
            EXPECT_TRUE(Rec->Messages.empty()) << Rec->Summary(); // saved at 24 bits
        }
    }
}

// An aerial photograph tiled to 6000 x 6000, as a 108 MB bitmap and as PNG: the memory rule
// alone decides for both, which open to the same picture at its limit and are refused a byte
// below it, with their size named.
TEST_F(PictureFilesGui, LargePicturesOpenAsBmpAndPngAlikeUpToTheMemoryLimit) {
    constexpr int Side = 6000;
    ASSERT_TRUE(Form->LoadFromFile(TestData("aerial/aero1.png")));
    const Picture tile = DisplayedPicture;
    Picture big;
    big.Resize(Side, Side);
    for (int y = 0; y < Side; ++y)
        for (int x = 0; x < Side; ++x)
            big.At(x, y) = tile.At(x % tile.Width, y % tile.Height);
    WritePictureFile(Dir.File("big.bmp"), big, PictureFileKind::Bmp,
                     TReplaceLeave::Chosen(Dir.File("big.bmp")));
    WritePictureFile(Dir.File("big.png"), big, PictureFileKind::Png,
                     TReplaceLeave::Chosen(Dir.File("big.png")));
    ASSERT_EQ(FileSizeOf(Dir.File("big.bmp")), 108000054);
    const uint64_t machine = PictureMemoryLimit;
    const uint64_t need = PictureMemoryNeed(Side, Side);
    for (const char* name : {"big.bmp", "big.png"})
        for (const uint64_t limit : {need, need - 1}) {
            SCOPED_TRACE(name + std::string(" limit ") + std::to_string(limit));
            Rec->Clear();
            DisplayedPicture.Pixels.assign(DisplayedPicture.Pixels.size(), 0xFF000000u);
            PictureMemoryLimit = limit;
            const bool opened = Form->LoadFromFile(Dir.File(name));
            PictureMemoryLimit = machine;
            EXPECT_TRUE(Rec->ErrorBoxes.empty()) << Rec->Summary();
            if (limit == need) {
                EXPECT_TRUE(opened);
                EXPECT_TRUE(DisplayedPicture.Pixels == big.Pixels);
                continue;
            }
            EXPECT_FALSE(opened);
            ASSERT_EQ(Rec->Messages.size(), 1u) << Rec->Summary();
            EXPECT_EQ(Rec->Messages[0].Text, "Image too big for memory: nothing loaded\r\n"
                                             "6000 x 6000 needs 360 MB, 359 MB allowed");
        }
}

// Each command in turn on one session: its dialog, its macro lines (code, folder, name), the name
// it leaves and the file it writes.
TEST_F(PictureFilesGui, CommandsAskRecordNameAndWrite) {
    LoadFixture("scene.png");
    MacroRecording = OpenPreviewOption = SavePreviewOption = true;
    const struct {
        void (TVORNForm::*click)();
        const char *answer, *code; // answer nullptr: no dialog; code nullptr: nothing recorded
        const char *recorded, *name, *written; // written nullptr: nothing
        uint8_t magic;
    } cases[] = {
        {&TVORNForm::F_SaveClick, nullptr, "=0005   Save", "scene.png", "scene.png", "scene.png",
         0x89},
        {&TVORNForm::FS_BMPClick, "out.BMP", nullptr, "", "scene.png", "out.BMP", 'B'},
        {&TVORNForm::FS_JPGClick, "out.jpg", nullptr, "", "scene.png", "out.jpg", 0xFF},
        {&TVORNForm::F_OpenClick, "scene.png", "=0003  Open", "scene.png", "scene.png", nullptr, 0},
        // The name recorded is the one before numbering.
        {&TVORNForm::SaveNumbered1Click, nullptr, "=0004  SaveNumbered", "scene.png",
         "sceneA001.png", "sceneA001.png", 0x89},
        {&TVORNForm::F__SaveasClick, "copy.BMP", "=0002 Saveas", "copy.BMP", "copy.BMP", "copy.BMP",
         'B'}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name + std::string(" ") + (c.answer ? c.answer : ""));
        Rec->Clear();
        if (c.answer) Rec->FileAnswers.push_back(Dir.File(c.answer));
        std::invoke(c.click, *Form);
        ASSERT_EQ(Rec->FileRequests.size(), c.answer ? 1u : 0u);
        if (c.answer) {
            EXPECT_EQ(Rec->FileRequests[0].InitialDir, Dir.Path());
            EXPECT_EQ(Rec->FileRequests[0].Save, c.click != &TVORNForm::F_OpenClick);
        }
        EXPECT_EQ(Rec->MacroLines,
                  (c.code ? std::vector<std::string>{c.code, Dir.Path(), c.recorded}
                          : std::vector<std::string>{}));
        EXPECT_TRUE(Rec->ErrorBoxes.empty()) << Rec->Summary();
        EXPECT_EQ(CurrentImageName, c.name);
        EXPECT_EQ(c.written ? FileBytes(Dir.File(c.written)).at(0) : 0, c.magic);
    }
}

// Refused or failed commands record nothing, keep the name and folder, and write nothing.
TEST_F(PictureFilesGui, RefusedCommandsChangeNothing) {
    LoadFixture("scene.png");
    MacroRecording = true;
    ASSERT_TRUE(WriteFileAtomic(Dir.File("broken.png"), std::string("xyz"),
                                TReplaceLeave::Chosen(Dir.File("broken.png"))));
    ASSERT_TRUE(WriteFileAtomic(Dir.File("fieldA999.png"), std::string("9"),
                                TReplaceLeave::Chosen(Dir.File("fieldA999.png"))));
    // Numbered, 258 characters: more than a file name may hold.
    const std::string longName = std::string(250, 'n') + ".png";
    struct Case {
        void (TVORNForm::*click)();
        const char *name, *answer; // answer nullptr: no dialog; "": cancelled
        const char* error;         // part of the one error box's text; nullptr: no box
        std::string message, filter;
    };
    const Case cases[] = {
        {&TVORNForm::F_OpenClick, "scene.png", "", nullptr, "", ""},
        {&TVORNForm::F_OpenClick, "scene.png", "broken.png", "broken.png", "", ""},
        // A chosen name refused for its extension is said: it used to end without a word.
        {&TVORNForm::F__SaveasClick, "scene.png", "copy.jpg", nullptr, "File type unk",
         "BMP PNG files|*.PNG;*.BMP"},
        {&TVORNForm::F__SaveasClick, "scene.png", "mixed.Png", nullptr, "File type unk", ""},
        // Mixed case is not one of the four spellings.
        {&TVORNForm::F__SaveasClick, "scene.Png", nullptr, nullptr, "File type unk", ""},
        {&TVORNForm::F__SaveasClick, "scene.png", "nowhere/x.png", "Path not found", "", ""},
        {&TVORNForm::FS_BMPClick, "scene.png", "other.png", nullptr, "", ""},
        {&TVORNForm::FS_JPGClick, "scene.png", "other.png", nullptr, "", ""},
        // 999 reached: the last file is not overwritten.
        {&TVORNForm::SaveNumbered1Click, "fieldA999.png", nullptr, nullptr, MessageText(39983), ""},
        {&TVORNForm::SaveNumbered1Click, "fieldA998.png", nullptr, nullptr, MessageText(39983), ""},
        // The next number is free, but its name leads into a folder that is not there.
        {&TVORNForm::SaveNumbered1Click, "nowhere/field.png", nullptr, "Path not found", "", ""},
        // The reason is the name's length, not a full disk.
        {&TVORNForm::SaveNumbered1Click, longName.c_str(), nullptr, "File name too long", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name + std::string(" ") + (c.answer ? c.answer : ""));
        Rec->Clear();
        SetImageName(CurrentImageFolder, c.name);
        if (c.answer) Rec->FileAnswers.push_back(c.answer[0] ? Dir.File(c.answer) : "");
        std::invoke(c.click, *Form);
        // A refused open does not leave the last load's "Image loaded" in the status bar.
        if (c.error && c.click == &TVORNForm::F_OpenClick) {
            EXPECT_EQ(Rec->Status0, std::vector<std::string>{""});
        }
        EXPECT_EQ(Rec->FileRequests.size(), c.answer ? 1u : 0u);
        if (!c.filter.empty()) {
            EXPECT_EQ(Rec->FileRequests[0].Filter, c.filter);
        }
        EXPECT_TRUE(Rec->MacroLines.empty());
        EXPECT_EQ(CurrentImageName, c.name);
        EXPECT_EQ(ImageDirectory, Dir.Path());
        ASSERT_EQ(Rec->ErrorBoxes.size(), c.error ? 1u : 0u) << Rec->Summary();
        EXPECT_TRUE(!c.error || Rec->ErrorBoxes[0].find(c.error) != std::string::npos)
            << Rec->ErrorBoxes[0];
        if (!c.message.empty()) {
            EXPECT_EQ(Rec->Messages.size(), 1u);
            EXPECT_EQ(Rec->Messages.empty() ? "" : Rec->Messages[0].Text, c.message);
        }
    }
    for (const char* absent : {"copy.jpg", "mixed.Png", "other.png", "nowhere/x.png"})
        EXPECT_FALSE(FileExists(Dir.File(absent))) << absent;
    EXPECT_EQ(FileBytes(Dir.File("fieldA999.png")), std::vector<uint8_t>{'9'});

    // A picture refused for its size is no open: nothing is recorded.
    Rec->Clear();
    const uint64_t limit = PictureMemoryLimit;
    PictureMemoryLimit = 1;
    Rec->FileAnswers.push_back(Dir.File("scene.png"));
    Form->F_OpenClick();
    PictureMemoryLimit = limit;
    ASSERT_EQ(Rec->Messages.size(), 1u) << Rec->Summary();
    EXPECT_EQ(Rec->Messages[0].Text.substr(0, 40), "Image too big for memory: nothing loaded");
    EXPECT_EQ(Rec->Status0, std::vector<std::string>{""});
    EXPECT_TRUE(Rec->MacroLines.empty());
}

// Counting at load copies the picture for processing; the fresh picture must still have nothing
// to undo. A save that replaces a picture leaves no counts of the old pixels beside it: they
// were read back at the next load, so the histogram showed colours the file no longer held.
TEST_F(PictureFilesGui, LoadCountsThePictureBesideItAndASaveLeavesNoStaleCounts) {
    Hooks.LoadOrMakeHistogramFiles = LoadOrMakeHistogramFiles;
    LoadFixture("scene.png");
    const std::vector<std::string> companions = {"scene.adc", "scene.ads", "scene.adt"};
    for (const std::string& companion : companions)
        EXPECT_TRUE(FileExists(Dir.File(companion))) << companion;
    EXPECT_FALSE(Rec->UndoEnabled);
    const int64_t pixels = int64_t{DisplayedPicture.Width} * DisplayedPicture.Height;
    ASSERT_LT(GreenHistogram[0], pixels);
    // Only red is kept, then the picture is saved and opened again; a companion in another letter
    // case goes too, and so do those an export beside another picture of the same base name is
    // let to remove. Renamed since the load, that one is no longer the file the picture read, and
    // is let go when asked.
    ASSERT_TRUE(RenameFile(Dir.File("scene.adt"), Dir.File("SCENE.ADT")));
    for (uint32_t& p : DisplayedPicture.Pixels)
        p = PackPixel(PixelRed(p), 0, 0);
    Rec->MessageAnswers = {MsgButton::Yes};
    Form->F_SaveClick();
    for (const char* companion : {"scene.adc", "scene.ads", "SCENE.ADT"})
        EXPECT_FALSE(FileExists(Dir.File(companion))) << companion;
    ASSERT_TRUE(Form->LoadFromFile(Dir.File("scene.png")));
    EXPECT_EQ(GreenHistogram[0], pixels);
    EXPECT_EQ(BlueHistogram[0], pixels);
    EXPECT_EQ(BandHistogramStats[1].Mean, 0);
    Rec->FileAnswers.push_back(Dir.File("scene.bmp"));
    Rec->MessageAnswers = {MsgButton::Yes};
    Form->FS_BMPClick();
    for (const std::string& companion : companions)
        EXPECT_FALSE(FileExists(Dir.File(companion))) << companion;
}

} // namespace
