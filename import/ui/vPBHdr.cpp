#include "import/ui/vPBHdr.h"

#include "shell/vGlobal.h"
#include "shell/vToolForms.h"

QPointer<TPBandHdrForm> PBandHdrForm;

TPBandHdrForm::TPBandHdrForm(QWidget* parent)
    : TToolWindow("Header Import", "PBandHdrForm", fpPBandHdr, tfNone, parent) {}
