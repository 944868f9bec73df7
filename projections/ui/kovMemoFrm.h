// TkovMemoForm, the projection message window: the log of a corner transformation. Lives for the
// whole run; its place is the projection log's own, not a pair of the options.
#pragma once

#include "shell/ui/vToolWindow.h"

#include <QPointer>

class QProgressBar;
class QTextEdit;
class QToolButton;

class TkovMemoForm : public TToolWindow {
    Q_OBJECT
  public:
    explicit TkovMemoForm(QWidget* parent = nullptr);

    QTextEdit* ProLogMemo;
    QToolButton* ProLogMemoPrintBtn;
    QToolButton* ProLogMemoSaveBtn;
    QToolButton* HelpBtn;
    QProgressBar* ProgressBar1;

    // The engine's log changed: the memo follows it; an error brings the window up.
    void LogChanged(bool show);

    void FormCreate();
    void ProLogMemoPrintBtnClick();
    void ProLogMemoSaveBtnClick();
    void HelpBtnClick();

  protected:
    void FormClose() override;

  private:
    // Log lines already in the memo.
    size_t LinesShown = 0;
};

extern QPointer<TkovMemoForm> kovMemoForm;
