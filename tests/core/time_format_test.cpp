#include "core/time_format.hpp"

#include <gtest/gtest.h>

#include <clocale>
#include <regex>

namespace kro {
namespace {

// 2004-02-01 13:05:09.125 and 2004-02-01 10:20:05.123
const EpochTime kT = 1075640709.125;
const EpochTime kSmallSeconds = calendar_to_time(2004, 2, 1, 10, 20, 5.123);

TEST(DisplayFormats, ProduceTheirShapes) {
    const struct {
        std::string text;
        const char* expected;
    } cases[] = {
        {format_dmy_hms3(kT), "01/02/2004 13:05:9.125"},
        {format_dmy_hms3(kSmallSeconds), "01/02/2004 10:20:5.123"},
        {format_dmy_hms0(kT), "01/02/2004 13:05:09"},  // "%02.0f" pads a single digit
        {format_hms3_dmy(kT), "13:05:9.125 01/02/2004"},
        {format_hms_hundredths_dmy(kT), "13:05:09.13 01/02/2004"},
        {format_hms_hundredths_dmy(1075640709.996), "13:05:10.00 01/02/2004"},
        {format_cursor_time(kT + 0.002), "13:05:9.13  01/02/2004"},
        {format_cursor_time_amplitude(kT, 1.5), "13:05:9.125  01/02/2004 A:1.500000"},
        {format_start_time_field(kT), "13:05:09.125"},
        {format_duration_field(3725.0), "01:02:05"},
        {format_date_field(kT), "01/02/2004"},
        {format_mdy_dots_hms(kT), "02.01.2004 13:05:09"},
        {format_hms_dmy2(2004, 2, 1, 13, 5, 9), "13:05:09 01.02.04"},
        {format_date_time_edit(CalendarTime{2004, 2, 29, 12, 0, 0.0f}), "12:00:00 29/02/2004"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.text, c.expected);
}

TEST(LocalClockTexts, HaveTheirShapes) {
    EXPECT_TRUE(std::regex_match(new_event_identifier(), std::regex(R"(\d{14})")));
    EXPECT_TRUE(std::regex_match(local_load_date(), std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)")));
}

TEST(ScanPatterns, ReadTypedTimes) {
    const struct {
        std::string_view pattern;
        const char* text;
        int matched;
        std::vector<double> fields;
    } cases[] = {
        {kScanHmsFloat, "12:34:56.789", 3, {12, 34, 56.789}},
        {kScanHmsFloat, "12, 34 ,5", 3, {12, 34, 5}},
        {kScanHms, "01:02:03", 3, {1, 2, 3}},
        {kScanHms, "123456", 1, {12, 0, 0}},  // a separator must follow each field
        {kScanHms, "01:02", 2, {1, 2, 0}},      // fields not reached stay 0
        {kScanHms, "ab:cd:ef", 0, {0, 0, 0}},
        {kScanDmy, "29/02/2004", 3, {29, 2, 2004}},
        {kScanDmy, "1//2,,2004", 3, {1, 2, 2004}},
        {kScanHmsMs, "13:05:09.125", 4, {13, 5, 9, 125}},
        {kScanHmsMs, "13:05:09", 3, {13, 5, 9, 0}},
        {kScanDmyHmsMs, "01/02/2004 13:05:09.125", 7, {1, 2, 2004, 13, 5, 9, 125}},
        {kScanHmsDmy, "12:00:00 29/02/2004", 6, {12, 0, 0, 29, 2, 2004}},
        {kScanHmsDmy, "__:__:__ __/__/____", 0, {0, 0, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        const ScanResult r = scan_pattern(c.text, c.pattern);
        EXPECT_EQ(r.matched, c.matched) << c.text;
        ASSERT_EQ(r.fields.size(), c.fields.size()) << c.text;
        for (std::size_t i = 0; i < c.fields.size(); ++i) EXPECT_DOUBLE_EQ(r[i], c.fields[i]) << c.text << " #" << i;
    }
}

// Qt sets the process locale from the environment; typed times must still
// read a decimal point.
TEST(ScanPatterns, ReadADecimalPointUnderACommaLocale) {
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    ASSERT_TRUE(std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) << "scripts/install-deps.sh generates this locale";
    const ScanResult r = scan_hms_float("10:20:5.25");
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_EQ(r.matched, 3);
    EXPECT_DOUBLE_EQ(r[2], 5.25);
}

}  // namespace
}  // namespace kro
