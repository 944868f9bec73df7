#include "algebra/vUPixAl.h"
#include "platform/PlRichText.h"
#include "runtime/RtFiles.h"
#include "runtime/RtRandom.h"
#include "shell/vMacroCodes.h"
#include "shell/vMacroPlayer.h"
#include "shell/vPictureFiles.h"
#include "support/EngineTestImage.h"
#include "support/PngFixtures.h"
#include "support/RecordingHooks.h"
#include "support/TestFiles.h"

#include <functional>
#include <png.h>

namespace {

using Lines = std::vector<std::string>;

std::string MacroData(const std::string& name) {
    return TestData("macros/") + name;
}

TEST(MacroFile, RichTextKeepsEveryLineAndByte) {
    const Lines cases[] = {
        {},
        {""},
        {"Raster Macro File", "", "a\\b{c}d", "caf\xe9\tx", "=0005   Save", ""},
    };
    for (const Lines& lines : cases) {
        const std::string rtf = RichTextFromLines(lines);
        EXPECT_TRUE(IsRichText(rtf));
        EXPECT_EQ(LinesFromDocument(rtf), lines) << rtf;
    }
}

TEST(MacroFile, DocumentsOfOtherEditorsLoadToTheirLines) {
    Lines lines;
    ASSERT_TRUE(LoadMacroFile(MacroData("wordprocessor.eve"), lines));
    EXPECT_EQ(lines, (Lines{"Raster Macro File", "caf\xe9.png", "/home/user/pictures/",
                            "=0003  Open", "/home/user/pictures/", "caf\xe9.png",
                            "a {brace} and a back\\slash\tend", ""}));
    ASSERT_TRUE(LoadMacroFile(MacroData("plain.eve"), lines));
    EXPECT_EQ(lines, (Lines{"Raster Macro File", "scene.png", "/data/", "=0202  PixelRatios", "4",
                            "", "=0001  UndoImage"}));
    EXPECT_FALSE(LoadMacroFile(MacroData("missing.eve"), lines));
    EXPECT_EQ(lines.size(), 7u);
}

// The pixel-algebra window's lines with its resource choices: A red, divide, B blue.
Lines ResourceChoices() {
    Lines lines = {"=0201   Do_PixelAlgebra", "0", "3", "0", "0"};
    lines.resize(13, "-1");
    lines.push_back("2");
    lines.resize(22, "-1");
    return lines;
}

class MacroPlay : public EngineTestImage {
  protected:
    void LoadNoise() {
        std::vector<Rgb> pixels;
        for (int i = 0; i < 24; ++i)
            pixels.push_back({(i * 37) % 256, (i * 91 + 13) % 256, (i * 53 + 200) % 256});
        Load(6, pixels);
    }
};

TEST_F(MacroPlay, ProcessingOptionsBlockWritesAndReadsEveryOption) {
    ClipOption = AutoRangeOption = ToggleGreen = SetThresholdOption = true;
    AbsoluteValuesOption = SetAbsoluteOption = Scale0To255Option = BelowZeroOption = false;
    ToggleBlue = ToggleRed = ToggleRGB = false;
    RealATMin = 0.5;
    RealATMax = 250;
    IntATMin = 3;
    IntATMax = 254;
    const Lines block = ProcessingOptionsLines();
    EXPECT_EQ(block, (Lines{"=0000  Processing Options", "Absolute Values:Off", "Set Absolute:Off",
                            "0.5", "250", "Clip:On", "Do_0..1..255:Off", "BelowZero -1..0..1:Off",
                            "AutoRange:On", "Set Threshold:On", "3", "254", "Toggle Blue:Off",
                            "Toggle Green:On", "Toggle Red:Off", "Toggle RGB:Off"}));

    ClipOption = AutoRangeOption = ToggleGreen = SetThresholdOption = false;
    RealATMin = RealATMax = 0;
    IntATMin = IntATMax = 0;
    EXPECT_TRUE(PlayMacro(block));
    EXPECT_EQ(ProcessingOptionsLines(), block);

    // Another letter case or a trailing blank is off; the integers keep their low byte.
    Lines odd = block;
    odd[5] = "clip:On";
    odd[8] = "AutoRange:On ";
    odd[10] = "300";
    odd[3] = "1.5e1x";
    EXPECT_TRUE(PlayMacro(odd));
    EXPECT_FALSE(ClipOption);
    EXPECT_FALSE(AutoRangeOption);
    EXPECT_EQ(IntATMin, 44);
    EXPECT_EQ(RealATMin, 15.0);
}

TEST_F(MacroPlay, OnlyKnownCommandLinesPlay) {
    LoadNoise();
    const Picture before = DisplayedPicture;
    ClipOption = true;
    EXPECT_TRUE(
        PlayMacro(Lines{"Raster Macro File", "0000  Processing Options", " =0001", "=0103  none",
                        "=9999", "=0301  Do_IntegerFile", "/f/", "/f/a.RL3", "0", "0"}));
    EXPECT_EQ(DisplayedPicture.Pixels, before.Pixels);
    EXPECT_TRUE(ClipOption);
    EXPECT_EQ(Rec.Status0, Lines{"Macro code 0301 skipped: not available"});
    EXPECT_TRUE(Rec.ErrorBoxes.empty());

    // The block's lines past the end read empty: every flag off, every number 0.
    EXPECT_TRUE(PlayMacro(Lines{"=0000"}));
    EXPECT_FALSE(ClipOption);
    EXPECT_EQ(IntATMax, 0);
}

// With no picture, the first step that works on one says so once and ends the walk: every step
// used to show "You Crashed ! OUT of Resources!", once each. The options and an open need none.
TEST_F(MacroPlay, WithoutAPictureTheFirstImageStepEndsThePlay) {
    const Lines ratios = {"=0202  PixelRatios", "4"};
    const struct {
        Lines Macro;
        const char* Message;
        bool ClipAfter;
    } cases[] = {
        {{"=0000", "", "", "", "", "Clip:On", "=0202  PixelRatios", "4", "=0215  Offset", "10",
          "=0001  UndoImage", "=0000"},
         "Image not loaded",
         true},
        {{"=0005  Save", "/tmp/", "x.png", "=0202  PixelRatios", "4"},
         "There is no image currently loaded to save.",
         false},
        {{"=0301  Do_IntegerFile", "/f/", "a.RL3", "0", "0", "=0001  UndoImage", "=0000"},
         "Image not loaded",
         false},
    };
    for (const auto& c : cases) {
        ClipOption = false;
        Rec.Clear();
        EXPECT_FALSE(PlayMacro(c.Macro));
        ASSERT_EQ(Rec.Messages.size(), 1u) << Rec.Summary();
        EXPECT_EQ(Rec.Messages[0].Text, c.Message);
        EXPECT_TRUE(Rec.ErrorBoxes.empty());
        // The walk ended there: the options block after the step was not played.
        EXPECT_EQ(ClipOption, c.ClipAfter);
        EXPECT_TRUE(DisplayedPicture.Empty());
    }
}

// Each replayed pixel-algebra line against the engine called as its window calls it.
TEST_F(MacroPlay, PixelAlgebraCodesReplayTheRecordedCall) {
    const struct {
        Lines macro;
        std::function<void()> direct;
    } cases[] = {
        {{"=0202  PixelRatios", "4"}, [] { DoPixelRatios(5); }},
        {{"=0202  PixelRatios", "-1"}, [] {}},
        {{"=0203  Do_PARBMultiply", "0.332", "0.603", "0.675", "-0.283", "-0.66", "0.577", "-0.899",
          "0.428", "0.076", "2"},
         [] {
             DoPARBMultiply(2, 0.332, 0.603, 0.675, -0.283, -0.66, 0.577, -0.899, 0.428, 0.076);
         }},
        {{"=0204  Do_PMultiply", "-0.8561", "0.36", "1.19", "3"},
         [] { DoPMultiply(3, -0.8561, 0.36, 1.19); }},
        {ResourceChoices(),
         [] {
             DoPixelAlgebra({0, 0, 3, 0, 9, 9, 9, 9, 2, 9, 9, 9, 9});
         }},
        {{"=0215", "-40"}, [] { DoBrightnessOffset(-40); }},
        {{"=0211", "0", "2", "1.5", "3"}, [] { DoPowerLogTransform(0, 2, 1.5, 3.0); }},
    };
    for (const auto& c : cases) {
        LoadNoise();
        c.direct();
        const Picture want = DisplayedPicture;
        LoadNoise();
        EXPECT_TRUE(PlayMacro(c.macro)) << c.macro[0] << Rec.Summary();
        EXPECT_EQ(DisplayedPicture.Pixels, want.Pixels) << c.macro[0] << " " << c.macro[1];
    }
}

TEST_F(MacroPlay, PlayedPixelAlgebraLogsAndRadioIndexesAreClamped) {
    LoadNoise();
    LogToDIP = true;
    Lines macro = {"=0201   Do_PixelAlgebra", "7", "-9", "0"};
    macro.resize(22, "-5");
    EXPECT_TRUE(PlayMacro(macro));
    ASSERT_EQ(Rec.HistoryLines.size(), 23u);
    EXPECT_EQ(Lines(Rec.HistoryLines.begin(), Rec.HistoryLines.begin() + 5),
              (Lines{"=0201   Do_PixelAlgebra", "2", "-1", "0", "-1"}));
    EXPECT_EQ(Rec.HistorySaves, 1);
}

TEST_F(MacroPlay, OpenTakesTheNameFromTheRecordedFolderAndAnErrorEndsTheWalk) {
    TempDir dir;
    ASSERT_TRUE(WriteFileAtomic(dir.File("p.png"),
                                WritePngFixture(MakePngFixture(PNG_COLOR_TYPE_RGB, 8, false, 5, 3)),
                                TReplaceLeave::Chosen(dir.File("p.png"))));
    EXPECT_TRUE(PlayMacro(Lines{"=0003  Open", dir.Path(), "p.png"}));
    EXPECT_EQ(DisplayedPicture.Width, 5);
    EXPECT_EQ(ImageDirectory, dir.Path());

    ClipOption = false;
    EXPECT_FALSE(PlayMacro(
        Lines{"=0003  Open", dir.Path(), "gone.png", "=0000", "", "", "", "", "Clip:On"}));
    EXPECT_EQ(Rec.ErrorBoxes.size(), 1u);
    EXPECT_FALSE(ClipOption);
    EXPECT_EQ(DisplayedPicture.Width, 5);
    ImageDirectory.clear();
    SetImageName(CurrentImageFolder, "");
}

// Each flag alone on, the others off, and four numbers unlike each other: a flag read from or
// written to its neighbour's line, or two lines swapped, shows.
TEST_F(MacroPlay, ProcessingOptionsBlockKeepsEachOptionOnItsOwnLine) {
    const struct {
        bool* Global;
        int Line;
        const char* Name;
    } flags[] = {
        {&AbsoluteValuesOption, 1, "Absolute Values"},
        {&SetAbsoluteOption, 2, "Set Absolute"},
        {&ClipOption, 5, "Clip"},
        {&Scale0To255Option, 6, "Do_0..1..255"},
        {&BelowZeroOption, 7, "BelowZero -1..0..1"},
        {&AutoRangeOption, 8, "AutoRange"},
        {&SetThresholdOption, 9, "Set Threshold"},
        {&ToggleBlue, 12, "Toggle Blue"},
        {&ToggleGreen, 13, "Toggle Green"},
        {&ToggleRed, 14, "Toggle Red"},
        {&ToggleRGB, 15, "Toggle RGB"},
    };
    const auto allOff = [&] {
        for (const auto& f : flags)
            *f.Global = false;
    };
    for (const auto& on : flags) {
        SCOPED_TRACE(on.Name);
        allOff();
        *on.Global = true;
        RealATMin = 0.25;
        RealATMax = 250.5;
        IntATMin = 3;
        IntATMax = 254;
        Lines want(16);
        want[0] = "=0000  Processing Options";
        for (const auto& f : flags)
            want[static_cast<size_t>(f.Line)] =
                std::string(f.Name) + (f.Global == on.Global ? ":On" : ":Off");
        want[3] = "0.25";
        want[4] = "250.5";
        want[10] = "3";
        want[11] = "254";
        const Lines block = ProcessingOptionsLines();
        EXPECT_EQ(block, want);

        allOff();
        RealATMin = RealATMax = 0;
        IntATMin = IntATMax = 0;
        ASSERT_TRUE(PlayMacro(block));
        for (const auto& f : flags)
            EXPECT_EQ(*f.Global, f.Global == on.Global) << f.Name;
        EXPECT_EQ(RealATMin, 0.25);
        EXPECT_EQ(RealATMax, 250.5);
        EXPECT_EQ(IntATMin, 3);
        EXPECT_EQ(IntATMax, 254);
    }
    allOff();
}

// The hand-written power and logarithm codes: the fourth value of 0212 and 0213 is a real (2.5
// read as a whole number would run with 2).
TEST_F(MacroPlay, PowerLogCodesReadTheirFourthValueAsAReal) {
    const struct {
        Lines macro;
        int32_t passes, mode;
        double p1, p2;
    } cases[] = {
        {{"=0212", "0", "2", "1.5", "2.5"}, 0, 2, 1.5, 2.5},
        {{"=0213", "1", "3", "0.5", "2.5"}, 1, 3, 0.5, 2.5},
        {{"=0211", "0", "3", "0.5", "2.5"}, 0, 3, 0.5, 2.0},
    };
    ClipOption = true;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.macro[0]);
        LoadNoise();
        DoPowerLogTransform(c.passes, c.mode, c.p1, c.p2);
        const Picture want = DisplayedPicture;
        LoadNoise();
        EXPECT_TRUE(PlayMacro(c.macro)) << Rec.Summary();
        EXPECT_EQ(DisplayedPicture.Pixels, want.Pixels);
    }
}

// 0214 adds one offset to the three bytes of a pixel, from a generator reseeded by the clock:
// two plays from the same seed give different noise.
TEST_F(MacroPlay, RandomNoiseCodeIsReseededAndShiftsEachPixelAsAWhole) {
    std::vector<Rgb> grey;
    for (int i = 0; i < 64; ++i)
        grey.push_back({100 + i % 7, 130 + i % 11, 150 - i % 5});
    std::vector<std::vector<Rgb>> played;
    for (int run = 0; run < 2; ++run) {
        Load(8, grey);
        rt::SetRandSeed(42);
        ASSERT_TRUE(PlayMacro(Lines{"=0214  Noise"})) << Rec.Summary();
        played.push_back(Shown());
    }
    EXPECT_NE(played[0], played[1]);
    EXPECT_NE(played[0], grey);
    for (size_t i = 0; i < grey.size(); ++i) {
        const int offset = played[0][i][0] - grey[i][0];
        EXPECT_LE(std::abs(offset), 99);
        EXPECT_EQ(played[0][i][1] - grey[i][1], offset) << i;
        EXPECT_EQ(played[0][i][2] - grey[i][2], offset) << i;
    }
}

// A played Open that fails leaves the picture under its own name, folder and caption, so the
// next Save writes the picture's own file and never the one that could not be read.
TEST_F(MacroPlay, AFailedOpenKeepsTheNameAndTheFailedFileSurvivesASave) {
    TempDir dir, other;
    ASSERT_TRUE(WriteFileAtomic(dir.File("p.png"),
                                WritePngFixture(MakePngFixture(PNG_COLOR_TYPE_RGB, 8, false, 5, 3)),
                                TReplaceLeave::Chosen(dir.File("p.png"))));
    const std::string notes = "meeting notes, not a picture\n";
    ASSERT_TRUE(WriteFileAtomic(other.File("notes.png"), notes,
                                TReplaceLeave::Chosen(other.File("notes.png"))));
    ASSERT_TRUE(WriteFileAtomic(other.File("notes.bmp"), std::string("BM") + notes,
                                TReplaceLeave::Chosen(other.File("notes.bmp"))));
    ASSERT_TRUE(WriteFileAtomic(other.File("notes.txt"), notes,
                                TReplaceLeave::Chosen(other.File("notes.txt"))));
    std::vector<std::string> captions;
    Hooks.SetMainCaption = [&](const std::string& c) { captions.push_back(c); };
    const struct {
        std::string Directory, Name;
    } cases[] = {
        {other.Path(), "notes.png"},
        {other.Path(), "notes.bmp"},
        {other.Path(), "notes.txt"},
        {other.Path(), "gone.png"},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Directory + c.Name);
        ASSERT_TRUE(PlayMacro(Lines{"=0003  Open", dir.Path(), "p.png"})) << Rec.Summary();
        const Picture shown = DisplayedPicture;
        ASSERT_EQ(captions.back(), "VORN KEEL  Image is: p.png");
        captions.clear();
        Rec.Clear();
        EXPECT_FALSE(PlayMacro(Lines{"=0003  Open", c.Directory, c.Name}));
        EXPECT_EQ(Rec.ErrorBoxes.size(), 1u);
        EXPECT_EQ(ImageDirectory, dir.Path());
        EXPECT_EQ(CurrentImageName, "p.png");
        EXPECT_TRUE(captions.empty());
        EXPECT_EQ(DisplayedPicture.Pixels, shown.Pixels);

        EXPECT_TRUE(SavePictureFile());
        for (const char* name : {"notes.png", "notes.txt"})
            EXPECT_EQ(FileText(other.File(name)), notes) << name;
        EXPECT_EQ(FileText(other.File("notes.bmp")), "BM" + notes);
        EXPECT_FALSE(FileExists(other.File("gone.png")));
    }
    Hooks.SetMainCaption = nullptr;
    ImageDirectory.clear();
    SetImageName(CurrentImageFolder, "");
}

TEST_F(MacroPlay, PlayRefusesWhileAnotherOperationRuns) {
    ClipOption = false;
    bool played = true;
    ArriveDuringOperation([&] { played = PlayMacro(Lines{"=0000", "", "", "", "", "Clip:On"}); });
    EXPECT_FALSE(played);
    EXPECT_FALSE(ClipOption);
}

TEST(MacroBlocks, FilterAndClassificationLines) {
    EXPECT_EQ(FilterBlockLines("/k/edge.RL3", 2, true), (Lines{"/k/", "/k/edge.RL3", "2", "1"}));
    const struct {
        int32_t classifier;
        const char* command;
        Lines tail; // lines 7 on
    } cases[] = {
        {0, "=0400  Do Stats PBox", {}},
        {3, "=0400  Do Parallel PBox", {"s.rts"}},
        {7, "=0400  Do Clustered", {"s.rts"}},
        {8, "=0400  KB Clustered", {"s.rts", "k.rkb"}},
        {9, "=0400  DO Clustered", {"s.rts", "o.rdo"}},
        {10, "=0400  KBO Clustered", {"s.rts", "k.rkb", "o.rdo"}},
        {11, "", {"s.rts"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ClassificationCommandLine(c.classifier), c.command);
        Lines want = {"4", std::to_string(c.classifier), "10", "20", "3", "9"};
        want.insert(want.end(), c.tail.begin(), c.tail.end());
        EXPECT_EQ(ClassificationBlockLines(
                      {4, c.classifier, "10", "20", "3", "9", "s.rts", "k.rkb", "o.rdo"}),
                  want)
            << c.classifier;
    }
}

TEST(MacroBlocks, CommandLinesKeepTheirBlanks) {
    EXPECT_EQ(MacroCommandLine(5), "=0005   Save");
    EXPECT_EQ(MacroCommandLine(2), "=0002 Saveas");
    EXPECT_EQ(MacroCommandLine(201), "=0201   Do_PixelAlgebra");
    EXPECT_EQ(MacroCommandLine(311), "=0311  Do_SlopeFile r2 8");
    EXPECT_EQ(MacroCommandLine(212), "");
    EXPECT_EQ(MacroCommandLine(103), "");
}

} // namespace
