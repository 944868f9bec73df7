// TPBands, the image-import window: multi-band scenes and their DIH, DIS and DIP headers. Lives
// for the whole run; closing it only hides it. Its header controls show the header pages
// (HeaderPages) through one binder; the DIH and DIS controls are made from the pages' field
// tables.
#pragma once

#include "import/vHeaderPages.h"
#include "shell/ui/vToolWindow.h"

#include <QPointer>
#include <array>
#include <string>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTextEdit;
class TBandSplitPages;
class TDisToDipPage;
class TLLCropPage;
class THeaderBinder;

class TPBands : public TToolWindow {
    Q_OBJECT
  public:
    explicit TPBands(QWidget* parent = nullptr);

    // Puts every value of the header pages into its control.
    void ShowHeaderPages();
    // The control of a DIH or DIS line (its object name is the line's control name).
    QWidget* DIHControl(DIHField f) const { return DIHControls[static_cast<size_t>(f)]; }
    QWidget* DISControl(DISField f) const { return DISControls[static_cast<size_t>(f)]; }

    // Frame.
    QLabel* IM_Hints = nullptr;
    QProgressBar* RadarGauge = nullptr;
    QPushButton* IMHelp = nullptr;
    QPushButton* PreviewCloseBtn = nullptr;
    QTabWidget* IIPageControl = nullptr;
    QTabWidget* MultiPageControl = nullptr; // the sub-pages of "->DIH"
    QTabWidget* DISPageControl = nullptr;

    // "->DIH".
    QPushButton* RIHClearBtn = nullptr;
    QPushButton* RIHOpenBtn = nullptr;
    QPushButton* RIHSaveBtn = nullptr;
    QPushButton* RIHPrintBtn = nullptr;
    QPushButton* RIHSaveAsBtn = nullptr;
    QPushButton* RIHHelpBtn = nullptr;
    QComboBox* RIHImageComboBox = nullptr;
    QPushButton* RIHSetTM7Btn = nullptr;
    QPushButton* RIHSetTMBtn = nullptr;
    QPushButton* RIHSetMSSBtn = nullptr;
    QPushButton* RIHNameGrabber = nullptr;
    QLineEdit* BandEdit = nullptr;
    QPlainTextEdit* RIHDISMemo = nullptr;
    QPlainTextEdit* RegisteredDataRichEdit = nullptr;
    QPlainTextEdit* DIHRegMemo = nullptr;
    std::array<QPushButton*, 8> RIHCoFileBtns{}; // N, NE, E, SE, S, SW, W, NW

    // "Viewer".
    QPushButton* DDRFileBtn = nullptr;
    QLabel* DDRFileNameLabel = nullptr;
    QLineEdit* DDRHdrEdit = nullptr;
    QTextEdit* DDRIDXMemo = nullptr;
    QPushButton* DDRPrintBtn = nullptr;
    QPushButton* DDRCopyBtn = nullptr;
    QPushButton* DDRPasteClip = nullptr;
    QPushButton* DDRSelectAllBtn = nullptr;
    QPushButton* DDRIDXHelpBtn = nullptr;

    // "DIS".
    QLineEdit* DISFileEdit = nullptr;
    QLineEdit* DISSubsetNBands = nullptr;
    QLineEdit* DISSubsetNBCreated = nullptr;
    QLabel* DISBCreatedLabel = nullptr;
    QLineEdit* DISSubsetDividedEdit = nullptr;
    QCheckBox* DISSubsetDividedCB = nullptr;
    QPushButton* DISFileOpen = nullptr;
    QPushButton* DISFileSave = nullptr;
    QPushButton* DISClear = nullptr;
    QPushButton* DISLabeledFileSave = nullptr;
    QPushButton* DISPrint = nullptr;
    QPushButton* PreProcessDISBandsBtn = nullptr;
    QPlainTextEdit* DISDividedMemo = nullptr;
    QPlainTextEdit* DISProcessMemo = nullptr;
    QPlainTextEdit* DISDIPMemo = nullptr;
    std::array<QPushButton*, 8> DISCoFileBtns{};

    // "DIS->DIP" inputs.
    QLineEdit* BandHdrEdit = nullptr;
    QLineEdit* BandFileEdit1 = nullptr;
    QLineEdit* BandFileEdit2 = nullptr;
    QLineEdit* BandFileEdit3 = nullptr;
    QLineEdit* BandFileSaveAs = nullptr;
    QLineEdit* STEdit2 = nullptr;
    QLineEdit* SCEdit3 = nullptr;
    QLineEdit* NBEdit4 = nullptr;
    QLineEdit* DISLEdit = nullptr;
    QLineEdit* DISREdit = nullptr;
    QLineEdit* DISTEdit = nullptr;
    QLineEdit* DISBEdit = nullptr;
    QLineEdit* IMWEdit = nullptr;
    QLineEdit* IMHEdit = nullptr;

    // Pages whose work is the band splitting, cropping and picture making.
    QWidget* DIHSplitPage = nullptr;
    QWidget* DIHToDISXYPage = nullptr;
    QWidget* DIHToDISLLPage = nullptr;
    QWidget* DISToDIPPage = nullptr;
    TBandSplitPages* SplitPages = nullptr; // "DIH Split" and "DIH->DIS XY"
    TDisToDipPage* DisToDipPage = nullptr; // "DIS->DIP"
    TLLCropPage* LLCropPage = nullptr;     // "DIH->DIS LL"

    // "DIP".
    QPlainTextEdit* DIPMemo = nullptr;
    QPushButton* DIPCopyBtn = nullptr;
    QPushButton* DIPSelectAllBtn = nullptr;
    QPushButton* DIPPrintBtn = nullptr;
    QPushButton* DIPHelpBtn = nullptr;

    // Map projection: "Proj out" hints, "Extent" and "Registration" tools (vMapProjPage.cpp).
    QPushButton* Precheck2Btn = nullptr;
    QPlainTextEdit* ProjPHintsMemo = nullptr;
    QPushButton* DIHTransformBtn = nullptr;
    QLineEdit* RIHDMStoDDEdit = nullptr;
    QPushButton* RIHDMStoDDBtn = nullptr;
    QLineEdit* DIHConvertDMSEdit = nullptr;
    QPushButton* DIHConvertDMSBtn = nullptr;
    QPushButton* StartRegBtn = nullptr;
    QPushButton* DIHAcceptBtn = nullptr;
    QPushButton* DIHCopyBtn = nullptr;
    QPushButton* DIHPrintBtn = nullptr;

    void FormCreate();
    void FormShow();
    void IIPageControlChange();
    void PreviewCloseBtnClick();

    void RIHClearBtnClick();
    void RIHOpenBtnClick();
    void RIHSaveBtnClick();
    void RIHSaveAsBtnClick();
    void RIHPrintBtnClick();
    void RIHImageComboBoxChange();
    void RIHSetTM7BtnClick();
    void RIHSetTMBtnClick();
    void RIHSetMSSBtnClick();
    void RIHNameGrabberClick();

    void DDRFileBtnClick();
    void DDRPrintBtnClick();
    void DDRCopyBtnClick();
    void DDRPasteClipClick();
    void DDRSelectAllBtnClick();

    void DISFileOpenClick();
    void DISFileSaveClick();
    void DISClearClick();
    void DISLabeledFileSaveClick();
    void DISPrintClick();
    void PreProcessDISBandsBtnClick();

    void DIPCopyBtnClick();
    void DIPSelectAllBtnClick();
    void DIPPrintBtnClick();

    void ProcessHeader();
    void Precheck2BtnClick();
    void SetProjPHintsMemo();
    void DIHTransformBtnClick();
    void RIHDMStoDDBtnClick();
    void DIHConvertDMSBtnClick();
    void StartRegBtnClick();
    void DIHAcceptBtnClick();
    void DIHCopyBtnClick();
    void DIHPrintBtnClick();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    // Runs a handler in the error guard, then shows the pages it may have changed.
    template <typename F> void Run(F&& f);
    void Connect(QPushButton* button, void (TPBands::*handler)());
    QPushButton* Button(QWidget* parent, const char* name, const char* caption,
                        const char* hint = "");
    void HelpButton(QPushButton* button, int topic);

    QWidget* BuildDIHPage();
    QWidget* BuildDIHSubPage(int page);
    QWidget* BuildBandsPage();
    QWidget* BuildViewerPage();
    QWidget* BuildDISPage();
    QWidget* BuildDISToDIPPage();
    QWidget* BuildDIPPage();
    QWidget* BuildProjHintsPage();
    void AddExtentTools(QGridLayout* grid, int& row);
    void AddRegistrationTools(QGridLayout* grid, int& row);
    // Label and control of each DIH line from `first` to `last`, in `columns` columns.
    void AddDIHFields(QGridLayout* grid, int& row, DIHField first, DIHField last, int columns);
    QWidget* MakeDIHControl(DIHField f, QWidget* parent);
    void AddDISFields(QGridLayout* grid, int& row, DISField first, DISField last);
    // The listing in the viewer's box, saved under a chosen name or printed, the box emptied.
    void SaveListing(const char* filter, const std::string& headerPath, bool dis);
    void PrintListing(const std::string& title, bool dis);
    void PrintBox(const QString& title);

    THeaderBinder* Binder = nullptr;
    std::array<QWidget*, DIHFieldCount> DIHControls{};
    std::array<QWidget*, DISFieldCount> DISControls{};
};

template <typename F> void TPBands::Run(F&& f) {
    // Refused, the handler leaves the pages as they are.
    if (ArrivesDuringOperation()) return;
    Guarded(std::forward<F>(f));
    ShowHeaderPages();
}

extern QPointer<TPBands> PBands;
