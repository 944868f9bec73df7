#include "shell/ui/vResize.h"

#include "runtime/RtErrors.h"
#include "runtime/RtNumbers.h"
#include "shell/vGlobal.h"
#include "shell/vToolForms.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

int ReadSide(const QLineEdit* edit) {
    const std::string text = edit->text().toLatin1().toStdString();
    const int64_t v = StrToInt(text);
    // No picture has a side of nothing: a zero would divide by zero and a negative size would
    // make no picture at all.
    if (v < 1 || v > 0x7FFF)
        throw EConvertError("'" + text + "' is not a valid size: a side is 1 to 32767 pixels");
    return static_cast<int>(v);
}

} // namespace

TResizeForm::TResizeForm(PictureSize current, QWidget* parent)
    : TToolWindow("Resize Dimensions", "ResizeForm", fpResize, tfNone, parent) {
    Height = new QLineEdit(QString::number(current.Height), this);
    Height->setObjectName("Height");
    Width = new QLineEdit(QString::number(current.Width), this);
    Width->setObjectName("Width");
    OKButton = new QPushButton("OK", this);
    OKButton->setObjectName("OKButton");
    OKButton->setDefault(true);
    CancelButton = new QPushButton("Cancel", this);
    CancelButton->setObjectName("CancelButton");
    auto* form = new QFormLayout;
    form->addRow("Height", Height);
    form->addRow("Width", Width);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(
        new QLabel("Smaller Dimension will be adjusted to retain Aspect Ratio", this));
    layout->addLayout(buttons);
    connect(OKButton, &QPushButton::clicked, this,
            [this] { Guarded([this] { OKButtonClick(); }); });
    connect(CancelButton, &QPushButton::clicked, this, [this] {
        setResult(QDialog::Rejected);
        close();
    });
}

void TResizeForm::OKButtonClick() {
    Chosen = {ReadSide(Width), ReadSide(Height)};
    setResult(QDialog::Accepted);
    close();
}
