#include "algebra/ui/vPixelAlgebra.h"

#include "shell/vGlobal.h"
#include "shell/vToolForms.h"

QPointer<TPixelAlgebraForm> PixelAlgebraForm;

TPixelAlgebraForm::TPixelAlgebraForm(QWidget* parent)
    : TToolWindow("Pixel Algebra", "PixelAlgebraForm", fpPixelAlgebra, tfPixelAlgebra, parent) {}
