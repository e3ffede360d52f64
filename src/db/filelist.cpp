#include "db/filelist.hpp"

#include "db/sql_values.hpp"

namespace kro {

namespace {

const std::vector<std::string_view> kColumns = {"STA",    "SPS",    "GAIN", "CPATH", "DATATYPE", "CH",  "CREATER",
                                                "LDDATE", "TBEGIN", "TQTY", "CALIB", "CALPER",   "FOFF"};

FileListRow read_row(Statement& s) {
    FileListRow r;
    r.sta = s.text(1);
    r.sps = s.real(2);
    r.gain = s.integer(3);
    r.cpath = s.text(4);
    r.datatype = s.integer(5);
    r.ch = s.text(6);
    r.creater = s.text(7);
    r.lddate = s.timestamp(8);
    r.tbegin = s.real(9);
    r.tqty = s.real(10);
    r.calib = s.real(11);
    r.calper = s.real(12);
    r.foff = s.integer(13);
    return r;
}

DbParams overlap_params(const std::string& sta, const std::string& ch, double t1, double t2) {
    const double a = sql_millis(t1), b = sql_millis(t2);
    return {sta, ch, a, a, a, b};
}

}  // namespace

void insert_filelist(Connection& connection, const FileListRow& r) {
    insert_row(connection, "FILELIST", kColumns,
               {r.sta, r.sps, r.gain, r.cpath, r.datatype, r.ch, r.creater, r.lddate, r.tbegin, r.tqty, r.calib,
                r.calper, r.foff});
}

std::vector<FileListRow> read_filelist(Connection& connection, const SqlFilter& filter, FileListOrder order) {
    Statement s(connection);
    s.execute(select_text("FILELIST", kColumns, filter,
                          order == FileListOrder::TimeDescChannelDesc ? "tbegin DESC, ch DESC" : ""),
              filter.params);
    std::vector<FileListRow> rows;
    while (s.fetch()) rows.push_back(read_row(s));
    return rows;
}

long delete_filelist(Connection& connection, const SqlFilter& filter) {
    Statement s(connection);
    if (s.execute("delete from FILELIST" + where_clause(filter), filter.params) == SqlOutcome::NoData) return 0;
    return s.row_count();
}

long delete_filelist_by_path(Connection& connection, const std::string& cpath) {
    return delete_filelist(connection, {"CPATH=?", {cpath}});
}

std::vector<FileListRow> select_segments(Connection& connection, const std::string& sta, const std::string& ch,
                                         double t1, double t2) {
    Statement s(connection);
    s.execute(
        "select TBEGIN, SPS, TQTY, DATATYPE, FOFF, CPATH, CALIB, CALPER from FILELIST where upper(STA)=upper(?) and "
        "upper(CH)=upper(?) "
        "and ( TBEGIN<=? and TBEGIN+TQTY>=? or TBEGIN>=? and TBEGIN<=?) order by TBEGIN",
        overlap_params(sta, ch, t1, t2));
    std::vector<FileListRow> rows;
    while (s.fetch()) {
        FileListRow r;
        r.tbegin = s.real(1);
        r.sps = s.real(2);
        r.tqty = s.real(3);
        r.datatype = s.integer(4);
        r.foff = s.integer(5);
        r.cpath = s.text(6);
        r.calib = s.real(7);
        r.calper = s.real(8);
        rows.push_back(std::move(r));
    }
    return rows;
}

SqlFilter filelist_covering_second(const std::string& sta, const std::string& ch, double t) {
    const double second = sql_whole_seconds(t);
    return {"upper(sta)=upper(?) and upper(ch)=upper(?) and ( tbegin<=? and tbegin+tqty>=?)",
            {sta, ch, second, second}};
}

SqlFilter filelist_overlapping(const std::string& sta, const std::string& ch, double t1, double t2) {
    return {"upper(sta)=upper(?) and upper(ch)=upper(?) and ( tbegin<=? and tbegin+tqty>=? or tbegin>=? and tbegin<=?)",
            overlap_params(sta, ch, t1, t2)};
}

SqlFilter filelist_of_station(const std::string& sta) { return {"upper(STA)=upper(?)", {sta}}; }

SqlFilter filelist_of_station_starting_between(const std::string& sta, double t1, double t2) {
    return {"upper(STA)=upper(?) and (TBEGIN between ? and ?)", {sta, sql_whole_seconds(t1), sql_whole_seconds(t2)}};
}

void restrict_to_channels(SqlFilter& filter, const std::vector<std::string>& channels) {
    filter.condition += " and (  1=0 ";
    for (const std::string& channel : channels) {
        filter.condition += " or upper(CH)=upper(?) ";
        filter.params.emplace_back(channel);
    }
    filter.condition += "  ) ";
}

SqlFilter filelist_file(const std::string& sta, const std::string& ch, const std::string& cpath, double tbegin) {
    return {"upper(sta)=upper(?) and upper(ch)=upper(?) and cpath=? and tbegin=?",
            {sta, ch, cpath, sql_micros(tbegin)}};
}

SqlFilter filelist_station_interval(double t1, double t2, const std::string& sta) {
    return {"tbegin>=? and tbegin<? and upper(sta)=upper(?)", {sql_micros(t1), sql_micros(t2), sta}};
}

}  // namespace kro
