// kro-cli commands on waveform data: reading a channel window, listing the
// station table, importing a folder of CSS 3.0 data into the file store.

#include "cli/commands_data.hpp"

#include <cstdio>
#include <filesystem>
#include <ostream>

#include "cli/options.hpp"
#include "cli/session.hpp"
#include "core/config.hpp"
#include "data/css_import.hpp"
#include "db/database.hpp"

namespace kro::cli {

namespace {

std::string number_text(const char* format, double v) {
    char text[64];
    std::snprintf(text, sizeof text, format, v);
    return text;
}

}  // namespace

int run_read(const std::vector<std::string>& input, Env& env) {
    std::vector<std::string> args = input;
    const std::vector<std::string> configuration = take_configuration_args(args);
    if (args.size() != 4) {
        env.err << "usage: kro-cli read STA CHAN T1 T2 [NAME=VALUE...]\n";
        return kExitUsage;
    }
    EpochTime t1 = 0.0, t2 = 0.0;
    if (!parse_window(args[2], args[3], t1, t2, env)) return kExitUsage;
    Session session(env, configuration);
    if (!session.open_databases()) return kExitFailure;
    StationTable stations;
    if (!session.load_stations(stations)) return kExitFailure;
    KRODataBlockArray array;
    if (!read_blocks(session, stations, args[0], args[1], t1, t2, array)) return kExitFailure;
    for (const KRODataBlock& b : array.blocks()) {
        env.out << "start=" << number_text("%.4f", b.start) << " sps=" << number_text("%g", b.sps)
                << " count=" << b.count() << " calib=" << number_text("%g", b.calib)
                << " calper=" << number_text("%g", b.calper) << " first=";
        for (std::size_t i = 0; i < b.samples.size() && i < 5; ++i)
            env.out << (i ? " " : "") << sample_text(b.samples[i]);
        env.out << '\n';
    }
    return kExitOk;
}

int run_stations(const std::vector<std::string>& input, Env& env) {
    std::vector<std::string> args = input;
    const std::vector<std::string> configuration = take_configuration_args(args);
    if (!args.empty()) {
        env.err << "usage: kro-cli stations [NAME=VALUE...]\n";
        return kExitUsage;
    }
    Session session(env, configuration);
    if (!session.open_databases()) return kExitFailure;
    StationTable table;
    if (!session.load_stations(table)) return kExitFailure;
    for (const CScreenFields& s : table.stations()) {
        env.out << s.name << " lat=" << number_text("%.4f", s.lat) << " lon=" << number_text("%.4f", s.lon)
                << " elev=" << number_text("%.4f", s.elev);
        for (int slot = 0; slot < kChannelSlots; ++slot) {
            const ChannelSlot& c = s.slots[static_cast<std::size_t>(slot)];
            if (!c.name.empty()) env.out << ' ' << slot << ':' << c.name << ':' << number_text("%g", c.sps);
        }
        env.out << '\n';
    }
    return kExitOk;
}

int run_import_css(const std::vector<std::string>& input, Env& env) {
    std::vector<std::string> args = input;
    const std::vector<std::string> configuration = take_configuration_args(args);
    if (args.size() != 1) {
        env.err << "usage: kro-cli import-css FOLDER [NAME=VALUE...]\n";
        return kExitUsage;
    }
    std::error_code ec;
    if (!std::filesystem::is_directory(native_path(args[0]), ec)) {
        env.err << "No such folder: " << args[0] << '\n';
        return kExitFailure;
    }
    Session session(env, configuration);
    const std::string data_folder = session.settings().data_folder;
    if (data_folder.empty() || data_folder == "\\" || data_folder == "/") {
        env.err << "No data folder is configured (DATA DIR in " << session.settings().config_file
                << "); the import writes its files there\n";
        return kExitFailure;
    }
    if (!session.open_databases()) return kExitFailure;
    StationTable table;
    if (!session.load_stations(table)) return kExitFailure;
    const CssImportResult result =
        import_css_folder(args[0], table, data_folder, session.database().main(), env.messenger);
    for (const XChan& x : result.inventory.records())
        env.out << x.sta << ' ' << x.chan << ' ' << number_text("%.4f", x.tmin) << ' ' << number_text("%.4f", x.tmax)
                << '\n';
    if (result.stopped_by_error) {
        env.err << "The import stopped at the error above; the " << result.files_written
                << " file(s) stored before it are kept\n";
        return kExitFailure;
    }
    if (result.files_written == 0) {
        env.err << "No wfdisc line of " << args[0] << " names a station channel of the station table\n";
        return kExitFailure;
    }
    return kExitOk;
}

KRO_CLI_COMMAND(read, "STA CHAN T1 T2 [NAME=VALUE...]",
                "reads a channel window from the configured catalogue; one line per block: start, sps, count, "
                "calib, calper and its first five samples (T: epoch seconds or YYYY-MM-DDThh:mm:ss, UTC)",
                run_read);
KRO_CLI_COMMAND(stations, "[NAME=VALUE...]",
                "the station table of the main database: name, coordinates, and SLOT:CHANNEL:SPS for each "
                "non-empty channel slot",
                run_stations);
KRO_CLI_COMMAND_NAMED(import_css, "import-css", "FOLDER [NAME=VALUE...]",
                "imports the CSS 3.0 wfdisc files of a folder into the file store; prints one STA CHAN TMIN TMAX "
                "line per imported station channel",
                run_import_css);

}  // namespace kro::cli
