#include "shell/ui/aclass5.h"

#include "platform/PlSystemInfo.h"

#include <QSettings>

std::string TUserInfo::GetUserName() const {
    std::string name;
    if (!AccountFullName(name)) throw ERegInfoNotFound("Could not locate registered user name");
    return name;
}

std::string TUserInfo::GetCompanyName() const {
    const QSettings settings("VORN", "VORN");
    return settings.value("RegisteredOrganization").toString().toLocal8Bit().toStdString();
}
