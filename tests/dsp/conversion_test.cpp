#include "dsp/conversion.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "direct_dft.hpp"
#include "dsp/conversion_codes.hpp"
#include "dsp/instruments.hpp"

namespace kro {
namespace {

double max_abs(const std::vector<double>& x) {
    double m = 0.0;
    for (double v : x) m = std::max(m, std::abs(v));
    return m;
}

void expect_close(const std::vector<double>& fast, const std::vector<double>& reference, const std::string& what) {
    ASSERT_EQ(fast.size(), reference.size()) << what;
    const double scale = std::max(max_abs(reference), 1e-300);
    double worst = 0.0;
    for (std::size_t i = 0; i < fast.size(); ++i) worst = std::max(worst, std::abs(fast[i] - reference[i]));
    EXPECT_LE(worst, 1e-9 * scale) << what;
}

std::vector<float> test_series(std::size_t n) {
    std::vector<float> x(n);
    for (std::size_t j = 0; j < n; ++j)
        x[j] = static_cast<float>(1000.0 * std::sin(0.37 * double(j)) + 300.0 * std::cos(0.05 * double(j)) +
                                  double((j * 7919) % 101) + 0.5 * double(j));
    return x;
}

// A broadband velocity sensor: 2 zeros at 0, a 1 Hz pole pair, gain in counts per nanometre.
PolesZeros velocity_sensor() {
    PolesZeros pz;
    pz.zeros = {0.0, 0.0};
    pz.poles = {{-4.44, 4.44}, {-4.44, -4.44}};
    pz.constant = 0.75;
    return pz;
}

TEST(FourierTransform, FftAgreesWithTheDirectSums) {
    const test::DirectSumTransform direct;
    for (std::size_t n : {1u, 2u, 3u, 8u, 97u, 100u, 255u}) {
        std::vector<double> x(n);
        for (std::size_t j = 0; j < n; ++j) x[j] = std::sin(1.3 * double(j)) + 0.1 * double(j % 5);
        const auto fast = fft_transform().forward(x);
        const auto slow = direct.forward(x);
        for (std::size_t k = 0; k < n; ++k) EXPECT_LT(std::abs(fast[k] - slow[k]), 1e-12) << n << " bin " << k;

        // Any spectrum, not only a Hermitian one: the inverse keeps the real part.
        std::vector<std::complex<double>> spectrum(n);
        for (std::size_t k = 0; k < n; ++k) spectrum[k] = {std::cos(0.7 * double(k)), std::sin(2.1 * double(k) + 1)};
        std::vector<double> y_fast, y_slow;
        fft_transform().inverse_real(spectrum, y_fast);
        direct.inverse_real(spectrum, y_slow);
        expect_close(y_fast, y_slow, "inverse n=" + std::to_string(n));
    }
}

TEST(Conversion, FftRoutesAgreeWithTheDirectSumsToOnePartInABillion) {
    const test::DirectSumTransform direct;
    AfrTable afr;
    afr.frequency = {0.1, 1.0, 5.0, 20.0};
    afr.amplitude = {100.0, 10.0, 8.0, 30.0};
    for (std::size_t n : {1u, 2u, 997u, 1000u}) {
        const auto x = test_series(n);
        for (int code : {kPzDisplacement, kPzVelocity, kPzWoodAnderson, kPzLpsro}) {
            std::vector<double> fast, slow;
            ASSERT_TRUE(convert_by_poles_zeros(x, 40.0, code, velocity_sensor(), fast));
            ASSERT_TRUE(convert_by_poles_zeros(x, 40.0, code, velocity_sensor(), slow, direct));
            expect_close(fast, slow, "poles and zeros, code " + std::to_string(code) + " n=" + std::to_string(n));
        }
        for (int code : {kAfrDisplacement, kAfrKirnos, kAfrVegik}) {
            std::vector<double> fast, slow;
            ASSERT_TRUE(convert_by_afr(x, 40.0, code, afr, fast));
            ASSERT_TRUE(convert_by_afr(x, 40.0, code, afr, slow, direct));
            expect_close(fast, slow, "AFR, code " + std::to_string(code) + " n=" + std::to_string(n));
        }
    }
}

TEST(Conversion, OneSampleGivesZero) {
    std::vector<double> out;
    ASSERT_TRUE(convert_by_poles_zeros(std::vector<float>{123.0f}, 20.0, kPzDisplacement, velocity_sensor(), out));
    EXPECT_EQ(out, std::vector<double>{0.0});
    AfrTable flat{{0.0, 100.0}, {1.0, 1.0}};
    ASSERT_TRUE(convert_by_afr(std::vector<float>{123.0f}, 20.0, kAfrDisplacement, flat, out));
    EXPECT_EQ(out, std::vector<double>{0.0});
}

// A recording that is flat at 1e9 counts per unit makes the recording inverse 1, so a
// conversion simulates the target instrument alone: on a cosine of frequency f the middle
// of the output must be the cosine scaled by |T(f)| and, for the poles-and-zeros route,
// shifted by arg T(f).
TEST(Conversion, SimulatingAnInstrumentOnACosineMatchesItsAnalyticResponse) {
    PolesZeros flat;
    flat.constant = 1e9;
    AfrTable unit{{0.0, 100.0}, {1.0, 1.0}};
    const double sps = 50.0;
    const std::size_t n = 20000;
    struct Case {
        int pz_code, afr_code;
        StandardInstrument instrument;
        double f;
    } cases[] = {
        {kPzWoodAnderson, kAfrWoodAnderson, StandardInstrument::WoodAnderson, 0.5},
        {kPzWoodAnderson, kAfrWoodAnderson, StandardInstrument::WoodAnderson, 5.0},
        {kPzKirnos, kAfrKirnos, StandardInstrument::Kirnos, 0.2},
        {kPzWwsssp, kAfrWwsssp, StandardInstrument::Wwsssp, 1.0},
        {kPzVegik, kAfrVegik, StandardInstrument::Vegik, 2.0},
    };
    for (const auto& c : cases) {
        std::vector<float> x(n);
        for (std::size_t j = 0; j < n; ++j) x[j] = static_cast<float>(std::cos(2 * M_PI * c.f * double(j) / sps));
        const std::complex<double> t = pz_response(standard_instrument(c.instrument), c.f);
        std::vector<double> pz_out, afr_out;
        ASSERT_TRUE(convert_by_poles_zeros(x, sps, c.pz_code, flat, pz_out));
        ASSERT_TRUE(convert_by_afr(x, sps, c.afr_code, unit, afr_out));
        for (std::size_t j = n * 3 / 10; j < n * 7 / 10; j += 37) {
            const double phase = 2 * M_PI * c.f * double(j) / sps;
            EXPECT_NEAR(pz_out[j], std::abs(t) * std::cos(phase + std::arg(t)), 1e-2 * std::abs(t))
                << c.pz_code << " at " << j;
            EXPECT_NEAR(afr_out[j], std::abs(t) * std::cos(phase), 1e-2 * std::abs(t)) << c.afr_code << " at " << j;
        }
    }
}

// A recording flat at low frequencies (a displacement sensor with a 1 Hz corner), so
// that the leakage of the taper is not amplified without bound at the lowest bins.
TEST(Conversion, VelocityAndDisplacementOfARecordedCosine) {
    PolesZeros sensor;
    sensor.poles = {{-4.44, 4.44}, {-4.44, -4.44}};
    sensor.constant = 0.75 * std::norm(sensor.poles[0]);
    const double sps = 50.0, f = 2.0;
    const std::size_t n = 10000;
    std::vector<float> x(n);
    for (std::size_t j = 0; j < n; ++j) x[j] = static_cast<float>(500.0 * std::cos(2 * M_PI * f * double(j) / sps));
    const std::complex<double> h = pz_response(sensor, f);
    std::vector<double> dis, vel;
    ASSERT_TRUE(convert_by_poles_zeros(x, sps, kPzDisplacement, sensor, dis));
    ASSERT_TRUE(convert_by_poles_zeros(x, sps, kPzVelocity, sensor, vel));
    const double amplitude = 500.0 * 1e9 / std::abs(h);
    for (std::size_t j = n * 3 / 10; j < n * 7 / 10; j += 41) {
        const double phase = 2 * M_PI * f * double(j) / sps - std::arg(h);
        EXPECT_NEAR(dis[j], amplitude * std::cos(phase), 1e-2 * amplitude) << j;
        EXPECT_NEAR(vel[j], -2 * M_PI * f * amplitude * std::sin(phase), 1e-2 * 2 * M_PI * f * amplitude) << j;
    }
}

TEST(Conversion, AfrRouteRemovesEverythingAboveTheTable) {
    AfrTable table{{0.1, 10.0}, {1.0, 1.0}};
    const double sps = 100.0;
    const std::size_t n = 4000;
    std::vector<float> x(n);
    for (std::size_t j = 0; j < n; ++j)
        x[j] = static_cast<float>(std::cos(2 * M_PI * 2.0 * double(j) / sps) + std::cos(2 * M_PI * 25.0 * double(j) / sps));
    std::vector<double> with_high, without_high;
    ASSERT_TRUE(convert_by_afr(x, sps, kAfrDisplacement, table, with_high));
    for (std::size_t j = 0; j < n; ++j) x[j] = static_cast<float>(std::cos(2 * M_PI * 2.0 * double(j) / sps));
    ASSERT_TRUE(convert_by_afr(x, sps, kAfrDisplacement, table, without_high));
    // Away from the tapered ends, where the cut content leaks a little into the kept band.
    for (std::size_t j = n / 20; j < n - n / 20; ++j) EXPECT_NEAR(with_high[j], without_high[j], 1e-3) << j;
}

TEST(Conversion, RefusesCodesOfTheOtherRouteAndBadRates) {
    std::vector<double> out{42.0};
    const std::vector<float> x(10, 1.0f);
    AfrTable unit{{0.0, 100.0}, {1.0, 1.0}};
    EXPECT_FALSE(convert_by_poles_zeros(x, 20.0, kAfrDisplacement, velocity_sensor(), out));
    EXPECT_FALSE(convert_by_poles_zeros(x, 0.0, kPzDisplacement, velocity_sensor(), out));
    EXPECT_FALSE(convert_by_afr(x, 20.0, kAfrVelocity, unit, out)) << "VEL_A has no response";
    EXPECT_FALSE(convert_by_afr(x, 20.0, kPzWoodAnderson, unit, out));
    EXPECT_EQ(out, std::vector<double>{42.0});
}

TEST(Conversion, RecordingInverseOfAZeroResponseIsMinusOne) {
    EXPECT_EQ(recording_inverse(velocity_sensor(), 0.0), std::complex<double>(-1.0, 0.0));
    PolesZeros flat;
    flat.constant = 2e9;
    EXPECT_EQ(recording_inverse(flat, 3.0), std::complex<double>(0.5, 0.0));
}

}  // namespace
}  // namespace kro
