// The "Statistical Classifier" and "SC data" pages: histograms coloured by the classes of one
// seed method, the class display of the working image (also played from macros), the
// class-method cycle on the main image, and the statistics and tables as text.
#include "histogram/ui/vHistogram.h"

#include "histogram/ui/vHistogramControls.h"
#include "histogram/vClassDisplay.h"
#include "histogram/vHistogramPages.h"
#include "histogram/vSeedBreaks.h"
#include "histogram/vUHistoCC.h"
#include "runtime/RtNumbers.h"
#include "shell/ui/vUEnabler.h"
#include "shell/ui/vVorn.h"
#include "shell/vGlobal.h"
#include "shell/vToolModes.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace histogram_ui;

namespace {

constexpr int ClassifierHelpTopic = 6600;
constexpr int ClassHistogramHelpTopic = 6500;
constexpr int PlotWidth = 300;
constexpr int PlotHeight = 120;
constexpr const char* SaveSuffixes[BandCount] = {"SCR.bmp", "SCG.bmp", "SCB.bmp"};
constexpr const char* BandNames[BandCount] = {"Red", "Green", "Blue"};
constexpr const char* DisplayCommand = "=0101   H_SC Display";
constexpr int CycleFailedMessage = 40000;

int SelectedMethod(const QButtonGroup* group) {
    const int method = ItemIndex(group);
    return method < 0 ? 0 : method;
}

// The main window ends the cycle as it ends every mode that holds the undo copy: the caption and
// the unprocessed picture come back, the commands are enabled again.
void EndClassMethodCycle() {
    UndoCopyHeld = false;
    if (Hooks.EndUndoHoldingMode) Hooks.EndUndoHoldingMode();
    ClassMethodCycleMode = false;
}

} // namespace

void THistogramForm::BuildClassifierPage(QWidget* page) {
    auto* grid = new QGridLayout(page);
    auto* choices = new QGridLayout;
    SCHGroup = MakeRadioGroup(page, "SCHGroup", "Seed method",
                              {SeedMethodItems[0], SeedMethodItems[1], SeedMethodItems[2],
                               SeedMethodItems[3], SeedMethodItems[4], SeedMethodItems[5],
                               SeedMethodItems[6], SeedMethodItems[7], SeedMethodItems[8]},
                              choices, 0, 0);
    SC_DT_RGroup = MakeRadioGroup(page, "SC_DT_RGroup", "Display", {"Blue", "Green", "Red", "BGR"},
                                  choices, 1, 0, 4);
    H_SCDisplayBtn = MakeButton(page, "H_SCDisplayBtn", "Display Selected SC");
    H_SCDisplayALLBtn = MakeButton(page, "H_SCDisplayALLBtn", "Rotate All Stat Classes");
    H_SCHBtn = MakeButton(page, "H_SCHBtn", "Histogram Selected Classifier");
    H_SCHPressBtn = MakeButton(page, "H_SCHPressBtn", "Press me");
    H_SCHDrinkBtn = MakeButton(page, "H_SCHDrinkBtn", "Drink me");
    int row = 2;
    for (QPushButton* b : {H_SCDisplayBtn, H_SCDisplayALLBtn, H_SCHBtn})
        choices->addWidget(b, row++, 0);
    auto* edits = new QGridLayout;
    for (size_t k = 0; k < SCHEdit.size(); ++k) {
        SCHEdit[k] = MakeEdit(page, QString("SCHEdit%1").arg(k + 1), 40);
        edits->addWidget(SCHEdit[k], 0, static_cast<int>(k));
    }
    choices->addLayout(edits, row++, 0);
    auto* odd = new QHBoxLayout;
    odd->addWidget(H_SCHPressBtn);
    odd->addWidget(H_SCHDrinkBtn);
    odd->addWidget(MakeHelpButton(page, "HStatisticalClassifier", ClassifierHelpTopic));
    odd->addWidget(MakeHelpButton(page, "HSCHistogram", ClassHistogramHelpTopic, "Histogram Help"));
    choices->addLayout(odd, row++, 0);
    choices->setRowStretch(row, 1);
    grid->addLayout(choices, 0, 0, BandCount, 1);

    for (int band = 0; band < BandCount; ++band) {
        const size_t b = static_cast<size_t>(band);
        ImageSCH[b] =
            MakePlotView(page, QString("ImageSCH") + BandNames[band][0], PlotWidth, PlotHeight);
        SCHSaveBtn[b] = MakeButton(page, QString("SCHSave") + BandNames[band] + "Btn",
                                   QString("Save ") + BandNames[band]);
        SCHBandBtn[b] = MakeButton(page, QString("SCH") + BandNames[band] + "Btn",
                                   QString(BandNames[band]) + " breaks");
        auto* side = new QVBoxLayout;
        side->addWidget(SCHSaveBtn[b]);
        side->addWidget(SCHBandBtn[b]);
        side->addStretch();
        grid->addWidget(ImageSCH[b], band, 1);
        grid->addLayout(side, band, 2);
        connect(SCHSaveBtn[b], &QPushButton::clicked, this,
                [this, band] { Guarded([&] { SCHSaveBtnClick(band); }); });
        connect(SCHBandBtn[b], &QPushButton::clicked, this,
                [this, band] { Guarded([&] { SCHBandBtnClick(band); }); });
    }

    connect(SC_DT_RGroup, &QButtonGroup::idClicked, this,
            [this](int item) { Guarded([&] { SC_DT_RGroupClick(item); }); });
    connect(H_SCDisplayBtn, &QPushButton::clicked, this,
            [this] { Guarded([this] { H_SCDisplayBtnClick(); }); });
    connect(H_SCDisplayALLBtn, &QPushButton::clicked, this,
            [this] { Guarded([this] { H_SCDisplayALLBtnClick(); }); });
    connect(H_SCHBtn, &QPushButton::clicked, this,
            [this] { Guarded([this] { H_SCHBtnClick(); }); });
}

void THistogramForm::BuildClassifierDataPage(QWidget* page) {
    H_SCBtn = MakeButton(page, "H_SCBtn", "Activate Statistics Text Display");
    H_SCClipCopyBtn = MakeButton(page, "H_SCClipCopyBtn", "Copy SC Text Values");
    H_SCMemo = new QPlainTextEdit(page);
    H_SCMemo->setObjectName("H_SCMemo");
    H_SCMemo->setReadOnly(true);
    H_SCMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(H_SCBtn);
    buttons->addWidget(H_SCClipCopyBtn);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(buttons);
    layout->addWidget(H_SCMemo);
    connect(H_SCBtn, &QPushButton::clicked, this, [this] { Guarded([this] { H_SCBtnClick(); }); });
    connect(H_SCClipCopyBtn, &QPushButton::clicked, this,
            [this] { Guarded([this] { H_SCClipCopyBtnClick(); }); });
}

void THistogramForm::HistoPagesChange(int page) {
    if (page == PageClassifier)
        SetItemIndex(SC_DT_RGroup, ClassToggleItemOf(ItemIndex(SC_DT_RGroup)));
}

void THistogramForm::DoH_SCDisplay(int Method, int Toggle) {
    // A macro line may hold any number; only the groups' own items are played.
    if (Method < 0 || Method >= SeedMethodItemCount || Toggle < 0 || Toggle >= ClassToggleItemCount)
        return;
    CopyImageForProcessing();
    if (!ImageBuffersLocked) return;
    SetItemIndex(SCHGroup, Method);
    SetItemIndex(SC_DT_RGroup, Toggle);
    SC_DT_RGroupClick(Toggle);
    SelectClassBreaks(Method);
    ShowClassesDisplay(Method);
    ShowProcessedImage();
}

void THistogramForm::H_SCDisplayBtnClick() {
    OperationScope scope;
    if (!scope.Acquired()) return;
    const int method = SelectedMethod(SCHGroup);
    const int toggle = ItemIndex(SC_DT_RGroup);
    if (RanOnThePicture([&] { DoH_SCDisplay(method, toggle); }))
        RecordCommand(DisplayCommand, {IntToStr(method), IntToStr(toggle)});
}

void THistogramForm::SC_DT_RGroupClick(int item) {
    SelectClassToggle(item);
}

void THistogramForm::H_SCDisplayALLBtnClick() {
    OperationScope scope;
    if (!scope.Acquired()) return;
    if (ClassMethodCycleMode) {
        EndClassMethodCycle();
        return;
    }
    EnableImageCommands(false);
    EnableClassifyMenus(false);
    CopyImageForProcessing();
    if (!ImageBuffersLocked) {
        ShowMessageNumber(CycleFailedMessage);
        EnableImageCommands(true);
        EnableClassifyMenus(true);
        return;
    }
    // Set only now: the copy ends any mode that held the undo copy before, this one included.
    // Closing the window ends the cycle as its button does.
    ArmMouseMode(ClassMethodCycleMode, EndClassMethodCycle);
    ClassMethodIndex = 0;
    SelectClassBreaks(ClassMethodIndex);
    ShowClassesDisplay(ClassMethodIndex);
    UndoCopyHeld = true;
    if (VORNForm) VORNForm->setWindowTitle(VORNForm->windowTitle() + "  Natural Break Class");
}

void THistogramForm::H_SCHBtnClick() {
    const size_t method = static_cast<size_t>(SelectedMethod(SCHGroup));
    for (size_t b = 0; b < BandCount; ++b) {
        const int band = static_cast<int>(b);
        ShowBandHistogram(band, HistogramOf(band), BandHistogramStats[b].Mode,
                          ClassBars(SeedBreakTables[b][method]), ClassifierPictures[b],
                          ImageSCH[b]);
        SCHSaveBtn[b]->setEnabled(true);
    }
}

void THistogramForm::SCHSaveBtnClick(int band) {
    if (band < 0 || band >= BandCount) return;
    SaveHistogramPicture(ClassifierPictures[static_cast<size_t>(band)], SaveSuffixes[band]);
}

void THistogramForm::SCHBandBtnClick(int band) {
    if (band < 0 || band >= BandCount) return;
    const SeedBreakRow& row =
        SeedBreakTables[static_cast<size_t>(band)][static_cast<size_t>(SelectedMethod(SCHGroup))];
    for (size_t k = 0; k < SCHEdit.size(); ++k)
        SCHEdit[k]->setText(QString::number(row[k + 1]));
}

void THistogramForm::H_SCBtnClick() {
    for (const std::string& line : ClassifierStatisticsText())
        H_SCMemo->appendPlainText(QString::fromLatin1(line.c_str()));
}

void THistogramForm::H_SCClipCopyBtnClick() {
    H_SCMemo->copy();
}
