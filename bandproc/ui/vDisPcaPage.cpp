#include "bandproc/ui/vDisProPages.h"

#include <QWidget>

QWidget* BuildPCAPage(TDisProcessForm*) {
    return new QWidget;
}
