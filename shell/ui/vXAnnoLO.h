// TLabelObjectsForm, the label window: text labels written onto the displayed image at a clicked
// or typed place, level or rotated, on their background colour or transparent, kept in
// TextLabels and saved to and loaded from a label file. Every label takes the window's font and
// text colour. Created on demand; freed after its close.
#pragma once

#include "shell/ui/vMarkPainter.h"
#include "shell/ui/vToolWindow.h"

#include <QPointer>
#include <QString>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class TColorGrid;

class TLabelObjectsForm : public TToolWindow {
    Q_OBJECT
  public:
    explicit TLabelObjectsForm(QWidget* parent = nullptr);

    QLineEdit* LOTEdit = nullptr;
    TColorGrid* ColorGrid1 = nullptr;
    QPushButton* LOFontBtn = nullptr;
    QLineEdit* LOXEdit = nullptr;
    QLineEdit* LOYEdit = nullptr;
    QCheckBox* MousedLocationCB = nullptr;
    QLineEdit* LORAEdit = nullptr;
    QSpinBox* UpDown2 = nullptr;
    QLabel* Label2 = nullptr;
    QCheckBox* RotatedCB = nullptr;
    QCheckBox* TransparentTextCB = nullptr;
    QSpinBox* UpDown1 = nullptr;
    QLineEdit* CurrentListEdit = nullptr;
    QPushButton* Add1ListBtn = nullptr;
    QPushButton* Delete1ListBtn = nullptr;
    QPushButton* PlaceBtn = nullptr;
    QPushButton* OverlayListBtn = nullptr;
    QPushButton* MakeBtn = nullptr;
    QPushButton* ClearAllBtn = nullptr;
    QPushButton* LoadListBtn = nullptr;
    QPushButton* SaveListBtn = nullptr;
    QPushButton* HelpBtn = nullptr;
    QPushButton* CloseBtn = nullptr;

    // The label font and text colour, as LOTEdit shows them.
    LabelLook Look() const;
    void SetTextColor(uint32_t color);
    void SetBackColor(uint32_t color);

    void ShowData(int32_t index);
    // The controls into record `index`: the text cut to 250 characters, then the numbers (a bad
    // one stops with the conversion error), the flags and the background colour.
    void GetData(int32_t index);
    // The current label, from the controls, at (x, y), drawn.
    void PlaceLabel(int32_t x, int32_t y);
    void PlaceThisLabel(int32_t index);
    void PaintAll();
    void SelectRotation();
    // The angle arrows and their label at `angle` without a rotation step.
    void ShowArrowsAt(int32_t angle);
    void SetListPosition(int32_t position);
    // A release on the picture while LabelPlaceArmed: the place goes into the edits and the
    // label is placed there.
    void MousePlaced(int32_t x, int32_t y);

    void ColorGrid1Click(int index, Qt::MouseButton button);
    void LOFontBtnClick();
    bool UpDown1Changing(int32_t position);
    void Add1ListBtnClick();
    void Delete1ListBtnClick();
    void PlaceBtnClick();
    void OverlayListBtnClick();
    void MakeBtnClick();
    void ClearAllBtnClick();
    void LoadListBtnClick();
    void SaveListBtnClick();
    void HelpBtnClick();

  private:
    void BuildControls();
    uint32_t TextColor = 0;
    uint32_t BackColor = 0xFFFFFF;
    // The last text the user was told the label cannot keep whole: told once, not at every
    // change of the same label.
    QString LostTextTold;
};

// Said when a label's text holds characters the label file cannot keep: one byte a character.
inline constexpr const char* LabelTextNotKept =
    "The label text holds characters the label file cannot keep; they are drawn and saved as "
    "\"?\".";

extern QPointer<TLabelObjectsForm> LabelObjectsForm;

// The look labels are drawn with: the label window's, or the window's first look when it is not
// open (the print layout draws labels also then).
LabelLook CurrentLabelLook();
