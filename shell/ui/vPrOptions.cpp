#include "shell/ui/vPrOptions.h"

#include "shell/vGlobal.h"
#include "shell/vToolForms.h"

TOptionsForm::TOptionsForm(QWidget* parent)
    : TToolWindow("VORN Program Options", "OptionsForm", fpOptions, tfNone, parent) {}
