#include "core/time_format.hpp"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace kro {

namespace {

template <typename... Args>
std::string format(const char* fmt, Args... args) {
    char buf[128];
    std::snprintf(buf, sizeof buf, fmt, args...);
    return buf;
}

bool is_blank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string format_dmy_hms3(EpochTime t) {
    const CalendarTime c = calendar_of(t);
    return format("%02d/%02d/%04d %02d:%02d:%02.3f", c.day, c.month, c.year, c.hour, c.minute,
                  static_cast<double>(c.seconds));
}

std::string format_dmy_hms0(EpochTime t) {
    const CalendarTime c = calendar_of(t);
    return format("%02d/%02d/%04d %02d:%02d:%02.0f", c.day, c.month, c.year, c.hour, c.minute,
                  static_cast<double>(c.seconds));
}

std::string format_hms3_dmy(EpochTime t) {
    const CalendarTime c = calendar_of(t);
    return format("%02d:%02d:%02.3f %02d/%02d/%04d", c.hour, c.minute, static_cast<double>(c.seconds), c.day,
                  c.month, c.year);
}

std::string format_hms_hundredths_dmy(EpochTime t) {
    double whole = std::floor(t);
    const double fraction_x100 = (t - whole) * 100.0;
    int hundredths = static_cast<int>(std::trunc(fraction_x100));
    if (fraction_x100 - hundredths >= 0.5) hundredths += 1;
    if (hundredths >= 100) {  // the rounding reaches the next second
        hundredths -= 100;
        whole += 1.0;
    }
    const CalendarTime c = calendar_of(whole);
    return format("%02d:%02d:%02d.%02d %02d/%02d/%04d", c.hour, c.minute, static_cast<int>(c.seconds), hundredths,
                  c.day, c.month, c.year);
}

std::string format_cursor_time(EpochTime t) {
    const CalendarTime c = calendar_of(t);
    return format("%02d:%02d:%.02f  %02d/%02d/%04d", c.hour, c.minute, static_cast<double>(c.seconds), c.day,
                  c.month, c.year);
}

std::string format_cursor_time_amplitude(EpochTime t, double amplitude) {
    const CalendarTime c = calendar_of(t);
    return format("%02d:%02d:%.03f  %02d/%02d/%04d A:%f", c.hour, c.minute, static_cast<double>(c.seconds), c.day,
                  c.month, c.year, amplitude);
}

std::string format_start_time_field(EpochTime t) {
    const YdayTime y = time_to_yday(t);
    return format("%02d:%02d:%02d.%03d", y.hour, y.minute, y.second, y.millisecond);
}

std::string format_duration_field(double seconds) {
    const auto total = static_cast<long long>(seconds);
    return format("%02d:%02d:%02d", static_cast<int>(total / 3600), static_cast<int>(total / 60 % 60),
                  static_cast<int>(total % 60));
}

std::string format_date_field(EpochTime t) {
    const CalendarTime c = calendar_of(t);
    return format("%02d/%02d/%04d", c.day, c.month, c.year);
}

std::string format_mdy_dots_hms(EpochTime t) {
    const CalendarTime c = calendar_of(t);
    return format("%02d.%02d.%04d %02d:%02d:%02d", c.month, c.day, c.year, c.hour, c.minute,
                  static_cast<int>(c.seconds));
}

std::string format_hms_dmy2(int year, int month, int day, int hour, int minute, int second) {
    return format("%02d:%02d:%02d %02d.%02d.%02d", hour, minute, second, day, month, year - 2000);
}

std::string format_date_time_edit(const CalendarTime& c) {
    return format("%02d:%02d:%02d %02d/%02d/%04d", c.hour, c.minute, static_cast<int>(c.seconds), c.day, c.month,
                  c.year);
}

std::string local_clock_text(const char* strftime_format) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buf[128];
    const std::size_t n = std::strftime(buf, sizeof buf, strftime_format, &local);
    return std::string(buf, n);
}

std::string new_event_identifier() { return local_clock_text("%Y%m%d%H%M%S"); }

std::string local_load_date() { return local_clock_text("%Y-%m-%d %H:%M:%S"); }

ScanResult scan_pattern(std::string_view text, std::string_view pattern) {
    ScanResult result;
    // Count the assigning conversions first, so unreached fields exist and are 0.
    for (std::size_t i = 0; i + 1 < pattern.size(); ++i) {
        if (pattern[i] == '%' && pattern[i + 1] != '*' && pattern[i + 1] != '%') result.fields.push_back(0.0);
    }

    std::size_t in = 0;
    std::size_t field = 0;
    std::size_t p = 0;
    while (p < pattern.size()) {
        const char pc = pattern[p];
        if (pc != '%') {
            if (is_blank(pc)) {
                while (in < text.size() && is_blank(text[in])) ++in;
            } else {
                if (in >= text.size() || text[in] != pc) return result;
                ++in;
            }
            ++p;
            continue;
        }
        ++p;  // past '%'
        bool suppress = false;
        if (p < pattern.size() && pattern[p] == '*') {
            suppress = true;
            ++p;
        }
        std::size_t width = 0;
        while (p < pattern.size() && is_digit(pattern[p])) width = width * 10 + static_cast<std::size_t>(pattern[p++] - '0');
        if (p >= pattern.size()) return result;
        const char conv = pattern[p++];

        if (conv == '[') {
            const std::size_t close = pattern.find(']', p + 1);  // a ']' right after '[' belongs to the set
            if (close == std::string_view::npos) return result;
            const std::string_view set = pattern.substr(p, close - p);
            p = close + 1;
            const std::size_t start = in;
            while (in < text.size() && (width == 0 || in - start < width) && set.find(text[in]) != std::string_view::npos) ++in;
            if (in == start) return result;
            if (!suppress) result.fields[field++] = 0.0;  // text sets are never assigned by our patterns
            continue;
        }

        while (in < text.size() && is_blank(text[in])) ++in;
        const std::size_t limit = width == 0 ? text.size() : std::min(text.size(), in + width);
        std::size_t end = in;
        if (end < limit && (text[end] == '+' || text[end] == '-')) ++end;
        const std::size_t digits_start = end;
        while (end < limit && is_digit(text[end])) ++end;
        std::size_t mantissa_digits = end - digits_start;
        if (conv == 'f') {
            if (end < limit && text[end] == '.') {
                ++end;
                const std::size_t frac_start = end;
                while (end < limit && is_digit(text[end])) ++end;
                mantissa_digits += end - frac_start;
            }
            if (mantissa_digits > 0 && end < limit && (text[end] == 'e' || text[end] == 'E')) {
                std::size_t e = end + 1;
                if (e < limit && (text[e] == '+' || text[e] == '-')) ++e;
                const std::size_t exp_digits = e;
                while (e < limit && is_digit(text[e])) ++e;
                if (e > exp_digits) end = e;
            }
        } else if (conv != 'd') {
            return result;  // not a conversion our patterns use
        }
        if (mantissa_digits == 0) return result;

        std::string_view number = text.substr(in, end - in);
        if (number.front() == '+') number.remove_prefix(1);
        double value = 0.0;
        if (conv == 'd') {
            long long v = 0;
            std::from_chars(number.data(), number.data() + number.size(), v);
            value = static_cast<double>(v);
        } else {
            std::from_chars(number.data(), number.data() + number.size(), value);
        }
        in = end;
        if (!suppress) {
            result.fields[field++] = value;
            result.matched += 1;
        }
    }
    return result;
}

}  // namespace kro
