#pragma once
// The event under processing: its identifiers, hypocentre, event magnitudes
// and pick list, and the per-station estimates the distance tools keep.

#include <string>
#include <vector>

#include "core/observers.hpp"
#include "phases/kro_phases.hpp"

namespace kro {

inline constexpr float kNoEventMagnitude = -999.0f;

struct Hypocentre {
    float latitude = 45.0f;   // degrees
    float longitude = 45.0f;  // degrees
    float depth = 5.0f;       // km
    double origin_time = 0.0; // epoch seconds, 0 = unknown
    bool defined = false;
};

struct CurrentEvent {
    std::string event_id;   // EVENTID, at most 127 characters
    std::string comment;    // at most 127 characters
    int orid = -1;          // -1 = not assigned
    Hypocentre hypocentre;
    float mb = kNoEventMagnitude;  // event magnitudes; -999 = none
    float ms = kNoEventMagnitude;
    float mb_uncertainty = 0.0f;
    float ms_uncertainty = 0.0f;
    bool depth_fixed = false;  // the locators' "Depth fixation", kept with the event
    KROPhases picks;
    // Single-station distance (degrees) and azimuth per station index; -1 = none.
    std::vector<float> station_distance;
    std::vector<float> station_azimuth;

    // Makes room for `stations` per-station values, keeping those present.
    void size_station_values(int stations);
};

// "Start processing for new earthquake": empties the pick list, clears the
// hypocentre (origin time 0, undefined), sets Mb and Ms to -999 and resets
// the per-station distances and azimuths to -1. Tells the windows that the
// picks and the hypocentre changed.
void start_new_event(CurrentEvent& event, EventNotifier& notifier);

// An event loaded without coordinates: latitude 45, longitude 45, depth 5 km, undefined.
void set_hypocentre_unknown(CurrentEvent& event);

}  // namespace kro
