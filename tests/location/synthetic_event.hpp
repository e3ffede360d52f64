#pragma once
// Synthetic events for the locator tests: stations around a known
// hypocentre and P and S arrival times computed from the demo tables.

#include <cmath>
#include <string>
#include <vector>

#include "location/geometry.hpp"
#include "location/observations.hpp"
#include "location/travel_time_tables.hpp"

namespace kro::test {

inline std::string demo_tables() { return std::string(KRO_SOURCE_DIR) + "/demo/tables"; }

struct Hypo {
    double lat, lon, depth, time;
};

// Station i lies at distance 2 + 1.7 i degrees (up to ~60) and azimuth
// 137.5 i degrees from the epicentre, so stations spread in all
// directions. `noise` seconds are added as a fixed, zero-mean pattern.
inline std::vector<Observation> synthetic_observations(const TravelTimeTables& tables, const Hypo& h, int stations,
                                                       double noise) {
    std::vector<Observation> obs;
    const int p = tables.names.phase_index("P");
    const int s = tables.names.phase_index("S");
    const double pattern[] = {0.8, -0.5, 0.3, -0.9, 0.6, -0.2, 1.0, -0.7, 0.1, -0.4, 0.5, -0.6, 0.9, -0.1};
    int k = 0;
    for (int i = 0; i < stations; ++i) {
        const double d = 2.0 + 1.7 * i;
        const double az = std::fmod(137.5 * i, 360.0) * kDegreesToRadians;
        // A point at distance d along azimuth az on the sphere.
        const double lat1 = h.lat * kDegreesToRadians, d_rad = d * kDegreesToRadians;
        const double lat2 = std::asin(std::sin(lat1) * std::cos(d_rad) + std::cos(lat1) * std::sin(d_rad) * std::cos(az));
        const double lon2 = h.lon * kDegreesToRadians +
                            std::atan2(std::sin(az) * std::sin(d_rad) * std::cos(lat1),
                                       std::cos(d_rad) - std::sin(lat1) * std::sin(lat2));
        Observation o;
        o.station = i;
        o.latitude = lat2 / kDegreesToRadians;
        o.longitude = normalize_longitude(lon2 / kDegreesToRadians);
        DistanceAzimuth da;
        distance_azimuth(o.latitude, o.longitude, h.lat, h.lon, da);
        for (int phase : {p, s}) {
            const double t = tables.travel_time(phase, h.depth, da.distance);
            if (t < 0) continue;
            o.phase = phase;
            o.time = h.time + t + noise * pattern[k++ % 14];
            obs.push_back(o);
        }
    }
    sort_by_time(obs);
    return obs;
}

}  // namespace kro::test
