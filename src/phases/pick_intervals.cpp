#include "phases/pick_intervals.hpp"

#include "phases/station_names.hpp"

namespace kro {

namespace {

bool inside(const SEISMIC_PHASE& p, const ChannelInterval& iv) {
    return p.station_index == iv.station && p.channel_index == iv.channel && p.time >= iv.start && p.time <= iv.end;
}

void tell(EventNotifier& notifier, const StationTable& stations, const ChannelInterval& iv) {
    notifier.notify_picks_changed({ChannelName{station_name(stations, iv.station),
                                               channel_name(stations, iv.station, iv.channel)}});
}

}  // namespace

bool set_included(SEISMIC_PHASE& pick, bool include, const PhaseNameTable& names) {
    pick.included = include && names.may_include(pick.phase_index) ? 1 : 0;
    return pick.included != 0;
}

int delete_phases_in_interval(KROPhases& picks, const ChannelInterval& interval, const StationTable& stations,
                              EventNotifier& notifier) {
    const int removed = picks.remove_if([&](const SEISMIC_PHASE& p) { return inside(p, interval); });
    tell(notifier, stations, interval);
    return removed;
}

int set_included_in_interval(KROPhases& picks, const ChannelInterval& interval, bool include,
                             const PhaseNameTable& names, const StationTable& stations, EventNotifier& notifier) {
    int changed = 0;
    for (SEISMIC_PHASE& p : picks) {
        if (!inside(p, interval)) continue;
        const int before = p.included;
        set_included(p, include, names);
        if (include) p.own = 1;
        if (p.included != before) ++changed;
    }
    tell(notifier, stations, interval);
    return changed;
}

}  // namespace kro
