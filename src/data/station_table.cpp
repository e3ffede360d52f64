#include "data/station_table.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "core/masked_fields.hpp"
#include "core/messenger.hpp"
#include "core/profile_file.hpp"
#include "core/time_format.hpp"

namespace kro {

namespace {

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string time_key(std::string_view sta, std::string_view chan) {
    return "KRO\\Time\\" + std::string(sta) + "\\" + std::string(chan);
}

}  // namespace

int sitechan_slot(int ngroup, int chanindex) {
    const int slot = 3 * ngroup + chanindex - 3;
    return slot >= 0 && slot < kChannelSlots ? slot : -1;
}

EpochTime window_start(const CScreenFields& station) {
    const StationWindow& w = station.window;
    return calendar_to_time(w.year, w.month, w.day, w.hour, w.minute, w.second) + w.millisecond / 1000.0;
}

double window_length(const CScreenFields& station) {
    const StationWindow& w = station.window;
    return 3600.0 * w.hours + 60.0 * w.minutes + w.seconds;
}

void set_window(CScreenFields& station, EpochTime start, double length) {
    StationWindow& w = station.window;
    CalendarTime c;
    time_to_calendar(start, c);
    w.year = c.year;
    w.month = c.month;
    w.day = c.day;
    w.hour = c.hour;
    w.minute = c.minute;
    w.second = static_cast<int>(c.seconds);
    w.millisecond = static_cast<int>(std::trunc((c.seconds - static_cast<float>(w.second)) * 1000.0f));
    const auto L = static_cast<long long>(length);
    w.hours = static_cast<int>((L / 3600) % 99);
    w.minutes = static_cast<int>((L % 3600) / 60);
    w.seconds = static_cast<int>(L % 60);
}

void restore_window(CScreenFields& station, const SettingsTree& settings) {
    const StationWindow& w = station.window;
    if (w.hours != 0 || w.minutes != 0 || w.seconds != 0) return;
    for (const ChannelSlot& slot : station.slots) {
        if (slot.name.empty()) continue;
        const std::string key = time_key(station.name, slot.name);
        if (!settings.key_exists(key)) continue;
        const auto start = settings.get_double(key, "Tbegin");
        const auto length = settings.get_double(key, "Tqty");
        if (start && length) set_window(station, *start, *length);
        return;
    }
}

Status store_channel_window(SettingsTree& settings, std::string_view sta, std::string_view chan, EpochTime start,
                            double length) {
    const std::string key = time_key(sta, chan);
    if (Status s = settings.set_double(key, "Tbegin", start); !s) return s;
    return settings.set_double(key, "Tqty", length);
}

bool store_window_fields(CScreenFields& station, std::string_view start_time, std::string_view length,
                         std::string_view date, Messenger& messenger) {
    if (!check_time_ms_field(start_time, messenger)) return false;
    StationWindow& w = station.window;
    const ScanResult t = scan_hms_ms(start_time);
    w.hour = t.as_int(0);
    w.minute = t.as_int(1);
    w.second = t.as_int(2);
    w.millisecond = t.as_int(3);
    const ScanResult l = scan_hms(length);
    w.hours = l.as_int(0);
    w.minutes = l.as_int(1);
    w.seconds = l.as_int(2);
    const ScanResult d = scan_dmy(date);
    w.day = d.as_int(0);
    w.month = d.as_int(1);
    w.year = d.as_int(2);
    return true;
}

std::vector<std::string> split_member_list(std::string_view list) {
    std::vector<std::string> members;
    while (!list.empty()) {
        const std::size_t semi = list.find(';');
        const std::string name = trim(list.substr(0, semi));
        if (!name.empty()) members.push_back(name);
        if (semi == std::string_view::npos) break;
        list.remove_prefix(semi + 1);
    }
    return members;
}

std::string join_member_list(const std::vector<std::string>& members) {
    std::string out;
    for (const std::string& m : members) out += m + ";";
    return out;
}

bool mask_matches(std::string_view mask, std::string_view name) {
    std::size_t i = 0, j = 0;
    while (i < mask.size()) {
        const char c = mask[i];
        if (c == '*') {
            while (i < mask.size() && (mask[i] == '*' || mask[i] == '?')) ++i;
            if (i == mask.size()) return true;
            const std::size_t found = name.find(mask[i], j);
            if (found == std::string_view::npos) return false;
            j = found;
            continue;
        }
        if (j >= name.size()) return false;
        if (c != '?' && c != name[j]) return false;
        ++i;
        ++j;
    }
    return j == name.size();
}

CScreenFields& StationTable::add_station(EpochTime now) {
    CScreenFields station;
    set_window(station, std::floor(now), 60.0);
    stations_.push_back(std::move(station));
    selection_.push_back({});
    return stations_.back();
}

int StationTable::station_index(std::string_view name) const {
    if (name.empty()) return -1;
    for (std::size_t i = 0; i < stations_.size(); ++i)
        if (iequals(stations_[i].name, name)) return static_cast<int>(i);
    return -1;
}

int StationTable::channel_slot(int station, std::string_view name) const {
    if (name.empty() || station < 0 || station >= count()) return -1;
    const auto& slots = at(station).slots;
    for (int s = 0; s < kChannelSlots; ++s) {
        if (slots[static_cast<std::size_t>(s)].name.empty()) return -1;
        if (iequals(slots[static_cast<std::size_t>(s)].name, name)) return s;
    }
    return -1;
}

bool StationTable::selected(int station, int slot) const {
    if (station < 0 || station >= count() || slot < 0 || slot >= kChannelSlots) return false;
    return selection_[static_cast<std::size_t>(station)][static_cast<std::size_t>(slot)];
}

void StationTable::set_selected(int station, int slot, bool on) {
    if (station < 0 || station >= count() || slot < 0 || slot >= kChannelSlots) return;
    selection_[static_cast<std::size_t>(station)][static_cast<std::size_t>(slot)] = on;
}

void StationTable::clear_selection() {
    for (auto& row : selection_) row.fill(false);
}

void StationTable::clear_station_selection(int station) {
    if (station >= 0 && station < count()) selection_[static_cast<std::size_t>(station)].fill(false);
}

void StationTable::set_selected_by_name(int station, std::string_view name, bool on) {
    if (station < 0 || station >= count()) return;
    for (int s = 0; s < kChannelSlots; ++s)
        if (iequals(at(station).slots[static_cast<std::size_t>(s)].name, name)) set_selected(station, s, on);
}

void StationTable::select_by_mask(int station, std::string_view mask) {
    if (station < 0 || station >= count()) return;
    const std::string m = lower(mask);
    for (int s = 0; s < kChannelSlots; ++s) {
        const std::string& name = at(station).slots[static_cast<std::size_t>(s)].name;
        if (!name.empty() && mask_matches(m, lower(name))) set_selected(station, s, true);
    }
}

void StationTable::set_window_for_all(int from) {
    if (from < 0 || from >= count()) return;
    const StationWindow w = at(from).window;
    for (CScreenFields& s : stations_) s.window = w;
}

}  // namespace kro
