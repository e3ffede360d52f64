#pragma once
// EVENTLIST (system events of the recording equipment), CONTREG (map
// regions), CALIBRATION (instrument calibrations) and LASTID (identifier
// counters) of the main database. Every function throws DbError with the
// driver's text.

#include <optional>
#include <string>
#include <vector>

#include "db/odbc.hpp"

namespace kro {

struct EventListRow {
    std::optional<std::string> sta;
    std::optional<double> tbegin;  // epoch seconds
    std::optional<int> event_type;
    std::optional<DbTimestamp> lddate;
    friend bool operator==(const EventListRow&, const EventListRow&) = default;
};

// "(tbegin between %ld and %ld) and sta='%s'": the marks of a station in
// [t1, t2], both truncated to whole seconds.
std::vector<EventListRow> read_system_events(Connection& connection, double t1, double t2, const std::string& sta);
void insert_system_event(Connection& connection, const EventListRow& row);

struct RegionRow {
    std::optional<double> lat1, lon1, lat2, lon2;  // degrees
    std::optional<std::string> name;
    friend bool operator==(const RegionRow&, const RegionRow&) = default;
};

// "select LAT1, LON1, LAT2, LON2, NAME from CONTREG"
std::vector<RegionRow> read_regions(Connection& connection);
void insert_region(Connection& connection, const RegionRow& row);

struct CalibrationRow {
    std::optional<std::string> network, sta, location, chan;
    std::optional<DbTimestamp> startdate, enddate;  // ENDDATE NULL: still valid
    std::optional<std::string> fap;  // amplitude-frequency response table
    std::optional<std::string> sac;  // SAC poles and zeros
    friend bool operator==(const CalibrationRow&, const CalibrationRow&) = default;
};

std::vector<CalibrationRow> read_calibrations(Connection& connection);
void insert_calibration(Connection& connection, const CalibrationRow& row);

struct LastIdRow {
    std::optional<std::string> keyname;
    std::optional<int> keyvalue;
    friend bool operator==(const LastIdRow&, const LastIdRow&) = default;
};

std::vector<LastIdRow> read_lastids(Connection& connection);
void insert_lastid(Connection& connection, const LastIdRow& row);

}  // namespace kro
