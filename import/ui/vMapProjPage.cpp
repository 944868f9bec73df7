// The import window's map projection tools: the parameter hints of the "Proj out" page, the
// corner transformation and the degrees-minutes-seconds conversion of "Extent", and the buttons
// of the "Registration" sub-page. The work is the scene projection engine's.
#include "import/ui/vHeaderBinder.h"
#include "import/ui/vPBands.h"
#include "import/vSceneProjection.h"
#include "shell/ui/vPrinting.h"
#include "shell/ui/vVorn.h"
#include "shell/vGlobal.h"
#include "shell/vToolModes.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int HintsMessage = 200;
constexpr int LastCodeWithoutParameters = 2;

// The edit's text as decimal degrees when it holds a DMS text; a part that is not a number
// shows the file-data error box.
void ConvertDMSEdit(QLineEdit* edit) {
    std::string text = Bytes(edit->text());
    int code = 0;
    const DMSResult result = DMSTextToDecimal(text, code);
    if (result == DMSResult::Changed) edit->setText(Latin1(text));
    if (result == DMSResult::BadPart) ShowFileDataError(text, code);
}

} // namespace

QWidget* TPBands::BuildProjHintsPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    Precheck2Btn = Button(page, "Precheck2Btn", "Process Header",
                          "Check the projection|List the parameters the projection needs");
    Connect(Precheck2Btn, &TPBands::Precheck2BtnClick);
    ProjPHintsMemo = new QPlainTextEdit(page);
    ProjPHintsMemo->setObjectName("ProjPHintsMemo");
    ProjPHintsMemo->setReadOnly(true);
    layout->addWidget(Precheck2Btn);
    layout->addWidget(ProjPHintsMemo);
    return page;
}

void TPBands::AddExtentTools(QGridLayout* grid, int& row) {
    QWidget* parent = grid->parentWidget();
    DIHTransformBtn = Button(parent, "DIHTransformBtn", "Transform",
                             "Transform corners|Corner longitudes and latitudes (decimal degrees) "
                             "to the Proj out projection");
    Connect(DIHTransformBtn, &TPBands::DIHTransformBtnClick);
    RIHDMStoDDEdit = new QLineEdit(parent);
    RIHDMStoDDEdit->setObjectName("RIHDMStoDDEdit");
    RIHDMStoDDEdit->setToolTip("N46 56 30 or E007 25 59");
    RIHDMStoDDBtn = Button(parent, "RIHDMStoDDBtn", "Converts DMS to DD");
    Connect(RIHDMStoDDBtn, &TPBands::RIHDMStoDDBtnClick);
    grid->addWidget(DIHTransformBtn, row, 0);
    grid->addWidget(RIHDMStoDDEdit, row, 1);
    grid->addWidget(RIHDMStoDDBtn, row++, 2);
}

void TPBands::AddRegistrationTools(QGridLayout* grid, int& row) {
    QWidget* parent = grid->parentWidget();
    auto* buttons = new QHBoxLayout;
    StartRegBtn = Button(parent, "StartRegBtn", "Start Registration");
    DIHAcceptBtn = Button(parent, "DIHAcceptBtn", "Accept");
    DIHCopyBtn = Button(parent, "DIHCopyBtn", "Copy", "Copy Memo text to Clipboard");
    DIHPrintBtn = Button(parent, "DIHPrintBtn", "Print");
    auto* regHelp = Button(parent, "DIHRegHelp", "Help");
    auto* projHelp = Button(parent, "DIHRegProjHelp", "Projection Help");
    Connect(StartRegBtn, &TPBands::StartRegBtnClick);
    Connect(DIHAcceptBtn, &TPBands::DIHAcceptBtnClick);
    Connect(DIHCopyBtn, &TPBands::DIHCopyBtnClick);
    Connect(DIHPrintBtn, &TPBands::DIHPrintBtnClick);
    HelpButton(regHelp, 2910);
    HelpButton(projHelp, 2920);
    for (QPushButton* b : {StartRegBtn, DIHAcceptBtn, DIHCopyBtn, DIHPrintBtn, regHelp, projHelp})
        buttons->addWidget(b);
    grid->addLayout(buttons, row++, 0, 1, 4);
    DIHConvertDMSEdit = new QLineEdit(parent);
    DIHConvertDMSEdit->setObjectName("DIHConvertDMSEdit");
    DIHConvertDMSBtn = Button(parent, "DIHConvertDMSBtn", "Converts DMS to DD");
    Connect(DIHConvertDMSBtn, &TPBands::DIHConvertDMSBtnClick);
    grid->addWidget(DIHConvertDMSEdit, row, 1);
    grid->addWidget(DIHConvertDMSBtn, row++, 2);
}

void TPBands::ProcessHeader() {
    if (HeaderPages.ItemIndex(DIHField::ProjectionCBOut) > LastCodeWithoutParameters) {
        SetProjPHintsMemo();
        ShowMessageNumber(HintsMessage);
    }
    CheckMapdData(HeaderPages);
}

void TPBands::Precheck2BtnClick() {
    ProcessHeader();
}

void TPBands::SetProjPHintsMemo() {
    ProjPHintsMemo->clear();
    for (const std::string& line :
         ProjectionHintLines(HeaderPages.ItemIndex(DIHField::ProjectionCBOut)))
        ProjPHintsMemo->appendPlainText(Latin1(line));
}

void TPBands::DIHTransformBtnClick() {
    DIHTransformCorners(HeaderPages);
}

void TPBands::RIHDMStoDDBtnClick() {
    ConvertDMSEdit(RIHDMStoDDEdit);
}

void TPBands::DIHConvertDMSBtnClick() {
    ConvertDMSEdit(DIHConvertDMSEdit);
}

void TPBands::StartRegBtnClick() {
    ArmMouseMode(RegistrationMode);
}

void TPBands::DIHAcceptBtnClick() {
    RegistrationMode = false;
}

void TPBands::DIHCopyBtnClick() {
    DIHRegMemo->copy();
}

void TPBands::DIHPrintBtnClick() {
    PrintTextOrRaise(*DIHRegMemo->document(), Latin1(HeaderPages[DIHField::RIHHeaderFileEdit]));
}
