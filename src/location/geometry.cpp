#include "location/geometry.hpp"

#include <cmath>

namespace kro {

namespace {

constexpr double kHalfPi = 1.5707963267948966;

using Vec = GeoVector;

Vec cross(const Vec& a, const Vec& b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double dot(const Vec& a, const Vec& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
double norm(const Vec& a) { return std::sqrt(dot(a, a)); }

double azimuth_from(const Vec& v1, const Vec& v2) {
    const Vec n = cross(v2, v1);
    const Vec e{-v1.y, v1.x, 0.0};
    if (norm(e) * norm(n) == 0.0) return 0.0;
    double az = std::atan2(-n.z, dot(e, n)) / kDegreesToRadians;
    if (az < 0.0) az += 360.0;
    if (az >= 360.0) az -= 360.0;
    return az;
}

bool in_range(double lat, double lon) { return lat >= -90.0 && lat <= 90.0 && lon >= -180.0 && lon <= 180.0; }

}  // namespace

GeoVector geo_unit_vector(double lat_deg, double lon_deg) {
    const double psi = geocentric_latitude(lat_deg * kDegreesToRadians);
    const double lambda = lon_deg * kDegreesToRadians;
    return {std::cos(psi) * std::cos(lambda), std::cos(psi) * std::sin(lambda), std::sin(psi)};
}

double arc_degrees(const GeoVector& a, const GeoVector& b) {
    return std::atan2(norm(cross(a, b)), dot(a, b)) / kDegreesToRadians;
}

double geocentric_latitude(double phi) {
    if (kHalfPi - std::fabs(phi) >= 0.05) return std::atan(0.993277 * std::tan(phi));
    return phi >= 0.0 ? phi / 0.993277 - 0.01063193 : phi / 0.993277 + 0.01063193;
}

bool distance_azimuth(double lat1, double lon1, double lat2, double lon2, DistanceAzimuth& out) {
    if (!in_range(lat1, lon1) || !in_range(lat2, lon2)) return false;
    if (lat1 == lat2 && lon1 == lon2) {
        out = DistanceAzimuth{};
        return true;
    }
    const Vec v1 = geo_unit_vector(lat1, lon1);
    const Vec v2 = geo_unit_vector(lat2, lon2);
    out.distance = arc_degrees(v1, v2);
    out.azimuth = azimuth_from(v1, v2);
    out.back_azimuth = azimuth_from(v2, v1);
    return true;
}

double normalize_latitude(double degrees) {
    double lat = std::fmod(degrees, 180.0);
    if (lat > 90.0) lat -= 180.0;
    if (lat < -90.0) lat += 180.0;
    return lat;
}

double normalize_longitude(double degrees) {
    double lon = std::fmod(degrees, 360.0);
    if (lon > 180.0) lon -= 360.0;
    if (lon < -180.0) lon += 360.0;
    return lon;
}

double clamp_depth(double km) {
    if (km < 1.0) return 1.0;
    if (km > 600.0) return 600.0;
    return km;
}

}  // namespace kro
