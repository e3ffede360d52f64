#include "data/waveform_reader.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "../core/test_support.hpp"
#include "data/file_store.hpp"
#include "data/sample_encoding.hpp"
#include "data/wfdisc_line.hpp"

namespace kro {
namespace {

std::string bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s += static_cast<char>(v);
    return s;
}

TEST(DecodeSamples, EveryCode) {
    const struct {
        int code;
        std::string raw;
        std::vector<float> expected;
    } cases[] = {
        {kInt8, bytes({0xff, 0x05}), {-1, 5}},
        {kInt16LE, bytes({0xfe, 0xff, 0x00, 0x01}), {-2, 256}},
        {kUInt16LE, bytes({0xfe, 0xff}), {65534}},
        {kInt32LE, bytes({0xfe, 0xff, 0xff, 0xff}), {-2}},
        {kInt32BE, bytes({0xff, 0xff, 0xff, 0xfe}), {-2}},
        {kFloat32LE, bytes({0x00, 0x00, 0xc0, 0x3f}), {1.5f}},
        {kInt24BE, bytes({0xff, 0xff, 0xfe, 0x01, 0x00, 0x00}), {-2, 65536}},
    };
    for (const auto& c : cases) {
        std::vector<float> out(c.expected.size(), 99.0f);
        decode_samples(c.code, reinterpret_cast<const unsigned char*>(c.raw.data()), out.size(), out.data());
        EXPECT_EQ(out, c.expected) << "code " << c.code;
    }
}

TEST(CssImportConversion, SixDatatypes) {
    const struct {
        const char* datatype;
        std::string raw;
        float expected;
    } cases[] = {
        {"s2", bytes({0xff, 0xfe}), -2.0f},         {"i2", bytes({0xfe, 0xff}), -2.0f},
        {"s4", bytes({0xff, 0xff, 0xff, 0xfe}), -2}, {"i4", bytes({0xfe, 0xff, 0xff, 0xff}), -2},
        {"t4", bytes({0x3f, 0xc0, 0x00, 0x00}), 1.5f}, {"f4", bytes({0x00, 0x00, 0xc0, 0x3f}), 1.5f},
    };
    for (const auto& c : cases) {
        const auto type = css_datatype(c.datatype);
        ASSERT_TRUE(type) << c.datatype;
        float out = 0;
        convert_css_samples(*type, reinterpret_cast<const unsigned char*>(c.raw.data()), 1, &out);
        EXPECT_EQ(out, c.expected) << c.datatype;
    }
    EXPECT_FALSE(css_datatype("g2"));
}

// A float file of 100 samples at 10 sps from t = 1000 (values 0..99) behind a 512-byte header.
class SegmentFile : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<float> samples(100);
        for (int i = 0; i < 100; ++i) samples[static_cast<std::size_t>(i)] = static_cast<float>(i);
        ASSERT_TRUE(write_store_file(dir.file("STA/seg.BHZ"), store_header("STA", "BHZ", 1000.0, 10.0, 10.0), samples));
    }
    SegmentSource segment(double tbegin = 1000.0) const {
        return SegmentSource{"STA\\seg.BHZ", 512, tbegin, 10.0, 10.0, kFloat32LE};
    }
    test::TempFolder dir;
};

TEST_F(SegmentFile, CutsToTheWindow) {
    const struct {
        const char* name;
        double t1, t2;
        bool produced;
        double start;
        int count;
        float first;
    } cases[] = {
        {"window inside the segment", 1002.05, 1003.0, true, 1002.0, 10, 20},
        {"segment starts inside the window", 995.0, 1005.0, true, 1000.0, 50, 0},
        {"segment runs to its end", 999.0, 2000.0, true, 1000.0, 100, 0},
        {"segment starts exactly at t2", 990.0, 1000.0, false, 0, 0, 0},
        {"window after the segment", 1010.0, 1020.0, false, 0, 0, 0},
        {"window before the segment", 900.0, 990.0, false, 0, 0, 0},
    };
    for (const auto& c : cases) {
        KRODataBlock block;
        EXPECT_EQ(read_segment(block, segment(), c.t1, c.t2, dir.path().string()), c.produced) << c.name;
        EXPECT_EQ(block.count(), c.count) << c.name;
        if (!c.produced) continue;
        EXPECT_DOUBLE_EQ(block.start, c.start) << c.name;
        EXPECT_EQ(block.samples.front(), c.first) << c.name;
        EXPECT_EQ(block.sps, 10.0);
    }
}

TEST_F(SegmentFile, MissingShortAndUndecodedFilesGiveZeros) {
    KRODataBlock block;
    SegmentSource missing = segment();
    missing.path = "STA\\nothing.BHZ";
    ASSERT_TRUE(read_segment(block, missing, 1000.0, 1001.0, dir.path().string()));
    EXPECT_EQ(block.samples, std::vector<float>(10, 0.0f));

    SegmentSource longer = segment();
    longer.duration = 20.0;  // the file holds only the first 10 s
    ASSERT_TRUE(read_segment(block, longer, 1009.5, 1010.5, dir.path().string()));
    EXPECT_EQ(block.samples, (std::vector<float>{95, 96, 97, 98, 99, 0, 0, 0, 0, 0}));

    // A file cut inside its 51st sample: the torn sample and the rest are 0.
    const std::string torn_path = dir.file("STA/torn.BHZ");
    std::filesystem::copy_file(dir.file("STA/seg.BHZ"), torn_path);
    std::filesystem::resize_file(torn_path, 512 + 50 * 4 + 3);
    SegmentSource torn = segment();
    torn.path = "STA\\torn.BHZ";
    ASSERT_TRUE(read_segment(block, torn, 1004.5, 1005.5, dir.path().string()));
    EXPECT_EQ(block.samples, (std::vector<float>{45, 46, 47, 48, 49, 0, 0, 0, 0, 0}));

    SegmentSource undecoded = segment();
    undecoded.code = 4;
    ASSERT_TRUE(read_segment(block, undecoded, 1000.0, 1001.0, dir.path().string()));
    EXPECT_EQ(block.samples, std::vector<float>(10, 0.0f));

    SegmentSource broken = segment();
    broken.sps = 0.0;
    EXPECT_FALSE(read_segment(block, broken, 1000.0, 1001.0, dir.path().string()));
}

TEST(ReadSegment, GridOfTheFileAndOffsets) {
    // Starting 10.004 s after t1 at 100 sps, 60 s long, 30 s window: 1999 samples.
    KRODataBlock block;
    SegmentSource late{"none", 0, 10.004, 60.0, 100.0, kInt32LE};
    ASSERT_TRUE(read_segment(block, late, 0.0, 30.0, std::string("/nonexistent")));
    EXPECT_EQ(block.count(), 1999);
    EXPECT_EQ(block.start, 10.004);
    // Began 5.0037 s before t1: skip 500 samples, start 0.0037 s before t1.
    SegmentSource early{"none", 0, 100.0 - 5.0037, 60.0, 100.0, kInt32LE};
    ASSERT_TRUE(read_segment(block, early, 100.0, 110.0, std::string("/nonexistent")));
    EXPECT_NEAR(block.start, 100.0 - 0.0037, 1e-9);
}

// Spans that are not exact in binary must keep every sample of a segment
// that ends inside the window.
TEST(ReadSegment, KeepsTheLastSampleOfInexactSpans) {
    const struct {
        double tbegin;
        int nsamp;
        double sps;
    } cases[] = {{1296474900.0, 3, 80.0}, {1296474900.0, 1001, 100.0}, {1296474900.01, 4799, 80.0}, {0.1, 7, 10.0}};
    for (const auto& c : cases) {
        KRODataBlock block;
        SegmentSource s{"none", 0, c.tbegin, c.nsamp / c.sps, c.sps, kInt32LE};
        ASSERT_TRUE(read_segment(block, s, c.tbegin, c.tbegin + 3600.0, std::string("/nonexistent")));
        EXPECT_EQ(block.count(), c.nsamp) << c.tbegin << " " << c.nsamp << " " << c.sps;
    }
}

TEST(JoinStoredPath, BackslashesBecomeSlashes) {
    EXPECT_EQ(join_stored_path("/data", "ABC\\x.BHZ"), "/data/ABC/x.BHZ");
    EXPECT_EQ(join_stored_path("/data/", "ABC/x.BHZ"), "/data/ABC/x.BHZ");
    EXPECT_EQ(join_stored_path("\\", "ABC\\x.BHZ"), "/ABC/x.BHZ");
}

TEST_F(SegmentFile, FileListRowsAndTheirCalibration) {
    FileListSegmentRow good;
    good.tbegin = 1000.0;
    good.sps = 10.0;
    good.tqty = 10.0;
    good.datatype = kFloat32LE;
    good.cpath = "STA/seg.BHZ";
    good.calib = 2.0;
    good.calper = 1.0;
    FileListSegmentRow no_calper = good;
    no_calper.calper.reset();
    no_calper.foff.reset();  // 512
    FileListSegmentRow no_path = good;
    no_path.cpath.reset();
    FileListSegmentRow no_time = good;
    no_time.tbegin.reset();

    KRODataBlockArray array;
    read_filelist_segments({good, no_path, no_time, no_calper}, "STA", "BHZ", 1001.0, 1002.0, dir.path().string(),
                           array);
    ASSERT_EQ(array.count(), 2u);
    EXPECT_EQ(array.sta(), "STA");
    EXPECT_EQ(array.block(0).calib, 2.0);
    EXPECT_EQ(array.block(1).calib, -1.0);
    EXPECT_EQ(array.block(1).calper, -1.0);
    EXPECT_EQ(array.block(1).samples.front(), 10.0f);
}

TEST(WfdiscRows, FolderMappingDatatypesAndCalibration) {
    test::TempFolder dir;
    test::write_file(dir.file("mapped/abc.w"), bytes({0xff, 0xff, 0xfe}));                      // s3: -2
    test::write_file(dir.file("data/data/css/abc.w"), bytes({0x00, 0x00, 0x00, 0x07}));         // s4: 7
    test::write_file(dir.file("data/data/css/abc.f"), bytes({0x00, 0x00, 0xc0, 0xbf}));         // f4: -1.5
    WfdiscSegmentRow row;
    row.time = 0.0;
    row.samprate = 1.0;
    row.nsamp = 1;
    row.datatype = "s3";
    row.dir = "/data/css";
    row.dfile = "abc.w";
    WfdiscSegmentRow unmapped = row;
    unmapped.datatype = "s4";
    unmapped.dir = "data/css";
    unmapped.calib = 5.0;  // without calper: both become 1
    WfdiscSegmentRow little_float = unmapped;
    little_float.datatype = "f4";
    little_float.dfile = "abc.f";
    WfdiscSegmentRow skipped = row;
    skipped.datatype = "t4";

    KRODataBlockArray array;
    read_wfdisc_segments({row, skipped, unmapped, little_float}, "ABC", "bhz", 0.0, 1.0, dir.file("data"),
                         {{"/data/css", dir.file("mapped")}}, array);
    ASSERT_EQ(array.count(), 3u);
    EXPECT_EQ(array.block(0).samples, std::vector<float>{-2.0f});
    EXPECT_EQ(array.block(1).samples, std::vector<float>{7.0f});
    EXPECT_EQ(array.block(1).calib, 1.0);
    EXPECT_EQ(array.block(2).samples, std::vector<float>{-1.5f});
    EXPECT_EQ(array.chan(), "bhz");
}

// The shared CSS 3.0 set: both byte orders decode to the published values.
TEST(WfdiscRows, RealDataAgreesWithItsTextCopy) {
    const std::string folder = std::string(KRO_SHARED_DATA_DIR) + "/css";
    std::ifstream wfdisc(folder + "/test_css.wfdisc");
    if (!wfdisc) GTEST_SKIP() << "no shared data at " << folder;
    std::vector<float> reference;
    FILE* text = popen(("gzip -dc '" + folder + "/201101311155.10.ascii.gz'").c_str(), "r");
    ASSERT_NE(text, nullptr);
    double v = 0;
    while (std::fscanf(text, "%lf", &v) == 1) reference.push_back(static_cast<float>(v));
    pclose(text);
    ASSERT_EQ(reference.size(), 14400u);

    std::string line;
    int lines = 0;
    while (std::getline(wfdisc, line)) {
        const auto w = parse_wfdisc_line(line);
        ASSERT_TRUE(w) << "line of " << line.size() << " characters";
        ++lines;
        KRODataBlockArray array;
        read_wfdisc_segments({wfdisc_segment_row(*w)}, w->sta, w->chan, w->time, w->time + 60.0, folder, {}, array);
        ASSERT_EQ(array.count(), 1u) << w->sta << " " << w->chan;
        const KRODataBlock& b = array.block(0);
        ASSERT_EQ(b.count(), 4800);
        const std::size_t first = static_cast<std::size_t>(w->foff / 4);
        for (std::size_t i = 0; i < 4800; ++i)
            ASSERT_EQ(b.samples[i], reference[first + i]) << w->sta << " " << w->chan << " sample " << i;
    }
    EXPECT_EQ(lines, 6);
}

TEST(WfdiscLine, ColumnsAndNoValues) {
    std::string line(283, ' ');
    auto put = [&](std::size_t column, const std::string& text) { line.replace(column - 1, text.size(), text); };
    put(1, "ABC");
    put(8, "BHZ");
    put(17, "1296474900.00000");
    put(80, "junk");
    put(89, "19.99");
    put(144, "s4");
    put(149, ".");
    put(214, "abc.w");
    put(247, "512");
    const auto w = parse_wfdisc_line(line);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->sta, "ABC");
    EXPECT_EQ(w->chan, "BHZ");
    EXPECT_EQ(w->time, 1296474900.0);
    EXPECT_EQ(w->endtime, -9999999999.999);
    EXPECT_EQ(w->nsamp, -1);
    EXPECT_EQ(w->samprate, 19.99f);
    EXPECT_EQ(w->calib, 0.0);
    EXPECT_EQ(w->foff, 512);
    EXPECT_EQ(w->dir, ".");
    EXPECT_FALSE(parse_wfdisc_line(line.substr(0, 282)));
    EXPECT_FALSE(parse_wfdisc_line(line + " "));
}

}  // namespace
}  // namespace kro
