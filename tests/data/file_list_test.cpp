#include "data/file_list.hpp"

#include <gtest/gtest.h>

namespace kro {
namespace {

TEST(FileListTexts, DurationRateAndStart) {
    const struct {
        double duration;
        const char* text;
    } durations[] = {{59.999995, "00:01:0.0000"}, {59.9, "00:00:59.9000"}, {3725.25, "01:02:5.2500"}, {60.0, "00:01:0.0000"}};
    for (const auto& d : durations) EXPECT_EQ(file_duration_text(d.duration), d.text) << d.duration;
    EXPECT_EQ(file_rate_text(0.5), "0.500");
    EXPECT_EQ(file_rate_text(100.0), "100");
    EXPECT_EQ(file_rate_text(20.0), " 20");
    EXPECT_EQ(file_start_text(calendar_to_time(2011, 1, 31, 11, 55, 0.25)), "31/01/2011 11:55:0.250");
}

TEST(FileListTexts, ReadBackGivesTheWindow) {
    const EpochTime start = calendar_to_time(2011, 1, 31, 11, 55, 7.25);
    const FileWindow w = file_window_from_texts(file_start_text(start), "00:01:00");
    EXPECT_DOUBLE_EQ(w.start, start);
    EXPECT_EQ(w.duration, 60.0);
}

TEST(SelectedChannelsFilter, ListsTheSelectedSlots) {
    StationTable table;
    CScreenFields& s = table.add_station(0.0);
    s.name = "FUR";
    s.slots[0].name = "BHZ";
    s.slots[1].name = "B'N";
    EXPECT_EQ(selected_channels_filter(table, 0, false), " and (  1=0   ) ");
    table.set_selected(0, 0, true);
    table.set_selected(0, 1, true);
    EXPECT_EQ(selected_channels_filter(table, 0, false), " and (  1=0  or CH='BHZ'  or CH='B''N'   ) ");
    EXPECT_EQ(selected_channels_filter(table, 0, true), " and (  1=0  or CHAN='bhz'  or CHAN='b''n'   ) ");
}

TEST(Profiles, WriteListSummariseAndRemove) {
    SettingsTree settings;
    const std::vector<ChannelListEntry> entries{{"FUR", "BHZ"}, {"WET", "BHN"}};
    ASSERT_TRUE(write_profile(settings, profile_key("quarry"), entries));
    ASSERT_TRUE(write_profile(settings, profile_key("alps"), {{"RJOB", "HHZ"}}));
    ASSERT_TRUE(write_profile(settings, profile_key("quarry"), {entries[1]}));  // replaced, not merged
    EXPECT_EQ(profile_names(settings), (std::vector<std::string>{"alps", "quarry"}));
    EXPECT_EQ(profile_summary(read_profile(settings, profile_key("quarry"))), "WET:BHN;");
    ASSERT_TRUE(remove_profile(settings, "quarry"));
    EXPECT_EQ(profile_names(settings), std::vector<std::string>{"alps"});
}

TEST(GroupEditor, NamesAndMembers) {
    GroupEditor editor({{"Group of stations 1", {}}, {"North", {"FUR"}}});
    EXPECT_EQ(editor.groups()[editor.create_group()].name, "Group of stations 2");
    EXPECT_EQ(editor.groups()[editor.create_group()].name, "Group of stations 3");
    EXPECT_TRUE(editor.add_member(1, "WET"));
    EXPECT_FALSE(editor.add_member(1, "fur"));
    EXPECT_EQ(editor.groups()[1].members, (std::vector<std::string>{"FUR", "WET"}));
    EXPECT_FALSE(editor.rename_group(0, "north"));
    EXPECT_FALSE(editor.rename_group(0, ""));
    EXPECT_TRUE(editor.rename_group(0, "South"));
    editor.remove_member(1, 0);
    editor.remove_group(2);
    EXPECT_EQ(editor.groups()[1].members, std::vector<std::string>{"WET"});
    EXPECT_EQ(editor.groups().size(), 3u);
}

}  // namespace
}  // namespace kro
