#include "phases/kro_phases.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace kro {
namespace {

SEISMIC_PHASE pick(int station, int channel, int phase, double time, int included = 1) {
    SEISMIC_PHASE p;
    p.station_index = station;
    p.channel_index = channel;
    p.phase_index = phase;
    p.time = time;
    p.included = included;
    return p;
}

std::vector<double> times(const KROPhases& list) {
    std::vector<double> t;
    for (const auto& p : list) t.push_back(p.time);
    return t;
}

TEST(KROPhases, KeepsTimeOrderAndInsertionOrderForEqualTimes) {
    KROPhases list;
    list.insert_phase(pick(0, 0, 0, 30));
    list.insert_phase(pick(1, 0, 0, 10));
    list.insert_phase(pick(2, 0, 0, 20));
    list.insert_phase(pick(3, 0, 0, 20));
    EXPECT_EQ(times(list), (std::vector<double>{10, 20, 20, 30}));
    EXPECT_EQ(list.phase_at(1)->station_index, 2);
    EXPECT_EQ(list.phase_at(2)->station_index, 3);
    EXPECT_EQ(list.phase_at(4), nullptr);
    EXPECT_EQ(list.phase_at(-1), nullptr);
}

TEST(KROPhases, SameKeyReplacesAndMovesThePick) {
    KROPhases list;
    list.insert_phase(pick(0, 0, 0, 10));
    list.insert_phase(pick(1, 0, 0, 20));
    list.insert_phase(pick(0, 0, 0, 30));
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(times(list), (std::vector<double>{20, 30}));
    EXPECT_TRUE(list.remove_phase(0, 0, 0));
    EXPECT_FALSE(list.remove_phase(0, 0, 0));
    EXPECT_EQ(list.find_phase(0, 0, 0), nullptr);
    EXPECT_NE(list.find_phase(1, 0, 0), nullptr);
}

TEST(KROPhases, NewPicksDrawAnAridAndDropTheirCommid) {
    KROPhases list;
    int next = 100;
    list.set_arid_source([&] { return next++; });
    SEISMIC_PHASE fresh = pick(0, 0, 0, 1);
    fresh.commid = 5;
    SEISMIC_PHASE known = pick(0, 1, 0, 2);
    known.arid = 7;
    EXPECT_EQ(list.insert_phase(fresh).arid, 100);
    EXPECT_EQ(list.find_phase(0, 0, 0)->commid, -1);
    EXPECT_EQ(list.insert_phase(known).arid, 7);
}

TEST(KROPhases, EarliestIncludedTimeIgnoresExcludedPicks) {
    KROPhases list;
    list.insert_phase(pick(0, 0, 0, 50));
    list.insert_phase(pick(0, 1, 1, 40));
    list.insert_phase(pick(0, 2, 1, 10, 0));
    list.insert_phase(pick(1, 0, 0, 5, 0));
    EXPECT_EQ(list.earliest_included_time(0), 40);
    EXPECT_EQ(list.earliest_included_time(0, 0), 50);
    EXPECT_EQ(list.earliest_included_time(0, 2), std::numeric_limits<double>::max());
    EXPECT_EQ(list.earliest_included_time(1), std::numeric_limits<double>::max());
}

}  // namespace
}  // namespace kro
