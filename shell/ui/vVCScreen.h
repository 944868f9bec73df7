// TViewCursorScreen, the cursor pixel grid: the red, green and blue values of the block marked
// on the main image in pixel-values mode. Lives for the whole run.
#pragma once

#include "shell/ui/vToolWindow.h"

#include <QPointer>

class TViewCursorScreen : public TToolWindow {
    Q_OBJECT
  public:
    explicit TViewCursorScreen(QWidget* parent = nullptr);
};

extern QPointer<TViewCursorScreen> ViewCursorScreen;
