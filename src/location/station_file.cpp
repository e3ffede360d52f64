#include "location/station_file.hpp"

#include <fstream>
#include <sstream>

#include "core/profile_file.hpp"
#include "phases/fixed_text.hpp"

namespace kro {

int ensure_channel(StationTable& table, int station, const std::string& channel) {
    if (station < 0 || station >= table.count() || channel.empty()) return -1;
    CScreenFields& s = table.at(station);
    for (int c = 0; c < kChannelSlots; ++c) {
        ChannelSlot& slot = s.slots[static_cast<std::size_t>(c)];
        if (iequals(slot.name, channel)) return c;
        if (slot.name.empty()) {
            slot.name = channel;
            slot.lat = s.lat;
            slot.lon = s.lon;
            slot.elev = s.elev;
            return c;
        }
    }
    return -1;
}

Status read_station_file(const std::string& path, StationTable& table) {
    std::ifstream in(path);
    if (!in) return Status::failure("Cannot open the station file '" + path + "'");
    StationTable read;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (const auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        std::istringstream words(line);
        std::string name, lat, lon, elev;
        if (!(words >> name)) continue;
        const std::string where = "Station file '" + path + "', line " + std::to_string(number) + ": ";
        words >> lat >> lon >> elev;
        const auto la = scan_number(lat), lo = scan_number(lon), el = scan_number(elev);
        if (!la || !lo || !el || !(*la >= -90 && *la <= 90) || !(*lo >= -180 && *lo <= 180))
            return Status::failure(where + "expected STA LAT LON ELEV_KM, latitude in [-90, 90], longitude in "
                                           "[-180, 180]");
        CScreenFields& s = read.add_station(0.0);
        s.name = name;
        s.lat = static_cast<float>(*la);
        s.lon = static_cast<float>(*lo);
        s.elev = static_cast<float>(*el);
        std::string chan;
        while (words >> chan)
            if (ensure_channel(read, read.count() - 1, chan) < 0) return Status::failure(where + "more than 24 channels");
    }
    table = std::move(read);
    return {};
}

}  // namespace kro
