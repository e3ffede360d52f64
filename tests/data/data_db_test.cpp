// The waveform-data functions on a real database: station table, channel
// reader, CSS 3.0 import and disk loop, on SQLite and PostgreSQL.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "../core/test_support.hpp"
#include "data/channel_reader.hpp"
#include "data/css_import.hpp"
#include "data/disk_loop.hpp"
#include "data/station_loader.hpp"
#include "db/filelist.hpp"
#include "db/stations.hpp"
#include "db_test_support.hpp"

namespace kro {
namespace {

class DataDb : public test::DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped()) return;
        prepare(SchemaKind::Main);
        ctx.settings.data_folder = store.path().string();
    }
    void add_site(const std::string& sta, double lat, double lon, double elev) {
        SiteRow s;
        s.sta = sta;
        s.lat = lat;
        s.lon = lon;
        s.elev = elev;
        s.ngroups = 1;
        insert_site(main, s);
    }
    void add_channel(const std::string& sta, const std::string& chan, int ngroup, int chanindex,
                     std::optional<double> lat = std::nullopt) {
        SiteChanRow c;
        c.sta = sta;
        c.chan = chan;
        c.ngroup = ngroup;
        c.chanindex = chanindex;
        c.sps = 80.0;
        c.lat = lat;
        c.lon = 1.0;
        c.edeph = 0.5;
        insert_sitechan(main, c);
    }
    // The shared CSS set's stations, and one more that is not in the data.
    void add_css_stations() {
        for (const char* sta : {"TESTbe", "TESTle"}) {
            add_site(sta, 48.0, 11.0, 0.5);
            add_channel(sta, "HHZ", 1, 0);
            add_channel(sta, "HHE", 1, 1);
        }
    }
    StationTable loaded() {
        StationTable table;
        load_station_table(main, table, messenger, 1296474900.0);
        return table;
    }
    std::string css_folder() const { return std::string(KRO_SHARED_DATA_DIR) + "/css"; }
    test::TempFolder store;
};

TEST_F(DataDb, StationTableSlotsAndCoordinates) {
    add_site("O'Neil", 10.0, 20.0, 0.3);
    add_channel("O'Neil", "  BHZ ", 1, 0, 11.0);
    add_channel("O'Neil", "BHN", 2, 1);           // slot 4, NULL latitude: the station's coordinates
    add_channel("O'Neil", "XXX", 9, 0);           // outside the 24 slots
    add_channel("O'Neil", "BHE", 1, 0, 12.0);     // a later row with slot 0 wins
    StationTable table = loaded();
    ASSERT_EQ(table.count(), 1);
    const CScreenFields& s = table.at(0);
    EXPECT_EQ(s.name, "O'Neil");
    EXPECT_EQ(s.slots[0].name, "BHE");
    EXPECT_EQ(s.slots[0].lat, 12.0f);
    EXPECT_EQ(s.slots[4].name, "BHN");
    EXPECT_EQ(s.slots[4].lat, 10.0f);
    EXPECT_EQ(s.slots[4].lon, 20.0f);
    EXPECT_EQ(s.slots[4].elev, 0.3f);
    EXPECT_EQ(window_start(s), 1296474900.0);
    EXPECT_EQ(window_length(s), 60.0);
    EXPECT_TRUE(messenger.boxes.empty());
}

TEST_F(DataDb, StationGroupsSkipRowsWithoutMembers) {
    write_network_lists(main, {{"North", "FUR;WET;"}, {"O'Neil's", "RJOB"}});
    main.execute("insert into NETWORKS (NETNAME) values ('empty')");
    StationTable table;
    load_station_groups(main, table, messenger);
    ASSERT_EQ(table.groups().size(), 2u);
    EXPECT_EQ(table.groups()[0].members, (std::vector<std::string>{"FUR", "WET"}));
    EXPECT_EQ(table.groups()[1].name, "O'Neil's");
}

TEST_F(DataDb, ImportThenReadBackAndImportAgain) {
    if (!std::filesystem::exists(css_folder())) GTEST_SKIP() << "no shared data at " << css_folder();
    add_css_stations();
    const StationTable table = loaded();
    const CssImportResult first = import_css_folder(css_folder(), table, ctx.settings.data_folder, main, messenger);
    EXPECT_FALSE(first.stopped_by_error);
    EXPECT_TRUE(messenger.boxes.empty()) << messenger.boxes.front().text;
    // HHN is not in the station table: four channels, four files.
    ASSERT_EQ(first.inventory.count(), 4u);
    EXPECT_EQ(first.files_written, 4);
    EXPECT_EQ(first.inventory.at(0).sta, "TESTbe");
    EXPECT_EQ(first.inventory.at(0).tmin, 1296474900.0);

    const CssImportResult again = import_css_folder(css_folder(), table, ctx.settings.data_folder, main, messenger);
    EXPECT_EQ(again.files_written, 4);
    const auto rows = read_filelist(main, {});
    ASSERT_EQ(rows.size(), 4u) << "a second import replaces the rows";
    for (const FileListRow& r : rows) {
        EXPECT_TRUE(r.sta == "TESTBE" || r.sta == "TESTLE") << r.sta.value_or("NULL");
        EXPECT_EQ(r.datatype, 3);
        EXPECT_EQ(r.foff, 512);
        EXPECT_EQ(r.creater, "CSS2KRO");
        EXPECT_DOUBLE_EQ(r.tqty.value_or(0), 60.0);
    }

    // Both byte orders come back the same through the file store.
    KRODataBlockArray be, le;
    Database db(ctx);
    ASSERT_TRUE(db.connect_main());
    read_channel_window(db, ctx.settings, "TESTBE", "HHZ", 1296474910.0, 1296474920.0, be);
    read_channel_window(db, ctx.settings, "TESTLE", "HHZ", 1296474910.0, 1296474920.0, le);
    ASSERT_EQ(be.count(), 1u);
    ASSERT_EQ(le.count(), 1u);
    EXPECT_EQ(be.block(0).count(), 800);
    EXPECT_EQ(be.block(0).start, 1296474910.0);
    EXPECT_EQ(be.block(0).samples, le.block(0).samples);
    EXPECT_EQ(channel_gain(db, ctx.settings, "TESTBE", "HHZ", 1296474915.0), 1.0);
}

TEST_F(DataDb, ImportStopsAtTheFirstError) {
    add_site("ABC", 0, 0, 0);
    add_channel("ABC", "BHZ", 1, 0);
    const StationTable table = loaded();
    test::TempFolder css;
    auto line = [](const std::string& datatype, const std::string& dfile) {
        std::string l(283, ' ');
        auto put = [&](std::size_t column, const std::string& text) { l.replace(column - 1, text.size(), text); };
        put(1, "ABC");
        put(8, "BHZ");
        put(17, "1000.00000");
        put(62, "1001.00000");
        put(80, "2");
        put(89, "2.0");
        put(144, datatype);
        put(149, ".");
        put(214, dfile);
        put(247, "0");
        return l + "\n";
    };
    test::write_file(css.file("a.wfdisc"), line("g2", "abc.w") + line("s4", "missing.w"));
    test::write_file(css.file("abc.w"), std::string(8, '\0'));
    const CssImportResult r = import_css_folder(css.path().string(), table, ctx.settings.data_folder, main, messenger);
    EXPECT_TRUE(r.stopped_by_error);
    ASSERT_EQ(messenger.boxes.size(), 1u);
    EXPECT_EQ(messenger.boxes[0].text, "Can't convert data of type g2");
    EXPECT_EQ(messenger.boxes[0].icon, MessageIcon::Error);

    // A data folder that cannot hold files: 745 names the full output path.
    messenger.boxes.clear();
    test::write_file(css.file("a.wfdisc"), line("s4", "abc.w"));
    test::write_file(store.file("occupied"), "a file where the data folder should be");
    const CssImportResult unwritable =
        import_css_folder(css.path().string(), table, store.file("occupied"), main, messenger);
    EXPECT_EQ(unwritable.files_written, 0);
    ASSERT_EQ(messenger.boxes.size(), 1u);
    EXPECT_EQ(messenger.boxes[0].text, "Can't open file '" + store.file("occupied") + "/ABC/001640-01011970.BHZ'");

    messenger.boxes.clear();
    test::write_file(css.file("a.wfdisc"), line("s4", "missing.w"));
    import_css_folder(css.path().string(), table, ctx.settings.data_folder, main, messenger);
    ASSERT_EQ(messenger.boxes.size(), 1u);
    EXPECT_EQ(messenger.boxes[0].text, "File opening error " + (css.path() / "missing.w").string());
    EXPECT_TRUE(read_filelist(main, {}).empty());
}

TEST_F(DataDb, DiskLoopRemovesFilesAndRows) {
    FileListRow row;
    row.sta = "FUR";
    row.ch = "BHZ";
    row.tbegin = 1000.0;
    row.tqty = 60.0;
    for (const char* path : {"FUR\\present.BHZ", "FUR\\gone.BHZ", "FUR\\stuck.BHZ"}) {
        row.cpath = path;
        insert_filelist(main, row);
        row.tbegin = *row.tbegin + 100.0;
    }
    test::write_file(store.file("FUR/present.BHZ"), "samples");
    test::write_file(store.file("FUR/stuck.BHZ/inside"), "a folder cannot be removed as a file");

    EXPECT_TRUE(remove_stored_file(main, ctx.settings.data_folder, "FUR\\present.BHZ", messenger));
    EXPECT_FALSE(std::filesystem::exists(store.file("FUR/present.BHZ")));
    EXPECT_TRUE(remove_stored_file(main, ctx.settings.data_folder, "FUR\\gone.BHZ", messenger));
    EXPECT_TRUE(messenger.boxes.empty()) << "a file already gone only loses its row";
    EXPECT_FALSE(remove_stored_file(main, ctx.settings.data_folder, "FUR\\stuck.BHZ", messenger));
    ASSERT_EQ(messenger.boxes.size(), 1u);
    EXPECT_EQ(messenger.boxes[0].text, "Error deleting file  " + store.file("FUR/stuck.BHZ"));
    EXPECT_EQ(messenger.boxes[0].icon, MessageIcon::Warning);
    EXPECT_EQ(messenger.beeps, 1);
    EXPECT_EQ(messenger.status_texts.back(), "");
    const auto rows = read_filelist(main, {});
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].cpath, "FUR\\stuck.BHZ");

    std::filesystem::remove_all(store.file("FUR/stuck.BHZ"));
    EXPECT_EQ(remove_station_files(main, ctx.settings.data_folder, "FUR", 1200.0, 1201.0, messenger), 1);
    EXPECT_TRUE(read_filelist(main, {}).empty());
}

}  // namespace
}  // namespace kro
