#pragma once
// The process-wide state of one run of the program, created at start-up and
// reached explicitly by everything that needs it. Later subsystems add
// their parts here (the station table, the current event, the travel-time
// tables). Parts that core must not depend on are reached through pointers
// to forward-declared types, owned elsewhere.

#include <string>
#include <vector>

#include "core/config.hpp"
#include "core/messenger.hpp"
#include "core/observers.hpp"
#include "core/profile_file.hpp"
#include "core/settings_tree.hpp"

namespace kro {

class Database;  // db/database.hpp; core never uses it

struct AppContext {
    explicit AppContext(Messenger& m) : messenger(&m) {}

    Messenger* messenger;
    EventNotifier notifier;
    ProfileFile ini;             // KRO.INI
    SettingsTree user_settings;  // the per-user settings tree
    AppSettings settings;        // what start-up read from the command line and KRO.INI
    Database* database = nullptr;  // the open databases, set while a kro::Database for this context lives
};

// Start-up steps that need no window: reads the command line (`args`, the
// program path first), finds and reads KRO.INI, takes the program folder
// and every start-up key into `ctx.settings`, and opens the per-user
// settings tree. Problems with the files are reported through the
// messenger and the defaults are used.
void load_configuration(AppContext& ctx, const std::vector<std::string>& args, const std::string& executable_path);

// The path of the per-user settings tree: <user_config_folder()>/settings.kro.
std::string user_settings_path();

}  // namespace kro
