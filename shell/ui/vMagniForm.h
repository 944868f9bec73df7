// TMagniForm, the magnifier: the pixels around the pointer enlarged while the main window's
// zoom mode is on. Always on top; lives for the whole run.
#pragma once

#include "shell/ui/vToolWindow.h"

#include <QPointer>

class TMagniForm : public TToolWindow {
    Q_OBJECT
  public:
    explicit TMagniForm(QWidget* parent = nullptr);
};

extern QPointer<TMagniForm> MagniForm;
