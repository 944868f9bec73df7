// TDisProcessForm, the band-processing window over the band files of one DIS subset. Lives for
// the whole run; its close leaves code 13, which frees nothing. Its pages are built in their own
// units; this frame holds what they share: the DIS selection, the band slots, the one-run-at-a-
// time guard, the prerequisite message and the logging into the open DIS.
#pragma once

#include "import/vHeaderPages.h"
#include "import/vHeaderState.h"
#include "shell/ui/vToolWindow.h"
#include "shell/vGlobalOptions.h"

#include <QPointer>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class TDisDividePage;
class TDisSinglePage;
class TDisMBFAPage;
class TDisVIPage;
class TDisKTPage;

// The filter of every band dialog of the window, split where "??)" would read as a trigraph to
// an older compiler.
inline constexpr const char* BandFilter = "Spectral Bands (B??, P?"
                                          "?)|*.B??;*.P??";

class TDisProcessForm : public TToolWindow {
    Q_OBJECT
  public:
    explicit TDisProcessForm(QWidget* parent = nullptr);

    QTabWidget* PageControl1 = nullptr;
    QTabWidget* MultiPageControl = nullptr;
    QWidget* TabSheet1 = nullptr;  // "Histogram"
    QWidget* TabSheet3 = nullptr;  // "Divide or Combine"
    QWidget* TabSheet2 = nullptr;  // "Single Band"
    QWidget* TabSheet4 = nullptr;  // "Multi Band"
    QWidget* TabSheet17 = nullptr; // "Multi Band File Algebra (FA)"
    QWidget* TabSheet12 = nullptr; // "Vegetation Indices (VI)"
    QWidget* TabSheet14 = nullptr; // "Tassled cap (KT)"
    QWidget* TabSheet15 = nullptr; // "Principal Component Analysis (PCA)"
    QLabel* IM_Hints = nullptr;
    QProgressBar* RadarGauge = nullptr;
    QLabel* BandsAvailableLabel = nullptr;
    QPushButton* IMHelp = nullptr;
    QPushButton* ProcessCloseBtn = nullptr;

    TDisDividePage* DividePage = nullptr;
    TDisSinglePage* SinglePage = nullptr;
    TDisMBFAPage* MBFAPage = nullptr;
    TDisVIPage* VIPage = nullptr;
    TDisKTPage* KTPage = nullptr;

    // The DIS this window shows, its DIH and subset, its folder and band slots: its own copies.
    // The pages and engines work on the shared globals, which hold this scene only while one of
    // the window's handlers runs: what the import window, the workbench or the DIS->DIP page
    // choose there never reaches this window's runs, and its choices never reach theirs.
    struct TScene {
        THeaderPages Pages;
        std::string Folder;
        TSubsetBounds Bounds;
        std::array<std::string, BandSlotCount> BandFiles;
        bool Loaded = false;
    };
    TScene Scene;
    // The import window's launch hands its DIS over: the scene becomes that DIS, in its folder,
    // with its subset.
    void AdoptScene();

    // Every handler of the window, inside the one error guard and on the window's own scene.
    template <typename F> void Guarded(F&& f);

    // Every DIS button of every page: choose a DIS, read it and its scene's DIH, take over its
    // subset, empty the band slots and tell every page (OnDISChosen).
    void ALLDISFileBtnClick();
    // `f` runs after each DIS choice with the DIS's file name without folder: a page fills its
    // name boxes and displays and empties what belonged to the last DIS.
    void OnDISChosen(std::function<void(const std::string& disName)> f);
    // `f` runs when the window closes: a page frees what it holds.
    void OnClose(std::function<void()> f);

    // A band button: the band dialog in the window's folder; the chosen path goes into band slot
    // `slot` (0..8), its name into `edit`. With `setDirectory` the window's folder moves to its
    // folder. Returns the path, empty when cancelled.
    std::string ChooseBandFile(int slot, QLineEdit* edit, bool setDirectory);

    // A run of this window: refused while another run or image operation is going on (the
    // engines let window messages in, so a button can be pressed again mid-run); inside the
    // error guard. Closing the window is refused while it runs. A run that saves its record into
    // the DIS (all but `savesRecord` false) asks about the DIS with its products, once, before it
    // writes anything (TRecordedRun).
    void RunBand(const std::function<void()>& run, bool savesRecord = true);
    bool Running() const { return RunDepth > 0; }

    // False, with message 39993, unless a DIS is chosen and `ready` holds.
    static bool Prerequisites(bool ready);
    // The same for a run that writes products named by `productName`: a name with a folder part
    // is refused first (39953).
    static bool Prerequisites(bool ready, const std::string& productName);
    // Appends `lines` to the DIS's process list and, with `save`, writes the DIS.
    static void DISLog(const std::vector<std::string>& lines, bool save = true);
    // The number in `text`; false, with the file-data error box, when it is not one.
    static bool NumberOf(const QString& text, double& value);
    static bool WholeNumberOf(const QString& text, int64_t& value);
    // A help button opening the help file at `topic`.
    static QPushButton* HelpButton(QWidget* parent, const char* name, int topic);

  protected:
    void FormClose() override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // Puts the scene into the globals for the outermost handler and, when it ends, takes them
    // back into the scene and puts the other windows' state back.
    class TSceneInstalled {
      public:
        explicit TSceneInstalled(TDisProcessForm& form);
        ~TSceneInstalled();
        TSceneInstalled(const TSceneInstalled&) = delete;
        TSceneInstalled& operator=(const TSceneInstalled&) = delete;

      private:
        TDisProcessForm& Form;
        TScene Saved;
        TWorkingFolder WorkingFolder;
    };
    int SceneDepth = 0;

    QWidget* BuildFrame();
    // The frame's hints and band count, and every page, show the DIS now installed.
    void ShowChosenDIS(const std::string& name);
    std::vector<std::function<void(const std::string&)>> DISChosenHandlers;
    std::vector<std::function<void()>> CloseHandlers;
    int RunDepth = 0;
};

template <typename F> void TDisProcessForm::Guarded(F&& f) {
    // A handler the guard will refuse must not put this window's scene into the globals that
    // the running command works on, even for the moment until it is refused.
    if (ArrivesDuringOperation()) return;
    TSceneInstalled installed(*this);
    TToolWindow::Guarded(std::forward<F>(f));
}

extern QPointer<TDisProcessForm> DisProcessForm;

// Sends the band-product runs' progress and stage texts to DisProcessForm's gauge and hints.
void InstallBandWindowHooks();
