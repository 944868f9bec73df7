#include "bandproc/ui/vDisPcaPage.h"

#include "bandproc/ui/vDisHistPage.h"
#include "bandproc/ui/vDisPageKit.h"
#include "bandproc/ui/vDisProFrm.h"
#include "bandproc/ui/vDisProPages.h"
#include "bandproc/vBandFiles.h"
#include "bandproc/vPCA.h"
#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "shell/vGlobal.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

constexpr int NotReadyMessage = 39993;

} // namespace

QWidget* BuildPCAPage(TDisProcessForm* form) {
    return new TDisPCAPage(form);
}

TDisPCAPage::TDisPCAPage(TDisProcessForm* form) : Form(form) {
    auto* layout = new QVBoxLayout(this);
    auto* top = new QGroupBox(this);
    auto* grid = new QGridLayout(top);
    PCADisFileBtn = KitButton(top, "PCADisFileBtn", "1. Select DIS Header File");
    PCAFilesBtn = KitButton(top, "PCAFilesBtn", "2. Select data Files");
    BandsSelectedLabel = KitLabel(top, "BandsSelectedLabel", "0");
    ToleranceEdit = KitEdit(top, "ToleranceEdit", "200");
    ToleranceEdit->setToolTip("Tolerance > 0");
    MaxIterEdit = KitEdit(top, "MaxIterEdit", "200");
    MaxIterEdit->setToolTip("Max Itereration > 1");
    PCAFileEdit = KitEdit(top, "PCAFileEdit");
    PCAOKBtn = KitButton(top, "PCAOKBtn", "3. Press Me");
    PCACopy = KitButton(top, "PCACopy", "Copy");
    grid->addWidget(PCADisFileBtn, 0, 0);
    grid->addWidget(PCAFileEdit, 0, 1);
    grid->addWidget(PCAFilesBtn, 1, 0);
    grid->addWidget(BandsSelectedLabel, 1, 1);
    grid->addWidget(new QLabel("Tolerance", top), 2, 0);
    grid->addWidget(ToleranceEdit, 2, 1);
    grid->addWidget(new QLabel("Max Iterations", top), 3, 0);
    grid->addWidget(MaxIterEdit, 3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(PCAOKBtn);
    buttons->addWidget(PCACopy);
    buttons->addWidget(TDisProcessForm::HelpButton(top, "PCAHelp", 2100));
    grid->addLayout(buttons, 4, 0, 1, 2);
    layout->addWidget(top);
    PCAMemo = new QPlainTextEdit(this);
    PCAMemo->setObjectName("PCAMemo");
    PCAMemo->setToolTip("Show Me");
    PCAMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(PCAMemo, 1);

    connect(PCADisFileBtn, &QPushButton::clicked, form, [form] { form->ALLDISFileBtnClick(); });
    connect(PCAFilesBtn, &QPushButton::clicked, this,
            [this] { Form->Guarded([this] { PCAFilesBtnClick(); }); });
    connect(PCAOKBtn, &QPushButton::clicked, this,
            [this] { Form->RunBand([this] { PCAOKBtnClick(); }); });
    connect(PCACopy, &QPushButton::clicked, this, [this] { PCACopyClick(); });
    form->OnDISChosen([this](const std::string& dis) {
        SetText(PCAFileEdit, dis);
        PCAMemo->clear();
        PCAFiles.clear();
        PCABandCount = 0;
        BandsSelectedLabel->setText("0");
    });
    form->OnClose([] { PCAStats.clear(); });
}

void TDisPCAPage::Append(const std::vector<std::string>& lines) {
    for (const auto& line : lines)
        PCAMemo->appendPlainText(QString::fromLatin1(line.c_str()));
}

void TDisPCAPage::PCAFilesBtnClick() {
    FileDialogRequest request;
    request.Filter = BandFilter;
    request.OpenIn(ImageDirectory);
    request.MultiSelect = true;
    const std::string first = HookChooseFile(request);
    if (first.empty()) return;
    std::vector<std::string> chosen = request.Files;
    if (chosen.empty()) chosen.push_back(first);
    MoveSceneFolder(ExtractFilePath(first));
    for (const auto& f : chosen) {
        ++PCABandCount;
        PCAFiles.push_back(f);
    }
    Append(chosen);
    BandsSelectedLabel->setText(QString::number(PCABandCount));
}

void TDisPCAPage::PCAOKBtnClick() {
    PCABandCount = std::min(PCABandCount, int32_t{PCAMaxBands});
    if (PCABandCount < 2) {
        ShowMessageNumber(NotReadyMessage);
        return;
    }
    // A bad tolerance or limit stops the run before anything is counted or logged.
    double tolerance = 0.0, limit = 0.0;
    if (!TDisProcessForm::NumberOf(ToleranceEdit->text(), tolerance) ||
        !TDisProcessForm::NumberOf(MaxIterEdit->text(), limit))
        return;
    const std::vector<std::string> files(PCAFiles.begin(), PCAFiles.begin() + PCABandCount);
    TBandGeometry g;
    if (!SubsetGeometry(SubsetBounds, g)) return;
    std::vector<std::string> report;
    auto* histogram = qobject_cast<TDisHistogramPage*>(Form->TabSheet1);
    const bool counted = PCABandStatistics(
        files, g, BandStatsReference, report,
        [](int percent) {
            HookBandGauge(percent);
            HookProcessMessages();
        },
        [histogram](const std::string& path, const TBandBlock& block,
                    const BandHistogram& bandCounts) {
            if (histogram) histogram->ShowCountedBand(path, block, bandCounts);
        });
    Append(report);
    if (!counted) return;
    std::vector<std::string> log = {"Image PCA:", SceneFolder, TextOf(PCAFileEdit)};
    log.insert(log.end(), files.begin(), files.end());
    HookBandHints("Doing PCA of the stats");
    HookProcessMessages();
    report.clear();
    const int32_t iterations =
        std::isfinite(limit) ? static_cast<int32_t>(std::clamp(limit, -1.0, 2147483647.0)) : 1;
    DoPCA(PCABandCount, iterations, tolerance, report);
    Append(report);
    if (PCABands(PCABandCount, files)) TDisProcessForm::DISLog(log);
    HookBandHints("");
}

void TDisPCAPage::PCACopyClick() {
    PCAMemo->selectAll();
    PCAMemo->copy();
}
