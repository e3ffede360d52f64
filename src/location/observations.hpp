#pragma once
// The observations a location works on: one per included pick, with the
// coordinates of the pick's channel, in ascending arrival time.

#include <string>
#include <vector>

#include "data/station_table.hpp"
#include "location/geometry.hpp"
#include "phases/kro_phases.hpp"
#include "phases/phase_names.hpp"

namespace kro {

struct Observation {  // CArrivalElement
    int station = 0;
    int channel = 0;
    int phase = 0;
    double time = 0.0;       // arrival time, epoch seconds
    double latitude = 0.0;   // of the pick's channel, degrees
    double longitude = 0.0;  // degrees
    double elevation = 0.0;  // km; carried, not used
    double residual = 0.0;   // observed minus computed, seconds; set by a location
    double weight = 1.0;     // 1 / (weight class + 1)
};

struct ObservationList {  // CArrivalList
    std::vector<Observation> items;
    // Included picks left out because their station or channel is not in
    // the station table, as "STA/slot".
    std::vector<std::string> unknown_channels;
};

// One observation per included pick in list order, then sorted by
// ascending time (picks of equal time keep their order). A pick whose
// phase index lies outside the phase-name table ends the collection.
ObservationList collect_observations(const KROPhases& picks, const StationTable& stations,
                                     const PhaseNameTable& names);

// Sorts by ascending time, keeping the order of equal times.
void sort_by_time(std::vector<Observation>& observations);

}  // namespace kro
