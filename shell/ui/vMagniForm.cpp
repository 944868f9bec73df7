#include "shell/ui/vMagniForm.h"

#include "shell/vGlobal.h"
#include "shell/vToolForms.h"

QPointer<TMagniForm> MagniForm;

TMagniForm::TMagniForm(QWidget* parent)
    : TToolWindow("Magnifico", "MagniForm", fpMagni, tfNone, parent) {
    setWindowFlag(Qt::WindowStaysOnTopHint);
}
