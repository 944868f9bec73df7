// TObjectMarkForm, the object-marking window: points, lines, circles and boxes over the displayed
// image. Created on demand; freed after its close.
#pragma once

#include "shell/ui/vToolWindow.h"

#include <QPointer>

class TObjectMarkForm : public TToolWindow {
    Q_OBJECT
  public:
    explicit TObjectMarkForm(QWidget* parent = nullptr);
};

extern QPointer<TObjectMarkForm> ObjectMarkForm;
