// The "Natural Break" page: one band's histogram with its natural breaks, moved value by value
// with the scroll bar, coloured by class, and saved as row 0 of the band's seed-break table.
#include "histogram/ui/vHistogram.h"

#include "histogram/ui/vHistogramControls.h"
#include "histogram/vClassDisplay.h"
#include "histogram/vHistogramPages.h"
#include "histogram/vSeedBreaks.h"
#include "histogram/vUHistoCC.h"
#include "runtime/RtNumbers.h"
#include "shell/ui/vMarkControls.h"
#include "shell/vGlobal.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>

using namespace histogram_ui;

namespace {

constexpr int HelpTopic = 6400;
constexpr int NaturalBreakMethod = 0;
constexpr const char* BandNames[BandCount] = {"Red", "Green", "Blue"};

} // namespace

void THistogramForm::BuildNaturalBreakPage(QWidget* page) {
    static const char* const saveNames[BandCount] = {"H_NB_RSaveBtn", "H_NB_GSaveBtn",
                                                     "H_NB_BSaveBtn"};
    auto* grid = new QGridLayout(page);
    auto* bands = new QHBoxLayout;
    for (int band = 0; band < BandCount; ++band) {
        const size_t b = static_cast<size_t>(band);
        H_NB_ActiveBtn[b] =
            MakeButton(page, QString("H_NB_") + BandNames[band] + "ActiveBtn", BandNames[band]);
        H_NB_SaveBtn[b] = MakeButton(page, saveNames[band], "not");
        bands->addWidget(H_NB_ActiveBtn[b]);
        connect(H_NB_ActiveBtn[b], &QPushButton::clicked, this,
                [this, band] { Guarded([&] { H_NB_ActiveBtnClick(band); }); });
        connect(H_NB_SaveBtn[b], &QPushButton::clicked, this,
                [this, band] { Guarded([&] { H_NB_SaveBtnClick(band); }); });
    }
    bands->addStretch();
    grid->addLayout(bands, 0, 0, 1, 2);

    ImageNB = MakePlotView(page, "ImageNB", 512, 200);
    NBScrollBar = new QScrollBar(Qt::Horizontal, page);
    NBScrollBar->setObjectName("NBScrollBar");
    NBScrollBar->setRange(0, 255);
    NBScrollBar->setEnabled(false);
    grid->addWidget(ImageNB, 1, 0);
    grid->addWidget(NBScrollBar, 2, 0);

    auto* stats = new QGridLayout;
    NBMinimum = MakeValueLabel(page, "NBMinimum");
    NBMaximum = MakeValueLabel(page, "NBMaximum");
    NBMode = MakeValueLabel(page, "NBMode");
    NBMedian = MakeValueLabel(page, "NBMedian");
    NBMean = MakeValueLabel(page, "NBMean");
    NBVariance = MakeValueLabel(page, "NBVariance");
    NBStandardDeviation = MakeValueLabel(page, "NBStandardDeviation");
    NBMaxLabel = MakeValueLabel(page, "NBMaxLabel");
    HNB_Panel = MakeColorPanel("HNB_Panel", page);
    const int row = AddCaptionedRows(stats, page,
                                     {{"Min", NBMinimum},
                                      {"Max", NBMaximum},
                                      {"Mode", NBMode},
                                      {"Median", NBMedian},
                                      {"Mean", NBMean},
                                      {"Variance", NBVariance},
                                      {"S.D.", NBStandardDeviation},
                                      {"Top count", NBMaxLabel},
                                      {"Class", HNB_Panel}});
    stats->setRowStretch(row, 1);
    grid->addLayout(stats, 1, 1, 2, 1);

    auto* edits = new QGridLayout;
    NaturalBreaks = MakeRadioGroup(page, "NaturalBreaks", "Break",
                                   {"1", "2", "3", "4", "5", "6", "7", "8", "9"}, edits, 0, 0);
    auto* breakEdits = new QGridLayout;
    for (size_t k = 0; k < NBEdit.size(); ++k) {
        NBEdit[k] = MakeEdit(page, QString("NBEdit%1").arg(k + 1));
        breakEdits->addWidget(new QLabel(QString::number(k + 1), page), static_cast<int>(k), 0);
        breakEdits->addWidget(NBEdit[k], static_cast<int>(k), 1);
    }
    edits->addLayout(breakEdits, 0, 1);
    auto* valueRow = new QHBoxLayout;
    NBEdit_Value = MakeEdit(page, "NBEdit_Value");
    NBEdit_Count = MakeEdit(page, "NBEdit_Count", 72);
    valueRow->addWidget(new QLabel("Value", page));
    valueRow->addWidget(NBEdit_Value);
    valueRow->addWidget(new QLabel("Count", page));
    valueRow->addWidget(NBEdit_Count);
    edits->addLayout(valueRow, 1, 0, 1, 2);
    grid->addLayout(edits, 1, 2, 2, 1);

    auto* buttons = new QHBoxLayout;
    H_NB_SetBtn = MakeButton(page, "H_NB_SetBtn", "Set");
    H_NB_SaveImageBtn = MakeButton(page, "H_NB_SaveImageBtn", "Save Image");
    buttons->addWidget(H_NB_SetBtn);
    for (QPushButton* b : H_NB_SaveBtn)
        buttons->addWidget(b);
    buttons->addWidget(H_NB_SaveImageBtn);
    buttons->addStretch();
    buttons->addWidget(MakeHelpButton(page, "HNaturalBreak", HelpTopic));
    grid->addLayout(buttons, 3, 0, 1, 3);

    connect(NBScrollBar, &QScrollBar::valueChanged, this,
            [this](int p) { Guarded([&] { NBScrollBarScroll(p); }); });
    connect(H_NB_SetBtn, &QPushButton::clicked, this,
            [this] { Guarded([this] { H_NB_SetBtnClick(); }); });
    connect(H_NB_SaveImageBtn, &QPushButton::clicked, this,
            [this] { Guarded([this] { H_NB_SaveImageBtnClick(); }); });
}

void THistogramForm::H_NB_ActiveBtnClick(int band) {
    if (band < 0 || band >= BandCount) return;
    const size_t b = static_cast<size_t>(band);
    NBBand = band;
    NBHistogram = HistogramOf(band);
    const BandStatistics& s = BandHistogramStats[b];
    NBModeValue = s.Mode;
    NBBreaks = SeedBreakTables[b][NaturalBreakMethod];
    for (int other = 0; other < BandCount; ++other) {
        QPushButton* save = H_NB_SaveBtn[static_cast<size_t>(other)];
        save->setText(other == band ? BandNames[other] : "not");
        save->setEnabled(other == band);
    }
    NBScrollBar->setEnabled(true);
    H_NB_SetBtn->setEnabled(true);
    H_NB_SaveImageBtn->setEnabled(true);
    NBMinimum->setText(QString::number(s.Min));
    NBMaximum->setText(QString::number(s.Max));
    NBMode->setText(QString::number(s.Mode));
    NBMedian->setText(QString::number(s.Median));
    NBMean->setText(QString::number(s.Mean));
    NBVariance->setText(QString::fromLatin1(FloatToStr(BandSpread[b].Variance).c_str()));
    NBStandardDeviation->setText(QString::fromLatin1(FloatToStr(BandSpread[b].SD).c_str()));
    SetupNaturalBreaks();
}

void THistogramForm::SetupNaturalBreaks() {
    {
        const QSignalBlocker quiet(NBScrollBar);
        NBScrollBar->setValue(0);
    }
    SetItemIndex(NaturalBreaks, 0);
    NBPicture = BlankPictureFor(ImageNB);
    PlotHistogramBars(NBHistogram, NBModeValue, UniformBars(BlackColor), NaturalBreakLayout,
                      NBPicture);
    ShowNaturalBreakPicture();
}

void THistogramForm::ShowNaturalBreakPicture() {
    const QString top = QString::number(NBHistogram[static_cast<size_t>(NBModeValue & 0xFF)]);
    WriteTopLeft(NBPicture, top);
    NBMaxLabel->setText(top);
    ShowPicture(ImageNB, NBPicture);
}

void THistogramForm::NBScrollBarScroll(int position) {
    if (position < 0 || position > 255) return;
    const int selected = ItemIndex(NaturalBreaks);
    const int k = selected < 0 ? 1 : selected + 1;
    const uint32_t color = ClassColorOf(k);
    PlotHistogramBar(NBHistogram, NBModeValue, position, color, NaturalBreakLayout, NBPicture);
    ShowPicture(ImageNB, NBPicture);
    SetPanelColor(HNB_Panel, color);
    NBEdit[static_cast<size_t>(k - 1)]->setText(QString::number(position));
    NBEdit_Value->setText(QString::number(position));
    NBEdit_Count->setText(QString::number(NBHistogram[static_cast<size_t>(position)]));
}

void THistogramForm::H_NB_SetBtnClick() {
    PlotHistogramBars(NBHistogram, NBModeValue, ClassBars(NBBreaks), NaturalBreakLayout, NBPicture);
    ShowNaturalBreakPicture();
    for (size_t k = 0; k < NBEdit.size(); ++k)
        NBEdit[k]->setText(QString::number(NBBreaks[k + 1]));
}

void THistogramForm::H_NB_SaveBtnClick(int band) {
    // Only the band on the page has its breaks in the edits.
    if (band != NBBand) return;
    for (size_t k = 0; k < NBEdit.size(); ++k)
        NBBreaks[k + 1] = BreakFromText(NBEdit[k]->text().toLatin1().toStdString());
    SeedBreakTables[static_cast<size_t>(band)][NaturalBreakMethod] = NBBreaks;
    // Without a picture there is no name to keep the tables under.
    if (CurrentImageName.empty()) return;
    SaveSeedFileOrRaise();
}

void THistogramForm::H_NB_SaveImageBtnClick() {
    SaveHistogramPicture(NBPicture, "HNB.bmp");
}
