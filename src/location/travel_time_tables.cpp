#include "location/travel_time_tables.hpp"

#include <cmath>
#include <cstdio>
#include <filesystem>

namespace kro {

void TravelTimeTables::load(const std::string& folder_path) {
    folder = native_path(folder_path);
    names.load(folder);
    curves.assign(static_cast<std::size_t>(names.phase_count()), TravelTimeCurve{});
    problems.clear();
    std::string base = folder;
    if (!base.empty() && base.back() != '/') base += '/';
    for (int i = 0; i < names.phase_count(); ++i) {
        TravelTimeCurve& c = curves[static_cast<std::size_t>(i)];
        const std::string& file = names.curve_name(i);
        if (file.empty()) continue;
        const std::string path = base + file;
        std::error_code ec;
        if (!std::filesystem::is_regular_file(path, ec)) continue;
        c.phase_name = names.phase_name(i).substr(0, 9);
        if (Status s = read_curve_file(path, c); !s) problems.push_back(s.message());
        names.set_curve_available(i, c.available);
    }
}

void TravelTimeTables::free() {
    curves.clear();
    names.load_built_in();
    problems.clear();
}

const TravelTimeCurve* TravelTimeTables::curve(int phase_index) const {
    if (phase_index < 0 || phase_index >= static_cast<int>(curves.size())) return nullptr;
    return &curves[static_cast<std::size_t>(phase_index)];
}

double TravelTimeTables::travel_time(int phase_index, double depth_km, double distance_deg) const {
    const TravelTimeCurve* c = curve(phase_index);
    return c ? kro::travel_time(*c, depth_km, distance_deg) : -1.0;
}

std::string travel_time_folder(const AppSettings& settings) {
    if (!settings.travel_time_folder.empty()) return native_path(settings.travel_time_folder);
    std::string folder = native_path(settings.program_folder);
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder + "phases";
}

void reload_travel_time_tables(TravelTimeTables& tables, const std::string& folder, EventNotifier& notifier) {
    tables.free();
    tables.load(folder);
    notifier.notify_travel_times_changed();
}

namespace {

// Bisection of f between lo and hi, 50 halvings, from f(lo).
template <typename F>
double bisect(F f, double lo, double hi, double f_lo) {
    double mid = lo;
    for (int i = 0; i < 50; ++i) {
        mid = (lo + hi) / 2.0;
        const double f_mid = f(mid);
        const double product = f_lo * f_mid;
        if (product > 0.0) {
            lo = mid;
            f_lo = f_mid;
        } else if (product == 0.0) {
            return mid;
        } else {
            hi = mid;
        }
    }
    return mid;
}

}  // namespace

double distance_for_time(const TravelTimeTables& tables, std::string_view phase, double time_s, double depth_km) {
    const TravelTimeCurve* c = tables.curve(tables.names.phase_index(phase));
    if (!c || !c->available) return -1.0;
    const auto f = [&](double d) { return travel_time(*c, depth_km, d) - time_s; };
    double lo = c->distances.front() + 0.01;
    double hi = c->distances.back() - 0.01;
    // Ends where the phase does not exist at this depth would read as
    // "travel time -1" and hide every solution: search where it exists.
    while (lo < hi && travel_time(*c, depth_km, lo) < 0.0) lo += 0.5;
    while (hi > lo && travel_time(*c, depth_km, hi) < 0.0) hi -= 0.5;
    const double f_lo = f(lo);
    const double f_hi = f(hi);
    if (f_lo < 0.0 && f_hi < 0.0) return -1.0;
    if (f_lo > 0.0 && f_hi > 0.0) return -1.0;  // earlier than at every distance
    return bisect(f, lo, hi, f_lo);
}

double distance_for_difference(const TravelTimeTables& tables, std::string_view phase_a, std::string_view phase_b,
                               double difference_s, double depth_km) {
    const TravelTimeCurve* a = tables.curve(tables.names.phase_index(phase_a));
    const TravelTimeCurve* b = tables.curve(tables.names.phase_index(phase_b));
    if (!a || !b || !a->available || !b->available) return -1.0;
    const double first = std::max(a->distances.front(), b->distances.front()) + 0.0001;
    const double last = std::min(a->distances.back(), b->distances.back()) - 0.0001;
    const auto exists_at_surface = [&](double d) { return travel_time(*a, 0.0, d) >= 0.0 && travel_time(*b, 0.0, d) >= 0.0; };
    double lo = first;
    while (lo <= last && !exists_at_surface(lo)) lo += 0.5;
    double hi = last;
    while (hi >= first && !exists_at_surface(hi)) hi -= 0.5;
    if (lo > last || hi < first) return -1.0;
    const auto g = [&](double d) { return travel_time(*a, depth_km, d) - travel_time(*b, depth_km, d) - difference_s; };
    const double g_lo = g(lo);
    const double g_hi = g(hi);
    if (g_lo < 0.0 && g_hi < 0.0) return -1.0;
    if (g_lo > 0.0 && g_hi > 0.0) return g_lo < g_hi ? lo : hi;
    return bisect(g, lo, hi, g_lo);
}

std::string format_calculator_time(double seconds) {
    const long whole = static_cast<long>(seconds);
    const long hours = (whole / 3600) % 48;
    const long minutes = (whole % 3600) / 60;
    const double rest = static_cast<double>(whole % 60) + (seconds - static_cast<double>(whole));
    char text[96];
    std::snprintf(text, sizeof text, "Travel time=%02ld:%02ld:%.2f", hours, minutes, rest);
    return text;
}

CalculatorText travel_time_calculator(const TravelTimeTables& tables, std::string_view phase, double distance_deg,
                                      double depth_km) {
    const int index = tables.names.phase_index(phase);
    if (index < 0) return {true, "Hodograph is absent in system " + std::string(phase)};
    if (!tables.names.curve_available(index)) return {true, "Error loading hodograph file " + std::string(phase)};
    return {false, format_calculator_time(tables.travel_time(index, depth_km, distance_deg))};
}

}  // namespace kro
