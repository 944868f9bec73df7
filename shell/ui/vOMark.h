// TObjectMarkForm, the object-marking window: points, lines, circles and boxes over the displayed
// image, placed by typed corners or by a drag on the picture, kept in ObjectMarks, drawn onto
// the picture, saved to and loaded from an object file. Created on demand; freed after its close.
#pragma once

#include "shell/ui/vToolWindow.h"
#include "shell/vMarkLists.h"
#include "shell/vToolModes.h"

#include <QPointer>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class TColorGrid;

class TObjectMarkForm : public TToolWindow {
    Q_OBJECT
  public:
    explicit TObjectMarkForm(QWidget* parent = nullptr);

    QButtonGroup* ObjectRG = nullptr; // ids 0 point, 1 line, 2 circle, 3 box
    QLineEdit* LOX1Edit = nullptr;
    QLineEdit* LOX2Edit = nullptr;
    QLineEdit* LOY1Edit = nullptr;
    QLineEdit* LOY2Edit = nullptr;
    QCheckBox* FillCB = nullptr;
    TColorGrid* LineColorGrid = nullptr;
    QLabel* LineColorPanel = nullptr;
    TColorGrid* SolidColorGrid = nullptr;
    QLabel* FillPanel = nullptr;
    QCheckBox* MousedLocationCB = nullptr;
    QSpinBox* UpDown1 = nullptr;
    QLineEdit* CurrentListEdit = nullptr;
    QLabel* Label5 = nullptr;
    QPushButton* Add1toListBtn = nullptr;
    QPushButton* Delete1ListBtn = nullptr;
    QPushButton* PlaceItBtn = nullptr;
    QPushButton* OverlayListBtn = nullptr;
    QPushButton* MakeBtn = nullptr;
    QPushButton* ClearAllBtn = nullptr;
    QPushButton* LoadListBtn = nullptr;
    QPushButton* SaveListBtn = nullptr;
    QPushButton* HelpBtn = nullptr;
    QPushButton* ExitButton = nullptr;

    // Record `index` into the controls, and the controls into it (fields in order; a coordinate
    // that is not a whole number stops with the conversion error, the fields before it stored).
    void ShowData(int32_t index);
    void GetData(int32_t index);
    // Marks 0 to last onto the displayed picture.
    void PaintAll();
    // UpDown1 shows `position` without running its handler.
    void SetListPosition(int32_t position);
    // A drag on the picture ended: its corners go into the edits.
    void MarkPlaced(ImagePoint start, ImagePoint end);

    void LineColorGridClick(int index);
    void SolidColorGridClick(int index);
    // UpDown1 asked to move to `position`; false when refused.
    bool UpDown1Changing(int32_t position);
    void Add1toListBtnClick();
    void Delete1ListBtnClick();
    void PlaceItBtnClick();
    void OverlayListBtnClick();
    void MakeBtnClick();
    void ClearAllBtnClick();
    void LoadListBtnClick();
    void SaveListBtnClick();
    void HelpBtnClick();

  private:
    void BuildControls();
};

extern QPointer<TObjectMarkForm> ObjectMarkForm;
