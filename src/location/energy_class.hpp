#pragma once
// The energy class K of a station by the Rautian nomogram, in its two
// variants: from the Pg and Sg amplitudes of one channel ("Calculate class
// by nomogram"), and from the largest P- and S-group amplitudes of the
// station ("by VEGIK"). Amplitudes in micrometres, distances in km.

#include <optional>
#include <string>

#include "data/station_table.hpp"
#include "phases/current_event.hpp"
#include "phases/phase_names.hpp"

namespace kro {

// K = 0.074 f(D) + 1.847 log10(Ap + As) + 5.23; nothing when D lies
// outside [5, 3000], Ap or As outside [0.005, 1000], or K is not above 0.
std::optional<double> nomogram_class(double distance_km, double ap, double as);

struct NomogramOutcome {
    bool ok = false;
    double value = 0.0;       // K
    PhaseKey pg;              // the Pg pick that receives K
    std::string message;      // error text, or "Class for station %s = %0.3f" when ok
    std::string caption;      // "Class" for the range error and the result, else the standard caption
};

// The nomogram for the Pg pick of (station, channel) and the first Sg pick
// of the station's named channels, in slot order, that has an amplitude.
NomogramOutcome nomogram_class_for_channel(const CurrentEvent& event, const StationTable& stations,
                                           const PhaseNameTable& names, int station, int channel);

// The inputs of the "Energy class" dialog for (station, channel).
struct VegikInputs {
    bool ok = false;
    std::string message;     // the failed check
    double ap = 0.0;         // largest amplitude among the station's P, Pg, Pn picks
    double as = 0.0;         // largest among S, Sg, Sn
    double distance_km = 5.0;
    double depth_km = 15.0;
};
VegikInputs vegik_inputs(const CurrentEvent& event, const StationTable& stations, const PhaseNameTable& names,
                         int station, int channel);

// K = 1.84 (g(R) + log10(Ap + As)) with R = sqrt(D^2 + h^2); nothing when
// Ap or As is not above 0 or R lies outside [5, 800].
std::optional<double> vegik_class(double distance_km, double depth_km, double ap, double as);
// "%.1f" of the class, or "???".
std::string vegik_class_text(const std::optional<double>& k);

}  // namespace kro
