// TDistanceForm, the Measured tool's dialog: the true length of the dragged line and of the
// target object; and MeasuredFromDialog, which asks it and runs the measured pass.
#pragma once

#include "shell/ui/vToolWindow.h"

class QLineEdit;
class QPushButton;

class TDistanceForm : public TToolWindow {
    Q_OBJECT
  public:
    explicit TDistanceForm(QWidget* parent = nullptr);

    void OkBtnClick();
    void CancelBtnClick();
    std::string GetDistanceText() const;

    QLineEdit* DistanceEdit;
    QLineEdit* DOEdit;
    QPushButton* CancelBtn;
    QPushButton* OkBtn;

  protected:
    void FormOpen() override;
};

// The known length of the measured line: the dragged pixel length until the dialog's OK.
extern int32_t MeasuredKnownDistance;

// Called by the main image's release in Measured mode once MeasuredPixelDistance is set.
void MeasuredFromDialog();
