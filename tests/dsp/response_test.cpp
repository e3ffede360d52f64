#include <gtest/gtest.h>

#include <cmath>

#include "../core/test_support.hpp"
#include "dsp/afr.hpp"
#include "dsp/conversion_codes.hpp"
#include "dsp/instruments.hpp"
#include "dsp/poles_zeros.hpp"

namespace kro {
namespace {

TEST(Instruments, WoodAndersonIsFlatAboveItsCornerAndFallsAsFrequencySquaredBelow) {
    EXPECT_NEAR(instrument_response(kPzWoodAnderson, 100.0), 1.0, 1e-2);
    EXPECT_NEAR(instrument_response(kPzWoodAnderson, 1000.0), 1.0, 1e-4);
    for (double f : {0.001, 0.01, 0.05}) {
        const double ratio = instrument_response(kPzWoodAnderson, f) / instrument_response(kPzWoodAnderson, f / 2);
        EXPECT_NEAR(ratio, 4.0, 4.0 * 2e-3) << f;
    }
}

TEST(Instruments, ResponseByCode) {
    EXPECT_EQ(instrument_response(kPzDisplacement, 3.0), 1.0);
    for (int code : {int(kPzVelocity), int(kAfrWoodAnderson), int(kAfrKirnos), 999, 1007})
        EXPECT_EQ(instrument_response(code, 1.0), -1.0) << code;
    for (int code : {1001, 1002, 1003, 1004, 1005, 1006})
        EXPECT_GT(instrument_response(code, 1.0), 0.0) << code;
    // Gain over the product of the pole distances at s = i 2 pi f, checked by hand for Wood-Anderson at 1 Hz.
    const double w = 2 * M_PI;
    const double expected = w * w / (std::hypot(6.28319, w - 4.71239) * std::hypot(6.28319, w + 4.71239));
    EXPECT_NEAR(instrument_response(kPzWoodAnderson, 1.0), expected, 1e-12);
}

TEST(PolesZerosText, ReadsListsConstantAndZerosLeftOut) {
    const char* text =
        "* a comment\n"
        "ZEROS 3\n"
        "-1.5 0.0\n"
        "POLES 2\r\n"
        "-0.037 0.037\n"
        "-0.037 -0.037\n"
        "-9 -9\n"  // beyond the list: ignored
        "CONSTANT 3.2e10\n";
    PolesZeros pz;
    ASSERT_TRUE(parse_poles_zeros(text, pz));
    ASSERT_EQ(pz.zeros.size(), 3u);
    EXPECT_EQ(pz.zeros[0], std::complex<double>(-1.5, 0));
    EXPECT_EQ(pz.zeros[1], std::complex<double>(0, 0));
    EXPECT_EQ(pz.zeros[2], std::complex<double>(0, 0));
    ASSERT_EQ(pz.poles.size(), 2u);
    EXPECT_EQ(pz.poles[1], std::complex<double>(-0.037, -0.037));
    EXPECT_EQ(pz.constant, 3.2e10);

    ASSERT_TRUE(parse_poles_zeros("zeros 1\npoles 0\nconstant 2", pz));
    EXPECT_EQ(pz.zeros.size(), 1u);
    EXPECT_TRUE(pz.poles.empty());
    EXPECT_EQ(pz.constant, 2.0);
}

TEST(PolesZerosText, CorruptTextIsReportedAndChangesNothing) {
    PolesZeros pz;
    pz.constant = 7.0;
    struct Case {
        const char* text;
        const char* message_part;
    } cases[] = {
        {"ZEROS x\n", "line 1"},
        {"ZEROS -2\n", "count"},
        {"POLES 99999999999\n", "count"},
        {"POLES 1\n-1.0 abc\n", "line 2"},
        {"CONSTANT\n", "constant"},
    };
    for (const auto& c : cases) {
        const Status s = parse_poles_zeros(c.text, pz);
        EXPECT_FALSE(s) << c.text;
        EXPECT_NE(s.message().find(c.message_part), std::string::npos) << s.message();
        EXPECT_EQ(pz.constant, 7.0);
    }
}

TEST(AfrTable, ReadsRowsBetweenAnySeparatorSkippingHeaders) {
    AfrTable t;
    ASSERT_TRUE(parse_fap_text("FAP table\r\nCAL 1\n0.1 2.0 0|1 4 10;; 10 8 0\n", t));
    EXPECT_EQ(t.frequency, (std::vector<double>{double(0.1f), 1.0, 10.0}));
    EXPECT_EQ(t.amplitude, (std::vector<double>{2.0, 4.0, 8.0}));

    ASSERT_TRUE(parse_fap_text("", t));
    EXPECT_TRUE(t.empty());

    AfrTable kept;
    ASSERT_TRUE(parse_fap_text("1 1", kept));
    EXPECT_FALSE(parse_fap_text("1 1\n2", kept));
    EXPECT_FALSE(parse_fap_text("1 1\nnoise here", kept));
    EXPECT_FALSE(parse_fap_text("2 1\n1 1", kept)) << "frequencies must ascend";
    EXPECT_EQ(kept.size(), 1u);
}

TEST(AfrTable, LookupInterpolatesInsideAndDiffersOutside) {
    AfrTable t;
    ASSERT_TRUE(parse_fap_text("0.5 1\n1 3\n10 12", t));
    struct Case {
        double f, inside_or_zero, clamped;
    } cases[] = {
        {0.5, 1, 1}, {0.75, 2, 2}, {1, 3, 3}, {5.5, 7.5, 7.5}, {10, 12, 12}, {0.1, 0, 1}, {20, 0, 12},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(afr_amplitude_or_zero(t, c.f), c.inside_or_zero) << c.f;
        EXPECT_DOUBLE_EQ(afr_amplitude_clamped(t, c.f), c.clamped) << c.f;
    }
    EXPECT_EQ(afr_amplitude_or_zero(AfrTable{}, 1.0), 0.0);
    EXPECT_EQ(afr_amplitude_or_zero(t, std::nan("")), 0.0);
}

TEST(AfrFile, ReadsCountedPairsAndReportsDamage) {
    test::TempFolder dir;
    const std::string work = dir.path().string();
    const std::string path = afr_file_path(work, "sub\\FUR.afr");
    EXPECT_EQ(path, work + "/RESPONSE/sub/FUR.afr");
    test::write_file(path, "3\n0.1 5\n1.0 50\n10 500\n");
    AfrTable t;
    ASSERT_TRUE(read_afr_file(path, t));
    EXPECT_EQ(t.amplitude, (std::vector<double>{5, 50, 500}));

    struct Case {
        const char* content;
        const char* message_part;
    } cases[] = {
        {"", "count"}, {"-1\n", "count"}, {"3\n0.1 5\n1 50\n", "truncated"}, {"2\n0.1 5\n1 x\n", "row 2"},
        {"2\n1 5\n0.1 5\n", "ascend"},
    };
    for (const auto& c : cases) {
        test::write_file(path, c.content);
        const Status s = read_afr_file(path, t);
        EXPECT_FALSE(s) << c.content;
        EXPECT_NE(s.message().find(c.message_part), std::string::npos) << s.message();
        EXPECT_NE(s.message().find(path), std::string::npos) << s.message();
    }
    EXPECT_EQ(t.size(), 3u) << "a failed read keeps the table";
    EXPECT_FALSE(read_afr_file(work + "/RESPONSE/none.afr", t));
}

}  // namespace
}  // namespace kro
