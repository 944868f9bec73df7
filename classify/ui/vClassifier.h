// TClassificationForm, the classification window: training sites, seed methods and the
// classifiers. Created on demand; freed after its close.
#pragma once

#include "shell/ui/vToolWindow.h"

#include <QPointer>

class TClassificationForm : public TToolWindow {
    Q_OBJECT
  public:
    explicit TClassificationForm(QWidget* parent = nullptr);
};

extern QPointer<TClassificationForm> ClassificationForm;
