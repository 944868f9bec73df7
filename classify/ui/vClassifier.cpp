#include "classify/ui/vClassifier.h"

#include "shell/vGlobal.h"
#include "shell/vToolForms.h"

QPointer<TClassificationForm> ClassificationForm;

TClassificationForm::TClassificationForm(QWidget* parent)
    : TToolWindow("Classification", "ClassificationForm", fpClassification, tfClassification,
                  parent) {}
