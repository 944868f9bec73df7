#include "platform/PlDateTime.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <locale.h>
#include <optional>
#include <string>

namespace {

// 2026-12-06 20:51:21 UTC.
constexpr std::time_t Moment = 1796590281;

class PlDateTime : public ::testing::Test {
  protected:
    void SetUp() override {
        if (const char* tz = std::getenv("TZ")) SavedTZ = tz;
        setenv("TZ", "UTC", 1);
        tzset();
    }
    void TearDown() override {
        if (SavedTZ)
            setenv("TZ", SavedTZ->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    std::optional<std::string> SavedTZ;
};

TEST_F(PlDateTime, ShortDateAndLongTimeOfTheLocale) {
    const struct {
        const char* locale;
        const char* text;
    } cases[] = {
        {"C", "12/06/26 20:51:21"},
        {"no_SUCH.locale", "12/06/26 20:51:21"},
        {"de_DE.UTF-8", "06.12.2026 20:51:21"},
        {"en_US.UTF-8", "12/06/2026 08:51:21 PM"},
    };
    for (const auto& c : cases) {
        if (locale_t l = newlocale(LC_TIME_MASK, c.locale, static_cast<locale_t>(nullptr)))
            freelocale(l);
        else if (std::string(c.locale) != "no_SUCH.locale")
            continue; // not installed here
        EXPECT_EQ(LocaleDateTimeText(Moment, c.locale), c.text) << c.locale;
    }
}

} // namespace
