// Hooks for tests: every message, status text, gauge value, sound and recorded line is kept;
// dialogs are answered from scripted queues. Construct one per test: it installs itself and
// puts the defaults back when it goes.
#pragma once

#include "shell/vGlobal.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

struct ShownMessage {
    MsgKind Kind;
    std::string Text;
    int X;
    int Y;
};

class RecordingHooks {
  public:
    RecordingHooks();
    ~RecordingHooks();

    std::vector<ShownMessage> Messages;
    std::vector<std::string> ErrorBoxes;
    std::vector<std::string> Status0;
    std::vector<std::string> Status1;
    std::vector<int> Gauge;
    std::vector<int> BandGauge;
    std::vector<std::string> BandHints;
    std::vector<std::string> Sounds;
    std::vector<std::pair<int, int>> Beeps;
    std::vector<std::string> MacroLines;
    std::vector<std::string> HistoryLines;
    std::vector<FileDialogRequest> FileRequests;
    // The URLs handed to the desktop's default program.
    std::vector<std::string> OpenedDocuments;
    int HistorySaves = 0;
    int PictureChanges = 0;
    int ProcessMessagesCalls = 0;
    int TerminateRequests = 0;
    bool UndoEnabled = false;
    bool SoundBound = true;
    int ScreenDepth = 24;

    // Answers for the next dialogs, first in first out; an empty queue answers Cancel/empty.
    std::deque<MsgButton> MessageAnswers;
    std::deque<std::string> FileAnswers;
    std::deque<uint32_t> ColorAnswers;

    // True when a message with that exact text (as the table holds it) was shown.
    bool Shown(int number) const;
    // The texts shown so far, joined, for failure output.
    std::string Summary() const;
    void Clear();
};

// Delivers `arrive` as the event loop does while another operation runs and lets window messages
// in: a click, a close or a drag the user made meanwhile.
void ArriveDuringOperation(const std::function<void()>& arrive);
