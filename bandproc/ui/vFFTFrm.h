// TFFTForm, the Fourier-transform workbench: one square band or picture filtered in the frequency
// domain. Created on demand by the band-processing window; freed after its close.
#pragma once

#include "shell/ui/vToolWindow.h"

#include <QPointer>

class TFFTForm : public TToolWindow {
    Q_OBJECT
  public:
    explicit TFFTForm(QWidget* parent = nullptr);
};

extern QPointer<TFFTForm> FFTForm;
