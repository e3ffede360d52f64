// kro-cli: the workstation's computations without a window.

#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.hpp"
#include "core/config.hpp"
#include "core/single_instance.hpp"

namespace {

void print_help(std::ostream& out, const std::vector<kro::cli::Command>& commands) {
    out << "kro-cli - the seismic analysis workstation without a window.\n"
           "Reads the same KRO.INI, databases and waveform files as the workstation\n"
           "and runs its computations from the command line.\n\n"
           "usage: kro-cli [--single-instance] [--yes|--no] COMMAND [ARGS...]\n\n"
           "  --single-instance  end silently (status 0) when the workstation or\n"
           "                     another such kro-cli already runs for this user\n"
           "  --yes, --no        the answer to questions the command asks\n\n"
           "commands:\n";
    for (const auto& c : commands) out << "  " << c.name << " " << c.usage << "\n      " << c.summary << "\n";
}

}  // namespace

int main(int argc, char** argv) {
    const auto& commands = kro::cli::commands();

    std::vector<std::string> args(argv + 1, argv + argc);
    bool single_instance = false;
    kro::StreamMessenger messenger(std::cout);
    while (!args.empty() && args.front().starts_with("--")) {
        const std::string option = args.front();
        if (option == "--single-instance") single_instance = true;
        else if (option == "--yes") messenger.set_fixed_answer(kro::MessageAnswer::Yes);
        else if (option == "--no") messenger.set_fixed_answer(kro::MessageAnswer::No);
        else if (option == "--help") {
            print_help(std::cout, commands);
            return kro::cli::kExitOk;
        } else {
            std::cerr << "kro-cli: unknown option " << option << "\n";
            return kro::cli::kExitUsage;
        }
        args.erase(args.begin());
    }
    if (args.empty()) {
        print_help(std::cout, commands);
        return kro::cli::kExitOk;
    }

    std::optional<kro::SingleInstanceLock> lock;
    if (single_instance) {
        lock = kro::SingleInstanceLock::try_acquire(kro::SingleInstanceLock::default_path());
        if (!lock) return kro::cli::kExitOk;
    }

    const std::string name = args.front();
    args.erase(args.begin());
    kro::cli::Env env{std::cout, std::cerr, messenger, kro::running_executable_path(argv[0])};
    for (const auto& c : commands)
        if (c.name == name) return c.run(args, env);
    std::cerr << "kro-cli: unknown command " << name << " (kro-cli --help lists them)\n";
    return kro::cli::kExitUsage;
}
