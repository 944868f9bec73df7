// TDisProcessForm, the band-processing window over the band files of one DIS subset. Lives for
// the whole run; its close leaves code 13, which frees nothing.
#pragma once

#include "shell/ui/vToolWindow.h"

#include <QPointer>

class TDisProcessForm : public TToolWindow {
    Q_OBJECT
  public:
    explicit TDisProcessForm(QWidget* parent = nullptr);
};

extern QPointer<TDisProcessForm> DisProcessForm;
