// The import window's "DIS->DIP" page: its buttons beside the page's edits, and the handlers
// that read the edits, run the page (import/vDisPicture) in the window's error guard and show
// what it changed.
#pragma once

#include "import/vDisPicture.h"

#include <QObject>

class QPushButton;
class TPBands;

class TDisToDipPage : public QObject {
    Q_OBJECT
  public:
    explicit TDisToDipPage(TPBands* window);

    QPushButton* PBandHdrBtn = nullptr;
    QPushButton* PBandFileBtn1 = nullptr;
    QPushButton* PBandFileBtn2 = nullptr;
    QPushButton* PBandFileBtn3 = nullptr;
    QPushButton* PBOKBtn = nullptr;

    void PBandHdrBtnClick();
    void PBandFileBtn1Click() { ChooseBand(0); }
    void PBandFileBtn2Click() { ChooseBand(1); }
    void PBandFileBtn3Click() { ChooseBand(2); }
    void PBOKBtnClick();

  private:
    void ChooseBand(int slot);
    TDisPicturePage Read() const;
    void Show(const TDisPicturePage& page);
    void Run(void (TDisToDipPage::*handler)());

    TPBands* Window;
};
