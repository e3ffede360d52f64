#include <charconv>
#include <cstdio>
#include <ostream>

#include "cli/cli.hpp"
#include "core/app_context.hpp"
#include "core/time.hpp"

namespace kro::cli {

bool parse_double(const std::string& text, double& value) {
    const char* begin = text.data();
    const char* end = text.data() + text.size();
    if (begin != end && *begin == '+') ++begin;
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    return ec == std::errc() && ptr == end && begin != end;
}

namespace {

int run_time(const std::vector<std::string>& args, Env& env) {
    double t = 0.0;
    if (args.size() != 1 || !parse_double(args[0], t)) {
        env.err << "usage: kro-cli time EPOCH\n";
        return kExitUsage;
    }
    CalendarTime c;
    if (!time_to_calendar(t, c)) {
        env.err << "The time " << args[0] << " has no calendar date\n";
        return kExitFailure;
    }
    const YdayTime y = time_to_yday(t);
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.3f", static_cast<double>(c.seconds));
    env.out << "year=" << c.year << '\n'
            << "month=" << c.month << '\n'
            << "day=" << c.day << '\n'
            << "hour=" << c.hour << '\n'
            << "minute=" << c.minute << '\n'
            << "second=" << seconds << '\n'
            << "yday=" << month_day_to_yday(c.year, c.month, c.day) << '\n'
            << "jdate=" << calendar_to_jdate(c.year, c.month, c.day) << '\n'
            << "millisecond=" << y.millisecond << '\n'
            << "style4=" << dttostr(t, 4) << '\n'
            << "style11=" << dttostr(t, 11) << '\n'
            << "style15=" << dttostr(t, 15) << '\n';
    return kExitOk;
}

int run_config(const std::vector<std::string>& args, Env& env) {
    AppContext ctx(env.messenger);
    std::vector<std::string> command_line{env.executable_path};
    command_line.insert(command_line.end(), args.begin(), args.end());
    load_configuration(ctx, command_line, env.executable_path);
    env.out << "config_file=" << ctx.settings.config_file << '\n';
    for (const std::string& line : describe_settings(ctx.settings)) env.out << line << '\n';
    return kExitOk;
}

}  // namespace

KRO_CLI_COMMAND(time, "EPOCH", "calendar fields, day of year, jdate and dttostr styles of an epoch time", run_time);
KRO_CLI_COMMAND(config, "[ARG...]",
                "applies ARGs as the program's command line, reads KRO.INI and prints every setting", run_config);

}  // namespace kro::cli
