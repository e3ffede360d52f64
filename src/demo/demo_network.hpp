#pragma once
// The demo installation's network and event: stations of the German
// Regional Seismic Network and of southern Germany with their approximate
// public coordinates, three channels each, and one synthetic regional
// earthquake in the northern Alps with a known hypocentre.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/time.hpp"

namespace kro {

struct DemoStation {
    std::string sta;    // station code as SITE.STA holds it
    std::string place;  // where it is (ASCII)
    double lat = 0.0;   // degrees north (approximate public value)
    double lon = 0.0;   // degrees east
    double elev = 0.0;  // km above sea level
};

// The demo network in the order SITE receives it.
const std::vector<DemoStation>& demo_stations();

// Every station records these three components at kDemoSps samples per
// second, in SITECHAN group 1 with CHANINDEX 0, 1, 2 (slots 0, 1, 2).
inline constexpr std::array<std::string_view, 3> kDemoChannels{"HHZ", "HHN", "HHE"};
inline constexpr double kDemoSps = 100.0;

struct DemoEvent {
    double lat = 47.50;              // degrees north
    double lon = 11.00;              // degrees east
    double depth = 10.0;             // km
    EpochTime origin = 1623467862.0;  // 2021-06-12 03:17:42.000 UTC
    double magnitude = 3.5;          // local magnitude the amplitudes are scaled to
};
inline constexpr DemoEvent kDemoEvent{};

// The ORIGIN row of the event: EVENTID as "%Y%m%d%H%M%S" of the origin time.
inline constexpr std::string_view kDemoEventId = "20210612031742";

// Texts that mark rows as the demo's own: SITE and SITECHAN DESCR end with
// kDemoMark, the ORIGIN comment is kDemoOriginComment. Reinstalling
// replaces only rows carrying them.
inline constexpr std::string_view kDemoMark = " (KRO demo)";
inline constexpr std::string_view kDemoOriginComment = "KRO demo event, synthetic (KRO demo)";

// The recorded span of every channel: two minutes before the origin to
// eight minutes after it.
inline constexpr double kDemoLeadSeconds = 120.0;
inline constexpr double kDemoRecordSeconds = 600.0;
inline EpochTime demo_record_start() { return kDemoEvent.origin - kDemoLeadSeconds; }

// The time window the workstation opens on (KRO\Time per channel): ten
// seconds before the origin, three minutes long.
inline EpochTime demo_window_start() { return kDemoEvent.origin - 10.0; }
inline constexpr double kDemoWindowSeconds = 180.0;

// Station groups written to NETWORKS: the whole network, and the stations
// within kDemoNearDistance degrees of the epicentre.
inline constexpr std::string_view kDemoNetworkName = "Demo network";
inline constexpr std::string_view kDemoNearNetworkName = "Demo network, near the event";
inline constexpr double kDemoNearDistance = 2.5;

// The saved channel list (KRO\waveforms-\Demo event) with every channel.
inline constexpr std::string_view kDemoChannelList = "Demo event";

// Folders under the data folder: the CSS 3.0 data and the phase list.
inline constexpr std::string_view kDemoFolder = "demo";
inline constexpr std::string_view kDemoCssFolder = "demo/css";
inline constexpr std::string_view kDemoArrFile = "demo.arr";
inline constexpr std::string_view kDemoStationFile = "stations.txt";

}  // namespace kro
