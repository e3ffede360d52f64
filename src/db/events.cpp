#include "db/events.hpp"

#include "db/sql_filter.hpp"
#include "db/sql_values.hpp"

namespace kro {

namespace {

std::vector<std::string_view> origin_columns(CommentColumn comment) {
    return {"EVENTID", "LAT", "LON", "DEPTH", "ORIGINTIME", "RMS", "DH", "DZ", "MB", "MS", "MBUNC", "MSUNC",
            "LDDATE",  column_name(comment), "ORID"};
}

DbParams origin_values(const OriginRow& r) {
    return {r.eventid, r.lat, r.lon, r.depth, r.origintime, r.rms,    r.dh,     r.dz,
            r.mb,      r.ms,  r.mbunc, r.msunc, r.lddate,   r.comment, r.orid};
}

const std::vector<std::string_view> kArrivalColumns = {
    "EVENTID", "NUMB",    "STA",  "CHAN",      "IPHASE", "ITIME",   "DELTIM", "AZIMUTH",  "SLOW",
    "EMA",     "RECT",    "FM",   "IM_EM",     "PER",    "RESIDUALS", "AMPL", "LDDATE",   "WGT",
    "FLAG",    "ARID",    "DIST", "MS",        "MB",     "MPLP",    "MPSP",   "AMPTIME",  "CODA",
    "REGCLASS", "MCODA",  "CHANTYPE", "REMARK", "AFILTYPE", "PFILTYPE", "MWA"};

long changed_rows(Statement& s, SqlOutcome outcome) { return outcome == SqlOutcome::NoData ? 0 : s.row_count(); }

}  // namespace

std::vector<OriginRow> read_origins(Connection& connection, CommentColumn comment,
                                    const std::optional<std::string>& eventid) {
    std::string sql = "select EVENTID, LAT, LON, DEPTH, ORIGINTIME, RMS, DH, DZ,MB,MS,MBUNC,MSUNC, LDDATE, " +
                      std::string(column_name(comment)) + ",ORID from ORIGIN";
    DbParams params;
    if (eventid) {
        sql += " where EVENTID=?";
        params.emplace_back(*eventid);
    }
    Statement s(connection);
    s.execute(sql, std::move(params));
    std::vector<OriginRow> rows;
    while (s.fetch()) {
        OriginRow r;
        r.eventid = s.text(1);
        r.lat = s.real(2);
        r.lon = s.real(3);
        r.depth = s.real(4);
        r.origintime = s.real(5);
        r.rms = s.real(6);
        r.dh = s.real(7);
        r.dz = s.real(8);
        r.mb = s.real(9);
        r.ms = s.real(10);
        r.mbunc = s.real(11);
        r.msunc = s.real(12);
        r.lddate = s.timestamp(13);
        r.comment = s.text(14);
        r.orid = s.integer(15);
        rows.push_back(std::move(r));
    }
    return rows;
}

bool origin_exists(Connection& connection, const std::string& eventid) {
    Statement s(connection);
    s.execute("select EVENTID from ORIGIN where eventid=?", {eventid});
    return s.fetch();
}

void insert_origin(Connection& connection, CommentColumn comment, const OriginRow& row) {
    insert_row(connection, "ORIGIN", origin_columns(comment), origin_values(row));
}

long update_origin(Connection& connection, CommentColumn comment, const OriginRow& row) {
    std::string sql = "update ORIGIN set ";
    const auto columns = origin_columns(comment);
    for (std::size_t i = 1; i < columns.size(); ++i) sql += std::string(i > 1 ? ", " : "") + std::string(columns[i]) + "=?";
    sql += " where EVENTID=?";
    DbParams params = origin_values(row);
    params.erase(params.begin());
    params.emplace_back(row.eventid);
    Statement s(connection);
    return changed_rows(s, s.execute(sql, std::move(params)));
}

long update_origin_orid(Connection& connection, int orid, const std::string& eventid) {
    Statement s(connection);
    return changed_rows(s, s.execute("update ORIGIN set ORID=? where EVENTID=?", {orid, eventid}));
}

long delete_origin(Connection& connection, const std::string& eventid) {
    Statement s(connection);
    return changed_rows(s, s.execute("delete from ORIGIN where EVENTID=?", {eventid}));
}

std::vector<ArrivalRow> read_arrivals(Connection& connection, const std::string& eventid) {
    const SqlFilter filter{"EVENTID=?", {eventid}};
    Statement s(connection);
    s.execute(select_text("ARRIVAL", kArrivalColumns, filter), filter.params);
    std::vector<ArrivalRow> rows;
    while (s.fetch()) {
        ArrivalRow r;
        int c = 0;
        r.eventid = s.text(++c);
        r.numb = s.integer(++c);
        r.sta = s.text(++c);
        r.chan = s.text(++c);
        r.iphase = s.text(++c);
        r.itime = s.real(++c);
        r.deltim = s.real(++c);
        r.azimuth = s.real(++c);
        r.slow = s.real(++c);
        r.ema = s.real(++c);
        r.rect = s.real(++c);
        r.fm = s.text(++c);
        r.im_em = s.text(++c);
        r.per = s.real(++c);
        r.residuals = s.real(++c);
        r.ampl = s.real(++c);
        r.lddate = s.timestamp(++c);
        r.wgt = s.byte(++c);
        r.flag = s.integer(++c);
        r.arid = s.integer(++c);
        r.dist = s.real(++c);
        r.ms = s.single(++c);
        r.mb = s.single(++c);
        r.mplp = s.single(++c);
        r.mpsp = s.single(++c);
        r.amptime = s.real(++c);
        r.coda = s.real(++c);
        r.regclass = s.real(++c);
        r.mcoda = s.real(++c);
        r.chantype = s.text(++c);
        r.remark = s.text(++c);
        r.afiltype = s.text(++c);
        r.pfiltype = s.text(++c);
        r.mwa = s.single(++c);
        rows.push_back(std::move(r));
    }
    return rows;
}

void insert_arrival(Connection& connection, const ArrivalRow& r) {
    insert_row(connection, "ARRIVAL", kArrivalColumns,
               {r.eventid, r.numb,   r.sta,     r.chan,     r.iphase,   r.itime,    r.deltim, r.azimuth, r.slow,
                r.ema,     r.rect,   r.fm,      r.im_em,    r.per,      r.residuals, r.ampl,  r.lddate,  r.wgt,
                r.flag,    r.arid,   r.dist,    r.ms,       r.mb,       r.mplp,     r.mpsp,   r.amptime, r.coda,
                r.regclass, r.mcoda, r.chantype, r.remark,  r.afiltype, r.pfiltype, r.mwa});
}

long delete_arrivals(Connection& connection, const std::string& eventid) {
    Statement s(connection);
    return changed_rows(s, s.execute("delete from ARRIVAL where EVENTID=?", {eventid}));
}

std::vector<PhaseMark> select_phase_marks(Connection& connection, double t1, double t2, const std::string& sta,
                                          const std::string& chan) {
    Statement s(connection);
    s.execute("select iphase, itime  from arrival where  itime>? and itime<? and sta=? and chan=?",
              {sql_micros(t1), sql_micros(t2), sta, chan});
    std::vector<PhaseMark> marks;
    while (s.fetch()) {
        PhaseMark m;
        m.iphase = s.text(1);
        m.itime = s.real(2);
        marks.push_back(std::move(m));
    }
    return marks;
}

}  // namespace kro
