#pragma once
// The travel-time tables in use: the phase-name table and one curve per
// phase name, loaded from the travel-time folder of the chosen table set.

#include <string>
#include <string_view>
#include <vector>

#include "core/config.hpp"
#include "core/observers.hpp"
#include "location/travel_time_curve.hpp"
#include "phases/phase_names.hpp"

namespace kro {

class TravelTimeTables {
public:
    PhaseNameTable names;
    std::vector<TravelTimeCurve> curves;  // parallel to `names`
    std::string folder;                   // where they were loaded from
    // Curve files that exist but could not be read, each with its reason.
    // A missing file is not a problem: that phase simply has no curve.
    std::vector<std::string> problems;

    // load_travel_time_tables: the phase-name table of `folder` (its
    // phaselist file, else the built-in table), then the file of every
    // curve name in `folder`; marks each curve available or not.
    void load(const std::string& folder);
    // free_travel_time_tables: no curves and the built-in names without curves.
    void free();

    // Nothing for an index outside the table.
    const TravelTimeCurve* curve(int phase_index) const;
    // Seconds; -1 when the phase has no curve or the point is outside it.
    double travel_time(int phase_index, double depth_km, double distance_deg) const;
};

// The travel-time folder of the settings: GODOGRAPH DIR<N#>, or the folder
// "phases" of the program folder when that is empty. Backslashes of stored
// paths become '/'.
std::string travel_time_folder(const AppSettings& settings);

// Reloads the tables from `folder` and tells the windows.
void reload_travel_time_tables(TravelTimeTables& tables, const std::string& folder, EventNotifier& notifier);

// Distance (degrees) at which the phase has travel time `time_s` from depth
// `depth_km`, by bisection over the distances where the phase exists at
// that depth; -1 when the phase is unknown or no distance of the table has
// that time.
double distance_for_time(const TravelTimeTables& tables, std::string_view phase, double time_s, double depth_km);

// Distance (degrees) at which travel time of A minus that of B equals
// `difference_s` (S-P and the like). When the difference is smaller than at
// every distance of the common range, the nearer range end is given; -1
// when a curve is missing or the difference is larger than at every distance.
double distance_for_difference(const TravelTimeTables& tables, std::string_view phase_a, std::string_view phase_b,
                               double difference_s, double depth_km);

// The travel-time calculator ("Hodograph ..."): the text it shows for a
// phase, distance (degrees) and depth (km), and whether it is an error.
struct CalculatorText {
    bool error = false;
    std::string text;
};
CalculatorText travel_time_calculator(const TravelTimeTables& tables, std::string_view phase, double distance_deg,
                                      double depth_km);
// "Travel time=%02d:%02d:%.2f" of a travel time in seconds (hours modulo 48).
std::string format_calculator_time(double seconds);

}  // namespace kro
