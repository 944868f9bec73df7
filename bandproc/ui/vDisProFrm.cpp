#include "bandproc/ui/vDisProFrm.h"

#include "shell/vGlobal.h"
#include "shell/vToolForms.h"

QPointer<TDisProcessForm> DisProcessForm;

TDisProcessForm::TDisProcessForm(QWidget* parent)
    : TToolWindow("Dis Process", "DisProcessForm", fpDisProcess, tfDisProcess, parent) {}
