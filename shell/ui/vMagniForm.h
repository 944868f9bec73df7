// TMagniForm, the magnifier: the pixels around the pointer enlarged while the main window's
// zoom mode is on. Always on top; lives for the whole run.
#pragma once

#include "shell/ui/vToolWindow.h"
#include "shell/vPicture.h"

#include <QPointer>

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QToolButton;

class TMagniForm : public TToolWindow {
    Q_OBJECT
  public:
    explicit TMagniForm(QWidget* parent = nullptr);

    QLabel* Image1 = nullptr;
    QSpinBox* SpinEditMagnification = nullptr;
    QCheckBox* ShowXCB = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QPushButton* ExitButton = nullptr;

    // Shows the square whose top-left corner is (x, y) of the displayed picture; the main
    // window calls it on every pointer move in zoom mode.
    void ShowMagnifier(int x, int y);
    void SpinEditMagnificationChange();
    // The view as shown now, 128 x 128.
    const Picture& View() const { return MagnifiedView; }

  private:
    Picture MagnifiedView;
    int LastX = 0;
    int LastY = 0;
};

extern QPointer<TMagniForm> MagniForm;
