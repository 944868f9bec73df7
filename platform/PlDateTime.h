// A moment as the system locale writes it: its short date and long time, as the dated lines of
// the processing-history log hold them.
#pragma once

#include <ctime>
#include <string>

// `localeName` empty: the locale the environment chooses (LC_ALL, LC_TIME, LANG); a name
// that does not exist falls back to the plain "C" formats.
std::string LocaleDateTimeText(std::time_t moment, const char* localeName = "");
