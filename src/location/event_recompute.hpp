#pragma once
// Distances, residuals and event magnitudes of the current event's picks
// for its current hypocentre, and taking a location's solution into the
// event.

#include "core/observers.hpp"
#include "data/station_table.hpp"
#include "location/locator.hpp"
#include "location/travel_time_tables.hpp"
#include "phases/current_event.hpp"

namespace kro {

// Every pick's distance (degrees) from the hypocentre's epicentre to the
// pick's channel; picks of channels outside the station table keep theirs.
void recompute_distances(CurrentEvent& event, const StationTable& stations);

// Every pick: residual 0 and not valid; when its phase has a curve,
// residual = time - origin time - travel time(depth, the pick's distance)
// and valid (a travel time of -1 enters the difference unchanged).
void recompute_residuals(CurrentEvent& event, const TravelTimeTables& tables);

// Event Mb = mean of the picks' Mb above 0 and its uncertainty the mean
// squared deviation; the same for Ms. Without values the magnitude becomes
// -999 and its uncertainty stays.
void recompute_event_magnitudes(CurrentEvent& event);

// "Recalc residuals and distance for current epicenter": distances first,
// then residuals from them, then event magnitudes; tells the windows.
void recalc_for_current_epicentre(CurrentEvent& event, const StationTable& stations, const TravelTimeTables& tables,
                                  EventNotifier& notifier);

// Confirming a location: the solution becomes the defined hypocentre,
// then distances and residuals are recomputed; tells the windows.
void accept_solution(CurrentEvent& event, const LocationSolution& solution, const StationTable& stations,
                     const TravelTimeTables& tables, EventNotifier& notifier);

}  // namespace kro
