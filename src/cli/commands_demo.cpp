// kro-cli demo: installing the demo network and event, and writing the
// demo event's phase list.

#include <filesystem>
#include <ostream>

#include "cli/cli.hpp"
#include "core/app_context.hpp"
#include "db/database.hpp"
#include "demo/demo_event.hpp"
#include "demo/demo_install.hpp"
#include "location/travel_time_tables.hpp"

namespace kro::cli {

namespace {

constexpr const char* kUsage =
    "usage: kro-cli demo install [--force] [--tables DIR] [--data-default DIR] [ARG...]\n"
    "       kro-cli demo event DIR [--tables DIR]\n"
    "  install   puts the demo network, event and waveforms into the configured databases and data\n"
    "            folder; when they are complete already it says so and stops (--force installs again).\n"
    "            --tables: the travel-time tables of the event (default: the configured ones); when\n"
    "            KRO.INI names none, DIR is written there. --data-default: the data folder to use and\n"
    "            write into KRO.INI when none is configured. ARGs act as the program's command line.\n"
    "  event     writes the event's phase list demo.arr and its station file stations.txt into DIR.\n";

// Takes "--name VALUE" out of `args`: the value, or empty when absent;
// false when the option lacks its value.
bool take_option(std::vector<std::string>& args, const std::string& name, std::string& value) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] != name) continue;
        if (i + 1 >= args.size()) return false;
        value = args[i + 1];
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
        return true;
    }
    return true;
}

bool take_flag(std::vector<std::string>& args, const std::string& name) {
    for (std::size_t i = 0; i < args.size(); ++i)
        if (args[i] == name) {
            args.erase(args.begin() + static_cast<std::ptrdiff_t>(i));
            return true;
        }
    return false;
}

std::string absolute(const std::string& path) {
    std::error_code ec;
    const auto p = std::filesystem::absolute(path, ec);
    return ec ? path : p.lexically_normal().string();
}

// The default value "\" (or nothing) means no folder was chosen.
bool folder_configured(const std::string& folder) {
    const std::string f = trim(native_path(folder));
    return !f.empty() && f != "/";
}

void load_tables(const std::string& folder, TravelTimeTables& tables, Env& env) {
    tables.load(folder);
    for (const std::string& p : tables.problems) env.err << "travel-time table not usable: " << p << '\n';
}

// Names the tables in KRO.INI when the chosen set has no folder yet.
void remember_tables(AppContext& ctx, const std::string& folder, Env& env) {
    const std::string set = std::to_string(ctx.settings.travel_time_set);
    if (folder_configured(ctx.ini.find("GODOGRAPH", "DIR" + set).value_or(""))) return;
    Status s = ctx.ini.write("GODOGRAPH", "DIR" + set, folder);
    if (s && trim(ctx.ini.find("GODOGRAPH", "NAME" + set).value_or("")).empty())
        s = ctx.ini.write("GODOGRAPH", "NAME" + set, "Demo tables");
    if (s && ctx.ini.get_int("GODOGRAPH", "Total#", 0) <= ctx.settings.travel_time_set)
        s = ctx.ini.write("GODOGRAPH", "Total#", std::to_string(ctx.settings.travel_time_set + 1));
    if (s) env.out << "travel-time tables: " << folder << " (written into " << ctx.ini.path() << ")\n";
    else env.err << "KRO.INI was not changed: " << s.message() << '\n';
}

// Writes into KRO.INI the data folder and the travel-time folder the demo
// was installed with, each when given (not empty) and KRO.INI names none.
void remember_folders(AppContext& ctx, const std::string& data_folder, const std::string& tables_folder, Env& env) {
    if (!data_folder.empty() && !folder_configured(ctx.ini.find("DATA", "DIR").value_or(""))) {
        if (Status s = ctx.ini.write("DATA", "DIR", data_folder); s)
            env.out << "data folder: " << data_folder << " (written into " << ctx.ini.path() << ")\n";
        else
            env.err << "KRO.INI was not changed: " << s.message() << '\n';
    }
    if (!tables_folder.empty()) remember_tables(ctx, tables_folder, env);
}

int run_install(std::vector<std::string> args, Env& env) {
    std::string tables_arg, data_default;
    const bool force = take_flag(args, "--force");
    if (!take_option(args, "--tables", tables_arg) || !take_option(args, "--data-default", data_default)) {
        env.err << kUsage;
        return kExitUsage;
    }
    AppContext ctx(env.messenger);
    std::vector<std::string> command_line{env.executable_path};
    command_line.insert(command_line.end(), args.begin(), args.end());
    load_configuration(ctx, command_line, env.executable_path);

    std::string data_folder = ctx.settings.data_folder;
    const bool data_from_default = !folder_configured(data_folder);
    if (data_from_default) {
        if (data_default.empty()) {
            env.err << "No data folder is configured (DIR in section DATA of KRO.INI, or DATA=FOLDER): the demo was "
                       "not installed\n";
            return kExitFailure;
        }
        data_folder = absolute(data_default);
    }

    const std::string tables_folder = tables_arg.empty() ? travel_time_folder(ctx.settings) : absolute(tables_arg);
    TravelTimeTables tables;
    load_tables(tables_folder, tables, env);

    Database db(ctx);
    db.open_at_startup();
    if (!db.main_connected()) {
        env.err << "The main database cannot be reached (" << ctx.settings.database.odbc
                << "): the demo was not installed\n";
        return kExitFailure;
    }
    if (!force && demo_installed(db, ctx.user_settings, data_folder)) {
        env.out << "the demo is already installed in " << ctx.settings.database.odbc << " and " << data_folder
                << " (kro-cli demo install --force installs it again)\n";
        remember_folders(ctx, data_from_default ? data_folder : "", tables_arg.empty() ? "" : tables_folder, env);
        return kExitOk;
    }
    DemoInstallReport report;
    if (Status s = install_demo(db, ctx.user_settings, tables, data_folder, &report); !s) {
        env.err << s.message() << '\n';
        return kExitFailure;
    }
    env.out << "installed the demo in " << ctx.settings.database.odbc << ": " << report.stations << " stations, "
            << report.channels << " channels, " << report.files_imported << " files in the file store\n"
            << "waveforms (CSS 3.0): " << report.css_folder << '\n'
            << "phase list: " << report.arr_path << " (stations: " << report.station_path << ")\n"
            << "channel list: " << kDemoChannelList << '\n'
            << "true hypocentre: " << demo_hypocentre_text(kDemoEvent) << '\n';
    remember_folders(ctx, data_from_default ? data_folder : "", tables_arg.empty() ? "" : tables_folder, env);
    return kExitOk;
}

int run_event(std::vector<std::string> args, Env& env) {
    std::string tables_arg;
    if (!take_option(args, "--tables", tables_arg) || args.size() != 1) {
        env.err << kUsage;
        return kExitUsage;
    }
    std::string folder = tables_arg;
    if (folder.empty()) {
        AppContext ctx(env.messenger);
        load_configuration(ctx, {env.executable_path}, env.executable_path);
        folder = travel_time_folder(ctx.settings);
    }
    TravelTimeTables tables;
    load_tables(folder, tables, env);
    DemoEventFiles files;
    if (Status s = write_demo_event_files(args[0], tables, &files); !s) {
        env.err << s.message() << '\n';
        return kExitFailure;
    }
    env.out << "phase list: " << files.arr_path << '\n'
            << "stations: " << files.station_path << '\n'
            << "true hypocentre: " << demo_hypocentre_text(kDemoEvent) << '\n';
    return kExitOk;
}

int run_demo(const std::vector<std::string>& args, Env& env) {
    if (args.empty()) {
        env.err << kUsage;
        return kExitUsage;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args[0] == "install") return run_install(rest, env);
    if (args[0] == "event") return run_event(rest, env);
    env.err << kUsage;
    return kExitUsage;
}

}  // namespace

KRO_CLI_COMMAND(demo, "install [--force] [--tables DIR] [--data-default DIR] [ARG...] | event DIR [--tables DIR]",
                "installs the demo network and event into the configured databases and data folder; writes the "
                "demo event's phase list",
                run_demo);

}  // namespace kro::cli
