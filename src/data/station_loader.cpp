#include "data/station_loader.hpp"

#include "core/messenger.hpp"
#include "core/profile_file.hpp"
#include "db/odbc.hpp"
#include "db/stations.hpp"

namespace kro {

namespace {

std::string cut(std::string s, std::size_t n) {
    if (s.size() > n) s.resize(n);
    return s;
}

void fill_slot(CScreenFields& station, const SiteChanRow& row) {
    const int slot = sitechan_slot(row.ngroup.value_or(0), row.chanindex.value_or(0));
    if (slot < 0) return;
    ChannelSlot& s = station.slots[static_cast<std::size_t>(slot)];
    s.name = slot_channel_name(row.chan.value_or(""));
    s.calibfile = cut(row.calibfile.value_or(""), 63);
    s.sps = row.sps.value_or(0.0);
    s.chanindex = row.chanindex.value_or(0);
    if (row.lat && row.lon && row.edeph) {
        s.lat = static_cast<float>(*row.lat);
        s.lon = static_cast<float>(*row.lon);
        s.elev = static_cast<float>(*row.edeph);
    } else {
        s.lat = station.lat;
        s.lon = station.lon;
        s.elev = station.elev;
    }
}

}  // namespace

std::string slot_channel_name(std::string_view chan) { return cut(trim(chan), 5); }

void load_station_table(Connection& main, StationTable& table, Messenger& messenger, EpochTime now) {
    table = StationTable{};
    std::vector<SiteRow> sites;
    try {
        sites = read_sites(main);
    } catch (const DbError& e) {
        messenger.message_box(e.what(), kStandardCaption, MessageIcon::Error, MessageButtons::Ok);
        return;
    }
    for (const SiteRow& site : sites) {
        CScreenFields& station = table.add_station(now);
        station.name = cut(site.sta.value_or(""), 23);
        station.lat = static_cast<float>(site.lat.value_or(0.0));
        station.lon = static_cast<float>(site.lon.value_or(0.0));
        station.elev = static_cast<float>(site.elev.value_or(0.0));
        station.ngroups = site.ngroups.value_or(0);
        station.nindex = site.nindex.value_or(0);
        try {
            for (const SiteChanRow& row : read_sitechans(main, site.sta.value_or(""))) fill_slot(station, row);
        } catch (const DbError& e) {
            messenger.message_box(e.what(), kStandardCaption, MessageIcon::Error, MessageButtons::Ok);
            return;
        }
    }
}

void load_station_groups(Connection& main, StationTable& table, Messenger& messenger) {
    table.groups().clear();
    try {
        for (const NetworkRow& row : read_network_lists(main)) {
            if (!row.netlist) continue;
            table.groups().push_back({cut(row.netname.value_or(""), 128), split_member_list(cut(*row.netlist, 5000))});
        }
    } catch (const DbError& e) {
        messenger.message_box(e.what(), kStandardCaption, MessageIcon::Error, MessageButtons::Ok);
    }
}

}  // namespace kro
