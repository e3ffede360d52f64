#include "core/time.hpp"

#include <cmath>
#include <cstdio>
#include <ctime>

namespace kro {

namespace {

constexpr int kMonthLength[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr int kDaysBeforeMonth[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

std::int64_t floor_div(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

// Year, day of year and time of day of a whole epoch second.
struct WholeSecondParts {
    int year;
    int yday;
    int hour;
    int minute;
    int second;
};

WholeSecondParts whole_second_parts(std::int64_t s) {
    CalendarTime c;
    time_to_calendar(static_cast<double>(s), c);
    WholeSecondParts p{};
    p.year = c.year;
    p.yday = month_day_to_yday(c.year, c.month, c.day);
    p.hour = c.hour;
    p.minute = c.minute;
    p.second = static_cast<int>(c.seconds);
    return p;
}

}  // namespace

bool is_leap_year(int year) {
    return (year % 400 == 0) || (year % 4 == 0 && year % 100 != 0);
}

int month_length(int year, int month) {
    if (month < 1 || month > 12) return 0;
    if (month == 2 && is_leap_year(year)) return 29;
    return kMonthLength[month - 1];
}

int days_before_month(int month) {
    if (month < 1 || month > 12) return 0;
    return kDaysBeforeMonth[month - 1];
}

bool time_to_calendar(EpochTime t, CalendarTime& out) {
    // 1. Shift the origin to 0001-01-01.
    const double u = t + static_cast<double>(kSecondsFromYearOneToEpoch);
    // 2. Whole part and fraction.
    const double whole = std::floor(u);
    const double f = u - whole;
    const auto U = static_cast<std::int64_t>(whole);
    // 3. Whole days and time of day.
    std::int64_t D = floor_div(U, 86400);
    std::int64_t s = U - 86400 * D;
    out.hour = static_cast<int>(s / 3600);
    s -= 3600 * out.hour;
    out.minute = static_cast<int>(s / 60);
    s -= 60 * out.minute;
    out.seconds = static_cast<float>(static_cast<double>(s) + f);
    // 4. Gregorian cycles.
    const std::int64_t k400 = floor_div(D, 146097);
    D -= 146097 * k400;
    const std::int64_t k100 = (D == 146096) ? 3 : D / 36524;
    D -= 36524 * k100;
    const std::int64_t k4 = D / 1461;
    D -= 1461 * k4;
    std::int64_t k1 = D / 365;
    if (k1 == 4) k1 = 3;
    D -= 365 * k1;
    // 5. Year and day of year.
    const int year = static_cast<int>(400 * k400 + 100 * k100 + 4 * k4 + k1 + 1);
    const int yday = static_cast<int>(D + 1);
    // 6. Month and day.
    MonthDay md;
    if (!yday_to_month_day(year, yday, md)) return false;
    out.year = year;
    out.month = md.month;
    out.day = md.day;
    return true;
}

CalendarTime calendar_of(EpochTime t) {
    CalendarTime c;
    time_to_calendar(t, c);
    return c;
}

EpochTime calendar_to_time(int year, int month, int day, int hour, int minute, double seconds) {
    long long days = static_cast<long long>(year - 1970) * 365 + (year - 1969) / 4 + (year - 1601) / 400 -
                     (year - 1901) / 100 + days_before_month(month) + day - 1;
    if (is_leap_year(year) && month > 2) days += 1;
    return static_cast<double>(days) * 86400.0 + hour * 3600.0 + minute * 60.0 + seconds;
}

EpochTime calendar_to_time(const CalendarTime& c) {
    return calendar_to_time(c.year, c.month, c.day, c.hour, c.minute, c.seconds);
}

bool yday_to_month_day(int year, int yday, MonthDay& out) {
    out = MonthDay{};
    if (yday <= 0) return false;
    int doy = yday;
    for (int month = 1; month <= 12; ++month) {
        const int day = doy;
        doy -= month_length(year, month);
        if (doy <= 0) {
            out.month = month;
            out.day = day;
            return true;
        }
    }
    return false;
}

int month_day_to_yday(int year, int month, int day) {
    int yday = day;
    for (int m = 1; m < month && m <= 12; ++m) yday += month_length(year, m);
    return yday;
}

int calendar_to_jdate(int year, int month, int day) {
    int jdate = year * 1000 + days_before_month(month) + day;
    if (is_leap_year(year) && month > 2) jdate += 1;
    return jdate;
}

YdayTime time_to_yday(EpochTime t) {
    // 1. Whole seconds toward zero, milliseconds rounded half up.
    auto S = static_cast<std::int64_t>(std::trunc(t));
    const double ms_exact = (t - static_cast<double>(S)) * 1000.0;
    int millisecond = static_cast<int>(std::trunc(ms_exact));
    if (ms_exact - millisecond >= 0.5) millisecond += 1;
    // 2. Carry into the second.
    if (millisecond >= 1000) {
        S += 1;
        millisecond = 0;
    }
    // 3. UTC calendar parts of S.
    const WholeSecondParts p = whole_second_parts(S);
    return YdayTime{p.year, p.yday, p.hour, p.minute, p.second, millisecond};
}

EpochTime yday_to_time(int year, int yday, int hour, int minute, int second, int millisecond) {
    std::int64_t days = 0;
    for (int y = 1970; y < year; ++y) days += is_leap_year(y) ? 366 : 365;
    for (int y = year; y < 1970; ++y) days -= is_leap_year(y) ? 366 : 365;
    const std::int64_t whole = 86400 * days + 86400LL * (yday - 1) + 3600LL * hour + 60LL * minute + second;
    return static_cast<double>(whole) + millisecond / 1000.0;
}

EpochTime yday_to_time(const YdayTime& y) {
    return yday_to_time(y.year, y.yday, y.hour, y.minute, y.second, y.millisecond);
}

std::string dttostr(EpochTime t, int style) {
    if (style != 4 && style != 11 && style != 15) return "Bad dttostr input!";
    if (style == 4 && t < 0.0) return "       ";
    const auto S = static_cast<std::int64_t>(std::trunc(t));
    const WholeSecondParts p = whole_second_parts(S);
    char buf[64];
    switch (style) {
        case 4:
            std::snprintf(buf, sizeof buf, "%4.4d%3.3d", p.year, p.yday);
            break;
        case 11:
            std::snprintf(buf, sizeof buf, "%04d:%03d-%02d:%02d:%02d", p.year, p.yday, p.hour, p.minute, p.second);
            break;
        default:
            std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", p.hour, p.minute, p.second);
            break;
    }
    return buf;
}

EpochTime current_time() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return calendar_to_time(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                            local.tm_sec);
}

}  // namespace kro
