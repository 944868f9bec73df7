#include "shell/ui/vOMark.h"

#include "shell/vGlobal.h"
#include "shell/vToolForms.h"

QPointer<TObjectMarkForm> ObjectMarkForm;

TObjectMarkForm::TObjectMarkForm(QWidget* parent)
    : TToolWindow("Object Marker", "ObjectMarkForm", fpObjectMark, tfObjectMark, parent) {}
