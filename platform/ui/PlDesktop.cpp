#include "platform/ui/PlDesktop.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

bool OpenWithDesktop(const std::string& url) {
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(url), QUrl::StrictMode));
}
