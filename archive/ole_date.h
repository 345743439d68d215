// Dates as the game file keeps them: the days since 30 December 1899 with the
// time of day as the fraction, in local time.
#pragma once

#include <ctime>
#include <optional>
#include <string>

namespace zeko::archive {

struct CivilTime {
    int Year = 1899, Month = 12, Day = 30, Hour = 0, Minute = 0, Second = 0;
};

double OleDateOf(const CivilTime& time);
// The date and time of a stored value; none outside the years 100-9999 or
// for a value that is not a number.
std::optional<CivilTime> CivilTimeOf(double oleDate);
// Now, in local time.
double OleDateNow();

// "yyyy/mm/dd", or empty for a value outside the years 100-9999.
std::string FormatOleDate(double oleDate);
// "yyyy/mm/dd hh:mm:ss", or empty like FormatOleDate.
std::string FormatOleDateTime(double oleDate);

}  // namespace zeko::archive
