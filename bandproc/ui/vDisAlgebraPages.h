// The "Multi Band" pages of the band-processing window that combine several bands of the DIS:
// band algebra A op B, the six vegetation indices and the Tasselled Cap transform with its
// coefficient grid, presets and ".tc" files.
#pragma once

#include <QWidget>

#include <array>
#include <string>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TDisProcessForm;

class TDisMBFAPage : public QWidget {
    Q_OBJECT
  public:
    explicit TDisMBFAPage(TDisProcessForm* form);

    QPushButton* MBFADISHeaderBtn = nullptr;
    QLineEdit* MBFADISFileEdit = nullptr;
    // Slots "1" .. "8" in slot order.
    std::array<QPushButton*, 9> MBFAFileBtns{};
    std::array<QLineEdit*, 9> MBFAFileEdits{};
    QButtonGroup* MBFAARG = nullptr;
    QButtonGroup* MBFABRG = nullptr;
    QButtonGroup* MBFAAopBRG = nullptr;
    QCheckBox* MBFAAutoRangeCB = nullptr;
    QLineEdit* MBFAFileEdit = nullptr;
    QPushButton* MBFAOKBtn = nullptr;

    void MBFAOKBtnClick();

  private:
    TDisProcessForm* Form;
};

class TDisVIPage : public QWidget {
    Q_OBJECT
  public:
    explicit TDisVIPage(TDisProcessForm* form);

    QPushButton* VIPDISFile = nullptr;
    QLineEdit* VIDISFileEdit = nullptr;
    std::array<QPushButton*, 4> VIPFileBtns{}; // VIPFileA .. VIPFileD
    std::array<QLineEdit*, 4> VIPFileEdits{};  // VIPFileAEdit .. VIPFileDEdit
    std::array<QLineEdit*, 6> VIPVEdits{};     // VIPV1Edit .. VIPV6Edit
    QCheckBox* VIPAutoRangeCB = nullptr;
    QLineEdit* VIPFileEdit = nullptr;
    std::array<QPushButton*, 6> VIPOKBtns{}; // VIPOK1 .. VIPOK6

    // Formula n = 1 .. 6.
    void VIPCheckAndRun(int n);

  private:
    TDisProcessForm* Form;
};

class TDisKTPage : public QWidget {
    Q_OBJECT
  public:
    explicit TDisKTPage(TDisProcessForm* form);

    QPushButton* TCDISFileBtn = nullptr;
    QLineEdit* TCDISFileEdit = nullptr;
    // Columns TM 1, 2, 3, 4, 5, 7 for slots "1" .. "5", "7".
    std::array<QPushButton*, 6> TCFileBtns{};
    std::array<QLineEdit*, 6> TCFileEdits{};
    QLabel* TCDISBandsLabel = nullptr;
    QLabel* TCDISWidthLabel = nullptr;
    QLabel* TCDISHeightLabel = nullptr;
    // SBI 1, 2, 3, 4, 5, 7, then GVI, YVI and NSI: the order of the ".tc" file.
    std::array<QLineEdit*, 24> Grid{};
    QPushButton* TCMSSBtn = nullptr;
    QPushButton* TCTMBtn = nullptr;
    QPushButton* TCTMMBtn = nullptr;
    QPushButton* TCClearBtn = nullptr;
    QPushButton* LoadTCBtn = nullptr;
    QPushButton* SaveTCBtn = nullptr;
    QLineEdit* TCFileNameEdit = nullptr;
    QPushButton* TCOKBtn = nullptr;

    void TCOKBtnClick();
    void LoadTCBtnClick();
    void SaveTCBtnClick();
    // A preset: 0 MSS, 1 TM, 2 TM M, 3 clear.
    void SetPreset(int preset);

  private:
    TDisProcessForm* Form;
};
