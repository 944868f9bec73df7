// TViewCursorScreen, the cursor pixel grid: the red, green and blue values of the block marked
// on the main image in pixel-values mode. Lives for the whole run.
#pragma once

#include "shell/ui/vToolWindow.h"
#include "shell/vViewingAids.h"

#include <QPointer>
#include <QStringList>

class QLabel;
class QPushButton;
class QTableWidget;

class TViewCursorScreen : public TToolWindow {
    Q_OBJECT
  public:
    explicit TViewCursorScreen(QWidget* parent = nullptr);
    ~TViewCursorScreen() override;

    QTableWidget* CursorPixelValues = nullptr;
    QLabel* Panel1 = nullptr;
    QPushButton* VCSSaveBtn = nullptr;
    QPushButton* VCSPrintBtn = nullptr;
    QPushButton* VCSCloseBtn = nullptr;
    QPushButton* VCSHelpBtn = nullptr;
    // The report lines for saving and printing (the window's hidden text box).
    QStringList VCMemo;

    // Takes the block of SelectionBox and shows it.
    void FormShow();
    // Fills the grid and the caption panel with the block's values in the picture shown now: the
    // grid follows the picture, so its Save and Print never give one picture's values under
    // another's name.
    void ShowGrid();
    void VCSSave();
    void VCSSaveBtnClick();
    void VCSPrintBtnClick();
    // What the grid shows, and the block it is read from (SelectionBox is the training
    // rectangle's too).
    CursorGrid Grid;
    SelectionRect Box;

  protected:
    void FormOpen() override;
};

extern QPointer<TViewCursorScreen> ViewCursorScreen;
