#include "data/file_list_query.hpp"

#include <cctype>
#include <cmath>

#include "core/config.hpp"
#include "db/database.hpp"
#include "db/filelist.hpp"

namespace kro {

namespace {

std::vector<std::string> selected_channel_names(const StationTable& table, int station, bool lower_case) {
    std::vector<std::string> names;
    for (int s = 0; s < kChannelSlots; ++s) {
        if (!table.selected(station, s)) continue;
        std::string name = table.at(station).slots[static_cast<std::size_t>(s)].name;
        if (lower_case)
            for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        names.push_back(std::move(name));
    }
    return names;
}

std::vector<StoredFile> from_filelist(Database& db, const StationTable& table, int station,
                                      const FileListQuery& query) {
    const std::string& sta = table.at(station).name;
    SqlFilter filter = query.starting_between ? filelist_of_station_starting_between(sta, query.starting_between->first,
                                                                                     query.starting_between->second)
                                              : filelist_of_station(sta);
    if (query.selected_channels_only) restrict_to_channels(filter, selected_channel_names(table, station, false));
    std::vector<StoredFile> files;
    for (const FileListRow& row : read_filelist(db.main(), filter, FileListOrder::TimeDescChannelDesc)) {
        if (!row.tbegin) continue;
        files.push_back({*row.tbegin, row.tqty.value_or(0.0), row.sps.value_or(0.0), row.cpath.value_or(""),
                         row.creater.value_or("")});
    }
    return files;
}

std::vector<StoredFile> from_wfdisc(Database& db, const StationTable& table, int station, const FileListQuery& query) {
    std::string sql = "select time, endtime, samprate, dfile, dir from wfdisc where sta=?";
    DbParams params{table.at(station).name};
    if (query.starting_between) {
        sql += " and (time between ? and ?)";
        params.emplace_back(std::trunc(query.starting_between->first));
        params.emplace_back(std::trunc(query.starting_between->second));
    }
    if (query.selected_channels_only) {
        sql += " and (  1=0 ";
        for (const std::string& name : selected_channel_names(table, station, true)) {
            sql += " or chan=? ";
            params.emplace_back(name);
        }
        sql += "  ) ";
    }
    sql += " order by time DESC, chan DESC";
    Statement st(db.css());
    st.execute(sql, params);
    std::vector<StoredFile> files;
    while (st.fetch()) {
        const auto time = st.real(1);
        if (!time) continue;
        files.push_back({*time, st.real(2).value_or(*time) - *time, st.real(3).value_or(0.0), st.text(4).value_or(""),
                         st.text(5).value_or("")});
    }
    return files;
}

}  // namespace

std::vector<StoredFile> query_file_list(Database& db, const AppSettings& settings, const StationTable& table,
                                        int station, const FileListQuery& query) {
    if (station < 0 || station >= table.count()) return {};
    if (settings.waveforms_from_wfdisc && db.css_connected()) return from_wfdisc(db, table, station, query);
    return from_filelist(db, table, station, query);
}

}  // namespace kro
