#include "histogram/ui/vLinear.h"

#include "histogram/ui/vLProfile.h"
#include "histogram/vUILinear.h"
#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "shell/ui/vHelp.h"
#include "shell/ui/vImageView.h"
#include "shell/ui/vPointer.h"
#include "shell/ui/vUEnabler.h"
#include "shell/ui/vVorn.h"
#include "shell/vGlobal.h"
#include "shell/vPictureFiles.h"
#include "shell/vToolForms.h"
#include "shell/vToolModes.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSlider>
#include <QTabWidget>
#include <QToolButton>

#include <algorithm>

QPointer<TLinearForm> LinearForm;

namespace {

constexpr int HelpTopic = 7000;

QString Latin1(const std::string& s) {
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

// The edits' reading: leading digits (0 for none), clamped to 1..255.
int32_t Level(const QLineEdit* edit) {
    int code = 0;
    const int64_t v = ValInt(edit->text().toLatin1().toStdString(), code);
    return static_cast<int32_t>(std::clamp<int64_t>(v, 1, 255));
}

QPushButton* Button(QWidget* parent, const char* name, const char* caption, const QString& hint) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setToolTip(hint.section('|', 0, 0));
    b->setStatusTip(hint.section('|', -1));
    return b;
}

QLineEdit* Edit(QWidget* parent, const char* name, const char* text) {
    auto* e = new QLineEdit(text, parent);
    e->setObjectName(name);
    e->setMaximumWidth(50);
    return e;
}

void BringMainWindowForward() {
    if (VORNForm) VORNForm->Show();
}

} // namespace

TLinearForm::TLinearForm(QWidget* parent)
    : TToolWindow("Linear", "LinearForm", fpLinear, tfNone, parent) {
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    auto* lines = new QWidget;
    lines->setObjectName("TabSheet1");
    auto* wand = new QWidget;
    wand->setObjectName("TabSheet2");
    PageControl1->addTab(lines, "Lines");
    PageControl1->addTab(wand, "Linear Wand");

    RGBContoursBtn = Button(lines, "RGBContoursBtn", "RGB Contours", "RGB isolines");
    BEdit = Edit(lines, "BEdit", "24");
    GEdit = Edit(lines, "GEdit", "35");
    REdit = Edit(lines, "REdit", "46");
    ContourRGBBtn = Button(lines, "ContourRGBBtn", "Wide Contours", "wide RGB isolines");
    WBEdit = Edit(lines, "WBEdit", "24");
    WGEdit = Edit(lines, "WGEdit", "35");
    WREdit = Edit(lines, "WREdit", "46");
    MeasuredBtn = Button(lines, "MeasuredBtn", "Measured: Starts Mouse..Dialog..Calculation",
                         "Select a KNOWN distance|Meander Measured Marker");
    ProfileBtn = Button(lines, "ProfileBtn", "Line Profile: Starts Mouse..Dialog..Display",
                        "Mouse a line|Moused line displayed in Line Profile");
    SnakeBtn = Button(lines, "SnakeBtn", "Snake: Starts Mouse object selection",
                      "Click Mouse on Image object");
    RedEdgeFollowerBtn = Button(lines, "RedEdgeFollowerBtn", "Edge Follower", "sparse");
    EdgeFollowEdit = Edit(lines, "EdgeFollowEdit", "36");
    EdgeFlowBtn = Button(lines, "EdgeFlowBtn", "Edge Flow", "redrum");
    auto* bands = new QGroupBox("Select band for Contour Interval", lines);
    bands->setObjectName("LinearRG");
    LinearRG = new QButtonGroup(this);
    auto* bandRow = new QHBoxLayout(bands);
    const char* bandNames[3] = {"Red", "Green", "Blue"};
    for (int i = 0; i < 3; ++i) {
        auto* r = new QRadioButton(bandNames[i], bands);
        LinearRG->addButton(r, i);
        bandRow->addWidget(r);
    }
    LinearRG->button(0)->setChecked(true);
    ContourIntervalBtn = Button(lines, "ContourIntervalBtn", "Contour Interval", "many lines");
    ContourIntervalEdit = Edit(lines, "ContourIntervalEdit", "20");

    auto* grid = new QGridLayout(lines);
    int row = 0;
    grid->addWidget(new QLabel("Blue"), row, 1);
    grid->addWidget(new QLabel("Green"), row, 2);
    grid->addWidget(new QLabel("Red"), row++, 3);
    grid->addWidget(RGBContoursBtn, row, 0);
    grid->addWidget(BEdit, row, 1);
    grid->addWidget(GEdit, row, 2);
    grid->addWidget(REdit, row++, 3);
    grid->addWidget(ContourRGBBtn, row, 0);
    grid->addWidget(WBEdit, row, 1);
    grid->addWidget(WGEdit, row, 2);
    grid->addWidget(WREdit, row++, 3);
    grid->addWidget(MeasuredBtn, row++, 0, 1, 4);
    grid->addWidget(ProfileBtn, row++, 0, 1, 4);
    grid->addWidget(SnakeBtn, row++, 0, 1, 4);
    grid->addWidget(RedEdgeFollowerBtn, row, 0);
    grid->addWidget(EdgeFollowEdit, row++, 1);
    grid->addWidget(EdgeFlowBtn, row++, 0);
    grid->addWidget(bands, row++, 0, 1, 4);
    grid->addWidget(ContourIntervalBtn, row, 0);
    grid->addWidget(ContourIntervalEdit, row++, 1);

    ScrollBox1 = new QScrollArea(wand);
    ScrollBox1->setObjectName("ScrollBox1");
    PreviewImage = new QLabel;
    PreviewImage->setObjectName("PreviewImage");
    PreviewImage->setCursor(Qt::CrossCursor);
    PreviewImage->installEventFilter(this);
    ScrollBox1->setWidget(PreviewImage);
    ScrollBox1->setAlignment(Qt::AlignCenter);
    WandTrackBar = new QSlider(Qt::Horizontal, wand);
    WandTrackBar->setObjectName("WandTrackBar");
    WandTrackBar->setRange(1, 100);
    WandTrackBar->setValue(30);
    WandTrackBar->setPageStep(5);
    WandTrackBar->setTickInterval(5);
    WandTrackBar->setTickPosition(QSlider::TicksBelow);
    MagicWand2 = new QCheckBox("Wand On", wand);
    MagicWand2->setObjectName("MagicWand2");
    SpeedButton1 = new QToolButton(wand);
    SpeedButton1->setObjectName("SpeedButton1");
    SpeedButton1->setText("Save");
    auto* wandLayout = new QVBoxLayout(wand);
    wandLayout->addWidget(ScrollBox1, 1);
    auto* wandRow = new QHBoxLayout;
    wandRow->addWidget(MagicWand2);
    wandRow->addWidget(WandTrackBar, 1);
    wandRow->addWidget(SpeedButton1);
    wandLayout->addLayout(wandRow);

    const std::pair<QWidget*, int> helpTopics[] = {
        {RGBContoursBtn, 7100},
        {BEdit, 7100},
        {GEdit, 7100},
        {REdit, 7100},
        {ContourRGBBtn, 7200},
        {WBEdit, 7200},
        {WGEdit, 7200},
        {WREdit, 7200},
        {MeasuredBtn, 7900},
        {ProfileBtn, 7500},
        {SnakeBtn, 7400},
        {RedEdgeFollowerBtn, 7700},
        {EdgeFollowEdit, 7700},
        {EdgeFlowBtn, 7800},
        {ContourIntervalBtn, 7300},
        {ContourIntervalEdit, 7300},
    };
    for (const auto& [control, topic] : helpTopics)
        SetHelpContext(control, topic);

    LinearCloseBtn = Button(this, "LinearCloseBtn", "Close", "");
    LinearHelpBtn = Button(this, "LinearHelpBtn", "Help", "");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(LinearHelpBtn);
    buttons->addWidget(LinearCloseBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1, 1);
    layout->addLayout(buttons);

    const std::pair<QAbstractButton*, void (TLinearForm::*)()> handlers[] = {
        {RGBContoursBtn, &TLinearForm::RGBContoursBtnClick},
        {ContourRGBBtn, &TLinearForm::ContourRGBBtnClick},
        {RedEdgeFollowerBtn, &TLinearForm::EdgeFollowBtnClick},
        {EdgeFlowBtn, &TLinearForm::EdgeFlowBtnClick},
        {ContourIntervalBtn, &TLinearForm::ContourIntervalBtnClick},
        {MeasuredBtn, &TLinearForm::MeasuredBtnClick},
        {SnakeBtn, &TLinearForm::SnakeBtnClick},
        {ProfileBtn, &TLinearForm::ProfileBtnClick},
        {MagicWand2, &TLinearForm::MagicWand2Click},
        {SpeedButton1, &TLinearForm::SpeedButton1Click},
    };
    for (const auto& [button, handler] : handlers)
        connect(button, &QAbstractButton::clicked, this,
                [this, h = handler] { Guarded([this, h] { std::invoke(h, this); }); });
    connect(LinearCloseBtn, &QPushButton::clicked, this, [this] { close(); });
    ConnectHelp(LinearHelpBtn, HelpTopic);
}

int TLinearForm::LinearRGIndex() const {
    return LinearRG->checkedId();
}

void TLinearForm::SetLinearRGIndex(int index) {
    if (QAbstractButton* b = LinearRG->button(index)) {
        b->setChecked(true);
    } else if (QAbstractButton* checked = LinearRG->checkedButton()) {
        LinearRG->setExclusive(false);
        checked->setChecked(false);
        LinearRG->setExclusive(true);
    }
}

void TLinearForm::RGBContoursBtnClick() {
    // The engines' loops let window messages in: a load meanwhile would free their buffers.
    OperationScope scope;
    if (!scope.Acquired()) return;
    const int32_t r = Level(REdit), g = Level(GEdit), b = Level(BEdit);
    if (RanOnThePicture([&] { AContour(r, g, b); }))
        RecordCommand("=0151  AContour", {IntToStr(r), IntToStr(g), IntToStr(b)});
}

void TLinearForm::ContourRGBBtnClick() {
    OperationScope scope;
    if (!scope.Acquired()) return;
    const int32_t r = Level(WREdit), g = Level(WGEdit), b = Level(WBEdit);
    if (RanOnThePicture([&] { Do_Contour(r, g, b); }))
        RecordCommand("=0152  Do_Contour", {IntToStr(r), IntToStr(g), IntToStr(b)});
}

void TLinearForm::EdgeFollowBtnClick() {
    OperationScope scope;
    if (!scope.Acquired()) return;
    const int32_t level = Level(EdgeFollowEdit);
    if (RanOnThePicture([&] { Do_EdgeFollow(level); }))
        RecordCommand("=0153  Do_EdgeFollow", {IntToStr(level), IntToStr(LinearRGIndex())});
}

void TLinearForm::EdgeFlowBtnClick() {
    OperationScope scope;
    if (!scope.Acquired()) return;
    const int32_t interval = Level(EdgeFollowEdit);
    if (RanOnThePicture([&] { Do_EdgeFlow(interval); }))
        RecordCommand("=0154  Do_EdgeFlow", {IntToStr(interval), IntToStr(LinearRGIndex())});
}

void TLinearForm::ContourIntervalBtnClick() {
    OperationScope scope;
    if (!scope.Acquired()) return;
    const int32_t interval = Level(ContourIntervalEdit);
    if (RanOnThePicture([&] { ContourInterval(interval, LinearRGIndex()); }))
        RecordCommand("=0155  ContourInterval", {IntToStr(interval), IntToStr(LinearRGIndex())});
}

void TLinearForm::MeasuredBtnClick() {
    ArmMouseMode(MeasuredMode, [] { MeasuredMode = MeasureDragging = false; });
    BringMainWindowForward();
}

void TLinearForm::SnakeBtnClick() {
    ArmMouseMode(SnakeMode);
    BringMainWindowForward();
}

void TLinearForm::ProfileBtnClick() {
    CopyImageForReading();
    if (ImageBuffersLocked && LineProfileForm) {
        // The main window is where the line is drawn, and it comes forward below: a window
        // manager that makes each new window active would take that from it once it frames the
        // profile, and leave the main window in front without the keyboard.
        LineProfileForm->setAttribute(Qt::WA_ShowWithoutActivating);
        LineProfileForm->show();
        LineProfileForm->setAttribute(Qt::WA_ShowWithoutActivating, false);
        LineProfileForm->StartProfile();
        EnableImageCommands(false);
        EnableObjectMenus(false);
        BringMainWindowForward();
    } else {
        UnlockImageBuffers();
        EnableImageCommands(true);
        EnableObjectMenus(true);
    }
}

void TLinearForm::SetEdgeFollowFromColor(int, int, uint32_t color) {
    EdgeFollowEdit->setText(Latin1(IntToStr((color >> 8) & 0xFF)));
}

void TLinearForm::ShowPreview() {
    PreviewImage->setPixmap(QPixmap::fromImage(
        QImage(reinterpret_cast<const uchar*>(Preview.Pixels.data()), Preview.Width, Preview.Height,
               Preview.Width * 4, QImage::Format_RGB32)
            .copy()));
    PreviewImage->adjustSize();
}

void TLinearForm::MagicWand2Click() {
    if (MagicWand2->isChecked()) {
        Preview = DisplayedPicture;
        PreviewSerial = ShownPictureSerial();
        ShowPreview();
        WandActive = true;
    } else {
        WandActive = false;
    }
}

void TLinearForm::PictureReplaced() {
    if (!WandActive || !MagicWand2->isChecked() || PreviewSerial == ShownPictureSerial()) return;
    // The outlines drawn on the last picture's copy go with it.
    MagicWand2Click();
}

void TLinearForm::PreviewImageMouseUp(int x, int y) {
    if (WandBusy || !WandActive || !MagicWand2->isChecked()) return;
    PictureReplaced();
    if (x < 0 || y < 0 || x >= Preview.Width || y >= Preview.Height) return;
    HookBusyCursor(true);
    WandBusy = true;
    Picture copy = Preview;
    const uint32_t p = copy.At(x, y);
    const uint32_t seed = PixelRed(p) | (PixelGreen(p) << 8) | (PixelBlue(p) << 16);
    TBool2dArray mask;
    MagicWandMask(copy, x, y, mask, WandTrackBar->value() / 100.0, seed);
    DrawMaskOutline(copy, mask);
    Preview = std::move(copy);
    ShowPreview();
    HookBusyCursor(false);
    WandBusy = false;
}

void TLinearForm::SpeedButton1Click() {
    if (WandBusy || !WandActive) return;
    PictureReplaced();
    FileDialogRequest request;
    request.Save = true;
    request.OpenIn(ImageDirectory);
    request.FileName = ShownPictureFile(".bmp");
    request.Filter = "BMP files|*.bmp";
    request.DefaultExt = "bmp";
    const std::string name = HookChooseFile(request);
    if (name.empty() || (ExtractFileExt(name) != ".BMP" && ExtractFileExt(name) != ".bmp")) return;
    WritePictureFile(name, Preview, PictureFileKind::Bmp, TReplaceLeave::Chosen(name));
}

bool TLinearForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == PreviewImage && event->type() == QEvent::MouseButtonRelease) {
        const QPoint p = PixelUnder(*PreviewImage, *static_cast<QMouseEvent*>(event));
        Guarded([this, p] { PreviewImageMouseUp(p.x(), p.y()); });
        return true;
    }
    return TToolWindow::eventFilter(watched, event);
}

void TLinearForm::FormClose() {
    LineProfileMode = false;
    if (ImageBuffersLocked) UnlockImageBuffers();
    TToolWindow::FormClose();
}
