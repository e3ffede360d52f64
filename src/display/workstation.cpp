#include "display/workstation.hpp"

#include <filesystem>

#include "data/station_loader.hpp"

namespace kro {

Workstation::Workstation(AppContext& ctx) : context(ctx), database(ctx), source(database, ctx.settings) {}

void Workstation::load_travel_time_tables() {
    const std::string folder = travel_time_folder(context.settings);
    std::error_code ec;
    if (std::filesystem::is_directory(folder, ec)) travel_times.load(folder);
}

void Workstation::open_data(EpochTime now) {
    database.open_at_startup();
    reload_stations(now);
}

void Workstation::reload_stations(EpochTime now) {
    stations = StationTable{};
    if (!database.main_connected()) return;
    // The table is loaded first: loading it starts a new table, groups included.
    load_station_table(database.main(), stations, *context.messenger, now);
    load_station_groups(database.main(), stations, *context.messenger);
    event.size_station_values(stations.count());
}

}  // namespace kro
