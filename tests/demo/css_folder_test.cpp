#include "demo/css_folder.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "../core/test_support.hpp"
#include "data/wfdisc_line.hpp"

namespace kro {
namespace {

// What the import reads from a line must be what was written, for names
// that fill their columns, times with fractions and rates below 1.
TEST(FormatWfdiscLine, ReadsBackThroughTheImportParser) {
    struct Case {
        const char* sta;
        const char* chan;
        double time;
        double samprate;
        std::size_t nsamp;
    };
    for (const Case& c : {Case{"FUR", "HHZ", 1623467742.0, 100.0, 60000}, Case{"ABCDEF", "BHZ12345", 0.5, 0.1, 1},
                          Case{"Z", "E", 1100000000.12345, 20.0, 7}}) {
        SCOPED_TRACE(c.sta);
        CssChannel ch;
        ch.sta = c.sta;
        ch.chan = c.chan;
        ch.time = c.time;
        ch.samprate = c.samprate;
        ch.calib = 0.265;
        ch.calper = 1.5;
        ch.samples.resize(c.nsamp);
        const std::string text = format_wfdisc_line(ch, 3, css_sample_file_name(ch));
        ASSERT_EQ(text.size(), kWfdiscLineLength);
        const auto line = parse_wfdisc_line(text);
        ASSERT_TRUE(line);
        EXPECT_EQ(line->sta, c.sta);
        EXPECT_EQ(line->chan, c.chan);
        EXPECT_NEAR(line->time, c.time, 1e-5);
        EXPECT_NEAR(line->endtime, c.time + (c.nsamp - 1) / c.samprate, 1e-5);
        EXPECT_EQ(line->nsamp, static_cast<long long>(c.nsamp));
        EXPECT_FLOAT_EQ(line->samprate, static_cast<float>(c.samprate));
        EXPECT_DOUBLE_EQ(line->calib, 0.265);
        EXPECT_DOUBLE_EQ(line->calper, 1.5);
        EXPECT_EQ(line->datatype, "s4");
        EXPECT_EQ(line->dir, ".");
        EXPECT_EQ(line->dfile, std::string(c.sta) + "." + c.chan + ".w");
        EXPECT_EQ(line->foff, 0);
    }
}

TEST(WriteCssFolder, WritesBigEndianCountsAndOneLinePerChannel) {
    test::TempFolder dir;
    CssChannel a;
    a.sta = "FUR";
    a.chan = "HHZ";
    a.samprate = 100.0;
    a.samples = {0, 1, -2, 8388607, -8388607, 0x01020304};
    CssChannel b = a;
    b.chan = "HHN";
    b.samples = {-1};
    ASSERT_TRUE(write_css_folder(dir.file("css"), "x.wfdisc", {a, b}));

    std::ifstream f(dir.file("css/FUR.HHZ.w"), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(f), {}};
    const std::string expected("\x00\x00\x00\x00"
                               "\x00\x00\x00\x01"
                               "\xFF\xFF\xFF\xFE"
                               "\x00\x7F\xFF\xFF"
                               "\xFF\x80\x00\x01"
                               "\x01\x02\x03\x04",
                               24);
    EXPECT_EQ(bytes, expected);

    std::ifstream w(dir.file("css/x.wfdisc"));
    std::string line;
    std::vector<std::string> chans;
    while (std::getline(w, line)) {
        const auto parsed = parse_wfdisc_line(line);
        ASSERT_TRUE(parsed) << line;
        chans.push_back(parsed->chan);
    }
    EXPECT_EQ(chans, (std::vector<std::string>{"HHZ", "HHN"}));
}

TEST(WriteCssFolder, UnwritableFolderFailsWithThePath) {
    test::TempFolder dir;
    test::write_file(dir.file("blocker"), "a file where the folder should be");
    CssChannel a;
    a.sta = "FUR";
    a.chan = "HHZ";
    a.samprate = 100.0;
    a.samples = {1};
    const Status s = write_css_folder(dir.file("blocker/css"), "x.wfdisc", {a});
    EXPECT_FALSE(s);
    EXPECT_NE(s.message().find("blocker/css"), std::string::npos) << s.message();
}

}  // namespace
}  // namespace kro
