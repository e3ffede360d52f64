#include "exchange/wfdisc_writer.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>

#include "../core/test_support.hpp"
#include "core/atomic_file.hpp"
#include "data/waveform_reader.hpp"
#include "data/wfdisc_line.hpp"

namespace kro {
namespace {

std::string bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s.push_back(static_cast<char>(v));
    return s;
}

KRODataBlock make_block(EpochTime start, double sps, std::vector<float> samples, double calib = 1.0,
                        double calper = 1.0) {
    KRODataBlock b;
    b.start = start;
    b.sps = sps;
    b.samples = std::move(samples);
    b.calib = calib;
    b.calper = calper;
    return b;
}

std::vector<std::string> read_lines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The first segment of a save: every column where other tools look for it.
TEST(WfdiscLine, FirstSegmentOfASave) {
    const KRODataBlock block = make_block(1075640709.0, 100.0, std::vector<float>(3000), 0.5, 1.25);
    const std::string dfile = wfdisc_sample_file_name(0, "ABC", "SHZ", block.start);
    EXPECT_EQ(dfile, "0-13050901022004-ABC-shz.w");
    const auto line = format_wfdisc_line("ABC", "SHZ", block, WfdiscSampleFormat::F4, dfile);
    ASSERT_TRUE(line);
    ASSERT_EQ(line->size(), 283u);
    EXPECT_EQ(line->substr(0, 16), "ABC    shz      ");
    EXPECT_EQ(line->substr(16, 17), " 1075640709.00000");
    EXPECT_EQ(line->substr(34, 26), "      -1       -1  2004032");
    EXPECT_EQ(line->substr(61, 17), " 1075640739.00000");
    EXPECT_EQ(line->substr(79, 8), "    3000");
    EXPECT_EQ(line->substr(88, 11), "100.0000000");
    EXPECT_EQ(line->substr(134, 14), "-      - f4 - ");
    EXPECT_EQ(line->substr(148, 1), ".");
    EXPECT_EQ(line->substr(213, 32), "0-13050901022004-ABC-shz.w      ");
    EXPECT_EQ(line->substr(246, 19), "         0       -1");
    EXPECT_EQ(line->substr(266), "2004:032-13:05:09");

    const auto parsed = parse_wfdisc_line(*line);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->sta, "ABC");
    EXPECT_EQ(parsed->chan, "shz");
    EXPECT_EQ(parsed->time, 1075640709.0);
    EXPECT_EQ(parsed->endtime, 1075640739.0);
    EXPECT_EQ(parsed->nsamp, 3000);
    EXPECT_EQ(parsed->samprate, 100.0f);
    EXPECT_EQ(parsed->calib, 0.5);
    EXPECT_EQ(parsed->calper, 1.25);
    EXPECT_EQ(parsed->datatype, "f4");
    EXPECT_EQ(parsed->dir, ".");
    EXPECT_EQ(parsed->dfile, dfile);
    EXPECT_EQ(parsed->foff, 0);
}

TEST(WfdiscLine, ValuesTooWideForTheirColumnsAreRefused) {
    EXPECT_FALSE(format_wfdisc_line("ABC", "SHZ", make_block(0.0, 10000.0, {1.0f}), WfdiscSampleFormat::F4, "x.w"));
    EXPECT_FALSE(
        format_wfdisc_line("ABC", "SHZ", make_block(0.0, 1.0, std::vector<float>(100000000)), WfdiscSampleFormat::F4,
                           "x.w"));
    // Long names are cut to their columns, the line keeps its length.
    const auto cut = format_wfdisc_line("LONGSTATION", "LONGCHANNEL", make_block(0.0, 1.0, {1.0f}),
                                        WfdiscSampleFormat::F4, std::string(40, 'f'));
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->size(), 283u);
    EXPECT_EQ(cut->substr(0, 16), "LONGST longchan ");
}

TEST(WfdiscSamples, Encodings) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        WfdiscSampleFormat format;
        std::vector<float> in;
        std::string out;
    } cases[] = {
        {WfdiscSampleFormat::S4, {1.0f}, bytes({0, 0, 0, 1})},
        {WfdiscSampleFormat::S4, {-2.0f}, bytes({0xff, 0xff, 0xff, 0xfe})},
        {WfdiscSampleFormat::I4, {1.9f, -1.9f}, bytes({1, 0, 0, 0, 0xff, 0xff, 0xff, 0xff})},
        {WfdiscSampleFormat::I4, {3e9f, -3e9f}, bytes({0xff, 0xff, 0xff, 0x7f, 0, 0, 0, 0x80})},
        {WfdiscSampleFormat::I4, {nan}, bytes({0, 0, 0, 0})},
        {WfdiscSampleFormat::F4, {1.5f}, bytes({0, 0, 0xc0, 0x3f})},
    };
    for (const auto& c : cases)
        EXPECT_EQ(encode_wfdisc_samples(c.in, c.format), c.out) << wfdisc_datatype(c.format) << " " << c.in.front();
    EXPECT_EQ(wfdisc_sample_format(1), WfdiscSampleFormat::F4);
    EXPECT_FALSE(wfdisc_sample_format(3));
    EXPECT_FALSE(wfdisc_sample_format(-1));
}

// Two channels, the first with a gap (two segments), written and read back
// through the wfdisc line parser and the waveform reader. The reader counts
// the samples of a segment as trunc((end - start) * sps) on epoch times, so
// the spans here (5, 10 and 5 samples at 80 per second) are exact in binary.
class WfdiscRoundTrip : public ::testing::Test {
protected:
    void SetUp() override {
        auto z = std::make_unique<KRODataBlockArray>("ABC", "SHZ");
        z->append(make_block(1296474900.0, 80.0, {0.25f, -1.5f, 3.75f, 1e-7f, -123456.789f}, 0.75, 2.0));
        z->append(make_block(1296474900.5, 80.0, {7.0f, 8.5f, -9.25f, 0.0f, -0.0f, 1.0f, 2.0f, 3.0f, 4.0f, 5.5f},
                             0.75, 2.0));
        auto e = std::make_unique<KRODataBlockArray>("ABC", "SHE");
        e->append(make_block(1296474900.25, 80.0, {-3.0f, 2.0f, 1.0f, 0.5f, 0.125f}));
        arrays.append(std::move(z));
        arrays.append(std::move(e));
    }

    // The blocks of `chan` read back for the whole written span.
    KRODataBlockArray read_back(const std::string& chan) const {
        std::vector<WfdiscSegmentRow> rows;
        for (const std::string& text : read_lines(dir.file("out.wfdisc"))) {
            const auto line = parse_wfdisc_line(text);
            EXPECT_TRUE(line) << text;
            if (!line || line->chan != chan) continue;
            rows.push_back(wfdisc_segment_row(*line));
        }
        KRODataBlockArray array;
        read_wfdisc_segments(rows, "ABC", chan, 1296474900.0, 1296474901.0, dir.path().string(), {}, array);
        return array;
    }

    test::TempFolder dir;
    XKRODataBlockArrays arrays;
};

TEST_F(WfdiscRoundTrip, FloatSamplesReadBackExactly) {
    const WfdiscWriteResult written = write_wfdisc(dir.file("out.wfdisc"), arrays, WfdiscSampleFormat::F4);
    ASSERT_TRUE(written.status) << written.status.message();
    EXPECT_EQ(written.segments, 3);
    std::string raw;
    ASSERT_TRUE(read_whole_file(dir.file("out.wfdisc"), raw));
    EXPECT_EQ(raw.size(), 3u * 284u);

    for (const auto& [chan, source] : {std::pair{"shz", 0}, std::pair{"she", 1}}) {
        const KRODataBlockArray& original = arrays.at(static_cast<std::size_t>(source));
        const KRODataBlockArray back = read_back(chan);
        ASSERT_EQ(back.count(), original.count()) << chan;
        for (std::size_t i = 0; i < back.count(); ++i) {
            EXPECT_EQ(back.block(i).samples, original.block(i).samples) << chan << " segment " << i;
            EXPECT_NEAR(back.block(i).start, original.block(i).start, 1e-5) << chan;
            EXPECT_EQ(back.block(i).sps, original.block(i).sps);
            EXPECT_EQ(back.block(i).calib, original.block(i).calib);
            EXPECT_EQ(back.block(i).calper, original.block(i).calper);
        }
    }
    // The writer leaves the arrays as they were.
    EXPECT_EQ(arrays.at(0).count(), 2u);
    EXPECT_EQ(arrays.at(0).block(1).samples.size(), 10u);
}

TEST_F(WfdiscRoundTrip, IntegerFormatsReadBackTruncated) {
    for (WfdiscSampleFormat format : {WfdiscSampleFormat::I4, WfdiscSampleFormat::S4}) {
        ASSERT_TRUE(write_wfdisc(dir.file("out.wfdisc"), arrays, format).status);
        const KRODataBlockArray back = read_back("shz");
        ASSERT_EQ(back.count(), 2u);
        EXPECT_EQ(back.block(0).samples, (std::vector<float>{0.0f, -1.0f, 3.0f, 0.0f, -123456.0f}))
            << wfdisc_datatype(format);
        EXPECT_EQ(back.block(1).samples, (std::vector<float>{7, 8, -9, 0, 0, 1, 2, 3, 4, 5})) << wfdisc_datatype(format);
    }
}

// A sample file that cannot be written ends the save with the message; the
// wfdisc file of an earlier save stays as it was.
TEST_F(WfdiscRoundTrip, FailureKeepsTheEarlierWfdiscFile) {
    test::write_file(dir.file("out.wfdisc"), "earlier save\n");
    const std::string blocked = wfdisc_sample_file_name(1, "ABC", "SHZ", 1296474900.5);
    std::filesystem::create_directories(dir.file(blocked) + "/inside");

    const WfdiscWriteResult written = write_wfdisc(dir.file("out.wfdisc"), arrays, WfdiscSampleFormat::F4);
    EXPECT_FALSE(written.status);
    EXPECT_EQ(written.status.message().rfind("wfdisc file(s) write error: ", 0), 0u) << written.status.message();
    EXPECT_NE(written.status.message().find(blocked), std::string::npos) << written.status.message();
    EXPECT_EQ(written.segments, 1);
    std::string kept;
    ASSERT_TRUE(read_whole_file(dir.file("out.wfdisc"), kept));
    EXPECT_EQ(kept, "earlier save\n");
}

TEST_F(WfdiscRoundTrip, SegmentWithoutRateIsRefused) {
    arrays.at(1).append(make_block(1296474901.0, 0.0, {1.0f}));
    const WfdiscWriteResult written = write_wfdisc(dir.file("out.wfdisc"), arrays, WfdiscSampleFormat::F4);
    EXPECT_FALSE(written.status);
    EXPECT_NE(written.status.message().find("ABC SHE segment 3"), std::string::npos) << written.status.message();
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.wfdisc")));
}

}  // namespace
}  // namespace kro
