// TColorContortionsPage, the "Color Contortions" page of the Pixel Algebra window: the function
// buttons that fill the colour look-up tables or choose a colour-space correction, the row of
// three track bars that sets their parameters, the plane choice, the preview of the whole picture
// with "Apply to Real Image", and the graph on which the tables are drawn by hand and kept in
// files. The page keeps no picture of its own beyond the last preview.
#pragma once

#include "algebra/vColorLUT.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QSlider;
class QVBoxLayout;

// The 256 x 256 graph: shows its picture and hands the mouse to the page in graph pixels.
class TLUTGraphImage : public QWidget {
    Q_OBJECT
  public:
    explicit TLUTGraphImage(QWidget* parent = nullptr);

    QImage Canvas;
    std::function<void(int x, int y)> MouseDown, MouseMove, MouseUp;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

class TColorContortionsPage : public QWidget {
    Q_OBJECT
  public:
    explicit TColorContortionsPage(QWidget* parent = nullptr);

    // Function buttons by code - 1 (codes 1..15).
    std::array<QPushButton*, 15> FunctionButtons{};

    // ---- Slider row ----
    QSlider* RMinTBar = nullptr;
    QSlider* GMaxTBar = nullptr;
    QSlider* BlueMeanieTBar = nullptr;
    QLabel* RMinLabel = nullptr;
    QLabel* GMaxLabel = nullptr;
    QLabel* BlueMeanieLabel = nullptr;
    QLabel* RMinValueLabel = nullptr;
    QLabel* GMaxValueLabel = nullptr;
    QLabel* BlueMeanieValueLabel = nullptr;
    QCheckBox* AllTogetherCB = nullptr;
    QCheckBox* PositiveCurveCB = nullptr;
    QCheckBox* AddedCB = nullptr;
    QCheckBox* ButtonCommandCB = nullptr;
    QPushButton* ProcessSliderBtn = nullptr;
    QPushButton* PAGammaHelpBtn = nullptr;
    QGroupBox* RadioGroupColorPlane = nullptr;
    QButtonGroup* ColorPlaneItems = nullptr;
    QCheckBox* CheckBoxMonochrome = nullptr;

    // ---- Preview ----
    QScrollArea* PACScrollBox = nullptr;
    QLabel* PACImage = nullptr;
    QProgressBar* HCGauge = nullptr;
    QPushButton* PACApplyToImage = nullptr;

    // ---- Graph ----
    QPushButton* HCActivateColor = nullptr;
    QComboBox* PACCB = nullptr;
    QPushButton* UseFunctionsBtn = nullptr;
    QLabel* FunctionLabel = nullptr;
    QGroupBox* PACDrawRG = nullptr;
    QButtonGroup* PACDrawItems = nullptr;
    QGroupBox* PACColorCRG = nullptr;
    QButtonGroup* PACColorItems = nullptr;
    QPushButton* PACClearBtn = nullptr;
    QPushButton* PACUseColorSliceBtn = nullptr;
    QPushButton* PACLoadColorBins = nullptr;
    QPushButton* PACSaveColorBins = nullptr;
    QLabel* PAColorLabel = nullptr;
    TLUTGraphImage* PACGraphImage = nullptr;

    // Slider state: the positions the tables were last built with, and whether a bar move may
    // rebuild them (clear while a function is set up and while a preview is being made).
    int32_t LastRedSlider = 0;
    int32_t LastGreenSlider = 0;
    int32_t LastBlueSlider = 0;
    bool SlidersLive = false;
    // The picture (ShownPictureSerial) the tables and the preview were made for.
    uint64_t PreviewSerial = 0;

    // The window's close: the graph is given up.
    void FormClose();

    void FunctionClick(int32_t code);
    void RMinTBarChange();
    void GMaxTBarChange();
    void BlueMeanieTBarChange();
    void ProcessSliderBtnClick();
    void HideSliders();
    void ColorPlaneSetup();
    void RadioGroupColorPlaneClick();
    void CheckBoxMonochromeClick();
    void DoLUT();
    void MakeHisHCImage();
    void SetHisHCImage();
    void PACApplyToImageClick();
    // Another picture is shown: the preview and the tables made for the last one (Min Max and
    // Histogram EQ from its statistics) are let go; a function chosen again makes them anew.
    void PictureReplaced();

    void HCActivateColorClick();
    void PACCBChange(int index);
    void UseFunctionsBtnClick();
    void PACClearBtnClick();
    void PACColorCRGClick(int color);
    void PACGraphImageMouseDown(int x, int y);
    void PACGraphImageMouseMove(int x, int y);
    void PACGraphImageMouseUp(int x, int y);
    // The graph drag a command ended: the curve goes back to what the press found.
    void EndGraphDrag();
    void DrawRubberband();
    void PACUseColorSliceBtnClick();
    void PACLoadColorBinsClick();
    void PACSaveColorBinsClick();

  private:
    struct Bar;
    static const Bar Bars[3];

    QWidget* MakeFunctionPanel();
    QWidget* MakeSliderRow();
    QWidget* MakePreview();
    QWidget* MakeGraphPanel();
    // Runs a handler inside the error guard, through the window's so that it is not freed
    // under the handler.
    void Guarded(const std::function<void()>& f);
    // The press, moves and release of a drag on the graph, whose frame does not end that drag.
    void GuardedOnPicture(const std::function<void()>& f);
    void InWindow(const std::function<void()>& f, bool onPicture);
    QPushButton* Button(const char* name, const QString& caption, const char* hint,
                        const std::function<void()>& click);
    void BarChange(const Bar& bar);
    void SetBarQuietly(QSlider* bar, int value);

    // Graph drawing: the pen of the current colour, copy or exclusive-or.
    void FillGraph();
    void DrawCurve(const std::vector<double>& curve, QRgb pen);
    void DrawTables();
    void ShowGraphColor(int color);
    QRgb PenColor = 0;
    bool PenXor = false;
    // The curve as the drag under way found it.
    std::optional<std::vector<double>> CurveBeforeDrag;
};
