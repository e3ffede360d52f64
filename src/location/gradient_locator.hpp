#pragma once
// "Estimate location of hypo": gradient descent on the misfit over
// latitude, longitude and depth, optionally from the best point of a grid
// over the whole globe, with a depth scan after every step.

#include "core/messenger.hpp"
#include "location/locator.hpp"
#include "location/misfit.hpp"

namespace kro {

// Caption of the progress bar of the grid search.
inline constexpr const char* kGridSearchCaption = "Start point estimation by method of complete enumeration";

// The grid search: the misfit at latitudes -90, -88 ... 90 and longitudes
// -180, -178 ... 180 at `depth_km`; the first point with the smallest
// misfit. Reports progress 0-100 through `progress` when given.
struct GridPoint {
    double latitude = 0.0;
    double longitude = 0.0;
    double misfit = 1e20;
};
GridPoint grid_search(const MisfitFunction& misfit, double depth_km, Messenger* progress);

// Depth (km) among 0, 1 ... 599 with the smallest misfit at the epicentre,
// starting from the misfit at `start_depth_km` (the first smallest wins).
double scan_depth(const MisfitFunction& misfit, double lat_deg, double lon_deg, double start_depth_km);

// The derivative at x1 of the parabola through (x0, y0), (x1, y1), (x2, y2); 0 when degenerate.
double parabola_derivative(double x0, double y0, double x1, double y1, double x2, double y2);

// Locates from `observations` (sorted by time). At most 1000 steps.
LocationSolution locate_gradient(const std::vector<Observation>& observations, const TravelTimeTables& tables,
                                 const LocatorStart& start, Messenger* progress = nullptr);

}  // namespace kro
