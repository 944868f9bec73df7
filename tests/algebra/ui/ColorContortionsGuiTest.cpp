#include "algebra/ui/vColorContortions.h"
#include "algebra/vLUTGraph.h"
#include "runtime/RtFiles.h"
#include "support/EngineTestImage.h"
#include "support/TestFiles.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include <memory>

namespace {

class ColorContortions : public EngineTestImage {
  protected:
    void SetUp() override {
        EngineTestImage::SetUp();
        RedLUT = GreenLUT = BlueLUT = IdentityLUT();
        ClipOption = true;
        P = std::make_unique<TColorContortionsPage>();
        P->show();
        Load(2, {{10, 20, 30}, {200, 100, 0}});
    }
    void TearDown() override {
        P.reset();
        CloseGraph();
        LUTFunction = lfIdentity;
        ColorPlane = NoColorPlane;
        PlaneInColor = true;
        EngineTestImage::TearDown();
    }
    QPushButton* FunctionButton(int32_t code) { return P->FunctionButtons[code - 1]; }
    bool Previewed() const { return !P->PACImage->pixmap().isNull(); }
    std::vector<Rgb> PreviewPixels() const {
        const QImage img = P->PACImage->pixmap().toImage();
        std::vector<Rgb> out;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QRgb c = img.pixel(x, y);
                out.push_back({qRed(c), qGreen(c), qBlue(c)});
            }
        return out;
    }
    QRgb Canvas(int x, int y) const { return P->PACGraphImage->Canvas.pixel(x, y) & 0xFFFFFF; }
    int InkedPixels() const {
        int n = 0;
        const QImage& c = P->PACGraphImage->Canvas;
        for (int y = 0; y < c.height(); ++y)
            for (int x = 0; x < c.width(); ++x)
                n += (c.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
        return n;
    }
    std::string Golden(const std::string& name) const { return TestData("lut/") + name; }

    std::unique_ptr<TColorContortionsPage> P;
};

// The page starts with nothing to apply and no bars.
TEST_F(ColorContortions, FunctionsWithoutBarsPreviewAtOnce) {
    EXPECT_FALSE(P->PACApplyToImage->isEnabled() || P->PACUseColorSliceBtn->isEnabled());
    EXPECT_FALSE(P->RMinTBar->isVisible() || P->PACCB->isVisible() || GraphActive);
    EXPECT_TRUE(P->HCActivateColor->isEnabled());
    const struct {
        int32_t code;
        std::vector<Rgb> expected;
    } cases[] = {
        {lfNegative, {{245, 235, 225}, {55, 155, 255}}},
        {lfGray, {{18, 18, 18}, {119, 119, 119}}},
    };
    for (const auto& c : cases) {
        QTest::mouseClick(FunctionButton(c.code), Qt::LeftButton);
        EXPECT_EQ(PreviewPixels(), c.expected) << c.code;
        EXPECT_TRUE(P->PACApplyToImage->isEnabled());
        EXPECT_EQ(P->HCGauge->value(), 0);
        EXPECT_TRUE(P->SlidersLive);
    }
    // The picture itself is not touched until the apply.
    EXPECT_EQ(Shown()[0], (Rgb{10, 20, 30}));
    QTest::mouseClick(P->PACApplyToImage, Qt::LeftButton);
    EXPECT_EQ(Shown(), (std::vector<Rgb>{{18, 18, 18}, {119, 119, 119}}));
    EXPECT_TRUE(Rec.UndoEnabled);
}

// What each function shows of the slider row, and that it waits for a bar to move.
TEST_F(ColorContortions, FunctionsWithBarsSetThemUpAndWait) {
    const struct {
        int32_t code;
        int bars; // shown from the red one
        int min, max, start, pageStep;
        QString label, hint;
        std::array<int32_t, 3> last;
        uint8_t shows;
    } cases[] = {
        // clang-format off
        {lfHistogramEQ, 1, 1, 255, 128, 25, "Cls", "Number of Histogram Classes", {128, 0, 0},
         lsNone},
        {lfStretchLinear, 2, 0, 255, 0, 25, "Min", "Stretch Linear Minimum", {0, 255, 0}, lsNone},
        {lfSineWave, 3, -255, 255, 0, 51, "Red", "Red Sine", {0, 0, 0}, lsTogether | lsUp},
        {lfGamma, 3, 1, 500, 200, 50, "Red", "Red Gamma", {200, 200, 200}, lsTogether | lsAdded},
        {lfHLS, 3, -359, 359, 0, 71, "Hue", "Hue Balance", {10, 0, 0}, lsTogether | lsPlanes},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        QTest::mouseClick(FunctionButton(c.code), Qt::LeftButton);
        EXPECT_EQ(LUTFunction, c.code);
        const QSlider* bars[3] = {P->RMinTBar, P->GMaxTBar, P->BlueMeanieTBar};
        for (int b = 0; b < 3; ++b)
            EXPECT_EQ(bars[b]->isVisible(), b < c.bars) << b;
        EXPECT_EQ(P->RMinTBar->minimum(), c.min);
        EXPECT_EQ(P->RMinTBar->maximum(), c.max);
        EXPECT_EQ(P->RMinTBar->value(), c.start);
        EXPECT_EQ(P->RMinTBar->pageStep(), c.pageStep);
        EXPECT_EQ(P->RMinTBar->toolTip(), c.hint);
        EXPECT_EQ(P->RMinLabel->text(), c.label);
        EXPECT_EQ(P->RMinValueLabel->text(), QString::number(c.start));
        EXPECT_EQ((std::array<int32_t, 3>{P->LastRedSlider, P->LastGreenSlider, P->LastBlueSlider}),
                  c.last);
        EXPECT_EQ(P->AllTogetherCB->isVisible(), (c.shows & lsTogether) != 0);
        EXPECT_EQ(P->PositiveCurveCB->isVisible(), (c.shows & lsUp) != 0);
        EXPECT_EQ(P->AddedCB->isVisible(), (c.shows & lsAdded) != 0);
        EXPECT_EQ(P->RadioGroupColorPlane->isVisible(), (c.shows & lsPlanes) != 0);
        EXPECT_TRUE(P->ProcessSliderBtn->isVisible());
        EXPECT_TRUE(P->SlidersLive);
        EXPECT_FALSE(Previewed());
    }
}

TEST_F(ColorContortions, MovingOneBarWithAllTogetherMovesAllAndRebuildsTheTables) {
    QTest::mouseClick(FunctionButton(lfRGB), Qt::LeftButton);
    P->AllTogetherCB->setChecked(true);
    P->BlueMeanieTBar->setValue(40);
    for (QSlider* bar : {P->RMinTBar, P->GMaxTBar, P->BlueMeanieTBar})
        EXPECT_EQ(bar->value(), 40);
    for (QLabel* label : {P->RMinValueLabel, P->GMaxValueLabel, P->BlueMeanieValueLabel})
        EXPECT_EQ(label->text(), "40");
    EXPECT_EQ(P->LastRedSlider, 40);
    EXPECT_EQ(RedLUT[10], 50);
    EXPECT_EQ(PreviewPixels()[0], (Rgb{50, 60, 70}));
}

TEST_F(ColorContortions, UseButtonHoldsBarMovesUntilReadyToProcess) {
    QTest::mouseClick(FunctionButton(lfRGB), Qt::LeftButton);
    P->ButtonCommandCB->setChecked(true);
    P->RMinTBar->setValue(-10);
    P->GMaxTBar->setValue(5);
    EXPECT_EQ(P->RMinValueLabel->text(), "-10");
    EXPECT_FALSE(Previewed());
    QTest::mouseClick(P->ProcessSliderBtn, Qt::LeftButton);
    EXPECT_EQ(PreviewPixels()[0], (Rgb{0, 25, 30}));
}

TEST_F(ColorContortions, PlaneChoiceSetsThePlaneAndTheMonoBox) {
    const struct {
        int32_t code;
        int item;
        int32_t plane;
        bool mono;
    } cases[] = {
        {lfRGB, 0, 0, true}, {lfRGB, 2, 2, true},  {lfHSV, 0, 4, true},    {lfHSV, 1, 5, false},
        {lfHLS, 0, 7, true}, {lfHLS, 2, 9, false}, {lfCMYK, 3, 13, false}, {lfCMYK, 0, 10, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code * 100 + c.item);
        QTest::mouseClick(FunctionButton(c.code), Qt::LeftButton);
        P->RMinTBar->setValue(30);
        P->ColorPlaneItems->button(c.item)->click();
        EXPECT_EQ(ColorPlane, c.plane);
        EXPECT_EQ(P->CheckBoxMonochrome->isVisible(), c.mono);
        EXPECT_EQ(P->CheckBoxMonochrome->isEnabled(), c.mono);
        // The bars go back to 0 and the plane is previewed at once.
        EXPECT_EQ(P->RMinTBar->value(), 0);
        EXPECT_TRUE(Previewed());
    }
    const QStringList hls = {"Hue", "Lightness", "Saturation"};
    QTest::mouseClick(FunctionButton(lfHLS), Qt::LeftButton);
    QStringList shown;
    for (QAbstractButton* b : P->ColorPlaneItems->buttons())
        shown << b->text();
    EXPECT_EQ(shown, hls);
}

TEST_F(ColorContortions, MonoShowsTheRGBPlanesGrey) {
    QTest::mouseClick(FunctionButton(lfRGB), Qt::LeftButton);
    P->ColorPlaneItems->button(1)->click();
    EXPECT_EQ(PreviewPixels()[1], (Rgb{200, 0, 0}));
    QTest::mouseClick(P->CheckBoxMonochrome, Qt::LeftButton);
    EXPECT_FALSE(PlaneInColor);
    P->RMinTBar->setValue(1);
    EXPECT_EQ(PreviewPixels()[1], (Rgb{201, 201, 201}));
}

TEST_F(ColorContortions, ActivatingTheGraphShowsItsControlsAndTheIdentity) {
    QTest::mouseClick(P->HCActivateColor, Qt::LeftButton);
    for (QWidget* w :
         std::initializer_list<QWidget*>{P->PACCB, P->PACDrawRG, P->PACColorCRG, P->FunctionLabel})
        EXPECT_TRUE(w->isVisible()) << w->objectName().toStdString();
    for (QWidget* w : std::initializer_list<QWidget*>{P->PACClearBtn, P->PACUseColorSliceBtn,
                                                      P->PACLoadColorBins, P->PACSaveColorBins,
                                                      P->UseFunctionsBtn})
        EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_EQ(P->PACCB->currentIndex(), 0);
    EXPECT_EQ(P->UseFunctionsBtn->text(), "Use Functions");
    // The identity in grey, from the bottom left to the top right.
    EXPECT_EQ(Canvas(0, 255), 0x808080u);
    EXPECT_EQ(Canvas(255, 0), 0x808080u);
    EXPECT_EQ(Canvas(0, 0), 0xFFFFFFu);
}

TEST_F(ColorContortions, DraggingDrawsTheCurveWithAnExclusiveOrPen) {
    QTest::mouseClick(P->HCActivateColor, Qt::LeftButton);
    QTest::mousePress(P->PACGraphImage, Qt::LeftButton, {}, QPoint(10, 55));
    EXPECT_TRUE(GraphDragging);
    EXPECT_EQ(GraphCurve[10], 200);
    // Grey over white, exclusive-or.
    EXPECT_EQ(Canvas(10, 55), 0x7F7F7Fu);
    const int inked = InkedPixels();
    // Moving onto the same point takes the curve away and draws it again.
    QTest::mouseMove(P->PACGraphImage, QPoint(10, 55));
    EXPECT_EQ(InkedPixels(), inked);
    EXPECT_EQ(Canvas(10, 55), 0x7F7F7Fu);
    QTest::mouseMove(P->PACGraphImage, QPoint(20, 155));
    EXPECT_EQ(P->PAColorLabel->text(), "X: 20 Y: 100");
    EXPECT_EQ(GraphCurve[20], 100);
    QTest::mouseRelease(P->PACGraphImage, Qt::LeftButton, {}, QPoint(30, 300));
    EXPECT_FALSE(GraphDragging);
    EXPECT_EQ(GraphCurve[30], 0);
    // Copied in grey once the button is up.
    EXPECT_EQ(Canvas(20, 155), 0x808080u);
    EXPECT_EQ(Canvas(30, 255), 0x808080u);
}

TEST_F(ColorContortions, UseFunctionsDrawsTheThreeTablesRedOnTop) {
    QTest::mouseClick(P->HCActivateColor, Qt::LeftButton);
    P->PACCB->setCurrentIndex(lfNegative);
    emit P->PACCB->activated(lfNegative);
    EXPECT_EQ(P->UseFunctionsBtn->text(), "Use Function: 3");
    QTest::mouseClick(P->UseFunctionsBtn, Qt::LeftButton);
    EXPECT_EQ(Canvas(0, 0), 0xFF0000u);
    EXPECT_EQ(Canvas(255, 255), 0xFF0000u);
    EXPECT_TRUE(P->PACColorItems->button(gcRed)->isChecked());
    EXPECT_EQ(BlueLUT[0], 255);
    QTest::mouseClick(P->PACUseColorSliceBtn, Qt::LeftButton);
    EXPECT_EQ(LUTFunction, lfHandDrawn);
    EXPECT_EQ(PreviewPixels()[0], (Rgb{245, 235, 225}));
}

TEST_F(ColorContortions, SaveWritesTheTablesAndLoadReplacesThem) {
    TempDir dir;
    QTest::mouseClick(P->HCActivateColor, Qt::LeftButton);
    Rec.FileAnswers.push_back(dir.File("saved.lut"));
    QTest::mouseClick(P->PACSaveColorBins, Qt::LeftButton);
    ASSERT_EQ(Rec.FileRequests.size(), 1u);
    EXPECT_TRUE(Rec.FileRequests[0].Save);
    EXPECT_EQ(Rec.FileRequests[0].Filter, "LUT files (*.lut)|*.lut");
    EXPECT_EQ(Rec.FileRequests[0].DefaultExt, "lut");
    std::vector<uint8_t> saved, golden;
    ASSERT_TRUE(ReadWholeFile(dir.File("saved.lut"), saved));
    ASSERT_TRUE(ReadWholeFile(Golden("identity.lut"), golden));
    EXPECT_EQ(saved, golden);

    Rec.FileAnswers.push_back(Golden("ramps.lut"));
    QTest::mouseClick(P->PACLoadColorBins, Qt::LeftButton);
    EXPECT_EQ(GreenLUT[0], 255);
    EXPECT_EQ(BlueLUT[1], 0.75);
    EXPECT_TRUE(P->PACColorItems->button(gcRed)->isChecked());
    EXPECT_EQ(GraphColor, gcRed);
    // Green's falling line is drawn in green; red's rising one over it.
    EXPECT_EQ(Canvas(0, 0), 0x008000u);
    EXPECT_EQ(Canvas(100, 155), 0xFF0000u);
}

TEST_F(ColorContortions, ARefusedLoadKeepsTheGraphAndItsTables) {
    TempDir dir;
    QTest::mouseClick(P->HCActivateColor, Qt::LeftButton);
    P->PACGraphImageMouseDown(5, 0);
    P->PACGraphImageMouseUp(5, 0);
    const std::vector<double> curve = GraphCurve;
    const LUTTable red = RedLUT;
    ASSERT_TRUE(WriteFileAtomic(dir.File("short.lut"), std::string(6136, '\0'),
                                TReplaceLeave::Chosen(dir.File("short.lut"))));
    Rec.FileAnswers.push_back(dir.File("short.lut"));
    QTest::mouseClick(P->PACLoadColorBins, Qt::LeftButton);
    EXPECT_EQ(Rec.ErrorBoxes, std::vector<std::string>{"Read beyond end of file"});
    EXPECT_EQ(GraphCurve, curve);
    EXPECT_EQ(RedLUT, red);
    EXPECT_EQ(Canvas(5, 0), 0x808080u);
    // A cancelled dialog changes nothing either.
    QTest::mouseClick(P->PACLoadColorBins, Qt::LeftButton);
    EXPECT_EQ(GraphCurve, curve);
}

} // namespace
