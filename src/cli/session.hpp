#pragma once
// What the kro-cli commands on the configured databases share: the
// configuration (KRO.INI, with the program's command-line keys given among
// the arguments), the open databases, the station table, and one station
// channel read over a time window and placed on a regular series as the
// trace pane places it.

#include <memory>
#include <string>
#include <vector>

#include "cli/cli.hpp"
#include "core/app_context.hpp"
#include "data/data_block.hpp"
#include "data/station_table.hpp"

namespace kro {
class Database;
}

namespace kro::cli {

class Session {
public:
    // Reads KRO.INI with `configuration_args` as the program's command line.
    Session(Env& env, const std::vector<std::string>& configuration_args);
    ~Session();

    // Opens the main database (and the CSS 3.0 one when it is configured).
    // False, with a message on the error stream, when the main database
    // cannot be opened, or when `for_waveforms` and the waveforms are to
    // come from wfdisc (WFD=1) but the CSS 3.0 database is not connected.
    bool open_databases(bool for_waveforms = true);
    // The station table of the main database; false, with a message, when
    // SITE or SITECHAN cannot be read.
    bool load_stations(StationTable& table);

    AppContext& context() { return ctx_; }
    const AppSettings& settings() const { return ctx_.settings; }
    Database& database() { return *db_; }
    Env& env() { return env_; }

private:
    Env& env_;
    AppContext ctx_;
    std::unique_ptr<Database> db_;
};

// One station channel over [t1, t2]: the blocks as read and a regular
// series at the blocks' rate. The blocks are placed as a trace pane places
// them, on n = trunc((t2 - t1) * sps) + 1 samples from t1 (gaps are 0);
// the series then keeps the positions from the first to the last one a
// block reaches, so that no zeros stand before or after the data.
struct ChannelSeries {
    KRODataBlockArray blocks;
    std::vector<float> samples;
    EpochTime start = 0.0;  // time of samples[0]
    double sps = 0.0;
    int station = -1;  // index in the station table, -1 when not there
    int slot = -1;     // channel slot of that station, -1 when not there
};

// Reads the blocks of the window through the configured catalogue. When
// there are none, writes why to the error stream (an unknown station or
// channel, or no data in the window) and gives false.
bool read_blocks(Session& session, const StationTable& stations, const std::string& sta, const std::string& chan,
                 EpochTime t1, EpochTime t2, KRODataBlockArray& array);

// Reads the window through the configured catalogue. On failure writes
// the reason to the error stream ("No data ...", an unknown station or
// channel, blocks of different rates) and gives kExitFailure; kExitOk
// otherwise.
int read_series(Session& session, const StationTable& stations, const std::string& sta, const std::string& chan,
                EpochTime t1, EpochTime t2, ChannelSeries& out);

// The time window arguments: T1 and T2 as epoch seconds or calendar texts,
// T2 after T1. False, with a message, otherwise.
bool parse_window(const std::string& t1_text, const std::string& t2_text, EpochTime& t1, EpochTime& t2, Env& env);

// "%.4f" of an epoch time followed by its calendar text in brackets.
std::string time_text(EpochTime t);
// A float with the digits that read back to the same float.
std::string sample_text(float v);

}  // namespace kro::cli
