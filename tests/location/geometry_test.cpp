#include "location/geometry.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace kro {
namespace {

// Expected values worked out by hand on the geocentric sphere (the
// geocentric latitude of 45 degrees is atan(0.993277) = 44.80675 degrees).
TEST(Geometry, DistanceAndAzimuths) {
    struct Case {
        double lat1, lon1, lat2, lon2;
        double distance, azimuth, back_azimuth;
    };
    const Case cases[] = {
        {10, 20, 10, 20, 0, 0, 0},                     // identical points
        {0, 0, 0, 90, 90, 90, 270},                    // along the equator
        {0, 179, 0, -179, 2, 90, 270},                 // across the date line
        {0, -179, 0, 179, 2, 270, 90},
        {0, 0, 90, 0, 90, 0, -1},                      // to the north pole; no direction at the pole
        {0, 30, -90, 0, 90, 180, -1},                  // to the south pole
        {45, 0, 0, 0, 44.80675136, 180, 0},            // geocentric latitude
        {0, 0, 0, 180, 180, -1, -1},                   // antipode: only the distance is defined
        {89.99, 0, 0, 0, 89.98993302, 180, 0},         // near-pole branch of the conversion
    };
    for (const Case& c : cases) {
        DistanceAzimuth d;
        ASSERT_TRUE(distance_azimuth(c.lat1, c.lon1, c.lat2, c.lon2, d));
        EXPECT_NEAR(d.distance, c.distance, 1e-6) << c.lat1 << " " << c.lon1 << " " << c.lat2 << " " << c.lon2;
        if (c.azimuth >= 0) {
            EXPECT_NEAR(d.azimuth, c.azimuth, 1e-6) << c.lat1 << " " << c.lon1;
        }
        if (c.back_azimuth >= 0) {
            EXPECT_NEAR(d.back_azimuth, c.back_azimuth, 1e-6) << c.lat1 << " " << c.lon1;
        }
    }
}

TEST(Geometry, OutOfRangePointsLeaveTheOutputsAlone) {
    const double bad[][4] = {{90.5, 0, 0, 0}, {0, 180.5, 0, 0}, {0, 0, -91, 0}, {0, 0, 0, -181}};
    for (const auto& b : bad) {
        DistanceAzimuth d{1, 2, 3};
        EXPECT_FALSE(distance_azimuth(b[0], b[1], b[2], b[3], d));
        EXPECT_EQ(d.distance, 1);
        EXPECT_EQ(d.back_azimuth, 3);
    }
}

TEST(Geometry, NearPoleConversionIsUsedWithinAThirdOfADegreeOfThePole) {
    const double phi = 89.99 * kDegreesToRadians;
    EXPECT_DOUBLE_EQ(geocentric_latitude(phi), phi / 0.993277 - 0.01063193);
    EXPECT_DOUBLE_EQ(geocentric_latitude(-phi), -phi / 0.993277 + 0.01063193);
    const double mid = 60 * kDegreesToRadians;
    EXPECT_DOUBLE_EQ(geocentric_latitude(mid), std::atan(0.993277 * std::tan(mid)));
}

TEST(Geometry, Normalisations) {
    struct Case {
        double in, lat, lon, depth;
    };
    const Case cases[] = {
        {0, 0, 0, 1},         {95, -85, 95, 95},   {-95, 85, -95, 1},    {185, 5, -175, 185},
        {-185, -5, 175, 1},   {370, 10, 10, 370},  {600.5, 60.5, -119.5, 600},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(normalize_latitude(c.in), c.lat, 1e-9) << c.in;
        EXPECT_NEAR(normalize_longitude(c.in), c.lon, 1e-9) << c.in;
        EXPECT_EQ(clamp_depth(c.in), c.depth) << c.in;
    }
}

}  // namespace
}  // namespace kro
