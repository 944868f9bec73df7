// TFEditForm, the spatial-filter window: the filed filters and the slope direction run from their
// page, the texture operators from the Ranked Edge page, and the kernel editor, which makes,
// shows, edits, loads and saves kernel files of every kind and size. Created on demand; freed
// after its close. The kernels and file names it edits outlive it.
#pragma once

#include "shell/ui/vToolWindow.h"

#include <QPointer>

#include <cstdint>
#include <string>
#include <vector>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTabWidget;
class QToolButton;

class TFEditForm : public TToolWindow {
    Q_OBJECT
  public:
    explicit TFEditForm(QWidget* parent = nullptr);

    QTabWidget* PageControl1 = nullptr;
    QButtonGroup* TogglesRG = nullptr;

    // ---- "Filed Filters" ----
    QButtonGroup* FiledFiltersRG = nullptr;
    QButtonGroup* FiledFRG = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QPushButton *FFHelpBtn = nullptr, *FFCloseBtn = nullptr;
    void SpeedButton1Click();
    void FFHelpBtnClick();

    // ---- "Ranked Edge" ----
    QPushButton *FERE_Min = nullptr, *FERE_Max = nullptr, *FERE_Open = nullptr,
                *FERE_Close = nullptr, *FERE_Median = nullptr, *FERE_Range = nullptr,
                *FERE_LowRange = nullptr, *FERE_Variance = nullptr, *FERE_TopHat = nullptr,
                *FERE_RollingBall = nullptr, *FERE_IRTopHat = nullptr,
                *FERE_IRRollingBall = nullptr, *FEREHelpBtn = nullptr, *FERECloseBtn = nullptr;
    QLineEdit *MinEdit = nullptr, *MaxEdit = nullptr, *OpenEdit = nullptr, *OpenEdit2 = nullptr,
              *CloseEdit = nullptr, *CloseEdit2 = nullptr, *MedianEdit = nullptr,
              *RangeEdit = nullptr, *LowRangeEdit = nullptr, *VarianceEdit = nullptr,
              *TopHatEdit = nullptr, *TopHatEdit2 = nullptr, *RollingBallEdit = nullptr,
              *RollingBallEdit2 = nullptr, *IRTopHatEdit = nullptr, *IRTopHatEdit2 = nullptr,
              *IRRollingBallEdit = nullptr, *IRRollingBallEdit2 = nullptr;
    void FERE_MinBtnClick();
    void FERE_MaxBtnClick();
    void FERE_OpenBtnClick();
    void FERE_CloseBtnClick();
    void FERE_MedianBtnClick();
    void FERE_RangeBtnClick();
    void FERE_LowRangeBtnClick();
    void FERE_VarianceBtnClick();
    void FERE_TopHatBtnClick();
    void FERE_RollingBallBtnClick();
    void FERE_IRTopHatBtnClick();
    void FERE_IRRollingBallBtnClick();

    // ---- "Textures" (disabled as designed) ----
    QWidget* TexturesPage = nullptr;
    void FET_AdaptiveBtnClick();

    // ---- "Filter Editor" ----
    QLabel* FilenameLabel = nullptr;
    QTableWidget* FESGrid = nullptr;
    QButtonGroup* SizeRGroup = nullptr;
    QButtonGroup* FilterType = nullptr;
    QGroupBox* CurrentFilterBox = nullptr;
    QButtonGroup* CurrentFilter = nullptr;
    QPushButton *LoadBtn = nullptr, *ClearBtn = nullptr, *FilletBtn = nullptr, *FullRBtn = nullptr,
                *phingbtn = nullptr, *RR9ingBtn = nullptr, *SaveBtn = nullptr, *HelpBtn = nullptr,
                *CloseBtn = nullptr;
    QLineEdit* PhingEdit = nullptr;

    void SizeRGroupClick(int item);
    void SetFilterSize(int item);
    void FilterTypeClick(int item);
    void ClearBtnClick();
    void Clear();
    void FESGridClick();
    void LoadBtnClick();
    void CurrentFilterClick(int stage);
    void ShowFilterStage(int32_t stage);
    void SaveBtnClick();
    void FilletBtnClick();
    void FullRBtnClick();
    void phingbtnClick();
    void RR9ingBtnClick();

    // The grid's cell texts row by row, and back.
    std::vector<std::string> GridTexts() const;
    void SetGridTexts(const std::vector<std::string>& texts);

  protected:
    // Resets the kernel's type and size lock; a restore must keep a loaded kernel's.
    void FormOpen() override;

  private:
    QWidget* MakeFiledPage();
    QWidget* MakeRankedPage();
    QWidget* MakeTexturesPage();
    // Reads the row's edits, records the command and runs it.
    void RankedEdgeClick(int32_t code, QLineEdit* sizeEdit, QLineEdit* secondEdit);
    QWidget* MakeEditorPage();
    QPushButton* Button(QWidget* parent, const char* name, const char* caption, const char* hint,
                        void (TFEditForm::*click)());
    void ShowStageSelector(int stage);
    void ResizeGrid(int32_t n);
    int32_t GridSize() const;
    void StoreGridInto(int32_t stage);
    void ShowKernel(int32_t stage);
    void WavePresetClick(bool cosine);
    void LoadFilterFile(const std::string& path);
};

extern QPointer<TFEditForm> FEditForm;

// The open dialog's filter of a "Filter types" item with a file (0 .. 10).
const char* FiledFilterDialogFilter(int item);
