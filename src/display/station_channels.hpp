#pragma once
// The station table as the waveform window sees it: the channels it knows,
// the channels the selection matrix marks with their stations' time
// windows, and the reader of the file catalogue as the panes' source.

#include <vector>

#include "data/station_table.hpp"
#include "display/channel_source.hpp"
#include "display/channel_store.hpp"

namespace kro {

class Database;
struct AppSettings;

// A channel with the time window it is to be shown over.
struct SelectedChannel {
    ChannelDescription channel;
    TimeWindow span;
};

// The description of one channel slot of the table.
ChannelDescription channel_description(const StationTable& table, int station, int slot);
// Every non-empty slot of every station, in table and slot order.
std::vector<ChannelDescription> station_catalogue(const StationTable& table);
// The slots the selection matrix marks, in table and slot order, each with
// its station's window (window_start, window_length).
std::vector<SelectedChannel> selected_channels(const StationTable& table);

// Blocks from the catalogue the configuration chooses (FILELIST or wfdisc)
// through read_channel_window; the data folder and the source are read at
// each load, so a change on the Options page applies to the next load.
class DatabaseChannelSource final : public ChannelSource {
public:
    DatabaseChannelSource(Database& db, const AppSettings& settings) : db_(db), settings_(settings) {}
    Status load(const ChannelDescription& channel, EpochTime t0, double duration, KRODataBlockArray& out) override;

private:
    Database& db_;
    const AppSettings& settings_;
};

}  // namespace kro
