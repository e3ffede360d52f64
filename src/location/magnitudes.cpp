#include "location/magnitudes.hpp"

#include <cmath>
#include <cstdio>
#include <type_traits>

#include "core/messenger.hpp"

namespace kro {

namespace {

constexpr const char* kPeriodZero = "Period = 0";
constexpr const char* kAmplitudeZero = "Amplitude = 0";

MagnitudeResult failure(std::string title, std::string message, std::string caption = std::string(kStandardCaption)) {
    MagnitudeResult r;
    r.title = std::move(title);
    r.message = std::move(message);
    r.caption = std::move(caption);
    return r;
}

MagnitudeResult success(std::string title, double value) {
    MagnitudeResult r;
    r.ok = true;
    r.title = std::move(title);
    r.value = value;
    return r;
}

double calibration_depth(double depth_km) { return depth_km < 0.0 ? 0.0 : depth_km; }
double nonzero_distance(double distance_deg) { return distance_deg == 0.0 ? 0.001 : distance_deg; }

}  // namespace

std::string MagnitudeResult::text() const {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, title == "Local magnitude MWA" ? "%3.1f" : "%3.2f", value);
    return buffer;
}

std::optional<TravelTimeCurve> load_calibration(const std::string& program_folder, const char* file) {
    std::string path = program_folder;
    if (!path.empty() && path.back() != '/') path += '/';
    path += file;
    TravelTimeCurve table;
    if (!read_curve_file(path, table)) return std::nullopt;
    return table;
}

double calibration_value(const TravelTimeCurve& table, double depth_km, double distance_deg) {
    return travel_time(table, depth_km, distance_deg);
}

MagnitudeResult magnitude_ms(double a, double t, double distance_deg) {
    const char* title = "Magnitude Ms";
    if (t == 0.0) return failure(title, kPeriodZero);
    if (a == 0.0) return failure(title, kAmplitudeZero);
    return success(title, std::log10(a / t) + 1.66 * std::log10(nonzero_distance(distance_deg)) + 3.3);
}

MagnitudeResult magnitude_mb(double a, double t, double distance_deg, double depth_km,
                             const std::optional<TravelTimeCurve>& q) {
    const char* title = "Magnitude Mb";
    if (t == 0.0) return failure(title, kPeriodZero);
    if (a == 0.0) return failure(title, kAmplitudeZero);
    if (!q) return failure(title, "Download error for Mb calibration file");
    return success(title, std::log10(2.0 * a / t) +
                              calibration_value(*q, calibration_depth(depth_km), nonzero_distance(distance_deg)));
}

namespace {

MagnitudeResult period_magnitude(const char* title, const char* download_error, double a, double t,
                                 double distance_deg, double depth_km, const std::optional<TravelTimeCurve>& q) {
    if (t == 0.0) return failure(title, kPeriodZero);
    if (!q) return failure(title, download_error);
    if (a == 0.0) return failure(title, kAmplitudeZero);
    return success(title, std::log10(a / t) +
                              calibration_value(*q, calibration_depth(depth_km), nonzero_distance(distance_deg)));
}

}  // namespace

MagnitudeResult magnitude_mplp(double a, double t, double distance_deg, double depth_km,
                               const std::optional<TravelTimeCurve>& q) {
    return period_magnitude("Magnitude MPLP", "Download error for MPLP calibration file", a, t, distance_deg,
                            depth_km, q);
}

MagnitudeResult magnitude_mpsp(double a, double t, double distance_deg, double depth_km,
                               const std::optional<TravelTimeCurve>& q) {
    return period_magnitude("Magnitude by MPSP", "Download error for MPSP calibration file", a, t, distance_deg,
                            depth_km, q);
}

double coda_magnitude(double tau, double a) {
    if (!(tau >= 10.0 && tau < 1000.0) || !(a >= 0.002 && a <= 3000.0)) return -1.0;
    const double lt = std::log10(tau);
    const double la = std::log10(a);
    if (tau < 25.0) return 1.25309 * lt + la + 1.28256;
    if (tau < 70.0) return 2.46267 * lt + la - 0.36967;
    if (tau < 200.0) return 1.62996 * lt + la + 1.1321;
    return 2.57025 * lt + la - 1.0938;
}

MagnitudeResult magnitude_coda(double a, double tau) {
    const char* title = "Magnitude by code";
    if (tau == 0.0) return failure(title, kPeriodZero, "Error");
    if (a == 0.0) return failure(title, kAmplitudeZero, "Error");
    return success(title, coda_magnitude(tau, a));
}

MagnitudeResult magnitude_mwa(double a, double distance_deg, double depth_km) {
    const char* title = "Local magnitude MWA";
    const double horizontal = 111.1953 * std::fabs(distance_deg);
    const double r = std::sqrt(horizontal * horizontal + depth_km * depth_km);
    if (r < 5.0 || r > 800.0) return failure(title, "Hypocentral distance is out of acceptable range (5-800 km.)");
    if (a == 0.0) return failure(title, kAmplitudeZero);
    const double c = r < 206.0 ? 1.43 * std::log10(r) + 0.61 : 2.51 * std::log10(r) - 1.89;
    return success(title, std::log10(std::fabs(a)) + c);
}

Status store_magnitudes(KROPhases& picks, const PhaseKey& key, const std::string& phase_name,
                        const MeasuredMagnitudes& m) {
    SEISMIC_PHASE* p = picks.find_phase(key);
    if (!p)
        return Status::failure("Absent mark for phase '" + phase_name +
                               "' .\n Association is impossible.\nCalculation result is not saved");
    const auto put = [](const std::optional<double>& value, auto& field) {
        if (value && *value > 0.0) field = static_cast<std::remove_reference_t<decltype(field)>>(*value);
    };
    put(m.mkt, p->mcoda);
    put(m.ms, p->ms);
    put(m.mb, p->mb);
    put(m.mplp, p->mplp);
    put(m.mpsp, p->mpsp);
    put(m.mwa, p->mwa);
    return {};
}

Status store_coda(KROPhases& picks, const PhaseKey& key, const std::string& phase_name,
                  std::optional<double> interval_length_s) {
    if (!interval_length_s) return Status::failure("Interval not selected");
    SEISMIC_PHASE* p = picks.find_phase(key);
    if (!p) return Status::failure("Label absent for phase '" + phase_name + "'");
    p->coda = *interval_length_s;
    return {};
}

}  // namespace kro
