// TFEditForm, the spatial-filter window: the filed filters' output choice and the kernel editor,
// which makes, shows, edits, loads and saves kernel files of every kind and size. Created on
// demand; freed after its close. The kernels and file names it edits outlive it.
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

class TFEditForm : public TToolWindow {
    Q_OBJECT
  public:
    explicit TFEditForm(QWidget* parent = nullptr);

    QTabWidget* PageControl1 = nullptr;
    QButtonGroup* TogglesRG = nullptr;

    // ---- "Filed Filters" ----
    QButtonGroup* FiledFRG = nullptr;

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
    void showEvent(QShowEvent* event) override;

  private:
    QWidget* MakeFiledPage();
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
