#include "data/station_table.hpp"

#include <gtest/gtest.h>

#include "core/messenger.hpp"

namespace kro {
namespace {

StationTable two_stations() {
    StationTable table;
    CScreenFields& fur = table.add_station(0.0);
    fur.name = "FUR";
    const char* channels[] = {"BHZ", "BHN", "BHE", "BH", "BHZ1", "SHZ"};
    for (int i = 0; i < 6; ++i) fur.slots[static_cast<std::size_t>(i)].name = channels[i];
    fur.slots[8].name = "LHZ";  // after a free slot: not found by channel_slot
    table.add_station(0.0).name = "O'Neil";
    return table;
}

TEST(StationTable, LookupByNameIgnoringCase) {
    const StationTable table = two_stations();
    EXPECT_EQ(table.station_index("fur"), 0);
    EXPECT_EQ(table.station_index("O'NEIL"), 1);
    EXPECT_EQ(table.station_index(""), -1);
    EXPECT_EQ(table.station_index("WET"), -1);
    EXPECT_EQ(table.channel_slot(0, "bhn"), 1);
    EXPECT_EQ(table.channel_slot(0, "LHZ"), -1);
    EXPECT_EQ(table.channel_slot(0, ""), -1);
    EXPECT_EQ(table.channel_slot(5, "BHZ"), -1);
}

TEST(SitechanSlot, ThreePerGroup) {
    EXPECT_EQ(sitechan_slot(2, 1), 4);
    EXPECT_EQ(sitechan_slot(1, 0), 0);
    EXPECT_EQ(sitechan_slot(8, 2), 23);
    EXPECT_EQ(sitechan_slot(9, 1), -1);
    EXPECT_EQ(sitechan_slot(0, 1), -1);
}

TEST(MaskMatches, Cases) {
    const struct {
        const char* mask;
        const char* name;
        bool match;
    } cases[] = {
        {"bh?", "bhz", true},  {"bh?", "bh", false},  {"bh?", "bhz1", false}, {"*z", "bhz", true},
        {"*z", "shz", true},   {"*z", "bhn", false},  {"*", "anything", true}, {"b*", "b", true},
        {"*?", "bhz", true},   {"*h?", "bhz", true},  {"*h", "hhz", false},  // only the first 'h' is tried
        {"", "", true},        {"", "x", false},      {"bhz", "bhz", true},
    };
    for (const auto& c : cases) EXPECT_EQ(mask_matches(c.mask, c.name), c.match) << c.mask << " ~ " << c.name;
}

TEST(Selection, MaskTicksOnlyMatchingSlotsAndKeepsOthers) {
    StationTable table = two_stations();
    table.set_selected(0, 5, true);  // SHZ stays ticked
    table.select_by_mask(0, "BH?");
    const bool expected[] = {true, true, true, false, false, true};
    for (int s = 0; s < 6; ++s) EXPECT_EQ(table.selected(0, s), expected[s]) << s;
    table.set_selected_by_name(0, "bhz", false);
    EXPECT_FALSE(table.selected(0, 0));
    table.clear_selection();
    EXPECT_FALSE(table.selected(0, 1));
}

TEST(StationWindow, SetAndReadBack) {
    CScreenFields s;
    const EpochTime start = calendar_to_time(2004, 3, 1, 12, 0, 0.5);
    set_window(s, start, 360000.0);  // 100 hours keep 1 hour
    EXPECT_EQ(window_start(s), start);
    EXPECT_EQ(window_length(s), 3600.0);
    EXPECT_EQ(s.window.millisecond, 500);
    set_window(s, start, 3725.0);
    EXPECT_EQ(s.window.hours, 1);
    EXPECT_EQ(s.window.minutes, 2);
    EXPECT_EQ(s.window.seconds, 5);
}

TEST(StationWindow, FieldsForAllStations) {
    StationTable table = two_stations();
    RecordingMessenger messenger;
    ASSERT_TRUE(store_window_fields(table.at(0), "12:00:00.500", "00:10:00", "01/03/2004", messenger));
    table.set_window_for_all(0);
    for (const CScreenFields& s : table.stations()) {
        EXPECT_EQ(window_start(s), calendar_to_time(2004, 3, 1, 12, 0, 0.5));
        EXPECT_EQ(window_length(s), 600.0);
    }
    EXPECT_FALSE(store_window_fields(table.at(1), "24:00:00.000", "00:10:00", "01/03/2004", messenger));
    ASSERT_EQ(messenger.boxes.size(), 1u);
    EXPECT_EQ(messenger.boxes[0].text, "Erroneous time entered");
    EXPECT_EQ(window_length(table.at(1)), 600.0) << "nothing stored";
}

TEST(StationWindow, RestoredFromTheFirstStoredChannel) {
    StationTable table = two_stations();
    SettingsTree settings;
    ASSERT_TRUE(store_channel_window(settings, "FUR", "BHN", 5000.0, 120.0));
    ASSERT_TRUE(store_channel_window(settings, "FUR", "BHE", 7000.0, 30.0));
    CScreenFields& fur = table.at(0);
    restore_window(fur, settings);
    EXPECT_EQ(window_length(fur), 60.0) << "a station with a length keeps its window";
    set_window(fur, 0.0, 0.0);
    restore_window(fur, settings);
    EXPECT_EQ(window_start(fur), 5000.0);
    EXPECT_EQ(window_length(fur), 120.0);
}

TEST(MemberList, SplitAndJoin) {
    EXPECT_EQ(split_member_list("ABC;DEF;"), (std::vector<std::string>{"ABC", "DEF"}));
    EXPECT_EQ(split_member_list("ABC; ;DEF"), (std::vector<std::string>{"ABC", "DEF"}));
    EXPECT_TRUE(split_member_list("").empty());
    EXPECT_EQ(join_member_list({"ABC", "DEF"}), "ABC;DEF;");
}

}  // namespace
}  // namespace kro
