#pragma once
// What the trace pane does to the picks of one channel inside a selected
// time interval [start, end] (both marks included).

#include "core/observers.hpp"
#include "phases/kro_phases.hpp"
#include "phases/phase_names.hpp"
#include "data/station_table.hpp"

namespace kro {

struct ChannelInterval {
    int station = 0;
    int channel = 0;
    double start = 0.0;  // epoch seconds, start <= end
    double end = 0.0;
};

// "Delete phase in interval": removes every pick of the channel with
// start <= time <= end; gives how many. Tells the windows about the channel.
int delete_phases_in_interval(KROPhases& picks, const ChannelInterval& interval, const StationTable& stations,
                              EventNotifier& notifier);

// "Include phase in calculation" (include = true) and "Exclude phase from
// calculation in selected interval": sets the included flag of every pick
// of the channel inside the interval. Including also sets own = 1 and
// includes only picks whose phase has an available curve. Gives how many
// picks changed and tells the windows about the channel.
int set_included_in_interval(KROPhases& picks, const ChannelInterval& interval, bool include,
                             const PhaseNameTable& names, const StationTable& stations, EventNotifier& notifier);

// Sets a pick's included flag under the curve rule: a pick may be included
// only when its phase has a curve name and the curve is available. Gives
// the flag the pick now has.
bool set_included(SEISMIC_PHASE& pick, bool include, const PhaseNameTable& names);

}  // namespace kro
