#include "support/RecordingHooks.h"

#include "shell/vMacroCodes.h"

RecordingHooks::RecordingHooks() {
    ForgetRecordingOptionsForTests();
    // Companion files (counts, headers) are written only by tests that ask for them, never
    // beside the test pictures.
    Hooks.LoadOrMakeHistogramFiles = nullptr;
    Hooks.RIHOpenDIPHeader = nullptr;
    Hooks.RIHMakeAllHeaders = nullptr;
    Hooks.ShowMessage = [this](MsgKind kind, const std::string& text, int x, int y) {
        Messages.push_back({kind, text, x, y});
        if (MessageAnswers.empty())
            return kind == MsgKind::Confirmation ? MsgButton::Cancel : MsgButton::Ok;
        MsgButton b = MessageAnswers.front();
        MessageAnswers.pop_front();
        return b;
    };
    // A long run's box is recorded and answered as any other.
    Hooks.ShowRunMessage = Hooks.ShowMessage;
    Hooks.ShowErrorBox = [this](const std::string& text) { ErrorBoxes.push_back(text); };
    Hooks.SetGauge = [this](int p) { Gauge.push_back(p); };
    Hooks.SetBandGauge = [this](int p) { BandGauge.push_back(p); };
    Hooks.SetBandHints = [this](const std::string& text) { BandHints.push_back(text); };
    Hooks.SetStatusText = [this](int panel, const std::string& text) {
        (panel == 0 ? Status0 : Status1).push_back(text);
    };
    Hooks.ProcessMessages = [this] { ++ProcessMessagesCalls; };
    Hooks.SetBusyCursor = [](bool) {};
    Hooks.PictureChanged = [this] { ++PictureChanges; };
    Hooks.SetUndoEnabled = [this](bool e) { UndoEnabled = e; };
    Hooks.PlaySound = [this](const std::string& path) {
        if (!SoundBound) return false;
        Sounds.push_back(path);
        return true;
    };
    Hooks.Beep = [this](int f, int ms) { Beeps.push_back({f, ms}); };
    Hooks.ChooseFile = [this](FileDialogRequest& r) {
        FileRequests.push_back(r);
        if (FileAnswers.empty()) return std::string();
        std::string a = FileAnswers.front();
        FileAnswers.pop_front();
        return a;
    };
    Hooks.ChooseColor = [this](uint32_t& c) {
        if (ColorAnswers.empty()) return false;
        c = ColorAnswers.front();
        ColorAnswers.pop_front();
        return true;
    };
    Hooks.ChooseFont = [](FontChoice&) { return false; };
    Hooks.ScreenDepth = [this] { return ScreenDepth; };
    Hooks.RequestTerminate = [this] { ++TerminateRequests; };
    Hooks.AppendMacroLine = [this](const std::string& l) { MacroLines.push_back(l); };
    Hooks.AppendHistoryLine = [this](const std::string& l) { HistoryLines.push_back(l); };
    Hooks.SaveHistoryLog = [this] { ++HistorySaves; };
    Hooks.OpenDocument = [this](const std::string& url) {
        OpenedDocuments.push_back(url);
        return true;
    };
}

RecordingHooks::~RecordingHooks() {
    ResetHooksToDefaults();
}

bool RecordingHooks::Shown(int number) const {
    const std::string text = MessageText(number);
    MsgKind kind;
    if (!MessageKindOf(number, kind)) return false;
    for (const auto& m : Messages)
        if (m.Text == text && m.Kind == kind) return true;
    return false;
}

std::string RecordingHooks::Summary() const {
    std::string s;
    for (const auto& m : Messages)
        s += "[" + m.Text + "] ";
    for (const auto& e : ErrorBoxes)
        s += "{" + e + "} ";
    return s;
}

void RecordingHooks::Clear() {
    Messages.clear();
    ErrorBoxes.clear();
    Status0.clear();
    Status1.clear();
    Gauge.clear();
    BandGauge.clear();
    BandHints.clear();
    Sounds.clear();
    Beeps.clear();
    MacroLines.clear();
    HistoryLines.clear();
    FileRequests.clear();
    OpenedDocuments.clear();
    HistorySaves = PictureChanges = ProcessMessagesCalls = TerminateRequests = 0;
}

void ArriveDuringOperation(const std::function<void()>& arrive) {
    OperationScope running;
    const auto ownYield = Hooks.ProcessMessages;
    Hooks.ProcessMessages = arrive;
    HookProcessMessages();
    Hooks.ProcessMessages = ownYield;
}
