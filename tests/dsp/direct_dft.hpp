#pragma once
// The transforms of the instrument conversions as direct O(n^2) sums, the
// reference the FFT path is checked (tests) and timed (benchmarks) against.

#include <cmath>
#include <complex>
#include <vector>

#include "dsp/fourier_transform.hpp"

namespace kro::test {

class DirectSumTransform final : public FourierTransform {
public:
    std::vector<std::complex<double>> forward(std::span<const double> x) const override {
        const std::size_t n = x.size();
        const auto roots = unit_roots(n, -1.0);
        std::vector<std::complex<double>> spectrum(n);
        for (std::size_t k = 0; k < n; ++k) {
            std::complex<double> sum = 0.0;
            std::size_t jk = 0;  // j * k mod n
            for (std::size_t j = 0; j < n; ++j) {
                sum += x[j] * roots[jk];
                jk += k;
                if (jk >= n) jk -= n;
            }
            spectrum[k] = sum / static_cast<double>(n);
        }
        return spectrum;
    }

    void inverse_real(std::span<const std::complex<double>> spectrum, std::vector<double>& y) const override {
        const std::size_t n = spectrum.size();
        const auto roots = unit_roots(n, +1.0);
        y.assign(n, 0.0);
        for (std::size_t j = 0; j < n; ++j) {
            std::complex<double> sum = 0.0;
            std::size_t jk = 0;
            for (std::size_t k = 0; k < n; ++k) {
                sum += spectrum[k] * roots[jk];
                jk += j;
                if (jk >= n) jk -= n;
            }
            y[j] = sum.real();
        }
    }

private:
    // e^(sign i 2 pi m / n) for m = 0 ... n - 1.
    static std::vector<std::complex<double>> unit_roots(std::size_t n, double sign) {
        std::vector<std::complex<double>> roots(n);
        for (std::size_t m = 0; m < n; ++m) {
            const double phase = sign * 2.0 * M_PI * static_cast<double>(m) / static_cast<double>(n);
            roots[m] = {std::cos(phase), std::sin(phase)};
        }
        return roots;
    }
};

}  // namespace kro::test
