#pragma once
// Reading the arguments of kro-cli commands: options taken out of the
// argument list, numbers and times.

#include <string>
#include <vector>

#include "core/time.hpp"

namespace kro::cli {

// Takes "--name VALUE" out of `args` (the first occurrence) and sets
// `present`; false when the option is last and lacks its value.
bool take_option(std::vector<std::string>& args, const std::string& name, std::string& value, bool& present);
// Takes "--name" out of `args`; true when it was there.
bool take_flag(std::vector<std::string>& args, const std::string& name);

// Takes the program's command-line keys (ODBC=, USER=, PASSWORD=,
// ODBC_CSS=, USER_CSS=, PASSWORD_CSS=, DATA=, any case) out of `args`, in
// their order.
std::vector<std::string> take_configuration_args(std::vector<std::string>& args);

// An epoch time: seconds since 1970 ("1296474900.5"), or a UTC calendar
// time "YYYY-MM-DDThh:mm:ss[.fff]" (a blank may stand for the T). False
// when the text is neither or names no valid calendar time.
bool parse_time(const std::string& text, EpochTime& t);

// A whole number in [minimum, maximum]; false otherwise.
bool parse_int(const std::string& text, int minimum, int maximum, int& value);

}  // namespace kro::cli
