// Controls the object-mark and label windows share: the sixteen-colour grid, the colour panels,
// whole numbers read from edits, and the list commands both windows run the same way over their
// own list and record type.
#pragma once

#include "shell/vGlobal.h"
#include "shell/vMarkLists.h"

#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QWidget>

#include <functional>
#include <string>

class QFont;
class QPainter;

template <typename T> T* Named(T* widget, const char* name) {
    widget->setObjectName(name);
    return widget;
}

// A 4 x 4 grid of the mark palette. The foreground cell is framed in black, the background cell
// in white; a click reports the cell and the button.
class TColorGrid : public QWidget {
    Q_OBJECT
  public:
    explicit TColorGrid(const QString& name, QWidget* parent = nullptr);
    int ForegroundIndex = 0;
    int BackgroundIndex = -1;
    void SetForegroundIndex(int index);
    void SetBackgroundIndex(int index);
    QSize sizeHint() const override;
    static constexpr int Cell = 18;

  signals:
    void CellClicked(int index, Qt::MouseButton button);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

// A panel that shows one colour value.
QLabel* MakeColorPanel(const QString& name, QWidget* parent);
void SetPanelColor(QLabel* panel, uint32_t color);
uint32_t PanelColor(const QLabel* panel);

// The edit's text as a 32-bit whole number; anything else raises the run time's conversion error.
int32_t EditInteger(const QLineEdit* edit);
void SetEditInteger(QLineEdit* edit, int64_t value);

// The list commands, for a window with ShowData(index), GetData(index) and UpDown1.
template <typename Form, typename Record> void ListAdd(Form& form, MarkList<Record>& list) {
    form.GetData(list.Current);
    const Record controls = list.CurrentItem();
    list.Add(controls);
    form.ShowData(list.Current);
    form.SetListPosition(list.Current);
}

template <typename Form, typename Record> void ListDelete(Form& form, MarkList<Record>& list) {
    if (!list.Delete()) return;
    form.ShowData(list.Current);
    form.SetListPosition(list.Current);
}

// UpDown1 moved to `position`: refused outside 0 to Last, else the controls are stored into the
// current entry and the new one is shown. False when refused.
template <typename Form, typename Record>
bool ListMoveTo(Form& form, MarkList<Record>& list, int32_t position) {
    if (!list.CanMoveTo(position)) return false;
    form.GetData(list.Current);
    list.Current = position;
    form.ShowData(list.Current);
    return true;
}

// The open and save dialogs propose the picture's name with the list's extension.
FileDialogRequest ListFileRequest(bool save, const std::string& filter, const std::string& ext);

template <typename Form, typename Record>
void ListLoad(Form& form, MarkList<Record>& list, std::string& fileName, const std::string& filter,
              const std::string& ext, std::vector<Record> (*read)(const std::string&)) {
    FileDialogRequest request = ListFileRequest(false, filter, ext);
    const std::string chosen = HookChooseFile(request);
    if (chosen.empty()) return;
    fileName = chosen;
    list.Assign(read(chosen));
    form.ShowData(list.Current);
    form.SetListPosition(list.Current);
}

template <typename Record>
void ListSave(const MarkList<Record>& list, std::string& fileName, const std::string& filter,
              const std::string& ext,
              void (*write)(const std::string&, const MarkList<Record>&, const TReplaceLeave&)) {
    FileDialogRequest request = ListFileRequest(true, filter, ext);
    const std::string chosen = HookChooseFile(request);
    if (chosen.empty()) return;
    fileName = chosen;
    write(chosen, list, TReplaceLeave::Chosen(chosen));
}

// "Make Undoable" / "Enable Undo" and "Undo": the undo copy taken and shown again, refused while
// an operation runs (its copy is not ours to replace). TakeUndoCopy is true when the copy was
// taken.
bool TakeUndoCopy();
bool RestoreUndoCopy();

// Draws onto the displayed picture itself and shows it again; nothing without a picture.
void DrawOnPicture(const std::function<void(QPainter&)>& draw);

// The font dialog started from `font` (and `color`); both take the choice when confirmed.
bool ChooseFontFor(QFont& font, uint32_t& color);
// A font as the font dialog's hook carries it, and back: the whole face, not only its family.
FontChoice ChoiceOfFont(const QFont& font);
QFont FontOfChoice(const FontChoice& choice);
