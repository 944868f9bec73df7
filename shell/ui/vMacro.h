// TMacroForm, the macro window: records, edits, loads, saves, prints and plays macros. Lives for
// the whole run.
#pragma once

#include "shell/ui/vToolWindow.h"

#include <QPointer>

class TMacroForm : public TToolWindow {
    Q_OBJECT
  public:
    explicit TMacroForm(QWidget* parent = nullptr);
};

extern QPointer<TMacroForm> MacroForm;
