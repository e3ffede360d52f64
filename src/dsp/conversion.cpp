#include "dsp/conversion.hpp"

#include <cmath>
#include <string>

#include "dsp/butterworth.hpp"
#include "dsp/conversion_codes.hpp"
#include "dsp/instruments.hpp"

namespace kro {
namespace {

void remove_linear_trend(std::vector<double>& x, double sps) {
    const std::size_t n = x.size();
    double t_mean = 0.0, x_mean = 0.0;
    for (std::size_t j = 0; j < n; ++j) {
        t_mean += static_cast<double>(j) / sps;
        x_mean += x[j];
    }
    t_mean /= static_cast<double>(n);
    x_mean /= static_cast<double>(n);
    double stt = 0.0, stx = 0.0;
    for (std::size_t j = 0; j < n; ++j) {
        const double dt = static_cast<double>(j) / sps - t_mean;
        stt += dt * dt;
        stx += dt * (x[j] - x_mean);
    }
    const double slope = stt > 0.0 ? stx / stt : 0.0;
    for (std::size_t j = 0; j < n; ++j) x[j] -= x_mean + slope * (static_cast<double>(j) / sps - t_mean);
}

void taper_5_percent(std::vector<double>& x) {
    const auto n = static_cast<long long>(x.size());
    const long long m = n * 5 / 100;
    if (m <= 0) return;
    const double step = (M_PI / 2.0) / static_cast<double>(m);
    for (long long j = 0; j < m; ++j) x[static_cast<std::size_t>(j)] *= std::sin(step * static_cast<double>(j));
    for (long long j = n - m; j < n; ++j)
        x[static_cast<std::size_t>(j)] *= std::sin(step * static_cast<double>(n - j));
}

Status check_rate(double sps) {
    if (!(sps > 0.0) || !std::isfinite(sps)) return Status::failure("Cannot convert: the sampling rate is not positive.");
    return {};
}

}  // namespace

std::complex<double> recording_inverse(const PolesZeros& recording, double f) {
    const std::complex<double> h = pz_response(recording, f);
    if (std::abs(h) != 0.0) return 1e9 / h;
    return {-1.0, 0.0};
}

Status convert_by_poles_zeros(std::span<const float> series, double sps, int code, const PolesZeros& recording,
                              std::vector<double>& out, const FourierTransform& transform) {
    if (!is_pz_conversion(code))
        return Status::failure("Code " + std::to_string(code) + " is not a poles-and-zeros conversion.");
    if (Status s = check_rate(sps); !s) return s;
    const long long n = static_cast<long long>(series.size());
    std::vector<double> x(series.begin(), series.end());
    if (n == 0) {
        out.clear();
        return {};
    }
    remove_linear_trend(x, sps);
    taper_5_percent(x);

    StandardInstrument instrument{};
    const bool simulate = simulated_instrument(code, instrument);
    const PolesZeros* target = simulate ? &standard_instrument(instrument) : nullptr;

    std::vector<std::complex<double>> spectrum = transform.forward(x);
    spectrum[0] = 0.0;
    for (long long k = 1; k < n; ++k) {
        const double f = bin_frequency(k, n, sps);
        std::complex<double> t(1.0, 0.0);
        if (code == kPzVelocity)
            t = {0.0, kResponseTwoPi * f};
        else if (target)
            t = pz_response(*target, f);
        auto& bin = spectrum[static_cast<std::size_t>(k)];
        bin = bin * recording_inverse(recording, f) * t;
    }
    transform.inverse_real(spectrum, out);
    return {};
}

Status convert_by_afr(std::span<const float> series, double sps, int code, const AfrTable& afr,
                      std::vector<double>& out, const FourierTransform& transform) {
    if (!is_afr_conversion(code))
        return Status::failure("Code " + std::to_string(code) + " is not a conversion by the AFR.");
    if (Status s = check_rate(sps); !s) return s;
    const long long n = static_cast<long long>(series.size());
    if (n == 0) {
        out.clear();
        return {};
    }
    std::vector<float> xs(series.begin(), series.end());
    long double sum = 0.0L;
    for (float v : xs) sum += v;
    const long double mean = sum / static_cast<long double>(n);
    for (float& v : xs) v = static_cast<float>(v - mean);
    taper(xs, 5);

    StandardInstrument instrument{};
    const bool simulate = simulated_instrument(code, instrument);
    const PolesZeros* target = simulate ? &standard_instrument(instrument) : nullptr;

    // The spectrum with e^(+i..) is the conjugate of `forward`'s; the real
    // gains are symmetric, so scaling this one and inverting with e^(+i..)
    // gives the same real result as the e^(-i..) inverse of the conjugate.
    std::vector<std::complex<double>> spectrum = transform.forward(std::vector<double>(xs.begin(), xs.end()));
    for (long long k = 1; k <= n / 2; ++k) {
        const double f = sps * static_cast<double>(k) / static_cast<double>(n);
        const double magnitude = target ? std::abs(pz_response(*target, f)) : 1.0;
        const double g = afr_amplitude_or_zero(afr, f) * static_cast<double>(n) * magnitude;
        spectrum[static_cast<std::size_t>(k)] *= g;
        if (n - k != k) spectrum[static_cast<std::size_t>(n - k)] *= g;
    }
    transform.inverse_real(spectrum, out);
    for (double& v : out) v /= static_cast<double>(n);
    return {};
}

std::vector<float> to_single_precision(std::span<const double> samples) {
    return std::vector<float>(samples.begin(), samples.end());
}

}  // namespace kro
