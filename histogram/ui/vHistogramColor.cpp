// The "H Color" page: a copy of the displayed picture cut into one colour plane, shown as a
// picture and as a histogram, with the colour under the mouse in every colour space.
//
// The "Monochrome" box means what it says: checked, the RGB planes and the hues are shown in
// grey. The plane routine's flag asks for colour, so the box is passed to it negated.
#include "histogram/ui/vHistogram.h"

#include "histogram/ui/vHistogramControls.h"
#include "histogram/ui/vUHistogramDraw.h"
#include "histogram/ui/vUScreenPrint.h"
#include "histogram/vColorPlanePage.h"
#include "histogram/vUHistogramLibrary.h"
#include "shell/vGlobal.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

using namespace histogram_ui;

namespace {

constexpr int HelpTopic = 6050;
constexpr int HistogramWidth = 256;
constexpr int HistogramHeight = 192;
constexpr uint32_t SilverPixel = 0xFFC0C0C0u;

QString Latin1(const std::string& s) {
    return QString::fromLatin1(s.c_str());
}

// The framed box that holds a radio group's buttons.
void EnableGroup(QButtonGroup* group, bool enabled) {
    static_cast<QWidget*>(group->parent())->setEnabled(enabled);
}

} // namespace

void THistogramForm::BuildColorPage(QWidget* page) {
    auto* grid = new QGridLayout(page);
    ImageBig = MakePlotView(page, "ImageBig", 320, 240);
    ImageHistogram = MakePlotView(page, "ImageHistogram", HistogramWidth, HistogramHeight);
    grid->addWidget(ImageBig, 0, 0, 4, 1);
    grid->addWidget(ImageHistogram, 0, 1, 4, 1);

    auto* side = new QGridLayout;
    Button14 = MakeButton(page, "Button14", "Activate");
    ButtonSave = MakeButton(page, "ButtonSave", "Save as..");
    ButtonPrint = MakeButton(page, "ButtonPrint", "Print");
    side->addWidget(Button14, 0, 0);
    side->addWidget(ButtonSave, 1, 0);
    side->addWidget(ButtonPrint, 2, 0);
    side->addWidget(MakeHelpButton(page, "HColorHelp", HelpTopic), 3, 0);
    RadioGroupColorSpace = MakeRadioGroup(page, "RadioGroupColorSpace", "Color Space",
                                          {"RGB", "HSV", "HLS", "CMYK"}, side, 0, 1);
    RadioGroupColorPlane = MakeRadioGroup(page, "RadioGroupColorPlane", "Color Plane",
                                          {"RGB Composite", "Red", "Green", "Blue"}, side, 1, 1);
    for (int i = 0; i < 4; ++i)
        ColorPlaneButtons[static_cast<size_t>(i)] =
            static_cast<QRadioButton*>(RadioGroupColorPlane->button(i));
    CheckBoxMonochrome = new QCheckBox("Monochrome", page);
    CheckBoxMonochrome->setObjectName("CheckBoxMonochrome");
    CheckBoxInvert = new QCheckBox("Invert", page);
    CheckBoxInvert->setObjectName("CheckBoxInvert");
    CheckBoxStretch = new QCheckBox("Stretch", page);
    CheckBoxStretch->setObjectName("CheckBoxStretch");
    side->addWidget(CheckBoxMonochrome, 2, 1);
    side->addWidget(CheckBoxInvert, 3, 1);
    side->addWidget(CheckBoxStretch, 4, 1);
    grid->addLayout(side, 0, 2, 4, 1);

    auto* labels = new QGridLayout;
    QLabel** all[] = {&LabelAttributes, &LabelUniqueColors, &LabelColorPlane, &LabelLocation,
                      &LabelRGB,        &LabelHSV,          &LabelHLS,        &LabelCMYK,
                      &LabelIntensity,  &LabelLightness,    &LabelYIQ};
    const char* names[] = {"LabelAttributes", "LabelUniqueColors", "LabelColorPlane",
                           "LabelLocation",   "LabelRGB",          "LabelHSV",
                           "LabelHLS",        "LabelCMYK",         "LabelIntensity",
                           "LabelLightness",  "LabelYIQ"};
    for (size_t i = 0; i < std::size(all); ++i) {
        *all[i] = new QLabel(page);
        (*all[i])->setObjectName(names[i]);
        labels->addWidget(*all[i], static_cast<int>(i % 6), static_cast<int>(i / 6));
    }
    grid->addLayout(labels, 4, 0, 1, 3);

    EnableColorPageCommands(false);

    auto on = [this](QPushButton* b, void (THistogramForm::*handler)()) {
        connect(b, &QPushButton::clicked, this,
                [this, handler] { Guarded([&] { (this->*handler)(); }); });
    };
    on(Button14, &THistogramForm::Button14Click);
    on(ButtonSave, &THistogramForm::ButtonSaveClick);
    on(ButtonPrint, &THistogramForm::ButtonPrintClick);
    connect(RadioGroupColorSpace, &QButtonGroup::idClicked, this,
            [this] { Guarded([this] { RadioGroupColorSpaceClick(); }); });
    connect(RadioGroupColorPlane, &QButtonGroup::idClicked, this,
            [this] { Guarded([this] { RadioGroupColorPlaneClick(); }); });
    for (QCheckBox* box : {CheckBoxInvert, CheckBoxMonochrome})
        connect(box, &QCheckBox::clicked, this,
                [this] { Guarded([this] { CheckBoxInvertClick(); }); });
    connect(CheckBoxStretch, &QCheckBox::clicked, this,
            [this] { Guarded([this] { CheckBoxStretchClick(); }); });
    new MouseWatcher(ImageBig, [this](int type, QPoint at) {
        Guarded([&] {
            if (type == QEvent::Leave)
                FormMouseMove();
            else
                ImageBigMouseMove(at.x(), at.y());
        });
    });
}

void THistogramForm::EnableColorPageCommands(bool enabled) {
    EnableGroup(RadioGroupColorSpace, enabled);
    EnableGroup(RadioGroupColorPlane, enabled);
    ButtonSave->setEnabled(enabled);
    ButtonPrint->setEnabled(enabled);
}

void THistogramForm::Button14Click() {
    ColorSourceBitmap = DisplayedPicture;
    ColorSourceBitmap.FormatBits = 24;
    LabelAttributes->setText(Latin1(GetBitmapDimensionsString(ColorSourceBitmap)));
    ImageHistogram->show();
    ImageHistogram->clear();
    SetItemIndex(RadioGroupColorSpace, SpaceRGB);
    EnableGroup(RadioGroupColorSpace, true);
    EnableGroup(RadioGroupColorPlane, true);
    ButtonPrint->setEnabled(true);
    RadioGroupColorSpaceClick();
    LabelUniqueColors->setText("Unique Colors = " +
                               QString::number(CountUniqueColors(ColorSourceBitmap)));
}

void THistogramForm::RadioGroupColorSpaceClick() {
    const std::vector<const char*>& items = ColorPlaneItems(ItemIndex(RadioGroupColorSpace));
    for (size_t i = 0; i < ColorPlaneButtons.size(); ++i) {
        QRadioButton* b = ColorPlaneButtons[i];
        b->setVisible(i < items.size());
        if (i < items.size()) b->setText(QString::fromLatin1(items[i]));
    }
    SetItemIndex(RadioGroupColorPlane, 0);
    // The plane ticked is the plane shown: otherwise the previous space's plane stays on screen
    // and "Save as.." saves it under the new space's first plane.
    ColorPlaneIndex = ColorPlaneIndexOf(ItemIndex(RadioGroupColorSpace), 0);
    ShowColorPlane(ColorPlaneIndex);
}

void THistogramForm::RadioGroupColorPlaneClick() {
    ColorHistogramPicture.Resize(HistogramWidth, HistogramHeight);
    std::fill(ColorHistogramPicture.Pixels.begin(), ColorHistogramPicture.Pixels.end(),
              SilverPixel);
    ShowPicture(ImageHistogram, ColorHistogramPicture);
    ColorPlaneIndex =
        ColorPlaneIndexOf(ItemIndex(RadioGroupColorSpace), ItemIndex(RadioGroupColorPlane));
    ShowColorPlane(ColorPlaneIndex);
    ButtonSave->setEnabled(true);
}

void THistogramForm::ShowColorPlane(int PlaneIndex) {
    HookBusyCursor(true);
    CheckBoxMonochrome->setHidden(!MonochromeBoxApplies(PlaneIndex));
    LabelColorPlane->setText(Latin1(GetColorPlaneName(PlaneIndex)));
    THistogram histogram;
    GetHistogram(ColorSourceBitmap, PlaneIndex, histogram);
    ColorHistogramPicture.Resize(HistogramWidth, HistogramHeight);
    std::fill(ColorHistogramPicture.Pixels.begin(), ColorHistogramPicture.Pixels.end(),
              SilverPixel);
    DrawHistogram(PlaneIndex, histogram, ColorHistogramPicture);
    ShowPicture(ImageHistogram, ColorHistogramPicture);
    const bool monochrome = !CheckBoxMonochrome->isHidden() && CheckBoxMonochrome->isChecked();
    ColorPlaneBitmap =
        GetImageSpace(PlaneIndex, !monochrome, CheckBoxInvert->isChecked(), ColorSourceBitmap);
    ImageBig->setScaledContents(CheckBoxStretch->isChecked());
    ShowPicture(ImageBig, ColorPlaneBitmap);
    HookBusyCursor(false);
}

void THistogramForm::CheckBoxInvertClick() {
    ShowColorPlane(ColorPlaneIndex);
}

void THistogramForm::CheckBoxStretchClick() {
    ImageBig->setScaledContents(CheckBoxStretch->isChecked());
    ShowPicture(ImageBig, ColorPlaneBitmap);
}

void THistogramForm::ButtonSaveClick() {
    FileDialogRequest request;
    request.Save = true;
    request.Filter = "bmp|*.bmp|png|*.png";
    request.DefaultExt = "BMP";
    request.OpenIn(ImageDirectory);
    const std::string chosen = HookChooseFile(request);
    if (chosen.empty()) return;
    SavePictureByExtension(ColorPlaneBitmap, chosen, TReplaceLeave::Chosen(chosen));
}

void THistogramForm::ButtonPrintClick() {
    // The print window gets copies: this window blanks its own pictures when it loses the
    // focus to the print window.
    PrintSource source{windowTitle(), LabelAttributes->text(), LabelColorPlane->text(),
                       ColorPlaneBitmap, ColorSourceBitmap};
    TFormPrint print(std::move(source), this);
    print.exec();
}

void THistogramForm::ImageBigMouseMove(int x, int y) {
    const Picture& source = ColorSourceBitmap;
    if (source.Empty()) return;
    if (CheckBoxStretch->isChecked() && ImageBig->width() > 0 && ImageBig->height() > 0) {
        x = static_cast<int>(int64_t{x} * source.Width / ImageBig->width());
        y = static_cast<int>(int64_t{y} * source.Height / ImageBig->height());
    }
    if (x < 0 || y < 0 || x >= source.Width || y >= source.Height) return;
    const ColorReadouts r = ReadoutsOf(x, y, PixelToRGBTriple(source.At(x, y)));
    const std::pair<QLabel*, const std::string*> shown[] = {{LabelLocation, &r.Location},
                                                            {LabelRGB, &r.RGB},
                                                            {LabelHSV, &r.HSV},
                                                            {LabelHLS, &r.HLS},
                                                            {LabelCMYK, &r.CMYK},
                                                            {LabelIntensity, &r.Intensity},
                                                            {LabelLightness, &r.Lightness},
                                                            {LabelYIQ, &r.YIQ}};
    for (const auto& [label, text] : shown)
        label->setText(Latin1(*text));
}

void THistogramForm::FormMouseMove() {
    for (QLabel* l : {LabelLocation, LabelRGB, LabelHSV, LabelHLS, LabelCMYK, LabelIntensity,
                      LabelLightness, LabelYIQ})
        l->clear();
}
