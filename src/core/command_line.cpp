#include "core/command_line.hpp"

#include <algorithm>
#include <string_view>

#include "core/profile_file.hpp"

namespace kro {

CommandLine parse_command_line(const std::vector<std::string>& args) {
    CommandLine cmd;
    struct Key {
        std::string_view prefix;
        std::optional<std::string> CommandLine::*field;
    };
    static constexpr Key kKeys[] = {
        {"ODBC=", &CommandLine::odbc},         {"USER=", &CommandLine::user},
        {"PASSWORD=", &CommandLine::password}, {"ODBC_CSS=", &CommandLine::odbc_css},
        {"USER_CSS=", &CommandLine::user_css}, {"PASSWORD_CSS=", &CommandLine::password_css},
        {"DATA=", &CommandLine::data},
    };
    for (const std::string& arg : args) {
        const std::string upper = to_upper(arg);
        if (upper == "/NOLOGO" || upper == "-NOLOGO" || upper == "--NO-SPLASH") cmd.show_splash = false;
        for (const Key& key : kKeys) {
            if (!upper.starts_with(key.prefix)) continue;
            std::string value = upper.substr(key.prefix.size());
            if (key.field == &CommandLine::data) std::erase_if(value, [](char c) { return c == '\'' || c == '"'; });
            cmd.*key.field = std::move(value);
        }
    }
    return cmd;
}

}  // namespace kro
