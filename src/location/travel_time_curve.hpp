#pragma once
// One travel-time curve: the travel time of a phase in seconds over a grid
// of source depths (km) and epicentral distances (degrees), with the second
// derivatives of a natural cubic spline along each depth row. A time of
// exactly -1 marks a point where the phase does not exist; it cuts the
// spline. The magnitude calibration tables use the same file format.
//
// File format (text): a title line; the number of depths; the depths; the
// number of distances; the distances; then the values depth by depth, for
// each depth all its distances in order. Numbers are separated by blanks
// or tabs, any number per line; '#' starts a comment up to the line end;
// blank lines are skipped. Both axes ascend strictly and hold at least two
// values.

#include <string>
#include <string_view>
#include <vector>

#include "core/status.hpp"

namespace kro {

inline constexpr float kMissingTime = -1.0f;

struct TravelTimeCurve {
    std::string phase_name;          // at most 9 characters
    std::vector<float> depths;       // km, ascending
    std::vector<float> distances;    // degrees, ascending
    std::vector<float> times;        // depths x distances, one row per depth; -1 = missing
    std::vector<float> second_derivatives;  // same shape as times
    bool available = false;          // read and prepared

    int depth_count() const { return static_cast<int>(depths.size()); }
    int distance_count() const { return static_cast<int>(distances.size()); }
};

// Parses the text of a curve file and prepares its spline. On failure the
// curve is left not available and the status says what and where.
Status parse_curve_text(std::string_view text, TravelTimeCurve& curve);
// Reads and parses a file; `curve.phase_name` is left to the caller.
Status read_curve_file(const std::string& path, TravelTimeCurve& curve);

// Second derivatives of every depth row (natural spline; a row segment
// next to a missing point gets second derivatives 0).
void compute_second_derivatives(TravelTimeCurve& curve);

// Travel time in seconds at a depth (km) and distance (degrees): the spline
// of the two bracketing depth rows at the distance, interpolated linearly
// in depth. -1 when the curve is not available, the point lies outside the
// table (its edges belong to it) or an interval touches a missing point.
double travel_time(const TravelTimeCurve& curve, double depth_km, double distance_deg);

}  // namespace kro
