#include "shell/ui/vOMark.h"

#include "shell/ui/vHelp.h"
#include "shell/ui/vMarkControls.h"
#include "shell/ui/vMarkPainter.h"
#include "shell/ui/vVorn.h"
#include "shell/vGlobal.h"
#include "shell/vToolForms.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

QPointer<TObjectMarkForm> ObjectMarkForm;

namespace {
const char* const ObjectFileFilter = "Raster Object File (*.rof)|*.rof";

QPushButton* Button(const char* name, const char* caption, QWidget* parent) {
    return Named(new QPushButton(caption, parent), name);
}
} // namespace

TObjectMarkForm::TObjectMarkForm(QWidget* parent)
    : TToolWindow("Object Marker", "ObjectMarkForm", fpObjectMark, tfObjectMark, parent) {
    BuildControls();
    ObjectMarkArmed = ObjectMarkDragging = false;
    ObjectMarks.Restart();
    SetListPosition(0);
}

void TObjectMarkForm::BuildControls() {
    auto* grid = new QGridLayout(this);
    auto* kinds = new QGroupBox("Object Type", this);
    auto* kindsLayout = new QVBoxLayout(kinds);
    ObjectRG = new QButtonGroup(this);
    ObjectRG->setObjectName("ObjectRG");
    int id = 0;
    for (const char* caption : {"Point", "Line", "Circle", "Box"}) {
        auto* radio = new QRadioButton(caption, kinds);
        ObjectRG->addButton(radio, id++);
        kindsLayout->addWidget(radio);
    }
    ObjectRG->button(0)->setChecked(true);
    grid->addWidget(kinds, 0, 0, 4, 1);

    LOX1Edit = Named(new QLineEdit("7", this), "LOX1Edit");
    LOX2Edit = Named(new QLineEdit("11", this), "LOX2Edit");
    LOY1Edit = Named(new QLineEdit("7", this), "LOY1Edit");
    LOY2Edit = Named(new QLineEdit("11", this), "LOY2Edit");
    const std::pair<const char*, QLineEdit*> edits[] = {
        {"Left", LOX1Edit}, {"Right", LOX2Edit}, {"Top", LOY1Edit}, {"Bottom", LOY2Edit}};
    int row = 0;
    for (const auto& [caption, edit] : edits) {
        grid->addWidget(new QLabel(caption, this), row, 1);
        grid->addWidget(edit, row++, 2);
    }

    FillCB = Named(new QCheckBox("Filled", this), "FillCB");
    FillCB->setChecked(true);
    MousedLocationCB = Named(new QCheckBox("Moused Location or...", this), "MousedLocationCB");
    MousedLocationCB->setChecked(true);
    grid->addWidget(FillCB, 4, 0);
    grid->addWidget(MousedLocationCB, 4, 1, 1, 2);

    LineColorGrid = new TColorGrid("LineColorGrid", this);
    LineColorPanel = MakeColorPanel("LineColorPanel", this);
    SolidColorGrid = new TColorGrid("SolidColorGrid", this);
    FillPanel = MakeColorPanel("FillPanel", this);
    grid->addWidget(LineColorGrid, 5, 0);
    grid->addWidget(LineColorPanel, 6, 0);
    grid->addWidget(SolidColorGrid, 5, 1, 1, 2);
    grid->addWidget(FillPanel, 6, 1, 1, 2);

    UpDown1 = Named(new QSpinBox(this), "UpDown1");
    UpDown1->setRange(0, 99);
    CurrentListEdit = Named(new QLineEdit("0", this), "CurrentListEdit");
    CurrentListEdit->setReadOnly(true);
    Label5 = Named(new QLabel("0", this), "Label5");
    grid->addWidget(CurrentListEdit, 7, 0);
    grid->addWidget(UpDown1, 7, 1);
    grid->addWidget(Label5, 7, 2);

    Add1toListBtn = Button("Add1toListBtn", "Add", this);
    Delete1ListBtn = Button("Delete1ListBtn", "Delete", this);
    PlaceItBtn = Button("PlaceItBtn", "This", this);
    OverlayListBtn = Button("OverlayListBtn", "All", this);
    MakeBtn = Button("MakeBtn", "Make Undoable", this);
    ClearAllBtn = Button("ClearAllBtn", "Undo", this);
    ClearAllBtn->setEnabled(false);
    LoadListBtn = Button("LoadListBtn", "Load", this);
    SaveListBtn = Button("SaveListBtn", "Save", this);
    HelpBtn = Button("HelpBtn", "Help", this);
    ExitButton = Button("ExitButton", "Exit", this);
    const std::pair<QPushButton*, void (TObjectMarkForm::*)()> buttons[] = {
        {Add1toListBtn, &TObjectMarkForm::Add1toListBtnClick},
        {Delete1ListBtn, &TObjectMarkForm::Delete1ListBtnClick},
        {PlaceItBtn, &TObjectMarkForm::PlaceItBtnClick},
        {OverlayListBtn, &TObjectMarkForm::OverlayListBtnClick},
        {MakeBtn, &TObjectMarkForm::MakeBtnClick},
        {ClearAllBtn, &TObjectMarkForm::ClearAllBtnClick},
        {LoadListBtn, &TObjectMarkForm::LoadListBtnClick},
        {SaveListBtn, &TObjectMarkForm::SaveListBtnClick},
    };
    int index = 0;
    for (const auto& [button, handler] : buttons) {
        grid->addWidget(button, 8 + index / 3, index % 3);
        ++index;
        connect(button, &QPushButton::clicked, this,
                [this, handler = handler] { Guarded([&] { (this->*handler)(); }); });
    }
    grid->addWidget(HelpBtn, 8 + index / 3, index % 3);
    ++index;
    ConnectHelp(HelpBtn, [this] { HelpBtnClick(); });
    grid->addWidget(ExitButton, 8 + index / 3, index % 3);
    connect(ExitButton, &QPushButton::clicked, this, &QWidget::close);

    connect(LineColorGrid, &TColorGrid::CellClicked, this,
            [this](int i, Qt::MouseButton) { Guarded([&] { LineColorGridClick(i); }); });
    connect(SolidColorGrid, &TColorGrid::CellClicked, this,
            [this](int i, Qt::MouseButton) { Guarded([&] { SolidColorGridClick(i); }); });
    connect(UpDown1, &QSpinBox::valueChanged, this, [this](int position) {
        bool moved = false;
        Guarded([&] { moved = UpDown1Changing(position); });
        if (!moved) SetListPosition(ObjectMarks.Current);
    });
}

void TObjectMarkForm::ShowData(int32_t index) {
    const ObjectMarkRecord& r = ObjectMarks.At(index);
    if (QAbstractButton* kind = ObjectRG->button(r.Kind)) kind->setChecked(true);
    SetEditInteger(LOX1Edit, r.Left);
    SetEditInteger(LOX2Edit, r.Right);
    SetEditInteger(LOY1Edit, r.Top);
    SetEditInteger(LOY2Edit, r.Bottom);
    Label5->setNum(index);
    CurrentListEdit->setText(QString::number(index));
    SetPanelColor(LineColorPanel, r.LineColor);
    LineColorGrid->SetForegroundIndex(GetColorGridIndex(r.LineColor));
    SetPanelColor(FillPanel, r.FillColor);
    SolidColorGrid->SetForegroundIndex(GetColorGridIndex(r.FillColor));
    FillCB->setChecked(r.Filled);
}

void TObjectMarkForm::GetData(int32_t index) {
    ObjectMarkRecord& r = ObjectMarks.At(index);
    r.Kind = ObjectRG->checkedId() < 0 ? omPoint : ObjectRG->checkedId();
    r.Left = EditInteger(LOX1Edit);
    r.Right = EditInteger(LOX2Edit);
    r.Top = EditInteger(LOY1Edit);
    r.Bottom = EditInteger(LOY2Edit);
    r.LineColor = PanelColor(LineColorPanel);
    r.FillColor = PanelColor(FillPanel);
    r.Filled = FillCB->isChecked();
}

void TObjectMarkForm::PaintAll() {
    DrawOnPicture([](QPainter& painter) { PaintObjectMarks(painter, ObjectMarks); });
}

void TObjectMarkForm::SetListPosition(int32_t position) {
    const QSignalBlocker block(UpDown1);
    UpDown1->setValue(position);
}

void TObjectMarkForm::MarkPlaced(ImagePoint start, ImagePoint end) {
    SetEditInteger(LOX1Edit, start.X);
    SetEditInteger(LOY1Edit, start.Y);
    SetEditInteger(LOX2Edit, end.X);
    SetEditInteger(LOY2Edit, end.Y);
}

void TObjectMarkForm::LineColorGridClick(int index) {
    SetPanelColor(LineColorPanel, MarkPalette[static_cast<size_t>(index)]);
    LineColorGrid->SetForegroundIndex(index);
}

void TObjectMarkForm::SolidColorGridClick(int index) {
    SetPanelColor(FillPanel, MarkPalette[static_cast<size_t>(index)]);
    SolidColorGrid->SetForegroundIndex(index);
}

bool TObjectMarkForm::UpDown1Changing(int32_t position) {
    return ListMoveTo(*this, ObjectMarks, position);
}

void TObjectMarkForm::Add1toListBtnClick() {
    ListAdd(*this, ObjectMarks);
}

void TObjectMarkForm::Delete1ListBtnClick() {
    ListDelete(*this, ObjectMarks);
}

void TObjectMarkForm::PlaceItBtnClick() {
    GetData(ObjectMarks.Current);
    const ObjectMarkRecord& r = ObjectMarks.CurrentItem();
    // The drag on the picture draws this mark's look.
    CurrentMarkLook = {r.Kind, r.Filled, r.LineColor, r.FillColor};
    if (MousedLocationCB->isChecked()) {
        ArmMouseMode(ObjectMarkArmed, [] { ObjectMarkArmed = ObjectMarkDragging = false; });
        if (VORNForm) VORNForm->Show();
        return;
    }
    ObjectMarkArmed = ObjectMarkDragging = false;
    RubberStart = {r.Left, r.Top};
    RubberEnd = {r.Right, r.Bottom};
    if (VORNForm) VORNForm->Show();
    DrawOnPicture([&r](QPainter& painter) { PaintObjectMark(painter, r); });
}

void TObjectMarkForm::OverlayListBtnClick() {
    PaintAll();
}

void TObjectMarkForm::MakeBtnClick() {
    if (TakeUndoCopy()) ClearAllBtn->setEnabled(true);
}

void TObjectMarkForm::ClearAllBtnClick() {
    if (RestoreUndoCopy()) ClearAllBtn->setEnabled(false);
}

void TObjectMarkForm::LoadListBtnClick() {
    ListLoad(*this, ObjectMarks, ObjectFileName, ObjectFileFilter, ".rof", ReadObjectFile);
}

void TObjectMarkForm::SaveListBtnClick() {
    ListSave(ObjectMarks, ObjectFileName, ObjectFileFilter, ".rof", WriteObjectFile);
}

void TObjectMarkForm::HelpBtnClick() {
    if (VORNForm) VORNForm->ShowHelpContext(430);
}
