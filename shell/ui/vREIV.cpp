#include "shell/ui/vREIV.h"

#include "shell/vGlobal.h"
#include "shell/vToolForms.h"

QPointer<TREIVForm> REIVForm;

TREIVForm::TREIVForm(QWidget* parent)
    : TToolWindow("Preprocess", "REIVForm", fpREIV, tfNone, parent) {}
