// Band-file splitting and cropping: small hand-made files whose expected bands are written out
// below byte by byte, the generated NALC sampler, and the Landsat scene of tests/data/bands.
#include "import/vBandImport.h"

#include "import/HeaderFixture.h"
#include "runtime/RtErrors.h"

#include <filesystem>
#include <functional>

namespace {

using Bytes = std::vector<uint8_t>;

void WriteBytes(const std::string& path, const Bytes& b) {
    ASSERT_TRUE(WriteFileAtomic(path, b, TReplaceLeave::Chosen(path)));
}

std::vector<std::string> FolderNames(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void ClearFolder(const std::string& dir) {
    for (const auto& e : std::filesystem::directory_iterator(dir))
        std::filesystem::remove_all(e.path());
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
    // Sought from 32767 and 0, the extremes are -1000 and 0, not -1000 and -100: 127.5 -> 128,
    // 229.5 -> 230, 178.5 -> 178, 76.5 -> 76.
    {"all negative keeps its top below 255",
     {3, 1, 2, 0, true, true},
     {0x18, 0xFC, 0x0C, 0xFE, 0x9C, 0xFF, 0xD4, 0xFE, 0x44, 0xFD, 0x38, 0xFF},
     {{0, 128, 230}, {178, 76, 204}}},
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

// Headers that cannot be written are each reported once, naming the file and the reason; the
// split used to save them twice and show each refusal twice.
TEST_F(BandFilesTest, RawSplitReportsEachRefusedHeaderOnce) {
    TempDir dir;
    WriteBytes(dir.File("scene.raw"), RawCases[0].Input);
    for (const char* name : {"scene.dih", "scene.dis"})
        std::filesystem::create_symlink("elsewhere", dir.File(name));
    Rec.Clear();
    ASSERT_EQ(RawSplitScene(dir.File("scene.raw"), RawCases[0].Split), 0);
    EXPECT_EQ(Rec.ErrorBoxes,
              (std::vector<std::string>{"File access denied\r\n" + dir.File("scene.dih"),
                                        "File access denied\r\n" + dir.File("scene.dis")}));
    EXPECT_TRUE(Rec.Messages.empty()) << Rec.Summary();
    EXPECT_EQ(FileBytes(dir.File("scene.B1")), RawCases[0].Bands[0]);
}

// A second split of a scene would replace its DIS with every run's record since, and its bands:
// the user is asked once, naming them all, and No leaves every file as it was.
TEST_F(BandFilesTest, RawSplitAgainAsksOnceBeforeReplacingTheScenesFiles) {
    TempDir dir;
    WriteBytes(dir.File("scene.raw"), RawCases[0].Input);
    ASSERT_EQ(RawSplitScene(dir.File("scene.raw"), RawCases[0].Split), 0);
    WriteFileAtomic(dir.File("scene.dis"), std::string("the scene's records\r\n"),
                    TReplaceLeave::Chosen(dir.File("scene.dis")));
    const auto before = FolderBytes(dir.Path());
    for (MsgButton answer : {MsgButton::No, MsgButton::Yes}) {
        Rec.Clear();
        Rec.MessageAnswers = {answer};
        EXPECT_EQ(RawSplitScene(dir.File("scene.raw"), RawCases[0].Split),
                  answer == MsgButton::Yes ? 0 : NothingWrittenRefusal);
        ASSERT_EQ(Rec.Messages.size(), 1u) << Rec.Summary();
        EXPECT_EQ(Rec.Messages[0].Text, "These files already exist:\n" + dir.File("scene.B1") +
                                            "\n" + dir.File("scene.B2") + "\n" +
                                            dir.File("scene.dih") + "\n" + dir.File("scene.dis") +
                                            "\nDo you want to replace them?");
        EXPECT_EQ(FolderBytes(dir.Path()) == before, answer == MsgButton::No);
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
    EXPECT_EQ(HeaderPages[DIHField::RIHBFName1], "nalc.BNx");
    EXPECT_EQ(HeaderPages[DIHField::RIHBFName2], "nalc.BN2");
    EXPECT_EQ(HeaderPages[DIHField::RIHBFName5], "nalc.BN5");
    EXPECT_EQ(HeaderPages.DISProcessMemo.size(), 5u);
    EXPECT_EQ(HeaderPages[DIHField::RIHRC], "1300");
    EXPECT_EQ(HeaderPages[DIHField::RIHNBEdit], "5");

    // The split's own header previews and crops: every band it counts names its file.
    TCropScene scene;
    ASSERT_TRUE(ChooseCropScene(dir.File("nalc.dih"), scene));
    const TCropPreview preview = PaintCropPreview(dir.File(HeaderPages[DIHField::RIHBFName1]),
                                                  NalcSide, 0, NalcSide, NalcSide);
    EXPECT_EQ(preview.Grey[PreviewSide + 1], file[4 * NalcSide * NalcSide + 3 * NalcSide + 3]);
    bool tooMany = false;
    ASSERT_EQ(CropScene(scene, "cut", {1, 2, 1, 2}, tooMany), 0) << Rec.Summary();
    const char* products[] = {".B20", ".B30", ".B40", ".B50", ".B10"};
    for (size_t b = 0; b < 5; ++b) {
        const size_t at = b * NalcSide * NalcSide;
        EXPECT_EQ(FileBytes(dir.File(std::string("cut") + products[b])),
                  (Bytes{file[at], file[at + 1], file[at + NalcSide], file[at + NalcSide + 1]}))
            << products[b];
    }

    TempDir shortDir;
    WriteBytes(shortDir.File("nalc.IMG"), Bytes(static_cast<size_t>(NalcFileBytes - 1)));
    EXPECT_EQ(NalcSplitScene(shortDir.File("nalc.IMG")), BandSizeMessage);
    EXPECT_EQ(FolderNames(shortDir.Path()), std::vector<std::string>{"nalc.IMG"});
}

// An input that bears the name of a band file or header the split or the crop makes, under any
// spelling, is refused with 27 and stays as it was: it used to be replaced by its own product.
TEST_F(BandFilesTest, OutputOverItsInputIsRefused) {
    TRawSplit reduce = {10, 5, 2, 0, true, true};
    const struct {
        const char* Name;
        const char* Input;
        int64_t Size;
        std::function<int(const std::string&)> Run;
    } cases[] = {
        {"16-bit reduced split of a band", "s.B1", 200,
         [&](const std::string& in) { return RawSplitScene(in, reduce); }},
        {"8-bit split of a DIH", "s.dih", 100,
         [](const std::string& in) {
             return RawSplitScene(in, {10, 10, 1, 0});
         }},
        {"split of a DIS", "s.dis", 100,
         [](const std::string& in) {
             return RawSplitScene(in, {10, 10, 1, 0});
         }},
        {"NALC split of its first band", "x.BN2", NalcFileBytes,
         [](const std::string& in) { return NalcSplitScene(in); }},
        {"crop into its own source", "c.B10", 100,
         [](const std::string& in) {
             return CropBandFiles({{in, 0, in}}, 10, {1, 6, 1, 1});
         }},
        {"crop into its own source through the folder", "d.B10", 100,
         [](const std::string& in) {
             return CropBandFiles({{in, 0, ExtractFilePath(in) + "./d.B10"}}, 10, {1, 6, 1, 1});
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TempDir dir;
        const std::string input = dir.File(c.Input);
        Bytes content(static_cast<size_t>(std::min<int64_t>(c.Size, 4096)));
        for (size_t i = 0; i < content.size(); ++i)
            content[i] = static_cast<uint8_t>(i * 7 + 1);
        WriteBytes(input, content);
        std::filesystem::resize_file(input, static_cast<uintmax_t>(c.Size));
        const std::string before = FileText(input);
        EXPECT_EQ(c.Run(input), OutputIsInputMessage);
        EXPECT_EQ(FileText(input), before);
        EXPECT_EQ(FolderNames(dir.Path()), std::vector<std::string>{c.Input});
    }
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
        ASSERT_TRUE(ChooseCropScene(Dir.File("scene.dih"), Scene));
    }
    // The DIH's band slots as given ("NA" for none), saved and chosen again.
    void SetSlots(const std::vector<std::pair<DIHField, std::string>>& slots) {
        for (const auto& [field, name] : slots)
            HeaderPages[field] = name;
        HeaderPages.RIHSaveIt();
        ASSERT_TRUE(ChooseCropScene(Dir.File("scene.dih"), Scene));
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
        // The second cut replaces the first one's files: the user is asked once, for all.
        Rec.Clear();
        Rec.MessageAnswers = {MsgButton::Yes};
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

    ASSERT_EQ(Rec.Messages.size(), 1u) << Rec.Summary();
    EXPECT_EQ(Rec.Messages[0].Text, "These files already exist:\n" + Dir.File("cut.dis") + "\n" +
                                        Dir.File("cut.B10") + "\n" + Dir.File("cut.B20") +
                                        "\nDo you want to replace them?");

    // The whole scene comes back unchanged: no column shifted, no padding on the right.
    Rec.MessageAnswers = {MsgButton::Yes};
    ASSERT_EQ(Crop({1, 4, 1, 3}), 0);
    EXPECT_EQ(FileBytes(Dir.File("cut.B10")), FileBytes(Dir.File("scene.B1")));
}

TEST_F(CropTest, RefusesBeforeWritingAnything) {
    MakeScene(2);
    ASSERT_TRUE(MakeDirectories(Dir.File("sub/")));
    // Another scene's DIS, under the name typed for the new one.
    WriteBytes(Dir.File("sqr.dis"), Bytes(168, 'q'));
    const std::vector<std::string> before = FolderNames(Dir.Path());
    const std::string dis = FileText(Dir.File("scene.dis"));
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
        {"the scene's DIS through the folder", "./scene", {1, 2, 1, 2}, 27},
        {"the scene's DIS through a subfolder", "sub/../scene", {1, 2, 1, 2}, 27},
        {"left of the scene", "cut.dis", {0, 2, 1, 2}, BandSizeMessage},
        {"right of the scene", "cut.dis", {1, 5, 1, 2}, BandSizeMessage},
        {"below the scene", "cut.dis", {1, 2, 2, 4}, BandSizeMessage},
        // The user keeps the other scene's DIS (the question is answered No): it used to be
        // replaced without a word.
        {"another scene's DIS", "sqr", {1, 2, 1, 2}, NothingWrittenRefusal},
        // A name is a file name: with a folder part the crop wrote beside another scene.
        {"a name with a folder part", "sub/cut", {1, 2, 1, 2}, NothingWrittenRefusal},
        // No name: the DIS and the bands were hidden files (".dis", ".B10") and the DIH listed
        // ".dis".
        {"no name", "", {1, 2, 1, 2}, NoHeaderNameMessage},
        {"only an extension", ".dis", {1, 2, 1, 2}, NoHeaderNameMessage},
    };
    // A refused crop leaves the folder the user was in.
    ImageDirectory = "/elsewhere/";
    for (const Case& c : cases) {
        bool tooMany = false;
        EXPECT_EQ(CropScene(Scene, c.DIS, c.Rect, tooMany), c.Message) << c.Name;
        EXPECT_EQ(ImageDirectory, "/elsewhere/") << c.Name;
    }
    // A band file shorter than the scene says.
    WriteBytes(Dir.File("scene.B2"), Bytes(11, 0));
    EXPECT_EQ(Crop({1, 4, 1, 3}), BandSizeMessage);
    // Armed, but no scene was read: nothing to cut, and the folder stays.
    const TCropScene chosen = Scene;
    Scene = TCropScene();
    EXPECT_EQ(Crop({1, 2, 1, 2}), 39993);
    Scene = chosen;
    DISLoaded = false;
    EXPECT_EQ(Crop({1, 2, 1, 2}), 39993);
    EXPECT_EQ(ImageDirectory, "/elsewhere/");
    EXPECT_EQ(FolderNames(Dir.Path()), before);
    EXPECT_EQ(FileText(Dir.File("scene.dis")), dis);
    EXPECT_EQ(FileBytes(Dir.File("sqr.dis")), Bytes(168, 'q'));
}

// A copy of the scene's DIH, its title changed, is cropped: the new DIS is listed in the copy,
// which keeps its title. The copy's name line still names the scene's DIH, which used to be
// rewritten with the copy's content while the copy stayed as it was.
TEST_F(CropTest, TheDISListGoesIntoTheChosenDIH) {
    MakeScene(2);
    const std::string scene = FileText(Dir.File("scene.dih"));
    HeaderPages[DIHField::RIHSceneTitle] = "the copy";
    std::vector<std::string> lines = HeaderPages.DIHLines();
    ASSERT_TRUE(WriteFileAtomic(Dir.File("copy.dih"), JoinLinesCRLF(lines),
                                TReplaceLeave::Chosen(Dir.File("copy.dih"))));
    ASSERT_TRUE(ChooseCropScene(Dir.File("copy.dih"), Scene));
    ASSERT_EQ(Crop({1, 2, 1, 2}), 0) << Rec.Summary();
    lines.push_back("cut.dis");
    EXPECT_EQ(FileText(Dir.File("copy.dih")), JoinLinesCRLF(lines));
    EXPECT_EQ(FileText(Dir.File("scene.dih")), scene);
}

// A band product or the new DIS that would replace one of the scene's own band files, under its
// own name or another spelling of it, refuses the crop with 27 and writes nothing.
TEST_F(CropTest, ProductOverASourceIsRefused) {
    using F = DIHField;
    const std::pair<const char*, std::vector<std::pair<F, std::string>>> cases[] = {
        {"band 1 spelled through its folder", {{F::RIHBFName1, "./cut.B10"}}},
        {"the new DIS over band 2's file", {{F::RIHBFName2, "cut.dis"}}},
    };
    for (const auto& [name, slots] : cases) {
        SCOPED_TRACE(name);
        ClearFolder(Dir.Path());
        MakeScene(2);
        std::filesystem::copy_file(Dir.File("scene.B1"), Dir.File("cut.B10"));
        std::filesystem::copy_file(Dir.File("scene.B2"), Dir.File("cut.dis"));
        SetSlots(slots);
        const std::vector<std::string> before = FolderNames(Dir.Path());
        const std::string dih = FileText(Dir.File("scene.dih"));
        EXPECT_EQ(Crop({2, 3, 1, 2}), OutputIsInputMessage);
        EXPECT_EQ(FileBytes(Dir.File("cut.B10")), FileBytes(Dir.File("scene.B1")));
        EXPECT_EQ(FileBytes(Dir.File("cut.dis")), FileBytes(Dir.File("scene.B2")));
        EXPECT_EQ(FolderNames(Dir.Path()), before);
        EXPECT_EQ(FileText(Dir.File("scene.dih")), dih);
    }
}

// A DIH the reader refuses (its version, or a number line that stops the read) chosen after a
// good scene arms no crop: the crop used to cut the earlier scene's bands under the new names
// and rewrite that scene's DIH.
TEST_F(CropTest, RefusedDIHArmsNoCropAndWritesNothing) {
    MakeScene(2);
    std::vector<std::string> lines = SplitLines(FileText(Dir.File("scene.dih")));
    const std::pair<const char*, std::pair<size_t, const char*>> refused[] = {
        {"version", {0, "DIH 1.0"}},
        {"number line", {129, "1,5"}},
    };
    for (const auto& [name, change] : refused) {
        SCOPED_TRACE(name);
        std::vector<std::string> bad = lines;
        bad[change.first] = change.second;
        ASSERT_TRUE(WriteFileAtomic(Dir.File("other.dih"), JoinLinesCRLF(bad),
                                    TReplaceLeave::Chosen(Dir.File("other.dih"))));
        const std::vector<std::string> before = FolderNames(Dir.Path());
        const std::string dih = FileText(Dir.File("scene.dih"));
        ImageDirectory = "/elsewhere/";
        TCropScene scene = Scene;
        RunGuarded([&] { ChooseCropScene(Dir.File("other.dih"), scene); });
        EXPECT_FALSE(DISLoaded);
        EXPECT_EQ(scene.DIHPath, Scene.DIHPath);
        EXPECT_EQ(ImageDirectory, "/elsewhere/");
        EXPECT_EQ(Crop({1, 4, 1, 3}), 39993);
        EXPECT_EQ(FolderNames(Dir.Path()), before);
        EXPECT_EQ(FileText(Dir.File("scene.dih")), dih);
        ImageDirectory = Dir.Path();
    }
}

using F = DIHField;

struct SlotCase {
    const char* Name;
    int Bands; // split from the raw file
    std::vector<std::pair<F, std::string>> Slots;
    // The product of each band in order, and the split band it must hold.
    std::vector<std::pair<const char*, int>> Products;
};

// Band k of the split holds 16(k-1) + i at pixel i; the crop takes the whole scene.
const SlotCase SlotCases[] = {
    {"six bands as the splitter names them",
     6,
     {},
     {{"B10", 1}, {"B20", 2}, {"B30", 3}, {"B40", 4}, {"B50", 5}, {"B6H", 6}}},
    {"seven bands as the splitter names them",
     7,
     {},
     {{"B10", 1}, {"B20", 2}, {"B30", 3}, {"B40", 4}, {"B50", 5}, {"B6H", 6}, {"B70", 7}}},
    {"six bands, band 6 named by slot 7 alone",
     6,
     {{F::RIHBFName6H, "NA"}, {F::RIHBFName7, "scene.B6"}},
     {{"B50", 5}, {"B70", 6}}},
    {"eight TM bands with both band-6 gains",
     8,
     {{F::RIHBFName6L, "scene.B6"}, {F::RIHBFName6H, "scene.B7"}, {F::RIHBFName7, "scene.B8"}},
     {{"B6L", 6}, {"B6H", 7}, {"B70", 8}}},
    {"nine ETM bands",
     9,
     {{F::RIHBFName6L, "scene.B6"},
      {F::RIHBFName6H, "scene.B7"},
      {F::RIHBFName7, "scene.B8"},
      {F::RIHBFName8, "scene.B9"}},
     {{"B6L", 6}, {"B6H", 7}, {"B70", 8}, {"B80", 9}}},
};

TEST_F(CropTest, FindsEveryBandOfSeparateFilesInItsSlot) {
    for (const SlotCase& c : SlotCases) {
        SCOPED_TRACE(c.Name);
        ClearFolder(Dir.Path());
        MakeScene(c.Bands);
        SetSlots(c.Slots);
        ASSERT_EQ(Crop({1, 4, 1, 3}), 0) << Rec.Summary();
        for (const auto& [ext, band] : c.Products)
            EXPECT_EQ(FileBytes(Dir.File(std::string("cut.") + ext)),
                      FileBytes(Dir.File("scene.B" + std::to_string(band))))
                << ext;
        EXPECT_EQ(HeaderPages.DISSubsetNBands, std::to_string(c.Bands));
    }
}

// The hint panel shows each band's own stage as the crop reaches it.
TEST_F(CropTest, EachBandShowsItsStageInTheHints) {
    MakeScene(7);
    static std::vector<std::string> hints;
    hints.clear();
    bool tooMany = false;
    ASSERT_EQ(CropScene(Scene, "cut.dis", {1, 1, 1, 1}, tooMany, nullptr,
                        [](const char* text) { hints.emplace_back(text); }),
              0);
    EXPECT_EQ(hints, (std::vector<std::string>{"Processing Band 1", "BSQ Processing Band 2",
                                               "BSQ Processing Band 3", "BSQ Processing Band 4",
                                               "BSQ Processing Band 5", "BSQ Processing Band 6",
                                               "BSQ Processing Band 7"}));
    EXPECT_EQ(std::string(CropBandHints[7]) + " | " + CropBandHints[8],
              "BSQ Processing Band 7 or 8 | Processing Band ETM 8");
}

// A band the DIH counts but the crop cannot find stops it before anything is written; it used
// to end after the bands found and report success.
TEST_F(CropTest, BandWithoutAFileRefusesTheWholeCrop) {
    struct Case {
        const char* Name;
        int Bands;
        std::vector<std::pair<F, std::string>> Slots;
    };
    const Case cases[] = {
        {"seven bands, no band-6 slot, band 7 taken by band 6", 7, {{F::RIHBFName6H, "NA"}}},
        {"eighth band of a split in no slot", 8, {}},
        {"band 2's file named but gone", 3, {{F::RIHBFName2, "scene.B9"}}},
        {"band 6 named by no slot", 6, {{F::RIHBFName6H, ""}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        ClearFolder(Dir.Path());
        MakeScene(c.Bands);
        SetSlots(c.Slots);
        const std::vector<std::string> before = FolderNames(Dir.Path());
        const std::string dih = FileText(Dir.File("scene.dih"));
        EXPECT_EQ(Crop({1, 4, 1, 3}), MissingBandMessage);
        EXPECT_EQ(FolderNames(Dir.Path()), before);
        EXPECT_EQ(FileText(Dir.File("scene.dih")), dih);
    }
}

TEST(CropBandExtensionTest, SequentialBandsAreNumberedByBand) {
    for (int k = 1; k <= 9; ++k)
        EXPECT_EQ(SequentialCropExtension(k), ".B" + std::to_string(k) + "0");
}

// Sizes from a header reach no allocation and no file before they are checked: each case used
// to allocate gigabytes, overflow the size check or write a file of zeros no band holds.
TEST_F(CropTest, OversizedHeaderNumbersAreRefusedBeforeAnythingExists) {
    MakeScene(2);
    const std::vector<std::string> before = FolderNames(Dir.Path());
    const std::string dih = FileText(Dir.File("scene.dih"));
    struct Case {
        const char* Name;
        F Field;
        const char* Value;
        bool ChoiceRefused; // else the crop of the whole scene is
    };
    const Case cases[] = {
        {"right column of 999999999999", F::RIHRC, "999999999999", true},
        {"right column of 4e9", F::RIHRC, "4000000000", true},
        {"bottom row past the splitters' limit", F::RIHBR, "32768", true},
        {"negative left column", F::RIHLC, "-1", true},
        {"line size of 2^62", F::RIHinLine, "4611686018427387904", false},
        {"line size past the splitters' limit", F::RIHinLine, "32768", false},
        {"line size of 0", F::RIHinLine, "0", false},
        {"line shorter than the right column", F::RIHinLine, "3", false},
        {"rows past the file's end", F::RIHBR, "32767", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        HeaderPages.RIHOpenRIHHeader(Dir.File("scene.dih"));
        HeaderPages[c.Field] = c.Value;
        HeaderPages.RIHSaveIt();
        Rec.Clear();
        TCropScene scene;
        const bool chosen = ChooseCropScene(Dir.File("scene.dih"), scene);
        EXPECT_EQ(chosen, !c.ChoiceRefused);
        EXPECT_EQ(DISLoaded, chosen);
        if (chosen) {
            bool tooMany = false;
            const TCropRect all{scene.Left, scene.Right, scene.Top, scene.Bottom};
            EXPECT_EQ(CropScene(scene, "cut.dis", all, tooMany), BandSizeMessage);
        } else {
            EXPECT_TRUE(Rec.Shown(BandSizeMessage)) << Rec.Summary();
        }
        std::filesystem::remove(Dir.File("scene.dih"));
        ASSERT_TRUE(WriteFileAtomic(Dir.File("scene.dih"), dih,
                                    TReplaceLeave::Chosen(Dir.File("scene.dih"))));
        EXPECT_EQ(FolderNames(Dir.Path()), before);
    }
    // The engine itself, given the same numbers directly.
    const TCropSource band{Dir.File("scene.B1"), 0, Dir.File("cut.B10")};
    const std::pair<int64_t, TCropRect> direct[] = {
        {int64_t{1} << 62, {1, 4, 1, 3}},
        {4, {1, 4000000000, 1, 3}},
        {4, {1, 4, 1, int64_t{1} << 62}},
        {int64_t{1} << 40, {1, 4, 1, int64_t{1} << 30}},
    };
    for (const auto& [rowLength, rect] : direct)
        EXPECT_EQ(CropBandFiles({band}, rowLength, rect), BandSizeMessage) << rowLength;
    EXPECT_EQ(FolderNames(Dir.Path()), before);
}

// The preview reads records of the scene's right column: one longer than the file makes no
// buffer and leaves the preview black.
TEST(CropPreviewTest, RecordLongerThanTheFileLeavesItBlack) {
    TempDir dir;
    WriteBytes(dir.File("scene.B1"), Bytes(6400, 200));
    for (int64_t record : {int64_t{999999999999}, int64_t{4000000000}, int64_t{6401}}) {
        const TCropPreview p = PaintCropPreview(dir.File("scene.B1"), record, 0, record, 352);
        EXPECT_EQ(std::count(p.Grey.begin(), p.Grey.end(), 0), PreviewSide * PreviewSide) << record;
    }
    const TCropPreview fits = PaintCropPreview(dir.File("scene.B1"), 64, 0, 64, 100);
    EXPECT_EQ(fits.Grey[PreviewSide + 1], 200);
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

    // Cropped from the band files the split made: band 6 is found in its 6H slot.
    TCropScene scene;
    ASSERT_TRUE(ChooseCropScene(Dir.File("olinda.dih"), scene));
    bool tooMany = true;
    ASSERT_EQ(CropScene(scene, "split.dis", {51, 150, 101, 200}, tooMany), 0);
    const char* own[] = {"B10", "B20", "B30", "B40", "B50", "B6H"};
    for (int b = 1; b <= 6; ++b)
        EXPECT_EQ(FileBytes(Dir.File(std::string("split.") + own[b - 1])),
                  BandWindow(bands[b - 1], 349, 51, 150, 101, 200))
            << b;
    EXPECT_EQ(HeaderPages.DISSubsetNBands, "6");

    // Cropped from the one band-sequential file.
    HeaderPages[DIHField::RIHBFName1] = "olinda.bsq";
    HeaderPages.RIHSaveIt();
    ASSERT_TRUE(ChooseCropScene(Dir.File("olinda.dih"), scene));
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
