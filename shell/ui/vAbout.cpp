#include "shell/ui/vAbout.h"

#include "platform/PlSystemInfo.h"
#include "platform/ui/PlDesktop.h"
#include "runtime/RtFiles.h"
#include "shell/ui/AllSplash.h"
#include "shell/ui/vHelp.h"
#include "shell/ui/vVorn.h"
#include "shell/vGlobal.h"
#include "shell/vToolForms.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

const char* const SystemInformationPrograms[4] = {"hardinfo", "gnome-system-monitor",
                                                  "plasma-systemmonitor", "xfce4-taskmanager"};

TAboutVorn::TAboutVorn(QWidget* parent)
    : TToolWindow(" About VORN KEEL", "AboutVorn", fpAbout, tfNone, parent) {
    auto* title = new QLabel("VORN KEEL", this);
    QFont font = title->font();
    font.setPointSize(18);
    font.setBold(true);
    title->setFont(font);
    PhysMem = new QLabel(this);
    FreeRes = new QLabel(this);
    WindowsVersion = new QLabel(this);
    BuildInfo = new QLabel(this);
    Comments = new QLabel("An image-processing workstation for geographic raster images", this);
    Comments->setWordWrap(true);
    PhysMem->setObjectName("PhysMem");
    FreeRes->setObjectName("FreeRes");
    WindowsVersion->setObjectName("WindowsVersion");
    BuildInfo->setObjectName("BuildInfo");
    Comments->setObjectName("Comments");

    LogoImage = LinkPicture("LogoImage", SplashPicture(96, 48), "The user guide");
    ReadMeImage = LinkPicture("ReadMeImage",
                              style()->standardIcon(QStyle::SP_FileDialogInfoView).pixmap(32, 32),
                              "Read me: installing, building and running the program");
    GettingStartedBtn = new QPushButton("Getting Started...", this);
    GettingStartedBtn->setObjectName("GettingStartedBtn");
    GettingStartedBtn->setToolTip("A first session, step by step, in the user guide");

    auto* facts = new QGridLayout;
    facts->addWidget(new QLabel("Windows Memory :", this), 0, 0);
    facts->addWidget(PhysMem, 0, 1);
    facts->addWidget(new QLabel("Memory in Use:", this), 1, 0);
    facts->addWidget(FreeRes, 1, 1);
    facts->addWidget(new QLabel("Windows Version:", this), 2, 0);
    facts->addWidget(WindowsVersion, 2, 1);

    HelpBtn = new QPushButton("Help", this);
    SystemInformationBtn = new QPushButton("System Info...", this);
    ProgramInformationBtn = new QPushButton("Program Info...", this);
    OKButton = new QPushButton("OK", this);
    HelpBtn->setObjectName("HelpBtn");
    SystemInformationBtn->setObjectName("SystemInformationBtn");
    ProgramInformationBtn->setObjectName("ProgramInformationBtn");
    OKButton->setObjectName("OKButton");
    OKButton->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(HelpBtn);
    buttons->addWidget(SystemInformationBtn);
    buttons->addWidget(ProgramInformationBtn);
    buttons->addWidget(GettingStartedBtn);
    buttons->addStretch(1);
    buttons->addWidget(OKButton);

    auto* heading = new QHBoxLayout;
    heading->addWidget(LogoImage);
    heading->addWidget(title, 1);
    auto* about = new QHBoxLayout;
    about->addWidget(Comments, 1);
    about->addWidget(ReadMeImage);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(heading);
    layout->addWidget(BuildInfo);
    layout->addLayout(about);
    layout->addLayout(facts);
    layout->addLayout(buttons);

    ConnectHelp(HelpBtn, [this] { HelpBtnClick(); });
    connect(SystemInformationBtn, &QPushButton::clicked, this,
            [this] { Guarded([this] { SystemInformationBtnClick(); }); });
    connect(ProgramInformationBtn, &QPushButton::clicked, this,
            [this] { Guarded([this] { ProgramInformationBtnClick(); }); });
    connect(OKButton, &QPushButton::clicked, this, &TAboutVorn::close);
    connect(LogoImage, &QToolButton::clicked, this,
            [this] { Guarded([this] { LogoImageClick(); }); });
    connect(ReadMeImage, &QToolButton::clicked, this,
            [this] { Guarded([this] { ReadMeImageClick(); }); });
    connect(GettingStartedBtn, &QPushButton::clicked, this,
            [this] { Guarded([this] { GettingStartedBtnClick(); }); });

    Guarded([this] {
        const MemoryStatus m = ReadMemoryStatus();
        PhysMem->setText(QString::fromLatin1(ThousandsText(m.TotalPhys / 1024)) + " KB");
        FreeRes->setText(QString("%1 %").arg(m.MemoryLoad));
        WindowsVersion->setText(QString::fromLatin1(SystemVersionText(ReadSystemVersion())));
        BuildInfo->setText(QString::fromLatin1(GetBuildInfoString(ProgramVersion)));
    });
}

void TAboutVorn::HelpBtnClick() {
    if (VORNForm) VORNForm->ShowHelpContext(222);
}

QToolButton* TAboutVorn::LinkPicture(const char* name, const QPixmap& picture, const char* hint) {
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setIcon(picture);
    button->setIconSize(picture.size());
    button->setAutoRaise(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setToolTip(hint);
    return button;
}

// The user guide and the read-me are shipped beside the program, where the guide is.
void TAboutVorn::LogoImageClick() {
    if (VORNForm) VORNForm->ShowHelpContext(0);
}

void TAboutVorn::ReadMeImageClick() {
    if (VORNForm) OpenDocumentAt(ExtractFilePath(VORNForm->HelpFile) + ReadMeFileName, {});
}

void TAboutVorn::GettingStartedBtnClick() {
    if (VORNForm) OpenDocumentAt(VORNForm->HelpFile, GettingStartedAnchor);
}

void TAboutVorn::SystemInformationBtnClick() {
    for (const char* program : SystemInformationPrograms)
        if (ExecuteFile(program, {}, {})) return;
    HookShowMessage(MsgKind::Information, "Cannot locate a system information program", MessageX,
                    MessageY);
}

void TAboutVorn::ProgramInformationBtnClick() {
    if (VORNForm) VORNForm->ShowToolForm(tfSystemInfo);
}
