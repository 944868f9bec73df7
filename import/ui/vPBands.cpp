#include "import/ui/vPBands.h"

#include "shell/vGlobal.h"
#include "shell/vToolForms.h"

QPointer<TPBands> PBands;

TPBands::TPBands(QWidget* parent)
    : TToolWindow("Image Import", "PBands", fpPBands, tfNone, parent) {}
