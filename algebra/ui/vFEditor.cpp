#include "algebra/ui/vFEditor.h"

#include "algebra/ui/vPixelAlgebra.h"
#include "algebra/vFilterEditorState.h"
#include "runtime/RtFiles.h"
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
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <initializer_list>

QPointer<TFEditForm> FEditForm;

namespace {

constexpr int CellPixels[4] = {90, 54, 38, 30};
// A cell shown from a kernel holds the kernel's value beside its rounded text.
constexpr int ShownValueRole = Qt::UserRole;
const char* const StageSelectorRed = "QGroupBox { background-color: red; }";

// The "Filter types" items whose dialog filter each editing kind opens with.
constexpr int OpenFilterItems[4] = {0, 1, 2, 4};
const char* const SaveKindNames[4] = {"Integer", "Real", "Sobel", "Rotate 8"};

// The items of "Filter Type" by editing kind.
constexpr KernelKind TypeItems[4] = {KernelKind::Real, KernelKind::Integer, KernelKind::Pair,
                                     KernelKind::Eight};

bool Staged() {
    return FilterEditType == KernelKind::Pair || FilterEditType == KernelKind::Eight;
}

} // namespace

TFEditForm::TFEditForm(QWidget* parent)
    : TToolWindow("Spatial Matrix", "FEditForm", fpFEdit, tfFEdit, parent) {
    FilterEditType = KernelKind::Real;
    FilterLoaded = false;
    FilterExtension = "RR3";
    ShownStage = 1;
    for (auto& stage : EditorKernels.Real)
        stage.fill(0.0);

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    TogglesRG = ItemRadioGroup(this, "TogglesRG", "",
                               {"0..255", "0..1..255", "-1..0..1", "Auto 0..255"}, 0, 4, top);
    connect(TogglesRG, &QButtonGroup::idClicked, this,
            [this](int item) { Guarded([item] { SetProcessingChoice(item); }); });
    layout->addLayout(top);
    PageControl1 = new QTabWidget(this);
    PageControl1->addTab(MakeFiledPage(), "Filed Filters");
    PageControl1->addTab(MakeEditorPage(), "Filter Editor");
    PageControl1->addTab(MakeTexturesPage(), "Textures");
    PageControl1->addTab(MakeRankedPage(), "Ranked Edge");
    SetPageHelpContexts(PageControl1, {9200, 9100, 9300, 9400});
    layout->addWidget(PageControl1);
    ResizeGrid(3);
    Clear();
}

QPushButton* TFEditForm::Button(QWidget* parent, const char* name, const char* caption,
                                const char* hint, void (TFEditForm::*click)()) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    if (hint) button->setToolTip(hint);
    connect(button, &QPushButton::clicked, this,
            [this, click] { Guarded([this, click] { (this->*click)(); }); });
    return button;
}

QWidget* TFEditForm::MakeEditorPage() {
    auto* page = new QWidget(this);
    auto* columns = new QHBoxLayout(page);
    auto* left = new QVBoxLayout;
    left->addWidget(
        new QLabel("File Extensions:  Integer RL?, Real RR?, Sobel R2?, Rotate R8?", page));
    FilenameLabel = new QLabel("Filename", page);
    left->addWidget(FilenameLabel);
    FESGrid = new QTableWidget(page);
    FESGrid->setObjectName("FESGrid");
    FESGrid->setToolTip("Enter Values");
    FESGrid->horizontalHeader()->hide();
    FESGrid->verticalHeader()->hide();
    connect(FESGrid, &QTableWidget::cellClicked, this,
            [this] { Guarded([this] { FESGridClick(); }); });
    left->addWidget(FESGrid, 1);
    columns->addLayout(left, 1);

    auto* right = new QVBoxLayout;
    SizeRGroup = ItemRadioGroup(page, "SizeRGroup", "Filter Size",
                                {"3 x 3", "5 x 5", "7 x 7", "9 x 9"}, 0, 1, right);
    connect(SizeRGroup, &QButtonGroup::idClicked, this,
            [this](int item) { Guarded([this, item] { SizeRGroupClick(item); }); });
    FilterType = ItemRadioGroup(page, "FilterType", "Filter Type",
                                {"Real", "Integer", "Sobel (2)", "Rotate (8)"}, 0, 1, right);
    connect(FilterType, &QButtonGroup::idClicked, this,
            [this](int item) { Guarded([this, item] { FilterTypeClick(item); }); });
    CurrentFilter = ItemRadioGroup(page, "CurrentFilter", "Sobel or Rotate Stage",
                                   {"1", "2", "3", "4", "5", "6", "7", "8"}, 0, 2, right);
    CurrentFilterBox = qobject_cast<QGroupBox*>(CurrentFilter->parent());
    connect(CurrentFilter, &QButtonGroup::idClicked, this,
            [this](int item) { Guarded([this, item] { CurrentFilterClick(item + 1); }); });

    auto* buttons = new QGridLayout;
    LoadBtn = Button(page, "LoadBtn", "Load", nullptr, &TFEditForm::LoadBtnClick);
    ClearBtn = Button(page, "ClearBtn", "Clear", nullptr, &TFEditForm::ClearBtnClick);
    FilletBtn =
        Button(page, "FilletBtn", "Fillet", "does RR3 sqrt corners only: Fill in top center",
               &TFEditForm::FilletBtnClick);
    FullRBtn = Button(page, "FullRBtn", "Full R", "RR5: Fill in top center first",
                      &TFEditForm::FullRBtnClick);
    phingbtn = Button(page, "phingbtn", "phing", "Sine wave", &TFEditForm::phingbtnClick);
    RR9ingBtn = Button(page, "RR9ingBtn", "9ing", "Cos wave", &TFEditForm::RR9ingBtnClick);
    SaveBtn = Button(page, "SaveBtn", "Save", nullptr, &TFEditForm::SaveBtnClick);
    HelpBtn = new QPushButton("Help", page);
    ConnectHelp(HelpBtn, 9100);
    CloseBtn = new QPushButton("Close", page);
    connect(CloseBtn, &QPushButton::clicked, this, [this] { close(); });
    PhingEdit = new QLineEdit("1", page);
    PhingEdit->setToolTip("Phing phactor");
    int slot = 0;
    for (QWidget* w :
         std::initializer_list<QWidget*>{LoadBtn, ClearBtn, FilletBtn, FullRBtn, phingbtn,
                                         PhingEdit, RR9ingBtn, SaveBtn, HelpBtn, CloseBtn}) {
        buttons->addWidget(w, slot / 2, slot % 2);
        ++slot;
    }
    right->addLayout(buttons);
    right->addStretch(1);
    columns->addLayout(right);
    return page;
}

void TFEditForm::FormOpen() {
    FilterEditType = KernelKind::Real;
    FilterLoaded = false;
    FilterType->button(0)->setChecked(true);
    ShowStageSelector(0);
    SizeRGroup->button(0)->setChecked(true);
    const int item = ProcessingChoiceOf();
    SetProcessingChoice(item);
    SetRadioItem(TogglesRG, item);
}

// The stage selector back to `stage`, red while the kind has stages.
void TFEditForm::ShowStageSelector(int stage) {
    CurrentFilter->button(stage - 1 < 0 ? 0 : stage - 1)->setChecked(true);
    CurrentFilterBox->setStyleSheet(Staged() ? StageSelectorRed : "");
}

int32_t TFEditForm::GridSize() const {
    return FESGrid->rowCount();
}

void TFEditForm::ResizeGrid(int32_t n) {
    FESGrid->clear();
    FESGrid->setRowCount(n);
    FESGrid->setColumnCount(n);
    const int cell = CellPixels[SizeItemOf(n)];
    for (int i = 0; i < n; ++i) {
        FESGrid->setRowHeight(i, cell);
        FESGrid->setColumnWidth(i, cell);
    }
}

std::vector<std::string> TFEditForm::GridTexts() const {
    const int n = GridSize();
    std::vector<std::string> texts;
    texts.reserve(static_cast<size_t>(n * n));
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) {
            const QTableWidgetItem* item = FESGrid->item(r, c);
            texts.push_back(item ? item->text().toStdString() : std::string());
        }
    return texts;
}

void TFEditForm::SetGridTexts(const std::vector<std::string>& texts) {
    const int n = GridSize();
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) {
            const size_t k = static_cast<size_t>(r * n + c);
            const QString text = k < texts.size() ? QString::fromStdString(texts[k]) : "0";
            if (QTableWidgetItem* item = FESGrid->item(r, c)) {
                if (item->text() == text) continue;
                item->setText(text);
                item->setData(ShownValueRole, QVariant());
            } else
                FESGrid->setItem(r, c, new QTableWidgetItem(text));
        }
}

void TFEditForm::SizeRGroupClick(int item) {
    SetFilterSize(item);
}

void TFEditForm::SetFilterSize(int item) {
    if (FilterLoaded) {
        ShowMessageNumber(23);
        SetRadioItem(SizeRGroup, SizeItemOf(GridSize()));
        return;
    }
    if (item < 0 || item > 3) return;
    const int32_t n = 3 + 2 * item;
    FilterExtension = FilterExtensionOf(FilterEditType, n);
    SetRadioItem(SizeRGroup, item);
    ResizeGrid(n);
    Clear();
}

void TFEditForm::FilterTypeClick(int item) {
    if (FilterLoaded) {
        ShowMessageNumber(23);
        for (int i = 0; i < 4; ++i)
            if (TypeItems[i] == FilterEditType) SetRadioItem(FilterType, i);
        return;
    }
    if (item < 0 || item > 3) return;
    FilterEditType = TypeItems[item];
    ShownStage = 1;
    ShowStageSelector(1);
    SetFilterSize(SizeRGroup->checkedId());
}

void TFEditForm::ClearBtnClick() {
    FilterLoaded = false;
    Clear();
}

void TFEditForm::Clear() {
    SetGridTexts({});
}

void TFEditForm::FESGridClick() {
    FilterLoaded = true;
}

// A cell still showing the text it was shown with keeps the kernel's full value: read back from
// its three decimals, 1/16 would become 0.062 and 1e-5 or an infinity 0.
void TFEditForm::StoreGridInto(int32_t stage) {
    const int n = GridSize();
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) {
            const size_t k = static_cast<size_t>(r * n + c);
            const QTableWidgetItem* item = FESGrid->item(r, c);
            const std::string text = item ? item->text().toStdString() : std::string();
            if (FilterEditType == KernelKind::Integer) {
                EditorKernels.Integer[k] = IntegerOfCell(text);
                continue;
            }
            const QVariant shown = item ? item->data(ShownValueRole) : QVariant();
            EditorKernels.Real[static_cast<size_t>(stage - 1)][k] =
                shown.isValid() && text == KernelCellText(shown.toDouble()) ? shown.toDouble()
                                                                            : RealOfCell(text);
        }
}

void TFEditForm::ShowKernel(int32_t stage) {
    const int n = GridSize();
    const size_t cells = static_cast<size_t>(n * n);
    const auto& real = EditorKernels.Real[static_cast<size_t>(stage - 1)];
    std::vector<std::string> texts(cells);
    for (size_t k = 0; k < cells; ++k)
        texts[k] = FilterEditType == KernelKind::Integer ? IntToStr(EditorKernels.Integer[k])
                                                         : KernelCellText(real[k]);
    SetGridTexts(texts);
    if (FilterEditType == KernelKind::Integer) return;
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c)
            FESGrid->item(r, c)->setData(ShownValueRole, real[static_cast<size_t>(r * n + c)]);
}

void TFEditForm::ShowFilterStage(int32_t stage) {
    if (!Staged()) return;
    StoreGridInto(ShownStage);
    ShowKernel(stage);
    ShownStage = stage;
}

void TFEditForm::CurrentFilterClick(int stage) {
    if (!FilterLoaded) {
        ShowMessageNumber(20);
        ShowStageSelector(ShownStage);
        return;
    }
    if (stage == 1) {
        ShowFilterStage(1);
    } else if (stage == 2) {
        if (!Staged()) {
            ShowMessageNumber(22);
            ShowStageSelector(1);
            return;
        }
        ShowFilterStage(2);
    } else if (FilterEditType != KernelKind::Eight) {
        ShowStageSelector(1);
        ShowFilterStage(1);
        ShowMessageNumber(21);
    } else {
        ShowFilterStage(stage);
    }
}

void TFEditForm::LoadBtnClick() {
    FileDialogRequest request;
    request.Filter = FiledFilterDialogFilter(OpenFilterItems[static_cast<int>(FilterEditType)]);
    request.InitialDir = FilterDirectory;
    const std::string path = HookChooseFile(request);
    if (!path.empty()) LoadFilterFile(path);
}

// The editor refuses names the filters refuse; the size comes from the name, the record kind
// from the type being edited. The file is read before anything changes: a refused one used to
// leave an emptied grid of its size under its name, and the next Save wrote the old kernel's
// values padded with zeros as a kernel of the refused file's size.
void TFEditForm::LoadFilterFile(const std::string& path) {
    FilterKernels read = EditorKernels;
    if (!ReadFilterFile(path, FilterEditType, read)) return;
    FilterFileName = path;
    FilenameLabel->setText(QString::fromStdString(ExtractFileName(path)));
    FilterLoaded = false;
    SetFilterSize(SizeItemOf(read.Size));
    FilterLoaded = true;
    EditorKernels = read;
    ShownStage = 1;
    ShowStageSelector(1);
    ShowKernel(1);
}

void TFEditForm::SaveBtnClick() {
    const int kind = static_cast<int>(FilterEditType);
    const std::string extension = FilterExtensionOf(FilterEditType, GridSize());
    const std::string digit = extension.substr(2);
    FileDialogRequest request;
    request.Save = true;
    request.Filter =
        std::string(SaveKindNames[kind]) + " " + digit + "x" + digit + " files|*." + extension;
    request.DefaultExt = extension;
    request.InitialDir = FilterDirectory;
    const std::string chosen = HookChooseFile(request);
    if (chosen.empty()) return;
    // The dialog asked about the name typed, not about the one the grid's kind gives it: the
    // writer asks about that one.
    const std::string path = WithFilterExtension(chosen, extension);
    // The stages of a staged kernel are saved as they stand; the grid reaches them on a change
    // of stage.
    if (!Staged()) StoreGridInto(1);
    FilterKernels out = EditorKernels;
    out.Kind = FilterEditType;
    if (!WriteFilterFile(path, out, TReplaceLeave::Chosen(chosen))) return;
    FilterFileName = path;
    FilterKernelSize = KernelSizeOfName(path);
}

void TFEditForm::FilletBtnClick() {
    if (FilterExtension != "RR3" && FilterExtension != "R23" && FilterExtension != "R83") return;
    std::vector<std::string> grid = GridTexts();
    if (!FilletPreset(grid)) {
        ShowMessageNumber(24);
        return;
    }
    SetGridTexts(grid);
}

void TFEditForm::FullRBtnClick() {
    if (FilterExtension != "RR5" && FilterExtension != "R25" && FilterExtension != "R85") return;
    std::vector<std::string> grid = GridTexts();
    if (!FullRPreset(grid)) {
        ShowMessageNumber(24);
        return;
    }
    SetGridTexts(grid);
}

void TFEditForm::WavePresetClick(bool cosine) {
    if (FilterEditType == KernelKind::Integer) return;
    std::vector<std::string> grid = GridTexts();
    if (WavePreset(grid, GridSize(), IntegerOfCell(PhingEdit->text().toStdString()), cosine))
        SetGridTexts(grid);
}

void TFEditForm::phingbtnClick() {
    WavePresetClick(false);
}

void TFEditForm::RR9ingBtnClick() {
    WavePresetClick(true);
}
