#include "display/channel_store.hpp"

#include <gtest/gtest.h>

#include "display/toolbar_layout.hpp"

namespace kro {
namespace {

TEST(ChannelList, RoundTripKeepsOrderDuplicatesAndReplacesTheOldList) {
    SettingsTree tree;
    std::vector<ChannelName> channels;
    for (int i = 0; i < 12; ++i) channels.push_back({"ST" + std::to_string(i), "BHZ"});
    channels.push_back({"ST0", "BHZ"});  // a channel named twice gives two panes
    ASSERT_TRUE(save_channel_list(tree, "Alps 'quoted' \"list\"", channels));
    EXPECT_EQ(load_channel_list(tree, channel_list_key("Alps 'quoted' \"list\"")), channels)
        << "12 sorts after 2 by number, not by name";

    ASSERT_TRUE(save_channel_list(tree, "Alps 'quoted' \"list\"", {{"FUR", "HHZ"}}));
    EXPECT_EQ(load_channel_list(tree, channel_list_key("Alps 'quoted' \"list\"")),
              (std::vector<ChannelName>{{"FUR", "HHZ"}}));
    EXPECT_EQ(tree.get_text("KRO\\waveforms-\\Alps 'quoted' \"list\"\\0", "STA"), "FUR");
    EXPECT_EQ(channel_list_names(tree), (std::vector<std::string>{"Alps 'quoted' \"list\""}));
}

TEST(ChannelList, BadNamesAndIncompleteEntries) {
    SettingsTree tree;
    EXPECT_FALSE(save_channel_list(tree, "", {{"FUR", "HHZ"}}));
    EXPECT_FALSE(save_channel_list(tree, "a\\b", {{"FUR", "HHZ"}}));
    EXPECT_FALSE(tree.key_exists("KRO\\waveforms-\\a"));

    ASSERT_TRUE(tree.set_text("KRO\\waveforms-\\x\\0", "STA", "FUR"));  // no CHAN: skipped
    ASSERT_TRUE(tree.set_text("KRO\\waveforms-\\x\\1", "STA", std::string(2000, 'S')));
    ASSERT_TRUE(tree.set_text("KRO\\waveforms-\\x\\1", "CHAN", std::string(40, 'C')));
    const auto loaded = load_channel_list(tree, "KRO\\waveforms-\\x");
    ASSERT_EQ(loaded.size(), 1u);
    EXPECT_EQ(loaded[0].sta.size(), 1023u);
    EXPECT_EQ(loaded[0].chan.size(), 31u);
}

TEST(TimeWindowStore, DoublesUnderTheChannelKey) {
    SettingsTree tree;
    EXPECT_EQ(load_time_window(tree, "FUR", "BHZ"), std::nullopt);
    ASSERT_TRUE(save_time_window(tree, "FUR", "BHZ", {1296474900.125, 90.0}));
    EXPECT_EQ(tree.get_double("KRO\\Time\\FUR\\BHZ", "Tbegin"), 1296474900.125);
    EXPECT_EQ(load_time_window(tree, "fur", "bhz"), (TimeWindow{1296474900.125, 90.0}));
    ASSERT_TRUE(tree.set_text("KRO\\Time\\WET\\BHZ", "Tbegin", "soon"));
    ASSERT_TRUE(tree.set_double("KRO\\Time\\WET\\BHZ", "Tqty", 5.0));
    EXPECT_EQ(load_time_window(tree, "WET", "BHZ"), std::nullopt) << "a text value is no double";
}

TEST(ToolbarLayout, StoredLayoutsAreCheckedAgainstTheButtonTable) {
    const ToolbarDef& bar = *find_toolbar("PHASELIST");
    SettingsTree tree;
    bool damaged = true;
    EXPECT_EQ(load_toolbar_layout(tree, "PHASELIST", bar, &damaged), bar.buttons) << "nothing stored";
    EXPECT_FALSE(damaged);

    const ToolbarLayout custom = {32719, 0, 33185, 32729};
    ASSERT_TRUE(save_toolbar_layout(tree, "PHASELIST", custom));
    EXPECT_EQ(load_toolbar_layout(tree, "PHASELIST", bar), custom);

    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case bad[] = {
        {"not whole ids", std::string("\1\2\3", 3)},
        {"a command the bar does not offer", encode_toolbar_layout({32719, 606})},
        {"more than 100 buttons", encode_toolbar_layout(ToolbarLayout(101, 0))},
    };
    for (const auto& c : bad) {
        ASSERT_TRUE(tree.set_binary(kToolbarKey, "PHASELIST", c.bytes));
        EXPECT_EQ(load_toolbar_layout(tree, "PHASELIST", bar, &damaged), bar.buttons) << c.name;
        EXPECT_TRUE(damaged) << c.name;
    }
}

}  // namespace
}  // namespace kro
