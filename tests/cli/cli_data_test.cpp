// kro-cli import-css, read and stations on a test database holding the
// shared CSS 3.0 set.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "cli/commands_data.hpp"
#include "cli_db_test_support.hpp"
#include "db/odbc.hpp"

namespace kro::test {
namespace {

using cli::run_import_css;
using cli::run_read;
using cli::run_stations;

const std::string kCssFolder = std::string(KRO_SHARED_DATA_DIR) + "/css";

// The 14400 reference values of the shared set: HHZ, HHE, HHN in turn.
std::vector<float> reference_samples() {
    std::vector<float> values;
    FILE* text = popen(("gzip -dc '" + kCssFolder + "/201101311155.10.ascii.gz'").c_str(), "r");
    if (!text) return values;
    double v = 0;
    while (std::fscanf(text, "%lf", &v) == 1) values.push_back(static_cast<float>(v));
    pclose(text);
    return values;
}

class CliData : public CliDbTest {
protected:
    void SetUp() override {
        CliDbTest::SetUp();
        if (IsSkipped()) return;
        if (!std::ifstream(kCssFolder + "/test_css.wfdisc")) GTEST_SKIP() << "no shared data at " << kCssFolder;
        add_station("TESTbe", 48.1629, 11.2752, 0.565, {"HHZ", "HHE", "HHN"}, 80.0);
        add_station("TESTle", 49.144, 12.8782, 0.613, {"HHZ", "HHE", "HHN"}, 80.0);
    }
};

TEST_F(CliData, ImportedSetReadsBackAsTheReference) {
    const CliRun imported = run(run_import_css, {kCssFolder});
    ASSERT_EQ(imported.status, cli::kExitOk) << imported.err;
    EXPECT_EQ(imported.out,
              "TESTbe HHZ 1296474900.0000 1296474959.9880\n"
              "TESTbe HHE 1296474900.0000 1296474959.9880\n"
              "TESTbe HHN 1296474900.0000 1296474959.9880\n"
              "TESTle HHZ 1296474900.0000 1296474959.9880\n"
              "TESTle HHE 1296474900.0000 1296474959.9880\n"
              "TESTle HHN 1296474900.0000 1296474959.9880\n");

    const std::vector<float> reference = reference_samples();
    ASSERT_EQ(reference.size(), 14400u);
    const struct {
        const char* sta;
        const char* chan;
        std::size_t offset;  // of the channel in the reference
    } channels[] = {{"TESTbe", "HHZ", 0}, {"TESTbe", "HHE", 4800}, {"TESTbe", "HHN", 9600},
                    {"TESTle", "HHZ", 0}, {"TESTle", "HHE", 4800}, {"TESTle", "HHN", 9600}};
    for (const auto& c : channels) {
        // Calendar text and epoch seconds name the same window.
        const CliRun read = run(run_read, {c.sta, c.chan, "2011-01-31T11:55:00", "1296474960"});
        ASSERT_EQ(read.status, cli::kExitOk) << c.sta << " " << c.chan << ": " << read.err;
        char expected[256];
        std::snprintf(expected, sizeof expected,
                      "start=1296474900.0000 sps=80 count=4800 calib=1 calper=1 first=%.9g %.9g %.9g %.9g %.9g\n",
                      reference[c.offset], reference[c.offset + 1], reference[c.offset + 2], reference[c.offset + 3],
                      reference[c.offset + 4]);
        EXPECT_EQ(read.out, expected) << c.sta << " " << c.chan;
    }

    // A window cut inside the data starts on the file's own sample grid.
    const CliRun cut = run(run_read, {"TESTle", "HHE", "1296474930.01", "1296474931"});
    ASSERT_EQ(cut.status, cli::kExitOk) << cut.err;
    char expected[256];
    std::snprintf(expected, sizeof expected,
                  "start=1296474930.0000 sps=80 count=80 calib=1 calper=1 first=%.9g %.9g %.9g %.9g %.9g\n",
                  reference[4800 + 2400], reference[4800 + 2401], reference[4800 + 2402], reference[4800 + 2403],
                  reference[4800 + 2404]);
    EXPECT_EQ(cut.out, expected);
}

// A second import of the same folder replaces the FILELIST rows instead of
// adding to them.
TEST_F(CliData, ReimportKeepsOneRowPerFile) {
    ASSERT_EQ(run(run_import_css, {kCssFolder}).status, cli::kExitOk);
    ASSERT_EQ(run(run_import_css, {kCssFolder}).status, cli::kExitOk);
    Statement st(main);
    st.execute("select count(*) from FILELIST");
    ASSERT_TRUE(st.fetch());
    EXPECT_EQ(st.integer(1), 6);
    const CliRun read = run(run_read, {"TESTbe", "HHZ", "1296474900", "1296474960"});
    EXPECT_EQ(std::count(read.out.begin(), read.out.end(), '\n'), 1) << read.out;
}

TEST_F(CliData, StationTable) {
    const CliRun listed = run(run_stations, {});
    ASSERT_EQ(listed.status, cli::kExitOk) << listed.err;
    EXPECT_EQ(listed.out,
              "TESTbe lat=48.1629 lon=11.2752 elev=0.5650 0:HHZ:80 1:HHE:80 2:HHN:80\n"
              "TESTle lat=49.1440 lon=12.8782 elev=0.6130 0:HHZ:80 1:HHE:80 2:HHN:80\n");
}

TEST_F(CliData, ImportProblems) {
    const struct {
        std::string name;
        std::vector<std::string> args;
        std::string ini_extra;  // appended to KRO.INI
        int status;
        std::string err;
    } cases[] = {
        {"no such folder", {folder.file("nowhere")}, "", cli::kExitFailure, "No such folder"},
        {"usage", {}, "", cli::kExitUsage, "usage: kro-cli import-css"},
        {"no wfdisc line matches", {folder.path().string()}, "", cli::kExitFailure, "No wfdisc line of"},
        {"unreachable database", {kCssFolder, "odbc=KRO_NO_SUCH_SOURCE"}, "", cli::kExitFailure,
         "Cannot open the main database (data source KRO_NO_SUCH_SOURCE)"},
    };
    for (const auto& c : cases) {
        const CliRun r = run(run_import_css, c.args);
        EXPECT_EQ(r.status, c.status) << c.name << ": " << r.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << c.name << ": " << r.err;
    }
    Statement st(main);
    st.execute("select count(*) from FILELIST");
    ASSERT_TRUE(st.fetch());
    EXPECT_EQ(st.integer(1), 0);
}

// A sample file shorter than its wfdisc line stops the import with the
// message; what was stored before stays readable.
TEST_F(CliData, TruncatedSampleFileStopsTheImportKeepingEarlierFiles) {
    std::ifstream lines(kCssFolder + "/test_css.wfdisc", std::ios::binary);
    std::string first, second;
    std::getline(lines, first);
    std::getline(lines, second);
    write_file(folder.file("set/a.wfdisc"), first + "\n" + second + "\n");
    std::ifstream data(kCssFolder + "/201101311155.10.be.w", std::ios::binary);
    std::string bytes(19200 + 100, '\0');
    data.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    write_file(folder.file("set/201101311155.10.be.w"), bytes);

    const CliRun imported = run(run_import_css, {folder.file("set")});
    EXPECT_EQ(imported.status, cli::kExitFailure);
    ASSERT_EQ(imported.boxes.size(), 1u);
    EXPECT_NE(imported.boxes[0].text.find("File reading error"), std::string::npos) << imported.boxes[0].text;
    EXPECT_NE(imported.err.find("the 1 file(s) stored before it are kept"), std::string::npos) << imported.err;
    EXPECT_EQ(run(run_read, {"TESTbe", "HHZ", "1296474900", "1296474960"}).status, cli::kExitOk);
    EXPECT_EQ(run(run_read, {"TESTbe", "HHE", "1296474900", "1296474960"}).status, cli::kExitFailure);
}

TEST_F(CliData, ReadProblems) {
    ASSERT_EQ(run(run_import_css, {kCssFolder}).status, cli::kExitOk);
    const struct {
        std::string name;
        std::vector<std::string> args;
        int status;
        std::string err;
    } cases[] = {
        {"unknown station", {"NOSTA", "HHZ", "1296474900", "1296474960"}, cli::kExitFailure, "Unknown station NOSTA"},
        {"unknown channel", {"TESTbe", "BHZ", "1296474900", "1296474960"}, cli::kExitFailure,
         "Unknown channel TESTbe BHZ"},
        {"no data in the window", {"TESTbe", "HHZ", "1296475000", "1296475060"}, cli::kExitFailure,
         "No data of TESTbe HHZ between 1296475000.0000"},
        {"bad time", {"TESTbe", "HHZ", "noon", "1296474960"}, cli::kExitUsage, "A time is epoch seconds"},
        {"bad calendar", {"TESTbe", "HHZ", "2011-02-30T00:00:00", "1296474960"}, cli::kExitUsage,
         "A time is epoch seconds"},
        {"reversed window", {"TESTbe", "HHZ", "1296474960", "1296474900"}, cli::kExitUsage, "T2 must lie after T1"},
        {"too few arguments", {"TESTbe", "HHZ", "1296474960"}, cli::kExitUsage, "usage: kro-cli read"},
        {"unreachable database", {"TESTbe", "HHZ", "1296474900", "1296474960", "ODBC=KRO_NO_SUCH_SOURCE"},
         cli::kExitFailure, "Cannot open the main database"},
    };
    for (const auto& c : cases) {
        const CliRun r = run(run_read, c.args);
        EXPECT_EQ(r.status, c.status) << c.name << ": " << r.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << c.name << ": " << r.err;
        EXPECT_EQ(r.out, "") << c.name;
    }
}

// With WFD=1 the waveforms come from the CSS 3.0 database's wfdisc table;
// without a connection to it the command says so instead of reading the
// main database's FILELIST.
TEST_F(CliData, WfdiscSourceNeedsTheCssDatabase) {
    write_file(folder.file("KRO.INI"), "[DATABASE]\nODBC=" + main_dsn() + "\nWFD=1\n[DATA]\nDIR=" + data_folder() + "\n");
    const CliRun r = run(run_read, {"TESTbe", "HHZ", "1296474900", "1296474960"});
    EXPECT_EQ(r.status, cli::kExitFailure);
    EXPECT_NE(r.err.find("CSS 3.0 database is not connected"), std::string::npos) << r.err;
}

// The wfdisc source on the CSS 3.0 database: rows naming the shared set's
// files through a folder mapping read the same samples as the reference.
TEST_F(CliData, ReadFromWfdiscRows) {
    css.execute(
        "insert into WFDISC (STA, CHAN, TIME, ENDTIME, NSAMP, SAMPRATE, CALIB, CALPER, DATATYPE, DIR, DFILE, FOFF) "
        "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
        {"TESTbe", "hhn", 1296474900.0, 1296474959.9875, 4800, 80.0, 1.0, 1.0, "s4", "./", "201101311155.10.be.w",
         38400});
    write_file(folder.file("KRO.INI"), "[DATABASE]\nODBC=" + main_dsn() + "\nODBC_CSS=" + css_dsn() +
                                           "\nUSER_CSS=KRO\nWFD=1\n[DATA]\nDIR=" + data_folder() +
                                           "\n[DIRSMAP]\n#=1\nNAME0=./\nDIR0=" + kCssFolder + "\n");
    const CliRun r = run(run_read, {"TESTbe", "HHN", "1296474900", "1296474960"});
    ASSERT_EQ(r.status, cli::kExitOk) << r.err;
    const std::vector<float> reference = reference_samples();
    ASSERT_EQ(reference.size(), 14400u);
    char expected[256];
    std::snprintf(expected, sizeof expected,
                  "start=1296474900.0000 sps=80 count=4800 calib=1 calper=1 first=%.9g %.9g %.9g %.9g %.9g\n",
                  reference[9600], reference[9601], reference[9602], reference[9603], reference[9604]);
    EXPECT_EQ(r.out, expected);
}

}  // namespace
}  // namespace kro::test
