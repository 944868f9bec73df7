// Runs of the band-processing window's pages on the Olinda scene: the products, the lines each
// run logs into the DIS and the DIS as saved.
#include "bandproc/ui/DisProcessFixture.h"
#include "bandproc/ui/vDisAlgebraPages.h"
#include "bandproc/ui/vDisPcaPage.h"
#include "bandproc/ui/vDisSinglePages.h"
#include "bandproc/ui/vFFTFrm.h"
#include "import/ui/vDisToDipPage.h"
#include "runtime/RtNumbers.h"
#include "shell/vToolForms.h"
#include "support/GuiWindows.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>

#include <cmath>
#include <filesystem>
#include <functional>

namespace {

uint8_t Clamped(double v) {
    return static_cast<uint8_t>(Round(std::clamp(v, 0.0, 255.0)));
}

class DisProducts : public DisProcessGui {
  protected:
    void SetUp() override {
        DisProcessGui::SetUp();
        SplitScene();
        ChooseDIS(Window->KTPage->TCDISFileBtn, Dir.File("olinda.dis"));
        ASSERT_TRUE(Window->Scene.Loaded) << Rec->Summary();
    }
    // The lines of the run titled `title`, in memory and in the saved DIS alike.
    std::vector<std::string> Logged(const std::string& title) {
        const std::vector<std::string> lines =
            LoggedFrom(Window->Scene.Pages.DISProcessMemo, title);
        EXPECT_EQ(LoggedFrom(SavedDIS(), title), lines);
        return lines;
    }
};

TEST_F(DisProducts, VegetationIndexTakesItsConstantsAndLogsThem) {
    TDisVIPage* vi = Window->VIPage;
    ChooseBand(vi->VIPFileBtns[0], 4);
    ChooseBand(vi->VIPFileBtns[1], 3);
    vi->VIPVEdits[0]->setText("2.5");
    vi->VIPOKBtns[1]->click();
    EXPECT_EQ(Logged("Image VIP 2:"),
              (std::vector<std::string>{"Image VIP 2:", "Band A: " + BandPath(4),
                                        "Band B: " + BandPath(3), "Band C: ", "Band D: ", "V1: 2.5",
                                        "V2: 0.1", "V3: 0.1", "V4: 0.1", "V5: 0.1", "V6: 0.1",
                                        "AutoRange: off", "olinda.pv2"}));
    const Bytes nir = Band(4), red = Band(3), out = FileBytes(Dir.File("olinda.pv2"));
    ASSERT_EQ(out.size(), nir.size());
    EXPECT_EQ(out[1000], Clamped(2.5 * nir[1000] - red[1000])); // the typed constant reached it

    // A constant that is no number stops the run before anything is logged.
    vi->VIPVEdits[4]->setText("0.1x");
    const size_t logged = Window->Scene.Pages.DISProcessMemo.size();
    vi->VIPOKBtns[0]->click();
    EXPECT_EQ(Window->Scene.Pages.DISProcessMemo.size(), logged);
    EXPECT_FALSE(FileExists(Dir.File("olinda.pv1")));
    EXPECT_NE(Rec->Summary().find("0.1x"), std::string::npos) << Rec->Summary();
}

TEST_F(DisProducts, TasselledCapOnSixBandsCountsItsProducts) {
    TDisKTPage* kt = Window->KTPage;
    kt->TCTMBtn->click();
    for (int c = 0; c < 6; ++c)
        ChooseBand(kt->TCFileBtns[c], c + 1);
    kt->TCOKBtn->click();
    EXPECT_EQ(
        Logged("Tassled Cap:"),
        (std::vector<std::string>{"Tassled Cap:", "6 , 352 , 349",
                                  "0.33183 , 0.33121 , 0.55177 , 0.42514 , 0.48087 , 0.25252",
                                  "-0.24717 , -0.16263 , -0.40639 , 0.85468 , 0.05493 , -0.11749",
                                  "0.13929 , 0.22490 , 0.40359 , 0.25178 , -0.70133 , -0.45732",
                                  "0.0 , 0.0 , 0.0 , 0.0 , 0.0 , 0.0", "# of Bands Created4",
                                  "olinda.dis", "FileName.pts,ptg, pty,ptn"}));
    EXPECT_EQ(Window->Scene.Pages.DISSubsetNBCreated, "4");
    const size_t brightness = FileBytes(Dir.File("olinda.pts")).size();
    EXPECT_EQ(brightness, Band(1).size());
    for (const char* ext : {".ptg", ".pty", ".ptn"})
        EXPECT_EQ(FileBytes(Dir.File(std::string("olinda") + ext)).size(), brightness);
}

TEST_F(DisProducts, TasselledCapBandSetFollowsBandCountAndSlots) {
    TDisKTPage* kt = Window->KTPage;
    const struct {
        const char* Bands;
        std::vector<int> Columns; // 0..5 for TM 1, 2, 3, 4, 5, 7
        bool Ran;
        bool Written;
    } cases[] = {
        {"4", {1, 2, 3, 4}, true, true},
        {"3", {1, 2, 3, 4}, false, false},
        {"5", {0, 1, 2, 3, 4, 5}, true, true},
        {"4", {0, 1, 2, 3}, false, false},
        // Bands 1 and 7 alone choose the six-band set, whose missing bands fail in the engine:
        // nothing is written, so nothing is logged or counted.
        {"6", {0, 5}, true, false},
    };
    int run = 0;
    for (const auto& c : cases) {
        Window->Scene.BandFiles.fill("");
        for (int col : c.Columns)
            ChooseBand(kt->TCFileBtns[col], col + 1);
        kt->TCDISBandsLabel->setText(c.Bands);
        const std::string name = "kt" + std::to_string(run);
        kt->TCFileNameEdit->setText(QString::fromStdString(name));
        Rec->Clear();
        const size_t before = Window->Scene.Pages.DISProcessMemo.size();
        kt->TCOKBtn->click();
        EXPECT_EQ(FileExists(Dir.File(name + ".pts")), c.Written) << run;
        EXPECT_EQ(Window->Scene.Pages.DISProcessMemo.size() > before, c.Written) << run;
        EXPECT_TRUE(Rec->Messages.empty()) << run << Rec->Summary();
        EXPECT_EQ(Rec->ErrorBoxes.size(), c.Ran && !c.Written ? 1u : 0u) << run;
        ++run;
    }
    EXPECT_EQ(Window->Scene.Pages.DISSubsetNBCreated, "8");
}

TEST_F(DisProducts, BandAlgebraDefaultsDivideBandFourByBandThree) {
    TDisMBFAPage* fa = Window->MBFAPage;
    ChooseBand(fa->MBFAFileBtns[3], 4);
    ChooseBand(fa->MBFAFileBtns[2], 3);
    fa->MBFAOKBtn->click();
    EXPECT_EQ(Logged("Image MBFA:"),
              (std::vector<std::string>{"Image MBFA:", "olinda.B4", "Divided by:", "olinda.B3",
                                        "olinda.pfd", "AutoRange: off"}));
    EXPECT_EQ(FileBytes(Dir.File("olinda.pfd")).size(), Band(4).size());
}

// The pages' autorange boxes reach the engine: checked, a run spreads its own range of results
// over 0..255 (the running minimum starting at 255, the maximum at 0); unchecked, it clamps.
TEST_F(DisProducts, AutorangeBoxesReachTheEngine) {
    TDisMBFAPage* fa = Window->MBFAPage;
    TDisVIPage* vi = Window->VIPage;
    ChooseBand(fa->MBFAFileBtns[3], 4);
    ChooseBand(fa->MBFAFileBtns[2], 3);
    fa->MBFAAopBRG->button(1)->setChecked(true); // A - B
    for (int b = 0; b < 4; ++b)
        ChooseBand(vi->VIPFileBtns[static_cast<size_t>(b)], b + 1);
    const Bytes b1 = Band(1), b2 = Band(2), b3 = Band(3), b4 = Band(4);
    const std::function<double(size_t)> difference = [&](size_t k) {
        return static_cast<double>(b4[k]) - b3[k];
    };
    const std::function<double(size_t)> weighted = [&](size_t k) {
        return 0.1 * b1[k] + 0.1 * b2[k] + 0.1 * b3[k] + 0.1 * b4[k];
    };
    const struct {
        const char* Name;
        QCheckBox* Box;
        QPushButton* Run;
        const char* Product;
        const char* Title;
        std::function<double(size_t)> Value;
    } pages[] = {
        {"MBFA", fa->MBFAAutoRangeCB, fa->MBFAOKBtn, "olinda.pfs", "Image MBFA:", difference},
        {"VIP", vi->VIPAutoRangeCB, vi->VIPOKBtns[4], "olinda.pv5", "Image VIP 5:", weighted},
    };
    for (const auto& p : pages)
        for (const bool on : {false, true}) {
            SCOPED_TRACE(std::string(p.Name) + (on ? " on" : " off"));
            p.Box->setChecked(on);
            p.Run->click();
            const Bytes out = FileBytes(Dir.File(p.Product));
            ASSERT_EQ(out.size(), b1.size()) << Rec->Summary();
            double lo = 255.0, hi = 0.0;
            for (size_t k = 0; k < out.size(); ++k) {
                lo = std::min(lo, p.Value(k));
                hi = std::max(hi, p.Value(k));
            }
            size_t wrong = 0;
            for (size_t k = 0; k < out.size(); ++k) {
                const double v = on ? (p.Value(k) - lo) / ((hi - lo) / 255.0) : p.Value(k);
                if (out[k] != Clamped(v)) ++wrong;
            }
            EXPECT_EQ(wrong, 0u);
            EXPECT_EQ(Logged(p.Title).back() == "AutoRange: on" ||
                          Logged(p.Title).end()[-2] == "AutoRange: on",
                      on);
        }
}

// The tiles and the joined band are numbered without renaming the shown picture: a divide used to
// leave it named after the last tile, and the next Save wrote the picture over that tile.
TEST_F(DisProducts, DivideThenCombineFourTilesGivesTheBandsCornerAndKeepsThePicturesName) {
    TDisDividePage* cd = Window->DividePage;
    SetImageName(Dir.Path(), "shown.png");
    const auto keepsItsName = [this] {
        EXPECT_EQ(CurrentImageFolder + CurrentImageName, Dir.File("shown.png"));
        EXPECT_EQ(Form->windowTitle().toStdString(), std::string(MainCaptionPrefix) + "shown.png");
    };
    ChooseBand(cd->CDivideFile, 1);
    cd->CDPixelOK->click();
    EXPECT_EQ(Logged("Do QuadDivide"),
              (std::vector<std::string>{"Do QuadDivide", BandPath(1), "4", "16"}));
    EXPECT_EQ(Window->Scene.Pages.DISSubsetDividedEdit, "16");
    EXPECT_TRUE(Window->Scene.Pages.DISSubsetDividedCB);
    const auto& divided = Window->Scene.Pages.DISDividedMemo;
    ASSERT_EQ(divided.size(), 2u + 16 * 3);
    EXPECT_EQ(divided[1], "16");
    EXPECT_EQ(divided[2], "olindaA001.B1");
    keepsItsName();

    // Chosen again, the DIS has divided files and the combine opens.
    ChooseDIS(cd->CDDISFile, Dir.File("olinda.dis"));
    EXPECT_EQ(cd->DISDFELabel->text(), "DIS Divided files DO Exist");
    ASSERT_TRUE(cd->CDCombineBtn->isEnabled());
    const char* tiles[] = {"olindaA001.B1", "olindaA002.B1", "olindaA005.B1", "olindaA006.B1"};
    QPushButton* buttons[] = {cd->C4STL, cd->C4STR, cd->C4SBL, cd->C4SBR};
    for (int t = 0; t < 4; ++t) {
        Rec->FileAnswers.push_back(Dir.File(tiles[t]));
        buttons[t]->click();
    }
    EXPECT_EQ(cd->CombinedFileEdit->text(), "olindaA001.B1");

    // With no layout checked the run logs its first two lines and writes nothing.
    cd->CDCombineBtn->click();
    EXPECT_EQ(LoggedFrom(Window->Scene.Pages.DISProcessMemo, "Do Combine Image Files"),
              (std::vector<std::string>{"Do Combine Image Files", "olindaA001.B1"}));
    EXPECT_FALSE(FileExists(Dir.File("olindaA017.B1")));

    cd->C4to1CB->setChecked(true);
    cd->CDCombineBtn->click();
    EXPECT_EQ(cd->CombinedFileEdit->text(), "olindaA017.B1") << Rec->Summary();
    const Bytes band = Band(1), joined = FileBytes(Dir.File("olindaA017.B1"));
    const int w = OlindaW / 4 * 2, h = OlindaH / 4 * 2;
    ASSERT_EQ(joined.size(), static_cast<size_t>(w * h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            ASSERT_EQ(joined[y * w + x], band[y * OlindaW + x]) << x << "," << y;
    // The joined band's name follows the save, to go out with the next one.
    EXPECT_EQ(LoggedFrom(Window->Scene.Pages.DISProcessMemo, "Do Combine Image Files"),
              (std::vector<std::string>{"Do Combine Image Files", "olindaA001.B1",
                                        Dir.File(tiles[0]), Dir.File(tiles[1]), Dir.File(tiles[2]),
                                        Dir.File(tiles[3]), "olindaA017.B1"}));
    EXPECT_EQ(LoggedFrom(SavedDIS(), "Do Combine Image Files").size(), 6u);
    keepsItsName();
}

TEST_F(DisProducts, SingleBandConstantIsRoundedHalfToEven) {
    TDisSinglePage* sb = Window->SinglePage;
    ChooseBand(sb->SingleBandFileBtn, 2);
    const Bytes band = Band(2);
    const struct {
        const char* Text;
        int Added;
    } cases[] = {{"2.5", 2}, {"3.5", 4}, {"-1", -1}};
    for (const auto& c : cases) {
        sb->ImageMathEdit->setText(c.Text);
        sb->BCNewFileEdit->setText(QString("add%1").arg(c.Added + 1));
        sb->SingleMathBtn->click();
        const std::string product = "add" + std::to_string(c.Added + 1) + ".psa";
        EXPECT_EQ(
            Logged(std::string("ImageMath operation: 2 variable: ") + c.Text),
            (std::vector<std::string>{std::string("ImageMath operation: 2 variable: ") + c.Text,
                                      "olinda.B2", product}));
        const Bytes out = FileBytes(Dir.File(product));
        ASSERT_EQ(out.size(), band.size()) << c.Text;
        for (size_t i = 0; i < out.size(); ++i)
            ASSERT_EQ(out[i], Clamped(band[i] + c.Added)) << c.Text << " " << i;
    }
}

TEST_F(DisProducts, PixelSizerLogsWithoutSavingTheDIS) {
    TDisSinglePage* sb = Window->SinglePage;
    ChooseBand(sb->SingleBandFileBtn, 1);
    sb->BCNewFileEdit->setText("half");
    sb->PixelSizerBtn->click();
    EXPECT_EQ(LoggedFrom(Window->Scene.Pages.DISProcessMemo, "Do Pixel Sizer"),
              (std::vector<std::string>{"Do Pixel Sizer", "olinda.B1", "half.pps",
                                        "2x2=1 Decrease Pixels"}));
    EXPECT_TRUE(LoggedFrom(SavedDIS(), "Do Pixel Sizer").empty());
    EXPECT_EQ(FileBytes(Dir.File("half.pps")).size(),
              static_cast<size_t>((OlindaW / 2) * (OlindaH / 2)));
}

TEST_F(DisProducts, ColourExchangeNamesItsProductsFromTheTasselledCapName) {
    TDisSinglePage* sb = Window->SinglePage;
    const int rgbRadar[] = {3, 2, 1, 4};
    for (int s = 0; s < 4; ++s)
        ChooseBand(sb->SRBtns[s], rgbRadar[s]);
    for (QLineEdit* e : {sb->SRFileH1Edit, sb->SRFileS2Edit, sb->SRFileV3Edit})
        e->setText("x");
    sb->BGRtoHSVOKBtn->click();
    EXPECT_EQ(
        Logged("Convert 123(RGB) to HSV (exchange 4 Radar with V).. back to RGB:"),
        (std::vector<std::string>{
            "Convert 123(RGB) to HSV (exchange 4 Radar with V).. back to RGB:", BandPath(3),
            BandPath(2), BandPath(1), BandPath(4), "olinda.prr", "olinda.prg", "olinda.prb"}));
    for (const char* name : {"olinda.prr", "olinda.prg", "olinda.prb"})
        EXPECT_EQ(FileBytes(Dir.File(name)).size(), Band(1).size()) << name;
}

TEST_F(DisProducts, RadarReductionMapsSixteenBitsOntoTheByteRange) {
    TDisSinglePage* sb = Window->SinglePage;
    const struct {
        std::vector<int16_t> Samples;
        std::vector<uint8_t> Expected;
    } cases[] = {
        // 100 -> 0, 1100 -> 255, 600 -> 127.5 rounded to even.
        {{600, 100, 1100, 350}, {128, 0, 255, 64}},
        // All negative: the top stays 0, so -100 maps to (1000 - 100) / (1000 / 255).
        {{-1000, -100, -550, -1000}, {0, 230, 115, 0}},
        // No range at all.
        {{7, 7, 7, 7}, {0, 0, 0, 0}},
    };
    sb->BCBandFileIW->setText("2");
    sb->BCBandFileIH->setText("2");
    Rec->Clear();
    int n = 0;
    for (const auto& c : cases) {
        Bytes raw;
        for (int16_t s : c.Samples) {
            raw.push_back(static_cast<uint8_t>(s & 0xFF));
            raw.push_back(static_cast<uint8_t>((s >> 8) & 0xFF));
        }
        const std::string name = "radar" + std::to_string(n);
        ASSERT_TRUE(WriteFileAtomic(Dir.File(name + ".B1"), raw,
                                    TReplaceLeave::Chosen(Dir.File(name + ".B1"))));
        Rec->FileAnswers.push_back(Dir.File(name + ".B1"));
        sb->SingleBandFileBtn->click();
        sb->BCNewFileEdit->setText(QString::fromStdString(name));
        sb->RadarDeRez16OKBtn->click();
        EXPECT_EQ(FileBytes(Dir.File(name + ".pz8")), c.Expected) << n << Rec->Summary();
        EXPECT_EQ(Window->Scene.Pages.DISProcessMemo.back(), Dir.File(name + ".pz8"));
        ++n;
    }
    EXPECT_EQ(LoggedFrom(Window->Scene.Pages.DISProcessMemo, "RadarDeRez 16to8 bits"),
              (std::vector<std::string>{"RadarDeRez 16to8 bits", "radar2.B1", "radar2.pz8",
                                        Dir.File("radar2.pz8")}));
    EXPECT_EQ(LoggedFrom(SavedDIS(), "RadarDeRez 16to8 bits").size(), 3u);
    EXPECT_EQ(Rec->BandGauge, (std::vector<int>{5, 50, 0, 5, 50, 0, 5, 50, 0}));

    // A band shorter than its rows and columns is refused before anything is written.
    sb->BCBandFileIH->setText("3");
    sb->BCNewFileEdit->setText("short");
    sb->RadarDeRez16OKBtn->click();
    EXPECT_FALSE(FileExists(Dir.File("short.pz8")));
    EXPECT_EQ(Rec->ErrorBoxes.size(), 1u);
}

// Every run button that names a product from a box refuses an empty box before anything is
// written: the products would be hidden files named by their extensions alone. A name with a
// folder part is refused (39953): the products lie in the scene's folder, and "sub/m2" or
// "../B/alg2" used to write into another.
TEST_F(DisProducts, EveryRunButtonRefusesAnEmptyProductName) {
    ASSERT_TRUE(MakeDirectories(Dir.File("sub/")));
    TDisSinglePage* sb = Window->SinglePage;
    TDisDividePage* cd = Window->DividePage;
    TDisMBFAPage* fa = Window->MBFAPage;
    TDisVIPage* vi = Window->VIPage;
    TDisKTPage* kt = Window->KTPage;
    ChooseBand(sb->SingleBandFileBtn, 1);
    for (int s = 0; s < 4; ++s)
        ChooseBand(sb->SRBtns[s], s + 1);
    for (QLineEdit* e : {sb->SRFileH1Edit, sb->SRFileS2Edit, sb->SRFileV3Edit})
        e->setText("x");
    ChooseBand(fa->MBFAFileBtns[3], 4);
    ChooseBand(fa->MBFAFileBtns[2], 3);
    cd->C2V1CB->setChecked(true);
    cd->CDCombineBtn->setEnabled(true);
    const struct {
        const char* Name;
        QLineEdit* Edit;
        QPushButton* Button;
    } cases[] = {
        {"single math", sb->BCNewFileEdit, sb->SingleMathBtn},
        {"radar", sb->BCNewFileEdit, sb->RadarDeRez16OKBtn},
        {"pixel sizer", sb->BCNewFileEdit, sb->PixelSizerBtn},
        {"colour exchange", kt->TCFileNameEdit, sb->BGRtoHSVOKBtn},
        {"combine", cd->CombinedFileEdit, cd->CDCombineBtn},
        {"algebra", fa->MBFAFileEdit, fa->MBFAOKBtn},
        {"index 1", vi->VIPFileEdit, vi->VIPOKBtns[0]},
        {"index 5", vi->VIPFileEdit, vi->VIPOKBtns[4]},
        {"index 6", vi->VIPFileEdit, vi->VIPOKBtns[5]},
        {"tasselled cap", kt->TCFileNameEdit, kt->TCOKBtn},
    };
    auto files = [this] {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(Dir.Path()))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    };
    const std::vector<std::string> before = files();
    const std::vector<std::string> saved = SavedDIS();
    // A name that is only an extension would make hidden files named by their extensions.
    for (const std::string name : {"", ".x", "sub/.x", "sub/m2"})
        for (const auto& c : cases) {
            c.Edit->setText(QString::fromStdString(name));
            Rec->Clear();
            c.Button->click();
            if (name.find('/') == std::string::npos) {
                EXPECT_TRUE(Rec->Shown(39993)) << c.Name << " " << name << Rec->Summary();
            } else {
                ASSERT_EQ(Rec->Messages.size(), 1u) << c.Name << " " << name << Rec->Summary();
                EXPECT_EQ(Rec->Messages[0].Text, MessageText(39953) + "\r\n" + name) << c.Name;
            }
            EXPECT_TRUE(FolderBytes(Dir.File("sub/")).empty()) << c.Name << " " << name;
            EXPECT_EQ(files(), before) << c.Name << " " << name;
            EXPECT_EQ(SavedDIS(), saved) << c.Name << " " << name;
        }
}

// A constant past 32 bits saturates every sample as the arithmetic does; it does not wrap
// round to a number of the other sign.
TEST_F(DisProducts, SingleBandConstantBeyondThirtyTwoBitsSaturates) {
    TDisSinglePage* sb = Window->SinglePage;
    ChooseBand(sb->SingleBandFileBtn, 3);
    const size_t size = Band(3).size();
    const struct {
        int Op;
        const char* Text;
        const char* Product;
        uint8_t All;
    } cases[] = {{2, "3000000000", "big.psa", 255},
                 {3, "3000000000", "big.pss", 0},
                 {3, "-3000000000", "neg.pss", 255},
                 {4, "-5000000000", "neg.psm", 0},
                 {5, "4294967296", "big.psd", 0}};
    for (const auto& c : cases) {
        sb->SingleBandMathRG->button(c.Op)->setChecked(true);
        sb->ImageMathEdit->setText(c.Text);
        sb->BCNewFileEdit->setText(QString::fromLatin1(c.Product));
        Rec->Clear();
        sb->SingleMathBtn->click();
        EXPECT_TRUE(Rec->ErrorBoxes.empty()) << c.Product << Rec->Summary();
        EXPECT_EQ(FileBytes(Dir.File(c.Product)), Bytes(size, c.All)) << c.Product;
        const std::string title =
            "ImageMath operation: " + std::to_string(c.Op) + " variable: " + c.Text;
        EXPECT_EQ(Logged(title), (std::vector<std::string>{title, "olinda.B3", c.Product}));
    }
}

// A run that writes no product leaves no line in the DIS, in memory or on disk, and a refused 0
// names the division it would make.
TEST_F(DisProducts, RefusedRunsLeaveNoRecordInTheDIS) {
    TDisSinglePage* sb = Window->SinglePage;
    ChooseBand(sb->SingleBandFileBtn, 1);
    const std::vector<std::string> memo = Window->Scene.Pages.DISProcessMemo;
    const std::vector<std::string> saved = SavedDIS();
    const struct {
        const char* Name;
        std::function<void()> Run;
        const char* Error;
        int Message = 0; // refused with this message, no error box
    } cases[] = {
        {"fill 0",
         [&] {
             sb->SingleBandMathRG->button(0)->setChecked(true);
             sb->ImageMathEdit->setText("0");
             sb->BCNewFileEdit->setText("m1");
             sb->SingleMathBtn->click();
         },
         "Division by zero"},
        {"divide by 0",
         [&] {
             sb->SingleBandMathRG->button(5)->setChecked(true);
             sb->SingleMathBtn->click();
         },
         "Division by zero"},
        {"radar past the band's end",
         [&] {
             sb->BCBandFileIW->setText(QString::number(OlindaW * 2));
             sb->RadarDeRez16OKBtn->click();
         },
         "Read beyond end of file"},
        {"pixel sizer of a missing band",
         [&] {
             sb->BCBandFileEdit->setText("gone.B1");
             sb->PixelSizerBtn->click();
         },
         nullptr},
        // Another run cut the band again at another size since the window read its DIS: read as
        // the scene's rows, it was folded into them without a word.
        {"add to a band longer than the scene",
         [&] {
             ASSERT_TRUE(WriteFileAtomic(Dir.File("cut.B1"), Bytes(OlindaW * (OlindaH + 9), 3),
                                         TReplaceLeave::Chosen(Dir.File("cut.B1"))));
             sb->SingleBandMathRG->button(2)->setChecked(true);
             sb->ImageMathEdit->setText("5");
             sb->BCBandFileEdit->setText("cut.B1");
             sb->SingleMathBtn->click();
         },
         nullptr, 36},
    };
    for (const auto& c : cases) {
        Rec->Clear();
        c.Run();
        if (c.Message) {
            EXPECT_NE(Rec->Summary().find(MessageText(c.Message) + "\r\n" + Dir.Path()),
                      std::string::npos)
                << c.Name << Rec->Summary();
            EXPECT_TRUE(Rec->ErrorBoxes.empty()) << c.Name << Rec->Summary();
        } else {
            ASSERT_EQ(Rec->ErrorBoxes.size(), 1u) << c.Name << Rec->Summary();
            if (c.Error) {
                EXPECT_EQ(Rec->ErrorBoxes[0], c.Error) << c.Name;
            }
            EXPECT_TRUE(Rec->Messages.empty()) << c.Name << Rec->Summary();
        }
        EXPECT_EQ(Window->Scene.Pages.DISProcessMemo, memo) << c.Name;
        EXPECT_EQ(SavedDIS(), saved) << c.Name;
    }
    for (const char* product : {"m1.psf", "m1.psd", "m1.pz8", "m1.pps", "m1.psa"})
        EXPECT_FALSE(FileExists(Dir.File(product))) << product;
}

// A run that writes products and then saves its record into the DIS asks once, before it writes
// anything, about every file it would replace: a product another program wrote and the DIS another
// window saved since the band window read it. No writes nothing at all; Yes writes them all with
// no second question. The DIS used to be asked about only once the products were written, and a
// No there left them written.
TEST_F(DisProducts, ARunAsksOnceAboutItsProductsAndItsDISBeforeWritingAny) {
    TDisSinglePage* sb = Window->SinglePage;
    TDisDividePage* cd = Window->DividePage;
    TDisMBFAPage* fa = Window->MBFAPage;
    TDisVIPage* vi = Window->VIPage;
    TDisKTPage* kt = Window->KTPage;
    auto* pca = static_cast<TDisPCAPage*>(Window->TabSheet15);
    const struct {
        const char* Product; // one the run writes, there before it; none for numbered tiles
        std::function<void()> Choose;
        QPushButton* Run;
    } rows[] = {
        {"alg.pfd",
         [&] {
             ChooseBand(fa->MBFAFileBtns[3], 4);
             ChooseBand(fa->MBFAFileBtns[2], 3);
             fa->MBFAFileEdit->setText("alg");
         },
         fa->MBFAOKBtn},
        {"m2.psa",
         [&] {
             ChooseBand(sb->SingleBandFileBtn, 1);
             sb->BCNewFileEdit->setText("m2");
         },
         sb->SingleMathBtn},
        {"vi.pv1",
         [&] {
             ChooseBand(vi->VIPFileBtns[0], 4);
             ChooseBand(vi->VIPFileBtns[1], 3);
             vi->VIPFileEdit->setText("vi");
         },
         vi->VIPOKBtns[0]},
        {"tc.ptn",
         [&] {
             kt->TCTMBtn->click();
             for (int c = 0; c < 6; ++c)
                 ChooseBand(kt->TCFileBtns[c], c + 1);
             kt->TCFileNameEdit->setText("tc");
         },
         kt->TCOKBtn},
        {"hsv.prb",
         [&] {
             for (int s = 0; s < 4; ++s)
                 ChooseBand(sb->SRBtns[s], 4 - s);
             for (QLineEdit* e : {sb->SRFileH1Edit, sb->SRFileS2Edit, sb->SRFileV3Edit})
                 e->setText("x");
             kt->TCFileNameEdit->setText("hsv");
         },
         sb->BGRtoHSVOKBtn},
        {"olinda.pc2",
         [&] {
             ChooseBand(pca->PCAFilesBtn, 1);
             ChooseBand(pca->PCAFilesBtn, 2);
         },
         pca->PCAOKBtn},
        {nullptr,
         [&] {
             ChooseBand(cd->CDivideFile, 1);
             cd->FilesRG->button(0)->click();
         },
         cd->CDPixelOK},
        // The tiles the divide's Yes wrote, joined.
        {nullptr,
         [&] {
             cd->C2V1CB->setChecked(true);
             cd->CDCombineBtn->setEnabled(true);
             for (QPushButton* b : {cd->C2V1, cd->C2V2}) {
                 Rec->FileAnswers.push_back(
                     Dir.File(b == cd->C2V1 ? "olindaA001.B1" : "olindaA002.B1"));
                 b->click();
             }
             cd->CombinedFileEdit->setText("comb.B1");
         },
         cd->CDCombineBtn},
    };
    int note = 0;
    for (const auto& row : rows) {
        const std::string name = row.Run->objectName().toStdString();
        SCOPED_TRACE(name);
        row.Choose();
        for (const MsgButton answer : {MsgButton::No, MsgButton::Yes}) {
            THeaderPages other;
            ASSERT_TRUE(other.OpenDISHeader(Dir.File("olinda.dis")));
            other.NameDIS(Dir.File("olinda.dis"));
            other.DISProcessMemo.push_back("another window's note " + std::to_string(++note));
            ASSERT_TRUE(other.DISSaveIt());
            if (row.Product)
                ASSERT_TRUE(WriteFileAtomic(Dir.File(row.Product), "another program's",
                                            TReplaceLeave::Chosen(Dir.File(row.Product))));
            const auto before = FolderBytes(Dir.Path());
            Rec->Clear();
            Rec->MessageAnswers = {answer};
            row.Run->click();
            std::vector<std::string> questions;
            for (const ShownMessage& m : Rec->Messages)
                if (m.Kind == MsgKind::Confirmation) questions.push_back(m.Text);
            ASSERT_EQ(questions.size(), 1u) << Rec->Summary();
            EXPECT_NE(questions[0].find(Dir.File("olinda.dis")), std::string::npos) << questions[0];
            if (row.Product)
                EXPECT_NE(questions[0].find(Dir.File(row.Product)), std::string::npos)
                    << questions[0];
            const auto after = FolderBytes(Dir.Path());
            if (answer == MsgButton::No) {
                EXPECT_TRUE(after == before) << Rec->Summary();
                continue;
            }
            // Tiles are new files; a product replaces the one there.
            if (!row.Product) EXPECT_GT(after.size(), before.size());
            EXPECT_NE(after.at("olinda.dis"), before.at("olinda.dis"));
            if (row.Product) EXPECT_NE(after.at(row.Product), before.at(row.Product));
        }
    }
}

// The workbench opening a DIS of its own leaves the band window on the DIS it shows: the band
// window's next run is logged there, not into the workbench's DIS.
TEST_F(DisProducts, WorkbenchDISLeavesTheBandWindowOnItsOwn) {
    THeaderPages square;
    ASSERT_TRUE(square.OpenDISHeader(Dir.File("olinda.dis")));
    square[DISField::DISSubsetWidth] = "32";
    square[DISField::DISSubsetHeight] = "32";
    ASSERT_TRUE(WriteFileAtomic(Dir.File("sq.dis"), JoinLinesCRLF(square.DISLines()),
                                TReplaceLeave::Chosen(Dir.File("sq.dis"))));
    auto* fft = static_cast<TFFTForm*>(Form->ToolForm(tfFFT));
    Rec->FileAnswers.push_back(Dir.File("sq.dis"));
    fft->OpenBtn->click();
    ASSERT_TRUE(fft->DISOpened) << Rec->Summary();

    TDisSinglePage* sb = Window->SinglePage;
    ChooseBand(sb->SingleBandFileBtn, 4);
    sb->BCNewFileEdit->setText("cross");
    sb->SingleMathBtn->click();
    const std::string title = "ImageMath operation: 2 variable: 5";
    EXPECT_EQ(Logged(title), (std::vector<std::string>{title, "olinda.B4", "cross.psa"}));
    EXPECT_EQ(Window->Scene.Pages.DISFileEdit, "olinda.dis");
    EXPECT_EQ(Window->Scene.Pages[DISField::DISSubsetWidth], std::to_string(OlindaW));
    std::string text;
    ASSERT_TRUE(ReadWholeFile(Dir.File("sq.dis"), text));
    const std::vector<std::string> sq = SplitLines(text);
    EXPECT_EQ(std::find(sq.begin(), sq.end(), "cross.psa"), sq.end());
}

// A choice of another window in folder B, with a 64 x 64 scene there. Each used to reach the
// band window's next run: the workbench and the band buttons moved the folder its products and
// its DIS record went to, the import window's DIH page its subset (a 4,096-byte product with
// sheared rows) and its DIS page the DIS it logged into; the import window's launch gave the
// window the working folder and the shared subset instead of its DIS's own.
TEST_F(DisProducts, OtherWindowsChoicesNeverReachTheBandWindowsRuns) {
    TempDir other;
    THeaderPages square;
    square.RIHMakeDISDISHeaders(other.File("sq.png"), 64, 64);
    TPBands import;
    TDisMBFAPage* fa = Window->MBFAPage;
    const struct {
        const char* Window;
        std::function<void()> Choose;
    } choices[] = {
        {"workbench",
         [&] {
             Rec->FileAnswers.push_back(other.File("sq.dis"));
             static_cast<TFFTForm*>(Form->ToolForm(tfFFT))->OpenBtn->click();
         }},
        {"DIH to DIS page",
         [&] {
             Rec->FileAnswers.push_back(other.File("sq.dih"));
             import.SplitPages->BSQDIHtoDISFileBtn->click();
         }},
        {"DIS page",
         [&] {
             Rec->FileAnswers.push_back(other.File("sq.dis"));
             import.DISFileOpen->click();
         }},
        {"DIS to DIP page",
         [&] {
             Rec->FileAnswers.push_back(other.File("sq.dis"));
             import.DisToDipPage->PBandHdrBtn->click();
         }},
        // The import window's DIS chosen, the working folder moved to B, then the launch: the
        // window wrote into B, each product 1 byte.
        {"launch",
         [&] {
             Rec->FileAnswers.push_back(Dir.File("olinda.dis"));
             import.DISFileOpen->click();
             ImageDirectory = other.Path();
             DisProcessForm = Window.get();
             import.PreProcessDISBandsBtn->click();
             ChooseBand(fa->MBFAFileBtns[3], 4);
             ChooseBand(fa->MBFAFileBtns[2], 3);
         }},
    };
    ChooseBand(fa->MBFAFileBtns[3], 4);
    ChooseBand(fa->MBFAFileBtns[2], 3);
    const auto inB = FolderBytes(other.Path());
    for (const auto& c : choices) {
        SCOPED_TRACE(c.Window);
        c.Choose();
        fa->MBFAFileEdit->setText(c.Window);
        Rec->Clear();
        fa->MBFAOKBtn->click();
        const std::string product = std::string(c.Window) + ".pfd";
        EXPECT_EQ(FileBytes(Dir.File(product)).size(), Band(4).size()) << Rec->Summary();
        EXPECT_EQ(Logged("Image MBFA:").at(4), product);
        EXPECT_EQ(FolderBytes(other.Path()), inB);
    }
}

// A band chosen from folder B, which holds a DIS of the shown DIS's name: the product goes into
// B as the band button moves the window's folder there, the run's record into the DIS the window
// shows. The record used to be saved over B's DIS, which became the shown DIS plus the run.
TEST_F(DisProducts, ABandFromAnotherFolderLeavesTheRecordInTheShownDIS) {
    TempDir other;
    ASSERT_TRUE(WriteFileAtomic(other.File("olinda.dis"), std::string("B's own DIS"),
                                TReplaceLeave::Chosen(other.File("olinda.dis"))));
    ASSERT_TRUE(WriteFileAtomic(other.File("olinda.B4"), Band(4),
                                TReplaceLeave::Chosen(other.File("olinda.B4"))));
    TDisSinglePage* sb = Window->SinglePage;
    Rec->FileAnswers.push_back(other.File("olinda.B4"));
    sb->SingleBandFileBtn->click();
    sb->BCNewFileEdit->setText("m2");
    sb->SingleMathBtn->click();
    EXPECT_EQ(FileBytes(other.File("m2.psa")).size(), Band(4).size()) << Rec->Summary();
    EXPECT_EQ(FileText(other.File("olinda.dis")), "B's own DIS");
    EXPECT_EQ(SavedDIS().back(), "m2.psa");
}

// Whatever a band-window handler does, the globals it works on hold the window's own scene only
// while it runs: afterwards the working folder, the band slots, the subset, the DIS flag and the
// header pages are what the other windows left there.
TEST_F(DisProducts, EveryHandlerLeavesTheOtherWindowsGlobalsAsTheyWere) {
    TempDir theirs;
    THeaderPages pages;
    pages.RIHMakeDISDISHeaders(theirs.File("sq.png"), 64, 48);
    pages.DIPMemo = {"their log"};
    const auto put = [&] {
        ImageDirectory = theirs.Path();
        SelectedBandFiles = {"1", "2", "3", "4", "5", "6L", "6H", "7", "8"};
        SubsetBounds = {2, 65, 3, 50};
        DISLoaded = false;
        HeaderPages = pages;
    };
    const auto same = [&] {
        return ImageDirectory == theirs.Path() && SelectedBandFiles[6] == "6H" &&
               SubsetBounds.SubsetRight == 65 && !DISLoaded &&
               HeaderPages.DISLines() == pages.DISLines() &&
               HeaderPages.DIHLines() == pages.DIHLines() &&
               HeaderPages.DISFilePath() == pages.DISFilePath() &&
               HeaderPages.DIHFilePath() == pages.DIHFilePath() &&
               HeaderPages.DIPMemo == pages.DIPMemo;
    };
    // The file the scene was split from answers a band dialog ("olinda.bsq" as "*.B??"): six
    // bands in one, it is refused as no band of the scene.
    std::filesystem::remove(Dir.File("olinda.bsq"));
    Hooks.ChooseFile = [this](FileDialogRequest& r) { return AnswerIn(Dir.Path(), r); };
    Window->show();
    const std::vector<Command> commands = EveryCommand(Window.get(), {});
    ASSERT_GT(commands.size(), 60u);
    // Twice: the bands the first round chose let the second round's runs go through.
    for (int round = 0; round < 2; ++round)
        for (const Command& c : commands) {
            put();
            if (c.Enabled()) c.Run();
            EXPECT_TRUE(same()) << c.Name.toStdString();
        }
    EXPECT_TRUE(FileExists(Dir.File("olinda.pv1"))) << "the runs went through";
}

// Typing into the import window's header while a band run lets messages in reaches neither the
// band window's DIS, which was saved over the file named there or with the process list typed
// there, nor the import window's own header: at the keys or edited past the input gate.
TEST_F(DisProducts, TypingIntoTheImportWindowDuringABandRunReachesNeitherHeader) {
    TempDir other;
    THeaderPages square;
    square.RIHMakeDISDISHeaders(other.File("sq.png"), 64, 64);
    TPBands import;
    Rec->FileAnswers.push_back(other.File("sq.dis"));
    import.DISFileOpen->click();
    const THeaderPages own = HeaderPages;
    const QString ownName = import.DISFileEdit->text(),
                  ownList = import.DISProcessMemo->toPlainText();
    ASSERT_FALSE(ownName.isEmpty());
    std::filesystem::copy_file(other.File("sq.dis"), Dir.File("victim.dis"));
    const Bytes victim = FileBytes(Dir.File("victim.dis"));
    TDisMBFAPage* fa = Window->MBFAPage;
    ChooseBand(fa->MBFAFileBtns[3], 4);
    ChooseBand(fa->MBFAFileBtns[2], 3);

    const struct {
        const char* Product;
        std::function<void()> Type;
    } typings[] = {
        {"name-keys", [&] { QTest::keyClicks(import.DISFileEdit, "victim.dis"); }},
        {"list-keys", [&] { QTest::keyClicks(import.DISProcessMemo, "x"); }},
        {"name-past", [&] { emit import.DISFileEdit->textEdited("victim.dis"); }},
        {"list-past", [&] { import.DISProcessMemo->setPlainText("x"); }},
    };
    for (const auto& t : typings) {
        SCOPED_TRACE(t.Product);
        bool typed = false;
        Hooks.ProcessMessages = [&] {
            if (!typed) t.Type();
            typed = true;
        };
        std::vector<std::string> list = Window->Scene.Pages.DISProcessMemo;
        fa->MBFAFileEdit->setText(t.Product);
        Rec->Clear();
        QTest::mouseClick(fa->MBFAOKBtn, Qt::LeftButton);
        ASSERT_TRUE(typed) << Rec->Summary();
        EXPECT_EQ(FileBytes(Dir.File("victim.dis")), victim);
        list.insert(list.end(), {"Image MBFA:", "olinda.B4", "Divided by:", "olinda.B3",
                                 std::string(t.Product) + ".pfd", "AutoRange: off"});
        EXPECT_EQ(Window->Scene.Pages.DISProcessMemo, list);
        EXPECT_EQ(SavedDIS(), list);
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                return import.DISFileEdit->text() == ownName &&
                       import.DISProcessMemo->toPlainText() == ownList;
            },
            2000));
        EXPECT_EQ(HeaderPages.DISFileEdit, own.DISFileEdit);
        EXPECT_EQ(HeaderPages.DISProcessMemo, own.DISProcessMemo);
    }
}

} // namespace
