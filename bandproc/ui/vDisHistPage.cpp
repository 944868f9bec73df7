#include "bandproc/ui/vDisProPages.h"

#include <QWidget>

QWidget* BuildHistogramPage(TDisProcessForm*) {
    return new QWidget;
}
