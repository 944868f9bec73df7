#include "classify/ui/vClassifier.h"

#include "classify/vAccuracyReport.h"
#include "classify/vTrainingSites.h"
#include "histogram/ui/vHistogramControls.h"
#include "runtime/RtErrors.h"
#include "runtime/RtFiles.h"
#include "shell/ui/vPrinting.h"
#include "shell/vGlobal.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QFont>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
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

// The report box's paragraphs with the look of each stretch; what a stretch leaves unset is the
// box's own font, and text without a colour of its own is black.
AccuracyReport ReportOf(const QTextEdit* memo) {
    AccuracyReport report;
    const QFont base = memo->document()->defaultFont();
    for (QTextBlock b = memo->document()->begin(); b.isValid(); b = b.next()) {
        RichParagraph& p = report.emplace_back();
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            const QTextCharFormat format = f.charFormat();
            const QFont font = format.font().resolve(base);
            RichRun run;
            run.Text = f.text().toLatin1().toStdString();
            run.Font = font.family().toLatin1().toStdString();
            run.HalfPoints = qRound(font.pointSizeF() * 2);
            run.Bold = font.bold();
            if (format.foreground().style() != Qt::NoBrush) {
                const QColor c = format.foreground().color();
                run.Color = static_cast<uint32_t>(c.red() | c.green() << 8 | c.blue() << 16);
            }
            p.push_back(std::move(run));
        }
    }
    return report;
}

void ShowReport(QTextEdit* memo, const AccuracyReport& report) {
    memo->clear();
    QTextCursor at(memo->document());
    for (size_t i = 0; i < report.size(); ++i) {
        if (i > 0) at.insertBlock();
        for (const RichRun& r : report[i]) {
            QTextCharFormat format;
            if (!r.Font.empty()) format.setFontFamilies({Latin1Text(r.Font)});
            format.setFontPointSize(r.HalfPoints / 2.0);
            format.setFontWeight(r.Bold ? QFont::Bold : QFont::Normal);
            format.setForeground(QColor(static_cast<int>(r.Color & 0xFF),
                                        static_cast<int>(r.Color >> 8 & 0xFF),
                                        static_cast<int>(r.Color >> 16 & 0xFF)));
            at.insertText(Latin1Text(r.Text), format);
        }
    }
}

// Every character of the box in one size and weight; fonts and colours stay.
void SetReportLook(QTextEdit* memo, double points, bool bold) {
    QTextCursor all(memo->document());
    all.select(QTextCursor::Document);
    QTextCharFormat look;
    look.setFontPointSize(points);
    look.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    all.mergeCharFormat(look);
    QFont font = memo->font();
    font.setPointSizeF(points);
    font.setBold(bold);
    memo->setFont(font);
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
    ShowReport(CAMMemo, LoadAccuracyReport(chosen));
}

void TClassificationForm::CAMSaveClick() {
    FileDialogRequest r;
    r.Save = true;
    r.Filter = ClassifierSaveFilter;
    r.FilterIndex = MatrixFilter;
    r.DefaultExt = "rcm";
    r.OpenIn(ImageDirectory);
    const std::string chosen = HookChooseFile(r);
    if (chosen.empty()) return;
    SaveAccuracyReport(chosen, ReportOf(CAMMemo), TReplaceLeave::Chosen(chosen));
}

void TClassificationForm::CAMCopyButtonClick() {
    CAMMemo->selectAll();
    QApplication::clipboard()->setText(CAMMemo->toPlainText());
}

void TClassificationForm::CAMPrintClick() {
    CAMMemo->selectAll();
    SetReportLook(CAMMemo, 12, true);
    const PrintOutcome outcome = PrintTextDocument(
        *CAMMemo->document(), Latin1Text(CurrentImageName), SayNoPrinterAvailable);
    SetReportLook(CAMMemo, 8, false);
    if (outcome == PrintOutcome::Failed) throw EInOutError(EInOutError::AccessDenied);
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
