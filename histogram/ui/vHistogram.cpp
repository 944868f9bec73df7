#include "histogram/ui/vHistogram.h"

#include "shell/vGlobal.h"
#include "shell/vToolForms.h"

QPointer<THistogramForm> HistogramForm;

THistogramForm::THistogramForm(QWidget* parent)
    : TToolWindow("Histogram", "HistogramForm", fpHistogram, tfHistogram, parent) {}
