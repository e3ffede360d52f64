// Every main table keeps every column, NULL included; the catalogue's
// statements and filters pick the right rows; the network rewrite is all
// or nothing.

#include <gmock/gmock.h>

#include "db/events.hpp"
#include "db/filelist.hpp"
#include "db/other_tables.hpp"
#include "db/stations.hpp"
#include "db_test_support.hpp"

namespace kro::test {
namespace {

using ::testing::ElementsAre;

const DbTimestamp kDate{2004, 5, 15, 11, 24, 56};

class TablesTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped()) return;
        prepare(SchemaKind::Main);
    }
};

FileListRow full_file(std::string sta, std::string ch, double tbegin, double tqty, std::string path) {
    return {sta, 100.0, 3, path, 3, ch, "CSS2KRO", kDate, tbegin, tqty, 0.25, 1.0, 1024};
}

TEST_F(TablesTest, FileListRoundTrip) {
    const FileListRow full = full_file("O'NEIL", "SHZ", 1084620296.125, 60.5, "2004\\05\\O'Neil 100%.dat");
    FileListRow empty;
    empty.sta = "EMPTY";
    insert_filelist(main, full);
    insert_filelist(main, empty);
    EXPECT_THAT(read_filelist(main, filelist_of_station("O'NEIL")), ElementsAre(full));
    EXPECT_THAT(read_filelist(main, filelist_of_station("EMPTY")), ElementsAre(empty));
}

std::vector<double> starts(const std::vector<FileListRow>& rows) {
    std::vector<double> t;
    for (const auto& r : rows) t.push_back(r.tbegin.value_or(-1));
    return t;
}

TEST_F(TablesTest, FileListSegmentsOfATimeWindow) {
    // Segments of 100 s starting at 0, 100, 200, 300; another channel and station.
    for (double t : {300.0, 0.0, 200.0, 100.0}) insert_filelist(main, full_file("ST'A", "SHZ", t, 100.0, "f"));
    insert_filelist(main, full_file("ST'A", "SHN", 100.0, 100.0, "n"));
    insert_filelist(main, full_file("OTHER", "SHZ", 100.0, 100.0, "o"));

    struct Case {
        double t1, t2;
        std::vector<double> expected;
    };
    const std::vector<Case> cases = {
        {150.0, 250.0, {100.0, 200.0}},     // covering t1, then starting inside
        {100.0, 100.0, {0.0, 100.0}},       // ends exactly at t1; starts exactly at t1
        {99.9996, 99.9996, {0.0, 100.0}},   // t1 rounded to the millisecond as the statement wrote it
        {450.0, 500.0, {}},
        {-50.0, 10.0, {0.0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.t1) + ".." + std::to_string(c.t2));
        const auto rows = select_segments(main, "ST'A", "SHZ", c.t1, c.t2);
        EXPECT_EQ(starts(rows), c.expected);
        EXPECT_EQ(starts(read_filelist(main, filelist_overlapping("ST'A", "SHZ", c.t1, c.t2))).size(),
                  c.expected.size());
    }
    const auto rows = select_segments(main, "ST'A", "SHZ", 150.0, 250.0);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].calib, 0.25);
    EXPECT_EQ(rows[0].foff, 1024);
    EXPECT_EQ(rows[0].cpath, "f");
    EXPECT_FALSE(rows[0].sta.has_value());
}

TEST_F(TablesTest, FileListFilters) {
    for (double t : {0.0, 100.0, 200.0}) insert_filelist(main, full_file("S%", "SHZ", t, 100.0, "z" + std::to_string(t)));
    insert_filelist(main, full_file("S%", "SHE", 150.0, 100.0, "e"));
    insert_filelist(main, full_file("S_", "SHZ", 150.0, 100.0, "other"));

    struct Case {
        const char* name;
        SqlFilter filter;
        std::vector<double> expected;
    };
    SqlFilter channels = filelist_of_station("S%");
    restrict_to_channels(channels, {"SHE", "NONE"});
    SqlFilter no_channels = filelist_of_station("S%");
    restrict_to_channels(no_channels, {});
    const std::vector<Case> cases = {
        {"covering second", filelist_covering_second("S%", "SHZ", 150.9), {100.0}},
        {"covering second at a boundary", filelist_covering_second("S%", "SHZ", 100.5), {0.0, 100.0}},
        {"station", filelist_of_station("S%"), {0.0, 100.0, 150.0, 200.0}},
        {"starting between", filelist_of_station_starting_between("S%", 99.9, 150.7), {100.0, 150.0}},
        {"channels", channels, {150.0}},
        {"no channels", no_channels, {}},
        {"one file", filelist_file("S%", "SHZ", "z100.000000", 100.0), {100.0}},
        {"interval", filelist_station_interval(100.0, 200.0, "S%"), {100.0, 150.0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto found = starts(read_filelist(main, c.filter));
        std::sort(found.begin(), found.end());
        EXPECT_EQ(found, c.expected);
    }
    const auto newest_first = read_filelist(main, filelist_of_station("S%"), FileListOrder::TimeDescChannelDesc);
    EXPECT_EQ(starts(newest_first), (std::vector<double>{200.0, 150.0, 100.0, 0.0}));
}

TEST_F(TablesTest, FileListDeletes) {
    insert_filelist(main, full_file("A", "SHZ", 0.0, 10.0, "it's\\here"));
    insert_filelist(main, full_file("A", "SHZ", 10.0, 10.0, "other"));
    EXPECT_EQ(delete_filelist_by_path(main, "it's\\here"), 1);
    EXPECT_EQ(delete_filelist_by_path(main, "it's\\here"), 0);
    EXPECT_EQ(delete_filelist(main, filelist_file("A", "SHZ", "other", 10.0)), 1);
    EXPECT_TRUE(read_filelist(main, {}).empty());
}

TEST_F(TablesTest, StationsAndChannelsRoundTrip) {
    const SiteRow site{"O'NEIL", 2, 120.5, 55.75, -37.5, "hill \"top\" 100%", kDate, 7};
    SiteRow bare;
    bare.sta = "BARE";
    insert_site(main, site);
    insert_site(main, bare);
    EXPECT_THAT(read_sites(main), ::testing::UnorderedElementsAre(site, bare));

    const SiteChanRow chan{"O'NEIL", 40.0, 1, 55.7, "cal\\o'neil.txt", "SHZ", 2, "vertical", -0.5, 90.0, kDate,
                           -37.4, 0.0};
    SiteChanRow nulls;
    nulls.sta = "O'NEIL";
    nulls.chan = "SHN";
    insert_sitechan(main, chan);
    insert_sitechan(main, nulls);
    insert_sitechan(main, {"ELSE", {}, {}, {}, {}, "SHZ", {}, {}, {}, {}, {}, {}, {}});
    EXPECT_THAT(read_sitechans(main, "O'NEIL"), ::testing::UnorderedElementsAre(chan, nulls));
}

TEST_F(TablesTest, NetworksRoundTripAndRewrite) {
    const NetworkRow full{"North's", "local", "A;B;O'NEIL;", kDate};
    insert_network(main, full);
    EXPECT_THAT(read_networks(main), ElementsAre(full));
    const std::string long_list(4999, ';');
    write_network_lists(main, {{"G1", "A;B;"}, {"G'2", long_list}});
    const auto lists = read_network_lists(main);
    ASSERT_EQ(lists.size(), 2u);
    EXPECT_EQ(lists[1].netname, "G'2");
    EXPECT_EQ(lists[1].netlist, long_list);
    EXPECT_FALSE(lists[0].nettype.has_value());
}

TEST_F(TablesTest, FailedNetworkRewriteKeepsTheOldGroups) {
    write_network_lists(main, {{"OLD1", "A;"}, {"OLD2", "B;"}});
    main.execute("CREATE UNIQUE INDEX NETWORKS_NAME ON NETWORKS (NETNAME)");
    EXPECT_THROW(write_network_lists(main, {{"NEW", "C;"}, {"NEW", "D;"}}), DbError);
    std::vector<std::string> names;
    for (const auto& row : read_network_lists(main)) names.push_back(row.netname.value_or(""));
    EXPECT_THAT(names, ::testing::UnorderedElementsAre("OLD1", "OLD2"));
    EXPECT_FALSE(main.in_transaction());
}

TEST_F(TablesTest, OriginRoundTripUpdateAndDelete) {
    const OriginRow full{"2004'05", 55.5, -37.25, 10.0, 1084620296.5, 0.8, 1.5, 2.5,
                         4.2,       3.9,  0.1,    0.2,  kDate,        "felt; 100% \\ sure", 17};
    OriginRow bare;
    bare.eventid = "20040515112456";
    insert_origin(main, CommentColumn::Comments, full);
    insert_origin(main, CommentColumn::Comments, bare);
    EXPECT_THAT(read_origins(main, CommentColumn::Comments, std::string("2004'05")), ElementsAre(full));
    EXPECT_THAT(read_origins(main, CommentColumn::Comments, bare.eventid), ElementsAre(bare));
    EXPECT_EQ(read_origins(main, CommentColumn::Comments).size(), 2u);

    EXPECT_TRUE(origin_exists(main, "2004'05"));
    EXPECT_FALSE(origin_exists(main, "2004"));

    OriginRow changed = bare;
    changed.lat = 1.0;
    changed.comment = "it's new";
    EXPECT_EQ(update_origin(main, CommentColumn::Comments, changed), 1);
    EXPECT_EQ(update_origin_orid(main, 42, "20040515112456"), 1);
    changed.orid = 42;
    EXPECT_THAT(read_origins(main, CommentColumn::Comments, bare.eventid), ElementsAre(changed));
    EXPECT_EQ(update_origin_orid(main, 1, "no such event"), 0);

    EXPECT_EQ(delete_origin(main, "2004'05"), 1);
    EXPECT_FALSE(origin_exists(main, "2004'05"));
}

ArrivalRow full_arrival(std::string eventid, std::string sta, std::string chan, std::string phase, double t) {
    return {eventid, 1,       sta,    chan,   phase,  t,         0.05,   123.0,  8.5,   35.0,  0.9,  "c.",
            "i",     1.2,     -0.3,   15.5,   kDate,  std::uint8_t{4},   0,      99,     12.5,  4.5f, 4.25f,
            3.5f,    3.75f,   t + 2.0, 120.0, 11.5,   3.25,  "SH",     "O'Neil: 100% \\o/",  "BP 1-5",
            "none",  2.5f};
}

TEST_F(TablesTest, ArrivalRoundTripAndDelete) {
    const ArrivalRow full = full_arrival("E'1", "O'NEIL", "SHZ", "P", 1084620300.25);
    ArrivalRow bare;
    bare.eventid = "E'1";
    bare.sta = "BARE";
    insert_arrival(main, full);
    insert_arrival(main, bare);
    insert_arrival(main, full_arrival("E2", "A", "SHZ", "S", 1.0));
    EXPECT_THAT(read_arrivals(main, "E'1"), ::testing::UnorderedElementsAre(full, bare));
    EXPECT_EQ(delete_arrivals(main, "E'1"), 2);
    EXPECT_TRUE(read_arrivals(main, "E'1").empty());
    EXPECT_EQ(read_arrivals(main, "E2").size(), 1u);
}

TEST_F(TablesTest, PhaseMarksOfAChannelInsideAWindow) {
    for (double t : {100.0, 150.0, 200.0}) insert_arrival(main, full_arrival("E", "O'NEIL", "SHZ", "P", t));
    insert_arrival(main, full_arrival("E", "O'NEIL", "SHN", "S", 150.0));
    insert_arrival(main, full_arrival("E", "OTHER", "SHZ", "S", 150.0));
    const auto marks = select_phase_marks(main, 100.0, 200.0, "O'NEIL", "SHZ");  // open interval
    ASSERT_EQ(marks.size(), 1u);
    EXPECT_EQ(marks[0].iphase, "P");
    EXPECT_EQ(marks[0].itime, 150.0);
}

TEST_F(TablesTest, SystemEventsOfAStation) {
    const EventListRow mark{"O'NEIL", 1000.75, 3, kDate};
    insert_system_event(main, mark);
    insert_system_event(main, {"O'NEIL", 2000.0, {}, {}});
    insert_system_event(main, {"OTHER", 1000.0, 1, kDate});
    // Both ends are truncated to whole seconds.
    EXPECT_THAT(read_system_events(main, 1000.9, 1500.0, "O'NEIL"), ElementsAre(mark));
    EXPECT_THAT(read_system_events(main, 1000.0, 1000.9, "O'NEIL"), ElementsAre());
    EXPECT_THAT(read_system_events(main, 999.5, 1001.9, "O'NEIL"), ElementsAre(mark));
    EXPECT_EQ(read_system_events(main, 0, 3000, "O'NEIL").size(), 2u);
}

TEST_F(TablesTest, RegionsCalibrationsAndCountersRoundTrip) {
    const RegionRow region{40.0, 20.0, 60.0, 50.0, "Kola's \"north\""};
    insert_region(main, region);
    insert_region(main, {});
    EXPECT_THAT(read_regions(main), ::testing::UnorderedElementsAre(region, RegionRow{}));

    const CalibrationRow cal{"KR", "O'NEIL", "00", "SHZ", kDate, DbTimestamp{2010, 1, 1, 0, 0, 0},
                             std::string(3000, '1') + "\n0.5 1.0", "ZEROS 2\nPOLES 3\n"};
    insert_calibration(main, cal);
    insert_calibration(main, {});
    EXPECT_THAT(read_calibrations(main), ::testing::UnorderedElementsAre(cal, CalibrationRow{}));

    main.execute("delete from LASTID");
    insert_lastid(main, {"orid", 41});
    insert_lastid(main, {"nothing", {}});
    EXPECT_THAT(read_lastids(main), ElementsAre(LastIdRow{"nothing", {}}, LastIdRow{"orid", 41}));
}

}  // namespace
}  // namespace kro::test
