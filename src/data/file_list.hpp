#pragma once
// The list of stored waveform files of one station, the saved channel lists
// (profiles) and the editing rules of station groups.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings_tree.hpp"
#include "core/time.hpp"
#include "data/station_table.hpp"

namespace kro {

// Row texts of the file list.
// "Recording start time": "%02d/%02d/%04d %02d:%02d:%02.3f".
std::string file_start_text(EpochTime start);
// "Duration": D rounded up to the next whole second when less than 0.00001
// below it, then "%02d:%02d:%.4f" (hours, minutes, seconds with the fraction).
std::string file_duration_text(double duration);
// "Counts/s": "%3.0f" from 1 up, else "%0.3f".
std::string file_rate_text(double sps);

// Reads the "Recording start time" and "Duration" texts back: start as
// epoch time with milliseconds, duration in whole seconds.
struct FileWindow {
    EpochTime start = 0.0;
    double duration = 0.0;
};
FileWindow file_window_from_texts(std::string_view start_text, std::string_view duration_text);

// The channel part of the file-list filter: " and ( " + " 1=0 " + one
// " or CH='name' " per selected slot + "  ) ". `column` is "CH" (FILELIST)
// or "CHAN" (wfdisc, names lower-cased). Quotes in names are doubled.
std::string selected_channels_filter(const StationTable& table, int station, bool wfdisc);

// Saved channel lists under KRO\waveforms-\name with entries "0", "1", ...
inline constexpr std::string_view kProfilesKey = "KRO\\waveforms-";
struct ChannelListEntry {
    std::string sta;
    std::string chan;
};
std::vector<std::string> profile_names(const SettingsTree& settings);
std::string profile_key(std::string_view name);
// Entries in position order; STA and CHAN are cut to 31 characters.
std::vector<ChannelListEntry> read_profile(const SettingsTree& settings, std::string_view key);
// Replaces the profile with these entries.
Status write_profile(SettingsTree& settings, std::string_view key, const std::vector<ChannelListEntry>& entries);
// "STA:CHAN;" for each entry, as the "List" column shows it.
std::string profile_summary(const std::vector<ChannelListEntry>& entries);
Status remove_profile(SettingsTree& settings, std::string_view name);

// The station-group editor's model: members without duplicates (ignoring
// case), group names unique ignoring case.
class GroupEditor {
public:
    explicit GroupEditor(std::vector<StationGroup> groups) : groups_(std::move(groups)) {}
    const std::vector<StationGroup>& groups() const { return groups_; }

    // Adds the station unless the group has it; true when added.
    bool add_member(std::size_t group, const std::string& station);
    void remove_member(std::size_t group, std::size_t member);
    // Creates "Group of stations %d" with the first free number; gives its index.
    std::size_t create_group();
    // Refuses an empty name or one another group has (ignoring case).
    bool rename_group(std::size_t group, const std::string& name);
    void remove_group(std::size_t group);

private:
    std::vector<StationGroup> groups_;
};

}  // namespace kro
