// TExtraImageViewForm, "Histogram Corrections Viewer": a histogram picture of the band window's
// histogram page shown modally in a scroll box. Clicking the picture closes it; however it
// closes, the caller's modal show returns OK.
#pragma once

#include "shell/ui/vToolWindow.h"

class QLabel;
class QPixmap;
class QScrollArea;

class TExtraImageViewForm : public TToolWindow {
    Q_OBJECT
  public:
    explicit TExtraImageViewForm(QWidget* parent = nullptr);

    QScrollArea* ScrollBox1 = nullptr;
    QLabel* Image1 = nullptr;

    void SetPicture(const QPixmap& picture);

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};
