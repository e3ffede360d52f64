#include "location/gradient_locator.hpp"

#include <cmath>

#include "location/geometry.hpp"

namespace kro {

double residual_rms(const std::vector<Observation>& observations) {
    if (observations.empty()) return -1.0;
    double sum = 0.0;
    for (const Observation& o : observations) sum += o.residual * o.residual;
    return std::sqrt(sum / static_cast<double>(observations.size()));
}

double parabola_derivative(double x0, double y0, double x1, double y1, double x2, double y2) {
    const double d = (x0 * x0 - x1 * x1) * (x0 - x2) - (x0 - x1) * (x0 * x0 - x2 * x2);
    if (d == 0.0) return 0.0;
    const double a = ((y0 - y1) * (x0 - x2) - (x0 - x1) * (y0 - y2)) / d;
    const double b = ((x0 * x0 - x1 * x1) * (y0 - y2) - (y0 - y1) * (x0 * x0 - x2 * x2)) / d;
    return 2.0 * a * x1 + b;
}

GridPoint grid_search(const MisfitFunction& misfit, double depth_km, Messenger* progress) {
    GridPoint best;
    constexpr int kTotal = 16200;
    int shown = -1;
    int done = 0;
    if (progress) progress->progress_begin(kGridSearchCaption, 100);
    for (int lat = -90; lat <= 90; lat += 2) {
        for (int lon = -180; lon <= 180; lon += 2) {
            const double f = misfit(lat, lon, depth_km);
            if (f < best.misfit) best = GridPoint{static_cast<double>(lat), static_cast<double>(lon), f};
            ++done;
            const int value = (done * 100 + 100) / kTotal;
            if (progress && value > shown) {
                shown = value;
                progress->progress_step(value);
            }
        }
    }
    if (progress) progress->progress_end();
    return best;
}

double scan_depth(const MisfitFunction& misfit, double lat_deg, double lon_deg, double start_depth_km) {
    std::vector<double> distances = misfit.distances(lat_deg, lon_deg);
    double best_depth = start_depth_km;
    double best = misfit.at_distances(distances, start_depth_km);
    for (int z = 0; z < 600; ++z) {
        const double f = misfit.at_distances(distances, z);
        if (f < best) {
            best = f;
            best_depth = z;
        }
    }
    return best_depth;
}

namespace {

void fill_residuals(LocationSolution& s, const TravelTimeTables& tables) {
    s.travel_time_missing = false;
    for (Observation& o : s.observations) {
        DistanceAzimuth da;
        distance_azimuth(o.latitude, o.longitude, s.latitude, s.longitude, da);
        const double t = tables.travel_time(o.phase, s.depth, da.distance);
        if (t < 0.0) s.travel_time_missing = true;
        o.residual = o.time - s.origin_time - t;
    }
}

}  // namespace

LocationSolution locate_gradient(const std::vector<Observation>& observations, const TravelTimeTables& tables,
                                 const LocatorStart& start, Messenger* progress) {
    LocationSolution s;
    s.observations = observations;
    const MisfitFunction misfit(s.observations, tables);
    double lat = start.latitude;
    double lon = start.longitude;
    double z = start.depth;
    if (start.grid_search) {
        const GridPoint best = grid_search(misfit, z, progress);
        lat = best.latitude;
        lon = best.longitude;
    }
    const bool free_depth = !start.fix_depth;
    if (!start.fix_coordinates) {
        for (int iteration = 0; iteration < 1000; ++iteration) {
            s.iterations = iteration + 1;
            const double f0 = misfit(lat, lon, z);
            const double d_lat = parabola_derivative(lat - 0.01, misfit(lat - 0.01, lon, z), lat, f0, lat + 0.01,
                                                     misfit(lat + 0.01, lon, z));
            const double d_lon = parabola_derivative(lon - 0.01, misfit(lat, lon - 0.01, z), lon, f0, lon + 0.01,
                                                     misfit(lat, lon + 0.01, z));
            const double d_z = free_depth ? parabola_derivative(z - 1.0, misfit(lat, lon, z - 1.0), z, f0, z + 1.0,
                                                                misfit(lat, lon, z + 1.0))
                                          : 0.0;
            const double length = std::sqrt(d_lat * d_lat + d_lon * d_lon + d_z * d_z);
            if (length == 0.0) break;
            const double u_lat = d_lat / length;
            const double u_lon = d_lon / length;
            const double u_z = d_z / length;

            double step = 2.25;
            double t_lat = lat, t_lon = lon, t_z = z;
            double f = 0.0;
            do {
                t_lat = normalize_latitude(lat - step * u_lat);
                t_lon = normalize_longitude(lon - step * u_lon);
                t_z = free_depth ? clamp_depth(z - step * u_z) : z;
                f = misfit(t_lat, t_lon, t_z);
                step /= 2.0;
            } while (!(step < 0.001 || f <= f0));
            if (free_depth) t_z = clamp_depth(scan_depth(misfit, t_lat, t_lon, t_z));

            const bool converged =
                std::fabs(t_lat - lat) < 0.01 && std::fabs(t_lon - lon) < 0.01 && std::fabs(t_z - z) < 0.1;
            lat = t_lat;
            lon = t_lon;
            z = t_z;
            if (converged) break;
        }
        if (free_depth) z = scan_depth(misfit, lat, lon, z);
    }
    s.latitude = lat;
    s.longitude = lon;
    s.depth = z;
    s.origin_time = start.origin_time;
    if (!start.fix_coordinates) misfit(lat, lon, z, &s.origin_time);
    fill_residuals(s, tables);
    s.rms = s.travel_time_missing ? -1.0 : residual_rms(s.observations);
    return s;
}

}  // namespace kro
