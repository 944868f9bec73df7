// TToolWindow, the frame every tool window shares: it takes its place from its pair of the
// options' window positions when created, opens on the screen with what it holds scrolling when
// the screen is too small for it, and when it closes it ends the mouse modes it armed,
// writes the place back, saves the options file and, for a window freed on demand, hands its
// code to the main window's deferred free. Its handlers run through Guarded, which also tells
// the deferred free that the window is busy and must not be freed under its own feet. While an
// operation lets window messages in, no handler starts and no window closes.
#pragma once

#include "shell/vGlobalHooks.h"

#include <QDialog>
#include <QPointer>
#include <QString>
#include <functional>
#include <vector>

class QScrollArea;

// While a window's command runs: the dialogs it opens belong to that window, whichever window the
// desktop has made active meanwhile (none, or the main window, right after a file dialog closes).
// A box owned by another window brings that one in front of the window the user works in.
class CommandWindow {
  public:
    explicit CommandWindow(QWidget* window);
    ~CommandWindow();
    CommandWindow(const CommandWindow&) = delete;
    CommandWindow& operator=(const CommandWindow&) = delete;
    // The window of the innermost running command that is shown: null when there is none.
    static QWidget* Current();

  private:
    QPointer<QWidget> Window;
    CommandWindow* Outer;
};

class TToolWindow : public QDialog {
    Q_OBJECT
  public:
    // positionPair: the window's pair in FormPositions, NoPosition for none; freeCode: the code
    // stored in FormToFree when it closes, 0 for none.
    TToolWindow(const QString& caption, const QString& formName, int positionPair, int freeCode,
                QWidget* parent = nullptr);

    static constexpr int NoPosition = -1;
    const int PositionPair;
    const int FreeCode;

    // Runs a handler of this window inside the one error guard and its operation frame.
    template <typename F> void Guarded(F&& f);
    // The press, moves and release of a drag on this window's picture, whose frame does not end
    // that drag.
    template <typename F> void GuardedOnPicture(F&& f);
    // For a control that must act while an operation runs (Abort, Help): the error guard only.
    template <typename F> void GuardedMidRun(F&& f);
    bool InsideHandler() const { return HandlerDepth > 0; }

    // Arms a mouse mode on the picture on behalf of this window: `mode` is set, and when the
    // window closes with the mode still armed, `end` ends it (clearing `mode` when none is given).
    // Arming the same mode again replaces its end.
    void ArmMouseMode(bool& mode, std::function<void()> end = {});

    // Before the window is first shown, what its layout holds moves into a scroll area that asks
    // for the whole of it and takes less: the window opens at the size it would have had without
    // it, is shrunk as it opens to a screen too small for that (KeepOnScreen), and can be made
    // smaller still; its contents scroll there, every control within reach.
    void setVisible(bool visible) override;

  public slots:
    // A rejected dialog (Escape) closes through the same path as the close box.
    void reject() override;

  protected:
    // The close handler: a window with more to do on close does it, then calls this one.
    virtual void FormClose();
    void closeEvent(QCloseEvent* event) override;
    // Opens at its stored place, kept on the screen, and runs FormOpen. A restore from
    // minimised sends a show event too: it runs neither, or it would drop what was typed since.
    void showEvent(QShowEvent* event) override;
    // Fills the window as it opens, inside the error guard: a window with nothing to fill
    // leaves it as it is.
    virtual void FormOpen() {}

  private:
    struct ArmedMode {
        bool* Mode;
        std::function<void()> End;
    };
    void DisarmMouseModes();
    // Runs a handler through `run`, one of the guards, as this window's.
    template <typename F> void InHandler(bool (*run)(const std::function<void()>&), F&& f);
    void ScrollWhenSmall();
    // The size the window takes in place of `size` that the screen shrinks it to: where what it
    // holds then scrolls one way, wide or high enough again for that scroll bar, so that it does
    // not scroll the other way too.
    QSize RoomForScrollBar(QSize size) const;

    bool Scrolling = false;
    QScrollArea* Scroll = nullptr;
    int HandlerDepth = 0;
    std::vector<ArmedMode> ArmedModes;
};

template <typename F> void TToolWindow::Guarded(F&& f) {
    InHandler(RunGuarded, std::forward<F>(f));
}

template <typename F> void TToolWindow::GuardedOnPicture(F&& f) {
    InHandler(RunGuardedOnPicture, std::forward<F>(f));
}

template <typename F> void TToolWindow::GuardedMidRun(F&& f) {
    InHandler(RunGuardedMidRun, std::forward<F>(f));
}

template <typename F>
void TToolWindow::InHandler(bool (*run)(const std::function<void()>&), F&& f) {
    const CommandWindow command(this);
    ++HandlerDepth;
    run(std::forward<F>(f));
    --HandlerDepth;
}
