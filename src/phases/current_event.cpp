#include "phases/current_event.hpp"

#include <algorithm>

namespace kro {

void CurrentEvent::size_station_values(int stations) {
    const auto n = static_cast<std::size_t>(std::max(stations, 0));
    station_distance.resize(n, -1.0f);
    station_azimuth.resize(n, -1.0f);
}

void start_new_event(CurrentEvent& event, EventNotifier& notifier) {
    event.picks.clear();
    event.hypocentre.origin_time = 0.0;
    event.hypocentre.defined = false;
    event.mb = kNoEventMagnitude;
    event.ms = kNoEventMagnitude;
    std::fill(event.station_distance.begin(), event.station_distance.end(), -1.0f);
    std::fill(event.station_azimuth.begin(), event.station_azimuth.end(), -1.0f);
    notifier.notify_picks_changed();
    notifier.notify_hypocentre_changed();
}

void set_hypocentre_unknown(CurrentEvent& event) {
    event.hypocentre.latitude = 45.0f;
    event.hypocentre.longitude = 45.0f;
    event.hypocentre.depth = 5.0f;
    event.hypocentre.defined = false;
}

}  // namespace kro
