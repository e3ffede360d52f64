#include "data/channel_reader.hpp"

#include <algorithm>
#include <cctype>

#include "core/config.hpp"
#include "data/waveform_reader.hpp"
#include "db/database.hpp"
#include "db/filelist.hpp"
#include "db/odbc.hpp"

namespace kro {

namespace {

bool wfdisc_source(Database& db, const AppSettings& settings) {
    return settings.waveforms_from_wfdisc && db.css_connected();
}

void read_from_filelist(Database& db, const AppSettings& settings, const std::string& sta, const std::string& chan,
                        EpochTime t1, EpochTime t2, KRODataBlockArray& array) {
    std::vector<FileListSegmentRow> rows;
    try {
        for (const FileListRow& r : select_segments(db.main(), sta, chan, t1, t2))
            rows.push_back({r.tbegin, r.sps, r.tqty, r.datatype, r.foff, r.cpath, r.calib, r.calper});
    } catch (const DbError&) {
        rows.clear();
    }
    read_filelist_segments(rows, sta, chan, t1, t2, settings.data_folder, array);
}

void read_from_wfdisc(Database& db, const AppSettings& settings, const std::string& sta, const std::string& chan,
                      EpochTime t1, EpochTime t2, KRODataBlockArray& array) {
    std::string lower = chan;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::vector<WfdiscSegmentRow> rows;
    try {
        Statement st(db.css());
        st.execute(
            "select time, samprate, nsamp, datatype, foff, dir, dfile, calib, calper from wfdisc "
            "where sta=? and chan=? and ( time<=? and endtime>=? or time>=? and time<=?) order by time",
            {sta, lower, t1, t1, t1, t2});
        while (st.fetch()) {
            WfdiscSegmentRow row;
            row.time = st.real(1);
            row.samprate = st.real(2);
            row.nsamp = st.integer(3);
            row.datatype = st.text(4).value_or("");
            row.foff = st.integer(5);
            row.dir = st.text(6).value_or("");
            row.dfile = st.text(7).value_or("");
            row.calib = st.real(8);
            row.calper = st.real(9);
            rows.push_back(std::move(row));
        }
    } catch (const DbError&) {
        // What was fetched before the error is read.
    }
    read_wfdisc_segments(rows, sta, chan, t1, t2, settings.data_folder, settings.dirs_map, array);
}

}  // namespace

void read_channel_window(Database& db, const AppSettings& settings, const std::string& sta, const std::string& chan,
                         EpochTime t1, EpochTime t2, KRODataBlockArray& array) {
    if (wfdisc_source(db, settings))
        read_from_wfdisc(db, settings, sta, chan, t1, t2, array);
    else
        read_from_filelist(db, settings, sta, chan, t1, t2, array);
}

double channel_gain(Database& db, const AppSettings& settings, const std::string& sta, const std::string& chan,
                    EpochTime t) {
    if (wfdisc_source(db, settings)) return 1.0;
    try {
        const auto rows = read_filelist(db.main(), filelist_covering_second(sta, chan, t));
        if (rows.empty() || !rows.front().gain || *rows.front().gain == 0) return 1.0;
        return *rows.front().gain;
    } catch (const DbError&) {
        return 1.0;
    }
}

}  // namespace kro
