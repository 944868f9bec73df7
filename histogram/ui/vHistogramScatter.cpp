// The "H 2D" page (every pixel plotted in a plane of two bands, with the class boxes of a seed
// row) and the "H 2/3 D" page (the colour cube, its file, its slices and single counts).
#include "histogram/ui/vHistogram.h"

#include "histogram/ui/vHistogramControls.h"
#include "histogram/ui/vUHistogramDraw.h"
#include "histogram/vColorCube.h"
#include "runtime/RtNumbers.h"
#include "shell/vGlobal.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>

#include <algorithm>
#include <iterator>
#include <new>

using namespace histogram_ui;

namespace {

constexpr int Help2D = 6200;
constexpr int Help3D = 6300;
constexpr int NoImageMessage = 24;
constexpr int OutOfResourcesMessage = 39977;
constexpr int LargestCountAt = 10;

// The captions of each slice item: across from zero to 255, up, the X, Y and Z positions and
// the display button.
struct ViewCaptions {
    const char* Low;
    const char* High;
    const char* Up;
    std::array<const char*, 3> Positions;
    const char* Display;
};
constexpr std::array<ViewCaptions, 3> ViewTexts{{
    {"Red Zero",
     "Red 255",
     "Green",
     {"R:X Position", "G:Y Position", "B:Z Position"},
     "Display Blue Slice"},
    {"Blue Zero",
     "Blue 255",
     "Red",
     {"B:X Position", "R:Y Position", "G:Z Position"},
     "Display Green Slice"},
    {"Blue Zero",
     "Blue 255",
     "Green",
     {"B:X Position", "G:Y Position", "R:Z Position"},
     "Display Red Slice"},
}};

QProgressBar* MakeGauge(QWidget* parent, const QString& name) {
    auto* g = new QProgressBar(parent);
    g->setObjectName(name);
    g->setRange(0, 100);
    g->setValue(0);
    return g;
}

// An edit's text as a cube index: not a number gives 0, the value is limited to 0..255.
int CubeIndexOf(const QLineEdit* edit) {
    int code = 0;
    const int64_t v = ValInt(edit->text().toStdString(), code);
    return static_cast<int>(std::clamp<int64_t>(code == 0 ? v : 0, 0, 255));
}

} // namespace

// ---- H 2D -----------------------------------------------------------------------------------

void THistogramForm::Build2DPage(QWidget* page) {
    auto* grid = new QGridLayout(page);
    H2DImage = MakePlotView(page, "H2DImage", ScatterSide, ScatterSide);
    H2DGauge = MakeGauge(page, "H2DGauge");
    grid->addWidget(H2DImage, 0, 0, 6, 1);
    grid->addWidget(H2DGauge, 6, 0);
    H_H2Dgrp = MakeRadioGroup(page, "H_H2Dgrp", "Bands",
                              {"Greenv Redh", "Bluev    Redh", "Greenv Blueh"}, grid, 0, 1);
    H_H2DRG = MakeRadioGroup(page, "H_H2DRG", "SC boxes",
                             {"Natural Break Class", "Best Fit Class", "Steps Class", "Area Class",
                              "Median Standard D", "Mean S Deviation", "Arithmatic Increasing",
                              "Geometric Increasing", "Reciprocal (Decreasing)"},
                             grid, 0, 2, 1);
    H_H2DCB = new QCheckBox("Plot SC boxes", page);
    H_H2DCB->setObjectName("H_H2DCB");
    H_H2DBtn = MakeButton(page, "H_H2DBtn", "Plot BGR as Colors");
    H_H2DBtn2 = MakeButton(page, "H_H2DBtn2", "Plot BGR as Black");
    H_H2DBtn3 = MakeButton(page, "H_H2DBtn3", "Save Image");
    grid->addWidget(H_H2DCB, 1, 1);
    grid->addWidget(H_H2DBtn, 2, 1);
    grid->addWidget(H_H2DBtn2, 3, 1);
    grid->addWidget(H_H2DBtn3, 4, 1);
    grid->addWidget(MakeHelpButton(page, "HHistogram2D", Help2D), 5, 1);
    const std::pair<QPushButton*, void (THistogramForm::*)()> buttons[] = {
        {H_H2DBtn, &THistogramForm::H_H2DBtnClick},
        {H_H2DBtn2, &THistogramForm::H_H2DBtn2Click},
        {H_H2DBtn3, &THistogramForm::H_H2DBtn3Click},
    };
    for (const auto& [button, handler] : buttons)
        connect(button, &QPushButton::clicked, this,
                [this, handler = handler] { Guarded([&] { (this->*handler)(); }); });
}

void THistogramForm::H_H2DBtnClick() {
    HookBusyCursor(true);
    const bool plotted = PlotScattergram(ItemIndex(H_H2Dgrp), false, H2DPicture,
                                         [this](int percent) { H2DGauge->setValue(percent); });
    if (plotted) {
        if (H_H2DCB->isChecked())
            FrameClassBoxes(ItemIndex(H_H2Dgrp), ItemIndex(H_H2DRG), H2DPicture);
        ShowPicture(H2DImage, H2DPicture);
        H_H2DBtn3->setEnabled(true);
    }
    HookBusyCursor(false);
}

void THistogramForm::H_H2DBtn2Click() {
    HookBusyCursor(true);
    if (PlotScattergram(ItemIndex(H_H2Dgrp), true, H2DPicture,
                        [this](int percent) { H2DGauge->setValue(percent); })) {
        ShowPicture(H2DImage, H2DPicture);
        H_H2DBtn3->setEnabled(true);
    }
    HookBusyCursor(false);
}

void THistogramForm::H_H2DBtn3Click() {
    SaveHistogramPicture(H2DPicture, "H2D.bmp");
}

// ---- H 2/3 D --------------------------------------------------------------------------------

void THistogramForm::Build3DPage(QWidget* page) {
    auto* grid = new QGridLayout(page);
    H3D_Image = MakePlotView(page, "H3D_Image", ScatterSide, ScatterSide);
    H3DGauge = MakeGauge(page, "H3DGauge");
    H3DPanel = MakeValueLabel(page, "H3DPanel");
    AxisUpLabel = new QLabel(page);
    AxisLowLabel = new QLabel(page);
    AxisHighLabel = new QLabel(page);
    AxisHighLabel->setAlignment(Qt::AlignRight);
    grid->addWidget(AxisUpLabel, 0, 0);
    grid->addWidget(H3D_Image, 0, 1, 8, 2);
    grid->addWidget(AxisLowLabel, 8, 1);
    grid->addWidget(AxisHighLabel, 8, 2);
    ScrollBar1 = new QScrollBar(Qt::Horizontal, page);
    ScrollBar1->setObjectName("ScrollBar1");
    ScrollBar1->setRange(0, 255);
    grid->addWidget(ScrollBar1, 9, 1, 1, 2);
    grid->addWidget(H3DGauge, 10, 1, 1, 2);
    grid->addWidget(H3DPanel, 11, 1, 1, 2);

    CDCRG = MakeRadioGroup(page, "CDCRG", "Slice", {"Blue:    G/R", "Green: R/B", "Red:    G/B"},
                           grid, 0, 3);
    H3D_Colorize = MakeRadioGroup(page, "H3D_Colorize", "Colors",
                                  {"Actual Color", "Color Coded", "All Black"}, grid, 1, 3);
    auto* values = new QGridLayout;
    BlueZEdit = MakeEdit(page, "BlueZEdit");
    BlueZEdit->setReadOnly(true);
    RXEdit = MakeEdit(page, "RXEdit");
    GYEdit = MakeEdit(page, "GYEdit");
    BZEdit = MakeEdit(page, "BZEdit");
    CountEdit = MakeEdit(page, "CountEdit", 96);
    CountEdit->setReadOnly(true);
    values->addWidget(new QLabel("Slice", page), 0, 0);
    values->addWidget(BlueZEdit, 0, 1);
    for (size_t i = 0; i < PositionLabels.size(); ++i) {
        PositionLabels[i] = new QLabel(page);
        values->addWidget(PositionLabels[i], static_cast<int>(i) + 1, 0);
    }
    values->addWidget(RXEdit, 1, 1);
    values->addWidget(GYEdit, 2, 1);
    values->addWidget(BZEdit, 3, 1);
    values->addWidget(new QLabel("Count", page), 4, 0);
    values->addWidget(CountEdit, 4, 1);
    grid->addLayout(values, 2, 3);

    H_H3DActivateBtn = MakeButton(page, "H_H3DActivateBtn", "Activate");
    H_H3DSaveBtn = MakeButton(page, "H_H3DSaveBtn", "Save");
    H_H3DCDCBtn = MakeButton(page, "H_H3DCDCBtn", "Change Display labels");
    H_H3DGetCountBtn = MakeButton(page, "H_H3DGetCountBtn", "Get Count");
    Display3DBtn = MakeButton(page, "Display3DBtn", "Display Blue Slice");
    H_H3DDisplayAllBtn =
        MakeButton(page, "H_H3DDisplayAllBtn", "Display All Slices, one at a time");
    H_H3DDisplayAllArrayBtn =
        MakeButton(page, "H_H3DDisplayAllArrayBtn", "Display All Slices together (Array)");
    H_H3DDisplayAllImageBtn =
        MakeButton(page, "H_H3DDisplayAllImageBtn", "Display All Slices together (Image)");
    SaveH3DBtn = MakeButton(page, "SaveH3DBtn", "Save Image");
    Activate3DViewerBtn = MakeButton(page, "Activate3DViewerBtn", "3D Viewer");
    const std::pair<QPushButton*, void (THistogramForm::*)()> buttons[] = {
        {H_H3DActivateBtn, &THistogramForm::H_H3DActivateBtnClick},
        {H_H3DSaveBtn, &THistogramForm::H_H3DSaveBtnClick},
        {H_H3DCDCBtn, &THistogramForm::H_H3DCDCBtnClick},
        {H_H3DGetCountBtn, &THistogramForm::Do_GetValue},
        {Display3DBtn, &THistogramForm::Do_3Display},
        {H_H3DDisplayAllBtn, &THistogramForm::H_H3DDisplayAllBtnClick},
        {H_H3DDisplayAllArrayBtn, &THistogramForm::H_H3DDisplayAllArrayBtnClick},
        {H_H3DDisplayAllImageBtn, &THistogramForm::H_H3DDisplayAllImageBtnClick},
        {SaveH3DBtn, &THistogramForm::SaveH3DBtnClick},
    };
    // The commands whose loops let window messages in.
    const QPushButton* const runs[] = {H_H3DActivateBtn, H_H3DSaveBtn, Display3DBtn,
                                       H_H3DDisplayAllBtn, H_H3DDisplayAllImageBtn};
    auto* column = new QGridLayout;
    int row = 0;
    for (const auto& [button, handler] : buttons) {
        column->addWidget(button, row++, 0);
        if (std::find(std::begin(runs), std::end(runs), button) != std::end(runs))
            connect(button, &QPushButton::clicked, this,
                    [this, handler = handler] { Guarded([&] { RunCubeCommand(handler); }); });
        else
            connect(button, &QPushButton::clicked, this,
                    [this, handler = handler] { Guarded([&] { (this->*handler)(); }); });
    }
    column->addWidget(Activate3DViewerBtn, row++, 0);
    column->addWidget(MakeHelpButton(page, "H_H3DHistogram23D", Help3D), row, 0);
    grid->addLayout(column, 3, 3, 9, 1);
    connect(ScrollBar1, &QScrollBar::valueChanged, this,
            [this](int position) { Guarded([&] { ScrollBar1Change(position); }); });
    new MouseWatcher(H3D_Image, [this](int type, QPoint at) {
        if (type != QEvent::Leave)
            Guarded([&] { H3D_ImageMouse(at.x(), at.y(), type == QEvent::MouseButtonRelease); });
    });
    H_H3DCDCBtnClick();
}

void THistogramForm::DisableAll2D3D() {
    Count3D.Free();
    for (QPushButton* b : {H_H2DBtn3, H_H3DSaveBtn, H_H3DCDCBtn, H_H3DGetCountBtn,
                           H_H3DDisplayAllBtn, H_H3DDisplayAllImageBtn, H_H3DDisplayAllArrayBtn,
                           SaveH3DBtn, Display3DBtn, Activate3DViewerBtn})
        b->setEnabled(false);
    ScrollBar1->setEnabled(false);
    ScrollBar1->setValue(128);
    ScrollBar1Change(ScrollBar1->value());
}

void THistogramForm::RunCubeCommand(void (THistogramForm::*command)()) {
    OperationScope scope;
    if (!scope.Acquired()) return;
    CubeRunning = true;
    struct RunEnd {
        bool& Running;
        ~RunEnd() { Running = false; }
    } end{CubeRunning};
    (this->*command)();
}

void THistogramForm::H_H3DActivateBtnClick() {
    if (!ImageBuffersAllocated) {
        ShowMessageNumber(NoImageMessage);
        return;
    }
    try {
        Count3D.Allocate();
        if (!Do_Count3D()) {
            Count3D.Free();
            return;
        }
    } catch (const std::bad_alloc&) {
        Count3D.Free();
        ShowMessageNumber(OutOfResourcesMessage);
        return;
    }
    for (QPushButton* b :
         {H_H3DSaveBtn, H_H3DCDCBtn, H_H3DGetCountBtn, Display3DBtn, H_H3DDisplayAllImageBtn,
          H_H3DDisplayAllBtn, H_H3DDisplayAllArrayBtn, SaveH3DBtn})
        b->setEnabled(true);
    ScrollBar1->setEnabled(true);
    Do_3Display();
}

bool THistogramForm::Do_Count3D() {
    // A file of another size is not a cube this program wrote: the picture is counted again.
    const std::string name = Count3DFileName();
    if (ReadCount3DFile(name, Count3D)) return true;
    return CountColorCube(Count3D);
}

void THistogramForm::H_H3DSaveBtnClick() {
    WriteCount3DFile(Count3DFileName(), Count3D);
}

void THistogramForm::ShowCubePicture(int largest) {
    WriteTextAt(H3DPicture, LargestCountAt, LargestCountAt, QString::number(largest));
    ShowPicture(H3D_Image, H3DPicture);
}

void THistogramForm::Do_3Display() {
    if (Count3D.Empty()) return;
    const int largest = PaintCubeSlice(Count3D, ItemIndex(CDCRG), SliceValue,
                                       ItemIndex(H3D_Colorize), H3DPicture, [this](int percent) {
                                           H3DPanel->setText("Displaying RGB");
                                           H3DGauge->setValue(percent);
                                           ShowStageProgress(4, percent);
                                       });
    ShowStageProgress(4, 100);
    ShowCubePicture(largest);
}

void THistogramForm::ScrollBar1Change(int position) {
    SliceValue = position;
    BlueZEdit->setText(QString::number(position));
    BZEdit->setText(QString::number(position));
}

void THistogramForm::H_H3DCDCBtnClick() {
    const ViewCaptions& t = ViewTexts[static_cast<size_t>(std::clamp(ItemIndex(CDCRG), 0, 2))];
    AxisLowLabel->setText(t.Low);
    AxisHighLabel->setText(t.High);
    AxisUpLabel->setText(t.Up);
    for (size_t i = 0; i < PositionLabels.size(); ++i)
        PositionLabels[i]->setText(t.Positions[i]);
    Display3DBtn->setText(t.Display);
}

void THistogramForm::Do_GetValue() {
    if (Count3D.Empty()) return;
    // The three edits are the X, Y and Z positions of the slice item's labels.
    const CubeCell c =
        CellOfView(ItemIndex(CDCRG), CubeIndexOf(RXEdit), CubeIndexOf(GYEdit), CubeIndexOf(BZEdit));
    CountEdit->setText(QString::number(Count3D.At(c.Red, c.Green, c.Blue)));
}

void THistogramForm::H3D_ImageMouse(int x, int y, bool released) {
    if (!H_H3DGetCountBtn->isEnabled()) {
        if (released) CountEdit->setText("no mouses here");
        return;
    }
    RXEdit->setText(QString::number(std::clamp(x, 0, 255)));
    GYEdit->setText(QString::number(std::clamp(255 - y, 0, 255)));
    Do_GetValue();
}

void THistogramForm::H_H3DDisplayAllBtnClick() {
    if (Count3D.Empty()) return;
    H3DPanel->setText("Displaying RGB All Counts");
    for (int slice = 0; slice < 256; ++slice) {
        const int largest = PaintCubeSlice(Count3D, ItemIndex(CDCRG), slice,
                                           ItemIndex(H3D_Colorize), H3DPicture, nullptr);
        ShowCubePicture(largest);
        H3DGauge->setValue(static_cast<int>(Round(100.0 * slice / 255)));
        ShowStageProgress(4, static_cast<int>(Round(100.0 * slice / 255)));
    }
}

void THistogramForm::H_H3DDisplayAllArrayBtnClick() {
    if (Count3D.Empty()) return;
    ShowCubePicture(
        OverlayCubeSlices(Count3D, ItemIndex(CDCRG), ItemIndex(H3D_Colorize), H3DPicture));
}

void THistogramForm::H_H3DDisplayAllImageBtnClick() {
    if (PaintImageCounts(Count3D, ItemIndex(CDCRG), ItemIndex(H3D_Colorize), H3DPicture))
        ShowPicture(H3D_Image, H3DPicture);
}

void THistogramForm::SaveH3DBtnClick() {
    SaveHistogramPicture(H3DPicture, "H3D.bmp");
}
