#pragma once
// The stations picks refer to: names, the 24 channel-name slots and the
// coordinates of each station. Station and channel indices of the phase key
// are positions in this list. The station table of the waveform data fills
// it at start-up; kro-cli and the tests fill it from plain text.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/status.hpp"
#include "phases/phase_key.hpp"

namespace kro {

struct StationRecord {
    std::string name;
    std::array<std::string, kChannelSlots> channels;  // empty slot: no channel
    double latitude = 0.0;      // degrees, north positive
    double longitude = 0.0;     // degrees, east positive
    double elevation_km = 0.0;  // km above sea level
};

class StationList {
public:
    std::vector<StationRecord> stations;

    int count() const { return static_cast<int>(stations.size()); }
    const StationRecord* station(int index) const;
    // Index of the first station with exactly this name, or -1.
    int find_station(std::string_view name) const;
    // Slot of a channel name, compared exactly or ignoring case; -1 when none.
    int find_channel(int station, std::string_view channel, bool ignore_case) const;
    // "" when out of range.
    std::string station_name(int index) const;
    std::string channel_name(int station, int channel) const;

    // Puts a channel into the first free slot of a station (or finds the
    // slot that already holds it, ignoring case); -1 when all 24 are taken.
    int add_channel(int station, std::string_view channel);
};

// Reads a station file: one station per line, "STA LAT LON ELEV_KM
// [CHAN ...]", numbers with '.' as the decimal separator; blank lines and
// text after '#' are ignored. A malformed line fails with its line number.
Status read_station_file(const std::string& path, StationList& out);

}  // namespace kro
