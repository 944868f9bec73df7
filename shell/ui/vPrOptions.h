// TOptionsForm, the options window: processing switches and thresholds, sounds, file-dialog
// previews, message position and current colour on the "VORN" page; the land-cover class
// colours on the "Colors" page; the folders on the "Directories" page. Every control writes its
// option global at once; closing the window saves the options file. Created, shown modally and
// freed by the main window's options command.
#pragma once

#include "shell/ui/vToolWindow.h"

#include <initializer_list>
#include <optional>
#include <string>

class QButtonGroup;
class QHBoxLayout;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class TClassColorGrid;
class TColorPanel;

class TOptionsForm : public TToolWindow {
    Q_OBJECT
  public:
    explicit TOptionsForm(QWidget* parent = nullptr);

    QTabWidget* PageControl1 = nullptr;
    QPushButton* RPOClose = nullptr;
    QPushButton* RPOHelp = nullptr;

    // ---- Page "VORN" -------------------------------------------------------------------------
    QCheckBox* OpenPreviewCB = nullptr;
    QCheckBox* SavePreviewCB = nullptr;
    QCheckBox* DisplayConvert32CB = nullptr;
    QCheckBox* DoneNotificationCB = nullptr;
    QCheckBox* DoneSpokenCB = nullptr;
    QCheckBox* BellsCB = nullptr;
    QCheckBox* WhistlesCB = nullptr;
    QCheckBox* ErrorNotUsedCB = nullptr;
    QCheckBox* ErrorSpokenCB = nullptr;
    QCheckBox* AbsoluteValuesCB = nullptr;
    QCheckBox* SetAbsoluteValueCB = nullptr;
    QCheckBox* SetAutorangeThresholdCB = nullptr;
    TColorPanel* CurrentColorPanel = nullptr;
    QPushButton* SpeedButton3 = nullptr;
    QLineEdit* MessageXEdit = nullptr;
    QLineEdit* MessageYEdit = nullptr;
    QLineEdit* RealATMinEdit = nullptr;
    QLineEdit* RealATMaxEdit = nullptr;
    QLineEdit* IntATMinEdit = nullptr;
    QLineEdit* IntATMaxEdit = nullptr;
    // Items by ProcessingChoice and ChannelChoice.
    QButtonGroup* TogglesRG = nullptr;
    QButtonGroup* PO_ToggleRG = nullptr;
    QPushButton* POM_ResetMenuBtn = nullptr;
    QPushButton* POHelpBtn = nullptr;

    // ---- Page "Colors" -----------------------------------------------------------------------
    TClassColorGrid* DrawGrid1 = nullptr;
    TColorPanel* ColorPanel = nullptr;
    QLabel* ColorValuesPanel = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLineEdit* PO_TypeEdit = nullptr;
    QLineEdit* POD_Edit = nullptr;
    QPushButton* POSelectColorsBtn = nullptr;
    QPushButton* AcceptColorBtn = nullptr;
    QPushButton* CurrentColorBtn = nullptr;
    QPushButton* PO_ColorResetBtn = nullptr;
    QPushButton* PO_ColorPrintBtn = nullptr;
    QPushButton* SpeedButton2 = nullptr;

    // ---- Page "Directories" ------------------------------------------------------------------
    QLineEdit* RPM_ProgramEdit = nullptr;
    QLineEdit* FilterPathEdit = nullptr;
    QLineEdit* FilePathEdit = nullptr;
    QLineEdit* RPM_DEMEdit = nullptr;
    QLineEdit* RPM_VDatabaseEdit = nullptr;
    QLineEdit* RPM_StorageEdit = nullptr;
    QLineEdit* RPM_VectorsEdit = nullptr;
    QPushButton* POD_ProgramDIRBtn = nullptr;
    QPushButton* POD_FilterDIRBtn = nullptr;
    QPushButton* POD_ImageDIRBtn = nullptr;
    QPushButton* POD_DEMDIRBtn = nullptr;
    QPushButton* POD_VDatabaseDIRBtn = nullptr;
    QPushButton* POD_StorageDIRBtn = nullptr;
    QPushButton* POD_VectorDIRBtn = nullptr;
    QPushButton* POD_ResetDirectoriesBtn = nullptr;
    QPushButton* SpeedButton1 = nullptr;

    // Shows every option global in its control.
    void FormSet();
    void POD_ResetDirectories();
    void POM_ResetMenuBtnClick();
    void CurrentColorPanelClick();
    void SpeedButton3Click();
    void RPOCloseClick();

    // The colour grid's selected cell to its global and its labels; with the replace flag on,
    // the cell's global takes the colour to write.
    void ClassGridCell();
    // ClassGridCell, then the red, green and blue edits.
    void ShowClassGridCell();
    void DrawGrid1SelectCell(int column, int row);
    void POSelectColorsBtnClick();
    void AcceptColorBtnClick();
    void CurrentColorBtnClick();
    void PO_ColorResetBtnClick();

  protected:
    void FormOpen() override;

  private:
    struct DirectoryRow;
    struct NumberEntry;
    static const DirectoryRow DirectoryRows[];
    static const NumberEntry NumberEntries[];

    QWidget* MakeVornPage();
    QWidget* MakeColorsPage();
    QWidget* MakeDirectoriesPage();
    QPushButton* Button(QWidget* parent, const char* name, const char* caption, const char* hint,
                        void (TOptionsForm::*click)());
    static QHBoxLayout* ButtonRow(std::initializer_list<QWidget*> buttons);
    QPushButton* HelpButton(const char* name, int topic);
    void NumberChanged(const NumberEntry& entry);
    void BrowseClick(const DirectoryRow& row);
    void ShowDirectories();
    // Every cell through the selection action, leaving the last one selected.
    void WalkColorGrid();

    int SelectedColumn = 0;
    int SelectedRow = 0;
    uint32_t ColorRead = 0;
    uint32_t ColorToWrite = 0;
    bool ReplaceColor = false;
    // The colour chosen with "Select Colors"; none before the first choice.
    std::optional<uint32_t> ChosenColor;
};
