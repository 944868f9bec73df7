#include "shell/ui/vPrOptions.h"

#include "runtime/RtErrors.h"
#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "shell/ui/vClassColorGrid.h"
#include "shell/ui/vHelp.h"
#include "shell/ui/vVorn.h"
#include "shell/vGlobal.h"
#include "shell/vOptionChoices.h"
#include "shell/vToolForms.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <limits>

namespace {

using Form = TOptionsForm;

QString Latin1(const std::string& s) {
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

struct CheckOption {
    QCheckBox* Form::*Box;
    const char* Name;
    const char* Caption;
    bool* Global;
};

const CheckOption CheckOptions[] = {
    {&Form::OpenPreviewCB, "OpenPreviewCB", "Open with Preview", &OpenPreviewOption},
    {&Form::SavePreviewCB, "SavePreviewCB", "Save with Preview", &SavePreviewOption},
    {&Form::DisplayConvert32CB, "DisplayConvert32CB", "Display Convert to32",
     &DisplayConvert32Option},
    {&Form::DoneNotificationCB, "DoneNotificationCB", "Done Notification", &DoneNotificationOption},
    {&Form::DoneSpokenCB, "DoneSpokenCB", "Spoken Voice", &DoneSpokenOption},
    {&Form::BellsCB, "BellsCB", "Bells", &DoneBellsOption},
    {&Form::WhistlesCB, "WhistlesCB", "Whistles", &DoneWhistlesOption},
    {&Form::ErrorNotUsedCB, "ErrorNotUsedCB", "Beep", &ErrorBeepOption},
    {&Form::ErrorSpokenCB, "ErrorSpokenCB", "Spoken Error", &ErrorSpokenOption},
    {&Form::AbsoluteValuesCB, "AbsoluteValuesCB", "Absolute Values: Negative become positive",
     &AbsoluteValuesOption},
    {&Form::SetAbsoluteValueCB, "SetAbsoluteValueCB",
     "Set Absolute Threshold:  0.0    ..     255.0", &SetAbsoluteOption},
    {&Form::SetAutorangeThresholdCB, "SetAutorangeThresholdCB",
     "Set in-process Threshold:   0     ..       255", &SetThresholdOption},
};

} // namespace

// A number box: strict whole-text integers (Int), or the lenient reading of reals (Real) and of
// bytes (Byte) that reports where the text stopped being a number.
struct TOptionsForm::NumberEntry {
    QLineEdit* Form::*Edit;
    const char* Name;
    int32_t* Int;
    double* Real;
    uint8_t* Byte;
};

const TOptionsForm::NumberEntry TOptionsForm::NumberEntries[] = {
    {&Form::MessageXEdit, "MessageXEdit", &MessageX, nullptr, nullptr},
    {&Form::MessageYEdit, "MessageYEdit", &MessageY, nullptr, nullptr},
    {&Form::RealATMinEdit, "RealATMinEdit", nullptr, &RealATMin, nullptr},
    {&Form::RealATMaxEdit, "RealATMaxEdit", nullptr, &RealATMax, nullptr},
    {&Form::IntATMinEdit, "IntATMinEdit", nullptr, nullptr, &IntATMin},
    {&Form::IntATMaxEdit, "IntATMaxEdit", nullptr, nullptr, &IntATMax},
};

// A folder row: the browse dialog's filter and proposed name (the program's row proposes the
// running program), and whether the chosen file's folder or its whole path is kept.
struct TOptionsForm::DirectoryRow {
    QLineEdit* Form::*Edit;
    QPushButton* Form::*Button;
    const char* EditName;
    const char* ButtonName;
    const char* Label;
    std::string* Global;
    const char* Filter;
    const char* Proposed;
    bool WholePath;
};

const TOptionsForm::DirectoryRow TOptionsForm::DirectoryRows[] = {
    {&Form::RPM_ProgramEdit, &Form::POD_ProgramDIRBtn, "RPM_ProgramEdit", "POD_ProgramDIRBtn",
     "Program", &ProgramDirectory, nullptr, nullptr, false},
    {&Form::FilterPathEdit, &Form::POD_FilterDIRBtn, "FilterPathEdit", "POD_FilterDIRBtn",
     "Filters", &FilterDirectory, "Filters.R?|*.R*", "*.R*", false},
    {&Form::FilePathEdit, &Form::POD_ImageDIRBtn, "FilePathEdit", "POD_ImageDIRBtn", "Images",
     &WorkingFolderText(ImageDirectory), "Images.RIH|*.RIH;*.PNG;*.*", "*.*", false},
    {&Form::RPM_DEMEdit, &Form::POD_DEMDIRBtn, "RPM_DEMEdit", "POD_DEMDIRBtn",
     "Pixel: Raster Image Manipulations", &DEMDirectory, "your Image Editor *.exe |*.exe", "*.*",
     true},
    {&Form::RPM_VDatabaseEdit, &Form::POD_VDatabaseDIRBtn, "RPM_VDatabaseEdit",
     "POD_VDatabaseDIRBtn", "Voxel: Volume Elementals", &VDatabaseDirectory,
     "your special effects *.exe |*.exe", "*.exe", true},
    {&Form::RPM_StorageEdit, &Form::POD_StorageDIRBtn, "RPM_StorageEdit", "POD_StorageDIRBtn",
     "Moxel: Movies", &StorageDirectory, "your movie maker *.exe |*.exe", "*.exe", true},
    {&Form::RPM_VectorsEdit, &Form::POD_VectorDIRBtn, "RPM_VectorsEdit", "POD_VectorDIRBtn",
     "VR LAB: Vectors from Raster", &VectorsDirectory, "Vector creator *.exe |*.exe;", "*.exe",
     true},
};

TOptionsForm::TOptionsForm(QWidget* parent)
    : TToolWindow("VORN Program Options", "OptionsForm", fpOptions, tfNone, parent) {
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    const struct {
        QWidget* Page;
        const char* Caption;
        const char* Hint;
    } pages[] = {{MakeVornPage(), "VORN", "Menu Toggles and choices"},
                 {MakeColorsPage(), "Colors", "Program Color Options"},
                 {MakeDirectoriesPage(), "Directories", "Directory location of data"}};
    for (const auto& p : pages) {
        const int index = PageControl1->addTab(p.Page, p.Caption);
        PageControl1->setTabToolTip(index, p.Hint);
    }
    SetPageHelpContexts(PageControl1, {3100, 3700, 3800});
    PageControl1->setCurrentIndex(2);

    RPOClose = Button(this, "RPOClose", "Close", nullptr, &TOptionsForm::RPOCloseClick);
    RPOHelp = HelpButton("RPOHelp", 3000);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1);
    layout->addLayout(ButtonRow({RPOHelp, RPOClose}));

    Guarded([this] { FormSet(); });
}

QPushButton* TOptionsForm::Button(QWidget* parent, const char* name, const char* caption,
                                  const char* hint, void (TOptionsForm::*click)()) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    if (hint) button->setToolTip(hint);
    if (click)
        connect(button, &QPushButton::clicked, this,
                [this, click] { Guarded([this, click] { (this->*click)(); }); });
    return button;
}

QHBoxLayout* TOptionsForm::ButtonRow(std::initializer_list<QWidget*> buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (QWidget* b : buttons)
        row->addWidget(b);
    return row;
}

QPushButton* TOptionsForm::HelpButton(const char* name, int topic) {
    QPushButton* button = Button(this, name, "Help", nullptr, nullptr);
    ConnectHelp(button, topic);
    return button;
}

namespace {

QButtonGroup* RadioGroup(QWidget* page, const char* name, const char* title,
                         std::initializer_list<const char*> items, QLayout* into) {
    auto* box = new QGroupBox(title, page);
    auto* column = new QVBoxLayout(box);
    auto* group = new QButtonGroup(box);
    group->setObjectName(name);
    int id = 0;
    for (const char* item : items) {
        auto* radio = new QRadioButton(item, box);
        column->addWidget(radio);
        group->addButton(radio, id++);
    }
    into->addWidget(box);
    return group;
}

QLineEdit* NumberEdit(QWidget* page, const char* name) {
    auto* edit = new QLineEdit(page);
    edit->setObjectName(name);
    edit->setMaximumWidth(80);
    return edit;
}

QHBoxLayout* MinMaxRow(QLineEdit* min, QLineEdit* max) {
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel("Min"));
    row->addWidget(min);
    row->addWidget(new QLabel("Max"));
    row->addWidget(max);
    row->addStretch(1);
    return row;
}

} // namespace

QWidget* TOptionsForm::MakeVornPage() {
    auto* page = new QWidget(this);
    for (const CheckOption& c : CheckOptions) {
        auto* box = new QCheckBox(c.Caption, page);
        box->setObjectName(c.Name);
        this->*c.Box = box;
        bool* global = c.Global;
        connect(box, &QCheckBox::clicked, this, [this, global](bool checked) {
            Guarded([global, checked] { *global = checked; });
        });
    }
    for (const NumberEntry& n : NumberEntries) {
        QLineEdit* edit = NumberEdit(page, n.Name);
        this->*n.Edit = edit;
        connect(edit, &QLineEdit::textEdited, this,
                [this, &n] { Guarded([this, &n] { NumberChanged(n); }); });
    }

    auto* left = new QVBoxLayout;
    auto* dialogs = new QGroupBox("File dialogs", page);
    auto* dialogsColumn = new QVBoxLayout(dialogs);
    for (QCheckBox* b : {OpenPreviewCB, SavePreviewCB, DisplayConvert32CB})
        dialogsColumn->addWidget(b);
    left->addWidget(dialogs);
    auto* sounds = new QGroupBox("Sounds", page);
    auto* soundsColumn = new QVBoxLayout(sounds);
    for (QCheckBox* b :
         {DoneNotificationCB, DoneSpokenCB, BellsCB, WhistlesCB, ErrorNotUsedCB, ErrorSpokenCB})
        soundsColumn->addWidget(b);
    left->addWidget(sounds);

    auto* message = new QGroupBox("Messages", page);
    auto* messageForm = new QFormLayout(message);
    SpeedButton3 = Button(message, "SpeedButton3", "Desired Message Locator", nullptr,
                          &TOptionsForm::SpeedButton3Click);
    messageForm->addRow(SpeedButton3);
    messageForm->addRow("X", MessageXEdit);
    messageForm->addRow("Y", MessageYEdit);
    left->addWidget(message);

    CurrentColorPanel = new TColorPanel(page);
    CurrentColorPanel->setObjectName("CurrentColorPanel");
    connect(CurrentColorPanel, &TColorPanel::Clicked, this,
            [this] { Guarded([this] { CurrentColorPanelClick(); }); });
    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(new QLabel("CurrentColor", page));
    colorRow->addWidget(CurrentColorPanel);
    colorRow->addStretch(1);
    left->addLayout(colorRow);
    left->addStretch(1);

    auto* right = new QVBoxLayout;
    right->addWidget(AbsoluteValuesCB);
    right->addWidget(SetAbsoluteValueCB);
    right->addLayout(MinMaxRow(RealATMinEdit, RealATMaxEdit));
    TogglesRG = RadioGroup(page, "TogglesRG", "Toggle an in-process Choice",
                           {"Clip to 0..255", "Do  0..1..255", "Below Zero -1..0..1",
                            "AutoRange runs twice to stretch to 0..255"},
                           right);
    right->addWidget(SetAutorangeThresholdCB);
    right->addLayout(MinMaxRow(IntATMinEdit, IntATMaxEdit));
    PO_ToggleRG = RadioGroup(page, "PO_ToggleRG", "SC Display Toggle BGR",
                             {"Blue", "Green", "Red", "BGR"}, right);
    connect(TogglesRG, &QButtonGroup::idClicked, this,
            [this](int item) { Guarded([item] { SetProcessingChoice(item); }); });
    connect(PO_ToggleRG, &QButtonGroup::idClicked, this,
            [this](int item) { Guarded([item] { SetChannelChoice(item); }); });

    POM_ResetMenuBtn = Button(page, "POM_ResetMenuBtn", "Reset", "Reset to Menu Defaults",
                              &TOptionsForm::POM_ResetMenuBtnClick);
    POHelpBtn = HelpButton("POHelpBtn", 3100);
    right->addStretch(1);
    right->addLayout(ButtonRow({POM_ResetMenuBtn, POHelpBtn}));

    auto* columns = new QHBoxLayout(page);
    columns->addLayout(left);
    columns->addLayout(right);
    return page;
}

QWidget* TOptionsForm::MakeDirectoriesPage() {
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    int line = 0;
    for (const DirectoryRow& d : DirectoryRows) {
        auto* edit = new QLineEdit(page);
        edit->setObjectName(d.EditName);
        // Shown only: a typed folder is not taken, the browse button sets it, and a box that
        // took typing would say otherwise.
        edit->setReadOnly(true);
        edit->setMaxLength(255);
        edit->setMinimumWidth(360);
        QPushButton* button = Button(page, d.ButtonName, "...", nullptr, nullptr);
        this->*d.Edit = edit;
        this->*d.Button = button;
        connect(button, &QPushButton::clicked, this,
                [this, &d] { Guarded([this, &d] { BrowseClick(d); }); });
        grid->addWidget(new QLabel(d.Label, page), line, 0);
        grid->addWidget(edit, line, 1);
        grid->addWidget(button, line, 2);
        ++line;
    }
    POD_ResetDirectoriesBtn =
        Button(page, "POD_ResetDirectoriesBtn", "Reset", "Reset to Directory Defaults",
               &TOptionsForm::POD_ResetDirectories);
    SpeedButton1 = HelpButton("SpeedButton1", 3800);
    grid->addLayout(ButtonRow({POD_ResetDirectoriesBtn, SpeedButton1}), line, 0, 1, 3);
    grid->setRowStretch(line + 1, 1);
    return page;
}

void TOptionsForm::ShowDirectories() {
    for (const DirectoryRow& d : DirectoryRows)
        (this->*d.Edit)->setText(QString::fromLocal8Bit(*d.Global));
}

void TOptionsForm::FormSet() {
    ShowDirectories();
    for (const CheckOption& c : CheckOptions)
        (this->*c.Box)->setChecked(*c.Global);
    CurrentColorPanel->SetColor(ColorSettings[3]);
    for (const NumberEntry& n : NumberEntries) {
        std::string text;
        if (n.Int) text = IntToStr(*n.Int);
        if (n.Real) text = FormatFixed(*n.Real, 5, 1);
        if (n.Byte) text = IntToStr(*n.Byte);
        (this->*n.Edit)->setText(Latin1(text));
    }
    // Selecting an item runs its click action, so each group is left with exactly one switch on.
    const int channel = ChannelChoiceOf();
    if (channel >= 0) {
        PO_ToggleRG->button(channel)->setChecked(true);
        SetChannelChoice(channel);
    }
    const int processing = ProcessingChoiceOf();
    TogglesRG->button(processing)->setChecked(true);
    SetProcessingChoice(processing);
}

void TOptionsForm::NumberChanged(const NumberEntry& n) {
    const std::string text = (this->*n.Edit)->text().toLatin1().toStdString();
    if (n.Int) {
        const int64_t v = StrToInt(text);
        if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
            throw EConvertError("'" + text + "' is not a valid integer value");
        *n.Int = static_cast<int32_t>(v);
        return;
    }
    // A text that stops being a number is reported and leaves the option as it was: a stray
    // character must not turn a threshold into whatever was read before it.
    int code = 0;
    if (n.Real) {
        const double v = ValReal(text, code);
        if (code == 0) *n.Real = v;
    } else {
        const int64_t v = ValInt(text, code);
        if (code == 0) *n.Byte = static_cast<uint8_t>(v & 0xFF);
    }
    ShowFileDataError(text, code);
}

void TOptionsForm::BrowseClick(const DirectoryRow& d) {
    FileDialogRequest request;
    request.InitialDir = *d.Global;
    if (d.Filter) {
        request.Filter = d.Filter;
        request.FileName = d.Proposed;
    } else {
        const std::string program = ExtractFileName(ExecutablePath());
        request.Filter = "VORN program|" + program;
        request.FileName = program;
    }
    const std::string chosen = HookChooseFile(request);
    const std::string folder = d.WholePath ? chosen : ExtractFilePath(chosen);
    if (!chosen.empty() && !RefuseLongDirectory(folder)) *d.Global = folder;
    (this->*d.Edit)->setText(QString::fromLocal8Bit(*d.Global));
}

void TOptionsForm::POD_ResetDirectories() {
    ResetDirectories();
    ShowDirectories();
}

void TOptionsForm::POM_ResetMenuBtnClick() {
    ResetMenuOptions();
    FormSet();
}

void TOptionsForm::CurrentColorPanelClick() {
    uint32_t color = ColorSettings[3];
    if (!Hooks.ChooseColor || !Hooks.ChooseColor(color)) return;
    ColorSettings[3] = color;
    CurrentColorPanel->SetColor(color);
}

void TOptionsForm::SpeedButton3Click() {
    ShowMessageNumber(9999);
}

void TOptionsForm::RPOCloseClick() {
    close();
}

void TOptionsForm::FormOpen() {
    WalkColorGrid();
    FormSet();
}
