// The page's look-up-table graph: drawing the curve with the mouse, the function shapes, and
// the tables' files. A curve drawn while dragging uses an exclusive-or pen, so drawing the same
// curve again takes it away.
#include "algebra/ui/vColorContortions.h"

#include "algebra/vLUTFile.h"
#include "algebra/vLUTGraph.h"
#include "shell/ui/vImageView.h"
#include "shell/ui/vPointer.h"
#include "shell/vGlobal.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

#include <utility>

namespace {

constexpr int GraphSize = 256;

const char* const LUTFileFilter = "LUT files (*.lut)|*.lut";

// Pens by graph colour: All, Red, Green, Blue.
constexpr QRgb GraphPens[4] = {qRgb(128, 128, 128), qRgb(255, 0, 0), qRgb(0, 128, 0),
                               qRgb(0, 0, 255)};

QRgb PenOf(int color) {
    return GraphPens[color >= 0 && color < 4 ? color : 0];
}

// A radio group of captioned items, ids from 0.
QGroupBox* RadioGroup(const char* name, const char* title, std::initializer_list<const char*> items,
                      QButtonGroup*& group, QObject* owner) {
    auto* box = new QGroupBox(title);
    box->setObjectName(name);
    auto* layout = new QVBoxLayout(box);
    group = new QButtonGroup(owner);
    int id = 0;
    for (const char* item : items) {
        auto* button = new QRadioButton(item);
        layout->addWidget(button);
        group->addButton(button, id++);
    }
    group->button(0)->setChecked(true);
    return box;
}

} // namespace

TLUTGraphImage::TLUTGraphImage(QWidget* parent)
    : QWidget(parent), Canvas(GraphSize, GraphSize, QImage::Format_RGB32) {
    Canvas.fill(Qt::white);
    setFixedSize(GraphSize, GraphSize);
    setMouseTracking(true);
}

void TLUTGraphImage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    DrawPixels(painter, QPoint(0, 0), Canvas);
}

void TLUTGraphImage::mousePressEvent(QMouseEvent* event) {
    const QPoint p = PixelUnder(*this, *event);
    if (MouseDown) MouseDown(p.x(), p.y());
}

void TLUTGraphImage::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = PixelUnder(*this, *event);
    if (MouseMove) MouseMove(p.x(), p.y());
}

void TLUTGraphImage::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = PixelUnder(*this, *event);
    if (MouseUp) MouseUp(p.x(), p.y());
}

QWidget* TColorContortionsPage::MakeGraphPanel() {
    auto* panel = new QGroupBox;
    auto* grid = new QGridLayout(panel);
    HCActivateColor = Button("HCActivateColor", "Activate Color Draw >", "Activate Color Graph",
                             [this] { HCActivateColorClick(); });
    PACCB = new QComboBox;
    PACCB->setObjectName("PACCB");
    for (const char* name : GraphFunctionNames)
        PACCB->addItem(name);
    PACCB->setPlaceholderText("none");
    PACCB->setCurrentIndex(-1);
    // Only the user's choice: choosing item 0 on activation leaves the button's caption.
    connect(PACCB, &QComboBox::activated, this,
            [this](int index) { Guarded([this, index] { PACCBChange(index); }); });
    UseFunctionsBtn = Button("UseFunctionsBtn", "Use Functions", "Assign function values",
                             [this] { UseFunctionsBtnClick(); });
    FunctionLabel = new QLabel("0 .. new values .. 255");
    FunctionLabel->setObjectName("FunctionLabel");
    PACDrawRG = RadioGroup("PACDrawRG", "Draw", {"Any Line", "Step Up"}, PACDrawItems, this);
    PACDrawRG->setToolTip("Draw SLOW|If jagged retrace desired line SLOWLY");
    PACColorCRG =
        RadioGroup("PACColorCRG", "Color", {"All", "Red", "Green", "Blue"}, PACColorItems, this);
    connect(PACColorItems, &QButtonGroup::idClicked, this,
            [this](int id) { Guarded([this, id] { PACColorCRGClick(id); }); });
    PACClearBtn = Button("PACClearBtn", "", "Clear", [this] { PACClearBtnClick(); });
    PACUseColorSliceBtn = Button("PACUseColorSliceBtn", "", "Apply to image|Use Color Slice",
                                 [this] { PACUseColorSliceBtnClick(); });
    PACLoadColorBins = Button("PACLoadColorBins", "", "Load and use Color values",
                              [this] { PACLoadColorBinsClick(); });
    PACSaveColorBins = Button("PACSaveColorBins", "", "Save Color Bin values",
                              [this] { PACSaveColorBinsClick(); });
    const std::pair<QPushButton*, QStyle::StandardPixmap> icons[] = {
        {PACClearBtn, QStyle::SP_DialogResetButton},
        {PACUseColorSliceBtn, QStyle::SP_MediaPlay},
        {PACLoadColorBins, QStyle::SP_DialogOpenButton},
        {PACSaveColorBins, QStyle::SP_DialogSaveButton}};
    auto* buttons = new QHBoxLayout;
    for (const auto& [button, icon] : icons) {
        button->setIcon(style()->standardIcon(icon));
        buttons->addWidget(button);
    }
    PAColorLabel = new QLabel("X: Y:");
    PAColorLabel->setObjectName("PAColorLabel");
    PACGraphImage = new TLUTGraphImage;
    PACGraphImage->setObjectName("PACGraphImage");
    // The press, moves and release are the drag itself: their frame does not end it.
    PACGraphImage->MouseDown = [this](int x, int y) {
        GuardedOnPicture([this, x, y] { PACGraphImageMouseDown(x, y); });
    };
    PACGraphImage->MouseMove = [this](int x, int y) {
        GuardedOnPicture([this, x, y] { PACGraphImageMouseMove(x, y); });
    };
    PACGraphImage->MouseUp = [this](int x, int y) {
        GuardedOnPicture([this, x, y] { PACGraphImageMouseUp(x, y); });
    };

    grid->addWidget(HCActivateColor, 0, 0);
    grid->addWidget(PACCB, 0, 1);
    grid->addWidget(UseFunctionsBtn, 0, 2);
    grid->addWidget(PACGraphImage, 1, 0, 3, 2);
    grid->addWidget(PACDrawRG, 1, 2);
    grid->addWidget(PACColorCRG, 2, 2);
    grid->addLayout(buttons, 3, 2);
    grid->addWidget(FunctionLabel, 4, 0);
    grid->addWidget(PAColorLabel, 4, 1);

    // Before "Activate Color Draw >" only it and the position label are live.
    for (QWidget* w : std::initializer_list<QWidget*>{
             PACCB, UseFunctionsBtn, FunctionLabel, PACDrawRG, PACColorCRG, PACClearBtn,
             PACUseColorSliceBtn, PACLoadColorBins, PACSaveColorBins})
        w->setEnabled(false);
    for (QWidget* w : std::initializer_list<QWidget*>{PACCB, PACDrawRG, PACColorCRG, FunctionLabel})
        w->hide();
    PenColor = PenOf(gcAll);
    return panel;
}

// ---- Drawing ----

void TColorContortionsPage::FillGraph() {
    PACGraphImage->Canvas.fill(Qt::white);
    PACGraphImage->update();
}

void TColorContortionsPage::DrawCurve(const std::vector<double>& curve, QRgb pen) {
    if (curve.size() != GraphSize) return;
    QPolygon line(GraphSize);
    for (int x = 0; x < GraphSize; ++x)
        line[x] = QPoint(x, GraphRowOf(curve[x]));
    QPainter p(&PACGraphImage->Canvas);
    p.setPen(QPen(QColor(pen), 0));
    if (PenXor) p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.drawPolyline(line);
    PACGraphImage->update();
}

void TColorContortionsPage::DrawTables() {
    // Green, blue, then red on top, each in its own colour.
    const std::pair<const LUTTable*, int> order[] = {
        {&GreenLUT, gcGreen}, {&BlueLUT, gcBlue}, {&RedLUT, gcRed}};
    for (const auto& [table, color] : order)
        DrawCurve({table->begin(), table->end()}, PenOf(color));
}

void TColorContortionsPage::ShowGraphColor(int color) {
    if (QAbstractButton* b = PACColorItems->button(color)) b->setChecked(true);
    PenColor = PenOf(color);
}

// ---- Handlers ----

void TColorContortionsPage::HCActivateColorClick() {
    SlidersLive = false;
    HideSliders();
    for (QWidget* w : std::initializer_list<QWidget*>{
             PACClearBtn, PACUseColorSliceBtn, PACLoadColorBins, PACSaveColorBins, UseFunctionsBtn})
        w->setEnabled(true);
    for (QWidget* w : std::initializer_list<QWidget*>{PACColorCRG, PACDrawRG, PACCB}) {
        w->show();
        w->setEnabled(true);
    }
    PACCB->setCurrentIndex(0);
    FunctionLabel->show();
    ActivateGraph();
    ShowGraphColor(gcAll);
    PenXor = false;
    FillGraph();
    DrawCurve(GraphCurve, PenColor);
}

void TColorContortionsPage::PACCBChange(int index) {
    GraphFunction = index;
    UseFunctionsBtn->setText("Use Function: " + QString::number(index));
}

void TColorContortionsPage::UseFunctionsBtnClick() {
    PACClearBtnClick();
    UseGraphFunction();
    PenXor = false;
    DrawTables();
    ShowGraphColor(gcRed);
}

void TColorContortionsPage::PACClearBtnClick() {
    ClearGraph();
    ShowGraphColor(gcAll);
    PACDrawItems->button(gdAnyLine)->setChecked(true);
    FillGraph();
}

void TColorContortionsPage::PACColorCRGClick(int color) {
    ChooseGraphColor(color);
    PenColor = PenOf(GraphColor);
}

void TColorContortionsPage::PACGraphImageMouseDown(int x, int y) {
    if (!GraphActive || GraphDragging) return;
    GraphDragging = true;
    CurveBeforeDrag = GraphCurve;
    FillGraph();
    RubberPoint = {x, GraphSize - 1 - y};
    PenXor = true;
    DrawRubberband();
}

void TColorContortionsPage::PACGraphImageMouseMove(int x, int y) {
    PAColorLabel->setText("X: " + QString::number(x) + " Y: " + QString::number(GraphSize - 1 - y));
    if (!GraphDragging) return;
    DrawRubberband();
    RubberPoint = {x, GraphSize - 1 - y};
    DrawRubberband();
}

void TColorContortionsPage::PACGraphImageMouseUp(int x, int y) {
    if (!GraphDragging) return;
    RubberPoint = {x, GraphSize - 1 - y};
    PenXor = false;
    FillGraph();
    DrawRubberband();
    GraphDragging = false;
    CurveBeforeDrag.reset();
}

void TColorContortionsPage::EndGraphDrag() {
    if (!CurveBeforeDrag) return;
    GraphCurve = *std::exchange(CurveBeforeDrag, std::nullopt);
    PenXor = false;
    FillGraph();
    DrawCurve(GraphCurve, PenColor);
}

void TColorContortionsPage::DrawRubberband() {
    ApplyRubberPoint(PACDrawItems->checkedId());
    DrawCurve(GraphCurve, PenColor);
}

void TColorContortionsPage::PACUseColorSliceBtnClick() {
    StoreGraphCurve();
    SlidersLive = false;
    HideSliders();
    LUTFunction = lfHandDrawn;
    MakeHisHCImage();
}

void TColorContortionsPage::PACLoadColorBinsClick() {
    FileDialogRequest request;
    request.Filter = LUTFileFilter;
    request.OpenIn(ImageDirectory);
    const std::string path = HookChooseFile(request);
    if (path.empty()) return;
    // The whole file is read and checked before anything changes.
    LUTTables tables;
    if (!ReadLUTFile(path, tables)) return;
    PACClearBtnClick();
    LoadGraphTables(tables);
    PenXor = false;
    DrawTables();
    ShowGraphColor(gcRed);
}

void TColorContortionsPage::PACSaveColorBinsClick() {
    FileDialogRequest request;
    request.Save = true;
    request.Filter = LUTFileFilter;
    request.DefaultExt = "lut";
    request.OpenIn(ImageDirectory);
    const std::string path = HookChooseFile(request);
    if (path.empty()) return;
    StoreGraphCurve();
    WriteLUTFile(path, {RedLUT, GreenLUT, BlueLUT}, TReplaceLeave::Chosen(path));
}
