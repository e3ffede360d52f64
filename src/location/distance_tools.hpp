#pragma once
// The analyst's distance tools: distance and origin time from two phases on
// one channel, the distance and azimuth calculator, direction and apparent
// velocity of a plane wave from P arrivals, and predicted marks of chosen
// phases on a channel.

#include <string>
#include <vector>

#include "core/messenger.hpp"
#include "core/observers.hpp"
#include "data/station_table.hpp"
#include "location/travel_time_tables.hpp"
#include "phases/current_event.hpp"

namespace kro {

// --- Distance from two phases ("Estimate distance to epicenter...")

struct TwoPhaseDistance {
    bool ok = false;
    double distance_deg = -1.0;
    double origin_time = 0.0;  // epoch seconds
    std::string text;          // the result, or the error message
    std::string caption;       // of the error box
};

// From the picks of `first` and `second` on (station, channel) at a source
// depth (km): distance_for_difference(second, first, t2 - t1) and the
// origin time t1 - T_first.
TwoPhaseDistance distance_from_two_phases(const CurrentEvent& event, const TravelTimeTables& tables, int station,
                                          int channel, const std::string& first, const std::string& second,
                                          double depth_km);
// OK of the result box: the station's single-station distance, the event's
// origin time and both picks' distances; tells the windows.
void accept_two_phase_distance(CurrentEvent& event, const TravelTimeTables& tables, int station, int channel,
                               const std::string& first, const std::string& second, const TwoPhaseDistance& result,
                               EventNotifier& notifier);

// --- Distance and azimuth calculator

// Index (0 initial latitude, 1 initial longitude, 2 end latitude, 3 end
// longitude) of the first value out of range, or -1 when all are valid.
int first_invalid_coordinate(double lat1, double lon1, double lat2, double lon2);
// "Distance", "Azimuth" and "Back azimuth" as shown ("%.2f" each).
struct CalculatorFields {
    std::string distance, azimuth, back_azimuth;
};
CalculatorFields distance_azimuth_fields(double lat1, double lon1, double lat2, double lon2);

// --- Azimuth by P-wave arrivals

struct PlaneWaveFit {
    bool ok = false;
    std::string message;       // "Required > 2 P-phases" when not ok
    double azimuth = 0.0;      // direction of propagation, degrees [0, 360)
    double slowness = 0.0;     // s/degree
    double velocity = 0.0;     // apparent velocity, km/s
    double rms = 0.0;          // uncertainty of the slowness along the fitted direction, s/degree
    int observations = 0;
};

// Least-squares plane wave t_i = a - sx x_i - sy y_i over the included
// picks of phase index 0 (P) at any station, x_i and y_i the east and north
// components (degrees) of the distance from the pick's channel to the
// reference station.
PlaneWaveFit fit_plane_wave(const CurrentEvent& event, const StationTable& stations, int reference_station);
// The shown texts: "%.1f" when above 1, else "%.4f".
std::string plane_wave_value_text(double value);
// "Ok": every included P pick of the reference station gets the azimuth
// and the apparent velocity; tells the windows.
void accept_plane_wave(CurrentEvent& event, int reference_station, const PlaneWaveFit& fit, EventNotifier& notifier);

// --- Predicted marks ("Set phases")

enum class PredictionMode {
    FromOriginTime,           // "Relatively to the time in origin"
    FromPhase,                // "Relatively to the phase"
    FromPhaseAndOriginTime,   // "Relatively to the phase and time in origin"
};

struct PredictionRequest {
    int station = 0;
    int channel = 0;
    std::vector<int> phases;     // checked phase indices
    double distance_deg = 0.0;
    double depth_km = 0.0;
    double origin_time = 0.0;    // epoch seconds
    PredictionMode mode = PredictionMode::FromOriginTime;
    std::string reference_phase; // the modes relative to a phase
};

struct PredictionResult {
    bool ok = false;
    int placed = 0;
    double origin_time = 0.0;   // the dialog's origin time afterwards
    double distance_deg = 0.0;  // the distance the marks were placed at
};

// Inserts a predicted mark (own 0, onset 1, first motion "?", weight class
// 3, never included) for every checked phase with a curve, at t0 + T(z, d).
// Problems are shown through `messenger`; in the first mode a missing
// travel time stops before anything is placed.
PredictionResult place_predicted_marks(CurrentEvent& event, const TravelTimeTables& tables,
                                       const StationTable& stations, const PredictionRequest& request,
                                       Messenger& messenger, EventNotifier& notifier);

}  // namespace kro
