// TRotateForm, the rotate dialog of the preprocess viewer: the centre and the angle, the turned
// picture at once on every change, the time the turn took, and "Keep" to give the viewer the
// turned picture.
#pragma once

#include "shell/ui/vToolWindow.h"
#include "shell/vPicture.h"

class QLabel;
class QPushButton;
class QSpinBox;
class QToolButton;

class TRotateForm : public TToolWindow {
    Q_OBJECT
  public:
    // `picture` is the viewer's: "Keep" replaces it.
    TRotateForm(Picture& picture, QWidget* parent = nullptr);

    QSpinBox* SpinEditI = nullptr;
    QSpinBox* SpinEditJ = nullptr;
    QSpinBox* SpinEditThetaDegrees = nullptr;
    QSpinBox* SpinEditThetaDegreesHundredths = nullptr;
    QLabel* ImageRotated = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QPushButton* ButtonSaveRotated = nullptr;
    QPushButton* HelpButton = nullptr;

    // Set from creation until the window is filled: changes do not turn and it will not close.
    bool Busy = true;
    bool KeepRotated = false;
    // The last turn.
    Picture Rotated;

    void DoRotateTimed();
    void ButtonSaveRotatedClick();

  signals:
    // The viewer's picture took the turned one.
    void Kept();

  protected:
    void FormOpen() override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void ShowRotated();
    Picture& Source;
};
