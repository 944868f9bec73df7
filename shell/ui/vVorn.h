// TVORNForm, the main window: the image view in its scroll box, the status bar with its two
// panels, the progress gauge, the menus and tool bar, and the commands behind them.
#pragma once

#include <QAction>
#include <QMainWindow>
#include <QPointer>
#include <QProgressBar>
#include <QString>
#include <QStringList>

#include <memory>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QPainter;
class QPrinter;
class QProgressBar;
class QScrollArea;
class QStatusBar;
class QTimer;
class QToolBar;
class TImageView;
class TSplashScreen;
class TToolWindow;

class TVORNForm : public QMainWindow {
    Q_OBJECT
  public:
    explicit TVORNForm(QWidget* parent = nullptr);
    ~TVORNForm() override;

    // ---- Core: view, status bar, gauge, undo controls --------------------------------------
    QScrollArea* ScrollBox1 = nullptr;
    TImageView* Image1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLabel* StatusPanel0 = nullptr;
    QLabel* StatusPanel1 = nullptr;
    QProgressBar* Gauge1 = nullptr;
    QToolBar* ToolBar1 = nullptr;
    QAction* UndoBtn = nullptr;
    QAction* I_Undo = nullptr;

    void SetPanelText(int panel, const QString& text);
    QString PanelText(int panel) const;
    // Repaints the view after the displayed picture changed (size or pixels).
    void PictureChanged();
    // Runs a handler inside the one error guard.
    template <typename F> void Guarded(F&& f);

    // ---- Picture files ---------------------------------------------------------------------
    void F_OpenClick();
    // Loads the picture at `path`. False when it failed (the error was shown and the previous
    // picture stays).
    bool LoadFromFile(const std::string& path);
    // Loads directory + name as it stands, without the error guard: a failure raises to the
    // caller (the macro player) and leaves the picture, its name and folder as they were.
    bool OpenPicture(const std::string& directory, const std::string& name);
    // Writes the displayed picture to CurrentImageFolder + CurrentImageName; true when written.
    bool SaveImage();
    void F_SaveClick();
    void F__SaveasClick();
    void SaveNumbered1Click();
    void FS_BMPClick();
    void FS_JPGClick();
    void Progress(int percent);
    void FormResize();
    // The toolkit's BMP codec for the engine and the caption hook; called by InstallGuiHooks.
    static void InstallPictureFileHooks();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  public:
    // ---- Start-up, shut-down and tool-window lifetime --------------------------------------
    // The start-up sequence; `arguments` are the command line's bytes as the system gave them,
    // without the program. The hooks must be in place first (InstallGuiHooks, or a test's own).
    void FormCreate(const std::vector<std::string>& arguments);
    bool CheckTrueColorDisplay();
    void DisplaySplashScreen();
    void Do_MenuDefaults();
    // Loads the picture named on the command line (a path), inside the operation frame.
    void OpenStartupPicture(const std::string& path);
    void ShowHint(const QString& hint);
    // Starts the one-shot timer that frees the window whose code is in FormToFree.
    void FreeForm();
    void Timer1Timer();
    // The desktop session is ending: leave the entry that starts the program at the next log-in.
    void WMEndSession();
    bool FormCloseQuery();
    void FormClose();
    void F_ExitClick();

    // The on-demand tool window of a code (2, 3, 4, 7, 8, 9, 10, 11, 14), created when its
    // ToolFormExists flag is clear; the flag is set. Null for other codes.
    TToolWindow* ToolForm(int code);
    // The same, then shown: modally for the image information and the print layout (3, 4),
    // otherwise without waiting.
    TToolWindow* ShowToolForm(int code);
    // Opens the help file (the context is the topic the help of that place starts at).
    void ShowHelpContext(int context);

    QTimer* Timer1 = MakeFreeTimer();
    std::string HelpFile;
    QPointer<TSplashScreen> SplashScreen;

    // Set when the application was asked to end; the event loop is then not entered.
    static bool TerminateRequested;
    static void RequestTerminate();
    // Shows the main window and runs the event loop until it closes; returns at once when an
    // end was requested during start-up.
    static int RunMessageLoop(TVORNForm& form);

    // ---- Menus, tool bar, enabling and image tool modes ------------------------------------
    QMenuBar* MainMenu1 = nullptr;
    QMenu* VornMenu = nullptr;
    QMenu* ExportAsMenu = nullptr;
    QMenu* InvestigateMenu = nullptr;
    QMenu* ScreensMenu = nullptr;
    QMenu* ClassifyMenu = nullptr;
    QMenu* ExtrapolateMenu = nullptr;

    QAction* F_Open = nullptr;
    QAction* PreprocessPngs1 = nullptr;
    QAction* F_ImageManager = nullptr;
    QAction* F_Save = nullptr;
    QAction* SaveNumbered1 = nullptr;
    QAction* F__Saveas = nullptr;
    QAction* FS_BMP = nullptr;
    QAction* FS_JPG = nullptr;
    QAction* F_Print = nullptr;
    QAction* F_Exit = nullptr;
    QAction* IZ_ZoomWindow = nullptr;
    QAction* IV_PixelValues = nullptr;
    QAction* IV_CMYScreen = nullptr;
    QAction* IV_RGBScreen = nullptr;
    QAction* IV_onlyBlue = nullptr;
    QAction* IV_onlyGreen = nullptr;
    QAction* IV_onlyRed = nullptr;
    QAction* PngInfo1 = nullptr;
    QAction* I_SystemInfo = nullptr;
    QAction* IH__Histogram = nullptr;
    QAction* IL__Linear = nullptr;
    QAction* IP__PixelAlgebra = nullptr;
    QAction* IS__SpatialMatrix = nullptr;
    QAction* IF__FFT = nullptr;
    QAction* IU__Classification = nullptr;
    QAction* X_Macro = nullptr;
    QAction* LogtoDIP = nullptr;
    QAction* X_LabelObjects = nullptr;
    QAction* X_ObjectorMM = nullptr;
    QAction* EO__Options = nullptr;

    QAction* ToolButton1 = nullptr;
    QAction* SaveButton = nullptr;
    QAction* PrintButton = nullptr;
    QAction* FlyByButton = nullptr;
    QAction* ViewPixelsBtn = nullptr;
    QAction* HistogramBtn = nullptr;
    QAction* LinearBtn = nullptr;
    QAction* PixelAlgebraButton = nullptr;
    QAction* FilterEditorBtn = nullptr;
    QAction* ClassificationBtn = nullptr;
    QAction* MacroBtn = nullptr;
    QAction* LabelBtn = nullptr;
    QAction* LabelObjectsBtn = nullptr;
    QAction* AboutBtn = nullptr;
    QAction* HelpBtn = nullptr;
    QAction* ExitBtn = nullptr;

    void PreprocessPngs1Click();
    void F_ImageManagerClick();
    void F_PrintClick();
    // The printer the print commands and the print layout use, made on first use.
    QPrinter& PrinterDevice();
    void IZ_ZoomWindowClick();
    // Leaves zoom mode: the magnifier goes, the pointer is the plain one again.
    void EndZoomMode();
    void IV_PixelValuesClick();
    // Leaves pixel-values mode (also when the cursor pixel screen closes).
    void IV_PixelValuesUnClick();
    void IV_CMYScreenClick();
    void IV_RGBScreenClick();
    void IV_onlyBlueClick();
    void IV_onlyGreenClick();
    void IV_onlyRedClick();
    void PngInfo1Click();
    void I_SystemInfoClick();
    void EO__OptionsClick();
    void I_UndoClick();
    void LogtoDIPClick();
    void IH__HistogramClick();
    void IL__LinearClick();
    void IP__PixelAlgebraClick();
    void IS__SpatialMatrixClick();
    void IF__FFTClick();
    void IU__ClassificationClick();
    void X_MacroClick();
    void X_LabelObjectsClick();
    void X_ObjectorMMClick();
    void AboutBtnClick();
    void HelpBtnClick();
    // Brings the main window to the front for a tool that needs a click on the picture.
    void Show();

    // The mouse on Image1, in picture pixels.
    void MultiImage1MouseDown(int x, int y, Qt::MouseButton button);
    void MultiImage1MouseMove(int x, int y);
    void MultiImage1MouseUp(int x, int y, Qt::MouseButton button);
    // The frame from RubberStart to RubberEnd, as the view paints it over the picture during a
    // drag.
    static void PaintRubberband(QPainter& painter);
    // The object mark (CurrentMarkLook) between RubberStart and RubberEnd, in its colours.
    static void PaintRubberMark(QPainter& painter);
    // The object mark drawn into the picture for good, as a finished drag leaves it.
    void DrawRubberMark();
    // Ends the colour screens or the class-method cycle; their picture comes back.
    void EndUndoHoldingMode();

  private:
    void CreateMenus();
    void ConnectImageModes();
    void ShowLongLived(QWidget* window);
    void ToggleColorScreens(bool& mode, QAction* item);
    void EndColorScreens(bool& mode, QAction* item);
    void KeepOneChannelClick(int channel);
    void PixelReadout(int x, int y);
    // The magnifier or the cursor pixel screen is closing: its mode ends.
    void ModeWindowClosing(QObject* window);
    std::unique_ptr<QPrinter> Printer;

  public:
  protected:
    void closeEvent(QCloseEvent* event) override;
    // Opens at the stored place of pair 0, kept on the screen.
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QTimer* MakeFreeTimer();
};

extern QPointer<TVORNForm> VORNForm;

// Fills the hook table with the windowed implementations (dialogs, status bar, cursor).
void InstallGuiHooks(TVORNForm* form);

#include "shell/ui/vToolWindow.h"
#include "shell/vGlobalHooks.h"

template <typename F> void TVORNForm::Guarded(F&& f) {
    const CommandWindow command(this);
    RunGuarded(std::forward<F>(f));
}
