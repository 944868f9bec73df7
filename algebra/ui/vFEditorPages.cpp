// The run pages of the spatial-filter window: "Filed Filters" (a kernel file through one of the
// filed filters, or the slope direction), "Ranked Edge" (the texture operators) and the
// disabled "Textures" page.
#include "algebra/ui/vFEditor.h"
#include "algebra/ui/vPixelAlgebra.h"
#include "algebra/vFilterEditorState.h"
#include "algebra/vUFilterFile.h"
#include "algebra/vUIPFilter.h"
#include "algebra/vUTexture.h"
#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "shell/ui/vHelp.h"
#include "shell/ui/vVorn.h"
#include "shell/vGlobal.h"
#include "shell/vMacroCodes.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int SlopeDirItem = 11;
constexpr int FiledHelpTopic = 9200;
constexpr int RankedHelpTopic = 9400;

const char* const DialogFilters[11] = {
    "Integer Filter files|*.RL3;*.RL5;*.RL7;*.RL9|3x3|*.RL3|5x5|*.RL5|7x7|*.RL7|9x9|*.RL9",
    "Real Filter files|*.RR3;*.RR5;*.RR7;*.RR9|3x3|*.RR3|5x5|*.RR5|7x7|*.RR7|9x9|*.RR9",
    "Sobel Filter files|*.R23;*.R25;*.R27;*.R29|3x3|*.R23|5x5|*.R25|7x7|*.R27|9x9|*.R29",
    "Sobel Filter files|*.R23;*.R25;*.R27;*.R29|3x3|*.R23|5x5|*.R25|7x7|*.R27|9x9|*.R29",
    "Rotate8 Filter files|*.R83;*.R85;*.R87;*.R89|3x3|*.R83|5x5|*.R85|7x7|*.R87|9x9|*.R89",
    "Rotate8 Filter files|*.R83;*.R85;*.R87;*.R89|3x3|*.R83|5x5|*.R85|7x7|*.R87|9x9|*.R89",
    "Ratio Filter files|*.RR3;*.RR5;*.RR7;*.RR9|3x3|*.RR3|5x5|*.RR5|7x7|*.RR7|9x9|*.RR9",
    "Ratio Filter files|*.RR3;*.RR5;*.RR7;*.RR9|3x3|*.RR3|5x5|*.RR5|7x7|*.RR7|9x9|*.RR9",
    "Slope 2 s_r_.r2? Filter files|*.R23;*.R25;*.R27;*.R29|3x3|*.R23|5x5|*.R25|7x7|*.R27|9x9|*.R29",
    "Slope 6 s_r_.r2? Filter files|*.R23;*.R25;*.R27;*.R29|3x3|*.R23|5x5|*.R25|7x7|*.R27|9x9|*.R29",
    "Slope 8 s_r_.r2? Filter "
    "files|*.R23;*.R25;*.R27;*.R29|3x3|*.R23|5x5|*.R25|7x7|*.R27|9x9|*.R29"};

// The leading number of an edit's text, 0 when it has none.
int32_t LeadingInt(const QLineEdit* edit) {
    return IntegerOfCell(edit->text().toStdString());
}

} // namespace

const char* FiledFilterDialogFilter(int item) {
    return DialogFilters[item];
}

QWidget* TFEditForm::MakeFiledPage() {
    auto* page = new QWidget(this);
    auto* column = new QVBoxLayout(page);
    FiledFiltersRG = ItemRadioGroup(page, "FiledFiltersRG", "Filter types",
                                    {"Spatial Integer", "Spatial Real", "Sobels SOD", "Sobels DOG",
                                     "Rotate8 SQRT", "Rotate8 Max", "Ratio Add", "Ratio Max",
                                     "Slope 2", "Slope 6", "Slope 8", "Slope Dir (no file)"},
                                    0, 2, column);
    FiledFRG =
        ItemRadioGroup(page, "FiledFRG", "Filter functions",
                       {"Standard: Filter Image only", "Filter Image then Add it to Image (self)",
                        "Filter Image then Subtract it from Image (self)"},
                       0, 1, column);
    qobject_cast<QWidget*>(FiledFRG->parent())->setToolTip("does nothing");
    SetHelpContext(qobject_cast<QWidget*>(FiledFiltersRG->parent()), 9220);
    SetHelpContext(qobject_cast<QWidget*>(FiledFRG->parent()), 9210);
    SpeedButton1 = new QToolButton(page);
    SpeedButton1->setObjectName("SpeedButton1");
    SpeedButton1->setText("Load and Process");
    connect(SpeedButton1, &QToolButton::clicked, this,
            [this] { Guarded([this] { SpeedButton1Click(); }); });
    column->addWidget(SpeedButton1);
    column->addStretch(1);
    auto* buttons = new QHBoxLayout;
    FFHelpBtn = new QPushButton("Help", page);
    FFHelpBtn->setObjectName("FFHelpBtn");
    ConnectHelp(FFHelpBtn, [this] { FFHelpBtnClick(); });
    FFCloseBtn = new QPushButton("Close", page);
    FFCloseBtn->setObjectName("FFCloseBtn");
    connect(FFCloseBtn, &QPushButton::clicked, this, [this] { close(); });
    buttons->addWidget(FFHelpBtn);
    buttons->addWidget(FFCloseBtn);
    buttons->addStretch(1);
    column->addLayout(buttons);
    return page;
}

void TFEditForm::FFHelpBtnClick() {
    if (VORNForm) VORNForm->ShowHelpContext(FiledHelpTopic);
}

void TFEditForm::SpeedButton1Click() {
    const int32_t choice = FiledFRG->checkedId();
    const int item = FiledFiltersRG->checkedId();
    if (item == SlopeDirItem) {
        if (RanOnThePicture(DoSlopeDir))
            RecordCommand(MacroCommandLine(312), {IntToStr(choice)}, false);
        return;
    }
    if (item < 0 || item >= static_cast<int>(FiledFilterCodes.size())) return;
    FileDialogRequest request;
    request.Filter = DialogFilters[item];
    request.InitialDir = FilterDirectory;
    const std::string path = HookChooseFile(request);
    if (path.empty()) return;
    // A name the filters refuse runs nothing, and so records nothing.
    if (KernelSizeOfName(path) == 0) return;
    HookBusyCursor(true);
    FilterDirectory = ExtractFilePath(path);
    const FiledFilterCode& code = FiledFilterCodes[static_cast<size_t>(item)];
    // An engine that fails ends in the guard, which puts the cursor back, and records nothing.
    const bool ran = RanOnThePicture([&] { code.Run(path, AutoRangeOption ? 1 : 0); });
    HookBusyCursor(false);
    // Of the filed filters only the integer one goes to the processing history.
    if (ran)
        RecordCommand(code.CommandLine, FilterBlockLines(path, choice, AutoRangeOption), item == 0);
}

QWidget* TFEditForm::MakeRankedPage() {
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    grid->addWidget(new QLabel("Texture Size: 3..9", page), 0, 1);
    grid->addWidget(new QLabel("Texture Height: 3..45", page), 0, 2);
    const struct {
        QPushButton** Button;
        const char* Name;
        const char* Caption;
        void (TFEditForm::*Click)();
        QLineEdit** Edit;
        const char* EditName;
        const char* Text;
        QLineEdit** Edit2;
        const char* Edit2Name;
        const char* Text2;
        const char* Note;
    } rows[] = {
        {&FERE_Min, "FERE_Min", "Min", &TFEditForm::FERE_MinBtnClick, &MinEdit, "MinEdit", "3",
         nullptr, nullptr, nullptr, nullptr},
        {&FERE_Max, "FERE_Max", "Max", &TFEditForm::FERE_MaxBtnClick, &MaxEdit, "MaxEdit", "5",
         nullptr, nullptr, nullptr, nullptr},
        {&FERE_Open, "FERE_Open", "Open", &TFEditForm::FERE_OpenBtnClick, &OpenEdit, "OpenEdit",
         "9", &OpenEdit2, "OpenEdit2", "3", "does Max then Min"},
        {&FERE_Close, "FERE_Close", "Close", &TFEditForm::FERE_CloseBtnClick, &CloseEdit,
         "CloseEdit", "3", &CloseEdit2, "CloseEdit2", "9", "does Min then Max"},
        {&FERE_Median, "FERE_Median", "Median", &TFEditForm::FERE_MedianBtnClick, &MedianEdit,
         "MedianEdit", "7", nullptr, nullptr, nullptr, nullptr},
        {&FERE_Range, "FERE_Range", "Range", &TFEditForm::FERE_RangeBtnClick, &RangeEdit,
         "RangeEdit", "5", nullptr, nullptr, nullptr, nullptr},
        {&FERE_LowRange, "FERE_LowRange", "Low Range", &TFEditForm::FERE_LowRangeBtnClick,
         &LowRangeEdit, "LowRangeEdit", "3", nullptr, nullptr, nullptr, nullptr},
        {&FERE_Variance, "FERE_Variance", "Variance", &TFEditForm::FERE_VarianceBtnClick,
         &VarianceEdit, "VarianceEdit", "3", nullptr, nullptr, nullptr, nullptr},
        {&FERE_TopHat, "FERE_TopHat", "Top Hat", &TFEditForm::FERE_TopHatBtnClick, &TopHatEdit,
         "TopHatEdit", "3", &TopHatEdit2, "TopHatEdit2", "20", nullptr},
        {&FERE_RollingBall, "FERE_RollingBall", "Rolling Ball",
         &TFEditForm::FERE_RollingBallBtnClick, &RollingBallEdit, "RollingBallEdit", "3",
         &RollingBallEdit2, "RollingBallEdit2", "20", nullptr},
        {&FERE_IRTopHat, "FERE_IRTopHat", "IR Top Hat", &TFEditForm::FERE_IRTopHatBtnClick,
         &IRTopHatEdit, "IRTopHatEdit", "9", &IRTopHatEdit2, "IRTopHatEdit2", "9", nullptr},
        {&FERE_IRRollingBall, "FERE_IRRollingBall", "IR Rollerball",
         &TFEditForm::FERE_IRRollingBallBtnClick, &IRRollingBallEdit, "IRRollingBallEdit", "3",
         &IRRollingBallEdit2, "IRRollingBallEdit2", "9", nullptr},
    };
    auto edit = [page](const char* name, const char* text) {
        auto* e = new QLineEdit(text, page);
        e->setObjectName(name);
        return e;
    };
    int line = 1;
    for (const auto& row : rows) {
        *row.Button = Button(page, row.Name, row.Caption, nullptr, row.Click);
        *row.Edit = edit(row.EditName, row.Text);
        grid->addWidget(*row.Button, line, 0);
        grid->addWidget(*row.Edit, line, 1);
        // The rows' topics run 9401, 9402, ... down the page; the edits share their button's.
        SetHelpContext(*row.Button, RankedHelpTopic + line);
        SetHelpContext(*row.Edit, RankedHelpTopic + line);
        if (row.Edit2) {
            *row.Edit2 = edit(row.Edit2Name, row.Text2);
            grid->addWidget(*row.Edit2, line, 2);
            SetHelpContext(*row.Edit2, RankedHelpTopic + line);
        }
        if (row.Note) grid->addWidget(new QLabel(row.Note, page), line, 3);
        ++line;
    }
    // Disabled as designed: its command is reached only from a macro.
    FERE_IRRollingBall->setEnabled(false);
    FEREHelpBtn = new QPushButton("Help", page);
    FEREHelpBtn->setToolTip("Confused ?");
    ConnectHelp(FEREHelpBtn, RankedHelpTopic);
    FERECloseBtn = new QPushButton("Close", page);
    FERECloseBtn->setToolTip("Finished ?");
    connect(FERECloseBtn, &QPushButton::clicked, this, [this] { close(); });
    grid->addWidget(FEREHelpBtn, line, 0);
    grid->addWidget(FERECloseBtn, line, 1);
    grid->setRowStretch(line + 1, 1);
    return page;
}

void TFEditForm::RankedEdgeClick(int32_t code, QLineEdit* sizeEdit, QLineEdit* secondEdit) {
    const TextureCommand& command = *FindTextureCommand(code);
    const std::string line = MacroCommandLine(code);
    const int32_t n = TextureSizeOf(LeadingInt(sizeEdit));
    switch (command.Args) {
    case TextureArgs::Size:
        if (RanOnThePicture([&] { RunTextureCommand(command, n, 0); }))
            RecordCommand(line, {IntToStr(n)});
        break;
    case TextureArgs::TwoSizes: {
        const int32_t n2 = TextureSizeOf(LeadingInt(secondEdit));
        if (RanOnThePicture([&] { RunTextureCommand(command, n, n2); }))
            RecordCommand(line, {IntToStr(n), IntToStr(n2)});
        break;
    }
    case TextureArgs::SizeHeight: {
        const int32_t height = TextureHeightOf(LeadingInt(secondEdit));
        if (RanOnThePicture([&] { RunTextureCommand(command, n, height); }))
            RecordCommand(line, {IntToStr(n), IntToStr(height)});
        break;
    }
    case TextureArgs::Variance: {
        const int32_t lastPass = AutoRangeOption ? 1 : 0;
        if (RanOnThePicture([&] { RunTextureCommand(command, n, lastPass); }))
            RecordCommand(line, {IntToStr(n), IntToStr(lastPass)});
        break;
    }
    }
}

void TFEditForm::FERE_MinBtnClick() {
    RankedEdgeClick(351, MinEdit, nullptr);
}
void TFEditForm::FERE_MaxBtnClick() {
    RankedEdgeClick(352, MaxEdit, nullptr);
}
void TFEditForm::FERE_OpenBtnClick() {
    RankedEdgeClick(353, OpenEdit, OpenEdit2);
}
void TFEditForm::FERE_CloseBtnClick() {
    RankedEdgeClick(354, CloseEdit, CloseEdit2);
}
void TFEditForm::FERE_MedianBtnClick() {
    RankedEdgeClick(355, MedianEdit, nullptr);
}
void TFEditForm::FERE_RangeBtnClick() {
    RankedEdgeClick(356, RangeEdit, nullptr);
}
void TFEditForm::FERE_LowRangeBtnClick() {
    RankedEdgeClick(357, LowRangeEdit, nullptr);
}
void TFEditForm::FERE_VarianceBtnClick() {
    RankedEdgeClick(358, VarianceEdit, nullptr);
}
void TFEditForm::FERE_TopHatBtnClick() {
    RankedEdgeClick(359, TopHatEdit, TopHatEdit2);
}
void TFEditForm::FERE_RollingBallBtnClick() {
    RankedEdgeClick(360, RollingBallEdit, RollingBallEdit2);
}
void TFEditForm::FERE_IRTopHatBtnClick() {
    RankedEdgeClick(361, IRTopHatEdit, IRTopHatEdit2);
}
void TFEditForm::FERE_IRRollingBallBtnClick() {
    RankedEdgeClick(362, IRRollingBallEdit, IRRollingBallEdit2);
}

QWidget* TFEditForm::MakeTexturesPage() {
    TexturesPage = new QWidget(this);
    auto* columns = new QHBoxLayout(TexturesPage);
    const struct {
        const char* Name;
        const char* Title;
        std::initializer_list<const char*> Items;
    } groups[] = {
        {"StandardTexturesRG",
         "Standard Textures",
         {"Adaptive", "DOGaussians", "FractalHurst", "LowRange", "Range", "Variance", "ASM",
          "AVOMNLD"}},
        {"HaralickTexturesRG",
         "HaralickTextures",
         {"Kurtosis", "MaxED", "Mean", "MeanED", "MOSNLD", "PSCOS", "Range", "Variance"}}};
    for (const auto& g : groups) {
        const bool standard = &g == &groups[0];
        auto* column = new QVBoxLayout;
        ItemRadioGroup(TexturesPage, g.Name, g.Title, g.Items, -1, 1, column);
        auto* buttons = new QGridLayout;
        int slot = 0;
        for (const char* item : g.Items) {
            auto* b = new QPushButton(item, TexturesPage);
            if (standard && slot == 0)
                connect(b, &QPushButton::clicked, this,
                        [this] { Guarded([this] { FET_AdaptiveBtnClick(); }); });
            buttons->addWidget(b, slot / 2, slot % 2);
            ++slot;
        }
        buttons->addWidget(new QLineEdit("3", TexturesPage), slot / 2 + 1, 0);
        buttons->addWidget(new QLineEdit("3", TexturesPage), slot / 2 + 1, 1);
        column->addLayout(buttons);
        auto* process = new QPushButton("Process", TexturesPage);
        process->setEnabled(false);
        column->addWidget(process);
        columns->addLayout(column);
    }
    auto* closing = new QVBoxLayout;
    auto* help = new QPushButton("Help", TexturesPage);
    ConnectHelp(help, 9300);
    auto* close = new QPushButton("Close", TexturesPage);
    connect(close, &QPushButton::clicked, this, [this] { this->close(); });
    closing->addWidget(help);
    closing->addWidget(close);
    closing->addStretch(1);
    columns->addLayout(closing);
    TexturesPage->setEnabled(false);
    return TexturesPage;
}

void TFEditForm::FET_AdaptiveBtnClick() {}
