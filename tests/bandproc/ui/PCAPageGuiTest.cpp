#include "bandproc/ui/DisProcessFixture.h"
#include "bandproc/ui/vDisHistPage.h"
#include "bandproc/ui/vDisPcaPage.h"
#include "bandproc/vPCA.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>

#include <algorithm>

namespace {

constexpr int NotReady = 39993;

class PCAPageGui : public DisProcessGui {
  protected:
    void SetUp() override {
        DisProcessGui::SetUp();
        Page = static_cast<TDisPCAPage*>(Window->TabSheet15);
        SplitScene();
        ChooseDIS(Page->PCADisFileBtn, Dir.File("olinda.dis"));
    }
    void Pick(int band) { ChooseBand(Page->PCAFilesBtn, band); }
    std::vector<std::string> Memo() const {
        return SplitLines(Page->PCAMemo->toPlainText().toStdString());
    }
    std::vector<std::string> LoggedRun() const { return LoggedFrom(SavedDIS(), "Image PCA:"); }
    TDisPCAPage* Page = nullptr;
};

TEST_F(PCAPageGui, PicksAfterARunAddBandsNotReportLines) {
    EXPECT_EQ(Page->PCAFileEdit->text(), "olinda.dis");
    Pick(1);
    Pick(2);
    EXPECT_EQ(Page->BandsSelectedLabel->text(), "2");
    EXPECT_EQ(Memo(), (std::vector<std::string>{BandPath(1), BandPath(2)}));
    Page->PCAOKBtn->click();
    std::vector<std::string> memo = Memo();
    ASSERT_EQ(memo.size(), 2u + 4u + 3u + 4u) << Rec->Summary();
    EXPECT_EQ(memo[2], "Processing: olinda.B1");
    EXPECT_EQ(memo[6], "CoVariance ");
    EXPECT_EQ(memo[9].rfind("Eigenvectors 1: ", 0), 0u);
    EXPECT_EQ(memo[12].rfind("Eigenvalues 2: ", 0), 0u);
    for (const char* product : {"olinda.pcn", "olinda.pc1", "olinda.pc2"})
        EXPECT_EQ(FileSizeOf(Dir.File(product)), OlindaW * OlindaH) << product;
    EXPECT_EQ(LoggedRun(), (std::vector<std::string>{"Image PCA:", Dir.Path(), "olinda.dis",
                                                     BandPath(1), BandPath(2)}));

    // The third pick lands after the report; the run still reads the three picked bands.
    Pick(3);
    Page->PCAOKBtn->click();
    memo = Memo();
    EXPECT_EQ(memo[13], BandPath(3));
    EXPECT_NE(std::find(memo.begin(), memo.end(), "Processing: olinda.B3"), memo.end());
    EXPECT_EQ(FileSizeOf(Dir.File("olinda.pc3")), OlindaW * OlindaH);
    EXPECT_EQ(PCAStats.size(), 3u);
    EXPECT_TRUE(Rec->ErrorBoxes.empty()) << Rec->Summary();

    Page->PCACopy->click();
    EXPECT_EQ(QApplication::clipboard()->text(), Page->PCAMemo->toPlainText());
}

// The run counts each band through the histogram page's loader, which shows it there: the page
// is left with the last band counted, as its picture and as the band a correction works on.
TEST_F(PCAPageGui, RunRepaintsTheHistogramPageWithEachBand) {
    auto* histogram = qobject_cast<TDisHistogramPage*>(Window->TabSheet1);
    ASSERT_NE(histogram, nullptr);
    // What the page shows as each band after the first begins to be counted.
    std::vector<int> shown;
    const auto hints = Hooks.SetBandHints;
    Hooks.SetBandHints = [&](const std::string& text) {
        const QImage image = histogram->ImageO->pixmap().toImage();
        if (text.rfind("Processing: ", 0) == 0 && !image.isNull())
            shown.push_back(qGray(image.pixel(7, 5)));
    };
    Pick(2);
    Pick(5);
    Page->PCAOKBtn->click();
    const Bytes last = Band(5);
    const QImage image = histogram->ImageO->pixmap().toImage();
    ASSERT_EQ(image.width(), OlindaW) << Rec->Summary();
    ASSERT_EQ(image.height(), OlindaH);
    size_t wrong = 0;
    for (int y = 0; y < OlindaH; ++y)
        for (int x = 0; x < OlindaW; ++x)
            if (qGray(image.pixel(x, y)) != last[static_cast<size_t>(y) * OlindaW + x]) ++wrong;
    EXPECT_EQ(wrong, 0u);
    EXPECT_EQ(shown, std::vector<int>{Band(2)[5 * OlindaW + 7]});
    Hooks.SetBandHints = hints;
}

TEST_F(PCAPageGui, RunsOnTheFirstNinePicksAndNeedsTwo) {
    Page->PCAOKBtn->click();
    EXPECT_TRUE(Rec->Shown(NotReady));
    Rec->Messages.clear();
    Pick(1);
    Page->PCAOKBtn->click();
    EXPECT_TRUE(Rec->Shown(NotReady));
    Rec->Messages.clear();
    for (int i = 1; i < 12; ++i)
        Pick(i % 6 + 1);
    EXPECT_EQ(Page->BandsSelectedLabel->text(), "12");
    Page->PCAOKBtn->click();
    EXPECT_EQ(Page->PCABandCount, 9);
    const std::vector<std::string> logged = LoggedRun();
    ASSERT_EQ(logged.size(), 12u) << Rec->Summary();
    EXPECT_EQ(logged[11], Page->PCAFiles[8]);
    EXPECT_EQ(PCAStats.size(), 9u);

    // A new DIS empties the list: the run refuses until bands are picked again.
    Rec->FileAnswers.push_back(Dir.File("olinda.dis"));
    Page->PCADisFileBtn->click();
    EXPECT_EQ(Page->PCAMemo->toPlainText(), "");
    EXPECT_EQ(Page->BandsSelectedLabel->text(), "0");
    Page->PCAOKBtn->click();
    EXPECT_TRUE(Rec->Shown(NotReady));
}

// After a run the histogram page shows the last band counted whole: its figures, its histogram
// and its (reset) correction, and "Save as" writes that band under that band's name. The page
// used to keep the figures and the corrected data of the band loaded there before.
TEST_F(PCAPageGui, RunLeavesTheHistogramPageOnOneBand) {
    auto* histogram = qobject_cast<TDisHistogramPage*>(Window->TabSheet1);
    ASSERT_NE(histogram, nullptr);
    ChooseBand(histogram->HisBandFileBtn, 1);
    histogram->CorrectionBtns[4]->click();
    Pick(2);
    Pick(5);
    Page->PCAOKBtn->click();

    const Bytes last = Band(5);
    const auto [lo, hi] = std::minmax_element(last.begin(), last.end());
    for (const auto* labels : {&histogram->LabelsO, &histogram->LabelsHC}) {
        EXPECT_EQ(labels->Minimum->text().toInt(), *lo);
        EXPECT_EQ(labels->Maximum->text().toInt(), *hi);
    }
    EXPECT_EQ(histogram->Correction(), 0);
    EXPECT_EQ(histogram->HisBandFileEdit->text(), "olinda.B5");
    EXPECT_EQ(qGray(histogram->ImageHC->pixmap().toImage().pixel(7, 5)), last[5 * OlindaW + 7]);

    Rec->FileAnswers.push_back(Dir.File("saved.B9"));
    histogram->SaveAsBtn->click();
    EXPECT_EQ(FileBytes(Dir.File("saved.B9")), last);
    EXPECT_EQ(Window->Scene.BandFiles[0], BandPath(5));
    EXPECT_TRUE(Rec->ErrorBoxes.empty()) << Rec->Summary();
}

} // namespace
