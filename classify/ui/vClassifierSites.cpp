// The Training Site page of the classification window: classes 1 to 9 of the training sites in
// nine rows of edits, their validation, clearing, the site file and the site report.
#include "classify/ui/vClassifier.h"

#include "classify/vClassDispatch.h"
#include "classify/vTrainSite.h"
#include "histogram/ui/vHistogramControls.h"
#include "runtime/RtFiles.h"
#include "shell/ui/vVorn.h"
#include "shell/vGlobal.h"
#include "shell/vToolModes.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>

#include <algorithm>
#include <span>

using namespace histogram_ui;

namespace {

// The longest texts a column shows, '0' standing for the widest digit: three digits for a byte,
// a signed 32-bit count, and both forms of a real with fifteen significant digits.
constexpr const char* ByteWidest[] = {"000"};
constexpr const char* RealWidest[] = {"-0.00000000000000E-000", "-0.000000000000000000"};
constexpr const char* CountWidest[] = {"-0000000000"};

// Narrower edits would crowd their column captions together.
constexpr int SiteEditLeast = 36;

struct SiteColumnLook {
    const char* Caption;
    bool Box;   // PBoxEdit (else CentroidEdit)
    int Number; // the last digit of the edit's name
    std::span<const char* const> Widest;
};
constexpr SiteColumnLook SiteColumnLooks[SiteColumns] = {
    {"R Min", true, 1, ByteWidest},   {"R Max", true, 2, ByteWidest},
    {"Red", false, 1, ByteWidest},    {"G Min", true, 3, ByteWidest},
    {"G Max", true, 4, ByteWidest},   {"Green", false, 2, ByteWidest},
    {"B Min", true, 5, ByteWidest},   {"B Max", true, 6, ByteWidest},
    {"Blue", false, 3, ByteWidest},   {"Radius", false, 4, RealWidest},
    {"StdDev", false, 5, RealWidest}, {"Var", false, 6, RealWidest},
    {"Count", false, 7, CountWidest}};

// The width at which `e` shows every text of the column whole. An edit scrolls a text that does
// not fit to its cursor, which setText leaves at the end: the text and the cursor's pixel must
// fit inside the frame and inner margins, which are what Qt's size hint adds to 17 'x'.
int WholeTextWidth(const QLineEdit* e, std::span<const char* const> widest) {
    const QFontMetrics fm = e->fontMetrics();
    QChar digit = '0';
    for (char d = '1'; d <= '9'; ++d)
        if (fm.horizontalAdvance(QChar(d)) > fm.horizontalAdvance(digit)) digit = QChar(d);
    int text = 0;
    for (const char* pattern : widest)
        text = std::max(text, fm.horizontalAdvance(QString(pattern).replace('0', digit)));
    const int chrome = e->sizeHint().width() - 17 * fm.horizontalAdvance(QChar('x'));
    return text + 1 + chrome;
}

} // namespace

QWidget* TClassificationForm::MakeTrainingSitePage() {
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    grid->setSpacing(1);
    for (int c = 0; c < SiteColumns; ++c)
        grid->addWidget(new QLabel(SiteColumnLooks[c].Caption, page), 0, c + 1);
    for (int k = 1; k <= 9; ++k) {
        grid->addWidget(new QLabel(QString("Class %1").arg(k), page), k, 0);
        for (int c = 0; c < SiteColumns; ++c) {
            const SiteColumnLook& look = SiteColumnLooks[c];
            const QString name = QString("%1%2%3")
                                     .arg(look.Box ? "PBoxEdit" : "CentroidEdit")
                                     .arg(k)
                                     .arg(look.Number);
            QLineEdit* e = MakeEdit(page, name);
            e->setFixedWidth(std::max(SiteEditLeast, WholeTextWidth(e, look.Widest)));
            e->setText("0");
            SiteEdits[static_cast<size_t>(k - 1)][static_cast<size_t>(c)] = e;
            grid->addWidget(e, k, c + 1);
        }
    }
    auto* clusterBox = new QGroupBox("Cluster", page);
    clusterBox->setObjectName("ClusterRG");
    auto* clusterGrid = new QGridLayout(clusterBox);
    ClusterRG = new QButtonGroup(clusterBox);
    for (int i = 0; i < 9; ++i) {
        auto* r = new QRadioButton(QString::number(i + 1), clusterBox);
        ClusterRG->addButton(r, i);
        clusterGrid->addWidget(r, 0, i);
    }
    ClusterRG->button(0)->setChecked(true);
    grid->addWidget(clusterBox, 10, 0, 1, 8);
    PBoxTrain = MakeButton(page, "PBoxTrain", "Train");
    PBoxTrain->setToolTip("Click Cluster and Mouse site: corner to corner");
    grid->addWidget(PBoxTrain, 10, 9, 1, 3);

    auto* buttons = new QGridLayout;
    for (int k = 1; k <= 9; ++k) {
        QPushButton* b = MakeButton(page, QString("PBoxClear%1").arg(k), QString::number(k));
        b->setToolTip(QString("Clear %1").arg(k));
        b->setFixedWidth(26);
        PBoxClearButtons[static_cast<size_t>(k - 1)] = b;
        buttons->addWidget(b, 0, k - 1);
        connect(b, &QPushButton::clicked, this,
                [this, k] { Guarded([this, k] { PBoxClear(k); }); });
    }
    PBoxClearAll = MakeButton(page, "PBoxClearAll", "Clear All");
    PBoxValidateBtn = MakeButton(page, "PBoxValidateBtn", "Validate");
    PBoxValidateBtn->setToolTip("Validate input Choices as numbers");
    PBoxLoadBtn = MakeButton(page, "PBoxLoadBtn", "Load");
    PBoxLoadEdit = MakeEdit(page, "PBoxLoadEdit", 100);
    PBoxSaveBtn = MakeButton(page, "PBoxSaveBtn", "Save");
    PBoxPrint = MakeButton(page, "PBoxPrint", "Print");
    PBoxPrint->setToolTip("Data Descriptions added when printed");
    PBoxHelpBtn = MakeHelpButton(page, "PBoxHelpBtn", 11200);
    int column = 9;
    for (QWidget* w :
         std::initializer_list<QWidget*>{PBoxClearAll, PBoxValidateBtn, PBoxLoadBtn, PBoxLoadEdit,
                                         PBoxSaveBtn, PBoxPrint, PBoxHelpBtn})
        buttons->addWidget(w, 0, column++);
    grid->addLayout(buttons, 11, 0, 1, SiteColumns + 1);
    // The rows keep together at the top left of a window that its widest page sizes.
    grid->setColumnStretch(SiteColumns + 1, 1);
    grid->setRowStretch(12, 1);

    connect(PBoxTrain, &QPushButton::clicked, this,
            [this] { Guarded([this] { PBoxTrainClick(); }); });
    connect(PBoxClearAll, &QPushButton::clicked, this,
            [this] { Guarded([this] { PBoxClear(10); }); });
    connect(PBoxValidateBtn, &QPushButton::clicked, this,
            [this] { Guarded([this] { DoPBoxValidate(); }); });
    connect(PBoxLoadBtn, &QPushButton::clicked, this,
            [this] { Guarded([this] { PBoxLoadBtnClick(); }); });
    connect(PBoxSaveBtn, &QPushButton::clicked, this,
            [this] { Guarded([this] { PBoxSaveBtnClick(); }); });
    connect(PBoxPrint, &QPushButton::clicked, this,
            [this] { Guarded([this] { PBoxPrintClick(); }); });
    return page;
}

void TClassificationForm::SetDataIntoForm(int Which) {
    for (int k = 1; k <= 9; ++k) {
        if (Which != k && Which != 10) continue;
        const SiteRowTexts texts = SiteTexts(TrainingSites[static_cast<size_t>(k)]);
        for (size_t c = 0; c < SiteColumns; ++c)
            SiteEdits[static_cast<size_t>(k - 1)][c]->setText(Latin1Text(texts[c]));
    }
}

void TClassificationForm::DoPBoxValidate() {
    std::array<SiteRowTexts, 9> rows;
    for (size_t k = 0; k < rows.size(); ++k)
        for (size_t c = 0; c < SiteColumns; ++c)
            rows[k][c] = SiteEdits[k][c]->text().toLatin1().toStdString();
    for (const SiteTextError& e : ValidateSiteTexts(rows, TrainingSites))
        ShowFileDataError(e.Text, e.Position);
}

void TClassificationForm::MacroPBox() {
    AppendSiteEdits(true);
}

void TClassificationForm::MacroCentroid() {
    AppendSiteEdits(false);
}

// The box or the centroid edits, class by class in the order of their names, to the macro text
// whether or not a macro is being recorded.
void TClassificationForm::AppendSiteEdits(bool box) {
    if (!Hooks.AppendMacroLine) return;
    for (const auto& row : SiteEdits)
        for (size_t c = 0; c < SiteColumns; ++c)
            if (SiteColumnLooks[c].Box == box)
                Hooks.AppendMacroLine(row[c]->text().toLatin1().toStdString());
}

void TClassificationForm::PBoxClear(int Which) {
    ClearSites(TrainingSites, Which);
    SetDataIntoForm(10);
}

void TClassificationForm::ShowSiteFileName() {
    const QString name = Latin1Text(ExtractFileName(ClassifierFileNames.TrainingSites));
    PBoxLoadEdit->setText(name);
    CSTSFileEdit->setText(name);
    CCFileEdit->setText(name);
}

void TClassificationForm::PBoxLoadBtnClick() {
    FileDialogRequest r;
    r.Filter = ClassifierOpenFilter;
    r.OpenIn(ImageDirectory);
    const std::string chosen = HookChooseFile(r);
    if (chosen.empty()) return;
    ClassifierFileNames.TrainingSites = chosen;
    DoPBoxLoadLoad();
}

void TClassificationForm::PBoxSaveBtnClick() {
    DoPBoxValidate();
    FileDialogRequest r;
    r.Save = true;
    r.Filter = ClassifierSaveFilter;
    // The site file's own extension: a save must be found again by the load's first filter.
    r.DefaultExt = "rts";
    r.OpenIn(ImageDirectory);
    // The sites' own file by its full path, else a file beside the shown picture they were
    // trained on: with no name the dialog stayed in the working folder, wherever another window
    // had moved it.
    const std::string& sites = ClassifierFileNames.TrainingSites;
    r.FileName = ExtractFilePath(sites).empty() ? ShownPictureFile(".rts") : sites;
    const std::string chosen = HookChooseFile(r);
    if (chosen.empty()) return;
    ClassifierFileNames.TrainingSites = chosen;
    SaveTrainingSiteFile(chosen, TrainingSites, TReplaceLeave::Chosen(chosen));
}

void TClassificationForm::PBoxPrintClick() {
    CAMMemo->clear();
    for (const std::string& line : SiteReportLines(TrainingSites))
        CAMMemo->append(Latin1Text(line));
    CAMPrintClick();
}

void TClassificationForm::PBoxTrainClick() {
    if (TrainingArmed || TrainingDragging) return;
    DoPBoxValidate();
    TrainingClass = ClusterRG->checkedId() + 1;
    ArmMouseMode(TrainingArmed, [] { TrainingArmed = TrainingDragging = false; });
    if (VORNForm) {
        VORNForm->raise();
        VORNForm->activateWindow();
    }
}

void TClassificationForm::TrainSiteFromRect() {
    ::TrainSiteFromRect(TrainingSites, TrainingClass, SelectionBox);
    SetDataIntoForm(10);
}
