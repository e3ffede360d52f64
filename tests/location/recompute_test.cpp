#include "location/event_recompute.hpp"

#include <gtest/gtest.h>

#include "synthetic_event.hpp"

namespace kro {
namespace {

struct EventFixture {
    TravelTimeTables tables;
    StationTable stations;
    CurrentEvent event;
    EventNotifier notifier;
    RecordingObserver observer;

    EventFixture() {
        tables.load(test::demo_tables());
        CScreenFields& s = stations.add_station(0);
        s.name = "FAR";
        s.slots[0] = ChannelSlot{"BHZ", "", 20.0, 0, 10.0f, 0.0f, 0.0f};
        notifier.subscribe(&observer);
        event.hypocentre = Hypocentre{0.0f, 0.0f, 33.0f, 1000.0, true};
    }
    SEISMIC_PHASE& add(const char* phase, double time, float mb = -1.0f, float ms = -1.0f) {
        SEISMIC_PHASE p;
        p.phase_index = tables.names.phase_index(phase);
        p.time = time;
        p.mb = mb;
        p.ms = ms;
        p.distance = 50.0f;  // stale: from an earlier epicentre
        return event.picks.insert_phase(p);
    }
};

TEST(Recompute, ResidualsUseTheDistancesOfTheCurrentEpicentre) {
    EventFixture f;
    const double t = f.tables.travel_time(f.tables.names.phase_index("P"), 33.0, 10.0);
    f.add("P", 1000.0 + t + 1.25);
    f.add("Tk", 1100.0);
    recalc_for_current_epicentre(f.event, f.stations, f.tables, f.notifier);
    const SEISMIC_PHASE& p = *f.event.picks.find_phase(0, 0, f.tables.names.phase_index("P"));
    EXPECT_NEAR(p.distance, 10.0, 0.2);  // geocentric latitude 10 -> about 9.93 degrees
    DistanceAzimuth da;
    distance_azimuth(0, 0, 10, 0, da);
    const double expected = 1000.0 + t + 1.25 - 1000.0 - f.tables.travel_time(0, 33.0, da.distance);
    EXPECT_EQ(p.residual_valid, 1);
    EXPECT_NEAR(p.residual, expected, 1e-3);
    const SEISMIC_PHASE& tk = *f.event.picks.find_phase(0, 0, f.tables.names.phase_index("Tk"));
    EXPECT_EQ(tk.residual_valid, 0);
    EXPECT_EQ(tk.residual, 0.0f);
    EXPECT_EQ(f.observer.picks.size(), 1u);
}

TEST(Recompute, EventMagnitudesAreMeansWithTheirSpread) {
    EventFixture f;
    f.event.ms_uncertainty = 0.7f;
    f.add("P", 1, 4.0f);
    f.add("S", 2, 5.0f);
    f.add("Pg", 3, -1.0f);
    f.add("Sg", 4, 0.0f);
    recompute_event_magnitudes(f.event);
    EXPECT_FLOAT_EQ(f.event.mb, 4.5f);
    EXPECT_FLOAT_EQ(f.event.mb_uncertainty, 0.25f);
    EXPECT_EQ(f.event.ms, kNoEventMagnitude);
    EXPECT_FLOAT_EQ(f.event.ms_uncertainty, 0.7f);  // left as it was
}

TEST(Recompute, AcceptingASolutionDefinesTheHypocentre) {
    EventFixture f;
    f.event.hypocentre.defined = false;
    f.add("P", 1100.0);
    LocationSolution s;
    s.latitude = 10.0;
    s.longitude = 0.0;
    s.depth = 15.0;
    s.origin_time = 1050.0;
    accept_solution(f.event, s, f.stations, f.tables, f.notifier);
    EXPECT_TRUE(f.event.hypocentre.defined);
    EXPECT_FLOAT_EQ(f.event.hypocentre.depth, 15.0f);
    EXPECT_NEAR(f.event.picks.phase_at(0)->distance, 0.0, 1e-6);
    EXPECT_EQ(f.observer.hypocentre, 1);
}

}  // namespace
}  // namespace kro
