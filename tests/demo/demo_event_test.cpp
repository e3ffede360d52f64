#include "demo/demo_event.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "../core/test_support.hpp"
#include "demo/demo_waveforms.hpp"
#include "location/geometry.hpp"
#include "location/gradient_locator.hpp"
#include "location/station_file.hpp"
#include "location/svd_locator.hpp"
#include "phases/arr_file.hpp"

namespace kro {
namespace {

TravelTimeTables demo_tables() {
    TravelTimeTables tables;
    tables.load(std::string(KRO_SOURCE_DIR) + "/demo/tables");
    return tables;
}

// The phase list and station file the demo writes, read back as kro-cli
// locate reads them, locate the demo hypocentre with both methods from a
// start near the first station and from one far off.
TEST(DemoEvent, PhaseListLocatesTheHypocentre) {
    const TravelTimeTables tables = demo_tables();
    test::TempFolder dir;
    DemoEventFiles files;
    ASSERT_TRUE(write_demo_event_files(dir.file("event"), tables, &files));

    StationTable stations;
    ASSERT_TRUE(read_station_file(files.station_path, stations));
    KROPhases picks;
    ArrReadReport read;
    ASSERT_TRUE(read_arr_file(files.arr_path, stations, tables.names, picks, &read));
    EXPECT_EQ(read.unmatched, 0);
    EXPECT_EQ(read.picks, 2 * static_cast<int>(demo_stations().size()));
    const ObservationList obs = collect_observations(picks, stations, tables.names);
    ASSERT_FALSE(obs.items.empty());

    struct Start {
        const char* name;
        double lat, lon, depth;
    };
    const Observation& first = obs.items.front();
    for (const Start& start : {Start{"first station", first.latitude, first.longitude, 10.0},
                               Start{"far off", 49.5, 8.5, 30.0}}) {
        for (const bool svd : {false, true}) {
            SCOPED_TRACE(std::string(start.name) + (svd ? " svd" : " gradient"));
            LocatorStart from;
            from.latitude = start.lat;
            from.longitude = start.lon;
            from.depth = start.depth;
            from.origin_time = first.time;
            LocationSolution solution;
            if (svd) ASSERT_TRUE(locate_svd(obs.items, tables, from, solution, nullptr));
            else solution = locate_gradient(obs.items, tables, from, nullptr);
            DistanceAzimuth da;
            ASSERT_TRUE(distance_azimuth(kDemoEvent.lat, kDemoEvent.lon, solution.latitude, solution.longitude, da));
            EXPECT_LT(da.distance * kKmPerDegree, 3.0);
            EXPECT_NEAR(solution.depth, kDemoEvent.depth, 3.0);
            EXPECT_NEAR(solution.origin_time, kDemoEvent.origin, 0.3);
            EXPECT_LT(solution.rms, 0.1);
        }
    }
}

// Each pick carries the regional phase that arrives first at its station
// and lies at that phase's table time within the reading error; the later
// phase of the pair is indeed later or absent there.
TEST(DemoEvent, PicksAreTheFirstArrivalsOfTheLayeredCrust) {
    const TravelTimeTables tables = demo_tables();
    std::vector<DemoArrival> arrivals;
    ASSERT_TRUE(demo_arrivals(tables, kDemoEvent, arrivals));
    ASSERT_EQ(arrivals.size(), demo_stations().size());
    const KROPhases picks = demo_picks(arrivals, tables);
    const auto time_of = [&](std::string_view phase, double distance) {
        return tables.travel_time(tables.names.phase_index(phase), kDemoEvent.depth, distance);
    };
    struct Pair {
        const std::string& chosen;
        EpochTime true_time;
        const std::array<std::string_view, 2>& phases;
        int channel;
        double error;
    };
    for (const DemoArrival& a : arrivals) {
        SCOPED_TRACE(demo_stations()[static_cast<std::size_t>(a.station)].sta);
        for (const Pair& pair : {Pair{a.p_phase, a.p_time, kDemoPPhases, 0, kDemoPickErrorP},
                                 Pair{a.s_phase, a.s_time, kDemoSPhases, 1, kDemoPickErrorS}}) {
            SCOPED_TRACE(pair.chosen);
            const SEISMIC_PHASE* pick =
                picks.find_phase(a.station, pair.channel, tables.names.phase_index(pair.chosen));
            ASSERT_TRUE(pick);
            EXPECT_NEAR(pick->time, pair.true_time, pair.error + 1e-9);
            EXPECT_NEAR(pair.true_time - kDemoEvent.origin, time_of(pair.chosen, a.distance), 1e-6);
            const std::string_view other = pair.chosen == pair.phases[0] ? pair.phases[1] : pair.phases[0];
            const double other_time = time_of(other, a.distance);
            if (other_time >= 0.0) EXPECT_GT(other_time, pair.true_time - kDemoEvent.origin) << other;
        }
        const SEISMIC_PHASE* p = picks.find_phase(a.station, 0, tables.names.phase_index(a.p_phase));
        ASSERT_TRUE(p);
        EXPECT_EQ(p->first_motion, demo_p_compression(a.azimuth) ? 0 : 1);
    }
}

// Near the epicentre the direct waves come first, far off the head waves.
TEST(DemoEvent, FirstPhaseChangesWithDistance) {
    const TravelTimeTables tables = demo_tables();
    std::vector<DemoArrival> arrivals;
    ASSERT_TRUE(demo_arrivals(tables, kDemoEvent, arrivals));
    struct Case {
        const char* sta;
        const char* p_phase;
        const char* s_phase;
    };
    for (const Case& c : {Case{"ZUGS", "Pg", "Sg"}, Case{"FUR", "Pg", "Sg"}, Case{"STU", "Pn", "Sn"},
                          Case{"BUG", "Pn", "Sn"}}) {
        SCOPED_TRACE(c.sta);
        const auto it = std::find_if(arrivals.begin(), arrivals.end(), [&](const DemoArrival& a) {
            return demo_stations()[static_cast<std::size_t>(a.station)].sta == c.sta;
        });
        ASSERT_NE(it, arrivals.end());
        EXPECT_EQ(it->p_phase, c.p_phase);
        EXPECT_EQ(it->s_phase, c.s_phase);
    }
}

// Tables that lack one of the four regional curves (here: the global P and
// S and three of the four) make no demo event, and say which is missing.
TEST(DemoEvent, TablesWithoutARegionalCurveFail) {
    const std::string curve = "t\n2\n0 40\n2\n0 20\n0 100 10 100\n";
    for (const char* missing : {"P_g", "P_n", "S_g", "S_n"}) {
        SCOPED_TRACE(missing);
        test::TempFolder dir;
        for (const char* file : {"P", "S", "P_g", "P_n", "S_g", "S_n"})
            if (std::string(file) != missing) test::write_file(dir.file(file), curve);
        TravelTimeTables tables;
        tables.load(dir.path().string());
        std::vector<DemoArrival> arrivals;
        const Status s = demo_arrivals(tables, kDemoEvent, arrivals);
        EXPECT_FALSE(s);
        const std::string phase = std::string(1, missing[0]) + missing[2];
        EXPECT_NE(s.message().find("have no curve of " + phase + " "), std::string::npos) << s.message();
        EXPECT_FALSE(write_demo_event_files(dir.file("out"), tables, nullptr));
        EXPECT_FALSE(std::filesystem::exists(dir.file("out/demo.arr")));
    }
}

double peak(const std::vector<std::int32_t>& x, std::size_t from, std::size_t to) {
    double m = 0.0;
    for (std::size_t i = from; i < std::min(to, x.size()); ++i) m = std::max(m, std::abs(double(x[i])));
    return m;
}

// P arrives mainly on Z, S mainly on the horizontals, at every station.
TEST(DemoTraces, PMainlyOnVerticalSMainlyOnHorizontals) {
    const TravelTimeTables tables = demo_tables();
    std::vector<DemoArrival> arrivals;
    ASSERT_TRUE(demo_arrivals(tables, kDemoEvent, arrivals));
    const EpochTime start = demo_record_start();
    const auto count = static_cast<std::size_t>(kDemoRecordSeconds * kDemoSps);
    for (const DemoArrival& a : arrivals) {
        SCOPED_TRACE(demo_stations()[static_cast<std::size_t>(a.station)].sta);
        const DemoTraces t = demo_traces(a, kDemoEvent, start, count, kDemoSps);
        ASSERT_EQ(t.z.size(), count);
        const auto at = [&](EpochTime time) { return static_cast<std::size_t>((time - start) * kDemoSps); };
        const std::size_t p0 = at(a.p_time), p1 = std::min(at(a.p_time + 1.0), at(a.s_time));
        const std::size_t s0 = at(a.s_time), s1 = at(a.s_time + 3.0);
        EXPECT_GT(peak(t.z, p0, p1), std::max(peak(t.n, p0, p1), peak(t.e, p0, p1)));
        EXPECT_GT(std::max(peak(t.n, s0, s1), peak(t.e, s0, s1)), peak(t.z, s0, s1));
        EXPECT_GT(peak(t.z, p0, p1), 2.0 * peak(t.z, p0 - 1000, p0));  // above the noise before it
    }
}

}  // namespace
}  // namespace kro
