#include "demo/demo_install.hpp"

#include <algorithm>
#include <filesystem>

#include "core/config.hpp"
#include "core/profile_file.hpp"
#include "data/css_import.hpp"
#include "data/file_list.hpp"
#include "data/file_store.hpp"
#include "data/waveform_reader.hpp"
#include "db/database.hpp"
#include "db/events.hpp"
#include "db/filelist.hpp"
#include "db/stations.hpp"
#include "demo/css_folder.hpp"
#include "demo/demo_event.hpp"
#include "demo/demo_waveforms.hpp"
#include "location/geometry.hpp"

namespace kro {

namespace {

namespace fs = std::filesystem;

std::string folder_path(const std::string& data_folder, std::string_view sub) {
    std::string base = native_path(data_folder);
    if (!base.empty() && base.back() != '/') base += '/';
    return base + std::string(sub);
}

bool is_demo_text(const std::optional<std::string>& descr) {
    return descr && descr->size() >= kDemoMark.size() && descr->ends_with(kDemoMark);
}

bool is_demo_station(std::string_view name) {
    for (const DemoStation& st : demo_stations())
        if (iequals(trim(name), st.sta)) return true;
    return false;
}

// Rows of the same names that the demo did not write: the installation
// must not replace them.
Status check_name_clashes(Database& db) {
    for (const SiteRow& row : read_sites(db.main()))
        if (row.sta && is_demo_station(*row.sta) && !is_demo_text(row.descr))
            return Status::failure("Station " + trim(*row.sta) +
                                   " is already in SITE and is not a demo station: the demo was not installed "
                                   "(nothing was changed)");
    for (const OriginRow& row : read_origins(db.main(), db.comment_column(), std::string(kDemoEventId)))
        if (row.comment.value_or("") != kDemoOriginComment)
            return Status::failure("The event " + std::string(kDemoEventId) +
                                   " is already in ORIGIN and is not the demo event: the demo was not installed "
                                   "(nothing was changed)");
    return {};
}

std::string member_list(const std::vector<DemoArrival>& arrivals, double max_distance) {
    std::vector<std::string> members;
    for (const DemoArrival& a : arrivals)
        if (a.distance <= max_distance) members.push_back(demo_stations()[static_cast<std::size_t>(a.station)].sta);
    return join_member_list(members);
}

// SITE, SITECHAN, NETWORKS and ORIGIN in one transaction.
// Every demo channel is a broadband velocity sensor with a 120 s corner
// (poles and zeros of ground displacement in m to counts); the rows are
// marked by their network so a reinstall replaces only them.
constexpr std::string_view kDemoCalibrationNetwork = "KRO demo";
constexpr std::string_view kDemoPolesZeros =
    "ZEROS 3\n"
    "POLES 2\n"
    "-0.037020 0.037020\n"
    "-0.037020 -0.037020\n"
    "CONSTANT 6.0e8\n";

void write_rows(Database& db, const std::vector<DemoArrival>& arrivals) {
    Connection& main = db.main();
    const DbTimestamp now = local_now();
    const std::string mark_pattern = "%" + std::string(kDemoMark);
    Transaction transaction(main);
    main.execute("delete from SITECHAN where DESCR like ?", {mark_pattern});
    main.execute("delete from SITE where DESCR like ?", {mark_pattern});
    for (std::string_view name : {kDemoNetworkName, kDemoNearNetworkName})
        main.execute("delete from NETWORKS where NETNAME=?", {std::string(name)});
    delete_origin(main, std::string(kDemoEventId));
    main.execute("delete from CALIBRATION where NETWORK=?", {std::string(kDemoCalibrationNetwork)});

    int number = 1;
    for (const DemoStation& st : demo_stations()) {
        SiteRow site;
        site.sta = st.sta;
        site.ngroups = 1;
        site.elev = st.elev;
        site.lat = st.lat;
        site.lon = st.lon;
        site.descr = st.place + std::string(kDemoMark);
        site.lddate = now;
        site.nindex = number++;
        insert_site(main, site);
        for (std::size_t c = 0; c < kDemoChannels.size(); ++c) {
            SiteChanRow chan;
            chan.sta = st.sta;
            chan.sps = kDemoSps;
            chan.ngroup = 1;
            chan.chan = std::string(kDemoChannels[c]);
            chan.chanindex = static_cast<int>(c);
            chan.descr = st.place + " " + std::string(kDemoChannels[c]) + std::string(kDemoMark);
            chan.hang = c == 2 ? 90.0 : 0.0;  // Z and N point north, E east
            chan.vang = c == 0 ? 0.0 : 90.0;  // from the vertical
            chan.lddate = now;
            insert_sitechan(main, chan);  // coordinates NULL: the station's
            main.execute(
                "insert into CALIBRATION (NETWORK, STA, LOCATION, CHAN, STARTDATE, ENDDATE, SAC) "
                "values (?, ?, ?, ?, ?, ?, ?)",
                {std::string(kDemoCalibrationNetwork), st.sta, "00", std::string(kDemoChannels[c]),
                 DbTimestamp{2000, 1, 1, 0, 0, 0}, std::optional<DbTimestamp>{}, std::string(kDemoPolesZeros)});
        }
    }

    NetworkRow all;
    all.netname = std::string(kDemoNetworkName);
    all.netlist = member_list(arrivals, 180.0);
    all.lddate = now;
    insert_network(main, all);
    NetworkRow near = all;
    near.netname = std::string(kDemoNearNetworkName);
    near.netlist = member_list(arrivals, kDemoNearDistance);
    insert_network(main, near);

    OriginRow origin;
    origin.eventid = std::string(kDemoEventId);
    origin.lat = kDemoEvent.lat;
    origin.lon = kDemoEvent.lon;
    origin.depth = kDemoEvent.depth;
    origin.origintime = kDemoEvent.origin;
    origin.lddate = now;
    origin.comment = std::string(kDemoOriginComment);
    insert_origin(main, db.comment_column(), origin);
    transaction.commit();
}

std::vector<CssChannel> demo_css_channels(const std::vector<DemoArrival>& arrivals) {
    const auto count = static_cast<std::size_t>(kDemoRecordSeconds * kDemoSps);
    std::vector<CssChannel> channels;
    for (const DemoArrival& a : arrivals) {
        DemoTraces traces = demo_traces(a, kDemoEvent, demo_record_start(), count, kDemoSps);
        std::vector<std::int32_t>* components[] = {&traces.z, &traces.n, &traces.e};
        for (std::size_t c = 0; c < kDemoChannels.size(); ++c) {
            CssChannel ch;
            ch.sta = demo_stations()[static_cast<std::size_t>(a.station)].sta;
            ch.chan = std::string(kDemoChannels[c]);
            ch.time = demo_record_start();
            ch.samprate = kDemoSps;
            // A broadband velocity recorder of about 0.6 counts per nm/s:
            // 0.265 nm of displacement per count at 1 s.
            ch.calib = 0.265;
            ch.calper = 1.0;
            ch.samples = std::move(*components[c]);
            channels.push_back(std::move(ch));
        }
    }
    return channels;
}

// The vertical channel of every station, nearest to the event first: one
// screen of traces on which the onsets line up by distance. Every channel
// (the horizontals too) gets the event's time window.
Status write_user_settings(SettingsTree& settings, const std::vector<DemoArrival>& arrivals) {
    std::vector<DemoArrival> by_distance = arrivals;
    std::stable_sort(by_distance.begin(), by_distance.end(),
                     [](const DemoArrival& a, const DemoArrival& b) { return a.distance < b.distance; });
    std::vector<ChannelListEntry> entries;
    for (const DemoArrival& a : by_distance)
        entries.push_back({demo_stations()[static_cast<std::size_t>(a.station)].sta, std::string(kDemoChannels[0])});
    if (Status s = write_profile(settings, profile_key(kDemoChannelList), entries); !s) return s;
    for (const DemoStation& st : demo_stations())
        for (std::string_view chan : kDemoChannels)
            if (Status s = store_channel_window(settings, st.sta, chan, demo_window_start(), kDemoWindowSeconds); !s)
                return s;
    return {};
}

Status install(Database& db, SettingsTree& user_settings, const TravelTimeTables& tables,
               const std::string& data_folder, DemoInstallReport& report) {
    std::vector<DemoArrival> arrivals;
    if (Status s = demo_arrivals(tables, kDemoEvent, arrivals); !s) return s;
    if (Status s = check_name_clashes(db); !s) return s;
    write_rows(db, arrivals);

    report.css_folder = folder_path(data_folder, kDemoCssFolder);
    if (Status s = write_css_folder(report.css_folder, "demo.wfdisc", demo_css_channels(arrivals)); !s)
        return Status::failure("The demo waveforms could not be written: " + s.message());
    const CssImportResult imported = import_css_folder(report.css_folder, demo_station_table(), data_folder,
                                                       db.main(), *db.context().messenger);
    report.files_imported = imported.files_written;
    if (imported.stopped_by_error)
        return Status::failure("The demo waveforms could not be imported into the file store (see the message "
                               "above)");

    DemoEventFiles files;
    if (Status s = write_demo_event_files(folder_path(data_folder, kDemoFolder), tables, &files); !s) return s;
    report.arr_path = files.arr_path;
    report.station_path = files.station_path;

    if (Status s = write_user_settings(user_settings, arrivals); !s)
        return Status::failure("The demo channel list could not be saved: " + s.message());
    report.stations = static_cast<int>(demo_stations().size());
    report.channels = report.stations * static_cast<int>(kDemoChannels.size());
    return {};
}

}  // namespace

Status install_demo(Database& db, SettingsTree& user_settings, const TravelTimeTables& tables,
                    const std::string& data_folder, DemoInstallReport* report) {
    if (!db.main_connected()) return Status::failure("The main database is not connected: the demo was not installed");
    if (trim(native_path(data_folder)).empty())
        return Status::failure("No data folder is configured: the demo was not installed");
    DemoInstallReport local;
    try {
        const Status s = install(db, user_settings, tables, data_folder, report ? *report : local);
        return s;
    } catch (const DbError& e) {
        return Status::failure(std::string("The demo was not installed: ") + e.what());
    }
}

bool demo_installed(Database& db, const SettingsTree& user_settings, const std::string& data_folder) {
    if (!db.main_connected() || !user_settings.key_exists(profile_key(kDemoChannelList))) return false;
    try {
        int sites = 0;
        for (const SiteRow& row : read_sites(db.main()))
            if (row.sta && is_demo_station(*row.sta) && is_demo_text(row.descr)) ++sites;
        if (sites != static_cast<int>(demo_stations().size())) return false;
        bool origin = false;
        for (const OriginRow& row : read_origins(db.main(), db.comment_column(), std::string(kDemoEventId)))
            origin = origin || row.comment.value_or("") == kDemoOriginComment;
        if (!origin) return false;
        const EpochTime t1 = demo_window_start();
        const auto bytes = static_cast<std::uintmax_t>(kStoreHeaderSize + 4 * kDemoRecordSeconds * kDemoSps);
        for (const DemoStation& st : demo_stations())
            for (std::string_view chan : kDemoChannels) {
                const auto rows = select_segments(db.main(), st.sta, std::string(chan), t1, t1);
                if (rows.empty() || !rows.front().cpath) return false;
                std::error_code ec;
                if (fs::file_size(join_stored_path(data_folder, *rows.front().cpath), ec) < bytes || ec) return false;
            }
        return true;
    } catch (const DbError&) {
        return false;
    }
}

}  // namespace kro
