#pragma once
// Conversion of a recorded series (counts) into ground motion or into the
// record of a standard instrument, in the frequency domain over the whole
// series (no zero padding).
//
// Poles-and-zeros route (codes 1000-1006, 1010): the least-squares line is
// removed, 5 % of each end tapered, the spectrum divided by the recording
// response H(f) (scaled by 1e9) and multiplied by the target response
// (1 for displacement, i 2 pi f for velocity, the standard instrument's
// complex response otherwise), so amplitude and phase are both corrected.
//
// AFR route (codes 1011-1016, 1018): the mean is removed, 5 % of each end
// tapered, and every bin multiplied by the AFR amplitude at its frequency
// (0 outside the table) times the standard instrument's amplitude
// response; no phase is applied.

#include <span>
#include <vector>

#include "core/status.hpp"
#include "dsp/afr.hpp"
#include "dsp/poles_zeros.hpp"
#include "dsp/fourier_transform.hpp"

namespace kro {

// The recording inverse 1e9 / H(f), or -1 where |H(f)| is 0. f in Hz.
std::complex<double> recording_inverse(const PolesZeros& recording, double f);

// series: n samples at sps samples per second. On success `out` holds the
// n converted samples; an unknown code or a non-positive rate is an error
// and leaves `out` untouched.
Status convert_by_poles_zeros(std::span<const float> series, double sps, int code, const PolesZeros& recording,
                              std::vector<double>& out, const FourierTransform& transform = fft_transform());
Status convert_by_afr(std::span<const float> series, double sps, int code, const AfrTable& afr,
                      std::vector<double>& out, const FourierTransform& transform = fft_transform());

// The converted samples as a pane keeps them.
std::vector<float> to_single_precision(std::span<const double> samples);

}  // namespace kro
