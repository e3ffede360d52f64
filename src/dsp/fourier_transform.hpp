#pragma once
// Discrete Fourier transforms of whole real series, of any length and
// without zero padding, as the instrument conversions use them:
//
//   forward:  X[k] = (1/n) sum_j x[j] e^(-i 2 pi j k / n)
//   inverse:  y[j] = Re sum_k Y[k] e^(+i 2 pi j k / n)
//
// k and j run from 0 to n - 1. Bin k stands for the frequency k * sps / n
// for k <= n/2 (integer division) and -(n - k) * sps / n above.

#include <complex>
#include <span>
#include <vector>

namespace kro {

class FourierTransform {
public:
    virtual ~FourierTransform() = default;
    // All n bins of the spectrum of a real series.
    virtual std::vector<std::complex<double>> forward(std::span<const double> x) const = 0;
    // The real part of the inverse of any spectrum (not necessarily
    // Hermitian), written into y (resized to the spectrum's length).
    virtual void inverse_real(std::span<const std::complex<double>> spectrum, std::vector<double>& y) const = 0;
};

// The transform computed with FFTW in O(n log n).
const FourierTransform& fft_transform();

// Frequency of bin k of an n-point spectrum at sps samples per second, Hz.
double bin_frequency(long long k, long long n, double sps);

}  // namespace kro
