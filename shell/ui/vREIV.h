// TREIVForm, the preprocess viewer: crops, resizes and rotates a picture of its own. Lives for
// the whole run.
#pragma once

#include "shell/ui/vToolWindow.h"

#include <QPointer>

class TREIVForm : public TToolWindow {
    Q_OBJECT
  public:
    explicit TREIVForm(QWidget* parent = nullptr);
};

extern QPointer<TREIVForm> REIVForm;
