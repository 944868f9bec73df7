// TLinearForm, the Linear tool window: contours, edges, distances and the magic wand. Lives for
// the whole run.
#pragma once

#include "shell/ui/vToolWindow.h"

#include <QPointer>

class TLinearForm : public TToolWindow {
    Q_OBJECT
  public:
    explicit TLinearForm(QWidget* parent = nullptr);
};

extern QPointer<TLinearForm> LinearForm;
