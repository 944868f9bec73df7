#include "shell/ui/vXAnnoLO.h"

#include "shell/ui/vHelp.h"
#include "shell/ui/vMarkControls.h"
#include "shell/ui/vVorn.h"
#include "shell/vGlobal.h"
#include "shell/vToolForms.h"
#include "shell/vToolModes.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QPainter>
#include <QPushButton>

QPointer<TLabelObjectsForm> LabelObjectsForm;

namespace {
const char* const LabelOpenFilter = "Raster Attribute File (*.raf)|*.raf";
const char* const LabelSaveFilter = "Raster Object File (*.raf)|*.raf";

} // namespace

LabelLook CurrentLabelLook() {
    return LabelObjectsForm ? LabelObjectsForm->Look() : DefaultLabelLook();
}

TLabelObjectsForm::TLabelObjectsForm(QWidget* parent)
    : TToolWindow("Label Objects: Text Annotation", "LabelObjectsForm", fpLabelObjects,
                  tfLabelObjects, parent) {
    BuildControls();
    LabelPlaceArmed = false;
    TextLabels.Restart();
    GetData(0);
}

void TLabelObjectsForm::BuildControls() {
    auto* grid = new QGridLayout(this);
    LOTEdit = Named(new QLineEdit("LOTA Text", this), "LOTEdit");
    LOTEdit->setFont(DefaultLabelLook().Font);
    SetTextColor(ValueFromColor(DefaultLabelLook().TextColor));
    SetBackColor(0xFFFFFF);
    grid->addWidget(LOTEdit, 0, 0, 1, 4);

    ColorGrid1 = new TColorGrid("ColorGrid1", this);
    grid->addWidget(ColorGrid1, 1, 0, 4, 1);
    LOFontBtn = Named(new QPushButton("Font", this), "LOFontBtn");
    grid->addWidget(LOFontBtn, 1, 1);

    LOXEdit = Named(new QLineEdit("7", this), "LOXEdit");
    LOYEdit = Named(new QLineEdit("11", this), "LOYEdit");
    grid->addWidget(new QLabel("X", this), 2, 1);
    grid->addWidget(LOXEdit, 2, 2);
    grid->addWidget(new QLabel("Y", this), 3, 1);
    grid->addWidget(LOYEdit, 3, 2);
    MousedLocationCB = Named(new QCheckBox("Moused Location or...", this), "MousedLocationCB");
    MousedLocationCB->setChecked(true);
    grid->addWidget(MousedLocationCB, 4, 1, 1, 3);

    LORAEdit = Named(new QLineEdit("0", this), "LORAEdit");
    UpDown2 = Named(new QSpinBox(this), "UpDown2");
    UpDown2->setRange(0, 359);
    Label2 = Named(new QLabel("0", this), "Label2");
    RotatedCB = Named(new QCheckBox("Rotated", this), "RotatedCB");
    grid->addWidget(LORAEdit, 5, 0);
    grid->addWidget(UpDown2, 5, 1);
    grid->addWidget(Label2, 5, 2);
    grid->addWidget(RotatedCB, 5, 3);
    TransparentTextCB =
        Named(new QCheckBox("Transparent Background behind Text", this), "TransparentTextCB");
    grid->addWidget(TransparentTextCB, 6, 0, 1, 4);

    UpDown1 = Named(new QSpinBox(this), "UpDown1");
    UpDown1->setRange(0, 99);
    CurrentListEdit = Named(new QLineEdit("0", this), "CurrentListEdit");
    CurrentListEdit->setReadOnly(true);
    grid->addWidget(CurrentListEdit, 7, 0);
    grid->addWidget(UpDown1, 7, 1);

    Add1ListBtn = Named(new QPushButton("Add", this), "Add1ListBtn");
    Delete1ListBtn = Named(new QPushButton("Delete", this), "Delete1ListBtn");
    PlaceBtn = Named(new QPushButton("This", this), "PlaceBtn");
    OverlayListBtn = Named(new QPushButton("All", this), "OverlayListBtn");
    MakeBtn = Named(new QPushButton("Enable Undo", this), "MakeBtn");
    ClearAllBtn = Named(new QPushButton("Undo", this), "ClearAllBtn");
    LoadListBtn = Named(new QPushButton("Load", this), "LoadListBtn");
    SaveListBtn = Named(new QPushButton("Save", this), "SaveListBtn");
    HelpBtn = Named(new QPushButton("Help", this), "HelpBtn");
    CloseBtn = Named(new QPushButton("Close", this), "CloseBtn");
    const std::pair<QPushButton*, void (TLabelObjectsForm::*)()> buttons[] = {
        {LOFontBtn, &TLabelObjectsForm::LOFontBtnClick},
        {Add1ListBtn, &TLabelObjectsForm::Add1ListBtnClick},
        {Delete1ListBtn, &TLabelObjectsForm::Delete1ListBtnClick},
        {PlaceBtn, &TLabelObjectsForm::PlaceBtnClick},
        {OverlayListBtn, &TLabelObjectsForm::OverlayListBtnClick},
        {MakeBtn, &TLabelObjectsForm::MakeBtnClick},
        {ClearAllBtn, &TLabelObjectsForm::ClearAllBtnClick},
        {LoadListBtn, &TLabelObjectsForm::LoadListBtnClick},
        {SaveListBtn, &TLabelObjectsForm::SaveListBtnClick},
    };
    int index = 0;
    for (const auto& [button, handler] : buttons) {
        if (button != LOFontBtn) {
            grid->addWidget(button, 8 + index / 4, index % 4);
            ++index;
        }
        connect(button, &QPushButton::clicked, this,
                [this, handler = handler] { Guarded([&] { (this->*handler)(); }); });
    }
    grid->addWidget(HelpBtn, 8 + index / 4, index % 4);
    ++index;
    ConnectHelp(HelpBtn, [this] { HelpBtnClick(); });
    grid->addWidget(CloseBtn, 8 + index / 4, index % 4);
    connect(CloseBtn, &QPushButton::clicked, this, &QWidget::close);

    connect(ColorGrid1, &TColorGrid::CellClicked, this,
            [this](int i, Qt::MouseButton b) { Guarded([&] { ColorGrid1Click(i, b); }); });
    connect(UpDown2, &QSpinBox::valueChanged, this,
            [this](int) { Guarded([&] { SelectRotation(); }); });
    // The arrows step from the angle the edit shows, also one typed into it.
    connect(LORAEdit, &QLineEdit::textEdited, this, [this](const QString& text) {
        bool isNumber = false;
        const int angle = text.toInt(&isNumber);
        if (isNumber) ShowArrowsAt(angle);
    });
    connect(UpDown1, &QSpinBox::valueChanged, this, [this](int position) {
        bool moved = false;
        Guarded([&] { moved = UpDown1Changing(position); });
        if (!moved) SetListPosition(TextLabels.Current);
    });
}

LabelLook TLabelObjectsForm::Look() const {
    return {LOTEdit->font(), ColorFromValue(TextColor)};
}

void TLabelObjectsForm::SetTextColor(uint32_t color) {
    TextColor = color;
    QPalette palette = LOTEdit->palette();
    palette.setColor(QPalette::Text, ColorFromValue(color));
    LOTEdit->setPalette(palette);
}

void TLabelObjectsForm::SetBackColor(uint32_t color) {
    BackColor = color;
    QPalette palette = LOTEdit->palette();
    palette.setColor(QPalette::Base, ColorFromValue(color));
    LOTEdit->setPalette(palette);
}

void TLabelObjectsForm::ShowData(int32_t index) {
    const TextLabelRecord& r = TextLabels.At(index);
    LOTEdit->setText(QString::fromLatin1(r.Text.data(), static_cast<qsizetype>(r.Text.size())));
    SetEditInteger(LORAEdit, r.Angle);
    ShowArrowsAt(r.Angle);
    SetEditInteger(LOXEdit, r.X);
    SetEditInteger(LOYEdit, r.Y);
    RotatedCB->setChecked(r.Rotated);
    TransparentTextCB->setChecked(r.Transparent);
    SetBackColor(r.BackColor);
    ColorGrid1->SetBackgroundIndex(GetColorGridIndex(r.BackColor));
    ColorGrid1->SetForegroundIndex(GetColorGridIndex(TextColor));
    CurrentListEdit->setText(QString::number(index));
}

void TLabelObjectsForm::GetData(int32_t index) {
    TextLabelRecord& r = TextLabels.At(index);
    const QString text = LOTEdit->text().left(static_cast<qsizetype>(TextLabelMaxLength));
    const QByteArray kept = text.toLatin1();
    r.Text = kept.toStdString();
    if (QString::fromLatin1(kept) != text && text != LostTextTold) {
        LostTextTold = text;
        HookShowMessage(MsgKind::Warning, LabelTextNotKept, MessageX, MessageY);
    }
    r.Angle = EditInteger(LORAEdit);
    r.X = EditInteger(LOXEdit);
    r.Y = EditInteger(LOYEdit);
    r.Rotated = RotatedCB->isChecked();
    r.Transparent = TransparentTextCB->isChecked();
    r.BackColor = BackColor;
}

void TLabelObjectsForm::PlaceLabel(int32_t x, int32_t y) {
    GetData(TextLabels.Current);
    TextLabelRecord& r = TextLabels.CurrentItem();
    r.X = x;
    r.Y = y;
    PlaceThisLabel(TextLabels.Current);
}

void TLabelObjectsForm::PlaceThisLabel(int32_t index) {
    const TextLabelRecord& label = TextLabels.At(index);
    const LabelLook look = Look();
    DrawOnPicture([&](QPainter& painter) { PaintTextLabel(painter, label, look); });
}

void TLabelObjectsForm::PaintAll() {
    const LabelLook look = Look();
    DrawOnPicture([&](QPainter& painter) { PaintTextLabels(painter, TextLabels, look); });
}

void TLabelObjectsForm::SelectRotation() {
    TextLabelRecord& r = TextLabels.CurrentItem();
    r.Angle = UpDown2->value();
    Label2->setNum(r.Angle);
    ShowData(TextLabels.Current);
    GetData(TextLabels.Current);
    PlaceThisLabel(TextLabels.Current);
}

void TLabelObjectsForm::ShowArrowsAt(int32_t angle) {
    const QSignalBlocker block(UpDown2);
    UpDown2->setValue(angle);
    Label2->setNum(UpDown2->value());
}

void TLabelObjectsForm::SetListPosition(int32_t position) {
    const QSignalBlocker block(UpDown1);
    UpDown1->setValue(position);
}

void TLabelObjectsForm::MousePlaced(int32_t x, int32_t y) {
    SetEditInteger(LOXEdit, x);
    SetEditInteger(LOYEdit, y);
    PlaceLabel(x, y);
}

void TLabelObjectsForm::ColorGrid1Click(int index, Qt::MouseButton button) {
    const uint32_t color = MarkPalette[static_cast<size_t>(index)];
    if (button == Qt::LeftButton) {
        SetTextColor(color);
        ColorGrid1->SetForegroundIndex(index);
    } else if (button == Qt::RightButton) {
        SetBackColor(color);
        ColorGrid1->SetBackgroundIndex(index);
    }
}

void TLabelObjectsForm::LOFontBtnClick() {
    QFont font = LOTEdit->font();
    uint32_t color = TextColor;
    if (!ChooseFontFor(font, color)) return;
    LOTEdit->setFont(font);
    SetTextColor(color);
}

bool TLabelObjectsForm::UpDown1Changing(int32_t position) {
    return ListMoveTo(*this, TextLabels, position);
}

void TLabelObjectsForm::Add1ListBtnClick() {
    ListAdd(*this, TextLabels);
}

void TLabelObjectsForm::Delete1ListBtnClick() {
    ListDelete(*this, TextLabels);
}

void TLabelObjectsForm::PlaceBtnClick() {
    GetData(TextLabels.Current);
    if (MousedLocationCB->isChecked()) {
        ArmMouseMode(LabelPlaceArmed);
        if (VORNForm) VORNForm->Show();
        return;
    }
    LabelPlaceArmed = false;
    if (VORNForm) VORNForm->Show();
    PlaceLabel(EditInteger(LOXEdit), EditInteger(LOYEdit));
}

void TLabelObjectsForm::OverlayListBtnClick() {
    PaintAll();
}

void TLabelObjectsForm::MakeBtnClick() {
    TakeUndoCopy();
}

void TLabelObjectsForm::ClearAllBtnClick() {
    RestoreUndoCopy();
}

void TLabelObjectsForm::LoadListBtnClick() {
    ListLoad(*this, TextLabels, LabelFileName, LabelOpenFilter, ".raf", ReadLabelFile);
}

void TLabelObjectsForm::SaveListBtnClick() {
    ListSave(TextLabels, LabelFileName, LabelSaveFilter, ".raf", WriteLabelFile);
}

void TLabelObjectsForm::HelpBtnClick() {
    if (VORNForm) VORNForm->ShowHelpContext(14000);
}
