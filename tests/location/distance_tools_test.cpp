#include "location/distance_tools.hpp"

#include <gtest/gtest.h>

#include "synthetic_event.hpp"

namespace kro {
namespace {

struct ToolFixture {
    TravelTimeTables tables;
    StationTable stations;
    CurrentEvent event;
    EventNotifier notifier;
    RecordingObserver observer;
    RecordingMessenger messenger;

    ToolFixture() {
        tables.load(test::demo_tables());
        notifier.subscribe(&observer);
    }
    int add_station(const char* name, double lat, double lon) {
        CScreenFields& s = stations.add_station(0);
        s.name = name;
        s.lat = static_cast<float>(lat);
        s.lon = static_cast<float>(lon);
        s.slots[0] = ChannelSlot{"BHZ", "", 20, 0, s.lat, s.lon, 0.0f};
        return stations.count() - 1;
    }
    void pick(int station, const char* phase, double time, int included = 1) {
        SEISMIC_PHASE p;
        p.station_index = station;
        p.phase_index = tables.names.phase_index(phase);
        p.time = time;
        p.included = included;
        event.picks.insert_phase(p);
    }
    int p() const { return tables.names.phase_index("P"); }
    int s() const { return tables.names.phase_index("S"); }
};

TEST(TwoPhaseDistance, SPMinusPGivesDistanceAndOriginTime) {
    ToolFixture f;
    const int st = f.add_station("A", 0, 0);
    const double origin = 1.3e9;
    f.pick(st, "P", origin + f.tables.travel_time(f.p(), 15, 12.0));
    f.pick(st, "S", origin + f.tables.travel_time(f.s(), 15, 12.0));
    const TwoPhaseDistance r = distance_from_two_phases(f.event, f.tables, st, 0, "P", "S", 15);
    ASSERT_TRUE(r.ok) << r.text;
    EXPECT_NEAR(r.distance_deg, 12.0, 1e-3);
    EXPECT_NEAR(r.origin_time, origin, 1e-3);
    EXPECT_EQ(r.text.rfind("Distance to epicenter 12.000 degrees.\n Time in origin ", 0), 0u);
    accept_two_phase_distance(f.event, f.tables, st, 0, "P", "S", r, f.notifier);
    EXPECT_NEAR(f.event.station_distance[0], 12.0, 1e-3);
    EXPECT_NEAR(f.event.hypocentre.origin_time, origin, 1e-3);
    EXPECT_NEAR(f.event.picks.find_phase(st, 0, f.s())->distance, 12.0, 1e-3);
    EXPECT_EQ(f.observer.hypocentre, 1);
}

TEST(TwoPhaseDistance, Failures) {
    ToolFixture f;
    const int st = f.add_station("A", 0, 0);
    f.pick(st, "P", 100);
    struct Case {
        const char* first;
        const char* second;
        const char* text;
        const char* caption;
    };
    const Case cases[] = {
        {"P", "P", "Phases correspond", "Error"},  // reported before looking for picks
        {"Pn", "Pn", "Phases correspond", "Error"},
        {"P", "S", "No mark for phase S", "Seismic data processing system"},
        {"Pg", "P", "No mark for phase Pg", "Seismic data processing system"},
    };
    for (const Case& c : cases) {
        const TwoPhaseDistance r = distance_from_two_phases(f.event, f.tables, st, 0, c.first, c.second, 5);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.text, c.text);
        EXPECT_EQ(r.caption, c.caption);
    }
    f.pick(st, "S", 100 + 5000);
    const TwoPhaseDistance none = distance_from_two_phases(f.event, f.tables, st, 0, "P", "S", 5);
    EXPECT_EQ(none.text, "No solution");
    EXPECT_EQ(none.caption, "Error ");
}

TEST(Calculator, ValidatesAndFormats) {
    EXPECT_EQ(first_invalid_coordinate(0, 0, 0, 0), -1);
    EXPECT_EQ(first_invalid_coordinate(91, 200, 0, 0), 0);
    EXPECT_EQ(first_invalid_coordinate(0, 200, 0, 0), 1);
    EXPECT_EQ(first_invalid_coordinate(0, 0, -90.5, 0), 2);
    EXPECT_EQ(first_invalid_coordinate(0, 0, 0, -180.5), 3);
    const CalculatorFields same = distance_azimuth_fields(12.5, 40, 12.5, 40);
    EXPECT_EQ(same.distance, "0.00");
    EXPECT_EQ(same.azimuth, "0.00");
    EXPECT_EQ(same.back_azimuth, "0.00");
    const CalculatorFields east = distance_azimuth_fields(0, 0, 0, 10);
    EXPECT_EQ(east.distance, "10.00");
    EXPECT_EQ(east.azimuth, "90.00");
    EXPECT_EQ(east.back_azimuth, "270.00");
}

TEST(PlaneWave, FitsDirectionAndVelocityOfASyntheticWave) {
    ToolFixture f;
    // A small array (0.2 degrees across, so the wave front is nearly plane)
    // near 45 N 10 E; the source lies some 40 degrees to the north-east.
    const double source_lat = 70.0, source_lon = 70.0;
    const double offsets[][2] = {{0, 0}, {0.1, 0}, {0, 0.12}, {-0.08, 0.06}, {0.06, -0.1}, {-0.04, -0.08}};
    int reference = -1;
    for (const auto& o : offsets) {
        const int st = f.add_station("X", 45 + o[0], 10 + o[1]);
        if (reference < 0) reference = st;
        DistanceAzimuth da;
        distance_azimuth(source_lat, source_lon, 45 + o[0], 10 + o[1], da);
        f.pick(st, "P", 1e9 + f.tables.travel_time(f.p(), 0, da.distance));
    }
    f.pick(reference, "S", 1e9 + 999);  // not P: ignored
    DistanceAzimuth back;
    distance_azimuth(45, 10, source_lat, source_lon, back);
    const PlaneWaveFit fit = fit_plane_wave(f.event, f.stations, reference);
    ASSERT_TRUE(fit.ok);
    EXPECT_EQ(fit.observations, 6);
    EXPECT_NEAR(fit.azimuth, std::fmod(back.azimuth + 180.0, 360.0), 1.0);
    const double slowness = (f.tables.travel_time(f.p(), 0, back.distance + 0.1) -
                             f.tables.travel_time(f.p(), 0, back.distance - 0.1)) / 0.2;
    EXPECT_NEAR(fit.slowness, slowness, 0.05 * slowness);
    EXPECT_NEAR(fit.velocity, 111.1953 / fit.slowness, 1e-9);
    EXPECT_LT(fit.rms, 0.05 * slowness);
    accept_plane_wave(f.event, reference, fit, f.notifier);
    const SEISMIC_PHASE* p = f.event.picks.find_phase(reference, 0, f.p());
    EXPECT_EQ(p->azimuth_valid, 1);
    EXPECT_FLOAT_EQ(p->azimuth, static_cast<float>(fit.azimuth));
    EXPECT_EQ(p->velocity_valid, 1);
    EXPECT_EQ(f.event.picks.find_phase(1, 0, f.p())->azimuth_valid, 0);
    EXPECT_EQ(plane_wave_value_text(12.345), "12.3");
    EXPECT_EQ(plane_wave_value_text(0.12345), "0.1235");
}

TEST(PlaneWave, NeedsThreeIncludedPArrivals) {
    ToolFixture f;
    f.pick(f.add_station("A", 0, 0), "P", 1);
    f.pick(f.add_station("B", 1, 0), "P", 2);
    f.pick(f.add_station("C", 0, 1), "P", 3, 0);
    const PlaneWaveFit fit = fit_plane_wave(f.event, f.stations, 0);
    EXPECT_FALSE(fit.ok);
    EXPECT_EQ(fit.message, "Required > 2 P-phases");
}

TEST(PredictedMarks, ThreeModesAndRepeatedRunsMoveTheMarks) {
    ToolFixture f;
    const int st = f.add_station("A", 0, 0);
    PredictionRequest rq;
    rq.station = st;
    rq.phases = {f.p(), f.s(), f.tables.names.phase_index("Lg")};  // Lg has no curve: left out
    rq.distance_deg = 20.0;
    rq.depth_km = 33.0;
    rq.origin_time = 5000.0;
    const double tp = f.tables.travel_time(f.p(), 33, 20);
    const double ts = f.tables.travel_time(f.s(), 33, 20);
    PredictionResult r = place_predicted_marks(f.event, f.tables, f.stations, rq, f.messenger, f.notifier);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.placed, 2);
    const SEISMIC_PHASE* mark = f.event.picks.find_phase(st, 0, f.p());
    ASSERT_NE(mark, nullptr);
    EXPECT_NEAR(mark->time, 5000.0 + tp, 1e-9);
    EXPECT_EQ(mark->own, 0);
    EXPECT_EQ(mark->included, 0);
    EXPECT_EQ(mark->onset, kOnsetImpulsive);
    EXPECT_EQ(mark->first_motion, kFirstMotionUnknown);
    EXPECT_EQ(mark->weight_class, 3);
    rq.origin_time = 5010.0;
    place_predicted_marks(f.event, f.tables, f.stations, rq, f.messenger, f.notifier);
    EXPECT_EQ(f.event.picks.count(), 2);
    EXPECT_NEAR(f.event.picks.find_phase(st, 0, f.s())->time, 5010.0 + ts, 1e-9);

    // Relative to the S mark: the origin time follows from it.
    rq.mode = PredictionMode::FromPhase;
    rq.reference_phase = "S";
    rq.phases = {f.p()};
    rq.origin_time = 0.0;
    r = place_predicted_marks(f.event, f.tables, f.stations, rq, f.messenger, f.notifier);
    ASSERT_TRUE(r.ok) << (f.messenger.boxes.empty() ? "" : f.messenger.boxes.back().text);
    EXPECT_NEAR(r.origin_time, 5010.0, 1e-6);

    // Relative to the S mark and an origin time: the distance follows.
    rq.mode = PredictionMode::FromPhaseAndOriginTime;
    rq.origin_time = 5010.0;
    rq.distance_deg = 0.0;
    r = place_predicted_marks(f.event, f.tables, f.stations, rq, f.messenger, f.notifier);
    ASSERT_TRUE(r.ok);
    EXPECT_NEAR(r.distance_deg, 20.0, 1e-3);
    EXPECT_TRUE(f.messenger.boxes.empty());
}

TEST(PredictedMarks, Problems) {
    ToolFixture f;
    const int st = f.add_station("A", 0, 0);
    PredictionRequest rq;
    rq.station = st;
    rq.phases = {f.p(), f.s()};
    rq.distance_deg = 115.0;  // beyond both demo tables
    rq.depth_km = 33.0;
    PredictionResult r = place_predicted_marks(f.event, f.tables, f.stations, rq, f.messenger, f.notifier);
    EXPECT_FALSE(r.ok);
    ASSERT_EQ(f.messenger.boxes.size(), 1u);
    EXPECT_EQ(f.messenger.boxes[0].text, "No hodograph for phase P");
    EXPECT_EQ(f.messenger.boxes[0].caption, "Error");
    EXPECT_EQ(f.event.picks.count(), 0);

    rq.mode = PredictionMode::FromPhase;
    rq.reference_phase = "S";
    place_predicted_marks(f.event, f.tables, f.stations, rq, f.messenger, f.notifier);
    EXPECT_EQ(f.messenger.boxes.back().text, "No mark for phase S");
    f.pick(st, "Lg", 100.0);
    rq.reference_phase = "Lg";
    place_predicted_marks(f.event, f.tables, f.stations, rq, f.messenger, f.notifier);
    EXPECT_EQ(f.messenger.boxes.back().text, "Absent hodograph for phase Lg");

    f.pick(st, "S", 100.0);
    rq.mode = PredictionMode::FromPhaseAndOriginTime;
    rq.reference_phase = "S";
    rq.origin_time = 200.0;  // after the S arrival: no distance
    r = place_predicted_marks(f.event, f.tables, f.stations, rq, f.messenger, f.notifier);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(f.messenger.beeps, 1);
}

}  // namespace
}  // namespace kro
