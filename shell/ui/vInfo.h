// TFrInfo, the image information window: the displayed PNG's name, size, chunks and bitmap
// header. Created on demand and shown modally; freed after its close.
#pragma once

#include "shell/ui/vToolWindow.h"

#include <QPointer>

class TFrInfo : public TToolWindow {
    Q_OBJECT
  public:
    explicit TFrInfo(QWidget* parent = nullptr);
};

extern QPointer<TFrInfo> FrInfo;
