// TFEditForm, the spatial-filter window: kernels, filed filters and texture operators. Created on
// demand; freed after its close.
#pragma once

#include "shell/ui/vToolWindow.h"

#include <QPointer>

class TFEditForm : public TToolWindow {
    Q_OBJECT
  public:
    explicit TFEditForm(QWidget* parent = nullptr);
};

extern QPointer<TFEditForm> FEditForm;
