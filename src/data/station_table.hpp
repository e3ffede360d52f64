#pragma once
// The station table: one record per SITE row with 24 channel slots, the
// per-station time window, the selection matrix and the station groups.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings_tree.hpp"
#include "core/time.hpp"

namespace kro {

class Messenger;

inline constexpr int kChannelSlots = 24;

struct ChannelSlot {
    std::string name;       // empty: a free slot (at most 5 characters, blanks trimmed)
    std::string calibfile;  // calibration file name
    double sps = 0.0;       // nominal samples per second
    int chanindex = 0;      // component index
    float lat = 0.0f;       // degrees
    float lon = 0.0f;       // degrees
    float elev = 0.0f;      // km
};

// The time window of a station as the selection dialog edits it.
struct StationWindow {
    int day = 1, month = 1, year = 1970;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
    int hours = 0, minutes = 1, seconds = 0;  // the length: one minute by default
};

struct CScreenFields {
    std::string name;  // SITE.STA
    int ngroups = 0;   // SITE.NGROUPS
    int nindex = 0;    // SITE.NINDEX
    float lat = 0.0f, lon = 0.0f, elev = 0.0f;
    std::array<ChannelSlot, kChannelSlots> slots{};
    StationWindow window;
};

// The slot of a SITECHAN row: 3 * NGROUP + CHANINDEX - 3; -1 when outside 0-23.
int sitechan_slot(int ngroup, int chanindex);

// Start of the window as epoch time, and its length in seconds.
EpochTime window_start(const CScreenFields& station);
double window_length(const CScreenFields& station);
// Splits start and length into the window fields; the length keeps
// (L div 3600) mod 99 hours.
void set_window(CScreenFields& station, EpochTime start, double length);
// When the station's length is 0:00:00, takes the window stored for its
// first channel that has one under KRO\Time\station\channel.
void restore_window(CScreenFields& station, const SettingsTree& settings);
// Stores the window of a trace pane under KRO\Time\station\channel.
Status store_channel_window(SettingsTree& settings, std::string_view sta, std::string_view chan, EpochTime start,
                            double length);
// Stores the three window fields typed in a dialog ("hh:mm:ss.mmm",
// "hh:mm:ss", "dd/mm/yyyy") into the station. A start time that fails
// validation shows "Erroneous time entered" and stores nothing.
bool store_window_fields(CScreenFields& station, std::string_view start_time, std::string_view length,
                         std::string_view date, Messenger& messenger);

// A station group: name and members in list order.
struct StationGroup {
    std::string name;
    std::vector<std::string> members;
};
// "ABC;DEF;" gives ABC and DEF.
std::vector<std::string> split_member_list(std::string_view list);
std::string join_member_list(const std::vector<std::string>& members);

// Channel mask matching: '?' matches one character, '*' skips a run of
// characters (at the end it matches the rest; "*?" behaves as "*"; "*x"
// continues at the first later 'x' of the name, without trying later ones);
// mask and name must end together. Case-sensitive: callers lower-case both.
bool mask_matches(std::string_view mask, std::string_view name);

class StationTable {
public:
    std::vector<CScreenFields>& stations() { return stations_; }
    const std::vector<CScreenFields>& stations() const { return stations_; }
    int count() const { return static_cast<int>(stations_.size()); }
    CScreenFields& at(int index) { return stations_.at(static_cast<std::size_t>(index)); }
    const CScreenFields& at(int index) const { return stations_.at(static_cast<std::size_t>(index)); }

    // Adds a station with the window defaults (start at `now`, one minute).
    CScreenFields& add_station(EpochTime now);

    // The first station whose name equals `name` ignoring case; -1 when none or empty.
    int station_index(std::string_view name) const;
    // The first slot, scanning from 0 and stopping at the first free slot,
    // whose channel name equals `name` ignoring case; -1 when none or empty.
    int channel_slot(int station, std::string_view name) const;

    // Selection matrix: one flag per channel slot and station.
    bool selected(int station, int slot) const;
    void set_selected(int station, int slot, bool on);
    void clear_selection();
    void clear_station_selection(int station);
    // Sets the flag of every slot of the station whose name equals `name` ignoring case.
    void set_selected_by_name(int station, std::string_view name, bool on);
    // Ticks every non-empty slot whose lower-cased name matches the lower-cased mask.
    void select_by_mask(int station, std::string_view mask);

    // Copies the window of `from` to every station.
    void set_window_for_all(int from);

    std::vector<StationGroup>& groups() { return groups_; }
    const std::vector<StationGroup>& groups() const { return groups_; }

private:
    std::vector<CScreenFields> stations_;
    std::vector<std::array<bool, kChannelSlots>> selection_;
    std::vector<StationGroup> groups_;
};

}  // namespace kro
