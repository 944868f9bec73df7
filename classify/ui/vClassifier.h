// TClassificationForm, the classification window: training sites, seed methods and the
// classifiers. Created on demand; freed after its close. The Image Based page runs the chosen
// classifier; the Training Site page shows and edits classes 1 to 9 of the training sites.
#pragma once

#include "classify/vTrainingSites.h"
#include "shell/ui/vToolWindow.h"

#include <QPointer>
#include <QString>

#include <array>
#include <span>
#include <string>

class QButtonGroup;
class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTextEdit;
class QWidget;
class TColorPanel;
struct ClassificationBlock;

class TClassificationForm : public TToolWindow {
    Q_OBJECT
  public:
    explicit TClassificationForm(QWidget* parent = nullptr);
    ~TClassificationForm() override;

    enum Page { PageImageBased, PageTrainingSite, PageClassChanger, PageNeuralNet, PageAccuracy };

    void ExitButtonClick();
    void KBOpenButtonClick();
    void CLayerOpenClick();
    void CUProcessBtnClick();
    void CUSeedSitesClick();

    // Training Site page.
    void SetDataIntoForm(int Which);
    void DoPBoxValidate();
    void PBoxClear(int Which);
    void PBoxLoadBtnClick();
    void PBoxSaveBtnClick();
    void PBoxPrintClick();
    // The page's 54 box texts, or its 63 centroid texts, one line each to the macro text.
    void MacroPBox();
    void MacroCentroid();
    // Arms the next drag on the main image to train the class chosen in ClusterRG.
    void PBoxTrainClick();
    // Called by the main image when that drag ends, with SelectionBox set.
    void TrainSiteFromRect();
    // The site file's name without folder in the three name edits.
    void ShowSiteFileName();
    // A played run's choices and parameter texts.
    void ShowChoices(const ClassificationBlock& block);

    QLabel* HintsPanel = nullptr;
    QPushButton* ExitButton = nullptr;
    QProgressBar* ClassGauge = nullptr;
    QPushButton* ClassificationHelp = nullptr;
    QTabWidget* ClassPages = nullptr;

    // Image Based page.
    QButtonGroup* CUSeedRG = nullptr;
    QButtonGroup* CUUCRG = nullptr;
    QLineEdit* CUCREdit = nullptr;
    QLineEdit* CUSDEdit = nullptr;
    QLineEdit* CURAEdit = nullptr;
    QLineEdit* CUMCEdit = nullptr;
    QCheckBox* RefitPipedsCB = nullptr;
    QCheckBox* RefitRadiusCB = nullptr;
    QButtonGroup* KBRG = nullptr;
    QPushButton* KBOpenButton = nullptr;
    QLineEdit* KBEdit = nullptr;
    QButtonGroup* CLayerRG = nullptr;
    QPushButton* CLayerOpen = nullptr;
    QLineEdit* CLayerEdit = nullptr;
    QPushButton* CUSeedSites = nullptr;
    QPushButton* CULoadSites = nullptr;
    QPushButton* CUSaveSites = nullptr;
    QLineEdit* CSTSFileEdit = nullptr;
    QPushButton* CUHelpBtn = nullptr;
    QPushButton* CUProcessBtn = nullptr;

    // Training Site page: class k's thirteen edits in column order (R Min, R Max, Red, G Min,
    // G Max, Green, B Min, B Max, Blue, Radius, StdDev, Var, Count).
    std::array<std::array<QLineEdit*, SiteColumns>, 9> SiteEdits{};
    QButtonGroup* ClusterRG = nullptr;
    QPushButton* PBoxTrain = nullptr;
    std::array<QPushButton*, 9> PBoxClearButtons{};
    QPushButton* PBoxClearAll = nullptr;
    QPushButton* PBoxValidateBtn = nullptr;
    QPushButton* PBoxLoadBtn = nullptr;
    QLineEdit* PBoxLoadEdit = nullptr;
    QPushButton* PBoxSaveBtn = nullptr;
    QPushButton* PBoxPrint = nullptr;
    QPushButton* PBoxHelpBtn = nullptr;

    // Class changer page: the colour panels 0 to 20 (panel 7 shows class 8, panel 8 class 7).
    void ColorResetPanels();
    void CColorClick(int panel);
    void PO_ColorResetBtnClick();
    void ClassClownClick();
    std::array<TColorPanel*, SiteCount> CColors{};
    TColorPanel* CurrentColorPanel = nullptr;
    QPushButton* PO_ColorResetBtn = nullptr;
    QListWidget* CCOriginalListBox = nullptr;
    QListWidget* CCBecomesListBox = nullptr;
    QPushButton* ClassClown = nullptr;
    QLineEdit* CCFileEdit = nullptr;
    QPushButton* CCFileOpen = nullptr;
    QPushButton* CCFileSave = nullptr;
    QPushButton* SpeedButton1 = nullptr;

    // Classification Accuracy Matrix page: a report box kept in .rcm files and the truth
    // picture's name; Neural Net page: the net file's name. Nothing is computed on either.
    void CAMLoadClick();
    void CAMSaveClick();
    void CAMCopyButtonClick();
    void CAMPrintClick();
    void CAMLoadTruthClick();
    void CAMProcessClick();
    void NNOpenButtonClick();
    QTextEdit* CAMMemo = nullptr;
    QLineEdit* CAMEdit = nullptr;
    QPushButton* CAMLoad = nullptr;
    QPushButton* CAMSave = nullptr;
    QPushButton* CAMCopyButton = nullptr;
    QPushButton* CAMPrint = nullptr;
    QPushButton* CAMLoadTruth = nullptr;
    QPushButton* CAMProcess = nullptr;
    QPushButton* CAMHelpBtn = nullptr;
    QButtonGroup* NNRG = nullptr;
    QLineEdit* NNEdit = nullptr;
    QPushButton* NNOpenButton = nullptr;
    QPushButton* NNProcess = nullptr;
    QPushButton* NNHelpBtn = nullptr;

  protected:
    void FormClose() override;
    // While this window's iterating run goes on, the close box (and Exit) asks the run to end
    // after its pass under way, and the window closes once it has.
    void closeEvent(QCloseEvent* event) override;

  private:
    void ReleaseHooks();
    // Closes the window once no operation runs, looking again every RunEndPollMs.
    void CloseWhenRunEnds();
    static constexpr int RunEndPollMs = 50;
    bool ClosingAfterRun = false;
    void AppendSiteEdits(bool box);
    QWidget* MakeImageBasedPage();
    QWidget* MakeTrainingSitePage();
    QWidget* MakeClassChangerPage();
    QWidget* MakeAccuracyPage();
    QWidget* MakeNeuralNetPage();
};

extern QPointer<TClassificationForm> ClassificationForm;

// The filter lists of the classifier-file dialogs: the save dialog's and the open dialog's, which
// adds the truth picture.
extern const char* const ClassifierSaveFilter;
extern const char* const ClassifierOpenFilter;
// Text of the files and edits (bytes) as the controls show it.
QString Latin1Text(const std::string& s);

// A captioned group of radio buttons in `columns` columns, the first checked, placed in `into`.
QButtonGroup* RadioGroup(QWidget* parent, const QString& name, const QString& caption,
                         std::span<const char* const> items, QGridLayout* into, int row, int column,
                         int columns, int rowSpan = 1, int columnSpan = 1);
// The open dialog of the classifier files at the given filter (1 based); "" on cancel.
std::string ChooseClassifierFile(int filterIndex);

// The engines' and the macro player's way to the window: opens it through the main window.
void InstallClassifierHooks();
