#include "cli_db_test_support.hpp"

#include "db/stations.hpp"

namespace kro::test {

void CliDbTest::SetUp() {
    DbTest::SetUp();
    if (IsSkipped()) return;
    prepare(SchemaKind::Main);
    write_ini();
}

void CliDbTest::write_ini(const std::string& extra) {
    write_file(folder.file("KRO.INI"), "[DATABASE]\nODBC=" + main_dsn() + "\nUSER=KRO\nPASSWORD=ZTQ\n[DATA]\nDIR=" +
                                           data_folder() + "\n" + extra);
}

void CliDbTest::add_station(const std::string& sta, double lat, double lon, double elev,
                            const std::vector<std::string>& channels, double sps, const std::string& calibfile) {
    SiteRow site;
    site.sta = sta;
    site.lat = lat;
    site.lon = lon;
    site.elev = elev;
    site.ngroups = 1;
    insert_site(main, site);
    int index = 0;
    for (const std::string& chan : channels) {
        SiteChanRow row;
        row.sta = sta;
        row.chan = chan;
        row.sps = sps;
        row.ngroup = 1;
        row.chanindex = index++;
        if (!calibfile.empty()) row.calibfile = calibfile;
        insert_sitechan(main, row);
    }
}

CliRun CliDbTest::run(const std::function<int(const std::vector<std::string>&, cli::Env&)>& command,
                      const std::vector<std::string>& args) {
    std::ostringstream out, err;
    RecordingMessenger messages;
    cli::Env env{out, err, messages, folder.file("kro-cli")};
    CliRun result;
    result.status = command(args, env);
    result.out = out.str();
    result.err = err.str();
    result.boxes = messages.boxes;
    return result;
}

}  // namespace kro::test
