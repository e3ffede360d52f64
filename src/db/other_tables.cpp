#include "db/other_tables.hpp"

#include "db/sql_filter.hpp"
#include "db/sql_values.hpp"

namespace kro {

namespace {

const std::vector<std::string_view> kEventListColumns = {"STA", "TBEGIN", "EVENT_TYPE", "LDDATE"};
const std::vector<std::string_view> kRegionColumns = {"LAT1", "LON1", "LAT2", "LON2", "NAME"};
const std::vector<std::string_view> kCalibrationColumns = {"NETWORK",   "STA",     "LOCATION", "CHAN",
                                                           "STARTDATE", "ENDDATE", "FAP",      "SAC"};
const std::vector<std::string_view> kLastIdColumns = {"KEYNAME", "KEYVALUE"};

}  // namespace

std::vector<EventListRow> read_system_events(Connection& connection, double t1, double t2, const std::string& sta) {
    const SqlFilter filter{"(tbegin between ? and ?) and sta=?", {sql_whole_seconds(t1), sql_whole_seconds(t2), sta}};
    Statement s(connection);
    s.execute(select_text("EVENTLIST", kEventListColumns, filter), filter.params);
    std::vector<EventListRow> rows;
    while (s.fetch()) {
        EventListRow r;
        r.sta = s.text(1);
        r.tbegin = s.real(2);
        r.event_type = s.integer(3);
        r.lddate = s.timestamp(4);
        rows.push_back(std::move(r));
    }
    return rows;
}

void insert_system_event(Connection& connection, const EventListRow& r) {
    insert_row(connection, "EVENTLIST", kEventListColumns, {r.sta, r.tbegin, r.event_type, r.lddate});
}

std::vector<RegionRow> read_regions(Connection& connection) {
    Statement s(connection);
    s.execute("select LAT1, LON1, LAT2, LON2, NAME from CONTREG");
    std::vector<RegionRow> rows;
    while (s.fetch()) {
        RegionRow r;
        r.lat1 = s.real(1);
        r.lon1 = s.real(2);
        r.lat2 = s.real(3);
        r.lon2 = s.real(4);
        r.name = s.text(5);
        rows.push_back(std::move(r));
    }
    return rows;
}

void insert_region(Connection& connection, const RegionRow& r) {
    insert_row(connection, "CONTREG", kRegionColumns, {r.lat1, r.lon1, r.lat2, r.lon2, r.name});
}

std::vector<CalibrationRow> read_calibrations(Connection& connection) {
    Statement s(connection);
    s.execute(select_text("CALIBRATION", kCalibrationColumns, {}));
    std::vector<CalibrationRow> rows;
    while (s.fetch()) {
        CalibrationRow r;
        r.network = s.text(1);
        r.sta = s.text(2);
        r.location = s.text(3);
        r.chan = s.text(4);
        r.startdate = s.timestamp(5);
        r.enddate = s.timestamp(6);
        r.fap = s.text(7);
        r.sac = s.text(8);
        rows.push_back(std::move(r));
    }
    return rows;
}

void insert_calibration(Connection& connection, const CalibrationRow& r) {
    insert_row(connection, "CALIBRATION", kCalibrationColumns,
               {r.network, r.sta, r.location, r.chan, r.startdate, r.enddate, r.fap, r.sac});
}

std::vector<LastIdRow> read_lastids(Connection& connection) {
    Statement s(connection);
    s.execute(select_text("LASTID", kLastIdColumns, {}, "KEYNAME"));
    std::vector<LastIdRow> rows;
    while (s.fetch()) {
        LastIdRow r;
        r.keyname = s.text(1);
        r.keyvalue = s.integer(2);
        rows.push_back(std::move(r));
    }
    return rows;
}

void insert_lastid(Connection& connection, const LastIdRow& r) {
    insert_row(connection, "LASTID", kLastIdColumns, {r.keyname, r.keyvalue});
}

}  // namespace kro
