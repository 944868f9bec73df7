// Ties the import window's controls to the header pages: a user's edit goes into the pages at
// once, and Show puts every value of the pages back into its control, so a control never holds
// a value the pages do not have.
#pragma once

#include "import/vHeaderPages.h"

#include <QObject>
#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;
class QTimer;

class THeaderBinder : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

    void BindText(QLineEdit* edit, std::string* value);
    // A check box kept as "true" or "false" text.
    void BindFlag(QCheckBox* box, std::string* value);
    void BindBool(QCheckBox* box, bool* value);
    // A combo box or spin box of an index line of the DIH page.
    void BindIndex(QComboBox* box, DIHField f);
    void BindIndex(QSpinBox* box, DIHField f);
    void BindList(QPlainTextEdit* memo, std::vector<std::string>* lines);

    void Show();

  private:
    // False for an edit the pages must not take now; the controls are shown again later.
    bool Writes();

    std::vector<std::function<void()>> Shows;
    QTimer* PendingShow = nullptr;
    bool Showing = false;
};

// Latin-1 both ways: header text is bytes.
QString Latin1(const std::string& s);
std::string Bytes(const QString& s);
// The memo's lines as the pages keep them: an empty box has none.
std::vector<std::string> MemoLines(const QString& text);
QString MemoText(const std::vector<std::string>& lines);
