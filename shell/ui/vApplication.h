// The program's application class, which the program and the gui tests both run under. Its
// notify is the last error guard, so no exception reaches the event loop, and the one input
// gate: while a command runs, paint, expose, resize, timer and window-system events go on as
// usual, and the user's input is refused, except at the controls marked as heard mid-run. Input
// is judged by when it was made: what the user did while a command ran, in the main loop or a
// dialog's own, is refused whenever it comes; what the user did before a command began is
// delivered. A press it delivered always gets its release, and a key held down while the box its
// press opened is up does not open another.
#pragma once

#include <QApplication>

class QEvent;
class QObject;
class QWidget;

class VornApplication : public QApplication {
  public:
    VornApplication(int& argc, char** argv);
    ~VornApplication() override;
    bool notify(QObject* receiver, QEvent* event) override;
};

// Lets the user's input to `control`, and to what it holds, through while a command runs. Only
// for controls that leave alone whatever a command works on; each caller says why.
void HeardMidRun(QWidget* control);
// Lets the close box of `window` reach its close handler while a command runs, which decides
// what it means then (a run of its own asked to end); nothing else of the window is heard.
void HearCloseMidRun(QWidget* window);
// True for a control marked so, or inside one.
bool IsHeardMidRun(const QObject* receiver);
