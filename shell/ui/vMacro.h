// TMacroForm, the macro window: records, edits, loads, saves, prints and plays macros. Lives for
// the whole run; the macro text persists while it is hidden.
#pragma once

#include "shell/ui/vToolWindow.h"

#include <QPointer>
#include <array>
#include <string>
#include <vector>

class QGroupBox;
class QPlainTextEdit;
class QToolButton;

class TMacroForm : public TToolWindow {
    Q_OBJECT
  public:
    explicit TMacroForm(QWidget* parent = nullptr);

    // Tags of the tool buttons.
    enum Tool : int {
        ClearTool = 0,
        RecordTool = 1,
        LoadTool = 2,
        EditTool = 3,
        SaveTool = 4,
        PlayTool = 5,
        PrintTool = 6,
        CopyTool = 7,
        PasteTool = 8,
        PauseTool = 9,
    };

    QGroupBox* MacroMachine = nullptr;
    QToolButton* ClearBtn = nullptr;
    QToolButton* RecordBtn = nullptr;
    QToolButton* PauseBtn = nullptr;
    QToolButton* LoadBtn = nullptr;
    QToolButton* EditBtn = nullptr;
    QToolButton* SaveBtn = nullptr;
    QToolButton* PlayBtn = nullptr;
    QToolButton* PrintBtn = nullptr;
    QToolButton* CopyBtn = nullptr;
    QToolButton* PasteBtn = nullptr;
    QToolButton* PreviewCloseBtn = nullptr;
    QToolButton* MacroHelpBtn = nullptr;
    QPlainTextEdit* MacroRE = nullptr;

    // The one handler of the ten tool buttons.
    void SpeedButtonToolClick(int tag);
    void WriteProcessingOptions();

    // The macro text, line by line (bytes shown as Latin-1).
    std::vector<std::string> Lines() const;
    void SetLines(const std::vector<std::string>& lines);
    void AppendLine(const std::string& line);

  protected:
    void FormClose() override;

  private:
    void AppendLines(const std::vector<std::string>& lines);
    // The open or save dialog as both are prepared; empty when cancelled.
    std::string ChooseMacroFile(bool save);
    void ShowFileName(const std::string& path);
    void LoadMacro();
    void SaveMacro();
    // Prints the text on the program's printer; a print that cannot be made shows message 38.
    void PrintMacro();
};

extern QPointer<TMacroForm> MacroForm;

// Macro lines recorded by the operations go to the macro window's text; the player opens
// pictures through the main window's loader.
void InstallMacroHooks();
