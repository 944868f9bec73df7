#include "projections/ui/kovMemoFrm.h"

#include "projections/kovGlobal.h"
#include "shell/ui/vHelp.h"
#include "shell/ui/vPrinting.h"
#include "shell/ui/vVorn.h"
#include "shell/vGlobal.h"
#include "shell/vToolForms.h"

#include <QHBoxLayout>
#include <QProgressBar>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

QPointer<TkovMemoForm> kovMemoForm;

namespace {

QToolButton* PanelButton(QWidget* parent, const char* name, const QString& text,
                         const QString& hint) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(text);
    button->setToolTip(hint);
    return button;
}

} // namespace

TkovMemoForm::TkovMemoForm(QWidget* parent)
    : TToolWindow("Projection Messages", "kovMemoForm", TToolWindow::NoPosition, tfNone, parent) {
    auto* panel = new QWidget(this);
    ProLogMemoPrintBtn = PanelButton(panel, "ProLogMemoPrintBtn", "Print", "Print Log");
    ProLogMemoSaveBtn =
        PanelButton(panel, "ProLogMemoSaveBtn", "Save", "Save Log: Projectname.log");
    HelpBtn = PanelButton(panel, "HelpBtn", "Help", "Help");
    ProgressBar1 = new QProgressBar(panel);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(2, 2, 2, 2);
    row->addWidget(ProLogMemoPrintBtn);
    row->addWidget(ProLogMemoSaveBtn);
    row->addWidget(HelpBtn);
    row->addWidget(ProgressBar1, 1);

    ProLogMemo = new QTextEdit(this);
    ProLogMemo->setObjectName("ProLogMemo");
    ProLogMemo->setReadOnly(true);
    ProLogMemo->setLineWrapMode(QTextEdit::NoWrap);
    ProLogMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ProLogMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(panel);
    layout->addWidget(ProLogMemo, 1);
    resize(480, 360);

    connect(ProLogMemoPrintBtn, &QToolButton::clicked, this,
            [this] { Guarded([this] { ProLogMemoPrintBtnClick(); }); });
    connect(ProLogMemoSaveBtn, &QToolButton::clicked, this,
            [this] { Guarded([this] { ProLogMemoSaveBtnClick(); }); });
    ConnectHelp(HelpBtn, [this] { HelpBtnClick(); });
    FormCreate();
}

void TkovMemoForm::FormCreate() {
    move(ProjectionLogLeft, ProjectionLogTop);
}

void TkovMemoForm::FormClose() {
    ProjectionLogLeft = x();
    ProjectionLogTop = y();
    TToolWindow::FormClose();
}

void TkovMemoForm::LogChanged(bool show) {
    if (ProjectionLog.size() < LinesShown) {
        ProLogMemo->clear();
        LinesShown = 0;
    }
    // Plain text, block by block: the report lines align their values with runs of blanks.
    QTextCursor cursor(ProLogMemo->document());
    cursor.movePosition(QTextCursor::End);
    for (; LinesShown < ProjectionLog.size(); ++LinesShown) {
        if (LinesShown > 0) cursor.insertBlock();
        cursor.insertText(QString::fromLatin1(ProjectionLog[LinesShown].c_str()));
    }
    if (show) {
        this->show();
        raise();
    }
}

void TkovMemoForm::ProLogMemoPrintBtnClick() {
    PrintTextOrRaise(*ProLogMemo->document(),
                     QString::fromLocal8Bit(ProjectionLogDirectory + ProjectionLogName));
}

void TkovMemoForm::ProLogMemoSaveBtnClick() {
    if (!SaveProjectionLog()) ReportProjectionError(7, 7);
}

void TkovMemoForm::HelpBtnClick() {
    if (VORNForm) VORNForm->ShowHelpContext(ProjectionHelpTopic);
}
