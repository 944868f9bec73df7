// The engine layer reaches the user only through this hook table. The main window fills it at
// start; tests fill it with recording hooks and scripted answers, so no test ever waits on a
// dialog. Also here: the busy flag of image operations, the one error guard and the recorder
// of macro and processing-history lines.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

class TWorkingFolder;

enum class MsgKind { Information, Confirmation, Warning, Error };
enum class MsgButton { None, Ok, Yes, No, Cancel, Abort };

struct FileDialogRequest {
    bool Save = false;
    bool Preview = false; // the picture dialog with a preview
    std::string Title;
    std::string Filter;  // "All (*.bmp;*.png)|*.bmp;*.png" pairs of text and pattern
    int FilterIndex = 1; // 1-based, as the dialogs count
    std::string InitialDir;
    // The dialog opens in the working folder.
    void OpenIn(const TWorkingFolder& folder);
    std::string FileName;   // proposed name
    std::string DefaultExt; // without the "."
    // An open dialog that lets several files be picked: all of them are put into Files (the
    // result is the first).
    bool MultiSelect = false;
    std::vector<std::string> Files;
};

struct FontChoice {
    std::string Name; // UTF-8: a face may be named in any script
    int Size = 10;
    uint32_t Color = 0;
    // The face within the family as the font dialog names it ("ExtraLight", "Condensed Bold"):
    // it keeps apart faces the weight and slant alone do not. Empty: those pick the face.
    std::string Style;
    int Weight = 400; // 100 thin to 900 black; 700 bold
    bool Italic = false;
    int Stretch = 0; // per cent of the normal width; 0: the face's own
    bool Underline = false;
    bool Strikeout = false;
};

struct VornHooks {
    // A message dialog of the given kind with its corner at (x, y); returns the button pressed.
    std::function<MsgButton(MsgKind kind, const std::string& text, int x, int y)> ShowMessage;
    // The same box for a message a long run shows as it goes on: it also offers Abort, which the
    // run takes as the user's word to end after the step under way. Unset: ShowMessage.
    std::function<MsgButton(MsgKind kind, const std::string& text, int x, int y)> ShowRunMessage;
    // The run time's error box for an error that ended an operation.
    std::function<void(const std::string& text)> ShowErrorBox;
    std::function<void(int percent)> SetGauge;
    std::function<void(int panel, const std::string& text)> SetStatusText;
    // Let pending window messages be processed (repaints, the gauge).
    std::function<void()> ProcessMessages;
    std::function<void(bool busy)> SetBusyCursor;
    // The displayed picture's pixels or size changed: repaint, set the scroll ranges.
    std::function<void()> PictureChanged;
    // Undo button and menu item.
    std::function<void(bool enabled)> SetUndoEnabled;
    // Plays a sound file synchronously; false when no sound library is bound.
    std::function<bool(const std::string& path)> PlaySound;
    std::function<void(int frequency, int milliseconds)> Beep;
    // Open or save dialog; returns the chosen path, empty when cancelled. FilterIndex is
    // updated to the filter chosen.
    std::function<std::string(FileDialogRequest& request)> ChooseFile;
    std::function<bool(uint32_t& color)> ChooseColor;
    std::function<bool(FontChoice& font)> ChooseFont;
    // Screen bits per pixel.
    std::function<int()> ScreenDepth;
    // Ask the application to end once the current handler returns.
    std::function<void()> RequestTerminate;
    // A line for the macro window's text, and for the processing-history log (then saved).
    std::function<void(const std::string& line)> AppendMacroLine;
    std::function<void(const std::string& line)> AppendHistoryLine;
    std::function<void()> SaveHistoryLog;
    // The picture loader's calls into the main window and into other subsystems (enabler,
    // histogram window, histogram files, image headers); an unset entry does nothing.
    std::function<void(const std::string& caption)> SetMainCaption;
    std::function<void(bool enabled)> EnableImageCommands;
    std::function<void(bool enabled)> EnableObjectMenus;
    std::function<void()> HistogramDisableAllNewFile;
    std::function<void()> HistogramDisableAll;
    std::function<void()> LoadOrMakeHistogramFiles;
    std::function<void(const std::string& dipName)> RIHOpenDIPHeader;
    std::function<void(const std::string& dipName, int width, int height)> RIHMakeAllHeaders;
    // The header pages changed outside the import window: it shows them again.
    std::function<void()> HeaderPagesChanged;
    // Ends the main window's mode that shows pictures made from the undo copy; its picture
    // comes back (see UndoCopyHeld).
    std::function<void()> EndUndoHoldingMode;
    // The projection message log changed; `show` brings its window up (an error was reported).
    std::function<void(bool show)> ProjectionLogChanged;
    // The band-processing window's own gauge and hint panel, which the band-product runs drive.
    std::function<void(int percent)> SetBandGauge;
    std::function<void(const std::string& text)> SetBandHints;
    // Opens a document or address (a file URL, with an anchor) in the desktop's default program;
    // false when nothing took it.
    std::function<bool(const std::string& url)> OpenDocument;
    // A drag on the picture ended without effect: its rubber band and hidden pointer go.
    std::function<void()> OpenDragEnded;
    // The displayed picture is another one now: a tool measuring the last one ends (called by
    // HookPictureChanged first).
    std::function<void()> ShownPictureReplaced;
};

extern VornHooks Hooks;

// Puts the default hooks back: silent, no dialogs, every question answered Cancel.
void ResetHooksToDefaults();

// Convenience wrappers used by the engines; each tolerates an unset hook.
MsgButton HookShowMessage(MsgKind kind, const std::string& text, int x, int y);
void HookSetGauge(int percent);
void HookStatus(int panel, const std::string& text);
void HookProcessMessages();
void HookBusyCursor(bool busy);
void HookPictureChanged();
void HookUndoEnabled(bool enabled);
bool HookPlaySound(const std::string& path);
void HookBeep(int frequency, int milliseconds);
std::string HookChooseFile(FileDialogRequest& request);
// The save dialog with `filter`, opening in the working folder and proposing `proposed`: the
// chosen path, empty when cancelled.
std::string ChooseSaveFile(const std::string& filter, const std::string& proposed);
void HookBandGauge(int percent);
void HookBandHints(const std::string& text);
bool HookOpenDocument(const std::string& url);

// One image operation, band run or macro playback at a time.
extern bool ImageOperationBusy;
// True while a running operation lets window messages in (HookProcessMessages): a handler, a
// close or a drag that starts now came from the user through the event loop and is not part of
// that operation. What the operation calls itself (the macro player, one page calling another's
// routine) starts outside its yields and runs as part of it.
bool ArrivesDuringOperation();
// Told when a command begins and when it ends: every guarded handler that runs, other than the
// picture's own press, move and release, whether it owns the busy flag or runs inside another's
// dialog. The input gate marks the window system's stream of events there, and refuses the
// user's input made between the two marks whenever it comes.
struct CommandWatch {
    void (*Begins)() = nullptr;
    void (*Ends)() = nullptr;
};
void WatchCommands(CommandWatch watch);

// The operation frame every guarded handler takes: the first to start owns the busy flag; one
// that arrives during another's yield is refused and does nothing.
class OperationScope {
  public:
    // One that starts a command ends the drag on the picture under way; the picture's own press,
    // move and release are that drag (`isDrag`).
    explicit OperationScope(bool isDrag = false);
    ~OperationScope();
    OperationScope(const OperationScope&) = delete;
    OperationScope& operator=(const OperationScope&) = delete;
    // False when it arrived while another operation runs: the caller does nothing.
    bool Acquired() const { return !Refused; }

  private:
    bool Owned;
    bool Refused;
    bool IsDrag;
    bool Watched;
};

// The one error guard, with the operation frame. Runs `action` unless it arrived during another
// operation's yield; a run-time error or any std::exception ends it with the error box; the
// cursor and the busy flag are put back. A file the user kept (EFileKept) ends it quietly.
// Returns false when it failed, was refused or ended on a kept file.
bool RunGuarded(const std::function<void()>& action);
// The guard and frame of the picture's own press, move and release, which do not end its drag.
bool RunGuardedOnPicture(const std::function<void()>& action);
// The error guard without the operation frame, for the few controls that must act while an
// operation runs (its Abort, Help); each caller says why.
bool RunGuardedMidRun(const std::function<void()>& action);

// Recording of a command: the command line and its parameter lines go to the macro text while
// MacroRecording is on, and with a date-time line to the processing-history log while LogToDIP
// is on (`log` false for the commands that are recorded but not logged).
extern bool MacroRecording;
extern bool LogToDIP;
void RecordCommand(const std::string& commandLine, const std::vector<std::string>& params,
                   bool log = true);
// Now in the system locale's short date and long time, as the log's date-time lines hold it.
std::string NowDateTimeText();
