#include "shell/ui/vRotate.h"

#include "runtime/RtNumbers.h"
#include "shell/imaging/vPictureGeometry.h"
#include "shell/ui/vHelp.h"
#include "shell/ui/vREIV.h"
#include "shell/ui/vVorn.h"
#include "shell/vGlobal.h"
#include "shell/vToolForms.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include <chrono>

namespace {

constexpr int HelpTopic = 5555;

QSpinBox* MakeSpin(QWidget* parent, const char* name, int maximum, int value, int step = 1) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(0, maximum);
    spin->setSingleStep(step);
    spin->setValue(value);
    return spin;
}

} // namespace

TRotateForm::TRotateForm(Picture& picture, QWidget* parent)
    : TToolWindow("Rotate", "RotateForm", fpRotate, tfNone, parent), Source(picture) {
    SpinEditI = MakeSpin(this, "SpinEditI", 360, 0);
    SpinEditJ = MakeSpin(this, "SpinEditJ", 360, 0);
    SpinEditThetaDegrees = MakeSpin(this, "SpinEditThetaDegrees", 360, 45);
    SpinEditThetaDegreesHundredths = MakeSpin(this, "SpinEditThetaDegreesHundredths", 99, 0, 5);
    ImageRotated = new QLabel(this);
    ImageRotated->setObjectName("ImageRotated");
    ImageRotated->setMinimumSize(320, 240);
    ImageRotated->setAlignment(Qt::AlignCenter);
    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setObjectName("SpeedButton1");
    SpeedButton1->setText("Rotate");
    SpeedButton1->setToolTip("Rotate");
    ButtonSaveRotated = new QPushButton("Keep", this);
    ButtonSaveRotated->setObjectName("ButtonSaveRotated");
    HelpButton = new QPushButton("Help", this);
    HelpButton->setObjectName("HelpButton");

    auto* controls = new QFormLayout;
    controls->addRow("Centre column", SpinEditI);
    controls->addRow("Centre row", SpinEditJ);
    auto* angle = new QHBoxLayout;
    angle->addWidget(SpinEditThetaDegrees);
    angle->addWidget(new QLabel(".", this));
    angle->addWidget(SpinEditThetaDegreesHundredths);
    controls->addRow("Angle degrees clockwise", angle);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(SpeedButton1);
    buttons->addWidget(ButtonSaveRotated);
    buttons->addStretch();
    buttons->addWidget(HelpButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(ImageRotated, 1);
    layout->addLayout(buttons);
    resize(560, 520);

    for (QSpinBox* spin :
         {SpinEditI, SpinEditJ, SpinEditThetaDegrees, SpinEditThetaDegreesHundredths})
        connect(spin, &QSpinBox::valueChanged, this, [this] {
            if (!Busy) Guarded([this] { DoRotateTimed(); });
        });
    connect(SpeedButton1, &QToolButton::clicked, this,
            [this] { Guarded([this] { DoRotateTimed(); }); });
    connect(ButtonSaveRotated, &QPushButton::clicked, this,
            [this] { Guarded([this] { ButtonSaveRotatedClick(); }); });
    ConnectHelp(HelpButton, HelpTopic);
}

void TRotateForm::FormOpen() {
    Busy = true;
    // The controls keep the centre within their range.
    SpinEditI->setValue(Source.Width / 2);
    SpinEditJ->setValue(Source.Height / 2);
    Busy = false;
    DoRotateTimed();
}

void TRotateForm::closeEvent(QCloseEvent* event) {
    if (Busy) {
        event->ignore();
        return;
    }
    TToolWindow::closeEvent(event);
}

void TRotateForm::resizeEvent(QResizeEvent* event) {
    TToolWindow::resizeEvent(event);
    ShowRotated();
}

void TRotateForm::DoRotateTimed() {
    const double theta =
        RotationTheta(SpinEditThetaDegrees->value(), SpinEditThetaDegreesHundredths->value());
    const auto start = std::chrono::steady_clock::now();
    Rotated = RotatePicture(Source, SpinEditI->value(), SpinEditJ->value(), theta);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();
    setWindowTitle(QString::fromStdString("Rotation Time = " + IntToStr(ms) + " ms"));
    ShowRotated();
    if (KeepRotated) {
        Source = Rotated;
        KeepRotated = false;
        emit Kept();
    }
}

void TRotateForm::ButtonSaveRotatedClick() {
    KeepRotated = true;
    DoRotateTimed();
}

void TRotateForm::ShowRotated() {
    if (Rotated.Empty()) return;
    ImageRotated->setPixmap(
        QPixmap::fromImage(WrapPicture(Rotated))
            .scaled(ImageRotated->size(), Qt::KeepAspectRatio, Qt::FastTransformation));
}
