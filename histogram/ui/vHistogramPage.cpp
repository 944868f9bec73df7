// The "Histogram" page: the picture's size, band-pair and band statistics, and each band's
// histogram as a picture that can be saved.
#include "histogram/ui/vHistogram.h"

#include "histogram/ui/vHistogramControls.h"
#include "histogram/vHistogramPages.h"
#include "histogram/vUHistoCC.h"
#include "runtime/RtNumbers.h"
#include "shell/vGlobal.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

using namespace histogram_ui;

namespace {

constexpr int HelpTopic = 6100;
constexpr int PlotWidth = 300;
constexpr int PlotHeight = 120;
constexpr const char* SaveSuffixes[BandCount] = {"HR.bmp", "HG.bmp", "HB.bmp"};

QString Text(const std::string& s) {
    return QString::fromLatin1(s.c_str());
}

} // namespace

void THistogramForm::BuildHistogramPage(QWidget* page) {
    static const char* const bandLetters[BandCount] = {"R", "G", "B"};
    static const char* const bandNames[BandCount] = {"Red", "Green", "Blue"};
    auto name = [](const char* base, int band) { return QString(base) + bandLetters[band]; };
    auto* grid = new QGridLayout(page);
    H_HBtn = MakeButton(page, "H_HBtn", "Activate");
    grid->addWidget(H_HBtn, 0, 0);
    auto* sizes = new QGridLayout;
    Pixels = MakeValueLabel(page, "Pixels");
    ColumnsAcross = MakeValueLabel(page, "ColumnsAcross");
    RowsDown = MakeValueLabel(page, "RowsDown");
    RGCoVar = MakeValueLabel(page, "RGCoVar");
    RGR = MakeValueLabel(page, "RGR");
    RBCoVar = MakeValueLabel(page, "RBCoVar");
    RBR = MakeValueLabel(page, "RBR");
    GBCoVar = MakeValueLabel(page, "GBCoVar");
    GBR = MakeValueLabel(page, "GBR");
    const int row = AddCaptionedRows(sizes, page,
                                     {{"Pixels", Pixels},
                                      {"Columns", ColumnsAcross},
                                      {"Rows", RowsDown},
                                      {"RG CoVar", RGCoVar},
                                      {"RG R", RGR},
                                      {"RB CoVar", RBCoVar},
                                      {"RB R", RBR},
                                      {"GB CoVar", GBCoVar},
                                      {"GB R", GBR}});
    sizes->setRowStretch(row, 1);
    sizes->addWidget(MakeHelpButton(page, "HHistogram", HelpTopic), row + 1, 0, 1, 2);
    grid->addLayout(sizes, 1, 0, BandCount, 1);

    for (int band = 0; band < BandCount; ++band) {
        const size_t b = static_cast<size_t>(band);
        ImageRGB[b] = MakePlotView(page, name("Image", band), PlotWidth, PlotHeight);
        Minimum[b] = MakeValueLabel(page, name("Minimum", band));
        Mode[b] = MakeValueLabel(page, name("Mode", band));
        Median[b] = MakeValueLabel(page, name("Median", band));
        Maximum[b] = MakeValueLabel(page, name("Maximum", band));
        Mean[b] = MakeValueLabel(page, name("Mean", band));
        Variance[b] = MakeValueLabel(page, name("Variance", band));
        StandardDeviation[b] = MakeValueLabel(page, name("StandardDeviation", band));
        H_HSaveBtn[b] = MakeButton(page, QString("H_H") + bandLetters[band] + "SaveBtn",
                                   QString("Save ") + bandNames[band]);
        auto* stats = new QGridLayout;
        AddCaptionedRows(stats, page,
                         {{"Min", Minimum[b]},
                          {"Mode", Mode[b]},
                          {"Median", Median[b]},
                          {"Max", Maximum[b]},
                          {"Mean", Mean[b]},
                          {"Variance", Variance[b]},
                          {"S.D.", StandardDeviation[b]}},
                         2);
        stats->addWidget(H_HSaveBtn[b], 3, 2, 1, 2);
        grid->addWidget(ImageRGB[b], band + 1, 1);
        grid->addLayout(stats, band + 1, 2);
        connect(H_HSaveBtn[b], &QPushButton::clicked, this,
                [this, band] { Guarded([&] { H_HSaveBtnClick(band); }); });
    }
    connect(H_HBtn, &QPushButton::clicked, this, [this] { Guarded([this] { H_HBtnClick(); }); });
}

void THistogramForm::H_HBtnClick() {
    HookBusyCursor(true);
    const int64_t width = int64_t{ImageMaxX} + 1, height = int64_t{ImageMaxY} + 1;
    Pixels->setText(QString::number(width * height));
    ColumnsAcross->setText(QString::number(width));
    RowsDown->setText(QString::number(height));
    const std::pair<QLabel*, double> pairs[] = {
        {RGCoVar, BandPairStats[Pair12].CoVariance}, {RGR, BandPairStats[Pair12].R},
        {RBCoVar, BandPairStats[Pair13].CoVariance}, {RBR, BandPairStats[Pair13].R},
        {GBCoVar, BandPairStats[Pair23].CoVariance}, {GBR, BandPairStats[Pair23].R},
    };
    for (const auto& [label, value] : pairs)
        label->setText(Text(FormatFixed(value, 8, 3)));
    for (size_t b = 0; b < BandCount; ++b) {
        const BandStatistics& s = BandHistogramStats[b];
        Minimum[b]->setText(QString::number(s.Min));
        Mode[b]->setText(QString::number(s.Mode));
        Median[b]->setText(QString::number(s.Median));
        Maximum[b]->setText(QString::number(s.Max));
        Mean[b]->setText(QString::number(s.Mean));
        Variance[b]->setText(Text(FormatFixed(BandSpread[b].Variance, 8, 2)));
        StandardDeviation[b]->setText(Text(FormatFixed(BandSpread[b].SD, 8, 2)));
        ShowBandHistogram(static_cast<int>(b), HistogramOf(static_cast<int>(b)), s.Mode,
                          UniformBars(BandColors[b]), HistogramPictures[b], ImageRGB[b]);
        H_HSaveBtn[b]->setEnabled(true);
    }
    HookBusyCursor(false);
}

void THistogramForm::ClearHistogramPage() {
    for (QLabel* label :
         {Pixels, ColumnsAcross, RowsDown, RGCoVar, RGR, RBCoVar, RBR, GBCoVar, GBR})
        label->clear();
    for (size_t b = 0; b < BandCount; ++b) {
        for (QLabel* label : {Minimum[b], Mode[b], Median[b], Maximum[b], Mean[b], Variance[b],
                              StandardDeviation[b], ImageRGB[b]})
            label->clear();
        HistogramPictures[b] = Picture();
    }
}

void THistogramForm::H_HSaveBtnClick(int band) {
    if (band < 0 || band >= BandCount) return;
    SaveHistogramPicture(HistogramPictures[static_cast<size_t>(band)], SaveSuffixes[band]);
}
