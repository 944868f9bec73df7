#include "histogram/ui/vLProfile.h"

#include "shell/vGlobal.h"
#include "shell/vToolForms.h"

QPointer<TLineProfileForm> LineProfileForm;

TLineProfileForm::TLineProfileForm(QWidget* parent)
    : TToolWindow("Line Profile", "LineProfileForm", fpLineProfile, tfNone, parent) {}
