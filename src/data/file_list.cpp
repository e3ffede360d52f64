#include "data/file_list.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

#include "core/profile_file.hpp"
#include "core/time_format.hpp"

namespace kro {

namespace {

std::string doubled_quotes(std::string_view s) {
    std::string out;
    for (char c : s) {
        out += c;
        if (c == '\'') out += '\'';
    }
    return out;
}

std::string cut(std::string s, std::size_t n) {
    if (s.size() > n) s.resize(n);
    return s;
}

}  // namespace

std::string file_start_text(EpochTime start) { return format_dmy_hms3(start); }

std::string file_duration_text(double duration) {
    double d = duration;
    const double up = std::ceil(d);
    if (up - d > 0.0 && up - d < 0.00001) d = up;
    const auto whole = static_cast<long long>(std::floor(d));
    char buf[64];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%.4f", static_cast<int>(whole / 3600),
                  static_cast<int>((whole % 3600) / 60), static_cast<double>(whole % 60) + (d - std::floor(d)));
    return buf;
}

std::string file_rate_text(double sps) {
    char buf[64];
    std::snprintf(buf, sizeof buf, sps >= 1.0 ? "%3.0f" : "%0.3f", sps);
    return buf;
}

FileWindow file_window_from_texts(std::string_view start_text, std::string_view duration_text) {
    const ScanResult s = scan_dmy_hms_ms(start_text);
    const ScanResult d = scan_hms(duration_text);
    FileWindow w;
    w.start = calendar_to_time(s.as_int(2), s.as_int(1), s.as_int(0), s.as_int(3), s.as_int(4), s.as_int(5)) +
              s.as_int(6) / 1000.0;
    w.duration = 3600.0 * d.as_int(0) + 60.0 * d.as_int(1) + d.as_int(2);
    return w;
}

std::string selected_channels_filter(const StationTable& table, int station, bool wfdisc) {
    std::string filter = std::string(" and ( ") + " 1=0 ";
    if (station >= 0 && station < table.count()) {
        for (int s = 0; s < kChannelSlots; ++s) {
            if (!table.selected(station, s)) continue;
            std::string name = table.at(station).slots[static_cast<std::size_t>(s)].name;
            if (wfdisc) {
                for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
                filter += " or CHAN='" + doubled_quotes(name) + "' ";
            } else {
                filter += " or CH='" + doubled_quotes(name) + "' ";
            }
        }
    }
    return filter + "  ) ";
}

std::vector<std::string> profile_names(const SettingsTree& settings) { return settings.subkeys(kProfilesKey); }

std::string profile_key(std::string_view name) { return std::string(kProfilesKey) + "\\" + std::string(name); }

std::vector<ChannelListEntry> read_profile(const SettingsTree& settings, std::string_view key) {
    std::vector<ChannelListEntry> entries;
    for (int i = 0;; ++i) {
        const std::string entry = std::string(key) + "\\" + std::to_string(i);
        if (!settings.key_exists(entry)) break;
        entries.push_back({cut(settings.get_text(entry, "STA").value_or(""), 31),
                           cut(settings.get_text(entry, "CHAN").value_or(""), 31)});
    }
    return entries;
}

Status write_profile(SettingsTree& settings, std::string_view key, const std::vector<ChannelListEntry>& entries) {
    if (Status s = settings.delete_key(key); !s) return s;
    if (Status s = settings.create_key(key); !s) return s;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string entry = std::string(key) + "\\" + std::to_string(i);
        if (Status s = settings.set_text(entry, "STA", entries[i].sta); !s) return s;
        if (Status s = settings.set_text(entry, "CHAN", entries[i].chan); !s) return s;
    }
    return {};
}

std::string profile_summary(const std::vector<ChannelListEntry>& entries) {
    std::string out;
    for (const auto& e : entries) out += e.sta + ":" + e.chan + ";";
    return out;
}

Status remove_profile(SettingsTree& settings, std::string_view name) { return settings.delete_key(profile_key(name)); }

bool GroupEditor::add_member(std::size_t group, const std::string& station) {
    if (group >= groups_.size()) return false;
    auto& members = groups_[group].members;
    if (std::any_of(members.begin(), members.end(), [&](const std::string& m) { return iequals(m, station); }))
        return false;
    members.push_back(station);
    return true;
}

void GroupEditor::remove_member(std::size_t group, std::size_t member) {
    if (group < groups_.size() && member < groups_[group].members.size())
        groups_[group].members.erase(groups_[group].members.begin() + static_cast<std::ptrdiff_t>(member));
}

std::size_t GroupEditor::create_group() {
    for (int n = 1;; ++n) {
        const std::string name = "Group of stations " + std::to_string(n);
        if (std::none_of(groups_.begin(), groups_.end(), [&](const StationGroup& g) { return iequals(g.name, name); })) {
            groups_.push_back({name, {}});
            return groups_.size() - 1;
        }
    }
}

bool GroupEditor::rename_group(std::size_t group, const std::string& name) {
    if (group >= groups_.size() || name.empty()) return false;
    for (std::size_t i = 0; i < groups_.size(); ++i)
        if (i != group && iequals(groups_[i].name, name)) return false;
    groups_[group].name = name;
    return true;
}

void GroupEditor::remove_group(std::size_t group) {
    if (group < groups_.size()) groups_.erase(groups_.begin() + static_cast<std::ptrdiff_t>(group));
}

}  // namespace kro
