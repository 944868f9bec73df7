// The band-processing window's pages for one band at a time: "Divide or Combine" cuts a band
// into tiles or joins tiles; "Single Band" smooths lines, adds a constant, reduces a 16-bit radar
// band, resizes pixels, exchanges an RGB triple's value with a radar band and opens the Fourier
// workbench.
#pragma once

#include <QWidget>

#include <array>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TDisProcessForm;

class TDisDividePage : public QWidget {
    Q_OBJECT
  public:
    explicit TDisDividePage(TDisProcessForm* form);

    QPushButton* CDDISFile = nullptr;
    QLineEdit* ComboDISEdit = nullptr;
    QLabel* ColumnsAcross = nullptr;
    QLabel* RowsDown = nullptr;
    QLabel* Pixels = nullptr;
    QPushButton* CDivideFile = nullptr;
    QLineEdit* DivideFileEdit = nullptr;
    QButtonGroup* FilesRG = nullptr;
    QPushButton* CDPixelOK = nullptr;
    QLabel* DISDFELabel = nullptr;
    QCheckBox* C2V1CB = nullptr;
    QCheckBox* C2H1CB = nullptr;
    QCheckBox* C4to1CB = nullptr;
    QPushButton *C2V1 = nullptr, *C2V2 = nullptr, *C2H1 = nullptr, *C2H2 = nullptr;
    QLineEdit *C2V1Edit = nullptr, *C2V2Edit = nullptr, *C2H1Edit = nullptr, *C2H2Edit = nullptr;
    QPushButton *C4STL = nullptr, *C4STR = nullptr, *C4SBL = nullptr, *C4SBR = nullptr;
    QLineEdit *C4STLEdit = nullptr, *C4STREdit = nullptr, *C4SBLEdit = nullptr,
              *C4SBREdit = nullptr;
    QLineEdit* CombinedFileEdit = nullptr;
    QPushButton* CDCombineBtn = nullptr;

    void CDPixelOKClick();
    void CDCombineBtnClick();

  private:
    // A tile button: slot `slot`, its box, and with `first` the joined band's name box too.
    QPushButton* TileButton(const char* name, const char* editName, int slot, bool first,
                            QLineEdit*& edit);
    TDisProcessForm* Form;
};

class TDisSinglePage : public QWidget {
    Q_OBJECT
  public:
    explicit TDisSinglePage(TDisProcessForm* form);

    QPushButton* SingleDISFileBtn = nullptr;
    QLineEdit* BCDISFileEdit = nullptr;
    QPushButton* SingleBandFileBtn = nullptr;
    QLineEdit* BCBandFileEdit = nullptr;
    QLineEdit* BCNewFileEdit = nullptr;
    QLineEdit *BCBandFileLC = nullptr, *BCBandFileRC = nullptr, *BCBandFileTR = nullptr,
              *BCBandFileBR = nullptr, *BCBandFileIW = nullptr, *BCBandFileIH = nullptr;
    QButtonGroup* SingleBandMathRG = nullptr;
    QLineEdit* ImageMathEdit = nullptr;
    QPushButton* SingleMathBtn = nullptr;
    QPushButton* RadarDeRez16OKBtn = nullptr;
    QButtonGroup* PixelRG = nullptr;
    QPushButton* PixelSizerBtn = nullptr;
    std::array<QPushButton*, 4> SRBtns{};    // SRBtn1 .. SRBtn4
    std::array<QLineEdit*, 4> SRFileEdits{}; // SRFileEdit1 .. SRFileEdit4
    QLineEdit* SRFileH1Edit = nullptr;
    QLineEdit* SRFileS2Edit = nullptr;
    QLineEdit* SRFileV3Edit = nullptr;
    QPushButton* BGRtoHSVOKBtn = nullptr;
    QPushButton* LaunchFFTProcessorBtn = nullptr;

    void SingleMathBtnClick();
    void RadarDeRez16OKBtnClick();
    void PixelSizerBtnClick();
    void BGRtoHSVOKBtnClick();
    void LaunchFFTProcessorBtnClick();

  private:
    QWidget* BuildMath();
    QWidget* BuildExchange();
    TDisProcessForm* Form;
};
