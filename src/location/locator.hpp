#pragma once
// What both locators take and give.

#include <vector>

#include "location/observations.hpp"

namespace kro {

// The start point dialog: where to start and what to keep fixed.
struct LocatorStart {
    double latitude = 45.0;    // degrees
    double longitude = 45.0;   // degrees
    double depth = 5.0;        // km
    double origin_time = 0.0;  // epoch seconds; kept when the coordinates are fixed
    bool grid_search = false;      // "Start point estimation by method of complete enumeration"
    bool fix_coordinates = false;  // "Fixation of coordinates (estimation of residuals)"
    bool fix_depth = false;        // "Depth fixation"
};

// Semi-axes in km and the direction of the major axis in degrees; each -1
// when not computed.
struct ErrorEllipse {
    double major_km = -1.0;
    double minor_km = -1.0;
    double direction_deg = -1.0;
};

struct LocationSolution {
    double latitude = 0.0;     // degrees
    double longitude = 0.0;    // degrees
    double depth = 0.0;        // km
    double origin_time = 0.0;  // epoch seconds
    std::vector<Observation> observations;  // sorted, with residuals
    double rms = -1.0;         // seconds; -1 when a travel time was missing at the end
    ErrorEllipse ellipse;      // the SVD locator only
    int iterations = 0;
    bool travel_time_missing = false;  // some observation had no travel time at the solution
};

// sqrt(mean of the squared residuals); -1 when there are none.
double residual_rms(const std::vector<Observation>& observations);

}  // namespace kro
