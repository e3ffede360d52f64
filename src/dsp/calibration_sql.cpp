#include "dsp/calibration_sql.hpp"

#include <cmath>
#include <cstdio>

namespace kro {
namespace {

std::string q(std::string_view text) { return sql_quote_escape(text); }

// "%Y-%m-%d %H:%M:%S" or "%Y-%m-%d" of t.
std::string date_text(EpochTime t, bool with_time) {
    CalendarTime c;
    time_to_calendar(std::floor(t), c);
    char text[64];
    if (with_time)
        std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", c.year, c.month, c.day, c.hour, c.minute,
                      static_cast<int>(c.seconds));
    else
        std::snprintf(text, sizeof text, "%04d-%02d-%02d", c.year, c.month, c.day);
    return text;
}

std::string network_condition(std::string_view network) {
    return network.empty() ? std::string() : " AND (NETWORK='" + q(network) + "') ";
}

std::string location_condition(std::string_view location, bool trailing_blank) {
    if (location.empty()) return {};
    return " AND (LOCATION='" + q(location) + "')" + (trailing_blank ? " " : "");
}

std::string station_channel(std::string_view sta, std::string_view chan) {
    return "(STA='" + q(sta) + "') AND (CHAN='" + q(chan) + "')";
}

}  // namespace

std::string sql_quote_escape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        out += c;
        if (c == '\'') out += '\'';
    }
    return out;
}

std::string calibration_date_literal(int database_kind, EpochTime t) {
    if (database_kind == kDatabaseKindPostgres) return " {d '" + date_text(t, false) + "' } ";
    return " {ts '" + date_text(t, true) + "' } ";
}

std::string select_calibration_sac(std::string_view sta, std::string_view chan, EpochTime t, int database_kind,
                                   std::string_view network, std::string_view location) {
    const std::string d1 = calibration_date_literal(database_kind, t);
    return "SELECT SAC FROM CALIBRATION WHERE (" + station_channel(sta, chan) + " AND (STARTDATE<=" + d1 +
           ") AND (ENDDATE>" + d1 + ")" + network_condition(network) + location_condition(location, true) +
           ")  OR (" + station_channel(sta, chan) + " AND (STARTDATE<=" + d1 + ") AND (ENDDATE Is Null)" +
           network_condition(network) + location_condition(location, false) + ")";
}

std::string select_calibration_fap(std::string_view sta, std::string_view chan, EpochTime t,
                                   std::string_view network, std::string_view location) {
    const std::string d = date_text(t, true);
    return "SELECT FAP FROM CALIBRATION WHERE (" + station_channel(sta, chan) + " AND (STARTDATE<={ ts'" + d +
           "'}) AND (ENDDATE>{ts '" + d + "'})" + network_condition(network) + location_condition(location, true) +
           ")  OR (" + station_channel(sta, chan) + " AND (STARTDATE<={ts '" + d + "'}) AND (ENDDATE Is Null)" +
           network_condition(network) + location_condition(location, false) + ");";
}

std::string select_calibration_fap_current(std::string_view sta, std::string_view chan, std::string_view network,
                                           std::string_view location) {
    return "SELECT FAP FROM CALIBRATION WHERE (" + station_channel(sta, chan) + " AND (ENDDATE Is Null)" +
           network_condition(network) + location_condition(location, false) + ");";
}

std::string filelist_calib_filter(std::string_view sta, std::string_view chan, EpochTime t) {
    const long seconds = static_cast<long>(std::trunc(t));
    return "sta='" + q(sta) + "' and ch='" + q(chan) + "' and ( tbegin<=" + std::to_string(seconds) +
           " and tbegin+tqty>=" + std::to_string(seconds) + ")";
}

std::string select_filelist_calib(std::string_view sta, std::string_view chan, EpochTime t) {
    return "SELECT CALIB FROM FILELIST WHERE " + filelist_calib_filter(sta, chan, t);
}

}  // namespace kro
