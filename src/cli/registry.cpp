// The list of kro-cli commands that the registrations fill.

#include <algorithm>

#include "cli/cli.hpp"

namespace kro::cli {

std::vector<Command>& commands() {
    static std::vector<Command> all;
    return all;
}

Registrar::Registrar(Command command) {
    auto& all = commands();
    const auto at = std::lower_bound(all.begin(), all.end(), command.name,
                                     [](const Command& c, const std::string& name) { return c.name < name; });
    all.insert(at, std::move(command));
}

}  // namespace kro::cli
