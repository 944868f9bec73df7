// The "Histogram" page of the band-processing window: one band of the DIS as loaded and as
// corrected, each with its histogram and statistics, the ten contrast corrections with their
// sliders, and the save of the corrected band.
#pragma once

#include "bandproc/vBandStats.h"
#include "shell/vPicture.h"

#include <QWidget>

#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSlider;
class TDisProcessForm;

class TDisHistogramPage : public QWidget {
    Q_OBJECT
  public:
    explicit TDisHistogramPage(TDisProcessForm* form);

    // Size of the two histogram pictures.
    static constexpr int HistogramWidth = 300;
    static constexpr int HistogramHeight = 150;

    QPushButton* HisDISFileBtn = nullptr;
    QLineEdit* HisDISFileEdit = nullptr;
    QPushButton* HisBandFileBtn = nullptr;
    QLineEdit* HisBandFileEdit = nullptr;
    QLineEdit* HisNewFileEdit = nullptr;
    QPushButton* SaveAsBtn = nullptr;
    QLabel* ImageO = nullptr;
    QLabel* ImageHC = nullptr;
    QLabel* HisImageO = nullptr;
    QLabel* HisImageHC = nullptr;
    // Minimum, maximum, mode, median, mean, variance, standard deviation.
    struct TStatsLabels {
        QLabel* Minimum = nullptr;
        QLabel* Maximum = nullptr;
        QLabel* Mode = nullptr;
        QLabel* Median = nullptr;
        QLabel* Mean = nullptr;
        QLabel* Variance = nullptr;
        QLabel* StandardDeviation = nullptr;
    };
    TStatsLabels LabelsO;  // MinimumO .. StandardDeviationO
    TStatsLabels LabelsHC; // MinimumHC .. StandardDeviationHC
    QLabel* ColumnsAcross = nullptr;
    QLabel* RowsDown = nullptr;
    QLabel* Pixels = nullptr;
    QProgressBar* HCGauge = nullptr;
    QSlider* RMinTBar = nullptr;
    QSlider* GMaxTBar = nullptr;
    QLabel* RMinLabel = nullptr;
    QLabel* RMinValueLabel = nullptr;
    QLabel* GMaxLabel = nullptr;
    QLabel* GMaxValueLabel = nullptr;
    QCheckBox* PositiveCurveCB = nullptr;
    QCheckBox* StretchedCB = nullptr;
    QPushButton* ProcessSliderBtn = nullptr;
    QWidget* HisBtnPanel = nullptr;
    // HCZero .. HCGamma: corrections 0 .. 9.
    QPushButton* CorrectionBtns[10] = {};

    void HisBandFileBtnClick();
    // Correction button n (0..9).
    void CorrectionClick(int n);
    void SliderChange();
    void SaveAsBtnClick();
    void StretchedCBClick();
    void ShowHistogramViewer(const QLabel* histogram);

    // What the page holds, for the tests.
    const StatsRecord& Stats() const { return Current; }
    const CorrectionTable& Table() const { return LUT; }
    int Correction() const { return CorrectionNumber; }

    // A band loaded and counted by another page (the principal components run) becomes the
    // page's loaded band and is painted as it.
    void ShowCountedBand(const std::string& path, const TBandBlock& block,
                         const BandHistogram& counts);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Loads the band of slot "1" and shows it; false, the page as it was, when it is refused.
    bool Incoming();
    // No correction chosen, its sliders hidden.
    void ResetCorrection();
    // The loaded band's statistics and histogram, then its correction's.
    void ShowLoadedBand();
    bool MakeHisOImage();
    void MakeHisHCImage();
    // Statistics of the current counts, shown with their histogram in `labels` and `picture`.
    void ShowHistogram(const TStatsLabels& labels, QLabel* picture);
    void Recompute();
    void HideSliders();
    void SetUpSlider(QSlider* bar, QLabel* label, QLabel* valueLabel, const char* hint, int low,
                     int high, int start, const char* caption);
    // Forgets the band and everything shown of it.
    void FreeBand();
    // Save as, the corrections and the slider's button act only on a band held.
    void ShowBandControls();

    TDisProcessForm* Form;
    TBandBlock Band;
    TBandBlock Corrected;
    BandHistogram Counts{};
    BandHistogram BandCounts{};
    Picture PlotO;
    Picture PlotHC;
    StatsRecord Current;
    CorrectionTable LUT{};
    int CorrectionNumber = 0;
    bool RerunOnSlider = true;
    // A slider correction has set the minimum slider up since the window was made.
    bool MinSliderSet = false;
    bool BandLoaded = false;
    std::string LoadedBand;
};
