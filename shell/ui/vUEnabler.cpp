#include "shell/ui/vUEnabler.h"

#include "shell/ui/vVorn.h"

#include <QAction>
#include <QMenu>

namespace {

using Command = QAction* TVORNForm::*;

const Command ImageCommands[] = {
    &TVORNForm::LogtoDIP,          &TVORNForm::SaveButton,         &TVORNForm::PrintButton,
    &TVORNForm::FlyByButton,       &TVORNForm::ViewPixelsBtn,      &TVORNForm::HistogramBtn,
    &TVORNForm::LinearBtn,         &TVORNForm::PixelAlgebraButton, &TVORNForm::FilterEditorBtn,
    &TVORNForm::ClassificationBtn, &TVORNForm::LabelBtn,           &TVORNForm::LabelObjectsBtn,
    &TVORNForm::F_Save,            &TVORNForm::F__Saveas,          &TVORNForm::SaveNumbered1,
    &TVORNForm::FS_BMP,            &TVORNForm::FS_JPG,             &TVORNForm::F_Print,
    &TVORNForm::IV_PixelValues,    &TVORNForm::IZ_ZoomWindow,      &TVORNForm::IV_CMYScreen,
    &TVORNForm::IV_RGBScreen,      &TVORNForm::IV_onlyBlue,        &TVORNForm::IV_onlyGreen,
    &TVORNForm::IV_onlyRed,        &TVORNForm::PngInfo1,           &TVORNForm::IH__Histogram,
    &TVORNForm::IL__Linear,        &TVORNForm::IP__PixelAlgebra,   &TVORNForm::IS__SpatialMatrix,
    &TVORNForm::IU__Classification,
};

const Command ObjectMenus[] = {&TVORNForm::X_LabelObjects, &TVORNForm::X_ObjectorMM};

QMenu* TVORNForm::* const ClassifyMenus[] = {&TVORNForm::ClassifyMenu,
                                             &TVORNForm::ExtrapolateMenu};

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
