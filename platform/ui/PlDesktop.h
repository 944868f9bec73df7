// The desktop's own "open this" service, standing in for the shell's open of a document or
// address: the desktop hands the URL to the program the user chose for that kind of file.
#pragma once

#include <QString>
#include <QStringList>

#include <string>

// Opens a URL (an encoded file URL, an anchor allowed) in the desktop's default program; false
// when the desktop has no program for it.
bool OpenWithDesktop(const std::string& url);

// Starts a program found on the search path in `folder`; false when there is none or it does not
// start. Another program may write any file: only platform/ starts one.
bool ExecuteFile(const QString& file, const QStringList& parameters, const QString& folder);
