// TPixelAlgebraForm, the pixel-algebra window: band expressions, ratios and colour look-up
// tables on the working image. Created on demand; freed after its close.
#pragma once

#include "shell/ui/vToolWindow.h"

#include <QPointer>

class TColorContortionsPage;

class TPixelAlgebraForm : public TToolWindow {
    Q_OBJECT
  public:
    explicit TPixelAlgebraForm(QWidget* parent = nullptr);

    TColorContortionsPage* ColorContortions = nullptr;

  protected:
    void FormClose() override;
};

extern QPointer<TPixelAlgebraForm> PixelAlgebraForm;
