#pragma once
// The rules by which the waveform window builds, orders and lays out its
// stack of trace panes, free of any widget.

#include <array>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "data/station_table.hpp"

namespace kro {

inline constexpr int kMaxPanes = 24;
// Redraw shows a station only when one of these first slots is selected.
inline constexpr int kStationListSlots = 15;
// The pick time of a channel (or station) without included picks.
inline constexpr double kNoPickTime = std::numeric_limits<double>::max();

// One station of the station table as Redraw sees it.
struct StationSelection {
    int station_index = 0;
    int nindex = 0;                    // NINDEX of its SITE row
    double earliest_pick = kNoPickTime;  // earliest included pick time of the station
    std::array<bool, kChannelSlots> selected{};
};

struct PaneChannel {
    int station_index = 0;
    int channel_index = 0;  // slot 0-23
    bool operator==(const PaneChannel&) const = default;
};

// The value of WAVEFORMS SORTODER.
enum class StationOrder { ByNumberInDatabase = 0, ByArrivalTime = 1, Unsorted = 2 };
StationOrder station_order_from_int(int value);

// The assignment list of Redraw: the stations (in table order) with a
// selected slot among 0-14, sorted by `order`, then each station's selected
// slots 0-23; at most kMaxPanes entries.
std::vector<PaneChannel> redraw_assignment(std::vector<StationSelection> stations, StationOrder order);

// What the pane sorts compare.
struct PaneSortKey {
    int nindex = 0;
    double earliest_pick = kNoPickTime;  // of the pane's station channel
    int screen_number = -1;
    std::string station_name;
    std::optional<double> distance;  // degrees from the current epicentre
};

enum class PaneSort { NumberInDatabase, ArrivalTimes, NumberOnScreen, Alphabet, DistanceFromEpicentre };

// Command 33165, 33166, 33204, 33203, 33211.
std::optional<PaneSort> pane_sort_of_command(int id);
int command_of_pane_sort(PaneSort sort);
// The value written to SORTODER, nothing for the distance sort.
std::optional<int> sort_order_written(PaneSort sort);

// The new order of the panes as indices into `keys`. Neighbours swap only on
// strict inequality, so equal keys keep their order. The distance sort
// leaves the order when any pane lacks a distance (no epicentre).
std::vector<int> pane_sort_permutation(const std::vector<PaneSortKey>& keys, PaneSort sort);

struct PaneRect {
    int y = 0;
    int height = 0;
    bool operator==(const PaneRect&) const = default;
};

// Redraw's layout: h = client height / n (integer division); pane i covers
// the rows i * h to i * h + h - 1.
std::vector<PaneRect> equal_layout(int count, int client_height);
// "In full window": h = client height / n, raised so each pane keeps its
// minimum height (title text height + 7 + 45); panes from `first_top`.
std::vector<PaneRect> full_window_layout(int count, int client_height, int first_top, int title_text_height);
// Closes gaps: each pane after the first starts one pixel below the previous
// one's bottom (heights kept).
std::vector<PaneRect> restacked(std::vector<PaneRect> panes);
// The sort re-layout: from y = 0 in the given order, heights kept.
std::vector<PaneRect> stacked_from_top(const std::vector<PaneRect>& panes_in_order);
// One pixel below the lowest pane bottom; 0 without panes.
int lowest_free_position(const std::vector<PaneRect>& panes);

// Next number for a new pane: n = 0; for each pane in list order, n grows by
// one when the pane's number is at least n; then past any number in use.
int next_pane_number(const std::vector<int>& pane_numbers);

// Activation: 1 + the largest screen number of all panes.
int next_screen_number(const std::vector<int>& screen_numbers);
// Deactivating the pane at `index`: its number becomes -1 and every number
// above it moves down by one.
void release_screen_number(std::vector<int>& screen_numbers, std::size_t index);

// Vertical scrolling of the stack: the scroll bar runs from 0 to kScrollRange;
// the offset is -(sum of pane heights) * position / kScrollRange, truncated.
inline constexpr int kScrollRange = 10000;
inline constexpr int kScrollLine = 100;
inline constexpr int kScrollPage = 200;
int stack_offset(int total_pane_height, int position);

}  // namespace kro
