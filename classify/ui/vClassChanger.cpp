#include "classify/ui/vClassifier.h"

#include "classify/vClassDispatch.h"
#include "classify/vClassifiers.h"
#include "histogram/ui/vHistogramControls.h"
#include "runtime/RtFiles.h"
#include "shell/ui/vClassColorGrid.h"
#include "shell/vGlobal.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using namespace histogram_ui;

namespace {

// Panels 7 and 8 stand in each other's place: each shows the other class's colour.
int PanelClass(int panel) {
    if (panel == 7) return 8;
    if (panel == 8) return 7;
    return panel;
}

QListWidget* ClassList(QWidget* parent, const QString& name) {
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    for (int k = 1; k < SiteCount; ++k)
        list->addItem(QString("Class %1").arg(k));
    return list;
}

// The list's selected entry, the first when none is.
int32_t ChosenEntry(const QListWidget* list) {
    const auto selected = list->selectedItems();
    return selected.isEmpty() ? 0 : list->row(selected.back());
}

} // namespace

QWidget* TClassificationForm::MakeClassChangerPage() {
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    grid->setSpacing(2);
    auto* colours = new QGridLayout;
    for (int p = 0; p < SiteCount; ++p) {
        auto* panel = new TColorPanel(page);
        panel->setObjectName(QString("CColor%1").arg(p));
        panel->setToolTip("Press to Select");
        panel->setMinimumSize(24, 18);
        colours->addWidget(new QLabel(QString("# %1").arg(p), page), p % 7, p / 7 * 2);
        colours->addWidget(panel, p % 7, p / 7 * 2 + 1);
        connect(panel, &TColorPanel::Clicked, this,
                [this, p] { Guarded([this, p] { CColorClick(p); }); });
        CColors[static_cast<size_t>(p)] = panel;
    }
    grid->addLayout(colours, 0, 0, 1, 3);
    grid->addWidget(new QLabel("Mostly for show... These are the same and thus change the "
                               "Program colors from Investigate Options",
                               page),
                    1, 0, 1, 3);
    PO_ColorResetBtn = MakeButton(page, "PO_ColorResetBtn", "Reset");
    PO_ColorResetBtn->setToolTip("Reset to Color Defaults");
    grid->addWidget(PO_ColorResetBtn, 2, 0);

    grid->addWidget(new QLabel("This Class", page), 3, 0);
    grid->addWidget(new QLabel("This Class", page), 3, 2);
    CCOriginalListBox = ClassList(page, "CCOriginalListBox");
    CCBecomesListBox = ClassList(page, "CCBecomesListBox");
    ClassClown = MakeButton(page, "ClassClown", "< Switches with >");
    grid->addWidget(CCOriginalListBox, 4, 0);
    grid->addWidget(ClassClown, 4, 1);
    grid->addWidget(CCBecomesListBox, 4, 2);

    grid->addWidget(new QLabel("Training Site Classes", page), 5, 0);
    CCFileEdit = MakeEdit(page, "CCFileEdit", 160);
    CCFileEdit->setReadOnly(true);
    CCFileOpen = MakeButton(page, "CCFileOpen", "Open");
    CCFileSave = MakeButton(page, "CCFileSave", "Save");
    SpeedButton1 = MakeHelpButton(page, "SpeedButton1", 11300);
    grid->addWidget(CCFileEdit, 5, 1);
    grid->addWidget(CCFileOpen, 6, 0);
    grid->addWidget(CCFileSave, 6, 1);
    grid->addWidget(SpeedButton1, 6, 2);

    connect(PO_ColorResetBtn, &QPushButton::clicked, this,
            [this] { Guarded([this] { PO_ColorResetBtnClick(); }); });
    connect(ClassClown, &QPushButton::clicked, this,
            [this] { Guarded([this] { ClassClownClick(); }); });
    connect(CCFileOpen, &QPushButton::clicked, this,
            [this] { Guarded([this] { PBoxLoadBtnClick(); }); });
    connect(CCFileSave, &QPushButton::clicked, this,
            [this] { Guarded([this] { PBoxSaveBtnClick(); }); });
    return page;
}

void TClassificationForm::ColorResetPanels() {
    ClassPaintColorsFromOptions();
    for (int p = 0; p < SiteCount; ++p)
        CColors[static_cast<size_t>(p)]->SetColor(ClassOptionColor(PanelClass(p)));
    CurrentColorPanel->SetColor(ClassOptionColor(0));
}

void TClassificationForm::CColorClick(int panel) {
    uint32_t& option = ClassOptionColor(PanelClass(panel));
    uint32_t color = option;
    if (!Hooks.ChooseColor || !Hooks.ChooseColor(color)) return;
    option = color;
    ColorResetPanels();
}

void TClassificationForm::PO_ColorResetBtnClick() {
    ResetClassColors();
    ColorResetPanels();
}

void TClassificationForm::ClassClownClick() {
    const std::string& file = ClassifierFileNames.TrainingSites;
    if (SwapSiteClasses(TrainingSites, ChosenEntry(CCOriginalListBox) + 1,
                        ChosenEntry(CCBecomesListBox) + 1, !file.empty() && FileExists(file)))
        SetDataIntoForm(10);
}
