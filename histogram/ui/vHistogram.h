// THistogramForm, the histogram window: counts, statistics, natural breaks and slices of the
// working image. Lives for the whole run; its close leaves code 5, which frees nothing.
#pragma once

#include "shell/ui/vToolWindow.h"

#include <QPointer>

class THistogramForm : public TToolWindow {
    Q_OBJECT
  public:
    explicit THistogramForm(QWidget* parent = nullptr);
};

extern QPointer<THistogramForm> HistogramForm;
