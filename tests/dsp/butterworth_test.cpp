#include "dsp/butterworth.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <vector>

#include "dsp/filter_record.hpp"

namespace kro {
namespace {

// |H(e^(i 2 pi f ts))| of the designed cascade.
double magnitude(const FilterSections& f, double freq, double ts) {
    const std::complex<double> z1 = std::polar(1.0, -2.0 * M_PI * freq * ts);  // z^-1
    std::complex<double> h = 1.0;
    for (int i = 0; i < f.count; ++i) {
        const Biquad& q = f.section[static_cast<std::size_t>(i)];
        h *= (double(q.b0) + double(q.b1) * z1 + double(q.b2) * z1 * z1) /
             (double(q.a0) + double(q.a1) * z1 + double(q.a2) * z1 * z1);
    }
    return std::abs(h);
}

TEST(Butterworth, SectionCountsFollowTheOrder) {
    struct Case {
        int order;
        const char* type;
        int sections;
    } cases[] = {{1, "LP", 1}, {2, "LP", 1}, {3, "LP", 2}, {10, "LP", 5}, {3, "HP", 2}, {1, "BP", 1},
                 {3, "BP", 3}, {10, "BP", 10}, {9, "BR", 9}, {4, "XX", 0}, {0, "LP", 0}, {11, "BP", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(design(c.order, c.type, 1.0, 5.0, 0.01).count, c.sections) << c.order << " " << c.type;
}

TEST(Butterworth, LowPassSectionsHaveUnitDcGainAndNormalisedDenominator) {
    for (int order : {1, 2, 3, 6, 10}) {
        const FilterSections f = design(order, "LP", 0.0, 2.5, 0.01);
        for (int i = 0; i < f.count; ++i) {
            const Biquad& q = f.section[static_cast<std::size_t>(i)];
            EXPECT_EQ(q.a0, 1.0f);
            const double gain = (double(q.b0) + q.b1 + q.b2) / (1.0 + q.a1 + q.a2);
            EXPECT_NEAR(gain, 1.0, 1e-5) << "order " << order << " section " << i;
        }
    }
}

TEST(Butterworth, EveryDesignIsDownByThreeDecibelsAtItsCutOffs) {
    const double half_power = 1.0 / std::sqrt(2.0);
    const double ts = 0.01;
    struct Case {
        const char* type;
        double fl, fh;
        std::vector<double> cutoffs;
        double pass, stop;  // a frequency in the pass band and one in the stop band
    } cases[] = {
        {"LP", 0.0, 5.0, {5.0}, 0.5, 30.0},
        {"HP", 2.0, 0.0, {2.0}, 20.0, 0.1},
        {"BP", 1.0, 8.0, {1.0, 8.0}, std::sqrt(8.0), 40.0},
        {"BR", 1.0, 8.0, {1.0, 8.0}, 30.0, std::sqrt(8.0)},
    };
    for (const auto& c : cases)
        for (int order : {1, 2, 3, 4, 7}) {
            const FilterSections f = design(order, c.type, c.fl, c.fh, ts);
            for (double fc : c.cutoffs)
                EXPECT_NEAR(magnitude(f, fc, ts), half_power, 2e-3) << c.type << " order " << order << " at " << fc;
            EXPECT_NEAR(magnitude(f, c.pass, ts), 1.0, 2e-2) << c.type << " order " << order;
            EXPECT_LT(magnitude(f, c.stop, ts), 0.3) << c.type << " order " << order;
        }
}

TEST(Butterworth, ZeroPhaseKeepsASymmetricPulseSymmetric) {
    const int n = 8001, centre = 4000;  // long enough for the forward pass to ring out
    std::vector<float> x(n, 0.0f);
    for (int i = -20; i <= 20; ++i) x[static_cast<std::size_t>(centre + i)] = static_cast<float>(std::exp(-i * i / 50.0));
    const FilterSections f = design(4, "BP", 0.5, 5.0, 0.01);
    apply_sections(x, f, true);
    double peak = 0.0;
    for (float v : x) peak = std::max(peak, double(std::abs(v)));
    ASSERT_GT(peak, 0.01);
    for (int i = 1; i < 300; ++i)
        EXPECT_NEAR(x[static_cast<std::size_t>(centre - i)], x[static_cast<std::size_t>(centre + i)], 1e-4 * peak)
            << i;

    std::vector<float> causal(n, 0.0f);
    causal[centre] = 1.0f;
    apply_sections(causal, f, false);
    EXPECT_EQ(causal[centre - 1], 0.0f) << "a causal filter does not answer before the pulse";
}

TEST(Butterworth, TaperLengthFollowsThePercentage) {
    std::vector<float> short_series(19, 1.0f);
    taper(short_series, 5);
    EXPECT_EQ(short_series, std::vector<float>(19, 1.0f)) << "m = 0 tapers nothing";

    std::vector<float> x(100, 1.0f);
    taper(x, 5);
    EXPECT_EQ(x[0], 0.0f);
    EXPECT_NEAR(x[4], std::sin(M_PI / 2 / 5 * 4), 1e-6);
    EXPECT_EQ(x[5], 1.0f);
    EXPECT_EQ(x[94], 1.0f);
    EXPECT_NEAR(x[95], std::sin(M_PI / 2 / 5 * 5), 1e-6);
    EXPECT_NEAR(x[99], std::sin(M_PI / 2 / 5 * 1), 1e-6);
}

std::vector<float> noise(int n) {
    std::vector<float> x(static_cast<std::size_t>(n));
    unsigned state = 12345;
    for (float& v : x) {
        state = state * 1103515245u + 12345u;
        v = static_cast<float>((state >> 16) % 2001) - 1000.0f + 300.0f;
    }
    return x;
}

FilterRecord record(int type, float low, float high, int order, bool zero_phase) {
    FilterRecord r;
    r.type = type;
    r.low = low;
    r.high = high;
    r.order = order;
    r.zero_phase = zero_phase;
    return r;
}

TEST(FilterPane, ClampsTheOrderAndTheUpperCutOff) {
    const auto input = noise(2000);
    auto filtered = [&](const FilterRecord& r) {
        auto x = input;
        EXPECT_TRUE(filter_pane(x, 100.0, r));
        return x;
    };
    EXPECT_EQ(filtered(record(kBandPass, 1, 10, 0, true)), filtered(record(kBandPass, 1, 10, 1, true)));
    EXPECT_EQ(filtered(record(kBandPass, 1, 10, -3, true)), filtered(record(kBandPass, 1, 10, 1, true)));
    EXPECT_EQ(filtered(record(kBandPass, 1, 10, 12, true)), filtered(record(kBandPass, 1, 10, 10, true)));
    EXPECT_EQ(filtered(record(kBandPass, 1, 60, 4, false)), filtered(record(kBandPass, 1, 49.9f, 4, false)));
    EXPECT_NE(filtered(record(kBandPass, 1, 40, 4, false)), filtered(record(kBandPass, 1, 49.9f, 4, false)));
}

TEST(FilterPane, RemovesTheMeanAndTapersBeforeFiltering) {
    std::vector<float> x(100, 250.0f);
    ASSERT_TRUE(filter_pane(x, 100.0, record(kLowPass, 0, 10, 2, false)));
    for (float v : x) EXPECT_EQ(v, 0.0f) << "a constant is only its mean";

    auto y = noise(1000);
    ASSERT_TRUE(filter_pane(y, 100.0, record(kHighPass, 1, 0, 3, false)));
    EXPECT_EQ(y[0], 0.0f) << "the tapered first sample is 0 and a causal filter keeps it so";
}

TEST(FilterPane, RefusesRecordsWithoutADesign) {
    const auto input = noise(200);
    for (int type : {int(kSpwwss), 7, -1, 1004}) {
        auto x = input;
        EXPECT_FALSE(filter_pane(x, 100.0, record(type, 1, 5, 4, true))) << type;
        EXPECT_EQ(x, input) << "data stay as they were, type " << type;
    }
    auto x = input;
    EXPECT_FALSE(filter_pane(x, 0.0, record(kBandPass, 1, 5, 4, true)));
    EXPECT_EQ(x, input);
}

}  // namespace
}  // namespace kro
