// The import window's "DIH->DIS LL" page: a DIH chosen, a box of longitudes and latitudes typed,
// and the scene cropped by it (import/vLLCrop) in the window's error guard. The bounds found are
// shown on the "DIH->DIS XY" page, whose crop this is.
#pragma once

#include "import/vLLCrop.h"

#include <QObject>
#include <array>

class QLineEdit;
class QPushButton;
class TPBands;

class TLLCropPage : public QObject {
    Q_OBJECT
  public:
    explicit TLLCropPage(TPBands* window);

    QPushButton* DIHSubsetSliceFileBtn = nullptr;
    QPushButton* DIHSubsetSliceBtn = nullptr;
    QPushButton* DIHSubsetHelp = nullptr;
    QLineEdit* DIHSubsetFileEdit = nullptr;
    QLineEdit* DIHSubsetDISEdit = nullptr;
    QLineEdit *DIHSubsetLCEdit = nullptr, *DIHSubsetRCEdit = nullptr, *DIHSubsetTREdit = nullptr,
              *DIHSubsetBREdit = nullptr, *DIHSubsetWEdit = nullptr, *DIHSubsetHEdit = nullptr;
    QLineEdit *TopLeftXEdit = nullptr, *TopLeftYEdit = nullptr, *TopRightXEdit = nullptr,
              *TopRightYEdit = nullptr, *BottomLeftXEdit = nullptr, *BottomLeftYEdit = nullptr,
              *BottomRightXEdit = nullptr, *BottomRightYEdit = nullptr;
    std::array<QLineEdit*, 8> DDLLEdits{}; // DDLLEdit1 .. DDLLEdit8

    void DIHSubsetSliceFileBtnClick();
    void DIHSubsetSliceBtnClick();

  private:
    std::array<QLineEdit*, 8> BoxEdits() const;
    TLLCropValues Read() const;
    void Show(const TLLCropValues& page);
    void BusyRun(void (TLLCropPage::*handler)());

    TPBands* Window;
    TCropScene Scene;
};
