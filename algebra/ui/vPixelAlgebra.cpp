#include "algebra/ui/vPixelAlgebra.h"

#include "algebra/ui/vColorContortions.h"
#include "algebra/vUPixAl.h"
#include "runtime/RtNumbers.h"
#include "shell/ui/vHelp.h"
#include "shell/ui/vVorn.h"
#include "shell/vGlobal.h"
#include "shell/vOptionChoices.h"
#include "shell/vToolForms.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <initializer_list>

QPointer<TPixelAlgebraForm> PixelAlgebraForm;

void SetRadioItem(QButtonGroup* group, int item) {
    if (QAbstractButton* b = group->button(item)) {
        b->setChecked(true);
        return;
    }
    group->setExclusive(false);
    for (QAbstractButton* b : group->buttons())
        b->setChecked(false);
    group->setExclusive(true);
}

namespace {

const std::initializer_list<const char*> Operations = {"Add", "Subtract", "Multiply", "Divide"};
const std::initializer_list<const char*> Bands = {"R", "G", "B"};
const std::initializer_list<const char*> Shapes = {"", "", ""};

const std::initializer_list<const char*> RatioFormulas = {
    "Pixel (R-G)/(R+G)",         "Pixel X2: c/All...",      "Pixel X3: (A-B)/(a+b)...",
    "Pixel X4: (A-B)/(a/b)...",  "Pixel X5: (A+B)/(a-b)",   "Pixel X6: A/B",
    "Pixel X7: (A+B)/c",         "Pixel X8: All/c",         "Pixel X9: (A+B)/Blue",
    "Pixel X10: (A+C)/(a*c)...", "Pixel X11: (A*B)/c",      "Pixel X12: (A+B)/(a*b)...",
    "Pixel X13: If R>(G+B)=R",   "Pixel XR71 If G>(R+B)=G", "Pixel X15 If B>(R+G)=B"};

struct CoefficientEdit {
    const char* Name;
    const char* Text;
};
const CoefficientEdit PAREditTable[9] = {
    {"PARREdit1", "0.332"},  {"PARREdit2", "0.603"},  {"PARREdit3", "0.675"},
    {"PARGEdit1", "-0.283"}, {"PARGEdit2", "-0.660"}, {"PARGEdit3", "0.577"},
    {"PARBEdit1", "-0.899"}, {"PARBEdit2", "0.428"},  {"PARBEdit3", "0.076"}};
const CoefficientEdit PMEditTable[3] = {
    {"PMEdit1", "-0.8561"}, {"PMEdit2", "0.36"}, {"PMEdit3", "1.19"}};

} // namespace

// A titled radio group; `columns` items a row; `chosen` -1 for none.
QButtonGroup* ItemRadioGroup(QWidget* parent, const char* name, const QString& title,
                             std::initializer_list<const char*> items, int chosen, int columns,
                             QLayout* into) {
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(QString(name) + "Box");
    auto* grid = new QGridLayout(box);
    auto* group = new QButtonGroup(box);
    group->setObjectName(name);
    int id = 0;
    for (const char* item : items) {
        auto* radio = new QRadioButton(item, box);
        grid->addWidget(radio, id / columns, id % columns);
        group->addButton(radio, id++);
    }
    SetRadioItem(group, chosen);
    into->addWidget(box);
    return group;
}

TPixelAlgebraForm::TPixelAlgebraForm(QWidget* parent)
    : TToolWindow("Pixel Algebra", "PixelAlgebraForm", fpPixelAlgebra, tfPixelAlgebra, parent) {
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    PageControl1->addTab(MakePixelOperationsPage(), "Pixel Operations");
    PageControl1->addTab(MakeRatiosPage(), "Ratios");
    ColorContortions = new TColorContortionsPage(this);
    PageControl1->addTab(ColorContortions, "Color Contortions");
    SetPageHelpContexts(PageControl1, {8100, 8700, 8900});

    auto* bottom = new QHBoxLayout;
    TogglesRG = ItemRadioGroup(this, "TogglesRG", "",
                               {"0..255", "0..1..255", "-1..0..1", "Auto 0..255"}, 0, 4, bottom);
    connect(TogglesRG, &QButtonGroup::idClicked, this,
            [this](int item) { Guarded([this, item] { TogglesRGClick(item); }); });
    PixelAlgebraHelpBtn = HelpButton(this, "PixelAlgebraHelpBtn", 8000);
    bottom->addWidget(PixelAlgebraHelpBtn);
    PACloseBtn = new QPushButton("Close", this);
    PACloseBtn->setObjectName("PACloseBtn");
    connect(PACloseBtn, &QPushButton::clicked, this, [this] { close(); });
    bottom->addWidget(PACloseBtn);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1);
    layout->addLayout(bottom);
}

QPushButton* TPixelAlgebraForm::Button(QWidget* parent, const char* name, const char* caption,
                                       const char* hint, void (TPixelAlgebraForm::*click)()) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    if (hint) button->setToolTip(hint);
    connect(button, &QPushButton::clicked, this,
            [this, click] { Guarded([this, click] { (this->*click)(); }); });
    return button;
}

QPushButton* TPixelAlgebraForm::HelpButton(QWidget* parent, const char* name, int topic) {
    auto* button = new QPushButton("Help", parent);
    button->setObjectName(name);
    ConnectHelp(button, topic);
    return button;
}

QWidget* TPixelAlgebraForm::MakePixelOperationsPage() {
    auto* page = new QWidget(this);
    auto* column = new QVBoxLayout(page);
    const QString nesting = "(  ( 1  Operation 2 )      Operation 3 )";
    // One group of the expression: its shape, the one-band choice, the two-band and three-band
    // rows; `captions3` are the three-band groups' own captions.
    auto group = [&](const char* title, const std::array<const char*, 7>& names,
                     const std::array<const char*, 3>& opNames,
                     const std::array<const char*, 3>& captions3, int shape, int oneBand,
                     std::array<QButtonGroup*, 7>& bands, std::array<QButtonGroup*, 3>& ops) {
        column->addWidget(new QLabel(title, page));
        column->addWidget(new QLabel(nesting, page));
        auto* row = new QHBoxLayout;
        bands[0] = ItemRadioGroup(page, names[0], title == QString("Group A") ? "  A" : "  B",
                                  Shapes, shape, 1, row);
        bands[1] = ItemRadioGroup(page, names[1], "Band", Bands, oneBand, 1, row);
        bands[2] = ItemRadioGroup(page, names[2], "Band", Bands, -1, 1, row);
        ops[0] = ItemRadioGroup(page, opNames[0], "  Operation", Operations, -1, 1, row);
        bands[3] = ItemRadioGroup(page, names[3], "Band", Bands, -1, 1, row);
        bands[4] = ItemRadioGroup(page, names[4], captions3[0], Bands, -1, 1, row);
        ops[1] = ItemRadioGroup(page, opNames[1], "  Operation", Operations, -1, 1, row);
        bands[5] = ItemRadioGroup(page, names[5], captions3[1], Bands, -1, 1, row);
        ops[2] = ItemRadioGroup(page, opNames[2], "  Operation", Operations, -1, 1, row);
        bands[6] = ItemRadioGroup(page, names[6], captions3[2], Bands, -1, 1, row);
        column->addLayout(row);
    };
    std::array<QButtonGroup*, 7> a{}, b{};
    std::array<QButtonGroup*, 3> opA{}, opB{};
    group("Group A", {"BA0", "BA1", "BA2", "BA3", "BA4", "BA5", "BA6"},
          {"OpRGA1", "OpRGA2", "OpRGA3"}, {"  2", "  2", "  3"}, 0, 0, a, opA);
    auto* mainRow = new QHBoxLayout;
    OpRGMain = ItemRadioGroup(page, "OpRGMain", "  Operation", Operations, poDivide, 4, mainRow);
    column->addLayout(mainRow);
    group("Group B", {"BB0", "BB1", "BB2", "BB3", "BB4", "BB5", "BB6"},
          {"OpRGB1", "OpRGB2", "OpRGB3"}, {"  1", "  2", "  3"}, 0, 2, b, opB);
    BA0 = a[0], BA1 = a[1], BA2 = a[2], BA3 = a[3], BA4 = a[4], BA5 = a[5], BA6 = a[6];
    BB0 = b[0], BB1 = b[1], BB2 = b[2], BB3 = b[3], BB4 = b[4], BB5 = b[5], BB6 = b[6];
    OpRGA1 = opA[0], OpRGA2 = opA[1], OpRGA3 = opA[2];
    OpRGB1 = opB[0], OpRGB2 = opB[1], OpRGB3 = opB[2];

    auto* buttons = new QHBoxLayout;
    PAPODOBtn =
        Button(page, "PAPODOBtn", "Execute", "All set? then Do it!", &TPixelAlgebraForm::DOPAPODO);
    buttons->addWidget(PAPODOBtn);
    buttons->addWidget(HelpButton(page, "PAPixelOperationsHelpBtn", 8100));
    buttons->addStretch(1);
    column->addLayout(buttons);
    return page;
}

QWidget* TPixelAlgebraForm::MakeRatiosPage() {
    auto* page = new QWidget(this);
    auto* columns = new QHBoxLayout(page);

    auto* ratios = new QVBoxLayout;
    PixelRatiosRG =
        ItemRadioGroup(page, "PixelRatiosRG", "Pixel Ratios", RatioFormulas, -1, 1, ratios);
    SetHelpContext(qobject_cast<QWidget*>(PixelRatiosRG->parent()), 8750);
    auto* ratioButtons = new QHBoxLayout;
    PA_RatiosBtn = Button(page, "PA_RatiosBtn", "Process Ratio", "Process selected Ratio",
                          &TPixelAlgebraForm::PA_RatiosBtnClick);
    ratioButtons->addWidget(PA_RatiosBtn);
    ratioButtons->addWidget(HelpButton(page, "PARatioHelpBtn", 8700));
    ratios->addLayout(ratioButtons);
    auto* theme = new QLabel("Variations on a Theme: RGB are processed according to  relation to "
                             "AB or c   ... probably need Autorange",
                             page);
    theme->setWordWrap(true);
    ratios->addWidget(theme);
    columns->addLayout(ratios);

    auto* right = new QVBoxLayout;
    auto* grid = new QGridLayout;
    const char* bandColumns[3] = {"Blue", "Green", "Red"};
    const char* bandRows[3] = {"Red Band", "Green Band", "Blue Band"};
    for (int c = 0; c < 3; ++c)
        grid->addWidget(new QLabel(bandColumns[c], page), 0, c + 1);
    for (int i = 0; i < 9; ++i) {
        if (i % 3 == 0) grid->addWidget(new QLabel(bandRows[i / 3], page), i / 3 + 1, 0);
        PAREdits[i] = new QLineEdit(PAREditTable[i].Text, page);
        PAREdits[i]->setObjectName(PAREditTable[i].Name);
        grid->addWidget(PAREdits[i], i / 3 + 1, i % 3 + 1);
    }
    right->addLayout(grid);
    PARRG = ItemRadioGroup(page, "PARRG", "  Operation", Operations, poMultiply, 4, right);
    auto* parRow = new QHBoxLayout;
    PARBtn = Button(page, "PARBtn", "Execute", nullptr, &TPixelAlgebraForm::PARBtnClick);
    parRow->addWidget(PARBtn);
    parRow->addWidget(HelpButton(page, "PARatioingHelpBtn", 8800));
    right->addLayout(parRow);
    for (const char* text :
         {"Adds 3 Color Results per band in 1 Image", "IR Photo: BN1:Green , BN2:Red,  BN3: IR ",
          "TM: BN2: , BN3:  BN4: ", "MSS: BN4: , BN5: BN6: "})
        right->addWidget(new QLabel(text, page));

    auto* pm = new QGridLayout;
    const char* operators[3] = {"Red Operator", "Green Operator", "Blue Operator"};
    for (int i = 0; i < 3; ++i) {
        pm->addWidget(new QLabel(operators[i], page), 0, i);
        PMEdits[i] = new QLineEdit(PMEditTable[i].Text, page);
        PMEdits[i]->setObjectName(PMEditTable[i].Name);
        pm->addWidget(PMEdits[i], 1, i);
    }
    right->addLayout(pm);
    PMRG = ItemRadioGroup(page, "PMRG", "  Operation", {"+", "-", "*", "/"}, poMultiply, 4, right);
    auto* pmRow = new QHBoxLayout;
    PMultiplyBtn =
        Button(page, "PMultiplyBtn", "Execute", nullptr, &TPixelAlgebraForm::PMultiplyBtnClick);
    pmRow->addWidget(PMultiplyBtn);
    pmRow->addWidget(HelpButton(page, "PARatioingMHelpBtn", 8850));
    right->addLayout(pmRow);
    for (const char* text : {"Makes 1 Gray Image", "IR Photo: BN1: , BN2: BN3: ",
                             "TM: BN1: , BN2: BN3: ", "MSS: BN1: , BN2: BN3: "})
        right->addWidget(new QLabel(text, page));
    columns->addLayout(right);
    return page;
}

std::array<QButtonGroup*, 21> TPixelAlgebraForm::ExpressionGroups() const {
    return {BA0,    OpRGMain, BB0, BA1, BA2, BA3, BA4, BA5,    BA6,    OpRGA1, OpRGA2,
            OpRGA3, BB1,      BB2, BB3, BB4, BB5, BB6, OpRGB1, OpRGB2, OpRGB3};
}

void TPixelAlgebraForm::DOPAPODO() {
    std::array<int32_t, 21> items{};
    const auto groups = ExpressionGroups();
    for (size_t k = 0; k < groups.size(); ++k)
        items[k] = groups[k]->checkedId();
    if (RanOnThePicture([&] { DoPixelAlgebra(PixelAlgebraRecordOf(items)); }))
        RecordPixelAlgebra(items);
}

void TPixelAlgebraForm::PA_RatiosBtnClick() {
    const int32_t item = PixelRatiosRG->checkedId();
    // No formula chosen is recorded as such; a chosen one only once it ran.
    if (item < 0 || RanOnThePicture([&] { DoPixelRatios(static_cast<uint8_t>(item + 1)); }))
        RecordPixelRatios(item);
}

template <size_t N>
std::optional<std::array<double, N>>
TPixelAlgebraForm::ReadEdits(const std::array<QLineEdit*, N>& edits) {
    std::array<double, N> values{};
    for (size_t i = 0; i < N; ++i) {
        const std::string text = edits[i]->text().toStdString();
        int code = 0;
        values[i] = ValReal(Trim(text), code);
        if (code != 0) {
            ShowFileDataError(text, code);
            return std::nullopt;
        }
    }
    return values;
}

void TPixelAlgebraForm::PARBtnClick() {
    const auto c = ReadEdits(PAREdits);
    if (!c) return;
    const int32_t operation = PARRG->checkedId();
    if (RanOnThePicture([&] {
            DoPARBMultiply(operation, (*c)[0], (*c)[1], (*c)[2], (*c)[3], (*c)[4], (*c)[5], (*c)[6],
                           (*c)[7], (*c)[8]);
        }))
        RecordPARBMultiply(*c, operation);
}

void TPixelAlgebraForm::PMultiplyBtnClick() {
    const auto c = ReadEdits(PMEdits);
    if (!c) return;
    const int32_t operation = PMRG->checkedId();
    if (RanOnThePicture([&] { DoPMultiply(operation, (*c)[0], (*c)[1], (*c)[2]); }))
        RecordPMultiply((*c)[0], (*c)[1], (*c)[2], operation);
}

void TPixelAlgebraForm::TogglesRGClick(int item) {
    SetProcessingChoice(item);
}

void TPixelAlgebraForm::showEvent(QShowEvent* event) {
    const int item = ProcessingChoiceOf();
    SetProcessingChoice(item);
    SetRadioItem(TogglesRG, item);
    TToolWindow::showEvent(event);
}

void TPixelAlgebraForm::FormClose() {
    ColorContortions->FormClose();
    TToolWindow::FormClose();
}
