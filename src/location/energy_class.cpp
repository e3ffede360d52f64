#include "location/energy_class.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/messenger.hpp"
#include "location/geometry.hpp"

namespace kro {

namespace {

double nomogram_f(double d) {
    if (d < 70.0)
        return 1.63797e-7 * std::pow(d, 5) - 4.03237e-5 * std::pow(d, 4) + 0.003838 * d * d * d - 0.181708 * d * d +
               4.86942 * d - 19.0383;
    return 3.33425e-9 * d * d * d - 2.48002e-5 * d * d + 0.0699801 * d + 53.30075;
}

double epicentre_distance_deg(const CurrentEvent& event, const StationTable& stations, int station, int channel) {
    if (station < 0 || station >= stations.count() || channel < 0 || channel >= kChannelSlots) return 0.0;
    const ChannelSlot& slot = stations.at(station).slots[static_cast<std::size_t>(channel)];
    DistanceAzimuth da;
    distance_azimuth(event.hypocentre.latitude, event.hypocentre.longitude, slot.lat, slot.lon, da);
    return da.distance;
}

NomogramOutcome failed(std::string message, std::string caption = std::string(kStandardCaption)) {
    NomogramOutcome o;
    o.message = std::move(message);
    o.caption = std::move(caption);
    return o;
}

}  // namespace

std::optional<double> nomogram_class(double d, double ap, double as) {
    if (d < 5.0 || d > 3000.0 || ap < 0.005 || ap > 1000.0 || as < 0.005 || as > 1000.0) return std::nullopt;
    const double k = 0.074 * nomogram_f(d) + 1.847 * std::log10(ap + as) + 5.23;
    if (!(k > 0.0)) return std::nullopt;
    return k;
}

NomogramOutcome nomogram_class_for_channel(const CurrentEvent& event, const StationTable& stations,
                                           const PhaseNameTable& names, int station, int channel) {
    const int pg_index = names.phase_index("Pg");
    const int sg_index = names.phase_index("Sg");
    const SEISMIC_PHASE* pg = event.picks.find_phase(station, channel, pg_index);
    if (!pg) return failed("Label absent for Pg");
    if (!(pg->amplitude > 0.0f)) return failed("No measurement of amplitude for phase Pg");
    bool any_sg = false;
    const SEISMIC_PHASE* sg = nullptr;
    if (station >= 0 && station < stations.count()) {
        for (int c = 0; c < kChannelSlots && !sg; ++c) {
            if (stations.at(station).slots[static_cast<std::size_t>(c)].name.empty()) continue;
            const SEISMIC_PHASE* candidate = event.picks.find_phase(station, c, sg_index);
            if (!candidate) continue;
            any_sg = true;
            if (candidate->amplitude > 0.0f) sg = candidate;
        }
    }
    if (!any_sg) return failed("Label absent for Sg");
    if (!sg) return failed("No measurement of amplitude for phase Sg");
    double d = 0.0;
    if (pg->distance > 0.0f) d = pg->distance * 111.1953;
    else if (sg->distance > 0.0f) d = sg->distance * 111.1953;
    else d = epicentre_distance_deg(event, stations, station, channel) * 111.1953;
    const auto k = nomogram_class(d, pg->amplitude, sg->amplitude);
    if (!k) return failed("Parameters for class calculation are out of acceptable range", "Class");
    NomogramOutcome o;
    o.ok = true;
    o.value = *k;
    o.pg = PhaseKey{station, channel, pg_index};
    char text[160];
    std::snprintf(text, sizeof text, "Class for station %s = %0.3f",
                  station < stations.count() ? stations.at(station).name.c_str() : "", *k);
    o.message = text;
    o.caption = "Class";
    return o;
}

VegikInputs vegik_inputs(const CurrentEvent& event, const StationTable& stations, const PhaseNameTable& names,
                         int station, int channel) {
    VegikInputs in;
    bool has_distance = false;
    for (const SEISMIC_PHASE& p : event.picks) {
        if (p.station_index != station) continue;
        const std::string& name = names.phase_name(p.phase_index);
        if (name == "P" || name == "Pg" || name == "Pn") in.ap = std::max(in.ap, static_cast<double>(p.amplitude));
        if (name == "S" || name == "Sg" || name == "Sn") in.as = std::max(in.as, static_cast<double>(p.amplitude));
        if (p.distance > 0.0f) has_distance = true;
    }
    const std::string sta = station >= 0 && station < stations.count() ? stations.at(station).name : std::string();
    if (!(in.ap > 0.0)) {
        in.message = "Absent measurements of amplitude for phase group P";
        return in;
    }
    if (!(in.as > 0.0)) {
        in.message = "Absent measurements of amplitude for phase group S";
        return in;
    }
    if (!event.hypocentre.defined && !has_distance) {
        in.message = "No distance estimation from station " + sta + "  to epicenter";
        return in;
    }
    if (event.hypocentre.defined) {
        in.distance_km = epicentre_distance_deg(event, stations, station, channel) * 111.0;
        in.depth_km = event.hypocentre.depth;
    } else {
        for (const SEISMIC_PHASE& p : event.picks) {
            if (p.station_index == station && p.channel_index == channel && p.distance > 0.0f) {
                in.distance_km = p.distance * 111.0;
                break;
            }
        }
    }
    in.ok = true;
    return in;
}

std::optional<double> vegik_class(double d, double h, double ap, double as) {
    if (!(ap > 0.0) || !(as > 0.0)) return std::nullopt;
    const double r = std::sqrt(d * d + h * h);
    if (r < 5.0 || r > 800.0) return std::nullopt;
    double g = 0.0;
    if (r < 75.0) g = 2.11 * std::log10(r) + 1.32;
    else if (r < 264.0) g = 1.1 * std::log10(r) + 3.21;
    else g = 2.98 * std::log10(r) - 1.34;
    return 1.84 * (g + std::log10(ap + as));
}

std::string vegik_class_text(const std::optional<double>& k) {
    if (!k) return "???";
    char text[64];
    std::snprintf(text, sizeof text, "%.1f", *k);
    return text;
}

}  // namespace kro
