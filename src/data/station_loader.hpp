#pragma once
// Loading the station table and the station groups from the main database.

#include "data/station_table.hpp"

namespace kro {

class Connection;
class Messenger;

// Reads SITE (one record per row, in the order the database gives) and the
// channels of each station from SITECHAN into slot 3 * NGROUP + CHANINDEX - 3
// (a later row with the same slot wins; rows outside the 24 slots are
// skipped). A channel row with any NULL coordinate takes the station's
// three. Each window starts at `now` (whole seconds) and lasts one minute.
// A database error is shown with the driver's text (error icon) and the
// table ends where it stopped. Any old content of the table is replaced.
void load_station_table(Connection& main, StationTable& table, Messenger& messenger, EpochTime now);

// Reads the station groups from NETWORKS; rows without a member list are
// skipped. A database error is shown with the driver's text.
void load_station_groups(Connection& main, StationTable& table, Messenger& messenger);

// A SITECHAN channel name as the table keeps it: blanks trimmed on both
// sides, at most 5 characters.
std::string slot_channel_name(std::string_view chan);

}  // namespace kro
