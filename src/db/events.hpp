#pragma once
// ORIGIN and ARRIVAL of the main database: event solutions and their
// picked phases, tied by EVENTID. The comment column of ORIGIN is COMMENTS
// or, in older databases, COMMENT (Database::comment_column()).
// Every function throws DbError with the driver's text.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "db/odbc.hpp"
#include "db/schema_upgrade.hpp"

namespace kro {

struct OriginRow {
    std::optional<std::string> eventid;
    std::optional<double> lat, lon;     // degrees
    std::optional<double> depth;        // km
    std::optional<double> origintime;   // epoch seconds
    std::optional<double> rms;
    std::optional<double> dh, dz;       // horizontal and depth errors
    std::optional<double> mb, ms;
    std::optional<double> mbunc, msunc;
    std::optional<DbTimestamp> lddate;
    std::optional<std::string> comment;  // COMMENTS or COMMENT
    std::optional<int> orid;             // of the CSS 3.0 copy
    friend bool operator==(const OriginRow&, const OriginRow&) = default;
};

struct ArrivalRow {
    std::optional<std::string> eventid;
    std::optional<int> numb;
    std::optional<std::string> sta, chan, iphase;
    std::optional<double> itime;  // epoch seconds
    std::optional<double> deltim, azimuth, slow, ema, rect;
    std::optional<std::string> fm, im_em;
    std::optional<double> per, residuals, ampl;
    std::optional<DbTimestamp> lddate;
    std::optional<std::uint8_t> wgt;
    std::optional<int> flag;
    std::optional<int> arid;
    std::optional<double> dist;
    std::optional<float> ms, mb, mplp, mpsp;
    std::optional<double> amptime, coda, regclass, mcoda;
    std::optional<std::string> chantype, remark, afiltype, pfiltype;
    std::optional<float> mwa;
    friend bool operator==(const ArrivalRow&, const ArrivalRow&) = default;
};

// "select EVENTID, LAT, LON, DEPTH, ORIGINTIME, RMS, DH, DZ,MB,MS,MBUNC,
// MSUNC, LDDATE, <comment>,ORID from ORIGIN", all rows or those of one event
// ("EVENTID='%s'").
std::vector<OriginRow> read_origins(Connection& connection, CommentColumn comment,
                                    const std::optional<std::string>& eventid = std::nullopt);
// Whether an ORIGIN row with this identifier exists ("eventid='%s'").
bool origin_exists(Connection& connection, const std::string& eventid);
void insert_origin(Connection& connection, CommentColumn comment, const OriginRow& row);
// Writes every column of the rows whose EVENTID is row.eventid; gives how
// many rows there were.
long update_origin(Connection& connection, CommentColumn comment, const OriginRow& row);
// "update ORIGIN set ORID=%d where EVENTID='%s'"
long update_origin_orid(Connection& connection, int orid, const std::string& eventid);
long delete_origin(Connection& connection, const std::string& eventid);

// The picks of one event ("EVENTID='%s'"), every column.
std::vector<ArrivalRow> read_arrivals(Connection& connection, const std::string& eventid);
void insert_arrival(Connection& connection, const ArrivalRow& row);
long delete_arrivals(Connection& connection, const std::string& eventid);

struct PhaseMark {
    std::optional<std::string> iphase;
    std::optional<double> itime;
};
// "select iphase, itime  from arrival where  itime>%f and itime<%f and
// sta='%s' and chan='%s'": stored picks of a channel inside (t1, t2).
std::vector<PhaseMark> select_phase_marks(Connection& connection, double t1, double t2, const std::string& sta,
                                          const std::string& chan);

}  // namespace kro
