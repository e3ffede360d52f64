#pragma once
// Display formats and scan patterns of times in the user interface.
//
// Dates are written day first with slashes (day/month/year). Each format
// function names its printf string; seconds printed with "%02.3f" or "%02.0f"
// have width 2 for the whole number, so seconds below ten show no leading
// zero (10:20:5.123).

#include <string>
#include <string_view>
#include <vector>

#include "core/time.hpp"

namespace kro {

// "%02d/%02d/%04d %02d:%02d:%02.3f": day/month/year hour:minute:seconds.
std::string format_dmy_hms3(EpochTime t);
// "%02d/%02d/%04d %02d:%02d:%02.0f": the same, seconds rounded to whole.
std::string format_dmy_hms0(EpochTime t);
// "%02d:%02d:%02.3f %02d/%02d/%04d": time first, then date.
std::string format_hms3_dmy(EpochTime t);
// "%02d:%02d:%02d.%02d %02d/%02d/%04d": hundredths are the fraction x 100
// truncated, plus one when the remaining fraction is at least 0.5.
std::string format_hms_hundredths_dmy(EpochTime t);
// Cursor read-out "%02d:%02d:%.02f  %02d/%02d/%04d" (two blanks before the date).
std::string format_cursor_time(EpochTime t);
// Cursor read-out with amplitude "%02d:%02d:%.03f  %02d/%02d/%04d A:%f".
std::string format_cursor_time_amplitude(EpochTime t, double amplitude);
// Separate fields of a time window: start "%02d:%02d:%02d.%03d",
// duration "%02d:%02d:%02d", date "%02d/%02d/%04d".
std::string format_start_time_field(EpochTime t);
std::string format_duration_field(double seconds);
std::string format_date_field(EpochTime t);
// "%02d.%02d.%04d %02d:%02d:%02d": month.day.year with dots, month first.
std::string format_mdy_dots_hms(EpochTime t);
// "%02d:%02d:%02d %02d.%02d.%02d": hour, minute, second, day, month, year - 2000.
std::string format_hms_dmy2(int year, int month, int day, int hour, int minute, int second);
// "%02d:%02d:%02d %02d/%02d/%04d": how a CDateTimeEdit field is written.
std::string format_date_time_edit(const CalendarTime& c);

// Texts made from the local wall clock.
std::string local_clock_text(const char* strftime_format);
std::string new_event_identifier();  // "%Y%m%d%H%M%S"
std::string local_load_date();       // "%Y-%m-%d %H:%M:%S"

// Scan patterns. A conversion reads what scanf would: "%2d" at most two
// characters of an optionally signed decimal, "%f" a decimal number (always
// with a decimal point, whatever the locale), "%*[chars]" a non-empty run of
// the listed characters. Numbers skip leading blanks. Fields not reached
// keep the value 0.
struct ScanResult {
    int matched = 0;             // number of fields read, in pattern order
    std::vector<double> fields;  // one entry per field of the pattern
    double operator[](std::size_t i) const { return fields[i]; }
    int as_int(std::size_t i) const { return static_cast<int>(fields[i]); }
    bool complete() const { return matched == static_cast<int>(fields.size()); }
};

ScanResult scan_pattern(std::string_view text, std::string_view pattern);

inline constexpr std::string_view kScanHmsFloat = "%2d%*[:, ]%2d%*[:, ]%f";
inline constexpr std::string_view kScanHms = "%2d%*[:, ]%2d%*[:, ]%2d";
inline constexpr std::string_view kScanDmy = "%2d%*[:,// ]%2d%*[:,// ]%4d";
inline constexpr std::string_view kScanHmsMs = "%2d%*[:,// ]%2d%*[:,// ]%2d%*[.]%3d";
inline constexpr std::string_view kScanDmyHmsMs =
    "%2d%*[:,// ]%2d%*[:,// ]%4d%*[, ]%2d%*[:, ]%2d%*[:, ]%2d%*[.]%3d";
inline constexpr std::string_view kScanHmsDmy = "%2d%*[:, ]%2d%*[:, ]%2d%*[:, ]%2d%*[:,// ]%2d%*[:,// ]%4d";

// hour, minute, float seconds
inline ScanResult scan_hms_float(std::string_view s) { return scan_pattern(s, kScanHmsFloat); }
// hour, minute, second (also durations)
inline ScanResult scan_hms(std::string_view s) { return scan_pattern(s, kScanHms); }
// day, month, year
inline ScanResult scan_dmy(std::string_view s) { return scan_pattern(s, kScanDmy); }
// hour, minute, second, millisecond
inline ScanResult scan_hms_ms(std::string_view s) { return scan_pattern(s, kScanHmsMs); }
// day, month, year, hour, minute, second, millisecond
inline ScanResult scan_dmy_hms_ms(std::string_view s) { return scan_pattern(s, kScanDmyHmsMs); }
// hour, minute, second, day, month, year (the time-and-date entry field)
inline ScanResult scan_hms_dmy(std::string_view s) { return scan_pattern(s, kScanHmsDmy); }

}  // namespace kro
