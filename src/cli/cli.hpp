#pragma once
// The subcommands of kro-cli. Each subsystem has a file commands_<name>.cpp
// that registers its commands:
//
//   KRO_CLI_COMMAND(time, "EPOCH", "calendar fields of an epoch time", run_time);

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "core/messenger.hpp"

namespace kro::cli {

struct Env {
    std::ostream& out;
    std::ostream& err;
    Messenger& messenger;
    std::string executable_path;
};

struct Command {
    std::string name;
    std::string usage;    // arguments, for the help text
    std::string summary;  // one line
    std::function<int(const std::vector<std::string>& args, Env& env)> run;
};

// Exit codes: 0 success, 1 failure of the operation, 2 wrong usage.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Every registered command, sorted by name.
std::vector<Command>& commands();

struct Registrar {
    explicit Registrar(Command command);
};

#define KRO_CLI_COMMAND(id, usage, summary, function) \
    static const ::kro::cli::Registrar kro_cli_registrar_##id{::kro::cli::Command{#id, usage, summary, function}}
// The same for a command whose name is no identifier ("import-css").
#define KRO_CLI_COMMAND_NAMED(id, name, usage, summary, function) \
    static const ::kro::cli::Registrar kro_cli_registrar_##id{::kro::cli::Command{name, usage, summary, function}}

// Reads a number argument; false when it is not entirely a number.
bool parse_double(const std::string& text, double& value);

}  // namespace kro::cli
