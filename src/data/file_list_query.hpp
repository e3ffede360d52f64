#pragma once
// The stored files of one station as the file list shows them, read from
// the catalogue the configuration chooses: FILELIST of the main database,
// or the CSS 3.0 wfdisc table when WFD is set and the CSS database is
// connected.

#include <optional>
#include <string>
#include <vector>

#include "core/time.hpp"
#include "data/station_table.hpp"

namespace kro {

class Database;
struct AppSettings;

struct StoredFile {
    EpochTime start = 0.0;  // first sample
    double duration = 0.0;  // s: TQTY, or endtime - time for wfdisc
    double sps = 0.0;       // samples per second
    std::string file;       // CPATH, or dfile
    std::string comment;    // CREATER, or the wfdisc row's dir
};

struct FileListQuery {
    // Only files that start in [from, to] (whole epoch seconds); all when unset.
    std::optional<std::pair<EpochTime, EpochTime>> starting_between;
    // Only the channels of the station that the selection matrix marks
    // (none marked: no file).
    bool selected_channels_only = false;
};

// The files of `station`, newest first (then by channel, descending).
// Throws DbError with the driver's text when the query fails.
std::vector<StoredFile> query_file_list(Database& db, const AppSettings& settings, const StationTable& table,
                                        int station, const FileListQuery& query);

}  // namespace kro
