// TOptionsForm, the options window: folders, processing switches, sounds, message position and
// class colours. Created, shown modally and freed by the main window's options command.
#pragma once

#include "shell/ui/vToolWindow.h"

class TOptionsForm : public TToolWindow {
    Q_OBJECT
  public:
    explicit TOptionsForm(QWidget* parent = nullptr);
};
