#include "location/event_recompute.hpp"

#include "location/geometry.hpp"

namespace kro {

void recompute_distances(CurrentEvent& event, const StationTable& stations) {
    const Hypocentre& h = event.hypocentre;
    for (SEISMIC_PHASE& p : event.picks) {
        if (p.station_index < 0 || p.station_index >= stations.count() || p.channel_index < 0 ||
            p.channel_index >= kChannelSlots)
            continue;
        const ChannelSlot& slot = stations.at(p.station_index).slots[static_cast<std::size_t>(p.channel_index)];
        DistanceAzimuth da;
        distance_azimuth(h.latitude, h.longitude, slot.lat, slot.lon, da);
        p.distance = static_cast<float>(da.distance);
    }
}

void recompute_residuals(CurrentEvent& event, const TravelTimeTables& tables) {
    const Hypocentre& h = event.hypocentre;
    for (SEISMIC_PHASE& p : event.picks) {
        p.residual_valid = 0;
        p.residual = 0.0f;
        if (!tables.names.may_include(p.phase_index)) continue;
        const double t = tables.travel_time(p.phase_index, h.depth, p.distance);
        p.residual = static_cast<float>(p.time - h.origin_time - t);
        p.residual_valid = 1;
    }
}

namespace {

void mean_and_spread(const KROPhases& picks, float PickFields::*field, float& mean, float& spread) {
    double sum = 0.0;
    int n = 0;
    for (const SEISMIC_PHASE& p : picks) {
        if (p.*field > 0.0f) {
            sum += p.*field;
            ++n;
        }
    }
    if (n == 0) {
        mean = kNoEventMagnitude;
        return;
    }
    const double m = sum / n;
    double squares = 0.0;
    for (const SEISMIC_PHASE& p : picks)
        if (p.*field > 0.0f) squares += (p.*field - m) * (p.*field - m);
    mean = static_cast<float>(m);
    spread = static_cast<float>(squares / n);
}

}  // namespace

void recompute_event_magnitudes(CurrentEvent& event) {
    mean_and_spread(event.picks, &PickFields::mb, event.mb, event.mb_uncertainty);
    mean_and_spread(event.picks, &PickFields::ms, event.ms, event.ms_uncertainty);
}

void recalc_for_current_epicentre(CurrentEvent& event, const StationTable& stations, const TravelTimeTables& tables,
                                  EventNotifier& notifier) {
    recompute_distances(event, stations);
    recompute_residuals(event, tables);
    recompute_event_magnitudes(event);
    notifier.notify_picks_changed();
}

void accept_solution(CurrentEvent& event, const LocationSolution& solution, const StationTable& stations,
                     const TravelTimeTables& tables, EventNotifier& notifier) {
    Hypocentre& h = event.hypocentre;
    h.latitude = static_cast<float>(solution.latitude);
    h.longitude = static_cast<float>(solution.longitude);
    h.depth = static_cast<float>(solution.depth);
    h.origin_time = solution.origin_time;
    h.defined = true;
    recompute_distances(event, stations);
    recompute_residuals(event, tables);
    notifier.notify_hypocentre_changed();
    notifier.notify_picks_changed();
}

}  // namespace kro
