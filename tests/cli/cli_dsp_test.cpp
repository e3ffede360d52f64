// kro-cli filter, simulate and detect on channel windows of a test
// database: the shared CSS 3.0 set imported into the file store, and
// synthetic channels stored there directly.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>

#include "cli/commands_data.hpp"
#include "cli/commands_dsp.hpp"
#include "cli_db_test_support.hpp"
#include "data/file_store.hpp"
#include "data/waveform_reader.hpp"
#include "data/wfdisc_line.hpp"
#include "db/filelist.hpp"
#include "dsp/filter_record.hpp"

namespace kro::test {
namespace {

using cli::run_detect;
using cli::run_filter;
using cli::run_simulate;

const std::string kCssFolder = std::string(KRO_SHARED_DATA_DIR) + "/css";
constexpr EpochTime kSynStart = 1300000000.0;  // synthetic channels: 60 s at 100 per second

std::vector<float> reference_hhz() {
    std::vector<float> values;
    FILE* text = popen(("gzip -dc '" + kCssFolder + "/201101311155.10.ascii.gz'").c_str(), "r");
    if (!text) return values;
    double v = 0;
    while (values.size() < 4800 && std::fscanf(text, "%lf", &v) == 1) values.push_back(static_cast<float>(v));
    pclose(text);
    return values;
}

std::string g9(float v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(v));
    return text;
}

// The blocks of one channel of a wfdisc file, read back as other tools would.
KRODataBlockArray read_wfdisc_file(const std::string& path, const std::string& chan) {
    std::vector<WfdiscSegmentRow> rows;
    std::ifstream in(path, std::ios::binary);
    for (std::string text; std::getline(in, text);) {
        const auto line = parse_wfdisc_line(text);
        if (!line || line->chan != chan) continue;
        rows.push_back(wfdisc_segment_row(*line));
    }
    KRODataBlockArray array;
    const std::string folder = path.substr(0, path.find_last_of('/'));
    read_wfdisc_segments(rows, "", chan, 0.0, 4e9, folder, {}, array);
    return array;
}

class CliDsp : public CliDbTest {
protected:
    void SetUp() override {
        CliDbTest::SetUp();
        if (IsSkipped()) return;
        add_station("TESTle", 49.144, 12.8782, 0.613, {"HHZ", "HHE", "HHN"}, 80.0);
        add_station("SYN", 48.0, 11.0, 0.5, {"SHZ", "SHE", "SHN"}, 100.0);

        // SHZ: noise of amplitude 1 with a burst 50 times as strong from 30 to 35 s.
        std::vector<float> noise(6000);
        std::uint32_t state = 12345;
        for (std::size_t i = 0; i < noise.size(); ++i) {
            state = state * 1664525u + 1013904223u;
            const float v = static_cast<float>(state >> 8) / 16777216.0f * 2.0f - 1.0f;
            noise[i] = (i >= 3000 && i < 3500) ? 50.0f * v : v;
        }
        store("SHZ", noise);
        // SHE: 1 Hz cosine of amplitude 100. SHN: constant.
        std::vector<float> wave(6000), flat(6000, 7.0f);
        for (std::size_t i = 0; i < wave.size(); ++i)
            wave[i] = static_cast<float>(100.0 * std::cos(2.0 * M_PI * static_cast<double>(i) / 100.0));
        store("SHE", wave);
        store("SHN", flat);
    }

    void store(const std::string& chan, const std::vector<float>& samples) {
        const std::string relative = "SYN\\" + chan + ".dat";
        ASSERT_TRUE(write_store_file(join_stored_path(data_folder(), relative),
                                     store_header("SYN", chan, kSynStart, 60.0, 100.0), samples));
        FileListRow row;
        row.sta = "SYN";
        row.ch = chan;
        row.cpath = relative;
        row.tbegin = kSynStart;
        row.tqty = 60.0;
        row.sps = 100.0;
        row.calib = 1.0;
        row.calper = 1.0;
        row.datatype = 3;
        row.foff = 512;
        insert_filelist(main, row);
    }

    bool import_shared_set() {
        if (!std::ifstream(kCssFolder + "/test_css.wfdisc")) return false;
        const CliRun r = run(cli::run_import_css, {kCssFolder});
        EXPECT_EQ(r.status, cli::kExitOk) << r.err;
        return r.status == cli::kExitOk;
    }
};

// The real HHZ trace band-passed: the window of 60 s at 80 per second
// places its 4800 samples (the 4801st position lies past the data and is
// dropped), filtered as a pane filters them; the printout and the written
// file hold that series.
TEST_F(CliDsp, FilterWritesWhatAPaneWouldShow) {
    if (!import_shared_set()) GTEST_SKIP() << "no shared data at " << kCssFolder;
    std::vector<float> expected = reference_hhz();
    ASSERT_EQ(expected.size(), 4800u);
    FilterRecord record;
    record.type = kBandPass;
    record.low = 1.0f;
    record.high = 10.0f;
    record.order = 4;
    record.zero_phase = true;
    ASSERT_TRUE(filter_pane(expected, 80.0, record));

    const std::string out = folder.file("out/filtered.wfdisc");
    const CliRun r = run(run_filter, {"TESTle", "HHZ", "1296474900", "1296474960", "--type", "bp", "--low", "1",
                                      "--high", "10", "--order", "4", "--zero-phase", "--out", out});
    ASSERT_EQ(r.status, cli::kExitOk) << r.err;
    std::string first = "first=";
    for (std::size_t i = 0; i < 10; ++i) first += (i ? " " : "") + g9(expected[i]);
    const auto [lo, hi] = std::minmax_element(expected.begin(), expected.end());
    EXPECT_NE(r.out.find("filter 1.0000 10.0000 4 B 0\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("sps=80.0000 samples=4800\n" + first + "\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("min=" + g9(*lo) + " at "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("max=" + g9(*hi) + " at "), std::string::npos) << r.out;

    const KRODataBlockArray back = read_wfdisc_file(out, "hhz");
    ASSERT_EQ(back.count(), 1u);
    EXPECT_EQ(back.block(0).start, 1296474900.0);
    EXPECT_EQ(back.block(0).sps, 80.0);
    EXPECT_EQ(back.block(0).samples, expected);
}

TEST_F(CliDsp, FilterArgumentProblems) {
    const std::vector<std::string> window{"SYN", "SHZ", "1300000000", "1300000060"};
    const struct {
        std::string name;
        std::vector<std::string> options;
        int status;
        std::string err;
    } cases[] = {
        {"no type", {"--low", "1", "--high", "2"}, cli::kExitUsage, "usage: kro-cli filter"},
        {"unknown type", {"--type", "XX", "--low", "1", "--high", "2"}, cli::kExitUsage, "Unknown filter type XX"},
        {"band without high", {"--type", "BP", "--low", "1"}, cli::kExitUsage, "BP needs --high"},
        {"high-pass without low", {"--type", "HP", "--high", "1"}, cli::kExitUsage, "HP needs --low"},
        {"low above high", {"--type", "BR", "--low", "5", "--high", "2"}, cli::kExitUsage, "--low must lie below"},
        {"order too high", {"--type", "LP", "--high", "2", "--order", "11"}, cli::kExitUsage, "order must be"},
        {"fractional order", {"--type", "LP", "--high", "2", "--order", "2.5"}, cli::kExitUsage, "order must be"},
        {"negative cut-off", {"--type", "LP", "--high", "-2"}, cli::kExitUsage, "A cut-off must be"},
        {"zero high-pass", {"--type", "HP", "--low", "0"}, cli::kExitUsage, "must be above 0"},
        {"option without value", {"--type", "LP", "--high"}, cli::kExitUsage, "usage: kro-cli filter"},
        {"stray argument", {"--type", "LP", "--high", "2", "extra"}, cli::kExitUsage, "usage: kro-cli filter"},
        {"cut-off beyond Nyquist", {"--type", "HP", "--low", "60"}, cli::kExitFailure,
         "does not lie below the Nyquist frequency of the data (50.0000 Hz)"},
        {"output folder is a file", {"--type", "LP", "--high", "2", "--out", folder.file("KRO.INI") + "/x.wfdisc"},
         cli::kExitFailure, "wfdisc file(s) write error: "},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = window;
        args.insert(args.end(), c.options.begin(), c.options.end());
        const CliRun r = run(run_filter, args);
        EXPECT_EQ(r.status, c.status) << c.name << ": " << r.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << c.name << ": " << r.err;
    }
}

// One detection at the burst on the noise, none on a constant trace, for
// both detectors.
TEST_F(CliDsp, DetectorsFindTheBurst) {
    const struct {
        std::vector<std::string> args;
        std::string header;
        std::vector<std::string> detections;  // "detection <epoch>" prefixes
    } cases[] = {
        {{"SYN", "SHZ", "1300000000", "1300000060", "--sta", "0.5", "--lta", "10", "--k", "4"},
         "detector=KRO tsta=0.5 tlta=10 k=4 samples=6000\n",
         {"detection 1300000030.0"}},
        {{"SYN", "SHZ", "1300000000", "1300000060", "--velmora", "--sta", "0.5", "--lta", "10", "--k", "4"},
         "detector=Velmora tsta=0.5 tlta=10 k=4 samples=6000\n",
         {"detection 1300000030."}},
        {{"SYN", "SHN", "1300000000", "1300000060", "--sta", "0.5", "--lta", "10", "--k", "4"},
         "detector=KRO tsta=0.5 tlta=10 k=4 samples=6000\n",
         {}},
    };
    for (const auto& c : cases) {
        const CliRun r = run(run_detect, c.args);
        ASSERT_EQ(r.status, cli::kExitOk) << c.args[1] << ": " << r.err;
        std::string expected_tail = "detections=" + std::to_string(c.detections.size()) + "\n";
        EXPECT_EQ(r.out.substr(0, c.header.size()), c.header) << r.out;
        EXPECT_EQ(r.out.substr(r.out.size() - expected_tail.size()), expected_tail) << r.out;
        for (const std::string& d : c.detections) EXPECT_NE(r.out.find(d), std::string::npos) << r.out;
    }
}

TEST_F(CliDsp, DetectDefaultsAndProblems) {
    // Without options the channel's stored settings apply: 10 s, 1 s, K 4.
    const CliRun defaults = run(run_detect, {"SYN", "SHN", "1300000000", "1300000060"});
    ASSERT_EQ(defaults.status, cli::kExitOk) << defaults.err;
    EXPECT_EQ(defaults.out.rfind("detector=KRO tsta=1 tlta=10 k=4 samples=6000\n", 0), 0u) << defaults.out;

    const struct {
        std::string name;
        std::vector<std::string> args;
        int status;
        std::string err;
    } cases[] = {
        {"zero window", {"SYN", "SHZ", "1300000000", "1300000060", "--sta", "0"}, cli::kExitUsage, "above 0"},
        {"short not shorter", {"SYN", "SHZ", "1300000000", "1300000060", "--sta", "20"}, cli::kExitUsage,
         "must be shorter than the long-term one"},
        {"window under one sample", {"SYN", "SHZ", "1300000000", "1300000060", "--sta", "0.001"}, cli::kExitFailure,
         "The detector cannot run"},
        {"no data", {"SYN", "SHZ", "1300001000", "1300001060"}, cli::kExitFailure, "No data of SYN SHZ"},
        {"unknown channel", {"SYN", "BHZ", "1300000000", "1300000060"}, cli::kExitFailure, "Unknown channel SYN BHZ"},
        {"unreachable database", {"SYN", "SHZ", "1300000000", "1300000060", "odbc=KRO_NO_SUCH_SOURCE"},
         cli::kExitFailure, "Cannot open the main database"},
    };
    for (const auto& c : cases) {
        const CliRun r = run(run_detect, c.args);
        EXPECT_EQ(r.status, c.status) << c.name << ": " << r.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << c.name << ": " << r.err;
    }
}

// A flat recording of gain 1e9 turns the cosine into a displacement of
// about the input's size (the conversion itself is tested with the dsp
// code); the written file holds what was printed.
TEST_F(CliDsp, SimulateWithThePolesAndZerosOfTheDatabase) {
    main.execute("insert into CALIBRATION (NETWORK, STA, LOCATION, CHAN, STARTDATE, ENDDATE, SAC) "
                 "values (?, ?, ?, ?, ?, ?, ?)",
                 {"", "SYN", "00", "SHE", DbTimestamp{2000, 1, 1, 0, 0, 0}, std::optional<DbTimestamp>{},
                  "ZEROS 0\nPOLES 0\nCONSTANT 1e9\n"});
    const std::string out = folder.file("sim.wfdisc");
    const CliRun r = run(run_simulate, {"SYN", "SHE", "1300000000", "1300000010", "DIS", "--out", out});
    ASSERT_EQ(r.status, cli::kExitOk) << r.err;
    EXPECT_TRUE(r.boxes.empty());
    EXPECT_EQ(r.out.rfind("simulate DIS\n", 0), 0u) << r.out;
    const KRODataBlockArray back = read_wfdisc_file(out, "she");
    ASSERT_EQ(back.count(), 1u);
    ASSERT_EQ(back.block(0).samples.size(), 1000u);
    EXPECT_NEAR(back.block(0).samples[500], 100.0f, 5.0f);
    EXPECT_NE(r.out.find("max=" + g9(*std::max_element(back.block(0).samples.begin(), back.block(0).samples.end()))),
              std::string::npos)
        << r.out;
}

TEST_F(CliDsp, SimulateProblems) {
    const struct {
        std::string name;
        std::vector<std::string> args;
        int status;
        std::string err;
        std::string box;  // the message shown, if any
    } cases[] = {
        {"no calibration row", {"SYN", "SHE", "1300000000", "1300000010", "1000"}, cli::kExitFailure,
         "The conversion DIS gave no result", "Error opening calibration table for channel SHEstation SYN"},
        {"no AFR file", {"SYN", "SHE", "1300000000", "1300000010", "WA_A"}, cli::kExitFailure, "has no AFR file", ""},
        {"unknown code", {"SYN", "SHE", "1300000000", "1300000010", "1007"}, cli::kExitUsage,
         "Unknown or unusable conversion 1007", ""},
        {"unnamed route", {"SYN", "SHE", "1300000000", "1300000010", "VEL_A"}, cli::kExitUsage,
         "Unknown or unusable conversion VEL_A", ""},
        {"missing code", {"SYN", "SHE", "1300000000", "1300000010"}, cli::kExitUsage, "usage: kro-cli simulate", ""},
    };
    for (const auto& c : cases) {
        const CliRun r = run(run_simulate, c.args);
        EXPECT_EQ(r.status, c.status) << c.name << ": " << r.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << c.name << ": " << r.err;
        if (c.box.empty()) {
            EXPECT_TRUE(r.boxes.empty()) << c.name;
        } else {
            ASSERT_EQ(r.boxes.size(), 1u) << c.name;
            EXPECT_EQ(r.boxes[0].text, c.box) << c.name;
        }
    }
}

}  // namespace
}  // namespace kro::test
