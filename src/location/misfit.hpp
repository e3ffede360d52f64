#pragma once
// The misfit of a trial hypocentre: how well one origin time explains every
// observed arrival through the travel-time tables.

#include <vector>

#include "location/geometry.hpp"
#include "location/observations.hpp"
#include "location/travel_time_tables.hpp"

namespace kro {

// The misfit when any observation has no travel time at the trial point.
inline constexpr double kNoMisfit = 99999999.0;

// Observations prepared for many evaluations: the unit vector of each
// channel and its curve are looked up once.
class MisfitFunction {
public:
    MisfitFunction(const std::vector<Observation>& observations, const TravelTimeTables& tables);

    // Sum of (w_i * (o_i - t0))^2 with o_i = t_i - T_i the origin time each
    // observation implies and t0 their plain mean, which goes to
    // `origin_time` (epoch seconds) when given. kNoMisfit, with
    // `origin_time` untouched, when a travel time is missing.
    double operator()(double lat_deg, double lon_deg, double depth_km, double* origin_time = nullptr) const;

    // The same at fixed epicentral distances (degrees, one per observation).
    double at_distances(const std::vector<double>& distances, double depth_km, double* origin_time = nullptr) const;
    // Distance from each observation's channel to the point, degrees.
    std::vector<double> distances(double lat_deg, double lon_deg) const;

    int size() const { return static_cast<int>(observations_->size()); }

private:
    const std::vector<Observation>* observations_;
    std::vector<GeoVector> positions_;
    std::vector<const TravelTimeCurve*> curves_;
    mutable std::vector<double> scratch_;  // distances of the last evaluation
};

}  // namespace kro
