#include "shell/ui/vToolWindow.h"

#include "shell/ui/vHelp.h"
#include "shell/ui/vScreenPlace.h"
#include "shell/ui/vVorn.h"
#include "shell/vGlobal.h"
#include "shell/vToolForms.h"

#include <QCloseEvent>
#include <QShowEvent>

TToolWindow::TToolWindow(const QString& caption, const QString& formName, int positionPair,
                         int freeCode, QWidget* parent)
    : QDialog(parent, Qt::Window), PositionPair(positionPair), FreeCode(freeCode) {
    setObjectName(formName);
    setWindowTitle(caption);
    SetHelpContext(this, WindowHelpContext(formName));
    if (PositionPair >= 0 && PositionPair < FormPositionCount)
        MoveToStoredPlace(*this, FormPositions[PositionPair].Left, FormPositions[PositionPair].Top);
}

void TToolWindow::reject() {
    close();
}

void TToolWindow::FormClose() {
    if (PositionPair >= 0 && PositionPair < FormPositionCount) {
        FormPositions[PositionPair] = {x(), y()};
        SaveOptions();
    }
    if (FreeCode != tfNone) {
        FormToFree = FreeCode;
        if (VORNForm) VORNForm->FreeForm();
    }
}

void TToolWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    KeepOnScreen(*this);
    Guarded([this] { FormOpen(); });
}

void TToolWindow::closeEvent(QCloseEvent* event) {
    Guarded([this] { FormClose(); });
    event->accept();
}
