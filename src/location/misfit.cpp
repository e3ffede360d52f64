#include "location/misfit.hpp"

namespace kro {

MisfitFunction::MisfitFunction(const std::vector<Observation>& observations, const TravelTimeTables& tables)
    : observations_(&observations) {
    positions_.reserve(observations.size());
    curves_.reserve(observations.size());
    for (const Observation& o : observations) {
        positions_.push_back(geo_unit_vector(o.latitude, o.longitude));
        curves_.push_back(tables.curve(o.phase));
    }
}

std::vector<double> MisfitFunction::distances(double lat_deg, double lon_deg) const {
    std::vector<double> out(positions_.size(), 0.0);
    if (lat_deg < -90.0 || lat_deg > 90.0 || lon_deg < -180.0 || lon_deg > 180.0) return out;
    const GeoVector point = geo_unit_vector(lat_deg, lon_deg);
    for (std::size_t i = 0; i < positions_.size(); ++i) out[i] = arc_degrees(positions_[i], point);
    return out;
}

double MisfitFunction::at_distances(const std::vector<double>& distances, double depth_km, double* origin_time) const {
    const auto& obs = *observations_;
    const std::size_t n = obs.size();
    if (n == 0) return 0.0;
    double implied[256];
    std::vector<double> more;
    double* o = implied;
    if (n > 256) {
        more.resize(n);
        o = more.data();
    }
    double sum = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const double t = curves_[i] ? travel_time(*curves_[i], depth_km, distances[i]) : -1.0;
        if (t < 0.0) return kNoMisfit;
        o[i] = obs[i].time - t;
        sum += o[i];
    }
    const double t0 = sum / static_cast<double>(n);
    double misfit = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const double r = obs[i].weight * (o[i] - t0);
        misfit += r * r;
    }
    if (origin_time) *origin_time = t0;
    return misfit;
}

double MisfitFunction::operator()(double lat_deg, double lon_deg, double depth_km, double* origin_time) const {
    scratch_.assign(positions_.size(), 0.0);
    if (lat_deg >= -90.0 && lat_deg <= 90.0 && lon_deg >= -180.0 && lon_deg <= 180.0) {
        const GeoVector point = geo_unit_vector(lat_deg, lon_deg);
        for (std::size_t i = 0; i < positions_.size(); ++i) scratch_[i] = arc_degrees(positions_[i], point);
    }
    return at_distances(scratch_, depth_km, origin_time);
}

}  // namespace kro
