#pragma once
// What the waveform display keeps in the per-user settings tree: named
// channel lists (KRO\waveforms-\<name>\<i>, values STA and CHAN) and the
// last time window of each station channel (KRO\Time\<sta>\<chan>, values
// Tbegin and Tqty as 8-byte doubles).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/observers.hpp"
#include "core/settings_tree.hpp"
#include "core/status.hpp"
#include "data/data_block.hpp"

namespace kro {

inline constexpr std::string_view kChannelListsKey = "KRO\\waveforms-";

std::string channel_list_key(std::string_view name);
// The names of the stored channel lists.
std::vector<std::string> channel_list_names(const SettingsTree& tree);
// Replaces the list `name` (its key is deleted with all subkeys first) with
// one subkey per channel, numbered from 0 in list order. A name that is
// empty or holds a backslash is refused.
Status save_channel_list(SettingsTree& tree, std::string_view name, const std::vector<ChannelName>& channels);
// The channels of the list at `key`, in the order of their numbers (subkeys
// that are not numbers follow in name order); entries without STA or CHAN
// are skipped. STA is cut to 1023 and CHAN to 31 characters.
std::vector<ChannelName> load_channel_list(const SettingsTree& tree, std::string_view key);

struct TimeWindow {
    EpochTime start = 1.0;  // epoch time
    double length = 3600.0;  // s
    bool operator==(const TimeWindow&) const = default;
};

std::string time_window_key(std::string_view sta, std::string_view chan);
Status save_time_window(SettingsTree& tree, std::string_view sta, std::string_view chan, const TimeWindow& window);
// Nothing unless both values are stored as 8-byte doubles.
std::optional<TimeWindow> load_time_window(const SettingsTree& tree, std::string_view sta, std::string_view chan);

}  // namespace kro
