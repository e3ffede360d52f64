#include "location/svd_locator.hpp"

#include <cmath>

#include "location/f_distribution.hpp"
#include "location/geometry.hpp"
#include "location/gradient_locator.hpp"
#include "location/misfit.hpp"
#include "numerics/svd.hpp"

namespace kro {

namespace {

constexpr double kPi = 3.14159265358979323846;

double travel_time_to(const TravelTimeTables& tables, const Observation& o, double lat, double lon, double z) {
    DistanceAzimuth da;
    distance_azimuth(o.latitude, o.longitude, lat, lon, da);
    return tables.travel_time(o.phase, z, da.distance);
}

}  // namespace

ErrorEllipse error_ellipse(double s_ff, double s_ll, double s_fl, double rms, int observations) {
    ErrorEllipse e;
    if (s_fl == 0.0) return e;
    double theta = std::atan2(2.0 * s_fl, s_ff - s_ll) / 2.0;
    if (theta < 0.0) theta += 2.0 * kPi;
    if (theta > 2.0 * kPi) theta -= 2.0 * kPi;
    if (theta > kPi) theta -= kPi;
    const double s = std::sin(theta);
    const double c = std::cos(theta);
    const double q1 = s_ll * s * s + 2.0 * s_fl * s * c + s_ff * c * c;
    const double q2 = s_ll * c * c - 2.0 * s_fl * s * c + s_ff * s * s;
    if (q1 < 0.0 || q2 < 0.0) return e;
    const double k = std::sqrt(2.0 * f_quantile(2, observations, 0.90)) * rms;
    e.major_km = std::sqrt(q1) * k * kKmPerDegree;
    e.minor_km = std::sqrt(q2) * k * kKmPerDegree;
    e.direction_deg = theta / kDegreesToRadians;
    return e;
}

Status locate_svd(const std::vector<Observation>& observations, const TravelTimeTables& tables,
                  const LocatorStart& start, LocationSolution& solution, Messenger* progress) {
    if (observations.size() < 4) return Status::failure(kTooFewPhases);
    LocationSolution s;
    s.observations = observations;
    const int n = static_cast<int>(observations.size());
    double lat = start.latitude;
    double lon = start.longitude;
    double z = start.depth;
    double t0 = start.origin_time;
    if (start.grid_search) {
        const MisfitFunction misfit(s.observations, tables);
        const GridPoint best = grid_search(misfit, z, progress);
        lat = best.latitude;
        lon = best.longitude;
    }
    const bool free_depth = !start.fix_depth;
    const int unknowns = free_depth ? 4 : 3;
    Eigen::MatrixXd u;
    Eigen::MatrixXd v;
    std::vector<double> w;
    bool decomposed = false;
    bool missing = false;
    std::vector<double> times(static_cast<std::size_t>(n));
    if (!start.fix_coordinates) {
        for (int iteration = 0; iteration < 1000; ++iteration) {
            s.iterations = iteration + 1;
            if (free_depth && z <= 1.0) z += 1.0;
            for (int i = 0; i < n; ++i) {
                times[static_cast<std::size_t>(i)] = travel_time_to(tables, observations[static_cast<std::size_t>(i)], lat, lon, z);
                if (times[static_cast<std::size_t>(i)] < 0.0) missing = true;
            }
            if (missing) break;
            Eigen::MatrixXd a(n, unknowns);
            std::vector<double> b(static_cast<std::size_t>(n));
            for (int i = 0; i < n; ++i) {
                const Observation& o = observations[static_cast<std::size_t>(i)];
                const double t = times[static_cast<std::size_t>(i)];
                a(i, 0) = 1.0;
                a(i, 1) = parabola_derivative(lat - 0.01, travel_time_to(tables, o, lat - 0.01, lon, z), lat, t,
                                              lat + 0.01, travel_time_to(tables, o, lat + 0.01, lon, z));
                a(i, 2) = parabola_derivative(lon - 0.01, travel_time_to(tables, o, lat, lon - 0.01, z), lon, t,
                                              lon + 0.01, travel_time_to(tables, o, lat, lon + 0.01, z));
                if (free_depth)
                    a(i, 3) = parabola_derivative(z - 1.0, travel_time_to(tables, o, lat, lon, z - 1.0), z, t, z + 1.0,
                                                  travel_time_to(tables, o, lat, lon, z + 1.0));
                b[static_cast<std::size_t>(i)] = o.time - t - t0;
            }
            svd_decompose(a, w, v);
            u = a;
            decomposed = true;
            std::vector<double> x;
            svd_back_substitute(u, w, v, b, x);
            t0 += x[0];
            lat = normalize_latitude(lat + x[1]);
            lon = normalize_longitude(lon + x[2]);
            if (free_depth) z = clamp_depth(z + x[3]);
            if (std::fabs(x[0]) < 0.1 && std::fabs(x[1]) < 0.01 && std::fabs(x[2]) < 0.01 &&
                (!free_depth || std::fabs(x[3]) < 0.1))
                break;
        }
    }
    s.latitude = lat;
    s.longitude = lon;
    s.depth = z;
    s.origin_time = t0;
    for (Observation& o : s.observations) {
        const double t = travel_time_to(tables, o, lat, lon, z);
        if (t < 0.0) s.travel_time_missing = true;
        o.residual = o.time - t0 - t;
    }
    s.rms = missing ? -1.0 : residual_rms(s.observations);
    if (decomposed && s.rms != -1.0) {
        // C = V diag(1/w^2) V^T; a singular value of 0 adds nothing.
        Eigen::MatrixXd c = Eigen::MatrixXd::Zero(unknowns, unknowns);
        for (int k = 0; k < unknowns; ++k) {
            const double wk = w[static_cast<std::size_t>(k)];
            if (wk == 0.0) continue;
            c += v.col(k) * v.col(k).transpose() / (wk * wk);
        }
        s.ellipse = error_ellipse(c(1, 1), c(2, 2), c(2, 1), s.rms, n);
    }
    solution = std::move(s);
    return {};
}

}  // namespace kro
