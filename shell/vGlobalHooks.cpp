#include "shell/vGlobalHooks.h"

#include "platform/PlDateTime.h"
#include "runtime/RtErrors.h"
#include "runtime/RtNumbers.h"
#include "shell/vGlobalOptions.h"
#include "shell/vMacroCodes.h"
#include "shell/vToolModes.h"

#include <ctime>
#include <exception>

VornHooks Hooks;
bool ImageOperationBusy = false;
bool MacroRecording = false;
bool LogToDIP = false;

namespace {

// How deep the running operations' yields to the event loop are nested.
int EventLoopYields = 0;
CommandWatch Watch;

} // namespace

void ResetHooksToDefaults() {
    Hooks = VornHooks{};
}

MsgButton HookShowMessage(MsgKind kind, const std::string& text, int x, int y) {
    if (Hooks.ShowMessage) return Hooks.ShowMessage(kind, text, x, y);
    return kind == MsgKind::Confirmation ? MsgButton::Cancel : MsgButton::Ok;
}

void HookSetGauge(int percent) {
    if (Hooks.SetGauge) Hooks.SetGauge(percent);
}

void HookBandGauge(int percent) {
    if (Hooks.SetBandGauge) Hooks.SetBandGauge(percent);
}

void HookBandHints(const std::string& text) {
    if (Hooks.SetBandHints) Hooks.SetBandHints(text);
}

bool HookOpenDocument(const std::string& url) {
    return Hooks.OpenDocument ? Hooks.OpenDocument(url) : false;
}

void HookStatus(int panel, const std::string& text) {
    if (Hooks.SetStatusText) Hooks.SetStatusText(panel, text);
}

void HookProcessMessages() {
    if (!Hooks.ProcessMessages) return;
    struct Yield {
        Yield() { ++EventLoopYields; }
        ~Yield() { --EventLoopYields; }
    } yield;
    Hooks.ProcessMessages();
}

void HookBusyCursor(bool busy) {
    if (Hooks.SetBusyCursor) Hooks.SetBusyCursor(busy);
}

void HookPictureChanged() {
    if (Hooks.ShownPictureReplaced) Hooks.ShownPictureReplaced();
    if (Hooks.PictureChanged) Hooks.PictureChanged();
}

void HookUndoEnabled(bool enabled) {
    if (Hooks.SetUndoEnabled) Hooks.SetUndoEnabled(enabled);
}

bool HookPlaySound(const std::string& path) {
    return Hooks.PlaySound ? Hooks.PlaySound(path) : false;
}

void HookBeep(int frequency, int milliseconds) {
    if (Hooks.Beep) Hooks.Beep(frequency, milliseconds);
}

std::string HookChooseFile(FileDialogRequest& request) {
    return Hooks.ChooseFile ? Hooks.ChooseFile(request) : std::string();
}

std::string ChooseSaveFile(const std::string& filter, const std::string& proposed) {
    FileDialogRequest request;
    request.Save = true;
    request.Filter = filter;
    request.OpenIn(ImageDirectory);
    request.FileName = proposed;
    return HookChooseFile(request);
}

bool ArrivesDuringOperation() {
    return ImageOperationBusy && EventLoopYields > 0;
}

void WatchCommands(CommandWatch watch) {
    Watch = watch;
}

OperationScope::OperationScope(bool isDrag)
    : Owned(!ImageOperationBusy), Refused(ArrivesDuringOperation()), IsDrag(isDrag),
      Watched(!Refused && !isDrag) {
    if (Watched && Watch.Begins) Watch.Begins();
    if (!Owned) return;
    ImageOperationBusy = true;
    if (!isDrag) EndOpenDrags();
}

OperationScope::~OperationScope() {
    if (Owned) ImageOperationBusy = false;
    if (Watched && Watch.Ends) Watch.Ends();
}

namespace {
bool RunFramed(const std::function<void()>& action, bool isDrag) {
    OperationScope scope(isDrag);
    if (!scope.Acquired()) return false;
    return RunGuardedMidRun(action);
}
} // namespace

bool RunGuarded(const std::function<void()>& action) {
    return RunFramed(action, false);
}

bool RunGuardedOnPicture(const std::function<void()>& action) {
    return RunFramed(action, true);
}

bool RunGuardedMidRun(const std::function<void()>& action) {
    std::string error;
    try {
        action();
        return true;
    } catch (const EFileKept&) {
        // The user kept a file the action would have replaced: it ends there, with no box.
        HookBusyCursor(false);
        HookSetGauge(0);
        return false;
    } catch (const std::exception& e) {
        error = e.what();
    } catch (...) {
        error = "Unknown error";
    }
    HookBusyCursor(false);
    HookSetGauge(0);
    if (Hooks.ShowErrorBox) Hooks.ShowErrorBox(error);
    return false;
}

std::string NowDateTimeText() {
    return LocaleDateTimeText(std::time(nullptr));
}

void RecordCommand(const std::string& commandLine, const std::vector<std::string>& params,
                   bool log) {
    if (MacroRecording && Hooks.AppendMacroLine) {
        for (const std::string& line : ChangedRecordingOptions())
            Hooks.AppendMacroLine(line);
        Hooks.AppendMacroLine(commandLine);
        for (const auto& p : params)
            Hooks.AppendMacroLine(p);
    }
    if (log && LogToDIP && Hooks.AppendHistoryLine) {
        Hooks.AppendHistoryLine(commandLine);
        for (const auto& p : params)
            Hooks.AppendHistoryLine(p);
        Hooks.AppendHistoryLine(NowDateTimeText());
        if (Hooks.SaveHistoryLog) Hooks.SaveHistoryLog();
    }
}
