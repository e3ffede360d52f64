#include "display/pane_stack.hpp"

#include <gtest/gtest.h>

namespace kro {
namespace {

StationSelection station(int index, int nindex, std::initializer_list<int> slots, double pick = kNoPickTime) {
    StationSelection s;
    s.station_index = index;
    s.nindex = nindex;
    s.earliest_pick = pick;
    for (int slot : slots) s.selected[static_cast<std::size_t>(slot)] = true;
    return s;
}

TEST(RedrawAssignment, SelectionGivesPanesInStationOrder) {
    struct Case {
        const char* name;
        std::vector<StationSelection> stations;
        StationOrder order;
        std::vector<PaneChannel> expected;
    };
    const std::vector<Case> cases = {
        {"nothing selected", {station(0, 1, {}), station(1, 2, {})}, StationOrder::ByNumberInDatabase, {}},
        {"three channels of one station",
         {station(0, 1, {}), station(1, 2, {0, 1, 2})},
         StationOrder::ByNumberInDatabase,
         {{1, 0}, {1, 1}, {1, 2}}},
        {"NINDEX 5, 9, 7 show as 9, 7, 5",
         {station(0, 5, {0}), station(1, 9, {0}), station(2, 7, {0})},
         StationOrder::ByNumberInDatabase,
         {{1, 0}, {2, 0}, {0, 0}}},
        {"equal NINDEX keeps table order",
         {station(0, 4, {0}), station(1, 4, {1}), station(2, 6, {2})},
         StationOrder::ByNumberInDatabase,
         {{2, 2}, {0, 0}, {1, 1}}},
        {"only slots 15-23 selected: not shown; slots 15-23 follow when the station is shown",
         {station(0, 1, {16, 20}), station(1, 2, {3, 17})},
         StationOrder::ByNumberInDatabase,
         {{1, 3}, {1, 17}}},
        {"by arrival time: stations without picks first, then latest first",
         {station(0, 1, {0}, 100.0), station(1, 2, {0}), station(2, 3, {0}, 200.0)},
         StationOrder::ByArrivalTime,
         {{1, 0}, {2, 0}, {0, 0}}},
        {"unsorted keeps table order",
         {station(0, 1, {0}), station(1, 9, {0})},
         StationOrder::Unsorted,
         {{0, 0}, {1, 0}}},
    };
    for (const auto& c : cases) EXPECT_EQ(redraw_assignment(c.stations, c.order), c.expected) << c.name;
}

TEST(RedrawAssignment, ThirtyChannelsGiveTheFirstTwentyFour) {
    std::vector<StationSelection> stations;
    for (int i = 0; i < 10; ++i) stations.push_back(station(i, 10 - i, {0, 1, 2}));  // 30 channels
    const auto assignment = redraw_assignment(stations, StationOrder::ByNumberInDatabase);
    ASSERT_EQ(assignment.size(), 24u);
    EXPECT_EQ(assignment.back(), (PaneChannel{7, 2}));
}

TEST(PaneSort, OrdersAndSortOrderValues) {
    std::vector<PaneSortKey> keys(4);
    keys[0] = {5, 300.0, -1, "WET", 12.0};
    keys[1] = {9, kNoPickTime, 2, "FUR", 3.0};
    keys[2] = {7, 100.0, 1, "MOX", 7.5};
    keys[3] = {9, 200.0, -1, "ABC", 1.0};
    struct Case {
        PaneSort sort;
        std::vector<int> order;
        std::optional<int> written;
    };
    const Case cases[] = {
        {PaneSort::NumberInDatabase, {1, 3, 2, 0}, 0},
        {PaneSort::ArrivalTimes, {2, 3, 0, 1}, 1},  // without picks last
        {PaneSort::NumberOnScreen, {2, 1, 0, 3}, 2},  // -1 after the numbered panes, in list order
        {PaneSort::DistanceFromEpicentre, {3, 1, 2, 0}, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(pane_sort_permutation(keys, c.sort), c.order) << command_of_pane_sort(c.sort);
        EXPECT_EQ(sort_order_written(c.sort), c.written);
        EXPECT_EQ(pane_sort_of_command(command_of_pane_sort(c.sort)), c.sort);
    }
    EXPECT_EQ(sort_order_written(PaneSort::Alphabet), 2);
    EXPECT_EQ(pane_sort_permutation(keys, PaneSort::Alphabet), (std::vector<int>{3, 1, 2, 0}));

    keys[2].distance.reset();  // no epicentre: nothing happens
    EXPECT_EQ(pane_sort_permutation(keys, PaneSort::DistanceFromEpicentre), (std::vector<int>{0, 1, 2, 3}));
}

TEST(PaneLayout, EqualFullWindowAndRestack) {
    EXPECT_EQ(equal_layout(3, 300), (std::vector<PaneRect>{{0, 100}, {100, 100}, {200, 100}}));
    EXPECT_EQ(equal_layout(7, 100).back(), (PaneRect{84, 14}));
    EXPECT_TRUE(equal_layout(0, 100).empty());

    EXPECT_EQ(full_window_layout(3, 300, 0, 13), (std::vector<PaneRect>{{0, 100}, {100, 100}, {200, 100}}));
    EXPECT_EQ(full_window_layout(2, 300, -40, 13), (std::vector<PaneRect>{{-40, 150}, {110, 150}}));
    // 24 panes in 300 pixels would be 12 high: each keeps 13 + 7 + 45 = 65.
    EXPECT_EQ(full_window_layout(24, 300, 0, 13)[1], (PaneRect{65, 65}));

    EXPECT_EQ(restacked({{0, 100}, {150, 50}, {120, 30}}), (std::vector<PaneRect>{{0, 100}, {100, 50}, {150, 30}}));
    EXPECT_EQ(stacked_from_top({{200, 40}, {0, 60}}), (std::vector<PaneRect>{{0, 40}, {40, 60}}));
    EXPECT_EQ(lowest_free_position({}), 0);
    EXPECT_EQ(lowest_free_position({{0, 100}, {100, 50}}), 150);
}

TEST(PaneNumbers, NextPaneAndScreenNumbers) {
    EXPECT_EQ(next_pane_number({}), 0);
    EXPECT_EQ(next_pane_number({0, 1, 2}), 3);
    EXPECT_EQ(next_pane_number({0, 2}), 3);  // the rule counts to 2, which is in use
    EXPECT_EQ(next_pane_number({5, 0}), 1);
    EXPECT_EQ(next_pane_number({1, 0}), 2) << "after a sort the count alone would give 1 twice";

    std::vector<int> screens = {1, 3, -1, 2};
    EXPECT_EQ(next_screen_number(screens), 4);
    release_screen_number(screens, 0);  // the pane with number 1 of three active panes
    EXPECT_EQ(screens, (std::vector<int>{-1, 2, -1, 1}));
    EXPECT_EQ(next_screen_number({-1, -1}), 1);
}

TEST(PaneStackScroll, OffsetFollowsThePosition) {
    EXPECT_EQ(stack_offset(2400, 0), 0);
    EXPECT_EQ(stack_offset(2400, 5000), -1200);
    EXPECT_EQ(stack_offset(2400, 10000), -2400);
    EXPECT_EQ(stack_offset(2400, 20000), -2400) << "clamped to the range";
    EXPECT_EQ(stack_offset(999, 1), 0) << "truncated";
}

}  // namespace
}  // namespace kro
