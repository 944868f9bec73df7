// TResizeForm, the resize dialog of the preprocess viewer: the new height and width, of which
// the picture's longer side decides and the other follows the aspect ratio.
#pragma once

#include "shell/imaging/vPictureGeometry.h"
#include "shell/ui/vToolWindow.h"

class QLineEdit;
class QPushButton;

class TResizeForm : public TToolWindow {
    Q_OBJECT
  public:
    TResizeForm(PictureSize current, QWidget* parent = nullptr);

    QLineEdit* Height = nullptr;
    QLineEdit* Width = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

    // The two edits as whole numbers; valid after the dialog was accepted.
    PictureSize NewSize() const { return Chosen; }
    // Reads both edits; a text that is not a whole number, or a value below 1, is refused with
    // the run time's conversion error and the dialog stays open.
    void OKButtonClick();

  private:
    PictureSize Chosen;
};
