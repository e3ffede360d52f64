#pragma once
// The demo event seen by the demo network: distances, azimuths and the
// first P and S arrivals of the layered crust from the regional
// travel-time curves, and the analyst's picks of them as a phase list
// (.arr) with its station file.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/status.hpp"
#include "data/station_table.hpp"
#include "demo/demo_network.hpp"
#include "location/travel_time_tables.hpp"
#include "phases/kro_phases.hpp"

namespace kro {

struct DemoArrival {
    int station = 0;             // index into demo_stations()
    double distance = 0.0;       // epicentral distance, degrees
    double azimuth = 0.0;        // from the epicentre to the station, degrees clockwise from north
    double hypocentral_km = 0.0; // straight-line distance from the hypocentre, km
    EpochTime p_time = 0.0;      // true first arrivals, epoch seconds
    EpochTime s_time = 0.0;
    std::string p_phase;         // the phase arriving first: "Pg" or "Pn"
    std::string s_phase;         // "Sg" or "Sn"
};

// The regional phases of the demo's layered crust: the direct crustal
// wave and the head wave along the Moho, for P and for S.
inline constexpr std::array<std::string_view, 2> kDemoPPhases{"Pg", "Pn"};
inline constexpr std::array<std::string_view, 2> kDemoSPhases{"Sg", "Sn"};

// One arrival per demo station, in station order: at the event's depth and
// the station's distance, the earlier of the Pg and Pn times and the
// earlier of the Sg and Sn times of the tables (a phase without a time
// there, such as Pn inside its critical distance, does not count). Fails
// with the reason when the tables lack one of the four curves or give
// neither phase of a pair at a station.
Status demo_arrivals(const TravelTimeTables& tables, const DemoEvent& event, std::vector<DemoArrival>& out);

// The station table of the demo network alone: every station with its
// three channels in slots 0-2 at the station's coordinates.
StationTable demo_station_table();

// The picks an analyst would make: the first P on HHZ and the first S on
// HHN of every station, named by the phase that arrives first (Pg or Pn,
// Sg or Sn), at the true times plus a fixed pattern of small reading errors
// (at most kDemoPickErrorP / kDemoPickErrorS seconds), included, with the
// first motion of P. Needs those phase names in `tables`.
inline constexpr double kDemoPickErrorP = 0.03;
inline constexpr double kDemoPickErrorS = 0.06;
KROPhases demo_picks(const std::vector<DemoArrival>& arrivals, const TravelTimeTables& tables);

// Whether the first motion of P at an azimuth (degrees from the epicentre)
// is up (compression) for the demo event's strike-slip source.
bool demo_p_compression(double azimuth_deg);

// Writes the phase list kDemoArrFile and the station file kDemoStationFile
// ("STA LAT LON ELEV_KM HHZ HHN HHE" per line) into `folder` (created when
// missing); gives their paths.
struct DemoEventFiles {
    std::string arr_path;
    std::string station_path;
};
Status write_demo_event_files(const std::string& folder, const TravelTimeTables& tables, DemoEventFiles* files);

// "lat=47.5000 lon=11.0000 depth=10.00 time=1623467862.000 (2021-06-12 03:17:42.000 UTC)"
std::string demo_hypocentre_text(const DemoEvent& event);

}  // namespace kro
