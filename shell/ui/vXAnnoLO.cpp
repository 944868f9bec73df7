#include "shell/ui/vXAnnoLO.h"

#include "shell/vGlobal.h"
#include "shell/vToolForms.h"

QPointer<TLabelObjectsForm> LabelObjectsForm;

TLabelObjectsForm::TLabelObjectsForm(QWidget* parent)
    : TToolWindow("Label Objects: Text Annotation", "LabelObjectsForm", fpLabelObjects,
                  tfLabelObjects, parent) {}
