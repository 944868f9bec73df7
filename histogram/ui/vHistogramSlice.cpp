// The "SC Slice" page: thirteen density-slicing buttons with their edits, and the object group
// with its display button. Every button reads and clamps its edits, records, and runs its
// routine through the command table the macro player also plays.
#include "histogram/ui/vHistogram.h"

#include "histogram/ui/vHistogramControls.h"
#include "histogram/vSohoCommands.h"
#include "histogram/vUISOHO.h"
#include "runtime/RtNumbers.h"
#include "shell/ui/vHelp.h"
#include "shell/vMacroCodes.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace histogram_ui;

namespace {

constexpr int SliceHelpTopic = 6700;
constexpr int ObjectHelpTopic = 6710;
// The rows' topics run 6720, 6722, ... down the page; a row's edits share its button's topic.
constexpr int FirstRowHelpTopic = 6720;
constexpr int ObjectGroupColumns = 2;

struct SliceEditLook {
    const char* Name;
    const char* Default;
};
// One button of the page: its handler, its edits left to right, its code, and for each
// recorded parameter the edit it is read from.
struct SliceButtonLook {
    const char* Caption;
    void (THistogramForm::*Handler)();
    std::array<SliceEditLook, 4> Edits;
    int Code;
    std::array<int, 4> ParamEdit;
};
const std::array<SliceButtonLook, 13> SliceButtons{{
    {"Halley Input",
     &THistogramForm::SOHO_HIClick,
     {{{"SOHO_HIEdit1", "123"}, {"SOHO_HIEdit2", "66"}, {"SOHO_HIEdit3", "36"}}},
     104,
     {0, 1, 2}},
    {"Agricultural Asteroids", &THistogramForm::SOHO_AAClick, {{{"SOHO_AAEdit", "21"}}}, 105, {0}},
    {"Classed Europa", &THistogramForm::SOHO_CEClick, {{{"SOHO_CEEdit", "55"}}}, 106, {0}},
    {"Dodo Class", &THistogramForm::SOHO_DCClick, {{{"SOHO_DCEdit", "99"}}}, 107, {0}},
    {"Classy", &THistogramForm::SOHO_CClick, {{{"SOHO_CEdit", "33"}}}, 108, {0}},
    {"Do Dodo", &THistogramForm::SOHO_DDClick, {{{"SOHO_DDEdit", "66"}}}, 109, {0}},
    {"Tone of RGB", &THistogramForm::SOHO_ToneClick, {{{"SOHO_ToneEdit", "44"}}}, 110, {0}},
    {"Slice (1..18..36..42)", &THistogramForm::SOHO_SoSClick, {{{"SOHO_SoSEdit", "17"}}}, 111, {0}},
    {"Set Slice", &THistogramForm::SOHO_SSClick, {{{"SOHO_SSEdit", "28"}}}, 112, {0}},
    {"Slice", &THistogramForm::SOHO_SClick, {{{"SOHO_SEdit", "32"}}}, 113, {0}},
    {"Set OSI lice (1..36)",
     &THistogramForm::SOHO_SOSIClick,
     {{{"SOHO_SOSIEdit1", "12"}, {"SOHO_SOSIEdit2", "23"}}},
     114,
     {1, 0}},
    {"Set and Slice(1..18)",
     &THistogramForm::SOHO_SaSClick,
     {{{"SOHO_SaSEdit1", "7"}, {"SOHO_SaSEdit2", "11"}}},
     115,
     {1, 0}},
    {"I Slice",
     &THistogramForm::SOHO_ISClick,
     {{{"SOHO_ISEdit1", "17"},
       {"SOHO_ISEdit2", "27"},
       {"SOHO_ISEdit3", "37"},
       {"SOHO_ISEdit4", "7"}}},
     116,
     {0, 1, 2, 3}},
}};

} // namespace

void THistogramForm::BuildSlicePage(QWidget* page) {
    auto* grid = new QGridLayout(page);
    for (size_t row = 0; row < SliceButtons.size(); ++row) {
        const SliceButtonLook& look = SliceButtons[row];
        const int r = static_cast<int>(row);
        SOHOButtons[row] = MakeButton(page, QString("Button%1").arg(row + 1), look.Caption);
        grid->addWidget(SOHOButtons[row], r, 0);
        SetHelpContext(SOHOButtons[row], FirstRowHelpTopic + 2 * r);
        for (size_t e = 0; e < look.Edits.size() && look.Edits[e].Name; ++e) {
            SOHOEdits[row][e] = MakeEdit(page, look.Edits[e].Name);
            SetHelpContext(SOHOEdits[row][e], FirstRowHelpTopic + 2 * r);
            SOHOEdits[row][e]->setText(look.Edits[e].Default);
            grid->addWidget(SOHOEdits[row][e], r, 1 + static_cast<int>(e));
        }
        connect(SOHOButtons[row], &QPushButton::clicked, this,
                [this, handler = look.Handler] { Guarded([&] { (this->*handler)(); }); });
    }

    auto* box = new QGroupBox("SC Object", page);
    box->setObjectName("SOHOGroup");
    box->setToolTip("Infra Red statistical classifiers");
    SetHelpContext(box, ObjectHelpTopic);
    auto* items = new QGridLayout(box);
    SOHOGroup = new QButtonGroup(box);
    SOHOGroup->setObjectName("SOHOGroup");
    for (int i = 0; i < soho::ObjectItemCount; ++i) {
        auto* item =
            new QRadioButton(QString::fromLatin1(soho::ObjectItems[static_cast<size_t>(i)]), box);
        SOHOGroup->addButton(item, i);
        items->addWidget(item, i / ObjectGroupColumns, i % ObjectGroupColumns);
    }
    SetItemIndex(SOHOGroup, 0);
    H_SOHOBtn = MakeButton(page, "H_SOHOBtn", "Display SCO");
    SetHelpContext(H_SOHOBtn, ObjectHelpTopic);
    auto* side = new QVBoxLayout;
    side->addWidget(box);
    side->addWidget(H_SOHOBtn);
    side->addWidget(MakeHelpButton(page, "HSOHO", SliceHelpTopic));
    side->addStretch();
    grid->addLayout(side, 0, 5, static_cast<int>(SliceButtons.size()), 1);
    grid->setColumnStretch(6, 1);
    connect(H_SOHOBtn, &QPushButton::clicked, this,
            [this] { Guarded([this] { H_SOHOBtnClick(); }); });
}

void THistogramForm::DoH_SOHO(int index) {
    soho::RunObjectDisplay(index);
}

void THistogramForm::H_SOHOBtnClick() {
    OperationScope scope;
    if (!scope.Acquired()) return;
    const int index = ItemIndex(SOHOGroup);
    if (RanOnThePicture([&] { DoH_SOHO(index); }))
        RecordCommand(MacroCommandLine(102), {IntToStr(index)});
}

void THistogramForm::SliceButtonClick(size_t row) {
    OperationScope scope;
    if (!scope.Acquired()) return;
    const SliceButtonLook& look = SliceButtons[row];
    const soho::SohoCommand& command = *soho::FindSohoCommand(look.Code);
    soho::SohoArgs args;
    std::vector<std::string> lines;
    for (int k = 0; k < command.ParamCount; ++k) {
        const soho::SohoParam kind = command.Params[static_cast<size_t>(k)];
        const QLineEdit* edit =
            SOHOEdits[row][static_cast<size_t>(look.ParamEdit[static_cast<size_t>(k)])];
        soho::ReadSohoParam(kind, edit->text().toStdString(), k, args);
        lines.push_back(soho::SohoParamLine(kind, args, k));
    }
    if (RanOnThePicture([&] { command.Run(args); }))
        RecordCommand(MacroCommandLine(look.Code), lines);
}

void THistogramForm::SOHO_HIClick() {
    SliceButtonClick(0);
}
void THistogramForm::SOHO_AAClick() {
    SliceButtonClick(1);
}
void THistogramForm::SOHO_CEClick() {
    SliceButtonClick(2);
}
void THistogramForm::SOHO_DCClick() {
    SliceButtonClick(3);
}
void THistogramForm::SOHO_CClick() {
    SliceButtonClick(4);
}
void THistogramForm::SOHO_DDClick() {
    SliceButtonClick(5);
}
void THistogramForm::SOHO_ToneClick() {
    SliceButtonClick(6);
}
void THistogramForm::SOHO_SoSClick() {
    SliceButtonClick(7);
}
void THistogramForm::SOHO_SSClick() {
    SliceButtonClick(8);
}
void THistogramForm::SOHO_SClick() {
    SliceButtonClick(9);
}
void THistogramForm::SOHO_SOSIClick() {
    SliceButtonClick(10);
}
void THistogramForm::SOHO_SaSClick() {
    SliceButtonClick(11);
}
void THistogramForm::SOHO_ISClick() {
    SliceButtonClick(12);
}
