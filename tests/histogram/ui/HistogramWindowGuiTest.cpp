// The histogram window driven through its buttons: the histogram page's pictures, natural breaks
// saved into the tables and the ".ads" file, the class display of the false-colour Landsat
// picture for every method and toggle, its macro line played back, and the class-method cycle
// on the main image.
#include "histogram/ui/vHistogram.h"

#include "histogram/ClassDisplaySupport.h"
#include "histogram/vClassDisplay.h"
#include "histogram/vSeedBreaks.h"
#include "histogram/vUHistoCC.h"
#include "runtime/RtFiles.h"
#include "shell/vColorScreens.h"
#include "shell/vMacroPlayer.h"
#include "shell/vToolForms.h"
#include "shell/vToolModes.h"
#include "support/GuiStartup.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include <set>

namespace {

// Class k's colour entry: a distinct colour value per class.
constexpr std::array<uint32_t, 9> TestClassColors{0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFF00FF,
                                                  0xFFFF00, 0x808080, 0x000080, 0x008080};
constexpr uint32_t TestDefaultColor = 0x404040;

uint32_t PixelOf(uint32_t color) {
    return PackPixel(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

// The class rule written out from its definition: 0 when no class fits.
int BandClass(const SeedBreakRow& t, int v) {
    if (v <= t[1]) return 1;
    for (int k = 2; k <= 8; ++k)
        if (t[k - 1] < v && v <= t[k]) return k;
    return v > t[8] ? 9 : 0;
}

int BgrClass(const std::array<SeedBreakRow, 3>& t, int r, int g, int b) {
    const int v[3] = {r, g, b};
    auto all = [&](auto test) { return test(0) && test(1) && test(2); };
    if (all([&](int i) { return v[i] <= t[i][1]; })) return 1;
    for (int k = 2; k <= 8; ++k)
        if (all([&](int i) { return t[i][k - 1] < v[i] && v[i] <= t[i][k]; })) return k;
    if (all([&](int i) { return v[i] > t[i][8]; })) return 9;
    return 0;
}

uint32_t ClassPixel(int k) {
    static constexpr int entry[10] = {-1, 0, 1, 2, 3, 4, 5, 7, 6, 8};
    return PixelOf(k == 0 ? TestDefaultColor : TestClassColors[static_cast<size_t>(entry[k])]);
}

// The class picture of `source` under row `method` with toggle item 0 blue .. 3 BGR.
Picture ExpectedClasses(const Picture& source, int method, int toggle) {
    std::array<SeedBreakRow, 3> t;
    for (size_t b = 0; b < 3; ++b)
        t[b] = SeedBreakTables[b][static_cast<size_t>(method)];
    Picture out = source;
    for (uint32_t& p : out.Pixels) {
        const int r = PixelRed(p), g = PixelGreen(p), b = PixelBlue(p);
        const int k = toggle == 3
                          ? BgrClass(t, r, g, b)
                          : (toggle == 2 ? BandClass(t[0], r)
                                         : (toggle == 1 ? BandClass(t[1], g) : BandClass(t[2], b)));
        p = ClassPixel(k);
    }
    return out;
}

class HistogramWindow : public GuiStartup {
  protected:
    void SetUp() override {
        GuiStartup::SetUp();
        Histo = new THistogramForm(Form);
        HistogramForm = Histo;
        for (size_t k = 0; k < ClassColors.size(); ++k)
            ClassColors[k] = TestClassColors[k];
        ColorSettings[1] = TestDefaultColor;
        Hooks.LoadOrMakeHistogramFiles = LoadOrMakeHistogramFiles;
    }
    void TearDown() override {
        ClassMethodCycleMode = false;
        MacroRecording = LogToDIP = false;
        SeedBreakTables = {};
        CurrentClassBreaks = {};
        GuiStartup::TearDown();
    }
    // The picture written into the test folder and opened as the user opens it.
    void Open(const Picture& p, const std::string& name) {
        WritePictureFile(Dir.File(name), p, PictureFileKind::Png,
                         TReplaceLeave::Chosen(Dir.File(name)));
        ASSERT_TRUE(Form->LoadFromFile(Dir.File(name)));
        Original = DisplayedPicture;
        Rec->Clear();
    }
    // Red 10 x4, 20 x2, 30 x2; green 50; blue 100 and 200.
    void OpenSynthetic() {
        Picture p;
        p.Resize(4, 2);
        const int reds[8] = {10, 10, 10, 10, 20, 20, 30, 30};
        for (size_t i = 0; i < 8; ++i)
            p.Pixels[i] = PackPixel(static_cast<uint8_t>(reds[i]), 50, i % 2 ? 200 : 100);
        Open(p, "synth.png");
    }
    void OpenOlinda() {
        OpenCopy("landsat7-olinda/olinda_rgb432.png", "olinda.png");
        Original = DisplayedPicture;
    }
    Picture Saved(const std::string& name) const { return ReadPictureFile(Dir.File(name)).Image; }
    bool ShowsPicture(const Picture& p) const { return DisplayedPicture.Pixels == p.Pixels; }
    std::string Caption() const { return Form->windowTitle().toStdString(); }

    THistogramForm* Histo = nullptr;
    Picture Original;
    SavedClassDisplayOptions SavedOptions;
};

TEST_F(HistogramWindow, HistogramPageDrawsEachBandAndSavesItsPicture) {
    OpenSynthetic();
    Histo->H_HBtn->click();
    EXPECT_EQ(Histo->Pixels->text(), "8");
    EXPECT_EQ(Histo->ColumnsAcross->text(), "4");
    EXPECT_EQ(Histo->RowsDown->text(), "2");
    EXPECT_EQ(Histo->Minimum[BandRed]->text(), "10");
    EXPECT_EQ(Histo->Maximum[BandRed]->text(), "30");
    EXPECT_EQ(Histo->Mode[BandRed]->text(), "10");
    EXPECT_EQ(Histo->Variance[BandGreen]->text(), "    0.00");
    // The median is a value of the data, one band all of 50 included.
    EXPECT_EQ(Histo->Median[BandRed]->text(), "20");
    EXPECT_EQ(Histo->Median[BandGreen]->text(), "50");
    EXPECT_EQ(Histo->Median[BandBlue]->text(), "200");

    Rec->FileAnswers.push_back("");
    Rec->FileAnswers.push_back(Dir.File("synthHR.bmp"));
    ASSERT_TRUE(Histo->H_HSaveBtn[BandRed]->isEnabled());
    Histo->H_HSaveBtn[BandRed]->click();
    EXPECT_FALSE(FileExists(Dir.File("synthHR.bmp")));
    Histo->H_HSaveBtn[BandRed]->click();
    ASSERT_EQ(Rec->FileRequests.size(), 2u);
    const FileDialogRequest& r = Rec->FileRequests[1];
    EXPECT_TRUE(r.Save);
    EXPECT_EQ(r.FileName, Dir.File("synthHR.bmp"));
    EXPECT_EQ(r.Filter, "bmp|*.bmp");
    EXPECT_EQ(r.DefaultExt, "BMP");

    // The plot itself is the engine's; here the mode (10) fills the height of the saved red plot.
    const Picture hr = Saved("synthHR.bmp");
    EXPECT_EQ(hr.Pixels, Histo->HistogramPictures[BandRed].Pixels);
    EXPECT_EQ(RowsOf(hr, 35, PackPixel(255, 0, 0)), (std::pair{0, 119}));

    Picture one;
    one.Resize(1, 1);
    one.Pixels[0] = PackPixel(10, 200, 30);
    Open(one, "one.png");
    Histo->H_HBtn->click();
    for (const int band : {BandRed, BandGreen, BandBlue}) {
        const QString value = band == BandRed ? "10" : band == BandGreen ? "200" : "30";
        for (const QLabel* label : {Histo->Minimum[band], Histo->Maximum[band], Histo->Mode[band],
                                    Histo->Median[band], Histo->Mean[band]})
            EXPECT_EQ(label->text(), value) << label->objectName().toStdString();
    }
}

// Another picture opened empties the page: its figures would describe the picture before.
TEST_F(HistogramWindow, HistogramPageShowsNoFiguresOfThePictureBefore) {
    OpenOlinda();
    Histo->H_HBtn->click();
    ASSERT_FALSE(Histo->Pixels->text().isEmpty());
    OpenSynthetic();
    for (const QLabel* label : {Histo->Pixels, Histo->ColumnsAcross, Histo->RowsDown, Histo->RGR,
                                Histo->Minimum[BandRed], Histo->Variance[BandBlue]})
        EXPECT_TRUE(label->text().isEmpty()) << label->objectName().toStdString();
    EXPECT_TRUE(Histo->ImageRGB[BandGreen]->pixmap().isNull());
    Histo->H_HBtn->click();
    EXPECT_EQ(Histo->Pixels->text(), "8");
}

TEST_F(HistogramWindow, NaturalBreakEditsAreClampedAndSavedAsRowZeroAndTheAdsFile) {
    OpenSynthetic();
    const auto before = SeedBreakTables;
    Histo->H_NB_ActiveBtn[BandGreen]->click();
    EXPECT_EQ(Histo->H_NB_SaveBtn[BandRed]->text(), "not");
    EXPECT_EQ(Histo->H_NB_SaveBtn[BandGreen]->text(), "Green");
    EXPECT_EQ(Histo->H_NB_SaveBtn[BandBlue]->text(), "not");
    EXPECT_FALSE(Histo->H_NB_SaveBtn[BandRed]->isEnabled());
    EXPECT_TRUE(Histo->H_NB_SaveBtn[BandGreen]->isEnabled());
    EXPECT_FALSE(Histo->H_NB_SaveBtn[BandBlue]->isEnabled());
    EXPECT_EQ(Histo->NBMaxLabel->text(), "8");
    EXPECT_EQ(RowsOf(Histo->NBPicture, 100, PackPixel(0, 0, 0)), (std::pair{0, 199}));

    Histo->NaturalBreaks->button(2)->click();
    Histo->NBScrollBar->setValue(50);
    EXPECT_EQ(Histo->NBEdit[2]->text(), "50");
    EXPECT_EQ(Histo->NBEdit_Value->text(), "50");
    EXPECT_EQ(Histo->NBEdit_Count->text(), "8");
    EXPECT_EQ(RowsOf(Histo->NBPicture, 100, PixelOf(TestClassColors[2])), (std::pair{0, 199}));
    EXPECT_EQ(SeedBreakTables, before);

    const char* texts[9] = {"300", "", "abc", "-4", "60", " 70 ", "12x", "255", "44"};
    for (size_t k = 0; k < 9; ++k)
        Histo->NBEdit[k]->setText(texts[k]);
    Histo->H_NB_SaveBtn[BandGreen]->click();
    SeedBreakRow expected = before[BandGreen][0];
    const uint8_t breaks[9] = {255, 0, 0, 0, 60, 70, 0, 255, 44};
    std::copy(breaks, breaks + 9, expected.begin() + 1);
    EXPECT_EQ(SeedBreakTables[BandGreen][0], expected);
    EXPECT_EQ(SeedBreakTables[BandRed], before[BandRed]);
    EXPECT_EQ(SeedBreakTables[BandBlue], before[BandBlue]);
    std::vector<uint8_t> ads = FileBytes(Dir.File("synth.ads"));
    ASSERT_EQ(ads.size(), 300u);
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), ads.begin() + 100));
    EXPECT_EQ(ads[10], before[BandRed][1][0]);

    // "Set" colours the bars by the saved breaks and shows them in the edits.
    Histo->H_NB_SetBtn->click();
    EXPECT_EQ(Histo->NBEdit[0]->text(), "255");
    EXPECT_EQ(RowsOf(Histo->NBPicture, 100, PixelOf(TestClassColors[0])), (std::pair{0, 199}));
}

TEST_F(HistogramWindow, ClassDisplayOfTheFalseColourSceneForEveryMethodAndToggle) {
    OpenOlinda();
    for (int method = 0; method < 9; ++method)
        for (int toggle = 0; toggle < 4; ++toggle) {
            Histo->DoH_SCDisplay(method, toggle);
            ASSERT_TRUE(ShowsPicture(ExpectedClasses(Original, method, toggle)))
                << method << " " << toggle;
            EXPECT_EQ(Histo->SCHGroup->checkedId(), method);
            EXPECT_EQ(Histo->SC_DT_RGroup->checkedId(), toggle);
            EXPECT_EQ((std::array{ToggleBlue, ToggleGreen, ToggleRed, ToggleRGB}),
                      (std::array{toggle == 0, toggle == 1, toggle == 2, toggle == 3}));
            UndoImage();
            ASSERT_TRUE(ShowsPicture(Original));
        }
}

TEST_F(HistogramWindow, TheRecordedDisplayLinePlaysBackToTheSamePicture) {
    OpenOlinda();
    MacroRecording = LogToDIP = true;
    Histo->SCHGroup->button(4)->click();
    Histo->SC_DT_RGroup->button(3)->click();
    Histo->H_SCDisplayBtn->click();
    const std::vector<std::string> lines{"=0101   H_SC Display", "4", "3"};
    EXPECT_EQ(Rec->MacroLines, lines);
    ASSERT_EQ(Rec->HistoryLines.size(), 4u);
    EXPECT_TRUE(std::equal(lines.begin(), lines.end(), Rec->HistoryLines.begin()));
    EXPECT_EQ(Rec->HistorySaves, 1);
    const Picture shown = DisplayedPicture;
    EXPECT_TRUE(ShowsPicture(ExpectedClasses(Original, 4, 3)));

    UndoImage();
    Histo->SCHGroup->button(0)->click();
    Histo->SC_DT_RGroup->button(0)->click();
    MacroRecording = LogToDIP = false;
    ASSERT_TRUE(PlayMacro(lines));
    EXPECT_TRUE(ShowsPicture(shown));
    EXPECT_TRUE(ToggleRGB);
}

TEST_F(HistogramWindow, AMethodOrToggleOutsideItsGroupPlaysNothing) {
    OpenSynthetic();
    SelectClassToggle(ToggleItemGreen);
    for (const auto& [method, toggle] : {std::pair{9, 0}, {-1, 0}, {0, 4}, {3, -1}, {1000, 1000}}) {
        Histo->DoH_SCDisplay(method, toggle);
        EXPECT_TRUE(Rec->Status1.empty()) << method << " " << toggle;
        EXPECT_TRUE(ShowsPicture(Original));
        EXPECT_TRUE(ToggleGreen && !ToggleRed && !ToggleBlue && !ToggleRGB);
    }
}

TEST_F(HistogramWindow, ClassCycleStepsOnEachPressAndOtherOperationsEndItFirst) {
    OpenOlinda();
    SelectClassToggle(ToggleItemRed);
    const std::string plain = MainCaptionPrefix + std::string("olinda.png");
    Histo->H_SCDisplayALLBtn->click();
    ASSERT_TRUE(ClassMethodCycleMode);
    EXPECT_EQ(Caption(), plain + "  Natural Break Class");
    EXPECT_TRUE(ShowsPicture(ExpectedClasses(Original, 0, ToggleItemRed)));
    EXPECT_FALSE(Form->IH__Histogram->isEnabled());

    Form->MultiImage1MouseDown(5, 5, Qt::LeftButton);
    EXPECT_EQ(ClassMethodIndex, 1);
    EXPECT_EQ(Caption(), plain + "  Best Fit Class");
    EXPECT_TRUE(ShowsPicture(ExpectedClasses(Original, 1, ToggleItemRed)));

    Histo->H_SCDisplayALLBtn->click();
    EXPECT_FALSE(ClassMethodCycleMode);
    EXPECT_TRUE(ShowsPicture(Original));
    EXPECT_EQ(Caption(), plain);
    EXPECT_TRUE(Form->IH__Histogram->isEnabled());

    // An operation during the cycle works on the picture, not on the class display, and Undo
    // then gives the picture back.
    Histo->H_SCDisplayALLBtn->click();
    Form->MultiImage1MouseDown(5, 5, Qt::LeftButton);
    KeepOneChannel(1);
    EXPECT_FALSE(ClassMethodCycleMode);
    EXPECT_EQ(Caption(), plain);
    for (size_t i = 0; i < Original.Pixels.size(); i += 997)
        ASSERT_EQ(DisplayedPicture.Pixels[i], PackPixel(PixelRed(Original.Pixels[i]), 0, 0)) << i;
    UndoImage();
    EXPECT_TRUE(ShowsPicture(Original));
}

// Each click shows the next row on the picture as it was when the cycle began, from the last
// row back to the first.
TEST_F(HistogramWindow, ClassCycleRunsThroughEveryRowAndWrapsToTheFirst) {
    OpenOlinda();
    SelectClassToggle(ToggleItemBGR);
    const std::string plain = MainCaptionPrefix + std::string("olinda.png");
    Histo->H_SCDisplayALLBtn->click();
    ASSERT_TRUE(ClassMethodCycleMode);
    std::set<std::vector<uint32_t>> shown{DisplayedPicture.Pixels};
    for (int click = 1; click <= 10; ++click) {
        const int row = click % 10;
        Form->MultiImage1MouseDown(5, 5, Qt::LeftButton);
        EXPECT_EQ(ClassMethodIndex, row);
        EXPECT_EQ(Caption(), plain + "  " + ClassMethodNames[row]);
        ASSERT_TRUE(ShowsPicture(ExpectedClasses(Original, row, ToggleItemBGR))) << row;
        shown.insert(DisplayedPicture.Pixels);
    }
    // The rows differ on this picture, so a click that showed the wrong one would be seen.
    EXPECT_GE(shown.size(), 8u);
    Histo->H_SCDisplayALLBtn->click();
    EXPECT_TRUE(ShowsPicture(Original));
    EXPECT_EQ(Caption(), plain);
}

TEST_F(HistogramWindow, TheCycleDoesNotStartWithoutBuffers) {
    OpenSynthetic();
    FreeImageBuffers();
    Histo->H_SCDisplayALLBtn->click();
    EXPECT_TRUE(Rec->Shown(40000));
    EXPECT_FALSE(ClassMethodCycleMode);
    EXPECT_TRUE(Form->IH__Histogram->isEnabled());
    EXPECT_EQ(Caption(), MainCaptionPrefix + std::string("synth.png"));
}

TEST_F(HistogramWindow, ClassifierHistogramsTakeTheMethodsClassColoursAndBreaks) {
    OpenSynthetic();
    Histo->SCHGroup->button(1)->click(); // Best Fit: 15, 25, 40, ...
    Histo->H_SCHBtn->click();
    const Picture& red = Histo->ClassifierPictures[BandRed];
    const std::pair<int, int> values[] = {{10, 0}, {20, 1}, {30, 2}};
    for (const auto& [value, entry] : values)
        EXPECT_EQ(red.At(25 + value, 119), PixelOf(TestClassColors[static_cast<size_t>(entry)]))
            << value;
    EXPECT_EQ(red.At(23, 60), PackPixel(255, 0, 0));

    // Proposed beside the picture, not in the folder another window moved the dialogs to.
    ImageDirectory = "/elsewhere/";
    Rec->FileAnswers.push_back(Dir.File("synthSCB.bmp"));
    Histo->SCHSaveBtn[BandBlue]->click();
    EXPECT_EQ(Rec->FileRequests.at(0).FileName, Dir.File("synthSCB.bmp"));
    EXPECT_EQ(Saved("synthSCB.bmp").Pixels, Histo->ClassifierPictures[BandBlue].Pixels);

    Histo->SCHBandBtn[BandGreen]->click();
    QStringList edits;
    for (QLineEdit* e : Histo->SCHEdit)
        edits << e->text();
    EXPECT_EQ(edits.join(' '), "15 25 40 60 85 115 150 190 255");
}

// Without a picture there is no name to keep the tables under: the row changes, no file is made.
TEST_F(HistogramWindow, NaturalBreaksSavedWithoutAPictureWriteNoFile) {
    ImageDirectory = Dir.Path();
    Histo->H_NB_ActiveBtn[BandBlue]->click();
    Histo->NBEdit[0]->setText("9");
    Histo->H_NB_SaveBtn[BandBlue]->click();
    EXPECT_EQ(SeedBreakTables[BandBlue][0][1], 9);
    EXPECT_FALSE(FileExists(Dir.File(".ads")));
}

} // namespace
