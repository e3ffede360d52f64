#pragma once
// "*New epicentry": the linearised least-squares locator. Each step solves
// the design matrix of travel-time derivatives by singular value
// decomposition; the last decomposition gives the covariance and the error
// ellipse of the epicentre.

#include "core/messenger.hpp"
#include "core/status.hpp"
#include "location/locator.hpp"
#include "location/travel_time_tables.hpp"

namespace kro {

inline constexpr const char* kTooFewPhases = "Number of phases < 4";

// Locates from `observations` (sorted by time; at least four, otherwise the
// status carries "Number of phases < 4" and nothing is computed). At most
// 1000 steps. With fixed coordinates only the residuals and the RMS at the
// start point are computed; with fixed depth the unknowns are the
// origin-time correction, latitude and longitude.
Status locate_svd(const std::vector<Observation>& observations, const TravelTimeTables& tables,
                  const LocatorStart& start, LocationSolution& solution, Messenger* progress = nullptr);

// The 90 % error ellipse of the epicentre from the covariance terms of
// latitude and longitude (degrees squared), the RMS (s) and the number of
// observations. All -1 when there is no ellipse.
ErrorEllipse error_ellipse(double var_lat, double var_lon, double cov_lat_lon, double rms, int observations);

}  // namespace kro
