#include "algebra/ui/vFEditor.h"

#include "shell/vGlobal.h"
#include "shell/vToolForms.h"

QPointer<TFEditForm> FEditForm;

TFEditForm::TFEditForm(QWidget* parent)
    : TToolWindow("Spatial Matrix", "FEditForm", fpFEdit, tfFEdit, parent) {}
