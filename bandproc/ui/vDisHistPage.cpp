#include "bandproc/ui/vDisHistPage.h"

#include "bandproc/ui/vDisPageKit.h"
#include "bandproc/ui/vDisProFrm.h"
#include "bandproc/ui/vDisProPages.h"
#include "bandproc/ui/vPBandsHisFrm.h"
#include "bandproc/vBandFiles.h"
#include "histogram/ui/vHistogramControls.h"
#include "histogram/vHistogramPages.h"
#include "import/vHeaderPages.h"
#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "shell/vGlobal.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace {

struct TCorrectionButton {
    const char* Name;
    const char* Hint;
    const char* Caption;
};
const TCorrectionButton CorrectionButtons[10] = {
    {"HCZero", "Zero: Original", "Zero: Original"},
    {"HCMinMax", "Min Max EQ", "Min Max EQ"},
    {"HCStretchLinear", "Stretch Linear -ends", "Stretch Linear -ends"},
    {"HCHistogramEQ", "Histogram EQ", "Histogram EQ"},
    {"HCNegative", "Negative", "Tn"},
    {"HCSineWave", "Sine Wave", "1S"},
    {"HCContrast", "Contrast", "1C"},
    {"HCExponent", "Exponent", "1E"},
    {"HCLog", "Log", "1L"},
    {"HCGamma", "", "1G"},
};

// The minimum slider of each slider correction: hint, range, start and caption.
struct TSliderSetUp {
    int Correction;
    const char* Hint;
    int Low, High, Start;
    const char* Caption;
    bool Curve; // the positive-curve box is offered
};
const TSliderSetUp SliderSetUps[] = {
    {2, "Stretch Linear Minimum", 0, 255, 0, "Min", false},
    {5, "Hyperbolic Sine", 0, 99, 0, "HSn", true},
    {6, "Contrast", -64, 64, 0, "Cst", true},
    {7, "Exponent", 0, 5, 0, "Exp", false},
    {8, "Log", 0, 200, 0, "Log", false},
    {9, "", 0, 200, 0, "", false},
};

QString Scientific(double v) {
    return QString::fromStdString(FormatScientific(v, 23, 15, 4));
}

QPixmap GreyPicture(const TBandBlock& b) {
    QImage image(static_cast<int>(b.W), static_cast<int>(b.H), QImage::Format_Grayscale8);
    for (int64_t y = 0; y < b.H; ++y)
        std::copy_n(b.Samples.data() + y * b.W, b.W, image.scanLine(static_cast<int>(y)));
    return QPixmap::fromImage(image);
}

} // namespace

QWidget* BuildHistogramPage(TDisProcessForm* form) {
    return new TDisHistogramPage(form);
}

TDisHistogramPage::TDisHistogramPage(TDisProcessForm* form) : Form(form) {
    BandStatsReference = TStatsReference();
    auto* layout = new QVBoxLayout(this);
    auto* files = new QGroupBox(this);
    auto* fileGrid = new QGridLayout(files);
    fileGrid->addWidget(KitDISRow(files, form, HisDISFileBtn, "HisDISFileBtn",
                                  "1. Select DIS Header File", HisDISFileEdit, "HisDISFileEdit"),
                        0, 0, 1, 2);
    HisBandFileBtn = KitButton(files, "HisBandFileBtn", "2. Select a Band File to process");
    HisBandFileEdit = KitEdit(files, "HisBandFileEdit");
    HisNewFileEdit = KitEdit(files, "HisNewFileEdit");
    SaveAsBtn = KitButton(files, "SaveAsBtn", "Save as");
    SaveAsBtn->setEnabled(false);
    HisBandFileEdit->setReadOnly(true);
    fileGrid->addWidget(HisBandFileBtn, 1, 0);
    fileGrid->addWidget(HisBandFileEdit, 1, 1);
    fileGrid->addWidget(SaveAsBtn, 2, 0);
    fileGrid->addWidget(HisNewFileEdit, 2, 1);
    fileGrid->addWidget(TDisProcessForm::HelpButton(files, "HistoHelpBtn", 2270), 0, 2);
    layout->addWidget(files);

    auto* size = new QHBoxLayout;
    ColumnsAcross = KitLabel(this, "ColumnsAcross");
    RowsDown = KitLabel(this, "RowsDown");
    Pixels = KitLabel(this, "Pixels");
    for (auto [caption, label] : {std::pair{"Columns:", ColumnsAcross},
                                  std::pair{"Rows:", RowsDown}, std::pair{"Pixels:", Pixels}}) {
        size->addWidget(new QLabel(caption, this));
        size->addWidget(label);
    }
    size->addStretch(1);
    layout->addLayout(size);

    auto* views = new QGridLayout;
    auto makeSide = [&](int column, const char* image, const char* histogram, const char* panel,
                        const char* hint, const char* suffix, QLabel*& band, QLabel*& his,
                        TStatsLabels& labels) {
        band = KitLabel(this, image);
        band->setFixedSize(256, 256);
        band->installEventFilter(this);
        his = KitLabel(this, histogram);
        his->setFixedSize(HistogramWidth, HistogramHeight);
        auto* box = new QGroupBox(this);
        box->setObjectName(panel);
        box->setToolTip(hint);
        auto* grid = new QGridLayout(box);
        QLabel** fields[] = {&labels.Minimum,          &labels.Maximum, &labels.Mode,
                             &labels.Median,           &labels.Mean,    &labels.Variance,
                             &labels.StandardDeviation};
        const char* names[] = {"Minimum",  "Maximum",          "Mode", "Median", "Mean",
                               "Variance", "StandardDeviation"};
        for (int i = 0; i < 7; ++i) {
            *fields[i] = KitLabel(box, (std::string(names[i]) + suffix).c_str());
            (*fields[i])
                ->setMinimumWidth(fontMetrics().horizontalAdvance(Scientific(-1e-100) + "00"));
            grid->addWidget(new QLabel(names[i], box), i, 0);
            grid->addWidget(*fields[i], i, 1);
        }
        views->addWidget(band, 0, column);
        views->addWidget(his, 1, column);
        views->addWidget(box, 2, column);
    };
    makeSide(0, "ImageO", "HisImageO", "StatsPanelO", "Red Values", "O", ImageO, HisImageO,
             LabelsO);
    makeSide(1, "ImageHC", "HisImageHC", "StatsPanelHC", "Green Values", "HC", ImageHC, HisImageHC,
             LabelsHC);
    layout->addLayout(views);

    auto* panel = new QGroupBox(this);
    panel->setObjectName("HisBtnPanel");
    auto* buttons = new QHBoxLayout(panel);
    HisBtnPanel = panel;
    for (int n = 0; n < 10; ++n) {
        const auto& b = CorrectionButtons[n];
        CorrectionBtns[n] = KitButton(panel, b.Name, b.Caption);
        CorrectionBtns[n]->setToolTip(b.Hint);
        buttons->addWidget(CorrectionBtns[n]);
        connect(CorrectionBtns[n], &QPushButton::clicked, this,
                [this, n] { Form->RunBand([this, n] { CorrectionClick(n); }); });
    }
    layout->addWidget(panel);

    auto* sliders = new QGridLayout;
    RMinTBar = new QSlider(Qt::Horizontal, this);
    RMinTBar->setObjectName("RMinTBar");
    GMaxTBar = new QSlider(Qt::Horizontal, this);
    GMaxTBar->setObjectName("GMaxTBar");
    RMinLabel = KitLabel(this, "RMinLabel");
    RMinValueLabel = KitLabel(this, "RMinValueLabel");
    GMaxLabel = KitLabel(this, "GMaxLabel");
    GMaxValueLabel = KitLabel(this, "GMaxValueLabel");
    PositiveCurveCB = new QCheckBox("Positive curve", this);
    PositiveCurveCB->setObjectName("PositiveCurveCB");
    PositiveCurveCB->setToolTip("or Negative");
    StretchedCB = new QCheckBox("Stretched", this);
    StretchedCB->setObjectName("StretchedCB");
    StretchedCB->setToolTip("Fit Image into Square");
    ProcessSliderBtn = KitButton(this, "ProcessSliderBtn", "");
    HCGauge = new QProgressBar(this);
    HCGauge->setObjectName("HCGauge");
    HCGauge->setRange(0, 100);
    HCGauge->setValue(0);
    sliders->addWidget(RMinLabel, 0, 0);
    sliders->addWidget(RMinTBar, 0, 1);
    sliders->addWidget(RMinValueLabel, 0, 2);
    sliders->addWidget(GMaxLabel, 1, 0);
    sliders->addWidget(GMaxTBar, 1, 1);
    sliders->addWidget(GMaxValueLabel, 1, 2);
    sliders->addWidget(PositiveCurveCB, 2, 0);
    sliders->addWidget(StretchedCB, 2, 1);
    sliders->addWidget(ProcessSliderBtn, 3, 0, 1, 2);
    sliders->addWidget(HCGauge, 3, 2);
    layout->addLayout(sliders);
    // The window makes room for the sliders from the start: grown only when a correction shows
    // them, it would grow past the screen's bottom and cut off the button beneath them.
    for (QWidget* w : std::initializer_list<QWidget*>{RMinTBar, GMaxTBar, RMinLabel, RMinValueLabel,
                                                      GMaxLabel, GMaxValueLabel, PositiveCurveCB}) {
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        w->setSizePolicy(policy);
    }
    HideSliders();

    connect(HisBandFileBtn, &QPushButton::clicked, this,
            [this] { Form->RunBand([this] { HisBandFileBtnClick(); }); });
    connect(SaveAsBtn, &QPushButton::clicked, this,
            [this] { Form->RunBand([this] { SaveAsBtnClick(); }); });
    connect(StretchedCB, &QCheckBox::clicked, this, [this] { StretchedCBClick(); });
    for (QSlider* bar : {RMinTBar, GMaxTBar})
        connect(bar, &QSlider::valueChanged, this,
                [this] { Form->RunBand([this] { SliderChange(); }); });
    connect(ProcessSliderBtn, &QPushButton::clicked, this, [this] {
        Form->RunBand([this] {
            if (RerunOnSlider) Recompute();
        });
    });
    form->OnDISChosen([this](const std::string& dis) {
        // The band belongs to the last DIS: kept, its pictures and figures showed under the new
        // scene's size, and Save as wrote it as a band of that scene.
        FreeBand();
        SetText(HisDISFileEdit, dis);
        SetText(HisNewFileEdit, dis);
        const int64_t w = SubsetBounds.Width(), h = SubsetBounds.Height();
        ColumnsAcross->setText(QString::number(w));
        RowsDown->setText(QString::number(h));
        Pixels->setText(QString::number(w * h));
    });
    form->OnClose([this] { FreeBand(); });
    ShowBandControls();
}

// The page shows a band only while it holds it: closed, the window kept the pictures, figures
// and name of a band it had freed, offered corrections that changed nothing and a Save as that
// took a name and wrote nothing.
void TDisHistogramPage::FreeBand() {
    Band = TBandBlock();
    Corrected = TBandBlock();
    BandLoaded = false;
    LoadedBand.clear();
    ResetCorrection();
    for (QLabel* picture : {ImageO, ImageHC, HisImageO, HisImageHC})
        picture->clear();
    for (const TStatsLabels* labels : {&LabelsO, &LabelsHC})
        for (QLabel* l : {labels->Minimum, labels->Maximum, labels->Mode, labels->Median,
                          labels->Mean, labels->Variance, labels->StandardDeviation})
            l->clear();
    HisBandFileEdit->clear();
    ProcessSliderBtn->setText("");
    ShowBandControls();
}

void TDisHistogramPage::ShowBandControls() {
    for (QWidget* w : {static_cast<QWidget*>(SaveAsBtn), static_cast<QWidget*>(HisBtnPanel),
                       static_cast<QWidget*>(ProcessSliderBtn)})
        w->setEnabled(BandLoaded);
}

void TDisHistogramPage::HisBandFileBtnClick() {
    const std::string path = Form->ChooseBandFile(0, HisBandFileEdit, true);
    if (path.empty()) return;
    // A band that fails to load leaves the last one in place, named as it was, and "Save as"
    // writes that one.
    SetText(HisBandFileEdit, ExtractFileName(LoadedBand));
    if (!Incoming()) return;
    LoadedBand = path;
    SetText(HisBandFileEdit, ExtractFileName(path));
    SetText(HisNewFileEdit, ExtractFileName(path));
    ShowBandControls();
}

bool TDisHistogramPage::Incoming() {
    if (!MakeHisOImage()) return false;
    ResetCorrection();
    ShowLoadedBand();
    return true;
}

void TDisHistogramPage::ResetCorrection() {
    RerunOnSlider = false;
    HideSliders();
    CorrectionNumber = 0;
}

void TDisHistogramPage::ShowLoadedBand() {
    ShowHistogram(LabelsO, HisImageO);
    MakeHisHCImage();
    ShowHistogram(LabelsHC, HisImageHC);
}

bool TDisHistogramPage::MakeHisOImage() {
    const QString stage = ProcessSliderBtn->text();
    ProcessSliderBtn->setText("Processing Histogram File");
    // Without a DIS there is no subset size, and the loader refuses the band.
    const int64_t w = DISLoaded ? SubsetBounds.Width() : 0;
    const int64_t h = DISLoaded ? SubsetBounds.Height() : 0;
    TBandBlock band;
    BandHistogram counts{};
    if (!LoadBandBlock(SelectedBandFiles[0], w, h, band, counts, [this](int percent) {
            HCGauge->setValue(percent);
            HookProcessMessages();
        })) {
        ProcessSliderBtn->setText(stage);
        return false;
    }
    Band = std::move(band);
    Counts = BandCounts = counts;
    BandLoaded = true;
    ImageO->setPixmap(GreyPicture(Band));
    return true;
}

void TDisHistogramPage::ShowCountedBand(const std::string& path, const TBandBlock& block,
                                        const BandHistogram& counts) {
    Band = block;
    Counts = counts;
    BandCounts = counts;
    BandLoaded = true;
    LoadedBand = path;
    ImageO->setPixmap(GreyPicture(Band));
    // Statistics, histograms and the corrected band all follow, so that the page never shows
    // one band's picture with another's figures, nor saves another band's correction under
    // this one's name.
    SetText(HisBandFileEdit, ExtractFileName(path));
    SetText(HisNewFileEdit, ExtractFileName(path));
    ShowBandControls();
    ResetCorrection();
    ShowLoadedBand();
}

void TDisHistogramPage::MakeHisHCImage() {
    ProcessSliderBtn->setText("Processing Histogram Stats");
    const int p = CorrectionNumber == 3 && !MinSliderSet ? EqualiseAllLevels : RMinTBar->value();
    const TCorrection c{CorrectionNumber, p, GMaxTBar->value(), PositiveCurveCB->isChecked()};
    LUT = DoLUT(c, BandStatsReference, BandCounts);
    CorrectBandBlock(Band, LUT, Corrected, Counts, [this](int percent) {
        HCGauge->setValue(percent);
        HookProcessMessages();
    });
    ImageHC->setPixmap(GreyPicture(Corrected));
}

void TDisHistogramPage::ShowHistogram(const TStatsLabels& labels, QLabel* picture) {
    Current = DoAllStats(Counts, Band.W * Band.H, BandStatsReference);
    labels.Minimum->setText(QString::number(Current.Min));
    labels.Maximum->setText(QString::number(Current.Max));
    labels.Mode->setText(QString::number(Current.Mode));
    labels.Median->setText(QString::number(Current.Median));
    labels.Mean->setText(QString::number(Current.Mean));
    labels.Variance->setText(Scientific(Current.Variance));
    labels.StandardDeviation->setText(Scientific(Current.SD));
    if (picture == HisImageO) {
        ColumnsAcross->setText(QString::number(Band.W));
        RowsDown->setText(QString::number(Band.H));
        Pixels->setText(QString::number(Band.W * Band.H));
    }
    // Red bars scaled to the most frequent value between red frame lines, with its count. The
    // label's picture shares the plot's memory, so the plot lives as long as the page.
    Picture& plot = picture == HisImageO ? PlotO : PlotHC;
    plot.Resize(HistogramWidth, HistogramHeight);
    PlotHistogramBars(Counts, Current.Mode, UniformBars(BandColors[BandRed]), BandHistogramLayout,
                      plot);
    for (int column : BandHistogramEndMarks)
        PlotColumn(column, BandColors[BandRed], plot);
    histogram_ui::WriteTopLeft(plot, QString::number(Counts[Current.Mode]));
    histogram_ui::ShowPicture(picture, plot);
    if (picture == HisImageHC)
        ProcessSliderBtn->setText("Ready to Process Slider Correction Value");
}

void TDisHistogramPage::Recompute() {
    // A correction needs a band loaded since the window was last opened.
    if (!BandLoaded) return;
    MakeHisHCImage();
    ShowHistogram(LabelsHC, HisImageHC);
}

void TDisHistogramPage::HideSliders() {
    for (QWidget* w : std::initializer_list<QWidget*>{RMinTBar, GMaxTBar, RMinLabel, RMinValueLabel,
                                                      GMaxLabel, GMaxValueLabel})
        w->hide();
    PositiveCurveCB->setChecked(true);
    PositiveCurveCB->setEnabled(false);
    PositiveCurveCB->hide();
}

void TDisHistogramPage::SetUpSlider(QSlider* bar, QLabel* label, QLabel* valueLabel,
                                    const char* hint, int low, int high, int start,
                                    const char* caption) {
    // Setting the slider up is not a slider change: nothing recomputes.
    const QSignalBlocker block(bar);
    bar->setToolTip(hint);
    bar->setRange(low, high);
    bar->setValue(start);
    bar->setPageStep((high - low) / 10);
    bar->setSingleStep(1);
    label->setText(caption);
    valueLabel->setText(QString::number(start));
    for (QWidget* w : {static_cast<QWidget*>(bar), static_cast<QWidget*>(label),
                       static_cast<QWidget*>(valueLabel)})
        w->show();
}

// A slider correction follows its slider for as long as the slider shows, so the corrected band
// shown is the one Save as writes: only the first move used to recompute, and the page showed one
// Min while it saved the band of another.
void TDisHistogramPage::CorrectionClick(int n) {
    RerunOnSlider = false;
    HideSliders();
    CorrectionNumber = n;
    for (const TSliderSetUp& s : SliderSetUps) {
        if (s.Correction != n) continue;
        SetUpSlider(RMinTBar, RMinLabel, RMinValueLabel, s.Hint, s.Low, s.High, s.Start, s.Caption);
        MinSliderSet = true;
        if (n == 2)
            SetUpSlider(GMaxTBar, GMaxLabel, GMaxValueLabel, "Stretch Linear Maximum", 0, 255, 255,
                        "Max");
        if (s.Curve) {
            PositiveCurveCB->setChecked(true);
            PositiveCurveCB->setEnabled(true);
            PositiveCurveCB->show();
        }
        RerunOnSlider = true;
        return;
    }
    // The equalisation counts its levels on the hidden minimum slider as the last slider
    // correction left it, none being one level. Before any slider correction it takes every grey
    // value as a level: the slider's own 0 made one level, the whole band one grey.
    if (n == 3 && MinSliderSet && RMinTBar->value() == 0) {
        const QSignalBlocker block(RMinTBar);
        RMinTBar->setValue(1);
        RMinValueLabel->setText("1");
    }
    Recompute();
}

void TDisHistogramPage::SliderChange() {
    RMinValueLabel->setText(QString::number(RMinTBar->value()));
    GMaxValueLabel->setText(QString::number(GMaxTBar->value()));
    if (RerunOnSlider) Recompute();
}

void TDisHistogramPage::SaveAsBtnClick() {
    // Without a band there is nothing to write: said before a name is asked for.
    if (!TDisProcessForm::Prerequisites(BandLoaded)) return;
    FileDialogRequest request;
    request.Save = true;
    request.Filter = BandFilter;
    request.OpenIn(ImageDirectory);
    const std::string chosen = HookChooseFile(request);
    if (chosen.empty()) return;
    // The corrected band goes where the user named it, but the scene stays where its DIS is: the
    // runs that followed wrote their products into this folder while the DIS there recorded them.
    SelectedBandFiles[0] = LoadedBand;
    SelectedBandFiles[1] = chosen;
    SetText(HisBandFileEdit, ExtractFileName(LoadedBand));
    SetText(HisNewFileEdit, ExtractFileName(chosen));
    ProcessSliderBtn->setText("Processing Histogram Stats");
    SaveBandBlock(chosen, Corrected, TReplaceLeave::Chosen(chosen));
}

void TDisHistogramPage::StretchedCBClick() {
    const bool stretch = StretchedCB->isChecked();
    ImageO->setScaledContents(stretch);
    ImageHC->setScaledContents(stretch);
}

void TDisHistogramPage::ShowHistogramViewer(const QLabel* histogram) {
    TExtraImageViewForm viewer(this);
    viewer.SetPicture(histogram->pixmap());
    viewer.exec();
}

bool TDisHistogramPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease && (watched == ImageO || watched == ImageHC)) {
        Form->Guarded(
            [this, watched] { ShowHistogramViewer(watched == ImageO ? HisImageO : HisImageHC); });
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
