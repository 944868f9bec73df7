// TPBands, the image-import window: multi-band scenes and their DIH, DIS and DIP headers. Lives
// for the whole run; closing it only hides it.
#pragma once

#include "shell/ui/vToolWindow.h"

#include <QPointer>

class TPBands : public TToolWindow {
    Q_OBJECT
  public:
    explicit TPBands(QWidget* parent = nullptr);
};

extern QPointer<TPBands> PBands;
