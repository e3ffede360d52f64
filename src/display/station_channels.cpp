#include "display/station_channels.hpp"

#include "data/channel_reader.hpp"

namespace kro {

ChannelDescription channel_description(const StationTable& table, int station, int slot) {
    const CScreenFields& s = table.at(station);
    const ChannelSlot& c = s.slots.at(static_cast<std::size_t>(slot));
    ChannelDescription d;
    d.sta = s.name;
    d.chan = c.name;
    d.sps = c.sps;
    d.nindex = s.nindex;
    d.station_index = station;
    d.channel_index = slot;
    d.latitude = c.lat;
    d.longitude = c.lon;
    return d;
}

std::vector<ChannelDescription> station_catalogue(const StationTable& table) {
    std::vector<ChannelDescription> all;
    for (int s = 0; s < table.count(); ++s)
        for (int slot = 0; slot < kChannelSlots; ++slot)
            if (!table.at(s).slots[static_cast<std::size_t>(slot)].name.empty())
                all.push_back(channel_description(table, s, slot));
    return all;
}

std::vector<SelectedChannel> selected_channels(const StationTable& table) {
    std::vector<SelectedChannel> selected;
    for (int s = 0; s < table.count(); ++s) {
        const TimeWindow span{window_start(table.at(s)), window_length(table.at(s))};
        for (int slot = 0; slot < kChannelSlots; ++slot)
            if (table.selected(s, slot)) selected.push_back({channel_description(table, s, slot), span});
    }
    return selected;
}

Status DatabaseChannelSource::load(const ChannelDescription& channel, EpochTime t0, double duration,
                                   KRODataBlockArray& out) {
    read_channel_window(db_, settings_, channel.sta, channel.chan, t0, t0 + duration, out);
    return {};
}

}  // namespace kro
