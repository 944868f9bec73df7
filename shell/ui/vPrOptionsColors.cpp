// The options window's "Colors" page: the land-cover class colour grid, the colour chosen to
// write into it, and the colour reset.
#include "shell/ui/vClassColorGrid.h"
#include "shell/ui/vPrOptions.h"
#include "shell/vGlobal.h"
#include "shell/vLandCoverClasses.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

int Red(uint32_t c) {
    return static_cast<int>(c & 0xFF);
}
int Green(uint32_t c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
int Blue(uint32_t c) {
    return static_cast<int>((c >> 16) & 0xFF);
}

QLineEdit* ShownEdit(QWidget* page, const char* name) {
    auto* edit = new QLineEdit(page);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    return edit;
}

} // namespace

QWidget* TOptionsForm::MakeColorsPage() {
    auto* page = new QWidget(this);
    DrawGrid1 = new TClassColorGrid(page);
    DrawGrid1->setObjectName("DrawGrid1");
    DrawGrid1->setToolTip("Click a color");
    connect(DrawGrid1, &TClassColorGrid::CellClicked, this, [this](int column, int row) {
        Guarded([this, column, row] { DrawGrid1SelectCell(column, row); });
    });

    ColorPanel = new TColorPanel(page);
    ColorPanel->setObjectName("ColorPanel");
    ColorPanel->setToolTip("Selected Color displayed here");
    ColorPanel->setMinimumSize(120, 40);
    ColorValuesPanel = new QLabel("B:000, G:000, R:000", page);
    ColorValuesPanel->setObjectName("ColorValuesPanel");
    Edit1 = ShownEdit(page, "Edit1");
    Edit2 = ShownEdit(page, "Edit2");
    Edit3 = ShownEdit(page, "Edit3");
    PO_TypeEdit = ShownEdit(page, "PO_TypeEdit");
    POD_Edit = ShownEdit(page, "POD_Edit");

    const struct {
        QPushButton* TOptionsForm::*Field;
        const char* Name;
        const char* Caption;
        const char* Hint;
        void (TOptionsForm::*Click)();
    } buttons[] = {
        {&TOptionsForm::POSelectColorsBtn, "POSelectColorsBtn", "Select Colors", nullptr,
         &TOptionsForm::POSelectColorsBtnClick},
        {&TOptionsForm::AcceptColorBtn, "AcceptColorBtn", "Replace Color in Grid", nullptr,
         &TOptionsForm::AcceptColorBtnClick},
        {&TOptionsForm::CurrentColorBtn, "CurrentColorBtn", "Select as \"Current\" Color", nullptr,
         &TOptionsForm::CurrentColorBtnClick},
        {&TOptionsForm::PO_ColorResetBtn, "PO_ColorResetBtn", "Reset", "Reset to Color Defaults",
         &TOptionsForm::PO_ColorResetBtnClick},
        {&TOptionsForm::PO_ColorPrintBtn, "PO_ColorPrintBtn", "Print", "Print Color Grid", nullptr},
    };
    auto* side = new QVBoxLayout;
    for (const auto& b : buttons) {
        this->*b.Field = Button(page, b.Name, b.Caption, b.Hint, b.Click);
        side->addWidget(this->*b.Field);
    }
    // Printing the grid is not offered: the button stands, disabled.
    PO_ColorPrintBtn->setEnabled(false);
    SpeedButton2 = HelpButton("SpeedButton2", 3700);
    side->addWidget(SpeedButton2);
    side->addWidget(ColorPanel);
    side->addWidget(ColorValuesPanel);
    auto* values = new QFormLayout;
    values->addRow("Red", Edit1);
    values->addRow("Green", Edit2);
    values->addRow("Blue", Edit3);
    values->addRow("Type", PO_TypeEdit);
    values->addRow("Description", POD_Edit);
    side->addLayout(values);
    side->addStretch(1);

    auto* columns = new QHBoxLayout(page);
    columns->addWidget(DrawGrid1, 0, Qt::AlignTop);
    columns->addLayout(side);
    return page;
}

void TOptionsForm::ClassGridCell() {
    uint32_t* color = ClassCellColor(SelectedColumn, SelectedRow);
    if (!color) return;
    ColorRead = *color;
    if (ReplaceColor) *color = ColorToWrite;
    PO_TypeEdit->setText(QString::fromLatin1(ClassCellType(SelectedColumn, SelectedRow).c_str()));
    POD_Edit->setText(
        QString::fromLatin1(ClassCellDescription(SelectedColumn, SelectedRow).c_str()));
}

void TOptionsForm::ShowClassGridCell() {
    ClassGridCell();
    Edit1->setText(QString::number(Red(ColorRead)));
    Edit2->setText(QString::number(Green(ColorRead)));
    Edit3->setText(QString::number(Blue(ColorRead)));
}

void TOptionsForm::DrawGrid1SelectCell(int column, int row) {
    ReplaceColor = false;
    SelectedColumn = column;
    SelectedRow = row;
    DrawGrid1->SetSelected(column, row);
    ShowClassGridCell();
}

void TOptionsForm::WalkColorGrid() {
    for (int column = 0; column < LandCoverClassCount; ++column)
        for (int row = 0; row < ClassGridRows; ++row)
            DrawGrid1SelectCell(column, row);
}

void TOptionsForm::POSelectColorsBtnClick() {
    ReplaceColor = false;
    uint32_t color = ChosenColor.value_or(0);
    if (!Hooks.ChooseColor || !Hooks.ChooseColor(color)) return;
    ChosenColor = color;
    ColorPanel->SetColor(color);
    ColorValuesPanel->setText(
        QString("B:%1 G:%2 R:%3").arg(Blue(color)).arg(Green(color)).arg(Red(color)));
}

void TOptionsForm::AcceptColorBtnClick() {
    if (!ChosenColor) return;
    ColorToWrite = *ChosenColor;
    ReplaceColor = true;
    ClassGridCell();
    ReplaceColor = false;
    DrawGrid1->update();
}

void TOptionsForm::CurrentColorBtnClick() {
    if (!ChosenColor) return;
    ColorSettings[3] = *ChosenColor;
    CurrentColorPanel->SetColor(*ChosenColor);
}

void TOptionsForm::PO_ColorResetBtnClick() {
    ResetClassColors();
    DrawGrid1->update();
    CurrentColorPanel->SetColor(ColorSettings[3]);
}
