#include "shell/ui/vMacro.h"

#include "shell/vGlobal.h"
#include "shell/vToolForms.h"

QPointer<TMacroForm> MacroForm;

TMacroForm::TMacroForm(QWidget* parent)
    : TToolWindow("Macro", "MacroForm", fpMacro, tfNone, parent) {}
