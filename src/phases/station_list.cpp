#include "phases/station_list.hpp"

#include <charconv>
#include <fstream>
#include <sstream>

#include "core/profile_file.hpp"

namespace kro {

const StationRecord* StationList::station(int index) const {
    return index >= 0 && index < count() ? &stations[static_cast<std::size_t>(index)] : nullptr;
}

int StationList::find_station(std::string_view name) const {
    for (int i = 0; i < count(); ++i)
        if (stations[static_cast<std::size_t>(i)].name == name) return i;
    return -1;
}

int StationList::find_channel(int index, std::string_view channel, bool ignore_case) const {
    const StationRecord* s = station(index);
    if (!s || channel.empty()) return -1;
    for (int c = 0; c < kChannelSlots; ++c) {
        const std::string& slot = s->channels[static_cast<std::size_t>(c)];
        if (ignore_case ? iequals(slot, channel) : slot == channel) return c;
    }
    return -1;
}

std::string StationList::station_name(int index) const {
    const StationRecord* s = station(index);
    return s ? s->name : std::string();
}

std::string StationList::channel_name(int index, int channel) const {
    const StationRecord* s = station(index);
    if (!s || channel < 0 || channel >= kChannelSlots) return {};
    return s->channels[static_cast<std::size_t>(channel)];
}

int StationList::add_channel(int index, std::string_view channel) {
    if (index < 0 || index >= count() || channel.empty()) return -1;
    const int found = find_channel(index, channel, true);
    if (found >= 0) return found;
    auto& slots = stations[static_cast<std::size_t>(index)].channels;
    for (int c = 0; c < kChannelSlots; ++c) {
        if (slots[static_cast<std::size_t>(c)].empty()) {
            slots[static_cast<std::size_t>(c)] = std::string(channel);
            return c;
        }
    }
    return -1;
}

namespace {

bool parse_number(const std::string& word, double& value) {
    const char* begin = word.data();
    const char* end = word.data() + word.size();
    if (begin != end && *begin == '+') ++begin;
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    return ec == std::errc() && ptr == end;
}

}  // namespace

Status read_station_file(const std::string& path, StationList& out) {
    std::ifstream in(path);
    if (!in) return Status::failure("Cannot open the station file '" + path + "'");
    StationList read;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (const auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        std::istringstream words(line);
        std::string name, lat, lon, elev;
        if (!(words >> name)) continue;
        StationRecord s;
        s.name = name;
        if (!(words >> lat >> lon >> elev) || !parse_number(lat, s.latitude) || !parse_number(lon, s.longitude) ||
            !parse_number(elev, s.elevation_km) || s.latitude < -90 || s.latitude > 90 || s.longitude < -180 ||
            s.longitude > 180) {
            return Status::failure("Station file '" + path + "', line " + std::to_string(number) +
                                   ": expected STA LAT LON ELEV_KM with latitude in [-90, 90] and longitude in "
                                   "[-180, 180]");
        }
        read.stations.push_back(std::move(s));
        std::string chan;
        while (words >> chan) {
            if (read.add_channel(read.count() - 1, chan) < 0)
                return Status::failure("Station file '" + path + "', line " + std::to_string(number) +
                                       ": more than 24 channels");
        }
    }
    out = std::move(read);
    return {};
}

}  // namespace kro
