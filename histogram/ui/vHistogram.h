// THistogramForm, the histogram window: counts, statistics, natural breaks and the class
// displays of the working image. Created at start and living for the whole run; its close
// leaves code 5, which frees nothing. The pages are built by page, one file each.
#pragma once

#include "histogram/vColorCube.h"
#include "histogram/vHistogramTypes.h"
#include "shell/ui/vToolWindow.h"
#include "shell/vPicture.h"

#include <QPointer>

#include <array>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QProgressBar;
class QRadioButton;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;
class QTabWidget;
class QWidget;

class THistogramForm : public TToolWindow {
    Q_OBJECT
  public:
    explicit THistogramForm(QWidget* parent = nullptr);

    // Pages of HistoPages in tab order.
    enum Page {
        PageHistogram,
        PageColor,
        Page2D,
        Page23D,
        PageNaturalBreak,
        PageClassifier,
        PageClassifierData,
        PageSlice,
        PageCount
    };

    // After every picture load, and when the window loses the focus to another: blanks the
    // colour page's pictures and disables what needs them until the page is activated again.
    void DisableAllNewFile();
    // After every picture load: disables every save and follow-up button until its page is
    // activated again.
    void DisableAll();
    void HistoPagesChange(int page);

    // ---- Histogram page ----------------------------------------------------------------------
    void H_HBtnClick();
    // Empties the Histogram page's figures and plots until it is activated again: after a load
    // they would describe the picture before.
    void ClearHistogramPage();
    // band: BandRed, BandGreen or BandBlue.
    void H_HSaveBtnClick(int band);

    // ---- Natural Break page ------------------------------------------------------------------
    void H_NB_ActiveBtnClick(int band);
    void SetupNaturalBreaks();
    void NBScrollBarScroll(int position);
    void H_NB_SetBtnClick();
    void H_NB_SaveBtnClick(int band);
    void H_NB_SaveImageBtnClick();

    // ---- Statistical Classifier and SC data pages --------------------------------------------
    // The class display of seed method `Method` (0..8) with display toggle `Toggle` (0 blue,
    // 1 green, 2 red, 3 BGR); values outside those ranges are ignored. What code 0101 plays.
    void DoH_SCDisplay(int Method, int Toggle);
    void H_SCDisplayBtnClick();
    void SC_DT_RGroupClick(int item);
    void H_SCDisplayALLBtnClick();
    void H_SCHBtnClick();
    void SCHSaveBtnClick(int band);
    void SCHBandBtnClick(int band);
    void H_SCBtnClick();
    void H_SCClipCopyBtnClick();

    // ---- SC Slice page -----------------------------------------------------------------------
    // The object display of item `index` of SOHOGroup; an index outside its items does nothing.
    // Records nothing; what code 0102 plays.
    void DoH_SOHO(int index);
    void H_SOHOBtnClick();
    void SOHO_HIClick();
    void SOHO_AAClick();
    void SOHO_CEClick();
    void SOHO_DCClick();
    void SOHO_CClick();
    void SOHO_DDClick();
    void SOHO_ToneClick();
    void SOHO_SoSClick();
    void SOHO_SSClick();
    void SOHO_SClick();
    void SOHO_SOSIClick();
    void SOHO_SaSClick();
    void SOHO_ISClick();

    // ---- H Color page ------------------------------------------------------------------------
    void Button14Click();
    void RadioGroupColorSpaceClick();
    void RadioGroupColorPlaneClick();
    void ShowColorPlane(int PlaneIndex);
    void CheckBoxInvertClick();
    void CheckBoxStretchClick();
    void ButtonSaveClick();
    void ButtonPrintClick();
    // (x, y) in ImageBig's own coordinates.
    void ImageBigMouseMove(int x, int y);
    void FormMouseMove();

    // ---- H 2D and H 2/3 D pages --------------------------------------------------------------
    void H_H2DBtnClick();
    void H_H2DBtn2Click();
    void H_H2DBtn3Click();
    void H_H3DActivateBtnClick();
    bool Do_Count3D();
    void H_H3DSaveBtnClick();
    void Do_3Display();
    void ScrollBar1Change(int position);
    void H_H3DCDCBtnClick();
    void Do_GetValue();
    // (x, y) in H3D_Image's own coordinates.
    void H3D_ImageMouse(int x, int y, bool released);
    void H_H3DDisplayAllBtnClick();
    void H_H3DDisplayAllArrayBtnClick();
    void H_H3DDisplayAllImageBtnClick();
    void SaveH3DBtnClick();

    QTabWidget* HistoPages = nullptr;
    std::array<QWidget*, PageCount> Pages{};
    QPushButton* PreviewCloseBtn = nullptr;

    // Histogram page.
    QPushButton* H_HBtn = nullptr;
    QLabel* Pixels = nullptr;
    QLabel* ColumnsAcross = nullptr;
    QLabel* RowsDown = nullptr;
    QLabel* RGCoVar = nullptr;
    QLabel* RGR = nullptr;
    QLabel* RBCoVar = nullptr;
    QLabel* RBR = nullptr;
    QLabel* GBCoVar = nullptr;
    QLabel* GBR = nullptr;
    // By band, red, green, blue.
    std::array<QLabel*, BandCount> Minimum{};
    std::array<QLabel*, BandCount> Mode{};
    std::array<QLabel*, BandCount> Median{};
    std::array<QLabel*, BandCount> Maximum{};
    std::array<QLabel*, BandCount> Mean{};
    std::array<QLabel*, BandCount> Variance{};
    std::array<QLabel*, BandCount> StandardDeviation{};
    std::array<QLabel*, BandCount> ImageRGB{};        // ImageR, ImageG, ImageB
    std::array<QPushButton*, BandCount> H_HSaveBtn{}; // H_HRSaveBtn, H_HGSaveBtn, H_HBSaveBtn
    std::array<Picture, BandCount> HistogramPictures;

    // Colour page: its pictures, blanked by DisableAllNewFile.
    QLabel* ImageBig = nullptr;
    QLabel* ImageHistogram = nullptr;
    Picture ColorSourceBitmap;
    Picture ColorPlaneBitmap;

    QPushButton* Button14 = nullptr; // "Activate"
    QPushButton* ButtonSave = nullptr;
    QPushButton* ButtonPrint = nullptr;
    QButtonGroup* RadioGroupColorSpace = nullptr;
    QButtonGroup* RadioGroupColorPlane = nullptr;
    std::array<QRadioButton*, 4> ColorPlaneButtons{};
    QCheckBox* CheckBoxMonochrome = nullptr;
    QCheckBox* CheckBoxInvert = nullptr;
    QCheckBox* CheckBoxStretch = nullptr;
    QLabel* LabelAttributes = nullptr;
    QLabel* LabelUniqueColors = nullptr;
    QLabel* LabelColorPlane = nullptr;
    QLabel* LabelLocation = nullptr;
    QLabel* LabelRGB = nullptr;
    QLabel* LabelHSV = nullptr;
    QLabel* LabelHLS = nullptr;
    QLabel* LabelCMYK = nullptr;
    QLabel* LabelIntensity = nullptr;
    QLabel* LabelLightness = nullptr;
    QLabel* LabelYIQ = nullptr;
    int ColorPlaneIndex = 14;
    Picture ColorHistogramPicture;

    // H 2D page.
    QLabel* H2DImage = nullptr;
    QProgressBar* H2DGauge = nullptr;
    QButtonGroup* H_H2Dgrp = nullptr; // the two bands of the plane
    QButtonGroup* H_H2DRG = nullptr;  // the seed row of the class boxes
    QCheckBox* H_H2DCB = nullptr;     // "Plot SC boxes"
    QPushButton* H_H2DBtn = nullptr;
    QPushButton* H_H2DBtn2 = nullptr;
    QPushButton* H_H2DBtn3 = nullptr;
    Picture H2DPicture;

    // H 2/3 D page.
    QLabel* H3D_Image = nullptr;
    QProgressBar* H3DGauge = nullptr;
    QLabel* H3DPanel = nullptr;
    QButtonGroup* CDCRG = nullptr;        // the band fixed by a slice
    QButtonGroup* H3D_Colorize = nullptr; // "Actual Color", "Color Coded", "All Black"
    QPushButton* H_H3DActivateBtn = nullptr;
    QPushButton* H_H3DSaveBtn = nullptr;
    QPushButton* H_H3DCDCBtn = nullptr;
    QPushButton* H_H3DGetCountBtn = nullptr;
    QPushButton* Display3DBtn = nullptr;
    QPushButton* H_H3DDisplayAllBtn = nullptr;
    QPushButton* H_H3DDisplayAllArrayBtn = nullptr;
    QPushButton* H_H3DDisplayAllImageBtn = nullptr;
    QPushButton* SaveH3DBtn = nullptr;
    QPushButton* Activate3DViewerBtn = nullptr;
    QScrollBar* ScrollBar1 = nullptr;
    QLineEdit* BlueZEdit = nullptr;
    QLineEdit* RXEdit = nullptr;
    QLineEdit* GYEdit = nullptr;
    QLineEdit* BZEdit = nullptr;
    QLineEdit* CountEdit = nullptr;
    // The axis ends across, the band up, and the three position captions.
    QLabel* AxisLowLabel = nullptr;
    QLabel* AxisHighLabel = nullptr;
    QLabel* AxisUpLabel = nullptr;
    std::array<QLabel*, 3> PositionLabels{};
    ColorCube Count3D;
    int SliceValue = 128;
    Picture H3DPicture;

    // Natural Break page.
    std::array<QPushButton*, BandCount> H_NB_ActiveBtn{};
    std::array<QPushButton*, BandCount> H_NB_SaveBtn{}; // H_NB_RSaveBtn, H_NB_GSaveBtn, ...
    QScrollBar* NBScrollBar = nullptr;
    QPushButton* H_NB_SetBtn = nullptr;
    QPushButton* H_NB_SaveImageBtn = nullptr;
    QLabel* NBMinimum = nullptr;
    QLabel* NBMaximum = nullptr;
    QLabel* NBMode = nullptr;
    QLabel* NBMedian = nullptr;
    QLabel* NBMean = nullptr;
    QLabel* NBVariance = nullptr;
    QLabel* NBStandardDeviation = nullptr;
    QButtonGroup* NaturalBreaks = nullptr; // items "1" .. "9", ids 0..8
    QLabel* ImageNB = nullptr;
    QLabel* NBMaxLabel = nullptr;
    QLabel* HNB_Panel = nullptr;
    std::array<QLineEdit*, 9> NBEdit{}; // NBEdit1 .. NBEdit9
    QLineEdit* NBEdit_Value = nullptr;
    QLineEdit* NBEdit_Count = nullptr;
    Picture NBPicture;
    // The band shown, its histogram and mode, and the break row being edited.
    int NBBand = BandRed;
    BandHistogram NBHistogram{};
    int32_t NBModeValue = 0;
    SeedBreakRow NBBreaks{};

    // Statistical Classifier page.
    QButtonGroup* SCHGroup = nullptr;     // the nine seed methods
    QButtonGroup* SC_DT_RGroup = nullptr; // "Blue", "Green", "Red", "BGR"
    QPushButton* H_SCDisplayBtn = nullptr;
    QPushButton* H_SCDisplayALLBtn = nullptr;
    QPushButton* H_SCHBtn = nullptr;
    std::array<QLabel*, BandCount> ImageSCH{};        // ImageSCHR, ImageSCHG, ImageSCHB
    std::array<QPushButton*, BandCount> SCHSaveBtn{}; // SCHSaveRedBtn, ...
    std::array<QPushButton*, BandCount> SCHBandBtn{}; // SCHRedBtn, SCHGreenBtn, SCHBlueBtn
    std::array<QLineEdit*, 9> SCHEdit{};              // SCHEdit1 .. SCHEdit9
    QPushButton* H_SCHPressBtn = nullptr;
    QPushButton* H_SCHDrinkBtn = nullptr;
    std::array<Picture, BandCount> ClassifierPictures;

    // SC data page.
    QPushButton* H_SCBtn = nullptr;
    QPlainTextEdit* H_SCMemo = nullptr;
    QPushButton* H_SCClipCopyBtn = nullptr;

    // SC Slice page: Button1 .. Button13 and each one's edits (SOHO_HIEdit1, ...) left to right.
    std::array<QPushButton*, 13> SOHOButtons{};
    std::array<std::array<QLineEdit*, 4>, 13> SOHOEdits{};
    QButtonGroup* SOHOGroup = nullptr;
    QPushButton* H_SOHOBtn = nullptr;

  protected:
    void FormClose() override;
    // A cube run in progress keeps the window open.
    void closeEvent(QCloseEvent* event) override;
    // Losing the focus blanks the colour page, as a new file does; not to a dialog one of this
    // window's own handlers opened (its save dialog, its print window, a message).
    void changeEvent(QEvent* event) override;

  private:
    void BuildHistogramPage(QWidget* page);
    void BuildColorPage(QWidget* page);
    void Build2DPage(QWidget* page);
    void Build3DPage(QWidget* page);
    // DisableAll's part for the H 2D and H 2/3 D pages.
    void DisableAll2D3D();
    // The colour page's plane and space choices, Save and Print.
    void EnableColorPageCommands(bool enabled);
    // Runs a command of the H 2/3 D page as the one image operation: its loops let window
    // messages in, so a load or another command waits (does nothing) and the window stays open
    // until it ends, as the cube and the buffers it reads must.
    void RunCubeCommand(void (THistogramForm::*command)());
    bool CubeRunning = false;
    // Shows H3DPicture with its largest count written at (10, 10).
    void ShowCubePicture(int largest);
    void BuildNaturalBreakPage(QWidget* page);
    void BuildClassifierPage(QWidget* page);
    void BuildClassifierDataPage(QWidget* page);
    void BuildSlicePage(QWidget* page);
    // Reads and clamps the edits of button `row` (0..12), records, runs its routine.
    void SliceButtonClick(size_t row);
    // Draws a band's histogram with its bars' colours and the count of the mode at the top
    // left into `picture`, and shows it in `view`.
    void ShowBandHistogram(int band, const BandHistogram& h, int32_t mode,
                           const std::array<uint32_t, 256>& bars, Picture& picture, QLabel* view);
    void ShowNaturalBreakPicture();
    // The save dialog for a page's picture, proposed under the picture's name and `suffix`.
    void SaveHistogramPicture(const Picture& picture, const char* suffix);
};

extern QPointer<THistogramForm> HistogramForm;
