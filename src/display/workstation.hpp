#pragma once
// What one run of the workstation holds besides its windows: the two
// database connections, the station table with its selection matrix and
// groups, the current event and the travel-time tables, and the panes'
// reader of the file catalogue. The program creates one at start-up, next
// to its AppContext (whose `database` pointer then leads to `database`),
// and hands it to the main frame; every window and dialog reaches the
// process-wide state through it. Core stays free of these upper layers:
// the context knows only the forward-declared Database.

#include "core/app_context.hpp"
#include "data/station_table.hpp"
#include "db/database.hpp"
#include "display/station_channels.hpp"
#include "location/travel_time_tables.hpp"
#include "phases/current_event.hpp"

namespace kro {

class Workstation {
public:
    explicit Workstation(AppContext& context);
    Workstation(const Workstation&) = delete;
    Workstation& operator=(const Workstation&) = delete;

    // The travel-time tables of the chosen set, when its folder exists.
    void load_travel_time_tables();
    // The databases (with their start-up messages), the station groups, the
    // station table with an empty selection matrix (windows start at `now`),
    // and room for the event's per-station values.
    void open_data(EpochTime now);
    // Station groups and table again from the main database (after a reconnect).
    void reload_stations(EpochTime now);

    AppContext& context;
    Database database;
    StationTable stations;
    CurrentEvent event;
    TravelTimeTables travel_times;
    DatabaseChannelSource source;
};

}  // namespace kro
