#include "shell/ui/vMacro.h"
#include "algebra/ui/vFEditor.h"
#include "algebra/ui/vPixelAlgebra.h"
#include "algebra/vFilterEditorState.h"
#include "algebra/vUIPFilter.h"
#include "algebra/vUTexture.h"

#include "histogram/ui/vHistogram.h"
#include "histogram/ui/vLinear.h"
#include "histogram/vUILinear.h"

#include "runtime/RtErrors.h"
#include "runtime/RtFiles.h"
#include "shell/ui/vHelp.h"
#include "shell/ui/vPrinting.h"
#include "shell/ui/vVorn.h"
#include "shell/vGlobal.h"
#include "shell/vMacroCodes.h"
#include "shell/vMacroPlayer.h"
#include "shell/vToolForms.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QToolButton>
#include <QVBoxLayout>

QPointer<TMacroForm> MacroForm;

namespace {

constexpr int MacroHelpTopic = 17500;
constexpr const char* MacroFilter = "Macro files (eve)|*.eve";

QString Latin1(const std::string& s) {
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

TMacroForm::TMacroForm(QWidget* parent)
    : TToolWindow("Macro", "MacroForm", fpMacro, tfNone, parent) {
    auto* layout = new QVBoxLayout(this);
    MacroMachine = new QGroupBox("Macro Machine", this);
    auto* tools = new QHBoxLayout(MacroMachine);
    auto* group = new QButtonGroup(this);
    const struct {
        QToolButton** button;
        int tag;
        const char* hint;
    } buttons[] = {{&ClearBtn, ClearTool, "Clear"},       {&RecordBtn, RecordTool, "Record"},
                   {&PauseBtn, PauseTool, "Pause..Stop"}, {&LoadBtn, LoadTool, "Load"},
                   {&EditBtn, EditTool, "Edit"},          {&SaveBtn, SaveTool, "Save"},
                   {&PlayBtn, PlayTool, "Play"},          {&PrintBtn, PrintTool, "Print"},
                   {&CopyBtn, CopyTool, "Copy"},          {&PasteBtn, PasteTool, "Paste"}};
    for (const auto& b : buttons) {
        auto* button = new QToolButton(MacroMachine);
        button->setText(b.hint);
        button->setToolTip(b.hint);
        button->setCheckable(true);
        group->addButton(button, b.tag);
        tools->addWidget(button);
        *b.button = button;
    }
    connect(group, &QButtonGroup::idClicked, this,
            [this](int tag) { Guarded([&] { SpeedButtonToolClick(tag); }); });
    PreviewCloseBtn = new QToolButton(MacroMachine);
    PreviewCloseBtn->setText("X");
    PreviewCloseBtn->setToolTip("Hide me");
    PreviewCloseBtn->setStatusTip("the X box does this too");
    connect(PreviewCloseBtn, &QToolButton::clicked, this, &QWidget::close);
    MacroHelpBtn = new QToolButton(MacroMachine);
    MacroHelpBtn->setText("?");
    MacroHelpBtn->setToolTip("Help");
    MacroHelpBtn->setStatusTip("Display Help system for Macro");
    ConnectHelp(MacroHelpBtn, MacroHelpTopic);
    tools->addWidget(PreviewCloseBtn);
    tools->addWidget(MacroHelpBtn);
    layout->addWidget(MacroMachine);
    MacroRE = new QPlainTextEdit(this);
    MacroRE->setLineWrapMode(QPlainTextEdit::NoWrap);
    MacroRE->setPlainText(MacroFileHeader);
    layout->addWidget(MacroRE);
    SaveBtn->setEnabled(false);
}

std::vector<std::string> TMacroForm::Lines() const {
    std::vector<std::string> lines;
    if (MacroRE->document()->isEmpty()) return lines;
    for (QTextBlock b = MacroRE->document()->begin(); b.isValid(); b = b.next())
        lines.push_back(b.text().toLatin1().toStdString());
    return lines;
}

void TMacroForm::SetLines(const std::vector<std::string>& lines) {
    MacroRE->clear();
    AppendLines(lines);
}

void TMacroForm::AppendLine(const std::string& line) {
    MacroRE->appendPlainText(Latin1(line));
}

void TMacroForm::AppendLines(const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
        AppendLine(line);
}

void TMacroForm::WriteProcessingOptions() {
    AppendLines(StartRecordingOptions());
}

std::string TMacroForm::ChooseMacroFile(bool save) {
    FileDialogRequest request;
    request.Save = save;
    request.Filter = MacroFilter;
    request.FileName = ShownPictureFile(".eve");
    request.OpenIn(ImageDirectory);
    return HookChooseFile(request);
}

void TMacroForm::ShowFileName(const std::string& path) {
    MacroMachine->setTitle(QString::fromLocal8Bit(path.c_str()));
    setWindowTitle("Macronizing: " + QString::fromLocal8Bit(ExtractFileName(path).c_str()));
}

void TMacroForm::LoadMacro() {
    const std::string path = ChooseMacroFile(false);
    if (path.empty()) return;
    // Read before anything changes: a file that cannot be read leaves the text as it was.
    std::vector<std::string> lines;
    if (!LoadMacroFile(path, lines))
        throw EInOutError(FileExists(path) ? EInOutError::AccessDenied : EInOutError::FileNotFound);
    ShowFileName(path);
    SetLines(lines);
    SaveBtn->setEnabled(true);
}

void TMacroForm::SaveMacro() {
    const std::string path = ChooseMacroFile(true);
    if (path.empty()) return;
    if (!SaveMacroFile(path, Lines(), TReplaceLeave::Chosen(path))) {
        const std::string dir = ExtractFilePath(path).empty() ? "./" : ExtractFilePath(path);
        throw EInOutError(DirectoryExists(dir) ? EInOutError::AccessDenied
                                               : EInOutError::PathNotFound);
    }
    ShowFileName(path);
    SaveBtn->setEnabled(true);
}

void TMacroForm::PrintMacro() {
    if (PrintTextDocument(*MacroRE->document(), windowTitle(), SayNoPrinterAvailable) ==
        PrintOutcome::Failed)
        ShowMessageNumber(38);
}

void TMacroForm::SpeedButtonToolClick(int tag) {
    // Every button but Print and Copy ends a recording.
    if (tag != PrintTool && tag != CopyTool) MacroRecording = false;
    switch (tag) {
    case ClearTool:
        MacroRE->clear();
        AppendLines(MacroHeaderLines());
        WriteProcessingOptions();
        break;
    case RecordTool:
        MacroRecording = true;
        AppendLines(MacroHeaderLines());
        WriteProcessingOptions();
        SaveBtn->setEnabled(true);
        break;
    case LoadTool:
        LoadMacro();
        break;
    case EditTool:
    case PasteTool:
        if (tag == PasteTool) MacroRE->paste();
        SaveBtn->setEnabled(true);
        break;
    case SaveTool:
        SaveMacro();
        break;
    case PlayTool: {
        const QTextDocument* doc = MacroRE->document();
        const MacroText text{[doc] { return static_cast<size_t>(doc->blockCount()); },
                             [doc](size_t i) {
                                 const QTextBlock b = doc->findBlockByNumber(static_cast<int>(i));
                                 return b.isValid() ? b.text().toLatin1().toStdString()
                                                    : std::string();
                             }};
        PlayMacro(text);
        break;
    }
    case PrintTool:
        PrintMacro();
        break;
    case CopyTool:
        MacroRE->copy();
        break;
    default:
        break;
    }
}

void TMacroForm::FormClose() {
    MacroRecording = false;
    TToolWindow::FormClose();
}

void InstallMacroHooks() {
    Hooks.AppendMacroLine = [](const std::string& line) {
        if (MacroForm) MacroForm->AppendLine(line);
    };
    // Routines that set a window's controls from the recorded lines before they run.
    RegisterMacroRoutine(101, [](const MacroStep& s) {
        if (HistogramForm) HistogramForm->DoH_SCDisplay(s.I(1), s.I(2));
    });
    RegisterMacroRoutine(153, [](const MacroStep& s) {
        if (LinearForm) LinearForm->SetLinearRGIndex(s.Radio(2, 3));
        Do_EdgeFollow(s.I(1));
    });
    RegisterMacroRoutine(154, [](const MacroStep& s) {
        if (LinearForm) LinearForm->SetLinearRGIndex(s.Radio(2, 3));
        Do_EdgeFlow(s.I(1));
    });
    RegisterMacroRoutine(155, [](const MacroStep& s) {
        const int32_t band = s.Radio(2, 3);
        if (LinearForm) LinearForm->SetLinearRGIndex(band);
        ContourInterval(s.I(1), band);
    });
    RegisterMacroRoutine(156, [](const MacroStep& s) {
        if (LinearForm) LinearForm->SetLinearRGIndex(s.Radio(2, 3));
        EmptyLinearOp();
    });
    for (const FiledFilterCode& code : FiledFilterCodes)
        RegisterMacroRoutine(code.Code, [&code](const MacroStep& s) {
            FilterDirectory = s.L(1);
            FilterFileName = s.L(2);
            if (FEditForm) SetRadioItem(FEditForm->FiledFRG, s.Radio(3, 3));
            code.Run(FilterFileName, s.I(4));
        });
    RegisterMacroRoutine(312, [](const MacroStep& s) {
        if (FEditForm) SetRadioItem(FEditForm->FiledFRG, s.Radio(1, 3));
        DoSlopeDir();
    });
    MacroShowPixelAlgebraItems = [](const std::array<int32_t, 21>& items) {
        if (!PixelAlgebraForm) return;
        const auto groups = PixelAlgebraForm->ExpressionGroups();
        for (size_t k = 0; k < groups.size(); ++k)
            SetRadioItem(groups[k], items[k]);
    };
    MacroLoadPicture = [](const std::string& directory, const std::string& name) {
        return VORNForm ? VORNForm->OpenPicture(directory, name) : LoadPictureFile(directory, name);
    };
}
