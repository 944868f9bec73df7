#include "classify/ui/vClassifier.h"

#include "classify/vAccuracyReport.h"
#include "classify/vTrainingSites.h"
#include "histogram/ui/vHistogramControls.h"
#include "runtime/RtFiles.h"
#include "shell/vGlobal.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QFont>
#include <QGridLayout>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTextEdit>

using namespace histogram_ui;

namespace {

const char* const NNItems[] = {"Neural Clusters", "New Wave", "Bayes Stats", "Stats grow"};

// Filter places of the classifier-file dialogs.
constexpr int NeuralNetFilter = 4;
constexpr int MatrixFilter = 5;
constexpr int TruthFilter = 6;

QPushButton* PageButton(QWidget* page, const char* name, const char* caption, const char* hint) {
    QPushButton* b = MakeButton(page, name, caption);
    b->setToolTip(hint);
    return b;
}

} // namespace

QWidget* TClassificationForm::MakeAccuracyPage() {
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    CAMMemo = new QTextEdit(page);
    CAMMemo->setObjectName("CAMMemo");
    CAMMemo->setLineWrapMode(QTextEdit::NoWrap);
    CAMMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    CAMMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont font = CAMMemo->font();
    font.setPointSize(8);
    CAMMemo->setFont(font);
    CAMEdit = MakeEdit(page, "CAMEdit", 120);
    CAMLoad = PageButton(page, "CAMLoad", "Open", "Open CAM file");
    CAMSave = PageButton(page, "CAMSave", "Save", "Save CA Matrix into file");
    CAMCopyButton = PageButton(page, "CAMCopyButton", "Copy", "Place image onto Clipboard");
    CAMPrint = MakeButton(page, "CAMPrint", "Print");
    CAMLoadTruth = PageButton(page, "CAMLoadTruth", "Open", "Open Truth file");
    CAMProcess = PageButton(page, "CAMProcess", "OK", "Validate Raster Image against Truth Image");
    CAMHelpBtn = MakeHelpButton(page, "CAMHelpBtn", 11400);
    grid->addWidget(CAMMemo, 0, 0, 1, 4);
    grid->addWidget(CAMLoad, 1, 0);
    grid->addWidget(CAMSave, 1, 1);
    grid->addWidget(CAMCopyButton, 1, 2);
    grid->addWidget(CAMPrint, 1, 3);
    grid->addWidget(CAMLoadTruth, 2, 0);
    grid->addWidget(CAMEdit, 2, 1);
    grid->addWidget(CAMHelpBtn, 2, 2);
    grid->addWidget(CAMProcess, 2, 3);
    const auto on = [this](QPushButton* b, void (TClassificationForm::*click)()) {
        connect(b, &QPushButton::clicked, this,
                [this, click] { Guarded([this, click] { (this->*click)(); }); });
    };
    on(CAMLoad, &TClassificationForm::CAMLoadClick);
    on(CAMSave, &TClassificationForm::CAMSaveClick);
    on(CAMCopyButton, &TClassificationForm::CAMCopyButtonClick);
    on(CAMPrint, &TClassificationForm::CAMPrintClick);
    on(CAMLoadTruth, &TClassificationForm::CAMLoadTruthClick);
    on(CAMProcess, &TClassificationForm::CAMProcessClick);
    return page;
}

QWidget* TClassificationForm::MakeNeuralNetPage() {
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    NNRG = RadioGroup(page, "NNRG", "Neural Net", NNItems, grid, 0, 0, 1, 1, 3);
    NNRG->buttons().first()->parentWidget()->setToolTip("NN of Image");
    NNOpenButton = PageButton(page, "NNOpenButton", "Open", "Open Neural Net file");
    NNEdit = MakeEdit(page, "NNEdit", 120);
    NNProcess = MakeButton(page, "NNProcess", "OK");
    NNHelpBtn = MakeButton(page, "NNHelpBtn", "Help");
    grid->addWidget(NNOpenButton, 1, 0);
    grid->addWidget(NNEdit, 1, 1);
    grid->addWidget(NNHelpBtn, 2, 1);
    grid->addWidget(NNProcess, 2, 2);
    connect(NNOpenButton, &QPushButton::clicked, this,
            [this] { Guarded([this] { NNOpenButtonClick(); }); });
    return page;
}

void TClassificationForm::CAMLoadClick() {
    const std::string chosen = ChooseClassifierFile(MatrixFilter);
    if (chosen.empty()) return;
    CAMMemo->clear();
    CAMMemo->setPlainText(Latin1Text(LoadAccuracyReport(chosen)));
}

void TClassificationForm::CAMSaveClick() {
    FileDialogRequest r;
    r.Save = true;
    r.Filter = ClassifierSaveFilter;
    r.FilterIndex = MatrixFilter;
    r.DefaultExt = "rcm";
    r.InitialDir = ImageDirectory;
    const std::string chosen = HookChooseFile(r);
    if (chosen.empty()) return;
    SaveAccuracyReport(chosen, CAMMemo->toPlainText().toLatin1().toStdString());
}

void TClassificationForm::CAMCopyButtonClick() {
    CAMMemo->selectAll();
    QApplication::clipboard()->setText(CAMMemo->toPlainText());
}

void TClassificationForm::CAMPrintClick() {
    CAMMemo->selectAll();
    QFont font = CAMMemo->font();
    font.setPointSize(12);
    font.setBold(true);
    CAMMemo->setFont(font);
    QPrinter printer;
    printer.setDocName(Latin1Text(CurrentImageName));
    if (printer.isValid())
        CAMMemo->document()->print(&printer);
    else
        HookShowMessage(MsgKind::Information, "No printer is available.", MessageX, MessageY);
    font.setPointSize(8);
    font.setBold(false);
    CAMMemo->setFont(font);
}

void TClassificationForm::CAMLoadTruthClick() {
    const std::string chosen = ChooseClassifierFile(TruthFilter);
    if (chosen.empty()) return;
    ClassifierFileNames.TruthImage = chosen;
    CAMEdit->setText(Latin1Text(ExtractFileName(chosen)));
}

// No accuracy is worked out; the truth picture is only looked for.
void TClassificationForm::CAMProcessClick() {
    (void)FileExists(ClassifierFileNames.TruthImage);
}

void TClassificationForm::NNOpenButtonClick() {
    const std::string chosen = ChooseClassifierFile(NeuralNetFilter);
    if (chosen.empty()) return;
    ClassifierFileNames.NeuralNet = chosen;
    NNEdit->setText(Latin1Text(ExtractFileName(chosen)));
}
