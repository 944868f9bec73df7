// Drawing a plane's histogram: bars in the colours of the plane's values, ticks, grid lines and
// the largest count. Kept beside the histogram library because it needs the toolkit's text.
#pragma once

#include "histogram/vUHistogramLibrary.h"
#include "shell/vPicture.h"

#include <QObject>
#include <QPoint>

#include <functional>

class QEvent;

// Draws onto the picture only when it is 256 pixels wide and the largest bin holds a count.
void DrawHistogram(int plane, const THistogram& histogram, Picture& canvas);
// Writes text with its top left at (x, y) in black.
void WriteTextAt(Picture& picture, int x, int y, const QString& text);

// Hands a widget's mouse moves, releases and leaving to one callback (position, event type).
class MouseWatcher : public QObject {
    Q_OBJECT
  public:
    using Callback = std::function<void(int type, QPoint position)>;
    MouseWatcher(QWidget* watched, Callback callback);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Callback OnMouse;
};
