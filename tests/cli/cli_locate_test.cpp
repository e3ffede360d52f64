// kro-cli locate with the stations of the main database and the
// travel-time folder of the configuration.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "cli/commands_location.hpp"
#include "cli_db_test_support.hpp"

namespace kro::test {
namespace {

const std::string kDemo = std::string(KRO_SOURCE_DIR) + "/demo";

class CliLocate : public CliDbTest {
protected:
    void SetUp() override {
        CliDbTest::SetUp();
        if (IsSkipped()) return;
        write_ini("[GODOGRAPH]\nN#=0\nDIR0=" + kDemo + "/tables\n");
    }

    // The demo stations (STA LAT LON ELEV_KM CHANNELS...) as SITE rows with their channels.
    void add_demo_stations() {
        std::ifstream in(kDemo + "/event/stations.txt");
        for (std::string line; std::getline(in, line);) {
            if (line.empty() || line[0] == '#') continue;
            std::istringstream fields(line);
            std::string sta;
            double lat = 0, lon = 0, elev = 0;
            fields >> sta >> lat >> lon >> elev;
            std::vector<std::string> channels;
            for (std::string chan; fields >> chan;) channels.push_back(chan);
            add_station(sta, lat, lon, elev, channels, 100.0);
        }
    }
};

// The demo event lies at 47.50 N, 11.00 E, 10 km (kro-cli demo event); its
// picks are the first arrivals of the demo's layered crust (Pg near, Pn far).
TEST_F(CliLocate, DemoEventWithTheDatabaseStations) {
    add_demo_stations();
    for (const char* method : {"gradient", "svd"}) {
        const CliRun r = run(cli::run_locate, {kDemo + "/event/demo.arr", "--method", method});
        ASSERT_EQ(r.status, cli::kExitOk) << method << ": " << r.err;
        double lat = 0, lon = 0, depth = 0;
        ASSERT_EQ(std::sscanf(r.out.c_str(), "lat=%lf lon=%lf depth=%lf", &lat, &lon, &depth), 3) << r.out;
        EXPECT_NEAR(lat, 47.50, 0.027) << method;  // 3 km
        EXPECT_NEAR(lon, 11.00, 0.04) << method;   // 3 km at 47.5 N
        EXPECT_NEAR(depth, 10.0, 3.0) << method;
        EXPECT_NE(r.out.find("\nZUGS   Pg "), std::string::npos) << r.out;
        EXPECT_NE(r.out.find("\nBUG    Sn "), std::string::npos) << r.out;
    }
}

TEST_F(CliLocate, Problems) {
    const struct {
        std::string name;
        bool stations;
        std::vector<std::string> args;
        int status;
        std::string err;
    } cases[] = {
        {"empty station table", false, {kDemo + "/event/demo.arr"}, cli::kExitFailure,
         "The station table (SITE) of the main database is empty"},
        {"unreachable database", true, {kDemo + "/event/demo.arr", "ODBC=KRO_NO_SUCH_SOURCE"}, cli::kExitFailure,
         "Cannot open the main database"},
        {"no tables in the folder", true, {kDemo + "/event/demo.arr", "--tables", folder.file("none")},
         cli::kExitFailure, "No included picks to locate"},
        {"picks of unknown stations", false, {kDemo + "/event/demo.arr"}, cli::kExitFailure,
         "line(s) name a station or phase that is not known"},
    };
    for (const auto& c : cases) {
        prepare(SchemaKind::Main);
        if (c.stations) add_demo_stations();
        if (c.name == "picks of unknown stations") add_station("OTHER", 40.0, 20.0, 0.0, {"BHZ"}, 100.0);
        const CliRun r = run(cli::run_locate, c.args);
        EXPECT_EQ(r.status, c.status) << c.name << ": " << r.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << c.name << ": " << r.err;
    }
}

}  // namespace
}  // namespace kro::test
