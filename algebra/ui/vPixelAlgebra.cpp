#include "algebra/ui/vPixelAlgebra.h"

#include "algebra/ui/vColorContortions.h"
#include "shell/vGlobal.h"
#include "shell/vToolForms.h"

#include <QVBoxLayout>

QPointer<TPixelAlgebraForm> PixelAlgebraForm;

TPixelAlgebraForm::TPixelAlgebraForm(QWidget* parent)
    : TToolWindow("Pixel Algebra", "PixelAlgebraForm", fpPixelAlgebra, tfPixelAlgebra, parent) {
    ColorContortions = new TColorContortionsPage(this);
    (new QVBoxLayout(this))->addWidget(ColorContortions);
}

void TPixelAlgebraForm::FormClose() {
    ColorContortions->FormClose();
    TToolWindow::FormClose();
}
