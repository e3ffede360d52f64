#include "core/time.hpp"

#include <gtest/gtest.h>

#include <ctime>

namespace kro {
namespace {

struct CalendarCase {
    EpochTime t;
    int year, month, day, hour, minute;
    float seconds;
};

TEST(TimeToCalendar, KnownInstants) {
    const CalendarCase cases[] = {
        {0.0, 1970, 1, 1, 0, 0, 0.0f},
        {951782400.0, 2000, 2, 29, 0, 0, 0.0f},
        {1078012799.5, 2004, 2, 28, 23, 59, 59.5f},
        {1078012800.5, 2004, 2, 29, 0, 0, 0.5f},
        {978220800.0, 2000, 12, 31, 0, 0, 0.0f},  // last day of a 400-year cycle
        {1075640709.25, 2004, 2, 1, 13, 5, 9.25f},
        {4102444799.0, 2099, 12, 31, 23, 59, 59.0f},
        {-1.0, 1969, 12, 31, 23, 59, 59.0f},
    };
    for (const auto& c : cases) {
        CalendarTime out;
        ASSERT_TRUE(time_to_calendar(c.t, out)) << c.t;
        EXPECT_EQ(out, (CalendarTime{c.year, c.month, c.day, c.hour, c.minute, c.seconds})) << c.t;
    }
}

TEST(CalendarToTime, KnownInstantsAndDifferences) {
    EXPECT_EQ(calendar_to_time(1970, 1, 1, 0, 0, 0.0), 0.0);
    EXPECT_EQ(calendar_to_time(2000, 12, 31, 0, 0, 0.0), 978220800.0);
    EXPECT_EQ(calendar_to_time(2000, 2, 29, 0, 0, 0.0), 951782400.0);
    EXPECT_EQ(calendar_to_time(2004, 3, 1, 0, 0, 0.0) - calendar_to_time(2004, 2, 28, 0, 0, 0.0), 172800.0);
    EXPECT_DOUBLE_EQ(calendar_to_time(2004, 2, 28, 23, 59, 59.5), 1078012799.5);
}

TEST(CalendarToJdate, YearEnds) {
    const struct {
        int year, month, day, jdate;
    } cases[] = {
        {2004, 12, 31, 2004366}, {2003, 12, 31, 2003365}, {2004, 2, 1, 2004032},
        {2004, 3, 1, 2004061},   {2003, 3, 1, 2003060},   {2000, 12, 31, 2000366},
    };
    for (const auto& c : cases) EXPECT_EQ(calendar_to_jdate(c.year, c.month, c.day), c.jdate) << c.year;
}

TEST(YdayToMonthDay, ValidAndInvalidDays) {
    const struct {
        int year, yday;
        bool ok;
        int month, day;
    } cases[] = {
        {2004, 366, true, 12, 31}, {2003, 366, false, 0, 0}, {2003, 365, true, 12, 31},
        {2004, 60, true, 2, 29},   {2003, 60, true, 3, 1},   {2004, 1, true, 1, 1},
        {2004, 0, false, 0, 0},    {2004, -5, false, 0, 0},  {2004, 367, false, 0, 0},
    };
    for (const auto& c : cases) {
        MonthDay md{9, 9};
        EXPECT_EQ(yday_to_month_day(c.year, c.yday, md), c.ok) << c.year << " " << c.yday;
        EXPECT_EQ(md.month, c.month) << c.year << " " << c.yday;
        EXPECT_EQ(md.day, c.day) << c.year << " " << c.yday;
    }
}

TEST(TimeToYday, MillisecondRoundingCarriesIntoTheSecond) {
    const YdayTime carried = time_to_yday(10.9996);
    EXPECT_EQ(carried.second, 11);
    EXPECT_EQ(carried.millisecond, 0);

    const YdayTime up = time_to_yday(10.0126);  // 12.6 ms rounds up
    EXPECT_EQ(up.second, 10);
    EXPECT_EQ(up.millisecond, 13);

    const YdayTime midnight = time_to_yday(86399.9999);  // the carry moves into the next day
    EXPECT_EQ(midnight.yday, 2);
    EXPECT_EQ(midnight.hour, 0);
    EXPECT_EQ(midnight.second, 0);
}

TEST(YdayToTime, BeyondThe32BitLimit) {
    EXPECT_EQ(yday_to_time(2038, 19, 3, 14, 8, 0), 2147483648.0);
    EXPECT_EQ(yday_to_time(2100, 1, 0, 0, 0, 0), calendar_to_time(2100, 1, 1, 0, 0, 0.0));
    EXPECT_DOUBLE_EQ(yday_to_time(2004, 32, 13, 5, 9, 250), 1075640709.25);
}

TEST(Dttostr, StylesAndBadInput) {
    const struct {
        EpochTime t;
        int style;
        const char* text;
    } cases[] = {
        {1075640709.0, 11, "2004:032-13:05:09"},
        {1075640709.9, 11, "2004:032-13:05:09"},  // the fraction plays no part
        {1075640709.0, 4, "2004032"},
        {1075640709.0, 15, "13:05:09"},
        {1075640709.0, 16, "Bad dttostr input!"},
        {1075640709.0, 0, "Bad dttostr input!"},
        {-100.0, 4, "       "},
    };
    for (const auto& c : cases) EXPECT_EQ(dttostr(c.t, c.style), c.text) << c.t << " style " << c.style;
}

// Every day from 1970 to 2100 at a changing time of day, against the C library.
TEST(TimeConversions, AgreeWithTheCLibraryFrom1970To2100) {
    std::tm end{};
    end.tm_year = 2100 - 1900;
    end.tm_mon = 11;
    end.tm_mday = 31;
    const std::int64_t last_day = static_cast<std::int64_t>(timegm(&end)) / 86400;
    for (std::int64_t day = 0; day <= last_day; ++day) {
        const std::int64_t second_of_day = (day * 7919) % 86400;
        const std::time_t whole = static_cast<std::time_t>(day * 86400 + second_of_day);
        const EpochTime t = static_cast<double>(whole) + 0.25;
        std::tm ref{};
        gmtime_r(&whole, &ref);

        CalendarTime c;
        ASSERT_TRUE(time_to_calendar(t, c));
        ASSERT_EQ(c.year, ref.tm_year + 1900) << whole;
        ASSERT_EQ(c.month, ref.tm_mon + 1) << whole;
        ASSERT_EQ(c.day, ref.tm_mday) << whole;
        ASSERT_EQ(c.hour, ref.tm_hour) << whole;
        ASSERT_EQ(c.minute, ref.tm_min) << whole;
        ASSERT_EQ(static_cast<int>(c.seconds), ref.tm_sec) << whole;

        ASSERT_EQ(calendar_to_time(c.year, c.month, c.day, c.hour, c.minute, ref.tm_sec),
                  static_cast<double>(timegm(&ref)))
            << whole;
        ASSERT_EQ(month_day_to_yday(c.year, c.month, c.day), ref.tm_yday + 1) << whole;
        ASSERT_EQ(calendar_to_jdate(c.year, c.month, c.day), c.year * 1000 + ref.tm_yday + 1) << whole;

        const YdayTime y = time_to_yday(t);
        ASSERT_EQ(y, (YdayTime{c.year, ref.tm_yday + 1, ref.tm_hour, ref.tm_min, ref.tm_sec, 250})) << whole;
        ASSERT_EQ(yday_to_time(y), t) << whole;

        MonthDay md;
        ASSERT_TRUE(yday_to_month_day(c.year, ref.tm_yday + 1, md));
        ASSERT_EQ(md.month, c.month);
        ASSERT_EQ(md.day, c.day);
    }
}

}  // namespace
}  // namespace kro
