#include "shell/ui/vUEnabler.h"

#include "shell/ui/vVorn.h"

#include <QAction>
#include <QMenu>

namespace {

using T = TVORNForm;
using Command = QAction* T::*;

const Command ImageCommands[] = {
    &T::LogtoDIP,         &T::SaveButton,        &T::PrintButton,       &T::FlyByButton,
    &T::ViewPixelsBtn,    &T::HistogramBtn,      &T::LinearBtn,         &T::PixelAlgebraButton,
    &T::FilterEditorBtn,  &T::ClassificationBtn, &T::LabelBtn,          &T::LabelObjectsBtn,
    &T::F_Save,           &T::F__Saveas,         &T::SaveNumbered1,     &T::FS_BMP,
    &T::FS_JPG,           &T::F_Print,           &T::IV_PixelValues,    &T::IZ_ZoomWindow,
    &T::IV_CMYScreen,     &T::IV_RGBScreen,      &T::IV_onlyBlue,       &T::IV_onlyGreen,
    &T::IV_onlyRed,       &T::PngInfo1,          &T::IH__Histogram,     &T::IL__Linear,
    &T::IP__PixelAlgebra, &T::IS__SpatialMatrix, &T::IU__Classification};

const Command ObjectMenus[] = {&T::X_LabelObjects, &T::X_ObjectorMM};

QMenu* T::*const ClassifyMenus[] = {&T::ClassifyMenu, &T::ExtrapolateMenu};

template <size_t N> void EnableGroup(const Command (&group)[N], bool enabled) {
    if (!VORNForm) return;
    for (Command c : group)
        if (QAction* action = VORNForm->*c) action->setEnabled(enabled);
}

} // namespace

void EnableImageCommands(bool enabled) {
    EnableGroup(ImageCommands, enabled);
}

void EnableObjectMenus(bool enabled) {
    EnableGroup(ObjectMenus, enabled);
}

void EnableClassifyMenus(bool enabled) {
    if (!VORNForm) return;
    for (auto m : ClassifyMenus)
        if (QMenu* menu = VORNForm->*m) menu->menuAction()->setEnabled(enabled);
}
