#include "display/channel_store.hpp"

#include <algorithm>
#include <charconv>

namespace kro {

std::string channel_list_key(std::string_view name) {
    return std::string(kChannelListsKey) + "\\" + std::string(name);
}

std::vector<std::string> channel_list_names(const SettingsTree& tree) { return tree.subkeys(kChannelListsKey); }

Status save_channel_list(SettingsTree& tree, std::string_view name, const std::vector<ChannelName>& channels) {
    if (name.empty() || name.find('\\') != std::string_view::npos)
        return Status::failure("A channel list name must not be empty or contain a backslash");
    const std::string key = channel_list_key(name);
    if (tree.key_exists(key))
        if (Status s = tree.delete_key(key); !s) return s;
    if (Status s = tree.create_key(key); !s) return s;
    for (std::size_t i = 0; i < channels.size(); ++i) {
        const std::string item = key + "\\" + std::to_string(i);
        if (Status s = tree.set_text(item, "STA", channels[i].sta); !s) return s;
        if (Status s = tree.set_text(item, "CHAN", channels[i].chan); !s) return s;
    }
    return {};
}

namespace {

std::optional<long> number_of(const std::string& name) {
    long value = 0;
    const auto* end = name.data() + name.size();
    const auto [ptr, ec] = std::from_chars(name.data(), end, value);
    if (ec != std::errc() || ptr != end) return std::nullopt;
    return value;
}

}  // namespace

std::vector<ChannelName> load_channel_list(const SettingsTree& tree, std::string_view key) {
    std::vector<std::string> items = tree.subkeys(key);
    // Numbered items in number order ("10" after "9"), anything else after them.
    std::stable_sort(items.begin(), items.end(), [](const std::string& a, const std::string& b) {
        const auto na = number_of(a), nb = number_of(b);
        if (na && nb) return *na < *nb;
        return na.has_value() && !nb.has_value();
    });
    std::vector<ChannelName> channels;
    for (const auto& item : items) {
        const std::string item_key = std::string(key) + "\\" + item;
        auto sta = tree.get_text(item_key, "STA");
        auto chan = tree.get_text(item_key, "CHAN");
        if (!sta || !chan) continue;
        channels.push_back({sta->substr(0, 1023), chan->substr(0, 31)});
    }
    return channels;
}

std::string time_window_key(std::string_view sta, std::string_view chan) {
    return "KRO\\Time\\" + std::string(sta) + "\\" + std::string(chan);
}

Status save_time_window(SettingsTree& tree, std::string_view sta, std::string_view chan, const TimeWindow& window) {
    const std::string key = time_window_key(sta, chan);
    if (Status s = tree.set_double(key, "Tbegin", window.start); !s) return s;
    return tree.set_double(key, "Tqty", window.length);
}

std::optional<TimeWindow> load_time_window(const SettingsTree& tree, std::string_view sta, std::string_view chan) {
    const std::string key = time_window_key(sta, chan);
    const auto start = tree.get_double(key, "Tbegin");
    const auto length = tree.get_double(key, "Tqty");
    if (!start || !length) return std::nullopt;
    return TimeWindow{*start, *length};
}

}  // namespace kro
