#pragma once
// Names of the station and channel a pick refers to, looked up in the
// station table; empty when the index is outside it.

#include <string>

#include "data/station_table.hpp"

namespace kro {

std::string station_name(const StationTable& stations, int station);
std::string channel_name(const StationTable& stations, int station, int channel);

}  // namespace kro
