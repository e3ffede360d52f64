#include "cli/options.hpp"

#include <cmath>
#include <cstdio>
#include <string_view>

#include "cli/cli.hpp"
#include "core/profile_file.hpp"

namespace kro::cli {

bool take_option(std::vector<std::string>& args, const std::string& name, std::string& value, bool& present) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] != name) continue;
        if (i + 1 >= args.size()) return false;
        value = args[i + 1];
        present = true;
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
        return true;
    }
    return true;
}

bool take_flag(std::vector<std::string>& args, const std::string& name) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == name) {
            args.erase(args.begin() + static_cast<std::ptrdiff_t>(i));
            return true;
        }
    }
    return false;
}

std::vector<std::string> take_configuration_args(std::vector<std::string>& args) {
    static constexpr std::string_view kKeys[] = {"ODBC=",     "USER=",         "PASSWORD=", "ODBC_CSS=",
                                                 "USER_CSS=", "PASSWORD_CSS=", "DATA="};
    std::vector<std::string> taken;
    for (auto it = args.begin(); it != args.end();) {
        const std::string upper = to_upper(*it);
        bool key = false;
        for (std::string_view k : kKeys) key = key || upper.starts_with(k);
        if (key) {
            taken.push_back(*it);
            it = args.erase(it);
        } else {
            ++it;
        }
    }
    return taken;
}

bool parse_time(const std::string& text, EpochTime& t) {
    if (parse_double(text, t)) return std::isfinite(t);
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, used = 0;
    double seconds = 0.0;
    char separator = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d%c%2d:%2d:%lf%n", &year, &month, &day, &separator, &hour, &minute,
                    &seconds, &used) != 7 ||
        static_cast<std::size_t>(used) != text.size() || (separator != 'T' && separator != ' '))
        return false;
    if (year < 1970 || month < 1 || month > 12 || day < 1 || day > month_length(year, month) || hour > 23 ||
        hour < 0 || minute < 0 || minute > 59 || !(seconds >= 0.0 && seconds < 60.0))
        return false;
    t = calendar_to_time(year, month, day, hour, minute, seconds);
    return true;
}

bool parse_int(const std::string& text, int minimum, int maximum, int& value) {
    double v = 0.0;
    if (!parse_double(text, v) || v != static_cast<double>(static_cast<long long>(v)) || v < minimum || v > maximum)
        return false;
    value = static_cast<int>(v);
    return true;
}

}  // namespace kro::cli
