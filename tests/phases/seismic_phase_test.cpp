#include "phases/seismic_phase.hpp"

#include <gtest/gtest.h>

#include "core/observers.hpp"
#include "phases/current_event.hpp"
#include "phases/db_phase_marks.hpp"
#include "phases/phase_key.hpp"

namespace kro {
namespace {

TEST(SeismicPhase, CopyLeavesCommidUnsetButKeepsEverythingElse) {
    SEISMIC_PHASE p;
    p.commid = 77;
    p.arid = 12;
    p.remark = "clear onset";
    p.mb = 4.5f;
    const SEISMIC_PHASE copy(p);
    EXPECT_EQ(copy.commid, -1);
    EXPECT_EQ(copy.arid, 12);
    EXPECT_EQ(copy.remark, "clear onset");
    EXPECT_FLOAT_EQ(copy.mb, 4.5f);
    SEISMIC_PHASE assigned;
    assigned = p;
    EXPECT_EQ(assigned.commid, -1);
}

TEST(SeismicPhase, SetTimeFillsTheCalendarCopyWithTruncatedHundredths) {
    SEISMIC_PHASE p;
    p.set_time(1296705945.789);  // 2011-02-03 04:05:45.789
    EXPECT_EQ(p.year, 2011);
    EXPECT_EQ(p.month, 2);
    EXPECT_EQ(p.day, 3);
    EXPECT_EQ(p.hour, 4);
    EXPECT_EQ(p.minute, 5);
    EXPECT_EQ(p.second, 45);
    EXPECT_EQ(p.hundredths, 78);
}

TEST(SeismicPhase, CodeLetters) {
    struct Case {
        int code;
        char onset;
        char motion;
    };
    const Case cases[] = {{0, 'E', 'U'}, {1, 'I', 'D'}, {2, 'W', '+'}, {3, '-', '-'}, {4, '-', '?'},
                          {5, '-', 'c'}, {8, '-', 'r'}, {9, '-', '?'}, {-1, '-', '?'}};
    for (const Case& c : cases) {
        EXPECT_EQ(onset_letter(c.code), c.onset) << c.code;
        EXPECT_EQ(first_motion_letter(c.code), c.motion) << c.code;
    }
    for (int code = 0; code <= 8; ++code) EXPECT_EQ(first_motion_from_letter(first_motion_letter(code), 4), code);
    EXPECT_EQ(first_motion_from_letter('x', 4), 4);
    EXPECT_EQ(onset_from_letter('i', 0), 1);
    EXPECT_EQ(onset_from_letter('x', 0), 0);
    EXPECT_EQ(first_motion_text(0), "Up");
    EXPECT_EQ(first_motion_text(1), "Dn");
}

TEST(PhaseKey, PacksIntoItsBitFields) {
    const PhaseKey keys[] = {{0, 0, 0}, {65535, 23, 255}, {1, 31, 1}, {300, 5, 60}};
    for (const PhaseKey& k : keys) {
        EXPECT_TRUE(packable(k));
        EXPECT_EQ(unpack_phase_key(pack_phase_key(k)), k);
    }
    EXPECT_EQ(pack_phase_key({1, 2, 3}), 1u | (2u << 16) | (3u << 21));
    EXPECT_FALSE(packable({65536, 0, 0}));
    EXPECT_FALSE(packable({0, 32, 0}));
    EXPECT_FALSE(packable({0, 0, 256}));
}

TEST(CurrentEvent, NewEventClearsPicksHypocentreAndStationValues) {
    CurrentEvent e;
    e.picks.insert_phase(SEISMIC_PHASE{});
    e.hypocentre = Hypocentre{10.0f, 20.0f, 30.0f, 1e9, true};
    e.mb = 4.0f;
    e.size_station_values(3);
    e.station_distance[1] = 12.0f;
    EventNotifier notifier;
    RecordingObserver observer;
    notifier.subscribe(&observer);
    start_new_event(e, notifier);
    EXPECT_EQ(e.picks.count(), 0);
    EXPECT_FALSE(e.hypocentre.defined);
    EXPECT_EQ(e.hypocentre.origin_time, 0.0);
    EXPECT_EQ(e.mb, kNoEventMagnitude);
    EXPECT_EQ(e.ms, kNoEventMagnitude);
    EXPECT_EQ(e.station_distance[1], -1.0f);
    EXPECT_EQ(observer.picks.size(), 1u);
    EXPECT_EQ(observer.hypocentre, 1);
}

TEST(DbPhaseMarks, QueryDoublesQuotesAndMarksKeepFifteenCharacters) {
    EXPECT_EQ(phase_marks_query(10.5, 20.25, "O'K", "BHZ"),
              "select itime,iphase from arrival   where (itime between 10.500000 and 20.250000) and sta='O''K' and "
              "chan='BHZ'");
    CPhasesArray marks;
    append_phase_mark(marks, 1.0, "PKPdf           extra");
    append_phase_mark(marks, 2.0, "Pn   ");
    ASSERT_EQ(marks.size(), 2u);
    EXPECT_EQ(marks[0].phase, "PKPdf");
    EXPECT_EQ(marks[1].phase, "Pn");
}

}  // namespace
}  // namespace kro
