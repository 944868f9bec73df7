#include "classify/ui/vClassifier.h"

#include "classify/vClassDispatch.h"
#include "classify/vClassifiers.h"
#include "histogram/ui/vHistogramControls.h"
#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "shell/ui/vApplication.h"
#include "shell/ui/vClassColorGrid.h"
#include "shell/ui/vHelp.h"
#include "shell/ui/vImageView.h"
#include "shell/ui/vVorn.h"
#include "shell/vGlobal.h"
#include "shell/vToolForms.h"
#include "shell/vToolModes.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

#include <span>

using namespace histogram_ui;

QPointer<TClassificationForm> ClassificationForm;

const char* const ClassifierSaveFilter =
    "Training Site (rts)|*.rts|KB Classes (rkb)|*.rkb|Overlay Classes (rdo)|*.rdo|NN Classes "
    "(rnn)|*.rnn|Classification Matrix (rcm)|*.rcm";
const char* const ClassifierOpenFilter =
    "Training Site (rts)|*.rts|KB Classes (rkb)|*.rkb|Overlay Classes (rdo)|*.rdo|NN Classes "
    "(rnn)|*.rnn|Classification Matrix (rcm)|*.rcm|Png Image (png)|*.png";

QString Latin1Text(const std::string& s) {
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

namespace {

const char* const KBItems[] = {"BreakTester", "Data Graphics", "Graphic Tree", "DecisionTree",
                               "Fuzzy Tree",  "Expert Rules",  "Fuzzy Rules"};
const char* const LayerItems[] = {"Map Overlay",   "DEM Layer", "Weather",
                                  "Contextual KB", "Textures",  "Bayes Stats"};

} // namespace

QButtonGroup* RadioGroup(QWidget* parent, const QString& name, const QString& caption,
                         std::span<const char* const> items, QGridLayout* into, int row, int column,
                         int columns, int rowSpan, int columnSpan) {
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(name);
    auto* grid = new QGridLayout(box);
    auto* group = new QButtonGroup(box);
    group->setObjectName(name);
    const int perColumn = (static_cast<int>(items.size()) + columns - 1) / columns;
    for (int id = 0; id < static_cast<int>(items.size()); ++id) {
        auto* r = new QRadioButton(QString::fromLatin1(items[static_cast<size_t>(id)]), box);
        group->addButton(r, id);
        grid->addWidget(r, id % perColumn, id / perColumn);
    }
    group->button(0)->setChecked(true);
    into->addWidget(box, row, column, rowSpan, columnSpan);
    return group;
}

std::string ChooseClassifierFile(int filterIndex) {
    FileDialogRequest r;
    r.Filter = ClassifierOpenFilter;
    r.FilterIndex = filterIndex;
    r.OpenIn(ImageDirectory);
    return HookChooseFile(r);
}

namespace {

std::string Text(const QLineEdit* e) {
    return e->text().toLatin1().toStdString();
}

} // namespace

TClassificationForm::TClassificationForm(QWidget* parent)
    : TToolWindow("Classification", "ClassificationForm", fpClassification, tfClassification,
                  parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    auto* top = new QGridLayout;
    HintsPanel = new QLabel("Classification Comments", this);
    HintsPanel->setObjectName("HintsPanel");
    ExitButton = MakeButton(this, "ExitButton", "Exit");
    ExitButton->setToolTip("Exit this program");
    ClassGauge = new QProgressBar(this);
    ClassGauge->setObjectName("ClassGauge");
    ClassGauge->setRange(0, 100);
    ClassGauge->setValue(0);
    ClassGauge->setStyleSheet("QProgressBar { background: blue; } "
                              "QProgressBar::chunk { background: red; }");
    ClassificationHelp = MakeHelpButton(this, "ClassificationHelp", 11000);
    top->addWidget(HintsPanel, 0, 0);
    top->addWidget(ExitButton, 0, 1);
    top->addWidget(ClassGauge, 0, 2);
    top->addWidget(ClassificationHelp, 0, 3);
    layout->addLayout(top);

    ClassPages = new QTabWidget(this);
    ClassPages->setObjectName("ClassPages");
    ClassPages->addTab(MakeImageBasedPage(), "Image Based");
    ClassPages->addTab(MakeTrainingSitePage(), "Training Site");
    ClassPages->addTab(MakeClassChangerPage(), "Class changer");
    ClassPages->addTab(MakeNeuralNetPage(), "Neural Net");
    ClassPages->addTab(MakeAccuracyPage(), "Classification Accuracy Matrix");
    SetPageHelpContexts(ClassPages, {11100, 11200, 11300, 11500, 11400});
    ClassPages->setTabEnabled(PageNeuralNet, false);
    ClassPages->setTabEnabled(PageAccuracy, false);
    ClassPages->setCurrentIndex(PageImageBased);
    layout->addWidget(ClassPages);

    // Exit and the close box end this window's iterating run (after its pass under way), the
    // one run that could otherwise not be stopped; during any other run the close is refused.
    HeardMidRun(ExitButton);
    HearCloseMidRun(this);
    connect(ExitButton, &QPushButton::clicked, this, [this] { ExitButtonClick(); });

    ClassifierForm.SetDataIntoForm = [this] { SetDataIntoForm(10); };
    ClassifierForm.ShowSiteFileName = [this] { ShowSiteFileName(); };
    ClassifierForm.ShowChoices = [this](const ClassificationBlock& b) { ShowChoices(b); };
    ClassifierForm.ShowHint = [this](const std::string& text) {
        HintsPanel->setText(Latin1Text(text));
    };
    ClassifierForm.SetGauge = [this](int32_t percent) { ClassGauge->setValue(percent); };
    TrainingSites = {};
    PBoxClear(10);
    ColorResetPanels();
    ClassifierRefits = {};
}

TClassificationForm::~TClassificationForm() {
    ReleaseHooks();
}

void TClassificationForm::ReleaseHooks() {
    ClassifierForm.SetDataIntoForm = nullptr;
    ClassifierForm.ShowSiteFileName = nullptr;
    ClassifierForm.ShowChoices = nullptr;
    ClassifierForm.ShowHint = nullptr;
    ClassifierForm.SetGauge = nullptr;
}

QWidget* TClassificationForm::MakeImageBasedPage() {
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setSpacing(2);
    CUSeedRG = RadioGroup(page, "CUSeedRG", "Parallelpiped Seed", SeedItems, grid, 0, 0, 1, 4);
    CUSeedRG->buttons().first()->parentWidget()->setToolTip("Select one");
    std::array<const char*, ClassifierItemCount> classifiers;
    for (size_t i = 0; i < classifiers.size(); ++i)
        classifiers[i] = ClassifierItems[i].Text;
    CUUCRG =
        RadioGroup(page, "CUUCRG", "Image Based Classifiers", classifiers, grid, 0, 1, 3, 1, 3);

    auto* params = new QGridLayout;
    const auto edit = [&](QLineEdit*& e, const char* name, const char* caption, const char* text,
                          int row) {
        e = MakeEdit(page, name);
        e->setText(text);
        params->addWidget(new QLabel(caption, page), row, 0);
        params->addWidget(e, row, 1);
    };
    edit(CUCREdit, "CUCREdit", "Cluster Radius", "15", 0);
    edit(CUSDEdit, "CUSDEdit", "Separation Distance", "30", 1);
    edit(CURAEdit, "CURAEdit", "Iterations", "1", 2);
    edit(CUMCEdit, "CUMCEdit", "Maximum (9..20) # of Clusters", "20", 3);
    RefitPipedsCB = new QCheckBox("Refit Pipeds to:", page);
    RefitPipedsCB->setObjectName("RefitPipedsCB");
    RefitPipedsCB->setToolTip("Takes time during Cluster processing");
    RefitRadiusCB = new QCheckBox("Refit Radius", page);
    RefitRadiusCB->setObjectName("RefitRadiusCB");
    params->addWidget(RefitPipedsCB, 4, 0);
    params->addWidget(RefitRadiusCB, 4, 1);
    grid->addLayout(params, 1, 1);

    KBRG = RadioGroup(page, "KBRG", "Knowledge Based", KBItems, grid, 1, 2, 2);
    KBRG->buttons().first()->parentWidget()->setToolTip("Percentile weights");
    CLayerRG = RadioGroup(page, "CLayerRG", "Data Overlays", LayerItems, grid, 1, 3, 2);
    CLayerRG->buttons().first()->parentWidget()->setToolTip("Boolean verifiecation");
    KBOpenButton = MakeButton(page, "KBOpenButton", "Open");
    KBOpenButton->setToolTip("Open Knowledge file");
    KBEdit = MakeEdit(page, "KBEdit", 100);
    CLayerOpen = MakeButton(page, "CLayerOpen", "Open");
    CLayerOpen->setToolTip("Open Neural Net file");
    CLayerEdit = MakeEdit(page, "CLayerEdit", 100);
    auto* kb = new QHBoxLayout;
    kb->addWidget(KBOpenButton);
    kb->addWidget(KBEdit);
    grid->addLayout(kb, 2, 2);
    auto* layer = new QHBoxLayout;
    layer->addWidget(CLayerOpen);
    layer->addWidget(CLayerEdit);
    grid->addLayout(layer, 2, 3);

    auto* buttons = new QGridLayout;
    CUSeedSites = MakeButton(page, "CUSeedSites", "Seed Training Site");
    CULoadSites = MakeButton(page, "CULoadSites", "Load Training Sites");
    CUSaveSites = MakeButton(page, "CUSaveSites", "Save");
    CSTSFileEdit = MakeEdit(page, "CSTSFileEdit", 120);
    CUHelpBtn = MakeHelpButton(page, "CUHelpBtn", 11100);
    CUProcessBtn = MakeButton(page, "CUProcessBtn", "OK");
    buttons->addWidget(CUSeedSites, 0, 0);
    buttons->addWidget(CULoadSites, 0, 1);
    buttons->addWidget(CUSaveSites, 0, 2);
    buttons->addWidget(CSTSFileEdit, 0, 3);
    buttons->addWidget(new QLabel("CurrentColor as: UnClassified", page), 1, 0);
    CurrentColorPanel = new TColorPanel(page);
    CurrentColorPanel->setObjectName("CurrentColorPanel");
    CurrentColorPanel->setToolTip("Press to Select");
    buttons->addWidget(CurrentColorPanel, 1, 1);
    buttons->addWidget(CUHelpBtn, 1, 2);
    buttons->addWidget(CUProcessBtn, 1, 3);
    grid->addLayout(buttons, 3, 1, 1, 3);

    connect(KBOpenButton, &QPushButton::clicked, this,
            [this] { Guarded([this] { KBOpenButtonClick(); }); });
    connect(CLayerOpen, &QPushButton::clicked, this,
            [this] { Guarded([this] { CLayerOpenClick(); }); });
    connect(CUSeedSites, &QPushButton::clicked, this,
            [this] { Guarded([this] { CUSeedSitesClick(); }); });
    connect(CULoadSites, &QPushButton::clicked, this,
            [this] { Guarded([this] { PBoxLoadBtnClick(); }); });
    connect(CUSaveSites, &QPushButton::clicked, this,
            [this] { Guarded([this] { PBoxSaveBtnClick(); }); });
    connect(CurrentColorPanel, &TColorPanel::Clicked, this,
            [this] { Guarded([this] { CColorClick(0); }); });
    connect(RefitPipedsCB, &QCheckBox::toggled, this,
            [](bool on) { ClassifierRefits.Pipeds = on; });
    connect(RefitRadiusCB, &QCheckBox::toggled, this,
            [](bool on) { ClassifierRefits.Radius = on; });
    connect(CUProcessBtn, &QPushButton::clicked, this,
            [this] { Guarded([this] { CUProcessBtnClick(); }); });
    return page;
}

void TClassificationForm::FormClose() {
    TrainingSites = {};
    // Shown again within the second, before its deferred free, the window is the same one: its
    // page shows what the table holds and keeps following it, so its hooks stay until it goes.
    SetDataIntoForm(10);
    TToolWindow::FormClose();
}

void TClassificationForm::ExitButtonClick() {
    close();
}

void TClassificationForm::closeEvent(QCloseEvent* event) {
    if (ArrivesDuringOperation() && IterationStop.Running) {
        IterationStop.Requested = true;
        // A second Exit while the run ends closes nothing twice.
        if (!ClosingAfterRun) CloseWhenRunEnds();
        ClosingAfterRun = true;
        event->ignore();
        return;
    }
    TToolWindow::closeEvent(event);
}

void TClassificationForm::CloseWhenRunEnds() {
    QTimer::singleShot(RunEndPollMs, this, [this] {
        if (ImageOperationBusy) {
            CloseWhenRunEnds();
            return;
        }
        ClosingAfterRun = false;
        close();
    });
}

void TClassificationForm::KBOpenButtonClick() {
    const std::string chosen = ChooseClassifierFile(2);
    if (chosen.empty()) return;
    ClassifierFileNames.KnowledgeBase = chosen;
    KBEdit->setText(Latin1Text(ExtractFileName(chosen)));
}

void TClassificationForm::CLayerOpenClick() {
    const std::string chosen = ChooseClassifierFile(3);
    if (chosen.empty()) return;
    ClassifierFileNames.Overlay = chosen;
    CLayerEdit->setText(Latin1Text(ExtractFileName(chosen)));
}

void TClassificationForm::CUSeedSitesClick() {
    SetStatsIntoForm(ItemIndex(CUSeedRG));
}

void TClassificationForm::CUProcessBtnClick() {
    OperationScope scope;
    if (!scope.Acquired()) return;
    const int32_t seed = ItemIndex(CUSeedRG);
    const int32_t classifier = ItemIndex(CUUCRG);
    // A number beyond 32 bits is refused before the boxes are seeded.
    const int32_t radius = EditInteger(Text(CUCREdit));
    const int32_t separation = EditInteger(Text(CUSDEdit));
    const int32_t iterations = EditInteger(Text(CURAEdit));
    int32_t maxClusters = EditInteger(Text(CUMCEdit));
    if (SeedsBoxesFirst(seed, classifier)) SetStatsIntoForm(seed);
    if (maxClusters > 20) {
        maxClusters = 20;
        CUMCEdit->setText(Latin1Text(IntToStr(maxClusters)));
    }
    HintsPanel->setText("Classification in Progress");
    if (!SeedsBoxesFirst(seed, classifier) && !ClassifierFilesPresent(classifier)) {
        ShowMessageNumber(13);
        return;
    }
    ClassificationBlock block;
    block.Seed = seed;
    block.Classifier = classifier;
    block.Radius = Text(CUCREdit);
    block.Separation = Text(CUSDEdit);
    block.Iterations = Text(CURAEdit);
    block.MaxClusters = Text(CUMCEdit);
    block.TrainingSites = ClassifierFileNames.TrainingSites;
    block.KnowledgeBase = ClassifierFileNames.KnowledgeBase;
    block.Overlay = ClassifierFileNames.Overlay;
    // Some classifier items run on the site table alone: the record follows any run that did
    // not fail.
    DispatchClassifier(seed, classifier, radius, separation, iterations, maxClusters);
    RecordClassification(block);
    ClassGauge->setValue(0);
}

void TClassificationForm::ShowChoices(const ClassificationBlock& b) {
    SetItemIndex(CUSeedRG, b.Seed);
    SetItemIndex(CUUCRG, b.Classifier);
    CUCREdit->setText(Latin1Text(b.Radius));
    CUSDEdit->setText(Latin1Text(b.Separation));
    CURAEdit->setText(Latin1Text(b.Iterations));
    CUMCEdit->setText(Latin1Text(b.MaxClusters));
}

void InstallClassifierHooks() {
    ClassifierForm.Open = [] {
        if (VORNForm) VORNForm->ShowToolForm(tfClassification);
        return !ClassificationForm.isNull();
    };
}
