#include "platform/ui/PlDesktop.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QUrl>

bool OpenWithDesktop(const std::string& url) {
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(url), QUrl::StrictMode));
}

bool ExecuteFile(const QString& file, const QStringList& parameters, const QString& folder) {
    const QString program = QStandardPaths::findExecutable(file);
    return !program.isEmpty() && QProcess::startDetached(program, parameters, folder);
}
