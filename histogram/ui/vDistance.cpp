#include "histogram/ui/vDistance.h"

#include "histogram/vUILinear.h"
#include "runtime/RtNumbers.h"
#include "shell/ui/vScreenPlace.h"
#include "shell/vGlobal.h"
#include "shell/vToolForms.h"
#include "shell/vToolModes.h"

#include <QGridLayout>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <climits>

int32_t MeasuredKnownDistance = 0;

namespace {

QString Latin1(const std::string& s) {
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

std::string TextOf(const QLineEdit* edit) {
    return edit->text().toLatin1().toStdString();
}

// The integer parser of the edits: the value of the leading digits, 0 when there are none.
int32_t LeadingInteger(const std::string& text, int& code) {
    const int64_t v = ValInt(text, code);
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

} // namespace

TDistanceForm::TDistanceForm(QWidget* parent)
    : TToolWindow("Distance", "DistanceForm", fpDistance, tfNone, parent) {
    auto* label1 = new QLabel("Actual Distance of the line in Feet", this);
    label1->setObjectName("Label1");
    DistanceEdit = new QLineEdit("0", this);
    DistanceEdit->setObjectName("DistanceEdit");
    DistanceEdit->setToolTip("began as # of Pixels");
    auto* label2 = new QLabel("Actual Distance of the Target object in feet", this);
    label2->setObjectName("Label2");
    DOEdit = new QLineEdit("200", this);
    DOEdit->setObjectName("DOEdit");
    DOEdit->setToolTip("Repeating landform");
    CancelBtn = new QPushButton("Cancel", this);
    CancelBtn->setObjectName("CancelBtn");
    OkBtn = new QPushButton("Ok", this);
    OkBtn->setObjectName("OkBtn");
    OkBtn->setDefault(true);
    auto* layout = new QGridLayout(this);
    layout->addWidget(label1, 0, 0, 1, 2);
    layout->addWidget(DistanceEdit, 1, 0, 1, 2);
    layout->addWidget(label2, 2, 0, 1, 2);
    layout->addWidget(DOEdit, 3, 0, 1, 2);
    layout->addWidget(CancelBtn, 4, 0);
    layout->addWidget(OkBtn, 4, 1);
    connect(OkBtn, &QPushButton::clicked, this, [this] { Guarded([this] { OkBtnClick(); }); });
    connect(CancelBtn, &QPushButton::clicked, this,
            [this] { Guarded([this] { CancelBtnClick(); }); });
}

void TDistanceForm::FormOpen() {
    MeasuredKnownDistance = MeasuredPixelDistance;
    DistanceEdit->setText(Latin1(IntToStr(MeasuredKnownDistance)));
}

std::string TDistanceForm::GetDistanceText() const {
    const std::string text = TextOf(DistanceEdit);
    return text.empty() ? "-1" : text;
}

void TDistanceForm::CancelBtnClick() {
    close();
}

void TDistanceForm::OkBtnClick() {
    FormPositions[fpDistance] = StoredPlace(*this);
    SaveOptions();
    int code = 0;
    LeadingInteger(TextOf(DOEdit), code);
    if (code != 0) {
        ShowFileDataError(TextOf(DOEdit), code);
        return;
    }
    const std::string distance = GetDistanceText();
    const int32_t known = LeadingInteger(distance, code);
    if (code != 0) {
        ShowFileDataError(distance, code);
        return;
    }
    // A missing distance, a drag of no length or a known distance shorter than the drag gives
    // no scale to divide by: the dialog stays open.
    if (known == -1 || !MeasuredDistancesUsable(known, MeasuredPixelDistance)) {
        ShowMessageNumber(18);
        return;
    }
    accept();
}

void MeasuredFromDialog() {
    TDistanceForm dialog;
    if (dialog.exec() != QDialog::Accepted) return;
    int code = 0;
    MeasuredKnownDistance = LeadingInteger(TextOf(dialog.DistanceEdit), code);
    const int32_t target = LeadingInteger(TextOf(dialog.DOEdit), code);
    if (!RanOnThePicture(
            [&] { Do_Measured_Do(MeasuredKnownDistance, MeasuredPixelDistance, target); }))
        return;
    RecordCommand("=0159  Do_Measured_Do", {IntToStr(MeasuredKnownDistance),
                                            IntToStr(MeasuredPixelDistance), IntToStr(target)});
}
