#include "shell/ui/vUEnabler.h"

#include "shell/ui/vVorn.h"

#include <QAction>
#include <QWidget>

namespace {

const char* const ImageCommands[] = {
    "LogtoDIP",         "SaveButton",        "PrintButton",        "FlyByButton",
    "ViewPixelsBtn",    "HistogramBtn",      "LinearBtn",          "PixelAlgebraButton",
    "FilterEditorBtn",  "ClassificationBtn", "LabelBtn",           "LabelObjectsBtn",
    "F_Save",           "F__Saveas",         "SaveNumbered1",      "FS_BMP",
    "FS_JPG",           "F_Print",           "IV_PixelValues",     "IZ_ZoomWindow",
    "IV_CMYScreen",     "IV_RGBScreen",      "IV_onlyBlue",        "IV_onlyGreen",
    "IV_onlyRed",       "PngInfo1",          "IH__Histogram",      "IL__Linear",
    "IP__PixelAlgebra", "IS__SpatialMatrix", "IU__Classification",
};

const char* const ObjectMenus[] = {"X_LabelObjects", "X_ObjectorMM"};

// The tool windows are children of the main window too; their controls of the same names are
// not the main window's commands.
bool OnMainWindow(const QObject* object) {
    for (const QObject* o = object; o; o = o->parent())
        if (o->isWidgetType()) return static_cast<const QWidget*>(o)->window() == VORNForm;
    return false;
}

template <size_t N> void EnableGroup(const char* const (&names)[N], bool enabled) {
    if (!VORNForm) return;
    for (const char* name : names) {
        for (QAction* action : VORNForm->findChildren<QAction*>(name))
            if (OnMainWindow(action)) action->setEnabled(enabled);
        for (QWidget* widget : VORNForm->findChildren<QWidget*>(name))
            if (OnMainWindow(widget)) widget->setEnabled(enabled);
    }
}

} // namespace

void EnableImageCommands(bool enabled) {
    EnableGroup(ImageCommands, enabled);
}

void EnableObjectMenus(bool enabled) {
    EnableGroup(ObjectMenus, enabled);
}
