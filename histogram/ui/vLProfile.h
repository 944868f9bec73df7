// TLineProfileForm, the line-profile tool: the colours along a line dragged on the main image.
// Lives for the whole run.
#pragma once

#include "shell/ui/vToolWindow.h"

#include <QPointer>

class TLineProfileForm : public TToolWindow {
    Q_OBJECT
  public:
    explicit TLineProfileForm(QWidget* parent = nullptr);
};

extern QPointer<TLineProfileForm> LineProfileForm;
