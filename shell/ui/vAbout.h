// TAboutVorn, the about box: memory, system version and the program's build, with buttons to
// the help, a system-information program and the program-information window. Created, shown
// modally and freed by the main window's About button.
#pragma once

#include "shell/ui/vToolWindow.h"

class QLabel;
class QPixmap;
class QPushButton;
class QToolButton;

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
    // Links out of the box, opened by the desktop's default program: the emblem opens the user
    // guide, the page picture the read-me, the button the guide's first steps.
    QToolButton* LogoImage = nullptr;
    QToolButton* ReadMeImage = nullptr;
    QPushButton* GettingStartedBtn = nullptr;

    void HelpBtnClick();
    void SystemInformationBtnClick();
    void ProgramInformationBtnClick();
    void LogoImageClick();
    void ReadMeImageClick();
    void GettingStartedBtnClick();

  private:
    // A picture that is a link: flat until the mouse is over it.
    QToolButton* LinkPicture(const char* name, const QPixmap& picture, const char* hint);
};

// The desktop programs that stand in for a system-information tool, tried in this order.
extern const char* const SystemInformationPrograms[4];
