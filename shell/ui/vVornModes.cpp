// The image tool modes on Image1: press, move and release dispatched by the mode flags, the
// rubber band and the dragged mark painted over the picture on the view, the pixel readout; and
// the view commands that show the colour-separation screens or keep one channel.
#include "classify/ui/vClassifier.h"
#include "histogram/ui/vDistance.h"
#include "histogram/ui/vLProfile.h"
#include "histogram/ui/vLinear.h"
#include "histogram/vClassDisplay.h"
#include "shell/imaging/vPictureGeometry.h"
#include "shell/ui/vImageView.h"
#include "shell/ui/vMagniForm.h"
#include "shell/ui/vMarkPainter.h"
#include "shell/ui/vOMark.h"
#include "shell/ui/vUEnabler.h"
#include "shell/ui/vVCScreen.h"
#include "shell/ui/vVorn.h"
#include "shell/ui/vXAnnoLO.h"
#include "shell/vColorScreens.h"
#include "shell/vGlobal.h"
#include "shell/vPictureFiles.h"
#include "shell/vToolModes.h"

#include <QPainter>

namespace {

QPoint ToQPoint(ImagePoint p) {
    return {p.X, p.Y};
}

int LastX() {
    return DisplayedPicture.Width - 1;
}
int LastY() {
    return DisplayedPicture.Height - 1;
}

} // namespace

void TVORNForm::ConnectImageModes() {
    // The press, moves and release are the drag itself: their frame does not end it.
    connect(Image1, &TImageView::MouseDown, this,
            [this](int x, int y, Qt::MouseButton button, Qt::KeyboardModifiers) {
                RunGuardedOnPicture([&] { MultiImage1MouseDown(x, y, button); });
            });
    connect(Image1, &TImageView::MouseMove, this,
            [this](int x, int y, Qt::MouseButtons, Qt::KeyboardModifiers) {
                RunGuardedOnPicture([&] { MultiImage1MouseMove(x, y); });
            });
    connect(Image1, &TImageView::MouseUp, this,
            [this](int x, int y, Qt::MouseButton button, Qt::KeyboardModifiers) {
                RunGuardedOnPicture([&] { MultiImage1MouseUp(x, y, button); });
            });
    Image1->AddMarkPainter(this, [](QPainter& painter) {
        if (PixelBoxDragging || MeasureDragging || TrainingDragging) PaintRubberband(painter);
        if (ObjectMarkDragging) PaintRubberMark(painter);
    });
}

void TVORNForm::MultiImage1MouseDown(int x, int y, Qt::MouseButton button) {
    // A press while an operation runs never gets here (the guard refuses it): the picture is the
    // operation's to replace, and a drag begun now would outlive it.
    if (button != Qt::LeftButton || DisplayedPicture.Empty()) return;
    const ImagePoint p = ClampToPicture(x, y, LastX(), LastY());
    if (PixelValuesMode) {
        PlacePixelBox(p.X, p.Y, LastX(), LastY());
        PixelBoxDragging = true;
        Image1->setCursor(Qt::BlankCursor);
    } else if (LineProfileMode) {
        LineProfileDown = true;
        if (LineProfileForm) LineProfileForm->DoImageMouseDown(p.X, p.Y);
    } else if (ClassMethodCycleMode) {
        const char* name = SelectNextClassMethod();
        OperationScope scope;
        ShowClassesDisplay(ClassMethodIndex);
        // The caption names the method shown, not every method shown so far.
        setWindowTitle(QString::fromLatin1(
            (std::string(MainCaptionPrefix) + CurrentImageName + "  " + name).c_str()));
    } else if (RGBScreenMode || CMYScreenMode) {
        ShowNextRotateImage();
    } else if (ObjectMarkArmed) {
        if (!ObjectMarkDragging) {
            ObjectMarkDragging = true;
            RubberStart = RubberEnd = p;
        }
    } else if (MeasuredMode) {
        if (!MeasureDragging) {
            MeasureDragging = true;
            RubberStart = RubberEnd = p;
        }
    } else if (TrainingArmed && !TrainingDragging) {
        TrainingDragging = true;
        RubberStart = RubberEnd = p;
    }
    Image1->update();
}

void TVORNForm::MultiImage1MouseMove(int x, int y) {
    if (DisplayedPicture.Empty()) return;
    const ImagePoint p = ClampToPicture(x, y, LastX(), LastY());
    if (ZoomMode) {
        RubberStart = {MagnifierCorner(x, LastX(), MagnifierHalfSize),
                       MagnifierCorner(y, LastY(), MagnifierHalfSize)};
        if (MagniForm) MagniForm->ShowMagnifier(RubberStart.X, RubberStart.Y);
        PixelReadout(x, y);
    } else if (PixelBoxDragging) {
        PlacePixelBox(p.X, p.Y, LastX(), LastY());
    } else if (LineProfileDown) {
        // A profile drag is the line-profile tool's: no readout under it.
        if (LineProfileForm) LineProfileForm->DoImageMouseMove(p.X, p.Y);
    } else if (ObjectMarkDragging || MeasureDragging || TrainingDragging) {
        RubberEnd = p;
    } else {
        PixelReadout(x, y);
        return;
    }
    if (PixelBoxDragging || ObjectMarkDragging || MeasureDragging || TrainingDragging)
        Image1->update();
}

void TVORNForm::MultiImage1MouseUp(int x, int y, Qt::MouseButton button) {
    if (ZoomMode || button != Qt::LeftButton || DisplayedPicture.Empty()) return;
    // A pixel-box drag that a command ended places no box: the mode waits for a drag of its own.
    if (PixelValuesMode && !PixelBoxDragging) return;
    // A drag released outside the picture ends on its edge: the tools take the corners as
    // pixels of the picture.
    const ImagePoint p = ClampToPicture(x, y, LastX(), LastY());
    if (PixelValuesMode) {
        PixelBoxDragging = false;
        // The pointer was hidden for the drag only; left hidden, it would stay invisible over
        // the picture until the cursor pixel screen closes.
        Image1->unsetCursor();
        PixelValuesMode = false;
        SelectionBox = SelectionFromCorners(RubberStart, RubberEnd);
        // A screen still open from the last box shows the new one.
        if (ViewCursorScreen && ViewCursorScreen->isVisible()) ViewCursorScreen->FormShow();
        ShowLongLived(ViewCursorScreen);
    } else if (MeasureDragging) {
        RubberEnd = p;
        MeasureDragging = MeasuredMode = false;
        MeasuredPixelDistance = MeasuredDistance(RubberStart, RubberEnd);
        // The rubber line goes before the dialog opens over the picture.
        Image1->update();
        MeasuredFromDialog();
    } else if (LineProfileDown) {
        LineProfileDown = false;
        if (LineProfileForm) LineProfileForm->DoImageMouseUp(p.X, p.Y);
    } else if (SnakeMode) {
        SnakeMode = false;
        const uint32_t px = DisplayedPicture.At(p.X, p.Y);
        if (LinearForm)
            LinearForm->SetEdgeFollowFromColor(
                p.X, p.Y, PixelRed(px) | (PixelGreen(px) << 8) | (PixelBlue(px) << 16));
    } else if (LabelPlaceArmed) {
        LabelPlaceArmed = false;
        if (LabelObjectsForm) LabelObjectsForm->MousePlaced(p.X, p.Y);
    } else if (ObjectMarkDragging) {
        RubberEnd = p;
        ObjectMarkDragging = ObjectMarkArmed = false;
        // The mark goes into the picture only with its entry in the window's list.
        if (ObjectMarkForm) {
            ObjectMarkForm->MarkPlaced(RubberStart, RubberEnd);
            DrawRubberMark();
        }
    } else if (TrainingDragging) {
        RubberEnd = p;
        TrainingDragging = TrainingArmed = false;
        SelectionBox = SelectionFromCorners(RubberStart, RubberEnd);
        if (ClassificationForm) ClassificationForm->TrainSiteFromRect();
    }
    Image1->update();
}

void TVORNForm::PixelReadout(int x, int y) {
    // Outside the picture there is no pixel to read.
    if (x < 0 || y < 0 || x > LastX() || y > LastY()) return;
    SetPanelText(1, QString::fromStdString(PixelReadoutText(x, y, DisplayedPicture.At(x, y))));
}

void TVORNForm::PaintRubberband(QPainter& painter) {
    const QPoint corners[5] = {ToQPoint(RubberStart),
                               {RubberStart.X, RubberEnd.Y},
                               ToQPoint(RubberEnd),
                               {RubberEnd.X, RubberStart.Y},
                               ToQPoint(RubberStart)};
    painter.drawPolyline(corners, 5);
}

void TVORNForm::PaintRubberMark(QPainter& painter) {
    // The same drawing as the object-mark window's, so that the mark placed by a drag is the
    // one its list draws again.
    const RubberMarkLook& mark = CurrentMarkLook;
    PaintObjectMark(painter, {mark.Filled, mark.Kind, RubberStart.X, RubberEnd.X, RubberStart.Y,
                              RubberEnd.Y, mark.LineColor, mark.FillColor});
}

void TVORNForm::DrawRubberMark() {
    QImage picture = TImageView::PictureImage();
    if (picture.isNull()) return;
    QPainter painter(&picture);
    PaintRubberMark(painter);
    painter.end();
    Image1->update();
}

void TVORNForm::ModeWindowClosing(QObject* window) {
    if (!window) return;
    if (window == MagniForm.data()) {
        IZ_ZoomWindow->setChecked(false);
        ZoomMode = false;
        Image1->unsetCursor();
    } else if (window == ViewCursorScreen.data()) {
        IV_PixelValuesUnClick();
    }
}

void TVORNForm::IV_CMYScreenClick() {
    ToggleColorScreens(CMYScreenMode, IV_CMYScreen);
}

void TVORNForm::IV_RGBScreenClick() {
    ToggleColorScreens(RGBScreenMode, IV_RGBScreen);
}

void TVORNForm::ToggleColorScreens(bool& mode, QAction* item) {
    OperationScope scope;
    if (!scope.Acquired()) return;
    mode = !mode;
    if (!mode) {
        EndColorScreens(mode, item);
        return;
    }
    item->setChecked(true);
    LoadRotateImages();
    if (!RotateImagesReady) {
        ShowMessageNumber(40000);
        FreeRotateImages();
        mode = false;
        EnableImageCommands(true);
        EnableClassifyMenus(true);
        item->setChecked(mode);
        return;
    }
    EnableImageCommands(false);
    EnableClassifyMenus(false);
    item->setEnabled(true);
    item->setChecked(true);
    ShowNextRotateImage();
    UndoCopyHeld = true;
    // A press shows the next screen: another tool's mode armed now would take it too. The screens
    // end as every mode that holds the undo copy ends.
    ArmToolMode(mode, ReleaseUndoCopy);
}

void TVORNForm::EndColorScreens(bool& mode, QAction* item) {
    mode = false;
    UndoCopyHeld = false;
    FreeRotateImages();
    EnableImageCommands(true);
    EnableClassifyMenus(true);
    item->setChecked(mode);
}

void TVORNForm::EndUndoHoldingMode() {
    if (RGBScreenMode) EndColorScreens(RGBScreenMode, IV_RGBScreen);
    if (CMYScreenMode) EndColorScreens(CMYScreenMode, IV_CMYScreen);
    if (ClassMethodCycleMode) {
        ClassMethodCycleMode = false;
        ShowImageName();
        UndoImage();
        EnableImageCommands(true);
        EnableClassifyMenus(true);
    }
    UndoCopyHeld = false;
}

void TVORNForm::KeepOneChannelClick(int channel) {
    OperationScope scope;
    if (!scope.Acquired()) return;
    KeepOneChannel(channel);
}

void TVORNForm::IV_onlyBlueClick() {
    KeepOneChannelClick(3);
}

void TVORNForm::IV_onlyGreenClick() {
    KeepOneChannelClick(2);
}

void TVORNForm::IV_onlyRedClick() {
    KeepOneChannelClick(1);
}
