#pragma once
// FILELIST, the catalogue of stored waveform files: its row, reading and
// writing every column, and the catalogue's statements and filters.
// Every function throws DbError with the driver's text on failure.

#include <optional>
#include <string>
#include <vector>

#include "db/odbc.hpp"
#include "db/sql_filter.hpp"

namespace kro {

struct FileListRow {
    std::optional<std::string> sta;      // station code
    std::optional<double> sps;           // sampling rate, samples per second
    std::optional<int> gain;             // NULL or 0 counts as 1
    std::optional<std::string> cpath;    // relative to the data folder, or absolute
    std::optional<int> datatype;         // sample encoding code
    std::optional<std::string> ch;       // channel code
    std::optional<std::string> creater;  // who stored the row
    std::optional<DbTimestamp> lddate;
    std::optional<double> tbegin;        // epoch seconds of the first sample
    std::optional<double> tqty;          // seconds covered
    std::optional<double> calib;         // NULL is read as -1 by the waveform reader
    std::optional<double> calper;        // seconds
    std::optional<int> foff;             // byte offset of the first sample; NULL is read as 512
    friend bool operator==(const FileListRow&, const FileListRow&) = default;
};

enum class FileListOrder {
    None,
    TimeDescChannelDesc,  // "tbegin DESC, ch DESC"
};

void insert_filelist(Connection& connection, const FileListRow& row);
std::vector<FileListRow> read_filelist(Connection& connection, const SqlFilter& filter,
                                       FileListOrder order = FileListOrder::None);
// Deletes the rows of the filter; gives how many went.
long delete_filelist(Connection& connection, const SqlFilter& filter);
// "delete from FILELIST where CPATH='%s'"
long delete_filelist_by_path(Connection& connection, const std::string& cpath);

// The segments of a station channel that the waveform reader loads for
// [t1, t2]: rows with TBEGIN<=t1 and TBEGIN+TQTY>=t1, or TBEGIN in
// [t1, t2] (times to the millisecond), ordered by TBEGIN. Only TBEGIN, SPS,
// TQTY, DATATYPE, FOFF, CPATH, CALIB and CALPER are read.
std::vector<FileListRow> select_segments(Connection& connection, const std::string& sta, const std::string& ch,
                                         double t1, double t2);
// Filters of the catalogue. Station and channel codes compare without
// regard to case (upper(STA)=upper(?)): the import stores them upper-cased
// while the station table keeps the spelling of SITE, and the servers differ
// in how they compare text.
// "sta='%s' and ch='%s' and ( tbegin<=%ld and tbegin+tqty>=%ld)": the row
// covering the whole second of `t` (gain and calib lookups).
SqlFilter filelist_covering_second(const std::string& sta, const std::string& ch, double t);
// "sta='%s' and ch='%s' and ( tbegin<=%.3f and tbegin+tqty>=%.3f or
// tbegin>=%.3f and tbegin<=%.3f)" with t1, t1, t1, t2.
SqlFilter filelist_overlapping(const std::string& sta, const std::string& ch, double t1, double t2);
// "STA='%s'"
SqlFilter filelist_of_station(const std::string& sta);
// "STA='%s' and (TBEGIN between %ld and %ld)"
SqlFilter filelist_of_station_starting_between(const std::string& sta, double t1, double t2);
// " and ( 1=0 or CH='..' ... )" appended: only the named channels.
void restrict_to_channels(SqlFilter& filter, const std::vector<std::string>& channels);
// "sta='%s' and ch='%s' and cpath='%s' and tbegin=%f": one stored file.
SqlFilter filelist_file(const std::string& sta, const std::string& ch, const std::string& cpath, double tbegin);
// "tbegin>=%lf and tbegin<%lf and sta='%s'"
SqlFilter filelist_station_interval(double t1, double t2, const std::string& sta);

}  // namespace kro
