#include "demo/demo_event.hpp"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <utility>

#include "core/atomic_file.hpp"
#include "location/geometry.hpp"
#include "phases/arr_file.hpp"

namespace kro {

namespace {

// The source: a vertical strike-slip fault striking N30E.
constexpr double kStrikeDeg = 30.0;

// Reading errors in units of the largest error: fixed, about zero-mean,
// different for P and S of one station.
constexpr double kErrorPatternP[] = {0.3, -0.7, 1.0, -0.2, 0.5, -1.0, 0.1, 0.8, -0.4, -0.6, 0.9, -0.3, 0.2};
constexpr double kErrorPatternS[] = {-0.5, 0.8, -0.1, 1.0, -0.9, 0.4, -0.3, 0.6, -1.0, 0.2, 0.7, -0.6, 0.0};

double pattern(const double (&values)[13], std::size_t i) { return values[i % 13]; }

}  // namespace

bool demo_p_compression(double azimuth_deg) {
    return std::sin(2.0 * (azimuth_deg - kStrikeDeg) * kDegreesToRadians) >= 0.0;
}

Status demo_arrivals(const TravelTimeTables& tables, const DemoEvent& event, std::vector<DemoArrival>& out) {
    for (const auto* phases : {&kDemoPPhases, &kDemoSPhases})
        for (std::string_view phase : *phases) {
            const TravelTimeCurve* curve = tables.curve(tables.names.phase_index(phase));
            if (!curve || !curve->available)
                return Status::failure("The travel-time tables in " + tables.folder + " have no curve of " +
                                       std::string(phase) + " (the demo event needs Pg, Pn, Sg and Sn)");
        }
    // The earlier of a pair at a distance: its name and travel time, or no name.
    const auto first_arrival = [&](const std::array<std::string_view, 2>& phases, double distance,
                                   std::string& name) {
        double best = -1.0;
        name.clear();
        for (std::string_view phase : phases) {
            const double t = tables.travel_time(tables.names.phase_index(phase), event.depth, distance);
            if (t >= 0.0 && (best < 0.0 || t < best)) {
                best = t;
                name = phase;
            }
        }
        return best;
    };
    std::vector<DemoArrival> arrivals;
    const auto& stations = demo_stations();
    for (std::size_t i = 0; i < stations.size(); ++i) {
        const DemoStation& st = stations[i];
        DistanceAzimuth da;
        distance_azimuth(event.lat, event.lon, st.lat, st.lon, da);
        DemoArrival a;
        const double tp = first_arrival(kDemoPPhases, da.distance, a.p_phase);
        const double ts = first_arrival(kDemoSPhases, da.distance, a.s_phase);
        if (tp < 0.0 || ts < 0.0)
            return Status::failure("The travel-time tables in " + tables.folder + " give no P or S time at station " +
                                   st.sta);
        a.station = static_cast<int>(i);
        a.distance = da.distance;
        a.azimuth = da.azimuth;
        const double epicentral_km = da.distance * kKmPerDegree;
        a.hypocentral_km = std::sqrt(epicentral_km * epicentral_km + event.depth * event.depth);
        a.p_time = event.origin + tp;
        a.s_time = event.origin + ts;
        arrivals.push_back(std::move(a));
    }
    out = std::move(arrivals);
    return {};
}

StationTable demo_station_table() {
    StationTable table;
    int number = 1;
    for (const DemoStation& st : demo_stations()) {
        CScreenFields& rec = table.add_station(demo_window_start());
        rec.name = st.sta;
        rec.ngroups = 1;
        rec.nindex = number++;
        rec.lat = static_cast<float>(st.lat);
        rec.lon = static_cast<float>(st.lon);
        rec.elev = static_cast<float>(st.elev);
        for (std::size_t c = 0; c < kDemoChannels.size(); ++c) {
            ChannelSlot& slot = rec.slots[c];
            slot.name = std::string(kDemoChannels[c]);
            slot.sps = kDemoSps;
            slot.chanindex = static_cast<int>(c);
            slot.lat = rec.lat;
            slot.lon = rec.lon;
            slot.elev = rec.elev;
        }
        set_window(rec, demo_window_start(), kDemoWindowSeconds);
    }
    return table;
}

KROPhases demo_picks(const std::vector<DemoArrival>& arrivals, const TravelTimeTables& tables) {
    KROPhases picks;
    for (std::size_t i = 0; i < arrivals.size(); ++i) {
        const DemoArrival& a = arrivals[i];
        SEISMIC_PHASE pick;
        pick.station_index = a.station;
        pick.included = 1;

        pick.channel_index = 0;  // HHZ
        pick.phase_index = tables.names.phase_index(a.p_phase);
        pick.set_time(a.p_time + kDemoPickErrorP * pattern(kErrorPatternP, i));
        pick.onset = kOnsetImpulsive;
        pick.first_motion = demo_p_compression(a.azimuth) ? 0 : 1;  // U or D
        pick.weight_class = 0;
        pick.deltim = kDemoPickErrorP;
        picks.insert_phase(pick);

        pick.channel_index = 1;  // HHN
        pick.phase_index = tables.names.phase_index(a.s_phase);
        pick.set_time(a.s_time + kDemoPickErrorS * pattern(kErrorPatternS, i));
        pick.onset = kOnsetEmergent;
        pick.first_motion = kFirstMotionUnknown;
        pick.weight_class = 1;
        pick.deltim = kDemoPickErrorS;
        picks.insert_phase(pick);
    }
    return picks;
}

Status write_demo_event_files(const std::string& folder, const TravelTimeTables& tables, DemoEventFiles* files) {
    std::vector<DemoArrival> arrivals;
    if (Status s = demo_arrivals(tables, kDemoEvent, arrivals); !s) return s;
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    const std::string base = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    const std::string arr_path = base + std::string(kDemoArrFile);
    const std::string station_path = base + std::string(kDemoStationFile);

    std::string text = "# KRO demo network: STA LAT LON ELEV_KM CHANNELS (approximate public coordinates)\n";
    for (const DemoStation& st : demo_stations()) {
        char line[128];
        std::snprintf(line, sizeof line, "%s %.4f %.4f %.3f", st.sta.c_str(), st.lat, st.lon, st.elev);
        text += line;
        for (std::string_view chan : kDemoChannels) text += " " + std::string(chan);
        text += '\n';
    }
    if (Status s = write_file_atomically(station_path, text); !s) return s;

    const StationTable stations = demo_station_table();
    if (Status s = write_arr_file(arr_path, demo_picks(arrivals, tables), stations, tables.names); !s) return s;
    if (files) *files = {arr_path, station_path};
    return {};
}

std::string demo_hypocentre_text(const DemoEvent& event) {
    CalendarTime c;
    time_to_calendar(event.origin, c);
    char text[160];
    std::snprintf(text, sizeof text,
                  "lat=%.4f lon=%.4f depth=%.2f time=%.3f (%04d-%02d-%02d %02d:%02d:%06.3f UTC) magnitude=%.1f",
                  event.lat, event.lon, event.depth, event.origin, c.year, c.month, c.day, c.hour, c.minute,
                  static_cast<double>(c.seconds), event.magnitude);
    return text;
}

}  // namespace kro
