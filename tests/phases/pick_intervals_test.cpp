#include "phases/pick_intervals.hpp"

#include <gtest/gtest.h>

namespace kro {
namespace {

struct Fixture {
    StationTable stations;
    PhaseNameTable names;
    KROPhases picks;
    EventNotifier notifier;
    RecordingObserver observer;

    Fixture() {
        CScreenFields& s = stations.add_station(0);
        s.name = "FUR";
        s.slots[0].name = "BHZ";
        s.slots[1].name = "BHN";
        names.set_curve_available(names.phase_index("P"), true);
        notifier.subscribe(&observer);
        add(0, "P", 10.0);
        add(0, "S", 20.0);
        add(0, "Tk", 15.0);
        add(1, "P", 15.0);
    }
    void add(int channel, const char* phase, double t) {
        SEISMIC_PHASE p;
        p.channel_index = channel;
        p.phase_index = names.phase_index(phase);
        p.time = t;
        p.own = 0;
        picks.insert_phase(p);
    }
};

TEST(PickIntervals, DeleteTakesPicksOnBothMarksOfTheChannelOnly) {
    Fixture f;
    EXPECT_EQ(delete_phases_in_interval(f.picks, {0, 0, 10.0, 15.0}, f.stations, f.notifier), 2);
    EXPECT_EQ(f.picks.count(), 2);
    EXPECT_NE(f.picks.find_phase(0, 1, f.names.phase_index("P")), nullptr);
    ASSERT_EQ(f.observer.picks.size(), 1u);
    EXPECT_EQ(f.observer.picks[0], (std::vector<ChannelName>{{"FUR", "BHZ"}}));
}

TEST(PickIntervals, IncludingSetsOwnButOnlyPicksWithACurve) {
    Fixture f;
    EXPECT_EQ(set_included_in_interval(f.picks, {0, 0, 0.0, 100.0}, true, f.names, f.stations, f.notifier), 1);
    const SEISMIC_PHASE* p = f.picks.find_phase(0, 0, f.names.phase_index("P"));
    const SEISMIC_PHASE* s = f.picks.find_phase(0, 0, f.names.phase_index("S"));
    const SEISMIC_PHASE* tk = f.picks.find_phase(0, 0, f.names.phase_index("Tk"));
    EXPECT_EQ(p->included, 1);
    EXPECT_EQ(s->included, 0);  // S has a curve name but no loaded curve
    EXPECT_EQ(tk->included, 0);
    EXPECT_EQ(p->own, 1);
    EXPECT_EQ(tk->own, 1);
    EXPECT_EQ(set_included_in_interval(f.picks, {0, 0, 0.0, 100.0}, false, f.names, f.stations, f.notifier), 1);
    EXPECT_EQ(p->included, 0);
    EXPECT_EQ(f.observer.picks.size(), 2u);
}

}  // namespace
}  // namespace kro
