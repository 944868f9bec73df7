// TPBandHdrForm, the header viewer: a foreign header's text. Lives for the whole run.
#pragma once

#include "shell/ui/vToolWindow.h"

#include <QPointer>

class TPBandHdrForm : public TToolWindow {
    Q_OBJECT
  public:
    explicit TPBandHdrForm(QWidget* parent = nullptr);
};

extern QPointer<TPBandHdrForm> PBandHdrForm;
