#include "platform/PlDateTime.h"

#include <langinfo.h>
#include <locale.h>

std::string LocaleDateTimeText(std::time_t moment, const char* localeName) {
    // Its own locale object: the process locale is Qt's to set, and the "C" one of the engine
    // tests is not what the user reads.
    locale_t loc = newlocale(LC_TIME_MASK, localeName, static_cast<locale_t>(nullptr));
    if (!loc) loc = newlocale(LC_TIME_MASK, "C", static_cast<locale_t>(nullptr));
    if (!loc) return {};
    const std::string format =
        std::string(nl_langinfo_l(D_FMT, loc)) + " " + nl_langinfo_l(T_FMT, loc);
    std::tm tm{};
    localtime_r(&moment, &tm);
    char text[256];
    const size_t n = strftime_l(text, sizeof text, format.c_str(), &tm, loc);
    freelocale(loc);
    return std::string(text, n);
}
