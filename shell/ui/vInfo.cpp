#include "shell/ui/vInfo.h"

#include "shell/vGlobal.h"
#include "shell/vToolForms.h"

QPointer<TFrInfo> FrInfo;

TFrInfo::TFrInfo(QWidget* parent)
    : TToolWindow("PNG Information", "FrInfo", fpInfo, tfInfo, parent) {}
