// Every window of the program, made as its command makes it: for tests that walk them all.
#pragma once

#include "shell/vGlobal.h"
#include "shell/vPicture.h"

#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QAction;
class TVORNForm;
class TToolWindow;

struct NamedWindow {
    const char* Name;
    std::function<QWidget*()> Make;
};

// The main window `form` first, then every tool window with `form` as its parent; the rotate
// window turns `picture`. The classification window shows the widest values its columns take:
// TrainingSites is left holding them.
std::vector<NamedWindow> EveryWindow(TVORNForm* form, Picture& picture);

// The main window `form` created as the start-up creates it, fresh header pages with their hooks,
// then the windows the start-up makes after it and every tool window made on demand, each with
// `form` as its parent, put where the program keeps them.
void MakeEveryToolWindow(TVORNForm* form);
// Every tool window of `form`.
std::vector<QPointer<TToolWindow>> ToolWindowsOf(TVORNForm* form);

// A command: a button or a menu command of one window.
struct Command {
    // The window's object name, "/" and the control's (a button's caption after a blank).
    QString Name;
    std::function<bool()> Enabled;
    std::function<void()> Run;
};

// How a command is run: by a call on its control, or as the user reaches it, through the
// application's input (a click on its button or tool button, or on its menu from the bar).
enum class Reach { Call, User };
// Every command button and named menu command of `main` and `windows`.
std::vector<Command> EveryCommand(QWidget* main, const std::vector<QPointer<TToolWindow>>& windows,
                                  Reach reach = Reach::Call);
// What the user does to reach `action`: a click on its tool button, or on its menu in the menu
// bar and then, down the menus that open, on its line.
void TriggerAsUser(QAction* action);

// A user working in `folder`: an open takes the first file there the filter takes, a save the
// proposed name (or one of the filter's kind) there.
std::string AnswerIn(const std::string& folder, FileDialogRequest& r);

// Closes every popup and modal dialog a command opens of its own, as the user would, while it
// lives.
class DialogCloser {
  public:
    DialogCloser();

  private:
    QTimer Timer;
};

// A small picture scene.png (the long commands let messages in at every row) and the Olinda scene
// split into its six bands with its DIH and DIS, in `folder`.
void MakeWorkScenes(const std::string& folder);

// What keeps the shown `window` from holding its contents: opened smaller than they ask where
// `room` (the most the window may take inside its frame) has space, a largest size below what
// they ask, or, at their whole size, scroll bars or a button cut. Empty when none.
std::vector<std::string> OpeningSizeFaults(QWidget& window, QSize room);
// What OpeningSizeFaults finds in each window of EveryWindow shown in turn, as "name: fault":
// `opened` waits for the shown window to open and gives the room it may take, none when it never
// opens.
std::vector<std::string>
EveryOpeningSizeFault(TVORNForm* form, const std::function<std::optional<QSize>(QWidget&)>& opened);
