#pragma once
// Epoch time and its calendar conversions.
//
// Every instant is an epoch time: a double holding seconds since
// 1970-01-01 00:00:00 UTC, proleptic Gregorian calendar, no time zone and no
// leap seconds. Durations are plain seconds in a double.

#include <cstdint>
#include <string>

namespace kro {

using EpochTime = double;  // seconds since 1970-01-01 00:00:00 UTC

// Calendar fields: seconds carry the fraction of the second, in single precision.
struct CalendarTime {
    int year = 0;    // four digits
    int month = 0;   // 1-12
    int day = 0;     // 1-31
    int hour = 0;    // 0-23
    int minute = 0;  // 0-59
    float seconds = 0.0f;
    bool operator==(const CalendarTime&) const = default;
};

// Day-of-year fields with whole seconds and milliseconds.
struct YdayTime {
    int year = 0;
    int yday = 0;         // 1-366
    int hour = 0;
    int minute = 0;
    int second = 0;       // 0-59
    int millisecond = 0;  // 0-999
    bool operator==(const YdayTime&) const = default;
};

struct MonthDay {
    int month = 0;  // 0 when the conversion failed
    int day = 0;    // 0 when the conversion failed
};

// Seconds from 0001-01-01 to 1970-01-01 (719162 days).
inline constexpr std::int64_t kSecondsFromYearOneToEpoch = 62135596800LL;

bool is_leap_year(int year);
int month_length(int year, int month);  // days in month 1-12 of that year
int days_before_month(int month);        // in a common year, month 1-12

// Calendar fields of t. Returns false when the day of year has no month
// (cannot happen for valid times); hour, minute and seconds are always set.
bool time_to_calendar(EpochTime t, CalendarTime& out);

// The calendar fields of t (every valid time has them).
CalendarTime calendar_of(EpochTime t);

// Epoch time of calendar fields; valid from 1970 on.
EpochTime calendar_to_time(int year, int month, int day, int hour, int minute, double seconds);
EpochTime calendar_to_time(const CalendarTime& c);

// Month and day of a day of year. Fails with month 0, day 0 when doy <= 0 or
// doy lies beyond the length of the year.
bool yday_to_month_day(int year, int yday, MonthDay& out);

int month_day_to_yday(int year, int month, int day);

// year * 1000 + day of year (2004-02-01 gives 2004032).
int calendar_to_jdate(int year, int month, int day);

// Day-of-year fields of t, milliseconds rounded (a carry moves into the second).
YdayTime time_to_yday(EpochTime t);

EpochTime yday_to_time(int year, int yday, int hour, int minute, int second, int millisecond);
EpochTime yday_to_time(const YdayTime& y);

// Fixed-style text of t: style 4 "%4.4d%3.3d" (year, day of year), style 11
// "%04d:%03d-%02d:%02d:%02d", style 15 "%02d:%02d:%02d". Any other style
// gives "Bad dttostr input!". The fraction of the second plays no part.
// Before 1970 style 4 gives seven blanks; styles 11 and 15 give the
// proleptic calendar fields of the whole second.
std::string dttostr(EpochTime t, int style);

// The workstation clock read as local calendar fields and converted as if
// they were UTC.
EpochTime current_time();

}  // namespace kro
