#include "phases/station_names.hpp"

namespace kro {

std::string station_name(const StationTable& stations, int station) {
    if (station < 0 || station >= stations.count()) return {};
    return stations.at(station).name;
}

std::string channel_name(const StationTable& stations, int station, int channel) {
    if (station < 0 || station >= stations.count() || channel < 0 || channel >= kChannelSlots) return {};
    return stations.at(station).slots[static_cast<std::size_t>(channel)].name;
}

}  // namespace kro
