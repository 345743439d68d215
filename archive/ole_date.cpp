#include "archive/ole_date.h"

#include <cmath>
#include <cstdio>

namespace zeko::archive {

namespace {

constexpr double kSecondsPerDay = 86400;
constexpr int kSecondsPerHour = 3600;
constexpr int kSecondsPerMinute = 60;
// The first and last days the date type holds: 100-01-01 and 9999-12-31.
constexpr double kFirstDay = -657434;
constexpr double kLastDay = 2958465;

// Days between 1970-01-01 and a civil date (proleptic Gregorian).
constexpr long DaysFromCivil(long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long>(doe) - 719468;
}

CivilTime CivilFromDays(long z) {
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    CivilTime t;
    t.Day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    t.Month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    t.Year = static_cast<int>(static_cast<long>(yoe) + era * 400 + (t.Month <= 2));
    return t;
}

constexpr long kEpochDays = DaysFromCivil(1899, 12, 30);

}  // namespace

double OleDateOf(const CivilTime& t) {
    const long days =
        DaysFromCivil(t.Year, static_cast<unsigned>(t.Month), static_cast<unsigned>(t.Day)) -
        kEpochDays;
    const double fraction =
        (t.Hour * kSecondsPerHour + t.Minute * kSecondsPerMinute + t.Second) / kSecondsPerDay;
    // Before the epoch the fraction still counts forward from midnight.
    return days < 0 ? static_cast<double>(days) - fraction : static_cast<double>(days) + fraction;
}

std::optional<CivilTime> CivilTimeOf(double oleDate) {
    if (!std::isfinite(oleDate) || oleDate < kFirstDay || oleDate >= kLastDay + 1) return {};
    const double whole = std::trunc(oleDate);
    auto seconds = std::lround(std::fabs(oleDate - whole) * kSecondsPerDay);
    long days = static_cast<long>(whole);
    if (seconds >= static_cast<long>(kSecondsPerDay)) {
        seconds -= static_cast<long>(kSecondsPerDay);
        days += oleDate < 0 ? -1 : 1;
    }
    CivilTime t = CivilFromDays(days + kEpochDays);
    t.Hour = static_cast<int>(seconds / kSecondsPerHour);
    t.Minute = static_cast<int>(seconds % kSecondsPerHour / kSecondsPerMinute);
    t.Second = static_cast<int>(seconds % kSecondsPerMinute);
    return t;
}

double OleDateNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return OleDateOf({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                      local.tm_min, local.tm_sec});
}

std::string FormatOleDate(double oleDate) {
    const auto t = CivilTimeOf(oleDate);
    if (!t) return {};
    char text[16];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d", t->Year, t->Month, t->Day);
    return text;
}

std::string FormatOleDateTime(double oleDate) {
    const auto t = CivilTimeOf(oleDate);
    if (!t) return {};
    char text[32];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d:%02d", t->Year, t->Month, t->Day,
                  t->Hour, t->Minute, t->Second);
    return text;
}

}  // namespace zeko::archive
