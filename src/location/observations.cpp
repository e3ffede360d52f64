#include "location/observations.hpp"

#include <algorithm>

namespace kro {

void sort_by_time(std::vector<Observation>& observations) {
    std::stable_sort(observations.begin(), observations.end(),
                     [](const Observation& a, const Observation& b) { return a.time < b.time; });
}

ObservationList collect_observations(const KROPhases& picks, const StationTable& stations,
                                     const PhaseNameTable& names) {
    ObservationList list;
    for (const SEISMIC_PHASE& p : picks) {
        if (p.phase_index < 0 || p.phase_index >= names.phase_count()) break;
        if (p.included == 0) continue;
        if (p.station_index < 0 || p.station_index >= stations.count() || p.channel_index < 0 ||
            p.channel_index >= kChannelSlots) {
            list.unknown_channels.push_back(std::to_string(p.station_index) + "/" + std::to_string(p.channel_index));
            continue;
        }
        const ChannelSlot& slot = stations.at(p.station_index).slots[static_cast<std::size_t>(p.channel_index)];
        Observation o;
        o.station = p.station_index;
        o.channel = p.channel_index;
        o.phase = p.phase_index;
        o.time = p.time;
        o.latitude = slot.lat;
        o.longitude = slot.lon;
        o.elevation = slot.elev;
        o.weight = 1.0 / (p.weight_class + 1.0);
        list.items.push_back(o);
    }
    sort_by_time(list.items);
    return list;
}

}  // namespace kro
