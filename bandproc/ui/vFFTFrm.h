// TFFTForm, the Fourier-transform workbench: one square band or picture filtered in the frequency
// domain. Created on demand by the band-processing window; freed after its close.
#pragma once

#include "bandproc/vFFTWork.h"
#include "shell/ui/vToolWindow.h"
#include "shell/vPicture.h"

#include <QPointer>

#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSplitter;
class QStatusBar;

class TFFTForm : public TToolWindow {
    Q_OBJECT
  public:
    explicit TFFTForm(QWidget* parent = nullptr);

    static constexpr int HelpTopic = 10000;

    QPushButton* OpenBtn = nullptr;
    QPushButton* BandBtn = nullptr;
    QPushButton* PngBtn = nullptr;
    QPushButton* ProcessFFTBtn = nullptr;
    QPushButton* SaveFFTBtn = nullptr;
    QPushButton* CloseBtn = nullptr;
    QPushButton* HelpBtn = nullptr;
    QComboBox* FFTCB = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QCheckBox* FFTDCCentroidCB = nullptr;
    QCheckBox* InverseCB = nullptr;
    QLineEdit* DISNameEdit = nullptr;
    QLineEdit* BandEdit = nullptr;
    QLabel* InImage = nullptr;
    QLabel* FFTImage = nullptr;
    QLabel* OutImage = nullptr;
    QProgressBar* RadarGauge = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QSplitter* Splitter = nullptr;

    bool Busy = false;
    bool PictureLoaded = false;
    bool DISOpened = false;
    bool BandLoaded = false;
    int32_t N = 0;
    // The side of the opened DIS's subset: a picture opened since changes N, not the bands.
    int32_t DISSide = 0;
    TFFTSpectrum Spectrum;
    // What InImage, FFTImage and OutImage show.
    Picture InPicture, FFTPicture, OutPicture;

    void OpenBtnClick();
    void BandBtnClick();
    void PngBtnClick();
    void ProcessFFTBtnClick();
    void SaveFFTBtnClick();
    void FFTImageMouseUp();

  protected:
    void FormClose() override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // A file from FFTOpenDialog in ImageDirectory; empty when cancelled. The filter is kept for
    // the save dialog.
    std::string ChooseToOpen(const char* filter);
    TFFTReport Report();
    TFFTSettings Settings() const;
    // The three pictures shown again, each label at its picture's size.
    void ShowPictures();
    void RecordOpen(const std::string& path);

    std::string OpenFilter = "DIS Header file (DIS)|*.DIS";
    // The file last opened, full path: a save proposes its name in its own folder.
    std::string LastPath;
    // The DIS the workbench opened and the band or picture it loaded, full paths: its saves
    // never replace them.
    std::string DISPath;
    std::string InputPath;
};

extern QPointer<TFFTForm> FFTForm;
