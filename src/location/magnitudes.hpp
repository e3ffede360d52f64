#pragma once
// Station magnitudes from a measured amplitude and period: Ms, Mb, MPLP,
// MPSP, the coda magnitude and the local magnitude MWA, each with the
// checks and messages of the measurement dialog. Amplitudes are ground
// motion in micrometres, periods in seconds, distances in degrees and
// depths in km.

#include <optional>
#include <string>

#include "location/travel_time_curve.hpp"
#include "phases/kro_phases.hpp"

namespace kro {

struct MagnitudeResult {
    bool ok = false;
    double value = -1.0;
    std::string title;    // caption of the box that shows the value
    std::string message;  // the error text when not ok
    std::string caption;  // caption of the error box
    // The value as the box shows it ("%3.2f"; "%3.1f" for MWA).
    std::string text() const;
};

// Calibration tables Q(depth, distance) in the curve file format, read
// anew for every computation from the program folder.
inline constexpr const char* kMbCalibrationFile = "mb.txt";
inline constexpr const char* kMplpCalibrationFile = "mplp.txt";
inline constexpr const char* kMpspCalibrationFile = "mpsp.txt";
// The table of `file` in `program_folder`; nothing when it cannot be read.
std::optional<TravelTimeCurve> load_calibration(const std::string& program_folder, const char* file);
// Q at a depth and distance, -1 outside the table (interpolated as travel times).
double calibration_value(const TravelTimeCurve& table, double depth_km, double distance_deg);

// log10(A/T) + 1.66 log10(distance) + 3.3; a distance of 0 counts as 0.001.
MagnitudeResult magnitude_ms(double amplitude, double period, double distance_deg);
// log10(2A/T) + Q_mb(depth, distance). `calibration` is nothing when mb.txt
// could not be read. A negative depth counts as 0, a distance of 0 as 0.001.
MagnitudeResult magnitude_mb(double amplitude, double period, double distance_deg, double depth_km,
                             const std::optional<TravelTimeCurve>& calibration);
// log10(A/T) + Q(depth, distance) from mplp.txt and mpsp.txt.
MagnitudeResult magnitude_mplp(double amplitude, double period, double distance_deg, double depth_km,
                               const std::optional<TravelTimeCurve>& calibration);
MagnitudeResult magnitude_mpsp(double amplitude, double period, double distance_deg, double depth_km,
                               const std::optional<TravelTimeCurve>& calibration);

// Coda magnitude ("MKT") of a coda duration tau (s) and amplitude: -1 when
// tau lies outside [10, 1000) or the amplitude outside [0.002, 3000].
double coda_magnitude(double tau, double amplitude);
// The button: checks the period field (tau) and the amplitude first.
MagnitudeResult magnitude_coda(double amplitude, double tau);

// Local magnitude from the Wood-Anderson amplitude at hypocentral distance
// R = sqrt((111.1953 |distance|)^2 + depth^2), valid for 5 <= R <= 800 km.
MagnitudeResult magnitude_mwa(double amplitude, double distance_deg, double depth_km);

// The magnitudes a measurement dialog confirms; nothing = field empty.
struct MeasuredMagnitudes {
    std::optional<double> ms, mb, mplp, mpsp, mkt, mwa;
};
// "Ok" of the measurement dialog: stores every magnitude above 0 in the
// pick of (station, channel, phase). Fails with "Absent mark for phase ..."
// when there is no such pick.
Status store_magnitudes(KROPhases& picks, const PhaseKey& key, const std::string& phase_name,
                        const MeasuredMagnitudes& values);

// The coda duration of the pick of (station, channel, phase): the interval
// length in seconds. Fails with "Interval not selected" without an interval
// and "Label absent for phase '...'" without the pick.
Status store_coda(KROPhases& picks, const PhaseKey& key, const std::string& phase_name,
                  std::optional<double> interval_length_s);

}  // namespace kro
