#pragma once
// Station coordinates from a plain text file, for kro-cli and tests when
// the station table does not come from the main database.

#include <string>

#include "core/status.hpp"
#include "data/station_table.hpp"

namespace kro {

// One station per line: "STA LAT LON ELEV_KM [CHAN ...]" (degrees, km,
// '.' as the decimal separator); blank lines and text after '#' are
// ignored. Every channel slot of a station carries the station's
// coordinates. A malformed line fails with its line number and `table`
// stays as it was.
Status read_station_file(const std::string& path, StationTable& table);

// The slot of `channel` at `station`, added in the first free slot when
// missing (coordinates from the station); -1 when all 24 are taken.
int ensure_channel(StationTable& table, int station, const std::string& channel);

}  // namespace kro
