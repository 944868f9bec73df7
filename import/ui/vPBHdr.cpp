#include "import/ui/vPBHdr.h"

#include "import/ui/vHeaderBinder.h"
#include "platform/PlRichText.h"
#include "runtime/RtErrors.h"
#include "runtime/RtFiles.h"
#include "shell/ui/vHelp.h"
#include "shell/ui/vPrinting.h"
#include "shell/ui/vVorn.h"
#include "shell/vGlobal.h"
#include "shell/vToolForms.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

QPointer<TPBandHdrForm> PBandHdrForm;

namespace {
constexpr int HelpTopic = 2003;
}

void LoadHeaderText(QTextEdit* box, const std::string& fileName) {
    box->clear();
    std::string text;
    if (!ReadWholeFile(fileName, text)) throw EInOutError(EInOutError::FileNotFound);
    box->setPlainText(MemoText(LinesFromDocument(text)));
}

TPBandHdrForm::TPBandHdrForm(QWidget* parent)
    : TToolWindow("Header Import", "PBandHdrForm", fpPBandHdr, tfNone, parent) {
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    DDRHdrEdit = new QLineEdit(this);
    DDRHdrEdit->setObjectName("DDRHdrEdit");
    DDRHdrEdit->setToolTip("DDR Header File Name");
    const struct {
        QPushButton** Button;
        const char* Name;
        const char* Caption;
        const char* Hint;
        void (TPBandHdrForm::*Click)();
    } buttons[] = {
        {&DDRPrintBtn, "DDRPrintBtn", "Print", "", &TPBandHdrForm::DDRPrintBtnClick},
        {&DDRCopyBtn, "DDRCopyBtn", "Copy", "Copy Memo text to Clipboard",
         &TPBandHdrForm::DDRCopyBtnClick},
        {&ExitButton, "ExitButton", "Exit", "Exit", &TPBandHdrForm::ExitButtonClick},
        {&DDRIDXHelpBtn, "DDRIDXHelpBtn", "Help", "", nullptr},
    };
    top->addWidget(DDRHdrEdit, 1);
    for (const auto& b : buttons) {
        *b.Button = new QPushButton(b.Caption, this);
        (*b.Button)->setObjectName(b.Name);
        (*b.Button)->setToolTip(b.Hint);
        const auto click = b.Click;
        if (click)
            connect(*b.Button, &QPushButton::clicked, this,
                    [this, click] { Guarded([&] { (this->*click)(); }); });
        else
            ConnectHelp(*b.Button, HelpTopic);
        top->addWidget(*b.Button);
    }
    ExitButton->setStatusTip("Exit this program");
    layout->addLayout(top);
    DDRIDXMemo = new QTextEdit(this);
    DDRIDXMemo->setObjectName("DDRIDXMemo");
    DDRIDXMemo->setAcceptRichText(false);
    DDRIDXMemo->setLineWrapMode(QTextEdit::NoWrap);
    layout->addWidget(DDRIDXMemo);
    resize(640, 480);
}

void TPBandHdrForm::Load(const std::string& fileName) {
    LoadHeaderText(DDRIDXMemo, fileName);
}

void TPBandHdrForm::ExitButtonClick() {
    close();
}

void TPBandHdrForm::DDRCopyBtnClick() {
    DDRIDXMemo->copy();
}

void TPBandHdrForm::DDRPrintBtnClick() {
    PrintTextOrRaise(*DDRIDXMemo->document(), DDRHdrEdit->text());
}

TPBandHdrForm* ShowHeaderViewer(const std::string& fileName) {
    if (!PBandHdrFormExists || !PBandHdrForm) {
        if (!PBandHdrForm) PBandHdrForm = new TPBandHdrForm(VORNForm);
        PBandHdrFormExists = true;
    }
    PBandHdrForm->show();
    PBandHdrForm->raise();
    PBandHdrForm->Load(fileName);
    return PBandHdrForm;
}
