// TLabelObjectsForm, the label window: text labels written onto the displayed image. Created on
// demand; freed after its close.
#pragma once

#include "shell/ui/vToolWindow.h"

#include <QPointer>

class TLabelObjectsForm : public TToolWindow {
    Q_OBJECT
  public:
    explicit TLabelObjectsForm(QWidget* parent = nullptr);
};

extern QPointer<TLabelObjectsForm> LabelObjectsForm;
