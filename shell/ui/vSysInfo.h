// TSystemInfoForm, "Program Information": the owner, the system, processor, memory, a chosen
// drive, the program's heap, the screen and the mouse, each in a read-only edit box.
#pragma once

#include "shell/ui/vToolWindow.h"

#include <QPointer>
#include <array>
#include <string>

class QComboBox;
class QLineEdit;
class QPushButton;

class TSystemInfoForm : public TToolWindow {
    Q_OBJECT
  public:
    explicit TSystemInfoForm(QWidget* parent = nullptr);

    static constexpr int EditCount = 32;
    // Edit1 ... Edit32.
    QLineEdit* Edit(int number) const { return Edits[static_cast<size_t>(number - 1)]; }
    QComboBox* SIDDCBox = nullptr;
    QPushButton* SIHelpBtn = nullptr;
    QPushButton* SICloseBtn = nullptr;
    QPushButton* SIReLoadBtn = nullptr;
    QPushButton* SIDDReloadBtn = nullptr;

    void LoadEdits();
    static bool HasCoProcesser();
    static std::string ShowDriveType(const std::string& root);

    void SIReLoadBtnClick();
    void SIHelpBtnClick();
    void SICloseBtnClick();

  protected:
    void FormOpen() override;

  private:
    std::array<QLineEdit*, EditCount> Edits{};
};

extern QPointer<TSystemInfoForm> SystemInfoForm;
