// TPrintersizeForm, the print layout: the displayed image on the printer with a legend, marks
// and labels. Created on demand and shown modally; freed after its close.
#pragma once

#include "shell/ui/vToolWindow.h"

#include <QPointer>

class TPrintersizeForm : public TToolWindow {
    Q_OBJECT
  public:
    explicit TPrintersizeForm(QWidget* parent = nullptr);
};

extern QPointer<TPrintersizeForm> PrintersizeForm;
