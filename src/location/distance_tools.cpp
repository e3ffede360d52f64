#include "location/distance_tools.hpp"

#include <Eigen/Dense>
#include <cmath>
#include <cstdio>

#include "location/geometry.hpp"
#include "phases/station_names.hpp"

namespace kro {

TwoPhaseDistance distance_from_two_phases(const CurrentEvent& event, const TravelTimeTables& tables, int station,
                                          int channel, const std::string& first, const std::string& second,
                                          double depth_km) {
    TwoPhaseDistance r;
    if (first == second) {
        r.text = "Phases correspond";
        r.caption = "Error";
        return r;
    }
    const SEISMIC_PHASE* p1 = event.picks.find_phase(station, channel, tables.names.phase_index(first));
    const SEISMIC_PHASE* p2 = event.picks.find_phase(station, channel, tables.names.phase_index(second));
    if (!p1 || !p2) {
        r.text = "No mark for phase " + (p1 ? second : first);
        r.caption = std::string(kStandardCaption);
        return r;
    }
    const double delta = distance_for_difference(tables, second, first, p2->time - p1->time, depth_km);
    if (delta < 0.0) {
        r.text = "No solution";
        r.caption = "Error ";
        return r;
    }
    r.ok = true;
    r.distance_deg = delta;
    r.origin_time = p1->time - tables.travel_time(tables.names.phase_index(first), depth_km, delta);
    CalendarTime c;
    time_to_calendar(r.origin_time, c);
    char text[160];
    std::snprintf(text, sizeof text, "Distance to epicenter %.3f degrees.\n Time in origin %02d:%02d:%.1f %02d.%02d.%4d",
                  delta, c.hour, c.minute, static_cast<double>(c.seconds), c.day, c.month, c.year);
    r.text = text;
    return r;
}

void accept_two_phase_distance(CurrentEvent& event, const TravelTimeTables& tables, int station, int channel,
                               const std::string& first, const std::string& second, const TwoPhaseDistance& result,
                               EventNotifier& notifier) {
    if (!result.ok) return;
    if (station >= static_cast<int>(event.station_distance.size())) event.size_station_values(station + 1);
    if (station >= 0) event.station_distance[static_cast<std::size_t>(station)] = static_cast<float>(result.distance_deg);
    event.hypocentre.origin_time = result.origin_time;
    for (const std::string& name : {first, second})
        if (SEISMIC_PHASE* p = event.picks.find_phase(station, channel, tables.names.phase_index(name)))
            p->distance = static_cast<float>(result.distance_deg);
    notifier.notify_picks_changed();
    notifier.notify_hypocentre_changed();
}

int first_invalid_coordinate(double lat1, double lon1, double lat2, double lon2) {
    if (!(lat1 >= -90.0 && lat1 <= 90.0)) return 0;
    if (!(lon1 >= -180.0 && lon1 <= 180.0)) return 1;
    if (!(lat2 >= -90.0 && lat2 <= 90.0)) return 2;
    if (!(lon2 >= -180.0 && lon2 <= 180.0)) return 3;
    return -1;
}

CalculatorFields distance_azimuth_fields(double lat1, double lon1, double lat2, double lon2) {
    DistanceAzimuth da;
    distance_azimuth(lat1, lon1, lat2, lon2, da);
    const auto f = [](double v) {
        char text[64];
        std::snprintf(text, sizeof text, "%.2f", v);
        return std::string(text);
    };
    return {f(da.distance), f(da.azimuth), f(da.back_azimuth)};
}

PlaneWaveFit fit_plane_wave(const CurrentEvent& event, const StationTable& stations, int reference) {
    PlaneWaveFit fit;
    struct Point {
        double x, y, t;
    };
    std::vector<Point> points;
    if (reference >= 0 && reference < stations.count()) {
        const CScreenFields& ref = stations.at(reference);
        for (const SEISMIC_PHASE& p : event.picks) {
            if (p.included == 0 || p.phase_index != 0) continue;
            if (p.station_index < 0 || p.station_index >= stations.count() || p.channel_index < 0 ||
                p.channel_index >= kChannelSlots)
                continue;
            const ChannelSlot& slot = stations.at(p.station_index).slots[static_cast<std::size_t>(p.channel_index)];
            DistanceAzimuth da;
            distance_azimuth(slot.lat, slot.lon, ref.lat, ref.lon, da);
            const double alpha = da.azimuth * 3.14159265358979323846 / 180.0;
            points.push_back({da.distance * std::sin(alpha), da.distance * std::cos(alpha), p.time});
        }
    }
    fit.observations = static_cast<int>(points.size());
    if (points.size() < 3) {
        fit.message = "Required > 2 P-phases";
        return fit;
    }
    // Unknowns (a, sx, sy) of t = a - sx x - sy y, weights 1/n; times
    // relative to the first arrival keep the normal equations well scaled.
    const double n = static_cast<double>(points.size());
    const double t_ref = points.front().t;
    Eigen::Matrix3d normal = Eigen::Matrix3d::Zero();
    Eigen::Vector3d rhs = Eigen::Vector3d::Zero();
    for (const Point& q : points) {
        const Eigen::Vector3d row(1.0, -q.x, -q.y);
        normal += row * row.transpose() / n;
        rhs += row * (q.t - t_ref) / n;
    }
    const Eigen::FullPivLU<Eigen::Matrix3d> lu(normal);
    const Eigen::Vector3d solution = lu.solve(rhs);
    const double a = solution(0), sx = solution(1), sy = solution(2);
    const double s = std::sqrt(sx * sx + sy * sy);
    fit.ok = true;
    fit.azimuth = std::atan2(sx, sy) * 180.0 / 3.14159265358979323846;
    if (fit.azimuth < 0.0) fit.azimuth += 360.0;
    fit.slowness = s;
    fit.velocity = s > 0.0 ? 111.1953 / s : 0.0;
    if (points.size() > 3 && lu.isInvertible() && s > 0.0) {
        double variance = 0.0;
        for (const Point& q : points) {
            const double r = a - (q.t - t_ref) - sx * q.x - sy * q.y;
            variance += r * r / n;
        }
        variance /= (n - 3.0);
        const Eigen::Matrix3d covariance = lu.inverse() * variance / n;
        const Eigen::Vector2d u(sx / s, sy / s);
        const double along = u.transpose() * covariance.bottomRightCorner<2, 2>() * u;
        fit.rms = std::sqrt(std::max(along, 0.0));
    }
    return fit;
}

std::string plane_wave_value_text(double value) {
    char text[64];
    std::snprintf(text, sizeof text, value > 1.0 ? "%.1f" : "%.4f", value);
    return text;
}

void accept_plane_wave(CurrentEvent& event, int reference, const PlaneWaveFit& fit, EventNotifier& notifier) {
    if (!fit.ok) return;
    for (SEISMIC_PHASE& p : event.picks) {
        if (p.station_index != reference || p.included == 0 || p.phase_index != 0) continue;
        p.azimuth = static_cast<float>(fit.azimuth);
        p.azimuth_valid = 1;
        p.apparent_velocity = static_cast<float>(fit.velocity);
        p.velocity_valid = 1;
    }
    notifier.notify_picks_changed();
}

PredictionResult place_predicted_marks(CurrentEvent& event, const TravelTimeTables& tables,
                                       const StationTable& stations, const PredictionRequest& rq,
                                       Messenger& messenger, EventNotifier& notifier) {
    PredictionResult result;
    result.origin_time = rq.origin_time;
    result.distance_deg = rq.distance_deg;
    const double z = rq.depth_km;
    double t0 = rq.origin_time;
    double delta = rq.distance_deg;
    const auto error = [&](const std::string& text, const char* caption) {
        messenger.message_box(text, caption, MessageIcon::Error, MessageButtons::Ok);
    };

    if (rq.mode != PredictionMode::FromOriginTime) {
        const int ref_index = tables.names.phase_index(rq.reference_phase);
        const SEISMIC_PHASE* ref = event.picks.find_phase(rq.station, rq.channel, ref_index);
        if (!ref) {
            error("No mark for phase " + rq.reference_phase, "Error");
            return result;
        }
        if (!tables.names.may_include(ref_index)) {
            error("Absent hodograph for phase " + rq.reference_phase, "Error");
            return result;
        }
        if (rq.mode == PredictionMode::FromPhase) {
            const double tr = tables.travel_time(ref_index, z, delta);
            if (tr < 0.0) {
                error("No hodograph for phase " + rq.reference_phase, "Error");
                return result;
            }
            t0 = ref->time - tr;
            result.origin_time = t0;
        } else {
            delta = distance_for_time(tables, rq.reference_phase, ref->time - rq.origin_time, z);
            if (delta < 0.0) {
                messenger.beep();
                return result;
            }
            result.distance_deg = delta;
        }
    }

    struct Mark {
        int phase;
        double time;
    };
    std::vector<Mark> marks;
    for (int phase : rq.phases) {
        if (!tables.names.may_include(phase)) continue;
        const double t = tables.travel_time(phase, z, delta);
        if (t < 0.0) {
            error("No hodograph for phase " + tables.names.phase_name(phase), "Error");
            if (rq.mode == PredictionMode::FromOriginTime) return result;
            continue;
        }
        marks.push_back({phase, t0 + t});
    }
    for (const Mark& m : marks) {
        SEISMIC_PHASE p;
        p.station_index = rq.station;
        p.channel_index = rq.channel;
        p.phase_index = m.phase;
        p.set_time(m.time);
        p.own = 0;
        p.onset = kOnsetImpulsive;
        p.first_motion = kFirstMotionUnknown;
        p.weight_class = 3;
        p.included = 0;
        event.picks.insert_phase(p);
    }
    result.ok = true;
    result.placed = static_cast<int>(marks.size());
    notifier.notify_picks_changed(
        {ChannelName{station_name(stations, rq.station), channel_name(stations, rq.station, rq.channel)}});
    return result;
}

}  // namespace kro
