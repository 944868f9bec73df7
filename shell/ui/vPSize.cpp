#include "shell/ui/vPSize.h"

#include "shell/vGlobal.h"
#include "shell/vToolForms.h"

QPointer<TPrintersizeForm> PrintersizeForm;

TPrintersizeForm::TPrintersizeForm(QWidget* parent)
    : TToolWindow("Image Print Selection", "PrintersizeForm", fpPrintersize, tfPrintersize,
                  parent) {}
