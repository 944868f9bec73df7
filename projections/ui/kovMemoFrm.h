// TkovMemoForm, the projection message window: the log of a corner transformation. Lives for the
// whole run; its place is the projection log's own, not a pair of the options.
#pragma once

#include "shell/ui/vToolWindow.h"

#include <QPointer>

class TkovMemoForm : public TToolWindow {
    Q_OBJECT
  public:
    explicit TkovMemoForm(QWidget* parent = nullptr);
};

extern QPointer<TkovMemoForm> kovMemoForm;
