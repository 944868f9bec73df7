// Small builders the band-processing window's pages share: named controls (tests and the help
// reach them by their names), radio groups with their items numbered from 0, and the text of an
// edit box as the engines take it.
#pragma once

#include <QString>

#include <initializer_list>
#include <string>

class QButtonGroup;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

QLineEdit* KitEdit(QWidget* parent, const char* name, const QString& text = {});
QPushButton* KitButton(QWidget* parent, const char* name, const QString& caption);
QLabel* KitLabel(QWidget* parent, const char* name, const QString& text = {});
// A group box captioned `caption` of radio buttons, ids 0.. in item order, `initial` checked.
QButtonGroup* KitRadioGroup(QWidget* parent, const char* name, const QString& caption,
                            std::initializer_list<const char*> items, int initial, int columns = 1);
// The group box of a radio group, to place it.
QWidget* KitGroupBox(QButtonGroup* group);
std::string TextOf(const QLineEdit* edit);
void SetText(QLineEdit* edit, const std::string& text);
// Places `caption` and `widget` as the next row of a two-column grid.
void KitRow(QGridLayout* grid, int& row, const QString& caption, QWidget* widget);
