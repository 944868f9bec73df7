// Small builders the band-processing window's pages share: named controls (tests and the help
// reach them by their names), radio groups with their items numbered from 0, and the text of an
// edit box as the engines take it.
#pragma once

#include <QString>

#include <functional>
#include <initializer_list>
#include <string>

class QButtonGroup;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class TDisProcessForm;

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
// The DIS button that opens a page, with the box that shows the chosen DIS's name.
QWidget* KitDISRow(QWidget* page, TDisProcessForm* form, QPushButton*& button, const char* name,
                   const char* caption, QLineEdit*& edit, const char* editName);
// A band button: fills band slot `slot` and `edit` (TDisProcessForm::ChooseBandFile); `chosen`
// then runs with the chosen path.
void KitBandButton(TDisProcessForm* form, QPushButton* button, int slot, QLineEdit* edit,
                   bool setDirectory, std::function<void(const std::string&)> chosen = {});
