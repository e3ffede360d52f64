#include "display/pane_stack.hpp"

#include <algorithm>
#include <clocale>
#include <cstring>
#include <numeric>

namespace kro {

StationOrder station_order_from_int(int value) {
    if (value == 0) return StationOrder::ByNumberInDatabase;
    if (value == 1) return StationOrder::ByArrivalTime;
    return StationOrder::Unsorted;
}

std::vector<PaneChannel> redraw_assignment(std::vector<StationSelection> stations, StationOrder order) {
    std::erase_if(stations, [](const StationSelection& s) {
        return std::none_of(s.selected.begin(), s.selected.begin() + kStationListSlots, [](bool b) { return b; });
    });
    // A stable sort is the bubble sort that swaps only on strict inequality.
    if (order == StationOrder::ByNumberInDatabase)
        std::stable_sort(stations.begin(), stations.end(),
                         [](const auto& a, const auto& b) { return a.nindex > b.nindex; });
    else if (order == StationOrder::ByArrivalTime)
        std::stable_sort(stations.begin(), stations.end(),
                         [](const auto& a, const auto& b) { return a.earliest_pick > b.earliest_pick; });

    std::vector<PaneChannel> assignment;
    for (const auto& s : stations)
        for (int c = 0; c < kChannelSlots; ++c)
            if (s.selected[static_cast<std::size_t>(c)] && assignment.size() < kMaxPanes)
                assignment.push_back({s.station_index, c});
    return assignment;
}

std::optional<PaneSort> pane_sort_of_command(int id) {
    switch (id) {
        case 33165: return PaneSort::NumberInDatabase;
        case 33166: return PaneSort::ArrivalTimes;
        case 33204: return PaneSort::NumberOnScreen;
        case 33203: return PaneSort::Alphabet;
        case 33211: return PaneSort::DistanceFromEpicentre;
        default: return std::nullopt;
    }
}

int command_of_pane_sort(PaneSort sort) {
    switch (sort) {
        case PaneSort::NumberInDatabase: return 33165;
        case PaneSort::ArrivalTimes: return 33166;
        case PaneSort::NumberOnScreen: return 33204;
        case PaneSort::Alphabet: return 33203;
        case PaneSort::DistanceFromEpicentre: return 33211;
    }
    return 33165;
}

std::optional<int> sort_order_written(PaneSort sort) {
    switch (sort) {
        case PaneSort::NumberInDatabase: return 0;
        case PaneSort::ArrivalTimes: return 1;
        case PaneSort::NumberOnScreen:
        case PaneSort::Alphabet: return 2;
        case PaneSort::DistanceFromEpicentre: return std::nullopt;
    }
    return std::nullopt;
}

std::vector<int> pane_sort_permutation(const std::vector<PaneSortKey>& keys, PaneSort sort) {
    std::vector<int> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    auto by = [&](auto less) {
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return less(keys[a], keys[b]); });
    };
    switch (sort) {
        case PaneSort::NumberInDatabase: by([](const auto& a, const auto& b) { return a.nindex > b.nindex; }); break;
        case PaneSort::ArrivalTimes:
            by([](const auto& a, const auto& b) { return a.earliest_pick < b.earliest_pick; });
            break;
        case PaneSort::NumberOnScreen:
            by([](const auto& a, const auto& b) {
                const unsigned ka = static_cast<unsigned>(a.screen_number);  // -1 sorts after every number
                const unsigned kb = static_cast<unsigned>(b.screen_number);
                return ka < kb;
            });
            break;
        case PaneSort::Alphabet:
            by([](const auto& a, const auto& b) {
                return std::strcoll(a.station_name.c_str(), b.station_name.c_str()) < 0;
            });
            break;
        case PaneSort::DistanceFromEpicentre:
            if (std::any_of(keys.begin(), keys.end(), [](const auto& k) { return !k.distance; })) break;
            by([](const auto& a, const auto& b) { return *a.distance < *b.distance; });
            break;
    }
    return order;
}

std::vector<PaneRect> equal_layout(int count, int client_height) {
    std::vector<PaneRect> rects;
    if (count <= 0) return rects;
    const int h = client_height / count;
    for (int i = 0; i < count; ++i) rects.push_back({i * h, h});
    return rects;
}

std::vector<PaneRect> full_window_layout(int count, int client_height, int first_top, int title_text_height) {
    std::vector<PaneRect> rects;
    if (count <= 0) return rects;
    const int minimum = title_text_height + 7 + 45;
    int h = client_height / count;
    if (h - (title_text_height + 7) - 45 < 0) h = minimum;
    for (int i = 0; i < count; ++i) rects.push_back({first_top + i * h, h});
    return rects;
}

std::vector<PaneRect> restacked(std::vector<PaneRect> panes) {
    for (std::size_t i = 1; i < panes.size(); ++i) {
        const int wanted = panes[i - 1].y + panes[i - 1].height;  // one pixel below the previous bottom row
        if (panes[i].y != wanted) panes[i].y = wanted;
    }
    return panes;
}

std::vector<PaneRect> stacked_from_top(const std::vector<PaneRect>& panes_in_order) {
    std::vector<PaneRect> out;
    int y = 0;
    for (const auto& p : panes_in_order) {
        out.push_back({y, p.height});
        y += p.height;
    }
    return out;
}

int lowest_free_position(const std::vector<PaneRect>& panes) {
    int lowest = 0;
    for (const auto& p : panes) lowest = std::max(lowest, p.y + p.height);
    return lowest;
}

int next_pane_number(const std::vector<int>& pane_numbers) {
    int n = 0;
    for (const int number : pane_numbers)
        if (number >= n) ++n;
    // After a sort the rule can land on a number in use ({1, 0} gives 1):
    // move on to the next free one so that no two panes share a name.
    while (std::find(pane_numbers.begin(), pane_numbers.end(), n) != pane_numbers.end()) ++n;
    return n;
}

int next_screen_number(const std::vector<int>& screen_numbers) {
    int largest = 0;
    for (const int s : screen_numbers) largest = std::max(largest, s);
    return largest + 1;
}

void release_screen_number(std::vector<int>& screen_numbers, std::size_t index) {
    const int released = screen_numbers.at(index);
    screen_numbers[index] = -1;
    if (released <= 0) return;
    for (int& s : screen_numbers)
        if (s > released) --s;
}

int stack_offset(int total_pane_height, int position) {
    const int p = std::clamp(position, 0, kScrollRange);
    return static_cast<int>(-static_cast<long long>(total_pane_height) * p / kScrollRange);
}

}  // namespace kro
