#pragma once
// Spherical geometry between station and epicentre: distance, azimuth and
// back azimuth on the geocentric sphere, and the normalisations used while
// a locator iterates.

namespace kro {

// Degrees to radians (and back by division): this fixed factor, not pi/180
// to full precision, so results match those of earlier solutions.
inline constexpr double kDegreesToRadians = 0.01745329255;
// Kilometres per degree of arc.
inline constexpr double kKmPerDegree = 111.195;

struct DistanceAzimuth {
    double distance = 0.0;      // degrees of arc
    double azimuth = 0.0;       // at point 1 towards point 2, degrees clockwise from north, [0, 360)
    double back_azimuth = 0.0;  // at point 2 towards point 1, degrees, [0, 360)
};

// From point 1 to point 2 (latitudes and longitudes in degrees). When a
// latitude lies outside [-90, 90] or a longitude outside [-180, 180]
// nothing is computed, `out` keeps what it held and the result is false.
// Identical points give 0 for all three.
bool distance_azimuth(double lat1, double lon1, double lat2, double lon2, DistanceAzimuth& out);

// A point as a unit vector on the geocentric sphere.
struct GeoVector {
    double x = 0.0, y = 0.0, z = 0.0;
};
GeoVector geo_unit_vector(double lat_deg, double lon_deg);
// Arc between two points, degrees; the distance of distance_azimuth.
double arc_degrees(const GeoVector& a, const GeoVector& b);

// Geocentric latitude (radians) of a geographic latitude (radians).
double geocentric_latitude(double geographic_rad);

// Latitude (degrees) brought into [-90, 90]: modulo 180 keeping its sign,
// then 180 subtracted above 90 and added below -90.
double normalize_latitude(double degrees);
// Longitude (degrees) brought into [-180, 180] the same way with 360.
double normalize_longitude(double degrees);
// Depth (km) kept within [1, 600].
double clamp_depth(double km);

}  // namespace kro
