#include "shell/ui/vMagniForm.h"

#include "shell/ui/vHelp.h"
#include "shell/ui/vImageView.h"
#include "shell/ui/vVorn.h"
#include "shell/vGlobal.h"
#include "shell/vToolForms.h"
#include "shell/vToolModes.h"
#include "shell/vViewingAids.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

QPointer<TMagniForm> MagniForm;

TMagniForm::TMagniForm(QWidget* parent)
    : TToolWindow("Magnifico", "MagniForm", fpMagni, tfNone, parent) {
    setWindowFlag(Qt::WindowStaysOnTopHint);
    Image1 = new QLabel(this);
    Image1->setObjectName("Image1");
    Image1->setFixedSize(MagnifierViewSide, MagnifierViewSide);
    SpinEditMagnification = new QSpinBox(this);
    SpinEditMagnification->setObjectName("SpinEditMagnification");
    SpinEditMagnification->setRange(2, 10);
    SpinEditMagnification->setValue(2);
    ShowXCB = new QCheckBox(this);
    ShowXCB->setObjectName("ShowXCB");
    ShowXCB->setToolTip("Show X");
    ShowXCB->setChecked(true);
    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setObjectName("SpeedButton1");
    SpeedButton1->setText("?");
    ExitButton = new QPushButton("Exit", this);
    ExitButton->setObjectName("ExitButton");

    auto* controls = new QHBoxLayout;
    controls->addWidget(new QLabel("Mag", this));
    controls->addWidget(SpinEditMagnification);
    controls->addWidget(ShowXCB);
    controls->addWidget(SpeedButton1);
    controls->addWidget(ExitButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Image1);
    layout->addLayout(controls);

    MagnifiedView.Resize(MagnifierViewSide, MagnifierViewSide);
    MagnifierHalfSize = MagnifierHalfSizeFor(SpinEditMagnification->value());
    connect(SpinEditMagnification, &QSpinBox::valueChanged, this,
            [this] { Guarded([this] { SpinEditMagnificationChange(); }); });
    connect(ShowXCB, &QCheckBox::toggled, this,
            [this] { Guarded([this] { ShowMagnifier(LastX, LastY); }); });
    ConnectHelp(SpeedButton1, 5000);
    connect(ExitButton, &QPushButton::clicked, this, &QWidget::close);
}

void TMagniForm::SpinEditMagnificationChange() {
    MagnifierHalfSize = MagnifierHalfSizeFor(SpinEditMagnification->value());
}

void TMagniForm::ShowMagnifier(int x, int y) {
    LastX = x;
    LastY = y;
    MagnifyInto(DisplayedPicture, x, y, MagnifierHalfSize, ShowXCB->isChecked(), MagnifiedView);
    Image1->setPixmap(QPixmap::fromImage(WrapPicture(MagnifiedView)));
}
