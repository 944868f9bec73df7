#include "histogram/ui/vLinear.h"

#include "shell/vGlobal.h"
#include "shell/vToolForms.h"

QPointer<TLinearForm> LinearForm;

TLinearForm::TLinearForm(QWidget* parent)
    : TToolWindow("Linear", "LinearForm", fpLinear, tfNone, parent) {}
