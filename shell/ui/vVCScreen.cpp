#include "shell/ui/vVCScreen.h"

#include "shell/vGlobal.h"
#include "shell/vToolForms.h"

QPointer<TViewCursorScreen> ViewCursorScreen;

TViewCursorScreen::TViewCursorScreen(QWidget* parent)
    : TToolWindow("View Cursor Screen: Red, Green, Blue Pixel Values", "ViewCursorScreen",
                  fpViewCursorScreen, tfNone, parent) {}
