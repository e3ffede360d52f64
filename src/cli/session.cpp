#include "cli/session.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ostream>

#include "cli/options.hpp"
#include "core/profile_file.hpp"
#include "core/time_format.hpp"
#include "data/channel_reader.hpp"
#include "data/station_loader.hpp"
#include "db/database.hpp"

namespace kro::cli {

Session::Session(Env& env, const std::vector<std::string>& configuration_args) : env_(env), ctx_(env.messenger) {
    std::vector<std::string> command_line{env.executable_path};
    command_line.insert(command_line.end(), configuration_args.begin(), configuration_args.end());
    load_configuration(ctx_, command_line, env.executable_path);
    db_ = std::make_unique<Database>(ctx_);
}

Session::~Session() = default;

bool Session::open_databases(bool for_waveforms) {
    db_->open_at_startup();
    if (!db_->main_connected()) {
        env_.err << "Cannot open the main database (data source " << ctx_.settings.database.odbc << ")\n";
        return false;
    }
    if (for_waveforms && ctx_.settings.waveforms_from_wfdisc && !db_->css_connected()) {
        env_.err << "The waveforms come from wfdisc (DATABASE WFD=1) but the CSS 3.0 database is not connected "
                    "(DATABASE ODBC_CSS and USER_CSS)\n";
        return false;
    }
    return true;
}

bool Session::load_stations(StationTable& table) {
    // The loader shows a database error through the messenger and keeps
    // what it read; a second messenger tells whether that happened.
    RecordingMessenger errors;
    load_station_table(db_->main(), table, errors, current_time());
    if (errors.boxes.empty()) return true;
    for (const auto& box : errors.boxes) env_.err << box.text << '\n';
    env_.err << "Cannot read the station table (SITE, SITECHAN) of the main database\n";
    return false;
}

bool read_blocks(Session& session, const StationTable& stations, const std::string& sta, const std::string& chan,
                 EpochTime t1, EpochTime t2, KRODataBlockArray& array) {
    read_channel_window(session.database(), session.settings(), sta, chan, t1, t2, array);
    if (array.count() > 0) return true;
    Env& env = session.env();
    const int station = stations.station_index(sta);
    if (station < 0)
        env.err << "Unknown station " << sta << ": it is not in the station table (SITE) and no data of it were "
                << "found\n";
    else if (stations.channel_slot(station, chan) < 0)
        env.err << "Unknown channel " << sta << " " << chan << ": it is not in the station table (SITECHAN) and no "
                << "data of it were found\n";
    else
        env.err << "No data of " << sta << " " << chan << " between " << time_text(t1) << " and " << time_text(t2)
                << '\n';
    return false;
}

int read_series(Session& session, const StationTable& stations, const std::string& sta, const std::string& chan,
                EpochTime t1, EpochTime t2, ChannelSeries& out) {
    Env& env = session.env();
    out = ChannelSeries{};
    out.start = t1;
    out.station = stations.station_index(sta);
    if (out.station >= 0) out.slot = stations.channel_slot(out.station, chan);
    if (!read_blocks(session, stations, sta, chan, t1, t2, out.blocks)) return kExitFailure;
    out.sps = out.blocks.block(0).sps;
    for (const KRODataBlock& b : out.blocks.blocks()) {
        if (b.sps != out.sps) {
            env.err << "The data of " << sta << " " << chan << " change their sampling rate in the window ("
                    << out.sps << " and " << b.sps << " samples per second); choose a window with one rate\n";
            return kExitFailure;
        }
    }
    if (!(out.sps > 0.0)) {
        env.err << "The data of " << sta << " " << chan << " have no sampling rate\n";
        return kExitFailure;
    }
    // A hair of tolerance, so that 30 s at 100 samples per second is 3000
    // intervals however the window's ends were rounded.
    const double intervals = std::floor((t2 - t1) * out.sps + 1e-6);
    if (intervals < 1.0 || intervals + 1.0 > 2147483647.0) {
        env.err << "The window must hold from 2 to 2147483647 samples at " << out.sps << " samples per second\n";
        return kExitFailure;
    }
    const auto n = static_cast<std::int32_t>(intervals) + 1;
    const double duration = (n - 1) / out.sps;
    place_on_series(out.blocks, t1, duration, n, out.samples);
    // Keep the positions from the first to the last one a block reaches,
    // by the placing's own index rule, so that no zeros stand before or
    // after the data.
    std::int64_t first = n, last = -1;
    for (const KRODataBlock& b : out.blocks.blocks()) {
        const auto index = static_cast<std::int64_t>(std::trunc((b.start - t1) * (n - 1) / duration));
        first = std::min(first, std::max<std::int64_t>(index, 0));
        last = std::max(last, std::min<std::int64_t>(index + b.count() - 1, n - 1));
    }
    if (last < first) {
        env.err << "No data of " << sta << " " << chan << " between " << time_text(t1) << " and " << time_text(t2)
                << '\n';
        return kExitFailure;
    }
    out.samples.erase(out.samples.begin() + last + 1, out.samples.end());
    out.samples.erase(out.samples.begin(), out.samples.begin() + first);
    out.start = t1 + static_cast<double>(first) / out.sps;
    return kExitOk;
}

bool parse_window(const std::string& t1_text, const std::string& t2_text, EpochTime& t1, EpochTime& t2, Env& env) {
    if (!parse_time(t1_text, t1) || !parse_time(t2_text, t2)) {
        env.err << "A time is epoch seconds or YYYY-MM-DDThh:mm:ss[.fff] (UTC): "
                << (parse_time(t1_text, t1) ? t2_text : t1_text) << '\n';
        return false;
    }
    if (!(t2 > t1)) {
        env.err << "T2 must lie after T1\n";
        return false;
    }
    return true;
}

std::string time_text(EpochTime t) {
    char text[48];
    std::snprintf(text, sizeof text, "%.4f", t);
    return std::string(text) + " (" + format_dmy_hms3(t) + ")";
}

std::string sample_text(float v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(v));
    return text;
}

}  // namespace kro::cli
