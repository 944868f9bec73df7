#include "projections/ui/kovMemoFrm.h"

#include "shell/vGlobal.h"
#include "shell/vToolForms.h"

QPointer<TkovMemoForm> kovMemoForm;

TkovMemoForm::TkovMemoForm(QWidget* parent)
    : TToolWindow("Projection Messages", "kovMemoForm", TToolWindow::NoPosition, tfNone, parent) {}
