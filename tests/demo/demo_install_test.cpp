#include "demo/demo_install.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <tuple>

#include "../core/test_support.hpp"
#include "data/channel_reader.hpp"
#include "data/file_list.hpp"
#include "data/waveform_reader.hpp"
#include "db/events.hpp"
#include "db/filelist.hpp"
#include "db/stations.hpp"
#include "db_test_support.hpp"
#include "demo/demo_event.hpp"
#include "demo/demo_waveforms.hpp"

namespace kro {
namespace {

using ::testing::IsSupersetOf;

// Every row of the tables the demo writes, load dates left out, in a fixed
// order whatever order the server returns.
struct Snapshot {
    std::vector<SiteRow> sites;
    std::vector<SiteChanRow> chans;
    std::vector<NetworkRow> networks;
    std::vector<OriginRow> origins;
    std::vector<FileListRow> files;
    friend bool operator==(const Snapshot&, const Snapshot&) = default;
};

template <typename Row, typename Key>
void normalise(std::vector<Row>& rows, Key key) {
    for (Row& r : rows) r.lddate.reset();
    std::sort(rows.begin(), rows.end(), [&](const Row& a, const Row& b) { return key(a) < key(b); });
}

Snapshot snapshot(Connection& c) {
    Snapshot s;
    s.sites = read_sites(c);
    for (const SiteRow& site : s.sites)
        for (SiteChanRow& chan : read_sitechans(c, site.sta.value_or(""))) s.chans.push_back(chan);
    s.networks = read_networks(c);
    s.origins = read_origins(c, CommentColumn::Comments);
    s.files = read_filelist(c, SqlFilter{});
    normalise(s.sites, [](const SiteRow& r) { return r.sta; });
    normalise(s.chans, [](const SiteChanRow& r) { return std::tie(r.sta, r.chan); });
    normalise(s.networks, [](const NetworkRow& r) { return r.netname; });
    normalise(s.origins, [](const OriginRow& r) { return r.eventid; });
    normalise(s.files, [](const FileListRow& r) { return std::tie(r.sta, r.ch, r.tbegin); });
    return s;
}

class DemoInstallTest : public test::DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped()) return;
        prepare(SchemaKind::Main);
        tables.load(std::string(KRO_SOURCE_DIR) + "/demo/tables");
        ctx.settings.data_folder = data.path().string();
    }

    // Rows of an analyst's own that the demo must leave alone.
    void insert_own_rows() {
        SiteRow site;
        site.sta = "XYZ";
        site.descr = "my station";
        site.lat = 50.0;
        site.lon = 10.0;
        insert_site(main, site);
        SiteChanRow chan;
        chan.sta = "XYZ";
        chan.chan = "BHZ";
        chan.ngroup = 1;
        chan.chanindex = 0;
        insert_sitechan(main, chan);
        insert_network(main, NetworkRow{"Mine", std::nullopt, "XYZ;FUR;", std::nullopt});
        OriginRow origin;
        origin.eventid = "20200101000000";
        origin.comment = "my event";
        insert_origin(main, CommentColumn::Comments, origin);
        FileListRow file;
        file.sta = "XYZ";
        file.ch = "BHZ";
        file.cpath = "XYZ\\000000-01012020.BHZ";
        file.tbegin = demo_record_start();
        file.tqty = 60.0;
        insert_filelist(main, file);
    }

    Status install(Database& db) { return install_demo(db, ctx.user_settings, tables, ctx.settings.data_folder); }

    test::TempFolder data;
    TravelTimeTables tables;
};

TEST_F(DemoInstallTest, SecondInstallGivesTheSameRowsAndKeepsOthers) {
    insert_own_rows();
    const Snapshot before = snapshot(main);
    Database db(ctx);
    ASSERT_TRUE(db.connect_main());
    ASSERT_FALSE(demo_installed(db, ctx.user_settings, ctx.settings.data_folder));

    DemoInstallReport report;
    const Status first_run = install_demo(db, ctx.user_settings, tables, ctx.settings.data_folder, &report);
    ASSERT_TRUE(first_run) << first_run.message();
    EXPECT_EQ(report.files_imported, 39);
    const Snapshot first = snapshot(main);
    ASSERT_TRUE(install(db));
    const Snapshot second = snapshot(main);
    EXPECT_EQ(first, second);
    EXPECT_TRUE(messenger.boxes.empty());
    EXPECT_TRUE(demo_installed(db, ctx.user_settings, ctx.settings.data_folder));

    EXPECT_THAT(second.sites, IsSupersetOf(before.sites));
    EXPECT_THAT(second.chans, IsSupersetOf(before.chans));
    EXPECT_THAT(second.networks, IsSupersetOf(before.networks));
    EXPECT_THAT(second.origins, IsSupersetOf(before.origins));
    EXPECT_THAT(second.files, IsSupersetOf(before.files));
    EXPECT_EQ(second.sites.size(), before.sites.size() + demo_stations().size());
    EXPECT_EQ(second.chans.size(), before.chans.size() + 3 * demo_stations().size());
    EXPECT_EQ(second.files.size(), before.files.size() + 3 * demo_stations().size());

    // The demo's own rows as the workstation reads them.
    const auto demo_origin = read_origins(main, CommentColumn::Comments, std::string(kDemoEventId));
    ASSERT_EQ(demo_origin.size(), 1u);
    EXPECT_DOUBLE_EQ(demo_origin[0].lat.value_or(0), kDemoEvent.lat);
    EXPECT_DOUBLE_EQ(demo_origin[0].origintime.value_or(0), kDemoEvent.origin);
    for (const SiteChanRow& c : read_sitechans(main, "FUR"))
        EXPECT_EQ(sitechan_slot(c.ngroup.value_or(0), c.chanindex.value_or(-1)),
                  c.chan == "HHZ" ? 0 : c.chan == "HHN" ? 1 : 2);
    // The channel list: every vertical channel, nearest to the event first.
    const auto entries = read_profile(ctx.user_settings, profile_key(kDemoChannelList));
    ASSERT_EQ(entries.size(), demo_stations().size());
    EXPECT_EQ(entries.front().sta, "ZUGS");
    EXPECT_EQ(entries.back().sta, "BUG");
    for (const ChannelListEntry& e : entries) EXPECT_EQ(e.chan, "HHZ");
    EXPECT_TRUE(std::filesystem::exists(report.arr_path));
}

TEST_F(DemoInstallTest, NameClashRefusesAndChangesNothing) {
    struct Case {
        const char* name;
        bool foreign_site;
        const char* expected;
    };
    for (const Case& c : {Case{"station FUR", true, "Station fur is already in SITE"},
                          Case{"event id", false, "The event 20210612031742 is already in ORIGIN"}}) {
        SCOPED_TRACE(c.name);
        prepare(SchemaKind::Main);
        if (c.foreign_site) {
            SiteRow site;
            site.sta = "fur ";  // matched ignoring case and blanks, as the station table does
            site.descr = "the real one";
            insert_site(main, site);
        } else {
            OriginRow origin;
            origin.eventid = std::string(kDemoEventId);
            origin.comment = "a real event at that second";
            insert_origin(main, CommentColumn::Comments, origin);
        }
        const Snapshot before = snapshot(main);
        Database db(ctx);
        ASSERT_TRUE(db.connect_main());
        const Status s = install(db);
        EXPECT_FALSE(s);
        EXPECT_NE(s.message().find(c.expected), std::string::npos) << s.message();
        EXPECT_NE(s.message().find("nothing was changed"), std::string::npos) << s.message();
        EXPECT_EQ(snapshot(main), before);
        EXPECT_TRUE(std::filesystem::is_empty(data.path()));
        EXPECT_FALSE(ctx.user_settings.key_exists(profile_key(kDemoChannelList)));
    }
}

// The first sample from `from` on whose step from its predecessor exceeds
// `threshold`; -1 when none before `to`.
long first_jump(const std::vector<float>& x, std::size_t from, std::size_t to, double threshold) {
    for (std::size_t i = std::max<std::size_t>(from, 1); i < std::min(to, x.size()); ++i)
        if (std::abs(double(x[i]) - double(x[i - 1])) > threshold) return static_cast<long>(i);
    return -1;
}

TEST_F(DemoInstallTest, WaveformsReadBackWithThePOnsetAtItsSample) {
    Database db(ctx);
    ASSERT_TRUE(db.connect_main());
    ASSERT_TRUE(install(db));
    std::vector<DemoArrival> arrivals;
    ASSERT_TRUE(demo_arrivals(tables, kDemoEvent, arrivals));
    const EpochTime t1 = demo_record_start(), t2 = t1 + kDemoRecordSeconds;
    const auto count = static_cast<std::size_t>(kDemoRecordSeconds * kDemoSps);

    for (const DemoArrival& a : arrivals) {
        const std::string sta = demo_stations()[static_cast<std::size_t>(a.station)].sta;
        const DemoTraces traces = demo_traces(a, kDemoEvent, t1, count, kDemoSps);
        const std::vector<std::int32_t>* expected[] = {&traces.z, &traces.n, &traces.e};
        for (std::size_t c = 0; c < kDemoChannels.size(); ++c) {
            const std::string chan(kDemoChannels[c]);
            SCOPED_TRACE(sta + " " + chan);
            KRODataBlockArray array;
            read_channel_window(db, ctx.settings, sta, chan, t1, t2, array);
            ASSERT_EQ(array.count(), 1u);
            const KRODataBlock& block = array.block(0);
            EXPECT_NEAR(block.start, t1, 1e-6);
            EXPECT_DOUBLE_EQ(block.sps, kDemoSps);
            EXPECT_NEAR(block.calib, 0.265, 1e-9);
            ASSERT_EQ(block.samples.size(), count);
            EXPECT_TRUE(std::equal(block.samples.begin(), block.samples.end(), expected[c]->begin(),
                                   [](float f, std::int32_t i) { return f == static_cast<float>(i); }));
            if (c != 0) continue;

            // On Z the P onset stands out of the noise at its own sample,
            // first swing up for compression.
            const auto onset = static_cast<long>(std::ceil((a.p_time - t1) * kDemoSps));
            const auto o = static_cast<std::size_t>(onset);
            double noise = 0.0;
            for (std::size_t i = o - 1100; i < o - 100; ++i)
                noise = std::max(noise, std::abs(double(block.samples[i]) - double(block.samples[i - 1])));
            const long jump = first_jump(block.samples, o - 1000, o + 200, 3.0 * noise);
            const long quarter_period = std::lround(kDemoSps / (4.0 * demo_p_frequency(a.hypocentral_km)));
            EXPECT_GE(jump, onset);
            EXPECT_LE(jump, onset + quarter_period + 1);
            ASSERT_GT(jump, 0);
            const float step = block.samples[static_cast<std::size_t>(jump)] - block.samples[static_cast<std::size_t>(jump) - 1];
            EXPECT_EQ(step > 0, demo_p_compression(a.azimuth));
        }
    }
}

TEST_F(DemoInstallTest, IncompleteDemoIsSeenAndMendedByReinstalling) {
    struct Case {
        const char* name;
        std::function<void()> damage;
    };
    const Case cases[] = {
        {"a stored file is gone",
         [this] {
             const auto rows = read_filelist(main, filelist_of_station("BUG"));
             ASSERT_FALSE(rows.empty());
             std::filesystem::remove(join_stored_path(ctx.settings.data_folder, rows[0].cpath.value_or("")));
         }},
        {"the channel list was removed",
         [this] { ASSERT_TRUE(remove_profile(ctx.user_settings, kDemoChannelList)); }},
        {"the event row was deleted", [this] { delete_origin(main, std::string(kDemoEventId)); }},
    };
    Database db(ctx);
    ASSERT_TRUE(db.connect_main());
    ASSERT_TRUE(install(db));
    ASSERT_TRUE(demo_installed(db, ctx.user_settings, ctx.settings.data_folder));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.damage();
        EXPECT_FALSE(demo_installed(db, ctx.user_settings, ctx.settings.data_folder));
        ASSERT_TRUE(install(db));
        EXPECT_TRUE(demo_installed(db, ctx.user_settings, ctx.settings.data_folder));
    }
}

TEST_F(DemoInstallTest, WithoutMainConnectionNothingIsWritten) {
    Database db(ctx);  // never connected
    const Status s = install(db);
    EXPECT_FALSE(s);
    EXPECT_EQ(s.message(), "The main database is not connected: the demo was not installed");
    EXPECT_FALSE(demo_installed(db, ctx.user_settings, ctx.settings.data_folder));
    EXPECT_TRUE(std::filesystem::is_empty(data.path()));
}

}  // namespace
}  // namespace kro
