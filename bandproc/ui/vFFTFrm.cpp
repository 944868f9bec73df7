#include "bandproc/ui/vFFTFrm.h"

#include "shell/vGlobal.h"
#include "shell/vToolForms.h"

QPointer<TFFTForm> FFTForm;

TFFTForm::TFFTForm(QWidget* parent)
    : TToolWindow("Fourier Transformer", "FFTForm", fpFFT, tfFFT, parent) {}
