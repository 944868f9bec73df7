// The page's function buttons, track-bar row, plane choice, preview and apply. The graph panel
// is in vColorContortionsGraph.cpp.
#include "algebra/ui/vColorContortions.h"

#include "algebra/vColorLUTMap.h"
#include "algebra/vLUTGraph.h"
#include "shell/ui/vHelp.h"
#include "shell/ui/vToolWindow.h"
#include "shell/ui/vVorn.h"
#include "shell/vGlobal.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSlider>
#include <QVBoxLayout>

#include <cstdlib>

using Page = TColorContortionsPage;

// One track bar with its labels and the position it was last processed at.
struct TColorContortionsPage::Bar {
    QSlider* Page::*Slider;
    QLabel* Page::*Caption;
    QLabel* Page::*Value;
    int32_t Page::*Last;
    const char* SliderName;
    const char* CaptionName;
    const char* ValueName;
    const char* Text;
};

// Red, green, blue: the order of the function table's bars.
const TColorContortionsPage::Bar TColorContortionsPage::Bars[3] = {
    {&Page::RMinTBar, &Page::RMinLabel, &Page::RMinValueLabel, &Page::LastRedSlider, "RMinTBar",
     "RMinLabel", "RMinValueLabel", "Red"},
    {&Page::GMaxTBar, &Page::GMaxLabel, &Page::GMaxValueLabel, &Page::LastGreenSlider, "GMaxTBar",
     "GMaxLabel", "GMaxValueLabel", "Grn"},
    {&Page::BlueMeanieTBar, &Page::BlueMeanieLabel, &Page::BlueMeanieValueLabel,
     &Page::LastBlueSlider, "BlueMeanieTBar", "BlueMeanieLabel", "BlueMeanieValueLabel", "Blue"},
};

namespace {

void GaugeProgress(void* gauge, int32_t percent) {
    static_cast<QProgressBar*>(gauge)->setValue(percent);
}

// The gauge back to 0 and the apply button on, however a run ends.
struct RunEnd {
    QProgressBar* Gauge;
    QPushButton* Apply;
    ~RunEnd() {
        Gauge->setValue(0);
        Apply->setEnabled(true);
    }
};

const char* const PlaneItems[4][4] = {
    {"RGB Composite", "Red", "Green", "Blue"},
    {"Hue", "Saturation", "Value", nullptr},
    {"Hue", "Lightness", "Saturation", nullptr},
    {"Cyan", "Magenta", "Yellow", "blacK"},
};

} // namespace

TColorContortionsPage::TColorContortionsPage(QWidget* parent) : QWidget(parent) {
    setObjectName("ColorContortions");
    auto* grid = new QGridLayout(this);
    grid->addWidget(MakeFunctionPanel(), 0, 0);
    grid->addWidget(MakeGraphPanel(), 0, 1, 2, 1);
    grid->addWidget(MakeSliderRow(), 1, 0);
    grid->addWidget(MakePreview(), 2, 0, 1, 2);
    grid->setRowStretch(2, 1);
    // As the window's creation leaves it: no graph, nothing to use or apply, no bars.
    GraphActive = false;
    PACUseColorSliceBtn->setEnabled(false);
    PACApplyToImage->setEnabled(false);
    HideSliders();
}

void TColorContortionsPage::Guarded(const std::function<void()>& f) {
    InWindow(f, false);
}

void TColorContortionsPage::GuardedOnPicture(const std::function<void()>& f) {
    InWindow(f, true);
}

void TColorContortionsPage::InWindow(const std::function<void()>& f, bool onPicture) {
    auto* w = qobject_cast<TToolWindow*>(window());
    if (w && onPicture)
        w->GuardedOnPicture(f);
    else if (w)
        w->Guarded(f);
    else
        (onPicture ? RunGuardedOnPicture : RunGuarded)(f);
}

QPushButton* TColorContortionsPage::Button(const char* name, const QString& caption,
                                           const char* hint, const std::function<void()>& click) {
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    if (hint) button->setToolTip(hint);
    connect(button, &QPushButton::clicked, this, [this, click] { Guarded(click); });
    return button;
}

QWidget* TColorContortionsPage::MakeFunctionPanel() {
    auto* panel = new QWidget;
    auto* grid = new QGridLayout(panel);
    for (size_t k = 0; k < LUTFunctions.size(); ++k) {
        const LUTFunctionRow& row = LUTFunctions[k];
        const int32_t code = row.Code;
        FunctionButtons[k] =
            Button(row.Button, row.Caption, nullptr, [this, code] { FunctionClick(code); });
        grid->addWidget(FunctionButtons[k], static_cast<int>(k % 5), static_cast<int>(k / 5));
    }
    return panel;
}

QWidget* TColorContortionsPage::MakeSliderRow() {
    auto* panel = new QWidget;
    auto* grid = new QGridLayout(panel);
    for (int b = 0; b < 3; ++b) {
        const Bar& bar = Bars[b];
        auto* slider = new QSlider(Qt::Horizontal);
        slider->setObjectName(bar.SliderName);
        slider->setRange(-255, 255);
        slider->setTickInterval(51);
        slider->setTickPosition(QSlider::TicksBelow);
        this->*bar.Slider = slider;
        this->*bar.Caption = new QLabel(bar.Text);
        (this->*bar.Caption)->setObjectName(bar.CaptionName);
        this->*bar.Value = new QLabel("-000");
        (this->*bar.Value)->setObjectName(bar.ValueName);
        grid->addWidget(this->*bar.Caption, b, 0);
        grid->addWidget(slider, b, 1);
        grid->addWidget(this->*bar.Value, b, 2);
        connect(slider, &QSlider::valueChanged, this,
                [this, &bar] { Guarded([this, &bar] { BarChange(bar); }); });
    }
    AllTogetherCB = new QCheckBox("Move All Together");
    AllTogetherCB->setObjectName("AllTogetherCB");
    AllTogetherCB->setToolTip("All Together now|All equal the one moved");
    PositiveCurveCB = new QCheckBox("Up");
    PositiveCurveCB->setObjectName("PositiveCurveCB");
    PositiveCurveCB->setToolTip("or Negative");
    AddedCB = new QCheckBox("Added");
    AddedCB->setObjectName("AddedCB");
    ButtonCommandCB = new QCheckBox("Use Button ^");
    ButtonCommandCB->setObjectName("ButtonCommandCB");
    ButtonCommandCB->setToolTip("Adjust all Slides THEN process");
    ProcessSliderBtn =
        Button("ProcessSliderBtn", "Ready to Process ", "Adjust all Slides THEN process",
               [this] { ProcessSliderBtnClick(); });
    PAGammaHelpBtn = new QPushButton("Help");
    PAGammaHelpBtn->setObjectName("PAGammaHelpBtn");
    ConnectHelp(PAGammaHelpBtn, 8900);
    auto* checks = new QHBoxLayout;
    for (QWidget* w :
         std::initializer_list<QWidget*>{AllTogetherCB, PositiveCurveCB, AddedCB, ButtonCommandCB,
                                         ProcessSliderBtn, PAGammaHelpBtn})
        checks->addWidget(w);
    grid->addLayout(checks, 3, 0, 1, 3);

    RadioGroupColorPlane = new QGroupBox;
    RadioGroupColorPlane->setObjectName("RadioGroupColorPlane");
    new QHBoxLayout(RadioGroupColorPlane);
    ColorPlaneItems = new QButtonGroup(this);
    connect(ColorPlaneItems, &QButtonGroup::idClicked, this,
            [this] { Guarded([this] { RadioGroupColorPlaneClick(); }); });
    CheckBoxMonochrome = new QCheckBox("Mono");
    CheckBoxMonochrome->setObjectName("CheckBoxMonochrome");
    connect(CheckBoxMonochrome, &QCheckBox::clicked, this,
            [this] { Guarded([this] { CheckBoxMonochromeClick(); }); });
    auto* planes = new QHBoxLayout;
    planes->addWidget(RadioGroupColorPlane, 1);
    planes->addWidget(CheckBoxMonochrome);
    grid->addLayout(planes, 4, 0, 1, 3);
    return panel;
}

QWidget* TColorContortionsPage::MakePreview() {
    auto* panel = new QWidget;
    auto* box = new QVBoxLayout(panel);
    PACImage = new QLabel;
    PACImage->setObjectName("PACImage");
    PACScrollBox = new QScrollArea;
    PACScrollBox->setObjectName("PACScrollBox");
    PACScrollBox->setWidget(PACImage);
    PACScrollBox->setMinimumHeight(160);
    box->addWidget(PACScrollBox, 1);
    HCGauge = new QProgressBar;
    HCGauge->setObjectName("HCGauge");
    HCGauge->setRange(0, 100);
    HCGauge->setValue(0);
    PACApplyToImage = Button("PACApplyToImage", "Apply to Real Image", nullptr,
                             [this] { PACApplyToImageClick(); });
    auto* row = new QHBoxLayout;
    row->addWidget(HCGauge, 1);
    row->addWidget(PACApplyToImage);
    box->addLayout(row);
    return panel;
}

void TColorContortionsPage::FormClose() {
    CloseGraph();
}

// ---- Functions ----

void TColorContortionsPage::FunctionClick(int32_t code) {
    SlidersLive = false;
    HideSliders();
    LUTFunction = code;
    const LUTFunctionRow* row = LUTFunctionOf(code);
    if (!row || !LUTFunctionHasSliders(code)) {
        DoLUT();
        MakeHisHCImage();
        return;
    }
    for (int b = 0; b < 3; ++b) {
        const LUTSlider& s = row->Sliders[b];
        if (!s.Hint) continue;
        QSlider* bar = this->*Bars[b].Slider;
        bar->setToolTip(s.Hint);
        bar->setRange(s.Min, s.Max);
        bar->setValue(s.Start);
        bar->setPageStep((std::abs(s.Min) + s.Max) / 10);
        bar->setSingleStep(1);
        bar->setEnabled(true);
        bar->show();
        (this->*Bars[b].Caption)->setText(s.Label);
        (this->*Bars[b].Caption)->show();
        (this->*Bars[b].Value)->setText(QString::number(s.Start));
        (this->*Bars[b].Value)->show();
    }
    const std::pair<QWidget*, bool> shown[] = {{ProcessSliderBtn, true},
                                               {ButtonCommandCB, true},
                                               {AllTogetherCB, row->Has(lsTogether)},
                                               {PositiveCurveCB, row->Has(lsUp)},
                                               {AddedCB, row->Has(lsAdded)}};
    for (const auto& [w, show] : shown) {
        if (!show) continue;
        w->setEnabled(true);
        w->show();
    }
    if (row->Has(lsPlanes)) {
        RadioGroupColorPlane->setEnabled(true);
        RadioGroupColorPlane->show();
        CheckBoxMonochrome->show();
        ColorPlaneSetup();
    }
    LastRedSlider = row->LastSliders[0];
    LastGreenSlider = row->LastSliders[1];
    LastBlueSlider = row->LastSliders[2];
    HookProcessMessages();
    SlidersLive = true;
}

void TColorContortionsPage::DoLUT() {
    LUTControls c;
    c.Red = RMinTBar->value();
    c.Green = GMaxTBar->value();
    c.Blue = BlueMeanieTBar->value();
    c.Up = PositiveCurveCB->isChecked();
    c.Added = AddedCB->isChecked();
    ::DoLUT(c);
}

// ---- Track bars ----

void TColorContortionsPage::RMinTBarChange() {
    BarChange(Bars[0]);
}
void TColorContortionsPage::GMaxTBarChange() {
    BarChange(Bars[1]);
}
void TColorContortionsPage::BlueMeanieTBarChange() {
    BarChange(Bars[2]);
}

void TColorContortionsPage::BarChange(const Bar& bar) {
    const int pos = (this->*bar.Slider)->value();
    (this->*bar.Value)->setText(QString::number(pos));
    if (AllTogetherCB->isChecked()) {
        // The green and blue values follow whichever bar moved; the red one only when its own
        // handler runs, so that one rebuild follows a move.
        LastGreenSlider = LastBlueSlider = pos;
        for (const Bar& other : Bars) {
            if (&other == &bar) continue;
            (this->*other.Slider)->setValue(pos);
            (this->*other.Value)->setText(QString::number((this->*other.Slider)->value()));
        }
    }
    HookProcessMessages();
    if (SlidersLive && pos != this->*bar.Last && !ButtonCommandCB->isChecked()) {
        this->*bar.Last = pos;
        SlidersLive = false;
        DoLUT();
        MakeHisHCImage();
    }
}

void TColorContortionsPage::SetBarQuietly(QSlider* bar, int value) {
    const bool live = SlidersLive;
    SlidersLive = false;
    bar->setValue(value);
    SlidersLive = live;
}

void TColorContortionsPage::ProcessSliderBtnClick() {
    if (!SlidersLive) return;
    SlidersLive = false;
    DoLUT();
    MakeHisHCImage();
}

void TColorContortionsPage::HideSliders() {
    for (const Bar& bar : Bars) {
        for (QWidget* w :
             {static_cast<QWidget*>(this->*bar.Slider), static_cast<QWidget*>(this->*bar.Caption),
              static_cast<QWidget*>(this->*bar.Value)})
            w->hide();
        (this->*bar.Slider)->setEnabled(false);
    }
    for (QCheckBox* box : {AllTogetherCB, ButtonCommandCB}) {
        box->setChecked(false);
        box->setEnabled(false);
        box->hide();
    }
    ProcessSliderBtn->setEnabled(false);
    ProcessSliderBtn->hide();
    PositiveCurveCB->setChecked(true);
    PositiveCurveCB->setEnabled(false);
    PositiveCurveCB->hide();
    AddedCB->setEnabled(false);
    AddedCB->hide();
    RadioGroupColorPlane->setEnabled(false);
    RadioGroupColorPlane->hide();
    CheckBoxMonochrome->setEnabled(false);
    CheckBoxMonochrome->hide();
    CheckBoxMonochrome->setChecked(false);
    PlaneInColor = true;
    HookProcessMessages();
}

// ---- Planes ----

void TColorContortionsPage::ColorPlaneSetup() {
    for (QAbstractButton* b : ColorPlaneItems->buttons()) {
        ColorPlaneItems->removeButton(b);
        delete b;
    }
    const int32_t set = LUTFunction - lfRGB;
    if (set < 0 || set > 3) return;
    for (int i = 0; i < 4 && PlaneItems[set][i]; ++i) {
        auto* item = new QRadioButton(PlaneItems[set][i], RadioGroupColorPlane);
        RadioGroupColorPlane->layout()->addWidget(item);
        ColorPlaneItems->addButton(item, i);
    }
    ColorPlaneItems->button(0)->setChecked(true);
    RadioGroupColorPlaneClick();
}

void TColorContortionsPage::RadioGroupColorPlaneClick() {
    static constexpr int32_t FirstPlane[4] = {0, 4, 7, 10};
    const int32_t set = LUTFunction - lfRGB;
    const int item = ColorPlaneItems->checkedId();
    ColorPlane = set >= 0 && set <= 3 && item >= 0 ? FirstPlane[set] + item : NoColorPlane;
    // "Mono" means something for the RGB planes and the two hue planes only. It is enabled with
    // its showing: shown but disabled, the grey planes could never be chosen.
    const bool mono = ColorPlane <= 4 || ColorPlane == 7;
    CheckBoxMonochrome->setVisible(mono);
    CheckBoxMonochrome->setEnabled(mono);
    for (const Bar& bar : Bars)
        SetBarQuietly(this->*bar.Slider, 0);
    LastRedSlider = LastGreenSlider = LastBlueSlider = 0;
    HookProcessMessages();
    if (SlidersLive && !ButtonCommandCB->isChecked()) {
        SlidersLive = false;
        DoLUT();
        MakeHisHCImage();
    }
}

void TColorContortionsPage::CheckBoxMonochromeClick() {
    PlaneInColor = !CheckBoxMonochrome->isChecked();
}

// ---- Preview and apply ----

void TColorContortionsPage::MakeHisHCImage() {
    OperationScope scope;
    if (!scope.Acquired()) return;
    HCGauge->setValue(0);
    const LUTMapping m =
        CurrentLUTMapping(RMinTBar->value(), GMaxTBar->value(), BlueMeanieTBar->value());
    Picture preview;
    if (!MakeLUTPreview(m, preview, GaugeProgress, HCGauge)) return;
    const QImage shown(reinterpret_cast<const uchar*>(preview.Pixels.data()), preview.Width,
                       preview.Height, preview.Width * 4, QImage::Format_RGB32);
    // The pixmap may share the image's memory, which is the preview's until it goes.
    PACImage->setPixmap(QPixmap::fromImage(shown.copy()));
    PACImage->adjustSize();
    HCGauge->setValue(0);
    PACApplyToImage->setEnabled(true);
    PreviewSerial = ShownPictureSerial();
    SlidersLive = true;
}

void TColorContortionsPage::SetHisHCImage() {
    OperationScope scope;
    if (!scope.Acquired()) return;
    // Tables made from another picture's statistics are not this one's.
    if (PreviewSerial != ShownPictureSerial()) {
        PictureReplaced();
        return;
    }
    RunEnd end{HCGauge, PACApplyToImage};
    HCGauge->setValue(0);
    ApplyLUTImage(CurrentLUTMapping(RMinTBar->value(), GMaxTBar->value(), BlueMeanieTBar->value()),
                  GaugeProgress, HCGauge);
}

void TColorContortionsPage::PACApplyToImageClick() {
    SetHisHCImage();
}

void TColorContortionsPage::PictureReplaced() {
    if (PreviewSerial == ShownPictureSerial()) return;
    PreviewSerial = ShownPictureSerial();
    SlidersLive = false;
    PACImage->clear();
    PACApplyToImage->setEnabled(false);
}
