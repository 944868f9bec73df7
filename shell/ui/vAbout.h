// TAboutVorn, the about box: memory, system version and the program's build, with buttons to
// the help, a system-information program and the program-information window. Created, shown
// modally and freed by the main window's About button.
#pragma once

#include "shell/ui/vToolWindow.h"

#include <QStringList>

class QLabel;
class QPushButton;

class TAboutVorn : public TToolWindow {
    Q_OBJECT
  public:
    explicit TAboutVorn(QWidget* parent = nullptr);

    QLabel* PhysMem = nullptr;
    QLabel* FreeRes = nullptr;
    QLabel* WindowsVersion = nullptr;
    QLabel* BuildInfo = nullptr;
    QLabel* Comments = nullptr;
    QPushButton* HelpBtn = nullptr;
    QPushButton* SystemInformationBtn = nullptr;
    QPushButton* ProgramInformationBtn = nullptr;
    QPushButton* OKButton = nullptr;

    void HelpBtnClick();
    void SystemInformationBtnClick();
    void ProgramInformationBtnClick();
};

// Starts a program found on the search path in `folder`; false when there is none or it does not
// start.
bool ExecuteFile(const QString& file, const QStringList& parameters, const QString& folder);

// The desktop programs that stand in for a system-information tool, tried in this order.
extern const char* const SystemInformationPrograms[4];
