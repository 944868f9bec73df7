#include "bandproc/ui/DisProcessFixture.h"
#include "bandproc/ui/vDisHistPage.h"
#include "bandproc/ui/vDisSinglePages.h"
#include "bandproc/ui/vPBandsHisFrm.h"
#include "histogram/vUHistoCC.h"
#include "runtime/RtFiles.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QScrollArea>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <filesystem>
#include <functional>

namespace {

class HistogramPageGui : public DisProcessGui {
  protected:
    void SetUp() override {
        DisProcessGui::SetUp();
        Page = static_cast<TDisHistogramPage*>(Window->TabSheet1);
        SplitScene();
        ChooseDIS(Page->HisDISFileBtn, Dir.File("olinda.dis"));
    }
    void TearDown() override {
        RedHistogram.fill(0);
        DisProcessGui::TearDown();
    }
    Bytes LoadBand(int band) {
        ChooseBand(Page->HisBandFileBtn, band);
        return Band(band);
    }
    static int Grey(const QLabel* l, int x, int y) {
        return qRed(l->pixmap().toImage().pixel(x, y));
    }
    TDisHistogramPage* Page = nullptr;
};

int Stretched(int v, double low, double span) {
    return static_cast<int>(std::nearbyint(std::clamp((v - low) / span * 256.0, 0.0, 255.0)));
}

TEST_F(HistogramPageGui, LoadsCorrectsAndSavesAnOlindaBand) {
    EXPECT_EQ(Page->HisDISFileEdit->text(), "olinda.dis");
    EXPECT_EQ(Page->Pixels->text(), "122848");
    EXPECT_FALSE(Page->SaveAsBtn->isEnabled());

    const Bytes band = LoadBand(4);
    ASSERT_EQ(band.size(), static_cast<size_t>(OlindaW * OlindaH));
    EXPECT_EQ(Page->HisBandFileEdit->text(), "olinda.B4");
    EXPECT_EQ(Page->HisNewFileEdit->text(), "olinda.B4");
    EXPECT_TRUE(Page->SaveAsBtn->isEnabled());
    const auto [lo, hi] = std::minmax_element(band.begin(), band.end());
    int64_t sum = 0;
    for (uint8_t v : band)
        sum += v;
    const double mean = std::nearbyint(static_cast<double>(sum) / band.size());
    double squares = 0;
    for (uint8_t v : band)
        squares += (v - mean) * (v - mean);
    for (const auto* labels : {&Page->LabelsO, &Page->LabelsHC}) {
        EXPECT_EQ(labels->Minimum->text().toInt(), *lo);
        EXPECT_EQ(labels->Maximum->text().toInt(), *hi);
        EXPECT_EQ(labels->Mean->text().toInt(), mean);
        const QString variance = labels->Variance->text();
        EXPECT_EQ(variance.size(), 23) << variance.toStdString();
        EXPECT_NEAR(variance.toDouble(), squares / (band.size() - 1), 1e-9 * squares);
    }
    for (auto [x, y] : {std::pair{0, 0}, std::pair{348, 0}, std::pair{100, 200}})
        EXPECT_EQ(Grey(Page->ImageO, x, y), band[y * OlindaW + x]);
    // The most frequent value's bar fills the histogram's height, as the label paints it.
    const int mode = Page->LabelsO.Mode->text().toInt();
    EXPECT_EQ(Page->HisImageO->grab().toImage().pixel(mode + 25, 0), qRgb(255, 0, 0));
    EXPECT_EQ(Page->ProcessSliderBtn->text(), "Ready to Process Slider Correction Value");
    EXPECT_EQ(Page->HCGauge->value(), 0);

    Page->CorrectionBtns[4]->click();
    EXPECT_EQ(Grey(Page->ImageHC, 100, 200), 255 - band[200 * OlindaW + 100]);
    EXPECT_EQ(Page->LabelsHC.Minimum->text().toInt(), 255 - *hi);

    // A slider correction waits for its slider, then follows every change of it.
    Page->CorrectionBtns[2]->click();
    EXPECT_FALSE(Page->RMinTBar->isHidden());
    EXPECT_FALSE(Page->GMaxTBar->isHidden());
    EXPECT_TRUE(Page->PositiveCurveCB->isHidden());
    EXPECT_EQ(Page->RMinTBar->maximum(), 255);
    EXPECT_EQ(Page->GMaxTBar->value(), 255);
    EXPECT_EQ(Page->RMinLabel->text() + Page->GMaxLabel->text(), "MinMax");
    EXPECT_EQ(Page->Table()[0], 255);
    Page->RMinTBar->setValue(50);
    EXPECT_EQ(Page->RMinValueLabel->text(), "50");
    for (int v : {0, 50, 100, 254, 255})
        EXPECT_EQ(Page->Table()[v], Stretched(v, 50, 205)) << v;
    Page->RMinTBar->setValue(60);
    EXPECT_EQ(Page->RMinValueLabel->text(), "60");
    EXPECT_EQ(Page->Table()[100], Stretched(100, 60, 195));
    EXPECT_EQ(Grey(Page->ImageHC, 100, 200), Stretched(band[200 * OlindaW + 100], 60, 195));

    Rec->FileAnswers.push_back(Dir.File("stretched.B9"));
    Page->SaveAsBtn->click();
    const Bytes saved = FileBytes(Dir.File("stretched.B9"));
    ASSERT_EQ(saved.size(), band.size());
    for (size_t i = 0; i < band.size(); ++i)
        ASSERT_EQ(saved[i], Stretched(band[i], 60, 195)) << i;
    // After the save the slider still drives what is shown and saved next.
    Page->RMinTBar->setValue(70);
    EXPECT_EQ(Page->Table()[100], Stretched(100, 70, 185));
    EXPECT_EQ(Window->Scene.BandFiles[0], BandPath(4));
    EXPECT_EQ(Window->Scene.BandFiles[1], Dir.File("stretched.B9"));
    EXPECT_EQ(Page->HisNewFileEdit->text(), "stretched.B9");
    EXPECT_TRUE(Rec->ErrorBoxes.empty());
}

// Before any slider correction the equalisation takes every grey value as a level (the slider's
// own 0 made one level and a white band); after one, the level count the slider was left at.
TEST_F(HistogramPageGui, EqualisationReadsTheBandNotTheWorkingImage) {
    const Bytes band = LoadBand(3);
    Page->CorrectionBtns[3]->click();
    EXPECT_EQ(Page->RMinTBar->value(), 0);
    // Spread over the levels: the band was squeezed towards its middle instead.
    EXPECT_GT(Page->LabelsHC.StandardDeviation->text().toDouble(),
              2 * Page->LabelsO.StandardDeviation->text().toDouble());
    const auto [lo, hi] = std::minmax_element(band.begin(), band.end());
    EXPECT_EQ(Page->LabelsHC.Minimum->text().toInt(), Page->Table()[*lo]);
    EXPECT_EQ(Page->LabelsHC.Maximum->text().toInt(), Page->Table()[*hi]);
    EXPECT_LT(Page->LabelsHC.Minimum->text().toInt(), Page->LabelsHC.Maximum->text().toInt());
    EXPECT_EQ(Grey(Page->ImageHC, 100, 200), Page->Table()[band[200 * OlindaW + 100]]);
    const CorrectionTable fromBand = Page->Table();
    RedHistogram.fill(1000);
    Page->CorrectionBtns[0]->click();
    Page->CorrectionBtns[3]->click();
    EXPECT_EQ(Page->Table(), fromBand);
    EXPECT_EQ(Page->Correction(), 3);

    Page->CorrectionBtns[8]->click();
    Page->RMinTBar->setValue(16);
    Page->CorrectionBtns[3]->click();
    // Sixteen levels 16 grey values apart, from the darkest sample to the brightest.
    EXPECT_EQ(Page->Table()[*lo], 0);
    EXPECT_EQ(Page->Table()[*hi], 240);
    for (int v = 0; v < 256; ++v)
        EXPECT_EQ(Page->Table()[v] % 16, 0) << v;
    Page->CorrectionBtns[8]->click();
    Page->CorrectionBtns[3]->click();
    EXPECT_EQ(Page->RMinTBar->value(), 1);
    EXPECT_EQ(Page->Table()[*hi], 0);
}

// A band of one value: every figure is that value and the spread 0, before and after a
// correction; the median too, which the histogram window once put one below the data.
TEST_F(HistogramPageGui, AConstantBandsFiguresAreItsValue) {
    ASSERT_TRUE(WriteFileAtomic(BandPath(5), Bytes(size_t{OlindaW} * OlindaH, 100),
                                TReplaceLeave::Chosen(BandPath(5))));
    LoadBand(5);
    const auto expectAll = [](const TDisHistogramPage::TStatsLabels& l, int v) {
        for (const QLabel* label : {l.Minimum, l.Maximum, l.Mode, l.Median, l.Mean})
            EXPECT_EQ(label->text().toInt(), v) << label->objectName().toStdString();
        EXPECT_EQ(l.Variance->text().toDouble(), 0.0);
    };
    expectAll(Page->LabelsO, 100);
    const struct {
        int Correction;
        int Value;
    } rows[] = {{4, 155}, {0, 100}, {3, 128}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Correction);
        Page->CorrectionBtns[r.Correction]->click();
        expectAll(Page->LabelsHC, r.Value);
        EXPECT_EQ(Grey(Page->ImageHC, 348, 351), r.Value);
    }
    EXPECT_TRUE(Rec->Messages.empty()) << Rec->Summary();
}

TEST_F(HistogramPageGui, ClickingABandPictureShowsItsHistogramInTheViewer) {
    LoadBand(2);
    Page->CorrectionBtns[4]->click();
    QString caption;
    QImage shown;
    QTimer::singleShot(0, [&] {
        auto* viewer = qobject_cast<TExtraImageViewForm*>(QApplication::activeModalWidget());
        ASSERT_NE(viewer, nullptr);
        caption = viewer->windowTitle();
        shown = viewer->Image1->pixmap().toImage();
        QTest::mouseClick(viewer->Image1, Qt::LeftButton);
    });
    QTest::mouseClick(Page->ImageHC, Qt::LeftButton);
    EXPECT_EQ(caption, "Histogram Corrections Viewer");
    EXPECT_EQ(shown, Page->HisImageHC->pixmap().toImage());
}

} // namespace

namespace {

// The sliders a correction shows take room the window has from the start: at the least size of
// what it holds, the window keeps its size when they appear, fits a 1280 x 1024 screen, and the
// button beneath them stays inside it.
TEST_F(HistogramPageGui, TheSlidersAppearWithoutGrowingTheWindow) {
    LoadBand(2);
    Window->show();
    Window->PageControl1->setCurrentWidget(Page);
    QApplication::processEvents();
    Window->resize(Window->findChild<QScrollArea*>(Window->objectName() + "Scroll")
                       ->widget()
                       ->minimumSizeHint());
    QApplication::processEvents();
    const QSize smallest = Window->size();
    for (const int correction : {2, 5, 6, 0}) {
        SCOPED_TRACE(correction);
        Page->CorrectionBtns[correction]->click();
        QApplication::processEvents();
        EXPECT_EQ(Window->size(), smallest);
        EXPECT_LE(Window->frameGeometry().height(), 1024);
        const QRect button(Page->ProcessSliderBtn->mapTo(Window.get(), QPoint(0, 0)),
                           Page->ProcessSliderBtn->size());
        EXPECT_TRUE(Window->rect().contains(button));
    }
}

} // namespace

namespace {

// What the page shows is the band it holds. Closed, the window used to keep the band's name,
// pictures and figures after freeing it: the corrections changed nothing and Save as took a name
// and wrote nothing, without a word. A band refused for its size used to leave the loaded one
// shown while the page let go of it, and the button saying it was still loading.
TEST_F(HistogramPageGui, ThePageShowsOnlyTheBandItHolds) {
    const auto shownBand = [this] {
        std::string shown = Page->HisBandFileEdit->text().toStdString() + "|" +
                            Page->ProcessSliderBtn->text().toStdString() + "|" +
                            Page->LabelsO.Minimum->text().toStdString() + "|" +
                            std::to_string(Page->LabelsHC.Variance->text().size()) + "|";
        for (const QLabel* l : {Page->ImageO, Page->ImageHC, Page->HisImageO, Page->HisImageHC})
            shown += l->pixmap().isNull() ? "-" : "+";
        for (const QWidget* w : {static_cast<const QWidget*>(Page->SaveAsBtn),
                                 Page->findChild<const QWidget*>("HisBtnPanel"),
                                 static_cast<const QWidget*>(Page->ProcessSliderBtn)})
            shown += w->isEnabled() ? "E" : "d";
        return shown;
    };
    const std::string none = "|||0|----ddd";
    EXPECT_EQ(shownBand(), none);
    const Bytes band = LoadBand(4);
    const int lowest = *std::min_element(band.begin(), band.end());
    const std::string loaded = "olinda.B4|Ready to Process Slider Correction Value|" +
                               std::to_string(lowest) + "|23|++++EEE";
    EXPECT_EQ(shownBand(), loaded);

    // Refused for its size ("Some size is wrong"): the band shown stays, and what acts on it.
    Window->Scene.Loaded = false;
    Rec->Clear();
    ChooseBand(Page->HisBandFileBtn, 3);
    EXPECT_TRUE(Rec->Shown(36)) << Rec->Summary();
    EXPECT_EQ(shownBand(), loaded);
    Page->CorrectionBtns[4]->click();
    EXPECT_EQ(Grey(Page->ImageHC, 0, 0), 255 - band[0]);
    Window->Scene.Loaded = true;
    // Longer than the scene, as a band cut again at another size: it was read folded into the
    // scene's rows without a word.
    Bytes longer = band;
    longer.resize(band.size() + OlindaW * 10, 7);
    ASSERT_TRUE(
        WriteFileAtomic(Dir.File("long.B4"), longer, TReplaceLeave::Chosen(Dir.File("long.B4"))));
    Rec->Clear();
    Rec->FileAnswers.push_back(Dir.File("long.B4"));
    Page->HisBandFileBtn->click();
    EXPECT_NE(Rec->Summary().find(MessageText(36) + "\r\n" + Dir.File("long.B4")),
              std::string::npos)
        << Rec->Summary();
    EXPECT_EQ(shownBand(), loaded);

    // Another DIS lets the band go as a close does, on the Single Band page too.
    std::filesystem::copy_file(Dir.File("olinda.dis"), Dir.File("twin.dis"));
    struct Reopen {
        const char* Name;
        std::function<void()> Open;
        bool Closed = true;
        const char* DIS = "olinda.dis";
    };
    const auto launch = [this](const char* dis) {
        HeaderPages.AssignScene(Window->Scene.Pages);
        HeaderPages.NameDIS(Dir.File(dis));
        DISLoaded = true;
        Window->AdoptScene();
        Window->show();
    };
    for (const Reopen& r :
         {Reopen{"shown again", [this] { Window->show(); }},
          Reopen{"launched again", [&] { launch("olinda.dis"); }},
          Reopen{"another DIS chosen",
                 [this] { ChooseDIS(Page->HisDISFileBtn, Dir.File("twin.dis")); }, false,
                 "twin.dis"},
          Reopen{"launched on another DIS", [&] { launch("olinda.dis"); }, false}}) {
        SCOPED_TRACE(r.Name);
        Window->show();
        LoadBand(4);
        Window->SinglePage->BCBandFileEdit->setText("olinda.B4");
        if (r.Closed) Window->close();
        r.Open();
        EXPECT_EQ(shownBand(), none);
        EXPECT_EQ(Page->HisDISFileEdit->text(), r.DIS);
        EXPECT_EQ(Window->SinglePage->BCBandFileEdit->text().isEmpty(), !r.Closed);
        Rec->Clear();
        Window->RunBand([this] { Page->SaveAsBtnClick(); });
        EXPECT_TRUE(Rec->Shown(39993)) << Rec->Summary();
        EXPECT_TRUE(Rec->FileRequests.empty());
        EXPECT_EQ(LoadBand(4), band);
        EXPECT_EQ(shownBand(), loaded);
    }
}

} // namespace
