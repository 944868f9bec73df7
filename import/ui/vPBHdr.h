// TPBandHdrForm, the header viewer: a foreign header's text, to read, copy and print. Lives for
// the whole run.
#pragma once

#include "shell/ui/vToolWindow.h"

#include <QPointer>
#include <string>

class QLineEdit;
class QPushButton;
class QTextEdit;

class TPBandHdrForm : public TToolWindow {
    Q_OBJECT
  public:
    explicit TPBandHdrForm(QWidget* parent = nullptr);

    // Empties the box and loads the text file into it.
    void Load(const std::string& fileName);

    QTextEdit* DDRIDXMemo = nullptr;
    QLineEdit* DDRHdrEdit = nullptr;
    QPushButton* DDRPrintBtn = nullptr;
    QPushButton* DDRCopyBtn = nullptr;
    QPushButton* ExitButton = nullptr;
    QPushButton* DDRIDXHelpBtn = nullptr;

    void ExitButtonClick();
    void DDRCopyBtnClick();
    void DDRPrintBtnClick();
};

extern QPointer<TPBandHdrForm> PBandHdrForm;

// The header viewer with the file loaded, made again when it was not there.
TPBandHdrForm* ShowHeaderViewer(const std::string& fileName);

// Empties the box and puts the file's text into it, a rich-text document as its paragraphs; a
// file that cannot be read raises the run time's input/output error.
void LoadHeaderText(QTextEdit* box, const std::string& fileName);
