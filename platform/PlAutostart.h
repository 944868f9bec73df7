// The restart at the next log-in: when the desktop session ends the program leaves an XDG
// autostart entry that starts it again; the next start removes the entry, so it runs once.
#pragma once

#include <string>

// "autostart/Vorn.desktop" in the user's configuration folder; empty when there is none.
std::string AutostartEntryPath();
// The program path as one quoted argument of a desktop entry's Exec key, escaped for both the
// quoting and the string rules of desktop entries.
std::string DesktopExecArgument(const std::string& path);
std::string AutostartEntryText(const std::string& executable);
// Writes the entry, making its folder; false (and nothing written) when that cannot be done.
bool WriteAutostartEntry(const std::string& executable);
void RemoveAutostartEntry();
