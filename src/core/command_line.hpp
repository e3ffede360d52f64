#pragma once
// The program's command-line keys.
//
// Every argument, the program path included, is upper-cased and compared
// with the prefixes "ODBC=", "USER=", "PASSWORD=", "ODBC_CSS=", "USER_CSS=",
// "PASSWORD_CSS=" and "DATA="; the value is the rest of the upper-cased
// argument. DATA= loses every ' and " character. A later argument with the
// same key wins. A key given here replaces the configuration-file key, which
// is then not consulted.

#include <optional>
#include <string>
#include <vector>

namespace kro {

struct CommandLine {
    std::optional<std::string> odbc;          // DATABASE ODBC
    std::optional<std::string> user;          // DATABASE USER
    std::optional<std::string> password;      // DATABASE PASSWORD
    std::optional<std::string> odbc_css;      // DATABASE ODBC_CSS
    std::optional<std::string> user_css;      // DATABASE USER_CSS
    std::optional<std::string> password_css;  // DATABASE PASSWORD_CSS
    std::optional<std::string> data;          // DATA DIR
    // The splash window is shown unless an argument asks otherwise
    // ("/NOLOGO", "-NOLOGO" or "--NO-SPLASH", any case).
    bool show_splash = true;
};

CommandLine parse_command_line(const std::vector<std::string>& args);

}  // namespace kro
