// Help at a topic. The user guide is one HTML page beside the program with an anchor per topic
// number. Windows, pages and controls with a topic of their own carry it as a property; F1 opens
// the guide at the topic of the control that has the focus, or else of the nearest page or
// window around it. Help buttons open their topic through the same routine.
#pragma once

#include <QString>

#include <functional>
#include <initializer_list>
#include <string>

class QAbstractButton;
class QEvent;
class QObject;
class QTabWidget;
class QWidget;

inline constexpr const char* HelpFileName = "Vorn.html";
inline constexpr const char* ReadMeFileName = "README.md";
// The guide's walk through a first session.
inline constexpr const char* GettingStartedAnchor = "getting-started";

// The guide's anchor of a topic ("topic-6100"); empty for 0, the guide's front page.
QString HelpTopicAnchor(int context);

// Opens the file at `path`, at `anchor` when there is one, in the desktop's default program. A
// missing file, or no program for it, is a message. False when nothing was opened.
bool OpenDocumentAt(const std::string& path, const QString& anchor);

// The help topic of a window, by its form name; 0 for a window without a topic of its own.
int WindowHelpContext(const QString& formName);

// Gives a window, page or control its help topic.
void SetHelpContext(QWidget* widget, int context);

// Gives the pages of a page control their topics, in page order (0: the window's).
void SetPageHelpContexts(QTabWidget* pages, std::initializer_list<int> contexts);

// The topic of `object` or of the nearest widget around it that has one; 0 when none has.
int HelpContextOf(const QObject* object);

// True for F1 pressed on a control (not on the window system's window behind it, which hands
// the key on to the control that has the focus).
bool IsHelpKeyOnControl(const QObject* watched, const QEvent* event);

// Makes `button` a Help button: a click runs `open` in the error guard. Help only opens a page,
// which leaves alone whatever a running command works on, so the button is heard while one runs.
void ConnectHelp(QAbstractButton* button, std::function<void()> open);
// The same, opening the guide at `topic`.
void ConnectHelp(QAbstractButton* button, int topic);
