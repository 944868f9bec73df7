#include "shell/ui/vSysInfo.h"

#include "platform/PlSystemInfo.h"
#include "shell/ui/aclass5.h"
#include "shell/ui/vHelp.h"
#include "shell/ui/vVorn.h"
#include "shell/vGlobal.h"
#include "shell/vToolForms.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QInputDevice>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

QPointer<TSystemInfoForm> SystemInfoForm;

namespace {

struct EditPlace {
    int Number;
    const char* Label;
};

struct EditGroup {
    const char* Title;
    std::initializer_list<EditPlace> Edits;
};

// The window's layout: which edit goes in which box, under which label.
const EditGroup EditGroups[] = {
    {"System",
     {{1, "Registered owner"},
      {2, "Organisation"},
      {3, "System version"},
      {4, "Processor"},
      {5, "Processors"},
      {26, "Floating point"},
      {24, "Screen width"},
      {32, "Screen height"},
      {25, "Bits per pixel"},
      {29, "Mouse"},
      {30, "Machine"}}},
    {"Memory",
     {{6, "Status record size"},
      {7, "Memory in use (%)"},
      {8, "Total physical"},
      {9, "Available physical"},
      {10, "Total page file"},
      {11, "Available page file"},
      {12, "Total virtual"},
      {23, "Available virtual"}}},
    {"Heap",
     {{13, "Total address space"},
      {14, "Total uncommitted"},
      {15, "Total committed"},
      {16, "Total allocated"},
      {17, "Total free"},
      {18, "Free small"},
      {19, "Free big"},
      {20, "Unused"},
      {21, "Overhead"},
      {22, "Heap error code"}}},
    {"Drive", {{31, "Drive kind"}, {27, "Size"}, {28, "Free"}}},
};

QString Number(uint64_t v) {
    return QString::number(v);
}

bool MousePresent() {
    for (const QInputDevice* device : QInputDevice::devices())
        if (device->type() == QInputDevice::DeviceType::Mouse ||
            device->type() == QInputDevice::DeviceType::TouchPad)
            return true;
    return false;
}

} // namespace

TSystemInfoForm::TSystemInfoForm(QWidget* parent)
    : TToolWindow("Program Information", "SystemInfoForm", fpSystemInfo, tfSystemInfo, parent) {
    // Two rows of two groups: one row of four is wider than a 1280-pixel screen, and without a
    // window manager nothing brings its right-hand part into reach.
    auto* groups = new QGridLayout;
    QFormLayout* driveForm = nullptr;
    int placed = 0;
    for (const EditGroup& group : EditGroups) {
        auto* box = new QGroupBox(QString::fromLatin1(group.Title), this);
        auto* form = new QFormLayout(box);
        for (const EditPlace& place : group.Edits) {
            auto* edit = new QLineEdit(box);
            edit->setObjectName(QString("Edit%1").arg(place.Number));
            edit->setReadOnly(true);
            edit->setMinimumWidth(160);
            Edits[static_cast<size_t>(place.Number - 1)] = edit;
            form->addRow(QString::fromLatin1(place.Label), edit);
        }
        if (std::string(group.Title) == "Drive") driveForm = form;
        groups->addWidget(box, placed / 2, placed % 2, Qt::AlignTop);
        ++placed;
    }
    SIDDCBox = new QComboBox(this);
    SIDDCBox->setObjectName("SIDDCBox");
    SIDDCBox->setEditable(true);
    for (const std::string& root : FirstMountPoints(WorkingFolderText(ImageDirectory)))
        SIDDCBox->addItem(QString::fromLocal8Bit(root));
    SIDDReloadBtn = new QPushButton("Reload", this);
    SIDDReloadBtn->setObjectName("SIDDReloadBtn");
    auto* driveRow = new QHBoxLayout;
    driveRow->addWidget(SIDDCBox, 1);
    driveRow->addWidget(SIDDReloadBtn);
    driveForm->insertRow(0, "Root", driveRow);

    SIReLoadBtn = new QPushButton("Reload", this);
    SIReLoadBtn->setObjectName("SIReLoadBtn");
    SIHelpBtn = new QPushButton("Help", this);
    SIHelpBtn->setObjectName("SIHelpBtn");
    SICloseBtn = new QPushButton("Close", this);
    SICloseBtn->setObjectName("SICloseBtn");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(SIReLoadBtn);
    buttons->addWidget(SIHelpBtn);
    buttons->addWidget(SICloseBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(buttons);

    connect(SIReLoadBtn, &QPushButton::clicked, this,
            [this] { Guarded([this] { SIReLoadBtnClick(); }); });
    connect(SIDDReloadBtn, &QPushButton::clicked, this,
            [this] { Guarded([this] { SIReLoadBtnClick(); }); });
    ConnectHelp(SIHelpBtn, [this] { SIHelpBtnClick(); });
    connect(SICloseBtn, &QPushButton::clicked, this,
            [this] { Guarded([this] { SICloseBtnClick(); }); });
}

bool TSystemInfoForm::HasCoProcesser() {
    return ReadProcessorInfo().HasFloatingPoint;
}

std::string TSystemInfoForm::ShowDriveType(const std::string& root) {
    return DriveKindText(DriveKind(root));
}

void TSystemInfoForm::LoadEdits() {
    try {
        const TUserInfo user;
        Edit(1)->setText(QString::fromLocal8Bit(user.GetUserName()));
        Edit(2)->setText(QString::fromLocal8Bit(user.GetCompanyName()));
    } catch (const ERegInfoNotFound&) {
        ShowMessageNumber(39976);
    }
    Edit(3)->setText(QString::fromLatin1(SystemVersionText(ReadSystemVersion())));
    const ProcessorInfo cpu = ReadProcessorInfo();
    Edit(4)->setText(QString::fromLocal8Bit(cpu.Type));
    Edit(5)->setText(QString::number(cpu.Count));
    Edit(26)->setText(HasCoProcesser() ? "Has CoProcessor" : "None:Emulation Mode");

    const MemoryStatus m = ReadMemoryStatus();
    Edit(6)->setText(Number(m.Length));
    Edit(7)->setText(Number(m.MemoryLoad));
    Edit(8)->setText(Number(m.TotalPhys));
    Edit(9)->setText(Number(m.AvailPhys));
    Edit(10)->setText(Number(m.TotalPageFile));
    Edit(11)->setText(Number(m.AvailPageFile));
    Edit(12)->setText(Number(m.TotalVirtual));
    Edit(23)->setText(Number(m.AvailVirtual));

    const std::string root = SIDDCBox->currentText().toLocal8Bit().toStdString();
    Edit(31)->setText(QString::fromLatin1(ShowDriveType(root)));
    Edit(27)->setText(QString::number(DiskSize(root)));
    Edit(28)->setText(QString::number(DiskFree(root)));

    const HeapStatus h = ReadHeapStatus();
    const uint64_t heap[] = {
        h.TotalAddrSpace, h.TotalUncommitted, h.TotalCommitted, h.TotalAllocated, h.TotalFree,
        h.FreeSmall,      h.FreeBig,          h.Unused,         h.Overhead,       h.HeapErrorCode};
    for (int i = 0; i < 10; ++i)
        Edit(13 + i)->setText(Number(heap[i]));

    const QScreen* screen = QGuiApplication::primaryScreen();
    Edit(24)->setText(QString::number(screen ? screen->size().width() : 0));
    Edit(32)->setText(QString::number(screen ? screen->size().height() : 0));
    Edit(25)->setText(QString::number(screen ? screen->depth() : 0));
    Edit(29)->setText(MousePresent() ? "Moused" : "Cat got the Mouse");
    // Linux keeps no "slow machine" mark.
    Edit(30)->setText("OK");
}

void TSystemInfoForm::SIReLoadBtnClick() {
    LoadEdits();
}

void TSystemInfoForm::SIHelpBtnClick() {
    if (VORNForm) VORNForm->ShowHelpContext(13000);
}

void TSystemInfoForm::SICloseBtnClick() {
    close();
}

void TSystemInfoForm::FormOpen() {
    LoadEdits();
}
