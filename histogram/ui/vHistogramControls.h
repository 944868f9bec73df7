// The small control makers the histogram window's page files share, and the way its plots go
// from a picture to the screen.
#pragma once

#include "shell/vPicture.h"

#include <QString>

#include <initializer_list>
#include <utility>

class QButtonGroup;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace histogram_ui {

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& caption);
// A label that shows a value, named after the value.
QLabel* MakeValueLabel(QWidget* parent, const QString& name);
QLineEdit* MakeEdit(QWidget* parent, const QString& name, int width = 48);
// A framed group of radio buttons with ids 0, 1, ... in item order; the first is checked.
QButtonGroup* MakeRadioGroup(QWidget* parent, const QString& name, const QString& caption,
                             std::initializer_list<const char*> items, QGridLayout* into, int row,
                             int column, int columns = 1);
// Each control with its caption before it, `perRow` of them to a row of the grid; returns the
// number of rows taken.
int AddCaptionedRows(QGridLayout* grid, QWidget* parent,
                     std::initializer_list<std::pair<const char*, QWidget*>> rows, int perRow = 1);
// A label that shows a plot of a fixed size.
QLabel* MakePlotView(QWidget* parent, const QString& name, int width, int height);
// A help button that opens the help file at `topic`.
QPushButton* MakeHelpButton(QWidget* parent, const QString& name, int topic,
                            const QString& caption = "Help");

// A picture of the view's size, black.
Picture BlankPictureFor(const QLabel* view);
// Writes `text` at the top left of the picture.
void WriteTopLeft(Picture& picture, const QString& text);
void ShowPicture(QLabel* view, const Picture& picture);
// The selected item of a radio group, -1 for none; and selecting one.
int ItemIndex(const QButtonGroup* group);
void SetItemIndex(QButtonGroup* group, int index);

} // namespace histogram_ui
